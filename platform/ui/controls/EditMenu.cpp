#include <memory>
#include "platform/gfx/Utf8.h"
#include "platform/ui/Screen.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Menus.h"

// The menu of a right click or the menu key: Undo, Cut, Copy, Paste, Delete
// and Select All, each enabled only when it would do something, each done
// by sending the edit its message.
void TCustomEdit::ShowContextMenu(TPoint screen)
{
    if (screen.X < 0 || screen.Y < 0) {
        // From the keyboard: at the middle of the edit.
        screen = ClientToScreen(TPoint{0, 0});
        screen.X += Width() / 2;
        screen.Y += Height() / 2;
    }
    DWORD style = EditStyle();
    bool writable = !(style & ES_READONLY);
    bool selection = FAnchor != FCaret;
    bool secret = (style & ES_PASSWORD) != 0;
    bool all = SelMin() == 0 && SelMax() == int(FChars.size());
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    struct TEntry {
        const char* Caption;
        bool Enabled;
        UINT Msg;
    };
    const TEntry entries[] = {
        {"Undo", writable && FCanUndo, WM_UNDO},
        {"-", true, 0},
        {"Cut", writable && selection && !secret, WM_CUT},
        {"Copy", selection && !secret, WM_COPY},
        {"Paste", writable && !GetClipboardText().empty(), WM_PASTE},
        {"Delete", writable && selection, WM_CLEAR},
        {"-", true, 0},
        {"Select All", !all && !FChars.empty(), EM_SETSEL},
    };
    for (const TEntry& e : entries) {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(e.Caption);
        item->SetEnabled(e.Enabled);
        UINT msg = e.Msg;
        if (msg)
            item->OnClick = [this, msg](TObject*) {
                if (msg == EM_SETSEL)
                    SelectAll();
                else
                    Send(msg);
            };
        menu->Items()->Add(item);
    }
    menu->SetPopupComponent(this);
    menu->Popup(screen.X, screen.Y);
}
