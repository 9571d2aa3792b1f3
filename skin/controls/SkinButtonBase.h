#pragma once
#include <functional>
#include "platform/gfx/Bitmap.h"
#include "skin/controls/ButtonEffects.h"
#include "skin/controls/ButtonElement.h"
#include "skin/controls/ButtonGlyph.h"
#include "skin/draw/GlyphLayout.h"

class TImageList;
class TbsButtonImagesMenu;

// Owner-draw hook of the skinned buttons; DrawDefault false skips the content.
using TbsButtonPaintEvent = std::function<void(TObject* Sender, TCanvas& Cnvs, TRect R, bool ADown, bool AMouseIn,
                                               bool& DrawDefault)>;

// What the push and the tool button share over their sized skinned base
// (windowed or windowless): down and hot state, toggle groups, repeat while
// held, the hover morph and frame animation, the image sources beside the
// glyph, the element's face fields and the rules of the free size.
template <class Base>
class TbsSkinButtonBase : public Base, public TbsButtonElement, public TbsButtonGlyph<TbsSkinButtonBase<Base>> {
public:
    explicit TbsSkinButtonBase(TComponent* AOwner);
    ~TbsSkinButtonBase() override;

    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    virtual void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    int RepeatInterval() const { return FRepeat.Interval; }
    void SetRepeatInterval(int Value) { FRepeat.Interval = Value; }
    TImageList* ImageList() const { return FImageList; }
    void SetImageList(TImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }
    TbsButtonImagesMenu* SkinImagesMenu() const { return FSkinImagesMenu; }
    bool UseImagesMenuImage() const { return FUseImagesMenuImage; }
    void SetUseImagesMenuImage(bool Value) { FUseImagesMenuImage = Value; }
    bool UseImagesMenuCaption() const { return FUseImagesMenuCaption; }
    void SetUseImagesMenuCaption(bool Value) { FUseImagesMenuCaption = Value; }

    // Hot: the mouse is over the button, or it is the highlighted default push button.
    bool MouseIn() const { return FMouseIn; }
    double MorphKf() const { return FMorph.Kf; }
    bool MorphRunning() const { return FMorph.Running(); }
    bool RepeatRunning() const { return FRepeat.Running(); }

    // Clears hot and down (no group logic), resets the morph and the
    // animation, repaints.
    void RefreshButton();
    virtual void ButtonClick();

    void ChangeSkinData() override;

    TbsButtonPaintEvent OnPaint;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void FitSizeToSkin(int& AWidth, int& AHeight) override;
    void CreateControlSkinImage(TBitmap&) override {}
    virtual void DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn) = 0;

    bool EffectsOn() const;
    bool CanMorph() const;
    // What the morph leans towards: the push button counts focus as hot.
    virtual bool Hot() const { return FMouseIn; }
    // False where a morph would not show (a transparent tool button).
    virtual bool MorphShows() const { return true; }
    void MorphOrRepaint();
    // The running frame animation's frame in place of the face it leaves or enters.
    void ApplyAnimationFrame();
    // A skinned face for R into B: the freely sized variant when UseSkinSize
    // is off. Returns the area the content goes into.
    TRect ComposeFace(TBitmap& B, const TRect& R);
    // The text colour of a skinned face by the element's rule.
    TColor FaceFontColor(bool ADown, bool AMouseIn) const;
    // The caption font of the plain look.
    void ApplyPlainFont(TCanvas& C);
    // Raises OnPaint; false when the handler drew the content itself.
    bool DrawsDefault(TCanvas& C, const TRect& R, bool ADown, bool AMouseIn);
    // A left press: down, then repeat or the group's click.
    void Press();
    // A left release at (X, Y): up, and the click where it belongs.
    void ReleaseAt(int X, int Y);
    // After the enabled state changed: no morph; a transient press ends.
    void EnabledChanged();

    bool FDown = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    TbsMorphDriver FMorph;
    TbsRepeatDriver FRepeat;
    TbsFrameAnimation FAnimation;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FAllowAllUpCheck = false;
    bool FRepeatMode = false;
    TImageList* FImageList = nullptr;   // not owned: cleared on removal
    int FImageIndex = -1;
    TbsButtonImagesMenu* FSkinImagesMenu = nullptr;
    bool FUseImagesMenuImage = false;
    bool FUseImagesMenuCaption = false;
    bool FUseSkinSize = true;
    bool FUseSkinFontColor = true;
};
