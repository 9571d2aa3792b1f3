#pragma once
#include "platform/ui/forms/Application.h"

// The busy (hourglass) cursor over the whole screen while a long fill runs:
// shown at once or when the work turns out long (Show), and the screen's
// previous cursor back when the object goes, also when an exception passes.
class TBusyCursor {
public:
    explicit TBusyCursor(bool ShowNow = true)
    {
        if (ShowNow)
            Show();
    }
    ~TBusyCursor()
    {
        if (FShown)
            Screen->SetCursor(FSaved);
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

    void Show()
    {
        if (FShown)
            return;
        FSaved = Screen->Cursor();
        FShown = true;
        Screen->SetCursor(crHourGlass);
    }

private:
    TCursor FSaved = crDefault;
    bool FShown = false;
};
