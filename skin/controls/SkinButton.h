#pragma once
#include <functional>
#include <memory>
#include "platform/gfx/Bitmap.h"
#include "skin/controls/ButtonEffects.h"
#include "skin/controls/ButtonElement.h"
#include "skin/controls/ButtonGlyph.h"
#include "skin/controls/SkinControl.h"
#include "skin/draw/GlyphLayout.h"

class TbsLayerManager;
class TbsButtonImagesMenu;

// Owner-draw hook of the skinned buttons; DrawDefault false skips the content.
using TbsButtonPaintEvent = std::function<void(TObject* Sender, TCanvas& Cnvs, TRect R, bool ADown, bool AMouseIn,
                                               bool& DrawDefault)>;

// The skinned push button: five faces of its element (normal, active, down,
// disabled, focused), hover morphing and frame animation, a glow frame
// around it while hot, toggle groups, repeat while held, and the form's
// ModalResult. OnClick fires only through ButtonClick.
class TbsSkinButton : public TbsSkinCustomControl, public TbsButtonElement,
                      public TbsButtonGlyph<TbsSkinButton> {
public:
    explicit TbsSkinButton(TComponent* AOwner);
    ~TbsSkinButton() override;

    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    int RepeatInterval() const { return FRepeat.Interval; }
    void SetRepeatInterval(int Value) { FRepeat.Interval = Value; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    TImageList* ImageList() const { return FImageList; }
    void SetImageList(TImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool AlwaysShowLayeredFrame() const { return FAlwaysShowGlowFrame; }
    void SetAlwaysShowLayeredFrame(bool Value) { FAlwaysShowGlowFrame = Value; }
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

    // Hot: the mouse is over the button, or it is the highlighted default button.
    bool MouseIn() const { return FMouseIn; }
    double MorphKf() const { return FMorph.Kf; }
    bool MorphRunning() const { return FMorph.Running(); }
    bool RepeatRunning() const { return FRepeat.Running(); }
    // Frame of the running hover animation, 1-based; 0 when none runs.
    int CurrentFrame() const { return FAnimation.CurrentFrame; }
    TbsLayerManager* LayerManager() const { return FLayerManager; }

    // Clears hot and down (no group logic), resets the morph and the
    // animation, repaints.
    void RefreshButton();
    void ShowLayer();
    void HideLayer();
    virtual void ButtonClick();
    // The library's click notification; never fires OnClick.
    void Click() override {}

    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;

    TbsButtonPaintEvent OnPaint;

protected:
    // The library's handling, and the action's image as the glyph when there is none.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap&) override {}
    void FitSizeToSkin(int& AWidth, int& AHeight) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn);

private:
    bool EffectsOn() const;
    bool CanMorph() const;
    bool FocusedAndCan() { return FCanFocused && Focused(); }
    bool DownLook();
    void MorphOrRepaint();
    void StartAnimation(bool Forward);
    void StopRepeat() { FRepeat.Stop(); }
    bool LookChanges();
    void DrawContent(TCanvas& C, const TRect& R, bool ImageDown, bool GlyphDown, int GlyphNum);
    bool GlowShown() const;

    bool FAlwaysShowGlowFrame = false;
    TbsLayerManager* FLayerManager = nullptr;   // owned through the component tree
    bool FGlowVisible = false;
    TbsFrameAnimation FAnimation;
    TbsMorphDriver FMorph;
    TbsRepeatDriver FRepeat;
    TbsButtonImagesMenu* FSkinImagesMenu = nullptr;
    bool FUseImagesMenuImage = false;
    bool FUseImagesMenuCaption = false;
    bool FUseSkinFontColor = true;
    bool FUseSkinSize = true;
    bool FRepeatMode = false;
    bool FActive = false;
    bool FAllowAllUp = false;
    bool FAllowAllUpCheck = false;
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
    bool FClicksDisabled = false;
    bool FCanFocused = true;
    bool FDown = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    int FGroupIndex = 0;
    TImageList* FImageList = nullptr;
    int FImageIndex = -1;
};
