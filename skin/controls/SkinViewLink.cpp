#include "skin/controls/SkinViewLink.h"
#include "platform/ui/Scroll.h"
#include "platform/ui/WinConsts.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"

TbsViewSkinLink::TbsViewSkinLink()
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
}

void TbsViewSkinLink::ApplySkin(TWinControl& View)
{
    FIndex = FSD && !FSD->Empty ? FSD->GetControlIndex(FSkinDataName) : -1;
    if (FIndex == -1) {
        View.SetColor(FDefaultColor);
        View.Font().Assign(FDefaultFont);
        return;
    }
    const TbsDataSkinControl* e = FSD->CtrlList[size_t(FIndex)].get();
    auto apply = [&](const std::string& Name, TFontStyles Style, int Height, TColor FontColor, TColor BG) {
        if (FUseSkinFont) {
            View.Font().SetName(Name);
            View.Font().SetStyle(Style);
            View.Font().SetHeight(Height);
        } else {
            View.Font().Assign(FDefaultFont);
        }
        View.Font().SetColor(FontColor);
        View.SetColor(BG);
    };
    if (const auto* t = dynamic_cast<const TbsDataSkinTreeView*>(e))
        apply(t->FontName, t->FontStyle, t->FontHeight, t->FontColor, t->BGColor);
    else if (const auto* l = dynamic_cast<const TbsDataSkinListView*>(e))
        apply(l->FontName, l->FontStyle, l->FontHeight, l->FontColor, l->BGColor);
}

bool TbsViewSkinLink::ShowBar(TbsSkinScrollBar* Bar, bool Visible)
{
    if (!Bar || Bar->Visible() == Visible)
        return false;
    FInCheckScrollBars = true;
    Bar->SetVisible(Visible);
    FInCheckScrollBars = false;
    return true;
}

bool TbsViewSkinLink::MirrorPixelBar(TWinControl& View, TbsSkinScrollBar* Bar, int Kind, int Extent, int* Pos)
{
    if (!Bar)
        return false;
    int mn = 0, mx = 0;
    GetScrollRange(View.Handle(), Kind, &mn, &mx);
    const int pos = GetScrollPos(View.Handle(), Kind);
    const bool changed = ShowBar(Bar, Extent < mx && View.Visible());
    if (Bar->Visible()) {
        Bar->SetRange(mn, mx, pos, Extent);
        if (Pos)
            *Pos = pos;
    }
    return changed;
}

void TbsViewSkinLink::FinishBars(TWinControl& View, bool VisibilityChanged)
{
    if (FVScrollBar && FHScrollBar) {
        if (!FVScrollBar->Visible() && FHScrollBar->Both())
            FHScrollBar->SetBoth(false);
        else if (FVScrollBar->Visible() && !FHScrollBar->Both())
            FHScrollBar->SetBoth(true);
    }
    if (View.Align() != alNone && VisibilityChanged && View.Parent()) {
        FInCheckScrollBars = true;
        View.Parent()->Realign();
        FInCheckScrollBars = false;
    }
}

void TbsViewSkinLink::RealignBars()
{
    for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
        if (b && b->Parent())
            b->Parent()->Realign();
}

void TbsViewSkinLink::SetVScrollBar(TbsSkinScrollBar* Value)
{
    LinkBar(FVScrollBar, Value, [this] { VScrollBarChange(); });
}

void TbsViewSkinLink::SetHScrollBar(TbsSkinScrollBar* Value)
{
    LinkBar(FHScrollBar, Value, [this] { HScrollBarChange(); });
}

void TbsViewSkinLink::LinkBar(TbsSkinScrollBar*& Slot, TbsSkinScrollBar* Bar, std::function<void()> OnMove)
{
    TWinControl& view = LinkedView();
    if (Slot)
        Slot->RemoveFreeNotification(&view);
    Slot = Bar;
    if (Bar) {
        Bar->FreeNotification(&view);
        Bar->SetEnabled(true);
        Bar->SetVisible(false);
        Bar->OnChange = [OnMove = std::move(OnMove)](TObject*) { OnMove(); };
    }
    UpDateScrollBars();
}

void TbsViewSkinLink::UnlinkBars(TComponent& View)
{
    for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
        if (b) {
            b->OnChange = nullptr;
            b->RemoveFreeNotification(&View);
        }
}

void TbsViewSkinLink::ForgetBar(const TComponent* Removed)
{
    if (Removed == FVScrollBar)
        FVScrollBar = nullptr;
    if (Removed == FHScrollBar)
        FHScrollBar = nullptr;
}

void TbsViewSkinLink::ShowBarsWith(bool Visible)
{
    for (TbsSkinScrollBar* b : {FVScrollBar, FHScrollBar})
        if (b)
            b->SetVisible(Visible);
}

void TbsViewSkinLink::SetDefaultFont(const TFont& Value)
{
    FDefaultFont.Assign(Value);
    if (FIndex == -1)
        LinkedView().Font().Assign(Value);
}

void TbsViewSkinLink::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1)
        LinkedView().SetColor(Value);
}

bool TbsViewSkinLink::AnswerFrameMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT: return true;   // the whole window is client area
    case WM_PRINTSKINFRAME: Message.Result = 0x3233; return true;
    default: return false;
    }
}
