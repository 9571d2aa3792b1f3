#pragma once
#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Backend.h"
#include "platform/ui/WinConsts.h"

struct THeadlessConfig {
    std::vector<TMonitor> Monitors{TMonitor{TRect{0, 0, 1024, 768}, TRect{0, 0, 1024, 738}, true}};
    TPlatformCaps Caps;
    TColor Desktop = 0x808000;             // the colour of the screen between windows (teal)
};

// The back end of the tests: windows live in memory on a virtual screen, time
// is a virtual clock (the core's clock hook) that only moves when the loop
// waits for a timer, when a busy loop polls the queue (1 ms per empty poll)
// or on Sleep, so timers and fades run in test time and never hang. Input is
// injected at screen points; any window or the whole screen can be captured
// or saved as a picture.
class THeadlessBackend : public TBackend {
public:
    explicit THeadlessBackend(THeadlessConfig config = {});
    void Attached() override;
    void Detached() override;

    const TPlatformCaps& Caps() const override { return FConfig.Caps; }
    std::vector<TMonitor> Monitors() const override { return FConfig.Monitors; }
    void Present(const TPresentInfo& info) override;
    void WindowDestroyed(HWND h) override { FFront.erase(h); }
    void WaitForEvents(int64_t timeoutMs) override;
    void Wake() override;
    void QueueIdle() override { FNow += 1; }
    void Beep(UINT) override { ++FBeeps; }
    bool TrayIcon(TTrayAction action, const TTrayIconInfo& info) override;
    void SetCursorShape(HCURSOR cursor) override
    {
        FCursor = cursor;
        FCursorsShown.push_back(cursor);
    }
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;

    // Screen set-up for monitor tests.
    void SetMonitors(std::vector<TMonitor> monitors);       // announced by WM_DISPLAYCHANGE
    void SetCaps(const TPlatformCaps& caps) { FConfig.Caps = caps; }

    // The virtual clock.
    uint64_t Now() const { return FNow; }
    void Advance(uint32_t ms) { FNow += ms; }

    // Synthetic input at screen points (queued; ProcessWindowMessages runs it).
    void MouseMove(int x, int y);
    void MouseDown(int x, int y, int button = 0);
    void MouseUp(int x, int y, int button = 0);
    void Click(int x, int y, int button = 0);
    void Wheel(int delta, int x, int y);
    void KeyDown(int vk, const std::string& text = {});
    void KeyUp(int vk);
    void KeyPress(int vk, const std::string& text = {});

    // Another program takes the desktop's activation (our active window is
    // deactivated, the program told by WM_ACTIVATEAPP) and gives it back
    // (our topmost window that can be active is activated again).
    void ActivateOtherProgram();
    void ReturnFromOtherProgram();

    // Pictures: a top-level window as composed, or the whole screen with
    // every shown window in z-order (regions and layered alpha applied).
    std::unique_ptr<TBitmap> CaptureWindow(HWND topLevel);
    std::unique_ptr<TBitmap> CaptureScreen();
    void SaveWindowPicture(HWND topLevel, const std::string& fileName);   // format by extension (.png, .bmp)
    void SaveScreenPicture(const std::string& fileName);

    // The fake tray (present when Caps().TrayIcon is on): the icons shown,
    // and a mouse action on one, posted to its window as its callback
    // message. False when no such icon is shown.
    const TTrayIconInfo* TrayIconOf(HWND wnd, UINT id) const;
    int TrayIconCount() const { return static_cast<int>(FTray.size()); }
    bool TrayMouse(HWND wnd, UINT id, UINT mouseMessage);
    int TrayCallCount() const { return FTrayCalls; }

    // What was presented, for tests and benchmarks.
    int PresentCount() const { return FPresents; }
    int64_t PresentedPixels() const { return FPresentedPixels; }
    const TRegion& LastPresented() const { return FLastDirty; }
    int BeepCount() const { return FBeeps; }
    HCURSOR CursorShape() const { return FCursor; }
    // Every cursor shape shown, in order (a busy cursor shows up here even
    // when it is gone again by the time a test looks).
    const std::vector<HCURSOR>& CursorsShown() const { return FCursorsShown; }
    void ClearCursorsShown() { FCursorsShown.clear(); }

private:
    THeadlessConfig FConfig;
    std::atomic<uint64_t> FNow{1000000};
    std::mutex FLock;
    std::condition_variable FWakeUp;
    bool FWoken = false;
    std::string FClipboard;
    std::map<HWND, std::unique_ptr<TBitmap>> FFront;   // what each window shows, as a real back end uploads it
    int FPresents = 0;
    int64_t FPresentedPixels = 0;
    TRegion FLastDirty;
    int FBeeps = 0;
    HCURSOR FCursor = IDC_ARROW;
    std::vector<HCURSOR> FCursorsShown;
    std::map<std::pair<HWND, UINT>, TTrayIconInfo> FTray;
    int FTrayCalls = 0;
};

// Installs a fresh headless back end (all windows of the previous one are
// destroyed) and returns it.
THeadlessBackend& UseHeadlessBackend(THeadlessConfig config = {});
// Installs any back end; the window manager starts clean.
void InstallBackend(std::unique_ptr<TBackend> backend);
