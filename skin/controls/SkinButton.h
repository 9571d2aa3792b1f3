#pragma once
#include <functional>
#include <memory>
#include "platform/gfx/Bitmap.h"
#include "skin/controls/SkinButtonBase.h"
#include "skin/controls/SkinControl.h"

class TbsLayerManager;

extern template class TbsSkinButtonBase<TbsSkinCustomControl>;

// The skinned push button: five faces of its element (normal, active, down,
// disabled, focused), hover morphing and frame animation, a glow frame
// around it while hot, toggle groups, repeat while held, and the form's
// ModalResult. OnClick fires only through ButtonClick.
class TbsSkinButton : public TbsSkinButtonBase<TbsSkinCustomControl> {
public:
    explicit TbsSkinButton(TComponent* AOwner);

    void SetGroupIndex(int Value) override;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    void SetImageIndex(int Value);
    bool AlwaysShowLayeredFrame() const { return FAlwaysShowGlowFrame; }
    void SetAlwaysShowLayeredFrame(bool Value) { FAlwaysShowGlowFrame = Value; }
    void SetSkinImagesMenu(TbsButtonImagesMenu* Value);

    // Frame of the running hover animation, 1-based; 0 when none runs.
    int CurrentFrame() const { return FAnimation.CurrentFrame; }
    TbsLayerManager* LayerManager() const { return FLayerManager; }

    void ShowLayer();
    void HideLayer();
    void ButtonClick() override;
    // The library's click notification; never fires OnClick.
    void Click() override {}

    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;

protected:
    // The library's handling, and the action's image as the glyph when there is none.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn) override;
    // The morph leans towards the active face while focused, too.
    bool Hot() const override { return FMouseIn || FocusedAndCan(); }

private:
    // Message handlers, one per message the button answers itself.
    void WMEraseBkgnd(TMessage& m);
    void CMVisibleChanged(TMessage& m);
    void CMMouseEnter(TMessage& m);
    void CMMouseLeave(TMessage& m);
    void WMKeyDown(TMessage& m);
    void WMKeyUp(TMessage& m);
    bool CMDialogKey(TMessage& m);
    bool CMDialogChar(TMessage& m);
    void CMFocusChanged(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMKillFocus(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void CMTextChanged(TMessage& m);

    bool FocusedAndCan() const { return FCanFocused && Focused(); }
    bool DownLook() const;
    void StartAnimation(bool Forward);
    bool LookChanges() const;
    void DrawContent(TCanvas& C, const TRect& R, bool ImageDown, bool GlyphDown, int GlyphNum);
    bool GlowShown() const;

    bool FAlwaysShowGlowFrame = false;
    TbsLayerManager* FLayerManager = nullptr;   // owned through the component tree
    bool FGlowVisible = false;
    bool FActive = false;
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
    bool FClicksDisabled = false;
    bool FCanFocused = true;
};
