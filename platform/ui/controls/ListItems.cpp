#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/ui/controls/ListView.h"

// ----------------------------------------------------------------- columns

void TListColumn::Changed()
{
    FOwner->ColumnsChanged();
}

void TListColumn::SetCaption(const std::string& v)
{
    FCaption = v;
    Changed();
}

void TListColumn::SetWidth(int v)
{
    v = std::max(0, v);
    if (v == FWidth)
        return;
    FWidth = v;
    FOwner->ColumnWidthChanged(Index());
}

void TListColumn::SetAlignment(TAlignment v)
{
    FAlignment = v;
    Changed();
}

void TListColumn::SetPathEllipsis(bool v)
{
    FPathEllipsis = v;
    Changed();
}

void TListColumn::SetImageIndex(int v)
{
    FImageIndex = v;
    Changed();
}

int TListColumn::Index() const
{
    return FOwner->Columns().IndexOf(this);
}

TListColumn* TListColumns::Add()
{
    FItems.push_back(std::unique_ptr<TListColumn>(new TListColumn(FOwner)));
    FOwner->ColumnsChanged();
    return FItems.back().get();
}

TListColumn* TListColumns::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[size_t(index)].get();
}

void TListColumns::Delete(int index)
{
    Items(index);
    FItems.erase(FItems.begin() + index);
    FOwner->ColumnsChanged();
}

void TListColumns::Clear()
{
    FItems.clear();
    FOwner->ColumnsChanged();
}

void TListColumns::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        FOwner->ColumnsChanged();
}

int TListColumns::IndexOf(const TListColumn* c) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == c)
            return int(i);
    return -1;
}

// ------------------------------------------------------------------- items

TListItem::TListItem(TCustomListView* owner) : FOwner(owner), FStateIndex(owner->Checkboxes() ? 0 : -1)
{
    FSubItems.OnChange = [this](TObject*) {
        if (FOwnerDataIndex < 0)
            Update();
    };
}

TListItem::~TListItem()
{
    FSubItems.OnChange = nullptr;
}

int TListItem::Index() const
{
    return FOwnerDataIndex >= 0 ? FOwnerDataIndex : FOwner->Items().IndexOf(this);
}

void TListItem::SetCaption(const std::string& v)
{
    if (v == FCaption)
        return;
    FCaption = v;
    if (FOwnerDataIndex < 0)
        FOwner->ItemChanged(Index(), ctText);
}

void TListItem::SetStateIndex(int v)
{
    if (v == FStateIndex)
        return;
    FStateIndex = v;
    if (FOwnerDataIndex < 0)
        FOwner->ItemChanged(Index(), ctState);
}

void TListItem::SetImageIndex(int v)
{
    if (v == FImageIndex)
        return;
    FImageIndex = v;
    if (FOwnerDataIndex < 0)
        FOwner->ItemChanged(Index(), ctImage);
}

bool TListItem::Selected() const
{
    int i = Index();
    return i >= 0 && (FOwner->ItemState(i) & LVIS_SELECTED);
}

void TListItem::SetSelected(bool v)
{
    int i = Index();
    if (i >= 0)
        FOwner->SetItemState(i, v ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool TListItem::Focused() const
{
    int i = Index();
    return i >= 0 && (FOwner->ItemState(i) & LVIS_FOCUSED);
}

void TListItem::SetFocused(bool v)
{
    int i = Index();
    if (i >= 0)
        FOwner->SetItemState(i, v ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
}

TRect TListItem::DisplayRect(TDisplayCode code) const
{
    int i = Index();
    return i >= 0 ? FOwner->ItemPartRect(i, code) : TRect{};
}

bool TListItem::EditCaption()
{
    int i = Index();
    return i >= 0 && FOwner->Perform(LVM_EDITLABEL, WPARAM(i)) != 0;
}

void TListItem::MakeVisible(bool partialOK)
{
    int i = Index();
    if (i >= 0)
        FOwner->Perform(LVM_ENSUREVISIBLE, WPARAM(i), partialOK ? 1 : 0);
}

void TListItem::Update()
{
    int i = Index();
    if (i >= 0)
        FOwner->Perform(LVM_REDRAWITEMS, WPARAM(i), LPARAM(i));
}

void TListItem::Delete()
{
    int i = Index();
    if (i >= 0 && FOwnerDataIndex < 0)
        FOwner->Items().Delete(i);
}

TListItems::~TListItems() = default;

int TListItems::Count() const
{
    return FOwner->ItemCount();
}

void TListItems::SetCount(int n)
{
    FOwner->Perform(LVM_SETITEMCOUNT, WPARAM(std::max(0, n)));
}

TListItem* TListItems::Add()
{
    return Insert(int(FItems.size()));
}

TListItem* TListItems::Insert(int index)
{
    if (FOwner->OwnerData())
        throw EInvalidOperation("Cannot add items to a list view in owner-data mode");
    index = std::clamp(index, 0, int(FItems.size()));
    FItems.insert(FItems.begin() + index, std::unique_ptr<TListItem>(new TListItem(FOwner)));
    FOwner->ItemsInserted(index, 1);
    return FItems[size_t(index)].get();
}

TListItem* TListItems::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FOwner->ItemAt(index);
}

void TListItems::Delete(int index)
{
    Item(index);
    FOwner->Perform(LVM_DELETEITEM, WPARAM(index));
}

void TListItems::Clear()
{
    FOwner->Perform(LVM_DELETEALLITEMS);
}

void TListItems::BeginUpdate()
{
    ++FUpdateCount;
    ++FOwner->FUpdateCount;
}

void TListItems::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    --FUpdateCount;
    if (--FOwner->FUpdateCount == 0) {
        FOwner->UpdateScrollState();
        FOwner->Invalidate();
    }
}

int TListItems::IndexOf(const TListItem* item) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == item)
            return int(i);
    return -1;
}
