#pragma once
#include <string>
#include "platform/gfx/Geometry.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/StdCtrls.h"
#include "skin/data/SkinTypes.h"

class TbsFormFrame;
class TMenuItem;
class TCanvas;
class TBitmap;
class TbsSkinData;
class TbsDataSkinObject;
class TCustomForm;

// The live parts laid over a form's frame: caption buttons, free buttons,
// strip animations, areas the application paints and the caption. The frame
// owns them in its ObjectList, positions them (ObjectRect, frame
// coordinates), paints them and feeds them the mouse. Built from a skin
// description, or (standard buttons only) without one for the plain frame.
class TbsActiveSkinObject : public TObject {
public:
    explicit TbsActiveSkinObject(TbsFormFrame* AParent, TbsDataSkinObject* AData = nullptr);
    virtual ~TbsActiveSkinObject() = default;

    std::string IDName;
    std::string Hint;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InActiveSkinRect;
    TRect ObjectRect;
    bool Enabled = true;
    bool Visible = true;
    bool Active = false;
    bool FMouseIn = false;
    bool SkinRectInAPicture = false;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    double FMorphKf = 0;
    TBitmap* Picture = nullptr;             // the skin's frame picture, not owned
    TBitmap* ActivePicture = nullptr;       // the description's extra picture, or none
    TBitmap* ActiveMaskPicture = nullptr;   // black pixels: the object's hit area
    TbsSkinData* SD = nullptr;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

    // Object coordinates; True: the point belongs to the object.
    virtual bool PointInObject(int X, int Y);
    virtual void ShowLayer();
    virtual void HideLayer();
    virtual bool CanMorphing();
    // Draws the object on Cnvs at ObjectRect (the caller may shift it).
    virtual void Draw(TCanvas& Cnvs, bool UpDate);
    virtual void DblClick();
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // Morphing is on in the skin and this object has a hover image.
    bool EnableMorphing() const;
    // Starts the hover transition, or redraws at once without one.
    void ReDraw();
    void DoMorphing();
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double Value);

protected:
    // Shows the object's new state on the frame.
    void Redraw();
    bool SkinReady() const;
    // The normal image morphed toward the active one by FMorphKf, at ObjectRect.
    void DrawMorph(TCanvas& Cnvs, const TBitmap& NormalPic, const TRect& Normal, const TBitmap& ActivePic,
                   const TRect& ActiveR);
    // Src of Pic stretched into ObjectRect of Cnvs.
    void DrawPiece(TCanvas& Cnvs, const TBitmap* Pic, const TRect& Src);
    TBitmap* NormalPicture() const { return SkinRectInAPicture ? ActivePicture : Picture; }
    TbsFormFrame* Parent;
    TbsDataSkinObject* FData;
};

// An area of the frame the application paints (OnPaintEvent).
class TbsUserObject : public TbsActiveSkinObject {
public:
    using TbsActiveSkinObject::TbsActiveSkinObject;
    void Draw(TCanvas& Cnvs, bool UpDate) override;
};

class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    TbsSkinButtonObject(TbsFormFrame* AParent, TbsDataSkinObject* AData);
    TRect DownRect;
    TRect DisableSkinRect;
    TMenuItem* MenuItem = nullptr;
    bool FDown = false;
    bool FPopupUp = false;
    bool Down() const { return FDown; }
    virtual void SetDown(bool Value);
    bool CanMorphing() override;
    void Draw(TCanvas& Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TrackMenu();
};

class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    TbsSkinStdButtonObject(TbsFormFrame* AParent, TbsDataSkinObject* AData, TbsStdCommand ACommand);
    TbsStdCommand Command;
    bool FSkinSupport = false;   // built from a skin description
    TRect RestoreRect, RestoreActiveRect, RestoreInActiveRect, RestoreDownRect;
    std::string RestoreHint;
    std::string FTempHint;

    bool PointInObject(int X, int Y) override;
    void ShowLayer() override;
    void HideLayer() override;
    bool CanMorphing() override;
    void Draw(TCanvas& Cnvs, bool UpDate) override;
    // The look without a skin: system colours and the caption glyphs.
    void DefaultDraw(TCanvas& Cnvs);
    void ButtonClick();
    void MouseEnter() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;
    // The form is in the state this button's command toggles back.
    bool InRestoreState() const;

private:
    bool ShowsFormIcon() const;
};

// Draws a caption glyph with its top-left corner at (X, Y).
using TbsGlyphProc = void (*)(TCanvas& Canvas, int X, int Y, TColor Color);
// The plain look of a caption button in R: hovered, a navy frame round the
// hot fill (the pressed fill while also down), else the button face; Glyph
// (none when nullptr) at (width div 2 - 5, height div 2 - 4), one pixel
// further while pressed under the pointer, in the text colour or, disabled,
// the shadow colour. Shared by the frame and the menu bar's MDI buttons.
void DrawPlainCaptionButton(TCanvas& Cnvs, const TRect& R, bool MouseIn, bool Down, bool Enabled, TbsGlyphProc Glyph);

// Carries out a caption button's window command on Frame: close, maximize
// or restore, minimize (to the tray where the frame always does), minimize
// to the tray, roll up or down. False for the system menu and no command,
// which each button handles itself.
bool RunFrameCommand(TbsFormFrame& Frame, TbsStdCommand Command);

// A strip of frames played on hover (or started by the application).
class TbsSkinAnimateObject : public TbsActiveSkinObject {
public:
    TbsSkinAnimateObject(TbsFormFrame* AParent, TbsDataSkinObject* AData);
    int FFrame = 1;
    int FInc = 25;
    int TimerInterval = 25;
    TMenuItem* MenuItem = nullptr;
    bool FPopupUp = false;
    bool FDown = false;
    bool FMenuTracking = false;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    bool Increment = true;
    TbsStdCommand Command = cmDefault;
    TRect DownSkinRect, RestoreRect, RestoreActiveRect, RestoreInActiveRect, RestoreDownRect;
    std::string RestoreHint;
    std::string FTempHint;

    void ShowLayer() override;
    void HideLayer() override;
    void Draw(TCanvas& Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void Start();
    void Stop();
    void ChangeFrame();
    int Frame() const { return FFrame; }
    void SetFrame(int Value);
    void ButtonClick();
    void TrackMenu();

private:
    bool InRestoreState() const;
    void PlayHover(bool Forward);
    TRect FrameRect(int N, const TRect& Base, const TRect& First) const;
};

// The caption: its text (and the caption images of skins that have them).
class TbsSkinCaptionObject : public TbsActiveSkinObject {
public:
    TbsSkinCaptionObject(TbsFormFrame* AParent, TbsDataSkinObject* AData);
    int ActiveQuickButton = -1;
    int OldActiveQuickButton = -1;
    std::string FontName = "Arial";
    int FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    bool Shadow = false;
    TColor LightColor = 0, ActiveLightColor = 0;
    bool Light = false;
    TAlignment Alignment = taCenter;
    TRect TextRct, FrameRect, ActiveFrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    bool StretchEffect = false;
    bool FullFrame = false;
    int FIncTime = 0;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    int CurrentFrame = 0;
    bool InActiveAnimation = false;
    bool VistaGlowEffect = false, VistaGlowInActiveEffect = false;
    bool GlowEffect = false, GlowInActiveEffect = false;
    int GlowSize = 3;
    TColor GlowColor = 0, GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0, ReflectionActiveColor = 0;
    int ReflectionOffset = 0;

    void Draw(TCanvas& Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool EnableAnimation() const;
    void RepaintNC();
    // Hover by a window point; repaints and hints on a change.
    void CheckQuickButtons(int X, int Y);
    void DrawQuickButtons(TCanvas& Cnvs);

private:
    // True when the frame has quick buttons and one is under (X, Y), which
    // becomes ActiveQuickButton.
    bool HitQuickButton(int X, int Y);
    // The caption image of Src from Pic at the object's size, with its text.
    void ComposeImage(TBitmap& B, const TBitmap& Pic, const TRect& Src, bool ActiveLook);
    void DrawCaptionText(TCanvas& C, TPoint Offset, bool ActiveLook);
    void ApplyInActiveEffect(TBitmap& B);
};

// The frame component of a form: the first among its components.
TbsFormFrame* GetFormFrame(TCustomForm* AForm);
// The frame component of the application main form's active MDI child; nullptr when none.
TbsFormFrame* GetActiveMDIChildSkinForm();
// The frame component of the main form's first MDI child whose frame is maximized; nullptr when none.
TbsFormFrame* GetMaximizedMDIChildSkinForm();

// What a description of the skin's object list becomes on a form. The
// skinned objects are made by default; a test or another look may install
// its own maker.
using TbsFrameObjectMaker = TbsActiveSkinObject* (*)(TbsFormFrame* Frame, TbsDataSkinObject* Data);
void SetFrameObjectMaker(TbsFrameObjectMaker Maker);
TbsFrameObjectMaker FrameObjectMaker();
// The default maker: the object class for each description kind.
TbsActiveSkinObject* MakeSkinFrameObject(TbsFormFrame* Frame, TbsDataSkinObject* Data);
