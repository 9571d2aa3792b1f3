#pragma once
#include <string>

#include "skin/dialogs/OpenDialog.h"
#include "skin/dialogs/OpenDialogForm.h"

class TImage;
class TbsSkinScrollBox;
class TbsSkinSplitter;

// The open/save form with a preview pane on its right: the picture of the
// selected file in a scroll box, a splitter sizing the pane and a Stretch
// button fitting the picture into it. A preview never raises: a file that
// cannot be read shows no picture.
class TbsOpenPictureDlgForm : public TbsOpenDlgForm {
public:
    TbsOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData, bool AToolButtonsTransparent);

    TbsSkinPanel* ImagePanel = nullptr;
    TImage* Image = nullptr;
    TbsSkinScrollBox* ScrollBox = nullptr;
    TbsSkinScrollBar* SBVScrollBar = nullptr;
    TbsSkinScrollBar* SBHScrollBar = nullptr;
    TbsSkinSpeedButton* StretchButton = nullptr;
    TbsSkinSplitter* Splitter = nullptr;

    void StretchButtonClick(TObject* Sender);
    void FLVChange(TObject* Sender, TListItem* Item, TItemChange Change) override;
    // Bare names take the filter's extension only.
    std::string CompletionExtension() override { return FilterExtension(); }
    // Shows the picture of a file (none when it cannot be read); false then.
    bool Preview(const std::string& Path);
    bool Stretched() const;
    void ApplyStretch();
};

// The picture variant of the skinned open dialog.
class TbsSkinOpenPictureDialog : public TbsSkinFileDialog {
public:
    explicit TbsSkinOpenPictureDialog(TComponent* AOwner);

    // Every call starts with the Stretch button down.
    bool StretchPicture = false;
    // The pane's width and the Stretch state, in and out.
    int ImagePanelWidth = 190;
    bool DialogStretch = false;

    TbsOpenPictureDlgForm* PictureForm() const;

protected:
    TbsOpenPictureDlgForm* CreatePictureForm();
    TbsOpenDlgForm* CreateForm() override;
    void AfterFilter(TbsOpenDlgForm& Form) override;
    void AfterSize(TbsOpenDlgForm& Form) override;
    void BeforeShow(TbsOpenDlgForm& Form) override;
    void AfterClose(TbsOpenDlgForm& Form) override;
    int DefaultWidth() const override { return 550; }
    std::string ReturnedExtension(TbsOpenDlgForm& Form) override { return Form.FilterExtension(); }
};

// The same in save mode.
class TbsSkinSavePictureDialog : public TbsSkinOpenPictureDialog {
public:
    explicit TbsSkinSavePictureDialog(TComponent* AOwner);
};

// The picture kinds the previews read.
inline constexpr const char* DefaultPictureFilter =
    "All (*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.ico)|*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.ico|Bitmaps (*.bmp)|*.bmp|"
    "JPEG images (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF images (*.gif)|*.gif|PNG images (*.png)|*.png|Icons (*.ico)|*.ico";
