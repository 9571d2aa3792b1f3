#pragma once
#include <functional>
#include <string>
#include "platform/core/Set.h"
#include "platform/gfx/Bitmap.h"
#include "skin/controls/SkinControl.h"

enum TbsSliderOrientation { soHorizontal, soVertical };
enum TbsSliderOption { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
using TbsSliderOptions = TSet<TbsSliderOption>;
enum TbsSliderImage { siHThumb, siHRuler, siVThumb, siVRuler };
using TbsSliderImages = TSet<TbsSliderImage>;
enum TbsJumpMode { jmNone, jmHome, jmEnd, jmNext, jmPrior };

// Finds a default picture of the slider by name ("BS_HTB", "BS_HRL",
// "BS_VTB", "BS_VRL"); false when there is none. The program installs one
// that reads its picture library; without it the slider draws plain pictures
// of the same sizes.
using TbsSliderPictureLoader = std::function<bool(const std::string& Name, TBitmap& Picture)>;
void SetSliderPictureLoader(TbsSliderPictureLoader Loader);

// A track bar: a ruler, a thumb moving between MinValue and MaxValue, tick
// marks, keys and mouse. OnChange follows every change of Value; OnChanged
// ends a user action (a key jump, a thumb drag, a ruler press).
class TbsSkinCustomSlider : public TbsSkinControl {
public:
    explicit TbsSkinCustomSlider(TComponent* AOwner);
    ~TbsSkinCustomSlider() override;

    int Value() const { return FValue; }
    void SetValue(int V);
    int MinValue() const { return FMinValue; }
    void SetMinValue(int V);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int V);
    int Increment() const { return FIncrement; }
    void SetIncrement(int V);
    TbsSliderOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TbsSliderOrientation V);
    TbsSliderOptions Options() const { return FOptions; }
    void SetOptions(TbsSliderOptions V);
    int EdgeSize() const { return FEdgeSize; }
    void SetEdgeSize(int V);
    int NumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(int V);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool V);
    bool UseSkinThumb() const { return FUseSkinThumb; }
    void SetUseSkinThumb(bool V) { FUseSkinThumb = V; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool V) { FReadOnly = V; }
    // A user picture for Index; nullptr brings the default back.
    void AssignImageByIndex(TbsSliderImage Index, const TBitmap* Bitmap);
    const TBitmap& Image(TbsSliderImage Index) const { return FImages[Index]; }
    TbsSliderImages UserImages() const { return FUserImages; }

    void SetMinMax(int AMin, int AMax);
    void JumpTo(TbsJumpMode Mode);
    void DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight);

    // Layout, for tests and owners.
    TRect ThumbRect() const { return FThumbRect; }
    TPoint RulerOrg() const { return FRulerOrg; }
    const TBitmap& Ruler() const { return FRuler; }
    int RulerLength() const;
    int GetOffsetByValue(int V) const;
    int GetValueByOffset(int P) const;
    bool Sliding() const { return FSliding; }
    bool Tracking() const { return FTracking; }

    void GetSkinData() override;
    void ChangeSkinData() override;

    std::function<void(TObject*)> OnChange, OnChanged, OnDrawPoints;

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void ReleaseSkinElement() override;

    virtual bool ValueChangeAllowed() { return true; }
    virtual TRect GetSliderRect() { return TRect{0, 0, Width(), Height()}; }
    virtual int GetSliderValue() { return FValue; }
    virtual void AdjustElements();
    virtual void RangeChanged() {}
    virtual void ThumbMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ThumbMouseMove(TShiftState Shift, int X, int Y);
    virtual void ThumbMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Change();
    virtual void Changed();

private:
    bool Skinned() const { return FIndex != -1 && Picture; }
    bool SkinThumb() const { return Skinned() && FUseSkinThumb; }
    int HThumbWidth() const;
    int HThumbHeight() const;
    int VThumbWidth() const;
    int VThumbHeight() const;
    int Base() const;
    void AdjustOffset(int& P, TPoint& TopLeft) const;
    void SetThumbOffset(int P);
    void BuildRuler(const TRect& R);
    void BuildSkinRuler(const TRect& R);
    void LoadDefaultImage(TbsSliderImage Index);
    void DrawPoints(TCanvas& C, int Step, int NormalHeight, int ExtremeHeight);
    void DrawThumb(TCanvas& C, const TPoint& Org, bool Pressed);
    TbsJumpMode JumpModeAt(int X, int Y) const;
    void TimerTrack();
    void StopTracking();

    bool FUseSkinThumb = true;
    bool FTransparent = false;
    TbsSliderImages FUserImages;
    TBitmap FImages[4];
    int FEdgeSize = 2;
    TBitmap FRuler;
    TPoint FRulerOrg;
    TRect FThumbRect;
    bool FThumbDown = false;
    int FNumThumbStates = 2;
    TRect FPointsRect;
    TbsSliderOrientation FOrientation = soHorizontal;
    TbsSliderOptions FOptions{soShowFocus, soShowPoints, soSmooth};
    int FMinValue = 0, FMaxValue = 100;
    int FIncrement = 10;
    int FValue = 0;
    int FHit = 0;
    bool FFocused = false;
    bool FSliding = false;
    bool FTracking = false;
    bool FTimerActive = false;
    TPoint FMousePos;
    TbsJumpMode FStartJump = jmNone;
    bool FReadOnly = false;
    bool FCreating = true;
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int SkinEdgeSize = 0;
    TColor BGColor = 0, PointsColor = 0;
    TBitmap* Picture = nullptr;   // the skin's, never owned
};

class TbsSkinSlider : public TbsSkinCustomSlider {
public:
    using TbsSkinCustomSlider::TbsSkinCustomSlider;
};
