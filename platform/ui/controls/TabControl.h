#pragma once
#include <functional>
#include <string>
#include <vector>
#include "platform/core/Strings.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/StdCtrls.h"

class TImageList;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TTabGetImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;
class TCustomTabControl;
// Draws one tab of an owner-drawn tab control on its Canvas; Rect is the
// tab's label area, Active whether it is the selected tab.
using TDrawTabEvent = std::function<void(TCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;

// The tab control: a row (or rows) of tabs beside a display area, answering
// the TCM_* messages of CommCtrl.h.
//
// Raw geometry. Let W and H be the client size, h the tab height (the
// TCM_SETITEMSIZE height, else the text height plus 7, or the image height
// plus 6 when taller), n the number of tab rows (1 single-line, 0 without
// tabs) and S = n * h the depth of the tab strip. Tab lengths run along the
// strip: the TCM_SETITEMSIZE width when set, else the caption width plus 12,
// plus the image width and 3 when an image list is set and the tab has an
// image index. Left and right tabs draw their image and caption turned a
// quarter, reading bottom to top on the left and top to bottom on the right.
//
// TCM_GETITEMRECT answers, for the tab in strip row k (row 0 farthest from
// the display area for top and left tabs, nearest for bottom and right
// ones; the row of the selected tab is always the nearest) at offset x along
// the strip (tabs start at 2; a single-line row is shifted back by the
// length of the tabs scrolled off, so those end at or before 2, and at or
// before 0 once moved as below):
//   top:    (x, 2 + k*h, x + length, 2 + (k+1)*h)
//   bottom: (x, H - S - 2 + k*h, x + length, H - S - 2 + (k+1)*h)
//   left:   (2 + k*h, x, 2 + (k+1)*h, x + length)
//   right:  (W - S - 2 + k*h, x, W - S - 2 + (k+1)*h, x + length)
// so a drawing that moves single-line top and bottom tabs 2 to the left,
// top tabs 2 up, bottom tabs 2 down, left tabs 2 left and right tabs 2
// right puts the strip exactly in the band of depth S at the control's edge.
//
// TCM_ADJUSTRECT with wParam false turns a window rectangle (the client
// rectangle) into the display area by moving the edges inward:
//   top:    Left + 4, Top + S + 6, Right - 4, Bottom - 4
//   bottom: Left + 4, Top + 4,     Right - 4, Bottom - S - 4
//   left:   Left + S + 4, Top + 4, Right - 4, Bottom - 4
//   right:  Left + 4, Top + 4,     Right - S - 4, Bottom - 4
// and with wParam true back again. A skin that then sets the side without
// tabs to the client edge less its border and moves the tab side by its
// border less 6 (top tabs) or less 4 (the other sides) gets a page area of
// exactly the display rectangle (the client less the strip) inset by the
// skin's borders.
//
// Left and right tabs always wrap into more rows when they do not fit the
// height, as multi-line tabs do. Rows of a wrapped strip with more than one
// row are stretched to the strip's full length unless RaggedRight. With
// ScrollOpposite, the rows before the selected tab's row move to the side
// opposite the tabs (nearest the page first), so the selected row is always
// the one at the tab side nearest the page and the display area loses their
// depth on that side (TCM_ADJUSTRECT moves that edge by their depth).
//
// HotTrack shows the tab under the mouse in the hot-light colour. OwnerDraw
// leaves each tab's label to OnDrawTab (the face and frame are drawn first).
//
// Single-line rows that do not fit scroll by WM_HSCROLL: SB_THUMBPOSITION
// with the number of tabs to scroll off in the high word, SB_LINELEFT and
// SB_LINERIGHT by one tab. The plain look draws two arrow buttons at the end
// of such a row; no up-down child window is ever made.
//
// A tab clicked with the mouse or chosen with the arrow keys asks CanChange
// (OnChanging, which may refuse) before it is selected and calls Change
// (OnChange) after; TCM_SETCURSEL selects without either.
class TCustomTabControl : public TCustomControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;

    // Before the window exists, the bounds: asking the window layer then would
    // make the parents' windows on the way (and fail without a parent).
    TRect ClientRect() const override { return FHandle ? TWinControl::ClientRect() : TRect{0, 0, FWidth, FHeight}; }

    int TabIndex() const { return FCurSel; }
    void SetTabIndex(int v);
    int TabWidth() const { return FItemSize.cx; }
    void SetTabWidth(int v);
    int TabHeight() const { return FItemSize.cy; }
    void SetTabHeight(int v);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool v);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition v);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    int TabCount() const { return int(FItems.size()); }
    // The area inside the border and the tabs (TCM_ADJUSTRECT of the client).
    TRect DisplayRect();
    TRect TabRect(int index);
    int IndexOfTabAt(int x, int y);
    int RowCount() const { return FRowCount; }
    int FirstVisibleTab() const { return FFirstTab; }
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool v);
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool v);
    bool RaggedRight() const { return FRaggedRight; }
    void SetRaggedRight(bool v);
    bool ScrollOpposite() const { return FScrollOpposite; }
    void SetScrollOpposite(bool v);
    // The tab under the mouse while HotTrack is on, else -1.
    int HotTab() const { return FHotTab; }

    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;
    TNotifyEvent OnChange;
    TTabGetImageEvent OnGetImageIndex;

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void AdjustClientRect(TRect& r) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual bool CanChange();
    virtual void Change();
    virtual int GetImageIndex(int TabIndex);
    // The tab captions (and their image indexes) changed: lays them out again.
    void SetTabItems(const std::vector<std::string>& captions);
    // Moves the selection as a user does: asks first, tells after.
    bool SelectTab(int index);

private:
    struct TTabItem {
        std::string Caption;
        TRect Rect;                  // raw, unscrolled, along the strip
        int Row = 0;
        bool Opposite = false;       // ScrollOpposite: on the side facing the tabs
    };
    bool Vertical() const { return FTabPosition == tpLeft || FTabPosition == tpRight; }
    // Tabs that do not fit wrap into rows: multi-line, and side tabs always.
    bool Wraps() const { return FMultiLine || Vertical(); }
    void JustifyRows(int Room);
    void ArrangeRows();
    void SetHotTab(int index);
    int TabDepth() const;
    int TabLength(int index) const;
    void Layout();
    TRect ItemRect(int index) const;
    int HitTest(TPoint p) const;
    bool Overflows() const;
    TRect ArrowsRect() const;
    void ScrollTabs(int first);
    LRESULT TabMessage(TMessage& m, bool& handled);
    // The tab control messages' handlers.
    LRESULT TCMGetItemRect(TMessage& m);
    LRESULT TCMSetCurSel(TMessage& m);
    void BringTabIntoRow(int Index);
    LRESULT TCMHitTest(TMessage& m);
    LRESULT TCMAdjustRect(TMessage& m);
    LRESULT TCMSetItemSize(TMessage& m);
    LRESULT TCMSetImageList(TMessage& m);
    LRESULT TCMDeleteItem(TMessage& m);
    LRESULT TCMDeleteAllItems();
    void PaintTab(TCanvas& c, int index, bool selected);
    void PaintTabLabel(TCanvas& c, int index, const TRect& r);

    std::vector<TTabItem> FItems;
    int FCurSel = -1;
    TSize FItemSize{0, 0};
    bool FMultiLine = false;
    TTabPosition FTabPosition = tpTop;
    TImageList* FImages = nullptr;
    int FRowCount = 0;
    int FOppositeRows = 0;           // rows moved to the opposite side
    int FFirstTab = 0;               // single-line: tabs scrolled off
    bool FHotTrack = false;
    bool FOwnerDraw = false;
    bool FRaggedRight = false;
    bool FScrollOpposite = false;
    int FHotTab = -1;
    int FTextHeight = 0;
    std::vector<int> FTextWidths;
};

// Tabs from a list of captions.
class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* AOwner);
    ~TTabControl() override;
    TStrings& Tabs() { return FTabs; }

private:
    TStringList FTabs;
};

class TPageControl;

// A page of a page control: shown while its tab is the selected one.
class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    // Before the window exists, the bounds: asking the window layer then would
    // make the parents' windows on the way (and fail without a parent).
    TRect ClientRect() const override { return FHandle ? TWinControl::ClientRect() : TRect{0, 0, FWidth, FHeight}; }

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v);
    int PageIndex() const;
    void SetPageIndex(int v);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    // The index of its tab among the shown ones, -1 while hidden.
    int TabIndex() const;

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = 0;
};

// Pages over a tab control: one tab per page whose tab is visible.
class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward, bool checkTabVisible = true);

protected:
    void Change() override;
    int GetImageIndex(int TabIndex) override;
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages while the focus is inside.
    void WndProc(TMessage& Message) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void UpdateTabs();
    TTabSheet* PageForTab(int tabIndex) const;

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
