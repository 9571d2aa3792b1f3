#pragma once
#include <string>

#include "platform/core/Component.h"
#include "platform/gfx/Font.h"

class TbsSkinData;

// What every skinned dialog component holds between calls: the frame's skin,
// the controls' skin (whose table gives the texts), the default font and the
// title. A removed skin container is let go.
class TbsSkinDialogComponent : public TComponent {
public:
    ~TbsSkinDialogComponent() override;

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    TbsSkinData* CtrlSkinData() const { return FCtrlFSD; }
    void SetCtrlSkinData(TbsSkinData* Value);
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
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TbsSkinData* FSD = nullptr;
    TbsSkinData* FCtrlFSD = nullptr;
    TFont FDefaultFont;
    std::string FTitle;
};
