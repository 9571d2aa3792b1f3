#pragma once
#include "skin/controls/SkinSpeedButton.h"

class TbsButtonPopupMenu;

enum TbsTrackPosition { bstpRight, bstpBottom };

// A speed button that opens a skinned popup menu and/or an images menu
// below itself. Without TrackButtonMode any left press opens the menu; with
// it only a press on the track part (a 15-pixel strip, or the element's own
// track rectangle) does. The button stays pressed while the menu is open and
// is released only when the menu reports that it closed (WM_CLOSESKINMENU).
class TbsSkinMenuSpeedButton : public TbsSkinSpeedButton {
public:
    explicit TbsSkinMenuSpeedButton(TComponent* AOwner);

    TbsButtonPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TbsButtonPopupMenu* Value) { FSkinPopupMenu = Value; }
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool Value);
    TbsTrackPosition TrackPosition() const { return FTrackPosition; }
    void SetTrackPosition(TbsTrackPosition Value);
    bool MenuTracked() const { return FMenuTracked; }
    // A plain arrow in place of the marker (tab bars set it).
    void SetStandardArrow(bool Draw, int ArrowType)
    {
        FDrawStandardArrow = Draw;
        FArrowType = ArrowType;
    }

    // Whether a press at (X, Y) opens the menu.
    bool HitTrack(int X, int Y);
    void DropDownMenu();

    void GetSkinData() override;

    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

    static constexpr int TrackSize = 15;

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DownLook() const override { return TbsSkinSpeedButton::DownLook() || FMenuTracked; }

private:
    void EndTracking(bool HideEventFirst);
    bool IsToolMenuKind() const;
    TRect TrackPart() const;
    bool StretchedKind() const { return FSkinDataName == "toolbutton" || FSkinDataName == "bigtoolbutton"; }
    bool NineSliceKind() const { return FSkinDataName == "resizebutton" || FSkinDataName == "resizetoolbutton"; }
    TRect StateRect(bool Pressed, bool Hot) const;
    void ComposePart(TBitmap& B, const TRect& S, int X, int Y, int W, int H, bool NineSlice);
    void DrawTwoPartFaces(TBitmap& B, bool NineSlice);
    bool DrawNewStyleFaces(TBitmap& B);
    void DrawMarker(TCanvas& C, TRect R, bool Pressed, TColor Color);
    TColor PartFontColor(bool Pressed) const;

    bool FTrackButtonMode = false;
    bool FMenuTracked = false;
    TbsButtonPopupMenu* FSkinPopupMenu = nullptr;
    bool FNewStyle = false;
    TbsTrackPosition FTrackPosition = bstpRight;
    TRect TrackButtonRect;
    bool FDrawStandardArrow = false;
    int FArrowType = 4;
};
