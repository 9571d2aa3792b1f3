#include "app/jobs/JobControl.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "app/jobs/FolderFiles.h"
#include "app/jobs/JobTexts.h"
#include "app/jobs/RowOptions.h"
#include "app/presets/JobRowCodes.h"
#include "app/presets/LibraryFit.h"
#include "app/presets/PresetToOptions.h"
#include "app/presets/StreamRefusal.h"
#include "engine/probe/AVProbe.h"
#include "engine/task/FFConverter.h"
#include "engine/util/FileSafety.h"
#include "engine/util/MainThread.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

namespace {

const char* const HintCaption = "提示";
const char* const NoVideoInFolder = "在该目录没有发现可以用的视频或音频文件！";
const char* const NothingToRemove = "请先选择您需要删除的项目！";
const char* const NothingToRename = "请先选中您需要重命名的项目！";
const char* const ListFull = "列表中最多只能有501个文件，请先转换或删除一些文件！";
const char* const BadRenameText = "文件名不能包含路径分隔符或“..”，请重新输入！";
const char* const NameInUse = "该文件名已经存在，请换一个文件名！";
const char* const NothingToConvert = "没有可以转换的文件！";

// The most threads the options offer.
constexpr int MaxThreads = 19;

} // namespace

TJobControl::TJobControl(TCustomFFConverter& AConverter, TJobListView& AView, TJobPresetSource& APresets,
                         TJobDialogs& ADialogs, TMessageBoxFace& AMessages, TAfterDoneActions& AAfterDone)
    : LibraryPath(GetExePath() + "LibAV"), FConverter(AConverter), FView(AView), FPresets(APresets),
      FDialogs(ADialogs), FMessages(AMessages), FAfterDone(AAfterDone) {
    FConverter.OnProgress = [this](TObject*, PProgressInfo AInfo) {
        const TProgressInfo info = *AInfo;
        CallInMainThread([this, info] { Progress(info); });
    };
    FConverter.OnTerminate = [this](TObject*, const TTerminateInfo& AInfo) {
        const TTerminateInfo info = AInfo;
        CallInMainThread([this, info] { Terminate(info); });
    };
}

TJobControl::~TJobControl() {
    Shutdown();
}

// ---- helpers ----

void TJobControl::Log(const std::string& ALine) const {
    if (OnLog)
        OnLog(ALine);
}

// An entry of the add log: the line between two empty ones.
void TJobControl::LogBlock(const std::string& ALine) const {
    Log("");
    Log(ALine);
    Log("");
}

void TJobControl::Message(const std::string& AText, TMessageKind AKind) const {
    FMessages.ShowMessage(AText, AKind == TMessageKind::Warning ? ApplicationTitle : HintCaption, AKind);
}

void TJobControl::Changed() {
    if (OnCommandsChanged)
        OnCommandsChanged();
}

void TJobControl::Select(int AIndex) {
    FList.SetSelected(AIndex);
    FView.SelectionChanged(FList.Selected());
    FView.FocusList();
    if (FList.Selected() >= 0 && OnRowSelected)
        OnRowSelected(FList.Selected());
}

std::string TJobControl::OutputPath(const std::string& AFolder, const std::string& AName) const {
    return IncludeTrailingPathDelimiter(AFolder) + AName;
}

// A name is taken by a file or folder in the output folder, or by another row.
bool TJobControl::NameTaken(const std::string& AName, const TJobRow* AExcept) const {
    const std::string path = OutputPath(CurrentOptions().OutputFolder, AName);
    if (FileExists(path) || DirectoryExists(path))
        return true;
    for (int i = 0; i < FList.Count(); ++i)
        if (&FList.Row(i) != AExcept && FList.Row(i).SubItem(JobColumnOutputFile) == AName)
            return true;
    return false;
}

bool TJobControl::LoadLibraries() {
    if (FConverter.AVLibLoaded() || FConverter.LoadAVLib(LibraryPath))
        return true;
    Log(FConverter.LastErrMsg());
    return false;
}

TJobCommands TJobControl::Commands() const {
    TJobCommands c;
    const bool rows = FList.Count() > 0;
    const bool busy = Busy();
    c.Add = !busy;
    c.Settings = !busy;
    c.Move = !busy && rows;
    c.Clear = !busy && rows;
    c.Start = !busy && rows;
    c.Remove = c.Rename = !busy && rows && FEditRows;
    c.Stop = busy;
    c.Pause = FState == TJobState::Converting;
    c.Resume = FState == TJobState::Paused;
    return c;
}

// ---- adding ----

void TJobControl::AddFile() {
    if (Busy() || !LoadLibraries())
        return;
    std::string file;
    if (!FDialogs.OpenFile(file) || !FileExists(file))
        return;
    AddFileList({file}, false);
}

void TJobControl::AddFiles() {
    if (Busy() || !LoadLibraries())
        return;
    std::vector<std::string> files;
    if (!FDialogs.OpenFiles(files) || files.empty())
        return;
    std::reverse(files.begin(), files.end());
    AddFileList(files, false);
}

void TJobControl::AddFolder() {
    if (Busy() || !LoadLibraries())
        return;
    std::string folder;
    if (!FDialogs.SelectFolder(folder) || folder.empty() || !DirectoryExists(folder))
        return;
    std::vector<std::string> files = GetFilenames(folder, "*.*");
    std::reverse(files.begin(), files.end());
    AddFileList(files, true);
}

int TJobControl::AddFileList(const std::vector<std::string>& AFiles, bool AFolderAdd) {
    if (Busy() || !LoadLibraries())
        return 0;
    const int before = FList.Count();
    bool stopped = false;
    TRefusals refusals(AddRefusedHeading);
    for (const std::string& file : AFiles) {
        if (!AFolderAdd && !FileExists(file)) {
            stopped = true;
            break;
        }
        if (AddOne(file, AFolderAdd, refusals) == TAddResult::StopAll) {
            stopped = true;
            break;
        }
    }
    const int added = FList.Count() - before;
    if (added > 0) {
        FView.RowsChanged();
        Changed();
    }
    // One file selects its row once added; a list of files selects the last
    // row unless the command stopped early.
    const bool single = !AFolderAdd && AFiles.size() == 1;
    if (single ? added > 0 : !stopped && FList.Count() > 0)
        Select(FList.Count() - 1);
    // Shown once the list shows what was added.
    if (!refusals.Empty())
        Message(refusals.Text(), TMessageKind::Warning);
    else if (AFolderAdd && !stopped && added == 0)
        Message(NoVideoInFolder);
    return added;
}

bool TJobControl::IsAnInput(const std::string& AName, const std::string& AAlsoInput) const {
    if (!AAlsoInput.empty() && SameFile(AName, AAlsoInput))
        return true;
    for (int i = 0; i < FList.Count(); ++i)
        if (SameFile(AName, FList.Row(i).Caption()))
            return true;
    return false;
}

// A file the add refuses is named in the add's one message; the add goes on
// with the next file. Only what holds for every file stops the whole add.
TJobControl::TAddResult TJobControl::AddOne(const std::string& AFileName, bool AFolderAdd, TRefusals& ARefusals) {
    if (FList.Count() >= TJobSlots::Capacity || FSlots.Full()) {
        Message(ListFull);
        return TAddResult::StopAll;
    }
    TAVProbe* probe = FConverter.AVProbe();
    if (!probe->LoadFile(AFileName)) {
        LogBlock("***File load error: " + probe->LastErrMsg());
        // A folder holds whatever it holds: what is no media there was not chosen.
        if (!AFolderAdd)
            ARefusals.Add(AFileName, probe->LastErrMsg());
        return TAddResult::Skipped;
    }
    const int64_t duration = probe->FileStreamInfo().Duration;
    const int64_t size = probe->FileSize();
    const TSourceStreams streams{probe->VideoStreamCount() > 0, probe->AudioStreamCount() > 0};
    probe->CloseFile();

    const TJobOptions options = CurrentOptions();
    TOutputNameRule rule;
    rule.Folder = options.OutputFolder;
    rule.Overwrite = options.Overwrite;
    // Rows not yet converted hold their names: no two jobs write one file.
    std::set<std::string> reserved;
    for (int i = 0; i < FList.Count(); ++i)
        reserved.insert(OutputPath(options.OutputFolder, FList.Row(i).SubItem(JobColumnOutputFile)));
    rule.Reserved = [&](const std::string& AName) { return reserved.count(AName) > 0 || IsAnInput(AName, AFileName); };

    TJobPreset preset;
    std::string reason;
    try {
        if (!FPresets.PresetForFile(AFileName, rule, preset, reason)) {
            LogBlock("***Cannot do convert, error: " + reason);
            return TAddResult::StopAll;
        }
    } catch (const Exception& e) {
        LogBlock("***Cannot do convert, error: " + e.Message());
        ARefusals.Add(AFileName, e.Message());
        return TAddResult::Skipped;
    }
    const std::string outputName = preset.Preset.Video_OutPutFileName;

    TJobRecord record;
    InitInputOptions(record.Input);
    record.Input.FileName = AFileName;
    InitOutputOptions(record.Output);
    for (const std::string& note : PresetOutputOptions(preset.Preset, record.Output))
        Log(note);
    record.Output.FileName = outputName;
    std::string refusal = StreamRefusal(outputName, record.Output, streams);
    if (refusal.empty())
        refusal = KnownRefusal(outputName, record.Output);
    if (!refusal.empty()) {
        LogBlock("***Cannot do convert, error: " + refusal);
        ARefusals.Add(AFileName, refusal);
        return TAddResult::Skipped;
    }

    // The engine opens the input and takes the output as a task would; the
    // task itself is made again at the start, from the row.
    const int task = FConverter.AddTask(AFileName, &record.Input);
    if (task < 0) {
        LogBlock("***File open error: " + FConverter.LastErrMsg());
        ARefusals.Add(AFileName, FConverter.LastErrMsg());
        return TAddResult::Skipped;
    }
    Log("");
    if (TAVProbe* taskProbe = FConverter.GetTaskAVProbe(task, 0))
        Log(taskProbe->FileInfoText());
    // The engine checks the output as it will write it: its folder takes a
    // new file and it is no input. The output file itself is not touched.
    TOutputOptions check = record.Output;
    const bool outputOk = FConverter.SetOutputFile(task, outputName, &check);
    const std::string outputError = FConverter.LastErrMsg();
    FConverter.RemoveTask(task);
    if (!outputOk) {
        LogBlock("***Cannot do convert, error: " + outputError);
        ARefusals.Add(AFileName, outputError);
        return TAddResult::Skipped;
    }

    const int slot = FSlots.Take(record);
    TJobRow& row = FList.Add(FNextJobId++, slot);
    row.SetSubItem(JobColumnInputFile, AFileName);
    row.SetSubItem(JobColumnDuration, duration > 0 ? SecToDate(duration / 1000000) : "N/A");
    row.SetSubItem(JobColumnSize, SizeText(size));
    row.SetSubItem(JobColumnOutputFile, ExtractFileName(outputName));
    row.SetSubItem(JobColumnNumber, IntToStr(FList.Count()));
    row.SetSubItem(JobColumnSelectionCode, preset.SelectionCode);
    row.SetSubItem(JobColumnOptionCode, preset.OptionCode);
    for (int i = 0; i < 14; ++i)
        row.SetSubItem(JobColumnVideoCodec + i, preset.Columns[i]);
    FEditRows = true;
    LogBlock("***Can do convert.");
    return TAddResult::Added;
}

// ---- changing the list ----

void TJobControl::Remove() {
    if (Busy())
        return;
    const int index = FList.Selected();
    if (index < 0) {
        Message(NothingToRemove);
        return;
    }
    TJobRow& row = FList.Row(index);
    const int number = StrToIntDef(row.SubItem(JobColumnNumber), 0);
    FSlots.Release(row.Slot());
    FList.Delete(index);
    for (int i = 0; i < FList.Count(); ++i) {
        const int n = StrToIntDef(FList.Row(i).SubItem(JobColumnNumber), 0);
        if (n > number)
            FList.Row(i).SetSubItem(JobColumnNumber, IntToStr(n - 1));
    }
    FEditRows = FList.Count() > 0;
    FView.RowsChanged();
    Changed();
    if (FList.Count() > 0) {
        Select(0);
    } else {
        FView.SelectionChanged(-1);
        FView.FocusList();
        if (OnListEmptied)
            OnListEmptied();
    }
}

void TJobControl::Clear() {
    if (Busy())
        return;
    FList.Clear();
    FSlots.FreeAll();
    FEditRows = false;
    FView.RowsChanged();
    FView.SelectionChanged(-1);
    Changed();
    if (OnListEmptied)
        OnListEmptied();
}

void TJobControl::Move(int ADelta) {
    const int index = FList.Selected();
    // Never while converting: the rows would no longer match what the user sees converting.
    if (Busy() || index < 0 || index + ADelta < 0 || index + ADelta >= FList.Count())
        return;
    FList.Exchange(index, index + ADelta);
    FView.RowsChanged();
    Select(index + ADelta);
}

void TJobControl::MoveUp() {
    Move(-1);
}

void TJobControl::MoveDown() {
    Move(1);
}

void TJobControl::SelectRow(int AIndex) {
    Select(AIndex);
}

std::string TJobControl::RenameText() const {
    const TJobRow* row = FList.SelectedRow();
    if (!row)
        return "";
    const std::string name = row->SubItem(JobColumnOutputFile);
    const std::string ext = ExtractFileExt(name);
    return name.substr(0, name.size() - ext.size());
}

TRenameResult TJobControl::Rename(const std::string& AText, bool AQuiet) {
    TJobRow* row = FList.SelectedRow();
    if (Busy())
        return TRenameResult::Refused;
    if (!row) {
        if (!AQuiet)
            Message(NothingToRename);
        return TRenameResult::Refused;
    }
    if (AText.empty())
        return TRenameResult::Empty;
    // The name stays a plain name inside the output folder.
    if (AText.find('/') != std::string::npos || AText.find('\\') != std::string::npos ||
        AText.find("..") != std::string::npos || AText == ".") {
        Message(BadRenameText, TMessageKind::Warning);
        return TRenameResult::Refused;
    }
    const std::string current = row->SubItem(JobColumnOutputFile);
    const std::string name = AText + ExtractFileExt(current);
    if (name != current && NameTaken(name, row)) {
        Message(NameInUse, TMessageKind::Warning);
        return TRenameResult::Refused;
    }
    row->SetSubItem(JobColumnOutputFile, name);
    FView.RowChanged(FList.Selected());
    return TRenameResult::Renamed;
}

// ---- converting ----

bool TJobControl::Start() {
    if (Busy() || FList.Count() == 0)
        return false;
    const TJobOptions options = CurrentOptions();
    if (!PrepareRun(options))
        return false;
    std::set<std::string> claimed;  // output paths of the jobs of this run
    TRefusals skipped(StartRefusedHeading);
    for (int i = 0; i < FList.Count(); ++i)
        QueueJob(i, options, claimed, skipped);
    if (!skipped.Empty())
        Message(skipped.Text(), TMessageKind::Warning);
    if (FTaskJobs.empty()) {
        Message(NothingToConvert, TMessageKind::Warning);
        return false;
    }
    return RunTasks(options);
}

// The converter's settings for this run, and no tasks left of the one before.
bool TJobControl::PrepareRun(const TJobOptions& AOptions) {
    FConverter.ThreadPriority = AOptions.Priority;
    // The names below were chosen free with overwrite off; a file made under
    // one of them before its job begins is not written over either.
    FConverter.ReplaceExistingOutputs = AOptions.Overwrite;
    // The folder may have gone since start-up; without it every job would fail.
    ForceDirectories(AOptions.OutputFolder);
    try {
        FConverter.ClearTasks();
    } catch (const Exception& e) {
        Message(e.Message(), TMessageKind::Warning);
        return false;
    }
    FTaskJobs.clear();
    FTaskOutputs.clear();
    FTaskEnded.clear();
    return true;
}

// The row's job becomes a task of the converter, or is skipped with its reason.
void TJobControl::QueueJob(int AIndex, const TJobOptions& AOptions, std::set<std::string>& AClaimed,
                           TRefusals& ASkipped) {
    TJobRow& row = FList.Row(AIndex);
    for (int c = JobColumnProgress; c <= JobColumnDoneSize; ++c)
        row.SetSubItem(c, "");
    const TJobRecord& record = FSlots.Record(row.Slot());
    TInputOptions input = record.Input;
    input.FileName = row.Caption();
    TOutputOptions output = record.Output;
    ApplyRowColumns(row, output);

    // The name again, against the folder as it is now and the jobs before this one.
    std::string name = row.SubItem(JobColumnOutputFile);
    std::string path = OutputPath(AOptions.OutputFolder, name);
    TOutputNameRule rule;
    rule.Folder = AOptions.OutputFolder;
    rule.Overwrite = AOptions.Overwrite;
    // No job writes over an input of the list, through any name reaching it.
    rule.Reserved = [&](const std::string& AName) { return AClaimed.count(AName) > 0 || IsAnInput(AName); };
    try {
        path = BuildOutputName(path, ExtractFileExt(name), rule);
    } catch (const Exception& e) {
        SkipJob(AIndex, input.FileName, e.Message(), ASkipped);
        return;
    }
    if (ExtractFileName(path) != name)
        row.SetSubItem(JobColumnOutputFile, ExtractFileName(path));
    output.FileName = path;
    for (const std::string& note : FitOutputToLibraries(path, output))
        Log(note);

    const int task = FConverter.AddTask(input.FileName, &input);
    if (task < 0) {
        SkipJob(AIndex, input.FileName, FConverter.LastErrMsg(), ASkipped);
        return;
    }
    // The row may have moved to a preset its file cannot make since the add.
    std::string refusal;
    if (TAVProbe* taskProbe = FConverter.GetTaskAVProbe(task, 0))
        refusal = StreamRefusal(path, output,
                                TSourceStreams{taskProbe->VideoStreamCount() > 0, taskProbe->AudioStreamCount() > 0});
    if (!refusal.empty() || !FConverter.SetOutputFile(task, path, &output)) {
        const std::string reason = refusal.empty() ? FConverter.LastErrMsg() : refusal;
        FConverter.RemoveTask(task);
        SkipJob(AIndex, input.FileName, reason, ASkipped);
        return;
    }
    AClaimed.insert(path);
    FTaskJobs.push_back(row.JobId());
    FTaskOutputs.push_back(output);
    FTaskEnded.push_back(false);
    FView.RowChanged(AIndex);
}

void TJobControl::SkipJob(int AIndex, const std::string& AFileName, const std::string& AReason,
                          TRefusals& ASkipped) {
    ASkipped.Add(AFileName, AReason);
    FList.Row(AIndex).SetSubItem(JobColumnProgress, FailedProgressText);
    FView.RowChanged(AIndex);
}

// The converter runs the queued tasks on the chosen number of threads.
bool TJobControl::RunTasks(const TJobOptions& AOptions) {
    int threads = 1;
    if (AOptions.ThreadMode)
        threads = std::clamp(StrToIntDef(Trim(AOptions.ThreadCount), 1), 1, MaxThreads);
    FState = TJobState::Converting;
    FRunActive = true;
    FUserStopped = false;
    FEditRows = false;
    Changed();
    try {
        FConverter.Start(threads);
    } catch (const Exception& e) {
        FState = TJobState::Idle;
        FRunActive = false;
        Changed();
        Message(e.Message(), TMessageKind::Warning);
        return false;
    }
    return true;
}

void TJobControl::Pause() {
    if (FState != TJobState::Converting)
        return;
    FState = TJobState::Paused;
    Changed();
    FConverter.Pause();
}

void TJobControl::Resume() {
    if (FState != TJobState::Paused)
        return;
    FState = TJobState::Converting;
    Changed();
    FConverter.Resume();
}

void TJobControl::Stop() {
    if (!Busy())
        return;
    FUserStopped = true;
    FConverter.Stop(true);
    if (OnEngineStopped)
        OnEngineStopped();
    // The final end event may have come inside the wait; if not, it follows
    // soon, and the list is usable again only once it has.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (FRunActive && std::chrono::steady_clock::now() < limit) {
        ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (FRunActive)
        AllDone();
}

void TJobControl::Shutdown() {
    FConverter.OnProgress = nullptr;
    FConverter.OnTerminate = nullptr;
    FRunActive = false;
    FConverter.Stop(true);
    if (Busy()) {
        FState = TJobState::Done;
        Changed();
    }
}

void TJobControl::EngineLog(uint32_t AThreadId, int ALevel, const std::string& AMessage) {
    Log(EngineLogLine(AThreadId, ALevel, AMessage));
}

TJobRow* TJobControl::RowOfTask(int ATaskIndex) {
    if (ATaskIndex < 0 || ATaskIndex >= static_cast<int>(FTaskJobs.size()))
        return nullptr;
    const int index = FList.IndexOfJob(FTaskJobs[ATaskIndex]);
    return index >= 0 ? &FList.Row(index) : nullptr;
}

void TJobControl::Progress(const TProgressInfo& AInfo) {
    if (!FRunActive || AInfo.TaskIndex < 0 || AInfo.TaskIndex >= static_cast<int>(FTaskEnded.size()) ||
        FTaskEnded[AInfo.TaskIndex])
        return;
    TJobRow* row = RowOfTask(AInfo.TaskIndex);
    if (!row)
        return;
    row->SetSubItem(JobColumnProgress, ProgressText(AInfo.CurrentDuration, AInfo.TotalDuration));
    if (AInfo.FPS > 0)
        row->SetSubItem(JobColumnFPS, IntToStr(AInfo.FPS));
    row->SetSubItem(JobColumnTime, SecToDate(AInfo.CurrentDuration / 1000000));
    row->SetSubItem(JobColumnDoneSize, SizeText(AInfo.CurrentSize));
    FView.RowChanged(FList.IndexOfJob(row->JobId()));
}

void TJobControl::Terminate(const TTerminateInfo& AInfo) {
    if (AInfo.TaskIndex < 0) {
        AllDone();
        return;
    }
    if (!FRunActive)
        return;
    // The row says how its job ended, until the next start: "100%" only for a
    // job that finished and closed its file; a stopped job keeps how far it got.
    if (AInfo.TaskIndex < static_cast<int>(FTaskEnded.size()))
        FTaskEnded[AInfo.TaskIndex] = true;
    TJobRow* row = RowOfTask(AInfo.TaskIndex);
    if (row) {
        const std::string shown = row->SubItem(JobColumnProgress);
        if (AInfo.Exception)
            row->SetSubItem(JobColumnProgress, FailedProgressText);
        else if (AInfo.Finished)
            row->SetSubItem(JobColumnProgress, "100%");
        else if (!shown.empty())
            row->SetSubItem(JobColumnProgress, StoppedProgressText(shown));
        FView.RowChanged(FList.IndexOfJob(row->JobId()));
    }
    if (AInfo.Exception) {
        std::string text = ConversionFailureText("", TOutputOptions{}, AInfo.ExceptionMsg, AInfo.LibraryReason);
        std::string outputName;
        if (AInfo.TaskIndex < static_cast<int>(FTaskOutputs.size())) {
            const TOutputOptions& output = FTaskOutputs[AInfo.TaskIndex];
            outputName = output.FileName;
            text = ConversionFailureText(output.FileName, output, AInfo.ExceptionMsg, AInfo.LibraryReason);
        }
        // The warning names the file that failed and where it was going.
        text = JobFailedText(row ? row->Caption() : std::string(), outputName, text);
        FMessages.ShowMessage(text, ApplicationTitle, TMessageKind::Warning);
    }
}

void TJobControl::AllDone() {
    // Once per run, also when the final event comes inside a stop's wait.
    if (!FRunActive)
        return;
    FRunActive = false;
    FState = TJobState::Done;
    FEditRows = false;
    try {
        FConverter.ClearTasks();
    } catch (const Exception& e) {
        Log(e.Message());
    }
    FTaskJobs.clear();
    FTaskOutputs.clear();
    FTaskEnded.clear();
    Changed();
    const TJobOptions options = CurrentOptions();
    switch (options.AfterDone) {
    case TAfterDone::OpenFolder:
        FAfterDone.OpenFolder(options.OutputFolder);
        break;
    case TAfterDone::PowerOff:
        // The user who stopped the conversion is still at the machine.
        if (!FUserStopped)
            FAfterDone.PowerOff();
        break;
    case TAfterDone::PlaySound:
        FAfterDone.PlayPromptSound();
        break;
    case TAfterDone::Nothing:
        break;
    }
}
