#pragma once
#include <string>
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TBitmap;
class TbsSkinData;

// A splitter drawn as a three-slice strip of the skin's "vsplitter" or
// "hsplitter" element with its gripper centred; its thickness follows the
// element, or DefaultSize without a skin or when transparent.
class TbsSkinSplitter : public TSplitter, public IbsSkinChangeTarget {
public:
    explicit TbsSkinSplitter(TComponent* AOwner);

    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    void GetSkinData();
    void ChangeSkinData() override;

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    int DefaultSize() const { return FDefaultSize; }
    void SetDefaultSize(int Value) { FDefaultSize = Value; }
    int SkinIndex() const { return FIndex; }

    TPoint LTPt, RTPt, LBPt;
    TRect SkinRect;
    bool StretchEffect = false;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void RequestAlign() override;

private:
    bool FTransparent = false;
    int FDefaultSize = 10;
    int FIndex = -1;
    TbsSkinDataLink FSD{this};
    std::string FSkinDataName = "vsplitter";
    TBitmap* FSkinPicture = nullptr;  // the skin's picture, not owned
};
