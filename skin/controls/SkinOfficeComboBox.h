#pragma once
#include <functional>
#include <memory>
#include "skin/boxes/ComboLook.h"
#include "skin/boxes/DropButtonPress.h"
#include "skin/boxes/PopupFade.h"
#include "skin/controls/SkinOfficeListBox.h"
class TbsSkinCustomOfficeComboBox;

// The drop-down list of the office combo box: a tool window that never
// takes the focus and lets its owner drive the mouse.
class TbsPopupOfficeListBox : public TbsSkinOfficeListBox {
public:
    explicit TbsPopupOfficeListBox(TComponent* AOwner);
    ~TbsPopupOfficeListBox() override;

    // Shows the list at the screen point Origin, translucent and faded in
    // as its owning combo asks.
    void Show(TPoint Origin);
    void Hide();
    const TbsPopupFade& Fade() const { return FFade; }

    // The window procedure the combo box put in place of the list's own.
    std::function<void(TMessage&)> WindowProcHook;
    void DefaultWndProc(TMessage& Message) { TbsSkinOfficeListBox::WndProc(Message); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

private:
    bool FOldAlphaBlend = false;
    int FOldAlphaBlendValue = -1;
    TbsPopupFade FFade{1};   // the popup window's only timer
};

// A drop-down picker of office items without an edit field: the face shows
// the current item, a click opens the popup list under (or over) the
// control. OnClick then OnChange fire on every ItemIndex assignment and on
// every accepted row, also when the index does not change.
class TbsSkinCustomOfficeComboBox : public TbsSkinCustomControl, protected TbsComboLook, protected TbsDropButtonPress {
public:
    explicit TbsSkinCustomOfficeComboBox(TComponent* AOwner);
    ~TbsSkinCustomOfficeComboBox() override;

    TbsSkinOfficeItems& Items() { return FListBox->Items(); }
    void SetItems(const TbsSkinOfficeItems& Value) { FListBox->SetItems(Value); }
    // While the popup is open: the highlighted row, not yet accepted.
    int ItemIndex() const { return FListBox->ItemIndex(); }
    // EListError for an index at or past Count, before anything changes.
    void SetItemIndex(int Value);
    TImageList* Images() const { return FListBox->Images(); }
    void SetImages(TImageList* Value) { FListBox->SetImages(Value); }

    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int Value) { FAlphaBlendValue = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    int ListBoxWidth() const { return FListBoxWidth; }
    void SetListBoxWidth(int Value) { FListBoxWidth = Value; }
    int ListBoxHeight() const { return FListBoxHeight; }
    void SetListBoxHeight(int Value) { FListBoxHeight = Value; }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { if (Value >= 0) FDropDownCount = Value; }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool ShowItemTitle() const { return FShowItemTitle; }
    void SetShowItemTitle(bool Value);
    bool ShowItemImage() const { return FShowItemImage; }
    void SetShowItemImage(bool Value);
    bool ShowItemText() const { return FShowItemText; }
    void SetShowItemText(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    // The popup's own settings.
    bool ListBoxShowItemTitles() const { return FListBox->ShowItemTitles(); }
    void SetListBoxShowItemTitles(bool Value) { FListBox->SetShowItemTitles(Value); }
    bool ListBoxShowLines() const { return FListBox->ShowLines(); }
    void SetListBoxShowLines(bool Value) { FListBox->SetShowLines(Value); }
    int ListBoxItemHeight() const { return FListBox->ItemHeight(); }
    void SetListBoxItemHeight(int Value) { FListBox->SetItemHeight(Value); }
    int ListBoxHeaderHeight() const { return FListBox->HeaderHeight(); }
    void SetListBoxHeaderHeight(int Value) { FListBox->SetHeaderHeight(Value); }
    bool ListBoxUseSkinFont() const { return FListBox->UseSkinFont(); }
    void SetListBoxUseSkinFont(bool Value) { FListBox->SetUseSkinFont(Value); }
    TFont& ListBoxDefaultFont() { return FListBox->DefaultFont(); }
    // Kept apart from the popup's current name, so a skin without the
    // combo's element does not lose it.
    const std::string& ListBoxSkinDataName() const { return FListBoxSkinDataName; }
    void SetListBoxSkinDataName(const std::string& Value);

    virtual void DropDown();
    void CloseUp(bool AcceptValue);
    bool IsPopupVisible() const;
    bool CanCancelDropDown() const;
    bool DroppedDown() const { return FDropDown; }
    TbsPopupOfficeListBox* ListBox() const { return FListBox; }
    // The face as it would look showing AText, drawn onto C at (X, Y).
    void PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText);
    TRect ButtonRect() { CalcRects(); return FButton.R; }
    TRect ItemRect() { CalcRects(); return FCBItem; }

    void GetSkinData() override;
    void ChangeSkinData() override;

    TbsDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnChange, OnClick, OnCloseUp, OnDropDown;

protected:
    virtual void Change();
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void DefaultFontChanged() override;
    void FitSizeToSkin(int& AWidth, int& AHeight) override;
    void UpdateSkinRegion() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    void CalcRects();
    void RePaint();
    bool DropListShown() const override { return IsPopupVisible(); }
    void OpenDropList() override { DropDown(); }
    void CloseDropList(bool Accept) override { CloseUp(Accept); }
    HWND DropListWindow() const override;
    void RepaintDropButton() override { RePaint(); }
    // The window messages' handlers.
    void WMTimer(TMessage& Message);
    void WMSize(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void DefaultThenRePaint(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void CMMouseEnterLeave(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void ListBoxWindowProcHook(TMessage& Message);
    void TrackListBoxMouse();
    void StartAutoScroll();
    void StopAutoScroll();
    void SelectBy(void (TbsSkinOfficeListBox::*AWalk)());
    int ShownIndex() const;
    bool Hot() const;
    void DrawButton(TCanvas& C);
    void DrawSkinButton(TCanvas& C);
    void DrawFaceItem(TCanvas& C, TRect R, bool FixedSkin);
    void DrawDefaultItem(TCanvas& C);
    void DrawSkinItem(TBitmap& Face, bool Fixed);
    void DrawDefaultToolButton(TCanvas& C, const std::string* Text);
    void DrawSkinToolButton(TCanvas& C, const std::string* Text);
    void DrawSkinFace(TBitmap& B, bool NormalOnly);
    TColor DisabledTextColor() const;

    bool FShowItemTitle = true, FShowItemImage = true, FShowItemText = true;
    int FDropDownCount = 7;
    bool FDropDown = false;
    bool FToolButtonStyle = false;
    TColor FDefaultColor = clWindow;
    bool FUseSkinSize = false;
    int TimerMode = 0;
    int FListBoxWidth = 0, FListBoxHeight = 0;
    bool FHideSelection = true;
    bool FAlphaBlend = false, FAlphaBlendAnimation = false;
    int FAlphaBlendValue = 0;
    bool FMouseIn = false;
    int FOldItemIndex = -1;
    TbsPopupOfficeListBox* FListBox = nullptr;
    std::string FListBoxSkinDataName = "listbox";
    TRect FCBItem;
    std::string FPaintText;      // the caption PaintSkinTo shows
    bool FPaintingText = false;
};

class TbsSkinOfficeComboBox : public TbsSkinCustomOfficeComboBox {
public:
    using TbsSkinCustomOfficeComboBox::TbsSkinCustomOfficeComboBox;
};
