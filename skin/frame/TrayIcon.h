#pragma once
#include <functional>
#include <memory>
#include <string>
#include "platform/core/Component.h"
#include "platform/gfx/Icon.h"
#include "platform/ui/Tray.h"
#include "platform/ui/controls/Controls.h"
#include "skin/frame/FrameSeams.h"

class TImageList;
class TPopupMenu;
class TTimer;

enum TbsBalloonHintIcon { bsbitNone, bsbitInfo, bsbitWarning, bsbitError };
using TbsCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;

// A notification-area icon of the program: shows an icon with its tip and
// balloon hints through the desktop's tray, turns mouse actions on it into
// click, double-click and mouse events, pops up a (skinned) popup menu,
// cycles through an image list, and hides the main form into the tray when
// the application is minimized. Where the desktop has no tray nothing is
// shown, and minimizing keeps its plain path, so the main window never
// vanishes behind an icon that cannot bring it back.
class TbsTrayIcon : public TComponent, public IbsFrameTray {
public:
    explicit TbsTrayIcon(TComponent* AOwner);
    ~TbsTrayIcon() override;

    // The hidden window the tray reports mouse actions to.
    HWND Handle() const { return FHandle; }

    bool Enabled = true;                 // mouse actions are handled only when set
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;
    bool MinimizeToTray = true;

    const TIcon& Icon() const { return FIcon; }
    void SetIcon(const TGraphic& Value);
    bool IconVisible() const override { return FIconVisible; }
    void SetIconVisible(bool Value);
    // Whether the desktop holds the icon now (a tray exists and took it).
    bool IconShown() const override { return FIconShown; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TImageList* IconList() const { return FIconList; }
    void SetIconList(TImageList* Value);
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int Value);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    unsigned AnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(unsigned Value);
    // Shows the icon while the form is being designed.
    bool DesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool Value);

    // The tray calls; each answers whether the desktop accepted it.
    void ShowIcon() override { AddIcon(); }
    void HideIcon() override { RemoveIcon(); }
    bool AddIcon();
    bool RemoveIcon();
    bool ModifyIcon();
    void Refresh() { ModifyIcon(); }
    bool ShowBalloonHint(const std::string& Title, const std::string& Text, TbsBalloonHintIcon IconType);
    bool HideBalloonHint();

    // The application's main form into the tray and back.
    void ShowMainForm();
    void HideMainForm();
    // A 16 x 16 icon from Bitmap with MaskColor transparent.
    static bool BitmapToIcon(const TBitmap& Bitmap, TIcon& Icon, TColor MaskColor);
    // Stores what the form component's stored state says once loading ends.
    void Loaded() override;

    TNotifyEvent OnBalloonHintClick;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TbsCycleEvent OnCycle;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // What the tray was last given (tests read the tip and balloon limits).
    const TTrayIconInfo& IconData() const { return FIconData; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Click();
    virtual void DblClick();
    virtual void Cycle(int NextIndex);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void DoMinimizeToTray();

private:
    LRESULT TrayWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    void TrayNotify(UINT MouseMessage);
    void ClickTimerProc(TObject* Sender);
    void AnimateTimerProc(TObject* Sender);
    void PopupAtCursor();
    void HookApp();
    void UnhookApp();
    // Puts ParentWndProc in front of the owner form's procedure; the
    // owner's first position change is watched there too (see
    // OwnerPositionChanged). UnhookParent leaves the hook in the chain,
    // passing messages on only.
    void HookParent();
    void UnhookParent();
    void ParentWndProc(const TMessage& Message);
    void OwnerActivated(const TMessage& Message);
    void OwnerShown();
    void OwnerPositionChanged();
    bool InitIconData();

    HWND FHandle = nullptr;
    bool FDesignPreview = false;
    bool SettingPreview = false;    // DesignPreview is being applied
    bool SettingMDIForm = true;     // the first position change of the program's window is still awaited
    std::shared_ptr<bool> FOwnerHookAlive;
    TIcon FIcon;
    bool FIconVisible = true;
    bool FIconShown = false;
    std::string FHint;
    bool FShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TImageList* FIconList = nullptr;
    int FIconIndex = 0;
    bool FCycleIcons = false;
    unsigned FAnimateTimerInterval = 0;
    bool FClickStart = false;
    bool FClickReady = false;
    bool IsDblClick = false;
    std::unique_ptr<TTimer> AnimateTimer;
    std::unique_ptr<TTimer> ClickTimer;
    TTrayIconInfo FIconData;
    std::shared_ptr<bool> FHookAlive;
};
