// The program idle on a private Xvfb desktop with an empty list: resident
// memory (RSS and PSS from /proc/<pid>/smaps_rollup) once its main window
// shows and settles, and the share of one core it uses over the next seconds.
// Each iteration starts the program afresh. ZARVO_PROGRAM in the environment
// names another build of the program to compare with.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui_sdl/XDesktop.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

// A private X server for the benchmark's life; sets DISPLAY.
struct TXServer {
    pid_t Pid = 0;
    TXServer()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_t pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            close(fds[0]);
            if (int null = open("/dev/null", O_WRONLY); null >= 0)
                dup2(null, STDERR_FILENO);
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (pid > 0 && poll(&p, 1, 10000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (pid > 0 && !number.empty()) {
            Pid = pid;
            setenv("DISPLAY", (":" + number).c_str(), 1);
        }
    }
    ~TXServer()
    {
        if (Pid) {
            kill(Pid, SIGTERM);
            waitpid(Pid, nullptr, 0);
        }
    }
};

// A field of /proc/<pid>/smaps_rollup in kB, or -1.
long RollupKb(pid_t pid, const std::string& field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

// Processor time of a process so far, in seconds (user and system).
double CpuSeconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string f;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i) {
        if (i == 14) utime = std::stoull(f);
        if (i == 15) stime = std::stoull(f);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

void IdleWithAnEmptyList(benchmark::State& state)
{
    static TXServer server;
    if (!server.Pid) {
        state.SkipWithError("Xvfb would not start");
        return;
    }
    TXDesktop desktop;
    char folder[] = "/tmp/zarvo-idle-XXXXXX";
    if (!desktop.Open() || !mkdtemp(folder)) {
        state.SkipWithError("no desktop or no temporary folder");
        return;
    }
    const char* other = std::getenv("ZARVO_PROGRAM");
    std::string program = other ? other : ZARVO_PROGRAM;
    std::vector<std::string> env{std::string("HOME=") + folder};
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("HOME=", 0) != 0)
            env.push_back(*e);
    std::vector<char*> envp;
    for (auto& s : env)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    const double measured = double(state.range(0));
    double rss = 0, pss = 0, cpu = 0;
    for (auto _ : state) {
        std::vector<char*> argv{program.data(), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
            state.SkipWithError("the program would not start");
            break;
        }
        unsigned long window = 0;
        for (auto end = std::chrono::steady_clock::now() + 30s; !window && std::chrono::steady_clock::now() < end;
             std::this_thread::sleep_for(50ms))
            window = desktop.FindMapped("ZarvoMPG格式转换器");
        std::this_thread::sleep_for(2s);   // its first paints
        rss += double(RollupKb(pid, "Rss")) / 1024.0;
        pss += double(RollupKb(pid, "Pss")) / 1024.0;
        const double before = CpuSeconds(pid);
        std::this_thread::sleep_for(std::chrono::duration<double>(measured));
        cpu += (CpuSeconds(pid) - before) / measured * 100.0;
        if (window)
            desktop.RequestClose(window);
        int status = 0;
        for (auto end = std::chrono::steady_clock::now() + 10s;
             waitpid(pid, &status, WNOHANG) != pid && std::chrono::steady_clock::now() < end;)
            std::this_thread::sleep_for(20ms);
        if (kill(pid, 0) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        if (!window) {
            state.SkipWithError("the main window never showed");
            break;
        }
    }
    const double n = double(std::max<int64_t>(1, int64_t(state.iterations())));
    state.counters["rss_MB"] = rss / n;
    state.counters["pss_MB"] = pss / n;
    state.counters["cpu_percent"] = cpu / n;
    std::filesystem::remove_all(folder);
}

} // namespace

// The argument: seconds of idleness measured.
BENCHMARK(IdleWithAnEmptyList)->ArgName("seconds")->Arg(5)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
