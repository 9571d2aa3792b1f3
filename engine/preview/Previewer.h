#pragma once
#include <atomic>
#include <cstdint>

#include "engine/transcode/PictureHooks.h"
#include "platform/ui/WinTypes.h"

class TPreviewForm;

// Shows the frames of one converting job in a window of its own: a small
// stay-on-top tool window at the screen centre, sized to the first frame,
// titled with the time of the frame shown and dragged by its picture. The job's
// post hook makes it on the first preview frame and frees it when the preview
// goes off or the run ends; closing the window ends the preview of that job.
//
// Called from the job's worker; the window is made, painted and freed in the
// main thread, and both calls return once the main thread has done its part.
class TPreviewer : public TCustomPreviewer {
public:
    TPreviewer() = default;
    ~TPreviewer() override;
    TPreviewer(const TPreviewer&) = delete;
    TPreviewer& operator=(const TPreviewer&) = delete;

    bool PaintFrame(TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS) override;

    // Main thread: the window (null until the first frame) and whether the
    // user has closed it.
    HWND FormHandle() const { return FFormHandle; }
    TPreviewForm* Form() const { return FForm; }
    bool Closed() const { return FClosed; }

private:
    void DoPaintFrame();
    void CreatePreviewForm();
    void DestroyForm();

    HWND FFormHandle = nullptr;
    TPreviewForm* FForm = nullptr;      // owned; made and freed in the main thread
    std::atomic<bool> FClosed{false};   // written in the main thread
    TBitmap* FBitmap = nullptr;         // the job's, valid during PaintFrame
    int32_t FFrameNumber = 0;
    int64_t FPTS = 0;
};

// Lets every job show its preview frames in a TPreviewer; the program's
// start-up calls it once.
void InstallPreviewWindows();
