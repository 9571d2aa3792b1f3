#pragma once
#include <memory>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/forms/Forms.h"

// The window of one job's preview: a stay-on-top tool window (the plain
// frame's small caption with its close button) showing the last frame at its
// top-left corner. Pressing the left button on the picture moves the window:
// the form handles that itself, so any number of preview windows can come and
// go in any order without touching the application's message hook.
class TPreviewForm : public TForm {
public:
    TPreviewForm();

    // Takes a copy of the frame and paints it now (no message is taken from
    // the queue meanwhile).
    void ShowFrame(const TBitmap& ABitmap);
    const TBitmap& Picture() const { return FPicture; }

    // Frees the form now, or, when the call comes from inside one of the
    // form's own handlers (its drag by the picture), once that has returned.
    void Dispose();

protected:
    void WndProc(TMessage& Message) override;

private:
    void PaintPicture(TObject* Sender);

    TBitmap FPicture;
    int FHandlerDepth = 0;   // this form's handlers on the main thread's stack
    bool FDisposed = false;  // to be freed once they have returned
    bool FReleased = false;
};
