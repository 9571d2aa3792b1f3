#include "skin/dialogs/SkinPicker.h"
#include <algorithm>
#include "platform/ui/forms/Application.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinList.h"
#include "skin/frame/FormFrame.h"

namespace {

constexpr int ClientW = 420;
constexpr int ClientH = 240;

}  // namespace

// ------------------------------------------------------ TbsSelectSkinDlgForm

TbsSelectSkinDlgForm::TbsSelectSkinDlgForm(TComponent* AOwner, TbsCompressedSkinList* ASkinList, int ASkinIndex,
                                           TbsSkinData* ACtrlSkinData)
    : TForm(AOwner, TFormCreation::New), FCSkinList(ASkinList), FCSkinIndex(ASkinIndex)
{
    Build(ACtrlSkinData);
    if (FCSkinList) {
        for (int i = 0; i < FCSkinList->Skins()->Count(); ++i) {
            const TbsSkinListItem* item = FCSkinList->Skins()->Items(i);
            SkinsListBox->Items().Add(item->Description().empty() ? item->Name() : item->Description());
        }
    }
    SkinsListBox->SetItemIndex(ASkinIndex);
    PreviewSkinData->SetSkinIndex(ASkinIndex);
    PreviewSkinData->SetSkinList(FCSkinList);
    PreviewForm->SetBounds(190, 10, PreviewForm->Width(), PreviewForm->Height());
    PreviewForm->SetVisible(true);
    SetActiveControl(SkinsListBox->ListBox);
}

TbsSelectSkinDlgForm::TbsSelectSkinDlgForm(TComponent* AOwner, TComponent* AForm,
                                           TbsCompressedStoredSkin* ADefaultSkin, TbsSkinData* ACtrlSkinData)
    : TForm(AOwner, TFormCreation::New), FStoredVariant(true)
{
    Build(ACtrlSkinData);
    int start = 0;
    for (int i = 0; AForm && i < AForm->ComponentCount(); ++i) {
        auto* stored = dynamic_cast<TbsCompressedStoredSkin*>(AForm->Components(i));
        if (!stored)
            continue;
        if (stored == ADefaultSkin)
            start = int(SkinList.size());
        SkinList.push_back(stored);
        SkinsListBox->Items().Add(stored->Description().empty() ? stored->Name() : stored->Description());
    }
    if (!SkinList.empty()) {
        SkinsListBox->SetItemIndex(start);
        PreviewSkinData->SetCompressedStoredSkin(SkinList[size_t(start)]);
    }
    PreviewForm->SetBounds(190, 10, PreviewForm->Width(), PreviewForm->Height());
    PreviewForm->SetVisible(true);
    SetActiveControl(SkinsListBox->ListBox);
}

void TbsSelectSkinDlgForm::Build(TbsSkinData* ACtrlSkinData)
{
    SetPosition(poScreenCenter);
    SetBorderStyle(bsSingle);
    BSF = new TbsFormFrame(this);

    PreviewForm = NewForm<TForm>(this, TFormCreation::New);
    PreviewForm->SetBorderStyle(bsSingle);
    PreviewForm->SetParent(this);
    PreviewForm->SetCaption(SkinResStr(ACtrlSkinData, "MSG_PREVIEWSKIN"));
    PreviewForm->SetEnabled(false);
    PreviewForm->SetBounds(0, 0, 220, 170);

    PreviewSkinData = new TbsSkinData(this);
    if (ACtrlSkinData && ACtrlSkinData->ResourceStrData())
        PreviewSkinData->SetResourceStrData(ACtrlSkinData->ResourceStrData());

    PreviewButton = new TbsSkinButton(this);
    PreviewButton->SetParent(PreviewForm);
    PreviewButton->SetCaption(SkinResStr(ACtrlSkinData, "MSG_PREVIEWBUTTON"));
    PreviewButton->SetBounds(20, 20, 100, PreviewButton->Height());
    PreviewButton->SetSkinData(PreviewSkinData);

    PreviewBSF = new TbsFormFrame(PreviewForm);
    // Without the roll-up button the narrow preview keeps room for its caption
    // between the icon and the minimise, maximise and close buttons.
    PreviewBSF->SetBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize});
    PreviewBSF->SetSkinData(PreviewSkinData);
    PreviewBSF->PreviewMode = true;

    OpenButton = new TbsSkinButton(this);
    OpenButton->SetDefault(true);
    OpenButton->SetCaption(SkinResStr(ACtrlSkinData, "MSG_BTN_OK"));
    OpenButton->SetCanFocused(true);
    OpenButton->SetBounds(260, 200, 70, OpenButton->Height());
    OpenButton->SetDefaultHeight(25);
    OpenButton->SetParent(this);
    OpenButton->SetModalResult(mrOk);

    CancelButton = new TbsSkinButton(this);
    CancelButton->SetCaption(SkinResStr(ACtrlSkinData, "MSG_BTN_CANCEL"));
    CancelButton->SetCanFocused(true);
    CancelButton->SetBounds(340, 200, 70, CancelButton->Height());
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetParent(this);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);

    SkinsListBox = new TbsSkinListBox(this);
    SkinsListBox->SetParent(this);
    SkinsListBox->SetBounds(10, 10, 170, 170);
    SkinsListBox->OnListBoxClick = [this](TObject* Sender) { SLBOnChange(Sender); };
    SkinsListBox->OnListBoxDblClick = [this](TObject* Sender) { SLBOnDblClick(Sender); };
}

void TbsSelectSkinDlgForm::SLBOnChange(TObject*)
{
    const int i = SkinsListBox->ItemIndex();
    if (!FStoredVariant)
        PreviewSkinData->SetSkinIndex(i);
    else if (i >= 0 && i < int(SkinList.size()))
        PreviewSkinData->SetCompressedStoredSkin(SkinList[size_t(i)]);
}

void TbsSelectSkinDlgForm::SLBOnDblClick(TObject*) { SetModalResult(mrOk); }

TbsCompressedStoredSkin* TbsSelectSkinDlgForm::SelectedSkin() const { return PreviewSkinData->CompressedStoredSkin(); }

// ------------------------------------------------------- TbsSelectSkinDialog

TbsSelectSkinDialog::TbsSelectSkinDialog(TComponent* AOwner) : TComponent(AOwner)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetStyle(0);
    FDefaultFont.SetHeight(14);
}

void TbsSelectSkinDialog::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
}

void TbsSelectSkinDialog::SetSkinList(TbsCompressedSkinList* Value)
{
    if (FSkinList)
        FSkinList->RemoveFreeNotification(this);
    FSkinList = Value;
    if (FSkinList)
        FSkinList->FreeNotification(this);
}

void TbsSelectSkinDialog::SetCtrlSkinData(TbsSkinData* Value)
{
    FCtrlFSD.Set(Value);
}

void TbsSelectSkinDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    FSD.Drop(AComponent, Operation);
    FCtrlFSD.Drop(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinList)
        FSkinList = nullptr;
}

// Dresses the form, shows it modally and answers its modal result; the form
// is freed whatever happens.
int TbsSelectSkinDialog::Run(bool StoredVariant)
{
    std::unique_ptr<TbsSelectSkinDlgForm> form(FDlgFrm);
    struct TReset {
        TbsSelectSkinDlgForm*& Form;
        ~TReset() { Form = nullptr; }
    } reset{FDlgFrm};
    TbsSelectSkinDlgForm& f = *form;
    f.SetCaption(FTitle);
    f.BSF->SetBorderIcons(TbsBorderIcons{});
    f.BSF->SetSkinData(FSD);
    f.BSF->SetMenusSkinData(FCtrlFSD);
    f.BSF->SetAlphaBlend(FAlphaBlend);
    f.BSF->AlphaBlendAnimation = FAlphaBlendAnimation;
    f.BSF->SetAlphaBlendValue(FAlphaBlendValue);
    for (TbsSkinButton* b : {f.OpenButton, f.CancelButton}) {
        b->SetDefaultFont(FDefaultFont);
        b->SetSkinData(FCtrlFSD);
    }
    f.SkinsListBox->SetDefaultFont(FDefaultFont);
    f.SkinsListBox->SetSkinData(FCtrlFSD);
    f.HandleNeeded();   // the client size counts on the skin's frame
    if (!FSD || FSD->Empty) {
        f.SetClientWidth(ClientW);
        f.SetClientHeight(ClientH);
    } else {
        f.SetClientWidth(std::max(ClientW, f.BSF->GetMinWidth()));
        f.SetClientHeight(std::max(ClientH, f.BSF->GetMinHeight()));
    }
    if (OnShow)
        OnShow(this);
    const int result = f.ShowModal();
    // The last previewed skin is the answer; OK without a valid one is no answer.
    if (result == mrOk && !StoredVariant) {
        const int i = f.PreviewSkinData->SkinIndex();
        if (FSkinList && i >= 0 && i < FSkinList->Skins()->Count())
            FSelectedSkinIndex = i;
    } else if (result == mrOk) {
        FSelectedSkin = f.SelectedSkin();
    }
    if (OnClose)
        OnClose(this);
    return result;
}

bool TbsSelectSkinDialog::Execute(int SkinIndex)
{
    if (!FSkinList)
        return false;
    FDlgFrm = NewForm<TbsSelectSkinDlgForm>(Application, FSkinList, SkinIndex, FCtrlFSD);
    FSelectedSkin = nullptr;
    FSelectedSkinIndex = -1;
    return Run(false) == mrOk && FSelectedSkinIndex >= 0;
}

bool TbsSelectSkinDialog::Execute(TbsCompressedStoredSkin* DefaultCompressedSkin)
{
    FDlgFrm = NewForm<TbsSelectSkinDlgForm>(Application, Owner(), DefaultCompressedSkin, FCtrlFSD);
    FSelectedSkin = nullptr;
    return Run(true) == mrOk && FSelectedSkin;
}
