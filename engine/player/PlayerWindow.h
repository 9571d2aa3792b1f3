#pragma once
#include <atomic>
#include <memory>

#include "engine/player/Player.h"
#include "platform/ui/WinTypes.h"

// Shows the player's surface in one of our windows. A host window (a panel
// of a form) is subclassed while its file plays: the window paints the
// current picture, swallows WM_CLOSE and takes the focus when clicked; the
// host's own procedure is put back when the file closes, and the host then
// repaints as itself. Without a host the binding opens a window of its own,
// which closes the file when it is closed and goes with the file.
//
// Made and released on the main thread; the player's threads only post to it.
class TPlayerWindow : public TPlayerHost {
public:
    // AHost null: a window of AWidth × AHeight client pixels of our own.
    TPlayerWindow(TCustomPlayer& APlayer, HWND AHost, int AWidth, int AHeight);
    ~TPlayerWindow() override;

    HWND Handle() const;
    bool OwnWindow() const;
    // Puts the host's procedure back (or destroys the own window); once only.
    void Release();
    // The own window covers its monitor, topmost and without a frame, or
    // gets back the place and frame it had before. Nothing for a host.
    void SetFullScreen(bool AFullScreen);

    void GetClientSize(int& AWidth, int& AHeight) override;
    void SurfaceChanged() override;
    void SurfaceCleared() override;

    // The caption of the player's own window.
    static constexpr const char* Caption = "FFPlayer";

private:
    struct TBinding;
    struct TProcedure;
    std::shared_ptr<TBinding> FBinding;  // shared with the installed window procedure
};
