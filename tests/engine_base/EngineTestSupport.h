#pragma once
#include <gtest/gtest.h>

#include "engine/loader/Loader.h"

// Binds the whole player set (every library the engine uses) with a loader of
// its own, so a test never depends on what an earlier test loaded or unloaded.
inline void BindMediaLibraries() {
    static TFFmpegLoader* loader = nullptr;
    delete loader;
    loader = new TFFmpegLoader();
    ASSERT_TRUE(loader->Load(PlayerLibraries)) << loader->LastErrMsg();
}
