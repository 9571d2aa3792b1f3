#include "engine/transcode/VideoOutput.h"

#include <algorithm>
#include <cmath>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/TranscodeRun.h"
#include "platform/core/SysUtils.h"

// The video output path: frame-rate sync (duplicating and dropping), crop,
// the engine's scaler, encoding, and the statistics file.

int VideoSyncFrames(int method, bool variable_rate_container, double sync_ipts, int64_t& sync_opts) {
    if (method == 0) {
        sync_opts = std::llrint(sync_ipts);
        return 1;
    }
    const double vdelta = sync_ipts - double(sync_opts);
    if (vdelta < -1.1)
        return 0;
    if (method == 2 || (method < 0 && variable_rate_container)) {
        if (vdelta <= -0.6)
            return 0;
        if (vdelta > 0.6)
            sync_opts = std::llrint(sync_ipts);
        return 1;
    }
    if (vdelta > 1.1)
        return int(std::llrint(vdelta));
    return 1;
}

int RescaleMargin(int margin, int size, int original) {
    if (original <= 0)
        return margin;
    const int64_t scaled = int64_t(size) * margin / original;
    return int(std::clamp<int64_t>(scaled, 0, INT32_MAX)) & ~1;
}

void TTranscodeRun::RescaleMargins(TAVOutputStream& ost, int width, int height) {
    ost.topBand = RescaleMargin(ost.original_topBand, height, ost.original_height);
    ost.bottomBand = RescaleMargin(ost.original_bottomBand, height, ost.original_height);
    ost.leftBand = RescaleMargin(ost.original_leftBand, width, ost.original_width);
    ost.rightBand = RescaleMargin(ost.original_rightBand, width, ost.original_width);
}

void TTranscodeRun::DoVideoOut(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture, int& frame_size) {
    frame_size = 0;
    const int nb_frames = VideoFramesToWrite(ost);
    if (nb_frames <= 0)
        return;
    FollowPictureChange(ost, ist, picture);
    AVFrame* formatted = ost.video_crop ? CropPicture(ost, picture) : picture;
    if (!formatted)
        return;
    AVFrame* final = ost.video_resample ? ResamplePicture(ost, formatted) : formatted;
    SetEncodedPictureProperties(ost, picture, final);
    EncodeVideoFrames(ost, final, nb_frames, frame_size);
}

int TTranscodeRun::VideoFramesToWrite(TAVOutputStream& ost) {
    const double sync_ipts =
        double(ost.sync_ist->pts - FJob.Options().Fstart_time) / 1000000.0 / av_q2d(ost.enc->time_base);
    const bool vfr = ost.output->ctx->oformat->flags & AVFMT_VARIABLE_FPS;
    const int nb_frames = VideoSyncFrames(FJob.Options().Fvideo_sync_method, vfr, sync_ipts, ost.sync_opts);
    TFFLogger* logger = GetFFLogger();
    if (nb_frames == 0) {
        ++FVideoOut.FramesDrop;
        FVideoOut.ShowDupOrDrop = true;
        if (FJob.Options().Fverbose > 2)
            logger->Log(&FJob, llVerbose, "*** drop!");
    } else if (nb_frames > 1) {
        FVideoOut.FramesDup += nb_frames - 1;
        FVideoOut.ShowDupOrDrop = true;
        if (FJob.Options().Fverbose > 2)
            logger->Log(&FJob, llVerbose, "*** %d dup!", nb_frames - 1);
    }
    return std::min(nb_frames, FJob.Options().Fmax_frames[flVideo] - ost.frame_number);
}

void TTranscodeRun::FollowPictureChange(TAVOutputStream& ost, TAVInputStream& ist, const AVFrame* picture) {
    // The decoder's picture may change size or format on the way: the scaler follows.
    AVCodecContext* enc = ost.enc;
    const int width = picture->width, height = picture->height;
    const AVPixelFormat format = AVPixelFormat(picture->format);
    if (ost.resample_height == height - (ost.topBand + ost.bottomBand) &&
        ost.resample_width == width - (ost.leftBand + ost.rightBand) && ost.resample_pix_fmt == format)
        return;
    const char* formatName = AVLib.av_get_pix_fmt_name(format);
    GetFFLogger()->Log(&FJob, llQuiet, "Input Stream #%d.%d frame size changed to %dx%d, %s", ist.file_index,
                       ist.index, width, height, std::string(formatName ? formatName : "none"));
    if (ost.video_crop)
        RescaleMargins(ost, width, height);
    ost.resample_height = height - (ost.topBand + ost.bottomBand);
    ost.resample_width = width - (ost.leftBand + ost.rightBand);
    ost.resample_pix_fmt = format;
    if (ost.img_resample_ctx)
        AVLib.sws_freeContext(ost.img_resample_ctx);
    ost.img_resample_ctx = nullptr;
    ost.video_resample = ost.resample_width != enc->width || ost.resample_height != enc->height ||
                         ost.resample_pix_fmt != enc->pix_fmt;
    if (!ost.video_resample)
        return;
    int64_t flags = 0;
    if (FJob.FOptions.sws_opts && AVLib.av_opt_get_int(FJob.FOptions.sws_opts, "sws_flags", 0, &flags) >= 0)
        FJob.Options().Fsws_flags = int(flags);
    if (ost.resample_width > 0 && ost.resample_height > 0)
        ost.img_resample_ctx =
            AVLib.sws_getCachedContext(nullptr, ost.resample_width, ost.resample_height, format, enc->width,
                                       enc->height, enc->pix_fmt, FJob.Options().Fsws_flags, nullptr, nullptr, nullptr);
    if (!ost.img_resample_ctx)
        throw FFmpegException("Cannot get resampling context");
}

AVFrame* TTranscodeRun::CropPicture(TAVOutputStream& ost, AVFrame* picture) {
    AVLib.av_frame_unref(FVideoOut.Cropped);
    if (AVLib.av_frame_ref(FVideoOut.Cropped, picture) < 0)
        throw FFmpegException("error cropping picture");
    FVideoOut.Cropped->crop_top = size_t(ost.topBand);
    FVideoOut.Cropped->crop_bottom = size_t(ost.bottomBand);
    FVideoOut.Cropped->crop_left = size_t(ost.leftBand);
    FVideoOut.Cropped->crop_right = size_t(ost.rightBand);
    if (AVLib.av_frame_apply_cropping(FVideoOut.Cropped, AV_FRAME_CROP_UNALIGNED) < 0) {
        if (FJob.Options().Fexit_on_error)
            throw FFmpegException("error cropping picture");
        GetFFLogger()->Log(&FJob, llError, "error cropping picture");
        return nullptr;
    }
    return FVideoOut.Cropped;
}

AVFrame* TTranscodeRun::ResamplePicture(TAVOutputStream& ost, AVFrame* formatted) {
    AVCodecContext* enc = ost.enc;
    if (!ost.pict_tmp) {
        ost.pict_tmp = AVLib.av_frame_alloc();
        if (!ost.pict_tmp)
            throw FFmpegException("Cannot allocate temp picture, check pix fmt");
    }
    if (!ost.pict_tmp->data[0]) {
        ost.pict_tmp->format = enc->pix_fmt;
        ost.pict_tmp->width = enc->width;
        ost.pict_tmp->height = enc->height;
        if (AVLib.av_frame_get_buffer(ost.pict_tmp, 0) < 0)
            throw FFmpegException("Cannot allocate temp picture, check pix fmt");
    }
    // The encoder may still hold the last picture: never draw into it.
    if (AVLib.av_frame_make_writable(ost.pict_tmp) < 0)
        throw FFmpegException("Cannot allocate temp picture, check pix fmt");
    LibraryCall([&] {
        return AVLib.sws_scale(ost.img_resample_ctx, formatted->data, formatted->linesize, 0, ost.resample_height,
                               ost.pict_tmp->data, ost.pict_tmp->linesize);
    });
    return ost.pict_tmp;
}

void TTranscodeRun::SetEncodedPictureProperties(const TAVOutputStream& ost, const AVFrame* picture, AVFrame* final) {
    const AVCodecContext* enc = ost.enc;
    final->interlaced_frame = picture->interlaced_frame;
    const AVCodecContext* videoOptions = FJob.FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO];
    if (videoOptions && (videoOptions->flags & (AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME)))
        final->top_field_first = FJob.Options().Ftop_field_first == -1 ? picture->top_field_first : FJob.Options().Ftop_field_first;
    final->pict_type = AV_PICTURE_TYPE_NONE;
    final->quality = FJob.Options().Fsame_quality ? picture->quality : enc->global_quality;
    final->sample_aspect_ratio = enc->sample_aspect_ratio;
}

void TTranscodeRun::EncodeVideoFrames(TAVOutputStream& ost, AVFrame* final, int nb_frames, int& frame_size) {
    for (int i = 0; i < nb_frames; ++i) {
        if (FJob.Broken())
            return;
        if (i > 0 && FJob.WaitIfPaused() == pgStop)
            return;
        final->pts = ost.sync_opts;
        const int written = EncodeFrame(ost, final);
        if (written > 0)
            frame_size = written;
        // Every picture the encoder took, also one it holds back for now.
        FJob.RunPostHooks(final, ost.enc);
        ost.sync_opts += 1;
        ost.frame_number += 1;
    }
}

std::string VStatsLine(const TVStatsFigures& f) {
    std::string line = Format("frame= %5d q= %2.1f ", f.FrameNumber, double(f.Quality));
    if (f.ShowPSNR)
        line += Format("PSNR= %6.2f ",
                       -10.0 * std::log10(double(f.Error) / (double(f.Width) * f.Height * 255.0 * 255.0)));
    line += Format("f_size= %6d ", f.FrameSize);
    const double t = std::max(double(f.SyncOpts) * av_q2d(f.TimeBase), 0.01);
    const double br = double(f.FrameSize) * 8 / av_q2d(f.TimeBase) / 1000.0;
    const double avg_br = double(f.VideoSize) * 8 / t / 1000.0;
    line += Format("s_size= %8.0fkB time= %0.3f br= %7.1fkbits/s avg_br= %7.1fkbits/s ", double(f.VideoSize) / 1024,
                   t, br, avg_br);
    line += Format("type= %c\n", f.PictureType);
    return line;
}

void TTranscodeRun::DoVideoStats(TAVOutputStream& ost, int frame_size) {
    if (!FVideoOut.VStatsFile) {
        FVideoOut.VStatsFile = AVLib.fopen(FJob.Options().Fvstats_filename.c_str(), "w");
        if (!FVideoOut.VStatsFile)
            throw FFmpegException("fopen fail: " + FJob.Options().Fvstats_filename);
    }
    AVCodecContext* enc = ost.enc;
    if (enc->codec_type != AVMEDIA_TYPE_VIDEO)
        return;
    const TOutputClock& clock = Clock(ost);
    TVStatsFigures figures;
    figures.FrameNumber = ost.frame_number;
    figures.Quality = clock.quality;
    figures.ShowPSNR = enc->flags & AV_CODEC_FLAG_PSNR;
    figures.Error = clock.error[0];
    figures.Width = enc->width;
    figures.Height = enc->height;
    figures.FrameSize = frame_size;
    figures.VideoSize = FMux.VideoBytes;
    figures.SyncOpts = ost.sync_opts;
    figures.TimeBase = enc->time_base;
    figures.PictureType = AVLib.av_get_picture_type_char(AVPictureType(clock.pict_type));
    AVLib.fprintf(FVideoOut.VStatsFile, "%s", VStatsLine(figures).c_str());
}

TVideoOutState::~TVideoOutState() {
    if (VStatsFile)
        AVLib.fclose(VStatsFile);
}
