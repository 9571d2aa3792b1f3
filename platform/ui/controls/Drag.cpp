#include <cstdlib>
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/forms/Application.h"

// One drag at a time, as there is one mouse: its source, the control it is
// over, and whether it has begun (a drag waits for the mouse to move its
// threshold first unless started at once).
namespace {

constexpr int DefaultDragThreshold = 5;

struct TDragSession {
    TControl* Source = nullptr;
    TControl* Target = nullptr;   // the control the mouse is over
    bool TargetAccepts = false;
    bool Started = false;
    TPoint Start;                 // screen point of the press
    int Threshold = DefaultDragThreshold;
    TDragObject* Object = nullptr;
    bool Dock = false;            // the source moves itself (DragKind dkDock)
    TDragDockObject OwnObject;    // used unless a start handler gives one
    TCursor SavedCursor = crDefault;
};

TDragSession& Session()
{
    static TDragSession s;
    return s;
}

TPoint CursorScreenPoint()
{
    TPoint p;
    GetCursorPos(p);
    return p;
}

// The dock site under a screen point: the nearest windowed control with
// DockSite on that is neither the source nor inside it.
TWinControl* FindDockSite(TPoint screen, TControl* source)
{
    TControl* c = FindDragTarget(screen, false);
    TWinControl* w = dynamic_cast<TWinControl*>(c);
    if (!w && c)
        w = c->Parent();
    for (; w; w = w->Parent()) {
        bool inside = false;
        for (TControl* p = w; p; p = p->Parent())
            inside = inside || p == source;
        if (!inside && w->DockSite())
            return w;
    }
    return nullptr;
}

}  // namespace

// Asks the control the mouse is over whether it takes what is dragged.
void TControl::AskDragTarget(TControl* over, TPoint screen, TDragState state, bool& accept)
{
    TDragSession& s = Session();
    const TPoint p = over->ScreenToClient(screen);
    if (!s.Dock) {
        over->DragOver(s.Source, p.X, p.Y, state, accept);
        return;
    }
    auto* d = static_cast<TDragDockObject*>(s.Object);
    d->DockRect = Bounds(screen.X, screen.Y, s.Source->Width(), s.Source->Height());
    static_cast<TWinControl*>(over)->DockOver(d, p.X, p.Y, state, accept);
}

void ForgetDragControl(TControl* c)
{
    TDragSession& s = Session();
    if (s.Target == c) {
        s.Target = nullptr;
        s.TargetAccepts = false;
    }
    if (s.Source == c) {
        if (s.Started)
            Screen->SetCursor(s.SavedCursor);
        s = TDragSession{};
    }
}

bool TControl::Dragging() const { return Session().Source == this; }

void TControl::BeginDrag(bool Immediate, int Threshold)
{
    TDragSession& s = Session();
    if (s.Source)
        return;   // a drag under way finishes first
    s = TDragSession{};
    s.Source = this;
    s.Start = CursorScreenPoint();
    s.Threshold = Threshold < 0 ? DefaultDragThreshold : Threshold;
    SetCaptureControl(this);
    if (!Immediate)
        return;
    StartDragSession();
    Screen->SetCursor(crNoDrop);
}

void TControl::EndDrag(bool Drop)
{
    TDragSession& s = Session();
    if (s.Source != this)
        return;
    const TPoint screen = CursorScreenPoint();
    TControl* target = s.Started && Drop && s.TargetAccepts ? s.Target : nullptr;
    const bool started = s.Started;
    const bool dock = s.Dock;
    const TCursor saved = s.SavedCursor;
    TControl* over = s.Target;
    TDragDockObject dockObject;
    if (dock && s.Object)
        dockObject = *static_cast<TDragDockObject*>(s.Object);
    s = TDragSession{};
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
    if (!started)
        return;   // the mouse never moved far enough: no drag took place
    Screen->SetCursor(saved);
    if (over && over != target) {
        bool ignored = false;
        const TPoint p = over->ScreenToClient(screen);
        if (dock)
            static_cast<TWinControl*>(over)->DockOver(&dockObject, p.X, p.Y, dsDragLeave, ignored);
        else
            over->DragOver(this, p.X, p.Y, dsDragLeave, ignored);
    }
    if (target) {
        const TPoint p = target->ScreenToClient(screen);
        if (!dock)
            target->DragDrop(this, p.X, p.Y);
        else if (ManualDock(static_cast<TWinControl*>(target), p))
            static_cast<TWinControl*>(target)->DockDrop(&dockObject, p.X, p.Y);
        else
            target = nullptr;
    }
    const TPoint own = target ? target->ScreenToClient(screen) : TPoint{0, 0};
    if (dock)
        DoEndDock(target, own.X, own.Y);
    else
        DoEndDrag(target, own.X, own.Y);
}

void TControl::StartDragSession()
{
    TDragSession& s = Session();
    s.Started = true;
    s.Dock = FDragKind == dkDock;
    s.Object = &s.OwnObject;
    s.Object->Control = this;
    if (s.Dock) {
        TDragObject* d = &s.OwnObject;
        DoStartDock(d);
        s.Object = d ? d : &s.OwnObject;
        s.Object->Control = this;
    } else {
        DoStartDrag(s.Object);
    }
    s.SavedCursor = Screen->Cursor();
}

bool TControl::ManualDock(TWinControl* NewDockSite, TPoint At)
{
    if (!NewDockSite)
        return false;
    if (FParent && FParent != NewDockSite && FParent->DockSite() && !FParent->DoUnDock(NewDockSite, this))
        return false;
    SetParent(NewDockSite);
    SetBounds(At.X, At.Y, FWidth, FHeight);
    return true;
}

bool TControl::DragMouseMessage(TMessage& m)
{
    TDragSession& s = Session();
    const TPoint screen = ClientToScreen(LParamToPoint(m.LParam));
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        if (!s.Started) {
            if (std::abs(screen.X - s.Start.X) < s.Threshold && std::abs(screen.Y - s.Start.Y) < s.Threshold)
                return true;
            StartDragSession();
        }
        TControl* over = s.Dock ? FindDockSite(screen, this) : FindDragTarget(screen, false);
        if (over != s.Target && s.Target) {
            bool ignored = false;
            AskDragTarget(s.Target, screen, dsDragLeave, ignored);
        }
        const TDragState state = over == s.Target ? dsDragMove : dsDragEnter;
        s.Target = over;
        s.TargetAccepts = false;
        if (over)
            AskDragTarget(over, screen, state, s.TargetAccepts);
        Screen->SetCursor(s.TargetAccepts ? FDragCursor : crNoDrop);
        return true;
    }
    case WM_LBUTTONUP:
        EndDrag(true);
        return true;
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDOWN:
        EndDrag(false);
        return true;
    default: return false;
    }
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (OnStartDrag)
        OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
    if (OnEndDrag)
        OnEndDrag(this, Target, X, Y);
}

void TControl::DoStartDock(TDragObject*& DragObject)
{
    if (!OnStartDock)
        return;
    auto* d = static_cast<TDragDockObject*>(DragObject);
    OnStartDock(this, d);
    DragObject = d;
}

void TControl::DoEndDock(TObject* Target, int X, int Y)
{
    if (OnEndDock)
        OnEndDock(this, Target, X, Y);
}

void TWinControl::DockOver(TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = true;
    if (OnDockOver)
        OnDockOver(this, Source, X, Y, State, Accept);
}

void TWinControl::DockDrop(TDragDockObject* Source, int X, int Y)
{
    if (OnDockDrop)
        OnDockDrop(this, Source, X, Y);
}

bool TWinControl::DoUnDock(TWinControl* NewTarget, TControl* Client)
{
    bool allow = true;
    if (OnUnDock)
        OnUnDock(this, Client, NewTarget, allow);
    return allow;
}
