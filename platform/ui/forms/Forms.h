#pragma once
#include <memory>
#include <vector>
#include "platform/ui/controls/Controls.h"

class TMainMenu;
class TMenuItem;
class TIcon;
class TMDIClient;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

// Tells the form constructor whether the form is built like a stored form
// (components created under csLoading, Loaded when construction ends) or
// from nothing at run time.
enum class TFormCreation { Stored, New };

// A top-level window (or one embedded in another control) that holds
// controls, keeps the active control, runs modal and asks before closing.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner, TFormCreation how = TFormCreation::Stored);
    ~TCustomForm() override;

    // Ends construction: Loaded for every component still loading (in order
    // of creation, the form last), then OnCreate, then the first show when
    // Visible was set. TApplication::CreateForm and NewForm call it.
    void AfterConstruction();

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TFormStyle FormStyle() const { return FFormStyle; }
    // fsMDIForm gives the form a client window for child forms; fsMDIChild
    // puts the form into the application's main form's client window (the
    // main form must be an MDI form: EInvalidOperation otherwise).
    void SetFormStyle(TFormStyle value);

    // Multi-document windows (MDI.cpp). An MDI form's client window, its
    // children (the active one first), and the arrangements; nothing on
    // other forms.
    TMDIClient* MDIClient() const { return FMDIClient; }
    HWND ClientHandle() const;
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    TCustomForm* ActiveMDIChild() const;
    void Tile();
    void Cascade();
    void ArrangeIcons();
    void Next();
    void Previous();
    // The menu whose item list names the children (the frame of a skinned
    // form keeps that list; the class library only holds the menu).
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* value) { FWindowMenu = value; }
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    TFormState FormState() const { return FFormState; }

    void Show();
    void Hide() { SetVisible(false); }
    void Close();
    virtual bool CloseQuery();
    // Deletes the form once the current message is handled.
    void Release();
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Active() const { return FActive; }

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* c);
    void FocusControl(TWinControl* c);
    // Called when a child gets the focus: leaves and enters, tells everyone.
    bool SetFocusedControl(TWinControl* c);
    // Moves the focus off c (being disabled, hidden or removed).
    void DefocusControl(TWinControl* c, bool removing);
    void SendCancelMode(TControl* Sender);
    void SelectFirst();

    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    // The shortcut pipeline: OnShortCut, then the main menu.
    virtual bool IsShortCut(TMessage& keyMsg);

    // The form's icon, shown by the desktop for its window; while it is
    // empty the application's icon stands in.
    TIcon& Icon() { return *FIcon; }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);
    TCanvas& Canvas() { return *FCanvas; }
    bool Showing() const override;
    TPoint ClientOrigin() const override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    friend class TWinControl;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void PaintWindow(HDC dc) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    void VisibleChanging() override;

private:
    void PlaceOnFirstShow();
    void BecomeMDIForm();
    void BecomeMDIChild();
    TMDIClient* ParentMDIClient() const;
    void IconChanged();
    void HandleActivate(bool active);
    void ApplyVisibility();
    void CloseModal();

    TBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormState FFormState;
    TModalResult FModalResult = mrNone;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FKeyPreview = false;
    bool FActive = false;
    bool FPlaced = false;
    bool FConstructed = false;
    TMainMenu* FMenu = nullptr;
    TMDIClient* FMDIClient = nullptr;   // owned as a child control
    TMenuItem* FWindowMenu = nullptr;
    std::unique_ptr<TIcon> FIcon;
    std::unique_ptr<TCanvas> FCanvas;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner, TFormCreation how = TFormCreation::Stored) : TCustomForm(AOwner, how) {}
};

// Builds a form and ends its construction (AfterConstruction).
template <class T, class... Args>
T* NewForm(Args&&... args)
{
    T* form = new T(std::forward<Args>(args)...);
    form->AfterConstruction();
    return form;
}
