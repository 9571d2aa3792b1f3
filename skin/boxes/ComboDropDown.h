#pragma once
#include <cstdint>
#include "skin/boxes/PopupFade.h"
#include "skin/boxes/SkinListBox.h"

class TbsSkinCustomComboBox;

// The combo box's drop-down list: the skinned list box as a top-level
// popup that never takes the activation from the form, optionally
// translucent and faded in.
class TbsPopupListBox : public TbsSkinListBox {
public:
    explicit TbsPopupListBox(TbsSkinCustomComboBox* AOwner);
    ~TbsPopupListBox() override;

    // From code, no event; the selected row is kept in view.
    void SetItemIndex(int Value);
    bool HasScrollBar() const { return ScrollBar() != nullptr; }

    // Shows the list at a screen point, without activation.
    void Show(TPoint Origin);
    void Hide();
    // Steps taken by the last fade-in.
    int FadeSteps() const { return FFade.Steps(); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

private:
    TbsSkinCustomComboBox* FCombo;
    bool FOldAlphaBlend = false;
    std::uint8_t FOldAlphaBlendValue = 0;
    // Timer 1 is the caption buttons' repeat.
    TbsPopupFade FFade{2};
};
