#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>

#include "XvfbServer.h"

// The tests run on a private X server of their own (see XvfbServer.h).
// Without Xvfb every test is skipped with a message.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const pid_t server = StartXvfb();
    if (!server) {
        setenv("ZARVO_NO_XVFB", "1", 1);
        std::printf("Xvfb is missing (or would not start): the desktop back-end tests are skipped\n");
    }
    int result = RUN_ALL_TESTS();
    StopXvfb(server);
    return result;
}
