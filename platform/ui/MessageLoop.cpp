#include "platform/ui/MessageLoop.h"
#include <cctype>
#include <map>
#include "platform/core/Thread.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Keys.h"
#include "platform/ui/WindowManager.h"

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return WM().Send(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return WM().Post(hwnd, msg, wParam, lParam);
}

bool InSendMessage()
{
    return WM().SendDepth > 0;
}

UINT RegisterWindowMessage(const std::string& name)
{
    static std::map<std::string, UINT> numbers;
    std::string key = name;
    for (char& c : key)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    if (key.empty())
        return 0;
    auto it = numbers.find(key);
    if (it != numbers.end())
        return it->second;
    UINT number = UINT(0xC000 + numbers.size());
    numbers[key] = number;
    return number;
}

bool PeekMessage(TMsg& msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    auto& m = WM();
    m.Backend();
    if (m.Fetch(msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0))
        return true;
    TThread::CheckSynchronize(0);
    m.Backend().QueueIdle();
    return false;
}

bool GetMessage(TMsg& msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    auto& m = WM();
    for (;;) {
        if (m.Fetch(msg, hwnd, filterMin, filterMax, true))
            return msg.message != WM_QUIT;
        if (TThread::CheckSynchronize(0))
            continue;
        m.Backend().WaitForEvents(m.MillisecondsToNextTimer());
    }
}

bool WaitMessage()
{
    auto& m = WM();
    TMsg msg;
    if (m.Fetch(msg, nullptr, 0, 0, false))
        return true;
    if (TThread::CheckSynchronize(0))
        return true;
    m.Backend().WaitForEvents(m.MillisecondsToNextTimer());
    return true;
}

bool TranslateMessage(const TMsg& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    auto& m = WM();
    UINT charMsg = msg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    int ticket = int((msg.lParam >> 16) & 0xFF);
    std::u32string chars;
    if (ticket) {
        auto it = m.KeyTexts.find(ticket);
        if (it == m.KeyTexts.end())
            return false;
        chars = DecodeUtf8(it->second);
        m.KeyTexts.erase(it);
    } else {
        char32_t c = CharFromKey(int(msg.wParam), (m.KeyState[VK_SHIFT] & 0x80) != 0,
                                 (m.KeyState[VK_CONTROL] & 0x80) != 0, (m.KeyState[VK_CAPITAL] & 1) != 0);
        if (c)
            chars.push_back(c);
    }
    if (chars.empty())
        return false;
    LPARAM lp = msg.lParam & ~LPARAM(0xFF << 16);
    for (char32_t c : chars)
        m.Post(msg.hwnd, charMsg, WPARAM(c), lp);
    return true;
}

LRESULT DispatchMessage(const TMsg& msg)
{
    auto& m = WM();
    if (msg.message == WM_TIMER && msg.lParam != 0) {
        for (const TTimerRecord& t : m.Timers)
            if (t.Wnd == msg.hwnd && t.Id == msg.wParam && t.Proc) {
                TTimerProc proc = t.Proc;
                proc(msg.hwnd, WM_TIMER, msg.wParam, msg.time);
                return 0;
            }
        return 0;
    }
    if (!msg.hwnd)
        return 0;
    if (msg.message == WM_PAINT) {
        if (TWindowRecord* w = m.Alive(msg.hwnd)) {
            // Counted as a send, so records destroyed while painting stay
            // valid until the paint returns (also when a handler throws).
            struct TDepth {
                TWindowManager& M;
                explicit TDepth(TWindowManager& manager) : M(manager) { ++M.SendDepth; }
                ~TDepth()
                {
                    if (--M.SendDepth == 0)
                        M.FlushGraveyard();
                }
            } depth(m);
            m.DeliverPaint(w);
        }
        return 0;
    }
    return m.Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void PostQuitMessage(int exitCode)
{
    auto& m = WM();
    {
        std::lock_guard<std::mutex> lock(m.QueueLock);
        m.QuitPosted = true;
        m.QuitCode = exitCode;
    }
    m.Wake();
}

DWORD GetMessagePos()
{
    const TMsg& c = WM().Current;
    return DWORD(MAKELPARAM(c.pt.X, c.pt.Y));
}

LONG GetMessageTime()
{
    return LONG(WM().Current.time);
}

TMessageHook SetMessageHook(TMessageHook hook)
{
    TMessageHook old = std::move(WM().Hook);
    WM().Hook = std::move(hook);
    return old;
}

TMessageHook GetMessageHook()
{
    return WM().Hook;
}

TExceptionHandler SetExceptionHandler(TExceptionHandler handler)
{
    TExceptionHandler old = std::move(WM().ExceptionHandler);
    WM().ExceptionHandler = std::move(handler);
    return old;
}

TExceptionHandler GetExceptionHandler()
{
    return WM().ExceptionHandler;
}

void HandleEscapedException()
{
    // A copy: the handler may run a modal loop that replaces it.
    TExceptionHandler handler = WM().ExceptionHandler;
    if (!handler)
        throw;
    handler(std::current_exception());
}

static void HandleTaken(TMsg& msg)
{
    auto& m = WM();
    try {
        bool handled = false;
        if (m.Hook) {
            TMessageHook hook = m.Hook;
            handled = hook(msg);
        }
        if (!handled) {
            TranslateMessage(msg);
            DispatchMessage(msg);
        }
    } catch (...) {
        HandleEscapedException();
    }
}

bool ProcessOneMessage()
{
    auto& m = WM();
    TMsg msg;
    if (!PeekMessage(msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        m.QuitReceived = true;
        m.QuitReceivedCode = int(msg.wParam);
        return true;
    }
    HandleTaken(msg);
    return true;
}

void ProcessWindowMessages()
{
    TThread::CheckSynchronize(0);
    while (ProcessOneMessage()) {
    }
}

int RunMessageLoop()
{
    auto& m = WM();
    while (!m.QuitReceived) {
        TMsg msg;
        if (!GetMessage(msg, nullptr, 0, 0)) {
            m.QuitReceived = true;
            m.QuitReceivedCode = int(msg.wParam);
            break;
        }
        HandleTaken(msg);
    }
    return m.QuitReceivedCode;
}

bool QuitReceived()
{
    return WM().QuitReceived;
}

int QuitExitCode()
{
    return WM().QuitReceivedCode;
}

void ClearQuitReceived()
{
    WM().QuitReceived = false;
    WM().QuitReceivedCode = 0;
}
