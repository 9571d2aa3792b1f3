#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Object.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// An item of a collection; it knows its collection and its index there, and
// leaves the collection when it is destroyed.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* value);
    int Index() const;
    void SetIndex(int value);
    int ID() const { return FID; }
    virtual std::string DisplayName() const;

protected:
    // Tells the collection that this item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// An owned, ordered list of items made by a factory. Changes are announced
// through the virtual Update: with the changed item, or nullptr when the
// whole collection changed; nothing while an update is in progress, and once
// when the last EndUpdate comes.
class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    explicit TCollection(TItemFactory factory, TPersistent* owner = nullptr);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* FindItemID(int id) const;
    TPersistent* Owner() const { return FOwner; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Copies the items of another collection through each item's Assign.
    void Assign(const TPersistent* Source) override;

    // Raised from the default Update.
    std::function<void(TCollection* Sender, TCollectionItem* Item)> OnUpdate;

protected:
    void Changed();
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    TItemFactory FFactory;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
};

// A collection of one item class, with typed access.
template <class TItem>
class TTypedCollection : public TCollection {
public:
    explicit TTypedCollection(TPersistent* owner = nullptr)
        : TCollection([](TCollection* c) -> TCollectionItem* { return new TItem(c); }, owner) {}
    TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
    TItem* Insert(int index) { return static_cast<TItem*>(TCollection::Insert(index)); }
    TItem* Items(int index) const { return static_cast<TItem*>(TCollection::Items(index)); }
};
