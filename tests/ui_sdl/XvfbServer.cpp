#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

pid_t StartXvfb()
{
    int fds[2];
    if (pipe(fds) != 0)
        return 0;
    pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return 0;
    }
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server never outlives its starter
        close(fds[0]);
        // Its notes on display numbers already taken are no news.
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
    while (poll(&p, 1, 10000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty()) {
        StopXvfb(pid);
        return 0;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return pid;
}

void StopXvfb(pid_t AServer)
{
    if (!AServer)
        return;
    kill(AServer, SIGTERM);
    waitpid(AServer, nullptr, 0);
}
