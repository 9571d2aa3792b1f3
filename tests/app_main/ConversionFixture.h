#pragma once
// The main window with the engine's libraries, a folder of generated media and
// a fake for the action after all files are done.
#include "MainFixture.h"

#include <chrono>
#include <thread>

#include "app/jobs/JobColumns.h"
#include "engine/loader/Loader.h"
#include "engine/util/MiscUtils.h"
#include "platform/ui/controls/ListView.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/boxes/SkinComboBox.h"
#include "engine/task/FFConverter.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPanel.h"
#include "tests/media/MediaWriter.h"

namespace maintest {

using namespace std::chrono_literals;

class ConversionControlTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
        Start();
        Form1->Faces().AfterDone = std::make_unique<TFakeAfterDone>(AfterDoneCalls);
    }

    std::string Clip(const std::string& AName, int AFrames = 10, int AWidth = 64, int AHeight = 48)
    {
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].Frames = AFrames;
        plan.Video[0].Width = AWidth;
        plan.Video[0].Height = AHeight;
        plan.Audio.push_back({});
        plan.Audio[0].Samples = AFrames * 22050 / 25;
        const std::string path = Media.File(AName);
        testmedia::WriteMediaFile(path, plan);
        return path;
    }

    // Adds the files of the media folder through 文件 › 添加整个目录.
    void AddFolder()
    {
        Dialogs->Answers.push_back({Media.Path()});
        Form1->N21->Click();
        Pump();
    }

    // Waits with the message loop served; the headless clock moves only while something sleeps.
    bool WaitUntil(const std::function<bool()>& ADone, std::chrono::seconds ALimit = 120s)
    {
        for (auto end = std::chrono::steady_clock::now() + ALimit; std::chrono::steady_clock::now() < end;) {
            if (ADone())
                return true;
            Pump();
            std::this_thread::sleep_for(2ms);
        }
        return ADone();
    }
    bool WaitIdle() { return WaitUntil([this] { return !Form1->Jobs().Busy(); }); }

    int Rows() const { return Form1->lvFiles->Items().Count(); }
    std::string Cell(int ARow, int AColumn) const
    {
        TListItem* item = Form1->lvFiles->Items()[ARow];
        return AColumn == 0 ? item->Caption() : item->SubItems()[AColumn - 1];
    }
    std::vector<std::string> Captions() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < Rows(); ++i)
            names.push_back(ExtractFileName(Cell(i, 0)));
        return names;
    }
    int RowsAt100() const
    {
        int n = 0;
        for (int i = 0; i < Rows(); ++i)
            n += Cell(i, 4) == "100%";
        return n;
    }

    testmedia::TTempFolder Media;
    std::vector<std::string> AfterDoneCalls;
};

} // namespace maintest
