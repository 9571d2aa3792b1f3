#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/util/Records.h"

// One explicit input-to-output stream mapping ("map").
struct TAVStreamMap {
    int32_t file_index = 0;
    int32_t stream_index = 0;
    int32_t sync_file_index = 0;
    int32_t sync_stream_index = 0;
};

// Metadata source of one output ("map_meta_data").
struct TAVMetaDataMap {
    int32_t out_file = 0;
    int32_t in_file = 0;
};

// Index of the frame limits by media type.
enum TFrameLimit { flVideo, flAudio, flData, flSubtitle, flCount };

using TQuantMatrix = std::array<uint16_t, 64>;

// The option state of a conversion job: what the option handlers set and the
// opening of inputs and outputs (and later the run) read. Most values wait
// here until the next input or output is opened, which consumes them. The
// member defaults are the job's defaults; an empty text means "not set".
// Tables that were fixed in size once grow as needed, so no input or option
// can write past them.
struct TOptionState {
    std::vector<TAVStreamMap> Fstream_maps;
    std::vector<TAVMetaDataMap> Fmeta_data_maps;
    // Container stream identifier per output stream index of the next output.
    std::vector<std::pair<int, int>> Fstreamid_map;
    // Time-stamp scale per input, per stream ("itsscale"); 0 = not set.
    std::vector<std::vector<double>> Finput_files_ts_scale;
    std::string Flast_asked_format;

    int Fframe_width = 0;
    int Fframe_height = 0;
    bool Fframe_size_asked = false;  // set by the option "s", not taken from an input
    float Fframe_aspect_ratio = 0.0f;
    AVPixelFormat Fframe_pix_fmt = AV_PIX_FMT_NONE;
    bool Fframe_pix_fmt_asked = false;  // set by the option "pix_fmt", not taken from an input
    AVSampleFormat Faudio_sample_fmt = AV_SAMPLE_FMT_NONE;
    int Fframe_topBand = 0;
    int Fframe_bottomBand = 0;
    int Fframe_leftBand = 0;
    int Fframe_rightBand = 0;
    std::array<int, flCount> Fmax_frames{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
    AVRational Fframe_rate{0, 0};
    float Fvideo_qscale = 0.0f;
    std::optional<TQuantMatrix> Fintra_matrix;
    std::optional<TQuantMatrix> Finter_matrix;
    std::string Fvideo_rc_override_string;
    bool Fvideo_disable = false;
    int Fvideo_discard = 0;
    std::string Fvideo_codec_name;
    uint32_t Fvideo_codec_tag = 0;
    std::string Fvideo_language;
    bool Fsame_quality = false;
    bool Fdo_deinterlace = false;
    int Ftop_field_first = -1;
    int Fme_threshold = 0;  // kept for the option; today's encoders have no such setting
    int Fintra_dc_precision = 8;
    bool Floop_input = false;
    int Floop_output = -1;
    bool Fqp_hist = false;
    std::string Fvfilters;
    bool Fintra_only = false;

    int Faudio_sample_rate = 44100;
    AVChannelLayout Fchannel_layout{};  // taken from the last input; unspecified (0 channels) until then
    float Faudio_qscale = -99999.0f;
    bool Faudio_disable = false;
    int Faudio_channels = 2;
    std::string Faudio_codec_name;
    uint32_t Faudio_codec_tag = 0;
    std::string Faudio_language;

    bool Fsubtitle_disable = false;
    std::string Fsubtitle_codec_name;
    std::string Fsubtitle_language;
    uint32_t Fsubtitle_codec_tag = 0;

    float Fmux_preload = 0.5f;     // seconds
    float Fmux_max_delay = 0.7f;   // seconds
    int64_t Frecording_time = INT64_MAX;
    int64_t Fstart_time = 0;
    int64_t Frecording_timestamp = 0;  // seconds since 1970; 0 = none
    int64_t Finput_ts_offset = 0;
    std::vector<std::pair<std::string, std::string>> Fmetadata;

    int Fdo_benchmark = 0;
    bool Fdo_hex_dump = false;
    bool Fdo_pkt_dump = false;
    bool Fdo_psnr = false;
    int Fdo_pass = 0;
    std::string Fpass_logfilename_prefix;
    int Faudio_stream_copy = 0;
    int Fvideo_stream_copy = 0;
    int Fsubtitle_stream_copy = 0;
    int Fvideo_sync_method = -1;
    int Faudio_sync_method = 0;
    float Faudio_drift_threshold = 0.1f;
    bool Fcopy_ts = false;
    bool Fopt_shortest = false;
    int Fvideo_global_header = 0;
    std::string Fvstats_filename;
    int Fopt_programid = 0;
    int Fcopy_initial_nonkeyframes = 0;
    bool Frate_emu = false;
    int Fvideo_channel = 0;
    std::string Fvideo_standard;
    int Faudio_volume = 256;
    bool Fexit_on_error = false;
    int Fusing_stdin = 0;
    bool Fusing_vhook = false;
    int Fverbose = 1;
    int Fthread_count = 1;
    bool Finput_sync = false;
    int64_t Flimit_filesize = 0;
    bool Fforce_fps = false;
    int Fpgmyuv_compatibility_hack = 0;
    float Fdts_delta_threshold = 10.0f;
    int Fsws_flags = SWS_BICUBIC;

    // Bit-stream filters for the next stream of each kind; their contexts are
    // made when the stream's parameters are known (transcode set-up).
    std::vector<const AVBitStreamFilter*> Fvideo_bitstream_filters;
    std::vector<const AVBitStreamFilter*> Faudio_bitstream_filters;
    std::vector<const AVBitStreamFilter*> Fsubtitle_bitstream_filters;

    // Names of codec- and muxer-private options an encoder or muxer took.
    std::set<std::string> Fprivate_options_taken;

    TPostHooks FPostHooks;
    int64_t FTotalOutputDuration = -1;
};
