#pragma once
#include <gtest/gtest.h>
#include <unistd.h>
#include <cctype>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/gfx/Png.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"

// A fresh headless screen per test with one shown form to put widgets on.
class TWidgetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Backend = &UseHeadlessBackend();
        Application->Initialize();
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetBorderStyle(bsSingle);
        Form->SetBounds(50, 50, 100, 100);
        Form->SetClientWidth(420);
        Form->SetClientHeight(320);
        Form->Show();
        Pump();
    }

    void TearDown() override
    {
        delete Form;
        Application->SetMainForm(nullptr);
        UseHeadlessBackend();
    }

    void Pump() { Application->ProcessMessages(); }
    static TPoint At(TControl* c, int x, int y) { return c->ClientToScreen(TPoint{x, y}); }
    static TPoint At(HWND h, int x, int y)
    {
        TPoint p{x, y};
        ClientToScreen(h, p);
        return p;
    }
    void Click(TPoint screen)
    {
        Backend->Click(screen.X, screen.Y);
        Pump();
    }
    void Drag(TPoint from, TPoint to, const std::function<void()>& midway = {})
    {
        Backend->MouseDown(from.X, from.Y);
        Pump();
        Backend->MouseMove((from.X + to.X) / 2, (from.Y + to.Y) / 2);
        Pump();
        if (midway)
            midway();
        Backend->MouseMove(to.X, to.Y);
        Backend->MouseUp(to.X, to.Y);
        Pump();
    }
    void Key(int vk, const std::string& text = {})
    {
        Backend->KeyPress(vk, text);
        Pump();
    }
    void Type(const std::string& text)
    {
        for (char ch : text) {
            int vk = std::isalpha(static_cast<unsigned char>(ch)) ? std::toupper(static_cast<unsigned char>(ch))
                     : ch == ' '                                   ? VK_SPACE
                                                                   : ch;
            Key(vk, std::string(1, ch));
        }
    }

    // The form as a PNG file read back, as a reviewer would look at it.
    std::unique_ptr<TBitmap> Snapshot(const std::string& name)
    {
        Pump();
        // The process id keeps runs in parallel (other build folders, other checkouts) apart.
        std::string file = ::testing::TempDir() + name + "-" + std::to_string(getpid()) + ".png";
        Backend->SaveWindowPicture(Form->Handle(), file);
        TPngImage png;
        png.LoadFromFile(file);
        std::remove(file.c_str());
        auto out = std::make_unique<TBitmap>();
        png.AssignTo(*out);
        return out;
    }
    // A pixel of a snapshot at a control's client point.
    TColor PixelAt(const TBitmap& shot, TPoint screen) const
    {
        TRect w;
        GetWindowRect(Form->Handle(), w);
        return shot.GetPixel(screen.X - w.Left, screen.Y - w.Top) & 0xFFFFFF;
    }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
};
