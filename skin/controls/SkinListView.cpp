#include "skin/controls/SkinListView.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Scroll.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SelectionColors.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"

namespace {

constexpr TColor PressedFrame = 0x00800000, PressedFace = 0x00B59385;

}  // namespace

TbsSkinCustomListView::TbsSkinCustomListView(TComponent* AOwner) : TCustomListView(AOwner)
{
    FSkinDataName = "listview";
    SetBorderStyle(bsNone);
    Font().Assign(FDefaultFont);
}

TbsSkinCustomListView::~TbsSkinCustomListView()
{
    ReleaseHeader();
    UnlinkBars(*this);
    if (FSD)
        FSD->RemoveFreeNotification(this);
}

void TbsSkinCustomListView::ReleaseHeader()
{
    if (FHeaderHandle && IsWindow(FHeaderHandle) && FDefHeaderProc)
        SetWindowProc(FHeaderHandle, FDefHeaderProc);
    FHeaderHandle = nullptr;
    FDefHeaderProc = nullptr;
}

// ------------------------------------------------------------ properties

void TbsSkinCustomListView::SetSkinData(TbsSkinData* Value)
{
    if (FSD)
        FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD)
        FSD->FreeNotification(this);
    else
        FIndex = FHIndex = -1;
    if (FSD && !FSD->Empty && !ComponentState().Contains(csDesigning))
        ChangeSkinData();
}

// A skinned list shows its selection as the skin's list box does, readable
// against the skin's own colours with the focus and without it.
void TbsSkinCustomListView::GetSelectionColors(bool AFocused, TColor& AFace, TColor& AText) const
{
    if (FIndex == -1 || !FSD || !SkinSelectionColors(*FSD, AFocused, AFace, AText))
        TCustomListView::GetSelectionColors(AFocused, AFace, AText);
}

// Grid lines a little apart from the skin's list colour toward its text, so
// that a dark list is not crossed by light lines.
TColor TbsSkinCustomListView::GridLineColor()
{
    if (FIndex == -1)
        return TCustomListView::GridLineColor();
    const TColor back = ColorToRGB(Color()), text = ColorToRGB(Font().Color());
    auto mix = [&](int shift) { return ((((back >> shift) & 0xFF) * 82 + ((text >> shift) & 0xFF) * 18) / 100) << shift; };
    return TColor(mix(0) | mix(8) | mix(16));
}

void TbsSkinCustomListView::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomListView::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSD) {
        FSD = nullptr;
        FIndex = FHIndex = -1;
        HPicture = nullptr;
    }
    ForgetBar(AComponent);
}

void TbsSkinCustomListView::Loaded()
{
    FInCheckScrollBars = true;
    TCustomListView::Loaded();
    FInCheckScrollBars = false;
    ChangeSkinData();
}

void TbsSkinCustomListView::ChangeSkinData()
{
    ApplySkin(*this);
    UpDateScrollBars();
    RealignBars();
    if (ViewStyle() == vsReport && FHeaderHandle)
        RedrawWindow(FHeaderHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    Invalidate();
}

void TbsSkinCustomListView::Change(TListItem* Item, TItemChange AChange)
{
    TCustomListView::Change(Item, AChange);
    if (!FInCheckScrollBars)
        UpDateScrollBars();
}

void TbsSkinCustomListView::CreateParams(TCreateParams& Params)
{
    TCustomListView::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

// ------------------------------------------------------------ scroll bars

int TbsSkinCustomListView::ItemZeroHeight()
{
    if (Items().Count() == 0)
        return RowHeight();
    TRect r;
    r.Left = LVIR_BOUNDS;
    SendMessage(Handle(), LVM_GETITEMRECT, 0, LPARAM(&r));
    return RectHeight(r);
}

int TbsSkinCustomListView::ItemZeroWidth()
{
    if (Items().Count() == 0)
        return 0;
    TRect r;
    r.Left = LVIR_BOUNDS;
    SendMessage(Handle(), LVM_GETITEMRECT, 0, LPARAM(&r));
    return RectWidth(r);
}

void TbsSkinCustomListView::UpDateScrollBars()
{
    if (!HandleAllocated() || FromSB || Width() <= 5 || Height() <= 5)
        return;
    switch (ViewStyle()) {
    case vsIcon:
    case vsSmallIcon: UpdateIconScrollBars(); break;
    case vsList: UpdateListScrollBars(); break;
    case vsReport: UpdateReportScrollBars(); break;
    }
}

void TbsSkinCustomListView::UpdateReportScrollBars()
{
    if (FInCheckScrollBars)
        return;
    bool changed = false;
    const int perPage = int(SendMessage(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    if (FVScrollBar) {
        int mn = 0, mx = 0;
        GetScrollRange(Handle(), SB_VERT, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_VERT);
        changed |= ShowBar(FVScrollBar, perPage < mx + 1 && Visible());
        if (FVScrollBar->Visible()) {
            FVScrollBar->SetSmallChange(1);
            FVScrollBar->SetLargeChange(perPage > 0 ? perPage : 1);
            FVScrollBar->SetRange(mn, mx, pos, perPage);
            FOldVScrollBarPos = pos;
        }
    }
    changed |= MirrorPixelBar(*this, FHScrollBar, SB_HORZ, Width(), &FOldHScrollBarPos);
    FinishBars(*this, changed);
}

void TbsSkinCustomListView::UpdateListScrollBars()
{
    if (FInCheckScrollBars)
        return;
    bool changed = false;
    changed |= ShowBar(FVScrollBar, false);
    if (FHScrollBar) {
        int mn = 0, mx = 0;
        GetScrollRange(Handle(), SB_HORZ, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_HORZ);
        const int perPage = int(SendMessage(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
        const int count = int(SendMessage(Handle(), LVM_GETITEMCOUNT, 0, 0));
        changed |= ShowBar(FHScrollBar, perPage < count && Visible());
        if (FHScrollBar->Visible()) {
            const int w = ItemZeroWidth();
            FHScrollBar->SetSmallChange(1);
            FHScrollBar->SetLargeChange(1);
            FHScrollBar->SetRange(mn, mx, pos, Width() / (w > 0 ? w : 1));
            FOldHScrollBarPos = pos;
        }
    }
    FinishBars(*this, changed);
}

void TbsSkinCustomListView::UpdateIconScrollBars()
{
    if (FInCheckScrollBars)
        return;
    bool changed = false;
    const int step = Items().Count() > 0 && ItemZeroHeight() / 2 > 0 ? ItemZeroHeight() / 2 : 1;
    changed |= MirrorPixelBar(*this, FVScrollBar, SB_VERT, Height(), &FOldVScrollBarPos);
    changed |= MirrorPixelBar(*this, FHScrollBar, SB_HORZ, Width(), &FOldHScrollBarPos);
    for (TbsSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
        if (bar && bar->Visible()) {
            bar->SetSmallChange(step);
            bar->SetLargeChange(step);
        }
    FinishBars(*this, changed);
}

void TbsSkinCustomListView::VScrollBarChange()
{
    if (!FVScrollBar || !HandleAllocated())
        return;
    FromSB = true;
    const int delta = FVScrollBar->Position() - FOldVScrollBarPos;
    if (ViewStyle() == vsList || ViewStyle() == vsReport)
        Scroll(0, delta * ItemZeroHeight());
    else
        Scroll(0, delta);
    FOldVScrollBarPos = FVScrollBar->Position();
    FromSB = false;
}

void TbsSkinCustomListView::HScrollBarChange()
{
    if (!FHScrollBar || !HandleAllocated())
        return;
    FromSB = true;
    const int delta = FHScrollBar->Position() - FOldHScrollBarPos;
    if (ViewStyle() == vsList) {
        for (int i = 0; i < std::abs(delta); ++i)
            SendMessage(Handle(), WM_HSCROLL, delta < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
    } else {
        Scroll(delta, 0);
    }
    FOldHScrollBarPos = FHScrollBar->Position();
    FromSB = false;
}

// ------------------------------------------------------------ window procedures

void TbsSkinCustomListView::WndProc(TMessage& Message)
{
    if (AnswerFrameMessage(Message))
        return;
    switch (Message.Msg) {
    case WM_PRINTSKINHEADER:
        if (FHeaderHandle)
            PaintHeader(reinterpret_cast<HDC>(Message.WParam));
        return;
    case CM_VISIBLECHANGED:
        TCustomListView::WndProc(Message);
        ShowBarsWith(Visible());
        return;
    case WM_PARENTNOTIFY: {
        HWND child = reinterpret_cast<HWND>(Message.LParam);
        if (LOWORD(Message.WParam) == WM_CREATE && ShowColumnHeaders() && child &&
            GetClassName(child) == "SysHeader32") {
            ReleaseHeader();
            FHeaderHandle = child;
            FDefHeaderProc = SetWindowProc(child, [this](HWND W, UINT M, WPARAM WP, LPARAM LP) {
                return HeaderWndProc(W, M, WP, LP);
            });
        }
        break;
    }
    default: break;
    }
    TCustomListView::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
        if (!FInCheckScrollBars && Items().Count() > 0)
            UpDateScrollBars();
        if (ViewStyle() == vsReport && FHeaderHandle)
            RedrawWindow(FHeaderHandle, nullptr, nullptr, RDW_INVALIDATE);
        break;
    case WM_PAINT:
        if (!FInCheckScrollBars)
            UpDateScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP: UpDateScrollBars(); break;
    default: break;
    }
}

void TbsSkinCustomListView::RedrawHeader()
{
    if (FHeaderHandle)
        RedrawWindow(FHeaderHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT TbsSkinCustomListView::HeaderWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_WINDOWPOSCHANGING: {
        // The header reaches past the view's right edge, so its end never shows.
        auto* wp = reinterpret_cast<WINDOWPOS*>(LParam);
        if (wp && !(wp->flags & SWP_NOSIZE))
            wp->cx += 25;
        return 0;
    }
    case WM_PAINT:
        PaintHeader(reinterpret_cast<HDC>(WParam));
        return 0;
    case WM_ERASEBKGND: return 1;
    default: break;
    }
    const LRESULT result = CallWindowProc(FDefHeaderProc, Wnd, Msg, WParam, LParam);
    switch (Msg) {
    case WM_MOUSEMOVE:
        if (FDevDown)
            RedrawHeader();
        break;
    case WM_LBUTTONDOWN: {
        const TPoint p{int16_t(LOWORD(LParam)), int16_t(HIWORD(LParam))};
        FActiveSection = -1;
        for (int i = 0; i < Columns().Count(); ++i)
            if (PtInRect(GetHeaderSectionRect(i), p)) {
                FActiveSection = i;
                break;
            }
        HDHITTESTINFO hit;
        hit.pt = p;
        SendMessage(Wnd, HDM_HITTEST, 0, LPARAM(&hit));
        FHeaderDown = hit.flags != HHT_ONDIVIDER;
        FDevDown = hit.flags == HHT_ONDIVIDER;
        RedrawHeader();
        break;
    }
    case WM_LBUTTONUP:
        FHeaderDown = false;
        FDevDown = false;
        FActiveSection = -1;
        RedrawHeader();
        break;
    default: break;
    }
    return result;
}

// ------------------------------------------------------------ header painting

TRect TbsSkinCustomListView::GetHeaderSectionRect(int Index)
{
    TRect r;
    if (!FHeaderHandle)
        return r;
    int item = Index;
    if (FullDrag()) {
        const int n = int(SendMessage(FHeaderHandle, HDM_GETITEMCOUNT, 0, 0));
        std::vector<int> order(size_t(std::max(n, 0)));
        if (n > 0 && Index < n && SendMessage(FHeaderHandle, HDM_GETORDERARRAY, WPARAM(n), LPARAM(order.data())))
            item = order[size_t(Index)];
    }
    SendMessage(FHeaderHandle, HDM_GETITEMRECT, WPARAM(item), LPARAM(&r));
    return r;
}

void TbsSkinCustomListView::GetHeaderSkinData()
{
    FHIndex = FSD && !FSD->Empty ? FSD->GetControlIndex(FHeaderSkinDataName) : -1;
    if (FHIndex == -1)
        return;
    const auto* e = dynamic_cast<const TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(FHIndex)].get());
    if (!e) {
        HPicture = nullptr;
        return;
    }
    HLTPt = e->LTPoint;
    HRTPt = e->RTPoint;
    HLBPt = e->LBPoint;
    HRBPt = e->RBPoint;
    HSkinRect = e->SkinRect;
    HClRect = e->ClRect;
    HStretchEffect = e->StretchEffect;
    HLeftStretch = e->LeftStretch;
    HTopStretch = e->TopStretch;
    HRightStretch = e->RightStretch;
    HBottomStretch = e->BottomStretch;
    HStretchType = e->StretchType;
    HFontColor = e->FontColor;
    HActiveFontColor = e->ActiveFontColor;
    HDownFontColor = e->DownFontColor;
    HActiveSkinRect = IsNullRect(e->ActiveSkinRect) ? HSkinRect : e->ActiveSkinRect;
    HDownSkinRect = IsNullRect(e->DownSkinRect) ? HActiveSkinRect : e->DownSkinRect;
    HPicture = FSD->ActivePicture(e->PictureIndex);
}

void TbsSkinCustomListView::PaintHeader(HDC DC)
{
    if (!FHeaderHandle)
        return;
    PAINTSTRUCT ps;
    const bool began = DC == nullptr;
    if (began)
        DC = BeginPaint(FHeaderHandle, ps);
    if (!DC)
        return;
    TCanvas c;
    c.SetHandle(DC);
    const int n = int(SendMessage(FHeaderHandle, HDM_GETITEMCOUNT, 0, 0));
    int right = 0;
    for (int i = 0; i < n; ++i) {
        const TRect r = GetHeaderSectionRect(i);
        TListColumn* col = i < Columns().Count() ? Columns()[FullDrag() ? ColumnOrder()[size_t(i)] : i] : nullptr;
        DrawHeaderSection(c, col, r, i == FActiveSection && FHeaderDown);
        right = std::max(right, r.Right);
    }
    TRect wr;
    GetWindowRect(FHeaderHandle, wr);
    const TRect F{right, 0, RectWidth(wr) + 1, RectHeight(wr)};
    GetHeaderSkinData();
    if (F.Left < F.Right) {
        if (FHIndex == -1 || !HPicture) {
            TRect fr = F;
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(clBtnFace);
            c.FillRect(fr);
            c.Frame3D(fr, clBtnShadow, clBtnShadow, 1);
        } else {
            TBitmap b;
            if (HLBPt.X != 0 || HLBPt.Y != 0) {
                const int dW = RectWidth(F) - RectWidth(HSkinRect), dH = RectHeight(F) - RectHeight(HSkinRect);
                TbsSkinGeometry g{HLTPt, HRTPt, HLBPt, HRBPt, HClRect, HLTPt, TPoint{HRTPt.X + dW, HRTPt.Y},
                                  TPoint{HLBPt.X, HLBPt.Y + dH}, TPoint{HRBPt.X + dW, HRBPt.Y + dH},
                                  TRect{HClRect.Left, HClRect.Top, HClRect.Right + dW, HClRect.Bottom + dH}};
                CreateSkinImageNoRight(g, b, *HPicture, HSkinRect, RectWidth(F), RectHeight(F), true, HLeftStretch,
                                       HTopStretch, HRightStretch, HBottomStretch, HStretchEffect, HStretchType);
            } else {
                TBitmap strip;
                CreateHSkinImageNoRight(HLTPt.X, RectWidth(HSkinRect) - HRTPt.X, strip, *HPicture, HSkinRect,
                                        RectWidth(F), RectHeight(HSkinRect), HStretchEffect);
                b.SetSize(RectWidth(F), RectHeight(F), false);
                b.Canvas()->StretchDraw(TRect{0, 0, b.Width(), b.Height()}, strip);
            }
            c.Draw(F.Left, F.Top, b);
        }
    }
    c.SetHandle(nullptr);
    // A context that came with the message belongs to the caller.
    if (began)
        EndPaint(FHeaderHandle, ps);
}

void TbsSkinCustomListView::DrawHeaderSection(TCanvas& Cnvs, TListColumn* Column, const TRect& R, bool Pressed)
{
    const int w = RectWidth(R), h = RectHeight(R);
    if (w <= 0 || h <= 0)
        return;
    TBitmap B(w, h);
    TRect BR{0, 0, w, h};
    GetHeaderSkinData();
    TCanvas& c = *B.Canvas();
    c.Font().Assign(Font());
    if (FHIndex == -1 || !HPicture) {
        // No header element, or one that is not a button: the plain look.
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(Pressed ? PressedFace : clBtnFace);
        c.FillRect(BR);
        const TColor frame = Pressed ? PressedFrame : clBtnShadow;
        c.Frame3D(BR, frame, frame, 1);
        c.Font().SetColor(clBtnText);
    } else {
        const TRect src = Pressed ? HDownSkinRect : HSkinRect;
        c.Font().SetColor(Pressed ? HDownFontColor : HFontColor);
        const int dW = w - RectWidth(HSkinRect), dH = h - RectHeight(HSkinRect);
        if (HLBPt.X != 0 || HLBPt.Y != 0) {
            TbsSkinGeometry g{HLTPt, HRTPt, HLBPt, HRBPt, HClRect, HLTPt, TPoint{HRTPt.X + dW, HRTPt.Y},
                              TPoint{HLBPt.X, HLBPt.Y + dH}, TPoint{HRBPt.X + dW, HRBPt.Y + dH},
                              TRect{HClRect.Left, HClRect.Top, HClRect.Right + dW, HClRect.Bottom + dH}};
            CreateSkinImage(g, B, *HPicture, src, w, h, true, HLeftStretch, HTopStretch, HRightStretch,
                            HBottomStretch, HStretchEffect, HStretchType);
        } else {
            TBitmap strip;
            CreateHSkinImage(HLTPt.X, RectWidth(src) - HRTPt.X, strip, *HPicture, src, w, RectHeight(HSkinRect),
                             HStretchEffect);
            c.StretchDraw(BR, strip);
        }
    }
    if (OnDrawHeaderSection) {
        OnDrawHeaderSection(c, Column, Pressed, TRect{0, 0, w, h});
    } else if (Column) {
        c.Brush().SetStyle(bsClear);
        const TRect T{BR.Left + 5, BR.Top, BR.Right - 5, BR.Bottom};
        std::string text = Column->Caption();
        TImageList* images = SmallImages();
        const int th = c.TextHeight("Wg");
        const int y = T.Top + RectHeight(T) / 2 - th / 2;
        if (images && Column->ImageIndex() >= 0 && Column->ImageIndex() < images->Count()) {
            const int iw = images->Width();
            const std::string full = text;
            FitTextToWidth(c, text, RectWidth(T) - iw - 10);
            int x = T.Left;
            if (text == full) {
                const int tw = c.TextWidth(text);
                if (Column->Alignment() == taRightJustify)
                    x = T.Right - tw - iw - 10;
                else if (Column->Alignment() == taCenter)
                    x = T.Left + RectWidth(T) / 2 - (tw + iw + 10) / 2;
            }
            images->Draw(c, x, T.Top + RectHeight(T) / 2 - images->Height() / 2, Column->ImageIndex(), true);
            c.TextRect(T, x + iw + 10, y, text);
        } else {
            FitTextToWidth(c, text, RectWidth(T));
            const int tw = c.TextWidth(text);
            int x = T.Left;
            if (Column->Alignment() == taRightJustify)
                x = T.Right - tw;
            else if (Column->Alignment() == taCenter)
                x = T.Left + RectWidth(T) / 2 - tw / 2;
            c.TextRect(T, x, y, text);
        }
    }
    Cnvs.Draw(R.Left, R.Top, B);
}
