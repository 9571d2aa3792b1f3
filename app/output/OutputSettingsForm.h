#pragma once
#include <array>
#include <memory>
#include <string>

#include "app/output/OutputSettingsHost.h"
#include "app/output/OutputSettingsLogic.h"
#include "platform/ui/forms/Forms.h"

class TbsFormFrame;
class TbsSkinData;
class TbsSkinPanel;
class TbsSkinTextLabel;
class TbsSkinComboBox;
class TbsSkinOfficeComboBox;
class TbsSkinButton;
class TbsSkinPageControl;
class TbsSkinTabSheet;
class TPanel;
class TButton;
class TImage;
class TImageList;
class TSkinOptionCombo;
class TSkinPresetListCombo;

// The output settings dialog "设置选项": a category list, the formats of the chosen
// category, six option combos, OK and Cancel. Its controls forward to the buttons of
// Panel1, whose handlers run the dialog's logic (TOutputSettingsLogic); OK writes the
// chosen preset's parameters, output name and option values into the main window's
// current preset. The program creates it at start-up and never shows it, so what counts
// is the creation: the option combos are filled for the key 100, which the main window
// takes as its All_Trant_Number, and its Video_DisableVideo is cleared.
class TOutputSettingsForm : public TForm {
public:
    // The skin is the main window's; the host and the overwrite choice must outlive the form.
    TOutputSettingsForm(TComponent* AOwner, TOutputSettingsHost& AHost, const TOverwriteChoice& AOverwrite,
                        TbsSkinData* ASkinData);
    ~TOutputSettingsForm() override;

    TOutputSettingsLogic& Logic() { return *FLogic; }

    TbsFormFrame* bsFormFrame1 = nullptr;
    TbsSkinPanel* bsSkinPanel2 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel5 = nullptr;
    TbsSkinOfficeComboBox* bsSkinOfficeComboBox1 = nullptr;  // formats
    TbsSkinOfficeComboBox* bsSkinOfficeComboBox2 = nullptr;  // categories
    TbsSkinButton* bsSkinButton1 = nullptr;            // invisible "设置"
    TPanel* Panel1 = nullptr;
    TButton* Button6 = nullptr;   // reset
    TButton* Button5 = nullptr;   // encoding parameters and output name
    TButton* Button7 = nullptr;
    TButton* Button2 = nullptr;   // format list
    TButton* Button13 = nullptr;  // option values into the current preset
    TButton* Button11 = nullptr;
    TButton* Button18 = nullptr;  // option lists
    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;
    TbsSkinPageControl* bsSkinPageControl1 = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet1 = nullptr;  // "标准参数设置"
    TbsSkinTabSheet* bsSkinTabSheet2 = nullptr;  // "剪辑设置"
    TbsSkinTabSheet* FilterSheet = nullptr;      // "滤镜设置"
    TbsSkinTabSheet* bsSkinTabSheet3 = nullptr;  // "文字水印"
    TbsSkinButton* bsSkinButton3 = nullptr;      // "取消"
    TbsSkinButton* bsSkinButton2 = nullptr;      // "确定"
    TbsSkinComboBox* bsSkinComboBox1 = nullptr;   // frame size
    TbsSkinComboBox* bsSkinComboBox2 = nullptr;   // video bit rate
    TbsSkinComboBox* bsSkinComboBox9 = nullptr;   // frame rate
    TbsSkinComboBox* bsSkinComboBox3 = nullptr;   // audio bit rate
    TbsSkinComboBox* bsSkinComboBox10 = nullptr;  // sample rate
    TbsSkinComboBox* bsSkinComboBox4 = nullptr;   // aspect mode
    TImage* Image1 = nullptr;

private:
    // The controls in stored order, each step a part of the dialog.
    void CreateControls();
    void CreatePresetPanel();
    void CreateHiddenCommands();
    void CreatePages();
    void CreateOptionCombos();
    template <class T>
    T* Skinned(T* AControl) const;
    TbsSkinTextLabel* TextLabel(TWinControl* AParent, int ALeft, int ATop, const std::string& AText);
    TbsSkinComboBox* OptionCombo(TWinControl* AParent, int ALeft, int ATop, int AWidth);
    TButton* HiddenButton(int ALeft, int ATop, int AWidth, const std::string& ACaption);
    TbsSkinButton* SkinButton(TWinControl* AParent, int ALeft, int ATop, int AWidth, int AHeight,
                              const std::string& ACaption);
    void LoadPictures();

    TbsSkinData* FSkinData;   // the main window's skin, or none
    std::unique_ptr<TSkinPresetListCombo> FCategories, FFormats;
    std::array<std::unique_ptr<TSkinOptionCombo>, OptionKindCount> FOptions;
    std::unique_ptr<TOutputSettingsLogic> FLogic;
};

// Creates the dialog hidden, as the program's start-up does after the options dialog.
TOutputSettingsForm* CreateOutputSettingsForm(TComponent* AOwner, TOutputSettingsHost& AHost,
                                              const TOverwriteChoice& AOverwrite, TbsSkinData* ASkinData);
