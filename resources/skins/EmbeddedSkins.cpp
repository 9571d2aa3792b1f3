#include "resources/skins/EmbeddedSkins.h"
#include "platform/core/Stream.h"
#include "skin/data/SkinList.h"

namespace {

void AddSkin(TbsCompressedSkinList& List, const TEmbeddedSkin& Skin)
{
    TbsSkinListItem* item = List.Skins()->Add();
    item->SetName(Skin.DisplayName);
    item->SetDescription(Skin.Name);
    TMemoryStream data;
    data.Write(Skin.Data, static_cast<int64_t>(Skin.Size));
    item->ReadSkin(data);
}

}  // namespace

void FillMainSkinList(TbsCompressedSkinList& List)
{
    for (int i = 0; i < MainSkinCount; ++i)
        AddSkin(List, MainSkins()[i]);
}

void FillToolBarSkinList(TbsCompressedSkinList& List)
{
    for (int i = 0; i < ToolBarSkinCount; ++i)
        AddSkin(List, ToolBarSkins()[i]);
}
