#pragma once
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

class TCanvas;

// The standard marks of skinned controls, drawn with the pen (lines leave
// their end point unpainted). Each sets the pen colour.
void DrawDownArrowMark(TCanvas& Canvas, const TRect& R, TColor Color);
// Direction 1 left, 2 right, 3 up, 4 down; other values draw nothing.
void DrawArrow(TCanvas& Canvas, const TRect& R, TColor Color, int Direction);
void DrawRadioMark(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawCheckMark(TCanvas& Canvas, int X, int Y, TColor Color);
// A dotted frame just inside R in the canvas's font colour.
void DrawDottedFocusRect(TCanvas& Canvas, const TRect& R);

// Caption-button glyphs for skins that have no pictures for them.
void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawSysMenuGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMinimizeToTrayGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
