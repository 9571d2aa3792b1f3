#include "skin/draw/SkinImage.h"

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"

namespace {

// Lays the source band Src repeatedly along x from X0 up to X1 (the last
// tile cut, and its source cut by the same amount on the right); every tile
// spans Top..Bottom, stretched vertically when the heights differ.
void TileAcross(TBitmap& Dest, int X0, int X1, int Top, int Bottom, const TBitmap& Picture, const TRect& Src) {
    const int step = Src.Width();
    if (step <= 0 || Bottom <= Top)
        return;
    for (int x = X0; x < X1; x += step) {
        const int w = std::min(step, X1 - x);
        CopyPiece(Dest, TRect{x, Top, x + w, Bottom}, Picture, TRect{Src.Left, Src.Top, Src.Left + w, Src.Bottom});
    }
}

// The vertical twin of TileAcross.
void TileDown(TBitmap& Dest, int Y0, int Y1, int Left, int Right, const TBitmap& Picture, const TRect& Src) {
    const int step = Src.Height();
    if (step <= 0 || Right <= Left)
        return;
    for (int y = Y0; y < Y1; y += step) {
        const int h = std::min(step, Y1 - y);
        CopyPiece(Dest, TRect{Left, y, Right, y + h}, Picture, TRect{Src.Left, Src.Top, Src.Right, Src.Top + h});
    }
}

// Tiles Src in both directions over Dst, cutting the last column and row.
void TileBoth(TBitmap& Dest, const TRect& Dst, const TBitmap& Picture, const TRect& Src) {
    const int cw = Src.Width(), ch = Src.Height();
    if (cw <= 0 || ch <= 0)
        return;
    for (int y = Dst.Top; y < Dst.Bottom; y += ch) {
        const int h = std::min(ch, Dst.Bottom - y);
        TileAcross(Dest, Dst.Left, Dst.Right, y, y + h, Picture, TRect{Src.Left, Src.Top, Src.Right, Src.Top + h});
    }
}

void DrawClientPart(TBitmap& Dest, const TRect& Target, const TBitmap& Picture, const TRect& C, bool ClientStretch,
                    TbsStretchType StretchType) {
    if (!ClientStretch) {
        TileBoth(Dest, Target, Picture, C);
        return;
    }
    if (Target.IsEmpty())
        return;
    switch (StretchType) {
    case bsstFull:
        CopyPiece(Dest, Target, Picture, C);
        break;
    case bsstHorz:  // stretched to the height, repeated across
        TileAcross(Dest, Target.Left, Target.Right, Target.Top, Target.Bottom, Picture, C);
        break;
    case bsstVert:  // stretched to the width, repeated downwards
        TileDown(Dest, Target.Top, Target.Bottom, Target.Left, Target.Right, Picture, C);
        break;
    }
}

void SizeDest(TBitmap& Dest, int Width, int Height) {
    Dest.SetSize(std::max(Width, 0), std::max(Height, 0));
}

}  // namespace

void CopyPiece(TBitmap& Dest, const TRect& Dst, const TBitmap& Picture, const TRect& Src) {
    if (Dst.IsEmpty() || Src.IsEmpty() || Picture.Empty() || Dest.Empty())
        return;
    TRect src = Src, dst = Dst;
    const TRect inside = IntersectRect(Src, TRect{0, 0, Picture.Width(), Picture.Height()});
    if (inside.IsEmpty())
        return;
    if (!(inside == Src)) {
        // Keep the part of the target that shows the part of the source that exists.
        auto map = [](int v, int s0, int sLen, int d0, int dLen) {
            return d0 + static_cast<int>(static_cast<long long>(v - s0) * dLen / sLen);
        };
        dst = TRect{map(inside.Left, Src.Left, Src.Width(), Dst.Left, Dst.Width()),
                    map(inside.Top, Src.Top, Src.Height(), Dst.Top, Dst.Height()),
                    map(inside.Right, Src.Left, Src.Width(), Dst.Left, Dst.Width()),
                    map(inside.Bottom, Src.Top, Src.Height(), Dst.Top, Dst.Height())};
        src = inside;
        if (dst.IsEmpty())
            return;
    }
    StretchBlt(*Dest.Canvas()->Handle(), dst, Picture, src);
}

// ---- three-slice images ----------------------------------------------------

void CreateHSkinImage(int LOffset, int ROffset, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                      int Width, int /*Height*/, bool Stretch) {
    SizeDest(Dest, Width, SkinRect.Height());
    const int W = Dest.Width(), H = Dest.Height();
    if (LOffset != 0)
        CopyPiece(Dest, TRect{0, 0, LOffset, H}, Picture,
                  TRect{SkinRect.Left, SkinRect.Top, SkinRect.Left + LOffset, SkinRect.Bottom});
    if (ROffset != 0)
        CopyPiece(Dest, TRect{W - ROffset, 0, W, H}, Picture,
                  TRect{SkinRect.Right - ROffset, SkinRect.Top, SkinRect.Right, SkinRect.Bottom});
    const TRect M{SkinRect.Left + LOffset, SkinRect.Top, SkinRect.Right - ROffset, SkinRect.Bottom};
    if (Stretch)
        CopyPiece(Dest, TRect{LOffset, 0, W - ROffset, H}, Picture, M);
    else
        TileAcross(Dest, LOffset, W - ROffset, 0, H, Picture, M);
}

void CreateHSkinImageNoRight(int LOffset, int ROffset, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                             int Width, int /*Height*/, bool Stretch) {
    SizeDest(Dest, Width, SkinRect.Height());
    const int W = Dest.Width(), H = Dest.Height();
    if (LOffset != 0)
        CopyPiece(Dest, TRect{0, 0, LOffset, H}, Picture,
                  TRect{SkinRect.Left, SkinRect.Top, SkinRect.Left + LOffset, SkinRect.Bottom});
    const TRect M{SkinRect.Left + LOffset, SkinRect.Top, SkinRect.Right - ROffset, SkinRect.Bottom};
    if (Stretch)
        CopyPiece(Dest, TRect{LOffset, 0, W, H}, Picture, M);
    else
        TileAcross(Dest, LOffset, W, 0, H, Picture, M);
}

void CreateHSkinImageNoCaps(int LOffset, int ROffset, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                            int Width, int /*Height*/, bool Stretch) {
    SizeDest(Dest, Width, SkinRect.Height());
    const int W = Dest.Width(), H = Dest.Height();
    const TRect M{SkinRect.Left + LOffset, SkinRect.Top, SkinRect.Right - ROffset, SkinRect.Bottom};
    if (Stretch)
        CopyPiece(Dest, TRect{0, 0, W, H}, Picture, M);
    else
        TileAcross(Dest, 0, W, 0, H, Picture, M);
}

void CreateVSkinImage(int TOffset, int BOffset, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                      int /*Width*/, int Height, bool Stretch) {
    SizeDest(Dest, SkinRect.Width(), Height);
    const int W = Dest.Width(), H = Dest.Height();
    if (TOffset != 0)
        CopyPiece(Dest, TRect{0, 0, W, TOffset}, Picture,
                  TRect{SkinRect.Left, SkinRect.Top, SkinRect.Right, SkinRect.Top + TOffset});
    if (BOffset != 0)
        CopyPiece(Dest, TRect{0, H - BOffset, W, H}, Picture,
                  TRect{SkinRect.Left, SkinRect.Bottom - BOffset, SkinRect.Right, SkinRect.Bottom});
    const TRect M{SkinRect.Left, SkinRect.Top + TOffset, SkinRect.Right, SkinRect.Bottom - BOffset};
    if (Stretch)
        CopyPiece(Dest, TRect{0, TOffset, W, H - BOffset}, Picture, M);
    else
        TileDown(Dest, TOffset, H - BOffset, 0, W, Picture, M);
}

// ---- nine-slice images -----------------------------------------------------

TbsSkinGeometry GrownGeometry(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& ClRect, int Dw, int Dh)
{
    TbsSkinGeometry g;
    g.LTPt = g.NewLTPt = LT;
    g.RTPt = RT;
    g.LBPt = LB;
    g.RBPt = RB;
    g.ClRect = ClRect;
    g.NewRTPt = TPoint{RT.X + Dw, RT.Y};
    g.NewLBPt = TPoint{LB.X, LB.Y + Dh};
    g.NewRBPt = TPoint{RB.X + Dw, RB.Y + Dh};
    g.NewClRect = TRect{ClRect.Left, ClRect.Top, ClRect.Right + Dw, ClRect.Bottom + Dh};
    return g;
}

void CreateSkinImage(const TbsSkinGeometry& G, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                     int Width, int Height, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                     bool BottomStretch, bool ClientStretch, TbsStretchType StretchType) {
    SizeDest(Dest, Width, Height);
    if (G.RBPt.X == G.LTPt.X || G.RBPt.Y == G.LTPt.Y || Picture.Empty())
        return;
    const int SL = SkinRect.Left, ST = SkinRect.Top, SR = SkinRect.Right, SB = SkinRect.Bottom;
    const TRect& Cl = G.ClRect;
    const TRect& NCl = G.NewClRect;

    // Edges.
    const TRect top{SL + G.LTPt.X, ST, SL + G.RTPt.X, ST + Cl.Top};
    if (TopStretch)
        CopyPiece(Dest, TRect{G.NewLTPt.X, 0, G.NewRTPt.X, NCl.Top}, Picture, top);
    else
        TileAcross(Dest, G.NewLTPt.X, G.NewRTPt.X, 0, NCl.Top, Picture, top);

    const TRect bottom{SL + G.LBPt.X, ST + Cl.Bottom, SL + G.RBPt.X, SB};
    if (BottomStretch)
        CopyPiece(Dest, TRect{G.NewLBPt.X, NCl.Bottom, G.NewRBPt.X, Height}, Picture, bottom);
    else
        TileAcross(Dest, G.NewLBPt.X, G.NewRBPt.X, NCl.Bottom, Height, Picture, bottom);

    if (LeftStretch)
        CopyPiece(Dest, TRect{0, G.NewLTPt.Y, NCl.Left, G.NewLBPt.Y}, Picture,
                  TRect{SL, ST + G.LTPt.Y, SL + Cl.Left, ST + G.LBPt.Y});
    else
        TileDown(Dest, G.NewLTPt.Y, G.NewLBPt.Y, 0, NCl.Left, Picture,
                 TRect{SL, ST + G.LTPt.Y, SL + NCl.Left, ST + G.LBPt.Y});

    const TRect right{SL + Cl.Right, ST + G.RTPt.Y, SR, ST + G.RBPt.Y};
    if (RightStretch)
        CopyPiece(Dest, TRect{NCl.Right, G.NewRTPt.Y, Width, G.NewRBPt.Y}, Picture, right);
    else
        TileDown(Dest, G.NewRTPt.Y, G.NewRBPt.Y, NCl.Right, Width, Picture, right);

    // Corners, each an L of two pieces.
    CopyPiece(Dest, TRect{0, 0, G.NewLTPt.X, NCl.Top}, Picture, TRect{SL, ST, SL + G.LTPt.X, ST + Cl.Top});
    CopyPiece(Dest, TRect{0, NCl.Top, NCl.Left, G.NewLTPt.Y}, Picture,
              TRect{SL, ST + Cl.Top, SL + Cl.Left, ST + G.LTPt.Y});
    CopyPiece(Dest, TRect{G.NewRTPt.X, 0, Width, NCl.Top}, Picture, TRect{SL + G.RTPt.X, ST, SR, ST + Cl.Top});
    CopyPiece(Dest, TRect{NCl.Right, NCl.Top, Width, G.NewRTPt.Y}, Picture,
              TRect{SL + Cl.Right, ST + Cl.Top, SR, ST + G.RTPt.Y});
    CopyPiece(Dest, TRect{0, G.NewLBPt.Y, NCl.Left, Height}, Picture, TRect{SL, ST + G.LBPt.Y, SL + Cl.Left, SB});
    CopyPiece(Dest, TRect{NCl.Left, NCl.Bottom, G.NewLBPt.X, Height}, Picture,
              TRect{SL + Cl.Left, ST + Cl.Bottom, SL + G.LBPt.X, SB});
    CopyPiece(Dest, TRect{G.NewRBPt.X, NCl.Bottom, Width, Height}, Picture,
              TRect{SL + G.RBPt.X, ST + Cl.Bottom, SR, SB});
    CopyPiece(Dest, TRect{NCl.Right, G.NewRBPt.Y, Width, NCl.Bottom}, Picture,
              TRect{SL + Cl.Right, ST + G.RBPt.Y, SR, ST + Cl.Bottom});

    if (DrawClient)
        DrawClientPart(Dest, NCl, Picture, Cl.Offsetted(SL, ST), ClientStretch, StretchType);
}

void CreateWindowSkinImage(const TbsSkinGeometry& G, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                           int Width, int Height, bool DrawClient, bool LeftStretch, bool TopStretch,
                           bool RightStretch, bool BottomStretch, bool ClientStretch, TbsStretchType StretchType) {
    CreateSkinImage(G, Dest, Picture, SkinRect, Width, Height, DrawClient, LeftStretch, TopStretch, RightStretch,
                    BottomStretch, ClientStretch, StretchType);
}

void CreateSkinImageNoRight(const TbsSkinGeometry& G, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                            int Width, int Height, bool DrawClient, bool LeftStretch, bool TopStretch,
                            bool /*RightStretch*/, bool BottomStretch, bool ClientStretch,
                            TbsStretchType StretchType) {
    SizeDest(Dest, Width, Height);
    if (G.RBPt.X == G.LTPt.X || G.RBPt.Y == G.LTPt.Y || Picture.Empty())
        return;
    const int SL = SkinRect.Left, ST = SkinRect.Top, SB = SkinRect.Bottom;
    const TRect& Cl = G.ClRect;
    const TRect& NCl = G.NewClRect;

    const TRect top{SL + G.LTPt.X, ST, SL + G.RTPt.X, ST + Cl.Top};
    if (TopStretch)
        CopyPiece(Dest, TRect{G.NewLTPt.X, 0, Width, NCl.Top}, Picture, top);
    else
        TileAcross(Dest, G.NewLTPt.X, Width, 0, NCl.Top, Picture, top);

    const TRect bottom{SL + G.LBPt.X, ST + Cl.Bottom, SL + G.RBPt.X, SB};
    if (BottomStretch)
        CopyPiece(Dest, TRect{G.NewLBPt.X, NCl.Bottom, Width, Height}, Picture, bottom);
    else
        TileAcross(Dest, G.NewLBPt.X, Width, NCl.Bottom, Height, Picture, bottom);

    if (LeftStretch)
        CopyPiece(Dest, TRect{0, G.NewLTPt.Y, NCl.Left, G.NewLBPt.Y}, Picture,
                  TRect{SL, ST + G.LTPt.Y, SL + Cl.Left, ST + G.LBPt.Y});
    else
        TileDown(Dest, G.NewLTPt.Y, G.NewLBPt.Y, 0, NCl.Left, Picture,
                 TRect{SL, ST + G.LTPt.Y, SL + NCl.Left, ST + G.LBPt.Y});

    CopyPiece(Dest, TRect{0, 0, G.NewLTPt.X, NCl.Top}, Picture, TRect{SL, ST, SL + G.LTPt.X, ST + Cl.Top});
    CopyPiece(Dest, TRect{0, NCl.Top, NCl.Left, G.NewLTPt.Y}, Picture,
              TRect{SL, ST + Cl.Top, SL + Cl.Left, ST + G.LTPt.Y});
    CopyPiece(Dest, TRect{0, G.NewLBPt.Y, NCl.Left, Height}, Picture, TRect{SL, ST + G.LBPt.Y, SL + Cl.Left, SB});
    CopyPiece(Dest, TRect{NCl.Left, NCl.Bottom, G.NewLBPt.X, Height}, Picture,
              TRect{SL + Cl.Left, ST + Cl.Bottom, SL + G.LBPt.X, SB});

    if (DrawClient)
        DrawClientPart(Dest, TRect{NCl.Left, NCl.Top, Width, NCl.Bottom}, Picture, Cl.Offsetted(SL, ST),
                       ClientStretch, StretchType);
}

void CreateStretchImage(TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect, const TRect& ClRect,
                        bool DrawClient) {
    TbsSkinGeometry g;
    g.ClRect = ClRect;
    g.LTPt = TPoint{ClRect.Left, ClRect.Top};
    g.RTPt = TPoint{ClRect.Right, ClRect.Top};
    g.LBPt = TPoint{ClRect.Left, ClRect.Bottom};
    g.RBPt = TPoint{ClRect.Right, ClRect.Bottom};
    g.NewClRect = TRect{ClRect.Left, ClRect.Top, Dest.Width() + ClRect.Right - SkinRect.Width(),
                        Dest.Height() + ClRect.Bottom - SkinRect.Height()};
    g.NewLTPt = TPoint{g.NewClRect.Left, g.NewClRect.Top};
    g.NewRTPt = TPoint{g.NewClRect.Right, g.NewClRect.Top};
    g.NewLBPt = TPoint{g.NewClRect.Left, g.NewClRect.Bottom};
    g.NewRBPt = TPoint{g.NewClRect.Right, g.NewClRect.Bottom};
    CreateSkinImage(g, Dest, Picture, SkinRect, Dest.Width(), Dest.Height(), DrawClient, true, true, true, true, true,
                    bsstFull);
}

// ---- border strips ---------------------------------------------------------

void CreateSkinBorderImages(const TbsSkinGeometry& G, TBitmap& LeftBmp, TBitmap& TopBmp, TBitmap& RightBmp,
                            TBitmap& BottomBmp, const TBitmap& Picture, const TRect& SkinRect, int NewWidth,
                            int NewHeight, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch) {
    const int SL = SkinRect.Left, ST = SkinRect.Top, SR = SkinRect.Right, SB = SkinRect.Bottom;
    const TRect& Cl = G.ClRect;
    const TRect& NCl = G.NewClRect;

    if (NewWidth > 0 && NCl.Top > 0 && G.RTPt.X > G.LTPt.X) {
        const int h = NCl.Top;
        TopBmp.SetSize(NewWidth, h);
        const TRect middle{SL + G.LTPt.X, ST, SL + G.RTPt.X, ST + h};
        if (TopStretch)
            CopyPiece(TopBmp, TRect{G.NewLTPt.X, 0, G.NewRTPt.X, h}, Picture, middle);
        else
            TileAcross(TopBmp, 0, NewWidth, 0, h, Picture, middle);
        CopyPiece(TopBmp, TRect{0, 0, G.NewLTPt.X, h}, Picture, TRect{SL, ST, SL + G.LTPt.X, ST + h});
        CopyPiece(TopBmp, TRect{G.NewRTPt.X, 0, NewWidth, h}, Picture, TRect{SL + G.RTPt.X, ST, SR, ST + h});
    }

    const int bh = NewHeight - NCl.Bottom;
    if (NewWidth > 0 && bh > 0 && G.RBPt.X > G.LBPt.X) {
        BottomBmp.SetSize(NewWidth, bh);
        const TRect middle{SL + G.LBPt.X, SB - bh, SL + G.RBPt.X, SB};
        if (BottomStretch)
            CopyPiece(BottomBmp, TRect{G.NewLBPt.X, 0, G.NewRBPt.X, bh}, Picture, middle);
        else
            TileAcross(BottomBmp, 0, NewWidth, 0, bh, Picture, middle);
        CopyPiece(BottomBmp, TRect{0, 0, G.NewLBPt.X, bh}, Picture, TRect{SL, SB - bh, SL + G.LBPt.X, SB});
        CopyPiece(BottomBmp, TRect{G.NewRBPt.X, 0, NewWidth, bh}, Picture, TRect{SL + G.RBPt.X, SB - bh, SR, SB});
    }

    // The side strips fill what the top and bottom strips leave.
    const int v = NewHeight - BottomBmp.Height() - TopBmp.Height();
    auto side = [&](TBitmap& strip, int width, int srcLeft, int srcRight, int topPt, int bottomPt, bool stretch) {
        strip.SetSize(width, v);
        const TRect middle{srcLeft, ST + topPt, srcRight, ST + bottomPt};
        if (stretch)
            CopyPiece(strip, TRect{0, topPt - Cl.Top, width, v + bottomPt - Cl.Bottom}, Picture, middle);
        else
            TileDown(strip, 0, v, 0, width, Picture, middle);
        if (topPt > Cl.Top)
            CopyPiece(strip, TRect{0, 0, width, topPt - Cl.Top}, Picture,
                      TRect{srcLeft, ST + Cl.Top, srcRight, ST + topPt});
        if (Cl.Bottom > bottomPt)
            CopyPiece(strip, TRect{0, v + bottomPt - Cl.Bottom, width, v}, Picture,
                      TRect{srcLeft, ST + bottomPt, srcRight, ST + Cl.Bottom});
    };
    if (NCl.Left > 0 && v > 0 && G.LBPt.Y > G.LTPt.Y)
        side(LeftBmp, NCl.Left, SL, SL + NCl.Left, G.LTPt.Y, G.LBPt.Y, LeftStretch);
    const int r = NewWidth - NCl.Right;
    if (r >= 1 && v >= 1 && G.RBPt.Y > G.RTPt.Y)
        side(RightBmp, r, SL + Cl.Right, SR, G.RTPt.Y, G.RBPt.Y, RightStretch);
}

// ---- glyph strips ----------------------------------------------------------

void DrawGlyph(TCanvas& Canvas, int X, int Y, const TBitmap& Glyph, int NumGlyphs, int GlyphNum) {
    if (Glyph.Empty() || NumGlyphs <= 0)
        return;
    const int fw = Glyph.Width() / NumGlyphs;
    const TRect frame = IntersectRect(TRect{fw * (GlyphNum - 1), 0, fw * GlyphNum, Glyph.Height()},
                                      TRect{0, 0, Glyph.Width(), Glyph.Height()});
    if (frame.IsEmpty())
        return;
    TBitmap piece(frame.Width(), frame.Height(), Glyph.PixelFormat() == pf32bit ? pf32bit : pf24bit);
    BitBlt(*piece.Canvas()->Handle(), 0, 0, frame.Width(), frame.Height(), Glyph, frame.Left, frame.Top);
    piece.SetTransparentMode(tmAuto);
    piece.SetTransparent(true);
    Canvas.Draw(X, Y, piece);
}

TBitmap CopyOut(const TBitmap& Picture, const TRect& Src)
{
    TBitmap b(std::max(0, Src.Width()), std::max(0, Src.Height()));
    CopyPiece(b, TRect{0, 0, b.Width(), b.Height()}, Picture, Src);
    return b;
}
