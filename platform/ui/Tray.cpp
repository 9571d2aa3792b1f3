#include "platform/ui/Tray.h"
#include "platform/ui/WindowManager.h"

bool TrayAvailable()
{
    return WM().Backend().Caps().TrayIcon;
}

bool NotifyTrayIcon(TTrayAction Action, const TTrayIconInfo& Info)
{
    if (!TrayAvailable() || !Info.Wnd)
        return false;
    return WM().Backend().TrayIcon(Action, Info);
}
