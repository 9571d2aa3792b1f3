#include <gtest/gtest.h>
#include <unistd.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The tests run on a private X server of their own (kept from resetting
// between tests, when its last client leaves): the program starts
// itself again under xvfb-run. Without Xvfb every test is skipped with a
// message.
namespace {

bool OnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string all = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find(':', start);
        std::string dir = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0)
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("ZARVO_UNDER_XVFB")) {
        char self[PATH_MAX] = {};
        ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
        if (n > 0 && OnPath("xvfb-run") && OnPath("Xvfb") && OnPath("xauth")) {
            setenv("ZARVO_UNDER_XVFB", "1", 1);
            std::vector<std::string> args = {"xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -nolisten tcp -noreset", self};
            for (int i = 1; i < argc; ++i)
                args.push_back(argv[i]);
            std::vector<char*> raw;
            for (std::string& a : args)
                raw.push_back(a.data());
            raw.push_back(nullptr);
            execvp("xvfb-run", raw.data());
            std::perror("xvfb-run");
        }
        setenv("ZARVO_NO_XVFB", "1", 1);
        std::printf("Xvfb (xvfb-run, Xvfb, xauth) is missing: the desktop back-end tests are skipped\n");
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
