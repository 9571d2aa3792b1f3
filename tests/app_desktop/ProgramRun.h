#pragma once
// What the tests of the program on a real desktop share: its home folder of
// their own, and waiting for its process to end.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <cstdlib>
#include <thread>

#include "tests/media/TempFolder.h"
#include "tests/ui_sdl/XDesktop.h"

// A temporary home folder, and the settings folder in it, for the program
// started from this process.
struct TProgramHome {
    testmedia::TTempFolder Folder;
    TProgramHome()
    {
        setenv("HOME", Folder.Path().c_str(), 1);
        setenv("ZARVO_SETTINGS_DIR", Folder.File("config").c_str(), 1);
    }
};

// Waits up to ALimit for the program's process to end and gives its wait
// status; a process still running then is killed, and -1 is given.
inline int WaitForProgramEnd(pid_t APid, std::chrono::seconds ALimit)
{
    using namespace std::chrono_literals;
    int status = -1;
    for (auto end = std::chrono::steady_clock::now() + ALimit; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(20ms))
        if (waitpid(APid, &status, WNOHANG) == APid)
            return status;
    kill(APid, SIGKILL);
    waitpid(APid, &status, 0);
    return -1;
}

// The program on the private desktop: the test's own connection to it and
// the program's home. Without Xvfb the test is skipped.
class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("ZARVO_NO_XVFB"))
            GTEST_SKIP() << "Xvfb is missing";
        ASSERT_TRUE(Desktop.Open());
    }
    std::string HomeFile(const std::string& AName) const { return Program.Folder.File(AName); }

    TXDesktop Desktop;
    TProgramHome Program;
};
