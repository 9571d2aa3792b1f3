#pragma once
#include <string>
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "skin/draw/GlyphLayout.h"

class TCanvas;
class TImageList;

// An image from an image list and a word-wrapped caption laid out by
// CalcGlyphTextLayout; Down moves both by one pixel, Enabled picks the
// list's enabled or greyed drawing. DrawMarker underlines the image, or
// the caption, or fills a marker box when there is neither.
// DrawImageAndText centres the caption lines; DrawImageAndTextLeft keeps
// them left-aligned inside the text block.
void DrawImageAndText(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, int ImageIndex, TImageList* ImageList, bool Down, bool Enabled,
                      bool DrawMarker, TColor MarkerColor);
void DrawImageAndTextLeft(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TbsButtonLayout Layout,
                          const std::string& Caption, int ImageIndex, TImageList* ImageList, bool Down, bool Enabled,
                          bool DrawMarker, TColor MarkerColor);
