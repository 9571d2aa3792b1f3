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
    TDragObject OwnObject;        // used unless a start-drag handler gives one
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

}  // namespace

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
    s.Started = true;
    s.Object = &s.OwnObject;
    s.Object->Control = this;
    DoStartDrag(s.Object);
    s.SavedCursor = Screen->Cursor();
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
    const TCursor saved = s.SavedCursor;
    TControl* over = s.Target;
    s = TDragSession{};
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
    if (!started)
        return;   // the mouse never moved far enough: no drag took place
    Screen->SetCursor(saved);
    if (over && over != target) {
        bool ignored = false;
        const TPoint p = over->ScreenToClient(screen);
        over->DragOver(this, p.X, p.Y, dsDragLeave, ignored);
    }
    if (target) {
        const TPoint p = target->ScreenToClient(screen);
        target->DragDrop(this, p.X, p.Y);
    }
    const TPoint own = target ? target->ScreenToClient(screen) : TPoint{0, 0};
    DoEndDrag(target, own.X, own.Y);
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
            s.Started = true;
            s.Object = &s.OwnObject;
            s.Object->Control = this;
            DoStartDrag(s.Object);
            s.SavedCursor = Screen->Cursor();
        }
        TControl* over = FindDragTarget(screen, false);
        if (over != s.Target && s.Target) {
            bool ignored = false;
            const TPoint p = s.Target->ScreenToClient(screen);
            s.Target->DragOver(this, p.X, p.Y, dsDragLeave, ignored);
        }
        const TDragState state = over == s.Target ? dsDragMove : dsDragEnter;
        s.Target = over;
        s.TargetAccepts = false;
        if (over) {
            const TPoint p = over->ScreenToClient(screen);
            over->DragOver(this, p.X, p.Y, state, s.TargetAccepts);
        }
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
