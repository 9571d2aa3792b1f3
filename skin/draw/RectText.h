#pragma once
#include <string>
#include "platform/gfx/Geometry.h"

// Rectangles written as text in skin files and links: four integers
// separated by blanks, "(", ")", ",", ":", ";" or "=".

// Cuts the first token off S: characters up to the first delimiter (which is
// removed as well); Token and the rest of S are then trimmed of blanks.
void CutToken(std::string& S, std::string& Token);
// Four successive tokens as Left, Top, Right, Bottom; R := 0, 0, 0, 0 when any
// of them is not a decimal integer.
void StrToRectDef(const std::string& S, TRect& R);
