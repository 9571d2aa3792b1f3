#include "skin/draw/PlatformCaps.h"

#include "platform/ui/Caps.h"

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
    return PlatformCaps().PerPixelAlpha;
}

bool CPUHasMMX() {
    return false;
}

void ClearMMXState() {}

bool TransparentBltAvailable() {
    return false;
}
