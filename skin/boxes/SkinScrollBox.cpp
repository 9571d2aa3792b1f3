#include "skin/boxes/SkinScrollBox.h"
#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

TbsSkinScrollBox::TbsSkinScrollBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    SetControlStyle(style);
    FSkinDataName = "scrollbox";
    SetBounds(Left(), Top(), 150, 150);
}

TbsSkinScrollBox::~TbsSkinScrollBox()
{
    // The bars belong to someone else and may outlive the box.
    for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
        if (b) {
            b->OnChange = nullptr;
            b->OnLastChange = nullptr;
            b->RemoveFreeNotification(this);
        }
}

void TbsSkinScrollBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FVScrollBar)
        FVScrollBar = nullptr;
    if (AComponent == FHScrollBar)
        FHScrollBar = nullptr;
}

void TbsSkinScrollBox::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    if (FIndex == -1)
        return;
    if (const auto* e = dynamic_cast<const TbsDataSkinScrollBoxControl*>(FSD->CtrlList[size_t(FIndex)].get()))
        BGPictureIndex = e->BGPictureIndex;
}

void TbsSkinScrollBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    if (HandleAllocated())
        RecreateWnd();   // the frame may have another thickness
    if (Parent() && ((FVScrollBar && FVScrollBar->Align() != alNone) || (FHScrollBar && FHScrollBar->Align() != alNone)))
        Parent()->Realign();
}

void TbsSkinScrollBox::SetBorderStyle(TbsSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (HandleAllocated())
        RecreateWnd();
}

// ------------------------------------------------------------------ bars

void TbsSkinScrollBox::SetVScrollBar(TbsSkinScrollBar* Value)
{
    if (FVScrollBar)
        FVScrollBar->RemoveFreeNotification(this);
    FVScrollBar = Value;
    if (!Value)
        return;
    Value->FreeNotification(this);
    Value->SetCanFocused(false);
    Value->OnChange = [this](TObject*) { VScrollBarChange(); };
    Value->OnLastChange = [this](TObject*) { Invalidate(); };
    Value->SetEnabled(true);
    Value->SetVisible(false);
    GetVRange();
}

void TbsSkinScrollBox::SetHScrollBar(TbsSkinScrollBar* Value)
{
    if (FHScrollBar)
        FHScrollBar->RemoveFreeNotification(this);
    FHScrollBar = Value;
    if (!Value)
        return;
    Value->FreeNotification(this);
    Value->SetCanFocused(false);
    Value->OnChange = [this](TObject*) { HScrollBarChange(); };
    Value->OnLastChange = [this](TObject*) { Invalidate(); };
    Value->SetEnabled(true);
    Value->SetVisible(false);
    GetHRange();
}

void TbsSkinScrollBox::VScrollBarChange()
{
    VScrollControls(FVScrollBar->Position() - FOldVScrollBarPos);
    FOldVScrollBarPos = FVScrollBar->Position();
}

void TbsSkinScrollBox::HScrollBarChange()
{
    HScrollControls(FHScrollBar->Position() - FOldHScrollBarPos);
    FOldHScrollBarPos = FHScrollBar->Position();
}

void TbsSkinScrollBox::VScrollControls(int Delta)
{
    ScrollBy(0, -Delta);
    if (Skinned() && StretchEffect)
        Invalidate();   // a stretched background cannot be scrolled
}

void TbsSkinScrollBox::HScrollControls(int Delta)
{
    ScrollBy(-Delta, 0);
    if (Skinned() && StretchEffect)
        Invalidate();
}

// The bar's change event moves the children, once, by the real step.
void TbsSkinScrollBox::VScroll(int APosition)
{
    if (!FVScrollBar || FVScrollBar->PageSize() == 0)
        return;
    // The last position is Max - PageSize + 1, as the bar itself clamps.
    FVScrollBar->SetPosition(std::min(APosition, FVScrollBar->Max() - FVScrollBar->PageSize() + 1));
}

void TbsSkinScrollBox::HScroll(int APosition)
{
    if (!FHScrollBar || FHScrollBar->PageSize() == 0)
        return;
    FHScrollBar->SetPosition(APosition);
}

void TbsSkinScrollBox::GetVRange() { GetRange(true); }
void TbsSkinScrollBox::GetHRange() { GetRange(false); }

void TbsSkinScrollBox::UpDateScrollRange()
{
    GetHRange();
    GetVRange();
}

void TbsSkinScrollBox::GetRange(bool Vertical)
{
    TbsSkinScrollBar* bar = Vertical ? FVScrollBar : FHScrollBar;
    if (!bar || FInCheckScrollBars || !Parent())
        return;
    int& sizeOffset = Vertical ? FVSizeOffset : FHSizeOffset;
    int& oldPos = Vertical ? FOldVScrollBarPos : FOldHScrollBarPos;
    auto scroll = [&](int d) {
        if (Vertical)
            VScrollControls(d);
        else
            HScrollControls(d);
    };
    const int view = Vertical ? ClientHeight() : ClientWidth();
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible())
            extent = std::max(extent, Vertical ? c->Top() + c->Height() : c->Left() + c->Width());
    }
    const int pos = bar->Position();
    bool show = bar->Visible();
    if (pos + extent > view) {
        show = true;
        if (pos > 0 && extent < view && sizeOffset > 0) {
            // Grew while scrolled: the children come down by the growth.
            sizeOffset = std::min(sizeOffset, pos);
            bar->SetRange(0, pos + extent - 1, pos - sizeOffset, view);
            scroll(-sizeOffset);
        } else if (sizeOffset == 0 && pos + extent - 1 < bar->Max() && pos > 0 && extent < view) {
            // Shrank while scrolled: the open space below is taken back.
            const int d = std::min(view - extent, pos);
            scroll(-d);
            bar->SetRange(0, pos + extent - 1, pos - d, view);
        } else {
            bar->SetRange(0, pos + extent - 1, pos, view);
        }
        sizeOffset = 0;
        oldPos = bar->Position();
    } else {
        if (pos > 0)
            scroll(-pos);
        sizeOffset = 0;
        oldPos = 0;
        bar->SetRange(0, 0, 0, 0);
        show = false;
    }
    if (FVScrollBar && FHScrollBar) {
        if (!FVScrollBar->Visible() && FHScrollBar->Both())
            FHScrollBar->SetBoth(false);
        else if (FVScrollBar->Visible() && !FHScrollBar->Both())
            FHScrollBar->SetBoth(true);
    }
    if (show != bar->Visible()) {
        FInCheckScrollBars = true;
        bar->SetVisible(show);
        FInCheckScrollBars = false;
        if (Align() != alNone) {
            FInCheckScrollBars = true;
            Parent()->Realign();
            Realign();
            FInCheckScrollBars = false;
        }
    }
}

void TbsSkinScrollBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldW = Width(), oldH = Height();
    TbsSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FHSizeOffset = oldW > 0 && Width() > oldW ? Width() - oldW : 0;
    if (Align() != alNone)
        GetHRange();
    FVSizeOffset = oldH > 0 && Height() > oldH ? Height() - oldH : 0;
    if (Align() != alNone)
        GetVRange();
}

// Aligned children lay out in the scrolled virtual area.
void TbsSkinScrollBox::AdjustClientRect(TRect& R)
{
    int vpos = 0, h = ClientHeight(), hpos = 0, w = ClientWidth();
    if (FVScrollBar && FVScrollBar->Visible()) {
        vpos = FVScrollBar->Position();
        h = std::max(FVScrollBar->Max(), ClientHeight());
    }
    if (FHScrollBar && FHScrollBar->Visible()) {
        hpos = FHScrollBar->Position();
        w = std::max(FHScrollBar->Max(), ClientWidth());
    }
    R = TRect{-hpos, -vpos, -hpos + w, -vpos + h};
    TbsSkinCustomControl::AdjustClientRect(R);
}

// ------------------------------------------------------------------ frame

void TbsSkinScrollBox::NcCalcSize(TMessage& Message)
{
    GetSkinData();
    TRect* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                              : reinterpret_cast<TRect*>(Message.LParam);
    if (!Skinned() && FBorderStyle != TbsSkinBorderStyle::bvNone) {
        r->Inflate(-1, -1);
    } else if (Skinned() && HasFrame()) {
        r->Left += ClRect.Left;
        r->Top += ClRect.Top;
        r->Right -= RectWidth(SkinRect) - ClRect.Right;
        r->Bottom -= RectHeight(SkinRect) - ClRect.Bottom;
    }
    Message.Result = 0;
}

void TbsSkinScrollBox::PaintFrame(TCanvas& C)
{
    GetSkinData();
    const int w = Width(), h = Height();
    if (!Skinned()) {
        if (FBorderStyle == TbsSkinBorderStyle::bvNone)
            return;
        TColor topLeft = clBtnShadow, bottomRight = clBtnShadow;
        // Raised shows its light edges top-left, lowered its shadow.
        if (FBorderStyle == TbsSkinBorderStyle::bvRaised) {
            topLeft = clBtnHighlight;
        } else if (FBorderStyle == TbsSkinBorderStyle::bvLowered) {
            bottomRight = clBtnHighlight;
        }
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(topLeft);
        C.FillRect(TRect{0, 0, w, 1});
        C.FillRect(TRect{0, 0, 1, h});
        C.Brush().SetColor(bottomRight);
        C.FillRect(TRect{0, h - 1, w, h});
        C.FillRect(TRect{w - 1, 0, w, h});
        return;
    }
    if (!Picture)
        return;
    const int dw = w - RectWidth(SkinRect), dh = h - RectHeight(SkinRect);
    const TbsSkinGeometry g = GrownGeometry(LTPt, RTPt, LBPt, RBPt, ClRect, dw, dh);
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(g, left, top, right, bottom, *Picture, SkinRect, w, h, LeftStretch, TopStretch,
                           RightStretch, BottomStretch);
    if (!top.Empty())
        C.Draw(0, 0, top);
    if (!left.Empty())
        C.Draw(0, top.Height(), left);
    if (!right.Empty())
        C.Draw(w - right.Width(), top.Height(), right);
    if (!bottom.Empty())
        C.Draw(0, h - bottom.Height(), bottom);
}

// ------------------------------------------------------------------ background

void TbsSkinScrollBox::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& c = *B.Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(TRect{0, 0, B.Width(), B.Height()});
}

void TbsSkinScrollBox::Paint()
{
    GetSkinData();
    if (!Skinned()) {
        TbsSkinCustomControl::Paint();
        return;
    }
    if (ClientWidth() < 1 || ClientHeight() < 1)
        return;
    PaintSkinBackground(Canvas());
}

// Stretched or tiled, P's tiles start at the box's top-left corner.
void TbsSkinScrollBox::PaintSkinBackground(TCanvas& C)
{
    const int w = Width(), h = Height();
    TBitmap b(ClientWidth(), ClientHeight());
    b.Fill(Color());
    TCanvas& bc = *b.Canvas();
    TBitmap piece;
    const TBitmap* p = nullptr;
    if (BGPictureIndex != -1) {
        p = FSD->ActivePicture(BGPictureIndex);
    } else if (Picture && RectWidth(ClRect) > 0 && RectHeight(ClRect) > 0) {
        piece.SetSize(RectWidth(ClRect), RectHeight(ClRect), false);
        CopyPiece(piece, TRect{0, 0, piece.Width(), piece.Height()}, *Picture,
                  TRect{SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                        SkinRect.Top + ClRect.Bottom});
        p = &piece;
    }
    if (p && p->Width() > 0 && p->Height() > 0) {
        const int pw = p->Width(), ph = p->Height();
        if (StretchEffect && w > 0 && h > 0) {
            switch (StretchType) {
            case bsstFull: bc.StretchDraw(TRect{0, 0, w, h}, *p); break;
            case bsstHorz: {
                TBitmap col(pw, h);
                col.Canvas()->StretchDraw(TRect{0, 0, pw, h}, *p);
                for (int i = 0; i <= w / pw; ++i)
                    bc.Draw(i * pw, 0, col);
                break;
            }
            case bsstVert: {
                TBitmap row(w, ph);
                row.Canvas()->StretchDraw(TRect{0, 0, w, ph}, *p);
                for (int j = 0; j <= h / ph; ++j)
                    bc.Draw(0, j * ph, row);
                break;
            }
            }
        } else {
            const int cols = BGPictureIndex != -1 ? w / pw : ClientWidth() / pw;
            const int rows = BGPictureIndex != -1 ? h / ph : ClientHeight() / ph;
            for (int i = 0; i <= cols; ++i)
                for (int j = 0; j <= rows; ++j)
                    bc.Draw(i * pw, j * ph, *p);
        }
    }
    C.Draw(0, 0, b);
}

// ------------------------------------------------------------------ messages

void TbsSkinScrollBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: NcCalcSize(Message); return;
    case WM_NCPAINT:
        GetSkinData();
        if (HasFrame() && HandleAllocated()) {
            HDC dc = GetWindowDC(Handle());
            if (dc) {
                TCanvas c;
                c.SetHandle(dc);
                PaintFrame(c);
                c.SetHandle(nullptr);
                ReleaseDC(Handle(), dc);
            }
        }
        return;
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(Message);
        if (HandleAllocated())
            SendMessage(Handle(), WM_NCPAINT, 0, 0);
        return;
    case WM_WINDOWPOSCHANGING:
        TbsSkinCustomControl::WndProc(Message);
        if (HandleAllocated() && Align() == alNone) {
            GetVRange();
            GetHRange();
        }
        return;
    case CM_VISIBLECHANGED:
        TbsSkinCustomControl::WndProc(Message);
        for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
            if (b)
                b->SetVisible(Visible());
        return;
    case WM_PRINTSKINFRAME:
        GetSkinData();
        Message.Result = 0;
        if (Message.WParam && HasFrame()) {
            TCanvas c;
            c.SetHandle(reinterpret_cast<HDC>(Message.WParam));
            PaintFrame(c);
            Message.Result = PRINTSKINFRAME_DONE;
        }
        return;
    case WM_PRINTSKINFRAMEEX:
        if (Message.LParam != PRINTSKINFRAMEEX_KEY)
            break;
        GetSkinData();
        if (Message.WParam && HasFrame()) {
            TCanvas c;
            c.SetHandle(reinterpret_cast<HDC>(Message.WParam));
            PaintFrame(c);
        }
        Message.Result = PRINTSKINFRAMEEX_KEY;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FCanFocused && !Designing() && !Focused()) {
            FClicksDisabled = true;
            if (CanFocus())
                SetFocus();
            FClicksDisabled = false;
            if (!Focused())
                return;
        }
        break;
    case CN_COMMAND:
        if (FClicksDisabled)
            return;
        break;
    default: break;
    }
    TbsSkinCustomControl::WndProc(Message);
}
