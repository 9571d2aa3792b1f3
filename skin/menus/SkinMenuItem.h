#pragma once
#include "platform/core/Object.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Color.h"

#include <string>
class TBitmap;
class TCanvas;
class TMenuItem;
class TbsDataSkinMenuItem;
class TbsSkinPopupWindow;

// The marks of the plain look, drawn with the canvas pen (and brush for the
// radio mark) in Color.
void DrawMenuCheckMark(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMenuArrow(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMenuRadioMark(TCanvas& Canvas, int X, int Y, TColor Color);

// One entry of an open skinned popup window: wraps a TMenuItem, draws itself
// at ObjectRect from the skin's menu-item description (or plainly without
// one), runs its hover effects and tells the menu engine what the user did.
class TbsSkinMenuItem : public TObject {
public:
    // A description whose picture index is bad is not used: the item is drawn
    // plainly (the shared description is left as it is).
    TbsSkinMenuItem(TbsSkinPopupWindow* AParent, TMenuItem* AMenuItem, TbsDataSkinMenuItem* AData);

    void Draw(TCanvas& Cnvs);
    void DefaultDraw(TCanvas& Cnvs);
    void MouseDown(int X, int Y);
    void MouseEnter(bool Kb);
    void MouseLeave();
    bool EnableMorphing() const;
    bool EnableAnimation() const;
    virtual bool CanMorphing();
    void DoMorphing();
    void ReDraw();

    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double Value);

    // What the item is, from its TMenuItem.
    bool IsDivider() const;
    bool IsHeader() const;
    bool Usable() const;   // enabled and not a divider

    TbsSkinPopupWindow* Parent;
    TbsDataSkinMenuItem* MI = nullptr;
    const TBitmap* ActivePicture = nullptr;
    TMenuItem* MenuItem;
    TRect ObjectRect;
    bool Active = false;
    bool Down = false;
    bool FVisible = true;
    bool WaitCommand = false;
    int CurrentFrame = 0;

private:
    void DrawItemFace(TBitmap& B, bool Act, bool Frame);
    // DrawItemFace's steps.
    void PaintFaceBackground(TBitmap& B, bool Act, bool Frame);
    TColor SetFaceFont(TCanvas& C, bool Act);
    void DrawCaptionAndShortCut(TCanvas& C, const TRect& T, int GlyphGap, int RightGap);
    // Text flags in the reading order of the engine's form.
    unsigned TextFlags() const;
    // The engine's form mirrors its alignment.
    bool RightToLeft() const;
    void DrawSubmenuArrow(TCanvas& C, const TRect& T, bool Act, TColor Color);
    void DrawFaceMark(TCanvas& C, const TRect& T, bool Act, TColor Color);
    void DrawHeaderItem(TCanvas& Canvas, const TRect& R, const std::string& Text);
    TRect GetFrameRect() const;
    void DrawImage(TCanvas& Canvas, const TRect& R, const TRect& Src);
    void DrawOnWindow();
    bool HasGlyph() const;
    void DrawGlyph(TCanvas& C, int X, int Y, TColor Color, bool Skinned);
    bool DrawSystemGlyph(TCanvas& C, int X, int Y, TColor Color);

    double FMorphKf = 0;
};
