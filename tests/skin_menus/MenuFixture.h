#pragma once
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Stream.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFormLink.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/MonitorRects.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

using TTrace = std::vector<std::string>;

// One of our embedded skins, unpacked into a container of its own.
struct TLoadedSkin {
    TbsCompressedStoredSkin Stored{nullptr};
    TbsSkinData Data{nullptr};
    void Load(int Index)
    {
        const TEmbeddedSkin& s = MainSkins()[Index];
        TMemoryStream data;
        data.Write(s.Data, static_cast<int64_t>(s.Size));
        data.SetPosition(0);
        Stored.LoadFromCompressStream(data);
        Data.LoadCompressedStoredSkin(&Stored);
    }
};

// A windowed control that opens menus and records what the engine tells it.
class TOpener : public TWinControl {
public:
    TOpener(TComponent* AOwner, TTrace& T) : TWinControl(AOwner), Trace(T) {}
    TTrace& Trace;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_CLOSESKINMENU)
            Trace.push_back("opener.close");
        else if (m.Msg == WM_AFTERDISPATCH)
            Trace.push_back("opener.after");
        TWinControl::WndProc(m);
    }
};

// A fresh headless screen and a shown, active form with a frame whose menu
// engine is the real one.
class TMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Backend = &UseHeadlessBackend(Config);
        Application->Initialize();
        BindSkinFormLinkToScreen();
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetCaption("Menus");
        Form->SetBounds(100, 100, 400, 300);
        auto original = Form->WindowProc;
        Form->WindowProc = [this, original](TMessage& m) {
            if (m.Msg == WM_CLOSESKINMENU)
                Trace.push_back("form.close");
            original(m);
        };
        Frame = new TbsFormFrame(Form);
        BeforeShow();
        Form->Show();
        SetForegroundWindow(Form->Handle());
        Pump();
        Engine = dynamic_cast<TbsSkinMenu*>(Frame->SkinMenu());
        ASSERT_NE(Engine, nullptr);
        GetWindowMonitorRect(Form->Handle(), true, WorkArea);
    }

    // What a fixture adds to the form before its first show.
    virtual void BeforeShow() {}

    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        Pump();
        Application->SetMainForm(nullptr);
        SetSkinFormLink({});
        UseHeadlessBackend();
    }

    // Input becomes messages on one turn and is handled on the next.
    void Pump()
    {
        for (int i = 0; i < 3; ++i)
            Application->ProcessMessages();
    }
    void Advance(uint32_t ms)
    {
        for (uint32_t t = 0; t < ms; t += 10) {
            Backend->Advance(10);
            Pump();
        }
    }

    // An item of Parent with a trace entry on click.
    TMenuItem* Add(TMenuItem* Parent, const std::string& Caption, TShortCut sc = 0)
    {
        auto* i = new TMenuItem(Parent);
        i->SetCaption(Caption);
        i->SetShortCut(sc);
        i->OnClick = [this, Caption](TObject*) { Trace.push_back("click " + Caption); };
        Parent->Add(i);
        return i;
    }

    TbsSkinPopupWindow* Top() const { return Engine->WindowCount() ? Engine->PopupWindow(Engine->WindowCount() - 1) : nullptr; }
    TRect WindowRect(TbsSkinPopupWindow* W) const
    {
        TRect r;
        GetWindowRect(W->Handle(), r);
        return r;
    }
    // The screen centre of item I of window W.
    TPoint ItemPoint(TbsSkinPopupWindow* W, int I) const
    {
        TRect r = WindowRect(W);
        TRect o = W->Items()[size_t(I)]->ObjectRect;
        return TPoint{r.Left + (o.Left + o.Right) / 2, r.Top + (o.Top + o.Bottom) / 2};
    }
    void Key(int vk)
    {
        Backend->KeyDown(vk);
        Backend->KeyUp(vk);
        Pump();
    }

    THeadlessConfig Config;
    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TbsFormFrame* Frame = nullptr;
    TbsSkinMenu* Engine = nullptr;
    TRect WorkArea;
    TTrace Trace;
};
