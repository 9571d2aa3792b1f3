#include "app/output/OutputSettingsForm.h"

#include "app/output/SkinComboFaces.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/StdCtrls.h"
#include "resources/pictures/ResourcePictures.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/frame/FormFrame.h"

namespace {

constexpr int CategoryPictureCount = 12;

void Place(TControl* AControl, TWinControl* AParent, int ALeft, int ATop, int AWidth, int AHeight) {
    AControl->SetParent(AParent);
    AControl->SetBounds(ALeft, ATop, AWidth, AHeight);
}

}  // namespace

TOutputSettingsForm::TOutputSettingsForm(TComponent* AOwner, TOutputSettingsHost& AHost,
                                         const TOverwriteChoice& AOverwrite, TbsSkinData* ASkinData)
    : TForm(AOwner, TFormCreation::New), FSkinData(ASkinData) {
    SetName("Form6");
    SetCaption("设置选项");
    SetBorderStyle(bsSingle);
    SetBorderIcons({});
    SetPosition(poMainFormCenter);
    Font().SetName("Tahoma");
    Font().SetHeight(-11);
    CreateControls();
    SetClientWidth(958);  // after the frame component, which may change the frame's size
    SetClientHeight(474);
    LoadPictures();

    FCategories = std::make_unique<TSkinPresetListCombo>(*bsSkinOfficeComboBox2);
    FFormats = std::make_unique<TSkinPresetListCombo>(*bsSkinOfficeComboBox1);
    TbsSkinComboBox* const options[OptionKindCount] = {bsSkinComboBox1, bsSkinComboBox2, bsSkinComboBox9,
                                                       bsSkinComboBox3, bsSkinComboBox10, bsSkinComboBox4};
    std::array<TOptionComboModel*, OptionKindCount> faces{};
    for (int i = 0; i < OptionKindCount; ++i) {
        FOptions[size_t(i)] = std::make_unique<TSkinOptionCombo>(*options[i]);
        faces[size_t(i)] = FOptions[size_t(i)].get();
    }
    FLogic = std::make_unique<TOutputSettingsLogic>(*FCategories, *FFormats, faces, AHost, AOverwrite);
    FLogic->OnClose = [this] { Hide(); };

    Button2->OnClick = [this](TObject*) { FLogic->RefillFormats(); };
    Button18->OnClick = [this](TObject*) { FLogic->RefillOptions(); };
    Button5->OnClick = [this](TObject*) { FLogic->ApplyParameters(); };
    Button13->OnClick = [this](TObject*) { FLogic->ReadOptions(); };
    Button6->OnClick = [this](TObject*) { FLogic->Reset(); };
    bsSkinButton2->OnClick = [this](TObject*) { FLogic->Ok(); };
    bsSkinButton3->OnClick = [this](TObject*) { FLogic->Cancel(); };

    // The form's creation: the formats of category 0, format 0 and its option lists.
    Button2->Click();
}

TOutputSettingsForm::~TOutputSettingsForm() {
    // The logic and the faces let go of the combos' events before the controls go.
    FLogic.reset();
    FFormats.reset();
    FCategories.reset();
    for (auto& option : FOptions)
        option.reset();
}

void TOutputSettingsForm::CreateControls() {
    bsFormFrame1 = new TbsFormFrame(this);
    bsFormFrame1->SetBorderIcons(
        {TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize, TbsBorderIcon::biRollUp});
    Skinned(bsFormFrame1);
    CreatePresetPanel();
    CreateHiddenCommands();
    CreatePages();
    bsSkinButton3 = SkinButton(this, 594, 416, 69, 25, "取消");
    bsSkinButton2 = SkinButton(this, 480, 416, 69, 25, "确定");
    CreateOptionCombos();
}

// The output format: the category and format lists on their panel.
void TOutputSettingsForm::CreatePresetPanel() {
    bsSkinPanel2 = new TbsSkinPanel(this);
    Place(bsSkinPanel2, this, 39, 36, 625, 109);
    bsSkinPanel2->SetSkinDataName("panel");
    Skinned(bsSkinPanel2);
    bsSkinTextLabel5 = TextLabel(bsSkinPanel2, 17, 48, "输出格式：");
    // The two preset lists: office combos of the tool-button style, four rows dropped down.
    auto listCombo = [&](int ALeft, int AWidth) {
        auto* combo = new TbsSkinOfficeComboBox(this);
        Place(combo, bsSkinPanel2, ALeft, 33, AWidth, 51);
        combo->SetToolButtonStyle(true);
        combo->SetDropDownCount(4);
        return Skinned(combo);
    };
    bsSkinOfficeComboBox1 = listCombo(215, 400);
    bsSkinOfficeComboBox1->SetListBoxItemHeight(60);
    bsSkinOfficeComboBox1->SetListBoxHeaderHeight(20);
    bsSkinOfficeComboBox1->SetAlphaBlendAnimation(true);
    bsSkinOfficeComboBox2 = listCombo(83, 126);
    bsSkinOfficeComboBox2->SetListBoxWidth(119);
    bsSkinOfficeComboBox2->SetListBoxItemHeight(50);
    bsSkinOfficeComboBox2->SetListBoxShowItemTitles(false);
    bsSkinOfficeComboBox2->SetListBoxSkinDataName("resizetoolpanel");
    bsSkinButton1 = SkinButton(bsSkinPanel2, 621, 139, 55, 51, "设置");
    bsSkinButton1->SetSkinDataName("resizebutton");
    bsSkinButton1->SetVisible(false);
}

// The hidden buttons stand at the right edge, partly beyond the client area;
// then the two picture lists.
void TOutputSettingsForm::CreateHiddenCommands() {
    Panel1 = new TPanel(this);
    Place(Panel1, this, 690, 161, 305, 305);
    Button6 = HiddenButton(32, 47, 75, "初始化数据");
    Button5 = HiddenButton(113, 47, 126, "根据combox添加数据");
    Button7 = HiddenButton(230, 47, 75, "确认oo数据");
    Button2 = HiddenButton(32, 78, 104, "添加combox");
    Button13 = HiddenButton(32, 109, 113, "确认预置选项数据");
    Button11 = HiddenButton(151, 78, 95, "onchange用");
    Button18 = HiddenButton(42, 163, 143, "根据combox添加预设选项");
    Image1 = new TImage(this);
    Place(Image1, Panel1, 46, 158, 171, 103);

    ImageList1 = new TImageList(this);
    ImageList1->SetWidth(32);
    ImageList1->SetHeight(32);
    ImageList2 = new TImageList(this);
    ImageList2->SetWidth(32);
    ImageList2->SetHeight(32);
}

void TOutputSettingsForm::CreatePages() {
    bsSkinPageControl1 = new TbsSkinPageControl(this);
    Place(bsSkinPageControl1, this, 39, 171, 625, 222);
    bsSkinPageControl1->SetSkinDataName("tab");
    bsSkinPageControl1->SetDefaultItemHeight(20);
    auto sheet = [&](const std::string& ACaption) {
        auto* page = new TbsSkinTabSheet(this);
        page->SetCaption(ACaption);
        page->SetPageControl(bsSkinPageControl1);
        return page;
    };
    bsSkinTabSheet1 = sheet("标准参数设置");
    bsSkinTabSheet2 = sheet("剪辑设置");
    FilterSheet = sheet("滤镜设置");
    bsSkinTabSheet3 = sheet("文字水印");
    Skinned(bsSkinPageControl1);
    bsSkinPageControl1->SetActivePage(bsSkinTabSheet1);
}

// The six option combos of "标准参数设置" and their labels.
void TOutputSettingsForm::CreateOptionCombos() {
    TextLabel(bsSkinTabSheet1, 19, 24, "视频分辨率：");
    bsSkinComboBox1 = OptionCombo(bsSkinTabSheet1, 16, 43, 289);
    TextLabel(bsSkinTabSheet1, 342, 24, "视频比特率：");
    TextLabel(bsSkinTabSheet1, 16, 69, "视频帧率：");
    bsSkinComboBox2 = OptionCombo(bsSkinTabSheet1, 342, 43, 251);
    bsSkinComboBox9 = OptionCombo(bsSkinTabSheet1, 14, 88, 291);
    TextLabel(bsSkinTabSheet1, 16, 114, "音频比特率：");
    TextLabel(bsSkinTabSheet1, 342, 114, "音频采样率：");
    bsSkinComboBox3 = OptionCombo(bsSkinTabSheet1, 16, 133, 289);
    bsSkinComboBox10 = OptionCombo(bsSkinTabSheet1, 342, 133, 251);
    TextLabel(bsSkinTabSheet1, 342, 69, "视频缩放：");
    bsSkinComboBox4 = OptionCombo(bsSkinTabSheet1, 342, 88, 251);
}

// ---- the kinds of control the dialog is made of ----

template <class T>
T* TOutputSettingsForm::Skinned(T* AControl) const {
    if (FSkinData)
        AControl->SetSkinData(FSkinData);
    return AControl;
}

TbsSkinTextLabel* TOutputSettingsForm::TextLabel(TWinControl* AParent, int ALeft, int ATop, const std::string& AText) {
    auto* label = new TbsSkinTextLabel(this);
    label->SetParent(AParent);
    label->SetLeft(ALeft);
    label->SetTop(ATop);
    label->Lines().Add(AText);
    return Skinned(label);
}

TbsSkinComboBox* TOutputSettingsForm::OptionCombo(TWinControl* AParent, int ALeft, int ATop, int AWidth) {
    auto* combo = new TbsSkinComboBox(this);
    Place(combo, AParent, ALeft, ATop, AWidth, 20);
    combo->SetStyle(bscbFixedStyle);
    combo->SetDropDownCount(8);
    return Skinned(combo);
}

TButton* TOutputSettingsForm::HiddenButton(int ALeft, int ATop, int AWidth, const std::string& ACaption) {
    auto* button = new TButton(this);
    Place(button, Panel1, ALeft, ATop, AWidth, 25);
    button->SetCaption(ACaption);
    return button;
}

TbsSkinButton* TOutputSettingsForm::SkinButton(TWinControl* AParent, int ALeft, int ATop, int AWidth, int AHeight,
                                               const std::string& ACaption) {
    auto* button = new TbsSkinButton(this);
    Place(button, AParent, ALeft, ATop, AWidth, AHeight);
    button->SetCaption(ACaption);
    return Skinned(button);
}

void TOutputSettingsForm::LoadPictures() {
    // One picture per category item: the catalogue's pictures of the same codes.
    const std::vector<TBitmap> formats = LoadResPictureList("FORMATS");
    for (int i = 0; i < CategoryPictureCount && i < int(formats.size()); ++i)
        ImageList1->Add(formats[size_t(i)]);
    bsSkinOfficeComboBox2->SetImages(ImageList1);
    TBitmap picture;
    if (FindResBitmap("Image1", picture)) {
        Image1->Picture().Bitmap() = picture;
        Image1->SetCenter(true);
    }
}

TOutputSettingsForm* CreateOutputSettingsForm(TComponent* AOwner, TOutputSettingsHost& AHost,
                                              const TOverwriteChoice& AOverwrite, TbsSkinData* ASkinData) {
    return NewForm<TOutputSettingsForm>(AOwner, AHost, AOverwrite, ASkinData);
}
