#include "skin/dialogs/DialogFilterBox.h"

#include "platform/core/SysUtils.h"

TbsDialogFilterBox::TbsDialogFilterBox(TComponent* AOwner) : TbsSkinCustomComboBox(AOwner)
{
    BuildFilterItems();
}

void TbsDialogFilterBox::SetFilter(const std::string& Value)
{
    if (SameText(Value, FFilter))
        return;
    FFilter = Value;
    BuildFilterItems();
    Change();
}

void TbsDialogFilterBox::BuildFilterItems()
{
    Items().Clear();
    FMasks.clear();
    std::string s = FFilter;
    // A trailing description without its mask is dropped.
    for (size_t bar = s.find('|'); bar != std::string::npos; bar = s.find('|')) {
        const std::string description = s.substr(0, bar);
        s.erase(0, bar + 1);
        const size_t next = s.find('|');
        FMasks.push_back(s.substr(0, next));
        s = next == std::string::npos ? std::string() : s.substr(next + 1);
        Items().Add(description);
    }
}

std::string TbsDialogFilterBox::Mask()
{
    if (ItemIndex() < 0 && Items().Count() > 0)
        SetItemIndex(Items().Count() - 1);
    const int index = ItemIndex();
    return index >= 0 && index < int(FMasks.size()) ? FMasks[size_t(index)] : "*.*";
}
