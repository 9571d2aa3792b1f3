#include <cerrno>
#include <ctime>

#include "engine/loader/EntryPoints.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/util/FileNames.h"
#include "engine/util/FileSafety.h"
#include "engine/util/Texts.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

namespace {

const char* const OutputIsInputText = "Output file is one of the input files; it is never written over";

// Whether a muxer has a private option of that name.
bool MuxerKnows(const AVOutputFormat* AFormat, const char* AName) {
    if (!AFormat->priv_class)
        return false;
    const AVClass* cls = AFormat->priv_class;
    return AVLib.av_opt_find(&cls, AName, nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ) != nullptr;
}

// "2026-12-10T13:40:00.000000Z" of seconds since 1970.
std::string CreationTimeText(int64_t ASeconds) {
    const time_t t = time_t(ASeconds);
    struct tm utc {};
    gmtime_r(&t, &utc);
    char text[64];
    strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S.000000Z", &utc);
    return text;
}

// Why a local output cannot be written, checked without touching the file:
// it is one of the inputs, a folder, or its folder takes no new file. "" when
// none holds (and for names of other protocols).
std::string OutputRefusal(const std::string& AFileName, const std::vector<std::unique_ptr<TJobInputFile>>& AInputs) {
    const std::string local = LocalFileOf(AFileName);
    if (local.empty())
        return "";
    for (const auto& input : AInputs)
        if (SameFile(local, LocalFileOf(input->FileName)))
            return Format("%s: %s", AFileName, OutputIsInputText);
    if (DirectoryExists(local))
        return AVErrorText(AFileName, AVERROR(EISDIR));
    const std::string folder = ExtractFileDir(local);
    if (const int error = CheckFolderWritable(folder.empty() ? "." : folder))
        return AVErrorText(AFileName, AVERROR(error));
    return "";
}

} // namespace

void TCustomFFmpeg::OpenOutputTarget(TJobOutputFile& AOutput) {
    AVFormatContext* ctx = AOutput.ctx;
    if (!ctx || ctx->pb || (ctx->oformat->flags & AVFMT_NOFILE))
        return;
    const std::string local = LocalFileOf(AOutput.FileName);
    if (!local.empty()) {
        // Checked again: the files may have changed since the job was built.
        for (const auto& input : FInputs)
            if (SameFile(local, LocalFileOf(input->FileName)))
                throw FFmpegException(Format("%s: %s", AOutput.FileName, OutputIsInputText));
    }
    const bool existed = !local.empty() && (FileExists(local) || DirectoryExists(local));
    if (existed && !FReplaceExisting)
        throw FFmpegException(AVErrorText(AOutput.FileName, AVERROR(EEXIST)));
    const int opened = AVLib.avio_open(&ctx->pb, FileNameToAV(AOutput.FileName).c_str(), AVIO_FLAG_WRITE);
    if (opened < 0)
        throw FFmpegException(AVErrorText(AOutput.FileName, opened));
    AOutput.Created = !local.empty() && !existed;
}

std::string TCustomFFmpeg::CloseOutputTarget(TJobOutputFile& AOutput) {
    AVFormatContext* ctx = AOutput.ctx;
    if (!ctx || !ctx->pb || (ctx->oformat->flags & AVFMT_NOFILE))
        return "";
    // A write that failed earlier leaves its error in the context; closing
    // flushes what is buffered and reports its own failure.
    const int pending = ctx->pb->error;
    const int closed = AVLib.avio_closep(&ctx->pb);
    const int error = pending < 0 ? pending : closed;
    return error < 0 ? AVErrorText(AOutput.FileName, error) : std::string();
}

int TCustomFFmpeg::AbortOutputFile(std::unique_ptr<TJobOutputFile>& AOutput) {
    if (!Foutput_files.empty() && Foutput_files.back() == AOutput.get())
        Foutput_files.pop_back();
    if (AOutput)
        FreeOutputFile(*AOutput, false);
    AOutput.reset();
    return -1;
}

int TCustomFFmpeg::OpenOutputFile(const std::string& AFileName, bool AJoin) {
    CheckAVLib();
    if (FJoinMode) {
        FLastErrMsg = "Cannot join more than one output file.";
        return -1;
    }
    if (int(FOutputs.size()) >= FMaxFiles) {
        FLastErrMsg = Format("max output files %d reached", FMaxFiles);
        return -1;
    }
    FEnableFilter = !FOptionState.Fvfilters.empty();

    auto output = std::make_unique<TJobOutputFile>();
    output->FileName = AFileName;
    output->ctx = AVLib.avformat_alloc_context();
    if (!output->ctx)
        throw FFmpegException("avformat_alloc_context failed");

    // Each step leaves its refusal in FLastErrMsg.
    const std::string avName = FileNameToAV(AFileName);
    const AVOutputFormat* format = ChooseOutputFormat(AFileName, avName);
    if (!format)
        return AbortOutputFile(output);
    output->ctx->oformat = format;
    output->ctx->url = AVLib.av_strdup(avName.c_str());
    if (!AddOutputFileStreams(*output, AJoin))
        return AbortOutputFile(output);
    SetOutputMetadata(output->ctx);

    Foutput_files.push_back(output.get());  // AbortOutputFile takes it back off
    if (!CheckOutputTarget(AFileName, avName, format))
        return AbortOutputFile(output);
    SetMuxerOptions(*output);
    FOptionState.Fstreamid_map.clear();
    FOutputs.push_back(std::move(output));

    if (AJoin && FInputs.size() > 1) {
        FJoinMode = true;
        SetUpJoinMode();
    }
    return nb_output_files();
}

const AVOutputFormat* TCustomFFmpeg::ChooseOutputFormat(const std::string& AFileName, const std::string& AAVName) {
    if (FOptionState.Flast_asked_format.empty()) {
        const AVOutputFormat* format = AVLib.av_guess_format(nullptr, AAVName.c_str(), nullptr);
        if (!format)
            FLastErrMsg = Format("Unable to find a suitable output format for '%s'", AFileName);
        return format;
    }
    const AVOutputFormat* format = AVLib.av_guess_format(FOptionState.Flast_asked_format.c_str(), nullptr, nullptr);
    if (!format) {
        FLastErrMsg =
            Format("Requested output format '%s' is not a suitable output format", FOptionState.Flast_asked_format);
        return nullptr;
    }
    FOptionState.Flast_asked_format.clear();
    return format;
}

bool TCustomFFmpeg::AddOutputFileStreams(TJobOutputFile& AOutput, bool AJoin) {
    const AVOutputFormat* format = AOutput.ctx->oformat;
    bool useVideo = format->video_codec != AV_CODEC_ID_NONE || FOptionState.Fvideo_stream_copy || !FOptionState.Fvideo_codec_name.empty();
    bool useAudio = format->audio_codec != AV_CODEC_ID_NONE || FOptionState.Faudio_stream_copy || !FOptionState.Faudio_codec_name.empty();
    bool useSubtitle =
        format->subtitle_codec != AV_CODEC_ID_NONE || FOptionState.Fsubtitle_stream_copy || !FOptionState.Fsubtitle_codec_name.empty();
    if (!FInputs.empty()) {
        int hasVideo = 0, hasAudio = 0, hasSubtitle = 0;
        try {
            CheckInputStreamTypes(hasVideo, hasAudio, hasSubtitle, AJoin);
        } catch (const std::exception& e) {
            FLastErrMsg = Format("check_audio_video_sub_inputs fail: %s", e.what());
            return false;
        }
        useVideo = useVideo && hasVideo;
        useAudio = useAudio && hasAudio;
        useSubtitle = useSubtitle && hasSubtitle;
    }
    useVideo = useVideo && !FOptionState.Fvideo_disable;
    useAudio = useAudio && !FOptionState.Faudio_disable;
    useSubtitle = useSubtitle && !FOptionState.Fsubtitle_disable;

    const struct {
        bool Use;
        void (TCustomFFmpeg::*Make)(TJobOutputFile&, TOptionState&);
        const char* Text;
    } builders[] = {
        {useVideo, &TCustomFFmpeg::NewVideoStream, "new_video_stream fail: %s"},
        {useAudio, &TCustomFFmpeg::NewAudioStream, "new_audio_stream fail: %s"},
        {useSubtitle, &TCustomFFmpeg::NewSubtitleStream, "new_subtitle_stream fail: %s"},
    };
    for (const auto& b : builders) {
        if (!b.Use)
            continue;
        try {
            (this->*b.Make)(AOutput, FOptionState);
        } catch (const std::exception& e) {
            FLastErrMsg = Format(b.Text, e.what());
            return false;
        }
    }
    return true;
}

void TCustomFFmpeg::SetOutputMetadata(AVFormatContext* AContext) {
    // Today's muxers keep the time stamp as "creation_time" metadata.
    if (FOptionState.Frecording_timestamp != 0)
        AVLib.av_dict_set(&AContext->metadata, "creation_time", CreationTimeText(FOptionState.Frecording_timestamp).c_str(), 0);
    // Written last to first, so that of a key given twice the first pair wins.
    for (auto it = FOptionState.Fmetadata.rbegin(); it != FOptionState.Fmetadata.rend(); ++it)
        AVLib.av_dict_set(&AContext->metadata, it->first.c_str(), it->second.c_str(), 0);
    FOptionState.Fmetadata.clear();
}

bool TCustomFFmpeg::CheckOutputTarget(const std::string& AFileName, const std::string& AAVName,
                                      const AVOutputFormat* AFormat) {
    if ((AFormat->flags & AVFMT_NEEDNUMBER) && !AVLib.av_filename_number_test(AAVName.c_str())) {
        FLastErrMsg = AVErrorText(AFileName, AVERROR(EDOM));
        return false;
    }
    // The file is opened only when the conversion begins (OpenOutputTarget):
    // a job that is built, checked or dropped again never touches it.
    if (!(AFormat->flags & AVFMT_NOFILE)) {
        FLastErrMsg = OutputRefusal(AFileName, FInputs);
        if (!FLastErrMsg.empty())
            return false;
    }
    return true;
}

void TCustomFFmpeg::SetMuxerOptions(TJobOutputFile& AOutput) {
    AVFormatContext* ctx = AOutput.ctx;
    const AVOutputFormat* format = ctx->oformat;
    ctx->max_delay = int(FOptionState.Fmux_max_delay * 1000000);
    ctx->flags |= AVFMT_FLAG_NONBLOCK;
    AVLib.av_dict_copy(&AOutput.muxer_opts, FOptions.format_dict, 0);
    if (MuxerKnows(format, "preload"))
        AVLib.av_dict_set(&AOutput.muxer_opts, "preload", IntToStr(int64_t(FOptionState.Fmux_preload * 1000000)).c_str(),
                          AV_DICT_DONT_OVERWRITE);
    if (MuxerKnows(format, "loop"))
        AVLib.av_dict_set(&AOutput.muxer_opts, "loop", IntToStr(FOptionState.Floop_output).c_str(), AV_DICT_DONT_OVERWRITE);
    ApplyFFOptions(FOptions, ctx, FOptions.avformat_opts, AV_OPT_FLAG_ENCODING_PARAM);
    CollectMuxerOptions(AOutput);
}

void TCustomFFmpeg::SetUpJoinMode() {
    int64_t total = 0;
    for (const auto& input : FInputs)
        if (input->ctx->duration != AV_NOPTS_VALUE)
            total += input->ctx->duration;
    FOptionState.FTotalOutputDuration = total == 0 ? -1 : total;
    TJobOutputFile* output = Foutput_files.back();
    for (size_t i = 1; i < FInputs.size(); ++i)
        Foutput_files.push_back(output);
}

void TCustomFFmpeg::NewVideoStreamOption() {
    if (Foutput_files.empty())
        throw FFmpegException("At least one output file must be specified");
    NewVideoStream(*Foutput_files.back(), FOptionState);
}

void TCustomFFmpeg::NewAudioStreamOption() {
    if (Foutput_files.empty())
        throw FFmpegException("At least one output file must be specified");
    NewAudioStream(*Foutput_files.back(), FOptionState);
}

void TCustomFFmpeg::NewSubtitleStreamOption() {
    if (Foutput_files.empty())
        throw FFmpegException("At least one output file must be specified");
    NewSubtitleStream(*Foutput_files.back(), FOptionState);
}
