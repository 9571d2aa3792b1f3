// A frame-hook plug-in for the tests. Arguments after its name:
//   (none)       counts its calls
//   fail         "Configure" refuses
//   invert       inverts the first plane of every picture
//   record TAG   keeps the first plane of its first picture under TAG
// Built three ways: complete, without "Process" (TEST_HOOK_NO_PROCESS) and
// without "Configure" (TEST_HOOK_NO_CONFIGURE).
#include <cstring>
#include <string>

extern "C" {
#include <libavutil/pixfmt.h>
}

#include "engine/transcode/FrameHookApi.h"
#include "tests/engine_task/TestFrameHook.h"

extern "C" uint8_t TestHookInvert(uint8_t value);

namespace {

TTestHookState State;

struct TContext {
    std::string Mode;
    std::string Tag;
    bool Recorded = false;
};

[[maybe_unused]] int RowBytes(int pixFmt, int width) {
    return pixFmt == AV_PIX_FMT_RGB24 || pixFmt == AV_PIX_FMT_BGR24 ? width * 3 : width;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) TTestHookState* TestHookState() { return &State; }

#ifndef TEST_HOOK_NO_CONFIGURE
__attribute__((visibility("default"))) int Configure(void** ctxp, int argc, char* argv[], int argvHigh) {
    ++State.Configures;
    if (argvHigh != 63 || argc < 1 || argc > argvHigh + 1 || (argc <= argvHigh && argv[argc] != nullptr))
        return 2;
    auto* context = new TContext;
    if (argc > 1)
        context->Mode = argv[1];
    if (argc > 2)
        context->Tag = argv[2];
    if (context->Mode == "fail") {
        delete context;
        return 1;
    }
    *ctxp = context;
    return 0;
}
#endif

#ifndef TEST_HOOK_NO_PROCESS
__attribute__((visibility("default"))) void Process(void* ctx, TFrameHookPicture* picture, int pixFmt, int width,
                                                    int height, int64_t pts) {
    ++State.Processes;
    {
        std::lock_guard lock(State.Lock);
        State.PTS.push_back(pts);
        State.PixFmt = pixFmt;
        State.Width = width;
        State.Height = height;
    }
    auto* context = static_cast<TContext*>(ctx);
    if (!context) {
        ++State.NullContexts;
        return;
    }
    const int rowBytes = RowBytes(pixFmt, width);
    if (context->Mode == "invert") {
        for (int y = 0; y < height; ++y) {
            uint8_t* row = picture->data[0] + y * picture->linesize[0];
            for (int x = 0; x < rowBytes; ++x)
                row[x] = TestHookInvert(row[x]);
        }
    } else if (context->Mode == "record" && !context->Recorded) {
        context->Recorded = true;
        std::vector<uint8_t> rows(size_t(rowBytes) * height);
        for (int y = 0; y < height; ++y)
            std::memcpy(rows.data() + size_t(y) * rowBytes, picture->data[0] + y * picture->linesize[0], rowBytes);
        std::lock_guard lock(State.Lock);
        State.Recorded[context->Tag] = std::move(rows);
    }
}
#endif

__attribute__((visibility("default"))) void Release(void* ctx) {
    ++State.Releases;
    delete static_cast<TContext*>(ctx);
}

} // extern "C"
