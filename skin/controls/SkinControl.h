#pragma once
#include <string>
#include "platform/gfx/Font.h"
#include "platform/ui/controls/Controls.h"
#include "skin/controls/ElementGeometry.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TBitmap;
class TImageList;
class TbsSkinData;


// The base of every windowed skinned control: links a skin container and
// one element of it by name, looks the element up before every paint,
// paints the whole face from one off-screen bitmap (the plain look drawn
// with system colours when there is no skin or no such element), and takes
// part in the skin change: BeforeChangeSkinData before the container
// reloads, ChangeSkinData after it.
class TbsSkinControl : public TCustomControl, public IbsSkinChangeTarget {
public:
    explicit TbsSkinControl(TComponent* AOwner);

    TbsSkinData* SkinData() const override { return FSD; }
    virtual void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    // Stores the name only; the next paint looks it up.
    virtual void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }

    // Position of the element in the skin's control list; -1: the plain look.
    int SkinIndex() const { return FIndex; }

    virtual void GetSkinData();
    void ChangeSkinData() override;
    bool TakesBeforeChange() const override { return true; }
    void BeforeChangeSkinData() override;
    virtual void AfterChangeSkinData() {}

    std::string HintTitle;
    int HintImageIndex = 0;
    TImageList* HintImageList = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    virtual void CreateControlDefaultImage(TBitmap& /*B*/) {}
    virtual void CreateControlSkinImage(TBitmap& /*B*/) {}
    virtual void CheckParentBackground() {}
    // Drops what the old skin lent the control: the element index and, in
    // descendants, its pictures. Runs whenever the skin link changes or the
    // skin is about to reload, so nothing outside painting reads a stale entry.
    virtual void ReleaseSkinElement() { FIndex = -1; }
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    // A bitmap of the control's size filled with clBtnFace, ready for a face.
    static void PrepareFaceBitmap(TBitmap& B, int Width, int Height);
    // Paints the face into a device context that came with a message.
    void PaintFaceTo(HDC DC);

    bool FromWMPaint = false;
    TbsSkinDataLink FSD{this};
    std::string FSkinDataName;
    int FIndex = -1;
};

// Adds the resizable element geometry: the size rules, the window region
// from the element's mask, the default font and size of the plain look,
// centring in a tool bar and the piecewise painting of panel-like controls.
class TbsSkinCustomControl : public TbsSkinControl, public TbsElementGeometry {
public:
    explicit TbsSkinCustomControl(TComponent* AOwner);
    ~TbsSkinCustomControl() override;

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
    bool ForcebackGround() const { return FForceBackground; }
    void SetForcebackGround(bool Value) { FForceBackground = Value; }
    bool DrawbackGround() const { return FDrawbackground; }
    void SetDrawbackGround(bool Value) { FDrawbackground = Value; }

    TRect RealClientRect() const { return NewClRect; }
    int RealClientWidth() const { return NewClRect.Width(); }
    int RealClientHeight() const { return NewClRect.Height(); }
    int RealClientLeft() const { return NewClRect.Left; }
    int RealClientTop() const { return NewClRect.Top; }

    void NotifyChildrenParentBackground();
    void CreateSkinImageByMode(TBitmap& B, const TBitmap* SkinPicture, const TRect& R);
    void MapSkinRect(const TRect& R, TRect& Result) const { Result = TbsElementGeometry::MapSkinRect(R, Width(), Height()); }

    TBitmap* MaskPicture = nullptr;   // the element's mask, never owned

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void ReleaseSkinElement() override;
    virtual void DefaultFontChanged() {}
    virtual void FitSizeToSkin(int& AWidth, int& AHeight);
    virtual void UpdateSkinRegion();

private:
    void PaintPieces();

    bool FForceBackground = false;
    bool FDrawbackground = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    bool FHasRegion = false;
};
