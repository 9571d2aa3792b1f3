#include "engine/transcode/LibraryErrors.h"

#include <cstdarg>
#include <cstdio>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"

namespace {

thread_local TLibraryErrorCapture* CurrentCapture = nullptr;

void CatchingLogCallback(void* ptr, int level, const char* fmt, va_list vl) {
    if (CurrentCapture && fmt && level <= AV_LOG_ERROR) {
        char buffer[1024];
        va_list copy;
        va_copy(copy, vl);
        const int length = std::vsnprintf(buffer, sizeof buffer, fmt, copy);
        va_end(copy);
        if (length > 0)
            CurrentCapture->Add(buffer);
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

std::string TLibraryErrorCapture::Text() const {
    if (FPending.empty())
        return FText;
    return FText + (FText.empty() ? "" : " ") + FPending;
}

void TLibraryErrorCapture::Add(const std::string& APiece) {
    FPending += APiece;
    size_t end;
    while ((end = FPending.find('\n')) != std::string::npos) {
        std::string line = FPending.substr(0, end);
        FPending.erase(0, end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.empty())
            continue;
        FText += (FText.empty() ? "" : " ") + line;
    }
}
