#pragma once
#include <functional>
#include <string>
#include "platform/gfx/Font.h"
#include "platform/ui/controls/Controls.h"

class TbsSkinData;
class TbsSkinScrollBar;

// What the skinned tree and list views share: the skin link by element
// name, the font and colour with and without a skin, and the rules that
// keep their external skinned scroll bars in step.
class TbsViewSkinLink {
public:
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    int SkinIndex() const { return FIndex; }
    const TFont& DefaultFont() const { return FDefaultFont; }
    TColor DefaultColor() const { return FDefaultColor; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    // The defaults take effect at once while no skin element is in use.
    void SetDefaultFont(const TFont& Value);
    void SetDefaultColor(TColor Value);
    // The view hears of a bar's removal; a bar starts enabled and hidden,
    // and moving it scrolls the view.
    void SetVScrollBar(TbsSkinScrollBar* Value);
    void SetHScrollBar(TbsSkinScrollBar* Value);

protected:
    TbsViewSkinLink();
    virtual ~TbsViewSkinLink() = default;

    // The view the link serves, and how it follows its bars.
    virtual TWinControl& LinkedView() = 0;
    virtual void VScrollBarChange() = 0;
    virtual void HScrollBarChange() = 0;
    virtual void UpDateScrollBars() = 0;

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
    // Sets a bar's visibility; true when it changed. The view's own checks
    // are held off meanwhile: a bar that shows or hides resizes the view.
    bool ShowBar(TbsSkinScrollBar* Bar, bool Visible);
    // Shows Bar while the view's content along Kind (SB_VERT, SB_HORZ)
    // reaches past Extent pixels and, while it shows, gives it the view's
    // range and position with Extent as its page. True when its visibility
    // changed; Pos (if given) receives the position when it shows.
    bool MirrorPixelBar(TWinControl& View, TbsSkinScrollBar* Bar, int Kind, int Extent, int* Pos = nullptr);

    // Puts Bar in Slot (one of the two bar fields) for the view and brings
    // the bars up to date.
    void LinkBar(TbsSkinScrollBar*& Slot, TbsSkinScrollBar* Bar, std::function<void()> OnMove);
    // Unhooks both bars from a view that goes away.
    void UnlinkBars(TComponent& View);
    // Forgets a bar that is being removed.
    void ForgetBar(const TComponent* Removed);
    // The bars show and hide with their view.
    void ShowBarsWith(bool Visible);
    // The frame messages of a view that is all client area and paints no
    // skin frame of its own; true when Message was answered here.
    static bool AnswerFrameMessage(TMessage& Message);
};
