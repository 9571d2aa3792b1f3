#pragma once
#include <string>
#include <vector>

#include "app/presets/ComboModels.h"

class TbsSkinCustomComboBox;

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

// A category or format list shown by a skinned combo box, one line per item
// (the format's title, or the category's caption when it has no title). The
// combo's OnClick, raised on every assignment and on every pick in its list,
// is the face's OnChange.
class TSkinPresetListCombo : public TPresetListComboModel {
public:
    explicit TSkinPresetListCombo(TbsSkinCustomComboBox& ACombo);
    ~TSkinPresetListCombo() override;

    void ClearItems() override;
    void AddItem(const TPresetListItem& AItem) override;
    int ItemCount() const override { return int(FItems.size()); }
    TPresetListItem Item(int AIndex) const override;
    int ItemIndex() const override;
    void SetItemIndex(int AIndex) override;
    bool Enabled() const override;
    void SetEnabled(bool AEnabled) override;

private:
    TbsSkinCustomComboBox& FCombo;
    std::vector<TPresetListItem> FItems;
};
