#pragma once
#include "platform/ui/controls/Controls.h"
#include "skin/controls/SkinElementBase.h"
#include "skin/data/SkinMessages.h"

class TBitmap;

extern template class TbsSkinElementBase<TCustomControl>;

// The base of every windowed skinned control: the skin link, element
// look-up and face painting of TbsSkinElementBase on a window, and the part
// in the skin change: BeforeChangeSkinData before the container reloads,
// ChangeSkinData after it.
class TbsSkinControl : public TbsSkinElementBase<TCustomControl> {
public:
    explicit TbsSkinControl(TComponent* AOwner);

    bool TakesBeforeChange() const override { return true; }
    virtual void AfterChangeSkinData() {}

protected:
    void WndProc(TMessage& Message) override;
    virtual void CheckParentBackground() {}
    // Paints the face into a device context that came with a message.
    void PaintFaceTo(HDC DC);
    // A press on a control that can take the focus takes it first; the
    // commands sent meanwhile are no clicks (ClicksDisabled is set while it
    // does). False when the focus did not come: the press is dropped.
    bool TakeFocusBeforePress(bool& ClicksDisabled);

    bool FromWMPaint = false;
};

extern template class TbsSkinSizedBase<TbsSkinControl>;

// Adds the resizable element geometry: the size rules, the window region
// from the element's mask, the default font and size of the plain look,
// centring in a tool bar and the piecewise painting of panel-like controls.
class TbsSkinCustomControl : public TbsSkinSizedBase<TbsSkinControl> {
public:
    explicit TbsSkinCustomControl(TComponent* AOwner);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    bool ForcebackGround() const { return FForceBackground; }
    void SetForcebackGround(bool Value) { FForceBackground = Value; }
    bool DrawbackGround() const { return FDrawbackground; }
    void SetDrawbackGround(bool Value) { FDrawbackground = Value; }

    void NotifyChildrenParentBackground();
    void MapSkinRect(const TRect& R, TRect& Result) const { Result = TbsElementGeometry::MapSkinRect(R, Width(), Height()); }

    TBitmap* MaskPicture = nullptr;   // the element's mask, never owned

protected:
    void Paint() override;
    void ReadElement(const TbsDataSkinCustomControl& E) override;
    void DropElementPictures() override;
    bool ForcesBackground() const override { return FForceBackground; }
    void UpdateSkinRegion() override;
    bool RepaintsAfterSkinResize() const override { return false; }

private:
    void PaintPieces();

    bool FForceBackground = false;
    bool FDrawbackground = true;
    bool FHasRegion = false;
};
