#include "engine/preview/Previewer.h"

#include <exception>

#include "engine/log/Logger.h"
#include "engine/preview/PreviewForm.h"
#include "engine/util/MainThread.h"
#include "engine/util/Texts.h"
#include "engine/util/WorkerCalls.h"

TPreviewer::~TPreviewer() {
    try {
        CallInMainThread([this] { DestroyForm(); });
    } catch (const std::exception&) {
        // The window is lost with the main thread's failure; nothing to free here.
    }
}

bool TPreviewer::PaintFrame(TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS) {
    if (FClosed)
        return false;
    FBitmap = ABitmap;
    FFrameNumber = AFrameNumber;
    FPTS = APTS;
    CallInMainThread([this] {
        // A Stop reached from inside this paint must not wait for the
        // worker that waits for the paint.
        TWorkerCallScope serving;
        DoPaintFrame();
    });
    FBitmap = nullptr;
    return !FClosed;
}

void TPreviewer::DoPaintFrame() {
    if (FClosed || !FBitmap)
        return;
    try {
        if (!FForm) {
            CreatePreviewForm();
            FForm->Show();
        }
        if (!FForm)  // a handler run by the show freed it
            return;
        FForm->SetCaption(FormatAVTime(FPTS));
        FForm->ShowFrame(*FBitmap);
    } catch (const std::exception& e) {
        // The conversion goes on without its preview.
        GetFFLogger()->Log(nullptr, llError, std::string("Preview window failed: ") + e.what());
        FClosed = true;
    }
}

void TPreviewer::CreatePreviewForm() {
    FForm = NewForm<TPreviewForm>();
    FForm->SetClientWidth(FBitmap->Width());
    FForm->SetClientHeight(FBitmap->Height());
    FForm->OnCloseQuery = [this](TObject*, bool&) { FClosed = true; };  // the form hides
    FForm->OnDestroy = [this](TObject*) {
        FForm = nullptr;
        FFormHandle = nullptr;
    };
    FFormHandle = FForm->Handle();
}

void TPreviewer::DestroyForm() {
    if (TPreviewForm* form = FForm) {
        form->OnCloseQuery = nullptr;
        form->OnDestroy = nullptr;
        FForm = nullptr;
        FFormHandle = nullptr;
        form->Dispose();
    }
}

void InstallPreviewWindows() {
    SetPreviewerFactory([]() -> std::unique_ptr<TCustomPreviewer> { return std::make_unique<TPreviewer>(); });
}
