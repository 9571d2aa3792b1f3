#include "tests/app_preview/PreviewFixture.h"

#include <chrono>
#include <cstdlib>
#include <map>
#include <thread>

#include "platform/core/SysUtils.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "resources/pictures/ResourcePictures.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSlider.h"
#include "skin/menus/SkinMenu.h"
#include "tests/media/FramePattern.h"

using namespace testmedia;

bool TRecordingPreviewHost::SelectFolder(const std::string&, std::string& AFolder) {
    ++FolderDialogs;
    if (ChosenFolder.empty())
        return false;
    AFolder = ChosenFolder;
    return true;
}

bool TRecordingPreviewHost::SavePictureFileName(std::string& AFileName) {
    if (ChosenPicture.empty())
        return false;
    AFileName = ChosenPicture;
    return true;
}

int TRecordingPreviewHost::Count(const std::string& ALine) const {
    int n = 0;
    for (const std::string& line : Log)
        n += line == ALine;
    return n;
}

std::string TRecordingPreviewHost::LogText() const {
    std::string text;
    for (const std::string& line : Log)
        text += line + "\n";
    return text;
}

const TSample& PreviewPanelTest::Sample(TSampleKind AKind) {
    static TTempFolder folder;
    static std::map<TSampleKind, TSample> samples;
    auto found = samples.find(AKind);
    if (found == samples.end())
        found = samples.emplace(AKind, MakeSample(folder.Path(), AKind)).first;
    return found->second;
}

void PreviewPanelTest::SetUp() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (const char* home = getenv("HOME"))
        SavedHome = home;
    setenv("HOME", Temp.Path().c_str(), 1);
    Host.SettingsFile = Temp.File("option.ini");

    Backend = &UseHeadlessBackend();
    Application->Initialize();
    SetSliderPictureLoader([](const std::string& AName, TBitmap& APicture) { return FindResBitmap(AName, APicture); });
    Form = NewForm<TForm>(nullptr, TFormCreation::New);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(40, 40, 420, 320);

    auto* group = new TbsSkinGroupBox(Form);
    group->SetParent(Form);
    group->SetBounds(8, 8, 262, 250);
    group->SetCaption("视频预览");

    Panel6 = new TPanel(Form);
    Panel6->SetName("Panel6");
    Panel6->SetParent(group);
    Panel6->SetBounds(10, 22, 240, 145);
    Panel6->SetColor(RGB(16, 16, 16));
    Controls.Panel6 = Panel6;

    Slider = new TbsSkinSlider(Form);
    Slider->SetParent(group);
    Slider->SetBounds(10, 170, 241, 20);
    Controls.bsSkinSlider1 = Slider;

    const std::pair<TControl**, const char*> buttons[] = {
        {&Controls.bsSkinButton13, "播放"}, {&Controls.bsSkinButton14, "暂停"}, {&Controls.bsSkinButton15, "停止"},
        {&Controls.bsSkinButton16, "静音"}, {&Controls.bsSkinButton20, "静音"}, {&Controls.bsSkinButton22, "快照"},
        {&Controls.bsSkinButton23, "设置"}};
    int x = 10;
    for (const auto& [slot, hint] : buttons) {
        auto* button = new TbsSkinButton(Form);
        button->SetParent(group);
        button->SetBounds(x, 196, 30, 22);
        button->SetHint(hint);
        *slot = button;
        x += slot == &Controls.bsSkinButton16 ? 0 : 34;  // the mute pair shares a place
    }
    Controls.bsSkinButton20->SetVisible(false);

    Menu = new TbsSkinPopupMenu(Form);
    auto addItem = [](TMenuItem* AParent, const std::string& ACaption) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(ACaption);
        AParent->Add(item);
        return item;
    };
    Controls.bsSkinPopupMenu2 = Menu;
    Controls.MenuItem1 = addItem(Menu->Items(), "打开快照目录");
    Controls.MenuItem2 = addItem(Menu->Items(), "设置快照目录");
    addItem(Menu->Items(), "-");
    TMenuItem* types = addItem(Menu->Items(), "快照保存类型");
    TMenuItem** typeItems[] = {&Controls.BMP1, &Controls.JPG1, &Controls.GIF1, &Controls.PNG1};
    const char* captions[] = {"BMP文件", "JPG文件", "GIF文件", "PNG文件"};
    for (int i = 0; i < 4; ++i) {
        *typeItems[i] = addItem(types, captions[i]);
        (*typeItems[i])->SetRadioItem(true);
    }
    Controls.BMP1->SetChecked(true);

    // The off-screen command panel with the player's settings.
    auto* offscreen = new TPanel(Form);
    offscreen->SetParent(Form);
    offscreen->SetBounds(1000, 0, 300, 200);
    auto* button31 = new TButton(Form);
    button31->SetParent(offscreen);
    button31->SetCaption("打开播放视频");
    Controls.Button31 = button31;
    Screens = new TComboBox(Form);
    Screens->SetParent(offscreen);
    Screens->SetStyle(csDropDownList);
    Screens->Items().Add("Panel6");
    Screens->SetItemIndex(0);
    Controls.cboScreens = Screens;
    auto* openPaused = new TCheckBox(Form);
    openPaused->SetParent(offscreen);
    openPaused->SetCaption("Open Paused");
    openPaused->SetChecked(true);
    Controls.chkOpenPaused = openPaused;
    auto* volume = new TTrackBar(Form);
    volume->SetParent(offscreen);
    volume->SetMax(128);
    volume->SetPosition(128);
    Controls.TrackBar2 = volume;
    for (TControl** label : {&Controls.Label2, &Controls.Label3}) {
        auto* l = new TLabel(Form);
        l->SetParent(offscreen);
        l->SetCaption("N/A");
        *label = l;
    }
    for (TCustomComboBox** list : {&Controls.cboVideo, &Controls.cboAudio, &Controls.cboSubtitle}) {
        auto* c = new TComboBox(Form);
        c->SetParent(offscreen);
        c->SetStyle(csDropDownList);
        *list = c;
    }
    Form->Show();
    Pump();
    Panel = std::make_unique<TPreviewPanel>(Controls, Host);
}

void PreviewPanelTest::TearDown() {
    Panel.reset();
    delete Form;
    SetSliderPictureLoader(nullptr);
    UseHeadlessBackend();
    if (SavedHome.empty())
        unsetenv("HOME");
    else
        setenv("HOME", SavedHome.c_str(), 1);
}

void PreviewPanelTest::Pump() {
    Application->ProcessMessages();
}

bool PreviewPanelTest::WaitFor(const std::function<bool()>& ACondition, int ATimeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ATimeoutMs);
    while (!ACondition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        Backend->Advance(2);
    }
    return true;
}

bool PreviewPanelTest::WaitForLog(const std::string& ALine, int ACount, int ATimeoutMs) {
    return WaitFor([&] { return Host.Count(ALine) >= ACount; }, ATimeoutMs);
}

void PreviewPanelTest::SelectFile(const std::string& AFileName) {
    Panel->SetMovieFileName(AFileName);
    Controls.Button31->Click();
}

void PreviewPanelTest::Click(TControl* AControl, int AX, int AY) {
    const TPoint p = AControl->ClientToScreen(TPoint{AX, AY});
    Backend->MouseMove(p.X, p.Y);
    Pump();
    Backend->MouseDown(p.X, p.Y);
    Pump();
    Backend->MouseUp(p.X, p.Y);
    Pump();
}

int PreviewPanelTest::ShownFrame() {
    TBitmap* bitmap = Panel->FFPlayer().CurrentFrame();
    if (bitmap->Empty())
        return -1;
    return ReadFrameNumberFromBGR(bitmap->Width(), bitmap->Height(), [&](int y) { return bitmap->ScanLine(y); });
}

int PreviewPanelTest::HeldFrame() {
    WaitFor([&] { return ShownFrame() >= 0; });
    WaitFor([] { return false; }, 150);
    const int shown = ShownFrame();
    WaitFor([] { return false; }, 200);
    EXPECT_EQ(ShownFrame(), shown) << "paused, the picture stays";
    return shown;
}

TColor PreviewPanelTest::ScreenPixel(int AX, int AY) {
    const TPoint p = Panel6->ClientToScreen(TPoint{AX, AY});
    return Backend->CaptureWindow(Form->Handle())->GetPixel(p.X - Form->Left(), p.Y - Form->Top()) & 0xFFFFFF;
}
