#pragma once
#include <string>
#include <vector>

#include "app/presets/ComboModels.h"

class TbsSkinCustomComboBox;
class TbsSkinCustomOfficeComboBox;

// The combo faces of the preset cascade over skinned combo boxes. The faces own
// the combos' OnChange and OnClick while they live.

// An option combo of fixed style: the combo's OnChange (raised only when the
// shown text changes) is the face's OnChange.
class TSkinOptionCombo : public TOptionComboModel {
public:
    explicit TSkinOptionCombo(TbsSkinCustomComboBox& ACombo);
    ~TSkinOptionCombo() override;

    void ClearItems() override;
    void AddItem(const std::string& AText) override;
    int ItemCount() const override;
    std::string Item(int AIndex) const override;
    int ItemIndex() const override;
    void SetItemIndex(int AIndex) override;
    std::string Text() const override;
    bool Enabled() const override;
    void SetEnabled(bool AEnabled) override;

private:
    TbsSkinCustomComboBox& FCombo;
};

// A category or format list shown by an office combo box. The combo's
// OnChange, raised on every assignment and on every accepted row, is the
// face's OnChange.
class TSkinPresetListCombo : public TPresetListComboModel {
public:
    explicit TSkinPresetListCombo(TbsSkinCustomOfficeComboBox& ACombo);
    ~TSkinPresetListCombo() override;

    void ClearItems() override;
    void AddItem(const TPresetListItem& AItem) override;
    int ItemCount() const override;
    TPresetListItem Item(int AIndex) const override;
    int ItemIndex() const override;
    // An index past the items chooses none (the combo would refuse it).
    void SetItemIndex(int AIndex) override;
    bool Enabled() const override;
    void SetEnabled(bool AEnabled) override;

private:
    TbsSkinCustomOfficeComboBox& FCombo;
};
