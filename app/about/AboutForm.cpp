#include "app/about/AboutForm.h"

#include "app/jobs/JobControl.h"
#include "app/main/FormBuilding.h"
#include "app/main/ProgramLinks.h"
#include "app/main/ProgramSkins.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "resources/pictures/ResourcePictures.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/frame/FormFrame.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner)
{
    BeginProgramForm(*this, "Form2", "关于软件", {}, poScreenCenter, DesignWidth, DesignHeight);
    TbsSkinData* skin = ProgramSkins().Main;

    bsBusinessSkinForm1 = MakeComponent<TbsFormFrame>(this, "bsBusinessSkinForm1");
    bsBusinessSkinForm1->SetBorderIcons({TbsBorderIcon::biRollUp});
    bsBusinessSkinForm1->SetSkinData(skin);

    bsSkinPanel1 = MakeControl<TbsSkinPanel>(this, this, "bsSkinPanel1", 8, 8, 322, 206);
    bsSkinPanel1->SetSkinData(skin);

    Image1 = MakeControl<TImage>(this, bsSkinPanel1, "Image1", 16, 18, 64, 64);
    Image1->SetTransparent(true);
    Image1->SetCenter(true);
    TBitmap picture;
    if (FindResBitmap("Image1", picture))
        Image1->Picture().Bitmap().Assign(&picture);

    Label1 = MakeControl<TbsSkinStdLabel>(this, bsSkinPanel1, "Label1", 92, 24, 224, 30);
    Label1->SetCaption(ApplicationTitle);
    Label1->SetUseSkinFont(false);
    Label1->Font().SetName("黑体");
    Label1->Font().SetHeight(-20);
    Label1->Font().SetStyle(fsBold);
    Label1->SetSkinData(skin);
    Label2 = MakeControl<TbsSkinStdLabel>(this, bsSkinPanel1, "Label2", 92, 62, 200, 18);
    Label2->SetCaption(ProgramVersionText);
    Label2->SetSkinData(skin);

    Label3 = MakeControl<TbsSkinStdLabel>(this, bsSkinPanel1, "Label3", 16, 118, 90, 18);
    Label3->SetCaption("官方网站：");
    Label3->SetSkinData(skin);
    bsSkinLinkLabel1 = MakeControl<TbsSkinLinkLabel>(this, bsSkinPanel1, "bsSkinLinkLabel1", 110, 118, 200, 18);
    bsSkinLinkLabel1->SetCaption("ZarvoMPG 帮助页面");
    bsSkinLinkLabel1->SetSkinData(skin);
    bsSkinLinkLabel1->OnClick = [](TObject*) { OpenHelpPage(); };

    Label4 = MakeControl<TbsSkinStdLabel>(this, bsSkinPanel1, "Label4", 16, 150, 90, 18);
    Label4->SetCaption("支持E-Mail：");
    Label4->SetSkinData(skin);
    bsSkinLinkLabel2 = MakeControl<TbsSkinLinkLabel>(this, bsSkinPanel1, "bsSkinLinkLabel2", 110, 150, 200, 18);
    bsSkinLinkLabel2->SetCaption(ContactAddress);
    bsSkinLinkLabel2->SetURL(std::string("mailto:") + ContactAddress);
    bsSkinLinkLabel2->SetSkinData(skin);

    bsSkinButton1 = MakeControl<TbsSkinButton>(this, this, "bsSkinButton1", 125, 226, 88, 28);
    bsSkinButton1->SetCaption("确定");
    bsSkinButton1->SetSkinData(skin);
    bsSkinButton1->OnClick = [this](TObject*) { SetModalResult(mrOk); };
}

void TForm2::DoShow()
{
    FitClientSize(*this, DesignWidth, DesignHeight);
    TForm::DoShow();
}
