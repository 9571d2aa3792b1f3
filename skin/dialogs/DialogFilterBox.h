#pragma once
#include <string>
#include <vector>

#include "skin/boxes/SkinComboBox.h"

// The file-type box of the open/save dialogs: a filter text of
// description|mask pairs as items, answering the mask of the chosen one.
// A stand-in of this dialog family until the shared filter box exists.
class TbsDialogFilterBox : public TbsSkinCustomComboBox {
public:
    explicit TbsDialogFilterBox(TComponent* AOwner);

    const std::string& Filter() const { return FFilter; }
    // A text that differs only in letter case changes nothing.
    void SetFilter(const std::string& Value);
    // The mask of the chosen item; with none chosen, the last item is chosen
    // first; "*.*" for an empty list.
    std::string Mask();

private:
    void BuildFilterItems();

    std::string FFilter = "All files (*.*)|*.*";
    std::vector<std::string> FMasks;
};
