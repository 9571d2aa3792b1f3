#include "platform/core/Process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

extern char** environ;

int SpawnProgram(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> args;
    args.reserve(arguments.size() + 1);
    args.push_back(program);
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (rc != 0)
        throw EOSError(Format("Cannot start %s: %s", program, SysErrorMessage(rc)));
    return pid;
}

int WaitForProgram(int pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            throw EOSError(Format("Cannot wait for process %d: %s", pid, SysErrorMessage(errno)));
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

void OpenDocument(const std::string& target) {
    if (target.empty())
        throw EOSError("Nothing to open");
    if (target[0] == '/' && !FileExists(target) && !DirectoryExists(target))
        throw EOSError(Format("Cannot open %s: %s", target, SysErrorMessage(ENOENT)));
    const int pid = SpawnProgram("xdg-open", {target});
    // The opener may outlive this call (some desktops keep it until the viewer
    // closes); reap it in the background so that it leaves no zombie.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

void PowerOff() {
    const int code = WaitForProgram(SpawnProgram("systemctl", {"poweroff"}));
    if (code != 0)
        throw EOSError(Format("The system refused to power off (systemctl exited with %d)", code));
}
