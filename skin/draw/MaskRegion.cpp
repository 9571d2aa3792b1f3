#include "skin/draw/MaskRegion.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/Bitmap.h"
#include "skin/draw/RectUtils.h"

namespace {

void PutInt32(std::uint8_t* at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    at[0] = static_cast<std::uint8_t>(u);
    at[1] = static_cast<std::uint8_t>(u >> 8);
    at[2] = static_cast<std::uint8_t>(u >> 16);
    at[3] = static_cast<std::uint8_t>(u >> 24);
}

// Tiles the band [from, to) of the mask (along y) down the strip.
void TileStripDown(TBitmap& Strip, const TBitmap& Mask, int srcLeft, int srcRight, int from, int to) {
    const int step = to - from;
    if (step <= 0)
        return;
    for (int y = 0; y < Strip.Height(); y += step) {
        const int h = std::min(step, Strip.Height() - y);
        CopyPiece(Strip, TRect{0, y, Strip.Width(), y + h}, Mask, TRect{srcLeft, from, srcRight, from + h});
    }
}

void TileStripAcross(TBitmap& Strip, const TBitmap& Mask, int srcTop, int srcBottom, int from, int to, int x0,
                     int x1) {
    const int step = to - from;
    if (step <= 0)
        return;
    for (int x = x0; x < x1; x += step) {
        const int w = std::min(step, x1 - x);
        CopyPiece(Strip, TRect{x, 0, x + w, Strip.Height()}, Mask, TRect{from, srcTop, from + w, srcBottom});
    }
}

std::optional<TRegion> StripRegion(const TBitmap& Strip, int dx, int dy) {
    if (Strip.Width() <= 0 || Strip.Height() <= 0)
        return std::nullopt;
    return TRegion::FromRects(MaskToRects(Strip, dx, dy));
}

// A union with a missing region on either side changes nothing.
void Join(std::optional<TRegion>& a, const std::optional<TRegion>& b) {
    if (a && b)
        a = a->Union(*b);
}

}  // namespace

std::vector<TRect> MaskToRects(const TBitmap& Mask, int OffsetX, int OffsetY) {
    std::vector<TRect> runs;
    if (Mask.Empty())
        return runs;
    TBitmap copy;
    const TBitmap* mask = &Mask;
    if (Mask.PixelFormat() != pf24bit) {
        copy = Mask;
        copy.SetPixelFormat(pf24bit);
        mask = &copy;
    }
    const int w = mask->Width();
    for (int y = 0; y < mask->Height(); ++y) {
        const std::uint8_t* row = mask->ScanLine(y);
        int x = 0;
        while (x < w) {
            auto black = [&](int i) { return row[3 * i] == 0 && row[3 * i + 1] == 0 && row[3 * i + 2] == 0; };
            if (!black(x)) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < w && black(x))
                ++x;
            runs.push_back(TRect{x0 + OffsetX, y + OffsetY, x + OffsetX, y + OffsetY + 1});
        }
    }
    return runs;
}

int MaskToRegionData(const TBitmap& Mask, int OffsetX, int OffsetY, std::vector<std::uint8_t>& Data) {
    if (Mask.Empty())
        return 0;
    const std::vector<TRect> runs = MaskToRects(Mask, OffsetX, OffsetY);
    const std::size_t size = 32 + 16 * runs.size();
    Data.assign(size, 0);
    PutInt32(&Data[0], 32);
    PutInt32(&Data[4], 1);
    PutInt32(&Data[8], static_cast<std::int32_t>(runs.size()));
    PutInt32(&Data[12], 0);
    PutInt32(&Data[16], OffsetX);
    PutInt32(&Data[20], OffsetY);
    PutInt32(&Data[24], OffsetX + Mask.Width());
    PutInt32(&Data[28], OffsetY + Mask.Height());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        std::uint8_t* at = &Data[32 + 16 * i];
        PutInt32(at, runs[i].Left);
        PutInt32(at + 4, runs[i].Top);
        PutInt32(at + 8, runs[i].Right);
        PutInt32(at + 12, runs[i].Bottom);
    }
    return static_cast<int>(size);
}

void MaskToRegion(TRegion& Rgn, const TBitmap& Mask) {
    Rgn = TRegion::FromRects(MaskToRects(Mask, 0, 0));
}

void CreateSkinBorderMasks(const TbsSkinGeometry& G, const TBitmap& Mask, TBitmap& TopBmp, TBitmap& LeftBmp,
                           TBitmap& RightBmp, TBitmap& BottomBmp, int NewWidth, int /*NewHeight*/) {
    const int MW = Mask.Width(), MH = Mask.Height();
    const TRect& Cl = G.ClRect;
    const int clientHeight = RectHeight(G.NewClRect);

    auto side = [&](TBitmap& strip, int srcLeft, int srcRight, int topPt, int bottomPt) {
        const int width = srcRight - srcLeft;
        if (width <= 0 || clientHeight <= 0)
            return;
        strip.SetSize(width, clientHeight);
        TileStripDown(strip, Mask, srcLeft, srcRight, topPt, bottomPt);
        CopyPiece(strip, TRect{0, 0, width, topPt - Cl.Top}, Mask, TRect{srcLeft, Cl.Top, srcRight, topPt});
        CopyPiece(strip, TRect{0, clientHeight - (Cl.Bottom - bottomPt), width, clientHeight}, Mask,
                  TRect{srcLeft, bottomPt, srcRight, Cl.Bottom});
    };
    side(LeftBmp, 0, Cl.Left, G.LTPt.Y, G.LBPt.Y);
    side(RightBmp, Cl.Right, MW, G.RTPt.Y, G.RBPt.Y);

    if (NewWidth > 0 && Cl.Top > 0) {
        TopBmp.SetSize(NewWidth, Cl.Top);
        TileStripAcross(TopBmp, Mask, 0, Cl.Top, G.LTPt.X, G.RTPt.X, G.NewLTPt.X, G.NewRTPt.X);
        CopyPiece(TopBmp, TRect{0, 0, G.LTPt.X, Cl.Top}, Mask, TRect{0, 0, G.LTPt.X, Cl.Top});
        CopyPiece(TopBmp, TRect{G.NewRTPt.X, 0, G.NewRTPt.X + MW - G.RTPt.X, Cl.Top}, Mask,
                  TRect{G.RTPt.X, 0, MW, Cl.Top});
    }
    const int bh = MH - Cl.Bottom;
    if (NewWidth >= 1 && bh >= 1) {
        BottomBmp.SetSize(NewWidth, bh);
        TileStripAcross(BottomBmp, Mask, Cl.Bottom, MH, G.LBPt.X, G.RBPt.X, G.NewLBPt.X, G.NewRBPt.X);
        CopyPiece(BottomBmp, TRect{0, 0, G.LBPt.X, bh}, Mask, TRect{0, Cl.Bottom, G.LBPt.X, MH});
        CopyPiece(BottomBmp, TRect{G.NewRBPt.X, 0, G.NewRBPt.X + MW - G.RBPt.X, bh}, Mask,
                  TRect{G.RBPt.X, Cl.Bottom, MW, MH});
    }
}

void CreateSkinRegion(std::optional<TRegion>& Rgn, const TbsSkinGeometry& G, const TBitmap& Mask, int NewWidth,
                      int NewHeight) {
    Rgn.reset();
    if (G.NewRTPt.X < G.NewLTPt.X || G.NewLBPt.Y < G.NewLTPt.Y)
        return;
    TBitmap top, left, right, bottom;
    CreateSkinBorderMasks(G, Mask, top, left, right, bottom, NewWidth, NewHeight);
    std::optional<TRegion> topRgn = StripRegion(top, 0, 0);
    const std::optional<TRegion> bottomRgn = StripRegion(bottom, 0, G.NewClRect.Bottom);
    std::optional<TRegion> leftRgn = StripRegion(left, 0, G.NewClRect.Top);
    const std::optional<TRegion> rightRgn = StripRegion(right, G.NewClRect.Right, G.NewClRect.Top);
    if (!IsNullRect(G.NewClRect))
        Rgn = TRegion(G.NewClRect);
    Join(topRgn, bottomRgn);
    Join(leftRgn, rightRgn);
    Join(leftRgn, topRgn);
    Join(Rgn, leftRgn);
}
