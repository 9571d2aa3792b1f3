#pragma once
#include "platform/core/Set.h"

// The libraries the loader knows, in loading order: every library comes after
// the ones it depends on, so that a library taken from the program's own
// folder never pulls a dependency of another build from the system path.
enum TLibrary {
    avUtil,
    swResample,
    swScale,
    avCodec,
    avFormat,
    avFilter,
    avDevice,
    myUtil,
    lbSDL,
};
constexpr int LibraryCount = lbSDL + 1;

using TLibraries = TSet<TLibrary>;

// The sets that the components load. avDevice is in none of them.
inline constexpr TLibraries ConversionLibraries{avUtil, swResample, swScale, avCodec, avFormat, avFilter, myUtil};
inline constexpr TLibraries ProbeLibraries{avUtil, swScale, avCodec, avFormat, myUtil};
inline constexpr TLibraries PlayerLibraries{avUtil, swResample, swScale, avCodec, avFormat, avFilter, myUtil, lbSDL};
