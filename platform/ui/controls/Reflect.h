#pragma once
#include "platform/ui/controls/Controls.h"

// What a child window tells its parent about itself (WM_COMMAND from a
// control, the WM_CTLCOLOR* colour requests, WM_DRAWITEM and WM_MEASUREITEM
// of owner-drawn controls, WM_HSCROLL / WM_VSCROLL of scroll-bar controls)
// goes back to the child's own control as the CN_ message, so each control
// handles its own notifications. Returns false, leaving the message alone,
// when it names no control of the class library.
bool ReflectNotification(TMessage& m);
