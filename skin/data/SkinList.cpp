#include "skin/data/SkinList.h"
#include "platform/core/SysUtils.h"

TbsSkinListItem::TbsSkinListItem(TCollection* Collection)
    : TCollectionItem(Collection), FSkin(std::make_unique<TbsCompressedStoredSkin>(nullptr)) {
    FName = Format("bsSkin%d", Index());
}

TbsSkinListItem::~TbsSkinListItem() = default;

TbsCompressedSkinList* TbsSkinListItem::SkinList() const {
    const auto* items = dynamic_cast<const TbsSkinListItems*>(Collection());
    return items ? items->SkinList() : nullptr;
}

void TbsSkinListItem::Assign(const TPersistent* Source) {
    const auto* item = dynamic_cast<const TbsSkinListItem*>(Source);
    if (!item) {
        TCollectionItem::Assign(Source);
        return;
    }
    FName = item->FName;
    FDescription = item->FDescription;
    FFileName = item->FFileName;
    FCompressedFileName = item->FCompressedFileName;
    TMemoryStream block;
    item->WriteSkin(block);
    ReadSkin(block);
}

TbsSkinListItems::TbsSkinListItems(TbsCompressedSkinList* ASkinList)
    : TTypedCollection<TbsSkinListItem>(ASkinList), FSkinList(ASkinList) {}

TbsCompressedSkinList::TbsCompressedSkinList(TComponent* AOwner)
    : TComponent(AOwner), FSkins(std::make_unique<TbsSkinListItems>(this)) {}

TbsCompressedSkinList::~TbsCompressedSkinList() = default;
