#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ctime>
#include <sstream>

#include "engine/probe/ProbeTexts.h"
#include "engine/util/Texts.h"
#include "platform/core/Exception.h"
#include "tests/engine_probe/ProbeTestSupport.h"

extern "C" {
#include <libavformat/avformat.h>
}

using namespace testmedia;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The first line that starts with the prefix; empty when none does.
std::string LineStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& l : lines)
        if (l.rfind(prefix, 0) == 0)
            return l;
    return {};
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Local time as the probe shows it, for a zone chosen by the test.
class TZoneScope {
public:
    explicit TZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            FOld = old, FHadOld = true;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TZoneScope() {
        if (FHadOld)
            setenv("TZ", FOld.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string FOld;
    bool FHadOld = false;
};

// A context opened by the test itself, as the converter adopts its inputs.
class TAdoptedInput {
public:
    explicit TAdoptedInput(const std::string& path) {
        EXPECT_EQ(avformat_open_input(&FContext, path.c_str(), nullptr, nullptr), 0);
        EXPECT_GE(avformat_find_stream_info(FContext, nullptr), 0);
    }
    ~TAdoptedInput() { avformat_close_input(&FContext); }
    AVFormatContext* operator->() const { return FContext; }
    AVFormatContext* Get() const { return FContext; }

private:
    AVFormatContext* FContext = nullptr;
};

} // namespace

TEST_F(ProbeTest, ReportsStreamsAndTimesOfEveryGeneratedKind) {
    const struct {
        TSampleKind Kind;
        const char* Format;
        int Video, Audio, Subtitle;
        int FirstVideo, FirstAudio, FirstSubtitle;
        int64_t ToleranceUS;  // of the duration; -1: the container knows none
    } cases[] = {
        {TSampleKind::VideoTwoAudio, "mov,mp4,m4a,3gp,3g2,mj2", 1, 2, 0, 0, 1, -1, 40000},
        {TSampleKind::TaggedMatroska, "matroska,webm", 1, 1, 1, 0, 1, 2, 40000},
        {TSampleKind::H264BFrames, "mov,mp4,m4a,3gp,3g2,mj2", 1, 0, 0, 0, -1, -1, 40000},
        {TSampleKind::AllIntra, "mov,mp4,m4a,3gp,3g2,mj2", 1, 0, 0, 0, -1, -1, 40000},
        {TSampleKind::NonAsciiName, "avi", 1, 1, 0, 0, 1, -1, 40000},
        {TSampleKind::ImageSequence, "image2", 1, 0, 0, 0, -1, -1, 40000},
        {TSampleKind::Mp3Audio, "mp3", 0, 1, 0, -1, 0, -1, 100000},
        {TSampleKind::WavAudio, "wav", 0, 1, 0, -1, 0, -1, 1000},
        {TSampleKind::SrtSubtitle, "srt", 0, 0, 1, -1, -1, 0, -1},
        {TSampleKind::RawElementary, "m4v", 1, 0, 0, 0, -1, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SampleKindName(c.Kind));
        const TSample& sample = Sample(c.Kind);
        ASSERT_TRUE(Probe->LoadFile(sample.Path)) << Probe->LastErrMsg();
        EXPECT_EQ(Probe->FormatName(), c.Format);
        EXPECT_EQ(Probe->FileName(), sample.Path);
        EXPECT_EQ(Probe->StreamCount(), c.Video + c.Audio + c.Subtitle);
        EXPECT_EQ(Probe->ProgramCount(), 0);
        EXPECT_EQ(Probe->VideoStreamCount(), c.Video);
        EXPECT_EQ(Probe->AudioStreamCount(), c.Audio);
        EXPECT_EQ(Probe->SubtitleStreamCount(), c.Subtitle);
        EXPECT_EQ(Probe->FirstVideoStreamIndex(), c.FirstVideo);
        EXPECT_EQ(Probe->FirstAudioStreamIndex(), c.FirstAudio);
        EXPECT_EQ(Probe->FirstSubtitleStreamIndex(), c.FirstSubtitle);
        // An image sequence is no one file: its pattern names nothing on disk.
        EXPECT_EQ(Probe->FileSize(), c.Kind == TSampleKind::ImageSequence ? 0 : FileSize(sample.Path));

        const TFileStreamInfo info = Probe->FileStreamInfo();
        const std::vector<std::string> lines = Lines(Probe->FileInfoText());
        if (c.ToleranceUS < 0) {
            EXPECT_EQ(info.Duration, -1);
            EXPECT_TRUE(HasLine(lines, "Duration: N/A"));
        } else {
            EXPECT_NEAR(double(info.Duration), double(sample.Plan.DurationUS()), double(c.ToleranceUS));
            EXPECT_TRUE(HasLine(lines, "Duration: " + FormatAVTime(info.Duration)));
        }
        int streamLines = 0;
        for (const std::string& l : lines)
            streamLines += l.rfind("Stream #", 0) == 0;
        EXPECT_EQ(streamLines, Probe->StreamCount());
    }
}

TEST_F(ProbeTest, ReadsContainerFieldsFromWhereTheyLiveToday) {
    ASSERT_TRUE(Load(TSampleKind::VideoTwoAudio));
    const TFileStreamInfo info = Probe->FileStreamInfo();
    EXPECT_EQ(info.StartTime, 0);
    EXPECT_EQ(info.Duration, 1000000);
    EXPECT_GT(info.BitRate, 0);
    EXPECT_EQ(info.TimeStamp, 1614834367);  // 2021-03-04T05:06:07Z
    EXPECT_EQ(info.Year, 2021);
    EXPECT_EQ(info.Track, 3);
    EXPECT_EQ(info.Title, "Generated clip");
    EXPECT_EQ(info.Author, "Test Maker");   // no "author": the artist stands in
    EXPECT_EQ(info.Copyright, "Nobody");
    EXPECT_EQ(info.Comment, "two audio tracks");
    EXPECT_EQ(info.Album, "Samples");
    EXPECT_EQ(info.Genre, "Test");

    const TVideoStreamInfo video = Probe->FirstVideoStreamInfo();
    EXPECT_EQ(video.Width, 160);
    EXPECT_EQ(video.Height, 120);
    EXPECT_EQ(video.PixFmt, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(video.FrameRate.num, 25);
    EXPECT_EQ(video.FrameRate.den, 1);
    EXPECT_EQ(video.CodecName, "mpeg4(MPEG-4 part 2)");
    EXPECT_EQ(video.StartTimeScaled, 0);
    EXPECT_EQ(video.DurationScaled, 1000000);

    const TAudioStreamInfo first = Probe->FirstAudioStreamInfo();
    const TAudioStreamInfo second = Probe->AudioStreamInfo(2);
    EXPECT_EQ(first.Language, "eng");
    EXPECT_EQ(second.Language, "chi");
    EXPECT_EQ(first.Channels, 1);
    EXPECT_EQ(first.SampleRate, 22050);
    EXPECT_EQ(first.SampleFormat, AV_SAMPLE_FMT_FLTP);
    EXPECT_EQ(first.CodecName, "aac(AAC (Advanced Audio Coding))");
    EXPECT_NEAR(double(first.DurationScaled), 900000, 1000);

    ASSERT_TRUE(Load(TSampleKind::TaggedMatroska));
    const TSubtitleStreamInfo subtitle = Probe->FirstSubtitleStreamInfo();
    EXPECT_EQ(subtitle.Language, "chi");
    EXPECT_EQ(subtitle.CodecName, "srt(SubRip subtitle)");  // the first decoder of the codec
}

TEST_F(ProbeTest, InformationTextFollowsTheDumpLayout) {
    TZoneScope zone("UTC");
    const TSample& sample = Sample(TSampleKind::VideoTwoAudio);
    ASSERT_TRUE(Probe->LoadFile(sample.Path));
    const std::string text = Probe->FileInfoText();
    EXPECT_TRUE(EndsWith(text, "\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));

    const std::vector<std::string> lines = Lines(text);
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[0], "File Name: " + sample.Path);
    EXPECT_EQ(lines[1], "Format Name: mov,mp4,m4a,3gp,3g2,mj2");
    EXPECT_EQ(lines[2], "Format Long Name: QuickTime / MOV");
    EXPECT_EQ(lines[3], "File Size: " + FormatByteSize(FileSize(sample.Path)));
    EXPECT_EQ(lines[4], "Duration: 00:00:01.000");
    EXPECT_EQ(lines[5], "StartTime: 0.000000");
    EXPECT_EQ(lines[6], Format("Bit Rate: %d kb/s", Probe->FileStreamInfo().BitRate / 1000));
    EXPECT_EQ(lines[7], "Time Stamp: 2021-03-04 05:06:07");
    EXPECT_EQ(lines[8], "Metadata:");
    EXPECT_TRUE(HasLine(lines, "  title           : Generated clip"));
    EXPECT_TRUE(HasLine(lines, "  artist          : Test Maker"));
    EXPECT_TRUE(HasLine(lines, "  creation_time   : 2021-03-04T05:06:07.000000Z"));

    const std::string video = LineStarting(lines, "Stream #0");
    EXPECT_EQ(video.rfind("Stream #0[0x1](und), 1/12800: Video: mpeg4", 0), 0u) << video;
    EXPECT_TRUE(EndsWith(video, ", 25 fps, 25 tbr, 12800 tbn, StartTime: 0.000000, Duration: 00:00:01.000")) << video;
    const std::string audio = LineStarting(lines, "Stream #2");
    EXPECT_EQ(audio.rfind("Stream #2[0x3](chi), 1/22050: Audio: aac", 0), 0u) << audio;
    EXPECT_TRUE(EndsWith(audio, ", StartTime: 0.000000, Duration: 00:00:00.900")) << audio;
    // This format shows stream ids. Stream metadata follows its stream line, indented, without the language.
    const auto at = std::find(lines.begin(), lines.end(), video);
    ASSERT_NE(at + 1, lines.end());
    EXPECT_EQ(*(at + 1), "  Metadata:");
    EXPECT_EQ(LineStarting(lines, "    language"), "");
}

TEST_F(ProbeTest, TimeStampIsShownInLocalTimeOfItsDate) {
    {
        TZoneScope zone("Asia/Shanghai");
        ASSERT_TRUE(Load(TSampleKind::VideoTwoAudio));
        EXPECT_TRUE(HasLine(Lines(Probe->FileInfoText()), "Time Stamp: 2021-03-04 13:06:07"));
    }
    // A summer date takes the summer offset of the zone.
    TZoneScope zone("Europe/Berlin");
    TAdoptedInput input(Sample(TSampleKind::VideoTwoAudio).Path);
    av_dict_set(&input->metadata, "creation_time", "2021-07-01T10:00:00.000000Z", 0);
    Probe->SetFileHandle(input.Get());
    EXPECT_EQ(Probe->FileStreamInfo().TimeStamp, 1625133600);
    EXPECT_TRUE(HasLine(Lines(Probe->FileInfoText()), "Time Stamp: 2021-07-01 12:00:00"));
    Probe->CloseFile();
}

TEST_F(ProbeTest, LineFormatsOfUnusualContainerValues) {
    TAdoptedInput input(Sample(TSampleKind::VideoTwoAudio).Path);
    AVStream* video = input->streams[0];
    Probe->SetFileHandle(input.Get());
    const auto text = [&] { return Lines(Probe->FileInfoText()); };

    input->bit_rate = 999;
    EXPECT_TRUE(HasLine(text(), "Bit Rate: 0 kb/s"));
    input->bit_rate = 0;
    EXPECT_TRUE(HasLine(text(), "Bit Rate: N/A"));
    EXPECT_EQ(Probe->FileStreamInfo().BitRate, 0);

    input->duration = AV_NOPTS_VALUE;
    input->start_time = AV_NOPTS_VALUE;
    EXPECT_TRUE(HasLine(text(), "Duration: N/A"));
    EXPECT_EQ(LineStarting(text(), "StartTime:"), "");
    EXPECT_EQ(Probe->FileStreamInfo().Duration, -1);
    EXPECT_EQ(Probe->FileStreamInfo().StartTime, -1);

    // A negative container start has no line; a negative stream start has one sign.
    input->start_time = -23000;
    EXPECT_EQ(LineStarting(text(), "StartTime:"), "");
    EXPECT_EQ(Probe->FileStreamInfo().StartTime, -23000);
    video->start_time = -512;  // of 1/12800
    EXPECT_NE(LineStarting(text(), "Stream #0").find(", StartTime: -0.040000, "), std::string::npos);

    video->avg_frame_rate = AVRational{30000, 1001};
    video->time_base = AVRational{1, 90000};
    const std::string line = LineStarting(text(), "Stream #0");
    EXPECT_NE(line.find(", 1/90000: "), std::string::npos) << line;
    EXPECT_NE(line.find(", 29.97 fps, 25 tbr, 90k tbn"), std::string::npos) << line;

    video->sample_aspect_ratio = AVRational{4, 3};
    video->codecpar->sample_aspect_ratio = AVRational{1, 1};
    EXPECT_NE(LineStarting(text(), "Stream #0").find(", PAR 4:3 DAR 16:9"), std::string::npos);
    EXPECT_FLOAT_EQ(Probe->FirstVideoStreamInfo().AspectRatio, 160.0f / 120.0f);
    video->codecpar->sample_aspect_ratio = AVRational{0, 1};  // unknown
    EXPECT_EQ(Probe->FirstVideoStreamInfo().AspectRatio, 0.0f);
    video->codecpar->sample_aspect_ratio = AVRational{1, 0};  // cannot be computed
    EXPECT_EQ(Probe->FirstVideoStreamInfo().AspectRatio, -1.0f);

    // A time base without denominator is mended on a copy, not in the stream.
    video->time_base = AVRational{1, 0};
    video->duration = 3;
    EXPECT_EQ(Probe->FirstVideoStreamInfo().DurationScaled, 3000000);
    EXPECT_EQ(video->time_base.den, 0);
    Probe->CloseFile();
}

TEST_F(ProbeTest, NegativeStartTimesKeepOneSign) {
    ASSERT_TRUE(Load(TSampleKind::NegativeStart));
    const TFileStreamInfo info = Probe->FileStreamInfo();
    EXPECT_EQ(info.StartTime, -46000);  // 1024 priming samples at 22050 Hz, in milliseconds
    const TAudioStreamInfo audio = Probe->FirstAudioStreamInfo();
    EXPECT_EQ(audio.StartTime, -46);
    EXPECT_EQ(audio.StartTimeScaled, -46000);
    const std::vector<std::string> lines = Lines(Probe->FileInfoText());
    EXPECT_EQ(LineStarting(lines, "StartTime:"), "");
    EXPECT_NE(LineStarting(lines, "Stream #1").find(", StartTime: -0.046000, "), std::string::npos);
    // Decoding starts with the first picture all the same.
    ASSERT_TRUE(Probe->Decode());
    EXPECT_EQ(ShownIndex(), 0);
    EXPECT_EQ(Probe->FrameInfo().PTS, 0);
}

TEST_F(ProbeTest, ProgramsListTheirStreamsFirst) {
    TMediaPlan plan;
    plan.Format = "mpegts";
    plan.Video = {TVideoTrack{}};
    plan.Audio = {TAudioTrack{}};
    plan.Audio[0].Codec = "mp2";
    plan.Metadata = {{"service_provider", "Zarvo"}, {"service_name", "Test"}};
    const std::string path = TSampleSet::Instance().Folder() + "/program.ts";
    WriteMediaFile(path, plan);
    ASSERT_TRUE(Probe->LoadFile(path)) << Probe->LastErrMsg();
    ASSERT_EQ(Probe->ProgramCount(), 1);
    const std::vector<std::string> lines = Lines(Probe->FileInfoText());
    const auto program = std::find(lines.begin(), lines.end(), "Program 1 Zarvo@Test");
    ASSERT_NE(program, lines.end());
    int streams = 0;
    for (auto l = program; l != lines.end(); ++l)
        streams += l->rfind("Stream #", 0) == 0;
    EXPECT_EQ(streams, 2);  // each once, all after the program line
    // This format shows stream ids.
    EXPECT_EQ(LineStarting(lines, "Stream #0").rfind("Stream #0[0x100], 1/90000: Video: mpeg4", 0), 0u);
}

TEST_F(ProbeTest, MetadataLinesUseTheID3NamesAndSkipALoneLanguage) {
    const struct {
        std::vector<std::pair<const char*, const char*>> Entries;
        std::vector<std::string> Lines;
    } cases[] = {
        {{}, {}},
        {{{"language", "eng"}}, {}},
        {{{"language", "eng"}, {"TIT2", "x"}}, {"  Metadata:", "    title           : x"}},
        {{{"TPE1", "a"}, {"TYER", "1999"}, {"tit2", "lower"}, {"TXXX", "other"}},
         {"  Metadata:", "    artist          : a", "    year            : 1999", "    tit2            : lower",
          "    TXXX            : other"}},
        {{{"a_rather_long_key_name", "v"}}, {"  Metadata:", "    a_rather_long_key_name: v"}},
    };
    for (const auto& c : cases) {
        AVDictionary* dict = nullptr;
        for (const auto& [k, v] : c.Entries)
            av_dict_set(&dict, k, v, 0);
        std::vector<std::string> lines;
        AddMetadataLines(lines, dict, "  ");
        EXPECT_EQ(lines, c.Lines);
        av_dict_free(&dict);
    }
    EXPECT_EQ(ID3KeyName("TSOP"), "authorsort");
    EXPECT_EQ(ID3KeyName("TRK"), "track");
}

TEST_F(ProbeTest, RateAndSecondTexts) {
    const struct {
        double Rate;
        const char* Unit;
        const char* Text;
    } rates[] = {
        {25, "fps", ", 25 fps"},         {30000.0 / 1001, "fps", ", 29.97 fps"}, {90000, "tbn", ", 90k tbn"},
        {12800, "tbn", ", 12800 tbn"},   {24000.0 / 1001, "tbr", ", 23.98 tbr"}, {1000, "tbn", ", 1k tbn"},
    };
    for (const auto& r : rates)
        EXPECT_EQ(FormatRateText(r.Rate, r.Unit), r.Text);
    const std::pair<int64_t, const char*> seconds[] = {
        {0, "0.000000"}, {1500000, "1.500000"}, {-23000, "-0.023000"}, {-61000001, "-61.000001"}};
    for (const auto& [us, text] : seconds)
        EXPECT_EQ(FormatSecondsText(us), text);
}

TEST_F(ProbeTest, BrokenInputsGiveTheLibraryReasonAndLeaveTheProbeEmpty) {
    const std::string missing = TSampleSet::Instance().Folder() + "/missing.avi";
    const struct {
        std::string Path;
        std::string Reason;
    } cases[] = {
        {missing, "No such file or directory"},
        {Sample(TSampleKind::ZeroBytes).Path, "Invalid data found when processing input"},
        {Sample(TSampleKind::TextNamedAvi).Path, "Invalid data found when processing input"},
        {Sample(TSampleKind::Mp4CutBeforeIndex).Path, "Invalid data found when processing input"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Load(TSampleKind::AllIntra));  // a file held before is closed first
        Logged.clear();
        EXPECT_FALSE(Probe->LoadFile(c.Path));
        const std::string text = c.Path + ": " + c.Reason;
        EXPECT_EQ(Probe->LastErrMsg(), text);
        EXPECT_TRUE(WasLogged(llError, text));
        EXPECT_EQ(Probe->FileHandle(), nullptr);
        EXPECT_EQ(Probe->StreamCount(), -1);
        EXPECT_EQ(Probe->FileSize(), -1);
    }
}

TEST_F(ProbeTest, UnknownForcedFormatIsRefusedSilently) {
    EXPECT_FALSE(Probe->LoadFile(Sample(TSampleKind::WavAudio).Path, "xyz"));
    EXPECT_EQ(Probe->LastErrMsg(), "Unknown input format: xyz");
    EXPECT_TRUE(Logged.empty());
    ASSERT_TRUE(Probe->LoadFile(Sample(TSampleKind::WavAudio).Path, "wav"));
    EXPECT_EQ(Probe->ForceFormat(), "wav");
    // A success keeps the last reported text.
    EXPECT_EQ(Probe->LastErrMsg(), "Unknown input format: xyz");
}

TEST_F(ProbeTest, TruncatedFilesOpenShorterOrFailButNeverCrash) {
    for (TSampleKind kind : {TSampleKind::TaggedMatroska, TSampleKind::NonAsciiName, TSampleKind::H264BFrames,
                             TSampleKind::Mp3Audio, TSampleKind::RawElementary}) {
        SCOPED_TRACE(SampleKindName(kind));
        const TSample& whole = Sample(kind);
        const std::string cut = TSampleSet::Instance().Folder() + "/cut_" + SampleKindName(kind);
        for (const int64_t size : {FileSize(whole.Path) / 2, int64_t(700), int64_t(16)}) {
            std::filesystem::copy_file(whole.Path, cut, std::filesystem::copy_options::overwrite_existing);
            TruncateFile(cut, size);
            if (Probe->LoadFile(cut)) {
                EXPECT_LE(Probe->FileStreamInfo().Duration, whole.Plan.DurationUS() + 100000);
                Probe->FileInfoText();
                while (Probe->VideoStreamCount() > 0 && Probe->Decode())
                    ;
            } else {
                EXPECT_EQ(Probe->LastErrMsg().rfind(cut + ": ", 0), 0u) << Probe->LastErrMsg();
            }
        }
    }
}

TEST_F(ProbeTest, ReadingWithoutAFileGivesEmptyValues) {
    const TFileStreamInfo info = Probe->FileStreamInfo();
    EXPECT_EQ(info.Duration, -1);
    EXPECT_EQ(info.StartTime, -1);
    EXPECT_EQ(info.BitRate, -1);
    EXPECT_EQ(info.TimeStamp, -1);
    EXPECT_EQ(info.Year, -1);
    EXPECT_EQ(info.Title, "");
    EXPECT_EQ(Probe->LastErrMsg(), "file not loaded.");
    EXPECT_TRUE(WasLogged(llWarning, "file not loaded."));
    EXPECT_EQ(Probe->FileInfoText(), "");
    EXPECT_EQ(Probe->FileName(), "");
    EXPECT_FALSE(Probe->IsVideoStream(0));
    EXPECT_EQ(Probe->FirstVideoStreamInfo().Width, -1);
    EXPECT_EQ(Probe->FirstVideoStreamInfo().AspectRatio, -1.0f);
    EXPECT_EQ(Probe->Position(), -1);
}

TEST_F(ProbeTest, BadIndexesAndKindsAreReported) {
    ASSERT_TRUE(Load(TSampleKind::VideoTwoAudio));
    const struct {
        std::function<bool()> Call;
        const char* Text;
    } cases[] = {
        {[&] { return Probe->IsVideoStream(3); }, "stream index #3 is invalid."},
        {[&] { return Probe->IsAudioStream(-1); }, "stream index #-1 is invalid."},
        {[&] { return Probe->AudioStreamInfo(0).Channels != -1; }, "stream #0 is not audio stream."},
        {[&] { return Probe->VideoStreamInfo(7).Width != -1; }, "stream index #7 is invalid."},
        {[&] { return Probe->SubtitleStreamInfo(-1).Language != "" || Probe->SubtitleStreamInfo(-1).CodecName != ""; },
         "no subtitle stream."},
    };
    for (const auto& c : cases) {
        Logged.clear();
        EXPECT_FALSE(c.Call()) << c.Text;
        EXPECT_EQ(Probe->LastErrMsg(), c.Text);
        EXPECT_TRUE(WasLogged(llError, c.Text));
    }
    EXPECT_TRUE(Probe->IsVideoStream(0));
    EXPECT_TRUE(Probe->IsAudioStream(2));
}

TEST_F(ProbeTest, SizeComesFromTheDiskWhenTheContainerHasNone) {
    // An input read through callbacks that cannot tell its size.
    struct TReader {
        FILE* File;
        static int Read(void* opaque, uint8_t* buf, int size) {
            const size_t got = fread(buf, 1, size_t(size), static_cast<TReader*>(opaque)->File);
            return got > 0 ? int(got) : AVERROR_EOF;
        }
    };
    const std::string path = Sample(TSampleKind::WavAudio).Path;
    for (const bool exists : {true, false}) {
        TReader reader{fopen(path.c_str(), "rb")};
        ASSERT_NE(reader.File, nullptr);
        const int bufferSize = 4096;
        AVIOContext* io = avio_alloc_context(static_cast<uint8_t*>(av_malloc(bufferSize)), bufferSize, 0, &reader,
                                             &TReader::Read, nullptr, nullptr);
        AVFormatContext* context = avformat_alloc_context();
        context->pb = io;
        const std::string name = exists ? path : "nowhere.wav";
        ASSERT_EQ(avformat_open_input(&context, name.c_str(), nullptr, nullptr), 0);
        Probe->SetFileHandle(context);
        if (exists)
            EXPECT_EQ(Probe->FileSize(), FileSize(path));
        else
            EXPECT_LE(Probe->FileSize(), 0);
        Probe->CloseFile();
        avformat_close_input(&context);
        av_freep(&io->buffer);
        avio_context_free(&io);
        fclose(reader.File);
    }
}

TEST_F(ProbeTest, AnAdoptedContextIsReadButNeverClosedOrSought) {
    TAdoptedInput input(Sample(TSampleKind::VideoTwoAudio).Path);
    Probe->SetFileHandle(input.Get());
    EXPECT_EQ(Probe->FileHandle(), input.Get());
    EXPECT_EQ(Probe->AudioStreamCount(), 2);
    EXPECT_THROW(Probe->Decode(), EInvalidOperation);
    EXPECT_EQ(Probe->LastErrMsg(), "file cannot be seeked, handle is readonly.");
    EXPECT_THROW(Probe->Seek(0), EInvalidOperation);
    Probe->CloseFile();
    EXPECT_EQ(Probe->FileHandle(), nullptr);
    EXPECT_EQ(input->nb_streams, 3u);  // still open: the test closes it
}
