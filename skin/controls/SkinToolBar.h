#pragma once
#include "skin/controls/ControlHost.h"
#include "skin/controls/SkinPanel.h"

class TbsDataSkinButtonControl;

// A panel that holds buttons in a row: keeps its plain children centred
// vertically (skinned ones centre themselves through the host query),
// hands its skin, image lists, flat look and caption visibility to its
// speed buttons, and with CanScroll scrolls its content sideways with two
// arrows in its non-client area, by hover (HotScroll) or press.
class TbsSkinToolBar : public TbsSkinPanel, public TbsSkinControlHost {
public:
    // Hit codes of the two arrows in the non-client area.
    static constexpr int HTLEFTARROW = 119;
    static constexpr int HTRIGHTARROW = 120;
    static constexpr int ArrowWidth = 12;

    explicit TbsSkinToolBar(TComponent* AOwner);
    ~TbsSkinToolBar() override;

    void SetSkinData(TbsSkinData* Value) override;
    void SetSkinDataName(const std::string& Value) override;
    void GetSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // TbsSkinControlHost
    bool AdjustControls() const override { return FAdjustControls; }
    TRect GetSkinClientRect() override { return TbsSkinPanel::GetSkinClientRect(); }
    TImageList* Images() const override { return FImages; }
    TImageList* HotImages() const override { return FHotImages; }
    TImageList* DisabledImages() const override { return FDisabledImages; }

    void SetAdjustControls(bool Value) { FAdjustControls = Value; }
    bool CanScroll() const { return FCanScroll; }
    void SetCanScroll(bool Value) { FCanScroll = Value; }
    bool HotScroll() const { return FHotScroll; }
    void SetHotScroll(bool Value) { FHotScroll = Value; }
    int ScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(int Value);
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    void SetScrollTimerInterval(int Value);
    void SetImages(TImageList* Value);
    void SetHotImages(TImageList* Value);
    void SetDisabledImages(TImageList* Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool AutoShowHideCaptions() const { return FAutoShowHideCaptions; }
    void SetAutoShowHideCaptions(bool Value) { FAutoShowHideCaptions = Value; }
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    int WidthWithCaptions() const { return FWidthWithCaptions; }
    void SetWidthWithCaptions(int Value) { FWidthWithCaptions = Value; }
    int WidthWithoutCaptions() const { return FWidthWithoutCaptions; }
    void SetWidthWithoutCaptions(int Value) { FWidthWithoutCaptions = Value; }

    // Scroll state: the range end, the position, the page (client width).
    int ScrollMax() const { return SMax; }
    int ScrollPosition() const { return SPosition; }
    int ScrollPage() const { return SPage; }
    bool ArrowVisible(int I) const { return Buttons[I].Visible; }
    bool ScrollTimerActive() const { return TimerMode != 0; }
    TRect ArrowRect(int I) const { return Buttons[I].R; }

    // Recomputes the range from the children and shows or hides the arrows.
    void UpdateScroll();
    void CenterControls();
    // One step left (0) or right (1).
    void ScrollStep(int Direction);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void AdjustClientRect(TRect& R) override;
    void CreateControlSkinImage(TBitmap& B) override;

private:
    struct TArrow {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
        bool Visible = false;
    };

    void SetScrollButtonsVisible(bool Value);
    void DrawScrollButton(TCanvas& C, int I);
    void DrawScrollButtons();
    void StartTimer(int Mode);
    void StopTimer();
    void ScrollContent(int Delta);
    int ArrowAt(WPARAM Hit) const;

    // One handler per message; each passes on what it does not consume.
    void WMNCCalcSize(TMessage& Message);
    void WMBoundsChanged(TMessage& Message);   // WM_SIZE and WM_WINDOWPOSCHANGED
    void WMNCPaint(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMWindowPosChanging(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMNCMouseMove(TMessage& Message);
    void WMNCLButtonDown(TMessage& Message);
    void WMNCLButtonUp(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    bool FAdjustControls = true;
    bool FCanScroll = false, FHotScroll = false;
    int TimerMode = 0;
    int SMax = 0, SPosition = 0, SPage = 0, SOldPosition = 0;
    int FHSizeOffset = 0;
    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    TArrow Buttons[2];
    TbsDataSkinButtonControl* ButtonData = nullptr;   // the skin's "resizebutton", not owned
    TImageList* FImages = nullptr;
    TImageList* FDisabledImages = nullptr;
    TImageList* FHotImages = nullptr;
    bool FFlat = false;
    bool FAutoShowHideCaptions = false, FShowCaptions = false;
    int FWidthWithCaptions = 0, FWidthWithoutCaptions = 0;
    bool FUpdatingScroll = false;
};
