#include "skin/controls/ControlPaint.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBitmap.h"

int ControlCharset(const TbsSkinData* Skin, const TFont& DefaultFont)
{
    if (Skin && Skin->ResourceStrData())
        return Skin->ResourceStrData()->CharSet();
    return DefaultFont.Charset();
}

void ApplyControlFont(TCanvas& Canvas, const TbsSkinData* Skin, bool UseElementFont, const std::string& FontName,
                      int FontHeight, TFontStyles FontStyle, const TFont& DefaultFont)
{
    TFont& f = Canvas.Font();
    if (UseElementFont) {
        f.SetName(FontName);
        f.SetHeight(FontHeight);
        f.SetStyle(FontStyle);
    } else {
        f.Assign(DefaultFont);
    }
    f.SetCharset(ControlCharset(Skin, DefaultFont));
}

void MorphFaces(const TBitmap& Normal, const TBitmap& Active, double Kf, TbsMorphKind Kind, TBitmap& Result)
{
    TbsEffectBmp from(Normal);
    const TbsEffectBmp to(Active);
    switch (Kind) {
    case mkGradient: from.MorphGrad(to, Kf); break;
    case mkLeftGradient: from.MorphLeftGrad(to, Kf); break;
    case mkRightGradient: from.MorphRightGrad(to, Kf); break;
    case mkLeftSlide: from.MorphLeftSlide(to, Kf); break;
    case mkRightSlide: from.MorphRightSlide(to, Kf); break;
    case mkPush: from.MorphPush(to, Kf); break;
    default: from.Morph(to, Kf); break;
    }
    from.AssignTo(Result);
}

void DrawPlainFace(TCanvas& Canvas, const TRect& R, TColor Frame, TColor Fill)
{
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Fill);
    Canvas.FillRect(R);
    Canvas.Brush().SetColor(Frame);
    Canvas.FrameRect(R);
}
