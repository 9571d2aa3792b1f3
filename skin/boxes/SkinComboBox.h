#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "platform/core/Strings.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/TypeAhead.h"
#include "skin/boxes/BoxButtons.h"
#include "skin/boxes/ComboLook.h"
#include "skin/boxes/DropButtonPress.h"
#include "skin/boxes/ComboDropDown.h"
#include "skin/controls/SkinControl.h"

class TbsCustomEdit;

enum TbsSkinCustomComboBoxStyle { bscbEditStyle, bscbFixedStyle };

// The first item beginning with S (case-insensitive): after item After with
// wrap-around, or from the top when After is -1; -1 when none does.
int FindItemPrefix(TStrings& Items, const std::string& S, int After);

// The skinned combo box. It paints its whole face itself, keeps its items in
// a drop-down list of its own and, in the edit style, hosts an inner edit.
// The moments at which OnChange, OnClick and Change fire are what the
// program's option cascades rely on: setting ItemIndex fires OnChange only
// when the shown text changes, then always OnClick and Change.
class TbsSkinCustomComboBox : public TbsSkinCustomControl, protected TbsComboLook, protected TbsDropButtonPress {
public:
    explicit TbsSkinCustomComboBox(TComponent* AOwner);
    ~TbsSkinCustomComboBox() override;

    TStrings& Items() { return FListBox->Items(); }
    void SetItems(const TStrings& Value) { FListBox->Items().Assign(&Value); }
    int ItemIndex() { return FListBox->ItemIndex(); }
    void SetItemIndex(int Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value)
    {
        if (Value >= 1)
            FDropDownCount = Value;
    }
    int ListBoxWidth() const { return FListBoxWidth; }
    void SetListBoxWidth(int Value) { FListBoxWidth = Value; }
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool Value) { FListBox->SetSorted(Value); }
    TbsSkinCustomComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TbsSkinCustomComboBoxStyle Value);
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool Value);
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value) { FUseSkinSize = Value; }
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(std::uint8_t Value) { FAlphaBlendValue = Value; }
    // One image for every item (ImageIndex), or the item's own (-1).
    TImageList* Images() const { return FListBox->Images(); }
    void SetImages(TImageList* Value);
    int ImageIndex() const { return FListBox->ImageIndex(); }
    void SetImageIndex(int Value);
    TStrings& TabWidths() { return FListBox->TabWidths(); }
    void SetTabWidths(const TStrings& Value);
    bool HorizontalExtent() const { return FListBox->HorizontalExtent(); }
    void SetHorizontalExtent(bool Value) { FListBox->SetHorizontalExtent(Value); }

    // The drop-down list's own look.
    const std::string& ListBoxCaption() const { return FListBox->Caption(); }
    void SetListBoxCaption(const std::string& Value) { FListBox->SetCaption(Value); }
    bool ListBoxCaptionMode() const { return FListBox->CaptionMode(); }
    void SetListBoxCaptionMode(bool Value) { FListBox->SetCaptionMode(Value); }
    TFont& ListBoxDefaultFont() { return FListBox->DefaultFont(); }
    void SetListBoxDefaultFont(const TFont& Value) { FListBox->SetDefaultFont(Value); }
    TFont& ListBoxDefaultCaptionFont() { return FListBox->DefaultCaptionFont(); }
    void SetListBoxDefaultCaptionFont(const TFont& Value) { FListBox->SetDefaultCaptionFont(Value); }
    int ListBoxDefaultItemHeight() const { return FListBox->DefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(int Value) { FListBox->SetDefaultItemHeight(Value); }
    TAlignment ListBoxCaptionAlignment() const { return FListBox->Alignment(); }
    void SetListBoxCaptionAlignment(TAlignment Value) { FListBox->SetAlignment(Value); }
    bool ListBoxUseSkinFont() const { return FListBox->UseSkinFont(); }
    void SetListBoxUseSkinFont(bool Value) { FListBox->SetUseSkinFont(Value); }
    bool ListBoxUseSkinItemHeight() const { return FListBox->UseSkinItemHeight(); }
    void SetListBoxUseSkinItemHeight(bool Value) { FListBox->SetUseSkinItemHeight(Value); }

    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);
    bool IsPopupVisible() const { return FListBox && FListBox->Visible(); }
    bool CanCancelDropDown() const { return IsPopupVisible() && !FMouseIn; }
    bool DroppedDown() const { return FDropDown; }

    virtual void DropDown();
    void CloseUp(bool AcceptValue);
    // Draws the face with AText as its item text into C; the combo's own
    // text and events are left alone.
    void PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void Invalidate() override;

    TbsPopupListBox* ListBox() const { return FListBox; }
    TbsCustomEdit* Edit() const { return FEdit; }
    const TbsCBButtonX& Button() const { return FButton; }
    const TbsCBItem& CBItem() const { return FCBItem; }

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;
    // Handed to the list each time it drops down.
    TbsDrawSkinItemEvent OnListBoxDrawItem;
    TbsDrawSkinItemEvent OnComboBoxDrawItem;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void DefaultFontChanged() override;
    void FitSizeToSkin(int& AWidth, int& AHeight) override;
    void UpdateSkinRegion() override;

    virtual void EditWindowHook(TMessage& Message);
    virtual void CreateEdit();
    // Called after OnClick and after the edit's text changes; descendants
    // (filter and shell combos) hook their work here.
    virtual void Change() {}

    void CalcRects();
    void FindListItem(char32_t Ch);
    void StepPrior(bool Commit);
    void StepNext(bool Commit);
    void StepPageUp(bool Commit);
    void StepPageDown(bool Commit);
    TColor GetDisabledFontColor();
    int TextCharset();
    bool Skinned() const { return FIndex != -1; }

    bool FNumEdit = false;

private:
    friend class TbsPopupListBox;

    // The window messages' handlers.
    void CMTextChanged(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void ShowHover(TColor EditFontColor);
    void TintEditForFocus(TColor Color);
    void CMEnabledChanged(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    // A skin whose combo has a look of its own for the hot or focused face.
    bool HasActiveLook() const;

    // Drop-down and close-up (ComboDropDown.cpp).
    bool DropListShown() const override { return IsPopupVisible(); }
    void OpenDropList() override { DropDown(); }
    void CloseDropList(bool Accept) override { CloseUp(Accept); }
    HWND DropListWindow() const override;
    void RepaintDropButton() override { Repaint(); }
    void ListBoxWindowProc(TMessage& Message);
    void ListBoxMouseMove(TShiftState Shift, int X, int Y);
    void TrackListBox();
    void StartTimer();
    void StopTimer();
    void CancelFrom(TControl* Sender);
    void EditCancelMode(TControl* C) { CancelFrom(C); }

    // The edit style (ComboEdit.cpp).
    void FreeEdit();
    void EditChange();
    void EditSelectPrior(bool Commit);
    void EditSelectNext(bool Commit);
    void EditAutoComplete();
    void EditKeyUp(TMessage& Message);
    void PaintFaceUnderEdit(HDC DC);

    // Painting (ComboPaint.cpp).
    int ShownIndex();
    bool FaceHot();
    void DrawButton(TBitmap& B);
    void DrawResizeButton(TCanvas& C);
    void DrawDefaultItem(TCanvas& C);
    void DrawSkinItem(TCanvas& C, const TBitmap& Face);
    void DrawResizeSkinItem(TCanvas& C, const TBitmap& Face);
    void DrawItemContent(TCanvas& C, int Index, TRect T);
    void DrawTabbedString(TCanvas& C, const std::string& S, const TRect& T);
    void DrawDefaultBody(TBitmap& B);
    void DrawSkinBody(TBitmap& B, bool NormalOnly);
    void CreateToolButtonDefaultImage(TBitmap& B);
    void CreateToolButtonSkinImage(TBitmap& B);
    void DrawToolItem(TCanvas& C, TRect T);
    void ApplyItemFont(TCanvas& C, bool Focused);
    std::string ItemText(int Index);

    bool FDropDown = false;
    bool FToolButtonStyle = false;
    TEditCharCase FCharCase = ecNormal;
    TColor FDefaultColor = clWindow;
    bool FUseSkinSize = true;
    int TimerMode = 0;
    int FListBoxWidth = 0;
    bool FHideSelection = true;
    std::uint32_t FLastTime = 0;
    TTypeAhead FFilter{500};
    int FWheelDelta = 0;
    bool FAutoComplete = true;
    bool FAlphaBlend = false;
    bool FAlphaBlendAnimation = false;
    std::uint8_t FAlphaBlendValue = 0;
    TbsSkinCustomComboBoxStyle FStyle = bscbFixedStyle;
    bool FMouseIn = false;
    int FOldItemIndex = -1;
    int FDropDownCount = 8;
    std::function<void(TMessage&)> FListBoxWindowProc;
    std::function<void(TMessage&)> FEditWindowProc;
    TbsPopupListBox* FListBox = nullptr;
    TbsCBItem FCBItem;
    TbsCustomEdit* FEdit = nullptr;
    bool FromEdit = false;
    // The text PaintSkinTo draws in place of the item's.
    std::optional<std::string> FPaintText;

};

class TbsSkinComboBox : public TbsSkinCustomComboBox {
public:
    explicit TbsSkinComboBox(TComponent* AOwner) : TbsSkinCustomComboBox(AOwner) {}
};
