#include "skin/dialogs/PictureDialogs.h"

#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/forms/Application.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinScrollBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/dialogs/PathRoutines.h"
#include "skin/dialogs/ShellDialogParts.h"
#include "skin/shell/ShellListView.h"

using namespace ShellDialogParts;

// ------------------------------------------------------------ TbsOpenPictureDlgForm

TbsOpenPictureDlgForm::TbsOpenPictureDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData,
                                             bool AToolButtonsTransparent)
    : TbsOpenDlgForm(AOwner, ASaveMode, ACtrlSkinData, AToolButtonsTransparent)
{
    // The pane right of the list, the splitter left of the pane.
    ImagePanel = new TbsSkinPanel(this);
    ImagePanel->SetParent(this);
    ImagePanel->SetBorderStyle(TbsSkinBorderStyle::bvFrame);
    ImagePanel->SetLeft(Width());
    ImagePanel->SetWidth(200);
    ImagePanel->SetAlign(alRight);

    Splitter = new TbsSkinSplitter(this);
    Splitter->SetParent(this);
    Splitter->SetLeft(ImagePanel->Left() - 10);
    Splitter->SetWidth(10);
    Splitter->SetDefaultSize(10);
    Splitter->SetBeveled(false);
    Splitter->SetAlign(alRight);

    SBVScrollBar = new TbsSkinScrollBar(this);
    SBVScrollBar->SetParent(ImagePanel);
    SBVScrollBar->SetKind(sbVertical);
    SBVScrollBar->SetAlign(alRight);
    SBVScrollBar->SetDefaultWidth(19);
    SBVScrollBar->SetEnabled(false);
    SBVScrollBar->SetSkinDataName("vscrollbar");

    SBHScrollBar = new TbsSkinScrollBar(this);
    SBHScrollBar->SetParent(ImagePanel);
    SBHScrollBar->SetAlign(alBottom);
    SBHScrollBar->SetDefaultHeight(19);
    SBHScrollBar->SetEnabled(false);
    SBHScrollBar->SetBothMarkerWidth(19);
    SBHScrollBar->SetSkinDataName("hscrollbar");

    ScrollBox = new TbsSkinScrollBox(this);
    ScrollBox->SetParent(ImagePanel);
    ScrollBox->SetAlign(alClient);
    ScrollBox->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    ScrollBox->SetHScrollBar(SBHScrollBar);
    ScrollBox->SetVScrollBar(SBVScrollBar);

    Image = new TImage(this);
    Image->SetParent(ScrollBox);
    Image->SetBounds(0, 0, 0, 0);

    StretchButton = NewToolButton("BS_STRETCH", "MSG_BTN_STRETCH_HINT", AToolButtonsTransparent);
    StretchButton->SetLeft(Width() + 1000);   // the rightmost of the tool bar
    StretchButton->SetGroupIndex(2);
    StretchButton->SetAllowAllUp(true);
    StretchButton->OnClick = [this](TObject* s) { StretchButtonClick(s); };

    PlaceBottomRow(70, 280, 370, false);
}

bool TbsOpenPictureDlgForm::Stretched() const
{
    return StretchButton->Down();
}

void TbsOpenPictureDlgForm::ApplyStretch()
{
    Image->Hide();
    if (Stretched()) {
        // Nothing to scroll while the picture fills the pane.
        ScrollBox->UpDateScrollRange();
        Image->SetStretch(true);
        Image->SetAlign(alClient);
        Image->Show();
    } else {
        Image->SetAlign(alNone);
        Image->SetBounds(0, 0, Image->Picture().Width(), Image->Picture().Height());
        Image->SetStretch(false);
        Image->Show();
        ScrollBox->UpDateScrollRange();
    }
}

void TbsOpenPictureDlgForm::StretchButtonClick(TObject*)
{
    ApplyStretch();
}

bool TbsOpenPictureDlgForm::Preview(const std::string& Path)
{
    bool loaded = true;
    try {
        Image->Picture().LoadFromFile(Path);
    } catch (const Exception&) {
        Image->Picture().SetGraphic(nullptr);   // unreadable: no picture
        loaded = false;
    }
    if (!Stretched()) {
        Image->SetBounds(0, 0, Image->Picture().Width(), Image->Picture().Height());
        ScrollBox->UpDateScrollRange();
    }
    Image->Invalidate();
    return loaded;
}

void TbsOpenPictureDlgForm::FLVChange(TObject*, TListItem*, TItemChange)
{
    // The full path of the entry, so that names that are no UTF-8 load too.
    const std::string selected = FileListView->GetSelectedFile();
    FileNameEdit->SetText(ExtractFileName(selected));
    if (!selected.empty()) {
        Preview(selected);
    } else {
        Image->Picture().SetGraphic(nullptr);
        if (!Stretched())
            Image->SetBounds(0, 0, 0, 0);
        ScrollBox->UpDateScrollRange();
    }
}

// ------------------------------------------------------------ TbsSkinOpenPictureDialog

TbsSkinOpenPictureDialog::TbsSkinOpenPictureDialog(TComponent* AOwner)
    : TbsSkinFileDialog(AOwner, "Open picture", DefaultPictureFilter)
{
    AlphaBlendValue = 200;
}

TbsOpenPictureDlgForm* TbsSkinOpenPictureDialog::PictureForm() const
{
    return static_cast<TbsOpenPictureDlgForm*>(DialogForm());
}

TbsOpenDlgForm* TbsSkinOpenPictureDialog::CreateForm()
{
    return NewForm<TbsOpenPictureDlgForm>(Application, FSaveMode, CtrlSkinData(), ToolButtonsTransparent);
}

void TbsSkinOpenPictureDialog::AfterFilter(TbsOpenDlgForm& Form)
{
    auto& f = static_cast<TbsOpenPictureDlgForm&>(Form);
    f.ImagePanel->SetWidth(ImagePanelWidth);
    f.ImagePanel->SetSkinData(CtrlSkinData());
    f.ScrollBox->SetSkinData(CtrlSkinData());
    f.SBVScrollBar->SetSkinData(CtrlSkinData());
    f.SBHScrollBar->SetSkinData(CtrlSkinData());
    f.StretchButton->SetSkinData(CtrlSkinData());
    f.Splitter->SetSkinData(CtrlSkinData());
}

void TbsSkinOpenPictureDialog::AfterSize(TbsOpenDlgForm& Form)
{
    auto& f = static_cast<TbsOpenPictureDlgForm&>(Form);
    if (StretchPicture || DialogStretch) {
        f.StretchButton->SetDown(true);
        f.ApplyStretch();
    }
}

void TbsSkinOpenPictureDialog::BeforeShow(TbsOpenDlgForm& Form)
{
    auto& f = static_cast<TbsOpenPictureDlgForm&>(Form);
    if (IsRegularFile(FileName()))
        f.Preview(FileName());
}

void TbsSkinOpenPictureDialog::AfterClose(TbsOpenDlgForm& Form)
{
    auto& f = static_cast<TbsOpenPictureDlgForm&>(Form);
    DialogStretch = f.Stretched();
    ImagePanelWidth = f.ImagePanel->Width();
}

TbsSkinSavePictureDialog::TbsSkinSavePictureDialog(TComponent* AOwner) : TbsSkinOpenPictureDialog(AOwner)
{
    SetTitle("Save file");
    FSaveMode = true;
}
