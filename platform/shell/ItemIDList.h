#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The kinds of item in an identifier. The Desktop is the empty list; Home and
// Computer are its children; a mount is a child of Computer named by its
// mount point; every other item is a file name inside a folder.
enum TShellItemKind : uint8_t { ikHome, ikComputer, ikMount, ikName };

struct TShellIdItem {
    TShellItemKind Kind = ikName;
    std::string Name;     // ikMount: the mount point; ikName: the file name as raw bytes
    bool Folder = false;  // set by enumeration so that sorting needs no I/O; ignored by equality

    bool SameItem(const TShellIdItem& other) const { return Kind == other.Kind && Name == other.Name; }
};

// An item identifier: its items from the Desktop down (absolute), or from a
// folder down (relative). A plain value: copies are independent, and a file
// name survives any round trip byte for byte.
struct TItemIDList {
    std::vector<TShellIdItem> Items;

    bool Empty() const { return Items.empty(); }
};

int IDListCount(const TItemIDList& list);
// Removes the last item; an empty list stays empty.
void IDListStripLast(TItemIDList& list);
TItemIDList IDListJoin(const TItemIDList& first, const TItemIDList& second);
// The last item alone (an empty list for the Desktop).
TItemIDList IDListLastItem(const TItemIDList& list);
// Every proper ancestor, from the Desktop (the empty list) down to the parent.
std::vector<TItemIDList> IDListAncestors(const TItemIDList& list);

// Builders for the items.
TShellIdItem HomeItem();
TShellIdItem ComputerItem();
TShellIdItem MountItem(const std::string& mountPoint);
TShellIdItem NameItem(const std::string& name, bool folder = false);
