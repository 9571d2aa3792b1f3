#pragma once
#include <functional>
#include <string>
#include "skin/controls/SkinControl.h"

#include "platform/ui/controls/ScrollBarControl.h"

// A stand-alone skinned scroll bar: a track with a thumb and two step
// buttons, an integer range with an optional page, repeat while a button or
// the track is held, and thumb dragging. Parts: 0 the thumb, 1 the button
// that raises Position (right or bottom), 2 the one that lowers it.
// Positions are kept in [Min, Max] (Max - PageSize + 1 with a page).
class TbsSkinScrollBar : public TbsSkinCustomControl {
public:
    explicit TbsSkinScrollBar(TComponent* AOwner);
    ~TbsSkinScrollBar() override;

    int Position() const { return FPosition; }
    void SetPosition(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; RePaint(); }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; RePaint(); }
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    bool Both() const { return FBoth; }
    void SetBoth(bool Value);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int Value);
    const std::string& BothSkinDataName() const { return FBothSkinDataName; }
    void SetBothSkinDataName(const std::string& Value) { FBothSkinDataName = Value; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);

    // Sets range, page and a clamped position at once; no OnChange.
    void SetRange(int AMin, int AMax, int APosition, int APageSize);
    // The clamp of Position without OnChange.
    void SimplySetPosition(int AValue);

    void GetSkinData() override;

    // Geometry of the last layout, for tests and owners.
    TRect ThumbRectNow() { CalcRects(); return Buttons[0].R; }
    TRect PartRect(int Part) { CalcRects(); return Buttons[Part].R; }
    TRect TrackRectNow() { CalcRects(); return NewTrackArea; }
    bool Repeating() const { return TimerMode != 0; }

    std::function<void(TObject*)> OnChange, OnUpButtonClick, OnDownButtonClick, OnLastChange, OnPageUp, OnPageDown;

protected:
    void WndProc(TMessage& Message) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void FitSizeToSkin(int& AWidth, int& AHeight) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    struct TPart {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };

    int Clamp(int Value) const;
    void RePaint();
    void CalcRects();
    void LayoutThumb(int TrackStart, int TrackEnd, int ThumbLen, bool Vertical, bool DegenerateIsOne);
    int CalcPosition(int Offset);
    void DrawButton(TCanvas& C, int Part);
    void ButtonDown(int Part);
    void ButtonUp(int Part);
    void ButtonEnter(int Part);
    void ButtonLeave(int Part);
    void TestActive(int X, int Y);
    void StartTimer(int Ms);
    void StopTimer();
    void OnTimer();
    bool FocusLook() { return FCanFocused && Focused(); }

    std::string FNormalSkinDataName;
    std::string FBothSkinDataName = "bothhscrollbar";
    int Offset1 = 0, Offset2 = 0, BOffset = 0;
    TRect NewTrackArea;
    bool FDown = false;
    int OMPos = 0, OldPosition = 0, FScrollWidth = 0, OldBOffset = 0;
    int MX = 0, MY = 0;
    bool MouseD = false;
    bool WaitMode = false;
    int FBothMarkerWidth = 19;
    bool FClicksDisabled = false;
    bool FCanFocused = false;
    int TimerMode = 0;
    int ActiveButton = -1, OldActiveButton = -1, CaptureButton = -1;
    TPart Buttons[3];
    int FMin = 0, FMax = 100;
    int FSmallChange = 1, FLargeChange = 1;
    int FPosition = 0;
    TScrollBarKind FKind = sbHorizontal;
    int FPageSize = 0;
    bool FBoth = false;
    // The element's rectangles: TrackArea and the button rects in control
    // coordinates at the element's size, the others in the picture.
    TRect TrackArea, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
        DownDownButtonRect, ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0, ThumbMinPageSize = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 0;
};
