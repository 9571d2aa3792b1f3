#include "skin/dialogs/FilterComboBox.h"
#include "platform/core/SysUtils.h"
#include "skin/dialogs/FileBoxes.h"

const char* const AllFilesFilter = "All files (*.*)|*.*";

void ParseFilter(const std::string& Filter, std::vector<std::string>& Descriptions, std::vector<std::string>& Masks)
{
    Descriptions.clear();
    Masks.clear();
    std::string s = Filter;
    size_t bar;
    while ((bar = s.find('|')) != std::string::npos) {
        Descriptions.push_back(s.substr(0, bar));
        s.erase(0, bar + 1);
        const size_t next = s.find('|');
        if (next == std::string::npos) {
            Masks.push_back(s);
            s.clear();
        } else {
            Masks.push_back(s.substr(0, next));
            s.erase(0, next + 1);
        }
    }
}

TbsSkinFilterComboBox::TbsSkinFilterComboBox(TComponent* AOwner) : TbsSkinComboBox(AOwner), FFilter(AllFilesFilter) {}

TbsSkinFilterComboBox::~TbsSkinFilterComboBox() { SetFileList(nullptr); }

void TbsSkinFilterComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFileList)
        FFileList = nullptr;
}

void TbsSkinFilterComboBox::SetFilter(const std::string& Value)
{
    if (SameText(Value, FFilter))
        return;
    FFilter = Value;
    if (HandleAllocated())
        BuildFilterItems();
    Change();
}

void TbsSkinFilterComboBox::SetFileList(TbsSkinFileListBox* Value)
{
    if (FFileList) {
        FFileList->SetFilterCombo(nullptr);
        FFileList->RemoveFreeNotification(this);
    }
    FFileList = Value;
    if (FFileList) {
        FFileList->FreeNotification(this);
        FFileList->SetFilterCombo(this);
    }
}

std::string TbsSkinFilterComboBox::Mask()
{
    if (ItemIndex() == -1 && Items().Count() > 0)
        SetItemIndex(Items().Count() - 1);
    const int i = ItemIndex();
    return i >= 0 && i < int(FMaskList.size()) ? FMaskList[size_t(i)] : std::string("*.*");
}

void TbsSkinFilterComboBox::CreateWnd()
{
    TbsSkinComboBox::CreateWnd();
    BuildFilterItems();
}

void TbsSkinFilterComboBox::Change()
{
    if (FFileList)
        FFileList->SetMask(Mask());
    TbsSkinComboBox::Change();
}

void TbsSkinFilterComboBox::BuildFilterItems()
{
    std::vector<std::string> descriptions;
    ParseFilter(FFilter, descriptions, FMaskList);
    Items().BeginUpdate();
    Items().Clear();
    for (const std::string& d : descriptions)
        Items().Add(d);
    Items().EndUpdate();
    SetItemIndex(0);
}
