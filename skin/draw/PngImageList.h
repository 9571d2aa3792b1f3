#pragma once
#include <memory>
#include <string>

#include "platform/core/Collection.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/draw/PngImage.h"

class TbsPngImageList;

// One PNG picture of the list, named "PngImage<index>" when it is made.
// Making one adds a blank placeholder to the underlying image list and
// destroying one removes it, so the counts of both stay equal.
class TbsPngImageItem : public TCollectionItem {
public:
    explicit TbsPngImageItem(TCollection* Collection);
    ~TbsPngImageItem() override;

    void Assign(const TPersistent* Source) override;
    std::string DisplayName() const override;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    TbsPngImage& PngImage() { return *FPngImage; }
    const TbsPngImage& PngImage() const { return *FPngImage; }
    // Copies Value and reports the change.
    void SetPngImage(const TbsPngImage& Value);

private:
    TbsPngImageList* PngImageList() const;

    std::unique_ptr<TbsPngImage> FPngImage;
    std::string FName;
};

class TbsPngImageItems : public TTypedCollection<TbsPngImageItem> {
public:
    explicit TbsPngImageItems(TbsPngImageList* AOwner);
    TbsPngImageList* PngImageList() const { return FPngImageList; }

private:
    TbsPngImageList* FPngImageList;
};

// An image list whose pictures are PNG pictures with their alpha channel,
// drawn blended; a disabled picture is drawn at about half its alpha.
class TbsPngImageList : public TImageList {
public:
    explicit TbsPngImageList(TComponent* AOwner);
    ~TbsPngImageList() override;

    TbsPngImageItems& PngImages() { return *FPngImages; }
    void SetPngImages(const TbsPngImageItems& Value);
    int PngWidth() const { return Width(); }
    int PngHeight() const { return Height(); }
    // A new size empties the list, except while the list is being loaded.
    void SetPngWidth(int Value);
    void SetPngHeight(int Value);

protected:
    void DoDraw(int index, TCanvas& canvas, int x, int y, TDrawingStyle style, bool enabled) override;

private:
    void ChangeSize(int AWidth, int AHeight);

    std::unique_ptr<TbsPngImageItems> FPngImages;
};
