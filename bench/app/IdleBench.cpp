// The program idle on a private Xvfb desktop, with an empty list and with a
// full one (501 rows, the first selected and shown paused in the preview):
// resident memory (RSS and PSS from /proc/<pid>/smaps_rollup) once its main
// window shows and settles, and the share of one core it uses over the next
// seconds. Each iteration starts the program afresh. ZARVO_PROGRAM in the
// environment names another build of the program to compare with (the empty
// list only: the full list runs this build's forms in a child process, which
// also counts the paints and timer ticks it handles while measured).
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

#include "app/jobs/JobControl.h"
#include "app/main/MainForm.h"
#include "app/main/Startup.h"
#include "app/preview/PreviewPanel.h"
#include "platform/ui/forms/Application.h"
#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"
#include "tests/ui_sdl/XDesktop.h"
#include "tests/ui_sdl/XvfbServer.h"
#include "ProgramLaunch.h"

#include <atomic>
#include <functional>
#include <typeinfo>
#include <cstdio>
#include <map>

namespace {

using namespace std::chrono_literals;

// A private X server for the benchmark's life; sets DISPLAY.
struct TXServer {
    pid_t Pid = StartXvfb();
    ~TXServer() { StopXvfb(Pid); }
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

// How often the process's threads were switched out so far (each wake-up of
// a waiting thread costs one), summed over the threads alive now.
double ContextSwitches(pid_t pid)
{
    double n = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream in(task.path() / "status");
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                n += std::stod(line.substr(line.find(':') + 1));
    }
    return n;
}

// Ends a program that was asked to close; killed if it does not end soon.
void EndProgram(pid_t pid, unsigned long window, TXDesktop& desktop)
{
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
}

struct TIdleFigures {
    double Rss = 0, Pss = 0, Cpu = 0, Switches = 0;
    int Runs = 0;
    void Report(benchmark::State& state) const
    {
        const double n = std::max(1, Runs);
        state.counters["rss_MB"] = Rss / n;
        state.counters["pss_MB"] = Pss / n;
        state.counters["cpu_percent"] = Cpu / n;
        state.counters["switches_per_s"] = Switches / n;
    }
};

// Waits for the program's main window (and AReady, when given, to exist),
// lets it settle and measures it over AMeasured seconds. AAround runs with
// true just before the processor time is taken and with false just after.
unsigned long MeasureIdle(pid_t pid, TXDesktop& desktop, double AMeasured, TIdleFigures& AFigures,
                          const std::string& AReady = {}, const std::function<void(bool)>& AAround = {})
{
    unsigned long window = 0;
    for (auto end = std::chrono::steady_clock::now() + 60s;
         (!window || (!AReady.empty() && !std::filesystem::exists(AReady))) && std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(50ms))
        window = desktop.FindMapped("ZarvoMPG格式转换器");
    if (!AReady.empty() && !std::filesystem::exists(AReady))
        return 0;
    std::this_thread::sleep_for(2s);   // its first paints
    AFigures.Rss += double(RollupKb(pid, "Rss")) / 1024.0;
    AFigures.Pss += double(RollupKb(pid, "Pss")) / 1024.0;
    if (AAround)
        AAround(true);
    const double before = CpuSeconds(pid), switchesBefore = ContextSwitches(pid);
    std::this_thread::sleep_for(std::chrono::duration<double>(AMeasured));
    AFigures.Cpu += (CpuSeconds(pid) - before) / AMeasured * 100.0;
    AFigures.Switches += (ContextSwitches(pid) - switchesBefore) / AMeasured;
    if (AAround)
        AAround(false);
    ++AFigures.Runs;
    return window;
}

// The private X server, started once; the desktop's connection must be made after it.
bool XServerRunning(benchmark::State& state)
{
    static TXServer server;
    if (!server.Pid)
        state.SkipWithError("Xvfb would not start");
    return server.Pid != 0;
}

bool OpenDesktop(benchmark::State& state, TXDesktop& desktop)
{
    if (!desktop.Open()) {
        state.SkipWithError("no desktop");
        return false;
    }
    return true;
}

void IdleWithAnEmptyList(benchmark::State& state)
{
    if (!XServerRunning(state))
        return;
    TXDesktop desktop;
    char folder[] = "/tmp/zarvo-idle-XXXXXX";
    if (!OpenDesktop(state, desktop))
        return;
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    std::string program = ProgramToMeasure();
    TEnvironmentWithHome env(folder);
    TIdleFigures figures;
    for (auto _ : state) {
        std::vector<char*> argv{program.data(), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), env.Get()) != 0) {
            state.SkipWithError("the program would not start");
            break;
        }
        const unsigned long window = MeasureIdle(pid, desktop, double(state.range(0)), figures);
        EndProgram(pid, window, desktop);
        if (!window) {
            state.SkipWithError("the main window never showed");
            break;
        }
    }
    figures.Report(state);
    std::filesystem::remove_all(folder);
}

// ---- the full list, run in a child process ----

// Counting is switched on and off by SIGUSR1 from the measuring parent.
std::atomic<bool> GCounting{false};

void ToggleCounting(int) { GCounting = !GCounting; }

// Runs the program as main does, with AClips added once the loop runs, the
// first row selected (which opens it paused in the preview), and every
// queued message counted by kind and window while counting is on. Writes the
// counts into ACountsFile when the program ends.
[[noreturn]] void RunProgramWithAFullList(const std::vector<std::string>& AClips, const std::string& AReadyFile,
                                          const std::string& ACountsFile)
{
    signal(SIGUSR1, ToggleCounting);
    std::map<std::string, int> counts;
    bool added = false, ready = false;
    Application->OnIdle = [&](TObject*) {
        if (!Form1 || ready)
            return;
        if (!added) {
            added = true;
            Form1->Jobs().AddFileList(AClips, false);
            Form1->Jobs().SelectRow(0);
        }
        const TFFPlayer& player = Form1->Preview().FFPlayer();
        ready = Form1->Jobs().List().Count() == int(AClips.size()) && player.FileOpened() && player.Paused();
        if (ready)
            std::ofstream(AReadyFile) << "full and previewed";
    };
    Application->OnMessage = [&](TMsg& AMsg, bool&) {
        if (!GCounting)
            return;
        std::string name = "message " + std::to_string(AMsg.message);
        if (AMsg.message == WM_PAINT)
            name = "paint";
        else if (AMsg.message == WM_TIMER)
            name = "timer " + std::to_string(AMsg.wParam);
        TWinControl* control = AMsg.hwnd ? TWinControl::FindControl(AMsg.hwnd) : nullptr;
        ++counts[name + " of " + (control ? control->Name() + " (" + typeid(*control).name() + ")" : "-")];
    };
    char name[] = "zarvompg";
    char* args[] = {name, nullptr};
    const int code = RunProgram(1, args);
    std::ofstream out(ACountsFile);
    for (const auto& [what, n] : counts)
        out << n << "\t" << what << "\n";
    out.close();
    std::_Exit(code);
}

void IdleWithAFullList(benchmark::State& state)
{
    if (!XServerRunning(state))
        return;
    TXDesktop desktop;
    if (!OpenDesktop(state, desktop))
        return;
    testmedia::TTempFolder home;
    setenv("HOME", home.Path().c_str(), 1);
    setenv("ZARVO_SETTINGS_DIR", home.File("config").c_str(), 1);
    std::filesystem::create_directories(home.File("media"));
    std::vector<std::string> clips;
    for (int i = 0; i < 501; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "media/s%03d.mp4", i);
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].Frames = 2;
        plan.Video[0].Width = 32;
        plan.Video[0].Height = 32;
        clips.push_back(home.File(name));
        testmedia::WriteMediaFile(clips.back(), plan);
    }
    const double measured = double(state.range(0));
    TIdleFigures figures;
    std::map<std::string, int> counts;
    for (auto _ : state) {
        const std::string ready = home.File("ready.txt"), countsFile = home.File("counts.txt");
        std::filesystem::remove(ready);
        const pid_t pid = fork();
        if (pid < 0) {
            state.SkipWithError("no child process");
            break;
        }
        if (pid == 0)
            RunProgramWithAFullList(clips, ready, countsFile);
        const unsigned long window =
            MeasureIdle(pid, desktop, measured, figures, ready, [pid](bool) { kill(pid, SIGUSR1); });
        EndProgram(pid, window, desktop);
        if (!window) {
            state.SkipWithError("the main window or its full list never showed");
            break;
        }
        std::ifstream in(countsFile);
        int n = 0;
        std::string what;
        while (in >> n && std::getline(in >> std::ws, what))
            counts[what] += n;
    }
    figures.Report(state);
    // What the idle program handled per second, by kind and window.
    const double seconds = measured * std::max<double>(1, double(state.iterations()));
    double paints = 0;
    for (const auto& [what, n] : counts) {
        std::fprintf(stderr, "  %8.1f/s  %s\n", n / seconds, what.c_str());
        if (what.rfind("paint", 0) == 0)
            paints += n;
    }
    state.counters["paints_per_s"] = paints / seconds;
}

} // namespace

// The argument: seconds of idleness measured.
BENCHMARK(IdleWithAnEmptyList)->ArgName("seconds")->Arg(5)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(IdleWithAFullList)->ArgName("seconds")->Arg(5)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
