#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"

// Every test gets a fresh headless screen and the application's hook on it.
// Forms made through MakeForm are deleted at the end.
class TClassLibTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Backend = &UseHeadlessBackend();
        Application->Initialize();
    }

    void TearDown() override
    {
        for (auto it = Forms.rbegin(); it != Forms.rend(); ++it)
            delete *it;
        Forms.clear();
        Application->CancelHint();
        Application->SetMainForm(nullptr);
        Application->OnActivate = nullptr;
        Application->OnDeactivate = nullptr;
        Application->OnException = nullptr;
        UseHeadlessBackend();
    }

    // A shown, plain single-border form at (x, y) with the given client size.
    TForm* MakeForm(int x = 100, int y = 100, int cw = 300, int ch = 200, bool show = true)
    {
        auto* f = NewForm<TForm>(nullptr, TFormCreation::New);
        f->SetBorderStyle(bsSingle);
        f->SetBounds(x, y, 100, 100);
        f->SetClientWidth(cw);
        f->SetClientHeight(ch);
        Forms.push_back(f);
        if (show)
            f->Show();
        Pump();
        return f;
    }

    void Pump() { Application->ProcessMessages(); }

    // The screen point of a control's client point.
    static TPoint At(TControl* c, int x, int y) { return c->ClientToScreen(TPoint{x, y}); }
    void Click(TControl* c, int x = 3, int y = 3)
    {
        TPoint p = At(c, x, y);
        Backend->Click(p.X, p.Y);
        Pump();
    }
    void MoveTo(TControl* c, int x, int y)
    {
        TPoint p = At(c, x, y);
        Backend->MouseMove(p.X, p.Y);
        Pump();
    }
    void Key(int vk)
    {
        Backend->KeyPress(vk);
        Pump();
    }
    void Advance(uint32_t ms)
    {
        Backend->Advance(ms);
        Pump();
    }

    THeadlessBackend* Backend = nullptr;
    std::vector<TCustomForm*> Forms;
};
