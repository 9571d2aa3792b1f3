#include "app/presets/LibraryFit.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "engine/log/Logger.h"
#include "engine/transcode/FrameSizeFit.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

// The rules, in the order they are applied:
//
// | Rule                       | Applies to                              | Becomes                                  |
// |----------------------------|-----------------------------------------|------------------------------------------|
// | encoder gone               | audio "libfaac"                         | the built-in "aac"                       |
// | AAC in a program stream    | "aac" in ".mpg", ".mpeg", ".vob"        | "ac3" (the muxer refuses AAC)            |
// |                            |                                         | and, for ".mpg" and ".mpeg", the "vob"   |
// |                            |                                         | muxer: AC-3 needs an MPEG-2 stream       |
// | ".vob" name                | no target, no forced format             | the "vob" muxer, not the one of the name |
// | VCD bit rate               | target "vcd" with another video rate    | 1150 kbps, the constant rate of the disc |
// | MPEG audio layer 2 rates   | mp2 bit rate outside its table          | nearest rate of the table for the        |
// |                            |                                         | sample rate (two tables: 32-48 kHz and   |
// |                            |                                         | 16-24 kHz)                               |
// | WMA rates                  | wmav2 below 24 kbps                     | 24 kbps                                  |
// | Vorbis rates               | libvorbis outside the range it codes at | the nearest end of that range            |
// |                            | the sample rate and channel count       |                                          |
// | MP3 in the MP4 family      | libmp3lame below 16 kHz in ".mp4",      | the nearest rate from 16000 up           |
// |                            | ".mov", ".m4a", ".3gp", ".3g2"          |                                          |
// | frame sizes                | libx264, libxvid: odd sides; rv10, rv20:| each side rounded down to even (libx264, |
// |                            | sides not multiples of 16 and 4; any    | libxvid) or to a multiple of 16 (rv10)   |
// |                            | video in ".rm", ".ra" above 1920x1200   | or 4 (rv20); an RM picture first scaled  |
// |                            | pixels (packets over the format's 64 kB)| down to 1920x1200 pixels, same shape     |
// |                            | (the engine fits sizes taken from the   | (FrameSizeFit.h)                         |
// |                            | source by the same rules, H.263 too)    |                                          |
// | MPEG-1 unofficial rates    | mpeg1video at a rate that lands on 5,   | "strict=-1", which lets the encoder use  |
// |                            | 10, 12 or 15 fps                        | them                                     |
//
// No nearest value (KnownRefusal says why; the add refuses such a file, and a
// row changed later fails with the library's reason and this one): an asked
// H.263 frame size other than 128x96, 176x144, 352x288, 704x576 and
// 1408x1152. Left to fail with the library's reason: any encoder the
// libraries lack ("msmpeg4v1").

namespace {

struct TContainer {
    const char* Ext;
    const char* Video;     // the muxer's own choice of encoder; "" for none
    const char* Audio;
    bool ProgramStream;
    bool Mp4Family;
    const char* Muxer = "";  // the muxer's name where a size rule depends on it
};

// The containers the presets name, with the encoders their muxers pick.
constexpr TContainer Containers[] = {
    {".avi", "mpeg4", "libmp3lame", false, false},
    {".mp4", "libx264", "aac", false, true},
    {".m4a", "", "aac", false, true},
    {".mov", "libx264", "aac", false, true},
    {".3gp", "h263", "libopencore_amrnb", false, true},
    {".3g2", "h263", "libopencore_amrnb", false, true},
    {".mkv", "libx264", "libvorbis", false, false},
    {".mpg", "mpeg1video", "mp2", true, false},
    {".mpeg", "mpeg1video", "mp2", true, false},
    {".vob", "mpeg2video", "mp2", true, false},
    {".asf", "msmpeg4", "wmav2", false, false},
    {".wmv", "msmpeg4", "wmav2", false, false},
    {".wma", "msmpeg4", "wmav2", false, false},
    {".flv", "flv", "libmp3lame", false, false},
    {".swf", "flv", "libmp3lame", false, false},
    {".rm", "rv10", "ac3", false, false, "rm"},
    {".ra", "rv10", "ac3", false, false, "rm"},
    {".mp3", "", "libmp3lame", false, false},
    {".mp2", "", "mp2", false, false},
    {".ogg", "", "libvorbis", false, false},
    {".ac3", "", "ac3", false, false},
    {".aac", "", "aac", false, false},
    {".aiff", "", "pcm_s16be", false, false},
    {".wav", "", "pcm_s16le", false, false},
    {".flac", "", "flac", false, false},
    {".amr", "", "libopencore_amrnb", false, false},
};

const TContainer* ContainerOf(const std::string& AOutputName) {
    const std::string ext = LowerCase(ExtractFileExt(AOutputName));
    for (const TContainer& c : Containers)
        if (ext == c.Ext)
            return &c;
    return nullptr;
}

// The layer 2 encoder's bit rates in kbit/s, for 32 to 48 kHz and for the
// half rates 16 to 24 kHz.
constexpr int Mp2Rates[] = {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
constexpr int Mp2HalfRates[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr int Mp2SampleRates[] = {44100, 48000, 32000, 22050, 24000, 16000};

// What the Vorbis encoder codes, in kbit/s, by sample rate and channels.
struct TVorbisRange {
    int SampleRate, Channels, Lowest, Highest;
};
constexpr TVorbisRange VorbisRanges[] = {
    {8000, 1, 8, 40},    {11025, 1, 12, 48},  {16000, 1, 16, 96},  {22050, 1, 16, 80},
    {24000, 1, 16, 80},  {32000, 1, 32, 160}, {44100, 1, 32, 224}, {48000, 1, 32, 224},
    {8000, 2, 12, 80},   {11025, 2, 16, 96},  {16000, 2, 24, 192}, {22050, 2, 32, 160},
    {24000, 2, 32, 160}, {32000, 2, 40, 320}, {44100, 2, 48, 320}, {48000, 2, 48, 320},
};

// A VCD's video runs at this rate exactly: the target sets it as both the
// lowest and the highest rate the encoder may use.
constexpr int VcdVideoBitrate = 1150000;

// The MP4 muxer takes MP3 from 16 kHz up.
constexpr int Mp4Mp3SampleRates[] = {16000, 22050, 24000, 32000, 44100, 48000};

// The only picture sizes H.263 codes.
constexpr std::pair<int, int> H263Sizes[] = {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}};

// The rates the MPEG-1 encoder lists; the last four it takes only when
// unofficial rates are allowed.
struct TRate {
    int Num, Den;
    bool Unofficial;
};
constexpr TRate Mpeg1Rates[] = {{24000, 1001, false}, {24, 1, false}, {25, 1, false}, {30000, 1001, false},
                                {30, 1, false},       {50, 1, false}, {60000, 1001, false}, {60, 1, false},
                                {15, 1, true},        {5, 1, true},   {10, 1, true},  {12, 1, true}};

// The nearest of the values; on a tie the lower one.
template <typename Range>
int Nearest(const Range& AValues, int AWanted) {
    int best = 0;
    bool first = true;
    for (int v : AValues) {
        const int d = std::abs(v - AWanted), bd = std::abs(best - AWanted);
        if (first || d < bd || (d == bd && v < best))
            best = v;
        first = false;
    }
    return best;
}

bool ParseSize(const std::string& AText, int& AWidth, int& AHeight) {
    const size_t sep = AText.find_first_of("*x");
    return sep != std::string::npos && TryStrToInt(AText.substr(0, sep), AWidth) &&
           TryStrToInt(AText.substr(sep + 1), AHeight) && AWidth > 0 && AHeight > 0;
}

bool ParseRate(const std::string& AText, double& ARate) {
    return TryStrToFloat(AText, ARate) && ARate > 0.0;
}

bool IsAac(const std::string& ACodec) {
    return ACodec == "aac" || ACodec == "libfaac";
}

class TFit {
public:
    TFit(const std::string& AOutputName, TOutputOptions& AOptions)
        : FName(AOutputName), O(AOptions), FContainer(ContainerOf(AOutputName)) {}

    std::vector<std::string> Run() {
        FitEncoderNames();
        FitProgramStream();
        FitVobMuxer();
        FitVcdRate();
        FitAudioBitRate();
        FitMp4Mp3SampleRate();
        FitFrameSize();
        FitMpeg1Rate();
        return FNotes;
    }

private:
    void Note(const std::string& AText) { FNotes.push_back(AText); }

    std::string Video() const { return EffectiveVideoCodec(FName, O); }
    std::string Audio() const { return EffectiveAudioCodec(FName, O); }

    void FitEncoderNames() {
        if (O.AudioCodec == "libfaac") {
            O.AudioCodec = "aac";
            Note("Audio encoder \"libfaac\" is not available, using \"aac\"");
        }
    }

    void FitProgramStream() {
        const bool programStream = O.TargetType != ttIgnore || (FContainer && FContainer->ProgramStream);
        if (!programStream || !IsAac(O.AudioCodec))
            return;
        O.AudioCodec = "ac3";
        Note("AAC audio cannot be muxed into an MPEG program stream, using \"ac3\"");
        if (O.TargetType == ttIgnore && O.FileFormat.empty())
            O.FileFormat = "vob";
    }

    void FitVcdRate() {
        if (O.TargetType != ttVCD || O.VideoBitrate <= 0 || O.VideoBitrate == VcdVideoBitrate)
            return;
        Note(Format("Video bit rate %d kbps does not suit a VCD, using %d kbps", O.VideoBitrate / 1000,
                    VcdVideoBitrate / 1000));
        O.VideoBitrate = VcdVideoBitrate;
    }

    void FitVobMuxer() {
        if (FContainer && std::string(FContainer->Ext) == ".vob" && O.TargetType == ttIgnore && O.FileFormat.empty())
            O.FileFormat = "vob";
    }

    // The sample rate the audio encoder will run at, 0 when the source decides.
    int SampleRate(const std::string& ACodec) const {
        if (O.AudioSampleRate <= 0)
            return 0;
        if (ACodec == "mp2")
            return Nearest(Mp2SampleRates, O.AudioSampleRate);
        return O.AudioSampleRate;
    }

    void SetAudioBitrate(int AKbps, const std::string& ACodec) {
        Note(Format("Audio bit rate %d kbps is not supported by %s, using %d kbps", O.AudioBitrate / 1000,
                    ACodec.c_str(), AKbps));
        O.AudioBitrate = AKbps * 1000;
    }

    void FitAudioBitRate() {
        if (O.AudioBitrate <= 0)
            return;
        const std::string codec = Audio();
        const int kbps = O.AudioBitrate / 1000;
        const int rate = SampleRate(codec);
        if (codec == "mp2" && rate > 0) {
            const int best = rate >= 32000 ? Nearest(Mp2Rates, kbps) : Nearest(Mp2HalfRates, kbps);
            if (best * 1000 != O.AudioBitrate)
                SetAudioBitrate(best, codec);
        } else if (codec == "wmav2" && O.AudioBitrate < 24000) {
            SetAudioBitrate(24, codec);
        } else if ((codec == "libvorbis" || codec == "vorbis") && rate > 0) {
            const int channels = O.AudioChannels > 0 ? std::min(O.AudioChannels, 2) : 2;
            const TVorbisRange* range = nullptr;
            for (const TVorbisRange& r : VorbisRanges)
                if (r.Channels == channels &&
                    (!range || std::abs(r.SampleRate - rate) < std::abs(range->SampleRate - rate)))
                    range = &r;
            if (kbps < range->Lowest)
                SetAudioBitrate(range->Lowest, codec);
            else if (O.AudioBitrate > range->Highest * 1000)
                SetAudioBitrate(range->Highest, codec);
        }
    }

    void FitMp4Mp3SampleRate() {
        if (!FContainer || !FContainer->Mp4Family || Audio() != "libmp3lame" || O.AudioSampleRate <= 0 ||
            O.AudioSampleRate >= Mp4Mp3SampleRates[0])
            return;
        const int best = Nearest(Mp4Mp3SampleRates, O.AudioSampleRate);
        Note(Format("MP3 at %d Hz cannot be muxed into %s, using %d Hz", O.AudioSampleRate, FContainer->Ext, best));
        O.AudioSampleRate = best;
    }

    // The engine's own rules (FrameSizeFit.h), for the sizes the lists offer;
    // H.263 is left to its known refusal.
    void FitFrameSize() {
        const std::string codec = Video();
        int width = 0, height = 0;
        if (codec.empty() || codec == "h263" || !ParseSize(O.FrameSize, width, height))
            return;
        std::string why;
        if (!::FitFrameSize(codec, FContainer ? FContainer->Muxer : "", width, height, why))
            return;
        const std::string size = Format("%d*%d", width, height);
        Note(Format("Frame size %s: %s, using %s", O.FrameSize, why, size));
        O.FrameSize = size;
    }

    void FitMpeg1Rate() {
        double rate = 0.0;
        if (Video() != "mpeg1video" || !ParseRate(O.FrameRate, rate) ||
            O.ExtOptions.find("strict=") != std::string::npos)
            return;
        const TRate* best = nullptr;
        for (const TRate& r : Mpeg1Rates)
            if (!best || std::fabs(double(r.Num) / r.Den - rate) < std::fabs(double(best->Num) / best->Den - rate))
                best = &r;
        if (!best->Unofficial)
            return;
        O.ExtOptions += "strict=-1\n";
        Note(Format("Frame rate %s is not a standard MPEG-1 rate, using the unofficial rate %d fps",
                    O.FrameRate.c_str(), best->Num / best->Den));
    }

    std::string FName;
    TOutputOptions& O;
    const TContainer* FContainer;
    std::vector<std::string> FNotes;
};

const char* TargetVideo(TOptionTargetType ATarget) {
    return ATarget == ttVCD ? "mpeg1video" : ATarget == ttIgnore ? nullptr : "mpeg2video";
}

const char* TargetAudio(TOptionTargetType ATarget) {
    return ATarget == ttDVD ? "ac3" : ATarget == ttIgnore ? nullptr : "mp2";
}

} // namespace

std::string EffectiveVideoCodec(const std::string& AOutputName, const TOutputOptions& AOptions) {
    if (AOptions.DisableVideo)
        return "";
    if (!AOptions.VideoCodec.empty())
        return AOptions.VideoCodec;
    if (const char* codec = TargetVideo(AOptions.TargetType))
        return codec;
    const TContainer* container = ContainerOf(AOutputName);
    return container ? container->Video : "";
}

std::string EffectiveAudioCodec(const std::string& AOutputName, const TOutputOptions& AOptions) {
    if (AOptions.DisableAudio)
        return "";
    if (!AOptions.AudioCodec.empty())
        return AOptions.AudioCodec;
    if (const char* codec = TargetAudio(AOptions.TargetType))
        return codec;
    const TContainer* container = ContainerOf(AOutputName);
    return container ? container->Audio : "";
}

std::string KnownRefusal(const std::string& AOutputName, const TOutputOptions& AOptions) {
    const std::string video = EffectiveVideoCodec(AOutputName, AOptions);
    int width = 0, height = 0;
    if (video == "h263" && ParseSize(AOptions.FrameSize, width, height)) {
        for (const auto& [w, h] : H263Sizes)
            if (w == width && h == height)
                return "";
        return Format("H.263 codes only 128x96, 176x144, 352x288, 704x576 and 1408x1152 pictures, not %dx%d",
                      width, height);
    }
    return "";
}

std::string ConversionFailureText(const std::string& AOutputName, const TOutputOptions& AOptions,
                                  const std::string& AEngineText, const std::string& ALibraryReason) {
    std::string text = AEngineText;
    auto add = [&](const std::string& APart) {
        if (APart.empty() || text.find(APart) != std::string::npos)
            return;
        text += text.empty() ? APart : "\n" + APart;
    };
    // The engine's text may end with the line the library logged (a muxer's refusal).
    const size_t colon = ALibraryReason.find(": ");
    if (colon == std::string::npos || text.find(ALibraryReason.substr(colon + 2)) == std::string::npos)
        add(ALibraryReason);
    add(KnownRefusal(AOutputName, AOptions));
    return text;
}

std::vector<std::string> FitOutputToLibraries(const std::string& AOutputName, TOutputOptions& AOptions) {
    std::vector<std::string> notes = TFit(AOutputName, AOptions).Run();
    for (const std::string& note : notes)
        GetFFLogger()->Log(nullptr, llWarning, note);
    return notes;
}
