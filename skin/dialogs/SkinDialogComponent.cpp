#include "skin/dialogs/SkinDialogComponent.h"

TbsSkinDialogComponent::TbsSkinDialogComponent(TComponent* AOwner, const std::string& ATitle)
    : TbsSkinPairHolder(AOwner), FTitle(ATitle)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
}
