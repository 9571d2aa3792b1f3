#pragma once
#include <string>

#include "engine/util/Records.h"

// What a file holds, as the add's probe found it.
struct TSourceStreams {
    bool Video = false;
    bool Audio = false;
};

// Why the output options cannot make what their preset names from a file
// with these streams ("" when they can): an audio-only preset needs sound, a
// preset that writes video needs a picture. AOutputName decides the
// container, as it does in the engine.
std::string StreamRefusal(const std::string& AOutputName, const TOutputOptions& AOptions,
                          const TSourceStreams& ASource);
