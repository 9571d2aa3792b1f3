#include <algorithm>
#include <cmath>
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/MDIClient.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/FrameObjects.h"
#include "skin/frame/MDITabsBar.h"

// A multi-document main form and its children: the children live in the
// form's client window and keep their own (skinned) window states inside it;
// the main form's frame lists them in the window menu and the tab bar,
// arranges them, paints the client window's background, and lets its menu
// bar carry a maximized child's caption buttons.

namespace {
const std::string ChildItemSuffix = "_BSFCHILDITEM";

// The child name of a window-menu item of ours, empty for other items.
std::string ChildNameOfItem(const TMenuItem* Item)
{
    const std::string& name = Item->Name();
    const size_t at = name.find(ChildItemSuffix);
    if (at == std::string::npos)
        return {};
    return name.substr(0, at) + name.substr(at + ChildItemSuffix.size());
}

std::vector<TCustomForm*> ChildrenOf(const TCustomForm* Main)
{
    std::vector<TCustomForm*> out;
    for (int i = 0; Main && i < Main->MDIChildCount(); ++i)
        out.push_back(Main->MDIChildren(i));
    return out;
}
}  // namespace

bool TbsFormFrame::IsMDIForm() const { return FForm->FormStyle() == fsMDIForm; }
bool TbsFormFrame::IsMDIChild() const { return FForm->FormStyle() == fsMDIChild; }

TbsFormFrame* TbsFormFrame::MainFrame() const
{
    TCustomForm* main = Application->MainForm();
    return main ? GetFormFrame(main) : nullptr;
}

std::string TbsFormFrame::CaptionText() const
{
    if (FMDIChildMaximized && IsMDIForm())
        if (TCustomForm* child = GetMaximizedMDIChild())
            return FForm->Caption() + " - [" + child->Caption() + "]";
    return FForm->Caption();
}

// ------------------------------------------------------------ geometry

TRect TbsFormFrame::GetMDIWorkArea() const
{
    TCustomForm* main = Application->MainForm();
    if (!main)
        return TRect{};
    TRect r{0, 0, main->ClientWidth(), main->ClientHeight()};
    for (int i = 0; i < main->ControlCount(); ++i) {
        TControl* c = main->Controls(i);
        if (!c->Visible())
            continue;
        switch (c->Align()) {
        case alLeft: r.Left = std::max(r.Left, c->Left() + c->Width()); break;
        case alTop: r.Top = std::max(r.Top, c->Top() + c->Height()); break;
        case alRight: r.Right = std::min(r.Right, c->Left()); break;
        case alBottom: r.Bottom = std::min(r.Bottom, c->Top()); break;
        default: break;
        }
    }
    return r;
}

TCustomForm* TbsFormFrame::GetMaximizedMDIChild() const
{
    TCustomForm* main = Application->MainForm();
    if (!main)
        return nullptr;
    // A hidden child keeps its state but owns neither the caption nor the buttons.
    auto maximized = [](TCustomForm* child) {
        TbsFormFrame* f = child->Visible() ? GetFormFrame(child) : nullptr;
        return f && f->WindowState() == wsMaximized;
    };
    if (TCustomForm* active = main->ActiveMDIChild(); active && maximized(active))
        return active;
    for (TCustomForm* child : ChildrenOf(main))
        if (maximized(child))
            return child;
    return nullptr;
}

void TbsFormFrame::RefreshMDIChildren()
{
    for (TCustomForm* child : ChildrenOf(FForm))
        if (child->HandleAllocated())
            SendMessage(child->Handle(), WM_MDICHILDMAX, 0, 0);
    ArrangeMinimizedChildren();
}

TPoint TbsFormFrame::GetMDIMinimizedPosition() const
{
    const TRect area = GetMDIWorkArea();
    const int mw = GetMinWidth(), mh = GetMinHeight();
    TCustomForm* main = Application->MainForm();
    auto taken = [&](int x, int y) {
        for (TCustomForm* f : ChildrenOf(main)) {
            if (f == FForm || !f->Visible())
                continue;
            TbsFormFrame* other = GetFormFrame(f);
            if (other && other->WindowState() == wsMinimized && f->Left() == x && f->Top() == y)
                return true;
        }
        return false;
    };
    int x = 0, y = area.Height() - mh;
    while (taken(x, y)) {
        x += mw;
        if (x + mw > area.Width()) {
            x = 0;
            y -= mh;
        }
        if (y < 0)
            return TPoint{0, area.Height() - mh};
    }
    return TPoint{x, y};
}

void TbsFormFrame::ArrangeMinimizedChildren()
{
    for (TCustomForm* child : ChildrenOf(FForm))
        if (TbsFormFrame* f = GetFormFrame(child); f && f->WindowState() == wsMinimized) {
            const TPoint p = f->GetMDIMinimizedPosition();
            child->SetBounds(p.X, p.Y, child->Width(), child->Height());
        }
}

// ------------------------------------------------------------ arrangements

void TbsFormFrame::MinimizeAll()
{
    if (!IsMDIForm())
        return;
    for (TCustomForm* child : ChildrenOf(FForm))
        if (TbsFormFrame* f = GetFormFrame(child))
            f->SetWindowState(wsMinimized);
}

void TbsFormFrame::MaximizeAll()
{
    if (!IsMDIForm())
        return;
    for (TCustomForm* child : ChildrenOf(FForm))
        if (TbsFormFrame* f = GetFormFrame(child))
            f->SetWindowState(wsMaximized);
}

void TbsFormFrame::RestoreAll()
{
    if (!IsMDIForm())
        return;
    for (TCustomForm* child : ChildrenOf(FForm))
        if (TbsFormFrame* f = GetFormFrame(child)) {
            if (f->WindowState() != wsNormal)
                f->SetWindowState(wsNormal);
            if (f->RollUpState() && f->WindowState() == wsNormal)
                f->SetRollUpState(false);
        }
}

void TbsFormFrame::CloseAll()
{
    if (!IsMDIForm())
        return;
    std::vector<TCustomForm*> children = ChildrenOf(FForm);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        (*it)->Close();
}

void TbsFormFrame::Tile()
{
    if (!IsMDIForm())
        return;
    RestoreAll();
    std::vector<TCustomForm*> children = ChildrenOf(FForm);
    const int n = int(children.size());
    int columns = int(std::trunc(std::sqrt(double(n))));
    if (columns < 1)
        return;
    int rows = n / columns;
    if (columns * rows < n)
        ++rows;
    const TRect area = GetMDIWorkArea();
    const int W = area.Width(), H = area.Height();
    const int tileW = W / columns;
    int tileH = H / rows;
    int xRight = W, yBottom = H, columnsLeft = columns;
    // From the last child to the first: columns fill from the right, each
    // from the bottom.
    for (int i = n - 1; i >= 0; --i) {
        children[size_t(i)]->SetBounds(std::max(xRight - tileW, 0), std::max(yBottom - tileH, 0), tileW, tileH);
        yBottom -= tileH;
        if (yBottom - tileH < 0) {
            yBottom = H;
            xRight -= tileW;
            columnsLeft = std::max(columnsLeft - 1, 1);
            rows = std::max((i + columnsLeft - 1) / columnsLeft, 1);   // i children still to place
            tileH = H / rows;
        }
    }
}

void TbsFormFrame::Cascade()
{
    if (!IsMDIForm())
        return;
    RestoreAll();
    std::vector<TCustomForm*> children = ChildrenOf(FForm);
    const int n = int(children.size());
    const TRect area = GetMDIWorkArea();
    const int W = area.Width(), H = area.Height();
    const int step = FSkinSupport ? NewClRect.Top : GetDefCaptionHeight() + 3;
    if (step <= 0 || n == 0)
        return;
    const int steps = (W - int(std::lround(W * 0.8))) / step;
    int cw, ch;
    if (steps > n) {
        cw = W - step * (n - 1);
        ch = H - step * (n - 1);
    } else {
        cw = W - step * steps;
        ch = H - step * steps;
    }
    cw = std::max(cw, GetMinWidth());
    ch = std::max(ch, GetMinHeight());
    int offset = 0;
    for (int i = n - 1; i >= 0; --i) {
        TCustomForm* child = children[size_t(i)];
        const int w = child->BorderStyle() == bsSingle ? child->Width() : cw;
        const int h = child->BorderStyle() == bsSingle ? child->Height() : ch;
        if (offset + w > W || offset + h > H)
            offset = 0;
        child->SetBounds(offset, offset, w, h);
        offset += step;
    }
}

// ------------------------------------------------------------ window menu and tab bar

void TbsFormFrame::AddChildToMenu(TCustomForm* Child)
{
    TCustomForm* main = Application->MainForm();
    if (!main || !main->WindowMenu())
        return;
    auto* item = new TMenuItem(this);
    item->SetName(Child->Name() + ChildItemSuffix);
    item->SetCaption(Child->Caption());
    item->OnClick = [this](TObject* Sender) { MDIItemClick(Sender); };
    main->WindowMenu()->Add(item);
}

void TbsFormFrame::DeleteChildFromMenu(TCustomForm* Child)
{
    TCustomForm* main = Application->MainForm();
    if (!main || !main->WindowMenu())
        return;
    TMenuItem* menu = main->WindowMenu();
    for (int i = 0; i < menu->Count(); ++i)
        if (TMenuItem* item = menu->Items(i); !ChildNameOfItem(item).empty() && ChildNameOfItem(item) == Child->Name()) {
            menu->Remove(item);
            delete item;
            break;
        }
    // The last child gone: a stray entry of ours goes with it.
    const bool none = main->MDIChildCount() == 0 || (main->MDIChildCount() == 1 && main->MDIChildren(0) == Child);
    if (none)
        for (int i = 0; i < menu->Count(); ++i)
            if (TMenuItem* item = menu->Items(i); item->Name().find(ChildItemSuffix) != std::string::npos) {
                menu->Remove(item);
                delete item;
                break;
            }
}

void TbsFormFrame::UpDateChildCaptionInMenu(TCustomForm* Child)
{
    TCustomForm* main = Application->MainForm();
    if (!main || !main->WindowMenu())
        return;
    for (int i = 0; i < main->WindowMenu()->Count(); ++i)
        if (TMenuItem* item = main->WindowMenu()->Items(i); ChildNameOfItem(item) == Child->Name())
            item->SetCaption(Child->Caption());
}

void TbsFormFrame::UpDateChildActiveInMenu()
{
    TCustomForm* main = Application->MainForm();
    if (!main || !main->WindowMenu())
        return;
    TCustomForm* active = main->ActiveMDIChild();
    for (int i = 0; i < main->WindowMenu()->Count(); ++i) {
        TMenuItem* item = main->WindowMenu()->Items(i);
        const std::string child = ChildNameOfItem(item);
        if (!child.empty())
            item->SetChecked(active && child == active->Name());
    }
}

void TbsFormFrame::MDIItemClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    TCustomForm* main = Application->MainForm();
    if (!item || !main)
        return;
    const std::string name = ChildNameOfItem(item);
    for (TCustomForm* child : ChildrenOf(main))
        if (child->Name() == name) {
            if (TbsFormFrame* f = GetFormFrame(child); f && f->WindowState() == wsMinimized)
                f->SetWindowState(wsNormal);
            child->Show();
        }
}

void TbsFormFrame::AddChildToBar(TCustomForm* Child)
{
    bool accept = true;
    if (OnAcceptToMDITabsBar)
        OnAcceptToMDITabsBar(accept);
    TbsFormFrame* main = MainFrame();
    if (accept && main && main->MDITabsBar())
        main->MDITabsBar()->AddTab(Child);
}

void TbsFormFrame::DeleteChildFromBar(TCustomForm* Child)
{
    TbsFormFrame* main = MainFrame();
    if (main && main->MDITabsBar())
        main->MDITabsBar()->DeleteTab(Child);
}

void TbsFormFrame::RefreshMDIBarTab(TCustomForm* Child)
{
    (void)Child;   // the bar draws every tab from its child's caption
    TbsFormFrame* main = MainFrame();
    if (main && main->MDITabsBar())
        main->MDITabsBar()->UpdateActiveTab();
}

void TbsFormFrame::UpdateMainMenuBarItems()
{
    TbsFormFrame* main = MainFrame();
    if (main && main->MainMenuBar())
        main->MainMenuBar()->UpdateChildMenu();
}

void TbsFormFrame::UpdateMDITabsBar()
{
    TbsFormFrame* main = MainFrame();
    if (main && main->MDITabsBar())
        main->MDITabsBar()->UpdateActiveTab();
}

// ------------------------------------------------------------ the client window

void TbsFormFrame::SubclassMDIClient()
{
    TMDIClient* client = FForm->MDIClient();
    if (!client || FMDIClientSubclassed)
        return;
    FPrevClientProc = client->WindowProc;
    client->WindowProc = [this](TMessage& m) { MDIClientWindowProc(m); };
    FMDIClientSubclassed = true;
}

void TbsFormFrame::MDIClientWindowProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_NCACTIVATE: Message.Result = 1; return;
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (!dc) {
            Message.Result = 1;
            return;
        }
        // The backgrounds are laid out at the form's client size, larger
        // than the client window: only the window's own part is drawn.
        TSavedDC saved(dc);
        dc->IntersectClipRect(FForm->MDIClient()->ClientRect());
        if (!FSD || FSD->Empty)
            PaintMDIBGDefault(dc);
        else if (FSD->MDIBGPictureIndex != -1)
            PaintBG3(dc);
        else if (FSD->BGPictureIndex == -1)
            PaintBG(dc);
        else
            PaintBG2(dc);
        Message.Result = 1;
        return;
    }
    case WM_SIZE: {
        FPrevClientProc(Message);
        const LRESULT kept = Message.Result;
        RefreshMDIChildren();
        const bool stretched =
            FSkinSupport && ((FSD->StretchEffect && FSD->MDIBGPictureIndex == -1) ||
                             (FSD->MDIBGStretchEffect && FSD->MDIBGPictureIndex != -1));
        if ((!FLogoBitMap.Empty() || stretched) && FForm->MDIClient()->HandleAllocated())
            InvalidateRect(FForm->MDIClient()->Handle(), nullptr, true);
        Message.Result = kept;
        return;
    }
    default: FPrevClientProc(Message); return;
    }
}

// ------------------------------------------------------------ messages

void TbsFormFrame::MDIChildRestored()
{
    if (FForm->ComponentState().Contains(csDestroying) || !IsMDIForm())
        return;
    if (!GetMaximizedMDIChild())
        FMDIChildMaximized = false;
    RepaintFrame();
    if (FMainMenuBar)
        FMainMenuBar->MDIChildRestore();
}

// The private MDI messages of the form window procedure; none is handled
// here for good: the saved procedure sees each as well.
bool TbsFormFrame::HandleMDIMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MDICHILDMAX:
        if (IsMDIChild() && FWindowState == wsMaximized) {
            const TRect area = GetMDIWorkArea();
            FForm->SetBounds(0, 0, area.Width(), area.Height());
        }
        return false;
    case WM_MDICHILDMAXIMIZED:
        if (IsMDIForm()) {
            FMDIChildMaximized = true;
            RepaintFrame();
            if (FMainMenuBar)
                FMainMenuBar->MDIChildMaximize();
        }
        return false;
    case WM_MDICHILDRESTORED:
        MDIChildRestored();
        return false;
    default: return false;
    }
}
