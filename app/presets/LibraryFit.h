#pragma once
#include <string>
#include <vector>

#include "engine/util/Records.h"

// The presets were written for an older generation of the media libraries.
// This fits a job's output options to what today's encoders and muxers take,
// by the rules listed in LibraryFit.cpp: encoder names that are gone, AAC in
// MPEG program streams, the ".vob" muxer, and values of the option lists that
// an encoder or muxer refuses, each moved to the nearest value it accepts.
// Values that have no meaningful nearest value (an H.263 frame size the codec
// cannot code) are left alone, and the conversion fails with the library's
// reason.
//
// Returns the changes made, one text each; every one is also logged as a
// warning. AOutputName decides the container, as it does in the engine.
std::vector<std::string> FitOutputToLibraries(const std::string& AOutputName, TOutputOptions& AOptions);

// Why the libraries will refuse the options, when they hit a limit that has
// no meaningful nearest value (see the list in LibraryFit.cpp); "" when no
// such limit is known to be hit.
std::string KnownRefusal(const std::string& AOutputName, const TOutputOptions& AOptions);

// The text to show for a job that ended with the engine's AEngineText: the
// library's own reason (the last error line it logged for the job) follows
// unless the engine's text holds it already, then a known refusal.
std::string ConversionFailureText(const std::string& AOutputName, const TOutputOptions& AOptions,
                                  const std::string& AEngineText, const std::string& ALibraryReason = "");

// The encoder a job will use for each kind of stream: the options' codec, else
// the one the target or the container picks. "" when no video is written or
// the container is unknown.
std::string EffectiveVideoCodec(const std::string& AOutputName, const TOutputOptions& AOptions);
std::string EffectiveAudioCodec(const std::string& AOutputName, const TOutputOptions& AOptions);
