#include "skin/controls/SkinViewLink.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"

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
    Bar->SetVisible(Visible);
    return true;
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
