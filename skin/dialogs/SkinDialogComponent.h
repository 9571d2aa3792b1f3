#pragma once
#include <string>

#include "platform/gfx/Font.h"
#include "skin/dialogs/SkinPairHolder.h"

// What every skinned dialog component holds between calls: the two skins,
// the default font and the title.
class TbsSkinDialogComponent : public TbsSkinPairHolder {
public:
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }

protected:
    TbsSkinDialogComponent(TComponent* AOwner, const std::string& ATitle);
    // Ends one call, also a failed one: OnClose, then the form is freed.
    template <class TDlgForm, class TEvent>
    void EndCall(TDlgForm*& Form, const TEvent& OnClose)
    {
        if (OnClose)
            OnClose(this);
        delete Form;
        Form = nullptr;
    }

private:
    TFont FDefaultFont;
    std::string FTitle;
};
