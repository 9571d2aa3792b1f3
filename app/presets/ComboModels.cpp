#include "app/presets/ComboModels.h"

#include "platform/core/Exception.h"

void TMemoryOptionCombo::ClearItems()
{
    FItems.clear();
    FItemIndex = -1;
}

void TMemoryOptionCombo::AddItem(const std::string& text)
{
    FItems.push_back(text);
}

std::string TMemoryOptionCombo::Item(int index) const
{
    if (index < 0 || index >= ItemCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[index];
}

void TMemoryOptionCombo::SetItemIndex(int index)
{
    FItemIndex = index >= 0 && index < ItemCount() ? index : -1;
    if (FItemIndex < 0 || FItems[FItemIndex] == FText)
        return;
    FText = FItems[FItemIndex];
    if (OnRaise)
        OnRaise(FName);
    if (OnChange)
        OnChange();
}

void TMemoryPresetListCombo::ClearItems()
{
    FItems.clear();
    FItemIndex = -1;
}

TPresetListItem TMemoryPresetListCombo::Item(int index) const
{
    if (index < 0 || index >= ItemCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[index];
}

void TMemoryPresetListCombo::SetItemIndex(int index)
{
    FItemIndex = index;
    if (OnChange)
        OnChange();
}
