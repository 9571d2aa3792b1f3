#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/Clock.h"
#include "platform/core/DynLib.h"
#include "platform/core/Exception.h"

TEST(Clock, TicksWrapAt32BitsAndFollowTheHook) {
    uint64_t now = (uint64_t(1) << 32) + 5;
    uint32_t slept = 0;
    SetClockHook([&] { return now; }, [&](uint32_t ms) {
        slept += ms;
        now += ms;
    });
    EXPECT_EQ(GetTickCount(), 5u);
    EXPECT_EQ(GetTickCount64(), (uint64_t(1) << 32) + 5);
    Sleep(1000);
    EXPECT_EQ(slept, 1000u);
    EXPECT_EQ(GetTickCount(), 1005u);
    SetClockHook(nullptr);
    const uint64_t before = GetTickCount64();
    Sleep(5);
    EXPECT_GE(GetTickCount64() - before, 5u);
}

TEST(DynLib, LoadsByNameAndFindsEntryPoints) {
    HMODULE lib = LoadLibrary("libm.so.6");
    ASSERT_NE(lib, nullptr) << LastLibraryError();
    auto cosine = reinterpret_cast<double (*)(double)>(GetProcAddress(lib, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0), 1.0);
    EXPECT_EQ(GetProcAddress(lib, "no_such_entry_point"), nullptr);
    EXPECT_NE(LastLibraryError().find("no_such_entry_point"), std::string::npos);
    EXPECT_TRUE(FreeLibrary(lib));
}

TEST(DynLib, FailuresCarryTheReason) {
    EXPECT_EQ(LoadLibrary("/nonexistent/libnothing.so"), nullptr);
    EXPECT_NE(LastLibraryError().find("libnothing.so"), std::string::npos);
    try {
        TDynLib lib("/nonexistent/libnothing.so");
        FAIL();
    } catch (const EExternalException& e) {
        EXPECT_NE(e.Message().find("No such file"), std::string::npos) << e.Message();
    }
    TDynLib m("libm.so.6");
    EXPECT_NE(m.TryProc("sqrt"), nullptr);
    EXPECT_THROW(m.Proc("no_such_entry_point"), EExternalException);
}
