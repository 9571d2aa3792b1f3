#include "engine/transcode/TranscodeSetup.h"

#include <climits>
#include <cstdio>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/DisplayRotation.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/util/MiscUtils.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"

// Building the stream tables, choosing each output stream's source and
// preparing stream copies and encoders.

TTranscode::TTranscode(TCustomFFmpeg& AJob) : FJob(AJob) {}

// A run that ended by an error still closes every output it started: the
// file stays complete and the muxer frees what its header allocated.
TTranscode::~TTranscode() {
    WriteTrailers();  // the failure that brought us here is the one reported
    FreeTables();
}

void TTranscode::FreeTables() {
    for (auto& ost : ost_table) {
        if (ost->logfile)
            AVLib.fclose(ost->logfile);
        AVLib.av_frame_free(&ost->pict_tmp);
        if (ost->img_resample_ctx)
            AVLib.sws_freeContext(ost->img_resample_ctx);
        AVLib.swr_free(&ost->swr);
        if (ost->fifo)
            AVLib.av_audio_fifo_free(ost->fifo);
        for (AVBSFContext*& bsf : ost->bsfs)
            AVLib.av_bsf_free(&bsf);
    }
    ost_table.clear();
    ist_table.clear();
    file_table.clear();
}

std::vector<TJobOutputFile*> TTranscode::DistinctOutputs() const {
    std::vector<TJobOutputFile*> outputs;
    for (TJobOutputFile* output : FJob.Foutput_files)
        if (outputs.empty() || outputs.back() != output)
            outputs.push_back(output);
    return outputs;
}

void TTranscode::SetUp() {
    try {
        no_packet.assign(size_t(FJob.FMaxFiles), false);
        no_packet_count = 0;
        BuildInputTables();
        BuildOutputTable();
        OpenEncoders();
        InitBitstreamFilters();
        OpenDecoders();
        InitInputTimestamps();
        ApplyMetadataMaps();
        CopyAllChapters();
        WriteHeaders();
        FJob.ReportUnusedOptions();   // every encoder and muxer has taken its options by now
        DumpStreamMapping();
    } catch (...) {
        // Nothing of an output without a complete header is of use, when this
        // run created the file; a file that was there before stays.
        for (TJobOutputFile* output : DistinctOutputs()) {
            bool written = false;
            for (TJobOutputFile* w : headers_written)
                written = written || w == output;
            if (!written && output->Created) {
                TCustomFFmpeg::CloseOutputTarget(*output);
                std::remove(output->FileName.c_str());
                output->Created = false;
            }
        }
        FreeTables();
        throw;
    }
}

void TTranscode::BuildInputTables() {
    file_table.assign(FJob.FInputs.size(), TAVInputFile{});
    int total = 0;
    for (size_t i = 0; i < FJob.FInputs.size(); ++i) {
        TJobInputFile& input = *FJob.FInputs[i];
        file_table[i].ist_index = total;
        file_table[i].nb_streams = int(input.streams.size());
        total += file_table[i].nb_streams;
        for (size_t j = 0; j < input.streams.size(); ++j) {
            auto ist = std::make_unique<TAVInputStream>();
            ist->file_index = int(i);
            ist->index = int(j);
            ist->source = input.streams[j].get();
            ist->st = ist->source->st;
            ist->dec = ist->source->dec;
            if (FJob.Options().Frate_emu)
                ist->start = AVLib.av_gettime();
            ist_table.push_back(std::move(ist));
        }
    }
}

void TTranscode::DumpOutputFormat(int AIndex) {
    TJobOutputFile& output = FJob.OutputFile(AIndex);
    AVLib.av_dump_format(output.ctx, AIndex, output.ctx->url, 1);
}

void TTranscode::BuildOutputTable() {
    G = 0;
    int nb_ostreams = 0;
    for (int i = 0; i < FJob.nb_output_files(); ++i) {
        const int count = int(FJob.OutputFile(i).streams.size());
        if (count == 0) {
            DumpOutputFormat(i);
            throw FFmpegException(Format("Output file #%d does not contain any stream", i));
        }
        nb_ostreams += count;
        if (i == 0)
            G = count;
    }
    const auto& maps = FJob.Options().Fstream_maps;
    if (!maps.empty() && int(maps.size()) != nb_ostreams)
        throw FFmpegException("Number of stream maps must match number of output streams");
    auto missing = [this](int AFile, int AStream) {
        return AFile < 0 || AFile >= int(file_table.size()) || AStream < 0 ||
               AStream >= file_table[size_t(AFile)].nb_streams;
    };
    for (const TAVStreamMap& map : maps) {
        if (missing(map.file_index, map.stream_index))
            throw FFmpegException(Format("Could not find input stream #%d.%d", map.file_index, map.stream_index));
        if (missing(map.sync_file_index, map.sync_stream_index))
            throw FFmpegException(
                Format("Could not find sync stream #%d.%d", map.sync_file_index, map.sync_stream_index));
    }
    for (int n = 0; n < nb_ostreams; ++n)
        ost_table.push_back(std::make_unique<TAVOutputStream>());
    MapOutputStreams();
    SetupOutputCodecs();
}

void TTranscode::MapOutputStreams() {
    const auto& maps = FJob.Options().Fstream_maps;
    int n = 0;
    for (int k = 0; k < FJob.nb_output_files(); ++k) {
        TJobOutputFile& output = FJob.OutputFile(k);
        for (size_t j = 0; j < output.streams.size(); ++j, ++n) {
            TAVOutputStream& ost = *ost_table[size_t(n)];
            ost.file_index = k;
            ost.index = int(j);
            ost.output = &output;
            ost.source = output.streams[j].get();
            ost.st = ost.source->st;
            ost.enc = ost.source->enc;
            if (!maps.empty())
                MapExplicitStream(ost, n);
            else
                MapDefaultStream(ost, k);
            TAVInputStream& ist = *ist_table[size_t(ost.source_index)];
            ist.discard = 0;
            if (!maps.empty()) {
                const TAVStreamMap& map = maps[size_t(n)];
                ost.sync_ist =
                    ist_table[size_t(file_table[size_t(map.sync_file_index)].ist_index + map.sync_stream_index)].get();
            } else {
                ost.sync_ist = &ist;
            }
            ost.show_fps = 1;
        }
    }
}

void TTranscode::MapExplicitStream(TAVOutputStream& AOst, int n) {
    const TAVStreamMap& map = FJob.Options().Fstream_maps[size_t(n)];
    AOst.source_index = file_table[size_t(map.file_index)].ist_index + map.stream_index;
    const AVMediaType inType = ist_table[size_t(AOst.source_index)]->st->codecpar->codec_type;
    const AVMediaType outType = AOst.enc->codec_type;
    if (inType != outType) {
        DumpOutputFormat(AOst.file_index);
        throw FFmpegException(Format("Codec type mismatch for mapping #%d.%d (%s) -> #%d.%d (%s)", map.file_index,
                                     map.stream_index, MediaTypeName(inType), AOst.file_index, AOst.index,
                                     MediaTypeName(outType)));
    }
}

void TTranscode::MapDefaultStream(TAVOutputStream& AOst, int k) {
    const AVMediaType type = AOst.enc->codec_type;
    const int programId = FJob.Options().Fopt_programid;
    auto inProgram = [&](const TAVInputStream& AIst) {
        const AVFormatContext* ctx = FJob.InputFile(AIst.file_index).ctx;
        for (unsigned p = 0; p < ctx->nb_programs; ++p) {
            const AVProgram* program = ctx->programs[p];
            if (program->id != programId)
                continue;
            for (unsigned s = 0; s < program->nb_stream_indexes; ++s)
                if (int(program->stream_index[s]) == AIst.st->index)
                    return true;
        }
        return false;
    };
    // The library's best stream of that type of each input goes first, then
    // the table order: the library weighs what it learned while probing.
    int found = -1;
    int firstQualifying = -1;
    for (size_t j = 0; j < ist_table.size() && found < 0; ++j) {
        const TAVInputStream& ist = *ist_table[j];
        if (programId != 0 && !inProgram(ist))
            continue;
        if (ist.discard != 1 || ist.st->discard == AVDISCARD_ALL || ist.st->codecpar->codec_type != type)
            continue;
        if (FJob.FJoinMode && ist.file_index != k)
            continue;
        if (firstQualifying < 0)
            firstQualifying = int(j);
        AVFormatContext* ctx = FJob.InputFile(ist.file_index).ctx;
        if (AVLib.av_find_best_stream(ctx, type, -1, -1, nullptr, 0) == ist.st->index)
            found = int(j);
    }
    if (found < 0)
        found = firstQualifying;
    if (found < 0 && programId == 0 && !FJob.FJoinMode) {
        for (size_t j = 0; j < ist_table.size(); ++j) {
            const TAVInputStream& ist = *ist_table[j];
            if (ist.st->codecpar->codec_type == type && ist.st->discard != AVDISCARD_ALL)
                found = int(j);
        }
    }
    if (found < 0) {
        DumpOutputFormat(AOst.file_index);
        throw FFmpegException(Format("Could not find input stream matching output stream #%d.%d (%s)",
                                     AOst.file_index, AOst.index, MediaTypeName(type)));
    }
    AOst.source_index = found;
}

void TTranscode::SetupOutputCodecs() {
    for (size_t i = 0; i < ost_table.size(); ++i) {
        TAVOutputStream& ost = *ost_table[i];
        TAVInputStream& ist = *ist_table[size_t(ost.source_index)];
        // In join mode the groups share the library streams: group 0 sets them up.
        const bool first = !FJob.FJoinMode || ost.file_index == 0;
        if (first) {
            AVLib.av_dict_copy(&ost.st->metadata, ist.st->metadata, AV_DICT_DONT_OVERWRITE);
            ost.st->disposition = ist.st->disposition;
            ost.enc->bits_per_raw_sample = ist.dec->bits_per_raw_sample;
            ost.enc->chroma_sample_location = ist.dec->chroma_sample_location;
        }
        if (ost.source->stream_copy)
            SetupStreamCopy(ost, ist, first);
        else
            SetupEncoding(int(i), ost, ist);
    }
}

void TTranscode::SetupStreamCopy(TAVOutputStream& AOst, TAVInputStream& AIst, bool AFirstOfShared) {
    const AVCodecParameters* in = AIst.st->codecpar;
    if (int64_t(in->extradata_size) + AV_INPUT_BUFFER_PADDING_SIZE > INT_MAX)
        throw FFmpegException("icodec.extradata_size is invalid (too large)");
    const AVMediaType type = AOst.enc->codec_type;
    switch (type) {
    case AVMEDIA_TYPE_AUDIO:
        if (FJob.Options().Faudio_volume != 256)
            throw FFmpegException("-acodec copy and -vol are incompatible (frames are not decoded)");
        break;
    case AVMEDIA_TYPE_VIDEO:
        if (FJob.OnCustomHook)
            throw FFmpegException("-vcodec copy and CustomHook are incompatible (frames are not decoded)");
        if (FJob.Options().Fusing_vhook)
            throw FFmpegException("-vcodec copy and -vhook are incompatible (frames are not decoded)");
        if (!FJob.Options().FPostHooks.Empty())
            throw FFmpegException("-vcodec copy and PostHooks are incompatible (frames are not decoded)");
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        break;
    default:
        throw FFmpegException("invalid codec_type of output stream");
    }
    if (!AFirstOfShared)
        return;

    AVCodecParameters* out = AOst.st->codecpar;
    const uint32_t askedTag = AOst.enc->codec_tag;  // "vtag"/"atag"/"stag"
    const AVRational askedSar = AOst.st->sample_aspect_ratio;
    if (AVLib.avcodec_parameters_copy(out, in) < 0)
        throw FFmpegException("av_mallocz fail");
    // The input's tag only where the output format would map it back to the same codec.
    uint32_t tag = askedTag;
    if (tag == 0) {
        const AVCodecTag* const* table = AOst.output->ctx->oformat->codec_tag;
        if (!table || AVLib.av_codec_get_id(table, in->codec_tag) == in->codec_id ||
            AVLib.av_codec_get_tag(table, in->codec_id) == 0)
            tag = in->codec_tag;
    }
    out->codec_tag = tag;

    // Time base: the decoder's frame duration where the stream's own is finer than 1 ms.
    const AVRational stb = AIst.st->time_base;
    const AVRational dtb = AIst.dec->time_base;
    AVRational tb = stb;
    if (dtb.num > 0 && dtb.den > 0 && av_q2d(dtb) * AIst.dec->ticks_per_frame > av_q2d(stb) && av_q2d(stb) < 0.001) {
        AVLib.av_reduce(&tb.num, &tb.den, int64_t(dtb.num) * AIst.dec->ticks_per_frame, dtb.den, INT_MAX);
    }
    if (type == AVMEDIA_TYPE_AUDIO) {
        if ((out->block_align == 1 && out->codec_id == AV_CODEC_ID_MP3) || out->codec_id == AV_CODEC_ID_AC3)
            out->block_align = 0;
    } else if (type == AVMEDIA_TYPE_VIDEO) {
        // An aspect asked for the copy wins over the input's.
        if (askedSar.num > 0)
            out->sample_aspect_ratio = askedSar;
        AOst.st->sample_aspect_ratio = out->sample_aspect_ratio;
    }
    // The context mirrors the copied parameters for the packet loop.
    if (AVLib.avcodec_parameters_to_context(AOst.enc, out) < 0)
        throw FFmpegException("av_mallocz fail");
    AOst.enc->time_base = tb;
    AOst.st->time_base = tb;
}

void TTranscode::SetupEncoding(int i, TAVOutputStream& AOst, TAVInputStream& AIst) {
    AVCodecContext* codec = AOst.enc;
    AVCodecContext* icodec = AIst.dec;
    switch (codec->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        if (codec->sample_fmt != AV_SAMPLE_FMT_NONE && codec->ch_layout.nb_channels > 0) {
            AOst.fifo = AVLib.av_audio_fifo_alloc(codec->sample_fmt, codec->ch_layout.nb_channels, 1024);
            if (!AOst.fifo)
                throw FFmpegException("av_fifo_alloc fail");
        }
        AOst.audio_resample = codec->sample_rate != icodec->sample_rate || FJob.Options().Faudio_sync_method > 1;
        AIst.decoding_needed = 1;
        AOst.encoding_needed = 1;
        break;
    case AVMEDIA_TYPE_VIDEO: {
        if (codec->pix_fmt == AV_PIX_FMT_NONE)
            throw FFmpegException("Video pixel format is unknown, stream cannot be encoded");
        const int top = FJob.Options().Fframe_topBand, bottom = FJob.Options().Fframe_bottomBand;
        const int left = FJob.Options().Fframe_leftBand, right = FJob.Options().Fframe_rightBand;
        const int srcWidth = icodec->width - left - right;
        const int srcHeight = icodec->height - top - bottom;
        AOst.video_crop = left + right + top + bottom != 0;
        AOst.video_resample =
            codec->width != srcWidth || codec->height != srcHeight || codec->pix_fmt != icodec->pix_fmt;
        if (AOst.video_crop) {
            AOst.topBand = AOst.original_topBand = top;
            AOst.bottomBand = AOst.original_bottomBand = bottom;
            AOst.leftBand = AOst.original_leftBand = left;
            AOst.rightBand = AOst.original_rightBand = right;
        }
        if (AOst.video_resample) {
            AOst.pict_tmp = AVLib.av_frame_alloc();
            if (!AOst.pict_tmp)
                throw FFmpegException("Cannot allocate temp picture, check pix fmt");
            AOst.pict_tmp->format = codec->pix_fmt;
            AOst.pict_tmp->width = codec->width;
            AOst.pict_tmp->height = codec->height;
            if (AVLib.av_frame_get_buffer(AOst.pict_tmp, 0) < 0)
                throw FFmpegException("Cannot allocate temp picture, check pix fmt");
            int64_t flags = 0;
            if (FJob.FOptions.sws_opts && AVLib.av_opt_get_int(FJob.FOptions.sws_opts, "sws_flags", 0, &flags) >= 0)
                FJob.Options().Fsws_flags = int(flags);
            if (srcWidth > 0 && srcHeight > 0 && icodec->pix_fmt != AV_PIX_FMT_NONE)
                AOst.img_resample_ctx =
                    AVLib.sws_getCachedContext(nullptr, srcWidth, srcHeight, icodec->pix_fmt, codec->width,
                                               codec->height, codec->pix_fmt, FJob.Options().Fsws_flags, nullptr, nullptr, nullptr);
            if (!AOst.img_resample_ctx)
                throw FFmpegException("Cannot get resampling context");
            if (!FJob.FEnableFilter) {
                AOst.original_height = icodec->height;
                AOst.original_width = icodec->width;
            }
            codec->bits_per_raw_sample = 0;
        }
        AOst.resample_height = srcHeight;
        AOst.resample_width = srcWidth;
        AOst.resample_pix_fmt = icodec->pix_fmt;
        AOst.encoding_needed = 1;
        AIst.decoding_needed = 1;
        FJob.FLastErrMsg.clear();
        // A picture stored turned is turned upright in a graph, also without a filter text.
        if ((FJob.FEnableFilter || DisplayRotation(AIst.st) != 0) && ConfigureVideoFilters(AIst, AOst) != 0) {
            FJob.FLastErrMsg = FJob.FLastErrMsg.empty() ? std::string("Error opening filters!")
                                                        : "Error opening filters: " + FJob.FLastErrMsg;
            throw FFmpegException(FJob.FLastErrMsg);
        }
        break;
    }
    case AVMEDIA_TYPE_SUBTITLE:
        PrepareSubtitleEncoder(AOst, AIst);
        AOst.encoding_needed = 1;
        AIst.decoding_needed = 1;
        break;
    default:
        throw FFmpegException("invalid codec_type of output stream");
    }
    if (AOst.encoding_needed && (codec->flags & (AV_CODEC_FLAG_PASS1 | AV_CODEC_FLAG_PASS2)))
        OpenPassLogFile(i, AOst);
}

void TTranscode::OpenPassLogFile(int i, TAVOutputStream& AOst) {
    std::string name = FJob.Options().Fpass_logfilename_prefix.empty() ? std::string("ffmpeg2pass")
                                                             : FJob.Options().Fpass_logfilename_prefix;
    name += Format("-%d.log", i);
    if (name.size() > 1023)
        name.resize(1023);
    AVCodecContext* codec = AOst.enc;
    if (codec->flags & AV_CODEC_FLAG_PASS1) {
        AOst.logfile = AVLib.fopen(name.c_str(), "wb");
        if (!AOst.logfile)
            throw FFmpegException(Format("Cannot write log file %s for pass-1 encoding", name));
        return;
    }
    char* buffer = nullptr;
    int64_t size = 0;
    const int result = ReadWholeFile(name, &buffer, &size);
    if (result == AVERROR(ENOMEM))
        throw FFmpegException(
            Format("Could not allocate file buffer: Error reading log file \"%s\" for pass-2 encoding", name));
    if (result < 0)
        throw FFmpegException(Format("Cannot read file: Error reading log file \"%s\" for pass-2 encoding", name));
    AVLib.av_freep(&codec->stats_in);
    codec->stats_in = buffer;
}
