// The callback installed into the library log: formats each message with the
// context's prefix, assembles partial lines per thread and hands every
// finished line to the logger.
#include <cstdio>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"

namespace {

// The unfinished line of each thread that has one. A thread's entry goes as
// soon as its line is complete, so threads that come and go (the libraries'
// own worker threads) leave nothing behind.
struct TLogList {
    std::mutex Lock;
    std::unordered_map<TLogThreadID, std::string> Pending;
};

TLogList& LogList() {
    static TLogList list;
    return list;
}

constexpr size_t LogBufferSize = 2048;
// A single message longer than this is cut: a runaway message must not take
// the process's memory.
constexpr size_t MaxMessageSize = 64 * 1024;

std::string FormatMessage(void* ptr, bool startsLine, const char* fmt, va_list vl) {
    std::string text;
    if (ptr && startsLine) {
        const AVClass* cls = *static_cast<AVClass**>(ptr);
        const char* name = cls && cls->item_name ? cls->item_name(ptr) : "";
        char prefix[256];
        std::snprintf(prefix, sizeof prefix, "[%s @ %p]", name ? name : "", ptr);
        text = prefix;
    }
    char buffer[LogBufferSize];
    va_list copy;
    va_copy(copy, vl);
    const int needed = std::vsnprintf(buffer, sizeof buffer, fmt, copy);
    va_end(copy);
    if (needed < 0)
        return text;
    if (size_t(needed) < sizeof buffer) {
        text.append(buffer, size_t(needed));
    } else {
        std::vector<char> large(std::min(size_t(needed), MaxMessageSize) + 1);
        va_copy(copy, vl);
        std::vsnprintf(large.data(), large.size(), fmt, copy);
        va_end(copy);
        text.append(large.data());
    }
    return text;
}

}  // namespace

void AVLogCallback(void* ptr, int level, const char* fmt, va_list vl) {
    if (level > AVLogThreshold() || !fmt)
        return;
    const TLogThreadID thread = TFFLogger::CurrentLogThreadID();
    std::vector<std::string> lines;
    {
        TLogList& list = LogList();
        std::lock_guard lock(list.Lock);
        std::string& pending = list.Pending[thread];
        pending += FormatMessage(ptr, pending.empty(), fmt, vl);
        size_t lf;
        while ((lf = pending.find('\n')) != std::string::npos) {
            lines.push_back(pending.substr(0, lf));
            pending.erase(0, lf + 1);
        }
        if (pending.empty())
            list.Pending.erase(thread);
    }
    if (lines.empty())
        return;
    TFFLogger* logger = ExistingFFLogger();
    if (!logger)
        return;  // the application's logger is gone: lines are dropped
    for (const std::string& line : lines)
        logger->LogFromAV(thread, level, line);
}
