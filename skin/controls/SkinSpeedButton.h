#pragma once
#include <string>
#include "platform/gfx/Bitmap.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinButtonBase.h"

class TbsButtonImagesMenu;
class TbsSkinControlHost;

extern template class TbsSkinButtonBase<TbsGraphicSkinCustomControl>;

// The windowless tool button: flat or raised, toggle groups, repeat, morph
// and frame animation like the push button, a caption that can be switched
// off with a width change, and images from its own list, from the tool bar
// that holds it or from an images menu.
class TbsSkinSpeedButton : public TbsSkinButtonBase<TbsGraphicSkinCustomControl> {
public:
    explicit TbsSkinSpeedButton(TComponent* AOwner);

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
    void SetTransparent(bool Value);
    void SetImageIndex(int Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    int WidthWithCaption() const { return FWidthWithCaption; }
    void SetWidthWithCaption(int Value) { FWidthWithCaption = Value; }
    int WidthWithoutCaption() const { return FWidthWithoutCaption; }
    void SetWidthWithoutCaption(int Value) { FWidthWithoutCaption = Value; }
    void SetSkinImagesMenu(TbsButtonImagesMenu* Value);

    void GetSkinData() override;

protected:
    // The library's handling, and the action's image as the glyph when there is none.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn) override;
    bool MorphShows() const override { return !Transparent(); }

    // For the menu button.
    virtual bool DownLook() const { return FDown && (FMouseIn || FGroupIndex != 0); }
    TbsSkinControlHost* Host() const;
    std::string ShownCaption() const { return FShowCaption ? Caption() : std::string(); }
    // Image, glyph or images-menu item with the caption in R.
    void DrawContent(TCanvas& C, const TRect& R, bool ADown, bool GlyphDown, bool AtRest);
    // The element's menu-marker picture centred in R.
    void DrawMenuMarker(TCanvas& C, const TRect& R, bool AActive, bool ADown, bool AFlat);

private:
    void CMMouseEnterLeave(TMessage& m);
    bool CMDialogChar(TMessage& m);

    bool FDrawColorMarker = false;
    TColor FColorMarkerValue = 0;
    bool FFlat = false;
    bool FShowCaption = true;
    int FWidthWithCaption = 0;
    int FWidthWithoutCaption = 0;
};
