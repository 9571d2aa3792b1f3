#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

// The tests run on a private X server of their own, kept from resetting
// between tests when its last client leaves. The server picks a free
// display number itself and writes it to a pipe (-displayfd), so that
// several test programs starting at once never race for the same display.
// Without Xvfb every test is skipped with a message.
namespace {

pid_t FServer = 0;

// Starts Xvfb and sets DISPLAY; false when it cannot be started.
bool StartServer()
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server never outlives the tests
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
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return false;
    }
    FServer = pid;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

void StopServer()
{
    if (!FServer)
        return;
    kill(FServer, SIGTERM);
    waitpid(FServer, nullptr, 0);
    FServer = 0;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (!StartServer()) {
        setenv("ZARVO_NO_XVFB", "1", 1);
        std::printf("Xvfb is missing (or would not start): the desktop back-end tests are skipped\n");
    }
    int result = RUN_ALL_TESTS();
    StopServer();
    return result;
}
