#pragma once
#include <string>
#include "platform/ui/controls/ControlTypes.h"
#include "skin/controls/ButtonEffects.h"
#include "skin/controls/SkinControl.h"

// The skinned check box and radio button in one class. The flat look (the
// default) draws only the check image and the caption over the parent's
// background; the other look draws the element's whole face. Checking a box
// of a non-zero GroupIndex unchecks the others of its parent's group.
class TbsSkinCheckRadioBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinCheckRadioBox(TComponent* AOwner);
    ~TbsSkinCheckRadioBox() override;

    bool Checked() const { return FChecked; }
    // Fires OnClick also when nothing changed (a radio button only when checked).
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool Radio() const { return FRadio; }
    void SetRadio(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool Value) { FUseSkinFontColor = Value; }
    bool MouseIn() const { return FMouseIn; }

    virtual void ToggleChecked();
    // The box's look with Checked = AChecked, at X, Y of C.
    void PaintSkinTo(TCanvas& C, int X, int Y, bool AChecked);

    void GetSkinData() override;
    void ChangeSkinData() override;

protected:
    // The library's handling, then the action's Checked (unless loading a checked box).
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CheckParentBackground() override;
    void FitSizeToSkin(int& AWidth, int& AHeight) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool CanMorph() const;
    bool FocusedAndCan() { return FCanFocused && Focused(); }
    void MorphOrRepaint();
    void PaintFlat(TCanvas& C, bool AChecked, TCheckBoxState AState, bool Hot, bool FocusFrame);
    void DrawFace(TBitmap& B, const TRect& FaceRect, bool Active, bool AChecked, TCheckBoxState AState, bool Hot);
    void DrawCheckImage(TCanvas& C, int X, int Y, bool AChecked, TCheckBoxState AState, bool Hot);
    TRect CheckImageFor(bool AChecked, TCheckBoxState AState, bool Hot, bool& Grayed) const;

    bool FUseSkinFontColor = true;
    bool FWordWrap = false;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    TImageList* FImages = nullptr;
    int FImageIndex = 0;
    bool FFlat = true;
    bool FClicksDisabled = false;
    bool FCanFocused = true;
    bool FMouseIn = false;
    int FGroupIndex = 0;
    bool FChecked = false;
    bool FRadio = false;
    TbsMorphDriver FMorph;

    TRect CIRect, NewTextArea;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, FrameFontColor = 0, UnEnabledFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea;
    TRect CheckImageRect, UnCheckImageRect, ActiveCheckImageRect, ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect, GrayedCheckImageRect, ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
};
