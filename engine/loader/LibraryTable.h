#pragma once
#include <array>
#include <string>
#include <vector>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Library.h"

// One row of the library table: the file to load, the entry points to bind
// from it, and how to check that the run-time version matches the headers.
struct TLibraryItem {
    TLibrary Lib = avUtil;
    std::string Name;                   // base name: "avcodec", "c", "SDL2-2.0"
    int Version = -1;                   // file name version; -1: none in the name
    std::vector<TEntryBinding> Entries; // bound in this order; every one is required
    int HeaderMajor = -1;               // major version built against; -1: not checked
    int (*RuntimeMajor)() = nullptr;    // the loaded library's major, read through the table
};

// Indexed by TLibrary. Tests replace rows to load fake or missing files.
using TLibraryTable = std::array<TLibraryItem, LibraryCount>;

// The libraries of today's Debian system, binding the lists of EntryLists.h.
const TLibraryTable& DefaultLibraryTable();

// "lib" + name + ".so." + version ("libavcodec.so.59", "libc.so.6"), or without
// the version part when the row has none.
std::string GetLibraryFileName(const TLibraryItem& item);
