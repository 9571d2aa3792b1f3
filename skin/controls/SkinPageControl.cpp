#include "skin/controls/SkinPageControl.h"
#include <algorithm>
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/ButtonFace.h"
#include "skin/draw/EffectBitmap.h"
#include "skin/draw/ImageText.h"
#include "skin/draw/Marks.h"
#include "skin/draw/ParentImage.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/controls/ControlPaint.h"

namespace {

constexpr LRESULT PrintSkinFrameAnswer = 0x3233;

// Lays Src of Picture over Dst of C by the stretch rules of a page background.
void FillByStretch(TCanvas& C, const TRect& Dst, const TBitmap& Picture, const TRect& Src, bool Stretch,
                   TbsStretchType Type)
{
    const int w = RectWidth(Src), h = RectHeight(Src);
    if (w <= 0 || h <= 0 || IsNullRect(Dst))
        return;
    TBitmap piece(w, h);
    CopyPiece(piece, TRect{0, 0, w, h}, Picture, Src);
    const int W = RectWidth(Dst), H = RectHeight(Dst);
    if (Stretch && Type == bsstFull) {
        C.StretchDraw(Dst, piece);
        return;
    }
    TBitmap tile = piece;
    if (Stretch && Type == bsstHorz) {
        tile.SetSize(w, H, false);
        tile.Canvas()->StretchDraw(TRect{0, 0, w, H}, piece);
    } else if (Stretch && Type == bsstVert) {
        tile.SetSize(W, h, false);
        tile.Canvas()->StretchDraw(TRect{0, 0, W, h}, piece);
    }
    for (int y = Dst.Top; y < Dst.Bottom; y += tile.Height())
        for (int x = Dst.Left; x < Dst.Right; x += tile.Width())
            C.Draw(x, y, tile);
}

// A quarter turn: counter-clockwise for Left, else clockwise.
void RotateBitmap90(TBitmap& B, bool Left)
{
    if (B.Empty())
        return;
    TbsEffectBmp src(B), dst(B.Height(), B.Width());
    if (Left)
        src.Rotate90_1(dst);
    else
        src.Rotate90_2(dst);
    dst.AssignTo(B);
}

void FlipBitmapVert(TBitmap& B)
{
    if (B.Empty())
        return;
    TbsEffectBmp src(B), dst(B.Width(), B.Height());
    src.FlipVert(dst);
    dst.AssignTo(B);
}

}  // namespace

// ------------------------------------------------------------ tab sheet

TbsSkinCustomTabSheet::TbsSkinCustomTabSheet(TComponent* AOwner) : TTabSheet(AOwner)
{
    FControlStyle.Include(csAcceptsControls);
    FControlStyle.Include(csNoDesignVisible);
}

TbsSkinCustomTabSheet::~TbsSkinCustomTabSheet()
{
    Destroying();
    SetPageControl(nullptr);
}

void TbsSkinCustomTabSheet::SetWallPaper(const TBitmap& Value)
{
    FWallPaper = Value;
    if (HandleAllocated())
        Invalidate();
}

TbsSkinPageControl* TbsSkinCustomTabSheet::SkinPageControl() const
{
    return dynamic_cast<TbsSkinPageControl*>(PageControl());
}

void TbsSkinCustomTabSheet::PaintBG(TCanvas& C)
{
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0 || !Parent())
        return;
    TbsSkinPageControl* pc = SkinPageControl();
    if (pc)
        pc->GetSkinData();
    const TRect all{0, 0, W, H};
    if (!FWallPaper.Empty()) {
        for (int y = 0; y < H; y += FWallPaper.Height())
            for (int x = 0; x < W; x += FWallPaper.Width())
                C.Draw(x, y, FWallPaper);
        return;
    }
    if (pc && pc->SkinIndex() != -1 && pc->Picture) {
        const TBitmap* bg = pc->BGPictureIndex >= 0 ? pc->SkinData()->ActivePicture(pc->BGPictureIndex) : nullptr;
        if (bg && !bg->Empty()) {
            FillByStretch(C, all, *bg, TRect{0, 0, bg->Width(), bg->Height()}, pc->StretchEffect, pc->StretchType);
            return;
        }
        TRect src = pc->ClRect;
        src.Offset(pc->SkinRect.Left, pc->SkinRect.Top);
        FillByStretch(C, all, *pc->Picture, src, pc->StretchEffect, pc->StretchType);
        return;
    }
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(clBtnFace);
    C.FillRect(all);
}

void TbsSkinCustomTabSheet::Paint() { PaintBG(Canvas()); }

void TbsSkinCustomTabSheet::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;   // Paint lays the whole background
        return;
    case WM_PRINTSKINFRAME:
        Message.Result = PrintSkinFrameAnswer;
        return;
    case WM_SIZE: {
        TTabSheet::WndProc(Message);
        Invalidate();
        TbsSkinPageControl* pc = SkinPageControl();
        if (pc && pc->SkinIndex() != -1 && pc->StretchEffect)
            for (int i = 0; i < ControlCount(); ++i)
                if (auto* w = dynamic_cast<TWinControl*>(Controls(i)); w && w->HandleAllocated())
                    SendMessage(w->Handle(), WM_CHECKPARENTBG, 0, 0);
        return;
    }
    default:
        TTabSheet::WndProc(Message);
    }
}

// ------------------------------------------------------------ page control

TbsSkinPageControl::TbsSkinPageControl(TComponent* AOwner) : TPageControl(AOwner)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
    FDefaultFont.SetColor(clBtnText);
    Font().SetName("Arial");
    Font().SetHeight(14);
    Font().SetStyle(0);
    Font().SetColor(clBtnText);
    FTempImages = std::make_unique<TImageList>(nullptr, 1, 1);
    TPageControl::SetImages(FTempImages.get());
    // Built in code, the control is never loaded: the plain tab height applies now.
    ApplyTabSize();
}

TbsSkinPageControl::~TbsSkinPageControl()
{
    Destroying();
    FSD.Set(nullptr);
    if (FImages)
        FImages->RemoveFreeNotification(this);
    // The tab control underneath lets go of the list before it is freed.
    TPageControl::SetImages(nullptr);
}

void TbsSkinPageControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TPageControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (FSD.Drop(AComponent, Operation)) {
        FIndex = -1;
        Picture = nullptr;
    }
    if (AComponent == FImages) {
        FImages = nullptr;
        UpdateTempImages();
    }
}

void TbsSkinPageControl::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
    FIndex = -1;
    Picture = nullptr;
    if (FSD && !FSD->Empty && !ComponentState().Contains(csDesigning))
        ChangeSkinData();
}

void TbsSkinPageControl::GetSkinData()
{
    BGPictureIndex = -1;
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
    auto* e = dynamic_cast<TbsDataSkinTabControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e)
        return;
    Picture = FSD->ActivePicture(e->PictureIndex);
    SkinRect = e->SkinRect;
    ClRect = e->ClRect;
    TabRect_ = e->TabRect;
    ActiveTabRect = IsNullRect(e->ActiveTabRect) ? e->TabRect : e->ActiveTabRect;
    FocusTabRect = IsNullRect(e->FocusTabRect) ? ActiveTabRect : e->FocusTabRect;
    MouseInTabRect = e->MouseInTabRect;
    TabsBGRect = e->TabsBGRect;
    BGPictureIndex = e->BGPictureIndex;
    LTPoint = e->LTPoint;
    RTPoint = e->RTPoint;
    LBPoint = e->LBPoint;
    RBPoint = e->RBPoint;
    TabLeftOffset = e->TabLeftOffset;
    TabRightOffset = e->TabRightOffset;
    TabStretchEffect = e->TabStretchEffect;
    LeftStretch = e->LeftStretch;
    TopStretch = e->TopStretch;
    RightStretch = e->RightStretch;
    BottomStretch = e->BottomStretch;
    StretchEffect = e->StretchEffect;
    StretchType = e->StretchType;
    FontName = e->FontName;
    FontStyle = e->FontStyle;
    FontHeight = e->FontHeight;
    FontColor = e->FontColor;
    ActiveFontColor = e->ActiveFontColor;
    FocusFontColor = e->FocusFontColor;
    MouseInFontColor = e->MouseInFontColor;
    UpDown = e->UpDown;
    ShowFocus = e->ShowFocus;
    FocusOffsetX = e->FocusOffsetX;
    FocusOffsetY = e->FocusOffsetY;
    if (IsNullRect(e->CloseButtonActiveRect))
        e->CloseButtonActiveRect = e->CloseButtonRect;
    if (IsNullRect(e->CloseButtonDownRect))
        e->CloseButtonDownRect = e->CloseButtonActiveRect;
    CloseButtonRect = e->CloseButtonRect;
    CloseButtonActiveRect = e->CloseButtonActiveRect;
    CloseButtonDownRect = e->CloseButtonDownRect;
    ButtonTransparent = e->ButtonTransparent;
    ButtonTransparentColor = e->ButtonTransparentColor;
}

int TbsSkinPageControl::GetCloseSize() const
{
    return FIndex == -1 || IsNullRect(CloseButtonRect) ? 14 : RectWidth(CloseButtonRect);
}

TSize TbsSkinPageControl::TabImageSize() const { return TSize{FTempImages->Width(), FTempImages->Height()}; }

// The tab control underneath reserves the width of its image list in every
// tab: 1 plus the close button plus the images, along the tab.
void TbsSkinPageControl::UpdateTempImages()
{
    int extra = FShowCloseButtons ? FCloseSize : 0;
    const bool sideways = TabPosition() == tpLeft || TabPosition() == tpRight;
    if (FImages)
        extra += sideways ? FImages->Height() : FImages->Width();
    const int w = sideways ? 1 : 1 + extra, h = sideways ? 1 + extra : 1;
    if (FTempImages->Width() != w || FTempImages->Height() != h) {
        FTempImages->SetSize(w, h);
        TPageControl::SetImages(nullptr);
        TPageControl::SetImages(FTempImages.get());
    }
    Invalidate();
}

void TbsSkinPageControl::ApplyTabSize()
{
    int h = TabHeight();
    if (FOldTabHeight != -1 && FHideTabs)
        return;
    if (h <= 0 || FIndex != -1)
        h = FIndex == -1 ? FDefaultItemHeight : RectHeight(TabRect_);
    Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(TabWidth(), h));
}

void TbsSkinPageControl::ChangeSkinData()
{
    GetSkinData();
    FCloseSize = GetCloseSize();
    UpdateTempImages();
    if (FIndex == -1) {
        Font().Assign(FDefaultFont);
    } else if (FUseSkinFont) {
        Font().SetName(FontName);
        Font().SetHeight(FontHeight);
        Font().SetStyle(FontStyle);
        Font().SetColor(FontColor);
    } else {
        Font().Assign(FDefaultFont);
        Font().SetColor(FontColor);
    }
    if (!FHideTabs)
        ApplyTabSize();
    UpdateUpDownPosition();
    Realign();
    if (FSkinUpDown) {
        delete FSkinUpDown;
        FSkinUpDown = nullptr;
    }
    UpdateUpDown();
    Invalidate();
    if (ActivePage())
        ActivePage()->Invalidate();
}

void TbsSkinPageControl::Loaded()
{
    TPageControl::Loaded();
    GetSkinData();
    if (FIndex == -1)
        ApplyTabSize();
}

void TbsSkinPageControl::SetDefaultItemHeight(int Value)
{
    FDefaultItemHeight = Value;
    GetSkinData();
    if (FIndex == -1 && !FHideTabs) {
        Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(TabWidth(), Value));
        Realign();
    }
}

void TbsSkinPageControl::SetTabMargin(int Value)
{
    if (Value < -1 || Value == FTabMargin)
        return;
    FTabMargin = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTabSpacing(int Value)
{
    if (Value == FTabSpacing)
        return;
    FTabSpacing = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTabLayout(TbsButtonLayout Value)
{
    if (Value == FTabLayout)
        return;
    FTabLayout = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTabsInCenter(bool Value)
{
    if (TabWidth() == 0) {
        FTabsInCenter = false;
        return;
    }
    FTabsInCenter = Value;
    if (Value) {
        SetTabPosition(tpTop);
        SetMultiLine(false);
        FTabsBGTransparent = true;
    }
    Invalidate();
}

void TbsSkinPageControl::SetTabsOffset(int Value)
{
    FTabsOffset = Value;
    if (Value > 0) {
        SetTabPosition(tpTop);
        SetMultiLine(false);
        FTabsBGTransparent = true;
    }
    Invalidate();
}

void TbsSkinPageControl::SetTabsBGTransparent(bool Value)
{
    if (Value == FTabsBGTransparent)
        return;
    FTabsBGTransparent = Value;
    Invalidate();
}

void TbsSkinPageControl::SetShowCloseButtons(bool Value)
{
    if (Value == FShowCloseButtons)
        return;
    FShowCloseButtons = Value;
    GetSkinData();
    FCloseSize = GetCloseSize();
    UpdateTempImages();
    Realign();
    UpdateUpDown();
}

void TbsSkinPageControl::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    UpdateTempImages();
    Realign();
    UpdateUpDown();
}

int TbsSkinPageControl::GetTabsOffset()
{
    if (FTabsOffset > 0)
        return FTabsOffset;
    if (TabWidth() == 0 || !FTabsInCenter)
        return 0;
    return std::max(0, Width() / 2 - (TabCount() * TabWidth()) / 2);
}

// ------------------------------------------------------------ pages and tabs

int TbsSkinPageControl::PageOfTab(int TabIndex) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabIndex() == TabIndex)
            return i;
    return -1;
}

TbsSkinCustomTabSheet* TbsSkinPageControl::SheetOfTab(int TabIndex) const
{
    const int p = PageOfTab(TabIndex);
    return p < 0 ? nullptr : dynamic_cast<TbsSkinCustomTabSheet*>(Pages(p));
}

TRect TbsSkinPageControl::GetTabRect(int I)
{
    TRect r = TabRect(I);
    if (I == 0 && !MultiLine())
        r.Left += 1;
    return r;
}

int TbsSkinPageControl::GetHiddenTabCount()
{
    int n = 0;
    for (int i = 0; i < TabCount(); ++i) {
        const TRect r = TabRect(i);
        if (r.Right > Width() - 3 || r.Right <= 0)
            ++n;
    }
    return n;
}

int TbsSkinPageControl::GetScrolledTabCount()
{
    int n = 0;
    for (int i = 0; i < TabCount(); ++i)
        if (TabRect(i).Right <= 0)
            ++n;
    return n;
}

void TbsSkinPageControl::Change()
{
    if (FSkinUpDown)
        FSkinUpDown->SetPosition(GetScrolledTabCount());
    TPageControl::Change();
    Invalidate();
    if (ActivePage())
        ActivePage()->Invalidate();
}

// ------------------------------------------------------------ geometry

void TbsSkinPageControl::AdjustPageRect(TRect& R)
{
    if (FHideBorder) {
        R = TRect{0, -2, Width(), Height()};
        return;
    }
    const int cw = ClientWidth(), ch = ClientHeight();
    if (FIndex != -1) {
        const int L = ClRect.Left, T = ClRect.Top;
        const int RB = RectWidth(SkinRect) - ClRect.Right, BB = RectHeight(SkinRect) - ClRect.Bottom;
        switch (TabPosition()) {
        case tpTop:
            R = TRect{L, R.Top + T - 6 - (FHideTabs ? 1 : 0), cw - RB, ch - BB};
            break;
        case tpBottom:
            R = TRect{L, R.Top + T - 4, cw - RB, R.Bottom - BB + 4 + (FHideTabs ? 1 : 0)};
            break;
        case tpLeft:
            R = TRect{R.Left + L - 4 - (FHideTabs ? 1 : 0), R.Top + T - 4, cw - RB, ch - BB};
            break;
        case tpRight:
            R = TRect{L, R.Top + T - 4, R.Right - RB + 4 + (FHideTabs ? 1 : 0), ch - BB};
            break;
        }
        return;
    }
    switch (TabPosition()) {
    case tpTop: R = TRect{1, R.Top - 5 - (FHideTabs ? 1 : 0), cw - 1, ch - 1}; break;
    case tpBottom: R = TRect{1, 1, cw - 1, R.Bottom + 3}; break;
    case tpLeft: R = TRect{R.Left - 3 - (FHideTabs ? 1 : 0), R.Top - 5, cw - 1, ch - 1}; break;
    case tpRight: R = TRect{R.Left - 3, R.Top - 5, R.Right + 3 + (FHideTabs ? 1 : 0), ch - 1}; break;
    }
}

void TbsSkinPageControl::AdjustItemRect(TRect& R)
{
    switch (TabPosition()) {
    case tpTop:
        if (!MultiLine())
            R.Offset(-2, 0);
        R.Offset(GetTabsOffset(), -2);
        break;
    case tpBottom:
        if (!MultiLine())
            R.Offset(-2, 0);
        R.Offset(0, 2);
        break;
    case tpLeft: R.Offset(-2, 0); break;
    case tpRight: R.Offset(2, 0); break;
    }
}

// ------------------------------------------------------------ scroller

void TbsSkinPageControl::UpdateUpDown()
{
    if (!HandleAllocated())
        return;
    // Only a single row along the top or bottom edge scrolls.
    const bool scrolls = !MultiLine() && (TabPosition() == tpTop || TabPosition() == tpBottom);
    const int hidden = scrolls ? GetHiddenTabCount() : 0;
    if (hidden == 0) {
        if (FSkinUpDown) {
            delete FSkinUpDown;
            FSkinUpDown = nullptr;
        }
        return;
    }
    if (!FSkinUpDown) {
        if (FHideTabs)
            return;
        FSkinUpDown = new TbsSkinUpDown(this);
        FSkinUpDown->SetUseSkinSize(false);
        FSkinUpDown->SetSkinDataName(UpDown.empty() ? "hupdown" : UpDown);
        FSkinUpDown->SetWidth(FDefaultItemHeight * 2);
        FSkinUpDown->SetHeight(FDefaultItemHeight);
        FSkinUpDown->SetMin(0);
        FSkinUpDown->SetMax(hidden);
        FSkinUpDown->SetPosition(GetScrolledTabCount());
        FSkinUpDown->SetIncrement(1);
        FSkinUpDown->SetSkinData(FSD);
        FSkinUpDown->SetParent(this);
        FSkinUpDown->OnChange = [this](TObject*) { UpDownChange(); };
    }
    FSkinUpDown->SetMax(hidden);
    const int top = TabPosition() == tpTop ? 0 : Height() - FSkinUpDown->Height();
    FSkinUpDown->SetBounds(Width() - FSkinUpDown->Width(), top, FSkinUpDown->Width(), FSkinUpDown->Height());
    FSkinUpDown->SetVisible(true);
}

void TbsSkinPageControl::UpDownChange()
{
    FSkinUpDown->SetMax(GetHiddenTabCount());
    Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FSkinUpDown->Position()), 0);
    Invalidate();
}

void TbsSkinPageControl::UpdateUpDownPosition()
{
    if (!FSkinUpDown)
        return;
    FSkinUpDown->SetPosition(GetScrolledTabCount());
    Invalidate();
}

void TbsSkinPageControl::SizeChanged()
{
    GetSkinData();
    if (!MultiLine() && FirstVisibleTab() > 0)   // grown: scroll back what fits now
        Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FirstVisibleTab()), 0);
    if (!ComponentState().Contains(csDesigning))
        UpdateUpDown();   // also drops the scroller of a multi-line control
}

// The window's size message can come before its client size is final; the
// scroller is judged again once the bounds are set.
void TbsSkinPageControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool resized = AWidth != Width() || AHeight != Height();
    TPageControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized)
        SizeChanged();
}

// ------------------------------------------------------------ hiding

void TbsSkinPageControl::HideTabs()
{
    if (FHideTabs || TabCount() == 0)
        return;
    FHideTabs = true;
    FOldTabPosition = TabPosition();
    FOldMultiLine = MultiLine();
    if (TabPosition() == tpLeft || TabPosition() == tpRight)
        SetTabPosition(tpTop);
    SetMultiLine(false);
    FOldTabHeight = TabHeight();
    SetTabHeight(1);
    delete FSkinUpDown;
    FSkinUpDown = nullptr;
    Realign();
    Invalidate();
}

void TbsSkinPageControl::ShowTabs()
{
    if (!FHideTabs)
        return;
    SetTabPosition(FOldTabPosition);
    SetMultiLine(FOldMultiLine);
    const int h = FOldTabHeight;
    FOldTabHeight = -1;
    FHideTabs = false;
    SetTabHeight(h);
    GetSkinData();
    if (FIndex != -1 && h <= 0)
        ApplyTabSize();
    if (!MultiLine())
        UpdateUpDown();
    Realign();
    Invalidate();
}

void TbsSkinPageControl::HideBorderAndTabs()
{
    SetTabPosition(tpTop);
    HideTabs();
    FHideTabs = true;
    FHideBorder = true;
    delete FSkinUpDown;
    FSkinUpDown = nullptr;
    Realign();
}

void TbsSkinPageControl::ShowBorderAndTabs()
{
    FHideBorder = false;
    ShowTabs();
    FHideTabs = false;
    Realign();
}

void TbsSkinPageControl::UpDateTabs()
{
    GetSkinData();
    ApplyTabSize();
    if (MultiLine() && FSkinUpDown) {
        delete FSkinUpDown;
        FSkinUpDown = nullptr;
    }
    Realign();
}

// ------------------------------------------------------------ mouse

void TbsSkinPageControl::UpdateHotTab(int X, int Y)
{
    if (FHideTabs)
        return;
    const int oldTab = FActiveTab, oldIndex = FActiveTabIndex;
    FActiveTab = FActiveTabIndex = -1;
    for (int i = 0; i < TabCount(); ++i)
        if (PtInRect(GetTabRect(i), TPoint{X, Y})) {
            FActiveTabIndex = i;
            FActiveTab = PageOfTab(i);
            break;
        }
    if (FActiveTab != oldTab) {
        if (oldIndex != -1 && oldIndex != TabIndex())
            if (auto* s = SheetOfTab(oldIndex)) {
                s->ButtonMouseIn = false;
                s->ButtonMouseDown = false;
            }
        RedrawTabs();
    }
    if (!FShowCloseButtons || FActiveTabIndex == -1)
        return;
    TbsSkinCustomTabSheet* s = SheetOfTab(FActiveTabIndex);
    if (!s)
        return;
    const TRect tab = GetTabRect(FActiveTabIndex);
    TRect area = s->ButtonRect;
    area.Offset(tab.Left, tab.Top);
    const bool in = PtInRect(area, TPoint{X, Y});
    if (in && !s->ButtonMouseIn) {
        s->ButtonMouseIn = true;
        RedrawTabs();
    } else if (!in && (s->ButtonMouseIn || s->ButtonMouseDown)) {
        s->ButtonMouseIn = false;
        s->ButtonMouseDown = false;
        RedrawTabs();
    }
}

bool TbsSkinPageControl::CloseAreaHit(int X, int Y, TbsSkinCustomTabSheet*& Sheet)
{
    Sheet = FActiveTabIndex == -1 ? nullptr : SheetOfTab(FActiveTabIndex);
    if (!Sheet)
        return false;
    const TRect tab = GetTabRect(FActiveTabIndex);
    TRect area = Sheet->ButtonRect;
    area.Offset(tab.Left, tab.Top);
    return PtInRect(area, TPoint{X, Y});
}

void TbsSkinPageControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TPageControl::MouseMove(Shift, X, Y);
    if (!FHideTabs)
        UpdateHotTab(X, Y);
}

void TbsSkinPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TPageControl::MouseDown(Button, Shift, X, Y);
    if (FHideTabs || Button != mbLeft)
        return;
    UpdateHotTab(X, Y);
    TbsSkinCustomTabSheet* s = nullptr;
    if (!FShowCloseButtons || FActiveTab == -1)
        return;
    if (CloseAreaHit(X, Y, s)) {
        s->ButtonMouseIn = s->ButtonMouseDown = true;
        RedrawTabs();
    } else if (s) {
        s->ButtonMouseIn = s->ButtonMouseDown = false;
    }
}

void TbsSkinPageControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TPageControl::MouseUp(Button, Shift, X, Y);
    if (FHideTabs || Button != mbLeft)
        return;
    UpdateHotTab(X, Y);
    TbsSkinCustomTabSheet* s = nullptr;
    if (!FShowCloseButtons || FActiveTab == -1)
        return;
    if (CloseAreaHit(X, Y, s)) {
        const bool pressed = s->ButtonMouseDown;
        s->ButtonMouseIn = true;
        s->ButtonMouseDown = false;
        RedrawTabs();
        // The page closed is the one whose button was pressed, even when the
        // switch to it was refused.
        if (pressed)
            ClosePage(s);
    } else if (s) {
        s->ButtonMouseIn = s->ButtonMouseDown = false;
    }
}

void TbsSkinPageControl::ClosePage(TTabSheet* Page)
{
    bool canClose = true;
    if (OnClose)
        OnClose(Page, canClose);
    if (canClose) {
        Page->SetTabVisible(false);
        if (FFreeOnClose)
            delete Page;
        FActiveTab = FActiveTabIndex = -1;
        if (OnAfterClose)
            OnAfterClose(this);
        UpdateUpDown();
        Invalidate();
        return;
    }
    TPoint p;
    GetCursorPos(p);
    if (WindowFromPoint(p) != Handle())
        if (auto* s = dynamic_cast<TbsSkinCustomTabSheet*>(Page)) {
            s->ButtonMouseIn = s->ButtonMouseDown = false;
            RedrawTabs();
        }
}

// ------------------------------------------------------------ messages

void TbsSkinPageControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case TCM_ADJUSTRECT:
        TPageControl::WndProc(Message);
        if (Message.LParam && Message.WParam == 0) {
            GetSkinData();
            AdjustPageRect(*reinterpret_cast<TRect*>(Message.LParam));
        }
        return;
    case TCM_GETITEMRECT:
        TPageControl::WndProc(Message);
        if (Message.Result && Message.LParam)
            AdjustItemRect(*reinterpret_cast<TRect*>(Message.LParam));
        return;
    case TCM_SETCURSEL:
        TPageControl::WndProc(Message);
        if (!ComponentState().Contains(csLoading))
            Invalidate();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_NCHITTEST:
        if (GetTabsOffset() > 0) {
            const int x = GET_X_LPARAM(Message.LParam) - GetTabsOffset();
            Message.LParam = MAKELPARAM(x, GET_Y_LPARAM(Message.LParam));
        }
        TPageControl::WndProc(Message);
        return;
    case WM_SIZE:
        TPageControl::WndProc(Message);
        SizeChanged();
        return;
    case WM_HSCROLL:
        TPageControl::WndProc(Message);
        Invalidate();
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;   // Paint lays the whole face
        return;
    case WM_PRINTSKINFRAME:
        Message.Result = PrintSkinFrameAnswer;
        return;
    case WM_CHECKPARENTBG:
        if (FTabsBGTransparent)
            Invalidate();
        return;
    case CM_MOUSELEAVE:
        TPageControl::WndProc(Message);
        if (FActiveTab != -1) {
            if (auto* s = FActiveTabIndex == -1 ? nullptr : SheetOfTab(FActiveTabIndex))
                s->ButtonMouseIn = s->ButtonMouseDown = false;
            FActiveTab = FActiveTabIndex = -1;
            RedrawTabs();
        }
        return;
    case WM_MOUSEWHEEL:
        if (FMouseWheelSupport && ActivePage()) {
            const int delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
            TTabSheet* next = nullptr;
            const int from = ActivePage()->PageIndex();
            if (delta < 0) {
                for (int i = from + 1; i < PageCount() && !next; ++i)
                    if (Pages(i)->TabVisible())
                        next = Pages(i);
            } else {
                for (int i = from - 1; i >= 0 && !next; --i)
                    if (Pages(i)->TabVisible())
                        next = Pages(i);
            }
            if (next)
                SetActivePage(next);
            Message.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TPageControl::WndProc(Message);
}

// ------------------------------------------------------------ painting

void TbsSkinPageControl::Paint()
{
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0)
        return;
    GetSkinData();
    // Pages added or captions changed since the last size change may make the
    // row overflow, or fit again.
    if (!MultiLine() && !FHideTabs && (TabPosition() == tpTop || TabPosition() == tpBottom) &&
        (GetHiddenTabCount() > 0) != (FSkinUpDown != nullptr))
        UpdateUpDown();
    else if (FSkinUpDown && (TabPosition() == tpLeft || TabPosition() == tpRight))
        UpdateUpDown();
    TBitmap face(W, H);
    TCanvas& c = *face.Canvas();
    if (FIndex == -1)
        DrawDefaultBorder(c);
    else
        DrawSkinBorder(c);
    DrawTabs(c);
    Canvas().Draw(0, 0, face);
}

void TbsSkinPageControl::PaintClientBG(TCanvas& C, const TRect& R)
{
    const TBitmap* bg = BGPictureIndex >= 0 ? FSD->ActivePicture(BGPictureIndex) : nullptr;
    if (bg && !bg->Empty()) {
        FillByStretch(C, R, *bg, TRect{0, 0, bg->Width(), bg->Height()}, StretchEffect, StretchType);
        return;
    }
    if (Picture) {
        TRect src = ClRect;
        src.Offset(SkinRect.Left, SkinRect.Top);
        FillByStretch(C, R, *Picture, src, StretchEffect, StretchType);
    }
}

void TbsSkinPageControl::DrawDefaultBorder(TCanvas& C)
{
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(clBtnFace);
    C.FillRect(TRect{0, 0, Width(), Height()});
    if (FHideBorder)
        return;
    TRect r = DisplayRect();
    r.Inflate(1, 1);
    C.Frame3D(r, clBtnShadow, clBtnShadow, 1);
}

void TbsSkinPageControl::DrawSkinBorder(TCanvas& C)
{
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(clBtnFace);
    C.FillRect(TRect{0, 0, Width(), Height()});
    // The page area shows the client part until a sheet covers it.
    PaintClientBG(C, DisplayRect());
    if (FHideBorder || !Picture)
        return;
    const int RB = RectWidth(SkinRect) - ClRect.Right, BB = RectHeight(SkinRect) - ClRect.Bottom;
    TRect R = DisplayRect();
    R = TRect{R.Left - ClRect.Left, R.Top - ClRect.Top, R.Right + RB, R.Bottom + BB};
    const int dx = RectWidth(R) - RectWidth(SkinRect), dy = RectHeight(R) - RectHeight(SkinRect);
    const TbsSkinGeometry g = GrownGeometry(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, dx, dy);
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(g, left, top, right, bottom, *Picture, SkinRect, RectWidth(R), RectHeight(R), LeftStretch,
                           TopStretch, RightStretch, BottomStretch);
    if (!top.Empty())
        C.Draw(R.Left, R.Top, top);
    if (!left.Empty())
        C.Draw(R.Left, R.Top + top.Height(), left);
    if (!right.Empty())
        C.Draw(R.Right - right.Width(), R.Top + top.Height(), right);
    if (!bottom.Empty())
        C.Draw(R.Left, R.Bottom - bottom.Height(), bottom);
}

void TbsSkinPageControl::DrawTabs(TCanvas& C)
{
    if (FHideTabs || PageCount() == 0 || TabCount() == 0)
        return;
    const int sel = TabIndex();
    const bool hotSel = FActiveTabIndex == sel;
    if (FIndex == -1) {
        for (int i = 0; i < TabCount(); ++i)
            if (i != sel)
                PaintTab(i, GetTabRect(i), C, i == FActiveTabIndex, false);
        if (sel >= 0)
            PaintTab(sel, GetTabRect(sel), C, hotSel, true);
        return;
    }
    const int RB = RectWidth(SkinRect) - ClRect.Right, BB = RectHeight(SkinRect) - ClRect.Bottom;
    TRect R = DisplayRect();
    R = TRect{R.Left - ClRect.Left, R.Top - ClRect.Top, R.Right + RB, R.Bottom + BB};
    TRect side;
    int ox = 0, oy = 0;
    switch (TabPosition()) {
    case tpTop: side = TRect{0, 0, Width(), R.Top}; break;
    case tpBottom: side = TRect{0, R.Bottom, Width(), Height()}; oy = R.Bottom; break;
    case tpLeft: side = TRect{0, 0, R.Left, Height()}; break;
    case tpRight: side = TRect{R.Right, 0, Width(), Height()}; ox = R.Right; break;
    }
    if (RectWidth(side) > 0 && RectHeight(side) > 0) {
        TBitmap strip(RectWidth(side), RectHeight(side));
        TCanvas& sc = *strip.Canvas();
        TRect bgSrc = TabsBGRect;
        if (IsNullRect(bgSrc)) {
            bgSrc = ClRect;
            bgSrc.Offset(SkinRect.Left, SkinRect.Top);
        }
        if (FTabsBGTransparent)
            DrawParentImagePart(this, side, sc);
        else if (Picture)
            FillByStretch(sc, TRect{0, 0, strip.Width(), strip.Height()}, *Picture, bgSrc, false, bsstFull);
        for (int i = 0; i < TabCount(); ++i)
            if (i != sel) {
                TRect t = GetTabRect(i);
                t.Offset(-ox, -oy);
                PaintTab(i, t, sc, i == FActiveTabIndex, false);
            }
        C.Draw(side.Left, side.Top, strip);
    }
    if (sel >= 0) {
        TRect t = GetTabRect(sel);
        const int d = RectHeight(TabRect_) - RectHeight(ActiveTabRect);
        if (d != 0 && TabPosition() == tpBottom)
            t.Offset(0, d);
        else if (d != 0 && TabPosition() == tpRight)
            t.Offset(d, 0);
        PaintTab(sel, t, C, hotSel, true);
    }
}

void TbsSkinPageControl::ApplyFont(TCanvas& C)
{
    if (FIndex != -1 && FUseSkinFont) {
        C.Font().SetName(FontName);
        C.Font().SetHeight(FontHeight);
        C.Font().SetStyle(FontStyle);
    } else {
        C.Font().Assign(Font());
    }
}

void TbsSkinPageControl::PaintTab(int TabIndex, const TRect& R, TCanvas& C, bool Hot, bool Selected)
{
    const bool sideways = TabPosition() == tpLeft || TabPosition() == tpRight;
    int W = sideways ? RectHeight(R) : RectWidth(R);
    int H = sideways ? RectWidth(R) : RectHeight(R);
    if (W <= 0 || H <= 0)
        return;
    const int page = PageOfTab(TabIndex);
    const bool focused = Focused();
    TBitmap b;
    if (FIndex == -1 || !Picture) {
        b.SetSize(W, H, false);
        TCanvas& bc = *b.Canvas();
        TColor frame = clBtnFace, fill = clBtnFace;
        if (Hot && !Selected)
            frame = fill = PlainHotFill;
        else if (Selected && focused)
            frame = PlainHotFrame, fill = PlainDownFill;
        else if (Selected)
            frame = PlainHotFrame, fill = PlainHotFill;
        bc.Brush().SetStyle(bsSolid);
        bc.Brush().SetColor(fill);
        bc.FillRect(TRect{0, 0, W, H});
        TRect f{0, 0, W, H};
        bc.Frame3D(f, frame, frame, 1);
        bc.Font().Assign(Font());
    } else {
        TRect src = TabRect_;
        if (Hot && !Selected && !IsNullRect(MouseInTabRect))
            src = MouseInTabRect;
        else if (Selected && focused)
            src = FocusTabRect;
        else if (Selected)
            src = ActiveTabRect;
        if (TabHeight() > 0) {
            const int extraActive = RectHeight(ActiveTabRect) - RectHeight(TabRect_);
            const int extraFocus = RectHeight(FocusTabRect) - RectHeight(TabRect_);
            if (Selected && extraActive > 0)
                H += extraActive;
            else if (Selected && focused && extraFocus > 0)
                H += extraFocus;
            b.SetSize(W, H, false);
            const int q = RectHeight(TabRect_) / 4;
            CreateStretchImage(b, *Picture, src,
                               TRect{TabLeftOffset, q, RectWidth(src) - TabRightOffset, RectHeight(src) - q}, true);
        } else {
            CreateHSkinImage(TabLeftOffset, TabRightOffset, b, *Picture, src, W, H, TabStretchEffect);
        }
        if (TabPosition() == tpBottom)
            FlipBitmapVert(b);
        TCanvas& bc = *b.Canvas();
        ApplyFont(bc);
        bc.Font().SetColor(Hot && !Selected ? MouseInFontColor
                           : Selected && focused ? FocusFontColor
                           : !Selected ? FontColor
                                       : ActiveFontColor);
    }
    if (sideways && FTextInHorizontal)
        RotateBitmap90(b, TabPosition() == tpLeft);
    W = b.Width();
    H = b.Height();
    TCanvas& bc = *b.Canvas();
    if (FIndex != -1 && ShowFocus && focused && Selected) {
        bc.Brush().SetColor(FSD->SkinColors()->cBtnFace());
        DrawDottedFocusRect(bc, TRect{FocusOffsetX, FocusOffsetY, W - FocusOffsetX, H - FocusOffsetY});
    }
    TRect TR{0, 0, W, H};
    int shift = 0;
    if (FIndex != -1 && RectHeight(TabRect_) != RectHeight(ActiveTabRect) && !Selected)
        shift = TabPosition() == tpTop || TabPosition() == tpLeft ? 2 : -2;
    TR.Top += shift;
    PaintTabContent(bc, page, TR, W, H, shift, Hot, Selected);
    if (FShowCloseButtons) {
        auto* sheet = page >= 0 ? dynamic_cast<TbsSkinCustomTabSheet*>(Pages(page)) : nullptr;
        if (sheet) {
            const int c = FCloseSize + 2 + (FIndex != -1 ? 3 : 0);
            DrawCloseButton(bc, TRect{TR.Right - c, TR.Top, W, H}, sheet, Hot);
            if (sideways && !FTextInHorizontal) {
                const TRect r = sheet->ButtonRect;
                sheet->ButtonRect = TabPosition() == tpLeft ? TRect{r.Top, W - r.Right, r.Bottom, W - r.Left}
                                                            : TRect{H - r.Bottom, r.Left, H - r.Top, r.Right};
            }
        }
    }
    if (sideways && !FTextInHorizontal)
        RotateBitmap90(b, TabPosition() == tpLeft);
    C.Draw(R.Left, R.Top, b);
}

void TbsSkinPageControl::PaintTabContent(TCanvas& C, int PageIndex, const TRect& TR, int W, int H, int Shift,
                                         bool Hot, bool Selected)
{
    const int c = FShowCloseButtons ? FCloseSize + 2 : 0;
    if (OnDrawSkinTab) {
        OnDrawSkinTab(PageIndex, TRect{0, 0, W, H}, Selected, Hot, C);
        return;
    }
    TTabSheet* page = PageIndex >= 0 ? Pages(PageIndex) : nullptr;
    const std::string caption = page ? page->Caption() : std::string();
    const int image = page ? page->ImageIndex() : -1;
    const bool hasImage = FImages && image >= 0 && image < FImages->Count();
    C.Brush().SetStyle(bsClear);
    if (FTabExtendedDraw) {
        DrawImageAndText(C, TRect{TR.Left, TR.Top, TR.Right - c, TR.Bottom}, FTabMargin, FTabSpacing, FTabLayout,
                         caption, image, FImages, false, page ? page->Enabled() : true, false, 0);
        return;
    }
    if (hasImage) {
        const int tw = caption.empty() ? 0 : C.TextWidth(caption) + 2;
        const int iw = FImages->Width();
        const int x0 = (W - c) / 2 - (tw + iw + 2) / 2;
        FImages->Draw(C, x0, H / 2 + Shift - FImages->Height() / 2, image, page ? page->Enabled() : true);
        TRect tr{x0 + iw + 2, TR.Top, x0 + iw + 2 + tw, TR.Bottom};
        C.DrawText(caption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    TRect tr{TR.Left, TR.Top, TR.Right - (FIndex != -1 && c ? c + 3 : c), TR.Bottom};
    C.DrawText(caption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TbsSkinPageControl::DrawCloseButton(TCanvas& C, const TRect& R, TbsSkinCustomTabSheet* Sheet, bool Hot)
{
    if (!Hot)
        Sheet->ButtonMouseIn = false;
    const bool over = Sheet->ButtonMouseIn, pressed = Sheet->ButtonMouseIn && Sheet->ButtonMouseDown;
    const int top = R.Top + RectHeight(R) / 2 - FCloseSize / 2;
    const TRect box{R.Left, top, R.Left + FCloseSize, top + FCloseSize};
    Sheet->ButtonRect = box;
    if (FIndex == -1 || !Picture) {
        DrawCloseGlyph(C, box.Left + 2, box.Top + 2, over ? clWhite : clBlack);
        return;
    }
    if (IsNullRect(CloseButtonRect)) {
        const TbsDataSkinButtonControl* e = FindButtonElement(*FSD, {"resizetoolbutton"});
        if (!e)
            return;
        DrawButtonFace(C, box, *FSD, *e, pressed, over);
        const TColor color = pressed ? e->DownFontColor : over ? e->ActiveFontColor : e->FontColor;
        DrawCloseGlyph(C, box.Left + FCloseSize / 2 - 5, box.Top + FCloseSize / 2 - 5, color);
        return;
    }
    const TRect src = pressed ? CloseButtonDownRect : over ? CloseButtonActiveRect : CloseButtonRect;
    TBitmap g(RectWidth(src), RectHeight(src));
    CopyPiece(g, TRect{0, 0, g.Width(), g.Height()}, *Picture, src);
    if (ButtonTransparent) {
        g.SetTransparentMode(tmFixed);
        g.SetTransparentColor(ButtonTransparentColor);
        g.SetTransparent(true);
    }
    const int y = R.Top + RectHeight(R) / 2 - g.Height() / 2;
    C.Draw(R.Left, y, g);
    Sheet->ButtonRect = TRect{R.Left, y, R.Left + g.Width(), y + g.Height()};
}
