#pragma once
#include <functional>
#include "platform/gfx/Bitmap.h"
#include "skin/controls/ButtonEffects.h"
#include "skin/controls/ButtonElement.h"
#include "skin/controls/ButtonGlyph.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinButton.h"
#include "skin/draw/GlyphLayout.h"

class TbsButtonImagesMenu;
class TbsSkinControlHost;

// The windowless tool button: flat or raised, toggle groups, repeat, morph
// and frame animation like the push button, a caption that can be switched
// off with a width change, and images from its own list, from the tool bar
// that holds it or from an images menu.
class TbsSkinSpeedButton : public TbsGraphicSkinCustomControl, public TbsButtonElement,
                           public TbsButtonGlyph<TbsSkinSpeedButton> {
public:
    explicit TbsSkinSpeedButton(TComponent* AOwner);
    ~TbsSkinSpeedButton() override;

    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    int RepeatInterval() const { return FRepeat.Interval; }
    void SetRepeatInterval(int Value) { FRepeat.Interval = Value; }
    TImageList* ImageList() const { return FButtonImages; }
    void SetImageList(TImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    int WidthWithCaption() const { return FWidthWithCaption; }
    void SetWidthWithCaption(int Value) { FWidthWithCaption = Value; }
    int WidthWithoutCaption() const { return FWidthWithoutCaption; }
    void SetWidthWithoutCaption(int Value) { FWidthWithoutCaption = Value; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }
    TbsButtonImagesMenu* SkinImagesMenu() const { return FSkinImagesMenu; }
    void SetSkinImagesMenu(TbsButtonImagesMenu* Value);
    bool UseImagesMenuImage() const { return FUseImagesMenuImage; }
    void SetUseImagesMenuImage(bool Value) { FUseImagesMenuImage = Value; }
    bool UseImagesMenuCaption() const { return FUseImagesMenuCaption; }
    void SetUseImagesMenuCaption(bool Value) { FUseImagesMenuCaption = Value; }

    bool MouseIn() const { return FMouseIn; }
    double MorphKf() const { return FMorph.Kf; }
    bool RepeatRunning() const { return FRepeat.Running(); }

    void RefreshButton();
    virtual void ButtonClick();

    void GetSkinData() override;
    void ChangeSkinData() override;

    TbsButtonPaintEvent OnPaint;

protected:
    // The library's handling, and the action's image as the glyph when there is none.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap&) override {}
    void FitSizeToSkin(int& AWidth, int& AHeight) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn);

    // For the menu button.
    bool EffectsOn() const;
    bool CanMorph() const;
    virtual bool DownLook() const { return FDown && (FMouseIn || FGroupIndex != 0); }
    void MorphOrRepaint();
    TbsSkinControlHost* Host() const;
    std::string ShownCaption() const { return FShowCaption ? Caption() : std::string(); }
    // Image, glyph or images-menu item with the caption in R.
    void DrawContent(TCanvas& C, const TRect& R, bool ADown, bool GlyphDown, bool AtRest);
    // The element's menu-marker picture centred in R.
    void DrawMenuMarker(TCanvas& C, const TRect& R, bool AActive, bool ADown, bool AFlat);
    // The text colour of a skinned face by the push button's rule.
    TColor FaceFontColor(bool ADown, bool AMouseIn) const;
    // A skinned face for R into B: the freely sized variant when UseSkinSize is off.
    TRect ComposeFace(TBitmap& B, const TRect& R);

    bool FDown = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    TbsMorphDriver FMorph;
    TbsRepeatDriver FRepeat;
    TbsFrameAnimation FAnimation;

private:
    TbsButtonImagesMenu* FSkinImagesMenu = nullptr;
    bool FUseImagesMenuImage = false;
    bool FUseImagesMenuCaption = false;
    bool FDrawColorMarker = false;
    TColor FColorMarkerValue = 0;
    bool FUseSkinSize = true;
    bool FUseSkinFontColor = true;
    TImageList* FButtonImages = nullptr;
    int FImageIndex = 0;
    bool FRepeatMode = false;
    bool FFlat = false;
    bool FAllowAllUp = false;
    bool FAllowAllUpCheck = false;
    int FGroupIndex = 0;
    bool FShowCaption = true;
    int FWidthWithCaption = 0;
    int FWidthWithoutCaption = 0;
};
