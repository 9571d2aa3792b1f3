#include <cstdlib>

#include "engine/log/Logger.h"
#include "engine/transcode/FrameHookChain.h"
#include "platform/core/DynLib.h"
#include "tests/engine_task/ConverterTestSupport.h"
#include "tests/engine_task/TestFrameHook.h"

using namespace tasktest;

// Frame-hook plug-ins: loading and configuring them, and what they do to the
// pictures of a conversion.

namespace {

std::string Plugin(const std::string& AName) { return std::string(TEST_HOOK_DIR) + "/lib" + AName + ".so"; }

// The state of a test plug-in, through the same library the engine loads.
TTestHookState& StateOf(const std::string& APath) {
    HMODULE library = LoadLibrary(APath);
    EXPECT_NE(library, nullptr) << LastLibraryError();
    auto proc = reinterpret_cast<TTestHookStateProc>(GetProcAddress(library, "TestHookState"));
    return *proc();
}

// The logger's lines, on any thread.
class TLogLines {
public:
    TLogLines() {
        TFFLogger* logger = GetFFLogger();
        logger->SetTriggerEventInMainThread(false);
        logger->OnLog = [this](TObject*, TLogThreadID, TLogLevel level, const std::string& text) {
            std::lock_guard lock(FLock);
            FLines.emplace_back(level, text);
        };
    }
    ~TLogLines() {
        GetFFLogger()->OnLog = nullptr;
        GetFFLogger()->SetTriggerEventInMainThread(true);
    }
    bool Has(TLogLevel level, const std::string& text) {
        std::lock_guard lock(FLock);
        for (const auto& [l, t] : FLines)
            if (l == level && t == text)
                return true;
        return false;
    }
    int Errors() {
        std::lock_guard lock(FLock);
        int n = 0;
        for (const auto& line : FLines)
            n += line.first == llError;
        return n;
    }

private:
    std::mutex FLock;
    std::vector<std::pair<TLogLevel, std::string>> FLines;
};

class FrameHookTest : public ConverterTest {
protected:
    void SetUp() override {
        ConverterTest::SetUp();
        for (const char* name : {"testhook", "testhook_noprocess", "testhook_noconfigure"})
            StateOf(Plugin(name)).Reset();
    }
    // A task converting AInput with these lines of output options.
    void AddHookedConversion(const std::string& AExtOptions, bool ACustomHook = false,
                             const std::string& AInput = InputFile()) {
        const int index = Converter->AddTask(AInput, nullptr);
        ASSERT_GE(index, 0) << Converter->LastErrMsg();
        TOutputOptions options;
        InitOutputOptions(options);
        options.ExtOptions = AExtOptions;
        options.CustomHook = ACustomHook;
        Outputs.push_back(Folder.File("hooked" + std::to_string(index) + ".mpg"));
        ASSERT_TRUE(Converter->SetOutputFile(index, Outputs.back(), &options)) << Converter->LastErrMsg();
    }
    void RunToTheEnd() {
        Converter->Start(1);
        ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
        std::lock_guard lock(Ends.Lock);
        for (const TTerminateInfo& e : Ends.Events)
            EXPECT_TRUE(e.Finished) << e.TaskIndex << ": " << e.ExceptionMsg;
    }
};

} // namespace

TEST_F(FrameHookTest, AddingPluginsAnswersWithTheResultCodes) {
    const std::string full = Plugin("testhook"), noProcess = Plugin("testhook_noprocess"),
                      noConfigure = Plugin("testhook_noconfigure");
    const struct {
        std::vector<std::string> Arguments;
        int Result;
        std::string Logged;  // the error line, when one is expected
    } cases[] = {
        {{}, -2, ""},
        {{Plugin("nosuch")}, -1, ""},
        {{noProcess}, -2, "Failed to find Process entrypoint in " + noProcess},
        {{noConfigure, "x"}, -2, "Failed to find Configure entrypoint in " + noConfigure},
        {{full, "fail"}, -22, "Failed to Configure " + full},
        {{noConfigure}, 0, ""},
        {{full}, 0, ""},
        {{full, "invert"}, 0, ""},
    };
    for (const auto& c : cases) {
        TLogLines log;
        TFrameHookChain chain;
        EXPECT_EQ(chain.AddFrameHook(c.Arguments), c.Result) << ::testing::PrintToString(c.Arguments);
        EXPECT_EQ(chain.Count(), c.Result == 0 ? 1 : 0);
        if (!c.Logged.empty()) {
            EXPECT_TRUE(log.Has(llError, c.Logged)) << c.Logged;
        }
        if (c.Result == -1) {
            EXPECT_EQ(log.Errors(), 1) << "the system's reason";
        }
        if (c.Result == 0) {
            EXPECT_EQ(log.Errors(), 0);
        }
    }
    EXPECT_EQ(StateOf(full).Releases, 2) << "each added entry released once with its chain";
}

// One library, an entry per use: each configured, processed and released once.
TEST_F(FrameHookTest, APluginNamedTwiceGetsAnEntryPerUse) {
    const std::string full = Plugin("testhook");
    TTestHookState& state = StateOf(full);
    TFrameHookChain chain;
    ASSERT_EQ(chain.AddFrameHook({full}), 0);
    ASSERT_EQ(chain.AddFrameHook({full, "x"}), 0);
    EXPECT_EQ(state.Configures, 2);

    AVFrame* picture = AVLib.av_frame_alloc();
    picture->format = AV_PIX_FMT_GRAY8;
    picture->width = 8;
    picture->height = 4;
    ASSERT_GE(AVLib.av_frame_get_buffer(picture, 0), 0);
    chain.ProcessFrameHooks(picture, 1234);
    EXPECT_EQ(state.Processes, 2);
    {
        std::lock_guard lock(state.Lock);
        EXPECT_EQ(state.PTS, (std::vector<int64_t>{1234, 1234}));
        EXPECT_EQ(state.PixFmt, int(AV_PIX_FMT_GRAY8));
        EXPECT_EQ(state.Width, 8);
        EXPECT_EQ(state.Height, 4);
    }
    chain.ReleaseFrameHooks();
    chain.ReleaseFrameHooks();
    EXPECT_EQ(state.Releases, 2);
    EXPECT_TRUE(chain.Empty());
    AVLib.av_frame_free(&picture);

    // Without "Configure" and without arguments the context stays none.
    const std::string bare = Plugin("testhook_noconfigure");
    TFrameHookChain other;
    ASSERT_EQ(other.AddFrameHook({bare}), 0);
    AVFrame* gray = AVLib.av_frame_alloc();
    gray->format = AV_PIX_FMT_GRAY8;
    gray->width = gray->height = 2;
    ASSERT_GE(AVLib.av_frame_get_buffer(gray, 0), 0);
    other.ProcessFrameHooks(gray, 0);
    EXPECT_EQ(StateOf(bare).NullContexts, 1);
    AVLib.av_frame_free(&gray);
}

// A job whose "vhook" names an inverting plug-in: every decoded picture
// passes it with its time, the output shows the inverted pictures, and the
// plug-in is released once when the run ends.
TEST_F(FrameHookTest, APluginChangesEveryPictureOfTheConversion) {
    TTestHookState& state = StateOf(Plugin("testhook"));
    AddHookedConversion("vhook=" + Plugin("testhook") + " invert");
    AddConversions(1);  // the same without the plug-in
    EXPECT_EQ(state.Configures, 1);
    RunToTheEnd();
    EXPECT_EQ(state.Processes, 10);
    EXPECT_EQ(state.Releases, 1);
    {
        std::lock_guard lock(state.Lock);
        ASSERT_EQ(state.PTS.size(), 10u);
        for (size_t i = 1; i < state.PTS.size(); ++i)
            EXPECT_EQ(state.PTS[i] - state.PTS[i - 1], 40000) << i;
        EXPECT_EQ(state.PixFmt, int(AV_PIX_FMT_YUV420P));
    }
    const TOutputCheck hooked = ReopenOutput(Outputs[0]), plain = ReopenOutput(Outputs[1]);
    ASSERT_EQ(hooked.VideoFrames, 10) << hooked.Error;
    ASSERT_EQ(plain.VideoFrames, 10) << plain.Error;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(plain.FrameNumbers[size_t(i)], i);
        EXPECT_NE(hooked.FrameNumbers[size_t(i)], i) << "inverted picture " << i;
    }
}

// With the custom hook and a plug-in, only the custom hook runs; once it
// sets StopHook neither runs again, and the plug-in is still released.
TEST_F(FrameHookTest, TheCustomHookWinsOverPluginsAndStopsThemToo) {
    TTestHookState& state = StateOf(Plugin("testhook"));
    AddHookedConversion("vhook=" + Plugin("testhook") + " invert", true);
    int calls = 0;
    Converter->OnCustomHook = [&](TObject*, PHookInfo AInfo) {
        ++calls;
        AInfo->Update = false;
        AInfo->StopHook = AInfo->FrameNumber == 3;
    };
    RunToTheEnd();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(state.Processes, 0);
    EXPECT_EQ(state.Releases, 1);
    const TOutputCheck check = ReopenOutput(Outputs[0]);
    ASSERT_EQ(check.VideoFrames, 10) << check.Error;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(check.FrameNumbers[size_t(i)], i) << "picture " << i << " as it came";
}

// A plug-in that cannot be added makes the task's set-up fail with the text.
TEST_F(FrameHookTest, AnUnloadablePluginFailsTheSetUp) {
    const int index = Converter->AddTask(InputFile(), nullptr);
    ASSERT_GE(index, 0);
    TOutputOptions options;
    InitOutputOptions(options);
    options.ExtOptions = "vhook=" + Plugin("nosuch");
    EXPECT_FALSE(Converter->SetOutputFile(index, Folder.File("never.mpg"), &options));
    EXPECT_EQ(Converter->LastErrMsg(), "Failed to add video hook function: " + Plugin("nosuch"));
}
