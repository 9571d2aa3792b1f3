#pragma once
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// What the test plug-ins (TestFrameHook.cpp) saw, read by the tests through
// the plug-in's "TestHookState". One state per plug-in library.
struct TTestHookState {
    std::atomic<int> Configures{0};
    std::atomic<int> Processes{0};
    std::atomic<int> Releases{0};
    std::atomic<int> NullContexts{0};   // "Process" calls without a context
    std::mutex Lock;
    std::vector<int64_t> PTS;           // of every picture, in order
    int PixFmt = -1, Width = 0, Height = 0;
    // "record <tag>": the first plane of the first picture, rows packed.
    std::map<std::string, std::vector<uint8_t>> Recorded;

    void Reset() {
        Configures = Processes = Releases = NullContexts = 0;
        std::lock_guard lock(Lock);
        PTS.clear();
        PixFmt = -1;
        Width = Height = 0;
        Recorded.clear();
    }
};

using TTestHookStateProc = TTestHookState* (*)();
