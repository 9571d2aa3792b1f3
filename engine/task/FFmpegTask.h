#pragma once
#include <memory>
#include <vector>

#include "engine/probe/AVProbe.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/util/Records.h"

// One task of the conversion component: a job with a probe per input
// position and a copy of the record each input and output was added with.
class TFFmpeg : public TCustomFFmpeg {
public:
    explicit TFFmpeg(int AMaxFiles);
    ~TFFmpeg() override;

    // The probe of an input position, made on first use; null outside 0..MaxFiles-1.
    TAVProbe* Probe(int AFileIndex, bool ACreate);
    // Empties every probe, so that none keeps an input the job is about to close.
    void ReleaseProbes();

    void StoreInputOptions(int AIndex, const TInputOptions& AOptions);
    void StoreOutputOptions(int AIndex, const TOutputOptions& AOptions);
    void ClearInputOptions(int AIndex);
    void ClearOutputOptions(int AIndex);

    // Set by the component when it hands the job to a worker or runs it.
    bool RunStarted = false;

private:
    std::vector<std::unique_ptr<TAVProbe>> FAVProbes;
    std::vector<std::unique_ptr<TInputOptions>> FInputOptions;
    std::vector<std::unique_ptr<TOutputOptions>> FOutputOptions;
};

// The component's owned list of tasks. A position outside the list raises EListError.
class TFFmpegList {
public:
    int Add(std::unique_ptr<TFFmpeg> ATask);
    void Delete(int AIndex);
    // Hands every task over (in list order) and leaves the list empty.
    std::vector<std::unique_ptr<TFFmpeg>> TakeAll();
    void Exchange(int AIndex1, int AIndex2);
    TFFmpeg* GetItem(int AIndex) const;
    int IndexOf(const TFFmpeg* ATask) const;
    int Count() const { return int(FItems.size()); }

    void PauseAll();
    void ResumeAll();
    void StopAll(bool AWaitFor);
    void SetPreviewAll(bool AOn) { SetPostHookAll(phPreview, AOn); }
    void SetPreviewBitmapAll(bool AOn) { SetPostHookAll(phBitmap, AOn); }

private:
    void SetPostHookAll(TPostHook AHook, bool AOn);
    void Check(int AIndex) const;

    std::vector<std::unique_ptr<TFFmpeg>> FItems;
};
