#pragma once
#include <memory>
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/TypeAhead.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox;

// The items of a combo box: CB_ messages to the combo.
class TComboBoxStrings : public TListBoxStrings {
public:
    using TListBoxStrings::TListBoxStrings;

protected:
    UINT MsgAdd() const override { return CB_ADDSTRING; }
    UINT MsgInsert() const override { return CB_INSERTSTRING; }
    UINT MsgDelete() const override { return CB_DELETESTRING; }
    UINT MsgReset() const override { return CB_RESETCONTENT; }
    UINT MsgCount() const override { return CB_GETCOUNT; }
    UINT MsgTextLen() const override { return CB_GETLBTEXTLEN; }
    UINT MsgText() const override { return CB_GETLBTEXT; }
    UINT MsgGetData() const override { return CB_GETITEMDATA; }
    UINT MsgSetData() const override { return CB_SETITEMDATA; }
    UINT MsgFindExact() const override { return CB_FINDSTRINGEXACT; }
};

// The combo's drop-down list: a popup that never takes the activation, shown
// at screen coordinates inside the work area, holding the mouse while open;
// a press outside it closes it. In the simple style it is an ordinary child
// below the edit, always shown, where a click chooses at once.
class TComboListBox : public TCustomListBox {
public:
    explicit TComboListBox(TCustomComboBox* combo);

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    // Items are the combo's: its parent answers for their heights.
    void SendMeasureItem(MEASUREITEMSTRUCT& mis) override;

private:
    void SimpleWndProc(TMessage& Message);
    friend class TCustomComboBox;
    TCustomComboBox* FCombo;
    bool FMovedIn = false;       // the pointer went over the items since the list opened
};

// The text part of a drop-down combo: an edit without a frame that hands the
// keys of the list to its combo.
class TComboEdit : public TCustomEdit {
public:
    explicit TComboEdit(TCustomComboBox* combo);

protected:
    void WndProc(TMessage& Message) override;
    void Change() override;
    // The combo's key events come first, as if the combo had the keys.
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    friend class TCustomComboBox;
    TCustomComboBox* FCombo;
    bool FErasing = false;       // the last character typed took text away
};

// The combo box: a drop-down list style (the chosen item painted in the box),
// an edit style (an edit for free text) and the simple style (an edit above
// a list that is always shown, no drop-down), items with objects, ItemIndex,
// Text and a drop-down count. Items, selection and the list go through CB_
// messages; what the user does is told to the parent as CBN_ notifications,
// which come back as OnDropDown, OnCloseUp, OnClick / OnSelect / OnChange.
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings& Items() { return *FItemsList; }
    void SetItems(const TStrings& value) { FItemsList->Assign(&value); }
    int ItemIndex() { return int(Send(CB_GETCURSEL)); }
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = std::max(1, value); }
    bool DroppedDown() { return Send(CB_GETDROPPEDSTATE) != 0; }
    void SetDroppedDown(bool value) { Send(CB_SHOWDROPDOWN, value ? 1 : 0); }
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    int ItemHeight() { return int(Send(CB_GETITEMHEIGHT, 0)); }
    void SetItemHeight(int value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    // Typing into the edit completes the text with the first item it starts.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool value) { FAutoComplete = value; }
    // The selection inside the edit part (edit styles only).
    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    void SelectAll();
    void Clear() { FItemsList->Clear(); SetText(""); }

    // The parts, for callers that subclass them.
    TComboListBox* ListBox() const { return FList; }
    TComboEdit* EditControl() const { return FEdit; }
    TCanvas& Canvas() { return *FCanvas; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    std::function<void(TWinControl* Control, int Index, int& Height)> OnMeasureItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void PaintWindow(HDC dc) override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

private:
    friend class TComboListBox;
    friend class TComboEdit;

    // DefaultHandler's handlers, one per message.
    void WMChar(TMessage& m);
    void WMLButtonDown(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMKillFocus(TMessage& m);
    void WMMouseWheel(TMessage& m);
    void WMSetText(TMessage& m);
    void WMGetText(TMessage& m);
    void CNCommand(TMessage& m);
    void CNMeasureItem(TMessage& m);
    void CNDrawItem(TMessage& m);
    void CBAddString(TMessage& m);
    void CBDeleteString(TMessage& m);
    void CBResetContent(TMessage& m);
    void CBSelectString(TMessage& m);
    void CBSetCurSel(TMessage& m);
    void CBShowDropDown(TMessage& m);
    void CBSetItemHeight(TMessage& m);
    void CBGetItemHeight(TMessage& m);
    void CBLimitText(TMessage& m);
    void CBSetEditSel(TMessage& m);
    bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
    bool IsSimple() const { return FStyle == csSimple; }
    // The height of the edit part of a simple combo, frame included.
    int SimpleEditHeight() const { return FItemHeight + 5; }
    TRect ButtonRect();
    std::string CurrentText();
    void PlaceEdit();
    void Notify(WORD code);
    void OpenList();
    // Closes the list, taking the item under the list's selection or not.
    void CloseList(bool accept);
    void Commit(int index, bool notify);
    void HandleKey(WORD key, bool alt);
    bool KeyForList(WORD key, bool alt);
    void TypeAhead(char32_t ch);
    void EditChanged();

    std::unique_ptr<TComboBoxStrings> FItemsList;
    std::unique_ptr<TCanvas> FCanvas;
    TComboListBox* FList = nullptr;          // owned as a child control
    TComboEdit* FEdit = nullptr;             // owned as a child control, edit styles only
    TComboBoxStyle FStyle = csDropDown;
    int FItemIndex = -1;
    int FDropDownCount = 8;
    int FItemHeight = 16;
    bool FSorted = false;
    int FMaxLength = 0;
    bool FDropped = false;
    bool FSettingText = false;
    bool FAutoComplete = true;
    TTypeAhead FSearch{500};     // the typed prefix of the incremental search
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
