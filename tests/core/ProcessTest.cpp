#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <sstream>

#include "platform/core/Clock.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/Process.h"
#include "platform/core/Sound.h"
#include "TempFolder.h"

namespace {

std::string ReadText(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Puts fake programs in a folder that is the whole PATH while the test runs,
// so that no real opener or power switch can ever be reached.
class FakePrograms : public ::testing::Test {
protected:
    void SetUp() override {
        FSavedPath = getenv("PATH") ? getenv("PATH") : "";
        setenv("PATH", FBin.Path().c_str(), 1);
    }
    void TearDown() override { setenv("PATH", FSavedPath.c_str(), 1); }

    // A shell script that records its arguments, one "[...]" each, then exits with code.
    void AddRecorder(const std::string& name, int code) {
        const std::string script = FBin / name;
        std::ofstream(script) << "#!/bin/sh\n"
                              << "printf '%s:' \"$#\" > '" << FBin / (name + ".args") << "'\n"
                              << "for a in \"$@\"; do printf '[%s]' \"$a\" >> '" << FBin / (name + ".args") << "'; done\n"
                              << ": > '" << FBin / (name + ".done") << "'\n"
                              << "exit " << code << "\n";
        chmod(script.c_str(), 0755);
    }
    // What the recorder got, once it has finished (empty after 5 s).
    std::string Recorded(const std::string& name) {
        for (int i = 0; i < 500 && !FileExists(FBin / (name + ".done")); ++i)
            Sleep(10);
        return ReadText(FBin / (name + ".args"));
    }

    TTempFolder FBin;
    std::string FSavedPath;
};

}  // namespace

TEST_F(FakePrograms, OpenDocumentPassesTheTargetUnchanged) {
    AddRecorder("xdg-open", 0);
    const std::string targets[] = {
        "https://example.com/a b?x='1';y=\"2\"&z=$(touch " + FBin / "PWNED" + ") ; echo `id` | cat",
        FBin.Path(),
        "mailto:someone@example.com?subject=视频 转换",
    };
    for (const auto& target : targets) {
        DeleteFile(FBin / "xdg-open.done");
        OpenDocument(target);
        EXPECT_EQ(Recorded("xdg-open"), "1:[" + target + "]") << target;
    }
    EXPECT_FALSE(FileExists(FBin / "PWNED"));
}

// A relative name reaches the opener as an absolute path: "-n" is a folder, never an option.
TEST_F(FakePrograms, OpenDocumentPassesPathsAbsolute) {
    AddRecorder("xdg-open", 0);
    char* previous = getcwd(nullptr, 0);
    ASSERT_NE(previous, nullptr);
    ASSERT_EQ(chdir(FBin.Path().c_str()), 0);
    for (const std::string name : {"-n", "--help", "-视频 输出"}) {
        ASSERT_EQ(mkdir((FBin / name).c_str(), 0755), 0) << name;
        DeleteFile(FBin / "xdg-open.done");
        OpenDocument(name);
        EXPECT_EQ(Recorded("xdg-open"), "1:[" + FBin / name + "]") << name;
    }
    EXPECT_THROW(OpenDocument("-missing"), EOSError);
    ASSERT_EQ(chdir(previous), 0);
    free(previous);
}

TEST_F(FakePrograms, OpenDocumentReportsFailures) {
    EXPECT_THROW(OpenDocument("https://example.com/"), EOSError);  // no opener on PATH
    AddRecorder("xdg-open", 0);
    EXPECT_THROW(OpenDocument(FBin / "missing file.avi"), EOSError);
    EXPECT_THROW(OpenDocument(""), EOSError);
}

TEST_F(FakePrograms, PowerOffAsksSystemctlAndReportsARefusal) {
    EXPECT_THROW(PowerOff(), EOSError);  // nothing to ask
    AddRecorder("systemctl", 0);
    PowerOff();
    EXPECT_EQ(Recorded("systemctl"), "1:[poweroff]");
    AddRecorder("systemctl", 1);
    EXPECT_THROW(PowerOff(), EOSError);
}

namespace {

void WriteWav(const std::string& fileName, int rate, int samples) {
    auto u32 = [](std::ostream& o, uint32_t v) { o.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](std::ostream& o, uint16_t v) { o.write(reinterpret_cast<const char*>(&v), 2); };
    std::ofstream o(fileName, std::ios::binary);
    const uint32_t dataBytes = samples * 2;
    o << "RIFF";
    u32(o, 36 + dataBytes);
    o << "WAVEfmt ";
    u32(o, 16);
    u16(o, 1);  // PCM
    u16(o, 1);  // mono
    u32(o, rate);
    u32(o, rate * 2);
    u16(o, 2);
    u16(o, 16);
    o << "data";
    u32(o, dataBytes);
    for (int i = 0; i < samples; ++i)
        u16(o, static_cast<uint16_t>((i % 40) * 400));
}

}  // namespace

TEST(Sound, PlaysAsynchronouslyAndReportsBadFiles) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TTempFolder tmp;
    WriteWav(tmp / "ring.wav", 22050, 2205);  // 0.1 s
    PlaySoundAsync(tmp / "ring.wav");
    for (int i = 0; i < 500 && IsSoundPlaying(); ++i)
        Sleep(10);
    EXPECT_FALSE(IsSoundPlaying()) << "the device was not released after the sound ended";

    PlaySoundAsync(tmp / "ring.wav");
    StopSound();
    EXPECT_FALSE(IsSoundPlaying());

    std::ofstream(tmp / "bad.wav") << "not a wave file";
    EXPECT_THROW(PlaySoundAsync(tmp / "bad.wav"), EOSError);
    EXPECT_THROW(PlaySoundAsync(tmp / "none.wav"), EOSError);
    EXPECT_FALSE(IsSoundPlaying());
}
