#pragma once
#include <cstdint>
#include <memory>

#include "platform/core/Component.h"
#include "platform/ui/WinTypes.h"
#include "platform/ui/controls/Controls.h"

class TBitmap;
class TTimer;
class TbsBitmap;

// A top-level, click-through window that never takes the activation; its
// picture comes whole from UpdateLayeredWindowFromBitmap.
class TbsLayerWindow : public TCustomControl {
public:
    explicit TbsLayerWindow(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
};

// Shows a glow picture (an image with a grey-level mask) at a screen point in
// a layer window and fades it in on a 25 ms timer. Where the back end cannot
// show per-pixel translucent windows it does nothing at all, and its callers
// take their plain path.
class TbsLayerManager : public TComponent {
public:
    explicit TbsLayerManager(TComponent* AOwner);
    ~TbsLayerManager() override;

    // Shows AImage at screen point X, Y and fades it in from 0 to
    // AAlphaBlendValue (0..255). Showing again hides first and starts afresh.
    void Show(int X, int Y, const TBitmap& AImage, const TBitmap& AImageMask, int AAlphaBlendValue);
    void Hide();
    void StartTimer();
    void StopTimer();

    // Whether the layer stays above every other window; set before Show.
    bool TopMostMode() const { return FTopMostMode; }
    void SetTopMostMode(bool Value) { FTopMostMode = Value; }

    TbsLayerWindow* LayerWindow() const { return FLayerWindow; }
    TbsBitmap* Bmp() const { return FBmp.get(); }
    TTimer* Timer() const { return FTimer; }
    int EndAlphaBlendValue() const { return FEndAlphaBlendValue; }
    int BeginAlphaBlendValue() const { return FBeginAlphaBlendValue; }
    int StepAlphaBlendValue() const { return FStepAlphaBlendValue; }
    bool IsVisible() const { return FIsVisible; }

private:
    void TimerTick(TObject* Sender);

    TbsLayerWindow* FLayerWindow = nullptr;   // owned; nullptr while hidden
    std::unique_ptr<TbsBitmap> FBmp;
    TTimer* FTimer = nullptr;                 // owned
    int FEndAlphaBlendValue = 0;
    int FBeginAlphaBlendValue = 0;
    int FStepAlphaBlendValue = 0;
    bool FIsVisible = false;
    bool FTopMostMode = true;
};

// Gives a layered window Bitmap's pixels with per-pixel alpha, scaled by the
// constant Alpha, at the control's position. The pixels are handed over
// premultiplied, as the window manager composes them.
void UpdateLayeredWindowFromBitmap(const TbsBitmap& Bitmap, std::uint8_t Alpha, TWinControl& Control);
// Dest takes Image (opaque) with alpha from Mask's grey level.
void AssignImageWithMask(const TBitmap& Image, const TBitmap& Mask, TbsBitmap& Dest);
// One alpha for the whole layered window.
void SetLayeredWindowAlpha(HWND Handle, std::uint8_t Alpha);
// Raises a layered window's alpha from 0 to Alpha by Step every Interval
// milliseconds, repainting it each time; returns when it is fully shown.
void FadeInLayeredWindow(HWND Handle, int Alpha, int Step, std::uint32_t Interval);
