#pragma once
#include "platform/ui/Backend.h"

// The notification area ("tray") of the desktop, through the back end.
// Where there is none, every call answers false and the caller keeps its
// windows reachable another way.

// The balloon of an icon was clicked (lParam of the icon's callback message).
inline constexpr UINT NIN_BALLOONUSERCLICK = 1029;

bool TrayAvailable();
bool NotifyTrayIcon(TTrayAction Action, const TTrayIconInfo& Info);
