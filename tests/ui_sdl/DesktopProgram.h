#pragma once
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <string>
#include <vector>

extern char** environ;

// A program of the desktop (a compositing manager, a tray host) run on the
// private display for a test, quietly; stopped at the latest when the test
// ends.
class TDesktopProgram {
public:
    TDesktopProgram() = default;
    TDesktopProgram(const TDesktopProgram&) = delete;
    TDesktopProgram& operator=(const TDesktopProgram&) = delete;
    ~TDesktopProgram() { Stop(); }

    // False when the program cannot be started (missing).
    bool Start(const std::vector<std::string>& args)
    {
        Stop();
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        int failed = posix_spawnp(&FPid, argv[0], &quiet, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&quiet);
        if (failed)
            FPid = 0;
        return FPid != 0;
    }

    void Stop()
    {
        if (!FPid)
            return;
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
        FPid = 0;
    }

    // The program ended by itself (a missing program ends at once).
    bool Ended()
    {
        return !FPid || waitpid(FPid, nullptr, WNOHANG) == FPid;
    }

private:
    pid_t FPid = 0;
};
