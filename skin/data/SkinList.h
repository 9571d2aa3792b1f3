#pragma once
#include <memory>
#include <string>
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Stream.h"
#include "skin/data/CompressedStoredSkin.h"

class TbsCompressedSkinList;

// One skin of a skin list: a stored skin with the name the skin picker shows.
class TbsSkinListItem : public TCollectionItem {
public:
    explicit TbsSkinListItem(TCollection* Collection);
    ~TbsSkinListItem() override;

    TbsCompressedStoredSkin* Skin() const { return FSkin.get(); }

    // The display name; a new item is named "bsSkin<its index at creation>".
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    std::string DisplayName() const override { return FName; }
    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& Value) { FDescription = Value; }
    // Stored only: the build packs skins with PackSkinFile.
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    const std::string& CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const std::string& Value) { FCompressedFileName = Value; }

    // The item's "Skin" data, in the compressed skin layout.
    void ReadSkin(TStream& Stream) { FSkin->LoadFromCompressStream(Stream); }
    void WriteSkin(TStream& Stream) const { FSkin->SaveToCompressStream(Stream); }

    // Copies the texts and the stored block of another item.
    void Assign(const TPersistent* Source) override;

    TbsCompressedSkinList* SkinList() const;

private:
    std::unique_ptr<TbsCompressedStoredSkin> FSkin;
    std::string FName, FDescription, FFileName, FCompressedFileName;
};

// The items of a skin list, in order.
class TbsSkinListItems : public TTypedCollection<TbsSkinListItem> {
public:
    explicit TbsSkinListItems(TbsCompressedSkinList* ASkinList);
    TbsCompressedSkinList* SkinList() const { return FSkinList; }

private:
    TbsCompressedSkinList* FSkinList;
};

// A component holding several stored skins; a skin container selects one by
// its SkinIndex.
class TbsCompressedSkinList : public TComponent {
public:
    explicit TbsCompressedSkinList(TComponent* AOwner);
    ~TbsCompressedSkinList() override;

    TbsSkinListItems* Skins() const { return FSkins.get(); }
    // Replaces the items by copies of another collection's items.
    void SetSkins(const TbsSkinListItems& Value) { FSkins->Assign(&Value); }

private:
    std::unique_ptr<TbsSkinListItems> FSkins;
};
