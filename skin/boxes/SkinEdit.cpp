#include "skin/boxes/SkinEdit.h"
#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "skin/controls/ControlHost.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"

TbsSkinCustomEdit::TbsSkinCustomEdit(TComponent* AOwner) : TbsCustomEdit(AOwner)
{
    FControlStyle.Include(csOpaque);
    Font().SetName("Arial");
    Font().SetColor(clBlack);
    Font().SetStyle(0);
    Font().SetHeight(14);
    SetBorderStyle(bsNone);
    SetBounds(Left(), Top(), Width() > 0 ? Width() : 121, 20);
    SetEditTransparent(true);
    FDefaultFont.Assign(Font());
    FDefaultFont.OnChange = [this](TObject*) {
        if (FIndex == -1)
            Font().Assign(FDefaultFont);
    };
}

TbsSkinCustomEdit::~TbsSkinCustomEdit()
{
    FDefaultFont.OnChange = nullptr;
}

// ------------------------------------------------------------ skin

void TbsSkinCustomEdit::GetSkinData()
{
    if (!FSD || FSD->Empty) {
        FIndex = -1;
        Picture = nullptr;
        return;
    }
    FIndex = FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) {
        Picture = nullptr;
        return;
    }
    auto* e = dynamic_cast<const TbsDataSkinEditControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e)
        return;  // another kind of element: the last look stays
    Picture = FSD->ActivePicture(e->PictureIndex);
    SkinRect = e->SkinRect;
    ActiveSkinRect = IsNullRect(e->ActiveSkinRect) ? e->SkinRect : e->ActiveSkinRect;
    LOffset = e->LTPoint.X;
    ROffset = RectWidth(SkinRect) - e->RTPoint.X;
    ClRect = e->ClRect;
    FontName = e->FontName;
    FontStyle = e->FontStyle;
    FontHeight = e->FontHeight;
    FontColor = e->FontColor;
    DisabledFontColor = e->DisabledFontColor;
    ActiveFontColor = e->ActiveFontColor;
    ButtonRect = e->ButtonRect;
    ActiveButtonRect = e->ActiveButtonRect;
    DownButtonRect = IsNullRect(e->DownButtonRect) ? e->ActiveButtonRect : e->DownButtonRect;
    UnEnabledButtonRect = e->UnEnabledButtonRect;
    StretchEffect = e->StretchEffect;
}

int TbsSkinCustomEdit::TextCharset()
{
    if (FSD && FSD->ResourceStrData())
        return FSD->ResourceStrData()->CharSet();
    return FDefaultFont.Charset();
}

TColor TbsSkinCustomEdit::StateFontColor()
{
    return Focused() ? ActiveFontColor : FontColor;
}

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
    if (FSD && !FSD->Empty && !ComponentState().Contains(csDesigning))
        ChangeSkinData();
}

void TbsSkinCustomEdit::ChangeSkinData()
{
    GetSkinData();
    FSettingFont = true;
    if (Skinned() && FUseSkinFont) {
        Font().SetName(FontName);
        Font().SetStyle(FontStyle);
        SetHeight(RectHeight(SkinRect));
        Font().SetHeight(FontHeight);
        Font().SetColor(StateFontColor());
    } else if (Skinned()) {
        Font().Assign(FDefaultFont);
        Font().SetColor(StateFontColor());
    } else {
        Font().Assign(FDefaultFont);
        if (FDefaultWidth > 0)
            SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0)
            SetHeight(FDefaultHeight);
    }
    Font().SetCharset(TextCharset());
    FSettingFont = false;
    RecreateWnd();
    FSettingFont = true;
    Font().SetColor(Skinned() ? StateFontColor() : FDefaultFont.Color());
    FSettingFont = false;
    if (!FUseSkinFont)
        FitHeightToText();
    RepaintNC();
    if (FImages) {
        UpdateImageButtons(true);
        Invalidate();
    }
}

void TbsSkinCustomEdit::Loaded()
{
    TbsCustomEdit::Loaded();
    if (FSD && FSD->ResourceStrData())
        Font().SetCharset(FSD->ResourceStrData()->CharSet());
}

void TbsSkinCustomEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsCustomEdit::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (FSD.Drop(AComponent, Operation)) {
        FIndex = -1;
        Picture = nullptr;
    }
    if (AComponent == FImages)
        FImages = nullptr;
}

// ------------------------------------------------------------ size

int TbsSkinCustomEdit::CalcEditHeight()
{
    TBitmap measure(1, 1);
    measure.Canvas()->Font().Assign(Font());
    const int text = measure.Canvas()->TextHeight("Wg");
    GetSkinData();
    if (!Skinned())
        return text + 4;
    return text + RectHeight(SkinRect) - RectHeight(ClRect);
}

void TbsSkinCustomEdit::FitHeightToText()
{
    SetHeight(CalcEditHeight());
}

void TbsSkinCustomEdit::FontChanged()
{
    TbsCustomEdit::FontChanged();
    if (FSettingFont || FUseSkinFont ||
        (ComponentState().Contains(csDesigning) && ComponentState().Contains(csLoading)))
        return;
    FSettingFont = true;
    FitHeightToText();
    if (!Skinned())
        RecreateWnd();
    FSettingFont = false;
}

void TbsSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    if ((AWidth != Width() || AHeight != Height()) && !(!Skinned() && FUseSkinFont)) {
        if (!FUseSkinFont)
            AHeight = CalcEditHeight();
        else
            AHeight = RectHeight(SkinRect);
    }
    if (auto* host = dynamic_cast<TbsSkinControlHost*>(Parent()); host && host->AdjustControls() && Align() != alNone) {
        const TRect r = host->GetSkinClientRect();
        ATop = r.Top + RectHeight(r) / 2 - AHeight / 2;
    }
    TbsCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
    RepaintNC();
}

void TbsSkinCustomEdit::CalcRects()
{
    if (!Skinned()) {
        if (FButtonMode) {
            FButtonRect = TRect{Width() - Height(), 0, Width(), Height()};
            FEditRect = TRect{2, 2, FButtonRect.Left - 2, Height() - 2};
        } else {
            FEditRect = TRect{2, 2, Width() - 2, Height() - 2};
        }
        return;
    }
    const int d = Width() - RectWidth(SkinRect);
    FEditRect = ClRect;
    FEditRect.Right += d;
    FButtonRect = ButtonRect;
    if (ButtonRect.Left >= RectWidth(SkinRect) - ROffset)
        FButtonRect.Offset(d, 0);
    if (!FUseSkinFont) {
        const int dh = Height() - RectHeight(SkinRect);
        FEditRect.Bottom += dh;
        FButtonRect.Bottom += dh;
    }
}

void TbsSkinCustomEdit::CreateParams(TCreateParams& Params)
{
    TbsCustomEdit::CreateParams(Params);
    Params.ExStyle &= ~WS_EX_TRANSPARENT;
    Params.Style &= ~WS_BORDER;
    Params.Style &= ~DWORD(ES_LEFT | ES_CENTER | ES_RIGHT);
    switch (Alignment()) {
    case taRightJustify: Params.Style |= ES_RIGHT; break;
    case taCenter: Params.Style |= ES_CENTER; break;
    default: Params.Style |= ES_LEFT; break;
    }
}

void TbsSkinCustomEdit::Invalidate()
{
    if (!Parent() || !HandleAllocated())
        return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void TbsSkinCustomEdit::RepaintNC()
{
    if (Parent() && HandleAllocated())
        SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

// ------------------------------------------------------------ setters

void TbsSkinCustomEdit::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (!Skinned())
        Invalidate();
}

void TbsSkinCustomEdit::SetDefaultFont(const TFont& Value)
{
    FDefaultFont.Assign(Value);
    if (!Skinned())
        Font().Assign(Value);
}

void TbsSkinCustomEdit::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!Skinned() && Value > 0)
        SetWidth(Value);
}

void TbsSkinCustomEdit::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!Skinned() && Value > 0 && FUseSkinFont)
        SetHeight(Value);
    else
        FitHeightToText();
}

void TbsSkinCustomEdit::SetAlignment(TAlignment Value)
{
    if (Value == Alignment())
        return;
    TbsCustomEdit::SetAlignment(Value);
    RecreateWnd();
}

void TbsSkinCustomEdit::SetButtonMode(bool Value)
{
    FButtonMode = Value;
    if (ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading))
        FSkinDataName = Value ? "buttonedit" : "edit";
    RecreateWnd();
}

void TbsSkinCustomEdit::SetImages(TImageList* Value)
{
    if (Value == FImages)
        return;
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    UpdateImageButtons(true);
}

void TbsSkinCustomEdit::SetLeftImageIndex(int Value)
{
    FLeftImageIndex = Value;
    UpdateImageButtons(true);
}

void TbsSkinCustomEdit::SetRightImageIndex(int Value)
{
    FRightImageIndex = Value;
    UpdateImageButtons(true);
}

void TbsSkinCustomEdit::UpdateImageButtons(bool SetRect)
{
    if (!FImages)
        return;
    FLeftButton.R = TRect{};
    FRightButton.R = TRect{};
    TRect r = ClientRect();
    if (FLeftImageIndex >= 0) {
        FLeftButton.R = TRect{r.Left, r.Top, r.Left + FImages->Width(), r.Bottom};
        r.Left += FImages->Width() + 2;
    }
    if (FRightImageIndex >= 0) {
        FRightButton.R = TRect{r.Right - FImages->Width(), r.Top, r.Right, r.Bottom};
        r.Right -= FImages->Width() + 2;
    }
    if (SetRect && HandleAllocated())
        Perform(EM_SETRECT, 0, LPARAM(&r));
}

// ------------------------------------------------------------ messages

void TbsSkinCustomEdit::WMNCCalcSize(TMessage& Message)
{
    GetSkinData();
    TRect* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                              : reinterpret_cast<TRect*>(Message.LParam);
    if (!Skinned()) {
        const int height = r->Bottom - r->Top;
        r->Left += 2;
        r->Top += 2;
        r->Bottom -= 2;
        r->Right -= FButtonMode ? height + 2 : 2;
    } else {
        r->Left += ClRect.Left;
        r->Top += ClRect.Top;
        r->Right += ClRect.Right - RectWidth(SkinRect);
        r->Bottom += ClRect.Bottom - RectHeight(SkinRect);
    }
}

void TbsSkinCustomEdit::SetImageMouseIn(TbsCBButtonX& B, bool Value)
{
    if (B.MouseIn == Value)
        return;
    B.MouseIn = Value;
    Invalidate();
}

void TbsSkinCustomEdit::WMNCHitTest(TMessage& Message)
{
    const bool designing = ComponentState().Contains(csDesigning);
    TPoint p = ScreenToClient(LParamToPoint(Message.LParam));
    if (FImages && !designing) {
        if (FLeftImageIndex >= 0 && FLeftButton.R.Contains(p)) {
            SetImageMouseIn(FLeftButton, true);
            Message.Result = HTLEFTIMAGE;
            return;
        }
        if (FRightImageIndex >= 0 && FRightButton.R.Contains(p)) {
            SetImageMouseIn(FRightButton, true);
            Message.Result = HTRIGHTIMAGE;
            return;
        }
        SetImageMouseIn(FLeftButton, false);
        SetImageMouseIn(FRightButton, false);
    }
    if (FButtonMode && !designing) {
        GetSkinData();
        if (Skinned())
            p = TPoint{p.X + ClRect.Left, p.Y + ClRect.Top};
        else
            p = TPoint{p.X + 2, p.Y + 2};
        CalcRects();
        if (FButtonRect.Contains(p)) {
            Message.Result = HTDROPBUTTON;
            return;
        }
        if (!FEditRect.Contains(p)) {
            Message.Result = HTOUTSIDETEXT;
            return;
        }
    }
    TbsCustomEdit::WndProc(Message);
}

// A press on a button; a double click presses again.
void TbsSkinCustomEdit::WMNCButton(TMessage& Message)
{
    const bool dbl = Message.Msg == WM_NCLBUTTONDBLCLK;
    switch (int(Message.WParam)) {
    case HTLEFTIMAGE:
    case HTRIGHTIMAGE:
        if (!FImages)
            break;
        (Message.WParam == HTLEFTIMAGE ? FLeftButton : FRightButton).Down = true;
        if (!Focused() && CanFocus())
            SetFocus();
        if (dbl)
            Repaint();
        else
            Invalidate();
        return;
    case HTDROPBUTTON:
        if (!FButtonMode || ComponentState().Contains(csDesigning))
            break;
        FButtonDown = true;
        RepaintNC();
        return;
    default: break;
    }
    TbsCustomEdit::WndProc(Message);
}

void TbsSkinCustomEdit::WMNCLButtonUp(TMessage& Message)
{
    switch (int(Message.WParam)) {
    case HTLEFTIMAGE:
    case HTRIGHTIMAGE: {
        if (!FImages)
            break;
        const bool left = Message.WParam == HTLEFTIMAGE;
        TbsCBButtonX& b = left ? FLeftButton : FRightButton;
        if (b.Down) {
            b.Down = false;
            Invalidate();
            const TNotifyEvent& e = left ? OnLeftButtonClick : OnRightButtonClick;
            if (e)
                e(this);
        }
        return;
    }
    case HTDROPBUTTON:
        if (!FButtonMode || ComponentState().Contains(csDesigning))
            break;
        FButtonDown = false;
        RepaintNC();
        if (!Focused() && CanFocus())
            SetFocus();
        if (OnButtonClick)
            OnButtonClick(this);
        return;
    default: break;
    }
    TbsCustomEdit::WndProc(Message);
}

void TbsSkinCustomEdit::WMNCMouseMove(TMessage& Message)
{
    if (Message.WParam == HTDROPBUTTON && FButtonMode && !ComponentState().Contains(csDesigning)) {
        if (!FButtonActive) {
            FButtonActive = true;
            RepaintNC();
            Invalidate();
        }
        return;
    }
    if (FButtonMode && FButtonActive) {
        FButtonActive = false;
        RepaintNC();
        Invalidate();
    }
    TbsCustomEdit::WndProc(Message);
}

void TbsSkinCustomEdit::FocusChanged(TMessage& Message)
{
    TbsCustomEdit::WndProc(Message);
    RepaintNC();
    Invalidate();
    if (Skinned() && !FMouseIn) {
        FSettingFont = true;
        Font().SetColor(Message.Msg == WM_SETFOCUS ? ActiveFontColor : FontColor);
        FSettingFont = false;
    }
    if (FImages)
        UpdateImageButtons(true);
}

void TbsSkinCustomEdit::MouseEntered()
{
    FMouseIn = true;
    if (!Focused() && Skinned()) {
        FSettingFont = true;
        Font().SetColor(ActiveFontColor);
        FSettingFont = false;
        if (FImages)
            UpdateImageButtons(true);
        RepaintNC();
        Invalidate();
    }
}

void TbsSkinCustomEdit::MouseLeft()
{
    FMouseIn = false;
    if (!Focused() && Skinned()) {
        FSettingFont = true;
        Font().SetColor(FontColor);
        FSettingFont = false;
        if (FImages)
            UpdateImageButtons(true);
        RepaintNC();
        Invalidate();
    }
    if (FButtonDown || FButtonActive) {
        FButtonDown = false;
        FButtonActive = false;
        RepaintNC();
        Invalidate();
    }
    if (FImages) {
        SetImageMouseIn(FLeftButton, false);
        SetImageMouseIn(FRightButton, false);
    }
}

void TbsSkinCustomEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCHITTEST: WMNCHitTest(Message); return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: WMNCButton(Message); return;
    case WM_NCLBUTTONUP: WMNCLButtonUp(Message); return;
    case WM_NCMOUSEMOVE: WMNCMouseMove(Message); return;
    case WM_MOUSEMOVE:
        TbsCustomEdit::WndProc(Message);
        if (FButtonActive) {
            FButtonActive = false;
            RepaintNC();
        }
        return;
    case WM_SIZE:
        TbsCustomEdit::WndProc(Message);
        UpdateImageButtons(true);
        RepaintNC();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: FocusChanged(Message); return;
    case CM_MOUSEENTER:
        TbsCustomEdit::WndProc(Message);
        MouseEntered();
        return;
    case CM_MOUSELEAVE:
        TbsCustomEdit::WndProc(Message);
        MouseLeft();
        return;
    case CM_ENABLEDCHANGED:
        TbsCustomEdit::WndProc(Message);
        Invalidate();
        return;
    case WM_NCPAINT: PaintNC(); return;
    case WM_ERASEBKGND:
        // The background is painted with the text (PaintWindow).
        Message.Result = 1;
        return;
    case WM_PRINTSKINFRAME: PrintFrame(Message, false); return;
    case WM_PRINTSKINFRAMEEX:
        if (Message.LParam != PRINTSKINFRAMEEX_KEY) {
            DefaultHandler(Message);
            return;
        }
        PrintFrame(Message, true);
        return;
    default: TbsCustomEdit::WndProc(Message);
    }
}
