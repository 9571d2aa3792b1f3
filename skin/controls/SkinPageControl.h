#pragma once
#include <functional>
#include <memory>
#include <string>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "platform/ui/controls/TabControl.h"
#include "skin/data/SkinTypes.h"
#include "skin/draw/GlyphLayout.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TImageList;
class TbsSkinData;
class TbsSkinUpDown;
class TbsSkinPageControl;

// A page of the skinned page control: paints its background from the page
// control's skin (or its own wallpaper) and keeps the state of its tab's
// close button.
class TbsSkinCustomTabSheet : public TTabSheet {
public:
    explicit TbsSkinCustomTabSheet(TComponent* AOwner);
    ~TbsSkinCustomTabSheet() override;

    const TBitmap& WallPaper() const { return FWallPaper; }
    void SetWallPaper(const TBitmap& Value);
    // Paints the background onto C, whose (0,0) is the sheet's top-left.
    void PaintBG(TCanvas& C);

    TRect ButtonRect;   // the close button in tab coordinates, set by the tab drawing
    bool ButtonMouseIn = false;
    bool ButtonMouseDown = false;

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;

private:
    TbsSkinPageControl* SkinPageControl() const;
    TBitmap FWallPaper;
};

class TbsSkinTabSheet : public TbsSkinCustomTabSheet {
public:
    using TbsSkinCustomTabSheet::TbsSkinCustomTabSheet;
};

using TbsCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TbsDrawSkinTabEvent =
    std::function<void(int TabIndex, const TRect& Rct, bool Active, bool MouseIn, TCanvas& Cnvs)>;

// The page control drawn from the skin element "tab": border, tab strip,
// tabs (images, close buttons) and a skinned spin-button scroller in place
// of the plain arrows. The tab control underneath keeps layout, hit tests
// and scrolling; the page area and tab rectangles it answers are bent to the
// skin's borders.
class TbsSkinPageControl : public TPageControl, public IbsSkinChangeTarget {
public:
    explicit TbsSkinPageControl(TComponent* AOwner);
    ~TbsSkinPageControl() override;

    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    int SkinIndex() const { return FIndex; }
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    bool MouseWheelSupport() const { return FMouseWheelSupport; }
    void SetMouseWheelSupport(bool Value) { FMouseWheelSupport = Value; }
    bool TabExtededDraw() const { return FTabExtendedDraw; }
    void SetTabExtededDraw(bool Value) { FTabExtendedDraw = Value; Invalidate(); }
    int TabMargin() const { return FTabMargin; }
    void SetTabMargin(int Value);
    int TabSpacing() const { return FTabSpacing; }
    void SetTabSpacing(int Value);
    TbsButtonLayout TabLayout() const { return FTabLayout; }
    void SetTabLayout(TbsButtonLayout Value);
    bool TextInHorizontal() const { return FTextInHorizontal; }
    void SetTextInHorizontal(bool Value) { FTextInHorizontal = Value; Invalidate(); }
    bool TabsInCenter() const { return FTabsInCenter; }
    void SetTabsInCenter(bool Value);
    int TabsOffset() const { return FTabsOffset; }
    void SetTabsOffset(int Value);
    bool TabsBGTransparent() const { return FTabsBGTransparent; }
    void SetTabsBGTransparent(bool Value);
    bool FreeOnClose() const { return FFreeOnClose; }
    void SetFreeOnClose(bool Value) { FFreeOnClose = Value; }
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);

    void HideTabs();
    void ShowTabs();
    void HideBorderAndTabs();
    void ShowBorderAndTabs();
    void UpDateTabs();
    bool TabsHidden() const { return FHideTabs; }

    // The skinned scroller while a single-line row overflows, else null.
    TbsSkinUpDown* UpDownControl() const { return FSkinUpDown; }
    // Tabs cut off at either end, and those scrolled off to the left.
    int GetHiddenTabCount();
    int GetScrolledTabCount();
    // The rectangle of shown tab I as drawn (the first one 1 pixel narrower).
    TRect GetTabRect(int I);
    int GetTabsOffset();
    // The page of the tab under the mouse, -1 none.
    int HotTab() const { return FActiveTab; }
    // The size of the images of the tab control underneath: room for images and close buttons.
    TSize TabImageSize() const;
    int CloseSize() const { return FCloseSize; }

    TbsCloseEvent OnClose;
    TNotifyEvent OnAfterClose;
    TbsDrawSkinTabEvent OnDrawSkinTab;

    // Skin copies, read by the sheets while they paint.
    TBitmap* Picture = nullptr;
    TRect SkinRect, ClRect, TabRect_, ActiveTabRect, FocusTabRect, MouseInTabRect, TabsBGRect;
    int BGPictureIndex = -1;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    void GetSkinData();

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void Change() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    TbsSkinCustomTabSheet* SheetOfTab(int TabIndex) const;
    int PageOfTab(int TabIndex) const;
    void AdjustPageRect(TRect& R);
    void AdjustItemRect(TRect& R);
    int GetCloseSize() const;
    void ApplyTabSize();
    void ApplyFont(TCanvas& C);
    void UpdateTempImages();
    void UpdateUpDown();
    void SizeChanged();
    void UpdateUpDownPosition();
    void UpDownChange();
    void UpdateHotTab(int X, int Y);
    bool CloseAreaHit(int X, int Y, TbsSkinCustomTabSheet*& Sheet);
    void ClosePage(TTabSheet* Page);
    void RedrawTabs() { Invalidate(); }
    TRect ActiveTabArea(const TRect& TabR);
    void DrawDefaultBorder(TCanvas& C);
    void DrawSkinBorder(TCanvas& C);
    void DrawTabs(TCanvas& C);
    void PaintClientBG(TCanvas& C, const TRect& R);
    void PaintTab(int TabIndex, const TRect& R, TCanvas& C, bool Hot, bool Selected);
    void DrawCloseButton(TCanvas& C, const TRect& R, TbsSkinCustomTabSheet* Sheet, bool Hot);
    void PaintTabContent(TCanvas& C, int PageIndex, const TRect& TR, int W, int H, int Shift, bool Hot,
                         bool Selected);

    TbsSkinDataLink FSD{this};
    std::string FSkinDataName = "tab";
    int FIndex = -1;
    bool FMouseWheelSupport = false;
    bool FTabExtendedDraw = false;
    int FTabMargin = -1, FTabSpacing = 1;
    TbsButtonLayout FTabLayout = blGlyphLeft;
    bool FTextInHorizontal = false;
    bool FHideTabs = false, FHideBorder = false;
    TTabPosition FOldTabPosition = tpTop;
    bool FOldMultiLine = false;
    int FOldTabHeight = -1;
    int FCloseSize = 14;
    bool FFreeOnClose = false;
    bool FShowCloseButtons = false;
    bool FTabsBGTransparent = false;
    int FActiveTab = -1, FActiveTabIndex = -1;
    TImageList* FImages = nullptr;
    std::unique_ptr<TImageList> FTempImages;
    bool FTabsInCenter = false;
    int FTabsOffset = 0;
    TbsSkinUpDown* FSkinUpDown = nullptr;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultItemHeight = 20;
    // Further skin copies.
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    std::string UpDown = "hupdown";
    bool TabStretchEffect = false, ShowFocus = false;
    int FocusOffsetX = 0, FocusOffsetY = 0;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
};
