#include "app/options/OptionsForm.h"

#include "app/main/FormBuilding.h"
#include "app/main/ProgramSkins.h"
#include "app/settings/SettingsFile.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/controls/TabControl.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPanel.h"
#include "skin/frame/FormFrame.h"

TForm5* Form5 = nullptr;

namespace {

const char* const PriorityCaptions[] = {"系统空闲时进行", "最低优先级进行", "较低优先级进行", "正常优先级进行"};
const char* const AfterDoneCaptions[] = {"自动打开输出文件夹", "自动关闭计算机", " 播放提示音乐", "不进行任何操作"};
const char* const OverwriteCaptions[] = {"直接覆盖输出文件", "自动重命名输出文件"};

template <size_t N>
int CheckedIndex(const std::array<TbsSkinCheckRadioBox*, N>& ABoxes)
{
    for (size_t i = 0; i < N; ++i)
        if (ABoxes[i]->Checked())
            return static_cast<int>(i);
    return -1;
}

// The value of a radio group's key: its index as text, "0" to "N-1".
template <size_t N>
bool ApplyChoice(const std::array<TbsSkinCheckRadioBox*, N>& ABoxes, const std::optional<std::string>& AValue)
{
    if (AValue && AValue->size() == 1 && (*AValue)[0] >= '0' && (*AValue)[0] < char('0' + N)) {
        ABoxes[(*AValue)[0] - '0']->SetChecked(true);
        return true;
    }
    return false;
}

}  // namespace

TForm5::TForm5(TComponent* AOwner) : TForm(AOwner)
{
    BeginProgramForm(*this, "Form5", "选项", {}, poMainFormCenter, DesignWidth, DesignHeight);
    TbsSkinData* skin = ProgramSkins().Main;

    bsBusinessSkinForm1 = MakeComponent<TbsFormFrame>(this, "bsBusinessSkinForm1");
    bsBusinessSkinForm1->SetBorderIcons({});
    bsBusinessSkinForm1->SetSkinData(skin);

    auto group = [&](TWinControl* AParent, const std::string& AName, const std::string& ACaption, int ATop,
                     int AHeight) {
        auto* g = MakeControl<TbsSkinGroupBox>(this, AParent, AName, 12, ATop, 492, AHeight);
        g->SetCaption(ACaption);
        g->SetSkinData(skin);
        return g;
    };
    auto box = [&](TWinControl* AParent, const std::string& AName, const std::string& ACaption, int ATop,
                   bool ARadio, int AGroup) {
        auto* b = MakeControl<TbsSkinCheckRadioBox>(this, AParent, AName, 20, ATop, 440, 22);
        b->SetRadio(ARadio);
        b->SetSkinDataName(ARadio ? "radiobox" : "checkbox");
        b->SetGroupIndex(AGroup);
        b->SetCaption(ACaption);
        b->SetSkinData(skin);
        return b;
    };

    bsSkinPageControl1 = MakeControl<TbsSkinPageControl>(this, this, "bsSkinPageControl1", 8, 8, 526, 490);
    bsSkinPageControl1->SetSkinData(skin);
    bsSkinTabSheet1 = MakeComponent<TbsSkinTabSheet>(this, "bsSkinTabSheet1");
    bsSkinTabSheet1->SetPageControl(bsSkinPageControl1);
    bsSkinTabSheet1->SetCaption("CPU设置");

    bsSkinGroupBox1 = group(bsSkinTabSheet1, "bsSkinGroupBox1", "转换时CPU利用方式", 12, 170);
    for (int i = 0; i < 4; ++i)
        PriorityBoxes[i] = box(bsSkinGroupBox1, "bsSkinCheckRadioBox" + std::to_string(i + 1), PriorityCaptions[i],
                               36 + 32 * i, true, 1);
    PriorityBoxes[3]->SetChecked(true);

    bsSkinGroupBox2 = group(bsSkinTabSheet1, "bsSkinGroupBox2", "转换参数", 196, 190);
    bsSkinStdLabel1 = MakeControl<TbsSkinStdLabel>(this, bsSkinGroupBox2, "bsSkinStdLabel1", 20, 36, 440, 18);
    bsSkinStdLabel1->SetCaption("程序最大运行线程数--（同时进行转换的文件个数）");
    bsSkinStdLabel1->SetSkinData(skin);
    bsSkinComboBox2 = MakeControl<TbsSkinComboBox>(this, bsSkinGroupBox2, "bsSkinComboBox2", 20, 62, 120, 22);
    bsSkinComboBox2->SetStyle(bscbFixedStyle);
    bsSkinComboBox2->SetSkinData(skin);
    for (int i = 1; i <= 19; ++i)
        bsSkinComboBox2->Items().Add(std::to_string(i));
    bsSkinComboBox2->SetDropDownCount(8);
    chkThreadMode = box(bsSkinGroupBox2, "chkThreadMode", "启用多线程模式   （同时进行转换的视频个数）", 100, false, 0);
    chkThreadMode->SetVisible(false);
    chkThreadMode->SetChecked(true);
    chkPreview = box(bsSkinGroupBox2, "chkPreview", "转换时进行实时视频预览", 132, false, 0);

    bsSkinTabSheet2 = MakeComponent<TbsSkinTabSheet>(this, "bsSkinTabSheet2");
    bsSkinTabSheet2->SetPageControl(bsSkinPageControl1);
    bsSkinTabSheet2->SetCaption("常规设置");
    bsSkinGroupBox3 = group(bsSkinTabSheet2, "bsSkinGroupBox3", "转换工作完成后", 12, 170);
    for (int i = 0; i < 4; ++i)
        AfterDoneBoxes[i] = box(bsSkinGroupBox3, "bsSkinCheckRadioBox" + std::to_string(i + 5), AfterDoneCaptions[i],
                                36 + 32 * i, true, 2);
    AfterDoneBoxes[0]->SetChecked(true);
    bsSkinGroupBox4 = group(bsSkinTabSheet2, "bsSkinGroupBox4", "如果输出文件存在时", 196, 110);
    for (int i = 0; i < 2; ++i)
        OverwriteBoxes[i] = box(bsSkinGroupBox4, "bsSkinCheckRadioBox" + std::to_string(i + 9), OverwriteCaptions[i],
                                36 + 32 * i, true, 3);
    OverwriteBoxes[1]->SetChecked(true);
    bsSkinPageControl1->SetActivePageIndex(0);

    bsSkinButton1 = MakeControl<TbsSkinButton>(this, this, "bsSkinButton1", 340, 510, 88, 28);
    bsSkinButton1->SetCaption("确定");
    bsSkinButton1->SetSkinData(skin);
    bsSkinButton2 = MakeControl<TbsSkinButton>(this, this, "bsSkinButton2", 440, 510, 88, 28);
    bsSkinButton2->SetCaption("取消");
    bsSkinButton2->SetSkinData(skin);

    // The commands sit on a panel beyond the client area.
    Panel1 = MakeControl<TPanel>(this, this, "Panel1", 700, 20, 200, 120);
    Button1 = MakeControl<TButton>(this, Panel1, "Button1", 8, 8, 80, 25);
    Button1->SetCaption("读取ini");
    Button2 = MakeControl<TButton>(this, Panel1, "Button2", 8, 40, 80, 25);
    Button2->SetCaption("写ini");
    Button3 = MakeControl<TButton>(this, Panel1, "Button3", 8, 72, 80, 25);
    Button3->SetCaption("Button3");

    chkThreadMode->OnClick = [this](TObject*) { bsSkinComboBox2->SetEnabled(chkThreadMode->Checked()); };
    chkPreview->OnClick = [this](TObject*) {
        if (OnLivePreview)
            OnLivePreview(chkPreview->Checked());
    };
    Button1->OnClick = [this](TObject* Sender) { Button1Click(Sender); };
    Button2->OnClick = [this](TObject* Sender) { Button2Click(Sender); };
    bsSkinButton1->OnClick = [this](TObject*) {
        Button2->Click();
        SetModalResult(mrOk);
    };
    bsSkinButton2->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

void TForm5::FormCreate(TObject*)
{
    bsSkinComboBox2->SetItemIndex(0);
    Button1->Click();
}

void TForm5::Button1Click(TObject*)
{
    const TSettingsFile& ini = ProgramSettings();
    if (!ini.Exists()) {
        ini.TryWrite("Options", "Thread_Count", "0");
        ini.TryWrite("Options", "After_Done", "0");
        ini.TryWrite("Options", "Show_Preview", "0");
        ini.TryWrite("Options", "Thread_Priority", "3");
        ini.TryWrite("Options", "Overwrite_File", "1");
        bsSkinComboBox2->SetItemIndex(0);
        AfterDoneBoxes[0]->SetChecked(true);
        chkPreview->SetChecked(false);
        PriorityBoxes[3]->SetChecked(true);
        OverwriteBoxes[1]->SetChecked(true);
        return;
    }

    std::optional<std::string> count = ini.Read("Options", "Thread_Count");
    int item = count ? bsSkinComboBox2->Items().IndexOf(*count) : -1;
    if (item >= 0) {
        bsSkinComboBox2->SetItemIndex(item);
    } else {
        bsSkinComboBox2->SetItemIndex(0);
        if (!count || *count != "0")
            ini.TryWrite("Options", "Thread_Count", "0");
    }
    if (!ApplyChoice(AfterDoneBoxes, ini.Read("Options", "After_Done"))) {
        AfterDoneBoxes[0]->SetChecked(true);
        ini.TryWrite("Options", "After_Done", "0");
    }
    if (!ApplyChoice(PriorityBoxes, ini.Read("Options", "Thread_Priority"))) {
        PriorityBoxes[3]->SetChecked(true);
        ini.TryWrite("Options", "Thread_Priority", "3");
    }
    if (!ApplyChoice(OverwriteBoxes, ini.Read("Options", "Overwrite_File"))) {
        OverwriteBoxes[1]->SetChecked(true);
        ini.TryWrite("Options", "Overwrite_File", "1");
    }
    std::optional<std::string> preview = ini.Read("Options", "Show_Preview");
    if (preview == "1" || preview == "0") {
        chkPreview->SetChecked(*preview == "1");
    } else {
        chkPreview->SetChecked(false);
        ini.TryWrite("Options", "Show_Preview", "0");
    }
}

void TForm5::Button2Click(TObject*)
{
    const TSettingsFile& ini = ProgramSettings();
    if (chkThreadMode->Checked())
        ini.Write("Options", "Thread_Count", ThreadCountText());
    if (int i = CheckedIndex(AfterDoneBoxes); i >= 0)
        ini.Write("Options", "After_Done", std::to_string(i));
    ini.Write("Options", "Show_Preview", chkPreview->Checked() ? "1" : "0");
    if (int i = CheckedIndex(PriorityBoxes); i >= 0)
        ini.Write("Options", "Thread_Priority", std::to_string(i));
    if (int i = CheckedIndex(OverwriteBoxes); i >= 0)
        ini.Write("Options", "Overwrite_File", std::to_string(i));
}

TThreadPriority TForm5::Priority() const
{
    static const TThreadPriority priorities[] = {tpIdle, tpLowest, tpLower, tpNormal};
    int i = CheckedIndex(PriorityBoxes);
    return i >= 0 ? priorities[i] : tpNormal;
}

bool TForm5::ThreadMode() const { return chkThreadMode->Checked(); }

std::string TForm5::ThreadCountText() const
{
    int i = bsSkinComboBox2->ItemIndex();
    return i >= 0 ? bsSkinComboBox2->Items()[i] : std::string("1");
}

TAfterDone TForm5::AfterDone() const
{
    static const TAfterDone actions[] = {TAfterDone::OpenFolder, TAfterDone::PowerOff, TAfterDone::PlaySound,
                                         TAfterDone::Nothing};
    int i = CheckedIndex(AfterDoneBoxes);
    return i >= 0 ? actions[i] : TAfterDone::Nothing;
}

bool TForm5::OverwriteFiles() const { return OverwriteBoxes[0]->Checked(); }
bool TForm5::LivePreview() const { return chkPreview->Checked(); }

std::vector<TbsSkinCheckRadioBox*> TForm5::Boxes() const
{
    std::vector<TbsSkinCheckRadioBox*> boxes(PriorityBoxes.begin(), PriorityBoxes.end());
    boxes.insert(boxes.end(), AfterDoneBoxes.begin(), AfterDoneBoxes.end());
    boxes.insert(boxes.end(), OverwriteBoxes.begin(), OverwriteBoxes.end());
    boxes.push_back(chkThreadMode);
    boxes.push_back(chkPreview);
    return boxes;
}

TForm5::TSnapshot TForm5::Take() const
{
    TSnapshot state;
    for (TbsSkinCheckRadioBox* b : Boxes())
        state.Checked.push_back(b->Checked());
    state.ThreadIndex = bsSkinComboBox2->ItemIndex();
    return state;
}

void TForm5::Restore(const TSnapshot& AState)
{
    std::vector<TbsSkinCheckRadioBox*> boxes = Boxes();
    // Checked boxes first, so that a radio group never passes through "none".
    for (size_t i = 0; i < boxes.size(); ++i)
        if (AState.Checked[i] && boxes[i]->Checked() != AState.Checked[i])
            boxes[i]->SetChecked(true);
    for (size_t i = 0; i < boxes.size(); ++i)
        if (!AState.Checked[i] && boxes[i]->Checked())
            boxes[i]->SetChecked(false);
    bsSkinComboBox2->SetItemIndex(AState.ThreadIndex);
}

TModalResult TForm5::Execute()
{
    FOpened = Take();
    TModalResult result = ShowModal();
    if (result != mrOk)
        Restore(FOpened);
    return result;
}

void TForm5::DoShow()
{
    FitClientSize(*this, DesignWidth, DesignHeight);
    TForm::DoShow();
}
