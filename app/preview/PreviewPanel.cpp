#include "app/preview/PreviewPanel.h"

#include "engine/util/MiscUtils.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/Input.h"
#include "skin/controls/SkinSlider.h"

namespace {

const char* StateName(TPlayState AState) {
    switch (AState) {
    case psPlay: return "Play";
    case psPause: return "Pause";
    case psResume: return "Resume";
    case psStep: return "Step";
    case psStop: return "Stop";
    case psEnd: return "End";
    }
    return "";
}

int SelectedIndex(TCustomComboBox* ACombo) {
    return ACombo ? ACombo->ItemIndex() : 0;
}

void SetCaption(TControl* AControl, const std::string& AText) {
    if (AControl)
        AControl->SetCaption(AText);
}

void SetShown(TControl* AControl, bool AShown) {
    if (AControl)
        AControl->SetVisible(AShown);
}

}  // namespace

TPreviewPanel::TPreviewPanel(const TPreviewControls& AControls, TPreviewHost& AHost)
    : FControls(AControls), FHost(AHost), FPlayer(std::make_unique<TFFPlayer>(nullptr)) {
    FPlayer->OnFileOpen = [this](TObject*, int64_t ADuration, int AWidth, int AHeight, int& AScreenWidth,
                                 int& AScreenHeight) {
        FFPlayerFileOpen(ADuration, AWidth, AHeight, AScreenWidth, AScreenHeight);
    };
    FPlayer->OnPosition = [this](TObject*, int64_t APTS) { FFPlayerPosition(APTS); };
    FPlayer->OnState = [this](TObject*, TPlayState AState) { FFPlayerState(AState); };
    BindHandlers();
}

TPreviewPanel::~TPreviewPanel() {
    ClearEvents();
    FPlayer->Stop(true);
    UnbindHandlers();
}

void TPreviewPanel::BindHandlers() {
    auto bindClick = [](TControl* AControl, std::function<void()> AHandler) {
        if (AControl)
            AControl->OnClick = [AHandler](TObject*) { AHandler(); };
    };
    bindClick(FControls.Button31, [this] { Button31Click(); });
    bindClick(FControls.bsSkinButton13, [this] { bsSkinButton13Click(); });
    bindClick(FControls.bsSkinButton14, [this] { bsSkinButton14Click(); });
    bindClick(FControls.bsSkinButton15, [this] { bsSkinButton15Click(); });
    bindClick(FControls.bsSkinButton16, [this] { bsSkinButton16Click(); });
    bindClick(FControls.bsSkinButton20, [this] { bsSkinButton20Click(); });
    bindClick(FControls.bsSkinButton22, [this] { bsSkinButton22Click(); });
    bindClick(FControls.bsSkinButton23, [this] { bsSkinButton23Click(); });
    bindClick(FControls.btnCapture, [this] { btnCaptureClick(); });
    if (FControls.bsSkinButton23)
        FControls.bsSkinButton23->OnMouseDown = [this](TObject*, TMouseButton AButton, TShiftState, int, int) {
            if (AButton != mbLeft || !FControls.bsSkinPopupMenu2)
                return;
            TPoint at;
            GetCursorPos(at);
            FControls.bsSkinPopupMenu2->Popup(at.X, at.Y);
        };
    if (auto* slider = FControls.bsSkinSlider1) {
        slider->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { bsSkinSlider1MouseDown(); };
        slider->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { bsSkinSlider1MouseUp(); };
    }
    if (FControls.TrackBar2)
        FControls.TrackBar2->OnChange = [this](TObject*) { TrackBar2Change(); };
    auto bindItem = [](TMenuItem* AItem, std::function<void()> AHandler) {
        if (AItem)
            AItem->OnClick = [AHandler](TObject*) { AHandler(); };
    };
    bindItem(FControls.MenuItem1, [this] { MenuItem1Click(); });
    bindItem(FControls.MenuItem2, [this] { MenuItem2Click(); });
    bindItem(FControls.BMP1, [this] { PictureTypeClick("BMP"); });
    bindItem(FControls.JPG1, [this] { PictureTypeClick("JPG"); });
    bindItem(FControls.GIF1, [this] { PictureTypeClick("GIF"); });
    bindItem(FControls.PNG1, [this] { PictureTypeClick("PNG"); });
}

void TPreviewPanel::UnbindHandlers() {
    for (TControl* control : {FControls.Button31, FControls.bsSkinButton13, FControls.bsSkinButton14,
                              FControls.bsSkinButton15, FControls.bsSkinButton16, FControls.bsSkinButton20,
                              FControls.bsSkinButton22, FControls.bsSkinButton23, FControls.btnCapture})
        if (control)
            control->OnClick = nullptr;
    if (FControls.bsSkinButton23)
        FControls.bsSkinButton23->OnMouseDown = nullptr;
    if (FControls.bsSkinSlider1) {
        FControls.bsSkinSlider1->OnMouseDown = nullptr;
        FControls.bsSkinSlider1->OnMouseUp = nullptr;
    }
    if (FControls.TrackBar2)
        FControls.TrackBar2->OnChange = nullptr;
    for (TMenuItem* item : {FControls.MenuItem1, FControls.MenuItem2, FControls.BMP1, FControls.JPG1,
                            FControls.GIF1, FControls.PNG1})
        if (item)
            item->OnClick = nullptr;
}

bool TPreviewPanel::OpenPaused() const {
    return FControls.chkOpenPaused ? FControls.chkOpenPaused->Checked() : true;
}

void TPreviewPanel::Button31Click() {
    if (!FPlayer->AVLibLoaded() &&
        !FPlayer->LoadAVLib(FLibraryPath.empty() ? GetExePath() + "LibAV" : FLibraryPath)) {
        FHost.AddLog(FPlayer->LastErrMsg());
        return;
    }
    // The control named in cboScreens gives the output size; the screen is
    // always Panel6, which sits in the preview group rather than on the form.
    std::string screen = "Panel6";
    if (TCustomComboBox* screens = FControls.cboScreens)
        screen = screens->ItemIndex() >= 0 ? screens->Items()[screens->ItemIndex()] : screens->Text();
    FScreenControl = FHost.FindControlByName(screen);
    if (!FScreenControl && FControls.Panel6 && screen == FControls.Panel6->Name())
        FScreenControl = FControls.Panel6;

    const int video = SelectedIndex(FControls.cboVideoDriver);
    FPlayer->SetVideoDriver(video == 1 ? vdDirectDraw : video == 2 ? vdGDI : vdDefault);
    const int audio = SelectedIndex(FControls.cboAudioDriver);
    FPlayer->SetAudioDriver(audio == 1 ? adDirectSound : audio == 2 ? adWaveOut : adDefault);

    if (!FPlayer->Open(FMovieFileName, FControls.Panel6 ? FControls.Panel6->Handle() : nullptr, OpenPaused()))
        FHost.AddLog(FPlayer->LastErrMsg());
}

void TPreviewPanel::bsSkinButton13Click() {
    FPlayer->Resume();
    FHost.FocusJobList();
}

void TPreviewPanel::bsSkinButton14Click() {
    FPlayer->Pause();
    FHost.FocusJobList();
}

void TPreviewPanel::bsSkinButton15Click() {
    if (!FHost.HasSelectedRow())
        return;
    try {
        FPlayer->Stop(true);
        if (!FPlayer->Open(FMovieFileName, FControls.Panel6 ? FControls.Panel6->Handle() : nullptr, OpenPaused()))
            FHost.AddLog(FPlayer->LastErrMsg());
        FHost.FocusJobList();
    } catch (const std::exception&) {
        FPlayer->Stop(true);
    }
}

void TPreviewPanel::bsSkinButton16Click() {
    FPlayer->SetMute(true);
    SetShown(FControls.bsSkinButton20, true);
    SetShown(FControls.bsSkinButton16, false);
}

void TPreviewPanel::bsSkinButton20Click() {
    FPlayer->SetMute(false);
    SetShown(FControls.bsSkinButton20, false);
    SetShown(FControls.bsSkinButton16, true);
}

void TPreviewPanel::bsSkinSlider1MouseDown() {
    FSliderState = "Down";
    FPlayer->Pause();
}

void TPreviewPanel::bsSkinSlider1MouseUp() {
    FPlayer->Pause();
    if (auto* slider = FControls.bsSkinSlider1; slider && slider->MaxValue() > 0)
        FPlayer->Seek(FDuration * slider->Value() / slider->MaxValue());
    FPlayer->Resume();
    FSliderState = "UP";
}

void TPreviewPanel::TrackBar2Change() {
    if (FControls.TrackBar2)
        FPlayer->SetAudioVolume(FControls.TrackBar2->Position());
}

void TPreviewPanel::lvFilesClick() {
    if (!FHost.HasSelectedRow())
        FPlayer->Stop(true);
}

void TPreviewPanel::StopPlayer(bool AResetSlider) {
    FPlayer->Stop(true);
    if (AResetSlider && FControls.bsSkinSlider1)
        FControls.bsSkinSlider1->SetValue(0);
}

void TPreviewPanel::FollowWindowPos() {
    FPlayer->UpdateScreenPosition();
}

void TPreviewPanel::ClearEvents() {
    FPlayer->OnFileOpen = nullptr;
    FPlayer->OnPosition = nullptr;
    FPlayer->OnState = nullptr;
    FPlayer->OnHook = nullptr;
}

void TPreviewPanel::FFPlayerFileOpen(int64_t ADuration, int AFrameWidth, int AFrameHeight, int& AScreenWidth,
                                     int& AScreenHeight) {
    if (TAVProbe* probe = FPlayer->AVProbe())
        FHost.AddLog(probe->FileInfoText());
    FHost.AddLog(Format("duration: %f, frame size: %dx%d", double(ADuration) / 1000000, AFrameWidth, AFrameHeight));

    if (FScreenControl) {
        AScreenWidth = FScreenControl->Width();
        AScreenHeight = FScreenControl->Height();
    } else if (Screen) {
        AScreenWidth = Screen->Width();
        AScreenHeight = Screen->Height();
    }

    FDuration = ADuration;
    SetCaption(FControls.Label2, Format("%f", double(ADuration) / 1000000));
    SetCaption(FControls.Label3, "0.0");

    if (auto* slider = FControls.bsSkinSlider1) {
        slider->SetIncrement(5);
        slider->SetMaxValue(slider->Width());  // one step per pixel
        slider->SetValue(0);
        FTrackChanging = true;
        slider->SetValue(0);
        FTrackChanging = false;
    }
    FillStreamLists();
}

void TPreviewPanel::FillStreamLists() {
    TCustomComboBox* lists[] = {FControls.cboVideo, FControls.cboAudio, FControls.cboSubtitle};
    for (TCustomComboBox* list : lists)
        if (list)
            list->Items().Clear();
    TAVProbe* probe = FPlayer->AVProbe();
    if (!probe)
        return;
    for (int i = 0; i < probe->StreamCount(); ++i) {
        if (probe->IsVideoStream(i) && FControls.cboVideo)
            FControls.cboVideo->Items().Add(Format("Video#%d", i));
        else if (probe->IsAudioStream(i) && FControls.cboAudio)
            FControls.cboAudio->Items().Add(Format("Audio#%d", i));
        else if (probe->IsSubtitleStream(i) && FControls.cboSubtitle)
            FControls.cboSubtitle->Items().Add(Format("Subtitle#%d", i));
    }
    const bool videoPlays = FPlayer->VideoStreamIndex() >= 0;
    auto select = [](TCustomComboBox* AList, const std::string& AText) {
        AList->SetItemIndex(AList->Items().IndexOf(AText));
    };
    if (auto* list = FControls.cboVideo) {
        list->SetEnabled(list->Items().Count() >= 2 && videoPlays);
        select(list, Format("Video#%d", FPlayer->VideoStreamIndex()));
    }
    if (auto* list = FControls.cboAudio) {
        list->SetEnabled(list->Items().Count() >= 2 && videoPlays);
        select(list, Format("Audio#%d", FPlayer->AudioStreamIndex()));
    }
    if (auto* list = FControls.cboSubtitle) {
        list->SetEnabled(list->Items().Count() > 0 && videoPlays);
        if (list->Enabled()) {
            list->Items().Insert(0, "Subtitle#-1");
            select(list, Format("Subtitle#%d", FPlayer->SubtitleStreamIndex()));
        }
    }
}

void TPreviewPanel::FFPlayerPosition(int64_t APTS) {
    if (FSliderState != "UP")
        return;
    SetCaption(FControls.Label3, Format("%f", double(APTS) / 1000000));
    if (auto* slider = FControls.bsSkinSlider1; slider && APTS >= 0 && FDuration > 0)
        slider->SetValue(int(int64_t(slider->MaxValue()) * APTS / FDuration));
}

void TPreviewPanel::FFPlayerState(TPlayState AState) {
    FHost.AddLog(StateName(AState));
    switch (AState) {
    case psPause:
    case psStep:
        FHost.SetStayOnTop(false);
        break;
    case psStop:
        FHost.SetStayOnTop(false);
        if (FControls.Panel6) {  // repaint the screen empty at once
            FControls.Panel6->Invalidate();
            FControls.Panel6->Update();
        }
        break;
    case psEnd:
        // Back to the start, waiting there. Paused first, so that the seek
        // shows the start's picture and no picture decoded after it.
        FPlayer->Pause();
        FPlayer->Seek(0, TSeekFlags{sfAny});
        break;
    case psPlay:
    case psResume:
        if (FControls.chkStayOnTop && FControls.chkStayOnTop->Checked())
            FHost.SetStayOnTop(true);
        break;
    }
}
