#include "engine/log/Logger.h"

#include <deque>
#include <memory>
#include <mutex>

#include "engine/loader/EntryPoints.h"
#include "platform/core/Exception.h"
#include "platform/core/Thread.h"

namespace {

// The process's logger and the lines waiting for the main thread. Workers
// only ever take this lock for a moment, never while OnLog runs.
struct TLoggerState {
    std::mutex Lock;
    TFFLogger* Logger = nullptr;
    std::deque<TLogInfo> Queue;
    bool DrainPosted = false;
};

TLoggerState& State() {
    static TLoggerState state;
    return state;
}

// The library level last given to avutil; the callback compares against it.
std::atomic<int> AVThreshold{32};

const char* const LevelNames[] = {"quiet", "panic", "fatal", "error", "warning", "info", "verbose", "debug"};

}  // namespace

TFFLogger::TFFLogger(TComponent* AOwner) : TFFBaseComponent(AOwner) {
    TLoggerState& s = State();
    std::lock_guard lock(s.Lock);
    if (s.Logger)
        throw EAssertionFailed("Allow creating only one instance of TFFLogger.");
    FLogLevel = AVLevelToLogLevel(AVThreshold);
    s.Logger = this;
}

TFFLogger::~TFFLogger() {
    TLoggerState& s = State();
    std::lock_guard lock(s.Lock);
    if (s.Logger == this) {
        s.Logger = nullptr;
        s.Queue.clear();
        s.DrainPosted = false;  // a later logger posts its own drain
    }
}

TLogThreadID TFFLogger::CurrentLogThreadID() {
    return TLogThreadID(CurrentThreadId());
}

TFFLogger* ExistingFFLogger() {
    std::lock_guard lock(State().Lock);
    return State().Logger;
}

TFFLogger* GetFFLogger() {
    {
        std::lock_guard lock(State().Lock);
        if (State().Logger)
            return State().Logger;
    }
    // Freed at process exit unless the application frees it first.
    static std::unique_ptr<TFFLogger> unowned;
    unowned = std::make_unique<TFFLogger>(nullptr);
    return unowned.get();
}

void TFFLogger::SetLogLevel(TLogLevel value) {
    if (value == FLogLevel)
        return;
    FLogLevel = value;
    ApplyAVLogLevel();
}

void TFFLogger::ApplyAVLogLevel() {
    if (!AVLib.av_log_set_level)
        return;  // applied when avutil is loaded
    AVThreshold = LogLevelToAVLevel(FLogLevel);
    AVLib.av_log_set_level(AVThreshold);
}

void TFFLogger::InstallAVLogCallback() {
    if (!AVLib.av_log_set_callback || !AVLib.av_log_set_level)
        throw EAssertionFailed("Assertion failure: avutil's log entry points are not bound");
    AVLib.av_log_set_callback(AVLogCallback);
    ApplyAVLogLevel();
}

void TFFLogger::OptLogLevel(const std::string& value) {
    int level = 0;
    bool named = false;
    for (int i = 0; i <= int(llDebug); ++i)
        if (SameText(value, LevelNames[i])) {
            level = LogLevelToAVLevel(TLogLevel(i));
            named = true;
        }
    if (!named)
        level = StrToInt(value);  // raises EConvertError, the level unchanged
    SetLogLevel(AVLevelToLogLevel(level));
}

// Engine messages at llVerbose pass at every level but llQuiet.
bool TFFLogger::Passes(TLogLevel ALogLevel) const {
    const TLogLevel current = FLogLevel;
    return ALogLevel <= current || (ALogLevel == llVerbose && current != llQuiet);
}

void TFFLogger::Log(TObject* Sender, TLogLevel ALogLevel, const std::string& ALogMsg) {
    if (Passes(ALogLevel))
        Deliver({Sender, CurrentLogThreadID(), ALogLevel, ALogMsg});
}

// Library lines are not filtered again: the callback's threshold mirrors LogLevel.
void TFFLogger::LogFromAV(TLogThreadID AThreadID, int AVLevel, const std::string& ALogMsg) {
    Deliver({this, AThreadID, AVLevelToLogLevel(AVLevel), ALogMsg});
}

void TFFLogger::CallOnLog(const TLogInfo& info) {
    if (OnLog)
        OnLog(info.Sender, info.ThreadID, info.LogLevel, info.LogMsg);
}

void TFFLogger::Deliver(TLogInfo info) {
    if (!FTriggerEventInMainThread) {
        CallOnLog(info);
        return;
    }
    const bool onMain = IsMainThread();
    bool post = false;
    {
        TLoggerState& s = State();
        std::lock_guard lock(s.Lock);
        if (s.Logger != this)
            return;  // being destroyed
        s.Queue.push_back(std::move(info));
        if (!onMain && !s.DrainPosted) {
            s.DrainPosted = true;
            post = true;
        }
    }
    if (onMain)
        DeliverQueuedLogLines();
    else if (post)
        TThread::Queue(nullptr, DeliverQueuedLogLines);
}

void DeliverQueuedLogLines() {
    TLoggerState& s = State();
    for (;;) {
        TLogInfo info;
        TFFLogger* logger = nullptr;
        {
            std::lock_guard lock(s.Lock);
            if (s.Queue.empty() || !s.Logger) {
                s.DrainPosted = false;
                return;
            }
            info = std::move(s.Queue.front());
            s.Queue.pop_front();
            logger = s.Logger;
        }
        logger->CallOnLog(info);
    }
}

int AVLogThreshold() {
    return AVThreshold;
}
