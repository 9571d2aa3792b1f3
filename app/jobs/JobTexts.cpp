#include "app/jobs/JobTexts.h"

#include <cmath>
#include <cstdio>

std::string SecToDate(int64_t ASeconds) {
    if (ASeconds < 0)
        ASeconds = 0;
    char text[48];
    snprintf(text, sizeof text, "%.2lld:%.2d:%.2d", static_cast<long long>(ASeconds / 3600),
             static_cast<int>(ASeconds / 60 % 60), static_cast<int>(ASeconds % 60));
    return text;
}

std::string SizeText(int64_t ABytes) {
    if (ABytes < 0)
        ABytes = 0;
    const long long hundredths = std::llround(static_cast<double>(ABytes) * 100.0 / (1024.0 * 1024.0));
    std::string text = std::to_string(hundredths / 100);
    const int fraction = static_cast<int>(hundredths % 100);
    if (fraction != 0) {
        char digits[4];
        snprintf(digits, sizeof digits, "%02d", fraction);
        text += '.';
        text += digits[0];
        if (digits[1] != '0')
            text += digits[1];
    }
    return text + "MB";
}

std::string ProgressText(int64_t ACurrentDuration, int64_t ATotalDuration) {
    if (ATotalDuration <= 0)
        return "N/A";
    int64_t percent = 0;
    if (ACurrentDuration >= ATotalDuration)
        percent = 100;
    else if (ACurrentDuration > 0)
        percent = static_cast<int64_t>(static_cast<__int128>(ACurrentDuration) * 100 / ATotalDuration);
    return std::to_string(percent) + "%";
}

std::string EngineLogLine(uint32_t AThreadId, int ALevel, const std::string& AMessage) {
    return "#" + std::to_string(AThreadId) + "." + std::to_string(ALevel) + ": " + AMessage;
}
