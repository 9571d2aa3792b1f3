#include "skin/draw/ParentImage.h"

#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/forms/Forms.h"

namespace {

// The parent's own face without its windowless children: those below the
// control are painted one by one afterwards, those above must not show.
struct TFaceAccess : TWinControl {
    using TWinControl::PaintWindow;
};

void PaintFace(TWinControl* parent, HDC dc)
{
    TSavedDC saved(dc);
    (parent->*(&TFaceAccess::PaintWindow))(dc);
}

// Sets or clears csPaintCopy for the life of a scope, also on exceptions.
class TPaintCopyScope {
public:
    explicit TPaintCopyScope(TControl* c) : FControl(c), FHad(c->ControlState().Contains(csPaintCopy))
    {
        Set(true);
    }
    ~TPaintCopyScope() { Set(FHad); }
    TPaintCopyScope(const TPaintCopyScope&) = delete;
    TPaintCopyScope& operator=(const TPaintCopyScope&) = delete;

private:
    void Set(bool on)
    {
        TControlState s = FControl->ControlState();
        if (on)
            s.Include(csPaintCopy);
        else
            s.Exclude(csPaintCopy);
        FControl->SetControlState(s);
    }
    TControl* FControl;
    bool FHad;
};

void PaintUnder(TControl* control, TPoint shift, TCanvas& canvas)
{
    if (!control || !control->Parent())
        return;
    HDC dc = canvas.Handle();
    if (!dc)
        return;
    TWinControl* parent = control->Parent();
    TPaintCopyScope copy(parent);
    {
        // The origin moves relative to the current one, so a context that
        // already carries an offset (a windowless control painted by its
        // parent) still lands right.
        TSavedDC saved(dc);
        dc->OffsetViewportOrg(-control->Left() - shift.X, -control->Top() - shift.Y);
        dc->IntersectClipRect(TRect{0, 0, parent->ClientWidth(), parent->ClientHeight()});
        auto* form = dynamic_cast<TCustomForm*>(parent);
        parent->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
        if (!form)
            PaintFace(parent, dc);
    }
    const TRect bounds = control->BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (child == control)
            break;
        if (dynamic_cast<TWinControl*>(child) || !child->Visible())
            continue;
        TRect b = child->BoundsRect();
        if (!(b.Left < bounds.Right && bounds.Left < b.Right && b.Top < bounds.Bottom && bounds.Top < b.Bottom))
            continue;
        TPaintCopyScope childCopy(child);
        TSavedDC saved(dc);
        dc->OffsetViewportOrg(b.Left - bounds.Left - shift.X, b.Top - bounds.Top - shift.Y);
        dc->IntersectClipRect(TRect{0, 0, b.Width(), b.Height()});
        child->Perform(WM_PAINT, WPARAM(dc), 0);
    }
}

} // namespace

void DrawParentImage(TControl* Control, TCanvas& Canvas)
{
    PaintUnder(Control, TPoint{0, 0}, Canvas);
}

void DrawParentImagePart(TControl* Control, const TRect& R, TCanvas& Canvas)
{
    PaintUnder(Control, TPoint{R.Left, R.Top}, Canvas);
}
