#include "skin/menus/SkinHint.h"

#include <algorithm>
#include <optional>

#include "platform/core/Clock.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Input.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Forms.h"
#include "skin/controls/ControlPaint.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/MonitorRects.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"

namespace {

const TBitmap* HintPicture(const TbsSkinData* SD)
{
    return SD && SD->HintWindow ? SD->ActivePicture(SD->HintWindow->WindowPictureIndex) : nullptr;
}

TSize TextSize(TCanvas& C, const std::string& Text, unsigned Flags = 0)
{
    TRect r{0, 0, 0, 0};
    DrawSkinText(C, Text, r, Flags | DT_CALCRECT);
    return TSize{r.Width(), r.Height()};
}

// The work area a hint stays in: that of the active form, else of the
// visible main form, else the whole screen.
TRect HintWorkArea()
{
    TCustomForm* f = Screen->ActiveForm();
    if (!f || !f->HandleAllocated()) {
        f = Application->MainForm();
        if (f && (!f->Visible() || !f->HandleAllocated()))
            f = nullptr;
    }
    TRect r{0, 0, Screen->Width(), Screen->Height()};
    if (f)
        GetWindowMonitorRect(f->Handle(), true, r);
    return r;
}

// The component whose AppShowHint the application calls.
TbsSkinHint* InstalledShowHint = nullptr;

}  // namespace

// ------------------------------------------------------------ TbsSkinHintWindow

TbsSkinHintWindow::TbsSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TbsSkinHintWindow::CreateParams(TCreateParams& Params)
{
    THintWindow::CreateParams(Params);
    Params.Style &= ~DWORD(WS_BORDER);
    if (IsWindowsXPOrLater())
        Params.WindowClassStyle |= CS_DROPSHADOW;
}

void TbsSkinHintWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCPAINT:
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        THintWindow::WndProc(Message);
    }
}

TbsSkinHint* TbsSkinHintWindow::FindSkinHint()
{
    TCustomForm* main = Application->MainForm();
    if (!main)
        return nullptr;
    for (int i = 0; i < main->ComponentCount(); ++i)
        if (auto* h = dynamic_cast<TbsSkinHint*>(main->Components(i)); h && h->Active())
            return h;
    return nullptr;
}

bool TbsSkinHintWindow::Skinned() const { return FSD != nullptr; }

void TbsSkinHintWindow::SetCanvasFont(TCanvas& C) const
{
    const TbsDataSkinHintWindow* d = Skinned() ? FSD->HintWindow.get() : nullptr;
    const TbsSkinData* charsetSkin = FspHint->SkinData();
    bool skinFont = d && FspHint->UseSkinFont;
    ApplyControlFont(C, charsetSkin, skinFont, skinFont ? d->FontName : "", skinFont ? d->FontHeight : 0,
                     skinFont ? d->FontStyle : 0, FspHint->DefaultFont());
}

// Keeps the skin's corners from crossing and moves its points to size S.
void TbsSkinHintWindow::FitCorners(TSize& S)
{
    const TbsDataSkinHintWindow& d = *FSD->HintWindow;
    const TBitmap* pic = HintPicture(FSD);
    const int picW = pic->Width(), picH = pic->Height();
    int dW = S.cx - picW, dH = S.cy - picH;
    if (d.RTPoint.X + dW < d.LTPoint.X) {
        S.cx += d.LTPoint.X - (d.RTPoint.X + dW);
        dW = S.cx - picW;
    }
    if (d.RBPoint.X + dW < d.LBPoint.X) {
        S.cx += d.LBPoint.X - (d.RBPoint.X + dW);
        dW = S.cx - picW;
    }
    if (d.LBPoint.Y + dH < d.LTPoint.Y) {
        S.cy += d.LTPoint.Y - (d.LBPoint.Y + dH);
        dH = S.cy - picH;
    }
    if (d.RBPoint.Y + dH < d.RTPoint.Y) {
        S.cy += d.RTPoint.Y - (d.RBPoint.Y + dH);
        dH = S.cy - picH;
    }
    NewClRect = TRect{d.ClRect.Left, d.ClRect.Top, d.ClRect.Right + dW, d.ClRect.Bottom + dH};
    NewLTPoint = d.LTPoint;
    NewRTPoint = TPoint{d.RTPoint.X + dW, d.RTPoint.Y};
    NewLBPoint = TPoint{d.LBPoint.X, d.LBPoint.Y + dH};
    NewRBPoint = TPoint{d.RBPoint.X + dW, d.RBPoint.Y + dH};
}

TSize TbsSkinHintWindow::CalcHintSize(const std::string& Text)
{
    TBitmap m(1, 1);
    SetCanvasFont(*m.Canvas());
    TSize s = TextSize(*m.Canvas(), Text);
    if (!Skinned())
        return TSize{s.cx + 4, s.cy + 4};
    const TbsDataSkinHintWindow& d = *FSD->HintWindow;
    const TBitmap* pic = HintPicture(FSD);
    s.cx += d.ClRect.Left + (pic->Width() - d.ClRect.Right) + 5;
    s.cy += d.ClRect.Top + (pic->Height() - d.ClRect.Bottom);
    FitCorners(s);
    return s;
}

TSize TbsSkinHintWindow::CalcHintExSize(const std::string& Text)
{
    TBitmap m(1, 1);
    SetCanvasFont(*m.Canvas());
    TSize s = TextSize(*m.Canvas(), Text);
    int th = 0;
    if (!FspHint->FHintTitle.empty()) {
        TSize t = TextSize(*m.Canvas(), FspHint->FHintTitle);
        s.cy += t.cy + 10;
        s.cx = std::max(s.cx, t.cx);
        th = t.cy;
    }
    TImageList* il = FspHint->FHintImageList;
    if (il && FspHint->FHintImageIndex >= 0 && FspHint->FHintImageIndex < il->Count()) {
        s.cx += il->Width() + 10;
        s.cy = std::max(s.cy, il->Height() + th + 5);
    }
    if (!Skinned())
        return TSize{s.cx + 4, s.cy + 4};
    const TbsDataSkinHintWindow& d = *FSD->HintWindow;
    const TBitmap* pic = HintPicture(FSD);
    s.cx += 10 + d.ClRect.Left + (pic->Width() - d.ClRect.Right);
    s.cy += d.ClRect.Top + (pic->Height() - d.ClRect.Bottom);
    FitCorners(s);
    return s;
}

TRect TbsSkinHintWindow::CalcHintRect(int /*MaxWidth*/, const std::string& AHint)
{
    FspHint = FindSkinHint();
    if (!FspHint)
        return THintWindow::CalcHintRect(0, AHint);
    FSD = FspHint->SkinData() && !FspHint->SkinData()->Empty && HintPicture(FspHint->SkinData()) ? FspHint->SkinData()
                                                                                                   : nullptr;
    TSize s = CalcHintSize(FspHint->ReplaceLineSeparators(AHint));
    return TRect{0, 0, s.cx, s.cy};
}

void TbsSkinHintWindow::ActivateHint(TRect Rect, const std::string& AHint)
{
    TbsSkinHint* h = FindSkinHint();
    if (h && (!h->FHintTitle.empty() || h->FHintImageList)) {
        ActivateHintEx(Rect, h->FHintTitle, AHint, h->FHintImageIndex, h->FHintImageList);
        return;
    }
    AExtendedStyle = false;
    Activate(Rect, AHint, TPlace::AtPoint);
}

void TbsSkinHintWindow::ActivateHintEx(TRect Rect, const std::string& AHintTitle, const std::string& AHint,
                                       int AImageIndex, TImageList* AImageList)
{
    AExtendedStyle = true;
    if (TbsSkinHint* h = FindSkinHint()) {
        h->FHintTitle = AHintTitle;
        h->FHintImageIndex = AImageIndex;
        h->FHintImageList = AImageList;
    }
    Activate(Rect, AHint, TPlace::AtPoint);
}

void TbsSkinHintWindow::ActivateHintFromRect(TRect ARect, const std::string& AHint, bool ATop)
{
    AExtendedStyle = false;
    Activate(ARect, AHint, ATop ? TPlace::AboveRect : TPlace::BelowRect);
}

void TbsSkinHintWindow::Activate(const TRect& Rect, const std::string& AHint, TPlace Place)
{
    FspHint = FindSkinHint();
    if (!FspHint)
        return;
    TbsSkinData* sd = FspHint->SkinData();
    FSD = sd && !sd->Empty && HintPicture(sd) ? sd : nullptr;
    const std::string text = FspHint->ReplaceLineSeparators(AHint);
    SetCaption(text);
    TSize s = AExtendedStyle ? CalcHintExSize(text) : CalcHintSize(text);
    const int w = s.cx, h = s.cy;
    int x = Rect.Left, y = Rect.Top;
    if (Place != TPlace::AtPoint) {
        x = (Rect.Left + Rect.Right) / 2 - w / 2;
        y = Place == TPlace::AboveRect ? Rect.Top - h : Rect.Bottom;
    }
    const TRect wa = HintWorkArea();
    if (x + w > wa.Right)
        x -= w + 2;
    if (y + h > wa.Bottom)
        y -= h + 2;
    SetBounds(x, y, w, h);
    HWND handle = Handle();

    const bool layered = CanUseLayeredWindows();
    const int value = FspHint->AlphaBlendValue;
    const bool fade = layered && FspHint->AlphaBlend && FspHint->AlphaBlendAnimation;
    if (layered) {
        LONG_PTR ex = GetWindowLong(handle, GWL_EXSTYLE);
        if (FspHint->AlphaBlend && !FOldAlphaBlend)
            SetWindowLong(handle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        else if (!FspHint->AlphaBlend && FOldAlphaBlend)
            SetWindowLong(handle, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
        FOldAlphaBlend = FspHint->AlphaBlend;
        if (fade)
            SetLayeredWindowAlpha(handle, 0);
        if (FspHint->AlphaBlend && value != FOldAlphaBlendValue) {
            if (!fade)
                SetLayeredWindowAlpha(handle, std::uint8_t(value));
            FOldAlphaBlendValue = std::uint8_t(value);
        }
    }
    SetHintWindowRegion();
    SetWindowPos(handle, HWND_TOPMOST, x, y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    FVisible = true;
    Invalidate();
    if (fade)
        FadeInLayeredWindow(handle, value, std::max(1, value / 15), 3);
}

void TbsSkinHintWindow::SetHintWindowRegion()
{
    const TbsDataSkinHintWindow* d = Skinned() ? FSD->HintWindow.get() : nullptr;
    const TBitmap* mask = d && d->MaskPictureIndex != -1 ? FSD->ActivePicture(d->MaskPictureIndex) : nullptr;
    if (!mask) {
        SetWindowRgn(Handle(), nullptr, false);
        return;
    }
    TbsSkinGeometry g{d->LTPoint, d->RTPoint, d->LBPoint, d->RBPoint, d->ClRect,
                      NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect};
    std::optional<TRegion> rgn;
    CreateSkinRegion(rgn, g, *mask, Width(), Height());
    SetWindowRgn(Handle(), rgn ? new TRegion(*rgn) : nullptr, false);
}

void TbsSkinHintWindow::HideWindow()
{
    FVisible = false;
    if (HandleAllocated())
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
}

void TbsSkinHintWindow::Paint()
{
    if (!FspHint)
        return;
    if (FSD && FSD != FspHint->SkinData())
        FSD = nullptr;   // the skin went away since the hint was shown
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap buffer;
    buffer.SetSize(w, h, false);
    TCanvas& c = *buffer.Canvas();
    const TbsDataSkinHintWindow* d = Skinned() ? FSD->HintWindow.get() : nullptr;
    if (d) {
        const TBitmap& pic = *HintPicture(FSD);
        TbsSkinGeometry g{d->LTPoint, d->RTPoint, d->LBPoint, d->RBPoint, d->ClRect,
                          NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect};
        CreateWindowSkinImage(g, buffer, pic, TRect{0, 0, pic.Width(), pic.Height()}, w, h, true, d->LeftStretch,
                              d->TopStretch, d->RightStretch, d->BottomStretch, d->StretchEffect, d->StretchType);
    } else {
        DrawPlainFace(c, TRect{0, 0, w, h}, clBtnShadow, clInfoBk);
    }
    if (AExtendedStyle) {
        PaintHintEx(c, w, h);
    } else {
        SetCanvasFont(c);
        c.Brush().SetStyle(bsClear);
        if (d) {
            c.Font().SetColor(d->FontColor);
            TSize s = TextSize(c, Caption());
            TRect r{NewClRect.Left + (NewClRect.Width() - s.cx) / 2, NewClRect.Top + (NewClRect.Height() - s.cy) / 2,
                    0, 0};
            r.Right = r.Left + s.cx;
            r.Bottom = r.Top + s.cy;
            DrawSkinText(c, Caption(), r, 0);
        } else {
            c.Font().SetColor(clInfoText);
            TRect r{2, 2, w - 2, h - 2};
            DrawSkinText(c, Caption(), r, 0);
        }
    }
    Canvas().Draw(0, 0, buffer);
}

void TbsSkinHintWindow::PaintHintEx(TCanvas& C, int W, int H)
{
    const TbsDataSkinHintWindow* d = Skinned() ? FSD->HintWindow.get() : nullptr;
    SetCanvasFont(C);
    C.Brush().SetStyle(bsClear);
    C.Font().SetColor(d ? d->FontColor : clInfoText);
    const TRect area = d ? NewClRect : TRect{2, 2, W - 2, H - 2};
    const int x0 = d ? area.Left + 5 : area.Left;
    int a = 0;
    const std::string& title = FspHint->FHintTitle;
    if (!title.empty()) {
        TFontStyles old = C.Font().Style();
        C.Font().SetStyle(TFontStyles(fsBold));
        TSize t = TextSize(C, title);
        TRect tr{x0, area.Top, x0 + t.cx, area.Top + t.cy};
        DrawSkinText(C, title, tr, 0);
        C.Font().SetStyle(old);
        a = t.cy + 5;
    }
    int textX = x0;
    TImageList* il = FspHint->FHintImageList;
    const int index = FspHint->FHintImageIndex;
    if (il && index >= 0 && index < il->Count()) {
        int iy = a ? area.Top + a : area.Top + (area.Height() - il->Height()) / 2;
        il->Draw(C, x0, iy, index);
        textX = x0 + il->Width() + (d ? 5 : 7);
    }
    TSize s = TextSize(C, Caption());
    int ty = a ? area.Top + a : area.Top + (area.Height() - s.cy) / 2;
    TRect r{textX, ty, std::max(textX + s.cx, area.Right), ty + s.cy};
    DrawSkinText(C, Caption(), r, 0);
}

// ------------------------------------------------------------ TbsSkinHint

TbsSkinHint::TbsSkinHint(TComponent* AOwner) : TComponent(AOwner)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
    HW = new TbsSkinHintWindow(this);
    HintTimer = new TTimer(this);
    HintTimer->SetEnabled(false);
    HintTimer->OnTimer = [this](TObject*) { HintTimerProc(); };
    if (ComponentState().Contains(csDesigning))
        return;
    Application->HintWindowClass = [](TComponent* Owner) -> THintWindow* { return new TbsSkinHintWindow(Owner); };
    // The application makes its hint window anew of the new class.
    bool show = Application->ShowHint();
    Application->SetShowHint(false);
    if (THintWindow* old = Application->HintWindow(); old && !dynamic_cast<TbsSkinHintWindow*>(old))
        delete old;
    Application->SetShowHint(show);
    InstallShowHint();
    Application->SetHintShortPause(100);
}

TbsSkinHint::~TbsSkinHint()
{
    if (HintTimer)
        HintTimer->SetEnabled(false);
    if (InstalledShowHint == this) {
        Application->OnShowHint = nullptr;
        InstalledShowHint = nullptr;
    }
    // The application's hint window outlives the component that set it up.
    if (auto* w = dynamic_cast<TbsSkinHintWindow*>(Application->HintWindow()); w && w->FspHint == this) {
        w->HideWindow();
        w->FspHint = nullptr;
        w->FSD = nullptr;
    }
}

void TbsSkinHint::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (FSD.Drop(AComponent, Operation) || Operation != opRemove)
        return;
    if (AComponent == HW)
        HW = nullptr;
    if (AComponent == HintTimer)
        HintTimer = nullptr;
}

void TbsSkinHint::SetSkinData(TbsSkinData* Value) { FSD.Set(Value); }

void TbsSkinHint::SetActive(bool Value)
{
    FActive = Value;
    if (Value && Application->MainForm()) {
        TCustomForm* main = Application->MainForm();
        for (int i = 0; i < main->ComponentCount(); ++i)
            if (auto* h = dynamic_cast<TbsSkinHint*>(main->Components(i)); h && h != this && h->Active())
                h->FActive = false;
    }
    if (Value && !ComponentState().Contains(csDesigning))
        InstallShowHint();
}

void TbsSkinHint::InstallShowHint()
{
    Application->OnShowHint = [this](std::string& S, bool& CanShow, THintInfo& Info) { AppShowHint(S, CanShow, Info); };
    InstalledShowHint = this;
}

std::string TbsSkinHint::ReplaceLineSeparators(const std::string& Text) const
{
    if (FLineSeparator.empty())
        return Text;
    std::string out;
    out.reserve(Text.size());
    size_t from = 0;
    for (size_t at = Text.find(FLineSeparator); at != std::string::npos; at = Text.find(FLineSeparator, from)) {
        out.append(Text, from, at - from);
        out += '\n';
        from = at + FLineSeparator.size();
    }
    out.append(Text, from, std::string::npos);
    return out;
}

void TbsSkinHint::AppShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)
{
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
    if (auto* c = dynamic_cast<TbsSkinControl*>(HintInfo.HintControl)) {
        FHintTitle = c->HintTitle;
        FHintImageIndex = c->HintImageIndex;
        FHintImageList = c->HintImageList;
    } else if (auto* g = dynamic_cast<TbsGraphicSkinControl*>(HintInfo.HintControl)) {
        FHintTitle = g->HintTitle;
        FHintImageIndex = g->HintImageIndex;
        FHintImageList = g->HintImageList;
    }
    if (OnShowHint)
        OnShowHint(HintStr, CanShow, HintInfo);
}

void TbsSkinHint::ActivateHint(TPoint P, const std::string& AHint)
{
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
    if (HW)
        HW->ActivateHint(TRect{P.X, P.Y, P.X, P.Y}, AHint);
}

void TbsSkinHint::ActivateHintEx(TPoint P, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                                 TImageList* AImageList)
{
    FHintTitle = AHintTitle;
    FHintImageIndex = AImageIndex;
    FHintImageList = AImageList;
    if (HW)
        HW->ActivateHintEx(TRect{P.X, P.Y, P.X, P.Y}, AHintTitle, AHint, AImageIndex, AImageList);
}

// One timer serves the pending hint: it waits the application's pause,
// shows the hint, then waits the hide pause and hides it.
void TbsSkinHint::StartHintTimer(TPending Kind)
{
    if (!HintTimer)
        return;
    FKind = Kind;
    FStage = 1;
    HintTimer->SetEnabled(false);
    HintTimer->SetInterval(unsigned(std::max(1, Application->HintPause())));
    HintTimer->SetEnabled(true);
}

void TbsSkinHint::HintTimerProc()
{
    HintTimer->SetEnabled(false);
    if (FStage != 1 || !HW) {
        HideHint();
        return;
    }
    TPoint p;
    GetCursorPos(p);
    p.Y += GetCursorHeightMargin();
    switch (FKind) {
    case TPending::Cursor: HW->ActivateHint(TRect{p.X, p.Y, p.X, p.Y}, HintText); break;
    case TPending::CursorEx:
        HW->ActivateHintEx(TRect{p.X, p.Y, p.X, p.Y}, FHintTitle, HintText, FHintImageIndex, FHintImageList);
        break;
    case TPending::Rect: HW->ActivateHintFromRect(FromRect, HintText, Top); break;
    }
    FStage = 2;
    HintTimer->SetInterval(unsigned(std::max(1, Application->HintHidePause())));
    HintTimer->SetEnabled(true);
}

void TbsSkinHint::ActivateHint2(const std::string& AHint)
{
    HintText = AHint;
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
    StartHintTimer(TPending::Cursor);
}

void TbsSkinHint::ActivateHint3(const TRect& AFromRect, const std::string& AHint, bool ATop)
{
    HintText = AHint;
    FromRect = AFromRect;
    Top = ATop;
    FHintTitle.clear();
    FHintImageIndex = 0;
    FHintImageList = nullptr;
    StartHintTimer(TPending::Rect);
}

void TbsSkinHint::ActivateHintEx2(const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                                  TImageList* AImageList)
{
    HintText = AHint;
    FHintTitle = AHintTitle;
    FHintImageIndex = AImageIndex;
    FHintImageList = AImageList;
    StartHintTimer(TPending::CursorEx);
}

void TbsSkinHint::HideHint()
{
    FStage = 0;
    if (HintTimer)
        HintTimer->SetEnabled(false);
    if (HW && HW->Visible()) {
        HW->HideWindow();
        FHintTitle.clear();
        FHintImageIndex = 0;
        FHintImageList = nullptr;
    }
}

bool TbsSkinHint::IsVisible() const { return HW && HW->Visible(); }

// No back end reports the cursor's picture: the visible part of the usual
// arrow reaches about this far below its hot spot.
int TbsSkinHint::GetCursorHeightMargin() const { return 20; }
