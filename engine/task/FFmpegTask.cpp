#include "engine/task/FFmpegTask.h"

#include <utility>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

TFFmpeg::TFFmpeg(int AMaxFiles)
    : TCustomFFmpeg(AMaxFiles), FAVProbes(AMaxFiles), FInputOptions(AMaxFiles), FOutputOptions(AMaxFiles) {}

TFFmpeg::~TFFmpeg() {
    // The run must be over before the probes go, and they must go before the
    // job closes the inputs they adopted.
    Stop(true);
    ReleaseProbes();
}

TAVProbe* TFFmpeg::Probe(int AFileIndex, bool ACreate) {
    if (AFileIndex < 0 || AFileIndex >= MaxFiles())
        return nullptr;
    auto& probe = FAVProbes[AFileIndex];
    if (!probe && ACreate)
        probe = std::make_unique<TAVProbe>(nullptr);
    return probe.get();
}

void TFFmpeg::ReleaseProbes() {
    for (auto& probe : FAVProbes)
        if (probe && probe->FileHandle())
            probe->CloseFile();
}

void TFFmpeg::StoreInputOptions(int AIndex, const TInputOptions& AOptions) {
    auto& copy = FInputOptions.at(AIndex);
    if (!copy)
        copy = std::make_unique<TInputOptions>();
    *copy = AOptions;
}

void TFFmpeg::StoreOutputOptions(int AIndex, const TOutputOptions& AOptions) {
    auto& copy = FOutputOptions.at(AIndex);
    if (!copy)
        copy = std::make_unique<TOutputOptions>();
    *copy = AOptions;
}

void TFFmpeg::ClearInputOptions(int AIndex) {
    if (AIndex >= 0 && AIndex < MaxFiles() && FInputOptions[AIndex])
        InitInputOptions(*FInputOptions[AIndex]);
}

void TFFmpeg::ClearOutputOptions(int AIndex) {
    if (AIndex >= 0 && AIndex < MaxFiles() && FOutputOptions[AIndex])
        InitOutputOptions(*FOutputOptions[AIndex]);
}

void TFFmpegList::Check(int AIndex) const {
    if (AIndex < 0 || AIndex >= Count())
        throw EListError(Format("List index out of bounds (%d)", AIndex));
}

int TFFmpegList::Add(std::unique_ptr<TFFmpeg> ATask) {
    FItems.push_back(std::move(ATask));
    return Count() - 1;
}

void TFFmpegList::Delete(int AIndex) {
    Check(AIndex);
    std::unique_ptr<TFFmpeg> task = std::move(FItems[AIndex]);
    FItems.erase(FItems.begin() + AIndex);
}

std::vector<std::unique_ptr<TFFmpeg>> TFFmpegList::TakeAll() {
    return std::exchange(FItems, {});
}

void TFFmpegList::Exchange(int AIndex1, int AIndex2) {
    Check(AIndex1);
    Check(AIndex2);
    std::swap(FItems[AIndex1], FItems[AIndex2]);
}

TFFmpeg* TFFmpegList::GetItem(int AIndex) const {
    Check(AIndex);
    return FItems[AIndex].get();
}

int TFFmpegList::IndexOf(const TFFmpeg* ATask) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].get() == ATask)
            return i;
    return -1;
}

void TFFmpegList::PauseAll() {
    for (auto& task : FItems)
        task->Pause();
}

void TFFmpegList::ResumeAll() {
    for (auto& task : FItems)
        task->Resume();
}

void TFFmpegList::StopAll(bool AWaitFor) {
    for (auto& task : FItems)
        task->StopOrTerminate(AWaitFor);
}

void TFFmpegList::SetPostHookAll(TPostHook AHook, bool AOn) {
    for (auto& task : FItems)
        task->ChangePostHook(AHook, AOn);
}
