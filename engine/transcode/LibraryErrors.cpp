#include "engine/transcode/LibraryErrors.h"

#include <cstdarg>
#include <cstdio>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"

namespace {

thread_local TLibraryErrorCapture* CurrentCapture = nullptr;

std::string TrimLine(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
        line.pop_back();
    return line;
}

void CatchingLogCallback(void* ptr, int level, const char* fmt, va_list vl) {
    if (CurrentCapture && fmt && level <= AV_LOG_ERROR) {
        char buffer[1024];
        va_list copy;
        va_copy(copy, vl);
        const int length = std::vsnprintf(buffer, sizeof buffer, fmt, copy);
        va_end(copy);
        // The library object's name, as the library's own log line starts with it.
        const AVClass* avc = ptr ? *static_cast<AVClass* const*>(ptr) : nullptr;
        const char* source = avc && avc->item_name ? avc->item_name(ptr) : nullptr;
        if (length > 0)
            CurrentCapture->Add(buffer, source ? source : "");
    }
    AVLogCallback(ptr, level, fmt, vl);
}

} // namespace

TLibraryErrorCapture::TLibraryErrorCapture() : FOuter(CurrentCapture) {
    CurrentCapture = this;
    if (GlobalLoader().InstallLogger() && AVLib.av_log_set_callback)
        AVLib.av_log_set_callback(CatchingLogCallback);
}

TLibraryErrorCapture::~TLibraryErrorCapture() { CurrentCapture = FOuter; }

std::string TLibraryErrorCapture::LastLine() const {
    const std::string pending = TrimLine(FPending);
    return pending.empty() ? FLast : pending;
}

std::string TLibraryErrorCapture::LastReason() const {
    const std::string pending = TrimLine(FPending);
    const std::string& line = pending.empty() ? FLast : pending;
    const std::string& source = pending.empty() ? FLastSource : FPendingSource;
    return source.empty() || line.empty() ? line : source + ": " + line;
}

void TLibraryErrorCapture::Add(const std::string& APiece, const std::string& ASource) {
    if (FPending.empty())
        FPendingSource = ASource;
    FPending += APiece;
    size_t end;
    while ((end = FPending.find('\n')) != std::string::npos) {
        const std::string line = TrimLine(FPending.substr(0, end));
        FPending.erase(0, end + 1);
        if (!line.empty()) {
            FLast = line;
            FLastSource = FPendingSource;
        }
        FPendingSource = ASource;
    }
}
