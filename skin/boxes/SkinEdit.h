#pragma once
#include <string>
#include "platform/gfx/Font.h"
#include "skin/boxes/BoxButtons.h"
#include "skin/boxes/InnerEdit.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TBitmap;
class TImageList;
class TbsSkinData;

// The skinned single-line edit. The inner edit paints only the text; this
// class draws the frame in the non-client area from the skin's "edit" (or
// "buttonedit") element, the background under the text from the client
// part of the same picture, an optional drop button at the right
// (ButtonMode, OnButtonClick) and two optional image buttons at the ends of
// the text (OnLeftButtonClick, OnRightButtonClick). Without a skin it draws
// a plain two-pixel frame and a plain button.
class TbsSkinCustomEdit : public TbsCustomEdit, public IbsSkinChangeTarget {
public:
    // Non-client hit codes of the buttons.
    static constexpr int HTDROPBUTTON = 6;
    static constexpr int HTOUTSIDETEXT = 7;
    static constexpr int HTLEFTIMAGE = 104;
    static constexpr int HTRIGHTIMAGE = 105;

    explicit TbsSkinCustomEdit(TComponent* AOwner);
    ~TbsSkinCustomEdit() override;

    TbsSkinData* SkinData() const override { return FSD; }
    virtual void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    void ChangeSkinData() override;
    // The skin is about to reload: nothing of the old one is kept.
    bool TakesBeforeChange() const override { return true; }
    void BeforeChangeSkinData() override
    {
        FIndex = -1;
        Picture = nullptr;
    }
    int SkinIndex() const { return FIndex; }

    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool Value);
    void SetAlignment(TAlignment Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    int LeftImageIndex() const { return FLeftImageIndex; }
    void SetLeftImageIndex(int Value);
    int RightImageIndex() const { return FRightImageIndex; }
    void SetRightImageIndex(int Value);
    int LeftImageHotIndex = -1, LeftImageDownIndex = -1;
    int RightImageHotIndex = -1, RightImageDownIndex = -1;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate() override;
    // Draws the whole edit with AText onto C at (X, Y), for owners that show
    // an edit's picture without its window.
    void PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText);
    int CalcEditHeight();
    void FitHeightToText();
    void RepaintNC();

    // Layout in window coordinates.
    TRect EditRect() const { return FEditRect; }
    TRect DropButtonRect() const { return FButtonRect; }
    const TbsCBButtonX& LeftButton() const { return FLeftButton; }
    const TbsCBButtonX& RightButton() const { return FRightButton; }
    bool ButtonDown() const { return FButtonDown; }
    bool ButtonActive() const { return FButtonActive; }

    TNotifyEvent OnButtonClick;
    TNotifyEvent OnLeftButtonClick;
    TNotifyEvent OnRightButtonClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void PaintWindow(HDC dc) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void FontChanged() override;

    void GetSkinData();
    void CalcRects();
    void UpdateImageButtons(bool SetRect);
    bool Skinned() const { return FIndex != -1; }

private:
    // Messages (SkinEdit.cpp).
    void WMNCCalcSize(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMNCButton(TMessage& Message);
    void WMNCLButtonUp(TMessage& Message);
    void WMNCMouseMove(TMessage& Message);
    void FocusChanged(TMessage& Message);
    void MouseEntered();
    void MouseLeft();
    void SetImageMouseIn(TbsCBButtonX& B, bool Value);
    int TextCharset();
    TColor StateFontColor();

    // Painting (EditPaint.cpp).
    TRect StateRect();
    void CreateFrameImage(TBitmap& B, bool ForPrint);
    void DrawEditButton(TCanvas& C, const TRect& R);
    void PaintNC();
    void PaintEditBackground(TCanvas& C);
    void DrawImages(TCanvas& C);
    void DrawDisabledText(HDC DC);
    void PrintFrame(TMessage& Message, bool ClipText);

    TbsCBButtonX FLeftButton, FRightButton;
    TColor FDefaultColor = clWindow;
    TRect FButtonRect;
    bool FButtonMode = false;
    bool FButtonDown = false;
    bool FButtonActive = false;
    TRect FEditRect;
    bool FMouseIn = false;
    int FIndex = -1;
    TbsSkinDataLink FSD{this};
    std::string FSkinDataName = "edit";
    TBitmap* Picture = nullptr;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0, FDefaultHeight = 0;
    TImageList* FImages = nullptr;
    int FLeftImageIndex = -1, FRightImageIndex = -1;
    bool FSettingFont = false;

    // Copies of the skin element.
    int LOffset = 0, ROffset = 0;
    TRect ClRect, SkinRect, ActiveSkinRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    bool StretchEffect = false;
};

class TbsSkinEdit : public TbsSkinCustomEdit {
public:
    explicit TbsSkinEdit(TComponent* AOwner) : TbsSkinCustomEdit(AOwner) {}
};
