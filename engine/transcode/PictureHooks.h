#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/util/Picture.h"

class TBitmap;

// The window in which a job shows its frames while its post hooks hold
// phPreview. The window lives with the other windows (engine/preview); a job
// knows it only through this interface.
class TCustomPreviewer {
public:
    // The window goes in the main thread; the destructor returns once it has.
    virtual ~TCustomPreviewer() = default;
    // Shows the frame and returns once the main thread has painted it. False
    // once the user has closed the window (then nothing is painted).
    virtual bool PaintFrame(TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS) = 0;
};

using TPreviewerFactory = std::function<std::unique_ptr<TCustomPreviewer>()>;

// Installs what makes the preview window of a job on its first preview frame.
// Without one the preview post hook shows nothing.
void SetPreviewerFactory(TPreviewerFactory AFactory);

// What the custom hook of one job keeps between pictures.
struct TCustomHookContext {
    TRGBConvertContext Context;
};

// What the post hooks of one job keep between pictures. Previewer and Painting
// are guarded by the post-hook lock; the rest belongs to the worker.
struct TPostHookContext {
    TRGBConvertContext Context;
    std::unique_ptr<TCustomPreviewer> Previewer;
    bool Painting = false;           // the worker paints into Previewer, outside the lock
    int64_t preview_last_time = 0;   // wall clock, µs
    int64_t preview_cur_time = 0;
};
