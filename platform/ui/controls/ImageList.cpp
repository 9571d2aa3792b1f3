#include "platform/ui/controls/ImageList.h"
#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/DeviceContext.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner)
{
}

TImageList::TImageList(TComponent* AOwner, int width, int height) : TComponent(AOwner), FWidth(width), FHeight(height)
{
}

void TImageList::SetSize(int width, int height)
{
    if (width == FWidth && height == FHeight)
        return;
    FWidth = std::max(1, width);
    FHeight = std::max(1, height);
    Clear();
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TImageList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EInvalidOperation(Format("Invalid image list index %d", index));
}

// One picture of the list from column `column` of image: straight alpha,
// transparent where the mask is white or the pixel has the key colour.
TBitmap TImageList::Prepare(const TBitmap& image, const TBitmap* mask, TColor key, bool useKey, int column) const
{
    TBitmap out(FWidth, FHeight, pf32bit);
    out.Fill(clBlack, 0);
    TColor k = ColorToRGB(key) & 0xFFFFFF;
    bool hasAlpha = image.PixelFormat() == pf32bit && image.AlphaFormat() != afIgnored;
    for (int y = 0; y < FHeight && y < image.Height(); ++y) {
        uint8_t* dst = out.ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            int sx = column * FWidth + x;
            if (sx >= image.Width())
                break;
            TColor c = image.GetPixel(sx, y);
            uint8_t alpha = hasAlpha ? uint8_t(image.ScanLine(y)[sx * 4 + 3]) : 255;
            if (mask && sx < mask->Width() && y < mask->Height() && (mask->GetPixel(sx, y) & 0xFFFFFF) != 0)
                alpha = 0;
            if (useKey && (c & 0xFFFFFF) == k)
                alpha = 0;
            dst[x * 4 + 0] = uint8_t(GetBValue(c));
            dst[x * 4 + 1] = uint8_t(GetGValue(c));
            dst[x * 4 + 2] = uint8_t(GetRValue(c));
            dst[x * 4 + 3] = alpha;
        }
    }
    out.SetAlphaFormat(afDefined);
    return out;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask)
{
    int first = Count();
    int columns = std::max(1, image.Width() / FWidth);
    for (int i = 0; i < columns; ++i)
        FImages.push_back(Prepare(image, mask, clNone, false, i));
    Changed();
    return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor)
{
    int first = Count();
    int columns = std::max(1, image.Width() / FWidth);
    for (int i = 0; i < columns; ++i)
        FImages.push_back(Prepare(image, nullptr, maskColor, true, i));
    Changed();
    return first;
}

void TImageList::Insert(int index, const TBitmap& image, const TBitmap* mask)
{
    if (index < 0 || index > Count())
        throw EInvalidOperation(Format("Invalid image list index %d", index));
    FImages.insert(FImages.begin() + index, Prepare(image, mask, clNone, false, 0));
    Changed();
}

void TImageList::Replace(int index, const TBitmap& image, const TBitmap* mask)
{
    CheckIndex(index);
    FImages[size_t(index)] = Prepare(image, mask, clNone, false, 0);
    Changed();
}

void TImageList::Delete(int index)
{
    CheckIndex(index);
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TImageList::Clear()
{
    FImages.clear();
    Changed();
}

void TImageList::Move(int from, int to)
{
    CheckIndex(from);
    CheckIndex(to);
    TBitmap b = FImages[size_t(from)];
    FImages.erase(FImages.begin() + from);
    FImages.insert(FImages.begin() + to, b);
    Changed();
}

const TBitmap& TImageList::Image(int index) const
{
    CheckIndex(index);
    return FImages[size_t(index)];
}

void TImageList::GetBitmap(int index, TBitmap& target) const
{
    target = Image(index);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled)
{
    DoDraw(index, canvas, x, y, dsNormal, enabled);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, TDrawingStyle style, TImageType, bool enabled)
{
    DoDraw(index, canvas, x, y, style, enabled);
}

// Disabled pictures are drawn grey and lighter, keeping their transparency.
void TImageList::DoDraw(int index, TCanvas& canvas, int x, int y, TDrawingStyle, bool enabled)
{
    if (index < 0 || index >= Count() || !canvas.Handle())
        return;
    TBitmap pic = FImages[size_t(index)];
    if (!enabled) {
        for (int row = 0; row < pic.Height(); ++row) {
            uint8_t* p = pic.ScanLine(row);
            for (int col = 0; col < pic.Width(); ++col) {
                int lum = (p[col * 4] * 29 + p[col * 4 + 1] * 150 + p[col * 4 + 2] * 77) >> 8;
                uint8_t grey = uint8_t(128 + lum / 2);
                p[col * 4] = p[col * 4 + 1] = p[col * 4 + 2] = grey;
            }
        }
    }
    TRect r{0, 0, FWidth, FHeight};
    AlphaBlend(*canvas.Handle(), r.Offsetted(x, y), pic, r, TBlendFunction{255, true}, true);
}
