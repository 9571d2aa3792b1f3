#pragma once
#include <functional>
#include "skin/controls/SkinControl.h"

enum TUDOrientation { udHorizontal, udVertical };

// A pair of skinned spin buttons stepping Position within Min..Max by
// Increment: one step when a button is released over itself, and a repeat
// while it is held (first after 500 ms, then every 100 ms, every 50 ms after
// the pointer left the button and came back). Its look is the element
// "hupdown" (side by side) or "vupdown" (one above the other); without
// UseSkinSize the buttons are drawn from "resizebutton" at any size.
// Button 0 raises Position (up or right), button 1 lowers it.
class TbsSkinUpDown : public TbsSkinCustomControl {
public:
    explicit TbsSkinUpDown(TComponent* AOwner);
    ~TbsSkinUpDown() override;

    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }
    int Position() const { return FPosition; }
    // Ignored outside Min..Max; otherwise OnChange fires, also for the same value.
    void SetPosition(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value);   // a lower Position is raised, without OnChange
    int Max() const { return FMax; }
    void SetMax(int Value);   // a higher Position is lowered, without OnChange

    void GetSkinData() override;

    // The place of button I in the control, after the last layout.
    TRect ButtonRect(int I) { CalcRects(); return Buttons[I].R; }
    bool Repeating() const { return TimerMode != 0; }

    std::function<void(TObject*)> OnChange, OnUpButtonClick, OnDownButtonClick;

protected:
    void WndProc(TMessage& Message) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void FitSizeToSkin(int& AWidth, int& AHeight) override;
    void UpdateSkinRegion() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    struct TSpinButton {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };

    void CalcRects();
    void RePaint();
    void DrawButton(TCanvas& C, int I);
    void DrawResizeButton(TCanvas& C, int I);
    int ArrowDirection(int I) const;
    void TestActive(int X, int Y);
    void ButtonDown(int I);
    void ButtonUp(int I);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void StartTimer(int Ms);
    void StopTimer();
    void OnTimer();

    bool FUseSkinSize = true;
    TUDOrientation FOrientation = udHorizontal;
    TSpinButton Buttons[2];
    int OldActiveButton = -1, ActiveButton = -1, CaptureButton = -1;
    int TimerMode = 0;   // 0 none, 1 stepping down, 2 stepping up
    bool WaitMode = false;
    int FIncrement = 1, FPosition = 0, FMin = 0, FMax = 100;
    // The element's rectangles: the places in the control and the state faces in the picture.
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};
