#pragma once
#include <functional>
#include <memory>
#include <string>
#include "platform/core/Strings.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/controls/ControlTypes.h"
#include "platform/ui/controls/ListBox.h"
#include "skin/boxes/InnerListBox.h"
#include "skin/controls/SkinControl.h"

class TbsSkinScrollBar;
class TImageList;

// Draws the whole content of one list row (or the combo box's item area):
// the handler paints on Cnvs; TxtRect is where text goes.
using TbsDrawSkinItemEvent = std::function<void(TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight,
                                                TRect TxtRect, TOwnerDrawState State)>;

// The skinned list box: a frame from the skin element "listbox" (or a plain
// one), an optional caption with a glyph and three caption buttons (up, down,
// check), the inner list window and up to two skinned scroll bars, made and
// removed as the content needs them and kept in step with the list.
class TbsSkinCustomListBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinCustomListBox(TComponent* AOwner);
    ~TbsSkinCustomListBox() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // Height of the control showing N rows.
    int CalcHeight(int AItemsCount);
    void Clear();
    int ItemAtPos(TPoint Pos, bool Existing) { return ListBox->ItemAtPos(Pos, Existing); }
    TRect ItemRect(int Item) { return ListBox->ItemRect(Item); }
    // Mirrors the inner list's native scroll state on the skinned bars,
    // making and removing the bars as needed.
    void UpDateScrollBar();

    // Forwarded to the inner list.
    TStrings& Items() { return ListBox->Items(); }
    void SetItems(const TStrings& Value);
    int ItemIndex() { return ListBox->ItemIndex(); }
    void SetItemIndex(int Value) { ListBox->SetItemIndex(Value); }
    bool MultiSelect() const { return ListBox->MultiSelect(); }
    void SetMultiSelect(bool Value) { ListBox->SetMultiSelect(Value); }
    bool ExtandedSelect() const { return ListBox->ExtendedSelect(); }
    void SetExtandedSelect(bool Value) { ListBox->SetExtendedSelect(Value); }
    bool Sorted() const { return ListBox->Sorted(); }
    void SetSorted(bool Value);
    int Columns() const { return ListBox->Columns(); }
    void SetColumns(int Value);
    bool AutoComplete() const { return ListBox->AutoComplete(); }
    void SetAutoComplete(bool Value) { ListBox->SetAutoComplete(Value); }
    int TopIndex() { return ListBox->TopIndex(); }
    void SetTopIndex(int Value) { ListBox->SetTopIndex(Value); }
    int SelCount() { return ListBox->SelCount(); }
    bool Selected(int Index) { return ListBox->Selected(Index); }
    void SetSelected(int Index, bool Value) { ListBox->SetSelected(Index, Value); }
    TCanvas& ListBoxCanvas() { return ListBox->Canvas(); }
    TFont& ListBoxFont() { return ListBox->Font(); }
    void SetListBoxFont(const TFont& Value) { ListBox->Font().Assign(Value); }
    int ListBoxTabOrder() const { return ListBox->TabOrder(); }
    void SetListBoxTabOrder(int Value) { ListBox->SetTabOrder(Value); }
    bool ListBoxTabStop() const { return ListBox->TabStop(); }
    void SetListBoxTabStop(bool Value) { ListBox->SetTabStop(Value); }
    TPopupMenu* ListBoxPopupMenu() const { return ListBox->PopupMenu(); }
    void SetListBoxPopupMenu(TPopupMenu* Value) { ListBox->SetPopupMenu(Value); }
    // Dragging out of and onto the list is the inner list's: these forward.
    TDragMode ListBoxDragMode() const { return ListBox->DragMode(); }
    void SetListBoxDragMode(TDragMode Value) { ListBox->SetDragMode(Value); }
    TDragKind ListBoxDragKind() const { return ListBox->DragKind(); }
    void SetListBoxDragKind(TDragKind Value) { ListBox->SetDragKind(Value); }
    TCursor ListBoxDragCursor() const { return ListBox->DragCursor(); }
    void SetListBoxDragCursor(TCursor Value) { ListBox->SetDragCursor(Value); }
    TDragDropEvent& OnListBoxDragDrop() { return ListBox->OnDragDrop; }
    TDragOverEvent& OnListBoxDragOver() { return ListBox->OnDragOver; }
    TStartDragEvent& OnListBoxStartDrag() { return ListBox->OnStartDrag; }
    TEndDragEvent& OnListBoxEndDrag() { return ListBox->OnEndDrag; }

    bool ShowCaptionButtons() const { return FShowCaptionButtons; }
    void SetShowCaptionButtons(bool Value);
    TStrings& TabWidths() { return *FTabWidths; }
    void SetTabWidths(const TStrings& Value);
    bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
    void SetUseSkinItemHeight(bool Value) { FUseSkinItemHeight = Value; }
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    TFont& DefaultCaptionFont() { return FDefaultCaptionFont; }
    void SetDefaultCaptionFont(const TFont& Value) { FDefaultCaptionFont.Assign(Value); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);

    TbsSkinScrollBar* ScrollBar() const { return FScrollBar; }
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    // Caption button I (0 up, 1 down, 2 check) as last laid out.
    TRect CaptionButtonRect(int I) const { return Buttons[I].R; }
    TRect ListRectNow() const { return ListRect; }

    TbsListBox* ListBox = nullptr;   // the inner list, owned

    TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick;
    TNotifyEvent OnListBoxClick, OnListBoxDblClick;
    TMouseEvent OnListBoxMouseDown, OnListBoxMouseUp;
    TMouseMoveEvent OnListBoxMouseMove;
    TKeyEvent OnListBoxKeyDown, OnListBoxKeyUp;
    TKeyPressEvent OnListBoxKeyPress;
    TbsDrawSkinItemEvent OnDrawItem;

protected:
    friend class TbsListBox;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void DefaultFontChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // The inner list's hooks; descendants extend them.
    virtual int GetItemTextWidth(int Index, TCanvas& C);
    virtual void ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseMove(TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(WORD& Key, TShiftState Shift);
    virtual void ListBoxKeyUp(WORD& Key, TShiftState Shift);
    virtual void ListBoxKeyPress(char32_t& Key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    virtual void ListBoxWProc(TMessage& /*Message*/, bool& CallInherited) { CallInherited = true; }
    virtual void ListBoxCreateWnd() {}

    void CalcRects();
    bool Skinned() const { return FIndex != -1; }

    // The skin element's fields (copied by GetSkinData).
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TRect SItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    TFontStyles CaptionFontStyle = 0;
    int CaptionFontHeight = 14;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    std::string VScrollBarName = "vscrollbar", HScrollBarName = "hscrollbar", BothScrollBarName = "bothhscrollbar";
    bool ShowFocus = false;
    TRect ButtonsArea, DisabledButtonsRect;

    bool FStopUpDateHScrollBar = false;

private:
    struct TbsCBButtonX {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };

    // Item height that never divides by zero: a skin with an empty item
    // picture falls back to the default height.
    int SkinItemHeight() const;
    void ShowScrollBar();
    void HideScrollBar();
    void ShowHScrollBar();
    void HideHScrollBar();
    void SkinBars();
    void ScrollBarChange();
    void HScrollBarChange();
    int CaptionWidth(TCanvas& C);
    TRect AnchorSkinRect(const TRect& R) const;
    void DrawButton(TCanvas& C, int I);
    void RedrawButton(int I);
    void TestActive(int X, int Y);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void ButtonDown(int I);
    void ButtonUp(int I);
    void StartTimer(int Ms);
    void StopTimer();
    void TimerStep();
    void MoveUp();
    void MoveDown();
    bool ButtonsActive() const { return FCaptionMode && FShowCaptionButtons; }

    bool FShowCaptionButtons = true;
    std::unique_ptr<TStringList> FTabWidths;
    bool FUseSkinItemHeight = true;
    bool FHorizontalExtent = false;
    int FRowCount = 0;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TImageList* FImages = nullptr;     // not owned: cleared on removal
    int FImageIndex = -1;
    int FDefaultItemHeight = 20;
    int FDefaultCaptionHeight = 20;
    TFont FDefaultCaptionFont;
    TRect ListRect;
    bool FCaptionMode = false;
    TAlignment FAlignment = taLeftJustify;
    TbsCBButtonX Buttons[3];
    int OldActiveButton = -1, ActiveButton = -1, CaptureButton = -1;
    TRect NewCaptionRect;
    int TimerMode = 0;
    bool WaitMode = false;
    bool FInScrollBarChange = false;
    TbsSkinScrollBar* FScrollBar = nullptr;    // owned; nil while not needed
    TbsSkinScrollBar* FHScrollBar = nullptr;   // owned; nil while not needed
};

class TbsSkinListBox : public TbsSkinCustomListBox {
public:
    using TbsSkinCustomListBox::TbsSkinCustomListBox;
};
