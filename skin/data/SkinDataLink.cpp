#include "skin/data/SkinDataLink.h"

#include "skin/data/SkinData.h"

void TbsSkinDataLink::Set(TbsSkinData* Value)
{
    if (FSkinData)
        FSkinData->RemoveFreeNotification(FHolder);
    FSkinData = Value;
    if (FSkinData)
        FSkinData->FreeNotification(FHolder);
}

bool TbsSkinDataLink::Drop(TComponent* AComponent, TOperation Operation)
{
    if (Operation != opRemove || !FSkinData || AComponent != FSkinData)
        return false;
    FSkinData = nullptr;
    return true;
}
