#include "engine/util/MiscUtils.h"

#include <cmath>
#include <ctime>
#include <filesystem>

#include "engine/loader/EntryPoints.h"
#include "platform/core/DateTime.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

int SeekFlagsToAVFlags(TSeekFlags ASeekFlags) {
    return int(ASeekFlags.Bits());  // the flag bits follow the enumeration's order
}

int64_t FrameIntervalUS(AVRational ARate) {
    if (ARate.num == 0 || ARate.den == 0)
        return 40000;
    return int64_t(1000000) * ARate.den / ARate.num;
}

int64_t GetFileSizeByName(const std::string& AFileName) {
    return FileExists(AFileName) ? FileSizeByName(AFileName) : -1;
}

std::string GetExeFileName() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

std::string GetExePath() {
    return ProgramFolder();
}

std::string TakeToken(std::string& AText, const std::string& ASeparator, bool ARemove) {
    const size_t at = ASeparator.empty() ? std::string::npos : AText.find(ASeparator);
    std::string token;
    if (at == std::string::npos) {
        token = AText;
        if (ARemove)
            AText.clear();
    } else {
        token = AText.substr(0, at);
        if (ARemove)
            AText.erase(0, at + ASeparator.size());
    }
    return token;
}

double UnixTimeToDateTime(int64_t AUnixTime) {
    return UnixToDateTime(AUnixTime) - LocalTimeZoneBiasMinutes(time_t(AUnixTime)) / 1440.0;
}

int64_t DateTimeToUnixTime(double ADateTime) {
    // The local fields of the date-time, read as if they were UTC, then placed
    // in the zone by the system with the rules of that date.
    const time_t fields = time_t(BankersRound((ADateTime - UnixDateDelta) * 86400.0));
    struct tm tm {};
    gmtime_r(&fields, &tm);
    tm.tm_isdst = -1;
    return int64_t(mktime(&tm));
}

std::string DateTimeText(const std::string& AFormat, double ADateTime) {
    return FormatDateTime(AFormat, ADateTime);
}

int ReadWholeFile(const std::string& AFileName, char** ABuffer, int64_t* ASize) {
    *ABuffer = nullptr;
    *ASize = 0;
    FILE* f = AVLib.fopen(AFileName.c_str(), "rb");
    if (!f)
        return -1;
    int64_t size = -1;
    if (AVLib.fseeko(f, 0, SEEK_END) == 0)
        size = AVLib.ftello(f);
    if (size < 0 || AVLib.fseeko(f, 0, SEEK_SET) != 0) {
        AVLib.fclose(f);
        return -1;
    }
    char* buffer = static_cast<char*>(AVLib.av_malloc(size_t(size) + 1));
    if (!buffer) {
        AVLib.fclose(f);
        return AVERROR(ENOMEM);
    }
    const size_t read = AVLib.fread(buffer, 1, size_t(size), f);
    buffer[read] = 0;
    AVLib.fclose(f);
    *ABuffer = buffer;
    *ASize = int64_t(read) + 1;
    return 0;
}
