#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/log/Logger.h"
#include "platform/core/Exception.h"
#include "platform/core/Thread.h"
#include "tests/engine_base/EngineTestSupport.h"

namespace {

struct TLogged {
    TLogThreadID Thread;
    TLogLevel Level;
    std::string Text;
    bool OnMain;
};

// A library context: its first field points to the class record that names it.
const char* ProbeItemName(void*) { return "probe"; }
AVClass MakeProbeClass() {
    AVClass cls{};
    cls.class_name = "probe";
    cls.item_name = ProbeItemName;
    cls.version = LIBAVUTIL_VERSION_INT;
    return cls;
}
const AVClass ProbeClass = MakeProbeClass();
struct TFakeContext {
    const AVClass* Class = &ProbeClass;
} Context;

std::string Prefix(const void* ctx) {
    char text[64];
    std::snprintf(text, sizeof text, "[probe @ %p]", ctx);
    return text;
}

class LoggerTest : public testing::Test {
protected:
    void SetUp() override {
        BindMediaLibraries();
        Logger = GetFFLogger();
        Logger->SetLogLevel(llInfo);
        Logger->SetTriggerEventInMainThread(true);
        Logger->OnLog = [this](TObject*, TLogThreadID thread, TLogLevel level, const std::string& text) {
            std::lock_guard lock(Lock);
            Lines.push_back({thread, level, text, IsMainThread()});
        };
    }
    void TearDown() override {
        TThread::CheckSynchronize();
        Logger->OnLog = nullptr;
        Logger->SetLogLevel(llInfo);
    }
    std::vector<TLogged> Taken() {
        std::lock_guard lock(Lock);
        return std::exchange(Lines, {});
    }

    TFFLogger* Logger = nullptr;
    std::mutex Lock;
    std::vector<TLogged> Lines;
};

}  // namespace

TEST(LogLevels, MapLibraryLevelsByTheEightStepRule) {
    const std::pair<int, TLogLevel> cases[] = {
        {-20, llQuiet}, {-16, llQuiet}, {-8, llQuiet}, {-7, llPanic},  {0, llPanic},    {7, llPanic},
        {8, llFatal},   {16, llError},  {20, llError}, {24, llWarning}, {32, llInfo},  {40, llVerbose},
        {47, llVerbose}, {48, llDebug}, {56, llDebug}, {1000, llDebug},
    };
    for (const auto& [av, level] : cases)
        EXPECT_EQ(AVLevelToLogLevel(av), level) << av;
    const int libraryLevels[] = {-8, 0, 8, 16, 24, 32, 40, 48};
    for (int i = llQuiet; i <= llDebug; ++i)
        EXPECT_EQ(LogLevelToAVLevel(TLogLevel(i)), libraryLevels[i]) << i;
}

TEST_F(LoggerTest, AllowsOneInstanceOnly) {
    try {
        TFFLogger second(nullptr);
        FAIL() << "a second logger was made";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Allow creating only one instance of TFFLogger.");
    }
    EXPECT_EQ(GetFFLogger(), Logger);
}

TEST_F(LoggerTest, TakesTheLogLevelOption) {
    const std::pair<const char*, TLogLevel> cases[] = {
        {"DEBUG", llDebug}, {"quiet", llQuiet}, {"Warning", llWarning}, {"20", llError},
        {"-20", llQuiet},   {"48", llDebug},    {"1000", llDebug},      {"info", llInfo},
    };
    for (const auto& [text, level] : cases) {
        Logger->OptLogLevel(text);
        EXPECT_EQ(Logger->LogLevel(), level) << text;
    }
    Logger->SetLogLevel(llError);
    EXPECT_THROW(Logger->OptLogLevel("abc"), EConvertError);
    EXPECT_EQ(Logger->LogLevel(), llError);
}

TEST_F(LoggerTest, AssemblesALibraryLineFromItsParts) {
    AVLib.av_log(&Context, AV_LOG_ERROR, "abc");
    EXPECT_TRUE(Taken().empty());
    AVLib.av_log(&Context, AV_LOG_ERROR, "def\n");
    const auto lines = Taken();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Text, Prefix(&Context) + "abcdef");
    EXPECT_EQ(lines[0].Level, llError);
    EXPECT_EQ(lines[0].Thread, CurrentThreadId());
}

TEST_F(LoggerTest, SplitsAMessageOfTwoLines) {
    AVLib.av_log(nullptr, AV_LOG_WARNING, "a\nb\n");
    const auto lines = Taken();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Text, "a");
    EXPECT_EQ(lines[1].Text, "b");
    EXPECT_EQ(lines[1].Level, llWarning);
}

TEST_F(LoggerTest, FiltersLibraryAndEngineMessagesByLevel) {
    AVLib.av_log(nullptr, AV_LOG_VERBOSE, "library verbose\n");
    AVLib.av_log(nullptr, AV_LOG_WARNING, "library warning\n");
    Logger->Log(nullptr, llVerbose, "engine verbose");
    Logger->Log(nullptr, llDebug, "engine debug");
    Logger->Log(nullptr, llError, "engine %s %d", "error", 7);
    auto lines = Taken();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Text, "library warning");
    EXPECT_EQ(lines[1].Text, "engine verbose");
    EXPECT_EQ(lines[2].Text, "engine error 7");

    Logger->SetLogLevel(llQuiet);
    Logger->Log(nullptr, llVerbose, "engine verbose");
    EXPECT_TRUE(Taken().empty());
}

TEST_F(LoggerTest, KeepsAVeryLongMessageWhole) {
    const std::string longText(10000, 'x');
    AVLib.av_log(&Context, AV_LOG_ERROR, "%s\n", longText.c_str());
    const auto lines = Taken();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Text, Prefix(&Context) + longText);
}

TEST_F(LoggerTest, DeliversWorkerLinesInTheMainThreadPerThread) {
    std::promise<void> aStarted, bStarted;
    std::promise<TLogThreadID> aId, bId;
    std::thread a([&] {
        aId.set_value(CurrentThreadId());
        AVLib.av_log(&Context, AV_LOG_ERROR, "A1");
        aStarted.set_value();
        bStarted.get_future().wait();
        AVLib.av_log(&Context, AV_LOG_ERROR, "A2\n");
    });
    std::thread b([&] {
        bId.set_value(CurrentThreadId());
        aStarted.get_future().wait();
        AVLib.av_log(&Context, AV_LOG_ERROR, "B1");
        bStarted.set_value();
        AVLib.av_log(nullptr, AV_LOG_ERROR, "B2\n");
    });
    a.join();
    b.join();
    EXPECT_TRUE(Taken().empty()) << "delivered outside the main thread";
    TThread::CheckSynchronize();
    auto lines = Taken();
    ASSERT_EQ(lines.size(), 2u);
    std::sort(lines.begin(), lines.end(), [](const TLogged& x, const TLogged& y) { return x.Text < y.Text; });
    EXPECT_EQ(lines[0].Text, Prefix(&Context) + "A1A2");
    EXPECT_EQ(lines[0].Thread, aId.get_future().get());
    EXPECT_EQ(lines[1].Text, Prefix(&Context) + "B1B2");
    EXPECT_EQ(lines[1].Thread, bId.get_future().get());
    EXPECT_TRUE(lines[0].OnMain && lines[1].OnMain);
}

TEST_F(LoggerTest, AWorkerLoggingUnderALockNeverWaitsForTheMainThread) {
    std::mutex codecLock;
    std::promise<void> locked;
    std::thread worker([&] {
        std::lock_guard hold(codecLock);
        locked.set_value();
        AVLib.av_log(nullptr, AV_LOG_ERROR, "opening codec\n");
    });
    locked.get_future().wait();
    { std::lock_guard wait(codecLock); }  // the main thread waits for the lock
    worker.join();
    TThread::CheckSynchronize();
    const auto lines = Taken();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Text, "opening codec");
}

TEST_F(LoggerTest, KeepsTheOrderOfQueuedAndMainThreadLines) {
    std::thread([] { AVLib.av_log(nullptr, AV_LOG_ERROR, "first\n"); }).join();
    Logger->Log(nullptr, llError, "second");
    const auto lines = Taken();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Text, "first");
    EXPECT_EQ(lines[1].Text, "second");
}

TEST_F(LoggerTest, CallsTheHandlerOnTheLoggingThreadWhenAsked) {
    Logger->SetTriggerEventInMainThread(false);
    std::thread([] { AVLib.av_log(nullptr, AV_LOG_ERROR, "direct\n"); }).join();
    const auto lines = Taken();
    Logger->SetTriggerEventInMainThread(true);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].OnMain);
}

TEST_F(LoggerTest, AppliesALevelSetBeforeLoadingAtInstall) {
    TFFmpegLoader loader;
    ASSERT_TRUE(loader.Load(avUtil));
    loader.Unload(avUtil);
    ASSERT_EQ(AVLib.av_log_set_level, nullptr);
    Logger->SetLogLevel(llWarning);
    EXPECT_EQ(AVLogThreshold(), 32);
    ASSERT_TRUE(loader.Load(avUtil));
    EXPECT_EQ(AVLogThreshold(), 24);
    EXPECT_EQ(AVLib.av_log_get_level(), 24);
    BindMediaLibraries();
}

TEST_F(LoggerTest, ReinstallsItsCallbackOnEveryLoad) {
    static int foreignCalls = 0;
    AVLib.av_log_set_callback([](void*, int, const char*, va_list) { ++foreignCalls; });
    AVLib.av_log(nullptr, AV_LOG_ERROR, "lost\n");
    EXPECT_EQ(foreignCalls, 1);
    BindMediaLibraries();
    AVLib.av_log(nullptr, AV_LOG_ERROR, "back\n");
    const auto lines = Taken();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Text, "back");
}
