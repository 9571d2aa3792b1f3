#pragma once
#include <vector>

#include "platform/core/Object.h"

using TListSortCompare = int (*)(void* Item1, void* Item2);

// A list of untyped pointers; indexes out of bounds raise EListError.
class TList : public TObject {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void* Items(int index) const;
    void SetItems(int index, void* item);
    void* operator[](int index) const { return Items(index); }

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    int Remove(void* item);       // index it had, or -1
    void* Extract(void* item);    // removes without freeing, returns item or nullptr
    int IndexOf(void* item) const;
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    void Pack();                  // drops null entries
    void Clear() { FItems.clear(); }
    // Stable sort by compare (negative: Item1 before Item2).
    void Sort(TListSortCompare compare);

    const std::vector<void*>& List() const { return FItems; }

private:
    void CheckIndex(int index) const;
    std::vector<void*> FItems;
};
