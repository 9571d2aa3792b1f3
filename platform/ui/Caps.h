#pragma once

// What the active back end can do. Callers check a capability and take
// their plain path when it is absent (no fade, no glow layer, no tray icon,
// a rectangular window).
struct TPlatformCaps {
    bool PerPixelAlpha = false;            // per-pixel translucent windows (UpdateLayeredWindow)
    bool ConstantAlpha = true;             // whole-window alpha (SetLayeredWindowAttributes)
    bool TrayIcon = false;                 // a notification-area icon
    bool WindowShapes = true;              // window regions shape top-level windows on the desktop
};

const TPlatformCaps& PlatformCaps();
