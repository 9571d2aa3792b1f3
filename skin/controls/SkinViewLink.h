#pragma once
#include <string>
#include "platform/gfx/Font.h"
#include "platform/ui/controls/Controls.h"

class TbsSkinData;
class TbsSkinScrollBar;

// What the skinned tree and list views share: the skin link by element
// name, the font and colour with and without a skin, and the rules that
// keep their external skinned scroll bars in step.
struct TbsViewSkinLink {
    TbsViewSkinLink();

    TbsSkinData* FSD = nullptr;           // not owned: cleared on removal
    std::string FSkinDataName;
    int FIndex = -1;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    TColor FDefaultColor = clWindow;
    TbsSkinScrollBar* FVScrollBar = nullptr;   // not owned
    TbsSkinScrollBar* FHScrollBar = nullptr;   // not owned
    bool FInCheckScrollBars = false;

    // Looks the element up and sets View's font and colour from it (or
    // from the defaults without a skin); an element of another kind leaves
    // them as they are.
    void ApplySkin(TWinControl& View);
    // The horizontal bar carries the corner square while the vertical bar
    // shows; a changed visibility realigns an aligned view's parent.
    void FinishBars(TWinControl& View, bool VisibilityChanged);
    // Each bar's parent lays it out again (after a skin change).
    void RealignBars();
    // Sets a bar's visibility; true when it changed.
    static bool ShowBar(TbsSkinScrollBar* Bar, bool Visible);
};
