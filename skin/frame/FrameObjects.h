#pragma once
#include <string>
#include "platform/gfx/Geometry.h"
#include "platform/ui/controls/Controls.h"
#include "skin/data/SkinTypes.h"

class TbsFormFrame;
class TMenuItem;
class TCanvas;
class TbsDataSkinObject;

// The live parts laid over a form's frame: caption buttons and the other
// objects a skin describes. The frame owns them in its ObjectList, positions
// them (ObjectRect, frame coordinates), paints them and feeds them the mouse.
// This is the common base and the standard caption button as the plain frame
// uses it (no skin description); skinned drawing comes with the skinned frame.
class TbsActiveSkinObject {
public:
    explicit TbsActiveSkinObject(TbsFormFrame* AParent, TbsDataSkinObject* AData = nullptr);
    virtual ~TbsActiveSkinObject() = default;

    std::string IDName;
    std::string Hint;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect ObjectRect;
    bool Enabled = true;
    bool Visible = true;
    bool Active = false;
    bool FMouseIn = false;
    bool SkinRectInAPicture = false;
    double FMorphKf = 0;

    // Draws the object on Cnvs at ObjectRect (the caller may shift it).
    virtual void Draw(TCanvas& Cnvs, bool UpDate);
    // Object coordinates; True: the point belongs to the object.
    virtual bool PointInObject(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void DblClick();

protected:
    // Shows the object's new state on the frame.
    void Redraw();
    TbsFormFrame* Parent;
    TbsDataSkinObject* FData;
};

class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    using TbsActiveSkinObject::TbsActiveSkinObject;
    TRect DownRect;
    TMenuItem* MenuItem = nullptr;
    bool FDown = false;
    bool Down() const { return FDown; }
    virtual void SetDown(bool Value);
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
};

class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    TbsSkinStdButtonObject(TbsFormFrame* AParent, TbsDataSkinObject* AData, TbsStdCommand ACommand);
    TbsStdCommand Command;
    bool FSkinSupport = false;   // built from a skin description

    void Draw(TCanvas& Cnvs, bool UpDate) override;
    // The look without a skin: system colours and the caption glyphs.
    void DefaultDraw(TCanvas& Cnvs);
    void ButtonClick();
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;
};

// What a description of the skin's object list becomes on a form: the
// skinned frame installs the maker; without one no object is made.
using TbsFrameObjectMaker = TbsActiveSkinObject* (*)(TbsFormFrame* Frame, TbsDataSkinObject* Data);
void SetFrameObjectMaker(TbsFrameObjectMaker Maker);
TbsFrameObjectMaker FrameObjectMaker();
