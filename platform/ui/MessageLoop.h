#pragma once
#include <exception>
#include <functional>
#include <string>
#include "platform/ui/WinTypes.h"

// Messages: SendMessage calls the window procedure at once (main thread,
// re-entrant); PostMessage queues from any thread and wakes the loop.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool InSendMessage();
// A message number of our own for a name, the same for every caller of that
// name (0xC000 .. 0xFFFF; names compare without case).
UINT RegisterWindowMessage(const std::string& name);

// The queue. Order of what the loop hands out: posted messages, input,
// WM_QUIT, then WM_PAINT and WM_TIMER only when nothing else waits.
bool PeekMessage(TMsg& msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Blocks until a message arrives; false for WM_QUIT. Runs the calls other
// threads synchronise into the main thread while it waits.
bool GetMessage(TMsg& msg, HWND hwnd, UINT filterMin, UINT filterMax);
bool WaitMessage();
// Posts WM_CHAR / WM_SYSCHAR for a key-down (with the input method's text
// when the key carried one).
bool TranslateMessage(const TMsg& msg);
LRESULT DispatchMessage(const TMsg& msg);
void PostQuitMessage(int exitCode);
DWORD GetMessagePos();                     // screen position packed like an lParam
LONG GetMessageTime();

// The application-wide hook before dispatch. Returns the previous hook so
// that a caller can chain it and restore it later. A hook that answers true
// has handled the message: it is not translated nor dispatched.
using TMessageHook = std::function<bool(TMsg&)>;
TMessageHook SetMessageHook(TMessageHook hook);
TMessageHook GetMessageHook();

// What becomes of an exception that escapes a message handler: the loop and
// the window procedures of the class library pass it to this handler (the
// application shows it) and go on. Without a handler it propagates.
using TExceptionHandler = std::function<void(std::exception_ptr)>;
TExceptionHandler SetExceptionHandler(TExceptionHandler handler);
TExceptionHandler GetExceptionHandler();
// Inside a catch block: hands the exception being handled to the handler, or
// rethrows it when there is none.
void HandleEscapedException();

// Takes one message, passes it through the hook, translates and dispatches
// it. False when the queue was empty. WM_QUIT is not dispatched: it sets the
// sticky QuitReceived flag, so a quit taken inside a nested wait is not lost.
bool ProcessOneMessage();
// Handles everything waiting, then returns (installed as the core's ProcessMessages).
void ProcessWindowMessages();
// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();
bool QuitReceived();
int QuitExitCode();
void ClearQuitReceived();
