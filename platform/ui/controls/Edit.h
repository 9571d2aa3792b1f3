#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/controls/StdMessages.h"

class TBitmap;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A text editor control. The control itself is the classic edit window: every
// operation arrives as a message (characters as WM_CHAR, the clipboard as
// WM_CUT / WM_COPY / WM_PASTE / WM_CLEAR / WM_UNDO, the EM_ requests), so a
// replaced window procedure can filter any of them. The work is done in
// DefaultHandler, after WindowProc and the class library's key and mouse
// events. With ES_MULTILINE it holds lines ("\r\n" or "\n" breaks) and
// honours EM_SETRECT; one line of a multi-line edit behaves as a single-line
// edit. Positions are counted in characters (code points).
//
// Colours come from the parent: WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when
// read-only or disabled) is sent with the paint context, reflected to the
// control as CN_CTLCOLOREDIT / CN_CTLCOLORSTATIC; the answer sets the
// context's text colour and gives the background brush, and the null brush
// leaves the background unpainted.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection() { Send(WM_CLEAR); }
    void CopyToClipboard() { Send(WM_COPY); }
    void CutToClipboard() { Send(WM_CUT); }
    void PasteFromClipboard() { Send(WM_PASTE); }
    void Undo() { Send(WM_UNDO); }
    void ClearUndo() { Send(EM_EMPTYUNDOBUFFER); }
    bool CanUndo() { return Send(EM_CANUNDO) != 0; }
    bool Modified() { return Send(EM_GETMODIFY) != 0; }
    void SetModified(bool value) { Send(EM_SETMODIFY, value ? 1 : 0); }

    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    char32_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char32_t value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    // The caret as a client point (where an input method places its window).
    TPoint CaretPoint();
    int LineCount() const { return int(FLines.size()); }
    // The text shown, after the password character.
    std::u32string DisplayText() const;
    std::u32string DisplayText(int start, int length) const;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void PaintWindow(HDC dc) override;
    void DoEnter() override;
    // Raised by the EN_CHANGE notification (reflected from the parent).
    virtual void Change();

    // Sends to the window when there is one (so a raw subclass sees it too),
    // else performs.
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    DWORD EditStyle();
    bool Multiline() { return (EditStyle() & ES_MULTILINE) != 0; }
    // The formatting rectangle: the client area less the margins, or what
    // EM_SETRECT set on a multi-line edit.
    TRect FormatRect();
    int LineHeight();
    int TopLine() const { return FTopLine; }
    void SetTopLine(int line);
    // Whole lines that fit the formatting rectangle (at least one).
    int VisibleLines();
    // Keeps the window's vertical bar in step (multi-line edits with WS_VSCROLL).
    virtual void UpdateScrollBars();
    // A multi-line edit without ES_AUTOHSCROLL and without a horizontal bar
    // wraps its lines to the formatting rectangle.
    bool WrapsLines();
    // The rows shown (visual lines; one per line unless lines wrap).
    int RowCount() const { return int(FRows.size()); }

    DWORD FOwnStyle = 0;             // edit styles a descendant always has (a memo's ES_MULTILINE)
    bool FAutoHScroll = true;        // ES_AUTOHSCROLL (a wrapping memo goes without)

private:
    struct TLine {
        int Start = 0;          // index of the first character
        int Length = 0;         // characters before the break
    };

    // A row: the part of a line shown on one visual line.
    struct TRow {
        int Start = 0;
        int Length = 0;         // characters, trailing blanks of a wrapped row included
        int Line = 0;           // the line it belongs to
    };

    // DefaultHandler's handlers, one per message.
    void WMLButtonUp(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMKillFocus(TMessage& m);
    void WMSetText(TMessage& m);
    void WMSetFont(TMessage& m);
    void WMCut(TMessage& m);
    void WMCopy(TMessage& m);
    void WMPaste(TMessage& m);
    void WMClear(TMessage& m);
    void WMUndo(TMessage& m);
    void WMVScroll(TMessage& m);
    void WMMouseWheel(TMessage& m);
    void CNCtlColorEdit(TMessage& m);
    void CNCommand(TMessage& m);
    void WMContextMenu(TMessage& m);
    void EMGetSel(TMessage& m);
    void EMSetSel(TMessage& m);
    void EMReplaceSel(TMessage& m);
    void EMSetMargins(TMessage& m);
    void EMSetRect(TMessage& m);
    void EMGetRect(TMessage& m);
    void EMEmptyUndoBuffer(TMessage& m);
    void EMSetReadOnly(TMessage& m);
    void EMSetPasswordChar(TMessage& m);
    void EMLineIndex(TMessage& m);
    void EMLineLength(TMessage& m);
    void EMGetLine(TMessage& m);
    void EMLineScroll(TMessage& m);
    void EMScroll(TMessage& m);
    void EMScrollCaret(TMessage& m);
    void EMPosFromChar(TMessage& m);
    void EMCharFromPos(TMessage& m);
    void LoadText(const std::u32string& text);
    void BuildRows(int fromLine = 0);
    void WrapLine(int line, int width);
    int RowOf(int index) const;
    int CaretRow() const;
    bool LastRowOfLine(int row) const
    {
        return row + 1 >= int(FRows.size()) || FRows[size_t(row) + 1].Line != FRows[size_t(row)].Line;
    }
    void StoreText();
    void StoreText(int start, int end, int oldCount, const std::u32string& insert);
    void SplitLines(int fromLine = 0);
    void Notify(WORD code);
    void Modify(int start, int end, const std::u32string& insert, bool typing, bool undoable = true);
    void ReplaceSelection(const std::u32string& insert, bool typing);
    std::u32string FilterInsert(const std::u32string& text);
    void SetSelection(int anchor, int caret, bool scroll = true, bool atRowEnd = false);
    int SelMin() const { return std::min(FAnchor, FCaret); }
    int SelMax() const { return std::max(FAnchor, FCaret); }
    int LineOf(int index) const;
    int LineEnd(int line) const { return FLines[size_t(line)].Start + FLines[size_t(line)].Length; }
    int PrevPos(int index) const;
    int NextPos(int index) const;
    int WordLeft(int index) const;
    int WordRight(int index) const;
    void WordAt(int index, int& start, int& end) const;
    // The x offset of each character of a row and of its end, measured once
    // per layout (a long row would otherwise be measured on every paint).
    const std::vector<int>& RowOffsets(int row);
    void ForgetRowOffsets();
    int LineShift(int textWidth);
    // A row of -1 means the row the index falls in.
    TPoint PosFromChar(int index, int row = -1);
    int CharFromPos(TPoint p, bool* atRowEnd = nullptr);
    void ScrollCaretIntoView();
    void UpdateCaret();
    bool SelectionShown();
    HBRUSH RequestColours(HDC dc);
    void PaintRow(HDC dc, int row, TColor textColor);

    void HandleChar(char32_t ch);
    void HandleKeyDown(WORD key);
    void HandleMouseDown(TPoint p, WORD keys, bool dbl);
    void HandleScroll(int code, int pos);
    // The edit's own menu when the control has no PopupMenu (EditMenu.cpp).
    void ShowContextMenu(TPoint screen);

    // The text model.
    std::u32string FChars;
    std::vector<TLine> FLines{TLine{}};
    std::vector<TRow> FRows{TRow{}};
    // The caret sits at the end of a wrapped row rather than at the start
    // of the next one (the same index).
    bool FCaretAtRowEnd = false;
    int FAnchor = 0;                 // the fixed end of the selection
    int FCaret = 0;                  // the moving end, where the caret is
    int FUpDownX = -1;               // the column kept by up and down keys
    bool FModified = false;
    // One level of undo, as the classic edit: the text and selection before
    // the last change; undoing swaps, so a second undo redoes.
    std::u32string FUndoChars;
    int FUndoAnchor = 0, FUndoCaret = 0;
    bool FCanUndo = false;
    bool FTyping = false;            // the last change was typing at FCaret (kept in one undo step)

    // Layout.
    int FLeftMargin = 1, FRightMargin = 1;
    bool FHasRect = false;
    TRect FRect;                     // set by EM_SETRECT
    int FScrollX = 0;                // horizontal scroll in pixels
    int FTopLine = 0;                // the first row shown
    bool FSelecting = false;         // the left button went down in the text
    std::unique_ptr<TBitmap> FMeasure;
    TFont FEditFont;                 // the font of the last WM_SETFONT
    std::unordered_map<int, std::vector<int>> FRowOffsets;  // by row, until the rows or the font change
    std::vector<int> FAdvances;      // widths of the characters below U+10000 in FEditFont, -1 unknown

    bool FAutoSelect = true;
    bool FHideSelection = true;
    int FMaxLength = 0;
    TEditCharCase FCharCase = ecNormal;
    char32_t FPasswordChar = 0;
    bool FReadOnly = false;
    TAlignment FAlignment = taLeftJustify;
    TBorderStyle FBorderStyle = bsSingle;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// The masked edit: only the empty mask exists here, so it edits like a plain
// edit; the mask is kept for callers that publish it.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    const std::string& EditMask() const { return FEditMask; }
    void SetEditMask(const std::string& value) { FEditMask = value; }

private:
    std::string FEditMask;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
