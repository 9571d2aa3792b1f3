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
    UnlinkBars(*this);
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

void TbsSkinCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomTreeView::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSD) {
        FSD = nullptr;
        FIndex = -1;
    }
    ForgetBar(AComponent);
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
        changed |= ShowBar(FVScrollBar, mx > 0 && page <= mx && mx < count && Visible());
        if (FVScrollBar->Visible())
            FVScrollBar->SetRange(mn, mx, pos, page);
    }
    changed |= MirrorPixelBar(*this, FHScrollBar, SB_HORZ, Width());
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
    if (AnswerFrameMessage(Message))
        return;
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        TCustomTreeView::WndProc(Message);
        ShowBarsWith(Visible());
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
