#pragma once
// Everything of the window layer in one include.
//
// The model in short: windows are handles with a class and a procedure; all
// work happens on the main thread through SendMessage (immediate) and the
// queue (PostMessage from any thread, input, then WM_PAINT and WM_TIMER when
// nothing else waits). Child windows draw into their top-level window's
// backing store through device contexts clipped to what is visible of them;
// the changed parts are handed to the back end (Backend.h). The headless back
// end (HeadlessBackend.h) runs everything in memory on a virtual clock, with
// synthetic input, for the tests.
#include "platform/ui/Backend.h"
#include "platform/ui/Caps.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Scroll.h"
#include "platform/ui/Timers.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/WinTypes.h"
#include "platform/ui/Window.h"
