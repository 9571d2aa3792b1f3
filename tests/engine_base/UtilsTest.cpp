#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <thread>

#include "engine/util/MainThread.h"
#include "engine/util/MiscUtils.h"
#include "engine/util/Texts.h"
#include "platform/core/Thread.h"
#include "tests/engine_base/EngineTestSupport.h"
#include "tests/media/TempFolder.h"

TEST(Texts, FormatByteSizes) {
    const std::pair<int64_t, const char*> cases[] = {
        {-1, "-1 Byte"},
        {0, "0 Byte"},
        {1024, "1024 Byte"},
        {1025, "1.00 KB"},
        {1048576, "1024.00 KB"},
        {1048577, "1.00 MB"},
        {1073741824, "1024.00 MB"},
        {1073741825, "1.00 GB"},
        {int64_t(5) << 40, "5120.00 GB"},
    };
    for (const auto& [size, text] : cases)
        EXPECT_EQ(FormatByteSize(size), text) << size;
}

TEST(Texts, FormatTimes) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, "00:00:00.000"},
        {INT64_MIN, "N/A"},
        {65040000, "00:01:05.040"},
        {90061500000, "25:01:01.500"},
        {999, "00:00:00.000"},
        {-23000, "-00:00:00.023"},
        {-65040000, "-00:01:05.040"},
        {INT64_MIN + 1, "-2562047788:00:54.775"},
    };
    for (const auto& [time, text] : cases)
        EXPECT_EQ(FormatAVTime(time), text) << time;
}

TEST(Texts, NameErrorsByTheirSymbolicCodes) {
    const std::pair<int, const char*> cases[] = {
        {AVERROR(ENOENT), "a.avi: No such file or directory"},
        {AVERROR_EOF, "a.avi: End of file"},
        {AVERROR_INVALIDDATA, "a.avi: Invalid data found when processing input"},
        {AVERROR(EINVAL), "a.avi: Invalid data found when processing input"},
        {AVERROR_PROTOCOL_NOT_FOUND, "a.avi: Unsupported network protocol"},
        {AVERROR_DEMUXER_NOT_FOUND, "a.avi: Unknown format"},
        {AVERROR(EILSEQ), "a.avi: Unknown format"},
        {AVERROR(EDOM), "a.avi: Number syntax expected in filename"},
        {AVERROR_PATCHWELCOME, "a.avi: Not yet implemented in FFmpeg"},
        {AVERROR(ENOMEM), "a.avi: Not enough memory"},
        {AVERROR(EIO), "a.avi: I/O error"},
        {-1234, "a.avi: Error number -1234 occurred"},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(AVErrorText("a.avi", code), text) << code;
}

TEST(Texts, NameMediaTypes) {
    const char* names[] = {"Unknown", "Video", "Audio", "Data", "Subtitle", "Attachment", "Unknown"};
    for (int type = -1; type <= 5; ++type)
        EXPECT_EQ(MediaTypeName(type), names[type + 1]) << type;
}

TEST(Texts, DescribeCodecs) {
    BindMediaLibraries();
    EXPECT_EQ(CodecDescription(AV_CODEC_ID_NONE, MKTAG('X', 'V', 'I', 'D'), false), "XVID / 0x44495658");
    EXPECT_EQ(CodecDescription(AV_CODEC_ID_NONE, 0x01020304, false), "0x1020304");
    EXPECT_EQ(CodecDescription(AV_CODEC_ID_NONE, 0, false), "0x0000");
    EXPECT_EQ(CodecDescription(AV_CODEC_ID_MPEG2TS, 0, false), "mpeg2ts");
    EXPECT_EQ(CodecDescription(AV_CODEC_ID_MPEG4, 0, false), "mpeg4(MPEG-4 part 2)");
    AVCodecContext* ctx = AVLib.avcodec_alloc_context3(nullptr);
    ctx->codec_id = AV_CODEC_ID_PCM_S16LE;
    EXPECT_EQ(CodecDescription(ctx, true), "pcm_s16le(PCM signed 16-bit little-endian)");
    AVLib.avcodec_free_context(&ctx);
}

TEST(Texts, ReadMetadataWithoutRegardToCase) {
    BindMediaLibraries();
    AVDictionary* dict = nullptr;
    AVLib.av_dict_set(&dict, "Title", "标题", 0);
    EXPECT_EQ(GetMetadataText(dict, "title"), "标题");
    EXPECT_EQ(GetMetadataText(dict, "album", "none"), "none");
    EXPECT_EQ(GetMetadataText(nullptr, "title", "none"), "none");
    AVLib.av_dict_free(&dict);
}

TEST(MiscUtils, ConvertSeekFlagsAndFrameRates) {
    EXPECT_EQ(SeekFlagsToAVFlags({sfBackward, sfFrame}), 9);
    EXPECT_EQ(SeekFlagsToAVFlags({sfByte, sfAny}), AVSEEK_FLAG_BYTE | AVSEEK_FLAG_ANY);
    EXPECT_EQ(SeekFlagsToAVFlags({}), 0);
    const std::pair<AVRational, int64_t> rates[] = {
        {{25, 1}, 40000}, {{30000, 1001}, 33366}, {{0, 1}, 40000}, {{1, 0}, 40000}, {{24, 1}, 41666},
    };
    for (const auto& [rate, us] : rates)
        EXPECT_EQ(FrameIntervalUS(rate), us) << rate.num << "/" << rate.den;
}

TEST(MiscUtils, TakeTokens) {
    struct Case { const char* text; const char* sep; bool remove; const char* token; const char* rest; };
    const Case cases[] = {
        {"a=b", "=", true, "a", "b"},
        {"a=b", "=", false, "a", "a=b"},
        {"abc", "=", true, "abc", ""},
        {"abc", "=", false, "abc", "abc"},
        {"x<CRLF>y<CRLF>", "<CRLF>", true, "x", "y<CRLF>"},
        {"", "=", true, "", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(TakeToken(text, c.sep, c.remove), c.token) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(MiscUtils, SizeFilesWhateverTheirNames) {
    testmedia::TTempFolder folder;
    for (const char* name : {"a*b[1]?.bin", "plain.bin"}) {
        std::ofstream(folder.File(name)) << "12345";
        EXPECT_EQ(GetFileSizeByName(folder.File(name)), 5) << name;
    }
    EXPECT_EQ(GetFileSizeByName(folder.File("a*")), -1);
    EXPECT_EQ(GetFileSizeByName(folder.File("missing")), -1);
    EXPECT_EQ(GetFileSizeByName(folder.Path()), -1);
}

TEST(MiscUtils, FindTheProgram) {
    EXPECT_EQ(GetExePath().back(), '/');
    EXPECT_EQ(GetExeFileName().rfind(GetExePath(), 0), 0u);
}

namespace {

// Runs with TZ set to a zone, restoring the previous zone afterwards.
class TZone {
public:
    explicit TZone(const char* zone) {
        const char* old = std::getenv("TZ");
        FHad = old != nullptr;
        if (FHad)
            FOld = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TZone() {
        if (FHad)
            setenv("TZ", FOld.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool FHad = false;
    std::string FOld;
};

}  // namespace

TEST(MiscUtils, ConvertTimesWithTheOffsetInForceAtThatInstant) {
    struct Case { const char* zone; double local; int64_t unix; };
    const Case cases[] = {
        {"UTC", 25569.0, 0},
        {"Asia/Shanghai", 25569.0, -28800},
        {"Europe/Berlin", 45474.5, 1719828000},  // 2024-07-01 12:00 summer time, UTC+2
        {"Europe/Berlin", 45292.5, 1704106800},  // 2024-01-01 12:00 winter time, UTC+1
    };
    for (const Case& c : cases) {
        TZone zone(c.zone);
        EXPECT_EQ(DateTimeToUnixTime(c.local), c.unix) << c.zone << " " << c.local;
        EXPECT_DOUBLE_EQ(UnixTimeToDateTime(c.unix), c.local) << c.zone << " " << c.unix;
    }
    {
        TZone shanghai("Asia/Shanghai");
        EXPECT_EQ(DateTimeText("yyyy-mm-dd hh:nn:ss", UnixTimeToDateTime(0)), "1970-01-01 08:00:00");
    }
    TZone zone("UTC");
    EXPECT_EQ(DateTimeToUnixTime(25569.0 + 0.4 / 86400), 0);  // to the nearest second
    EXPECT_EQ(DateTimeToUnixTime(25569.0 + 0.6 / 86400), 1);
    EXPECT_EQ(DateTimeToUnixTime(25569.0 - 0.6 / 86400), -1);
}

TEST(MiscUtils, ReadWholeFiles) {
    BindMediaLibraries();
    testmedia::TTempFolder folder;
    std::ofstream(folder.File("stats.log")) << "abc";
    char* buffer = nullptr;
    int64_t size = 0;
    ASSERT_EQ(ReadWholeFile(folder.File("stats.log"), &buffer, &size), 0);
    EXPECT_EQ(size, 4);
    EXPECT_STREQ(buffer, "abc");
    AVLib.av_free(buffer);
    EXPECT_EQ(ReadWholeFile(folder.File("missing.log"), &buffer, &size), -1);
    EXPECT_EQ(buffer, nullptr);
}

TEST(MainThreadCalls, RunInTheMainThreadAndReturnAfterwards) {
    bool ranOnMain = false;
    CallInMainThread([&] { ranOnMain = IsMainThread(); });
    EXPECT_TRUE(ranOnMain);

    std::atomic<bool> returned{false};
    bool workerRanOnMain = false;
    std::thread worker([&] {
        CallInMainThread([&] { workerRanOnMain = IsMainThread(); });
        returned = true;
    });
    while (!returned)
        TThread::CheckSynchronize(10);
    worker.join();
    EXPECT_TRUE(workerRanOnMain);
}
