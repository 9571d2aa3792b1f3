#pragma once
#include <string>
#include "platform/core/Object.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "platform/ui/controls/Controls.h"
#include "skin/data/SkinTypes.h"

class TBitmap;
class TCanvas;
class TMenuItem;
class TbsDataSkinObject;
class TbsSkinMainMenuBar;

// Something drawn on the main menu bar that reacts to the mouse: hover state,
// the morph towards its active image and a pressed state.
class TbsMenuBarObject : public TObject {
public:
    TbsMenuBarObject(TbsSkinMainMenuBar* AParent, const TbsDataSkinObject* AData);

    virtual void ReDraw();
    virtual void Draw(TCanvas& /*Cnvs*/) {}
    virtual void MouseDown(int /*X*/, int /*Y*/, TMouseButton /*Button*/) {}
    virtual void MouseUp(int /*X*/, int /*Y*/, TMouseButton /*Button*/) {}
    virtual void DblClick() {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool CanMorphing();
    // Morphing is on for the object and the skin lets effects run.
    bool EnableMorphing() const;
    void DoMorphing();
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double Value);

    TbsSkinMainMenuBar* Parent;
    bool FMouseIn = false;
    const TBitmap* Picture = nullptr;
    bool FDown = false;
    double FMorphKf = 0;
    std::string IDName;
    TRect SkinRect, ActiveSkinRect, DownRect, ObjectRect;
    bool Active = false;
    bool Enabled = true;
    bool Visible = true;   // false while an item does not fit on the bar
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
};

// One top-level item of the bar: draws its caption on the skin's item image
// (or plainly), opens its sub-menu through the form frame's menu engine, or
// runs its command when it has none.
class TbsSkinMainMenuBarItem : public TbsMenuBarObject {
public:
    TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* AParent, const TbsDataSkinObject* AData, TMenuItem* AMenuItem);

    void ReDraw() override;
    void Draw(TCanvas& Cnvs) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool EnableAnimation() const;
    void DefaultDraw(TCanvas& Cnvs);
    void SetItemDown(bool Value);
    void TrackMenu();
    bool HasSubItems() const;

    bool FSkinSupport = false;
    bool OldEnabled = true;
    TMenuItem* MenuItem;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    TRect TextRct;
    int LO = 0, RO = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    int CurrentFrame = 0;
    bool InActiveAnimation = false;

private:
    unsigned CaptionFlags() const;
    void DrawImage(TCanvas& Target, TBitmap& B, const TRect& Src, bool ActiveLook);
    void DrawCaption(TCanvas& C, TColor Color, bool Selected);
    TRect AnimationFrame() const;
};
