#pragma once
#include "platform/gfx/Color.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// The sixteen classic raster operations between pen and screen.
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

enum TBrushStyle { bsSolid, bsClear };

// What a device context holds of a pen and a brush; TPen and TBrush of the
// canvas hand these over before each drawing call.
struct TPenData {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
};

struct TBrushData {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// Applies a raster operation to one 24-bit colour (0x00RRGGBB as in pixels).
inline uint32_t ApplyPenMode(TPenMode mode, uint32_t pen, uint32_t dst)
{
    const uint32_t m = 0xFFFFFF;
    switch (mode) {
    case pmBlack: return 0;
    case pmWhite: return m;
    case pmNop: return dst & m;
    case pmNot: return ~dst & m;
    case pmCopy: return pen & m;
    case pmNotCopy: return ~pen & m;
    case pmMergePenNot: return (pen | ~dst) & m;
    case pmMaskPenNot: return (pen & ~dst) & m;
    case pmMergeNotPen: return (~pen | dst) & m;
    case pmMaskNotPen: return (~pen & dst) & m;
    case pmMerge: return (pen | dst) & m;
    case pmNotMerge: return ~(pen | dst) & m;
    case pmMask: return (pen & dst) & m;
    case pmNotMask: return ~(pen & dst) & m;
    case pmXor: return (pen ^ dst) & m;
    case pmNotXor: return ~(pen ^ dst) & m;
    }
    return pen & m;
}
