#include <gtest/gtest.h>

#include <functional>

#include "app/presets/LibraryFit.h"
#include "app/presets/PresetParameters.h"
#include "app/presets/PresetToOptions.h"

namespace {

TOutputOptions FreshOptions() {
    TOutputOptions o;
    InitOutputOptions(o);
    return o;
}

TEST(PresetToOptions, FillsTheOutputOptionsAsTheAddPathDoes) {
    TCurrentPreset p;
    ApplyPresetParameters(1310, p);  // DivX in AVI with a size and a rate
    TOutputOptions o = FreshOptions();
    CurrentPresetToOutputOptions(p, o);
    EXPECT_EQ(o.VideoCodec, "mpeg4");
    EXPECT_EQ(o.VideoPreset, "");
    EXPECT_EQ(o.VideoTag, "DX50");
    EXPECT_EQ(o.AudioCodec, "libfaac");
    EXPECT_EQ(o.AudioChannels, 2);
    EXPECT_EQ(o.AudioSampleRate, 44100);
    EXPECT_EQ(o.FrameSize, "1280*720");
    EXPECT_EQ(o.FrameRate, "29.97");
    EXPECT_EQ(o.VideoBitrate, 1200000);
    EXPECT_EQ(o.AudioBitrate, 128000);
    EXPECT_EQ(o.AudioVolume, 256);
    EXPECT_FALSE(o.DisableVideo);
    EXPECT_EQ(o.TargetType, ttIgnore);
    EXPECT_EQ(o.NormType, ntAuto);
    EXPECT_EQ(o.FileExt, "");  // the engine takes the container from the name
    EXPECT_EQ(o.FileFormat, "");
}

TEST(PresetToOptions, SelectsTheEncoderPresetOfX264) {
    TCurrentPreset p;
    ApplyPresetParameters(302, p);
    TOutputOptions o = FreshOptions();
    CurrentPresetToOutputOptions(p, o);
    EXPECT_EQ(o.VideoCodec, "libx264");
    EXPECT_EQ(o.VideoPreset, "libx264-default");
}

// Empty and automatic values leave the record's own.
TEST(PresetToOptions, LeavesWhatThePresetLeavesToTheEngine) {
    TCurrentPreset p;
    ApplyPresetParameters(111, p);  // DVD: everything to the target
    TOutputOptions o = FreshOptions();
    o.AudioCodec = "keep";
    o.VideoCodec = "keep";
    o.AudioChannels = 6;
    o.FrameSize = "keep";
    CurrentPresetToOutputOptions(p, o);
    EXPECT_EQ(o.AudioCodec, "keep");
    EXPECT_EQ(o.VideoCodec, "keep");
    EXPECT_EQ(o.AudioChannels, 6);
    EXPECT_EQ(o.FrameSize, "keep");
    EXPECT_EQ(o.VideoBitrate, -1);
    EXPECT_EQ(o.AudioBitrate, -1);
    EXPECT_EQ(o.TargetType, ttDVD);
    EXPECT_EQ(o.NormType, ntPAL);

    p.Video_AudioCodec = "AUTO";
    p.Video_AudioSampleRate = "AUTO";
    p.Video_AudioBitrate = -2000;
    p.Video_AudioVolume = "512";
    p.Video_DisableVideo = true;
    p.Video_TargetType = "cvd";
    p.Video_NormType = "SECAM";
    CurrentPresetToOutputOptions(p, o);
    EXPECT_EQ(o.AudioCodec, "keep");
    EXPECT_EQ(o.AudioSampleRate, -1);
    EXPECT_EQ(o.AudioBitrate, -1);
    EXPECT_EQ(o.AudioVolume, 512);
    EXPECT_TRUE(o.DisableVideo);
    EXPECT_EQ(o.TargetType, ttIgnore);
    EXPECT_EQ(o.NormType, ntAuto);
}

// One rule of the fit per case: the options after the fit and whether it
// had something to say.
struct TFitCase {
    const char* Name;
    const char* Output;
    std::function<void(TOutputOptions&)> Set;
    std::function<void(const TOutputOptions&)> Check;
    size_t Notes;
};

TEST(LibraryFit, MapsWhatTodaysLibrariesRefuse) {
    const TFitCase cases[] = {
        {"libfaac", "a.mp4", [](auto& o) { o.AudioCodec = "libfaac"; },
         [](auto& o) { EXPECT_EQ(o.AudioCodec, "aac"); }, 1},
        {"AAC in .vob", "a.vob", [](auto& o) { o.AudioCodec = "libfaac"; },
         [](auto& o) {
             EXPECT_EQ(o.AudioCodec, "ac3");
             EXPECT_EQ(o.FileFormat, "vob");
         },
         2},
        {"AAC in .mpg", "a.mpg", [](auto& o) { o.AudioCodec = "aac"; },
         [](auto& o) {
             EXPECT_EQ(o.AudioCodec, "ac3");
             EXPECT_EQ(o.FileFormat, "vob");
         },
         1},
        {"MP2 in .vob", "a.vob", [](auto&) {}, [](auto& o) { EXPECT_EQ(o.FileFormat, "vob"); }, 0},
        {"DVD target .vob", "a.vob", [](auto& o) { o.TargetType = ttDVD; },
         [](auto& o) { EXPECT_EQ(o.FileFormat, ""); }, 0},
        {"mp2 44.1 kHz 144k", "a.mpg",
         [](auto& o) {
             o.AudioSampleRate = 44100;
             o.AudioBitrate = 144000;
         },
         [](auto& o) { EXPECT_EQ(o.AudioBitrate, 128000); }, 1},
        {"mp2 44.1 kHz 16k", "a.mp2",
         [](auto& o) {
             o.AudioSampleRate = 44100;
             o.AudioBitrate = 16000;
         },
         [](auto& o) { EXPECT_EQ(o.AudioBitrate, 32000); }, 1},
        {"mp2 11025 Hz 320k", "a.mpg",
         [](auto& o) {
             o.AudioSampleRate = 11025;
             o.AudioBitrate = 320000;
         },
         [](auto& o) { EXPECT_EQ(o.AudioBitrate, 160000); }, 1},
        {"mp2 22050 Hz 144k", "a.mpg",
         [](auto& o) {
             o.AudioSampleRate = 22050;
             o.AudioBitrate = 144000;
         },
         [](auto& o) { EXPECT_EQ(o.AudioBitrate, 144000); }, 0},
        {"VCD mp2", "a.mpg",
         [](auto& o) {
             o.TargetType = ttVCD;
             o.AudioSampleRate = 44100;
             o.AudioBitrate = 40000;
         },
         [](auto& o) { EXPECT_EQ(o.AudioBitrate, 32000); }, 1},
        {"wmav2 16k", "a.wmv",
         [](auto& o) {
             o.AudioBitrate = 16000;
         },
         [](auto& o) { EXPECT_EQ(o.AudioBitrate, 24000); }, 1},
        {"vorbis 11025 Hz 128k", "a.ogg",
         [](auto& o) {
             o.AudioCodec = "libvorbis";
             o.AudioSampleRate = 11025;
             o.AudioChannels = 2;
             o.AudioBitrate = 128000;
         },
         [](auto& o) { EXPECT_EQ(o.AudioBitrate, 96000); }, 1},
        {"vorbis 48 kHz 16k", "a.ogg",
         [](auto& o) {
             o.AudioSampleRate = 48000;
             o.AudioChannels = 2;
             o.AudioBitrate = 16000;
         },
         [](auto& o) { EXPECT_EQ(o.AudioBitrate, 48000); }, 1},
        {"mp3 in mp4 at 11025 Hz", "a.mp4",
         [](auto& o) {
             o.AudioCodec = "libmp3lame";
             o.AudioSampleRate = 11025;
         },
         [](auto& o) { EXPECT_EQ(o.AudioSampleRate, 16000); }, 1},
        {"mp3 in mov at 22050 Hz", "a.mov",
         [](auto& o) {
             o.AudioCodec = "libmp3lame";
             o.AudioSampleRate = 22050;
         },
         [](auto& o) { EXPECT_EQ(o.AudioSampleRate, 22050); }, 0},
        {"mp3 in avi at 11025 Hz", "a.avi",
         [](auto& o) {
             o.AudioCodec = "libmp3lame";
             o.AudioSampleRate = 11025;
         },
         [](auto& o) { EXPECT_EQ(o.AudioSampleRate, 11025); }, 0},
        {"x264 640*353", "a.mp4",
         [](auto& o) {
             o.VideoCodec = "libx264";
             o.FrameSize = "640*353";
         },
         [](auto& o) { EXPECT_EQ(o.FrameSize, "640*352"); }, 1},
        {"xvid 640*353", "a.avi",
         [](auto& o) {
             o.VideoCodec = "libxvid";
             o.FrameSize = "640*353";
         },
         [](auto& o) { EXPECT_EQ(o.FrameSize, "640*352"); }, 1},
        {"mpeg4 640*353", "a.avi",
         [](auto& o) {
             o.VideoCodec = "mpeg4";
             o.FrameSize = "640*353";
         },
         [](auto& o) { EXPECT_EQ(o.FrameSize, "640*353"); }, 0},
        {"mpeg1 13 fps", "a.mpg",
         [](auto& o) {
             o.VideoCodec = "mpeg1video";
             o.FrameRate = "13.00";
         },
         [](auto& o) { EXPECT_EQ(o.ExtOptions, "strict=-1\n"); }, 1},
        {"mpeg1 20 fps", "a.mpg", [](auto& o) { o.FrameRate = "20.00"; },
         [](auto& o) { EXPECT_EQ(o.ExtOptions, ""); }, 0},
        {"VCD 528k", "a.mpg",
         [](auto& o) {
             o.TargetType = ttVCD;
             o.VideoBitrate = 528000;
         },
         [](auto& o) { EXPECT_EQ(o.VideoBitrate, 1150000); }, 1},
        {"SVCD 528k", "a.mpg",
         [](auto& o) {
             o.TargetType = ttSVCD;
             o.VideoBitrate = 528000;
         },
         [](auto& o) { EXPECT_EQ(o.VideoBitrate, 528000); }, 0},
        {"rv20 322*242", "a.rm",
         [](auto& o) {
             o.VideoCodec = "rv20";
             o.FrameSize = "322*242";
         },
         [](auto& o) { EXPECT_EQ(o.FrameSize, "320*240"); }, 1},
        {"rv20 2560*1600 outgrows the RM packets", "a.rm",
         [](auto& o) {
             o.VideoCodec = "rv20";
             o.FrameSize = "2560*1600";
         },
         [](auto& o) { EXPECT_EQ(o.FrameSize, "1920*1200"); }, 1},
        {"h263 at 320*240 is left to fail", "a.3gp",
         [](auto& o) {
             o.VideoCodec = "h263";
             o.FrameSize = "320*240";
         },
         [](auto& o) { EXPECT_EQ(o.FrameSize, "320*240"); }, 0},
    };
    for (const TFitCase& c : cases) {
        TOutputOptions o = FreshOptions();
        c.Set(o);
        const std::vector<std::string> notes = FitOutputToLibraries(c.Output, o);
        SCOPED_TRACE(c.Name);
        c.Check(o);
        EXPECT_EQ(notes.size(), c.Notes);
        // Fitting options again (the start rebuilds them) changes nothing more.
        const TOutputOptions once = o;
        EXPECT_TRUE(FitOutputToLibraries(c.Output, o).empty());
        c.Check(o);
        EXPECT_EQ(o.ExtOptions, once.ExtOptions);
    }
}

TEST(LibraryFit, KnowsTheLimitsWithoutANearestValue) {
    TOutputOptions o = FreshOptions();
    o.VideoCodec = "h263";
    for (const char* size : {"128*96", "176*144", "352*288", "704*576", "1408*1152", ""}) {
        o.FrameSize = size;
        EXPECT_EQ(KnownRefusal("a.3gp", o), "") << size;
    }
    o.FrameSize = "160*120";
    const std::string reason =
        "H.263 codes only 128x96, 176x144, 352x288, 704x576 and 1408x1152 pictures, not 160x120";
    EXPECT_EQ(KnownRefusal("a.3gp", o), reason);
    EXPECT_EQ(ConversionFailureText("a.3gp", o, "Error while opening encoder"),
              "Error while opening encoder\n" + reason);
    EXPECT_EQ(ConversionFailureText("a.3gp", o, ""), reason);
    EXPECT_EQ(ConversionFailureText("a.mp4", FreshOptions(), "Disk full"), "Disk full");
    o.VideoCodec = "mpeg4";
    EXPECT_EQ(KnownRefusal("a.3gp", o), "");
    o.VideoCodec = "";
    EXPECT_NE(KnownRefusal("a.3gp", o), "");  // the 3GP muxer's own choice is H.263
}

TEST(LibraryFit, NamesTheEncodersAJobWillUse) {
    struct TCase {
        const char* Output;
        TOptionTargetType Target;
        const char *Video, *Audio;
    };
    const TCase cases[] = {
        {"a.avi", ttIgnore, "mpeg4", "libmp3lame"}, {"a.vob", ttIgnore, "mpeg2video", "mp2"},
        {"a.mpg", ttVCD, "mpeg1video", "mp2"},      {"a.mpg", ttDVD, "mpeg2video", "ac3"},
        {"a.ra", ttIgnore, "rv10", "ac3"},          {"a.MP4", ttIgnore, "libx264", "aac"},
        {"a.xyz", ttIgnore, "", ""},
    };
    for (const TCase& c : cases) {
        TOutputOptions o = FreshOptions();
        o.TargetType = c.Target;
        EXPECT_EQ(EffectiveVideoCodec(c.Output, o), c.Video) << c.Output;
        EXPECT_EQ(EffectiveAudioCodec(c.Output, o), c.Audio) << c.Output;
    }
    TOutputOptions o = FreshOptions();
    o.DisableVideo = true;
    o.AudioCodec = "flac";
    EXPECT_EQ(EffectiveVideoCodec("a.mkv", o), "");
    EXPECT_EQ(EffectiveAudioCodec("a.mkv", o), "flac");
}

} // namespace
