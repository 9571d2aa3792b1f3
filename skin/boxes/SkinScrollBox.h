#pragma once
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinPanel.h"

class TbsSkinScrollBar;

// A skinned container whose children scroll under two external skinned
// scroll bars: the box computes the bars' ranges from its visible children,
// shows and hides them, and moves the children when a bar moves. Its frame
// lives in the non-client area: a one-pixel frame by BorderStyle without a
// skin, the border of the "scrollbox" element with one; its background is
// the element's client picture or one of the skin's extra pictures.
class TbsSkinScrollBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinScrollBox(TComponent* AOwner);
    ~TbsSkinScrollBox() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* Value);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* Value);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TbsSkinBorderStyle Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value) { FCanFocused = Value; }

    void HScroll(int APosition);
    void VScroll(int APosition);
    void GetHRange();
    void GetVRange();
    // The owner calls it after adding or moving children.
    void UpDateScrollRange();

    int BGPictureIndex = -1;   // skinned: the skin's extra picture behind the children

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void AdjustClientRect(TRect& R) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;

private:
    bool Skinned() const { return FIndex != -1; }
    bool HasFrame() const { return BGPictureIndex == -1 && FBorderStyle != TbsSkinBorderStyle::bvNone; }
    void PaintFrame(TCanvas& C);
    void PaintSkinBackground(TCanvas& C);
    void VScrollControls(int Delta);
    void HScrollControls(int Delta);
    void VScrollBarChange();
    void HScrollBarChange();
    // One axis of GetVRange / GetHRange.
    void GetRange(bool Vertical);
    void NcCalcSize(TMessage& Message);

    bool FClicksDisabled = false;
    bool FCanFocused = false;
    bool FInCheckScrollBars = false;
    TbsSkinScrollBar* FVScrollBar = nullptr;   // not owned: cleared on removal
    TbsSkinScrollBar* FHScrollBar = nullptr;   // not owned: cleared on removal
    int FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;
    int FVSizeOffset = 0, FHSizeOffset = 0;
    TbsSkinBorderStyle FBorderStyle = TbsSkinBorderStyle::bvFrame;
};
