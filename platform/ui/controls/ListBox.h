#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Strings.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/StdMessages.h"
#include "platform/ui/controls/TypeAhead.h"

enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight,
                           odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
// The owner-draw state bits of a DRAWITEMSTRUCT as the set.
TOwnerDrawState OwnerDrawState(UINT itemState);
// Paints an owner-drawn item reflected back from the parent on ACanvas: the
// item's device context, AFont and AColor, highlight colours when selected;
// ADraw paints a real item, an empty list just gets its background, and the
// focus rectangle goes on top.
void PaintReflectedItem(TCanvas& ACanvas, TFont& AFont, TColor AColor, const DRAWITEMSTRUCT& dis,
                        const std::function<void(int Index, TRect Rect, TOwnerDrawState State)>& ADraw);

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

// The items of a list box as a string list: every change is an LB_ message
// to the list box, so a subclass sees LB_ADDSTRING, LB_INSERTSTRING and
// LB_DELETESTRING. Objects travel as the item data.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TWinControl* owner) : FOwner(owner) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;
    int AddObject(const std::string& s, TObject* object) override;
    int IndexOf(const std::string& s) const override;

protected:
    void SetUpdateState(bool updating) override;
    // Combo boxes use the same list with their CB_ numbers.
    virtual UINT MsgAdd() const { return LB_ADDSTRING; }
    virtual UINT MsgInsert() const { return LB_INSERTSTRING; }
    virtual UINT MsgDelete() const { return LB_DELETESTRING; }
    virtual UINT MsgReset() const { return LB_RESETCONTENT; }
    virtual UINT MsgCount() const { return LB_GETCOUNT; }
    virtual UINT MsgTextLen() const { return LB_GETTEXTLEN; }
    virtual UINT MsgText() const { return LB_GETTEXT; }
    virtual UINT MsgGetData() const { return LB_GETITEMDATA; }
    virtual UINT MsgSetData() const { return LB_SETITEMDATA; }
    virtual UINT MsgFindExact() const { return LB_FINDSTRINGEXACT; }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    TWinControl* FOwner;
};

// The list box: the classic list window in the control. Items, selection,
// scrolling, keys, the mouse and owner drawing all go through the LB_
// messages and the reflected notifications (LBN_SELCHANGE raises OnClick,
// LBN_DBLCLK OnDblClick, WM_DRAWITEM comes back as CN_DRAWITEM and draws
// through DrawItem / OnDrawItem), so a replaced window procedure sees all.
class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings& Items() { return *FItemsList; }
    void SetItems(const TStrings& value) { FItemsList->Assign(&value); }
    int ItemIndex();
    void SetItemIndex(int value);
    int TopIndex() { return int(Send(LB_GETTOPINDEX)); }
    void SetTopIndex(int value) { Send(LB_SETTOPINDEX, WPARAM(value)); }
    int ItemHeight() { return EffectiveItemHeight(); }
    // Heights of 0 or less are refused (the old height stays).
    void SetItemHeight(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);
    bool Selected(int index);
    void SetSelected(int index, bool value);
    int SelCount() { return int(Send(LB_GETSELCOUNT)); }
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool value) { FAutoComplete = value; }
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value) { FIntegralHeight = value; }

    TRect ItemRect(int index);
    // The item under a client point; outside every item -1 when existing,
    // else the item count.
    int ItemAtPos(TPoint pos, bool existing);
    void Clear() { FItemsList->Clear(); }
    void SelectAll();
    void ClearSelection();
    TCanvas& Canvas() { return *FCanvas; }
    // Rows that fit the client area (at least one).
    int RowsPerColumn();

    TDrawItemEvent OnDrawItem;
    std::function<void(TWinControl* Control, int Index, int& Height)> OnMeasureItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void PaintWindow(HDC dc) override;
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    DWORD ListStyle();
    int EffectiveItemHeight();
    // Asks for the height of one item of a variable owner-drawn list: the
    // parent answers WM_MEASUREITEM, else the list measures itself.
    virtual void SendMeasureItem(MEASUREITEMSTRUCT& mis);
    void UpdateScrollBars();
    TRect ListClient();

private:
    // DefaultHandler's handlers, one per message.
    void WMLButtonUp(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMMouseWheel(TMessage& m);
    void WMSetRedraw(TMessage& m);
    void CNCommand(TMessage& m);
    void CNCtlColorListBox(TMessage& m);
    void CNMeasureItem(TMessage& m);
    void CNDrawItem(TMessage& m);
    void LBAddString(TMessage& m);
    void LBInsertString(TMessage& m);
    void LBDeleteString(TMessage& m);
    void LBResetContent(TMessage& m);
    void LBGetText(TMessage& m);
    void LBSetItemData(TMessage& m);
    void LBSetCurSel(TMessage& m);
    void LBSetSel(TMessage& m);
    void LBGetSelCount(TMessage& m);
    void LBGetSelItems(TMessage& m);
    void LBSelItemRange(TMessage& m);
    void LBSetCaretIndex(TMessage& m);
    void LBSetTopIndex(TMessage& m);
    void LBSelectString(TMessage& m);
    void LBGetItemRect(TMessage& m);
    void LBItemFromPoint(TMessage& m);
    void LBSetItemHeight(TMessage& m);
    void LBSetColumnWidth(TMessage& m);
    struct TItem {
        std::string Text;
        UINT_PTR Data = 0;
        bool Selected = false;
        int Height = 0;          // measured height of a variable owner-drawn item; 0 until asked
    };

    // Items of their own heights (owner-drawn variable, one column).
    bool VariableHeights();
    int HeightOf(int index);
    void MeasureItemAt(int index);
    // The distance from the top item's top to an item's top.
    int OffsetOf(int index);
    // How many items from a first one fit the client height (at least one).
    int FitFrom(int top);
    // The first item that shows a given one at the bottom of the list.
    int TopShowingAtBottom(int index);
    int Find(const std::string& text, int start, bool exact) const;
    int InsertItem(int index, const std::string& text);
    void DeleteItem(int index);
    bool IsMulti() { return (ListStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    void SetCaret(int index, bool scroll);
    void SelectOnly(int index);
    void SelectRange(int from, int to, bool value);
    void ScrollIntoView(int index);
    void SetTop(int index);
    int LastTop();
    void InvalidateItem(int index);
    void Notify(WORD code);
    void HandleKey(WORD key);
    void HandleChar(char32_t ch);
    void HandleClick(TPoint p, WORD keys, bool dbl);
    void HandleScroll(int code, int pos);
    void DrawItemDefault(TCanvas& c, int index, const TRect& r, TOwnerDrawState state);

    std::vector<TItem> FItems;
    std::unique_ptr<TListBoxStrings> FItemsList;
    std::unique_ptr<TCanvas> FCanvas;
    int FCurSel = -1;            // single selection
    int FCaretIndex = -1;        // the item with the focus rectangle
    int FAnchorIndex = -1;       // where an extended range starts
    int FTop = 0;
    int FItemHeight = 16;        // owner-drawn height
    int FTextHeight = 0;         // the standard height from the font; 0 until measured
    int FColumns = 0;
    int FColumnWidth = 0;
    int FHorizontalExtent = 0;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;
    TBorderStyle FBorderStyle = bsSingle;
    bool FAutoComplete = true;
    bool FIntegralHeight = false;
    bool FTracking = false;      // the left button is down in the list
    bool FRedraw = true;
    TTypeAhead FSearch{500};     // the typed prefix of the incremental search
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
