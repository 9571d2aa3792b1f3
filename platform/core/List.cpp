#include "platform/core/List.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

void TList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
}

void* TList::Items(int index) const {
    CheckIndex(index);
    return FItems[index];
}

void TList::SetItems(int index, void* item) {
    CheckIndex(index);
    FItems[index] = item;
}

int TList::Add(void* item) {
    FItems.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
    const int i = IndexOf(item);
    if (i >= 0)
        Delete(i);
    return i;
}

void* TList::Extract(void* item) {
    return Remove(item) >= 0 ? item : nullptr;
}

int TList::IndexOf(void* item) const {
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FItems[index1], FItems[index2]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    void* item = FItems[curIndex];
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, item);
}

void TList::Pack() {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end());
}

void TList::Sort(TListSortCompare compare) {
    std::stable_sort(FItems.begin(), FItems.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
}
