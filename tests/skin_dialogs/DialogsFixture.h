#pragma once
#include <functional>
#include <memory>
#include <string>
#include "platform/ui/controls/Timer.h"
#include "tests/skin_controls/ControlsFixture.h"

// Drives modal dialogs: a step runs from a timer once the modal loop runs.
class TDialogsTest : public TControlsTest {
protected:
    // Skin changes reach every form, as at the program's start-up.
    void SetUp() override;
    void TearDown() override;
    // Runs Step from inside the next modal loop, after Ms milliseconds.
    void WhenShown(std::function<void()> Step, int Ms = 30);
    void PressKey(int Vk);
    void ClickAt(TControl* C, int X = 5, int Y = 5);
    // A text that Arial of FontHeight draws exactly Width pixels wide.
    static std::string TextOfWidth(int Width, int FontHeight = 14);

private:
    std::unique_ptr<TTimer> FTimer;
};
