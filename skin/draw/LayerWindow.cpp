#include "skin/draw/LayerWindow.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/controls/Timer.h"
#include "skin/draw/AlphaBitmap.h"
#include "skin/draw/GlowText.h"
#include "skin/draw/PlatformCaps.h"

TbsLayerWindow::TbsLayerWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    FVisible = false;
}

void TbsLayerWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
    Params.WindowClassStyle |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

void TbsLayerWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TCustomControl::WndProc(Message);
}

TbsLayerManager::TbsLayerManager(TComponent* AOwner) : TComponent(AOwner) {
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(25);
    FTimer->OnTimer = [this](TObject* Sender) { TimerTick(Sender); };
}

TbsLayerManager::~TbsLayerManager() {
    delete FTimer;
    FTimer = nullptr;
    delete FLayerWindow;
    FLayerWindow = nullptr;
}

void TbsLayerManager::StartTimer() {
    FBeginAlphaBlendValue = 0;
    FTimer->SetEnabled(true);
}

void TbsLayerManager::StopTimer() {
    FTimer->SetEnabled(false);
}

void TbsLayerManager::Show(int X, int Y, const TBitmap& AImage, const TBitmap& AImageMask, int AAlphaBlendValue) {
    if (!CanUseLayeredWindows())
        return;
    if (FLayerWindow)
        Hide();
    FIsVisible = true;
    FLayerWindow = new TbsLayerWindow(this);
    FLayerWindow->SetBounds(X, Y, AImage.Width(), AImage.Height());
    const HWND handle = FLayerWindow->Handle();
    SetWindowLong(handle, GWL_EXSTYLE, GetWindowLong(handle, GWL_EXSTYLE) | WS_EX_LAYERED);
    FBmp = std::make_unique<TbsBitmap>();
    AssignImageWithMask(AImage, AImageMask, *FBmp);
    UpdateLayeredWindowFromBitmap(*FBmp, 0, *FLayerWindow);
    SetWindowPos(handle, FTopMostMode ? HWND_TOPMOST : HWND_NOTOPMOST, X, Y, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    FEndAlphaBlendValue = std::clamp(AAlphaBlendValue, 0, 255);
    // At least one per tick: a faint target still arrives instead of
    // leaving the layer invisible with its timer running.
    FStepAlphaBlendValue = std::max(1, FEndAlphaBlendValue / 10);
    StartTimer();
}

void TbsLayerManager::Hide() {
    if (!CanUseLayeredWindows())
        return;
    StopTimer();
    FBmp.reset();
    FIsVisible = false;
    if (FLayerWindow) {
        if (FLayerWindow->HandleAllocated())
            SetWindowPos(FLayerWindow->Handle(), nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
        delete FLayerWindow;
        FLayerWindow = nullptr;
    }
}

void TbsLayerManager::TimerTick(TObject*) {
    if (!FBmp || !FLayerWindow) {
        StopTimer();
        return;
    }
    FBeginAlphaBlendValue = std::min(FBeginAlphaBlendValue + FStepAlphaBlendValue, FEndAlphaBlendValue);
    UpdateLayeredWindowFromBitmap(*FBmp, static_cast<std::uint8_t>(FBeginAlphaBlendValue), *FLayerWindow);
    if (FBeginAlphaBlendValue >= FEndAlphaBlendValue)
        StopTimer();
}

void UpdateLayeredWindowFromBitmap(const TbsBitmap& Bitmap, std::uint8_t Alpha, TWinControl& Control) {
    if (Bitmap.Empty())
        return;
    // The bitmap keeps straight alpha; the window takes premultiplied pixels.
    TBitmap premultiplied(Bitmap.Width(), Bitmap.Height(), pf32bit);
    for (int y = 0; y < Bitmap.Height(); ++y) {
        const TbsColor* src = Bitmap.Bits() + static_cast<std::ptrdiff_t>(y) * Bitmap.Width();
        std::uint8_t* dst = premultiplied.ScanLine(y);
        for (int x = 0; x < Bitmap.Width(); ++x) {
            const unsigned a = src[x] >> 24;
            dst[x * 4 + 0] = static_cast<std::uint8_t>((bsBlueOf(src[x]) * a + 127) / 255);
            dst[x * 4 + 1] = static_cast<std::uint8_t>((bsGreenOf(src[x]) * a + 127) / 255);
            dst[x * 4 + 2] = static_cast<std::uint8_t>((bsRedOf(src[x]) * a + 127) / 255);
            dst[x * 4 + 3] = static_cast<std::uint8_t>(a);
        }
    }
    premultiplied.SetAlphaFormat(afPremultiplied);
    TDeviceContext source(&premultiplied);
    const TPoint position{Control.Left(), Control.Top()};
    const TSize size{Bitmap.Width(), Bitmap.Height()};
    const TPoint origin{0, 0};
    BLENDFUNCTION blend;
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = Alpha;
    blend.AlphaFormat = AC_SRC_ALPHA;
    UpdateLayeredWindow(Control.Handle(), nullptr, &position, &size, &source, &origin, 0, &blend, ULW_ALPHA);
}

void AssignImageWithMask(const TBitmap& Image, const TBitmap& Mask, TbsBitmap& Dest) {
    Dest.Assign(Image);
    Dest.SetAlpha(255);
    TbsBitmap mask;
    mask.Assign(Mask);
    SetAlphaFromMask(Dest, mask);
}

void SetLayeredWindowAlpha(HWND Handle, std::uint8_t Alpha) {
    SetLayeredWindowAttributes(Handle, 0, Alpha, LWA_ALPHA);
}

void FadeInLayeredWindow(HWND Handle, int Alpha, int Step, std::uint32_t Interval)
{
    int alpha = 0;
    std::uint32_t last = GetTickCount();
    while (alpha < Alpha) {
        Sleep(1);
        if (GetTickCount() - last > Interval) {
            alpha = std::min(Alpha, alpha + Step);
            SetLayeredWindowAlpha(Handle, std::uint8_t(alpha));
            UpdateWindow(Handle);
            last = GetTickCount();
        }
    }
}
