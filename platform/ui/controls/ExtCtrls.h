#pragma once
#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Picture.h"
#include "platform/ui/controls/StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };
enum TTrackBarOrientation { trHorizontal, trVertical };

// A container with bevels and a centred caption.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v) { FBevelOuter = v; Realign(); Invalidate(); }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v) { FBevelInner = v; Realign(); Invalidate(); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { FBevelWidth = v; Realign(); Invalidate(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Invalidate(); }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v) { FShowCaption = v; Invalidate(); }

protected:
    void AdjustClientRect(TRect& r) override;
    void Paint() override;

private:
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    TAlignment FAlignment = taCenter;
    bool FShowCaption = true;
};

// Lines and boxes drawn on the parent.
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v) { FShape = v; Invalidate(); }
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle v) { FStyle = v; Invalidate(); }

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

// A bar that resizes the control aligned next to it by dragging.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = std::max(1, v); }
    // A raised edge along the bar: a light frame and a dark frame one pixel apart.
    bool Beveled() const { return FBeveled; }
    void SetBeveled(bool v)
    {
        FBeveled = v;
        Invalidate();
    }
    // The control the splitter resizes (found next to it on its side).
    TControl* FindControl() const;
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void RequestAlign() override;

private:
    int FMinSize = 30;
    bool FBeveled = false;
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FStartSize = 0;
    bool FDragging = false;
};

// A picture on the parent: plain, centred, stretched or proportional.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    // Any picture kind; changing it repaints (and resizes with AutoSize).
    TPicture& Picture() { return FPicture; }
    void PictureChanged();
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v) { FStretch = v; Invalidate(); }
    bool Center() const { return FCenter; }
    void SetCenter(bool v) { FCenter = v; Invalidate(); }
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v) { FProportional = v; Invalidate(); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; AdjustBounds(); }
    // Where the picture lands in the control.
    TRect DestRect() const;

protected:
    void Paint() override;
    void AdjustBounds() override;

private:
    TPicture FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

// A container whose children may reach past its client area; scroll bars
// move them. Aligned children align in the scrolled area.
class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    TPoint ScrollPos() const { return FPos; }
    void ScrollTo(int x, int y);
    // Recomputes the ranges from the children and shows the bars needed.
    void UpdateScrollBars();
    void ScrollInView(TControl* c);

protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& r) override;
    void WndProc(TMessage& Message) override;

private:
    TSize ContentSize() const;
    TPoint FPos;
    bool FUpdating = false;
};

// A thumb moved along a scale: Min..Max, Position, OnChange.
class TTrackBar : public TCustomControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetMin(int v) { SetRange(v, std::max(v, FMax)); }
    void SetMax(int v) { SetRange(std::min(FMin, v), v); }
    void SetRange(int min, int max);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int v) { FLineSize = v; }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v) { FPageSize = v; }
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v) { FFrequency = v; Invalidate(); }
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation v) { FOrientation = v; Invalidate(); }
    TRect ThumbRect() const;
    TRect ChannelRect() const;
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void Changed();

private:
    int PositionAt(TPoint p) const;
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FLineSize = 1;
    int FPageSize = 2;
    int FFrequency = 1;
    TTrackBarOrientation FOrientation = trHorizontal;
    bool FDragging = false;
};
