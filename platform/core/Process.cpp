#include "platform/core/Process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
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

namespace {

// "https:", "mailto:": letters, digits, "+", "-" and "." after a first letter, then ":".
bool HasScheme(const std::string& target) {
    const size_t colon = target.find(':');
    if (colon == std::string::npos || colon == 0 || !isalpha(static_cast<unsigned char>(target[0])))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        const char c = target[i];
        if (!isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

} // namespace

void OpenDocument(const std::string& target) {
    if (target.empty())
        throw EOSError("Nothing to open");
    // A path goes to the opener as an absolute path: a name starting with "-"
    // (a folder name from a hand-edited setting) can never read as an option.
    std::string path = target;
    if (path[0] != '/' && !HasScheme(path)) {
        char* cwd = getcwd(nullptr, 0);
        if (!cwd)
            throw EOSError(Format("Cannot open %s: %s", target, SysErrorMessage(errno)));
        path = IncludeTrailingPathDelimiter(cwd) + path;
        free(cwd);
    }
    if (path[0] == '/' && !FileExists(path) && !DirectoryExists(path))
        throw EOSError(Format("Cannot open %s: %s", target, SysErrorMessage(ENOENT)));
    const int pid = SpawnProgram("xdg-open", {path});
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
