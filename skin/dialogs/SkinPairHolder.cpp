#include "skin/dialogs/SkinPairHolder.h"

#include "skin/data/SkinData.h"

TbsSkinPairHolder::~TbsSkinPairHolder()
{
    SetSkinData(nullptr);
    SetCtrlSkinData(nullptr);
}

void TbsSkinPairHolder::Relink(TbsSkinData*& Link, TbsSkinData* Value)
{
    if (Link)
        Link->RemoveFreeNotification(this);
    Link = Value;
    if (Link)
        Link->FreeNotification(this);
}

void TbsSkinPairHolder::SetSkinData(TbsSkinData* Value) { Relink(FSD, Value); }
void TbsSkinPairHolder::SetCtrlSkinData(TbsSkinData* Value) { Relink(FCtrlFSD, Value); }

void TbsSkinPairHolder::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FCtrlFSD)
        FCtrlFSD = nullptr;
}
