#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/jobs/JobControl.h"
#include "platform/ui/forms/Forms.h"

class TbsFormFrame;
class TbsSkinButton;
class TbsSkinComboBox;
class TbsSkinPageControl;
class TbsSkinTabSheet;
class TbsSkinCheckRadioBox;
class TbsSkinGroupBox;
class TbsSkinStdLabel;
class TButton;
class TComboBox;
class TPageControl;
class TPanel;
class TTabSheet;

// The options dialog "选项": thread priority, thread count, live preview, the
// action after all files are done and the choice for existing output files.
// Its controls are the live settings: the main window reads them when it
// needs them. "确定" writes [Options] of "option.ini"; "取消" puts every
// control back as it was when the dialog opened and writes nothing.
class TForm5 : public TForm {
public:
    explicit TForm5(TComponent* AOwner);
    static constexpr int DesignWidth = 542, DesignHeight = 550;

    // ---- what the main window reads ----
    TThreadPriority Priority() const;
    bool ThreadMode() const;
    std::string ThreadCountText() const;
    TAfterDone AfterDone() const;
    bool OverwriteFiles() const;   // "直接覆盖输出文件"
    bool LivePreview() const;

    // The live-preview box acts at once: the main window switches the
    // conversion's preview with it.
    std::function<void(bool AOn)> OnLivePreview;

    // ---- the commands ----
    void Button1Click(TObject* Sender);   // "读取ini": load the section
    void Button2Click(TObject* Sender);   // "写ini": write the section

    // The controls, in stored order.
    TbsFormFrame* bsBusinessSkinForm1 = nullptr;
    TbsSkinPageControl* bsSkinPageControl1 = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet1 = nullptr;   // "CPU设置"
    TbsSkinGroupBox* bsSkinGroupBox1 = nullptr;   // "转换时CPU利用方式"
    std::array<TbsSkinCheckRadioBox*, 4> PriorityBoxes{};   // idle, lowest, lower, normal
    TbsSkinGroupBox* bsSkinGroupBox2 = nullptr;   // "转换参数"
    TbsSkinStdLabel* bsSkinStdLabel1 = nullptr;
    TbsSkinComboBox* bsSkinComboBox2 = nullptr;   // thread count "1" to "19"
    TbsSkinCheckRadioBox* chkThreadMode = nullptr;
    TbsSkinCheckRadioBox* chkPreview = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet2 = nullptr;   // "常规设置"
    TbsSkinGroupBox* bsSkinGroupBox3 = nullptr;   // "转换工作完成后"
    std::array<TbsSkinCheckRadioBox*, 4> AfterDoneBoxes{};   // folder, shut down, sound, nothing
    TbsSkinGroupBox* bsSkinGroupBox4 = nullptr;   // "如果输出文件存在时"
    std::array<TbsSkinCheckRadioBox*, 2> OverwriteBoxes{};   // overwrite, rename
    TbsSkinButton* bsSkinButton1 = nullptr;   // "确定"
    TbsSkinButton* bsSkinButton2 = nullptr;   // "取消"
    TPanel* Panel1 = nullptr;                 // hidden command panel
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;

    // Shows the dialog modally; anything but "确定" restores the controls
    // as they were when it opened. Returns the modal result.
    TModalResult Execute();

private:
    struct TSnapshot {
        std::vector<bool> Checked;
        int ThreadIndex = 0;
    };
    std::vector<TbsSkinCheckRadioBox*> Boxes() const;
    TSnapshot Take() const;
    void Restore(const TSnapshot& AState);
    void FormCreate(TObject* Sender);

    TSnapshot FOpened;
protected:
    void DoShow() override;
};

extern TForm5* Form5;
