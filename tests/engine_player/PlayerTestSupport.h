#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "engine/player/Player.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/Thread.h"
#include "tests/media/FramePattern.h"
#include "tests/media/SampleMedia.h"
#include "tests/media/TempFolder.h"

// The generated files the player tests use, made once per program.
class TPlayerSamples {
public:
    static const testmedia::TSample& Get(testmedia::TSampleKind kind) {
        TPlayerSamples& samples = Instance();
        auto found = samples.FSamples.find(kind);
        if (found == samples.FSamples.end())
            found = samples.FSamples.emplace(kind, testmedia::MakeSample(samples.FFolder.Path(), kind)).first;
        return found->second;
    }
    static std::string Folder() { return Instance().FFolder.Path(); }

private:
    static TPlayerSamples& Instance() {
        static TPlayerSamples samples;
        return samples;
    }
    testmedia::TTempFolder FFolder;
    std::map<testmedia::TSampleKind, testmedia::TSample> FSamples;
};

// A host window stand-in: a client area and counters of the player's calls.
class TFakeHost : public TPlayerHost {
public:
    int Width = 240, Height = 145;
    std::atomic<int> Changes{0}, Clears{0};
    void GetClientSize(int& AWidth, int& AHeight) override {
        AWidth = Width;
        AHeight = Height;
    }
    void SurfaceChanged() override { ++Changes; }
    void SurfaceCleared() override { ++Clears; }
};

// A player with its libraries loaded, SDL's dummy audio driver, and the
// events it delivered collected in the main thread.
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        Player = std::make_unique<TFFPlayer>(nullptr);
        ASSERT_TRUE(Player->LoadAVLib(GetExePath() + "LibAV")) << Player->LastErrMsg();
        Player->OnState = [this](TObject*, TPlayState state) {
            OffMainThread |= !IsMainThread();
            States.push_back(state);
        };
        Player->OnPosition = [this](TObject*, int64_t pts) {
            OffMainThread |= !IsMainThread();
            Positions.push_back(pts);
        };
        Player->OnFileOpen = [this](TObject*, int64_t duration, int w, int h, int& sw, int& sh) {
            OffMainThread |= !IsMainThread();
            OpenDuration = duration;
            FrameWidth = w;
            FrameHeight = h;
            OpenScreenWidth = sw;
            OpenScreenHeight = sh;
        };
    }
    void TearDown() override { Player.reset(); }

    static const testmedia::TSample& Sample(testmedia::TSampleKind kind) { return TPlayerSamples::Get(kind); }
    bool Open(testmedia::TSampleKind kind, bool paused = false) {
        return Player->Open(Sample(kind).Path, &Host, paused);
    }

    // Serves the main thread's queue until the condition holds; false after the time-out.
    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    bool WaitForState(TPlayState state, int timeoutMs = 10000) {
        return WaitFor([&] { return !States.empty() && States.back() == state; }, timeoutMs);
    }
    int CountStates(TPlayState state) const {
        int n = 0;
        for (TPlayState s : States)
            n += s == state;
        return n;
    }

    // The frame index the shown picture spells (-1: none or unreadable), and its time.
    int ShownFrame(int64_t* pts = nullptr) {
        int64_t at = -1;
        TBitmap* bitmap = Player->CurrentFrame(at);
        if (pts)
            *pts = at;
        if (bitmap->Empty())
            return -1;
        return testmedia::ReadFrameNumberFromBGR(bitmap->Width(), bitmap->Height(),
                                                 [&](int y) { return bitmap->ScanLine(y); });
    }

    TFakeHost Host;
    std::unique_ptr<TFFPlayer> Player;
    std::vector<TPlayState> States;
    std::vector<int64_t> Positions;
    bool OffMainThread = false;
    int64_t OpenDuration = -2;
    int FrameWidth = 0, FrameHeight = 0, OpenScreenWidth = -1, OpenScreenHeight = -1;
};
