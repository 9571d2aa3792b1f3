// A program of its own: nothing in it ever loads the media libraries.
#include <gtest/gtest.h>

#include "engine/probe/AVProbe.h"
#include "platform/core/Exception.h"

TEST(ProbeWithoutLibraries, RefusesToOpenAndNamesTheFirstMissingLibrary) {
    TAVProbe probe(nullptr);
    EXPECT_FALSE(probe.AVLibLoaded());
    try {
        probe.LoadFile("any.avi");
        FAIL() << "LoadFile opened a file without libraries";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "LibAVCodec not loaded.");
    }
    EXPECT_THROW(probe.SetFileHandle(nullptr), EExternalException);
    // Reading an empty probe needs no library.
    EXPECT_EQ(probe.StreamCount(), -1);
    EXPECT_FALSE(probe.Decode());
}
