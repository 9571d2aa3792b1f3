#pragma once
#include <string>
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TbsSkinData;

// A bevel in the skin's light and dark colours ("bevel"); in divider mode a
// short line across the middle. Inside a tool bar that adjusts its controls
// it stays centred in the bar's client part.
class TbsSkinBevel : public TBevel, public IbsSkinChangeTarget {
public:
    explicit TbsSkinBevel(TComponent* AOwner);

    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool Value);

    TColor LightColor = clBtnHighlight;
    TColor DarkColor = clBtnShadow;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;

private:
    TbsSkinDataLink FSD{this};
    std::string FSkinDataName = "bevel";
    int FIndex = -1;
    bool FDividerMode = false;
};
