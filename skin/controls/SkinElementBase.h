#pragma once
#include <string>
#include "platform/gfx/Font.h"
#include "skin/controls/ElementGeometry.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TBitmap;
class TImageList;
class TbsSkinData;

// What the windowed and the windowless skinned control bases share, over
// the class library base each paints with (TCustomControl or
// TGraphicControl): the link to a skin container and one element of it by
// name, the look-up before every paint, the face painted whole from one
// off-screen bitmap (the plain look without a skin or element), and the
// control's part in a skin change.
template <class Base>
class TbsSkinElementBase : public Base, public IbsSkinChangeTarget {
public:
    explicit TbsSkinElementBase(TComponent* AOwner) : Base(AOwner) {}

    TbsSkinData* SkinData() const override { return FSD; }
    virtual void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    // Stores the name only; the next paint looks it up.
    virtual void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }

    // Position of the element in the skin's control list; -1: the plain look.
    int SkinIndex() const { return FIndex; }

    virtual void GetSkinData();
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;

    std::string HintTitle;
    int HintImageIndex = 0;
    TImageList* HintImageList = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual void CreateControlDefaultImage(TBitmap& /*B*/) {}
    virtual void CreateControlSkinImage(TBitmap& /*B*/) {}
    // Drops what the old skin lent the control: the element index and, in
    // descendants, its pictures. Runs whenever the skin link changes or the
    // skin is about to reload, so nothing outside painting reads a stale entry.
    virtual void ReleaseSkinElement() { FIndex = -1; }
    bool Designing() const { return this->ComponentState().Contains(csDesigning); }
    // A bitmap of the control's size filled with clBtnFace, ready for a face.
    static void PrepareFaceBitmap(TBitmap& B, int Width, int Height);

    TbsSkinDataLink FSD{this};
    std::string FSkinDataName;
    int FIndex = -1;
};

// Adds the resizable element geometry over either skinned control base:
// the size rules, the default font and size of the plain look and centring
// in a tool bar that adjusts its controls.
template <class Base>
class TbsSkinSizedBase : public Base, public TbsElementGeometry {
public:
    explicit TbsSkinSizedBase(TComponent* AOwner);
    ~TbsSkinSizedBase() override;

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
    // Takes the geometry and pictures of the element found; without one the
    // pictures are dropped.
    virtual void ReadElement(const TbsDataSkinCustomControl& E);
    virtual void DropElementPictures() { Picture = nullptr; }
    // Mode 1 left to a caller that paints the pieces itself.
    virtual bool ForcesBackground() const { return false; }
    // The window's shape after a size or skin change; windowless: none.
    virtual void UpdateSkinRegion() {}
    // A windowed control already repainted in SetBounds when the skin
    // resized it; a windowless one repaints once more after the change.
    virtual bool RepaintsAfterSkinResize() const { return true; }

private:
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
};
