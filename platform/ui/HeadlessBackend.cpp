#include "platform/ui/HeadlessBackend.h"
#include <algorithm>
#include <cstring>
#include "platform/core/Clock.h"
#include "platform/gfx/Picture.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

THeadlessBackend::THeadlessBackend(THeadlessConfig config) : FConfig(std::move(config))
{
}

void THeadlessBackend::Attached()
{
    SetClockHook([this] { return FNow.load(); }, [this](uint32_t ms) { FNow += ms; });
}

void THeadlessBackend::Detached()
{
    SetClockHook({});
}

void THeadlessBackend::Present(const TPresentInfo& info)
{
    ++FPresents;
    FLastDirty = info.Dirty;
    auto& front = FFront[info.Wnd];
    const TBitmap& store = *info.Store;
    if (!front || front->Width() != store.Width() || front->Height() != store.Height())
        front = std::make_unique<TBitmap>(store.Width(), store.Height(), pf32bit);
    for (const TRect& r : info.Dirty.Rects()) {
        FPresentedPixels += int64_t(r.Width()) * r.Height();
        for (int y = r.Top; y < r.Bottom; ++y)
            std::memcpy(front->ScanLine(y) + r.Left * 4, store.ScanLine(y) + r.Left * 4, size_t(r.Width()) * 4);
    }
}

void THeadlessBackend::WaitForEvents(int64_t timeoutMs)
{
    std::unique_lock<std::mutex> lock(FLock);
    if (FWoken) {
        FWoken = false;
        return;
    }
    if (timeoutMs >= 0) {
        FNow += uint64_t(timeoutMs);   // nothing else can happen meanwhile: jump to the deadline
        return;
    }
    FWakeUp.wait(lock, [this] { return FWoken; });
    FWoken = false;
}

void THeadlessBackend::Wake()
{
    {
        std::lock_guard<std::mutex> lock(FLock);
        FWoken = true;
    }
    FWakeUp.notify_all();
}

void THeadlessBackend::SetMonitors(std::vector<TMonitor> monitors)
{
    FConfig.Monitors = std::move(monitors);
    BroadcastDisplayChange();
}

bool THeadlessBackend::TrayIcon(TTrayAction action, const TTrayIconInfo& info)
{
    if (!FConfig.Caps.TrayIcon)
        return false;
    ++FTrayCalls;
    const auto key = std::make_pair(info.Wnd, info.Id);
    const bool known = FTray.count(key) != 0;
    switch (action) {
    case TTrayAction::Add:
        if (known)
            return false;
        FTray[key] = info;
        FTray[key].Icon = nullptr;   // the caller's picture may not outlive the call
        return true;
    case TTrayAction::Modify:
        if (!known)
            return false;
        FTray[key] = info;
        FTray[key].Icon = nullptr;
        return true;
    case TTrayAction::Delete:
        return FTray.erase(key) != 0;
    }
    return false;
}

const TTrayIconInfo* THeadlessBackend::TrayIconOf(HWND wnd, UINT id) const
{
    auto it = FTray.find(std::make_pair(wnd, id));
    return it == FTray.end() ? nullptr : &it->second;
}

bool THeadlessBackend::TrayMouse(HWND wnd, UINT id, UINT mouseMessage)
{
    const TTrayIconInfo* icon = TrayIconOf(wnd, id);
    if (!icon)
        return false;
    return PostMessage(icon->Wnd, icon->CallbackMessage, icon->Id, static_cast<LPARAM>(mouseMessage));
}

std::string THeadlessBackend::ClipboardText()
{
    return FClipboard;
}

void THeadlessBackend::SetClipboardText(const std::string& text)
{
    FClipboard = text;
}

void THeadlessBackend::MouseMove(int x, int y)
{
    InjectMouseMove(TPoint{x, y});
}

void THeadlessBackend::MouseDown(int x, int y, int button)
{
    InjectMouseMove(TPoint{x, y});
    InjectMouseButton(button, true, TPoint{x, y});
}

void THeadlessBackend::MouseUp(int x, int y, int button)
{
    InjectMouseMove(TPoint{x, y});
    InjectMouseButton(button, false, TPoint{x, y});
}

void THeadlessBackend::Click(int x, int y, int button)
{
    MouseDown(x, y, button);
    InjectMouseButton(button, false, TPoint{x, y});
}

void THeadlessBackend::Wheel(int delta, int x, int y)
{
    InjectMouseWheel(delta, TPoint{x, y});
}

void THeadlessBackend::KeyDown(int vk, const std::string& text)
{
    InjectKey(vk, true, text);
}

void THeadlessBackend::KeyUp(int vk)
{
    InjectKey(vk, false);
}

void THeadlessBackend::KeyPress(int vk, const std::string& text)
{
    InjectKey(vk, true, text);
    InjectKey(vk, false);
}

void THeadlessBackend::ActivateOtherProgram()
{
    WM().ActivateNone();
}

void THeadlessBackend::ReturnFromOtherProgram()
{
    auto& m = WM();
    if (!m.ActiveWnd)
        m.ActivateNextAfter(nullptr);
}

std::unique_ptr<TBitmap> THeadlessBackend::CaptureWindow(HWND topLevel)
{
    const TBitmap* store = WindowSurface(topLevel);
    if (!store)
        return nullptr;
    auto copy = std::make_unique<TBitmap>(*store);
    copy->SetPixelFormat(pf24bit);
    return copy;
}

// Composes every shown top-level window, bottom first, onto the desktop.
std::unique_ptr<TBitmap> THeadlessBackend::CaptureScreen()
{
    TRect screen;
    for (const TMonitor& m : FConfig.Monitors)
        screen = UnionRect(screen, m.Bounds);
    auto out = std::make_unique<TBitmap>(std::max(1, screen.Width()), std::max(1, screen.Height()), pf24bit);
    uint32_t desktop = ColorToRGB(FConfig.Desktop);
    for (int y = 0; y < out->Height(); ++y) {
        uint8_t* d = out->ScanLine(y);
        for (int x = 0; x < out->Width(); ++x) {
            d[x * 3 + 0] = uint8_t(desktop >> 16);
            d[x * 3 + 1] = uint8_t(desktop >> 8);
            d[x * 3 + 2] = uint8_t(desktop);
        }
    }
    FlushWindows();
    auto& m = WM();
    std::vector<HWND> order = m.TopLevels;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        TWindowRecord* w = m.Alive(*it);
        if (!w || !m.IsShown(w) || !w->Store)
            continue;
        bool layered = (w->ExStyle & WS_EX_LAYERED) != 0;
        int alpha = layered ? w->Alpha : 255;
        const TBitmap& s = *w->Store;
        for (int y = 0; y < s.Height(); ++y) {
            int sy = w->Rect.Top + y - screen.Top;
            if (sy < 0 || sy >= out->Height())
                continue;
            const uint8_t* src = s.ScanLine(y);
            uint8_t* dst = out->ScanLine(sy);
            for (int x = 0; x < s.Width(); ++x) {
                int sx = w->Rect.Left + x - screen.Left;
                if (sx < 0 || sx >= out->Width())
                    continue;
                if (w->Shape && !w->Shape->Contains(TPoint{x, y}))
                    continue;
                const uint8_t* p = src + x * 4;
                uint8_t* q = dst + sx * 3;
                if (w->PerPixelAlpha) {
                    // Premultiplied source, scaled by the constant alpha.
                    int a = p[3] * alpha / 255;
                    for (int c = 0; c < 3; ++c)
                        q[c] = uint8_t(std::min(255, p[c] * alpha / 255 + q[c] * (255 - a) / 255));
                } else if (alpha < 255) {
                    for (int c = 0; c < 3; ++c)
                        q[c] = uint8_t((p[c] * alpha + q[c] * (255 - alpha)) / 255);
                } else {
                    q[0] = p[0];
                    q[1] = p[1];
                    q[2] = p[2];
                }
            }
        }
    }
    return out;
}

// The picture format follows the file's extension (PNG, BMP, JPEG, GIF).
static void SavePicture(const TBitmap& bitmap, const std::string& fileName)
{
    TPicture picture;
    picture.SetGraphic(&bitmap);
    picture.SaveToFile(fileName);
}

void THeadlessBackend::SaveWindowPicture(HWND topLevel, const std::string& fileName)
{
    if (auto picture = CaptureWindow(topLevel))
        SavePicture(*picture, fileName);
}

void THeadlessBackend::SaveScreenPicture(const std::string& fileName)
{
    SavePicture(*CaptureScreen(), fileName);
}

THeadlessBackend& UseHeadlessBackend(THeadlessConfig config)
{
    auto backend = std::make_unique<THeadlessBackend>(std::move(config));
    THeadlessBackend& ref = *backend;
    WM().Install(std::move(backend));
    return ref;
}

void InstallBackend(std::unique_ptr<TBackend> backend)
{
    WM().Install(std::move(backend));
}
