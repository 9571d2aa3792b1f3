#include "skin/draw/PngImageList.h"

#include "platform/core/SysUtils.h"
#include "platform/gfx/Bitmap.h"

namespace {

TBitmap Placeholder(const TImageList& List) {
    return TBitmap(List.Width(), List.Height(), pf1bit);
}

}  // namespace

// ---- items -----------------------------------------------------------------

TbsPngImageItem::TbsPngImageItem(TCollection* Collection)
    : TCollectionItem(Collection), FPngImage(std::make_unique<TbsPngImage>()) {
    FName = Format("PngImage%d", Index());
    if (TbsPngImageList* list = PngImageList())
        list->Insert(std::min(Index(), list->Count()), Placeholder(*list));
}

TbsPngImageItem::~TbsPngImageItem() {
    FPngImage.reset();
    TbsPngImageList* list = PngImageList();
    const int index = Index();
    if (list && index >= 0 && index < list->Count())
        list->Delete(index);
}

TbsPngImageList* TbsPngImageItem::PngImageList() const {
    const auto* items = dynamic_cast<const TbsPngImageItems*>(Collection());
    return items ? items->PngImageList() : nullptr;
}

void TbsPngImageItem::Assign(const TPersistent* Source) {
    if (const auto* item = dynamic_cast<const TbsPngImageItem*>(Source)) {
        FPngImage->Assign(*item->FPngImage);
        FName = item->FName;
        return;
    }
    TCollectionItem::Assign(Source);
}

std::string TbsPngImageItem::DisplayName() const {
    return FName.empty() ? TCollectionItem::DisplayName() : FName;
}

void TbsPngImageItem::SetPngImage(const TbsPngImage& Value) {
    FPngImage->Assign(Value);
    Changed(true);
}

TbsPngImageItems::TbsPngImageItems(TbsPngImageList* AOwner)
    : TTypedCollection<TbsPngImageItem>(AOwner), FPngImageList(AOwner) {}

// ---- the list --------------------------------------------------------------

TbsPngImageList::TbsPngImageList(TComponent* AOwner)
    : TImageList(AOwner), FPngImages(std::make_unique<TbsPngImageItems>(this)) {}

TbsPngImageList::~TbsPngImageList() {
    FPngImages.reset();
}

void TbsPngImageList::SetPngImages(const TbsPngImageItems& Value) {
    FPngImages->Assign(&Value);
}

void TbsPngImageList::SetPngWidth(int Value) {
    ChangeSize(Value, Height());
}

void TbsPngImageList::SetPngHeight(int Value) {
    ChangeSize(Width(), Value);
}

void TbsPngImageList::ChangeSize(int AWidth, int AHeight) {
    if (AWidth == Width() && AHeight == Height())
        return;
    SetSize(AWidth, AHeight);   // drops every placeholder
    if (!ComponentState().Contains(csLoading)) {
        FPngImages->Clear();
        return;
    }
    // Pictures read before the size keep their places.
    for (int i = 0; i < FPngImages->Count(); ++i)
        Insert(i, Placeholder(*this));
}

void TbsPngImageList::DoDraw(int index, TCanvas& canvas, int x, int y, TDrawingStyle, bool enabled) {
    const TbsPngImageItem* item = FPngImages->Items(index);   // a bad index raises
    DrawPngImage(item->PngImage(), canvas, TRect{x, y, x + Width(), y + Height()}, enabled);
}
