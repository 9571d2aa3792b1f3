#include "skin/frame/FrameObjects.h"

#include "platform/gfx/Bitmap.h"
#include "platform/ui/Ui.h"
#include "skin/draw/Marks.h"
#include "skin/frame/FormFrame.h"

namespace {
TbsFrameObjectMaker& Maker()
{
    static TbsFrameObjectMaker maker = nullptr;
    return maker;
}

constexpr TColor HotFrame = TColor(0x800000);
constexpr TColor HotFill = TColor(0xD2BDB6);
constexpr TColor DownFill = TColor(0xB59385);
}  // namespace

void SetFrameObjectMaker(TbsFrameObjectMaker M) { Maker() = M; }
TbsFrameObjectMaker FrameObjectMaker() { return Maker(); }

// ------------------------------------------------------------ TbsActiveSkinObject

TbsActiveSkinObject::TbsActiveSkinObject(TbsFormFrame* AParent, TbsDataSkinObject* AData)
    : Parent(AParent), FData(AData)
{
}

void TbsActiveSkinObject::Draw(TCanvas&, bool) {}
bool TbsActiveSkinObject::PointInObject(int, int) { return true; }

void TbsActiveSkinObject::Redraw() { Parent->DrawSkinObject(this); }

void TbsActiveSkinObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    Redraw();
    Parent->DoMouseEnterEvent(IDName);
}

void TbsActiveSkinObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    Redraw();
    Parent->DoMouseLeaveEvent(IDName);
}

void TbsActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button)
{
    Parent->DoMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button)
{
    Parent->DoMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseMove(int X, int Y)
{
    Parent->DoMouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TbsActiveSkinObject::DblClick() {}

// ------------------------------------------------------------ TbsSkinButtonObject

void TbsSkinButtonObject::SetDown(bool Value)
{
    if (FDown == Value)
        return;
    FDown = Value;
    Redraw();
}

void TbsSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Enabled && Button == mbLeft && !FDown)
        SetDown(true);
    TbsActiveSkinObject::MouseDown(X, Y, Button);
}

void TbsSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (FDown && Button == mbLeft)
        SetDown(false);
    TbsActiveSkinObject::MouseUp(X, Y, Button);
}

// ------------------------------------------------------------ TbsSkinStdButtonObject

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsFormFrame* AParent, TbsDataSkinObject* AData,
                                               TbsStdCommand ACommand)
    : TbsSkinButtonObject(AParent, AData), Command(ACommand), FSkinSupport(AData != nullptr)
{
}

void TbsSkinStdButtonObject::Draw(TCanvas& Cnvs, bool)
{
    // The skinned look comes with the skinned frame's objects.
    if (!FSkinSupport)
        DefaultDraw(Cnvs);
}

void TbsSkinStdButtonObject::DefaultDraw(TCanvas& Cnvs)
{
    if (Command == cmSysMenu && Parent->ShowIcon()) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    TCanvas& c = *b.Canvas();
    bool pressed = FDown && FMouseIn;
    if (FMouseIn) {
        c.Brush().SetColor(HotFrame);
        c.FillRect(TRect{0, 0, w, h});
        c.Brush().SetColor(FDown ? DownFill : HotFill);
        c.FillRect(TRect{1, 1, w - 1, h - 1});
    } else {
        c.Brush().SetColor(clBtnFace);
        c.FillRect(TRect{0, 0, w, h});
    }
    int x = w / 2 - 5 + (pressed ? 1 : 0);
    int y = h / 2 - 4 + (pressed ? 1 : 0);
    TColor color = Enabled ? clBtnText : clBtnShadow;
    TWindowState state = Parent->WindowState();
    switch (Command) {
    case cmClose: DrawCloseGlyph(c, x, y, color); break;
    case cmMaximize:
        state == wsMaximized ? DrawRestoreGlyph(c, x, y, color) : DrawMaximizeGlyph(c, x, y, color);
        break;
    case cmMinimize:
        state == wsMinimized ? DrawRestoreGlyph(c, x, y, color) : DrawMinimizeGlyph(c, x, y, color);
        break;
    case cmSysMenu: DrawSysMenuGlyph(c, x, y, color); break;
    case cmRollUp:
        Parent->RollUpState() ? DrawRollDownGlyph(c, x, y, color) : DrawRollUpGlyph(c, x, y, color);
        break;
    case cmMinimizeToTray: DrawMinimizeToTrayGlyph(c, x, y, color); break;
    case cmDefault: break;
    }
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
}

void TbsSkinStdButtonObject::ButtonClick()
{
    switch (Command) {
    case cmClose:
        Parent->UpdateActiveObject(-1, -1, false);
        Parent->Form()->Close();
        break;
    case cmMaximize:
        Parent->UpdateActiveObject(-1, -1, false);
        Parent->SetWindowState(Parent->WindowState() == wsMaximized ? wsNormal : wsMaximized);
        break;
    case cmMinimize:
        Parent->UpdateActiveObject(-1, -1, false);
        if (Parent->AlwaysMinimizeToTray)
            Parent->MinimizeToTray();
        else
            Parent->SetWindowState(Parent->WindowState() == wsMinimized ? wsNormal : wsMinimized);
        break;
    case cmMinimizeToTray:
        Parent->UpdateActiveObject(-1, -1, false);
        Parent->MinimizeToTray();
        break;
    case cmRollUp: Parent->SetRollUpState(!Parent->RollUpState()); break;
    case cmSysMenu:
    case cmDefault: break;
    }
}

// A standard button fires no object events of its own. The system menu
// opens from its button with the skinned menus.
void TbsSkinStdButtonObject::MouseDown(int, int, TMouseButton Button)
{
    if (Enabled && Button == mbLeft && !FDown)
        SetDown(true);
}

void TbsSkinStdButtonObject::MouseUp(int, int, TMouseButton Button)
{
    bool click = Active && Button == mbLeft;
    auto release = [&] {
        if (FDown && Button == mbLeft) {
            FDown = false;
            Redraw();
        }
    };
    // Close releases first: its click may free the form with this object.
    if (Command == cmClose) {
        release();
        if (click)
            ButtonClick();
    } else {
        if (click)
            ButtonClick();
        release();
    }
}

void TbsSkinStdButtonObject::DblClick()
{
    if (Command == cmSysMenu)
        Parent->Form()->Close();
}
