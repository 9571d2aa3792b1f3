#pragma once
#include <map>
#include <vector>
#include "platform/ui/forms/Forms.h"

// The client window of a multi-document main form (FormStyle fsMDIForm): it
// fills the form's client area left by aligned controls, holds the child
// forms (fsMDIChild) as child windows (so they are clipped to it), keeps
// them in stacking order with the active one on top, and arranges them.
//
// A press anywhere in a child activates it (the client hears of every press
// through WM_PARENTNOTIFY). Activation sends WM_MDIACTIVATE (wParam the
// child losing, lParam the child gaining) and WM_NCACTIVATE to both.
// The client answers WM_MDIACTIVATE, WM_MDIGETACTIVE, WM_MDINEXT,
// WM_MDIMAXIMIZE, WM_MDIRESTORE, WM_MDIDESTROY, WM_MDITILE, WM_MDICASCADE
// and WM_MDIICONARRANGE (wParam / lParam as the desktop's MDI client takes
// them: the child's window for the child messages, wParam 1 = previous for
// WM_MDINEXT). Its background is clAppWorkSpace, painted at WM_ERASEBKGND,
// which a skin may take over through WindowProc.
class TMDIClient : public TWinControl {
public:
    explicit TMDIClient(TCustomForm* AForm);
    ~TMDIClient() override;

    TCustomForm* Form() const { return FForm; }
    // Children in stacking order, the active one first.
    const std::vector<TCustomForm*>& Children() const { return FChildren; }
    TCustomForm* ActiveChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
    void Activate(TCustomForm* Child);
    void Next(bool Previous);
    // The plain window states of a child (a skinned frame keeps its own).
    void SetChildState(TCustomForm* Child, TWindowState State);
    void Tile();
    void Cascade();
    void ArrangeIcons();

    // Bookkeeping of the child forms (they call these).
    void AddChild(TCustomForm* Child);
    void RemoveChild(TCustomForm* Child);

    // Step of the cascade and size of a minimized child's caption strip.
    static constexpr int CascadeStep = 24;
    static constexpr int IconWidth = 160, IconHeight = 24;

protected:
    void WndProc(TMessage& Message) override;

private:
    TCustomForm* ChildOf(HWND Wnd) const;
    TCustomForm* ChildAt(TPoint P) const;
    void TellActivation(TCustomForm* Old, TCustomForm* New);

    TCustomForm* FForm;
    std::vector<TCustomForm*> FChildren;
    std::map<TCustomForm*, TRect> FRestoreBounds;   // of maximized and minimized children
    std::map<TCustomForm*, TWindowState> FStates;
};
