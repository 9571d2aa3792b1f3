#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFormLink.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/FormFrame.h"

// The rectangle of the frame object named Id.
inline TRect RectOf(TbsFormFrame* f, const std::string& id)
{
    return f->ObjectList[size_t(f->GetIndex(id))]->ObjectRect;
}

// A shared trace of what the frame, its seams and the form's saved
// procedure did, in order.
using TTrace = std::vector<std::string>;

class TFakeMenuEngine : public IbsFrameMenuEngine {
public:
    explicit TFakeMenuEngine(TTrace& T) : Trace(T) {}
    bool Visible() const override { return Shown; }
    void Hide() override { Shown = false; Trace.push_back("menu.Hide"); }
    void Popup(TMenuItem*, const TRect&, bool, TbsSkinData*) override { Shown = true; Trace.push_back("menu.Popup"); }
    void PopupKeyDown(int Key) override { Trace.push_back("menu.Key " + std::to_string(Key)); }
    int WindowCount() const override { return Shown ? 1 : 0; }
    bool TopSelectedHasSubItems() const override { return false; }
    bool Shown = false;
    TTrace& Trace;
};

class TFakeMenuBar : public TComponent, public IbsFrameMenuBar {
public:
    TFakeMenuBar(TComponent* AOwner, TTrace& T, TbsFormFrame*& F) : TComponent(AOwner), Trace(T), Frame(F) {}
    void EnterMenuMode() override { Trace.push_back("bar.EnterMenuMode"); Frame->InMainMenu = true; Frame->HookApp(); }
    void LeaveMenuMode() override { Trace.push_back("bar.LeaveMenuMode"); }
    void ReleaseDownItem() override { Trace.push_back("bar.ReleaseDownItem"); }
    bool ProcessAccelerator(int) override { return false; }
    void PriorMainMenuItem() override { Trace.push_back("bar.Prior"); }
    void NextMainMenuItem() override { Trace.push_back("bar.Next"); }
    bool OpenActiveItem() override { return false; }
    TTrace& Trace;
    TbsFormFrame*& Frame;
};

class TFakeHint : public TComponent, public IbsFrameHint {
public:
    TFakeHint(TComponent* AOwner, TTrace& T) : TComponent(AOwner), Trace(T) {}
    void HideHint() override { Trace.push_back("hint.Hide"); }
    void ActivateHint2(const std::string& Text) override { Trace.push_back("hint.Show " + Text); }
    TTrace& Trace;
};

// Every test gets a fresh headless screen, the form link bound to it and a
// form whose own procedure records the messages under test before the frame
// is put in front of it.
class TFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Backend = &UseHeadlessBackend();
        Application->Initialize();
        BindSkinFormLinkToScreen();
    }

    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        Application->SetMainForm(nullptr);
        SetSkinFormLink({});
        UseHeadlessBackend();
    }

    // A form of the given outer size and border style with a frame on it.
    void MakeForm(int w, int h, TBorderStyle bs = bsSizeable, bool show = true, const std::string& caption = "Frame")
    {
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetBorderStyle(bs);
        Form->SetCaption(caption);
        Form->SetBounds(40, 30, w, h);
        auto original = Form->WindowProc;
        Form->WindowProc = [this, original](TMessage& m) {
            if (m.Msg == Watched)
                Trace.push_back("saved");
            original(m);
        };
        Frame = new TbsFormFrame(Form);
        Frame->OnCaptionPaint = [this](TCanvas&, const TRect&, bool) {
            if (Watched)
                Trace.push_back("paint");
        };
        if (show) {
            Form->Show();
            Pump();
        }
    }

    void Pump() { Application->ProcessMessages(); }
    // Moves the virtual clock on, so that timers run.
    void Advance(uint32_t ms)
    {
        Backend->Advance(ms);
        Pump();
    }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessage(Form->Handle(), msg, wp, lp); }
    // A frame point as the screen point of a mouse message.
    LPARAM FramePoint(int x, int y)
    {
        TRect r;
        GetWindowRect(Form->Handle(), r);
        return MAKELPARAM(r.Left + x, r.Top + y);
    }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TbsFormFrame* Frame = nullptr;
    TTrace Trace;
    UINT Watched = 0;
};
