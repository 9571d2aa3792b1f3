#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/transcode/FrameHookApi.h"

// One plug-in in a job's chain, with the arguments it was configured with
// (kept alive as long as the plug-in may hold on to them).
struct TFrameHookEntry {
    TFrameHookConfigure Configure = nullptr;
    TFrameHookProcess Process = nullptr;
    TFrameHookRelease Release = nullptr;
    void* ctx = nullptr;
    std::vector<std::string> Arguments;
};

// The frame-hook plug-ins of one job, in the order the "vhook" options named
// them. Plug-in libraries are loaded once per process and stay loaded; each
// use configures an entry of its own.
class TFrameHookChain {
public:
    TFrameHookChain() = default;
    ~TFrameHookChain() { ReleaseFrameHooks(); }
    TFrameHookChain(const TFrameHookChain&) = delete;
    TFrameHookChain& operator=(const TFrameHookChain&) = delete;

    // Loads (or finds loaded) the plug-in AArguments[0] and configures it with
    // all of AArguments. 0 added; -2 no arguments, no "Process", or arguments
    // but no "Configure"; -1 the library cannot be loaded; -22 "Configure"
    // failed. Failures are logged at the libraries' error level.
    int AddFrameHook(const std::vector<std::string>& AArguments);
    // Every plug-in's "Process", in chain order, on the picture (writable).
    void ProcessFrameHooks(AVFrame* APicture, int64_t APTS) const;
    // Every "Release" once; the chain is empty afterwards.
    void ReleaseFrameHooks();
    bool Empty() const { return FEntries.empty(); }
    int Count() const { return int(FEntries.size()); }

private:
    std::vector<std::unique_ptr<TFrameHookEntry>> FEntries;
};
