#include "skin/draw/PlatformTests.h"

#include <atomic>

namespace {

std::atomic<bool> LayeredWindows{false};

}  // namespace

void GetWindowsVersion(int& Major, int& Minor) {
    Major = 6;
    Minor = 1;
}

bool IsWindowsVistaOrLater() {
    int major, minor;
    GetWindowsVersion(major, minor);
    return major > 5;
}

bool IsWindowsXPOrLater() {
    int major, minor;
    GetWindowsVersion(major, minor);
    return major > 5 || (major == 5 && minor == 1);
}

bool IsNTFamily() {
    return true;
}

bool CanUseLayeredWindows() {
    return LayeredWindows.load();
}

void SetCanUseLayeredWindows(bool Value) {
    LayeredWindows.store(Value);
}

bool CPUHasMMX() {
    return false;
}

void ClearMMXState() {}

bool TransparentBltAvailable() {
    return false;
}
