#pragma once
#include <functional>
#include <memory>
#include <vector>
#include "platform/core/Component.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Graphic.h"

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

// Pictures of one size, kept as 32-bit bitmaps with alpha. A picture added
// with a mask, or with a key colour when Masked, gets alpha 0 where it is
// transparent. Draw paints enabled or greyed.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    TImageList(TComponent* AOwner, int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size clears the list.
    void SetSize(int width, int height);
    void SetWidth(int v) { SetSize(v, FHeight); }
    void SetHeight(int v) { SetSize(FWidth, v); }
    int Count() const { return int(FImages.size()); }
    bool Masked() const { return FMasked; }
    void SetMasked(bool v) { FMasked = v; }
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor v) { FBkColor = v; }

    // A picture wider than Width is cut into several; returns the first index.
    int Add(const TBitmap& image, const TBitmap* mask = nullptr);
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Insert(int index, const TBitmap& image, const TBitmap* mask = nullptr);
    void Replace(int index, const TBitmap& image, const TBitmap* mask = nullptr);
    void Delete(int index);
    void Clear();
    void Move(int from, int to);
    const TBitmap& Image(int index) const;
    void GetBitmap(int index, TBitmap& target) const;

    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas& canvas, int x, int y, int index, TDrawingStyle style, TImageType type, bool enabled);
    std::function<void(TObject* Sender)> OnChange;

protected:
    // The one drawing routine; subclasses (PNG lists of the skin layer) override it.
    virtual void DoDraw(int index, TCanvas& canvas, int x, int y, TDrawingStyle style, bool enabled);

private:
    TBitmap Prepare(const TBitmap& image, const TBitmap* mask, TColor key, bool useKey, int column) const;
    void Changed();
    void CheckIndex(int index) const;

    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    TColor FBkColor = clNone;
    std::vector<TBitmap> FImages;
};
