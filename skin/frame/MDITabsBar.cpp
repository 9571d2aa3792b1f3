#include "skin/frame/MDITabsBar.h"
#include <algorithm>
#include <utility>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/forms/Forms.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Marks.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/FrameObjects.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/menus/SkinMenu.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/Application.h"
#include "skin/controls/ControlPaint.h"

TbsSkinMDITabsBar::TbsSkinMDITabsBar(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    FSkinDataName = "tab";
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    SetBounds(0, 0, 150, 21);
    FListMenu = new TbsSkinPopupMenu(this);
    FHideListMenu = new TbsSkinPopupMenu(this);
}

void TbsSkinMDITabsBar::SetSkinData(TbsSkinData* Value)
{
    TbsSkinControl::SetSkinData(Value);
    for (TbsSkinMenuSpeedButton* b : {FListButton, FHideListButton})
        if (b)
            b->SetSkinData(Value);
}

TbsSkinMenuSpeedButton* TbsSkinMDITabsBar::NewListButton(TAlign Align, int ArrowType, TbsSkinPopupMenu* Menu)
{
    auto* b = new TbsSkinMenuSpeedButton(this);
    b->SetSkinDataName("resizetoolbutton");
    b->SetSkinData(FSD);
    b->SetStandardArrow(true, ArrowType);
    b->SetSkinPopupMenu(Menu);
    b->SetWidth(ListButtonWidth);
    b->SetParent(this);
    b->SetAlign(Align);
    return b;
}

void TbsSkinMDITabsBar::UpdateListButtons()
{
    // Making or freeing a button realigns the bar and paints it at once, and
    // a paint comes back here: the nested call must neither see a button
    // half freed (and free it again) nor make a second one.
    if (FUpdatingListButtons)
        return;
    FUpdatingListButtons = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FUpdatingListButtons};
    if (!ObjectList.empty() && !FListButton) {
        FListButton = NewListButton(alLeft, 4, FListMenu);
        FListButton->OnShowTrackMenu = [this](TObject*) { FillListMenu(); };
    } else if (ObjectList.empty() && FListButton) {
        delete std::exchange(FListButton, nullptr);
    }
    CalcTabRects();
    if (FInVisibleCount > 0 && !FHideListButton) {
        FHideListButton = NewListButton(alRight, 2, FHideListMenu);
        FHideListButton->OnShowTrackMenu = [this](TObject*) { FillHideListMenu(); };
    } else if (FInVisibleCount == 0 && FHideListButton) {
        delete std::exchange(FHideListButton, nullptr);
    }
}

void TbsSkinMDITabsBar::FillListMenu() { FillMenu(FListMenu, false); }

void TbsSkinMDITabsBar::FillHideListMenu() { FillMenu(FHideListMenu, true); }

void TbsSkinMDITabsBar::FillMenu(TbsSkinPopupMenu* Menu, bool HiddenOnly)
{
    TMenuItem* root = Menu->Items();
    root->Clear();
    for (auto& t : ObjectList) {
        if (!t->Child || (HiddenOnly && t->Visible))
            continue;
        auto* item = new TMenuItem(nullptr);   // the menu tree owns it; names may repeat
        item->SetName(t->Child->Name() + (HiddenOnly ? "_BSFCHILDITEMBARHIDE" : "_BSFCHILDITEMBAR"));
        item->SetCaption(t->Child->Caption());
        item->SetRadioItem(true);
        item->SetGroupIndex(0);
        item->SetChecked(t->Active);
        // The menu is filled anew at each opening: the form is still there.
        TCustomForm* child = t->Child;
        item->OnClick = [child](TObject*) {
            if (TbsFormFrame* f = GetFormFrame(child); f && f->WindowState() == wsMinimized)
                f->SetWindowState(wsNormal);
            child->Show();
        };
        root->Add(item);
    }
}

TbsSkinMDITabsBar::~TbsSkinMDITabsBar() = default;

const TbsDataSkinTabControl* TbsSkinMDITabsBar::Entry() const
{
    if (FIndex < 0 || !FSD || FSD->Empty || FIndex >= int(FSD->CtrlList.size()))
        return nullptr;
    return dynamic_cast<const TbsDataSkinTabControl*>(FSD->CtrlList[size_t(FIndex)].get());
}

void TbsSkinMDITabsBar::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    const TbsDataSkinTabControl* e = Entry();
    FBottomOffset = e ? e->ClRect.Top : 0;
}

int TbsSkinMDITabsBar::GetCloseSize() const
{
    const TbsDataSkinTabControl* e = Entry();
    return !e || IsNullRect(e->CloseButtonRect) ? 14 : e->CloseButtonRect.Width();
}

void TbsSkinMDITabsBar::ChangeSkinData()
{
    GetSkinData();
    FCloseSize = GetCloseSize();
    const TbsDataSkinTabControl* e = Entry();
    if (e && UseSkinSize)
        SetHeight(e->TabRect.Height() + (FTabKind == bstkTab ? FBottomOffset : 0));
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    Repaint();
}

void TbsSkinMDITabsBar::SetShowCloseButtons(bool Value)
{
    FShowCloseButtons = Value;
    Repaint();
}

void TbsSkinMDITabsBar::SetTabKind(TbsSkinMDITabKind Value)
{
    FTabKind = Value;
    if (Entry())
        Repaint();
}

void TbsSkinMDITabsBar::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!Entry() && Value > 0)
        SetHeight(Value);
}

// ------------------------------------------------------------ tabs

void TbsSkinMDITabsBar::AddTab(TCustomForm* Child)
{
    Child->FreeNotification(this);
    ObjectList.push_back(std::make_unique<TbsMDITab>(this, Child));
    UpdateListButtons();
    Repaint();
}

void TbsSkinMDITabsBar::DeleteTab(TCustomForm* Child)
{
    if (ActiveTabIndex >= 0 && ActiveTabIndex < TabCount() && ObjectList[size_t(ActiveTabIndex)]->Child == Child) {
        if (OnTabMouseLeave)
            OnTabMouseLeave(ObjectList[size_t(ActiveTabIndex)].get());
        ActiveTabIndex = OldTabIndex = -1;
    }
    auto it = std::find_if(ObjectList.begin(), ObjectList.end(), [Child](auto& t) { return t->Child == Child; });
    if (it == ObjectList.end())
        return;
    ObjectList.erase(it);
    UpdateListButtons();
    Repaint();
}

void TbsSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    // Compared as components: the form may be half gone already.
    for (auto& t : ObjectList)
        if (static_cast<TComponent*>(t->Child) == AComponent) {
            DeleteTab(t->Child);
            break;
        }
}

void TbsSkinMDITabsBar::UpdateActiveTab()
{
    TCustomForm* main = Application->MainForm();
    if (TCustomForm* active = main ? main->ActiveMDIChild() : nullptr)
        for (auto& t : ObjectList)
            t->Active = t->Child == active;
    Repaint();
}

int TbsSkinMDITabsBar::TabHeight() const
{
    return FTabKind == bstkButton ? Height() : Height() - FBottomOffset;
}

void TbsSkinMDITabsBar::CalcTabRects()
{
    FInVisibleCount = 0;
    if (ObjectList.empty())
        return;
    const int n = TabCount(), h = TabHeight();
    const int w = std::min((Width() - ListButtonWidth) / n, DefaultTabWidth);
    int limit = Width();
    if (MinTabWidth > 0 && w < MinTabWidth) {
        const int fit = (Width() - 2 * ListButtonWidth) / MinTabWidth;
        for (int i = 0; i < n; ++i) {
            TbsMDITab& t = *ObjectList[size_t(i)];
            t.Visible = i < fit;
            t.ObjectRect = t.Visible ? TRect{15 + i * MinTabWidth, 0, 15 + (i + 1) * MinTabWidth, h} : TRect{0, 0, 0, 0};
            if (!t.Visible)
                ++FInVisibleCount;
        }
        limit = Width() - ListButtonWidth;
    } else {
        for (int i = 0; i < n; ++i) {
            TbsMDITab& t = *ObjectList[size_t(i)];
            t.Visible = true;
            t.ObjectRect = TRect{15 + i * w, 0, 15 + (i + 1) * w, h};
        }
        if (w < DefaultTabWidth)
            ObjectList.back()->ObjectRect.Right = Width();
    }
    if (IsDrag && DragIndex >= 0 && DragIndex < n) {
        TRect& r = ObjectList[size_t(DragIndex)]->ObjectRect;
        const int rw = r.Width();
        r.Left += TabDX;
        r.Left = std::max(0, std::min(r.Left, limit - rw));
        r.Right = r.Left + rw;
    }
}

int TbsSkinMDITabsBar::GetTabIndex(int X, int Y) const
{
    for (int i = 0; i < TabCount(); ++i) {
        const TbsMDITab& t = *ObjectList[size_t(i)];
        const TRect& r = t.ObjectRect;
        if (t.Visible && X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom)
            return i;
    }
    return -1;
}

TbsMDITab* TbsSkinMDITabsBar::GetTab(int X, int Y) const
{
    const int i = GetTabIndex(X, Y);
    return i < 0 ? nullptr : ObjectList[size_t(i)].get();
}

int TbsSkinMDITabsBar::GetDropIndex() const
{
    if (DragIndex < 0 || DragIndex >= TabCount())
        return -1;
    const TRect& d = ObjectList[size_t(DragIndex)]->ObjectRect;
    auto centre = [](const TRect& r) { return r.Left + r.Width() / 2; };
    int result = -1;
    if (TabDX > 0) {
        for (int i = DragIndex + 1; i < TabCount(); ++i)
            if (ObjectList[size_t(i)]->Visible && centre(ObjectList[size_t(i)]->ObjectRect) < d.Right)
                result = i;
    } else if (TabDX < 0) {
        for (int i = 0; i < DragIndex; ++i)
            if (ObjectList[size_t(i)]->Visible && centre(ObjectList[size_t(i)]->ObjectRect) > d.Left)
                return i;
    }
    return result;
}

// ------------------------------------------------------------ painting

void TbsSkinMDITabsBar::CreateControlDefaultImage(TBitmap& B)
{
    PrepareFaceBitmap(B, Width(), Height());
    DrawTabs(B);
}

void TbsSkinMDITabsBar::CreateControlSkinImage(TBitmap& B)
{
    const TbsDataSkinTabControl* e = Entry();
    const TBitmap* picture = e ? FSD->ActivePicture(e->PictureIndex) : nullptr;
    PrepareFaceBitmap(B, Width(), Height());
    if (e && picture && !IsNullRect(e->TabsBGRect)) {
        // The background strip tiled across the tab band.
        const int h = TabHeight(), tw = e->TabsBGRect.Width();
        TBitmap tile;
        CreateHSkinImage(0, 0, tile, *picture, e->TabsBGRect, tw, h, true);
        for (int x = 0; x < Width(); x += tw)
            B.Canvas()->StretchDraw(TRect{x, 0, x + tw, h}, tile);
    }
    DrawTabs(B);
}

void TbsSkinMDITabsBar::DrawTabs(TBitmap& B)
{
    CalcTabRects();
    for (int i = 0; i < TabCount(); ++i)
        if (ObjectList[size_t(i)]->Visible && !(IsDrag && i == DragIndex))
            DrawTab(*ObjectList[size_t(i)], *B.Canvas());
    if (IsDrag && DragIndex >= 0 && DragIndex < TabCount())
        DrawTab(*ObjectList[size_t(DragIndex)], *B.Canvas());
}

void TbsSkinMDITabsBar::DrawTab(TbsMDITab& Tab, TCanvas& Cnvs)
{
    const int w = Tab.ObjectRect.Width(), h = Tab.ObjectRect.Height();
    if (w <= 0 || h <= 0)
        return;
    const TbsDataSkinTabControl* e = Entry();
    const TBitmap* picture = e ? FSD->ActivePicture(e->PictureIndex) : nullptr;
    TBitmap b;
    TRect text;
    // The application may change the canvas, except on the skin's own fixed-size tabs.
    bool drawParams = true;
    if (e && FTabKind == bstkButton) {
        if (!ButtonDraw(Tab, b, text))
            return;   // the skin has no button to draw tabs with
    } else if (e && picture && !UseSkinSize) {
        ResizeDraw(Tab, b, text);
    } else {
        TabDraw(Tab, b, text);
        drawParams = !(e && picture);
    }
    TCanvas& c = *b.Canvas();
    c.Brush().SetStyle(bsClear);
    if (OnTabGetDrawParamsEvent && drawParams)
        OnTabGetDrawParamsEvent(&Tab, c);
    std::string caption = Tab.Child ? Tab.Child->Caption() : std::string();
    FitTextToWidthW(c, caption, text.Width());
    // Centred in either reading order; a right-to-left bar reads it so.
    DrawSkinText(c, caption, text, DrawTextBiDiModeFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    Cnvs.Draw(Tab.ObjectRect.Left, Tab.ObjectRect.Top, b);
}

void TbsSkinMDITabsBar::SetTabFont(TCanvas& C, TColor Color) const
{
    const TbsDataSkinTabControl* e = Entry();
    if (e && UseSkinFont) {
        C.Font().SetName(e->FontName);
        C.Font().SetHeight(e->FontHeight);
        C.Font().SetStyle(e->FontStyle);
    } else {
        C.Font().Assign(FDefaultFont);
    }
    if (FSD && FSD->ResourceStrData())
        C.Font().SetCharset(FSD->ResourceStrData()->CharSet());
    C.Font().SetColor(Color);
}

void TbsSkinMDITabsBar::TabDraw(TbsMDITab& Tab, TBitmap& B, TRect& Text)
{
    const int w = Tab.ObjectRect.Width(), h = Tab.ObjectRect.Height();
    const TbsDataSkinTabControl* e = Entry();
    const TBitmap* picture = e ? FSD->ActivePicture(e->PictureIndex) : nullptr;
    const bool hot = Tab.MouseIn && !Tab.Active;
    B.SetSize(w, h);
    TCanvas& c = *B.Canvas();
    if (e && picture) {
        const TRect src = hot && !IsNullRect(e->MouseInTabRect) ? e->MouseInTabRect
                          : Tab.Active && !IsNullRect(e->ActiveTabRect) ? e->ActiveTabRect
                                                                          : e->TabRect;
        TBitmap face;
        CreateHSkinImage(e->TabLeftOffset, e->TabRightOffset, face, *picture, src, w, h, e->TabStretchEffect);
        c.StretchDraw(TRect{0, 0, w, h}, face);
        SetTabFont(c, hot ? e->MouseInFontColor : Tab.Active ? e->ActiveFontColor : e->FontColor);
        Text = TRect{e->TabLeftOffset, 0, w - e->TabRightOffset, h};
    } else {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(hot ? PlainHotFill : Tab.Active ? PlainDownFill : clBtnFace);
        c.FillRect(TRect{0, 0, w, h});
        c.Font().Assign(FDefaultFont);
        if (FSD && !FSD->Empty && FSD->ResourceStrData())
            c.Font().SetCharset(FSD->ResourceStrData()->CharSet());
        Text = TRect{2, 0, w - 2, h};
    }
    if (FShowCloseButtons) {
        Text = TRect{2, 0, w - FCloseSize - 5, h};
        DrawCloseButton(Tab, c, TRect{Text.Right, 0, w, h});
    }
}

bool TbsSkinMDITabsBar::ButtonDraw(TbsMDITab& Tab, TBitmap& B, TRect& Text)
{
    const int i = FSD->GetControlIndex("resizebutton");
    const auto* k = i < 0 ? nullptr : dynamic_cast<const TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(i)].get());
    const TBitmap* picture = k ? FSD->ActivePicture(k->PictureIndex) : nullptr;
    if (!k || !picture || IsNullRect(k->SkinRect))
        return false;
    const int w = Tab.ObjectRect.Width(), h = Tab.ObjectRect.Height();
    // Normal, hovered (the pointer over it) or down (the active child's tab).
    const TRect hover = IsNullRect(k->ActiveSkinRect) ? k->SkinRect : k->ActiveSkinRect;
    const TRect down = IsNullRect(k->DownSkinRect) ? hover : k->DownSkinRect;
    const TRect src = Tab.Active ? down : Tab.MouseIn ? hover : k->SkinRect;
    const int dW = w - k->SkinRect.Width(), dH = h - k->SkinRect.Height();
    const TbsSkinGeometry g = GrownGeometry(k->LTPoint, k->RTPoint, k->LBPoint, k->RBPoint, k->ClRect, dW, dH);
    CreateSkinImage(g, B, *picture, src, w, h, true, k->LeftStretch, k->TopStretch, k->RightStretch,
                    k->BottomStretch, k->StretchEffect, k->StretchType);
    TCanvas& c = *B.Canvas();
    SetTabFont(c, Tab.Active ? k->DownFontColor : Tab.MouseIn ? k->ActiveFontColor : k->FontColor);
    Text = g.NewClRect;
    if (FShowCloseButtons) {
        Text.Right -= FCloseSize + 3;
        DrawCloseButton(Tab, c, TRect{Text.Right, 0, Text.Right + FCloseSize + 3, h});
    }
    // A client part lower than the text: the text's height, centred in the tab.
    const int th = c.TextHeight("Wg");
    if (Text.Height() < th) {
        Text.Top = h / 2 - th / 2;
        Text.Bottom = Text.Top + th;
    }
    return true;
}

void TbsSkinMDITabsBar::ResizeDraw(TbsMDITab& Tab, TBitmap& B, TRect& Text)
{
    const TbsDataSkinTabControl* e = Entry();
    const TBitmap* picture = FSD->ActivePicture(e->PictureIndex);
    const int w = Tab.ObjectRect.Width();
    // The active tab reaches down over the strip under the tabs.
    const int h = Tab.ObjectRect.Height() + (Tab.Active ? ActiveTabOffset() : 0);
    const bool hot = Tab.MouseIn && !Tab.Active;
    TRect src = e->TabRect;
    TColor color = e->FontColor;
    if (hot && !IsNullRect(e->MouseInTabRect)) {
        src = e->MouseInTabRect;
        color = e->MouseInFontColor;
    } else if (Tab.Active) {
        src = IsNullRect(e->ActiveTabRect) ? e->TabRect : e->ActiveTabRect;
        color = e->ActiveFontColor;
    }
    // Fixed margins: the side caps and a quarter of the tab's height above and below.
    const int q = e->TabRect.Height() / 4;
    B.SetSize(w, h);
    CreateStretchImage(B, *picture, src, TRect{e->TabLeftOffset, q, src.Width() - e->TabRightOffset, src.Height() - q},
                       true);
    TCanvas& c = *B.Canvas();
    SetTabFont(c, color);
    if (FShowCloseButtons) {
        Text = TRect{2, 2, w - FCloseSize - 5, h};
        DrawCloseButton(Tab, c, TRect{Text.Right, 2, w, h});
    } else {
        Text = TRect{2, 0, w - 2, h};
    }
}

int TbsSkinMDITabsBar::ActiveTabOffset() const
{
    const TbsDataSkinTabControl* e = Entry();
    return e && !IsNullRect(e->ActiveTabRect) ? e->ActiveTabRect.Height() - e->TabRect.Height() : 0;
}

void TbsSkinMDITabsBar::DrawCloseButton(TbsMDITab& Tab, TCanvas& Cnvs, const TRect& R)
{
    const TbsDataSkinTabControl* e = Entry();
    const TBitmap* picture = e ? FSD->ActivePicture(e->PictureIndex) : nullptr;
    if (e && picture && !IsNullRect(e->CloseButtonRect)) {
        TRect src = e->CloseButtonRect;
        const TRect active = IsNullRect(e->CloseButtonActiveRect) ? e->CloseButtonRect : e->CloseButtonActiveRect;
        const TRect down = IsNullRect(e->CloseButtonDownRect) ? active : e->CloseButtonDownRect;
        if (Tab.ButtonMouseDown && Tab.ButtonMouseIn)
            src = down;
        else if (Tab.ButtonMouseIn)
            src = active;
        const int y = R.Top + (R.Height() - src.Height()) / 2;
        Tab.ButtonRect = TRect{R.Left, y, R.Left + src.Width(), y + src.Height()};
        TBitmap piece(src.Width(), src.Height());
        piece.Canvas()->CopyRect(TRect{0, 0, src.Width(), src.Height()}, *const_cast<TBitmap*>(picture)->Canvas(), src);
        if (e->ButtonTransparent) {
            piece.SetTransparent(true);
            piece.SetTransparentMode(tmFixed);
            piece.SetTransparentColor(e->ButtonTransparentColor);
        }
        Cnvs.Draw(Tab.ButtonRect.Left, Tab.ButtonRect.Top, piece);
        return;
    }
    const int y = R.Top + (R.Height() - FCloseSize) / 2;
    Tab.ButtonRect = TRect{R.Left, y, R.Left + FCloseSize, y + FCloseSize};
    DrawCloseGlyph(Cnvs, R.Left + 2, y + 2, Tab.ButtonMouseIn ? clWhite : clBlack);
}

// ------------------------------------------------------------ mouse

void TbsSkinMDITabsBar::WndProc(TMessage& Message)
{
    // The hidden-tabs button follows the layout: made or removed before a paint.
    if (Message.Msg == WM_PAINT)
        UpdateListButtons();
    TbsSkinControl::WndProc(Message);
    if (Message.Msg == CM_MOUSELEAVE)
        TestActive(-1, -1);
}

void TbsSkinMDITabsBar::TestActive(int X, int Y)
{
    OldTabIndex = ActiveTabIndex;
    ActiveTabIndex = GetTabIndex(X, Y);
    bool repaint = false;
    if (ActiveTabIndex != OldTabIndex) {
        if (OldTabIndex >= 0 && OldTabIndex < TabCount()) {
            ObjectList[size_t(OldTabIndex)]->MouseIn = false;
            if (OnTabMouseLeave)
                OnTabMouseLeave(ObjectList[size_t(OldTabIndex)].get());
        }
        if (ActiveTabIndex >= 0) {
            ObjectList[size_t(ActiveTabIndex)]->MouseIn = true;
            if (OnTabMouseEnter)
                OnTabMouseEnter(ObjectList[size_t(ActiveTabIndex)].get());
        }
        for (int i = 0; i < TabCount(); ++i)
            if (i != ActiveTabIndex) {
                TbsMDITab& t = *ObjectList[size_t(i)];
                t.ButtonMouseIn = t.ButtonMouseDown = false;
            }
        repaint = true;
    }
    if (FShowCloseButtons && ActiveTabIndex >= 0) {
        TbsMDITab& t = *ObjectList[size_t(ActiveTabIndex)];
        const bool in = t.ButtonRect.Contains(TPoint{X - t.ObjectRect.Left, Y - t.ObjectRect.Top});
        if (in != t.ButtonMouseIn) {
            t.ButtonMouseIn = in;
            if (!in)
                t.ButtonMouseDown = false;
            repaint = true;
        }
    }
    if (repaint)
        Repaint();
}

void TbsSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseDown(Button, Shift, X, Y);
    const int index = GetTabIndex(X, Y);
    if (index < 0)
        return;
    TbsMDITab* tab = ObjectList[size_t(index)].get();
    if (Button == mbLeft) {
        if (tab->Child) {
            tab->Child->Show();
            if (TbsFormFrame* f = GetFormFrame(tab->Child); f && f->WindowState() == wsMinimized)
                f->SetWindowState(wsNormal);
        }
        FDown = true;
        if (MoveTabs)
            DragIndex = index;
        DX = X;
        TabDX = 0;
        if (OnTabMouseDown)
            OnTabMouseDown(Button, Shift, tab);
        if (FShowCloseButtons) {
            const bool in = tab->ButtonRect.Contains(TPoint{X - tab->ObjectRect.Left, Y - tab->ObjectRect.Top});
            if (in)
                FDown = false;
            tab->ButtonMouseIn = tab->ButtonMouseDown = in;
            Repaint();
        }
    } else if (Button == mbRight) {
        TbsFormFrame* childFrame = tab->Child ? GetFormFrame(tab->Child) : nullptr;
        if (SupportChildMenus && childFrame && BSF) {
            TPoint p;
            GetCursorPos(p);
            BSF->PopupSkinMenu(childFrame->GetSystemMenuItems(), p);
        }
        if (OnTabMouseDown)
            OnTabMouseDown(Button, Shift, tab);
    }
}

void TbsSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseMove(Shift, X, Y);
    if (FDown && DragIndex != -1 && MoveTabs) {
        if (!IsDrag && X != DX)
            IsDrag = true;
        if (IsDrag) {
            TabDX = X - DX;
            Repaint();
            return;
        }
    }
    TestActive(X, Y);
}

void TbsSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseUp(Button, Shift, X, Y);
    FDown = false;
    if (IsDrag) {
        CalcTabRects();
        const int drop = GetDropIndex();
        if (drop != -1 && drop != DragIndex) {
            auto tab = std::move(ObjectList[size_t(DragIndex)]);
            ObjectList.erase(ObjectList.begin() + DragIndex);
            ObjectList.insert(ObjectList.begin() + drop, std::move(tab));
        }
        IsDrag = false;
        DragIndex = -1;
        TabDX = 0;
        Repaint();
        return;
    }
    DragIndex = -1;
    TbsMDITab* tab = GetTab(X, Y);
    if (tab && OnTabMouseUp)
        OnTabMouseUp(Button, Shift, tab);
    if (!FShowCloseButtons)
        return;
    for (auto& t : ObjectList) {
        const bool close = tab == t.get() && Button == mbLeft && t->ButtonMouseDown &&
                           t->ButtonRect.Contains(TPoint{X - t->ObjectRect.Left, Y - t->ObjectRect.Top});
        t->ButtonMouseDown = false;
        if (close) {
            Repaint();
            if (t->Child)
                t->Child->Close();
            return;
        }
    }
    Repaint();
}
