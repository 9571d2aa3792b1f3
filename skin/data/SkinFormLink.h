#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TComponent;

// How the skin container reaches the application's forms. The program's
// start-up binds it to the screen's forms (BindSkinFormLinkToScreen); tests
// bind it the same way or put any recorder in its place. Without a link the
// container's messages go nowhere.

using TbsFormHandle = std::uintptr_t;   // a form's window handle; 0 is none

struct TbsFormEntry {
    TbsFormHandle Handle = 0;
    std::string ClassName;   // the form's class name, e.g. "TbsFormLayerWindow"
};

struct TbsSkinFormLink {
    // The window of Owner when Owner is a form (created if it has none yet), else 0.
    std::function<TbsFormHandle(TComponent* Owner)> OwnerForm;
    // Every form of the application in the screen's order.
    std::function<std::vector<TbsFormEntry>()> Forms;
    // Delivers a message synchronously.
    std::function<void(TbsFormHandle Form, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam)> SendMessage;
};

void SetSkinFormLink(TbsSkinFormLink Link);
const TbsSkinFormLink& SkinFormLink();

// Binds the link to the class library's Screen: its forms in order, their
// windows (made when a form has none yet) and the window manager's SendMessage.
void BindSkinFormLinkToScreen();
