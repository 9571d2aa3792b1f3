#pragma once
#include "engine/loader/EntryLists.h"
#include "engine/loader/LibraryHeaders.h"

// The table of every bound entry point, one member per name of the lists in
// EntryLists.h, typed by the libraries' own declarations. A member is null
// while its library is not loaded. Engine code calls the libraries only
// through this table: AVLib.avcodec_open2(...), AVLib.SDL_Init(...).
struct TEntryPoints {
#define ZARVO_ENTRY_MEMBER(name) decltype(&::name) name = nullptr;
    ZARVO_AVUTIL_ENTRIES(ZARVO_ENTRY_MEMBER)
    ZARVO_SWRESAMPLE_ENTRIES(ZARVO_ENTRY_MEMBER)
    ZARVO_SWSCALE_ENTRIES(ZARVO_ENTRY_MEMBER)
    ZARVO_AVCODEC_ENTRIES(ZARVO_ENTRY_MEMBER)
    ZARVO_AVFORMAT_ENTRIES(ZARVO_ENTRY_MEMBER)
    ZARVO_AVFILTER_ENTRIES(ZARVO_ENTRY_MEMBER)
    ZARVO_AVDEVICE_ENTRIES(ZARVO_ENTRY_MEMBER)
    ZARVO_LIBC_ENTRIES(ZARVO_ENTRY_MEMBER)
    ZARVO_SDL_ENTRIES(ZARVO_ENTRY_MEMBER)
#undef ZARVO_ENTRY_MEMBER
};

extern TEntryPoints AVLib;

// One entry point of a library row: its exported name and how to store the
// address found for it (null clears it again).
struct TEntryBinding {
    const char* Name;
    void (*Store)(void* address);
};
