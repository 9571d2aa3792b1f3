#pragma once
#include <vector>
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Pen.h"

class TDeviceContext;

// Drawing calls on a device context in logical coordinates, clipped by its
// clip. Fills use a colour or the selected brush (a clear brush paints
// nothing); outlines use the selected pen and its raster operation. Every
// pixel they change gets alpha 0 on 32-bit surfaces.
void FillRect(TDeviceContext& dc, const TRect& r, TColor color);
void FillRect(TDeviceContext& dc, const TRect& r, const TBrushData& brush);
// A one pixel frame inside r.
void FrameRect(TDeviceContext& dc, const TRect& r, TColor color);
void InvertRect(TDeviceContext& dc, const TRect& r);
// A dotted frame inside r drawn with xor, so a second call removes it.
void DrawFocusRect(TDeviceContext& dc, const TRect& r);

// clNone when the point is outside the surface or the clip.
TColor GetPixel(const TDeviceContext& dc, int x, int y);
void SetPixel(TDeviceContext& dc, int x, int y, TColor color);

// Lines leave their end point unpainted; LineTo moves the current position.
void MoveTo(TDeviceContext& dc, int x, int y);
void LineTo(TDeviceContext& dc, int x, int y);
void Polyline(TDeviceContext& dc, const std::vector<TPoint>& points);
// Filled with the brush (even-odd rule), outlined with the pen.
void Polygon(TDeviceContext& dc, const std::vector<TPoint>& points);

// Outlined with the pen on the outermost pixels of r and filled with the
// brush inside; without a pen the fill covers r less its right column and
// bottom row, as on the classic desktop.
void Rectangle(TDeviceContext& dc, const TRect& r);
// The ellipse inscribed in r, outlined and filled like Rectangle.
void Ellipse(TDeviceContext& dc, const TRect& r);
