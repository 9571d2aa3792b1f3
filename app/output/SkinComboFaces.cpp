#include "app/output/SkinComboFaces.h"

#include "skin/boxes/SkinComboBox.h"

TSkinOptionCombo::TSkinOptionCombo(TbsSkinCustomComboBox& ACombo) : FCombo(ACombo) {
    FCombo.OnChange = [this](TObject*) {
        if (OnChange)
            OnChange();
    };
}

TSkinOptionCombo::~TSkinOptionCombo() {
    FCombo.OnChange = nullptr;
}

void TSkinOptionCombo::ClearItems() {
    FCombo.Items().Clear();  // the shown text stays, as the cascade expects
}

void TSkinOptionCombo::AddItem(const std::string& AText) {
    FCombo.Items().Add(AText);
}

int TSkinOptionCombo::ItemCount() const {
    return FCombo.Items().Count();
}

std::string TSkinOptionCombo::Item(int AIndex) const {
    return AIndex >= 0 && AIndex < ItemCount() ? FCombo.Items()[AIndex] : std::string();
}

int TSkinOptionCombo::ItemIndex() const {
    return FCombo.ItemIndex();
}

void TSkinOptionCombo::SetItemIndex(int AIndex) {
    FCombo.SetItemIndex(AIndex);
}

std::string TSkinOptionCombo::Text() const {
    return FCombo.Text();
}

bool TSkinOptionCombo::Enabled() const {
    return FCombo.Enabled();
}

void TSkinOptionCombo::SetEnabled(bool AEnabled) {
    FCombo.SetEnabled(AEnabled);
}

TSkinPresetListCombo::TSkinPresetListCombo(TbsSkinCustomComboBox& ACombo) : FCombo(ACombo) {
    FCombo.OnClick = [this](TObject*) {
        if (OnChange)
            OnChange();
    };
}

TSkinPresetListCombo::~TSkinPresetListCombo() {
    FCombo.OnClick = nullptr;
}

void TSkinPresetListCombo::ClearItems() {
    FItems.clear();
    FCombo.Items().Clear();
}

void TSkinPresetListCombo::AddItem(const TPresetListItem& AItem) {
    FItems.push_back(AItem);
    FCombo.Items().Add(AItem.Title.empty() ? AItem.Caption : AItem.Title);
}

TPresetListItem TSkinPresetListCombo::Item(int AIndex) const {
    return AIndex >= 0 && AIndex < ItemCount() ? FItems[size_t(AIndex)] : TPresetListItem{};
}

int TSkinPresetListCombo::ItemIndex() const {
    return FCombo.ItemIndex();
}

void TSkinPresetListCombo::SetItemIndex(int AIndex) {
    FCombo.SetItemIndex(AIndex);  // raises OnClick, so OnChange, every time
}

bool TSkinPresetListCombo::Enabled() const {
    return FCombo.Enabled();
}

void TSkinPresetListCombo::SetEnabled(bool AEnabled) {
    FCombo.SetEnabled(AEnabled);
}
