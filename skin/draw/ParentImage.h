#pragma once
#include "platform/gfx/Geometry.h"

class TControl;
class TCanvas;

// Paints into Canvas what lies under Control: the parent's background (and,
// for a parent that is not a form, its own face), then the visible
// windowless siblings below Control that overlap it, in z-order, each with
// the paint-copy state set. Canvas's (0,0) is Control's top-left. The
// context's origin and clip are restored afterwards.
void DrawParentImage(TControl* Control, TCanvas& Canvas);
// The same for the part R of Control, with Canvas's (0,0) at R's top-left.
void DrawParentImagePart(TControl* Control, const TRect& R, TCanvas& Canvas);
