#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Exception.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/forms/Forms.h"

class TIcon;
class THintWindow;

// What the hint machinery is about to show; OnShowHint may change any of it.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;                        // screen point of the hint window's top left
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;                      // moving outside it (control coordinates) hides the hint
    TPoint CursorPos;                      // control coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    std::string HintStr;
};

using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;
using THintWindowFactory = std::function<THintWindow*(TComponent* Owner)>;

// The program: its forms in creation order, the main form, the message loop
// with its hook, and the hint machinery.
class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Takes the window layer's message hook and the core's ProcessMessages;
    // called by Initialize and again whenever a back end was installed since.
    void Initialize();
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v) { FTitle = v; }
    TIcon& Icon() { return *FIcon; }

    // Creates a form owned by the application; the first becomes the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        Initialize();
        T* form = new T(this);
        reference = form;
        form->AfterConstruction();
        if (!FMainForm)
            SetMainForm(form);
    }
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* f);
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool v) { FShowMainForm = v; }

    // Shows the main form and handles messages until Terminate or the main form closes.
    void Run();
    void Terminate();
    bool Terminated() const;
    // Handles every waiting message and synchronised call; may be called from handlers.
    void ProcessMessages();
    // Handles one message, or idles and waits for the next.
    void HandleMessage();
    // Takes and handles one message; false when there was none.
    bool ProcessMessage();
    void Minimize();
    void Restore();
    // The plain modal message box (Dialogs.h), titled with Title when caption is empty.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    // An exception that escaped a handler: OnException hears it when set,
    // else ShowException shows it; the program goes on. Anything that is not
    // an Exception arrives as one with the same text.
    void HandleException(TObject* Sender, std::exception_ptr e = std::current_exception());
    // The message in an error box titled with Title.
    void ShowException(const Exception& E);
    bool Minimized() const { return FMinimized; }
    // Whether the program holds the desktop's activation. The forms hand on
    // WM_ACTIVATEAPP; OnActivate / OnDeactivate follow once the message is handled.
    bool Active() const { return FActive; }
    void ActivateApp(bool active);

    // Hints.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int v) { FHintPause = v; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int v) { FHintHidePause = v; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int v) { FHintShortPause = v; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor v) { FHintColor = v; }
    // The kind of hint window to make; the skin layer puts in its own.
    THintWindowFactory HintWindowClass;
    // Shows the hint of the control under the mouse now, without the pause.
    void ActivateHint();
    void CancelHint();
    void HideHint();
    THintWindow* HintWindow() const { return FHintWindow; }
    TControl* HintControl() const { return FHintControl; }
    // Mouse moves (screen point) feed the hint machinery; the loop calls it.
    void HintMouseMessage(TControl* control, TPoint screen);

    TMessageEvent OnMessage;
    TExceptionEvent OnException;
    TShowHintEvent OnShowHint;
    TNotifyEvent OnHint;
    TNotifyEvent OnIdle;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    std::string Hint;                      // the long hint of the control under the mouse

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool MessageHook(TMsg& msg);
    bool IsKeyMsg(TMsg& msg);
    void Idle();
    void StartHintTimer(int ms, int kind);
    void StopHintTimer();
    void HintTimerExpired();
    void ShowHintNow();

    std::string FTitle;
    std::unique_ptr<TIcon> FIcon;
    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FTerminated = false;
    bool FMinimized = false;
    bool FActive = false;
    bool FAnnouncedActive = false;         // what OnActivate / OnDeactivate last told
    const void* FHookedBackend = nullptr;
    std::vector<HWND> FMinimizedForms;

    bool FShowHint = true;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    int FHintShortPause = 50;
    TColor FHintColor = clInfoBk;
    THintWindow* FHintWindow = nullptr;
    TControl* FHintControl = nullptr;
    bool FHintActive = false;              // within a short pause of the last hint: the next comes quickly
    bool FHintShown = false;
    UINT_PTR FHintTimer = 0;
    int FHintTimerKind = 0;                // 1: show after a pause, 2: hide after the hide pause
    TRect FHintCursorRect;                 // screen
};

// The screen: forms in order of creation, the active form and control,
// the cursor and the monitors.
class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);

    int FormCount() const { return int(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms[size_t(index)]; }
    const std::vector<TCustomForm*>& FormList() const { return FForms; }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int MonitorCount() const;
    TRect MonitorRect(int index) const;
    TPoint CursorPos() const;

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Form and focus bookkeeping (forms call these).
    void AddForm(TCustomForm* f);
    void RemoveForm(TCustomForm* f);
    void SetActiveForm(TCustomForm* f);
    void SetActiveControl(TWinControl* c);

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
};

// The program's one application and screen, made before main runs.
extern TApplication* Application;
extern TScreen* Screen;
