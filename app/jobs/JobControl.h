#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/jobs/JobFaces.h"
#include "app/jobs/JobList.h"
#include "app/jobs/JobMessages.h"
#include "app/jobs/JobPreset.h"
#include "app/jobs/JobSlots.h"
#include "engine/util/Records.h"
#include "platform/core/Thread.h"

class TCustomFFConverter;

inline constexpr const char* ApplicationTitle = "ZarvoMPG格式转换器";

enum class TAfterDone { OpenFolder, PowerOff, PlaySound, Nothing };

// The settings the control reads at the moment of use (options dialog and
// output folder).
struct TJobOptions {
    std::string OutputFolder;
    bool Overwrite = false;              // "直接覆盖输出文件"
    bool ThreadMode = true;              // the multi-thread box
    std::string ThreadCount = "1";       // the thread-count list's text, "1" to "19"
    TThreadPriority Priority = tpNormal;
    TAfterDone AfterDone = TAfterDone::OpenFolder;
};

enum class TJobState { Idle, Converting, Paused, Done };

// Which commands the user can give now; the main window enables its buttons
// and menu items from it.
struct TJobCommands {
    bool Add = false, Remove = false, Rename = false, Clear = false;
    bool Start = false, Stop = false, Pause = false, Resume = false;
    bool Move = false;       // "上移" and "下移": never while converting
    bool Settings = false;   // the preset lists, the option combos and "浏览"
};

enum class TRenameResult { Renamed, Empty, Refused };

// The job list and the conversion of it: adding files, several files or a
// folder; removing, clearing, moving and renaming rows; starting, pausing,
// resuming and stopping the conversion; the progress and end of every job and
// the action after all are done. Every row is one job with its own records
// (TJobSlots); the engine's tasks are built from the rows at each start, and
// its events reach the rows through the job of each task, not a row number.
// Runs in the main thread.
class TJobControl {
public:
    TJobControl(TCustomFFConverter& AConverter, TJobListView& AView, TJobPresetSource& APresets,
                TJobDialogs& ADialogs, TMessageBoxFace& AMessages, TAfterDoneActions& AAfterDone);
    ~TJobControl();
    TJobControl(const TJobControl&) = delete;
    TJobControl& operator=(const TJobControl&) = delete;

    // Read at the moment of use; without it the defaults of TJobOptions.
    std::function<TJobOptions()> Options;
    // A stop runs it once the engine has stopped, before the tasks are
    // deleted: the main window stops its preview and lets a second pass.
    std::function<void()> OnEngineStopped;
    // The folder the media libraries are loaded from; the program's "LibAV" by default.
    std::string LibraryPath;

    // ---- the list ----
    void AddFile();     // one file through the open dialog
    void AddFiles();    // several files, added from the last chosen to the first
    void AddFolder();   // every file of a folder, from the last to the first
    // The add itself, for files already chosen: taken in the order given.
    // Returns the number of rows added.
    int AddFileList(const std::vector<std::string>& AFiles, bool AFolderAdd);
    void Remove();
    void Clear();
    void MoveUp();
    void MoveDown();
    void SelectRow(int AIndex);
    // The text the rename editor starts with: the output name without its extension.
    std::string RenameText() const;
    // Renames the selected row's output file to the text plus the row's extension.
    // AQuiet: no message without a selection (the double click).
    TRenameResult Rename(const std::string& AText, bool AQuiet = false);

    // ---- the conversion ----
    bool Start();
    void Stop();
    void Pause();
    void Resume();
    // Closing the window: the events are detached first, so a conversion cut
    // short this way runs no after-done action.
    void Shutdown();
    // The engine log handler's line.
    void EngineLog(uint32_t AThreadId, int ALevel, const std::string& AMessage);

    // ---- state ----
    const TJobList& List() const { return FList; }
    TJobList& List() { return FList; }
    const TJobSlots& Slots() const { return FSlots; }
    TJobState State() const { return FState; }
    bool Busy() const { return FState == TJobState::Converting || FState == TJobState::Paused; }
    TJobCommands Commands() const;

    // The add commands' and the engine's log lines.
    std::function<void(const std::string& ALine)> OnLog;
    // A row was selected by the control (after an add or a remove): the main
    // window replays its preset choices and opens it in the preview.
    std::function<void(int ARow)> OnRowSelected;
    // The list became empty: the preview stops.
    std::function<void()> OnListEmptied;
    // The commands or the state changed.
    std::function<void()> OnCommandsChanged;

private:
    enum class TAddResult { Added, Skipped, StopAll };
    TAddResult AddOne(const std::string& AFileName, bool AFolderAdd, TRefusals& ARefusals);
    // Whether a name reaches the input file of a row or AAlsoInput: such a
    // name is never an output, whatever the overwrite setting.
    bool IsAnInput(const std::string& AName, const std::string& AAlsoInput = "") const;
    TJobOptions CurrentOptions() const { return Options ? Options() : TJobOptions(); }
    // Starting a run: the converter's settings, every row's task, then the converter.
    bool PrepareRun(const TJobOptions& AOptions);
    void QueueJob(int AIndex, const TJobOptions& AOptions, std::set<std::string>& AClaimed, TRefusals& ASkipped);
    void SkipJob(int AIndex, const std::string& AFileName, const std::string& AReason, TRefusals& ASkipped);
    bool RunTasks(const TJobOptions& AOptions);
    bool LoadLibraries();
    bool NameTaken(const std::string& AName, const TJobRow* AExcept) const;
    std::string OutputPath(const std::string& AFolder, const std::string& AName) const;
    void Log(const std::string& ALine) const;
    void LogBlock(const std::string& ALine) const;
    void Select(int AIndex);
    void Changed();
    void Message(const std::string& AText, TMessageKind AKind = TMessageKind::Information) const;
    void Move(int ADelta);

    void Progress(const TProgressInfo& AInfo);
    void Terminate(const TTerminateInfo& AInfo);
    void AllDone();
    TJobRow* RowOfTask(int ATaskIndex);

    TCustomFFConverter& FConverter;
    TJobListView& FView;
    TJobPresetSource& FPresets;
    TJobDialogs& FDialogs;
    TMessageBoxFace& FMessages;
    TAfterDoneActions& FAfterDone;

    TJobList FList;
    TJobSlots FSlots;
    int FNextJobId = 1;
    TJobState FState = TJobState::Idle;
    bool FEditRows = false;        // "删除" and "重命名": on after an add or a removal, off after a run
    // The run under way: the job and the output options of every task.
    bool FRunActive = false;
    bool FUserStopped = false;
    std::vector<int> FTaskJobs;
    std::vector<TOutputOptions> FTaskOutputs;
    std::vector<bool> FTaskEnded;   // a late progress report never overwrites how a job ended
};
