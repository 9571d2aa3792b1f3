#include "platform/core/Collection.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

TCollectionItem::TCollectionItem(TCollection* collection) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* value) {
    if (value == FCollection)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (value)
        value->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int value) {
    const int current = Index();
    if (current < 0 || value == current)
        return;
    auto& items = FCollection->FItems;
    if (value < 0 || value >= static_cast<int>(items.size()))
        throw EListError(Format("List index out of bounds (%d)", value));
    items.erase(items.begin() + current);
    items.insert(items.begin() + value, this);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const {
    return ClassName();
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(allItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory factory, TPersistent* owner) : FFactory(std::move(factory)), FOwner(owner) {}

TCollection::~TCollection() {
    FUpdateCount = 1;  // no announcements while tearing down
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = FFactory(this);
    if (item->FCollection != this)
        item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    BeginUpdate();
    TCollectionItem* item = Add();
    item->SetIndex(index);
    EndUpdate();
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty()) {
        Notify(FItems.back(), cnDeleting);
        delete FItems.back();
    }
    EndUpdate();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FItems[index];
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Assign(const TPersistent* Source) {
    if (const auto* source = dynamic_cast<const TCollection*>(Source)) {
        if (source == this)
            return;
        BeginUpdate();
        Clear();
        for (TCollectionItem* item : source->FItems)
            Add()->Assign(item);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TCollection::Changed() {
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::Update(TCollectionItem* item) {
    if (OnUpdate)
        OnUpdate(this, item);
}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::InsertItem(TCollectionItem* item) {
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    Notify(item, cnExtracting);
    FItems.erase(it);
    item->FCollection = nullptr;
    Changed();
}
