#pragma once
#include <memory>
#include "resources/skingen/Palette.h"
#include "resources/skingen/SkinOut.h"

#include <string>

// One skin of the program in a palette: every picture drawn, every section
// written, from the same layout for every skin.
std::unique_ptr<TSkinOut> BuildBaseSkin(const TPalette& Palette, const std::string& Name, const std::string& DisplayName);
