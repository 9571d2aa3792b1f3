#include "skin/draw/BitmapBlits.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/draw/AlphaBitmap.h"

namespace {

void ToBitmap(TbsPixelMode Mode, TbsBitmap& Dst, const TRect& DstRect, const TRect& ClipRect, const TbsBitmap& Src,
              const TRect& SrcRect) {
    StretchPixelRect(Mode, Dst.View(), DstRect, ClipRect, Src.View(), SrcRect);
}

void ToDIB(TbsPixelMode Mode, TbsColor* Bits, const TRect& DstRect, const TRect& ClipRect, int DIBWidth,
           int DIBHeight, const TbsBitmap& Src, const TRect& SrcRect) {
    StretchPixelRect(Mode, TbsPixelView{Bits, DIBWidth, DIBHeight}, DstRect, ClipRect, Src.View(), SrcRect);
}

// Composes Src over the visible part of the target area in a temporary alpha
// bitmap and copies the result back; the temporary bitmap never grows past
// what the context can show.
void ThroughTemporary(TDeviceContext& DC, int X, int Y, int W, int H, const TbsBitmap& Src, int SX, int SY, int SW,
                      int SH) {
    if (W <= 0 || H <= 0 || Src.Empty())
        return;
    const TRect target{X, Y, X + W, Y + H};
    const TRect visible = IntersectRect(target, DC.ClipBox());
    if (visible.IsEmpty())
        return;
    TbsBitmap temp;
    temp.SetSize(visible.Width(), visible.Height());
    BitBlt(temp.DC(), 0, 0, visible.Width(), visible.Height(), DC, visible.Left, visible.Top);
    Src.Draw(temp, target.Offsetted(-visible.Left, -visible.Top),
                                     TRect{SX, SY, SX + SW, SY + SH});
    BitBlt(DC, visible.Left, visible.Top, visible.Width(), visible.Height(), temp.DC(), 0, 0);
}

}  // namespace

void CopyBitmapRect(TbsBitmap& Dst, const TRect& DstRect, const TRect& ClipRect, const TbsBitmap& Src,
                    const TRect& SrcRect) {
    ToBitmap(TbsPixelMode::Copy, Dst, DstRect, ClipRect, Src, SrcRect);
}

void BlendBitmapRect(TbsBitmap& Dst, const TRect& DstRect, const TRect& ClipRect, const TbsBitmap& Src,
                     const TRect& SrcRect) {
    ToBitmap(TbsPixelMode::Blend, Dst, DstRect, ClipRect, Src, SrcRect);
}

void KeyBitmapRect(TbsBitmap& Dst, const TRect& DstRect, const TRect& ClipRect, const TbsBitmap& Src,
                   const TRect& SrcRect) {
    ToBitmap(TbsPixelMode::Key, Dst, DstRect, ClipRect, Src, SrcRect);
}

void StretchToDC(TDeviceContext& DC, int X, int Y, int W, int H, const TbsBitmap& Src, int SX, int SY, int SW,
                 int SH) {
    if (Src.Empty())
        return;
    StretchBlt(DC, TRect{X, Y, X + W, Y + H}, Src.Surface(), TRect{SX, SY, SX + SW, SY + SH});
}

void BlendToDC(TDeviceContext& DC, int X, int Y, int W, int H, const TbsBitmap& Src, int SX, int SY, int SW, int SH) {
    ThroughTemporary(DC, X, Y, W, H, Src, SX, SY, SW, SH);
}

void KeyToDC(TDeviceContext& DC, int X, int Y, int W, int H, const TbsBitmap& Src, int SX, int SY, int SW, int SH) {
    ThroughTemporary(DC, X, Y, W, H, Src, SX, SY, SW, SH);
}

TbsColor* GetDCBits(const TDeviceContext& DC, int& Width, int& Height, int& BitCount) {
    const TSelectedBitmap selected = DC.SelectedBitmap();
    if (selected.Bits == nullptr || !selected.TopDown || selected.BitsPerPixel != 32 ||
        selected.Stride != 4 * selected.Width) {
        Width = Height = BitCount = 0;
        return nullptr;
    }
    Width = selected.Width;
    Height = selected.Height;
    BitCount = selected.BitsPerPixel;
    return reinterpret_cast<TbsColor*>(selected.Bits);
}

void CopyToDIB(TbsColor* Bits, const TRect& DstRect, const TRect& ClipRect, int DIBWidth, int DIBHeight,
               const TbsBitmap& Src, const TRect& SrcRect) {
    ToDIB(TbsPixelMode::Copy, Bits, DstRect, ClipRect, DIBWidth, DIBHeight, Src, SrcRect);
}

void BlendToDIB(TbsColor* Bits, const TRect& DstRect, const TRect& ClipRect, int DIBWidth, int DIBHeight,
                const TbsBitmap& Src, const TRect& SrcRect) {
    ToDIB(TbsPixelMode::Blend, Bits, DstRect, ClipRect, DIBWidth, DIBHeight, Src, SrcRect);
}

void KeyToDIB(TbsColor* Bits, const TRect& DstRect, const TRect& ClipRect, int DIBWidth, int DIBHeight,
              const TbsBitmap& Src, const TRect& SrcRect) {
    ToDIB(TbsPixelMode::Key, Bits, DstRect, ClipRect, DIBWidth, DIBHeight, Src, SrcRect);
}
