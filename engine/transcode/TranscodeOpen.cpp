#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/LibraryErrors.h"
#include "engine/transcode/SharedEncoderTables.h"
#include "engine/transcode/TranscodeSetup.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"

// Opening the codecs, the starting times, metadata, chapters, headers and
// the stream mapping of a conversion.

void TTranscode::FailAfterMapping(const std::string& AText) {
    DumpStreamMapping();
    GetFFLogger()->Log(&FJob, llError, AText);
    throw FFmpegException(AText);
}

void TTranscode::OpenEncoders() {
    // In join mode all groups share group 0's encoders.
    const size_t count = FJob.FJoinMode ? size_t(G) : ost_table.size();
    for (size_t i = 0; i < count; ++i) {
        TAVOutputStream& ost = *ost_table[i];
        if (!ost.encoding_needed)
            continue;
        AVCodecContext* enc = ost.enc;
        const AVCodec* codec = ost.source->codec ? ost.source->codec : AVLib.avcodec_find_encoder(enc->codec_id);
        const std::string typeName = MediaTypeName(enc->codec_type);
        if (!codec)
            FailAfterMapping(Format("Encoder (codec id %d) not found for output stream #%d.%d (%s)",
                                    int(enc->codec_id), ost.file_index, ost.index, typeName));
        bool opened = false;
        {
            // Before the codec lock, which is never held while waiting for this one.
            TSharedTablesLock tables(codec, TSharedTablesLock::tuOpen);
            TCriticalSectionGuard lock(GlobalCodecLock);
            if (FJob.FJoinMode)
                ost.codec_id = enc->codec_id;
            opened = AVLib.avcodec_open2(enc, codec, &ost.source->codec_opts) >= 0;
            if (opened)
                TCustomFFmpeg::AddCodecItem(FJob.FEncoderList, &ost.source->enc);
        }
        if (!opened)
            FailAfterMapping(Format("Error while opening encoder for output stream #%d.%d (%s) - maybe incorrect "
                                    "parameters such as bit_rate, rate, width or height. Please check error log "
                                    "message to find out more detail information.",
                                    ost.file_index, ost.index, typeName));
        // The muxer learns the opened encoder's parameters before its header.
        if (AVLib.avcodec_parameters_from_context(ost.st->codecpar, enc) < 0)
            throw FFmpegException("av_mallocz fail");
        ost.st->time_base = enc->time_base;
        if (enc->codec_type == AVMEDIA_TYPE_VIDEO)
            ost.st->avg_frame_rate = enc->framerate;
        extra_size += enc->extradata_size;
    }
}

void TTranscode::InitBitstreamFilters() {
    const size_t count = FJob.FJoinMode ? size_t(G) : ost_table.size();
    for (size_t i = 0; i < count; ++i) {
        TAVOutputStream& ost = *ost_table[i];
        if (ost.source->bitstream_filters.empty())
            continue;
        const AVCodecParameters* par = ost.st->codecpar;
        AVRational tb = ost.encoding_needed ? ost.enc->time_base : ist_table[size_t(ost.source_index)]->st->time_base;
        for (const AVBitStreamFilter* filter : ost.source->bitstream_filters) {
            AVBSFContext* bsf = nullptr;
            if (AVLib.av_bsf_alloc(filter, &bsf) < 0)
                throw FFmpegException("av_mallocz fail");
            ost.bsfs.push_back(bsf);
            bsf->time_base_in = tb;
            if (AVLib.avcodec_parameters_copy(bsf->par_in, par) < 0 || AVLib.av_bsf_init(bsf) < 0)
                throw FFmpegException(Format("Error initializing bitstream filter: %s", filter->name));
            par = bsf->par_out;
            tb = bsf->time_base_out;
        }
        // The muxer gets what the last filter puts out.
        if (AVLib.avcodec_parameters_copy(ost.st->codecpar, par) < 0)
            throw FFmpegException("av_mallocz fail");
    }
}

void TTranscode::OpenDecoders() {
    for (auto& ist : ist_table) {
        if (!ist->decoding_needed)
            continue;
        AVCodecContext* dec = ist->dec;
        const AVCodec* codec = ist->source->codec ? ist->source->codec : AVLib.avcodec_find_decoder(dec->codec_id);
        const std::string typeName = MediaTypeName(dec->codec_type);
        if (!codec)
            FailAfterMapping(Format("Decoder (codec id %d) not found for input stream #%d.%d (%s)",
                                    int(dec->codec_id), ist->file_index, ist->index, typeName));
        bool opened = false;
        {
            TCriticalSectionGuard lock(GlobalCodecLock);
            dec->pkt_timebase = ist->st->time_base;
            opened = AVLib.avcodec_open2(dec, codec, nullptr) >= 0;
            if (opened)
                TCustomFFmpeg::AddCodecItem(FJob.FDecoderList, &ist->source->dec);
        }
        if (!opened)
            FailAfterMapping(Format("Error while opening decoder for input stream #%d.%d (%s)", ist->file_index,
                                    ist->index, typeName));
    }
}

void TTranscode::InitInputTimestamps() {
    for (auto& ist : ist_table) {
        const AVRational rate = ist->st->avg_frame_rate;
        if (rate.num != 0 && rate.den != 0)
            ist->pts = -std::llround(double(ist->dec->has_b_frames * 1000000) / av_q2d(rate));
        else
            ist->pts = 0;
        ist->next_pts = AV_NOPTS_VALUE;
        ist->is_start = 1;
    }
}

void TTranscode::ApplyMetadataMaps() {
    for (const TAVMetaDataMap& map : FJob.Options().Fmeta_data_maps) {
        if (map.out_file < 0 || map.out_file >= FJob.nb_output_files())
            FailAfterMapping(Format("Invalid output file index %d map_meta_data(%d,%d)", map.out_file, map.out_file,
                                    map.in_file));
        if (map.in_file < 0 || map.in_file >= FJob.nb_input_files())
            FailAfterMapping(Format("Invalid input file index %d map_meta_data(%d,%d)", map.in_file, map.out_file,
                                    map.in_file));
        AVLib.av_dict_copy(&FJob.OutputFile(map.out_file).ctx->metadata, FJob.InputFile(map.in_file).ctx->metadata,
                           AV_DICT_DONT_OVERWRITE);
    }
}

void TTranscode::CopyAllChapters() {
    // Once into each distinct output: in join mode the output entries repeat one output.
    const std::vector<TJobOutputFile*> outputs = DistinctOutputs();
    for (int i = 0; i < FJob.nb_input_files(); ++i) {
        if (FJob.InputFile(i).ctx->nb_chapters == 0)
            continue;
        for (TJobOutputFile* output : outputs)
            CopyChapters(i, *output);
    }
}

void TTranscode::CopyChapters(int AInput, TJobOutputFile& AOutput) {
    const TJobInputFile& input = FJob.InputFile(AInput);
    AVFormatContext* os = AOutput.ctx;
    const bool limited = FJob.Options().Frecording_time != INT64_MAX;
    for (unsigned c = 0; c < input.ctx->nb_chapters; ++c) {
        const AVChapter* in = input.ctx->chapters[c];
        const int64_t ts_off = AVLib.av_rescale_q(FJob.Options().Fstart_time - input.ts_offset, AV_TIME_BASE_Q, in->time_base);
        const int64_t rt = limited ? AVLib.av_rescale_q(FJob.Options().Frecording_time, AV_TIME_BASE_Q, in->time_base) : INT64_MAX;
        if (in->end < ts_off)
            continue;
        if (limited && in->start > rt + ts_off)
            break;
        auto* out = static_cast<AVChapter*>(AVLib.av_mallocz(sizeof(AVChapter)));
        if (!out)
            throw FFmpegException("av_mallocz fail");
        out->id = in->id;
        out->time_base = in->time_base;
        out->start = std::max<int64_t>(0, in->start - ts_off);
        out->end = std::min(rt, in->end - ts_off);
        AVLib.av_dict_copy(&out->metadata, in->metadata, 0);
        void* grown = AVLib.av_realloc(os->chapters, sizeof(AVChapter*) * (os->nb_chapters + 1));
        if (!grown) {
            AVLib.av_dict_free(&out->metadata);
            AVLib.av_free(out);
            throw FFmpegException("av_realloc fail");
        }
        os->chapters = static_cast<AVChapter**>(grown);
        os->chapters[os->nb_chapters++] = out;
    }
}

void TTranscode::WriteHeaders() {
    const std::vector<TJobOutputFile*> outputs = DistinctOutputs();
    bool allRtp = true;
    std::vector<AVFormatContext*> contexts;
    for (size_t i = 0; i < outputs.size(); ++i) {
        AVFormatContext* ctx = outputs[i]->ctx;
        // AVI places pictures by their count and never pads before the first one: shifting
        // every stream past an audio encoder's priming would leave a gap after the first
        // picture. Its streams start together at 0 instead, the priming inside the audio.
        if (std::strcmp(ctx->oformat->name, "avi") == 0 && ctx->avoid_negative_ts == AVFMT_AVOID_NEG_TS_AUTO &&
            !AVLib.av_dict_get(outputs[i]->muxer_opts, "avoid_negative_ts", nullptr, 0))
            ctx->avoid_negative_ts = AVFMT_AVOID_NEG_TS_DISABLED;
        // The file is created or replaced only now, when all that can be checked before has passed.
        FJob.OpenOutputTarget(*outputs[i]);
        // A muxer refusing a codec tells why in its log only: the reason goes into the error.
        TLibraryErrorCapture muxerErrors;
        const int ret = AVLib.avformat_write_header(ctx, &outputs[i]->muxer_opts);
        if (ret < 0) {
            const std::string text = Format("Could not write header for output file #%d (incorrect codec parameters ?)", int(i));
            const std::string reason = muxerErrors.LastLine();
            FailAfterMapping(reason.empty() ? AVErrorText(text, ret) : text + ": " + reason);
        }
        headers_written.push_back(outputs[i]);
        contexts.push_back(ctx);
        if (std::strcmp(ctx->oformat->name, "rtp") != 0)
            allRtp = false;
    }
    if (allRtp && !contexts.empty()) {
        char sdp[2048] = {};
        if (AVLib.av_sdp_create(contexts.data(), int(contexts.size()), sdp, sizeof sdp) >= 0)
            GetFFLogger()->Log(&FJob, llInfo, "SDP:\r\n" + Trim(sdp));
    }
}

void TTranscode::DumpStreamMapping() {
    const std::vector<TJobOutputFile*> outputs = DistinctOutputs();
    for (size_t i = 0; i < outputs.size(); ++i)
        AVLib.av_dump_format(outputs[i]->ctx, int(i), outputs[i]->ctx->url, 1);
    if (FJob.Options().Fverbose < 0)
        return;
    TFFLogger* logger = GetFFLogger();
    logger->Log(&FJob, llVerbose, "Stream mapping:");
    for (const auto& ost : ost_table) {
        if (!ost->sync_ist)
            continue;  // not mapped yet
        const TAVInputStream& ist = *ist_table[size_t(ost->source_index)];
        const std::string typeName = MediaTypeName(ost->enc->codec_type);
        logger->Log(&FJob, llVerbose, "  Stream #%d.%d -> #%d.%d (%s)", ist.file_index, ist.index,
                    FJob.FJoinMode ? 0 : ost->file_index, ost->index, typeName);
        if (ost->sync_ist != &ist)
            logger->Log(&FJob, llVerbose, " [sync #%d.%d (%s)]", ost->sync_ist->file_index, ost->sync_ist->index,
                        typeName);
    }
}

std::string TTranscode::WriteTrailers() {
    // Every output gets its trailer, also after another one failed.
    std::string failure;
    for (TJobOutputFile* output : headers_written) {
        const int ret = AVLib.av_write_trailer(output->ctx);
        if (ret < 0 && failure.empty())
            failure = AVErrorText(output->FileName, ret);
    }
    headers_written.clear();
    return failure;
}

std::string TTranscode::CloseOutputs() {
    std::string failure;
    for (TJobOutputFile* output : DistinctOutputs()) {
        const std::string text = TCustomFFmpeg::CloseOutputTarget(*output);
        if (failure.empty())
            failure = text;
    }
    return failure;
}
