#pragma once
#include <memory>
#include <string>
#include <vector>
#include "platform/gfx/Font.h"
#include "platform/ui/forms/Forms.h"
#include "skin/data/SkinDataLink.h"

class TbsCompressedSkinList;
class TbsCompressedStoredSkin;
class TbsFormFrame;
class TbsSkinButton;
class TbsSkinData;
class TbsSkinListBox;

// The skin picker's form: the names on the left, and on the right a small
// embedded form that wears the highlighted skin (its frame and a button).
class TbsSelectSkinDlgForm : public TForm {
public:
    // Offers the skins of a skin list, starting at ASkinIndex.
    TbsSelectSkinDlgForm(TComponent* AOwner, TbsCompressedSkinList* ASkinList, int ASkinIndex,
                         TbsSkinData* ACtrlSkinData);
    // Offers the stored skins among AForm's components, starting at ADefaultSkin.
    TbsSelectSkinDlgForm(TComponent* AOwner, TComponent* AForm, TbsCompressedStoredSkin* ADefaultSkin,
                         TbsSkinData* ACtrlSkinData);

    // Loads the highlighted skin into the preview.
    void SLBOnChange(TObject* Sender);
    // Closes the dialog as OK.
    void SLBOnDblClick(TObject* Sender);
    TbsCompressedStoredSkin* SelectedSkin() const;

    TbsFormFrame* BSF = nullptr;
    TbsSkinButton* OpenButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    TForm* PreviewForm = nullptr;
    TbsFormFrame* PreviewBSF = nullptr;
    TbsSkinData* PreviewSkinData = nullptr;   // owned by the form
    TbsSkinButton* PreviewButton = nullptr;
    TbsSkinListBox* SkinsListBox = nullptr;

private:
    void Build(TbsSkinData* ACtrlSkinData);

    TbsCompressedSkinList* FCSkinList = nullptr;
    int FCSkinIndex = -1;
    std::vector<TbsCompressedStoredSkin*> SkinList;   // the stored-skin variant's offer
    bool FStoredVariant = false;
};

// Lets the user choose one of the program's skins with a live preview.
class TbsSelectSkinDialog : public TComponent {
public:
    explicit TbsSelectSkinDialog(TComponent* AOwner);

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    TbsCompressedSkinList* SkinList() const { return FSkinList; }
    void SetSkinList(TbsCompressedSkinList* Value);
    TbsSkinData* CtrlSkinData() const { return FCtrlFSD; }
    void SetCtrlSkinData(TbsSkinData* Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int Value) { FAlphaBlendValue = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }

    TbsCompressedStoredSkin* SelectedSkin() const { return FSelectedSkin; }
    int SelectedSkinIndex() const { return FSelectedSkinIndex; }
    // The dialog's form while Execute runs, nil otherwise.
    TbsSelectSkinDlgForm* DialogForm() const { return FDlgFrm; }

    // True on OK with a valid skin; SelectedSkinIndex then holds it. Without
    // a SkinList nothing shows and the answer is false.
    bool Execute(int SkinIndex);
    // Offers the stored skins among the owner's components.
    bool Execute(TbsCompressedStoredSkin* DefaultCompressedSkin);

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int Run(bool StoredVariant);

    TbsSkinDataLink FSD{this};
    TbsCompressedSkinList* FSkinList = nullptr;    // not owned: cleared on removal
    TbsSkinDataLink FCtrlFSD{this};
    TFont FDefaultFont;
    std::string FTitle = "Select skin";
    TbsSelectSkinDlgForm* FDlgFrm = nullptr;
    bool FAlphaBlend = false;
    int FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
    TbsCompressedStoredSkin* FSelectedSkin = nullptr;
    int FSelectedSkinIndex = -1;
};
