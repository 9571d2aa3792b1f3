#pragma once
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/log/Logger.h"
#include "engine/probe/AVProbe.h"
#include "engine/util/MiscUtils.h"
#include "tests/media/FramePattern.h"
#include "tests/media/SampleMedia.h"
#include "tests/media/TempFolder.h"

// Every sample kind, generated once for the whole test program.
class TSampleSet {
public:
    static TSampleSet& Instance() {
        static TSampleSet set;
        return set;
    }
    const testmedia::TSample& operator[](testmedia::TSampleKind kind) { return FSamples.at(kind); }
    const std::string& Folder() const { return FFolder.Path(); }

private:
    TSampleSet() {
        for (testmedia::TSampleKind kind : testmedia::AllSampleKinds())
            FSamples.emplace(kind, testmedia::MakeSample(FFolder.Path(), kind));
    }
    testmedia::TTempFolder FFolder;
    std::map<testmedia::TSampleKind, testmedia::TSample> FSamples;
};

// A probe with its libraries loaded and its log messages collected.
class ProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Probe->LoadAVLib(GetExePath() + "LibAV")) << Probe->LastErrMsg();
        TFFLogger* logger = GetFFLogger();
        logger->SetTriggerEventInMainThread(false);
        logger->OnLog = [this](TObject* sender, TLogThreadID, TLogLevel level, const std::string& text) {
            if (sender == Probe.get())
                Logged.emplace_back(level, text);
        };
    }
    void TearDown() override {
        GetFFLogger()->OnLog = nullptr;
        Probe.reset();
    }

    const testmedia::TSample& Sample(testmedia::TSampleKind kind) { return TSampleSet::Instance()[kind]; }
    bool Load(testmedia::TSampleKind kind) { return Probe->LoadFile(Sample(kind).Path); }

    // The frame index that the probe's current picture shows (-1: unreadable).
    int ShownIndex() const {
        const TFrameInfo& f = Probe->FrameInfo();
        if (!f.Ready)
            return -1;
        auto row = [&](int y) { return f.Picture.data[0] + y * f.Picture.linesize[0]; };
        if (f.PixFmt == AV_PIX_FMT_RGB24 || f.PixFmt == AV_PIX_FMT_BGR24)
            return testmedia::ReadFrameNumberFromBGR(f.Width, f.Height, row); // grey cells: channel order is moot
        return testmedia::ReadFrameNumberFromLuma(f.Width, f.Height, row);
    }

    bool WasLogged(TLogLevel level, const std::string& text) const {
        for (const auto& [l, t] : Logged)
            if (l == level && t == text)
                return true;
        return false;
    }

    std::unique_ptr<TAVProbe> Probe = std::make_unique<TAVProbe>(nullptr);
    std::vector<std::pair<TLogLevel, std::string>> Logged;
};
