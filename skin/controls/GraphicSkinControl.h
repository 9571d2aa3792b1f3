#pragma once
#include <string>
#include "platform/gfx/Font.h"
#include "platform/ui/controls/Controls.h"
#include "skin/controls/ElementGeometry.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TBitmap;
class TImageList;
class TbsSkinData;

// The windowless twins of TbsSkinControl and TbsSkinCustomControl: the same
// skin link, look-up, size rules and composition, painted on the parent's
// window; no focus, no window region, no piecewise panel painting.
class TbsGraphicSkinControl : public TGraphicControl, public IbsSkinChangeTarget {
public:
    explicit TbsGraphicSkinControl(TComponent* AOwner);

    TbsSkinData* SkinData() const override { return FSD; }
    virtual void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    int SkinIndex() const { return FIndex; }

    virtual void GetSkinData();
    void ChangeSkinData() override;
    // Windowless controls are not told before a change; the relay asks only
    // the windowed base.
    void BeforeChangeSkinData() override;

    std::string HintTitle;
    int HintImageIndex = 0;
    TImageList* HintImageList = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual void CreateControlDefaultImage(TBitmap& /*B*/) {}
    virtual void CreateControlSkinImage(TBitmap& /*B*/) {}
    // Drops the element index and the pictures the old skin lent the control.
    virtual void ReleaseSkinElement() { FIndex = -1; }
    bool Designing() const { return ComponentState().Contains(csDesigning); }

    TbsSkinDataLink FSD{this};
    std::string FSkinDataName;
    int FIndex = -1;
};

class TbsGraphicSkinCustomControl : public TbsGraphicSkinControl, public TbsElementGeometry {
public:
    explicit TbsGraphicSkinCustomControl(TComponent* AOwner);
    ~TbsGraphicSkinCustomControl() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    const TFont& DefaultFont() const { return FDefaultFont; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

    TRect RealClientRect() const { return NewClRect; }
    int RealClientWidth() const { return NewClRect.Width(); }
    int RealClientHeight() const { return NewClRect.Height(); }
    int RealClientLeft() const { return NewClRect.Left; }
    int RealClientTop() const { return NewClRect.Top; }

    void CreateSkinImageByMode(TBitmap& B, const TBitmap* SkinPicture, const TRect& R);

protected:
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void ReleaseSkinElement() override;
    virtual void DefaultFontChanged() {}
    virtual void FitSizeToSkin(int& AWidth, int& AHeight);

private:
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
};
