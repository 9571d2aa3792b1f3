#pragma once
#include <cstddef>
#include <cstdint>

class TbsCompressedSkinList;

// A packed skin built into the program, in the compressed skin file layout
// (container version, size, zlib data), as a skin list item's "Skin" data.
struct TEmbeddedSkin {
    const char* Name;          // the skin's own name (VERSION skinname)
    const char* DisplayName;   // the name the skin picker shows
    const std::uint8_t* Data;
    std::size_t Size;
};

// The skins of the main window's first skin list; index 0 is the base look.
constexpr int MainSkinCount = 7;
const TEmbeddedSkin* MainSkins();
// The skins of the second list: tool bar buttons, the "添加" menu button and
// the two format lists. Index 0 is the light look, 1 its dark twin.
constexpr int ToolBarSkinCount = 2;
const TEmbeddedSkin* ToolBarSkins();
// The index in the second list of the tool-bar skin that goes with main skin
// MainIndex: the dark twin beside a dark main skin.
int ToolBarSkinFor(int MainIndex);

// Appends one item per embedded skin, named by its display name, whose
// stored skin is read from the embedded data. The skin list's container
// unpacks it when it selects the item.
void FillMainSkinList(TbsCompressedSkinList& List);
void FillToolBarSkinList(TbsCompressedSkinList& List);
