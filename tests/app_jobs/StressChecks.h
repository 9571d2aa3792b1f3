#pragma once
// What the stress tests check after a run: the files an output folder holds,
// with their sizes and times, and whether a file plays as one video stream.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "engine/probe/AVProbe.h"
#include "engine/util/MiscUtils.h"

namespace stresscheck {

// How many files a stress run converts: a full list unless ZARVO_STRESS_FILES
// asks for fewer (the thread-sanitizer pass, where each conversion is many
// times slower, runs a shorter list).
inline int StressFileCount(int ACapacity)
{
    const char* text = std::getenv("ZARVO_STRESS_FILES");
    const int asked = text ? std::atoi(text) : 0;
    return asked > 0 ? std::min(asked, ACapacity) : ACapacity;
}

struct TFileStamp {
    uintmax_t Size;
    std::filesystem::file_time_type Time;
    bool operator==(const TFileStamp&) const = default;
};

inline std::map<std::string, TFileStamp> Outputs(const std::string& AFolder)
{
    std::map<std::string, TFileStamp> files;
    for (const auto& entry : std::filesystem::directory_iterator(AFolder))
        files[entry.path().filename().string()] = {entry.file_size(), entry.last_write_time()};
    return files;
}

inline bool Plays(const std::string& APath)
{
    TAVProbe probe(nullptr);
    return probe.LoadAVLib(GetExePath() + "LibAV") && probe.LoadFile(APath) && probe.VideoStreamCount() == 1;
}

} // namespace stresscheck
