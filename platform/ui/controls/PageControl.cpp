#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/TabControl.h"

// -------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle.Include(csAcceptsControls);
    FVisible = false;
    SetParentColor(false);
    FColor = clBtnFace;
    SetAlign(alClient);
}

TTabSheet::~TTabSheet()
{
    Destroying();
    SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* v)
{
    if (v == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemovePage(this);
    if (v)
        v->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    const auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int v)
{
    if (!FPageControl)
        return;
    auto& pages = FPageControl->FPages;
    pages.erase(std::find(pages.begin(), pages.end(), this));
    pages.insert(pages.begin() + std::clamp(v, 0, int(pages.size())), this);
    FPageControl->UpdateTabs();
}

void TTabSheet::SetTabVisible(bool v)
{
    if (v == FTabVisible)
        return;
    FTabVisible = v;
    if (!FPageControl)
        return;
    TPageControl* pc = FPageControl;
    if (!v && pc->ActivePage() == this) {
        TTabSheet* next = pc->FindNextPage(this, true, true);
        pc->SetActivePage(next != this ? next : nullptr);
    }
    pc->UpdateTabs();
}

void TTabSheet::SetImageIndex(int v)
{
    FImageIndex = v;
    if (FPageControl)
        FPageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible)
        return -1;
    int index = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this)
            return index;
        if (p->FTabVisible)
            ++index;
    }
    return -1;
}

void TTabSheet::WndProc(TMessage& m)
{
    TCustomControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED && FPageControl)
        FPageControl->UpdateTabs();
}

void TTabSheet::Paint()
{
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(ClientRect());
}

// ------------------------------------------------------------ TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner)
{
}

TPageControl::~TPageControl()
{
    Destroying();
    for (TTabSheet* p : FPages)
        p->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        throw EListError("Page index out of bounds (" + std::to_string(index) + ")");
    return FPages[size_t(index)];
}

void TPageControl::InsertPage(TTabSheet* page)
{
    FPages.push_back(page);
    page->FPageControl = this;
    if (page->Parent() != this)
        page->SetParent(this);
    UpdateTabs();
    if (!FActivePage && page->TabVisible())
        SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end())
        return;
    TTabSheet* next = FActivePage == page ? FindNextPage(page, true, true) : FActivePage;
    if (next == page)
        next = nullptr;
    FPages.erase(it);
    page->FPageControl = nullptr;
    if (FActivePage == page) {
        FActivePage = nullptr;
        page->SetVisible(false);
    }
    if (ComponentState().Contains(csDestroying))
        return;
    UpdateTabs();
    SetActivePage(next);
}

void TPageControl::UpdateTabs()
{
    std::vector<std::string> captions;
    for (TTabSheet* p : FPages)
        if (p->TabVisible())
            captions.push_back(p->Caption());
    SetTabItems(captions);
    Perform(TCM_SETCURSEL, WPARAM(FActivePage ? FActivePage->TabIndex() : -1));
}

TTabSheet* TPageControl::PageForTab(int tabIndex) const
{
    for (TTabSheet* p : FPages)
        if (p->TabVisible() && tabIndex-- == 0)
            return p;
    return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->FPageControl != this)
        return;
    if (page == FActivePage) {
        Perform(TCM_SETCURSEL, WPARAM(page ? page->TabIndex() : -1));
        return;
    }
    TTabSheet* old = FActivePage;
    FActivePage = page;
    if (page) {
        page->SetVisible(true);
        page->BringToFront();
    }
    if (old)
        old->SetVisible(false);
    Perform(TCM_SETCURSEL, WPARAM(page ? page->TabIndex() : -1));
}

int TPageControl::ActivePageIndex() const
{
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const
{
    int n = PageCount();
    if (n == 0)
        return nullptr;
    int start = current ? current->PageIndex() : -1;
    if (start < 0 || start >= n)
        start = goForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TTabSheet* p = FPages[size_t(i)];
        if (!checkTabVisible || p->TabVisible())
            return p;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible)
{
    TTabSheet* next = FindNextPage(FActivePage, goForward, checkTabVisible);
    if (next && next != FActivePage && CanChange()) {
        SetActivePage(next);
        TCustomTabControl::Change();
    }
}

void TPageControl::Change()
{
    SetActivePage(PageForTab(TabIndex()));
    TCustomTabControl::Change();
}

int TPageControl::GetImageIndex(int TabIndex)
{
    TTabSheet* p = PageForTab(TabIndex);
    int index = p ? p->ImageIndex() : -1;
    if (OnGetImageIndex)
        OnGetImageIndex(this, TabIndex, index);
    return index;
}

void TPageControl::WndProc(TMessage& m)
{
    if (m.Msg == CM_DIALOGKEY && m.WParam == WPARAM(VK_TAB) && (GetKeyState(VK_CONTROL) & 0x8000)) {
        TWinControl* focused = TWinControl::FindControl(GetFocus());
        if (focused && (focused == this || ContainsControl(focused))) {
            SelectNextPage(!(GetKeyState(VK_SHIFT) & 0x8000));
            m.Result = 1;
            return;
        }
    }
    TCustomTabControl::WndProc(m);
}
