#include "skin/menus/SkinPopupWindow.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Ui.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/data/WindowDescriptions.h"
#include "platform/core/Clock.h"
#include "platform/gfx/Region.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/Marks.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/menus/MenuWindow.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"

namespace {

const char* const PopupClassName = "TbsSkinPopupWindow";
constexpr int BandHeight = 10;
constexpr UINT_PTR ScrollTimerId = 1;

const TBitmap* PictureAt(TbsSkinData* SD, int Index)
{
    if (!SD || Index < 0 || Index >= int(SD->FActivePictures.size()))
        return nullptr;
    return SD->FActivePictures[size_t(Index)].get();
}

TbsDataSkinMenuItem* FirstMenuItemDescription(TbsSkinData* SD)
{
    if (!SD || SD->Empty)
        return nullptr;
    for (auto& o : SD->ObjectList)
        if (auto* mi = dynamic_cast<TbsDataSkinMenuItem*>(o.get()))
            return mi;
    return nullptr;
}

// The accelerator character of a caption ("&&" is a plain ampersand), 0 for none.
int AcceleratorOf(const std::string& Caption)
{
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&')
            continue;
        if (Caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(Caption[i + 1]));
    }
    return 0;
}

}  // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu* AParentMenu, TbsDataSkinPopupWindow* AData)
    : ParentMenu(AParentMenu)
{
    MouseTimer = NewMenuTimer(50, [this](TObject*) { MouseTimerProc(); });
    MorphTimer = NewMenuTimer(20, [this](TObject*) { MorphTimerProc(); });

    // A window picture alone is not enough: without a menu-item description
    // the item sizes cannot be taken from the skin, so the menu is plain.
    TbsSkinData* sd = AParentMenu->SkinData;
    if (AData && PictureAt(sd, AData->WindowPictureIndex) && FirstMenuItemDescription(sd)) {
        PW = AData;
        SD = sd;
        WindowPicture = PictureAt(sd, AData->WindowPictureIndex);
        MaskPicture = PictureAt(sd, AData->MaskPictureIndex);
    }
}

TbsSkinPopupWindow::~TbsSkinPopupWindow()
{
    DestroyHandle();
    for (TbsSkinMenuItem* i : FItems)
        delete i;
    delete MouseTimer;
    delete MorphTimer;
}

void TbsSkinPopupWindow::DestroyHandle()
{
    MouseTimer->SetEnabled(false);
    MorphTimer->SetEnabled(false);
    if (FHandle) {
        HWND h = FHandle;
        FHandle = nullptr;
        FVisible = false;
        if (IsWindow(h))
            DestroyWindow(h);
    }
}

TbsSkinMenuItem* TbsSkinPopupWindow::ActiveMenuItem() const
{
    return ActiveItem >= 0 && ActiveItem < int(FItems.size()) ? FItems[size_t(ActiveItem)] : nullptr;
}

// ------------------------------------------------------------ building

void TbsSkinPopupWindow::SetFont(TCanvas& C) const
{
    if (PW && DSMI && ParentMenu->UseSkinFont()) {
        C.Font().SetHeight(DSMI->FontHeight);
        C.Font().SetStyle(DSMI->FontStyle);
        C.Font().SetName(DSMI->FontName);
    } else {
        C.Font().Assign(ParentMenu->DefaultMenuItemFont());
    }
    TbsSkinData* sd = ParentMenu->SkinData;
    C.Font().SetCharset(sd && sd->ResourceStrData() ? sd->ResourceStrData()->CharSet()
                                                    : ParentMenu->DefaultMenuItemFont().Charset());
}

int TbsSkinPopupWindow::ItemHeight(const TbsSkinMenuItem& I) const
{
    if (DSMI)
        return I.IsDivider() ? DSMI->DividerRect.Height() : DSMI->SkinRect.Height();
    return I.IsDivider() ? 4 : ParentMenu->DefaultMenuItemHeight();
}

int TbsSkinPopupWindow::GetItemWidth(TCanvas& C, TMenuItem* Item) const
{
    std::string text = Item->Caption();
    if (Item->ShortCut())
        text += "  " + ShortCutToText(Item->ShortCut());
    TRect r{0, 0, 0, 0};
    DrawSkinText(C, text, r, DT_CALCRECT | DT_SINGLELINE);
    return r.Width() + 2;
}

void TbsSkinPopupWindow::CreateMenu(TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, int Border)
{
    DSMI = PW ? FirstMenuItemDescription(SD) : nullptr;
    // The items' actions decide first what they show, visibility included,
    // so the lines are tidied after them.
    for (TMenuItem* source : {AItem, AItem2})
        for (int i = 0; source && i < source->Count(); ++i)
            source->Items(i)->InitiateAction();
    TMenu* menu = AItem->GetParentMenu();
    if (menu && menu->AutoLineReduction())
        AItem->RethinkLines();
    ImgL = menu ? menu->Images() : nullptr;
    auto add = [this](TMenuItem* source, int from) {
        for (int i = std::max(0, from); i < source->Count(); ++i)
            if (source->Items(i)->Visible())
                FItems.push_back(new TbsSkinMenuItem(this, source->Items(i), DSMI));
    };
    add(AItem, StartIndex);
    if (AItem2)
        add(AItem2, StartIndex - AItem->Count());
    CalcSize(Border);

    int w = FWidth, h = FHeight;
    if (PW)
        FitPicture(*PW, *WindowPicture, w, h);
    else
        NewItemsRect = TRect{2, 2, w - 2, h - 2};
    CalcItemRects();
}

void TbsSkinPopupWindow::CalcSize(int Border)
{
    VisibleStartIndex = 0;
    VisibleCount = int(FItems.size());
    Scroll = Scroll2 = false;

    TBitmap measure(1, 1);
    TCanvas& c = *measure.Canvas();
    SetFont(c);
    int a = 0;
    for (TbsSkinMenuItem* i : FItems)
        a = std::max(a, GetItemWidth(c, i->MenuItem));
    GlyphWidth = ImgL ? ImgL->Width() + 5 : 19;
    a += GlyphWidth + 19;
    int picW = PW ? WindowPicture->Width() : 0, picH = PW ? WindowPicture->Height() : 0;
    if (!PW)
        FWidth = a + 10;
    else
        FWidth = a + DSMI->TextRct.Left + (DSMI->SkinRect.Width() - DSMI->TextRct.Right) +
                 (picW - PW->ItemsRect.Width());

    int sum = 0;
    for (TbsSkinMenuItem* i : FItems)
        sum += ItemHeight(*i);
    int frame = PW ? picH - PW->ItemsRect.Height() : Border;
    int maxItems = ParentMenu->MaxMenuItemsInWindow;
    if (maxItems > 0 && maxItems < int(FItems.size())) {
        int itemH = DSMI ? DSMI->SkinRect.Height() : ParentMenu->DefaultMenuItemHeight();
        FHeight = maxItems * itemH + frame + 2 * BandHeight;
        Scroll = Scroll2 = true;
    } else {
        FHeight = sum + frame;
    }
    int waH = ParentMenu->WorkArea.Height();
    if (FHeight > waH) {
        FHeight = waH;
        Scroll = true;
    }
}

void TbsSkinPopupWindow::CalcItemRects()
{
    int y = NewItemsRect.Top + (Scroll ? BandHeight : 0);
    int limit = NewItemsRect.Bottom - (Scroll ? BandHeight : 0);
    VisibleCount = 0;
    int last = VisibleStartIndex - 1;
    for (int i = VisibleStartIndex; i < int(FItems.size()); ++i) {
        TbsSkinMenuItem& item = *FItems[size_t(i)];
        item.ObjectRect = TRect{NewItemsRect.Left, y, NewItemsRect.Right, y + ItemHeight(item)};
        y += ItemHeight(item);
        if (item.ObjectRect.Bottom > limit)
            break;
        item.FVisible = true;
        ++VisibleCount;
        last = i;
    }
    if (Scroll)
        for (int i = 0; i < int(FItems.size()); ++i)
            if (i < VisibleStartIndex || i > last)
                FItems[size_t(i)]->FVisible = false;
}

int TbsSkinPopupWindow::GetLastPageStart() const
{
    // The walk ends at the upper band, wherever the items area starts.
    int a = NewItemsRect.Bottom - BandHeight;
    int counted = 0;
    for (int i = int(FItems.size()) - 1; i >= 0; --i) {
        a -= ItemHeight(*FItems[size_t(i)]);
        if (a < NewItemsRect.Top + BandHeight)
            break;
        ++counted;
    }
    return int(FItems.size()) - counted;
}

// ------------------------------------------------------------ showing

void TbsSkinPopupWindow::Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp)
{
    CreateMenu(AItem, nullptr, StartIndex, 4);
    ShowAt(R, PopupByItem, PopupUp);
}

void TbsSkinPopupWindow::Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                               bool PopupUp)
{
    CreateMenu(AItem, AItem2, StartIndex, 6);
    ShowAt(R, PopupByItem, PopupUp);
}

void TbsSkinPopupWindow::ShowAt(const TRect& R, bool PopupByItem, bool PopupUp)
{
    bool beside = false;
    ShowY = ShowTop(R, PopupByItem, PopupUp, beside);
    ShowX = ShowLeft(R, PopupByItem || (Scroll && !Scroll2) || beside);
    if (!CreateWindowAt(ShowX, ShowY))
        return;
    ShowFadingIn();
    MouseTimer->SetEnabled(true);
    SelectFirstUsable();
}

// The top of the window within the work area. A submenu lines its first item
// up with its parent item; a menu from the bar opens below it (or above with
// PopupUp), on the other side when there is no room there, and moved aside
// (Beside) when it fits on neither.
int TbsSkinPopupWindow::ShowTop(const TRect& R, bool PopupByItem, bool PopupUp, bool& Beside) const
{
    const TRect& wa = ParentMenu->WorkArea;
    const int h = FHeight;
    const bool upperHalf = R.Top < wa.Top + wa.Height() / 2;
    if (Scroll && !Scroll2)
        return wa.Top;
    if (PopupByItem) {
        if (R.Top + h - NewItemsRect.Top <= wa.Bottom)
            return R.Top - NewItemsRect.Top;
        if (upperHalf)
            return wa.Bottom - h;
        return std::max(wa.Top, R.Bottom - h + NewItemsRect.Top);
    }
    if (PopupUp) {
        if (R.Top - h >= wa.Top)
            return R.Top - h;
        if (upperHalf && R.Bottom + h <= wa.Bottom)
            return R.Bottom;
        Beside = true;
        return upperHalf ? wa.Bottom - h : wa.Top;
    }
    if (R.Bottom + h <= wa.Bottom)
        return R.Bottom;
    if (!upperHalf && R.Top - h >= wa.Top)
        return R.Top - h;
    Beside = true;
    return upperHalf ? wa.Bottom - h : wa.Top;
}

// The left of the window: beside R (right of it when there is room, else
// left), or aligned with R's left and kept within the work area.
int TbsSkinPopupWindow::ShowLeft(const TRect& R, bool Beside) const
{
    const TRect& wa = ParentMenu->WorkArea;
    const int w = FWidth;
    if (Beside)
        return R.Right + w + 1 <= wa.Right ? R.Right + 1 : R.Left - w - 1;
    if (R.Left + w > wa.Right)
        return wa.Right - w;
    if (R.Left < wa.Left)
        return wa.Left;
    return R.Left;
}

// The window, shaped by the skin's mask picture when it has one.
bool TbsSkinPopupWindow::CreateWindowAt(int X, int Y)
{
    TWndProc proc = [this](HWND hw, UINT msg, WPARAM wp, LPARAM lp) { return WindowProc(hw, msg, wp, lp); };
    FHandle = CreateMenuWindow(PopupClassName, std::move(proc), X, Y, FWidth, FHeight);
    if (!FHandle)
        return false;
    if (MaskPicture) {
        std::optional<TRegion> rgn;
        CreateSkinRegion(rgn, Geometry(), *MaskPicture, FWidth, FHeight);
        if (rgn)
            SetWindowRgn(FHandle, new TRegion(*rgn), true);
    }
    return true;
}

// Layered alpha, and a fade-in for the first window of a new menu.
void TbsSkinPopupWindow::ShowFadingIn()
{
    int value = std::clamp(ParentMenu->AlphaBlendValue, 0, 255);
    bool layered = CanUseLayeredWindows() && ParentMenu->AlphaBlend;
    bool fade = layered && ParentMenu->AlphaBlendAnimation && ParentMenu->First();
    if (layered)
        MakeMenuWindowLayered(FHandle, std::uint8_t(fade ? 0 : value));
    ShowWindow(FHandle, SW_SHOWNOACTIVATE);
    FVisible = true;
    if (fade)
        FadeInLayeredWindow(FHandle, value, std::max(1, value / 15), 5);
}

// The first usable item starts selected, waiting for a command.
void TbsSkinPopupWindow::SelectFirstUsable()
{
    ActiveItem = -1;
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->Usable()) {
            FItems[i]->WaitCommand = true;
            ActiveItem = int(i);
            FItems[i]->MouseEnter(true);
            break;
        }
}

void TbsSkinPopupWindow::Hide()
{
    if (FHandle)
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    MouseTimer->SetEnabled(false);
    MorphTimer->SetEnabled(false);
    FVisible = false;
}

// ------------------------------------------------------------ painting

TbsSkinGeometry TbsSkinPopupWindow::Geometry() const
{
    return FittedGeometry(*PW);
}

void TbsSkinPopupWindow::CreateMenuImage(TBitmap& B, bool DrawClient)
{
    int w = FWidth, h = FHeight;
    if (PW) {
        CreateWindowSkinImage(Geometry(), B, *WindowPicture, TRect{0, 0, WindowPicture->Width(), WindowPicture->Height()}, w,
                              h, DrawClient, PW->LeftStretch, PW->TopStretch, PW->RightStretch, PW->BottomStretch,
                              PW->StretchEffect, PW->StretchType);
        return;
    }
    B.SetSize(w, h, false);
    TCanvas& c = *B.Canvas();
    int band = ImgL ? GlyphWidth + 2 : 21;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(TRect{0, 0, band, h});
    c.Brush().SetColor(clWindow);
    c.FillRect(TRect{band, 0, w, h});
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(TRect{0, 0, w, h});
    c.Brush().SetColor(clWindow);
    c.FrameRect(TRect{1, 1, w - 1, h - 1});
}

void TbsSkinPopupWindow::DrawItemsBackground(TCanvas& C, const TRect& R)
{
    if (!SD || R.Width() <= 0 || R.Height() <= 0)
        return;
    int i = SD->GetIndex("menuitem");
    if (i == -1)
        i = SD->GetIndex("MENUITEM");
    if (i == -1)
        return;
    auto* mi = dynamic_cast<TbsDataSkinMenuItem*>(SD->ObjectList[size_t(i)].get());
    const TBitmap* pic = mi ? PictureAt(SD, mi->ActivePictureIndex) : nullptr;
    TBitmap b;
    if (DSMI && DSMI->InActiveTransparent && FPaintBuffer) {
        b.SetSize(R.Width(), R.Height(), false);
        b.Canvas()->CopyRect(TRect{0, 0, R.Width(), R.Height()}, *FPaintBuffer->Canvas(), R);
    } else if (pic) {
        CreateHSkinImage(mi->ItemLO, mi->ItemRO, b, *pic, mi->SkinRect, R.Width(), mi->SkinRect.Height(),
                         mi->InActiveStretchEffect);
    } else {
        return;
    }
    TBitmap cut(R.Width(), R.Height());
    cut.Canvas()->CopyRect(TRect{0, 0, R.Width(), R.Height()}, *b.Canvas(),
                           TRect{0, 0, R.Width(), std::min(R.Height(), b.Height())});
    if (b.Height() < R.Height())
        cut.Canvas()->CopyRect(TRect{0, 0, R.Width(), b.Height()}, *b.Canvas(), TRect{0, 0, R.Width(), b.Height()});
    C.Draw(R.Left, R.Top, cut);
}

void TbsSkinPopupWindow::DrawUpMarker(TCanvas& C)
{
    TRect band;
    TColor color;
    if (PW) {
        band = TRect{NewItemsRect.Left, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Top + BandHeight};
        DrawItemsBackground(C, band);
        color = TColor(ScrollCode == 1 ? PW->ScrollMarkerActiveColor : PW->ScrollMarkerColor);
    } else {
        band = TRect{3, 3, FWidth - 3, 13};
        color = ScrollCode == 1 ? clBtnText : clBtnShadow;
    }
    DrawArrow(C, band, color, 3);
}

void TbsSkinPopupWindow::DrawDownMarker(TCanvas& C)
{
    TRect band;
    TColor color;
    if (PW) {
        band = TRect{NewItemsRect.Left, NewItemsRect.Bottom - BandHeight, NewItemsRect.Right, NewItemsRect.Bottom};
        DrawItemsBackground(C, band);
        color = TColor(ScrollCode == 2 ? PW->ScrollMarkerActiveColor : PW->ScrollMarkerColor);
    } else {
        band = TRect{3, FHeight - 10, FWidth - 3, FHeight - 3};
        color = ScrollCode == 2 ? clBtnText : clBtnShadow;
    }
    DrawArrow(C, band, color, 4);
}

void TbsSkinPopupWindow::PaintMenu(TCanvas& Canvas)
{
    TBitmap buffer;
    CreateMenuImage(buffer, Scroll);
    if (PW && DSMI && DSMI->InActiveTransparent) {
        FPaintBuffer = std::make_unique<TBitmap>();
        CreateMenuImage(*FPaintBuffer, true);
    }
    TCanvas& c = *buffer.Canvas();
    int bottom = NewItemsRect.Top;
    for (int i = VisibleStartIndex; i < VisibleStartIndex + VisibleCount && i < int(FItems.size()); ++i) {
        FItems[size_t(i)]->Draw(c);
        bottom = FItems[size_t(i)]->ObjectRect.Bottom;
    }
    if (Scroll) {
        DrawUpMarker(c);
        DrawDownMarker(c);
        if (PW)
            DrawItemsBackground(c, TRect{NewItemsRect.Left, bottom, NewItemsRect.Right,
                                         NewItemsRect.Bottom - BandHeight});
    }
    Canvas.Draw(0, 0, buffer);
}

void TbsSkinPopupWindow::Repaint()
{
    if (!FHandle)
        return;
    InvalidateRect(FHandle, nullptr, false);
    UpdateWindow(FHandle);
}

void TbsSkinPopupWindow::MorphTimerProc()
{
    if (!PW) {
        MorphTimer->SetEnabled(false);
        return;
    }
    bool changed = false;
    for (TbsSkinMenuItem* i : FItems) {
        if (i->EnableMorphing() && i->CanMorphing()) {
            i->DoMorphing();
            changed = true;
        } else if (i->EnableAnimation()) {
            if (i->Active && i->CurrentFrame <= i->MI->FrameCount) {
                ++i->CurrentFrame;
                i->ReDraw();
                changed = true;
            } else if (!i->Active && i->CurrentFrame > 0) {
                --i->CurrentFrame;
                i->ReDraw();
                changed = true;
            }
        }
    }
    if (!changed)
        MorphTimer->SetEnabled(false);
}

// ------------------------------------------------------------ mouse

void TbsSkinPopupWindow::MouseTimerProc()
{
    if (!FHandle)
        return;
    TPoint p;
    GetCursorPos(p);
    TRect wr;
    GetWindowRect(FHandle, wr);
    TPoint c{p.X - wr.Left, p.Y - wr.Top};
    if (c.X == OMX && c.Y == OMY)
        return;
    OMX = c.X;
    OMY = c.Y;
    if (WindowFromPoint(p) == FHandle) {
        TestMouse(c.X, c.Y);
    } else if (Scroll && ScrollCode != 0) {
        StopScroll();
    }
}

void TbsSkinPopupWindow::TestMouse(int X, int Y)
{
    TPoint p{X, Y};
    if (Scroll) {
        TRect up{NewItemsRect.Left, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Top + BandHeight};
        TRect down{NewItemsRect.Left, NewItemsRect.Bottom - BandHeight, NewItemsRect.Right, NewItemsRect.Bottom};
        if (up.Contains(p) && ScrollCode == 0 && CanScroll(1)) {
            ScrollCode = 1;
            Repaint();
            StartScroll();
        } else if (down.Contains(p) && ScrollCode == 0 && CanScroll(2)) {
            ScrollCode = 2;
            Repaint();
            StartScroll();
        } else if (ScrollCode != 0 && !up.Contains(p) && !down.Contains(p)) {
            StopScroll();
        }
    }
    if (FItems.empty())
        return;
    OldActiveItem = ActiveItem;
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->FVisible && FItems[i]->ObjectRect.Contains(p)) {
            ActiveItem = int(i);
            break;
        }
    if (ActiveItem >= int(FItems.size()))
        ActiveItem = -1;
    if (ActiveItem == OldActiveItem) {
        TbsSkinMenuItem* item = ActiveMenuItem();
        if (item && item->WaitCommand) {
            item->WaitCommand = false;
            if (item->MenuItem->Count() > 0)
                item->MouseEnter(false);
        }
        return;
    }
    if (OldActiveItem >= 0 && OldActiveItem < int(FItems.size()) && FItems[size_t(OldActiveItem)]->Usable())
        FItems[size_t(OldActiveItem)]->MouseLeave();
    if (TbsSkinMenuItem* item = ActiveMenuItem(); item && item->Usable())
        item->MouseEnter(false);
}

void TbsSkinPopupWindow::MouseUp(bool LeftButton, int X, int Y)
{
    TestMouse(X, Y);
    if (!LeftButton)
        return;
    TbsSkinMenuItem* item = ActiveMenuItem();
    if (!item || item->IsDivider() || !item->FVisible || !item->ObjectRect.Contains(TPoint{X, Y}))
        return;
    // The item may close the whole menu: nothing of this window is used after it.
    item->MouseDown(X, Y);
}

LRESULT TbsSkinPopupWindow::WindowProc(HWND h, UINT Msg, WPARAM wp, LPARAM lp)
{
    switch (Msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        TCanvas c;
        c.SetHandle(dc);
        PaintMenu(c);
        c.SetHandle(nullptr);
        EndPaint(h, ps);
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        // The open menu holds the mouse: a point may lie on another level
        // of the menu or outside it.
        TPoint p = LParamToPoint(lp);
        TRect wr;
        GetWindowRect(h, wr);
        ParentMenu->MouseMessage(Msg, TPoint{p.X + wr.Left, p.Y + wr.Top});
        return 0;
    }
    case WM_TIMER:
        if (wp == ScrollTimerId) {
            if (ScrollCode == 1) {
                if (CanScroll(1))
                    ScrollUp(false);
                else
                    StopScroll();
            } else if (ScrollCode == 2) {
                if (CanScroll(2))
                    ScrollDown(false);
                else
                    StopScroll();
            }
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProc(h, Msg, wp, lp);
}

// ------------------------------------------------------------ scrolling

bool TbsSkinPopupWindow::CanScroll(int Code) const
{
    if (Code == 1)
        return VisibleStartIndex > 0;
    if (Code == 2)
        return VisibleStartIndex + VisibleCount - 1 < int(FItems.size()) - 1;
    return false;
}

void TbsSkinPopupWindow::StartScroll()
{
    ParentMenu->CloseFrom(ParentMenu->IndexOfPopup(this) + 1);
    if (FHandle) {
        KillTimer(FHandle, ScrollTimerId);
        SetTimer(FHandle, ScrollTimerId, 100);
    }
}

void TbsSkinPopupWindow::StopScroll()
{
    ScrollCode = 0;
    Repaint();
    if (FHandle)
        KillTimer(FHandle, ScrollTimerId);
}

void TbsSkinPopupWindow::ScrollUp(bool Cycle)
{
    if (VisibleStartIndex > 0)
        --VisibleStartIndex;
    else if (Cycle)
        VisibleStartIndex = GetLastPageStart();
    CalcItemRects();
    Repaint();
}

void TbsSkinPopupWindow::ScrollDown(bool Cycle)
{
    if (CanScroll(2))
        ++VisibleStartIndex;
    else if (Cycle)
        VisibleStartIndex = 0;
    CalcItemRects();
    Repaint();
}

// ------------------------------------------------------------ keys

void TbsSkinPopupWindow::ChangeActive(int NewActive, bool Kb)
{
    OldActiveItem = ActiveItem;
    ActiveItem = NewActive;
    if (ActiveItem == OldActiveItem)
        return;
    FItems[size_t(ActiveItem)]->MouseEnter(Kb);
    if (OldActiveItem >= 0 && OldActiveItem < int(FItems.size()))
        FItems[size_t(OldActiveItem)]->MouseLeave();
}

void TbsSkinPopupWindow::NextItem()
{
    int n = int(FItems.size());
    if (n == 0)
        return;
    int lastVisible = VisibleStartIndex + VisibleCount - 1;
    if (Scroll && ScrollCode == 0 && ActiveItem == lastVisible)
        ScrollDown(true);
    int start = ActiveItem + 1;
    if (ActiveItem == -1 || start > n - 1)
        start = 0;
    for (int i = start; i < n; ++i) {
        if (FItems[size_t(i)]->Usable()) {
            ChangeActive(i, true);
            return;
        }
        if (Scroll && ScrollCode == 0 && i == VisibleStartIndex + VisibleCount - 1)
            ScrollDown(true);
    }
}

void TbsSkinPopupWindow::PriorItem()
{
    int n = int(FItems.size());
    if (n == 0)
        return;
    if (Scroll && ScrollCode == 0 && ActiveItem == VisibleStartIndex)
        ScrollUp(true);
    int start = ActiveItem - 1;
    if (ActiveItem == -1 || start == -1)
        start = n - 1;
    for (int i = start; i >= 0; --i) {
        if (FItems[size_t(i)]->Usable()) {
            ChangeActive(i, true);
            return;
        }
        if (Scroll && ScrollCode == 0 && i == VisibleStartIndex)
            ScrollUp(true);
    }
}

void TbsSkinPopupWindow::PopupKeyDown(int CharCode)
{

    if (!FVisible)
        return;
    // Accelerators are letters and digits, whose key codes are their characters.
    int key = CharCode;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        for (size_t i = 0; i < FItems.size(); ++i)
            if (AcceleratorOf(FItems[i]->MenuItem->Caption()) == key) {
                TbsSkinMenuItem* item = FItems[i];
                item->MouseEnter(false);
                if (ActiveItem >= 0 && ActiveItem != int(i) && ActiveItem < int(FItems.size()))
                    FItems[size_t(ActiveItem)]->MouseLeave();
                ActiveItem = int(i);
                item->MouseDown(0, 0);
                return;
            }
    switch (CharCode) {
    case VK_RETURN:
        if (TbsSkinMenuItem* item = ActiveMenuItem())
            item->MouseDown(0, 0);
        break;
    case VK_ESCAPE:
    case VK_LEFT: {
        int count = ParentMenu->WindowCount();
        if (count > 1) {
            TbsSkinPopupWindow* below = ParentMenu->PopupWindow(count - 2);
            if (TbsSkinMenuItem* item = below->ActiveMenuItem()) {
                item->Down = false;
                item->ReDraw();
            }
            ParentMenu->CloseFrom(count - 1);
        } else if (CharCode == VK_ESCAPE) {
            ParentMenu->CloseFrom(0);
        }
        break;
    }
    case VK_UP:
        PriorItem();
        break;
    case VK_DOWN:
        NextItem();
        break;
    case VK_RIGHT:
        if (TbsSkinMenuItem* item = ActiveMenuItem(); item && item->MenuItem->Count() > 0)
            item->MouseDown(0, 0);
        break;
    default:
        break;
    }
}

void TbsSkinPopupWindow::CloseChildMenus()
{
    int level = ParentMenu->IndexOfPopup(this);
    if (ParentMenu->WindowCount() > level + 1)
        ParentMenu->CloseFrom(level + 1);
    for (TbsSkinMenuItem* i : FItems)
        if (i->Down) {
            i->Down = false;
            if (i->EnableAnimation() && !i->MI->InActiveAnimation) {
                i->CurrentFrame = 0;
                i->ReDraw();
            } else {
                i->ReDraw();
            }
        }
}
