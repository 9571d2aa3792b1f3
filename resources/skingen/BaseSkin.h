#pragma once
#include <memory>
#include "resources/skingen/Palette.h"
#include "resources/skingen/SkinOut.h"

// The base look of the program: every picture drawn, every section written.
std::unique_ptr<TSkinOut> BuildBaseSkin(const TPalette& Palette);
