#include "skin/data/SkinFormLink.h"

#include "platform/ui/MessageLoop.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"

namespace {
TbsSkinFormLink& Link() {
    static TbsSkinFormLink link;
    return link;
}
}  // namespace

void SetSkinFormLink(TbsSkinFormLink Link_) {
    Link() = std::move(Link_);
}

const TbsSkinFormLink& SkinFormLink() {
    return Link();
}

void BindSkinFormLinkToScreen()
{
    TbsSkinFormLink link;
    link.OwnerForm = [](TComponent* Owner) -> TbsFormHandle {
        auto* form = dynamic_cast<TCustomForm*>(Owner);
        return form ? reinterpret_cast<TbsFormHandle>(form->Handle()) : 0;
    };
    link.Forms = [] {
        std::vector<TbsFormEntry> forms;
        if (!Screen)
            return forms;
        // A copy: a form may come or go while the messages are delivered.
        std::vector<TCustomForm*> list = Screen->FormList();
        for (TCustomForm* f : list)
            forms.push_back({reinterpret_cast<TbsFormHandle>(f->Handle()), f->ClassName()});
        return forms;
    };
    link.SendMessage = [](TbsFormHandle Form, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
        ::SendMessage(reinterpret_cast<HWND>(Form), Msg, WPARAM(WParam), LPARAM(LParam));
    };
    SetSkinFormLink(std::move(link));
}
