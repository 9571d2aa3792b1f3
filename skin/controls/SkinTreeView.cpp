#include "skin/controls/SkinTreeView.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Scroll.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommCtrl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"

TbsSkinCustomTreeView::TbsSkinCustomTreeView(TComponent* AOwner) : TCustomTreeView(AOwner)
{
    FSkinDataName = "treeview";
    SetBorderStyle(bsNone);
    Font().Assign(FDefaultFont);
}

TbsSkinCustomTreeView::~TbsSkinCustomTreeView()
{
    for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
        if (b) {
            b->OnChange = nullptr;
            b->RemoveFreeNotification(this);
        }
    if (FSD)
        FSD->RemoveFreeNotification(this);
}

void TbsSkinCustomTreeView::SetSkinData(TbsSkinData* Value)
{
    if (FSD)
        FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD)
        FSD->FreeNotification(this);
    else
        FIndex = -1;
    if (FSD && !FSD->Empty && !ComponentState().Contains(csDesigning))
        ChangeSkinData();
}

void TbsSkinCustomTreeView::SetDefaultFont(const TFont& Value)
{
    FDefaultFont.Assign(Value);
    if (FIndex == -1)
        Font().Assign(Value);
}

void TbsSkinCustomTreeView::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1)
        SetColor(Value);
}

void TbsSkinCustomTreeView::SetVScrollBar(TbsSkinScrollBar* Value)
{
    if (FVScrollBar)
        FVScrollBar->RemoveFreeNotification(this);
    FVScrollBar = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->SetEnabled(true);
        Value->SetVisible(false);
        Value->OnChange = [this](TObject*) { VScrollBarChange(); };
    }
    UpDateScrollBars();
}

void TbsSkinCustomTreeView::SetHScrollBar(TbsSkinScrollBar* Value)
{
    if (FHScrollBar)
        FHScrollBar->RemoveFreeNotification(this);
    FHScrollBar = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->SetEnabled(true);
        Value->SetVisible(false);
        Value->OnChange = [this](TObject*) { HScrollBarChange(); };
    }
    UpDateScrollBars();
}

void TbsSkinCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomTreeView::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
    if (AComponent == FVScrollBar)
        FVScrollBar = nullptr;
    if (AComponent == FHScrollBar)
        FHScrollBar = nullptr;
}

void TbsSkinCustomTreeView::Loaded()
{
    TCustomTreeView::Loaded();
    ChangeSkinData();
}

void TbsSkinCustomTreeView::ChangeSkinData()
{
    if (ComponentState().Contains(csLoading))
        return;
    ApplySkin(*this);
    UpDateScrollBars();
    RealignBars();
    Invalidate();
}

void TbsSkinCustomTreeView::Change(TTreeNode* Node)
{
    TCustomTreeView::Change(Node);
    UpDateScrollBars();
}

void TbsSkinCustomTreeView::CreateParams(TCreateParams& Params)
{
    TCustomTreeView::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

void TbsSkinCustomTreeView::UpDateScrollBars()
{
    if (ComponentState().Contains(csLoading) || FInCheckScrollBars || !HandleAllocated())
        return;
    bool changed = false;
    if (FVScrollBar) {
        int mn = 0, mx = 0;
        GetScrollRange(Handle(), SB_VERT, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_VERT);
        const int page = int(SendMessage(Handle(), TVM_GETVISIBLECOUNT, 0, 0));
        const int count = int(SendMessage(Handle(), TVM_GETCOUNT, 0, 0));
        FInCheckScrollBars = true;
        changed |= ShowBar(FVScrollBar, mx > 0 && page <= mx && mx < count && Visible());
        FInCheckScrollBars = false;
        if (FVScrollBar->Visible())
            FVScrollBar->SetRange(mn, mx, pos, page);
    }
    if (FHScrollBar) {
        int mn = 0, mx = 0;
        GetScrollRange(Handle(), SB_HORZ, &mn, &mx);
        const int pos = GetScrollPos(Handle(), SB_HORZ);
        FInCheckScrollBars = true;
        changed |= ShowBar(FHScrollBar, Width() < mx && Visible());
        FInCheckScrollBars = false;
        if (FHScrollBar->Visible())
            FHScrollBar->SetRange(mn, mx, pos, Width());
    }
    FinishBars(*this, changed);
}

void TbsSkinCustomTreeView::VScrollBarChange()
{
    if (!FVScrollBar || !HandleAllocated())
        return;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = FVScrollBar->Position();
    SetScrollInfo(Handle(), SB_VERT, si, true);
    SendMessage(Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FVScrollBar->Position() & 0xFFFF), 0);
}

void TbsSkinCustomTreeView::HScrollBarChange()
{
    if (!FHScrollBar || !HandleAllocated())
        return;
    SendMessage(Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FHScrollBar->Position()), 0);
}

void TbsSkinCustomTreeView::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        return;   // the whole window is client area
    case WM_PRINTSKINFRAME:
        Message.Result = 0x3233;
        return;
    case CM_VISIBLECHANGED:
        TCustomTreeView::WndProc(Message);
        for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
            if (b)
                b->SetVisible(Visible());
        return;
    default: break;
    }
    TCustomTreeView::WndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
        if (!FInCheckScrollBars)
            UpDateScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP: UpDateScrollBars(); break;
    default: break;
    }
}
