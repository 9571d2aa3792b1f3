#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/jobs/JobControl.h"
#include "app/presets/ComboModels.h"
#include "app/presets/PresetCascade.h"
#include "app/presets/PresetCategories.h"
#include "app/presets/PresetParameters.h"
#include "engine/loader/Loader.h"
#include "engine/task/FFConverter.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/Path.h"
#include "platform/core/Thread.h"
#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"

namespace jobtest {

using namespace std::chrono_literals;

// The job list view: counts what it was told.
struct TFakeView : TJobListView {
    int RowsChanges = 0;
    int RowChanges = 0;
    int Selection = -1;
    int Focus = 0;
    void RowsChanged() override { ++RowsChanges; }
    void RowChanged(int ARow) override {
        ++RowChanges;
        if (OnRowChanged)
            OnRowChanged(ARow);
    }
    std::function<void(int)> OnRowChanged;
    void SelectionChanged(int ARow) override { Selection = ARow; }
    void FocusList() override { ++Focus; }
};

struct TShownMessage {
    std::string Text, Caption;
    TMessageKind Kind;
};

struct TFakeMessages : TMessageBoxFace {
    std::vector<TShownMessage> Shown;
    void ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind AKind) override {
        Shown.push_back({AText, ACaption, AKind});
    }
};

// The dialogs answer with what the test queued; an empty queue is a cancel.
struct TFakeDialogs : TJobDialogs {
    std::deque<std::vector<std::string>> Answers;
    bool Next(std::vector<std::string>& AOut) {
        if (Answers.empty())
            return false;
        AOut = Answers.front();
        Answers.pop_front();
        return true;
    }
    bool OpenFile(std::string& AFile) override {
        std::vector<std::string> a;
        if (!Next(a) || a.empty())
            return false;
        AFile = a[0];
        return true;
    }
    bool OpenFiles(std::vector<std::string>& AFiles) override { return Next(AFiles); }
    bool SelectFolder(std::string& AFolder) override { return OpenFile(AFolder); }
};

struct TFakeAfterDone : TAfterDoneActions {
    std::vector<std::string> Calls;
    void OpenFolder(const std::string& AFolder) override { Calls.push_back("open " + AFolder); }
    void PowerOff() override { Calls.push_back("poweroff"); }
    void PlayPromptSound() override { Calls.push_back("sound"); }
};

// A clip with a picture and a tone; AFrames at 25 per second.
inline void WriteClip(const std::string& APath, int AFrames, int AWidth = 64, int AHeight = 48, bool AAudio = true) {
    testmedia::TMediaPlan plan;
    plan.Video.push_back({});
    plan.Video[0].Frames = AFrames;
    plan.Video[0].Width = AWidth;
    plan.Video[0].Height = AHeight;
    if (AAudio) {
        plan.Audio.push_back({});
        plan.Audio[0].Samples = AFrames * 22050 / 25;
    }
    testmedia::WriteMediaFile(APath, plan);
}

// Waits in the main thread, serving its calls, until the condition holds.
template <typename F>
bool WaitUntil(F&& ACondition, std::chrono::milliseconds ALimit = 60000ms) {
    const auto end = std::chrono::steady_clock::now() + ALimit;
    while (!ACondition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        ProcessMessages();
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// The control with every face faked, the real preset cascade over memory
// combos (category 0, its format 0 at start), an input and an output folder.
class JobControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
        for (int i = 0; i < OptionKindCount; ++i)
            Combos[i] = std::make_unique<TMemoryOptionCombo>();
        TPresetCascade::FillCategoryList(Categories);
        Cascade = std::make_unique<TPresetCascade>(
            Categories, Formats,
            std::array<TOptionComboModel*, OptionKindCount>{Combos[0].get(), Combos[1].get(), Combos[2].get(),
                                                             Combos[3].get(), Combos[4].get(), Combos[5].get()},
            Preset);
        Cascade->ApplyPresetParameters = [](int key, TCurrentPreset& preset, TPresetJobRow* row) {
            ApplyPresetParameters(key, preset);
            if (row) {
                const auto columns = PresetRowColumns(preset);
                for (int i = 0; i < 14; ++i)
                    row->SetSubItem(11 + i, columns[i]);
            }
        };
        Cascade->Start();
        Source = std::make_unique<TCascadePresetSource>(*Cascade, Preset);
        Converter = std::make_unique<TFFConverter>(nullptr);
        Converter->SetProgressInterval(100);
        Control = std::make_unique<TJobControl>(*Converter, View, *Source, Dialogs, Messages, AfterDone);
        Options.OutputFolder = OutFolder.Path();
        Control->Options = [this] { return Options; };
        Control->OnLog = [this](const std::string& ALine) { LogLines.push_back(ALine); };
        Cascade->SelectedRow = [this]() -> TPresetJobRow* { return Control->List().SelectedRow(); };
    }
    void TearDown() override {
        Control.reset();
        Converter.reset();
    }

    // Chooses a preset as the user does: the category, then the format.
    void Choose(int AKey) {
        Cascade->SelectedRow = [] { return static_cast<TPresetJobRow*>(nullptr); };
        Categories.SetItemIndex(CategoryItemOfCode(CategoryCodeOfKey(AKey)));
        Formats.SetItemIndex(FormatIndexOfKey(AKey));
        Cascade->SelectedRow = [this]() -> TPresetJobRow* { return Control->List().SelectedRow(); };
        ASSERT_EQ(Cascade->CurrentKey(), AKey);
    }

    std::string In(const std::string& AName) const { return InFolder.File(AName); }
    std::string Cell(int ARow, int AColumn) const { return Control->List().Row(ARow).SubItem(AColumn); }
    int Rows() const { return Control->List().Count(); }
    bool WaitDone(std::chrono::milliseconds ALimit = 120000ms) {
        return WaitUntil([&] { return !Control->Busy(); }, ALimit);
    }
    bool Logged(const std::string& APart) const {
        for (const std::string& line : LogLines)
            if (line.find(APart) != std::string::npos)
                return true;
        return false;
    }

    testmedia::TTempFolder InFolder;
    testmedia::TTempFolder OutFolder;
    TMemoryPresetListCombo Categories, Formats;
    std::array<std::unique_ptr<TMemoryOptionCombo>, OptionKindCount> Combos;
    TCurrentPreset Preset;
    std::unique_ptr<TPresetCascade> Cascade;
    std::unique_ptr<TCascadePresetSource> Source;
    std::unique_ptr<TFFConverter> Converter;
    TFakeView View;
    TFakeMessages Messages;
    TFakeDialogs Dialogs;
    TFakeAfterDone AfterDone;
    TJobOptions Options;
    std::unique_ptr<TJobControl> Control;
    std::vector<std::string> LogLines;
};

} // namespace jobtest
