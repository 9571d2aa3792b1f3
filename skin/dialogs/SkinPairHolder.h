#pragma once
#include "platform/core/Component.h"
#include "skin/data/SkinDataLink.h"

class TbsSkinData;

// The two skin containers a skinned dialog or message box links: the
// frame's skin and the controls' skin (whose table also gives the texts).
// A removed container is let go; the links end with the holder.
class TbsSkinPairHolder : public TComponent {
public:
    ~TbsSkinPairHolder() override;

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    TbsSkinData* CtrlSkinData() const { return FCtrlFSD; }
    void SetCtrlSkinData(TbsSkinData* Value);

protected:
    explicit TbsSkinPairHolder(TComponent* AOwner) : TComponent(AOwner) {}
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TbsSkinDataLink FSD{this};
    TbsSkinDataLink FCtrlFSD{this};
};
