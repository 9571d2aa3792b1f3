#include "skin/draw/ImageText.h"

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/TextUtils.h"

namespace {

void DrawImageAndTextAligned(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TbsButtonLayout Layout,
                             const std::string& Caption, int ImageIndex, TImageList* ImageList, bool Down,
                             bool Enabled, bool DrawMarker, TColor MarkerColor, unsigned alignFlags)
{
    const bool hasImage = ImageList && ImageIndex >= 0 && ImageIndex < ImageList->Count();
    const int gw = hasImage ? ImageList->Width() : 0;
    const int gh = hasImage ? ImageList->Height() : 0;
    Canvas.Brush().SetStyle(bsClear);
    const auto [textRect, glyphAt] =
        DrawCaptionBesideGlyph(Canvas, R, Margin, Spacing, Layout, Caption, gw, gh, Down, alignFlags);
    const int gx = glyphAt.X, gy = glyphAt.Y;

    auto line = [&](int x1, int x2, int y) {
        Canvas.MoveTo(x1, y);
        Canvas.LineTo(x2, y);
    };
    if (hasImage) {
        ImageList->Draw(Canvas, gx, gy, ImageIndex, Enabled);
        if (DrawMarker) {
            Canvas.Pen().SetColor(MarkerColor);
            for (int d = -2; d <= 0; ++d)
                line(gx, gx + gw, gy + gh + d);
        }
    } else if (DrawMarker) {
        Canvas.Pen().SetColor(MarkerColor);
        if (!Caption.empty()) {
            for (int d = -1; d <= 1; ++d)
                line(textRect.Left, textRect.Right, textRect.Bottom + d);
        } else {
            Canvas.Brush().SetColor(MarkerColor);
            Canvas.Brush().SetStyle(bsSolid);
            Canvas.FillRect(TRect{R.Left + 4, R.Top + 4, R.Right - 2, R.Bottom - 4});
        }
    }
}

} // namespace

void DrawImageAndText(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, int ImageIndex, TImageList* ImageList, bool Down, bool Enabled,
                      bool DrawMarker, TColor MarkerColor)
{
    DrawImageAndTextAligned(Canvas, R, Margin, Spacing, Layout, Caption, ImageIndex, ImageList, Down, Enabled,
                            DrawMarker, MarkerColor, DT_CENTER);
}

void DrawImageAndTextLeft(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TbsButtonLayout Layout,
                          const std::string& Caption, int ImageIndex, TImageList* ImageList, bool Down, bool Enabled,
                          bool DrawMarker, TColor MarkerColor)
{
    DrawImageAndTextAligned(Canvas, R, Margin, Spacing, Layout, Caption, ImageIndex, ImageList, Down, Enabled,
                            DrawMarker, MarkerColor, 0);
}
