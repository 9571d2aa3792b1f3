#pragma once
#include <initializer_list>
#include "platform/gfx/Geometry.h"

class TBitmap;
class TCanvas;
class TbsSkinData;
class TbsDataSkinButtonControl;

// A skin button element drawn at any size: the small buttons inside edits,
// combo boxes and spin buttons use it when the element's own size does not fit.

// The face rectangle of E for a state: the down face when pressed and hot,
// the active face when hot, else the normal one. An empty active face is the
// normal one, an empty down face the (resolved) active one.
TRect ButtonFaceRect(const TbsDataSkinButtonControl& E, bool Pressed, bool Hot);

// The state's face of E as a nine-part image of Width x Height: the corner
// points and client rectangle move by the growth over E's SkinRect, edges and
// centre are stretched or tiled as E says. Dest is resized; it stays blank
// when Width or Height is not positive or the element has no nine-part geometry.
void CreateButtonFaceImage(TBitmap& Dest, const TbsDataSkinButtonControl& E, const TBitmap& Picture, int Width,
                           int Height, bool Pressed, bool Hot);

// The first of Names that the skin holds as a button element, or nullptr.
const TbsDataSkinButtonControl* FindButtonElement(const TbsSkinData& Skin, std::initializer_list<const char*> Names);

// Draws E's state face over R at R's top-left. Returns false (drawing
// nothing) when E's picture is missing or R is empty.
bool DrawButtonFace(TCanvas& Canvas, const TRect& R, const TbsSkinData& Skin, const TbsDataSkinButtonControl& E,
                    bool Pressed, bool Hot);
