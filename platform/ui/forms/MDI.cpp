#include <algorithm>
#include <cmath>
#include "platform/core/Exception.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Ui.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/MDIClient.h"

// ------------------------------------------------------------ the form's side

void TCustomForm::BecomeMDIForm()
{
    if (!FMDIClient)
        FMDIClient = new TMDIClient(this);
}

void TCustomForm::BecomeMDIChild()
{
    TCustomForm* main = Application->MainForm();
    if (!main || main == this || main->FormStyle() != fsMDIForm || !main->MDIClient())
        throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    SetParent(main->MDIClient());
    main->MDIClient()->AddChild(this);
}

TMDIClient* TCustomForm::ParentMDIClient() const
{
    return FFormStyle == fsMDIChild ? dynamic_cast<TMDIClient*>(FParent) : nullptr;
}

HWND TCustomForm::ClientHandle() const
{
    return FMDIClient && FMDIClient->HandleAllocated() ? FMDIClient->Handle() : nullptr;
}

int TCustomForm::MDIChildCount() const { return FMDIClient ? int(FMDIClient->Children().size()) : 0; }

TCustomForm* TCustomForm::MDIChildren(int index) const
{
    if (!FMDIClient || index < 0 || index >= MDIChildCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FMDIClient->Children()[size_t(index)];
}

TCustomForm* TCustomForm::ActiveMDIChild() const { return FMDIClient ? FMDIClient->ActiveChild() : nullptr; }

void TCustomForm::Tile()
{
    if (FMDIClient)
        FMDIClient->Tile();
}

void TCustomForm::Cascade()
{
    if (FMDIClient)
        FMDIClient->Cascade();
}

void TCustomForm::ArrangeIcons()
{
    if (FMDIClient)
        FMDIClient->ArrangeIcons();
}

void TCustomForm::Next()
{
    if (FMDIClient)
        FMDIClient->Next(false);
}

void TCustomForm::Previous()
{
    if (FMDIClient)
        FMDIClient->Next(true);
}

// ------------------------------------------------------------ the client

TMDIClient::TMDIClient(TCustomForm* AForm) : TWinControl(AForm), FForm(AForm)
{
    SetName("MDIClient");
    FColor = clAppWorkSpace;
    SetParentColor(false);
    SetAlign(alClient);
    SetParent(AForm);
    SendToBack();   // below the form's own aligned controls
}

TMDIClient::~TMDIClient()
{
    // The children go while the client is whole: they leave its list.
    while (!FChildren.empty())
        delete FChildren.back();
}

void TMDIClient::AddChild(TCustomForm* Child)
{
    if (std::find(FChildren.begin(), FChildren.end(), Child) == FChildren.end())
        FChildren.push_back(Child);
}

void TMDIClient::RemoveChild(TCustomForm* Child)
{
    const bool wasActive = ActiveChild() == Child;
    std::erase(FChildren, Child);
    FRestoreBounds.erase(Child);
    FStates.erase(Child);
    if (!wasActive)
        return;
    // The next visible child takes over.
    for (TCustomForm* f : FChildren)
        if (f->Visible()) {
            Activate(f);
            return;
        }
}

TCustomForm* TMDIClient::ChildOf(HWND Wnd) const
{
    for (TCustomForm* f : FChildren)
        if (f->HandleAllocated() && f->Handle() == Wnd)
            return f;
    return nullptr;
}

TCustomForm* TMDIClient::ChildAt(TPoint P) const
{
    for (TCustomForm* f : FChildren)   // topmost first
        if (f->Visible() && f->BoundsRect().Contains(P))
            return f;
    return nullptr;
}

void TMDIClient::TellActivation(TCustomForm* Old, TCustomForm* New)
{
    const WPARAM oldWnd = Old && Old->HandleAllocated() ? WPARAM(Old->Handle()) : 0;
    const LPARAM newWnd = New && New->HandleAllocated() ? LPARAM(New->Handle()) : 0;
    if (oldWnd) {
        SendMessage(Old->Handle(), WM_NCACTIVATE, 0, 0);
        SendMessage(Old->Handle(), WM_MDIACTIVATE, oldWnd, newWnd);
    }
    if (newWnd) {
        SendMessage(New->Handle(), WM_NCACTIVATE, 1, 0);
        SendMessage(New->Handle(), WM_MDIACTIVATE, oldWnd, newWnd);
    }
}

void TMDIClient::Activate(TCustomForm* Child)
{
    auto it = std::find(FChildren.begin(), FChildren.end(), Child);
    if (it == FChildren.end())
        return;
    TCustomForm* old = ActiveChild();
    FChildren.erase(it);
    FChildren.insert(FChildren.begin(), Child);
    Child->BringToFront();
    if (old != Child)
        TellActivation(old, Child);
}

void TMDIClient::Next(bool Previous)
{
    std::vector<TCustomForm*> shown;
    for (TCustomForm* f : FChildren)
        if (f->Visible())
            shown.push_back(f);
    if (shown.size() < 2)
        return;
    // Next: the one below the active goes on top, the active to the bottom.
    if (Previous) {
        Activate(shown.back());
    } else {
        TCustomForm* active = shown.front();
        Activate(shown[1]);
        std::erase(FChildren, active);
        FChildren.push_back(active);
        active->SendToBack();
    }
}

void TMDIClient::SetChildState(TCustomForm* Child, TWindowState State)
{
    const TWindowState old = FStates.count(Child) ? FStates[Child] : wsNormal;
    if (State == old)
        return;
    if (old == wsNormal)
        FRestoreBounds[Child] = Child->BoundsRect();
    FStates[Child] = State;
    switch (State) {
    case wsMaximized:
        Child->SetBounds(0, 0, ClientWidth(), ClientHeight());
        Activate(Child);
        break;
    case wsMinimized: {
        int slot = 0;
        for (auto& [f, s] : FStates)
            if (f != Child && s == wsMinimized)
                ++slot;
        const int perRow = std::max(1, ClientWidth() / IconWidth);
        Child->SetBounds(slot % perRow * IconWidth, ClientHeight() - (slot / perRow + 1) * IconHeight, IconWidth,
                         IconHeight);
        break;
    }
    case wsNormal:
        Child->SetBoundsRect(FRestoreBounds[Child]);
        FRestoreBounds.erase(Child);
        break;
    }
}

void TMDIClient::Tile()
{
    std::vector<TCustomForm*> shown;
    for (TCustomForm* f : FChildren)
        if (f->Visible() && f->WindowState() != wsMinimized)
            shown.push_back(f);
    const int n = int(shown.size());
    if (n == 0)
        return;
    const int columns = std::max(1, int(std::sqrt(double(n))));
    const int W = ClientWidth(), H = ClientHeight();
    int placed = 0;
    for (int c = 0; c < columns; ++c) {
        const int rows = (n - placed + (columns - c) - 1) / (columns - c);
        const int x0 = W * c / columns, x1 = W * (c + 1) / columns;
        for (int r = 0; r < rows; ++r, ++placed) {
            TCustomForm* f = shown[size_t(n - 1 - placed)];   // creation order runs down the columns
            if (f->WindowState() != wsNormal)
                f->SetWindowState(wsNormal);
            f->SetBounds(x0, H * r / rows, x1 - x0, H * (r + 1) / rows - H * r / rows);
        }
    }
}

void TMDIClient::Cascade()
{
    const int W = ClientWidth(), H = ClientHeight();
    int offset = 0;
    // Bottom of the stack first, so the active child ends on top, furthest in.
    std::vector<TCustomForm*> order(FChildren.rbegin(), FChildren.rend());
    for (TCustomForm* f : order) {
        if (!f->Visible() || f->WindowState() == wsMinimized)
            continue;
        if (f->WindowState() != wsNormal)
            f->SetWindowState(wsNormal);
        const int w = W * 2 / 3, h = H * 2 / 3;
        if (offset + w > W || offset + h > H)
            offset = 0;
        f->SetBounds(offset, offset, w, h);
        offset += CascadeStep;
    }
}

void TMDIClient::ArrangeIcons()
{
    int slot = 0;
    const int perRow = std::max(1, ClientWidth() / IconWidth);
    for (TCustomForm* f : FChildren)
        if (f->WindowState() == wsMinimized) {
            f->SetBounds(slot % perRow * IconWidth, ClientHeight() - (slot / perRow + 1) * IconHeight, IconWidth,
                         IconHeight);
            ++slot;
        }
}

void TMDIClient::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        TCanvas c;
        c.SetHandle(reinterpret_cast<HDC>(m.WParam));
        c.Brush().SetColor(FColor);
        c.FillRect(ClientRect());
        c.SetHandle(nullptr);
        m.Result = 1;
        return;
    }
    case WM_PARENTNOTIFY:
        // A press anywhere in a child activates it.
        if (LOWORD(m.WParam) == WM_LBUTTONDOWN || LOWORD(m.WParam) == WM_RBUTTONDOWN ||
            LOWORD(m.WParam) == WM_MBUTTONDOWN)
            if (TCustomForm* f = ChildAt(LParamToPoint(m.LParam)))
                Activate(f);
        break;
    case WM_MDIACTIVATE:
        if (TCustomForm* f = ChildOf(reinterpret_cast<HWND>(m.WParam)))
            Activate(f);
        m.Result = 0;
        return;
    case WM_MDIGETACTIVE:
        m.Result = ActiveChild() && ActiveChild()->HandleAllocated() ? LRESULT(ActiveChild()->Handle()) : 0;
        return;
    case WM_MDINEXT:
        Next(m.LParam != 0);
        m.Result = 0;
        return;
    case WM_MDIMAXIMIZE:
    case WM_MDIRESTORE:
        if (TCustomForm* f = ChildOf(reinterpret_cast<HWND>(m.WParam)))
            f->SetWindowState(m.Msg == WM_MDIMAXIMIZE ? wsMaximized : wsNormal);
        m.Result = 0;
        return;
    case WM_MDIDESTROY:
        if (TCustomForm* f = ChildOf(reinterpret_cast<HWND>(m.WParam)))
            delete f;
        m.Result = 0;
        return;
    case WM_MDITILE: Tile(); m.Result = 1; return;
    case WM_MDICASCADE: Cascade(); m.Result = 1; return;
    case WM_MDIICONARRANGE: ArrangeIcons(); m.Result = 0; return;
    case WM_SIZE:
        TWinControl::WndProc(m);
        for (auto& [f, s] : FStates)
            if (s == wsMaximized)
                f->SetBounds(0, 0, ClientWidth(), ClientHeight());
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}
