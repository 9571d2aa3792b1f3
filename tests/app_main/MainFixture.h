#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "app/about/AboutForm.h"
#include "app/main/MainFaces.h"
#include "app/main/MainForm.h"
#include "app/main/Startup.h"
#include "app/options/OptionsForm.h"
#include "app/output/OutputSettingsForm.h"
#include "app/settings/SettingsFile.h"
#include "platform/core/IniFile.h"
#include "platform/core/Path.h"
#include "platform/core/Thread.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/forms/Application.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/data/SkinFormLink.h"
#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"

namespace maintest {

// The message box: records what it was asked to show.
struct TRecordedMessages : TMessageBoxFace {
    std::vector<std::string>* Shown;
    explicit TRecordedMessages(std::vector<std::string>& AShown) : Shown(&AShown) {}
    void ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind) override
    {
        Shown->push_back(ACaption + ": " + AText);
    }
};

// The action after all files are done: records what it was asked to do.
struct TFakeAfterDone : TAfterDoneActions {
    std::vector<std::string>* Calls;
    explicit TFakeAfterDone(std::vector<std::string>& ACalls) : Calls(&ACalls) {}
    void OpenFolder(const std::string& AFolder) override { Calls->push_back("open " + AFolder); }
    void PowerOff() override { Calls->push_back("poweroff"); }
    void PlayPromptSound() override { Calls->push_back("sound"); }
};

// A two-frame 32 x 24 video clip at APath, its folder made: enough to add and to show.
inline std::string WriteSmallClip(const std::string& APath)
{
    testmedia::TMediaPlan plan;
    plan.Video.push_back({});
    plan.Video[0].Frames = 2;
    plan.Video[0].Width = 32;
    plan.Video[0].Height = 24;
    ForceDirectories(ExtractFileDir(APath));
    testmedia::WriteMediaFile(APath, plan);
    return APath;
}

// The program's forms on a fresh headless screen, with the home folder and
// the settings folder in a temporary folder of the test's own.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Backend = &UseHeadlessBackend();
        FOldHome = GetEnv("HOME");
        setenv("HOME", Home.Path().c_str(), 1);
        SetProgramSettings(SettingsPath());
    }

    void TearDown() override
    {
        delete Form6;
        Form6 = nullptr;
        delete Form5;
        Form5 = nullptr;
        delete Form2;
        Form2 = nullptr;
        delete Form1;
        Form1 = nullptr;
        Application->SetMainForm(nullptr);
        SetSkinFormLink({});
        UseHeadlessBackend();
        setenv("HOME", FOldHome.c_str(), 1);
    }

    static std::string GetEnv(const char* AName)
    {
        const char* v = std::getenv(AName);
        return v ? v : "";
    }

    std::string SettingsPath() const { return Home.File("config/option.ini"); }
    std::string Ini(const std::string& ASection, const std::string& AKey) const
    {
        TIniFile ini(SettingsPath());
        return ini.ReadString(ASection, AKey, "<absent>");
    }
    void WriteIni(const std::string& ASection, const std::string& AKey, const std::string& AValue) const
    {
        ForceDirectories(ExtractFileDir(SettingsPath()));
        TIniFile ini(SettingsPath());
        ini.WriteString(ASection, AKey, AValue);
    }

    // Builds the forms as the program does and shows the main window.
    void Start()
    {
        CreateProgramForms();
        auto dialogs = std::make_unique<TQueuedDialogs>();
        Dialogs = dialogs.get();
        Form1->Faces().Dialogs = std::move(dialogs);
        Form1->Faces().Messages = std::make_unique<TRecordedMessages>(Messages);
        Form1->Show();
        Pump();
    }

    void Pump() { Application->ProcessMessages(); }

    // Runs AInside once AForm is shown and its modal loop serves messages.
    static void WhenModal(TForm* AForm, std::function<void()> AInside)
    {
        AForm->OnShow = [AForm, AInside](TObject*) {
            std::function<void()> inside = AInside;
            TForm* form = AForm;
            form->OnShow = nullptr;   // ends this lambda: only the copies are used below
            TThread::ForceQueue(nullptr, [inside] { inside(); });
        };
    }

    // A click of the left button at the middle of a control.
    void ClickOn(TControl* AControl)
    {
        TPoint p = AControl->ClientToScreen(TPoint{AControl->Width() / 2, AControl->Height() / 2});
        Backend->MouseMove(p.X, p.Y);
        Pump();
        Backend->Click(p.X, p.Y);
        Pump();
    }

    testmedia::TTempFolder Home;
    THeadlessBackend* Backend = nullptr;
    TQueuedDialogs* Dialogs = nullptr;
    std::vector<std::string> Messages;

private:
    std::string FOldHome;
};

} // namespace maintest
