#pragma once
#include <string>
#include <vector>
#include "platform/ui/controls/ListBox.h"

class TbsSkinCustomListBox;
class TStrings;

// The list window inside a skinned list box: no border and no native bars
// (it keeps their range and position, which its owner mirrors on skinned
// bars), every item painted in the owner's look, and its mouse, click, key
// and focus events handed to the owner's hooks first.
class TbsListBox : public TListBox {
public:
    explicit TbsListBox(TComponent* AOwner);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // Fills the whole client area with the owner look's background.
    void PaintBackground(HDC DC);
    // Horizontal scroll offset in pixels, never below 0.
    int HorizontalExtentValue() const { return FHorizontalExtentValue; }
    void SetHorizontalExtentValue(int Value);

    TbsSkinCustomListBox* SkinListBox = nullptr;   // the owner; set right after creation

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void PaintWindow(HDC dc) override;
    void Click() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoEnter() override;
    void DoExit() override;

private:
    friend class TbsSkinCustomListBox;

    TOwnerDrawState GetItemDrawState(int Index);
    void PaintItems(TCanvas& C);
    void PaintColumns(TCanvas& C);
    void PaintSkinBackground(TCanvas& C, int W, int H, int X, int Y);
    // One item in the owner's current look.
    void DrawItemLook(TCanvas& C, int Index, TOwnerDrawState State, const TRect& Rect);
    void DrawDefaultItem(TCanvas& C, int Index, TOwnerDrawState State, const TRect& Rect);
    void DrawStretchSkinItem(TCanvas& C, int Index, TOwnerDrawState State, const TRect& Rect);
    void DrawSkinItem(TCanvas& C, int Index, TOwnerDrawState State, const TRect& Rect);
    // Image, then text or the owner's drawing, shared by the three painters.
    void DrawItemContent(TCanvas& C, int Index, TOwnerDrawState State, const TRect& TxtRect, int ItemWidth,
                         int ItemHeight, bool Skinned);
    void HandleWheel(TMessage& Message);

    int FHorizontalExtentValue = 0;
};

// Tab stops from the first ten lines of TabWidths, pixels from the item's left.
std::vector<int> TabStopsOf(const TStrings& TabWidths);
// A tab width text as a number: 0 when empty, not all digits or too large.
int DigitsToInt(const std::string& S);
// Tabbed item text at R.Left + Indent + 2, centred vertically.
void DrawTabbedItemText(const std::string& S, const TStrings& TabWidths, TCanvas& Canvas, const TRect& R, int Indent);
