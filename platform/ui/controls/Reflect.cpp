#include "platform/ui/controls/Reflect.h"
#include "platform/ui/controls/StdMessages.h"

namespace {

HWND SenderOf(const TMessage& m)
{
    switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(m.LParam);
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
        return mis && mis->CtlType != ODT_MENU ? mis->hwndItem : nullptr;
    }
    default:
        return nullptr;
    }
}

}  // namespace

bool ReflectNotification(TMessage& m)
{
    HWND sender = SenderOf(m);
    if (!sender)
        return false;
    TWinControl* control = TWinControl::FindControl(sender);
    if (!control)
        return false;
    m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}
