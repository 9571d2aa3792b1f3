#include "platform/ui/controls/StdCtrls.h"
#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Text.h"
#include "platform/ui/controls/ActnList.h"
#include "platform/ui/forms/Forms.h"

namespace {

void DrawEdge3D(TCanvas& c, TRect r, bool raised)
{
    c.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? cl3DDkShadow : clBtnHighlight, 1);
    if (raised)
        c.Frame3D(r, clBtnFace, clBtnShadow, 1);
}

}  // namespace

// -------------------------------------------------------------------- TButton

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csClickEvents, csCaptureMouse, csOpaque};
    FWidth = 75;
    FHeight = 25;
    SetTabStop(true);
}

void TButton::Click()
{
    if (FModalResult != 0)
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

void TButton::SetDefault(bool v)
{
    FDefault = v;
    if (TCustomForm* form = GetParentForm(); form && !(form->ActiveControl() && dynamic_cast<TButton*>(form->ActiveControl())))
        FActive = v;
    Invalidate();
}

void TButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FPressed = true;
        Invalidate();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TButton::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE) {
        Key = 0;
        Click();
    }
}

void TButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    case CM_DIALOGKEY:
        if (((m.WParam == WPARAM(VK_RETURN) && FActive) || (m.WParam == WPARAM(VK_ESCAPE) && FCancel)) &&
            KeyboardStateToShiftState().Empty() && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(char32_t(m.WParam), Caption()) && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: {
        auto* sender = reinterpret_cast<TControl*>(m.LParam);
        bool active = dynamic_cast<TButton*>(sender) ? sender == this : FDefault;
        if (active != FActive) {
            FActive = active;
            Invalidate();
        }
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        Invalidate();  // the focus rectangle comes or goes
        return;
    case CM_CANCELMODE:
    case WM_CANCELMODE:
        if (FPressed) {
            FPressed = false;
            Invalidate();
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TButton::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    if (FActive) {
        c.Brush().SetColor(cl3DDkShadow);
        c.FrameRect(r);
        r.Inflate(-1, -1);
    }
    if (FPressed) {
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(r);
    } else {
        DrawEdge3D(c, r, true);
    }
    TRect tr = ClientRect();
    if (FPressed)
        tr.Offset(1, 1);
    c.Brush().SetStyle(bsClear);
    c.Font().Assign(Font());
    c.Font().SetColor(Enabled() ? clBtnText : clGrayText);
    c.DrawText(Caption(), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        TRect f = ClientRect();
        f.Inflate(-4, -4);
        c.DrawFocusRect(f);
    }
}

// -------------------------------------------------------------------- TLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Include(csOpaque);
    FControlStyle.Include(csReplicatable);
    FWidth = 65;
    FHeight = 17;
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TCustomLabel::SetFocusControl(TWinControl* c)
{
    if (FFocusControl)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = c;
    if (c)
        c->FreeNotification(this);
}

void TCustomLabel::SetAutoSize(bool v)
{
    FAutoSize = v;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool v)
{
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment v)
{
    FAlignment = v;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v)
{
    FLayout = v;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v)
{
    FTransparent = v;
    if (v)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v)
{
    FShowAccelChar = v;
    AdjustBounds();
    Invalidate();
}

unsigned TCustomLabel::DrawTextFlags() const
{
    const unsigned align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    unsigned flags = DT_EXPANDTABS | align[FAlignment];
    if (FWordWrap)
        flags |= DT_WORDBREAK;
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    return DrawTextBiDiModeFlags(flags);
}

void TCustomLabel::DoDrawText(TRect& r, unsigned flags)
{
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&")))
        text += " ";
    TCanvas& c = Canvas();
    c.Font().Assign(Font());
    if (!Enabled()) {
        // Disabled text: a white copy one pixel down and right under a grey one.
        TRect shadow = r;
        shadow.Offset(1, 1);
        c.Font().SetColor(clBtnHighlight);
        c.DrawText(text, shadow, flags);
        c.Font().SetColor(clBtnShadow);
    }
    c.DrawText(text, r, flags);
}

void TCustomLabel::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }
    c.Brush().SetStyle(bsClear);
    unsigned flags = DrawTextFlags();
    if (FLayout != tlTop) {
        TRect calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        int h = calc.Height();
        r.Top = FLayout == tlBottom ? r.Bottom - h : r.Top + (r.Height() - h) / 2;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading())
        return;
    TBitmap measure(1, 1);
    TCanvas& c = Canvas();
    TDeviceContext* previous = c.Handle();
    c.SetHandle(measure.Canvas()->Handle());
    TRect r = ClientRect();
    if (!FWordWrap)
        r.Right = r.Left + 1;
    DoDrawText(r, DrawTextFlags() | DT_CALCRECT);
    c.SetHandle(previous);
    int left = Left();
    if (FAlignment == taRightJustify)
        left += Width() - r.Width();
    else if (FAlignment == taCenter)
        left += (Width() - r.Width()) / 2;
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::WndProc(TMessage& m)
{
    if (m.Msg == CM_DIALOGCHAR) {
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(char32_t(m.WParam), Caption()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            m.Result = 1;
        }
        return;
    }
    TGraphicControl::WndProc(m);
}

// ----------------------------------------------------------- check and radio

TCheckBox::TCheckBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csClickEvents, csCaptureMouse, csOpaque};
    FWidth = 97;
    FHeight = 17;
    SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState v)
{
    if (v == FState)
        return;
    FState = v;
    Invalidate();
    if (!IsLoading() && !FClicksDisabled)
        Click();
}

void TCheckBox::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TCustomControl::ActionChange(Sender, CheckDefaults);
    if (auto* a = dynamic_cast<TAction*>(Sender))
        if (!CheckDefaults || !Checked()) {
            FClicksDisabled = true;
            SetChecked(a->Checked());
            FClicksDisabled = false;
        }
}

void TCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE) {
        Key = 0;
        Toggle();
    }
}

void TCheckBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(char32_t(m.WParam), Caption()) && CanFocus()) {
            SetFocus();
            Toggle();
            m.Result = 1;
        }
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        Invalidate();  // the focus rectangle comes or goes
        return;
    default: TCustomControl::WndProc(m);
    }
}

void TCheckBox::PaintMark(TCanvas& c, const TRect& box, bool radio)
{
    c.Brush().SetColor(Enabled() ? clWindow : clBtnFace);
    c.Pen().SetColor(clBtnShadow);
    if (radio)
        c.Ellipse(box);
    else
        c.Rectangle(box);
    if (FState == cbUnchecked)
        return;
    TColor mark = FState == cbGrayed || !Enabled() ? clGrayText : clWindowText;
    c.Brush().SetColor(mark);
    c.Pen().SetColor(mark);
    TRect inner = box;
    inner.Inflate(-3, -3);
    if (radio) {
        c.Ellipse(inner);
    } else {
        c.MoveTo(inner.Left, inner.Top + inner.Height() / 2);
        c.LineTo(inner.Left + inner.Width() / 3, inner.Bottom - 1);
        c.LineTo(inner.Right, inner.Top - 1);
    }
}

void TCheckBox::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    int top = (r.Height() - 13) / 2;
    PaintMark(c, TRect{0, top, 13, top + 13}, false);
    PaintCaption(c);
}

void TCheckBox::PaintCaption(TCanvas& c)
{
    TRect r = ClientRect();
    TRect tr{17, 0, r.Right, r.Bottom};
    c.Brush().SetStyle(bsClear);
    c.Font().Assign(Font());
    c.Font().SetColor(Enabled() ? Font().Color() : clGrayText);
    c.DrawText(Caption(), tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        TRect f = tr;
        c.DrawText(Caption(), f, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_CALCRECT);
        f.Top = (r.Height() - f.Height()) / 2;
        f.Bottom = f.Top + c.TextHeight("Ag");
        f.Inflate(1, 0);
        c.DrawFocusRect(f);
    }
}

TRadioButton::TRadioButton(TComponent* AOwner) : TCheckBox(AOwner)
{
    FWidth = 113;
}

void TRadioButton::SetState(TCheckBoxState v)
{
    if (v == cbGrayed)
        v = cbChecked;
    if (v == State())
        return;
    if (v == cbChecked && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); other && other != this)
                other->SetState(cbUnchecked);
    // Only becoming checked is a click.
    FClicksDisabled = v == cbUnchecked;
    TCheckBox::SetState(v);
    FClicksDisabled = false;
}

void TRadioButton::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    int top = (r.Height() - 13) / 2;
    PaintMark(c, TRect{0, top, 13, top + 13}, true);
    PaintCaption(c);
}

// ------------------------------------------------------------------ TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                  csReplicatable};
    FWidth = 185;
    FHeight = 105;
}

void TGroupBox::AdjustClientRect(TRect& r)
{
    TCustomControl::AdjustClientRect(r);
    TBitmap measure(1, 1);
    measure.Canvas()->Font().Assign(Font());
    int h = measure.Canvas()->TextHeight("0");
    r.Top += h;
    r.Inflate(-1, -1);
}

void TGroupBox::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    c.Font().Assign(Font());
    int h = c.TextHeight("0");
    TRect frame{0, h / 2 - 1, r.Right, r.Bottom};
    c.Brush().SetColor(clBtnHighlight);
    c.FrameRect(frame.Offsetted(1, 1));
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(TRect{frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1});
    if (!Caption().empty()) {
        TRect tr{8, 0, 0, h};
        c.Brush().SetColor(Color());
        c.DrawText(Caption(), tr, DT_CALCRECT | DT_SINGLELINE);
        tr.Inflate(2, 0);
        c.FillRect(tr);
        c.Brush().SetStyle(bsClear);
        c.Font().SetColor(Enabled() ? Font().Color() : clGrayText);
        c.DrawText(Caption(), tr, DT_CENTER | DT_SINGLELINE);
    }
}

void TGroupBox::WndProc(TMessage& m)
{
    if (m.Msg == CM_DIALOGCHAR) {
        if (IsAccel(char32_t(m.WParam), Caption()) && CanFocus()) {
            if (TWinControl* c = FindNextControl(nullptr, true, true, false))
                c->SetFocus();
            m.Result = 1;
            return;
        }
    }
    TCustomControl::WndProc(m);
}
