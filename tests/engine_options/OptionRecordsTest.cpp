#include "engine/options/OptionRecords.h"
#include "engine/transcode/FFmpegException.h"
#include "platform/core/DateTime.h"
#include "tests/engine_job/JobTestSupport.h"

namespace {

using TLines = std::vector<TOptionLine>;

} // namespace

TEST(OptionText, SplitsTrimsAndKeepsValues) {
    struct TCase {
        const char* Text;
        TLines Lines;
    };
    const TCase cases[] = {
        {"", {}},
        {"  \r\n ", {}},
        {" a=1\r\nb=2\rc=3\nd=4 ", {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}}},
        {"a=1<CRLF>b=<CRLF>c", {{"a", "1"}, {"b", ""}, {"c", ""}}},
        {"x= v =w\n acodec=mp2", {{"x", " v =w"}, {" acodec", "mp2"}}},
        {"a=1\n\nb=2", {{"a", "1"}, {"", ""}, {"b", "2"}}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SplitOptionText(c.Text), c.Lines) << c.Text;
}

TEST(OptionText, TextFormsFillTheRecords) {
    TInputOptions input;
    InputOptionsFromText("TimeStart=1500000<CRLF>f=avi<CRLF>an", input);
    EXPECT_EQ(input.TimeStart, 1500000);
    EXPECT_EQ(input.ExtOptions, "f=avi\nan=\n");
    InputOptionsFromText("timestart=abc", input);
    EXPECT_EQ(input.TimeStart, NoTime);
    EXPECT_EQ(input.ExtOptions, "");

    struct TCase {
        const char* Text;
        bool Join, Hook;
        int64_t Start, Length;
        const char* Ext;
    };
    const TCase cases[] = {
        {"Join=1\nHook=\nTimeStart=5\nTimeLength=9\nb=1", true, true, 5, 9, "b=1\n"},
        {"join\nCustomHook=0", true, true, NoTime, NoTime, ""},
        {"Join=0", false, false, NoTime, NoTime, ""},  // "0" is off, as for every flag
        {"TimeLength=x\nvcodec=mpeg4", false, false, NoTime, NoTime, "vcodec=mpeg4\n"},
    };
    for (const TCase& c : cases) {
        TOutputOptions output;
        OutputOptionsFromText(c.Text, output);
        EXPECT_EQ(output.Join, c.Join) << c.Text;
        EXPECT_EQ(output.CustomHook, c.Hook) << c.Text;
        EXPECT_EQ(output.TimeStart, c.Start) << c.Text;
        EXPECT_EQ(output.TimeLength, c.Length) << c.Text;
        EXPECT_EQ(output.ExtOptions, c.Ext) << c.Text;
    }
}

TEST(StreamDefaultsList, FirstValueStandsInAndNewStreamsTakeInTurn) {
    TStreamDefaults d;
    d.Set("def_vcodec", "mpeg4");
    d.Append("vcodec", "h263");
    d.Append("vcodec", "mjpeg");
    EXPECT_EQ(d.TakeNext("vcodec"), "h263");
    EXPECT_EQ(d.TakeNext("vcodec"), "mjpeg");
    EXPECT_EQ(d.TakeNext("vcodec"), "mpeg4");
    EXPECT_EQ(d.TakeNext("acodec"), "");
    d.Set("def_vcodec", "");
    EXPECT_TRUE(d.Lines().empty());
}

TEST_F(JobTest, InputRecordFieldsOverrideTheText) {
    TInputOptions o;
    o.ExtOptions = "f=avi\nss=2\nprogramid=3\nvpre=nosuch\nnewvideo=\nacodec=mp3\nr=15";
    o.FileFormat = "pgmyuv";
    o.TimeStart = 500000;
    o.ProgramID = 1;
    ApplyInputOptions(*Job, o);
    EXPECT_EQ(Job->Options().Flast_asked_format, "image2");
    EXPECT_EQ(Job->Options().Fstart_time, 500000);
    EXPECT_EQ(Job->Options().Fopt_programid, 1);
    EXPECT_EQ(Job->Options().Faudio_codec_name, "mp3");  // chooses the input's decoder
    EXPECT_EQ(Job->Options().Fframe_rate.num, 15);

    Job->Reset();
    TInputOptions keep;
    keep.ExtOptions = "ss=2<CRLF>programid=3";
    ApplyInputOptions(*Job, keep);
    EXPECT_EQ(Job->Options().Fstart_time, 2000000);
    EXPECT_EQ(Job->Options().Fopt_programid, 3);
}

TEST_F(JobTest, OutputRecordStepsRunInTheirOrder) {
    struct TCase {
        const char* Name;
        std::function<void(TOutputOptions&)> Fill;
        std::string Raised;
        std::function<bool(const TCustomFFmpeg&, const TStreamDefaults&)> Check;
    };
    const TCase cases[] = {
        {"text codec stands in for an empty field",
         [](auto& o) { o.ExtOptions = "vcodec=mpeg4<CRLF>b=800000"; }, "",
         [](auto& j, auto& d) {
             return j.Options().Fvideo_codec_name == "mpeg4" && CodecInt(j, AVMEDIA_TYPE_VIDEO, "b") == 800000 &&
                    d.Get("def_vcodec") == "mpeg4" && d.Get("vcodec") == "mpeg4";
         }},
        {"record codec wins, the text one waits",
         [](auto& o) { o.VideoCodec = "libx264"; o.ExtOptions = "vcodec=mpeg4"; }, "",
         [](auto& j, auto& d) { return j.Options().Fvideo_codec_name == "libx264" && d.Get("vcodec") == "mpeg4"; }},
        {"sync methods are always applied",
         [](auto& o) { o.ExtOptions = "async=1\nvsync=2"; }, "",
         [](auto& j, auto&) { return j.Options().Faudio_sync_method == 0 && j.Options().Fvideo_sync_method == -1; }},
        {"unset audio bitrate leaves the text's",
         [](auto& o) { o.ExtOptions = "ab=96000"; o.AudioBitrate = -1; }, "",
         [](auto& j, auto&) { return CodecInt(j, AVMEDIA_TYPE_AUDIO, "b") == 96000; }},
        {"record bitrate overrides the text's",
         [](auto& o) { o.ExtOptions = "ab=96000"; o.AudioBitrate = 64000; }, "",
         [](auto& j, auto&) { return CodecInt(j, AVMEDIA_TYPE_AUDIO, "b") == 64000; }},
        {"frame size overrides the target's",
         [](auto& o) { o.TargetType = ttDVD; o.NormType = ntPAL; o.FrameSize = "640x480"; }, "",
         [](auto& j, auto&) { return j.Options().Fframe_width == 640 && j.Options().Fframe_height == 480 && j.Options().Faudio_codec_name == "ac3"; }},
        {"codecs and fields come after the target",
         [](auto& o) {
             o.TargetType = ttVCD; o.NormType = ntNTSC; o.VideoCodec = "mpeg4"; o.GroupPictureSize = 30;
         }, "",
         [](auto& j, auto&) {
             return j.Options().Fvideo_codec_name == "mpeg4" && j.Options().Faudio_codec_name == "mp2" && j.Options().Fframe_height == 240 &&
                    CodecInt(j, AVMEDIA_TYPE_VIDEO, "g") == 30;
         }},
        {"automatic norm falls back to the default",
         [](auto& o) { o.TargetType = ttSVCD; o.NormType = ntAuto; o.NormDefault = ntNTSC; o.FrameRate = "15"; }, "",
         nullptr},  // no frame rate before the target: refused below
        {"preset after the codec choice",
         [](auto& o) { o.VideoCodec = "libx264"; o.VideoPreset = "default"; }, "",
         [](auto& j, auto&) {
             const AVDictionaryEntry* e = AVLib.av_dict_get(j.FOptions.codec_dict[AVMEDIA_TYPE_VIDEO], "motion-est", nullptr, 0);
             return e && std::string(e->value) == "hex";
         }},
        {"format field overrides the text",
         [](auto& o) { o.ExtOptions = "f=avi"; o.FileFormat = "matroska"; }, "",
         [](auto& j, auto&) { return j.Options().Flast_asked_format == "matroska"; }},
        {"a blank before a name keeps it from its handler",
         [](auto& o) { o.ExtOptions = "an=0\n acodec=mp2"; }, "",
         [](auto& j, auto&) { return j.Options().Faudio_codec_name.empty() && !j.Options().Faudio_disable; }},
        {"five-character tag fails", [](auto& o) { o.AudioTag = "mp4a0"; }, "audio tag parameter must be 4 chars",
         nullptr},
        {"fields in their table",
         [](auto& o) {
             o.PacketSize = 2048; o.MuxDelay = 0.3f; o.MuxPreload = 0.2f; o.DisableAudio = true; o.AudioVolume = 0;
             o.AudioChannels = 6; o.AudioSampleRate = 32000; o.AudioLanguage = "eng"; o.DisableVideo = true;
             o.FrameRate = "ntsc"; o.FrameAspectRatio = "16:9"; o.FrameSize = "720x576"; o.VideoBitrate = 900000;
             o.VideoMaxRate = 1000000; o.VideoBufSize = 2000000; o.VideoTag = "XVID"; o.VideoLanguage = "deu";
             o.DisableSubtitle = true; o.SubtitleLanguage = "fra"; o.InputSync = true; o.CopyTimestamp = true;
             o.TimeStart = 2000000; o.TimeLength = 5000000;
         }, "",
         [](auto& j, auto&) {
             int64_t packet = 0;
             AVLib.av_opt_get_int(j.FOptions.avformat_opts, "packetsize", 0, &packet);
             return packet == 2048 && j.Options().Fmux_max_delay == 0.3f && j.Options().Fmux_preload == 0.2f && j.Options().Faudio_disable &&
                    j.Options().Faudio_volume == 0 && j.Options().Faudio_channels == 6 && j.Options().Faudio_sample_rate == 32000 &&
                    j.Options().Faudio_language == "eng" && j.Options().Fvideo_disable && j.Options().Fframe_rate.num == 30000 &&
                    j.Options().Fframe_aspect_ratio == 16.0f / 9.0f && CodecInt(j, AVMEDIA_TYPE_VIDEO, "b") == 900000 &&
                    CodecInt(j, AVMEDIA_TYPE_VIDEO, "maxrate") == 1000000 &&
                    CodecInt(j, AVMEDIA_TYPE_VIDEO, "bufsize") == 2000000 && j.Options().Fvideo_codec_tag == 0x44495658u &&
                    j.Options().Fvideo_language == "deu" && j.Options().Fsubtitle_disable && j.Options().Fsubtitle_language == "fra" &&
                    j.Options().Finput_sync && j.Options().Fcopy_ts && j.Options().Fstart_time == 2000000 && j.Options().Frecording_time == 5000000 &&
                    j.Options().FTotalOutputDuration == 5000000;
         }},
    };
    for (const TCase& c : cases) {
        TCustomFFmpeg job(2);
        job.Reset();
        TOutputOptions o;
        c.Fill(o);
        TStreamDefaults defaults;
        const std::string raised = RaisedText([&] { ApplyOutputOptions(job, o, defaults); });
        if (c.Check) {
            EXPECT_EQ(raised, c.Raised) << c.Name;
            EXPECT_TRUE(c.Check(job, defaults)) << c.Name;
        } else if (!c.Raised.empty()) {
            EXPECT_EQ(raised, c.Raised) << c.Name;
        } else {
            EXPECT_EQ(raised, "frame_rate is invalid.") << c.Name;
        }
    }
}

TEST_F(JobTest, InfoBecomesTimeStampAndMetadata) {
    struct TCase {
        double TimeStamp;
        bool Written;
    };
    for (const TCase& c : {TCase{-1.0, false}, TCase{0.0, true}, TCase{25569.5, true}}) {
        TCustomFFmpeg job(2);
        job.Reset();
        TOutputOptions o;
        o.Info.TimeStamp = c.TimeStamp;
        TStreamDefaults d;
        const int64_t before = DateTimeToUnixTime(double(Now()));
        ApplyOutputOptions(job, o, d);
        EXPECT_EQ(job.Options().Frecording_timestamp != 0, c.Written) << c.TimeStamp;
        if (c.TimeStamp == 0.0) {
            EXPECT_LE(std::abs(job.Options().Frecording_timestamp - before), 2) << c.TimeStamp;
        }
    }
    TOutputOptions o;
    o.Info.Year = 2009;
    o.Info.Track = 0;
    o.Info.Title = "标题";
    o.Info.Author = "someone";
    o.Info.Genre = "pop";
    TStreamDefaults d;
    ApplyOutputOptions(*Job, o, d);
    using TPairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Job->Options().Fmetadata, (TPairs{{"date", "2009"}, {"title", "标题"}, {"artist", "someone"}, {"genre", "pop"}}));
}

TEST_F(JobTest, NewStreamsTakeTheirValuesInTurn) {
    TOutputOptions o;
    o.VideoCodec = "mpeg4";
    o.FrameSize = "176x144";
    o.DisableAudio = true;
    o.DisableSubtitle = true;
    o.ExtOptions = "newvideo=<CRLF>vcodec=h263<CRLF>newvideo=<CRLF>vlang=deu";
    TStreamDefaults d;
    ApplyOutputOptions(*Job, o, d);
    ASSERT_EQ(Job->OpenOutputFile(Scratch("new_streams.mkv"), false), 1) << Job->LastErrMsg();
    ApplyStreamOptions(*Job, o, d);
    const TJobOutputFile& output = Job->OutputFile(0);
    ASSERT_EQ(output.streams.size(), 3u);
    EXPECT_STREQ(output.streams[0]->codec->name, "mpeg4");
    EXPECT_STREQ(output.streams[1]->codec->name, "h263");
    EXPECT_STREQ(output.streams[2]->codec->name, "mpeg4");
    for (const auto& stream : output.streams)
        EXPECT_EQ(stream->enc->width, 176);
}
