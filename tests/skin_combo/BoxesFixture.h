#pragma once
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

// A fresh headless screen with a shown borderless form, our base skin on
// demand, synthetic input at control points and an event log.
class TBoxesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TbsSkinData* BaseSkinData();

    void Pump() { Application->ProcessMessages(); }
    TPoint At(TControl* c, int x, int y) { return c->ClientToScreen(TPoint{x, y}); }
    void MoveTo(TControl* c, int x, int y);
    void Press(TControl* c, int x, int y, int Button = 0);
    void Release(TControl* c, int x, int y, int Button = 0);
    void Click(TControl* c, int x, int y, int Button = 0);
    void Key(int Vk, const std::string& Text = {});
    // Lets Ms milliseconds pass in steps that each run the due timers.
    void Wait(int Ms, int Step = 5);
    std::unique_ptr<TBitmap> Capture();
    TColor PixelOf(TControl* c, int x, int y);
    TBitmap Snapshot(TControl* c);
    // Writes the form's picture as a PNG into the test's render folder.
    std::string SaveForm(const std::string& Name);

    std::string Joined() const;
    void Log(const std::string& Event) { Events.push_back(Event); }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    std::vector<std::string> Events;

private:
    std::unique_ptr<TbsCompressedStoredSkin> FStored;
    std::unique_ptr<TbsSkinData> FBaseSkin;
};
