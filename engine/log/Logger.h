#pragma once
#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/log/LogLevel.h"
#include "engine/util/FFBaseComponent.h"
#include "platform/core/SysUtils.h"

using TLogThreadID = uint32_t;

using TLogEvent =
    std::function<void(TObject* Sender, TLogThreadID AThreadID, TLogLevel ALogLevel, const std::string& ALogMsg)>;

// One OnLog call, handed to the main thread as a copy of its own.
struct TLogInfo {
    TObject* Sender = nullptr;
    TLogThreadID ThreadID = 0;
    TLogLevel LogLevel = llInfo;
    std::string LogMsg;
};

// The process's one logger: the media libraries' log lines and the engine's
// messages, filtered by one level and delivered to OnLog.
//
// Delivery never blocks the logging thread: with TriggerEventInMainThread
// (the default) every line is queued in order and the main thread runs OnLog
// when it next serves queued calls; a line logged on the main thread first
// delivers the lines queued before it. A worker that logs while it holds the
// codec lock therefore never waits for a main thread that waits for that lock.
class TFFLogger : public TFFBaseComponent {
public:
    // A second instance while one exists raises EAssertionFailed.
    explicit TFFLogger(TComponent* AOwner);
    ~TFFLogger() override;

    TLogLevel LogLevel() const { return FLogLevel; }
    void SetLogLevel(TLogLevel value);
    bool TriggerEventInMainThread() const { return FTriggerEventInMainThread; }
    void SetTriggerEventInMainThread(bool value) { FTriggerEventInMainThread = value; }

    // Installs the library callback and applies LogLevel; avutil must be bound.
    void InstallAVLogCallback();
    void ApplyAVLogLevel();
    // The "loglevel" option: a level name (any case) or a library level number.
    void OptLogLevel(const std::string& value);

    void Log(TObject* Sender, TLogLevel ALogLevel, const std::string& ALogMsg);
    // printf-style; the text is formatted only when the level lets it pass.
    template <typename A0, typename... A>
    void Log(TObject* Sender, TLogLevel ALogLevel, std::string_view fmt, const A0& a0, const A&... args) {
        if (Passes(ALogLevel))
            Deliver({Sender, CurrentLogThreadID(), ALogLevel, Format(fmt, a0, args...)});
    }

    // One finished library line.
    void LogFromAV(TLogThreadID AThreadID, int AVLevel, const std::string& ALogMsg);

    TLogEvent OnLog;

    static TLogThreadID CurrentLogThreadID();

private:
    friend void DeliverQueuedLogLines();
    bool Passes(TLogLevel ALogLevel) const;
    void Deliver(TLogInfo info);
    void CallOnLog(const TLogInfo& info);

    std::atomic<TLogLevel> FLogLevel{llInfo};
    std::atomic<bool> FTriggerEventInMainThread{true};
};

// The process's logger; made without owner on first use when there is none.
TFFLogger* GetFFLogger();
// The process's logger, or null when there is none (never makes one).
TFFLogger* ExistingFFLogger();

// The library level that the callback lets through (32 until a level is applied).
int AVLogThreshold();

// The callback installed into the library log.
void AVLogCallback(void* ptr, int level, const char* fmt, va_list vl);

// Runs OnLog for every queued line, in order; the main thread calls it.
void DeliverQueuedLogLines();
