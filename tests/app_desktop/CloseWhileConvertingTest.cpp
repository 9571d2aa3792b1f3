// Closing the program's main window while it converts two long files and
// plays one of them in the preview: the program ends at once with code 0,
// and no file cut short is reported as finished.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/jobs/JobColumns.h"
#include "app/main/MainForm.h"
#include "app/main/Startup.h"
#include "app/preview/PreviewPanel.h"
#include "platform/core/Path.h"
#include "platform/ui/forms/Application.h"
#include "tests/app_desktop/ProgramRun.h"
#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"
#include "tests/ui_sdl/XDesktop.h"

namespace {

using namespace std::chrono_literals;

// Runs the program as main does in this (forked) process, with the clips added,
// the conversion started and the preview playing once the loop runs; a row
// shown as finished is written into AFinishedFile, and AReadyFile once both
// run. Ends the process as main's return does.
[[noreturn]] void RunProgramConverting(const std::vector<std::string>& AClips, const std::string& AReadyFile,
                                       const std::string& AFinishedFile)
{
    bool started = false;
    Application->OnIdle = [&](TObject*) {
        if (!Form1)
            return;
        TJobControl& jobs = Form1->Jobs();
        if (!started) {
            started = true;
            jobs.AddFileList(AClips, false);
            jobs.Start();
            Form1->Preview().bsSkinButton13Click();  // play the selected row
            if (jobs.Busy())
                std::ofstream(AReadyFile) << "converting and playing";
        }
        for (int i = 0; i < jobs.List().Count(); ++i)
            if (jobs.List().Row(i).SubItem(JobColumnProgress) == "100%")
                std::ofstream(AFinishedFile) << i;
    };
    char name[] = "zarvompg";
    char* args[] = {name, nullptr};
    std::exit(RunProgram(1, args));
}

TEST_F(ProgramWindow, EndsAtOnceWhenClosedWhileConvertingAndPlaying)
{
    std::vector<std::string> clips;
    for (const char* name : {"long one.avi", "long two.avi"}) {
        testmedia::TMediaPlan plan;
        testmedia::TVideoTrack video;
        video.Width = 320;
        video.Height = 240;
        video.Frames = 250;  // ten seconds: far longer than the test waits
        plan.Video.push_back(video);
        testmedia::TAudioTrack audio;
        audio.Samples = 22050 * 10;
        plan.Audio.push_back(audio);
        clips.push_back(HomeFile(name));
        testmedia::WriteMediaFile(clips.back(), plan);
    }
    const std::string ready = HomeFile("ready.txt"), finished = HomeFile("finished.txt");

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0)
        RunProgramConverting(clips, ready, finished);

    unsigned long window = 0;
    for (auto end = std::chrono::steady_clock::now() + 30s;
         (!window || !FileExists(ready)) && std::chrono::steady_clock::now() < end; std::this_thread::sleep_for(20ms))
        window = Desktop.FindMapped("ZarvoMPG格式转换器");
    EXPECT_NE(window, 0u) << "the main window never appeared";
    EXPECT_TRUE(FileExists(ready)) << "the conversion never started";
    if (window)
        Desktop.RequestClose(window);
    // A generous bound that only guards against a hang: a clean end takes well under a second.
    const int status = WaitForProgramEnd(pid, 30s);
    if (status == -1)
        FAIL() << "the program did not end after the close request";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(FileExists(finished)) << "a file cut short was shown as finished";
}

} // namespace
