#pragma once
#include "platform/gfx/Bitmap.h"
#include "platform/ui/controls/ActnList.h"
#include "platform/ui/controls/ImageList.h"
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
    // A linked action's picture becomes the glyph while the button has none:
    // the image on a fuchsia ground (the glyph's transparent colour).
    void TakeActionImage(TObject* Sender)
    {
        auto* a = dynamic_cast<TAction*>(Sender);
        TImageList* images = a && a->ActionList() ? a->ActionList()->Images() : nullptr;
        if (!images || a->ImageIndex() < 0 || a->ImageIndex() >= images->Count() || !FGlyph.Empty())
            return;
        FGlyph.SetSize(images->Width(), images->Height(), false);
        TCanvas& c = *FGlyph.Canvas();
        c.Brush().SetColor(clFuchsia);
        c.FillRect(TRect{0, 0, images->Width(), images->Height()});
        images->Draw(c, 0, 0, a->ImageIndex());
        Changed();
    }

    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TbsButtonLayout FLayout = blGlyphLeft;

private:
    void Changed() { static_cast<TButton*>(this)->Repaint(); }
};
