#pragma once
#include <string>
#include <vector>
#include "skin/boxes/SkinComboBox.h"

class TbsSkinFileListBox;

// The file-type box of the file dialogs: a filter text "description|mask|
// description|mask..." becomes the list of descriptions, and the chosen
// one's mask goes to a linked file box.
class TbsSkinFilterComboBox : public TbsSkinComboBox {
public:
    explicit TbsSkinFilterComboBox(TComponent* AOwner);
    ~TbsSkinFilterComboBox() override;

    const std::string& Filter() const { return FFilter; }
    // A text differing only in letter case changes nothing.
    void SetFilter(const std::string& Value);
    TbsSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TbsSkinFileListBox* Value);
    // The chosen item's mask; with none chosen the last item is chosen first;
    // "*.*" for an empty list.
    std::string Mask();
    // The masks, index for index with the items.
    const std::vector<std::string>& MaskList() const { return FMaskList; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWnd() override;
    void Change() override;

private:
    void BuildFilterItems();

    std::string FFilter;
    TbsSkinFileListBox* FFileList = nullptr;   // not owned: cleared on removal
    std::vector<std::string> FMaskList;
};

// The descriptions and masks of a filter text; a trailing description
// without a mask is dropped.
void ParseFilter(const std::string& Filter, std::vector<std::string>& Descriptions, std::vector<std::string>& Masks);

// The filter the box starts with.
extern const char* const AllFilesFilter;
