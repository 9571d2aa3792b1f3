#include "engine/probe/AVProbe.h"

#include <climits>
#include <string>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"
#include "engine/probe/ProbeTexts.h"
#include "engine/util/PictureLayout.h"
#include "platform/core/Clock.h"
#include "platform/core/Exception.h"
#include "platform/core/Sync.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Bitmap.h"

namespace {

const char StreamEOF[] = "stream eof reached.";

// A non-blocking input may ask to be read again; it gets this many short waits.
constexpr int ReadRetries = 1000;

bool IsKnown(int64_t ATime) { return ATime != AV_NOPTS_VALUE; }

} // namespace

TAVProbe::TAVProbe(TComponent* AOwner) : TCustomAVProbe(AOwner) {}

TAVProbe::~TAVProbe() {
    CloseFile();
    if (FPicture.Buffer)
        AVLib.av_free(FPicture.Buffer);
    if (FFrame)
        AVLib.av_frame_free(&FFrame);
    if (FPacket)
        AVLib.av_packet_free(&FPacket);
}

void TAVProbe::CloseFile() {
    FSeekIndex = -1;
    FStartTime = -1;
    FDecodeIndex = -1;
    FEOF = false;
    ResetFrameInfo();
    FLastPTS = AV_NOPTS_VALUE;
    FLastPos = -1;
    CloseDecoder();
    FreeRGBConvertContext(FRGBContext);
    TCustomAVProbe::CloseFile();
}

void TAVProbe::CloseDecoder() {
    if (!FCodec)
        return;
    TCriticalSectionGuard lock(GlobalCodecLock);
    AVLib.avcodec_free_context(&FCodec);
    FCodecIndex = -1;
    FDraining = false;
}

void TAVProbe::UpdateStreamCounts() {
    TCustomAVProbe::UpdateStreamCounts();
    FSeekIndex = FirstVideoStreamIndex() >= 0 ? FirstVideoStreamIndex() : FirstAudioStreamIndex();
    if (!FFileHandle)
        return;
    // In the seek stream's time base, or in microseconds without a seek stream.
    FStartTime = FSeekIndex >= 0 ? FFileHandle->streams[FSeekIndex]->start_time : FFileHandle->start_time;
    if (!IsKnown(FStartTime))
        FStartTime = 0;
}

void TAVProbe::ResetFrameInfo() {
    if (IsKnown(FPicture.PTS))
        FLastPTS = FPicture.PTS;
    if (FPicture.Position != -1)
        FLastPos = FPicture.Position;
    FPicture.PixFmt = FPicture.Width = FPicture.Height = FPicture.StreamIndex = -1;
    FPicture.Position = -1;
    FPicture.IsKeyFrame = false;
    FPicture.PictureType = ptUnknown;
    FPicture.PTS = FPicture.OriginalDTS = FPicture.OriginalPTS = AV_NOPTS_VALUE;
    FPicture.Ready = false;
}

int64_t TAVProbe::Position() {
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return -1;
    }
    if (!FFileHandle->pb) {
        ReportError(AV_LOG_WARNING, "cannot get position");
        return -1;
    }
    return AVLib.avio_seek(FFileHandle->pb, 0, SEEK_CUR);
}

bool TAVProbe::CheckSeekable() {
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return false;
    }
    if (!OwnHandle()) {
        const std::string text = "file cannot be seeked, handle is readonly.";
        ReportError(AV_LOG_WARNING, text);
        throw EInvalidOperation(text);
    }
    return true;
}

bool TAVProbe::IsImageSequence() const {
    return FFileHandle && FFileHandle->iformat && SameText(FFileHandle->iformat->name, "image2");
}

bool TAVProbe::CanSeek() {
    if (!CheckSeekable())
        return false;
    if (IsImageSequence()) {
        ReportError(AV_LOG_INFO, "\"image2\" format cannot to be seeked.");
        return false;
    }
    return true;
}

bool TAVProbe::Seek(int64_t APTS, TSeekFlags ASeekFlags) {
    if (!CanSeek())
        return false;
    AVIOContext* pb = FFileHandle->pb;
    if (pb)
        ReportError(AV_LOG_DEBUG, Format("currunt position %d bytes", AVLib.avio_seek(pb, 0, SEEK_CUR)));

    int64_t target = APTS < 0 ? 0 : APTS;
    if (!ASeekFlags.Contains(sfByte)) {
        if (FSeekIndex >= 0)
            target = AVLib.av_rescale_q(target, AVRational{1, AV_TIME_BASE}, FFileHandle->streams[FSeekIndex]->time_base);
        if (FStartTime > 0)
            target += FStartTime;
    }

    // A flush also ends the draining of a decoder that reached the end.
    if (FCodec)
        AVLib.avcodec_flush_buffers(FCodec);
    FDraining = false;
    FEOF = false;
    ResetFrameInfo();

    int result;
    if (APTS > 0) {
        result = AVLib.av_seek_frame(FFileHandle, FSeekIndex, target, SeekFlagsToAVFlags(ASeekFlags));
    } else {
        TSeekFlags backward = ASeekFlags;
        backward.Include(sfBackward);
        result = AVLib.av_seek_frame(FFileHandle, FSeekIndex, 0, SeekFlagsToAVFlags(backward));
        if (result < 0) {
            TSeekFlags forward = ASeekFlags;
            forward.Exclude(sfBackward);
            result = AVLib.av_seek_frame(FFileHandle, FSeekIndex, APTS, SeekFlagsToAVFlags(forward));
        }
    }

    bool ok = true;
    if (result < 0) {
        if (ASeekFlags.Contains(sfByte))
            ReportError(AV_LOG_ERROR, Format("could not seek to position %d bytes", APTS));
        else
            ReportError(AV_LOG_ERROR, Format("could not seek to position %0.3f seconds", double(APTS) / 1000000));
        ok = false;
    }
    if (pb)
        ReportError(AV_LOG_DEBUG, Format("seek to position %d bytes", AVLib.avio_seek(pb, 0, SEEK_CUR)));
    if (pb && AVLib.avio_feof(pb)) {
        if (ok)
            ReportError(AV_LOG_INFO, StreamEOF);
        FEOF = true;
        ok = false;
    }
    return ok;
}

int TAVProbe::SelectDecodeStream(int AStreamIndex) {
    if (!CheckSeekable())
        return -1;
    int index = AStreamIndex;
    if (index < 0) {
        index = FDecodeIndex >= 0 ? FDecodeIndex : FirstVideoStreamIndex();
        if (index < 0) {
            ReportError(AV_LOG_ERROR, "no video stream.");
            return -1;
        }
    }
    if (index >= StreamCount()) {
        ReportError(AV_LOG_ERROR, Format("stream index #%d is invalid.", index));
        return -1;
    }
    if (FFileHandle->streams[index]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) {
        ReportError(AV_LOG_ERROR, Format("stream #%d is not video stream.", index));
        return -1;
    }
    if (index != FDecodeIndex)
        ResetFrameInfo();
    FDecodeIndex = index;
    return index;
}

AVCodecContext* TAVProbe::OpenProbeDecoder(int AStreamIndex) {
    const AVStream* stream = FFileHandle->streams[AStreamIndex];
    const AVCodecParameters* par = stream->codecpar;
    if (par->codec_type != AVMEDIA_TYPE_VIDEO)
        throw EAssertionFailed("the probe decodes video streams only");
    if (par->width == 0 || par->height == 0) {
        ReportError(AV_LOG_ERROR, "frame size of codec is invalid.");
        return nullptr;
    }
    if (FCodec && FCodecIndex == AStreamIndex)
        return FCodec;
    CloseDecoder();

    const AVCodec* decoder = AVLib.avcodec_find_decoder(par->codec_id);
    if (!decoder) {
        ReportError(AV_LOG_ERROR,
                    Format("Unsupported codec (id=%d) for input file stream #%d", int(par->codec_id), AStreamIndex));
        return nullptr;
    }
    AVCodecContext* codec = AVLib.avcodec_alloc_context3(decoder);
    int opened = codec ? AVLib.avcodec_parameters_to_context(codec, par) : AVERROR(ENOMEM);
    if (opened >= 0) {
        codec->pkt_timebase = stream->time_base;
        // One thread: frames come out with the least delay, one decode at a time.
        codec->thread_count = 1;
        TCriticalSectionGuard lock(GlobalCodecLock);
        opened = AVLib.avcodec_open2(codec, decoder, nullptr);
    }
    if (opened < 0) {
        if (codec) {
            TCriticalSectionGuard lock(GlobalCodecLock);
            AVLib.avcodec_free_context(&codec);
        }
        ReportError(AV_LOG_ERROR, Format("Error while opening codec for input file stream #%d", AStreamIndex));
        return nullptr;
    }
    FCodec = codec;
    FCodecIndex = AStreamIndex;
    FDraining = false;
    return FCodec;
}

bool TAVProbe::Decode(int AStreamIndex) {
    const int index = SelectDecodeStream(AStreamIndex);
    if (index < 0)
        return false;
    // An image sequence shows its one picture.
    if (FPicture.Ready && IsImageSequence())
        return true;
    if (FEOF) {
        ReportError(AV_LOG_INFO, StreamEOF);
        return false;
    }
    AVCodecContext* codec = OpenProbeDecoder(index);
    if (!codec)
        return false;
    if (!FFrame)
        FFrame = AVLib.av_frame_alloc();
    if (!FPacket)
        FPacket = AVLib.av_packet_alloc();
    if (!FFrame || !FPacket)
        throw Exception("out of memory");

    int retries = 0;
    for (;;) {
        // Frames the decoder already holds come first.
        const int got = AVLib.avcodec_receive_frame(codec, FFrame);
        if (got == 0) {
            GetFFLogger()->Log(this, llDebug, "pkt.st_idx=%d, dts=%d, pts=%d, flags=%d, pict_type=%d", index,
                               FFrame->pkt_dts, FFrame->pts, FFrame->key_frame ? AV_PKT_FLAG_KEY : 0,
                               int(FFrame->pict_type));
            CaptureFrame(FFrame);
            AVLib.av_frame_unref(FFrame);
            return true;
        }
        if (got != AVERROR(EAGAIN) || FDraining) {
            // Drained at the end of the file (or the decoder failed for good).
            ReportError(AV_LOG_INFO, StreamEOF);
            FEOF = true;
            return false;
        }
        const int read = AVLib.av_read_frame(FFileHandle, FPacket);
        if (read == AVERROR(EAGAIN) && ++retries < ReadRetries) {
            Sleep(1);
            continue;
        }
        if (read < 0) {
            // The end of the file: an empty packet makes the decoder give up what it holds.
            AVLib.avcodec_send_packet(codec, nullptr);
            FDraining = true;
            continue;
        }
        if (FPacket->stream_index == index) {
            // A packet the decoder refuses is skipped like a damaged one.
            AVLib.avcodec_send_packet(codec, FPacket);
        }
        AVLib.av_packet_unref(FPacket);
    }
}

void TAVProbe::CaptureFrame(const AVFrame* AFrame) {
    const auto format = AVPixelFormat(AFrame->format);
    // Laid out as the libraries' own frames: the scaler reads whole pixel blocks.
    TPictureLayout layout;
    if (!LibraryPictureLayout(format, AFrame->width, AFrame->height, layout) || layout.Size > size_t(INT_MAX))
        throw Exception("unsupported picture");
    const int size = int(layout.Size);
    if (size > FPicture.Size) {
        AVLib.av_free(FPicture.Buffer);
        FPicture.Buffer = static_cast<uint8_t*>(AVLib.av_malloc(size));
        FPicture.Size = FPicture.Buffer ? size : 0;
        if (!FPicture.Buffer)
            throw Exception("out of memory");
    }
    FPicture.PixFmt = AFrame->format;
    FPicture.Width = AFrame->width;
    FPicture.Height = AFrame->height;
    FPicture.IsKeyFrame = AFrame->key_frame == 1;
    FPicture.PictureType =
        AFrame->pict_type >= 0 && int(AFrame->pict_type) <= int(ptBI) ? TPictureType(AFrame->pict_type) : ptUnknown;

    // The decoder's best guess of the presentation time: in display order also
    // for streams whose packets come in another (decoding) order.
    const int64_t raw = AFrame->best_effort_timestamp;
    if (IsKnown(FPicture.PTS))
        FLastPTS = FPicture.PTS;
    if (!IsKnown(raw)) {
        FPicture.PTS = AV_NOPTS_VALUE;
    } else {
        const AVStream* stream = FFileHandle->streams[FDecodeIndex];
        const int64_t fromStart = IsKnown(stream->start_time) ? raw - stream->start_time : raw;
        FPicture.PTS = StreamTimeUS(fromStart, stream->time_base);
        AVLib.av_log(nullptr, AV_LOG_DEBUG, "decode PTS: %0.3f\n", double(FPicture.PTS) / 1000000);
    }
    FPicture.OriginalDTS = AFrame->pkt_dts;
    FPicture.OriginalPTS = AFrame->pts;
    FPicture.StreamIndex = FDecodeIndex;
    if (FPicture.Position != -1)
        FLastPos = FPicture.Position;
    FPicture.Position = AFrame->pkt_pos;

    FillPicture(layout, FPicture.Buffer, FPicture.Picture);
    AVLib.av_image_copy(FPicture.Picture.data, FPicture.Picture.linesize, const_cast<const uint8_t**>(AFrame->data),
                        AFrame->linesize, format, AFrame->width, AFrame->height);
    FPicture.Ready = true;
}

int64_t TAVProbe::StreamFrameIntervalUS(int AStreamIndex) const {
    return FrameIntervalUS(FFileHandle->streams[AStreamIndex]->r_frame_rate);
}

bool TAVProbe::DecodeNextKeyFrame(int AStreamIndex) {
    const int index = SelectDecodeStream(AStreamIndex);
    if (index < 0)
        return false;
    int64_t t = StreamFrameIntervalUS(index);
    if (IsKnown(FPicture.PTS) && FPicture.PTS > 0)
        t += FPicture.PTS;
    return Seek(t) && Decode(index);
}

bool TAVProbe::DecodePreviousKeyFrame(int AStreamIndex) {
    const int index = SelectDecodeStream(AStreamIndex);
    if (index < 0)
        return false;
    const int64_t t = StreamFrameIntervalUS(index);
    int64_t r = 0;
    if (IsKnown(FPicture.PTS))
        r = FPicture.PTS;
    else if (IsKnown(FLastPTS))
        r = FLastPTS;
    else if (IsKnown(FFileHandle->duration))
        r = FFileHandle->duration;

    // Step back one frame interval more each time until a frame before r comes
    // out. Once the step passes the start of the stream nothing earlier exists.
    // Every seek is tried by decoding: the input's read position after a seek
    // tells nothing (several demuxers move it only when they read again).
    for (int64_t h = 1;; ++h) {
        const int64_t step = h * t;
        Seek(r - step, {sfBackward});
        if (Decode(index)) {
            if (FPicture.PTS < r || FPicture.PTS <= 0)
                return true;
        }
        if (step > r)
            break;
    }
    SetLastErrMsg("Could not seek to the previous key-frame. " + LastErrMsg());
    return false;
}

bool TAVProbe::DecodePreviousFrame(int AStreamIndex) {
    const int index = SelectDecodeStream(AStreamIndex);
    if (index < 0)
        return false;
    const int64_t t = StreamFrameIntervalUS(index);
    const int64_t target = IsKnown(FPicture.PTS) ? FPicture.PTS - 2 * t
                           : IsKnown(FLastPTS)   ? FLastPTS - 2 * t
                                                 : -2 * t;
    if (!DecodePreviousKeyFrame(index))
        return false;
    // From the key frame forward to the first frame after the target.
    while (!IsKnown(FPicture.PTS) || FPicture.PTS <= target)
        if (!Decode(index))
            return false;
    return true;
}

bool TAVProbe::CopyToBitmap(TBitmap* ABitmap) {
    if (!FPicture.Ready) {
        ReportError(AV_LOG_ERROR, "picture not ready, please decode first");
        return false;
    }
    if (PictureToBitmap(FRGBContext, FPicture.Picture, AVPixelFormat(FPicture.PixFmt), FPicture.Width,
                        FPicture.Height)) {
        *ABitmap = *FRGBContext.Bitmap;
        return true;
    }
    ABitmap->SetPixelFormat(pf24bit);
    ABitmap->SetSize(FPicture.Width, FPicture.Height, false);
    ABitmap->Fill(clBlack);
    AVLib.av_log(nullptr, AV_LOG_ERROR, "convert picture to bitmap failed\n");
    return false;
}
