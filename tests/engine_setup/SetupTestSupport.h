#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/transcode/TranscodeSetup.h"
#include "tests/engine_job/JobTestSupport.h"

// The generated inputs of the set-up tests, made once per test program.
class TSetupMedia {
public:
    static TSetupMedia& Instance() {
        static TSetupMedia media;
        return media;
    }
    // "va": MPEG-4 video and AAC audio in Matroska with container metadata;
    // "video": MPEG-4 video only in AVI; "two_audio": video and two audio
    // streams, the second of higher rate, channel count and bit rate.
    const std::string& operator[](const std::string& kind) { return FFiles.at(kind); }
    std::string Scratch(const std::string& name) const { return FFolder.File(name); }
    const std::string& Folder() const { return FFolder.Path(); }

private:
    TSetupMedia() {
        testmedia::TMediaPlan va;
        va.Video.push_back({});
        va.Audio.push_back({});
        va.Audio[0].Language = "eng";
        va.Metadata = {{"title", "Source title"}, {"artist", "Source artist"}};
        Make("va", "va.mkv", va);

        testmedia::TMediaPlan video;
        video.Video.push_back({});
        video.Video[0].Frames = 10;
        Make("video", "video.avi", video);

        testmedia::TMediaPlan two;
        two.Video.push_back({});
        two.Audio.push_back({});
        two.Audio.push_back({});
        two.Audio[1].SampleRate = 44100;
        two.Audio[1].Channels = 2;
        two.Audio[1].Samples = 44100;
        two.Audio[1].BitRate = 128000;
        Make("two_audio", "two_audio.mkv", two);
    }
    void Make(const std::string& kind, const std::string& name, const testmedia::TMediaPlan& plan) {
        FFiles[kind] = FFolder.File(name);
        testmedia::WriteMediaFile(FFiles[kind], plan);
    }
    testmedia::TTempFolder FFolder;
    std::map<std::string, std::string> FFiles;
};

// A job with inputs and outputs opened by the test, and one conversion set-up.
class SetupTest : public JobTest {
protected:
    const std::string& Input(const std::string& kind) { return TSetupMedia::Instance()[kind]; }
    std::string Out(const std::string& name) { return TSetupMedia::Instance().Scratch(name); }

    void Open(const std::vector<std::string>& AInputs) {
        for (const auto& kind : AInputs)
            ASSERT_TRUE(Job->OpenInputFile(Input(kind))) << Job->LastErrMsg();
    }
    void OpenOutput(const std::string& AName, bool AJoin = false) {
        ASSERT_GT(Job->OpenOutputFile(Out(AName), AJoin), 0) << Job->LastErrMsg();
    }
    // Runs the whole set-up; the text it raised, empty when none.
    std::string RunSetUp() {
        Transcode = std::make_unique<TTranscode>(*Job);
        return RaisedText([&] { Transcode->SetUp(); });
    }
    // The lines logged after "Stream mapping:".
    std::vector<std::string> MappingLines() const {
        std::vector<std::string> lines;
        bool in = false;
        for (const auto& [level, text] : Log.Lines()) {
            if (level == llVerbose && text == "Stream mapping:") {
                in = true;
                lines.clear();
            } else if (in && level == llVerbose && (text.rfind("  Stream #", 0) == 0 || text.rfind(" [sync", 0) == 0)) {
                lines.push_back(text);
            }
        }
        return lines;
    }
    void TearDown() override {
        Transcode.reset();
        JobTest::TearDown();
    }

    std::unique_ptr<TTranscode> Transcode;
};
