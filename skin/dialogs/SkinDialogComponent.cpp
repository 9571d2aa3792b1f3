#include "skin/dialogs/SkinDialogComponent.h"

#include "skin/data/SkinData.h"

TbsSkinDialogComponent::TbsSkinDialogComponent(TComponent* AOwner, const std::string& ATitle)
    : TComponent(AOwner), FTitle(ATitle)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(0);
}

TbsSkinDialogComponent::~TbsSkinDialogComponent()
{
    SetSkinData(nullptr);
    SetCtrlSkinData(nullptr);
}

void TbsSkinDialogComponent::SetSkinData(TbsSkinData* Value)
{
    if (FSD)
        FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD)
        FSD->FreeNotification(this);
}

void TbsSkinDialogComponent::SetCtrlSkinData(TbsSkinData* Value)
{
    if (FCtrlFSD)
        FCtrlFSD->RemoveFreeNotification(this);
    FCtrlFSD = Value;
    if (FCtrlFSD)
        FCtrlFSD->FreeNotification(this);
}

void TbsSkinDialogComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FCtrlFSD)
        FCtrlFSD = nullptr;
}
