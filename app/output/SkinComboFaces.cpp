#include "app/output/SkinComboFaces.h"

#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinOfficeComboBox.h"

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

TSkinPresetListCombo::TSkinPresetListCombo(TbsSkinCustomOfficeComboBox& ACombo) : FCombo(ACombo) {
    FCombo.OnChange = [this](TObject*) {
        if (OnChange)
            OnChange();
    };
}

TSkinPresetListCombo::~TSkinPresetListCombo() {
    FCombo.OnChange = nullptr;
}

void TSkinPresetListCombo::ClearItems() {
    FCombo.Items().Clear();
}

void TSkinPresetListCombo::AddItem(const TPresetListItem& AItem) {
    TbsSkinOfficeItem* item = FCombo.Items().Add();
    item->SetTitle(AItem.Title);
    item->SetCaption(AItem.Caption);
    item->SetImageIndex(AItem.ImageIndex);
}

int TSkinPresetListCombo::ItemCount() const {
    return FCombo.Items().Count();
}

TPresetListItem TSkinPresetListCombo::Item(int AIndex) const {
    if (AIndex < 0 || AIndex >= ItemCount())
        return {};
    const TbsSkinOfficeItem* item = FCombo.Items().Items(AIndex);
    return {item->Title(), item->Caption(), item->ImageIndex()};
}

int TSkinPresetListCombo::ItemIndex() const {
    return FCombo.ItemIndex();
}

void TSkinPresetListCombo::SetItemIndex(int AIndex) {
    FCombo.SetItemIndex(AIndex < ItemCount() ? AIndex : -1);  // raises OnChange every time
}

bool TSkinPresetListCombo::Enabled() const {
    return FCombo.Enabled();
}

void TSkinPresetListCombo::SetEnabled(bool AEnabled) {
    FCombo.SetEnabled(AEnabled);
}
