#pragma once
#include <functional>
#include <string>
#include "platform/core/Collection.h"
#include "skin/controls/SkinControl.h"

class TImageList;
class TbsSkinScrollBar;
class TbsSkinOfficeListBox;

// A row of an office list: an optional bold title line, a word-wrapped
// caption and an image, or a group header.
class TbsSkinOfficeItem : public TCollectionItem {
public:
    explicit TbsSkinOfficeItem(TCollection* Collection);

    int ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(int Value);
    const std::string& Title() const { return FTitle; }
    virtual void SetTitle(const std::string& Value);
    const std::string& Caption() const { return FCaption; }
    virtual void SetCaption(const std::string& Value);
    void* Data() const { return FData; }
    virtual void SetData(void* Value) { FData = Value; }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    bool Header() const { return FHeader; }
    virtual void SetHeader(bool Value);
    // Copies image, caption, title, enabled and header (not Data, not OnClick).
    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnClick;   // the list selected this row through its ItemIndex setter

    TRect ItemRect;          // list client coordinates, scrolled
    bool IsVisible = false;
    bool Active = false;

private:
    int FImageIndex = -1;
    std::string FTitle, FCaption;
    bool FEnabled = true;
    void* FData = nullptr;
    bool FHeader = false;
};

// The rows of an office list; every change repaints the list and updates its scroll range.
class TbsSkinOfficeItems : public TTypedCollection<TbsSkinOfficeItem> {
public:
    explicit TbsSkinOfficeItems(TbsSkinOfficeListBox* AListBox);
    // The list hears of a new row once the row is whole.
    TbsSkinOfficeItem* Add();
    TbsSkinOfficeItem* Insert(int Index);
    TbsSkinOfficeListBox* OfficeListBox;

protected:
    void Update(TCollectionItem* Item) override;
};

using TbsDrawSkinOfficeItemEvent = std::function<void(TCanvas& Cnvs, int Index, const TRect& TextRct)>;

// An owner-drawn skinned list of office items that scrolls by pixels with a
// skinned vertical scroll bar of its own, made while the rows overflow.
// Rows look like the skin's "listbox" element; headers like "menuheader".
class TbsSkinOfficeListBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinOfficeListBox(TComponent* AOwner);
    ~TbsSkinOfficeListBox() override;

    TbsSkinOfficeItems& Items() { return *FItems; }
    void SetItems(const TbsSkinOfficeItems& Value);
    TbsSkinOfficeItem* Item(int Index) const { return FItems->Items(Index); }   // EListError outside
    TbsSkinOfficeItem* Add();
    TbsSkinOfficeItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int Count() const { return FItems->Count(); }

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    bool ShowItemTitles() const { return FShowItemTitles; }
    void SetShowItemTitles(bool Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int Value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);
    bool MouseMoveChangeIndex() const { return FMouseMoveChangeIndex; }
    void SetMouseMoveChangeIndex(bool Value) { FMouseMoveChangeIndex = Value; }
    TColor DisabledFontColor() const { return FDisabledFontColor; }

    int ItemIndex() const { return FItemIndex; }
    // -1 only repaints; a valid index marks the row, scrolls to it and fires
    // the row's OnClick and OnItemClick, every time. An index at or past
    // Count raises EListError before anything changes.
    void SetItemIndex(int Value);
    // The same without events.
    void HighlightItem(int Index);
    int ItemAtPos(int X, int Y);
    int CalcHeight(int ACount);
    void FindUp();
    void FindDown();
    void FindPageUp();
    void FindPageDown();
    void Scroll(int AScrollOffset);
    int ScrollOffset() const { return FScrollOffset; }
    TbsSkinScrollBar* ScrollBar() const { return FScrollBar; }
    TRect ItemsRect() { CalcItemRects(); return FItemsRect; }
    void ScrollToItem(int Index);
    void UpdateScrollInfo();
    void CalcItemRects();

    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Mouse handlers the combo box forwards to while its popup is open.
    void ListMouseMove(int X, int Y) { MouseMove(TShiftState(), X, Y); }
    // Forgets the row the mouse last highlighted, so the next move over it counts.
    void ResetMouseActive() { FMouseActive = -1; FMouseDown = false; }

    TbsDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnItemClick;

protected:
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    friend class TbsSkinOfficeItem;
    friend class TbsSkinOfficeItems;
    void ItemsChanged();
    void FindPage(int From, int Step);
    void SizeChanged();
    void MarkActive(int Index);
    void GetScrollInfo(int& Min, int& Max, int& Page, int& Position);
    void ShowScrollbar();
    void HideScrollBar();
    void AdjustScrollBar();
    bool Selectable(int Index) const;
    void DrawItems(TBitmap& Face);
    void DefaultDrawItem(int Index, TBitmap& Row);
    void SkinDrawItem(int Index, TBitmap& Row);
    void SkinDrawHeaderItem(int Index, TBitmap& Row);
    void DrawItemContent(int Index, TCanvas& C, TRect R, unsigned CaptionFlags);
    void ApplyFont(TCanvas& C, const class TbsDataSkinListBox* E);

    bool FMouseMoveChangeIndex = false;
    TColor FDisabledFontColor = 0x808080;
    bool FShowLines = false;
    bool FClicksDisabled = false;
    bool FMouseDown = false;
    int FMouseActive = -1;
    int FMax = 0, FRealMax = 0;
    TRect FItemsRect;
    int FScrollOffset = 0;
    std::unique_ptr<TbsSkinOfficeItems> FItems;
    TImageList* FImages = nullptr;
    bool FShowItemTitles = true;
    int FItemHeight = 30;
    int FHeaderHeight = 20;
    int FOldHeight = -1;
    TbsSkinScrollBar* FScrollBar = nullptr;
    int FItemIndex = -1;
};
