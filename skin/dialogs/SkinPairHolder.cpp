#include "skin/dialogs/SkinPairHolder.h"

#include "skin/data/SkinData.h"

TbsSkinPairHolder::~TbsSkinPairHolder()
{
    SetSkinData(nullptr);
    SetCtrlSkinData(nullptr);
}

void TbsSkinPairHolder::SetSkinData(TbsSkinData* Value) { FSD.Set(Value); }
void TbsSkinPairHolder::SetCtrlSkinData(TbsSkinData* Value) { FCtrlFSD.Set(Value); }

void TbsSkinPairHolder::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    FSD.Drop(AComponent, Operation);
    FCtrlFSD.Drop(AComponent, Operation);
}
