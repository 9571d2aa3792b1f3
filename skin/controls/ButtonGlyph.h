#pragma once
#include "platform/gfx/Bitmap.h"
#include "skin/draw/GlyphLayout.h"

// The glyph and its placement beside the caption, shared by the push and
// the tool button; every change repaints the button (TButton).
template <class TButton>
class TbsButtonGlyph {
public:
    const TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const TBitmap& Value)
    {
        FGlyph = Value;
        Changed();
    }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value)
    {
        FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
        Changed();
    }
    int Margin() const { return FMargin; }
    void SetMargin(int Value)
    {
        if (Value != FMargin && Value >= -1) {
            FMargin = Value;
            Changed();
        }
    }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value)
    {
        if (Value != FSpacing) {
            FSpacing = Value;
            Changed();
        }
    }
    TbsButtonLayout Layout() const { return FLayout; }
    void SetLayout(TbsButtonLayout Value)
    {
        if (Value != FLayout) {
            FLayout = Value;
            Changed();
        }
    }

protected:
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TbsButtonLayout FLayout = blGlyphLeft;

private:
    void Changed() { static_cast<TButton*>(this)->Repaint(); }
};
