#include "engine/preview/PreviewForm.h"

#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

TPreviewForm::TPreviewForm() : TForm(nullptr, TFormCreation::New) {
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetFormStyle(fsStayOnTop);
    SetPosition(poScreenCenter);
    FPicture.SetPixelFormat(pf24bit);
    OnPaint = [this](TObject* Sender) { PaintPicture(Sender); };
}

void TPreviewForm::ShowFrame(const TBitmap& ABitmap) {
    FPicture.Assign(ABitmap);
    if (!HandleAllocated())
        return;
    // Drawn at once through the window's own paint: taking messages here
    // could run any handler while a worker waits for this paint.
    InvalidateRect(Handle(), nullptr, false);
    UpdateWindow(Handle());
}

void TPreviewForm::PaintPicture(TObject*) {
    // Frames of another size than the first are drawn as they come.
    Canvas().Draw(0, 0, FPicture);
}

void TPreviewForm::Dispose() {
    if (FHandlerDepth == 0) {
        delete this;
        return;
    }
    // A loop inside one of this form's own handlers (the drag by the
    // picture, the close button) serves the main thread's calls: the form
    // goes once that handler has returned. Hidden now, and the loop told to end.
    FDisposed = true;
    Hide();
    if (GetCapture() == Handle())
        ReleaseCapture();
    PostMessage(Handle(), WM_NULL);
}

void TPreviewForm::WndProc(TMessage& Message) {
    ++FHandlerDepth;
    try {
        if (Message.Msg == WM_LBUTTONDOWN && !FDisposed) {
            // A press on the picture acts as one on the caption: the window
            // manager's move loop drags the window.
            SendMessage(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, LPARAM(GetMessagePos()));
        } else {
            TForm::WndProc(Message);
        }
    } catch (...) {
        --FHandlerDepth;
        throw;
    }
    if (--FHandlerDepth == 0 && FDisposed && !FReleased) {
        FReleased = true;
        Release();
    }
}
