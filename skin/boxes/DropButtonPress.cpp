#include "skin/boxes/DropButtonPress.h"
#include "platform/ui/Input.h"
#include "platform/ui/Window.h"

void TbsDropButtonPress::PressDropButton()
{
    FButton.Down = true;
    RepaintDropButton();
    if (DropListShown()) {
        CloseDropList(false);
    } else {
        WasInLB = false;
        FLBDown = true;
        OpenDropList();
    }
}

void TbsDropButtonPress::HoverDropButton(TPoint P)
{
    const bool in = FButton.R.Contains(P);
    if (in != FButton.MouseIn) {
        FButton.MouseIn = in;
        RepaintDropButton();
    }
}

void TbsDropButtonPress::EndListPress()
{
    if (!FLBDown || !WasInLB) {
        FLBDown = false;
        return;
    }
    ReleaseCapture();
    FLBDown = false;
    TPoint cursor;
    GetCursorPos(cursor);
    const HWND list = DropListWindow();
    CloseDropList(list && WindowFromPoint(cursor) == list);
}

void TbsDropButtonPress::ReleaseDropButton()
{
    if (FButton.Down) {
        FButton.Down = false;
        RepaintDropButton();
    }
}
