#include "platform/ui/Window.h"
#include <algorithm>
#include <cctype>
#include <cstring>
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowManager.h"

namespace {

std::string ClassKey(const std::string& name)
{
    std::string key = name;
    for (char& c : key)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

void InsertTopLevel(TWindowManager& m, HWND h, bool topmost)
{
    auto& list = m.TopLevels;
    auto pos = list.begin();
    if (!topmost) {
        while (pos != list.end()) {
            TWindowRecord* o = m.Find(*pos);
            if (!o || !(o->ExStyle & WS_EX_TOPMOST))
                break;
            ++pos;
        }
    }
    list.insert(pos, h);
}

void DestroyTree(TWindowManager& m, HWND h)
{
    TWindowRecord* w = m.Find(h);
    if (!w)
        return;
    w->Destroying = true;
    m.LayoutChanged();
    if (m.FocusWnd == h)
        m.FocusWnd = nullptr;
    if (m.CaptureWnd == h) {
        m.CaptureWnd = nullptr;
        m.Backend().CaptureChanged(false);
    }
    if (m.HoverWnd == h)
        m.HoverWnd = nullptr;
    if (m.TrackLeaveWnd == h)
        m.TrackLeaveWnd = nullptr;
    if (m.ActiveWnd == h)
        m.ActiveWnd = nullptr;
    if (m.Caret.Wnd == h)
        m.Caret = TWindowManager::TCaret{};
    m.Send(h, WM_DESTROY);
    if (TWindowRecord* again = m.Find(h)) {
        std::vector<HWND> children = again->Children;
        for (HWND c : children)
            DestroyTree(m, c);
    }
    m.Send(h, WM_NCDESTROY);
    std::erase_if(m.Timers, [h](const TTimerRecord& t) { return t.Wnd == h; });
    m.RemovePostedFor(h);
    for (auto it = m.Dcs.begin(); it != m.Dcs.end();) {
        if (it->second.Wnd == h)
            it = m.Dcs.erase(it);
        else
            ++it;
    }
    if (TWindowRecord* again = m.Find(h)) {
        if (!again->IsChild())
            m.Backend().WindowDestroyed(h);
        auto& siblings = m.SiblingList(again);
        std::erase(siblings, h);
        if (!again->IsChild())
            std::erase(m.TopLevels, h);
        m.LayoutChanged();
    }
    m.Bury(h);
}

} // namespace

// A child's creation and a press in it are announced to every ancestor,
// unless a window on the way has WS_EX_NOPARENTNOTIFY.
void NotifyParents(HWND h, UINT event, WPARAM extra, LPARAM lp, bool pointInParent)
{
    auto& m = WM();
    TWindowRecord* cur = m.Find(h);
    while (cur && cur->IsChild() && !(cur->ExStyle & WS_EX_NOPARENTNOTIFY)) {
        HWND parent = cur->Parent;
        TWindowRecord* p = m.Find(parent);
        if (!p)
            break;
        LPARAM param = lp;
        if (pointInParent) {
            TPoint screen = LParamToPoint(lp);
            TPoint origin = m.ClientScreenOrigin(p);
            param = MAKELPARAM(screen.X - origin.X, screen.Y - origin.Y);
        }
        m.Send(parent, WM_PARENTNOTIFY, MAKEWPARAM(int(event), int(extra)), param);
        cur = m.Find(parent);
    }
}

// ------------------------------------------------------------------ classes

ATOM RegisterClass(const WNDCLASS& wc)
{
    auto& m = WM();
    std::string key = ClassKey(wc.lpszClassName);
    if (key.empty() || m.Classes.count(key))
        return 0;
    auto rec = std::make_shared<TWindowClassRecord>();
    rec->Name = wc.lpszClassName;
    rec->Style = wc.style;
    rec->Proc = wc.lpfnWndProc;
    rec->Cursor = wc.hCursor;
    rec->Background = wc.hbrBackground;
    m.Classes[key] = rec;
    return ATOM(0xC000 + (m.Classes.size() & 0x3FFF));
}

bool UnregisterClass(const std::string& className)
{
    return WM().Classes.erase(ClassKey(className)) > 0;
}

bool GetClassInfo(const std::string& className, WNDCLASS& wc)
{
    auto& m = WM();
    auto it = m.Classes.find(ClassKey(className));
    if (it == m.Classes.end())
        return false;
    wc.style = it->second->Style;
    wc.lpfnWndProc = it->second->Proc;
    wc.hCursor = it->second->Cursor;
    wc.hbrBackground = it->second->Background;
    wc.lpszClassName = it->second->Name;
    return true;
}

std::string GetClassName(HWND hwnd)
{
    TWindowRecord* w = WM().Find(hwnd);
    return w ? w->Class->Name : std::string();
}

LONG_PTR GetClassLong(HWND hwnd, int index)
{
    TWindowRecord* w = WM().Find(hwnd);
    if (!w || index != GCL_STYLE)
        return 0;
    return LONG_PTR(w->Class->Style);
}

LONG_PTR SetClassLong(HWND hwnd, int index, LONG_PTR value)
{
    TWindowRecord* w = WM().Find(hwnd);
    if (!w || index != GCL_STYLE)
        return 0;
    LONG_PTR old = LONG_PTR(w->Class->Style);
    w->Class->Style = UINT(value);
    return old;
}

// ------------------------------------------------------------ create, destroy

HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, UINT_PTR idOrMenu, void* param, TWndProc proc)
{
    auto& m = WM();
    auto cls = m.Classes.find(ClassKey(className));
    if (cls == m.Classes.end())
        return nullptr;
    bool child = (style & WS_CHILD) != 0;
    TWindowRecord* parentRec = parent ? m.Alive(parent) : nullptr;
    if (child && !parentRec)
        return nullptr;
    if (!child && !(style & WS_POPUP))
        style |= WS_CAPTION | WS_CLIPSIBLINGS;      // an overlapped window always has a caption

    auto rec = std::make_unique<TWindowRecord>();
    TWindowRecord* w = rec.get();
    w->Handle = m.NewHandle();
    w->Class = cls->second;
    w->Proc = proc ? std::move(proc) : cls->second->Proc;
    w->Style = style & ~WS_VISIBLE;
    w->ExStyle = exStyle;
    w->Rect = Bounds(x, y, std::max(0, width), std::max(0, height));
    w->Client = Bounds(0, 0, w->Width(), w->Height());
    for (auto& sb : w->Scroll) {
        sb.nMin = 0;
        sb.nMax = 100;
    }
    if (child) {
        w->Parent = parent;
        w->Id = idOrMenu;
    } else if (parentRec) {
        TWindowRecord* root = m.TopLevelOf(parentRec);
        w->Owner = root ? root->Handle : nullptr;
    }
    HWND h = w->Handle;
    m.Register(std::move(rec));
    if (child)
        parentRec->Children.insert(parentRec->Children.begin(), h);
    else
        InsertTopLevel(m, h, (exStyle & WS_EX_TOPMOST) != 0);
    m.LayoutChanged();

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hwndParent = parent;
    cs.hMenu = idOrMenu;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = style;
    cs.lpszName = windowName.c_str();
    cs.lpszClass = className.c_str();
    cs.dwExStyle = exStyle;
    if (!m.Send(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(h);
        return nullptr;
    }
    if (TWindowRecord* again = m.Alive(h)) {
        TRect rc = again->Rect;
        m.Send(h, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&rc));
        if ((again = m.Alive(h))) {
            rc.Right = std::max(rc.Right, rc.Left);
            rc.Bottom = std::max(rc.Bottom, rc.Top);
            again->Client = rc.Offsetted(-again->Rect.Left, -again->Rect.Top);
            m.LayoutChanged();
        }
    }
    if (!m.Alive(h) || m.Send(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        return nullptr;
    }
    if (!m.Alive(h))
        return nullptr;
    if (child)
        NotifyParents(h, WM_CREATE, idOrMenu, reinterpret_cast<LPARAM>(h), false);
    if (TWindowRecord* again = m.Alive(h)) {
        TPoint origin{again->Rect.Left + again->Client.Left, again->Rect.Top + again->Client.Top};
        m.Send(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(again->Client.Width(), again->Client.Height()));
        m.Send(h, WM_MOVE, 0, MAKELPARAM(origin.X, origin.Y));
    }
    if (m.Alive(h) && (style & WS_VISIBLE))
        ShowWindow(h, SW_SHOW);
    return m.Alive(h) ? h : nullptr;
}

bool DestroyWindow(HWND hwnd)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return false;
    // Owned windows go first, as the owner's end takes them along.
    if (!w->IsChild()) {
        std::vector<HWND> owned;
        for (HWND t : m.TopLevels)
            if (TWindowRecord* o = m.Find(t); o && o->Owner == hwnd)
                owned.push_back(t);
        for (HWND o : owned)
            DestroyWindow(o);
    }
    if (!(w = m.Alive(hwnd)))
        return false;
    if (w->Visible())
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!(w = m.Alive(hwnd)))
        return false;
    if (w->IsChild())
        NotifyParents(hwnd, WM_DESTROY, w->Id, reinterpret_cast<LPARAM>(hwnd), false);
    if (!m.Alive(hwnd))
        return false;
    if (m.ActiveWnd == hwnd)
        m.ActivateNextAfter(hwnd);
    if (!(w = m.Alive(hwnd)))
        return false;
    if (w->IsChild() && m.FocusWnd && (m.FocusWnd == hwnd || IsChild(hwnd, m.FocusWnd)))
        SetFocus(w->Parent);
    if (!m.Alive(hwnd))
        return false;
    DestroyTree(m, hwnd);
    return true;
}

bool IsWindow(HWND hwnd)
{
    return WM().Alive(hwnd) != nullptr;
}

// ------------------------------------------------------------- procedures

TWndProc GetWindowProc(HWND hwnd)
{
    TWindowRecord* w = WM().Find(hwnd);
    return w ? w->Proc : TWndProc();
}

TWndProc SetWindowProc(HWND hwnd, TWndProc proc)
{
    TWindowRecord* w = WM().Find(hwnd);
    if (!w)
        return TWndProc();
    TWndProc old = std::move(w->Proc);
    w->Proc = std::move(proc);
    if (!old)
        old = [](HWND h, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProc(h, msg, wp, lp); };
    return old;
}

LRESULT CallWindowProc(const TWndProc& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!proc)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return proc(hwnd, msg, wParam, lParam);
}

// --------------------------------------------------------------- long values

LONG_PTR GetWindowLong(HWND hwnd, int index)
{
    TWindowRecord* w = WM().Find(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE: return LONG_PTR(w->Style);
    case GWL_EXSTYLE: return LONG_PTR(w->ExStyle);
    case GWL_ID: return LONG_PTR(w->Id);
    case GWL_USERDATA: return w->UserData;
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->Parent : w->Owner);
    default: return 0;
    }
}

LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        DWORD& field = index == GWL_STYLE ? w->Style : w->ExStyle;
        STYLESTRUCT ss{field, DWORD(value)};
        LONG_PTR old = LONG_PTR(field);
        m.Send(hwnd, WM_STYLECHANGING, WPARAM(index), reinterpret_cast<LPARAM>(&ss));
        if (!(w = m.Alive(hwnd)))
            return old;
        DWORD& target = index == GWL_STYLE ? w->Style : w->ExStyle;
        target = ss.styleNew;
        m.LayoutChanged();
        if (index == GWL_EXSTYLE && !(ss.styleNew & WS_EX_LAYERED)) {
            w->Alpha = 255;
            w->PerPixelAlpha = false;
        }
        m.Send(hwnd, WM_STYLECHANGED, WPARAM(index), reinterpret_cast<LPARAM>(&ss));
        return old;
    }
    case GWL_ID: {
        LONG_PTR old = LONG_PTR(w->Id);
        w->Id = UINT_PTR(value);
        return old;
    }
    case GWL_USERDATA: {
        LONG_PTR old = w->UserData;
        w->UserData = value;
        return old;
    }
    case GWL_HWNDPARENT: {
        if (w->IsChild())
            return reinterpret_cast<LONG_PTR>(SetParent(hwnd, reinterpret_cast<HWND>(value)));
        LONG_PTR old = reinterpret_cast<LONG_PTR>(w->Owner);
        TWindowRecord* owner = m.Alive(reinterpret_cast<HWND>(value));
        TWindowRecord* root = m.TopLevelOf(owner);
        // An owner chain never loops back to the window itself.
        for (TWindowRecord* o = root; o; o = m.Find(o->Owner))
            if (o == w)
                return 0;
        w->Owner = root ? root->Handle : nullptr;
        return old;
    }
    default:
        return 0;
    }
}

// ----------------------------------------------------------- tree, z-order

HWND GetParent(HWND hwnd)
{
    TWindowRecord* w = WM().Find(hwnd);
    if (!w)
        return nullptr;
    return w->IsChild() ? w->Parent : w->Owner;
}

HWND SetParent(HWND child, HWND newParent)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(child);
    TWindowRecord* p = m.Alive(newParent);
    if (!w || !w->IsChild() || !p || IsChild(child, newParent) || child == newParent)
        return nullptr;
    HWND old = w->Parent;
    if (old == newParent)
        return old;
    bool visible = w->Visible();
    if (visible)
        SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!(w = m.Alive(child)) || !(p = m.Alive(newParent)))
        return nullptr;
    if (TWindowRecord* op = m.Find(old))
        std::erase(op->Children, child);
    w->Parent = newParent;
    p->Children.insert(p->Children.begin(), child);
    m.LayoutChanged();
    if (visible)
        SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    if (!w)
        return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->IsChild() ? w->Parent : nullptr;
    case GA_ROOT: {
        TWindowRecord* top = m.TopLevelOf(w);
        return top ? top->Handle : nullptr;
    }
    case GA_ROOTOWNER: {
        TWindowRecord* top = m.TopLevelOf(w);
        while (top && top->Owner)
            top = m.Find(top->Owner);
        return top ? top->Handle : nullptr;
    }
    default:
        return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    if (!w)
        return nullptr;
    if (cmd == GW_OWNER)
        return w->IsChild() ? nullptr : w->Owner;
    if (cmd == GW_CHILD)
        return w->Children.empty() ? nullptr : w->Children.front();
    auto& list = m.SiblingList(w);
    auto it = std::find(list.begin(), list.end(), hwnd);
    switch (cmd) {
    case GW_HWNDFIRST: return list.empty() ? nullptr : list.front();
    case GW_HWNDLAST: return list.empty() ? nullptr : list.back();
    case GW_HWNDNEXT: return (it == list.end() || it + 1 == list.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == list.end() || it == list.begin()) ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND parent)
{
    auto& m = WM();
    if (!parent)
        return m.TopLevels.empty() ? nullptr : m.TopLevels.front();
    TWindowRecord* w = m.Find(parent);
    return w && !w->Children.empty() ? w->Children.front() : nullptr;
}

bool IsChild(HWND parent, HWND hwnd)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    while (w && w->IsChild()) {
        if (w->Parent == parent)
            return true;
        w = m.Find(w->Parent);
    }
    return false;
}

std::vector<HWND> ChildWindows(HWND parent)
{
    TWindowRecord* w = WM().Find(parent);
    return w ? w->Children : std::vector<HWND>();
}

std::vector<HWND> TopLevelWindows()
{
    return WM().TopLevels;
}

void SetTaskbarWindow(HWND hwnd)
{
    WM().TaskbarWnd = hwnd;
}

bool HasTaskbarEntry(HWND hwnd)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    if (!w || w->IsChild())
        return false;
    if (w->ExStyle & WS_EX_APPWINDOW)
        return true;
    if (w->Owner || (w->ExStyle & WS_EX_TOOLWINDOW))
        return false;
    return !m.Alive(m.TaskbarWnd) || m.TaskbarWnd == hwnd;
}

HWND FindWindowEx(HWND parent, HWND childAfter, const std::string& className, const std::string& windowName)
{
    auto& m = WM();
    std::vector<HWND> list = parent ? ChildWindows(parent) : m.TopLevels;
    auto it = list.begin();
    if (childAfter) {
        it = std::find(list.begin(), list.end(), childAfter);
        if (it == list.end())
            return nullptr;
        ++it;
    }
    std::string wanted = ClassKey(className);
    for (; it != list.end(); ++it) {
        TWindowRecord* w = m.Alive(*it);
        if (!w)
            continue;
        if (!wanted.empty() && ClassKey(w->Class->Name) != wanted)
            continue;
        if (!windowName.empty() && w->Text != windowName)
            continue;
        return *it;
    }
    return nullptr;
}

bool BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// ------------------------------------------------------------------ state

bool IsWindowVisible(HWND hwnd)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    while (w) {
        if (!w->Visible())
            return false;
        if (!w->IsChild())
            return true;
        w = m.Find(w->Parent);
    }
    return false;
}

static bool Contains(TWindowManager& m, HWND root, HWND h)
{
    return h && (h == root || IsChild(root, h)) && m.Find(h);
}

bool EnableWindow(HWND hwnd, bool enable)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return false;
    bool wasDisabled = !w->Enabled();
    if (enable == !wasDisabled)
        return wasDisabled;
    if (!enable) {
        if (Contains(m, hwnd, m.CaptureWnd))
            m.Send(m.CaptureWnd, WM_CANCELMODE);
        if (Contains(m, hwnd, m.FocusWnd))
            SetFocus(nullptr);
        if (!(w = m.Alive(hwnd)))
            return wasDisabled;
        w->Style |= WS_DISABLED;
    } else {
        w->Style &= ~WS_DISABLED;
    }
    m.Send(hwnd, WM_ENABLE, enable ? 1 : 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd)
{
    TWindowRecord* w = WM().Alive(hwnd);
    return w && w->Enabled();
}

bool IsIconic(HWND hwnd)
{
    TWindowRecord* w = WM().Alive(hwnd);
    return w && w->Minimized;
}

bool IsZoomed(HWND hwnd)
{
    TWindowRecord* w = WM().Alive(hwnd);
    return w && w->Maximized;
}

// ------------------------------------------------------------------- text

bool SetWindowText(HWND hwnd, const std::string& text)
{
    if (!WM().Alive(hwnd))
        return false;
    return WM().Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

int GetWindowTextLength(HWND hwnd)
{
    return int(WM().Send(hwnd, WM_GETTEXTLENGTH));
}

std::string GetWindowText(HWND hwnd)
{
    int length = GetWindowTextLength(hwnd);
    if (length <= 0)
        return std::string();
    std::string buffer(size_t(length) + 1, '\0');
    LRESULT copied = WM().Send(hwnd, WM_GETTEXT, WPARAM(buffer.size()), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(size_t(std::clamp<LRESULT>(copied, 0, length)));
    return buffer;
}

// --------------------------------------------------------------- geometry

bool GetWindowRect(HWND hwnd, TRect& rect)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    if (!w)
        return false;
    TPoint o = m.ScreenOrigin(w);
    rect = Bounds(o.X, o.Y, w->Width(), w->Height());
    return true;
}

bool GetClientRect(HWND hwnd, TRect& rect)
{
    TWindowRecord* w = WM().Find(hwnd);
    if (!w)
        return false;
    rect = Bounds(0, 0, w->Client.Width(), w->Client.Height());
    return true;
}

TRect WindowToClientOffset(HWND hwnd)
{
    TWindowRecord* w = WM().Find(hwnd);
    return w ? w->Client : TRect{};
}

bool ClientToScreen(HWND hwnd, TPoint& point)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    if (!w)
        return false;
    TPoint o = m.ClientScreenOrigin(w);
    point.X += o.X;
    point.Y += o.Y;
    return true;
}

bool ScreenToClient(HWND hwnd, TPoint& point)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    if (!w)
        return false;
    TPoint o = m.ClientScreenOrigin(w);
    point.X -= o.X;
    point.Y -= o.Y;
    return true;
}

int MapWindowPoints(HWND from, HWND to, TPoint* points, int count)
{
    auto& m = WM();
    TPoint a{0, 0}, b{0, 0};
    if (TWindowRecord* w = m.Find(from))
        a = m.ClientScreenOrigin(w);
    if (TWindowRecord* w = m.Find(to))
        b = m.ClientScreenOrigin(w);
    int dx = a.X - b.X, dy = a.Y - b.Y;
    for (int i = 0; i < count; ++i) {
        points[i].X += dx;
        points[i].Y += dy;
    }
    return MAKELPARAM(dx, dy);
}

HWND ChildWindowFromPoint(HWND parent, TPoint clientPoint)
{
    auto& m = WM();
    TWindowRecord* p = m.Find(parent);
    if (!p)
        return nullptr;
    if (!Bounds(0, 0, p->Client.Width(), p->Client.Height()).Contains(clientPoint))
        return nullptr;
    for (HWND ch : p->Children) {
        TWindowRecord* c = m.Find(ch);
        if (!c || !c->Visible() || !c->Rect.Contains(clientPoint))
            continue;
        if (c->Shape && !c->Shape->Contains(TPoint{clientPoint.X - c->Rect.Left, clientPoint.Y - c->Rect.Top}))
            continue;
        return ch;
    }
    return parent;
}

HWND WindowFromPoint(TPoint screen)
{
    int hit = HTNOWHERE;
    return WM().HitWindow(screen, hit);
}

// ---------------------------------------------------------------- regions

int SetWindowRgn(HWND hwnd, HRGN region, bool redraw)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return 0;
    std::unique_ptr<TRegion> owned(region);
    TRegion oldArea(Bounds(0, 0, w->Width(), w->Height()));
    if (w->Shape)
        oldArea = oldArea.Intersect(*w->Shape);
    w->Shape = std::move(owned);
    m.LayoutChanged();
    if (w->IsChild() && w->Visible() && redraw) {
        if (TWindowRecord* p = m.Find(w->Parent)) {
            TRegion exposed = oldArea.Offsetted(w->Rect.Left, w->Rect.Top);
            m.InvalidateExposed(p, exposed);
        }
    }
    if (redraw && w->Visible()) {
        w->NcPending = true;
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (!w->IsChild() && w->Visible())
        m.MarkDirty(w, TRegion(Bounds(0, 0, w->Width(), w->Height())));
    return 1;
}

int GetWindowRgn(HWND hwnd, TRegion& region)
{
    TWindowRecord* w = WM().Find(hwnd);
    if (!w || !w->Shape)
        return rkError;
    region = *w->Shape;
    return RegionKind(region);
}
