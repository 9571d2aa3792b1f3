#pragma once
#include <string>
#include <vector>

#include "engine/loader/LibraryHeaders.h"

// The option contexts behind a job's option parser: generic contexts on which
// the libraries' own option tables are looked up and set, and dictionaries for
// the options that only a chosen codec or muxer knows (given to the codec or
// the output when it is opened).
struct TFFOptions {
    std::vector<std::string> opt_names;  // generic options set so far, in order
    // Per name in opt_names: the media types (bit 1 << type) whose codec
    // context it was set on; a name of the format or scaler context has none.
    std::vector<unsigned> opt_media;
    AVCodecContext* avcodec_opts[AVMEDIA_TYPE_NB] = {};  // video, audio, data, subtitle, attachment
    AVFormatContext* avformat_opts = nullptr;
    SwsContext* sws_opts = nullptr;
    AVDictionary* codec_dict[AVMEDIA_TYPE_NB] = {};  // codec-private options per media type
    AVDictionary* format_dict = nullptr;              // muxer- and demuxer-private options
};

// Forgets every context without freeing it.
void ClearFFOptions(TFFOptions& AOptions);
// Makes the five codec contexts, the format context and the scaler context.
void AllocFFOptions(TFFOptions& AOptions, int ASwsFlags);
void FreeFFOptions(TFFOptions& AOptions);

// Sets a library option by name: the generic codec contexts first (by media
// type; a bare rate-control name such as "b" or "maxrate" is the video
// encoder's, "ab" and the "a"-prefixed names the audio encoder's), then the format and scaler contexts, then the options of particular
// codecs and formats (kept in the dictionaries), then the name without its
// "a", "v" or "s" prefix on the audio, video or subtitle codec context.
// False for an unknown name (silently) or a rejected value (logged).
bool SetFFOption(TFFOptions& AOptions, const std::string& AName, const std::string& AValue);

// Copies every generic option set so far whose flags contain AFlagMask from
// ASource to ATarget (two objects of the same library class). From a codec
// context only the options that were set for its media type are copied.
void ApplyFFOptions(const TFFOptions& AOptions, void* ATarget, void* ASource, int AFlagMask);
