#include "platform/ui/WindowManager.h"
#include "platform/core/Clock.h"
#include "platform/core/Thread.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Window.h"

TWindowManager& TWindowManager::Instance()
{
    static TWindowManager instance;
    return instance;
}

TWindowManager::TWindowManager() = default;

TBackend& TWindowManager::Backend()
{
    if (!FBackend)
        Install(std::make_unique<THeadlessBackend>());
    return *FBackend;
}

void TWindowManager::Install(std::unique_ptr<TBackend> backend)
{
    DestroyAll();
    if (FBackend)
        FBackend->Detached();
    FBackend = std::move(backend);
    FBackend->Attached();
    {
        std::lock_guard<std::mutex> lock(QueueLock);
        Posted.clear();
        InputQueue.clear();
        QuitPosted = false;
    }
    Cooked.clear();
    VisibleRegions.Clear();
    QuitReceived = false;
    QuitReceivedCode = 0;
    Hook = nullptr;
    ExceptionHandler = nullptr;
    Current = TMsg{};
    ActiveWnd = FocusWnd = CaptureWnd = HoverWnd = TrackLeaveWnd = nullptr;
    TaskbarWnd = nullptr;
    AppActive = false;
    CursorShape = IDC_ARROW;
    CursorPos = TPoint{};
    std::fill(std::begin(KeyState), std::end(KeyState), BYTE(0));
    AltAlone = LastAltUpAlone = false;
    KeyTexts.clear();
    LastClick = TLastClick{};
    Timers.clear();
    Caret = TCaret{};
    SetMainThreadWakeHook([] { TWindowManager::Instance().Wake(); });
    SetProcessMessagesHook([] { ProcessWindowMessages(); });
}

void TWindowManager::DestroyAll()
{
    while (!TopLevels.empty()) {
        HWND h = TopLevels.front();
        if (!DestroyWindow(h)) {
            TopLevels.erase(TopLevels.begin());
        }
    }
    Windows.clear();
    VisibleRegions.Clear();
    Graveyard.clear();
    Dcs.clear();
    std::lock_guard<std::mutex> lock(QueueLock);
    LiveHandles.clear();
}

TWindowRecord* TWindowManager::Find(HWND h) const
{
    auto it = Windows.find(h);
    return it == Windows.end() ? nullptr : it->second.get();
}

TWindowRecord* TWindowManager::Alive(HWND h) const
{
    TWindowRecord* w = Find(h);
    return w && !w->Destroying ? w : nullptr;
}

TWindowRecord* TWindowManager::TopLevelOf(TWindowRecord* w) const
{
    while (w && w->IsChild())
        w = Find(w->Parent);
    return w;
}

HWND TWindowManager::NewHandle()
{
    NextHandleValue += 4;
    return reinterpret_cast<HWND>(NextHandleValue);
}

void TWindowManager::Register(std::unique_ptr<TWindowRecord> w)
{
    HWND h = w->Handle;
    Windows[h] = std::move(w);
    std::lock_guard<std::mutex> lock(QueueLock);
    LiveHandles.insert(h);
}

void TWindowManager::Bury(HWND h)
{
    auto it = Windows.find(h);
    if (it == Windows.end())
        return;
    it->second->Destroyed = true;
    Graveyard.push_back(std::move(it->second));
    Windows.erase(it);
    {
        std::lock_guard<std::mutex> lock(QueueLock);
        LiveHandles.erase(h);
    }
    if (SendDepth == 0)
        FlushGraveyard();
}

void TWindowManager::FlushGraveyard()
{
    Graveyard.clear();
}

std::vector<HWND>& TWindowManager::SiblingList(TWindowRecord* w)
{
    if (w->IsChild()) {
        if (TWindowRecord* p = Find(w->Parent))
            return p->Children;
    }
    return TopLevels;
}

TPoint TWindowManager::ScreenOrigin(const TWindowRecord* w) const
{
    TPoint p{w->Rect.Left, w->Rect.Top};
    while (w->IsChild()) {
        const TWindowRecord* parent = Find(w->Parent);
        if (!parent)
            break;
        p.X += parent->Rect.Left + parent->Client.Left;
        p.Y += parent->Rect.Top + parent->Client.Top;
        w = parent;
    }
    return p;
}

TPoint TWindowManager::ClientScreenOrigin(const TWindowRecord* w) const
{
    TPoint p = ScreenOrigin(w);
    return TPoint{p.X + w->Client.Left, p.Y + w->Client.Top};
}

TPoint TWindowManager::StoreOrigin(const TWindowRecord* w) const
{
    TPoint p{0, 0};
    while (w->IsChild()) {
        const TWindowRecord* parent = Find(w->Parent);
        if (!parent)
            break;
        p.X += w->Rect.Left + parent->Client.Left;
        p.Y += w->Rect.Top + parent->Client.Top;
        w = parent;
    }
    return p;
}

bool TWindowManager::IsShown(const TWindowRecord* w) const
{
    while (w) {
        if (!w->Visible() || w->Destroying)
            return false;
        if (!w->IsChild())
            return !w->Minimized;
        w = Find(w->Parent);
    }
    return false;
}

const TRegion& TWindowManager::VisibleRegion(const TWindowRecord* w, bool clientOnly, bool clipChildren) const
{
    if (const TRegion* kept = VisibleRegions.Find(w->Handle, clientOnly, clipChildren))
        return *kept;
    return VisibleRegions.Keep(w->Handle, clientOnly, clipChildren, ComputeVisibleRegion(w, clientOnly, clipChildren));
}

namespace {

// Cuts a window's rectangle (and its region, window coordinates) out of rgn;
// a rectangle that misses rgn's bounds cuts nothing and costs nothing.
void CutOut(TRegion& rgn, TRect& rgnBounds, const TRect& r, const TRegion* shape, TPoint shapeOrigin)
{
    if (IntersectRect(r, rgnBounds).IsEmpty())
        return;
    TRegion cut(r);
    if (shape)
        cut = cut.Intersect(shape->Offsetted(shapeOrigin.X, shapeOrigin.Y));
    rgn = rgn.Subtract(cut);
    rgnBounds = rgn.Bounds();
}

} // namespace

// What of a window can be drawn, in its top-level's store coordinates: its
// rectangle and region, cut by every ancestor's client area and region, by
// the visible siblings above it and above each ancestor, and optionally by
// its own children.
TRegion TWindowManager::ComputeVisibleRegion(const TWindowRecord* w, bool clientOnly, bool clipChildren) const
{
    if (!IsShown(w))
        return TRegion();
    TPoint origin = StoreOrigin(w);
    TRect r = clientOnly ? w->Client.Offsetted(origin.X, origin.Y) : Bounds(origin.X, origin.Y, w->Width(), w->Height());
    TRegion rgn(r);
    if (w->Shape)
        rgn = rgn.Intersect(w->Shape->Offsetted(origin.X, origin.Y));
    TRect bounds = rgn.Bounds();
    const TWindowRecord* cur = w;
    while (cur->IsChild() && !rgn.IsEmpty()) {
        const TWindowRecord* parent = Find(cur->Parent);
        if (!parent)
            break;
        TPoint po = StoreOrigin(parent);
        rgn = rgn.Intersect(parent->Client.Offsetted(po.X, po.Y));
        if (parent->Shape)
            rgn = rgn.Intersect(parent->Shape->Offsetted(po.X, po.Y));
        bounds = rgn.Bounds();
        for (HWND sh : parent->Children) {
            if (sh == cur->Handle || rgn.IsEmpty())
                break;
            const TWindowRecord* sib = Find(sh);
            if (!sib || !sib->Visible())
                continue;
            TPoint so{po.X + parent->Client.Left + sib->Rect.Left, po.Y + parent->Client.Top + sib->Rect.Top};
            CutOut(rgn, bounds, Bounds(so.X, so.Y, sib->Width(), sib->Height()), sib->Shape.get(), so);
        }
        cur = parent;
    }
    if (clipChildren && !rgn.IsEmpty()) {
        TPoint co{origin.X + w->Client.Left, origin.Y + w->Client.Top};
        // A child is cut to the client area: the part reaching past it is not
        // shown, so the frame under it must stay visible.
        const TRect client = w->Client.Offsetted(origin.X, origin.Y);
        for (HWND ch : w->Children) {
            const TWindowRecord* c = Find(ch);
            if (!c || !c->Visible())
                continue;
            CutOut(rgn, bounds, IntersectRect(c->Rect.Offsetted(co.X, co.Y), client), c->Shape.get(),
                   TPoint{co.X + c->Rect.Left, co.Y + c->Rect.Top});
        }
    }
    return rgn;
}

// ---------------------------------------------------------------- messages

namespace {
struct TSendScope {
    explicit TSendScope(TWindowManager& m) : M(m) { ++M.SendDepth; }
    ~TSendScope()
    {
        if (--M.SendDepth == 0)
            M.FlushGraveyard();
    }
    TWindowManager& M;
};
}

LRESULT TWindowManager::Send(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    TWindowRecord* w = Find(h);
    if (!w)
        return 0;
    TSendScope scope(*this);
    // A copy: the procedure may replace itself (subclassing) while it runs.
    TWndProc proc = w->Proc;
    if (proc)
        return proc(h, msg, wp, lp);
    return DefWindowProc(h, msg, wp, lp);
}

bool TWindowManager::Post(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    {
        std::lock_guard<std::mutex> lock(QueueLock);
        if (h && !LiveHandles.count(h))
            return false;
        TMsg m;
        m.hwnd = h;
        m.message = msg;
        m.wParam = wp;
        m.lParam = lp;
        m.time = DWORD(GetTickCount());
        Posted.push_back(m);
    }
    Wake();
    return true;
}

void TWindowManager::RemovePostedFor(HWND h)
{
    std::lock_guard<std::mutex> lock(QueueLock);
    std::erase_if(Posted, [h](const TMsg& m) { return m.hwnd == h; });
    std::erase_if(Cooked, [h](const TMsg& m) { return m.hwnd == h; });
}

void TWindowManager::Wake()
{
    if (FBackend)
        FBackend->Wake();
}

DWORD TWindowManager::Now() const
{
    return DWORD(GetTickCount());
}

static bool InRange(UINT msg, UINT first, UINT last)
{
    if (first == 0 && last == 0)
        return true;
    return msg >= first && msg <= last;
}

bool TWindowManager::Fetch(TMsg& msg, HWND filter, UINT first, UINT last, bool remove)
{
    {
        std::unique_lock<std::mutex> lock(QueueLock);
        for (auto it = Posted.begin(); it != Posted.end(); ++it) {
            if ((filter && it->hwnd != filter) || !InRange(it->message, first, last))
                continue;
            msg = *it;
            msg.pt = CursorPos;
            if (remove)
                Posted.erase(it);
            lock.unlock();
            if (remove)
                Current = msg;
            return true;
        }
    }
    if (TakeInput(msg, filter, first, last, remove)) {
        if (remove)
            Current = msg;
        return true;
    }
    {
        std::lock_guard<std::mutex> lock(QueueLock);
        if (QuitPosted) {
            msg = TMsg{};
            msg.message = WM_QUIT;
            msg.wParam = WPARAM(QuitCode);
            msg.time = Now();
            msg.pt = CursorPos;
            if (remove)
                QuitPosted = false;
            return true;
        }
    }
    if (InRange(WM_PAINT, first, last)) {
        if (TWindowRecord* w = NextToPaint(filter)) {
            msg = TMsg{};
            msg.hwnd = w->Handle;
            msg.message = WM_PAINT;
            msg.time = Now();
            msg.pt = CursorPos;
            if (remove)
                Current = msg;
            return true;
        }
        PresentAll();
    }
    if (InRange(WM_TIMER, first, last) && TakeTimer(msg, filter, remove)) {
        if (remove)
            Current = msg;
        return true;
    }
    return false;
}
