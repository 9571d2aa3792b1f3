#include "engine/transcode/Progress.h"

#include <algorithm>
#include <cmath>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/TranscodeRun.h"
#include "engine/transcode/TranscodeSetup.h"
#include "platform/core/SysUtils.h"

// The progress report: figures for the job's progress handler, or a status
// line for the log.

TProgressDurations ProgressDurations(double ti1, int64_t total) {
    TProgressDurations d;
    d.Total = total > 0 ? total : -1;
    if (ti1 > 0 && ti1 < 1e10)
        d.Current = int64_t(ti1 * 1000000.0);
    if (d.Total > 0)
        d.Current = std::min(d.Current, d.Total);
    return d;
}

int ProgressFPS(int frame_number, double seconds) {
    return seconds > 1 ? int(double(frame_number) / seconds + 0.5) : 0;
}

void TTranscodeRun::PrintReport(int file_index, bool is_last_report) {
    int frame_number = -1, fps = -1;
    float quality = -1.0f;
    int64_t total_size = 0;
    AVIOContext* pb = T.ost_table.empty() ? nullptr : FJob.OutputFile(0).ctx->pb;
    if (pb) {
        total_size = AVLib.avio_size(pb);
        if (total_size < 0)
            total_size = AVLib.avio_seek(pb, 0, SEEK_CUR);
    }
    std::string text;
    double ti1 = 1e10;
    bool videoReported = false;
    for (auto& ostPtr : T.ost_table) {
        TAVOutputStream& ost = *ostPtr;
        AVCodecContext* enc = ost.enc;
        const TOutputClock& clock = Clock(ost);
        const float q = ost.encoding_needed ? clock.quality : -1.0f;
        if (videoReported && enc->codec_type == AVMEDIA_TYPE_VIDEO) {
            text += Format("q=%2.1f ", double(q));
        } else if (!videoReported && enc->codec_type == AVMEDIA_TYPE_VIDEO && ost.show_fps) {
            const double t = double(AVLib.av_gettime() - FProgress.TimerStart) / 1000000.0;
            if (ost.frame_number < 1)
                return;  // nothing to tell before the first picture
            frame_number = ost.frame_number;
            fps = ProgressFPS(frame_number, t);
            quality = q;
            text += Format("frame=%5d fps=%3d q=%3.1f ", frame_number, fps, double(quality));
            if (is_last_report)
                text += "L";
            if (FJob.Options().Fqp_hist) {
                const int qp = int(std::lround(clock.quality));
                if (qp >= 0 && qp < int(FProgress.QpHist.size()))
                    ++FProgress.QpHist[size_t(qp)];
                for (int j = 0; j < 32; ++j)
                    text += Format("%X", int(std::lround(std::log2(double(FProgress.QpHist[size_t(j)]) + 1))));
            }
            if (enc->flags & AV_CODEC_FLAG_PSNR) {
                double errorSum = 0, scaleSum = 0;
                const char planes[3] = {'Y', 'U', 'V'};
                text += "PSNR=";
                for (int j = 0; j < 3; ++j) {
                    const double error = double(is_last_report ? enc->error[j] : clock.error[size_t(j)]);
                    double scale = double(enc->width) * enc->height * 255.0 * 255.0;
                    if (is_last_report)
                        scale *= frame_number;
                    if (j)
                        scale /= 4;
                    errorSum += error;
                    scaleSum += scale;
                    text += Format("%c:%2.2f ", planes[j], -10.0 * std::log10(error / scale));
                }
                text += Format("*:%2.2f ", -10.0 * std::log10(errorSum / scaleSum));
            }
            videoReported = true;
        }
        const double pts = Clock(ost).time;
        if (pts > 0 && pts < ti1)
            ti1 = pts;
    }
    // The 0.01 s floor keeps the bit rate finite; the reported time keeps its sentinel rules.
    const double seconds = std::max(ti1 >= 1e10 ? 0.0 : ti1, 0.01);
    TFFLogger* logger = GetFFLogger();
    if (FJob.OnProgress || FJob.Options().Fverbose > 0 || is_last_report) {
        const double bitrate = double(total_size) * 8 / seconds / 1000;
        text += Format("size=%8.0fkB time=%0.2f bitrate=%6.1fkbits/s", double(total_size) / 1024, seconds, bitrate);
        if (FVideoOut.FramesDup || FVideoOut.FramesDrop) {
            text += Format(" dup=%d drop=%d", FVideoOut.FramesDup, FVideoOut.FramesDrop);
            if (FVideoOut.ShowDupOrDrop && FJob.Options().Fverbose >= 0 && FJob.OnProgress) {
                FVideoOut.ShowDupOrDrop = false;
                logger->Log(&FJob, llVerbose, text);
            }
        }
        if (FJob.OnProgress) {
            const TProgressDurations d = ProgressDurations(ti1, FJob.Options().FTotalOutputDuration);
            FJob.OnProgress(&FJob, file_index, frame_number, fps, quality, float(bitrate), total_size, d.Current,
                            d.Total);
        } else if (FJob.Options().Fverbose >= 0) {
            logger->Log(&FJob, llVerbose, text);
        }
    }
    if (is_last_report && FJob.Options().Fverbose >= 0) {
        const int64_t extra = T.extra_size;
        const double raw = double(FMux.VideoBytes + FMux.AudioBytes + extra);
        logger->Log(&FJob, llVerbose, "video:%1.0fkB audio:%1.0fkB global headers:%1.0fkB muxing overhead %f%%\r\n",
                    double(FMux.VideoBytes) / 1024, double(FMux.AudioBytes) / 1024, double(extra) / 1024,
                    (double(total_size) - raw) * 100 / raw);
    }
}
