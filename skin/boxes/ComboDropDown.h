#pragma once
#include <cstdint>
#include <string>
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/ListBox.h"
#include "skin/boxes/PopupFade.h"

class TbsSkinData;
class TbsSkinCustomComboBox;

// The combo box's drop-down list: a top-level popup that never takes the
// activation from the form, optionally translucent and faded in. It shows
// the items in an inner list box filling it inside a 1-pixel frame.
class TbsPopupListBox : public TCustomControl {
public:
    explicit TbsPopupListBox(TbsSkinCustomComboBox* AOwner);
    ~TbsPopupListBox() override;

    TListBox* ListBox() const { return FListBox; }
    TStrings& Items() { return FListBox->Items(); }
    int ItemIndex() { return FListBox->ItemIndex(); }
    // From code: no event.
    void SetItemIndex(int Value);
    int TopIndex() { return FListBox->TopIndex(); }
    void SetTopIndex(int Value) { FListBox->SetTopIndex(Value); }
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool Value) { FListBox->SetSorted(Value); }
    int ItemHeight() { return FListBox->ItemHeight(); }
    // Rows shown; the height follows.
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int CalcHeight(int Rows);
    // The item at a point of the inner list, -1 outside the existing items.
    int ItemAtPos(TPoint P) { return FListBox->ItemAtPos(P, true); }
    // Whether the list has more items than rows, so it scrolls.
    bool HasScrollBar() { return Items().Count() > FRowCount; }

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value) { FSD = Value; }
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }

    // Shows the list at a screen point, without activation.
    void Show(TPoint Origin);
    void Hide();
    // Steps taken by the last fade-in.
    int FadeSteps() const { return FFade.Steps(); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Resize() override;
    void Paint() override;

private:

    TbsSkinCustomComboBox* FCombo;
    TListBox* FListBox;
    int FRowCount = 8;
    TbsSkinData* FSD = nullptr;
    std::string FSkinDataName;
    bool FOldAlphaBlend = false;
    std::uint8_t FOldAlphaBlendValue = 0;
    TbsPopupFade FFade{1};
};
