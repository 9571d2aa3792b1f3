#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

#include "engine/preview/PreviewForm.h"
#include "engine/preview/Previewer.h"
#include "platform/core/Thread.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/forms/Application.h"

namespace previewtest {

// Runs AWork on a thread of its own (the stand-in for a job's worker) while
// the main thread serves its calls; returns once the work is done.
inline void OnWorker(const std::function<void()>& AWork) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        AWork();
        done = true;
    });
    while (!done) {
        ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker.join();
}

// Ends the test program with a message when a deadlock keeps it from going
// on: a hang is reported as a failure instead of running into the time-out.
class TDeadlockWatch {
public:
    explicit TDeadlockWatch(const char* AWhat, int ASeconds = 60) {
        FThread = std::thread([this, AWhat, ASeconds] {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(ASeconds);
            while (!FDone) {
                if (std::chrono::steady_clock::now() > end) {
                    std::fprintf(stderr, "deadlock: %s\n", AWhat);
                    std::_Exit(3);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    ~TDeadlockWatch() {
        FDone = true;
        FThread.join();
    }

private:
    std::atomic<bool> FDone{false};
    std::thread FThread;
};

// A fresh headless screen (1024 x 768) with the application's message pump.
class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Backend = &UseHeadlessBackend();
        Application->Initialize();
    }
    void TearDown() override { UseHeadlessBackend(); }

    void Pump() { Application->ProcessMessages(); }

    THeadlessBackend* Backend = nullptr;
};

} // namespace previewtest
