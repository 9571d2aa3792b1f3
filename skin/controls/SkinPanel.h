#pragma once
#include <functional>
#include <memory>
#include "platform/gfx/Bitmap.h"
#include "skin/controls/SkinControl.h"

class TImageList;

// Scoped: the plain panel's bevel cuts use the same short names.
enum class TbsSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
enum TbsImagePosition { bsipDefault, bsipLeft };
using TbsPaintPanelEvent = std::function<void(TCanvas& Cnvs, const TRect& R)>;

// The skinned container: a frame with an optional caption bar that can carry
// a check box (checked mode: enables or disables the children), a roll-up
// marker (roll-up mode: collapses the panel to its caption), a glyph or an
// image-list picture and the caption text. Drawn with system colours
// without a skin; can show its parent's background (transparent mode).
class TbsSkinPanel : public TbsSkinCustomControl {
public:
    explicit TbsSkinPanel(TComponent* AOwner);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The children's area inside the skin frame and caption bar.
    TRect GetSkinClientRect();
    void PaintskinTo(TCanvas& C, int X, int Y);
    void DoRollUp(bool ARollUp);
    virtual void PaintClient(TCanvas& /*Canvas*/) {}

    bool RibbonStyle() const { return FRibbonStyle; }
    void SetRibbonStyle(bool Value);
    TbsImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TbsImagePosition Value);
    bool TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(bool Value);
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int RealHeight() const { return FRealHeight; }
    void SetRealHeight(int Value) { FRealHeight = Value; }
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool Value);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TbsSkinBorderStyle Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    bool AutoEnabledControls() const { return FAutoEnabledControls; }
    void SetAutoEnabledControls(bool Value) { FAutoEnabledControls = Value; }
    TImageList* CaptionImageList() const { return FCaptionImageList; }
    void SetCaptionImageList(TImageList* Value);
    int CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(int Value);

    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

    // Copied from the skin element.
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TAlignment Alignment = taLeftJustify;
    TRect CaptionRect;
    TRect NewCaptionRect;
    TRect NewRollUpMarkerRect;
    int BGPictureIndex = -1;
    TRect CheckImageRect, UnCheckImageRect;
    TRect MarkFrameRect, FrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& R) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CheckParentBackground() override;

    bool FInChangingRollUp = false;
    bool FAlignHeld = false;   // alignment disabled by a roll-up

private:
    void DrawSkinCaption(TCanvas& C);
    void PaintTransparentFrame(TCanvas& C);
    // The width of the caption's picture (glyph frame or image-list image), 0 without one.
    int CaptionPictureWidth() const;
    int CaptionPictureHeight() const;
    void DrawCaptionPicture(TCanvas& C, int X, int Y);
    void UpdateSkinClientBounds();

    bool FRibbonStyle = false;
    TbsImagePosition FImagePosition = bsipDefault;
    bool FTransparentMode = false;
    int FCMaxWidth = 0, FCMinWidth = 0, FCMaxHeight = 0, FCMinHeight = 0;
    bool FCheckedMode = false;
    bool FChecked = false;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    int FRealHeight = -1;
    bool FRollUpState = false;
    bool FRollUpMode = false;
    bool FCaptionMode = false;
    TbsSkinBorderStyle FBorderStyle = TbsSkinBorderStyle::bvFrame;
    int FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    bool FAutoEnabledControls = true;
    TImageList* FCaptionImageList = nullptr;
    int FCaptionImageIndex = -1;
};

// Hands its client area to the application through OnPanelPaint.
class TbsSkinPaintPanel : public TbsSkinPanel {
public:
    explicit TbsSkinPaintPanel(TComponent* AOwner);
    void PaintClient(TCanvas& Canvas) override;
    TbsPaintPanelEvent OnPanelPaint;

protected:
    void WndProc(TMessage& Message) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
};

// A panel with the "groupbox" element and the caption bar on.
class TbsSkinGroupBox : public TbsSkinPanel {
public:
    explicit TbsSkinGroupBox(TComponent* AOwner);
    void GetSkinData() override;
};
