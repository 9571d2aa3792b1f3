#pragma once
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Backend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/VisibleRegionCache.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WinConsts.h"

// The window manager's own records. Only the platform/ui sources include
// this header; everything else goes through the classic calls.

struct TWindowClassRecord {
    std::string Name;
    UINT Style = 0;
    TWndProc Proc;
    HCURSOR Cursor = 0;
    TColor Background = clNone;
};

struct TWindowRecord {
    HWND Handle = nullptr;
    std::shared_ptr<TWindowClassRecord> Class;
    TWndProc Proc;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND Parent = nullptr;                 // child windows only
    HWND Owner = nullptr;                  // top-level windows only
    std::vector<HWND> Children;            // z-order, topmost first
    TRect Rect;                            // parent client coordinates, or screen for a top-level
    TRect Client;                          // window coordinates
    std::string Text;
    UINT_PTR Id = 0;
    LONG_PTR UserData = 0;
    std::unique_ptr<TRegion> Shape;        // window region, window coordinates
    std::unique_ptr<TBitmap> Icons[2];     // WM_SETICON copies: ICON_SMALL, ICON_BIG
    std::unique_ptr<TBitmap> OldIcons[2];  // the copies WM_SETICON last replaced (its answer)

    BYTE Alpha = 255;                      // constant alpha of a layered window
    bool PerPixelAlpha = false;            // content set by UpdateLayeredWindow

    // Painting state. The update region is in client coordinates.
    TRegion Update;
    bool ErasePending = false;
    bool NcPending = false;
    bool InternalPaint = false;
    bool InPaint = false;
    bool BeganPaint = false;
    bool EraseFailed = false;              // the last erase answered 0 (PAINTSTRUCT.fErase)
    bool RedrawOff = false;                // WM_SETREDRAW FALSE

    int PressedNcButton = 0;               // a caption button held down (its hit code)
    bool CaptionActive = false;            // frame drawn active (WM_NCACTIVATE)
    bool SizeMoveSent = false;             // the first WM_WINDOWPOSCHANGED sends both
    bool Minimized = false;
    bool HiddenWithOwner = false;          // hidden because its owner was minimised
    bool Maximized = false;
    TRect RestoreRect;
    bool Destroying = false;
    bool Destroyed = false;
    SCROLLINFO Scroll[2];

    // Top-level windows own the surface their whole tree is composed into.
    std::unique_ptr<TBitmap> Store;
    TRegion Dirty;                         // store coordinates, not yet presented

    bool IsChild() const { return (Style & WS_CHILD) != 0; }
    bool Visible() const { return (Style & WS_VISIBLE) != 0; }
    bool Enabled() const { return (Style & WS_DISABLED) == 0; }
    int Width() const { return Rect.Width(); }
    int Height() const { return Rect.Height(); }
};

struct TTimerRecord {
    HWND Wnd = nullptr;
    UINT_PTR Id = 0;
    UINT Interval = 0;
    uint64_t Due = 0;
    TTimerProc Proc;
    bool Pending = false;                  // a WM_TIMER for it is on its way
};

// Raw input as a back end reports it, turned into messages when the loop
// reaches it so that hit testing and activation see the state of that moment.
struct TInputEvent {
    enum TKind { ieMove, ieButtonDown, ieButtonUp, ieWheel, ieKeyDown, ieKeyUp };
    TKind Kind = ieMove;
    TPoint Pt;
    int Button = 0;                        // 0 left, 1 right, 2 middle
    int Delta = 0;
    int Vk = 0;
    std::string Text;                      // characters an input method ties to a key-down
    DWORD Time = 0;
};

class TWindowManager {
public:
    static TWindowManager& Instance();

    // --- records
    TWindowRecord* Find(HWND h) const;
    TWindowRecord* Alive(HWND h) const;    // found and not being destroyed
    TWindowRecord* TopLevelOf(TWindowRecord* w) const;
    HWND NewHandle();
    void Register(std::unique_ptr<TWindowRecord> w);
    void Bury(HWND h);                     // the record lives on until no call is on the stack
    void FlushGraveyard();

    // --- geometry helpers (all coordinates are ints in the named space)
    TPoint ScreenOrigin(const TWindowRecord* w) const;          // window (0,0) on the screen
    TPoint ClientScreenOrigin(const TWindowRecord* w) const;
    TPoint StoreOrigin(const TWindowRecord* w) const;           // window (0,0) in its top-level's store
    bool IsShown(const TWindowRecord* w) const;                 // visible with all ancestors
    const TRegion& VisibleRegion(const TWindowRecord* w, bool clientOnly, bool clipChildren) const;  // store coords
    // A window moved, resized, showed, hid, restacked, changed its region,
    // style or parent, or came or went: visible regions are worked out anew.
    void LayoutChanged()
    {
        VisibleRegions.Clear();
        PaintRequested();
    }
    // Some window's update region or pending frame grew, or its redrawing
    // was turned on: the search for the next window to paint starts over.
    void PaintRequested() { ++PaintScan.Stamp; }
    std::vector<HWND>& SiblingList(TWindowRecord* w);

    // --- messages
    LRESULT Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
    bool Post(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    bool Fetch(TMsg& msg, HWND filter, UINT first, UINT last, bool remove);
    void RemovePostedFor(HWND h);
    void Wake();
    int SendDepth = 0;

    // --- painting
    void AddUpdate(TWindowRecord* w, const TRegion& clientRgn, bool erase, bool children);
    TWindowRecord* NextToPaint(HWND filter);
    void DeliverPaint(TWindowRecord* w);
    void EnsureStore(TWindowRecord* top);
    void MarkDirty(TWindowRecord* top, const TRegion& storeRgn);
    void PresentAll();
    void InvalidateExposed(TWindowRecord* parent, const TRegion& parentClientRgn);

    // --- input
    void PushInput(TInputEvent ev);
    bool TakeInput(TMsg& msg, HWND filter, UINT first, UINT last, bool remove);
    HWND HitWindow(TPoint screen, int& hit);
    void SetHover(HWND h);

    // --- activation and focus
    void Activate(HWND h, int how);
    void ActivateNextAfter(HWND gone);
    // The program lost the desktop's focus to another program: a drag, a
    // menu or a move loop ends (cancel mode, capture released), the active
    // window is deactivated and none takes its place until one is activated.
    void ActivateNone();
    // Tells every top-level window that the program as a whole gained or
    // lost the desktop's activation (WM_ACTIVATEAPP), once per change.
    void SetAppActive(bool active);
    void BringToTop(HWND h);

    // --- timers
    bool TakeTimer(TMsg& msg, HWND filter, bool remove);
    int64_t MillisecondsToNextTimer() const;

    // --- clock
    DWORD Now() const;

    // Everything is reset when a back end is installed (tests start clean).
    void Install(std::unique_ptr<TBackend> backend);
    TBackend& Backend();
    void DestroyAll();

    // State.
    std::unordered_map<HWND, std::unique_ptr<TWindowRecord>> Windows;
    std::vector<std::unique_ptr<TWindowRecord>> Graveyard;
    std::map<std::string, std::shared_ptr<TWindowClassRecord>> Classes;   // keys upper case
    std::vector<HWND> TopLevels;           // z-order, topmost first
    uintptr_t NextHandleValue = 0x10000;

    std::mutex QueueLock;                  // guards Posted, InputQueue, LiveHandles, QuitPosted
    std::deque<TMsg> Posted;
    std::deque<TInputEvent> InputQueue;
    std::deque<TMsg> Cooked;               // input turned into messages, not yet removed (main thread)
    std::unordered_set<HWND> LiveHandles;
    bool QuitPosted = false;
    int QuitCode = 0;
    bool QuitReceived = false;
    int QuitReceivedCode = 0;
    TMessageHook Hook;
    TExceptionHandler ExceptionHandler;
    TMsg Current;                          // the last message taken (GetMessagePos/Time)

    HWND ActiveWnd = nullptr;
    bool AppActive = false;                // the program holds the desktop's activation (WM_ACTIVATEAPP)
    HWND TaskbarWnd = nullptr;             // stands for the program in the taskbar (SetTaskbarWindow)
    HWND FocusWnd = nullptr;
    HWND CaptureWnd = nullptr;
    HWND HoverWnd = nullptr;
    HWND TrackLeaveWnd = nullptr;
    HCURSOR CursorShape = IDC_ARROW;
    TPoint CursorPos;
    BYTE KeyState[256] = {};
    bool AltAlone = false;                 // Alt went down and nothing else since
    bool LastAltUpAlone = false;
    std::map<int, std::string> KeyTexts;   // ticket in the scan-code byte -> text
    int NextKeyTicket = 1;

    struct TLastClick {
        HWND Wnd = nullptr;
        int Button = -1;
        bool NonClient = false;
        DWORD Time = 0;
        TPoint Pt;
        bool WasDouble = false;
    } LastClick;

    std::vector<TTimerRecord> Timers;
    UINT_PTR NextTimerId = 0x7F000001;     // ids of window-less timers: apart from window ids

    struct TCaret {
        HWND Wnd = nullptr;
        TSize Size;
        TPoint Pos;
        int HideCount = 1;
        bool Drawn = false;                // inverted into the store right now
    } Caret;

    struct TDcRecord {
        std::unique_ptr<TDeviceContext> Dc;
        HWND Wnd = nullptr;
    };
    std::unordered_map<HDC, TDcRecord> Dcs;
    HDC MakeDc(TWindowRecord* w, bool client, const TRegion* limit);   // limit: client coordinates

private:
    TWindowManager();
    TRegion ComputeVisibleRegion(const TWindowRecord* w, bool clientOnly, bool clipChildren) const;
    std::unique_ptr<TBackend> FBackend;
    mutable TVisibleRegionCache VisibleRegions;
    // The windows in painting order (each window before its children, the
    // bottom-most child first) and how far the search for one needing paint
    // has gone since the last paint request: a repaint of many windows scans
    // them once instead of from the start for each.
    struct TPaintScan {
        uint64_t Stamp = 1;
        uint64_t BuiltFor = 0;
        std::vector<HWND> Order;
        size_t Next = 0;
    } PaintScan;
    void BuildPaintOrder();
};

inline TWindowManager& WM() { return TWindowManager::Instance(); }

// The caret is inverted into the store while shown; painting hides it first
// (Caret.cpp).
void HideCaretFor(HWND h);
void ShowCaretFor(HWND h);

// Keyboard helpers (Keyboard.cpp).
char32_t CharFromKey(int vk, bool shift, bool control, bool capsLock);
constexpr LPARAM KF_ALONE_BIT = 1 << 25;  // on WM_SYSKEYUP of VK_MENU: Alt went down and up alone
void NotifyParents(HWND h, UINT event, WPARAM extra, LPARAM screenPointOrHandle, bool pointInParent);

// Default non-client frame (NonClient.cpp).
struct TFrameMetrics {
    int Border = 0;                        // on every side
    int Caption = 0;                       // below the top border
    int Edge = 0;                          // client edge inside the frame
    int VScroll = 0;
    int HScroll = 0;
};
TFrameMetrics FrameMetrics(DWORD style, DWORD exStyle);
TRect DefaultClientRect(const TWindowRecord& w, const TRect& windowRect);  // window coordinates
int DefaultHitTest(TWindowRecord& w, TPoint screen);
void DefaultNcPaint(TWindowRecord& w);
void DrawDefaultFrame(TWindowRecord& w, TDeviceContext& dc);   // dc in window coordinates
LRESULT DefaultSysCommand(HWND h, WPARAM wp, LPARAM lp);
void RunMoveSizeLoop(HWND h, UINT command, TPoint start);
void TrackFrameButton(HWND h, int hit);
void TrackScrollBar(HWND h, int hit, TPoint start);
TRect ScrollBarRect(const TWindowRecord& w, int bar);                     // window coordinates
void DrawScrollBars(TWindowRecord& w, TDeviceContext& dc);
