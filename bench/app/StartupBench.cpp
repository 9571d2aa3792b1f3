// The program's start-up to its first painted window, off screen: the program
// is run with "--headless picture.bmp" (the main window shown, painted and
// saved uncompressed) in a home folder of its own, and timed from launch to
// exit, with its own processor time. Its peak resident memory is reported as well. ZARVO_PROGRAM in the
// environment names another build of the program to compare with.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ProgramLaunch.h"

namespace {

struct TRun {
    bool Ok = false;
    long MaxResidentKb = 0;
    double CpuSeconds = 0;   // the program's own processor time, user and system
};

TRun RunOnce(const std::string& home, const std::string& picture)
{
    TEnvironmentWithHome env(home);
    std::string program = ProgramToMeasure(), flag = "--headless";
    std::vector<char*> argv{program.data(), flag.data(), const_cast<char*>(picture.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    TRun run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), env.Get()) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        run.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        run.MaxResidentKb = usage.ru_maxrss;
        run.CpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void StartUpToFirstPaintedWindow(benchmark::State& state)
{
    char folder[] = "/tmp/zarvo-startup-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string home = folder, picture = home + "/main.bmp";
    long maxResident = 0;
    double cpu = 0;
    for (auto _ : state) {
        TRun run = RunOnce(home, picture);
        if (!run.Ok) {
            state.SkipWithError("the program failed");
            break;
        }
        maxResident = std::max(maxResident, run.MaxResidentKb);
        cpu += run.CpuSeconds;
    }
    // On a shared machine the program's own processor time is steadier
    // than the wall-clock time.
    state.counters["program_cpu_ms"] = state.iterations() ? cpu * 1000.0 / double(state.iterations()) : 0.0;
    state.counters["peak_MB"] = double(maxResident) / 1024.0;
    std::filesystem::remove_all(home);
}

} // namespace

BENCHMARK(StartUpToFirstPaintedWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
