#include "platform/ui/controls/Edit.h"
#include <algorithm>
#include <cstring>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Scroll.h"
#include "platform/ui/Window.h"

namespace {

constexpr WORD EC_USEFONTINFO = 0xFFFF;
constexpr int DefaultMargin = 1;

bool IsSpace(char32_t c)
{
    return c == ' ' || c == '\t' || c == 0x3000;
}

bool IsBreak(char32_t c)
{
    return c == '\r' || c == '\n';
}

// Ideographic scripts have no blanks between words: a row may break before
// or after any of their characters.
bool IsIdeographic(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// Closing marks stay with the character before them: no row starts with one.
bool ClosesText(char32_t c)
{
    static const std::u32string marks = U"、。，．：；！？）」』】》〉〕〗〙〛’”…・ー";
    return marks.find(c) != std::u32string::npos;
}

// Word characters group into words; every other visible character is a
// word of its own kind (punctuation runs), blanks separate.
int CharKind(char32_t c)
{
    if (IsSpace(c) || IsBreak(c))
        return 0;
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80)
        return 1;
    return 2;
}

char32_t ToCase(char32_t c, TEditCharCase charCase)
{
    if (charCase == ecUpperCase && c >= 'a' && c <= 'z')
        return c - 32;
    if (charCase == ecLowerCase && c >= 'A' && c <= 'Z')
        return c + 32;
    return c;
}

void CopyText(const std::string& text, TMessage& m)
{
    if (m.WParam == 0 || !m.LParam) {
        m.Result = 0;
        return;
    }
    size_t n = std::min(text.size(), size_t(m.WParam) - 1);
    std::memcpy(reinterpret_cast<char*>(m.LParam), text.data(), n);
    reinterpret_cast<char*>(m.LParam)[n] = '\0';
    m.Result = LRESULT(n);
}

}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner), FMeasure(std::make_unique<TBitmap>(1, 1))
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
    FWidth = 121;
    FHeight = 21;
    FColor = clWindow;
    SetParentColor(false);
    FCursor = crIBeam;
    SetTabStop(true);
    FEditFont.Assign(FFont);
}

TCustomEdit::~TCustomEdit() = default;

LRESULT TCustomEdit::Send(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (FHandle)
        return SendMessage(FHandle, msg, wParam, lParam);
    return Perform(msg, wParam, lParam);
}

DWORD TCustomEdit::EditStyle()
{
    if (FHandle)
        return DWORD(GetWindowLong(FHandle, GWL_STYLE));
    // Before the window exists the style is what our own settings ask for.
    const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    DWORD s = align[FAlignment] | FOwnStyle;
    if (FAutoHScroll) s |= ES_AUTOHSCROLL;
    if (FReadOnly) s |= ES_READONLY;
    if (FPasswordChar) s |= ES_PASSWORD;
    if (!FHideSelection) s |= ES_NOHIDESEL;
    if (FCharCase == ecUpperCase) s |= ES_UPPERCASE;
    if (FCharCase == ecLowerCase) s |= ES_LOWERCASE;
    return s;
}

void TCustomEdit::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    p.Style |= ES_AUTOVSCROLL | align[FAlignment] | FOwnStyle;
    if (FAutoHScroll) p.Style |= ES_AUTOHSCROLL;
    if (FReadOnly) p.Style |= ES_READONLY;
    if (FPasswordChar) p.Style |= ES_PASSWORD;
    if (!FHideSelection) p.Style |= ES_NOHIDESEL;
    if (FCharCase == ecUpperCase) p.Style |= ES_UPPERCASE;
    if (FCharCase == ecLowerCase) p.Style |= ES_LOWERCASE;
    if (FBorderStyle == bsSingle)
        p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FHandle)
        return;
    Send(WM_SETFONT, WPARAM(&FFont), 0);
    ScrollCaretIntoView();
    UpdateScrollBars();
}

// ------------------------------------------------------------- properties

int TCustomEdit::SelStart()
{
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return int(start);
}

void TCustomEdit::SetSelStart(int value)
{
    Send(EM_SETSEL, WPARAM(value), LPARAM(value));
}

int TCustomEdit::SelLength()
{
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return int(end) - int(start);
}

void TCustomEdit::SetSelLength(int value)
{
    int start = SelStart();
    Send(EM_SETSEL, WPARAM(start), LPARAM(start + value));
}

std::string TCustomEdit::SelText()
{
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return EncodeUtf8(FChars.substr(start, end - start));
}

void TCustomEdit::SetSelText(const std::string& value)
{
    Send(EM_REPLACESEL, 0, LPARAM(value.c_str()));
}

void TCustomEdit::SelectAll()
{
    Send(EM_SETSEL, 0, LPARAM(-1));
}

void TCustomEdit::SetHideSelection(bool value)
{
    FHideSelection = value;
    UpdateStyle(value ? 0 : ES_NOHIDESEL, value ? ES_NOHIDESEL : 0);
    Invalidate();
}

void TCustomEdit::SetMaxLength(int value)
{
    FMaxLength = std::max(0, value);
    Send(EM_LIMITTEXT, WPARAM(FMaxLength));
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
    FCharCase = value;
    UpdateStyle(0, ES_UPPERCASE | ES_LOWERCASE);
    UpdateStyle(value == ecUpperCase ? ES_UPPERCASE : value == ecLowerCase ? ES_LOWERCASE : 0, 0);
    if (value != ecNormal) {
        std::u32string t = FChars;
        for (char32_t& c : t)
            c = ToCase(c, value);
        if (t != FChars)
            SetText(EncodeUtf8(t));
    }
}

void TCustomEdit::SetPasswordChar(char32_t value)
{
    Send(EM_SETPASSWORDCHAR, WPARAM(value));
}

void TCustomEdit::SetReadOnly(bool value)
{
    Send(EM_SETREADONLY, value ? 1 : 0);
}

void TCustomEdit::SetAlignment(TAlignment value)
{
    FAlignment = value;
    const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    UpdateStyle(0, ES_CENTER | ES_RIGHT);
    UpdateStyle(align[value], 0);
    Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomEdit::DoEnter()
{
    if (FAutoSelect && !Multiline() && !FControlState.Contains(csLButtonDown))
        SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::Change()
{
    if (!IsLoading() && OnChange)
        OnChange(this);
}

// ------------------------------------------------------------- text model

std::u32string TCustomEdit::DisplayText() const
{
    return DisplayText(0, int(FChars.size()));
}

std::u32string TCustomEdit::DisplayText(int start, int length) const
{
    DWORD style = FHandle ? DWORD(GetWindowLong(FHandle, GWL_STYLE)) : (FPasswordChar ? ES_PASSWORD : 0);
    if (!(style & ES_PASSWORD))
        return FChars.substr(size_t(start), size_t(length));
    return std::u32string(size_t(length), FPasswordChar ? FPasswordChar : U'*');
}

// Lines before fromLine are kept: an edit never changes the text before the
// line it starts in, and appending to a long memo stays cheap.
void TCustomEdit::SplitLines(int fromLine)
{
    fromLine = std::clamp(fromLine, 0, std::max(0, int(FLines.size()) - 1));
    TLine line;
    if (fromLine > 0)
        line.Start = FLines[size_t(fromLine)].Start;
    FLines.resize(size_t(fromLine));
    for (int i = line.Start; i < int(FChars.size()); ++i) {
        char32_t c = FChars[size_t(i)];
        bool crlf = c == '\r' && i + 1 < int(FChars.size()) && FChars[size_t(i) + 1] == '\n';
        if (c == '\n' || crlf) {
            line.Length = i - line.Start;
            FLines.push_back(line);
            if (crlf)
                ++i;
            line.Start = i + 1;
        }
    }
    line.Length = int(FChars.size()) - line.Start;
    FLines.push_back(line);
    BuildRows(fromLine);
}

bool TCustomEdit::WrapsLines()
{
    DWORD style = EditStyle();
    if (FHandle && (GetWindowLong(FHandle, GWL_STYLE) & WS_HSCROLL))
        return false;
    return (style & ES_MULTILINE) && !(style & ES_AUTOHSCROLL);
}

void TCustomEdit::BuildRows(int fromLine)
{
    FRowOffsets.clear();
    auto kept = std::lower_bound(FRows.begin(), FRows.end(), fromLine,
                                 [](const TRow& r, int line) { return r.Line < line; });
    FRows.erase(kept, FRows.end());
    bool wrap = WrapsLines();
    int width = wrap ? FormatRect().Width() : 0;
    for (int line = int(FRows.empty() ? 0 : FRows.back().Line + 1); line < int(FLines.size()); ++line) {
        if (wrap && width > 0)
            WrapLine(line, width);
        else
            FRows.push_back(TRow{FLines[size_t(line)].Start, FLines[size_t(line)].Length, line});
    }
    if (wrap)
        FScrollX = 0;
    FTopLine = std::clamp(FTopLine, 0, int(FRows.size()) - 1);
}

// Breaks a line into rows no wider than the width: after the blanks that
// end a word (they hang past the edge), around ideographs, or inside a word
// wider than the row. A row holds at least one character.
void TCustomEdit::WrapLine(int line, int width)
{
    const TLine& l = FLines[size_t(line)];
    std::u32string text = DisplayText(l.Start, l.Length);
    int n = int(text.size());
    TDeviceContext* dc = FMeasure->Canvas()->Handle();
    dc->SelectFont(FEditFont.Data());
    std::vector<int> x(size_t(n) + 1, 0);
    for (int i = 1; i <= n; ++i)
        x[size_t(i)] = x[size_t(i) - 1] + GetTextExtent(*dc, EncodeUtf8(text.substr(size_t(i) - 1, 1))).cx;
    int pos = 0;
    do {
        int end = pos + 1;
        while (end < n && x[size_t(end) + 1] - x[size_t(pos)] <= width)
            ++end;
        if (end < n || pos == n) {
            end = std::min(end, n);
            int hang = end;
            while (hang < n && IsSpace(text[size_t(hang)]))
                ++hang;
            if (hang > end) {
                end = hang;
            } else if (end < n) {
                for (int b = end; b > pos; --b)
                    if ((IsSpace(text[size_t(b) - 1]) || IsIdeographic(text[size_t(b) - 1]) ||
                         IsIdeographic(text[size_t(b)])) && !ClosesText(text[size_t(b)])) {
                        end = b;
                        break;
                    }
            }
        }
        end = std::min(end, n);
        FRows.push_back(TRow{l.Start + pos, end - pos, line});
        pos = end;
    } while (pos < n);
}

int TCustomEdit::RowOf(int index) const
{
    auto it = std::upper_bound(FRows.begin(), FRows.end(), index,
                               [](int i, const TRow& r) { return i < r.Start; });
    return std::max(0, int(it - FRows.begin()) - 1);
}

int TCustomEdit::CaretRow() const
{
    int row = RowOf(FCaret);
    if (FCaretAtRowEnd && row > 0 && FRows[size_t(row)].Start == FCaret &&
        FRows[size_t(row) - 1].Line == FRows[size_t(row)].Line)
        return row - 1;
    return row;
}

int TCustomEdit::LineOf(int index) const
{
    auto it = std::upper_bound(FLines.begin(), FLines.end(), index,
                               [](int i, const TLine& l) { return i < l.Start; });
    return std::max(0, int(it - FLines.begin()) - 1);
}

// Positions never fall between the CR and LF of a break.
int TCustomEdit::PrevPos(int index) const
{
    if (index <= 0)
        return 0;
    int line = LineOf(index);
    if (index == FLines[size_t(line)].Start && line > 0)
        return LineEnd(line - 1);
    return index - 1;
}

int TCustomEdit::NextPos(int index) const
{
    int line = LineOf(index);
    if (index >= LineEnd(line))
        return line + 1 < int(FLines.size()) ? FLines[size_t(line) + 1].Start : index;
    return index + 1;
}

int TCustomEdit::WordLeft(int index) const
{
    int i = PrevPos(index);
    while (i > 0 && CharKind(FChars[size_t(i)]) == 0)
        i = PrevPos(i);
    int kind = i < int(FChars.size()) ? CharKind(FChars[size_t(i)]) : 0;
    while (i > 0 && CharKind(FChars[size_t(i) - 1]) == kind && kind != 0)
        --i;
    return i;
}

int TCustomEdit::WordRight(int index) const
{
    int n = int(FChars.size());
    if (index >= n)
        return n;
    int i = index;
    int kind = CharKind(FChars[size_t(i)]);
    if (kind != 0)
        while (i < n && CharKind(FChars[size_t(i)]) == kind)
            ++i;
    while (i < n && IsSpace(FChars[size_t(i)]))
        ++i;
    return i == index ? NextPos(index) : i;     // at a line break: over it
}

void TCustomEdit::WordAt(int index, int& start, int& end) const
{
    int line = LineOf(index);
    int ls = FLines[size_t(line)].Start, le = LineEnd(line);
    if (index >= le && index > ls)
        index = le - 1;
    start = end = index;
    if (index >= le)
        return;
    int kind = CharKind(FChars[size_t(index)]);
    while (start > ls && CharKind(FChars[size_t(start) - 1]) == kind)
        --start;
    while (end < le && CharKind(FChars[size_t(end)]) == kind)
        ++end;
    // A word takes the blanks after it along, as the classic edit does.
    if (kind != 0)
        while (end < le && IsSpace(FChars[size_t(end)]))
            ++end;
}

void TCustomEdit::LoadText(const std::u32string& text)
{
    FChars = text;
    FAnchor = FCaret = 0;
    FScrollX = 0;
    FTopLine = 0;
    FCanUndo = false;
    FTyping = false;
    FModified = false;
    SplitLines();
    StoreText();
    if (FHandle) {
        UpdateScrollBars();
        UpdateCaret();
        Invalidate();
    }
    Notify(EN_CHANGE);
}

void TCustomEdit::StoreText()
{
    // Assigned only when it differs: WM_SETTEXT may carry FText's own buffer.
    std::string text = EncodeUtf8(FChars);
    if (text != FText)
        FText = std::move(text);
}

// The text's UTF-8 copy changed in place: only the replaced characters are
// encoded, and their byte offsets are counted from the nearer end.
void TCustomEdit::StoreText(int start, int end, int oldCount, const std::u32string& insert)
{
    auto isLead = [this](size_t at) { return (static_cast<unsigned char>(FText[at]) & 0xC0) != 0x80; };
    auto byteOffset = [&](int index) {
        size_t at = 0;
        if (index <= oldCount - index) {
            for (int seen = 0; at < FText.size(); ++at)
                if (isLead(at) && seen++ == index)
                    break;
        } else {
            at = FText.size();
            for (int left = oldCount - index; left > 0;)
                left -= isLead(--at);
        }
        return at;
    };
    const size_t from = byteOffset(start), to = byteOffset(end);
    FText.replace(from, to - from, EncodeUtf8(insert));
}

void TCustomEdit::Notify(WORD code)
{
    HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    if (parent) {
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(int(GetWindowLong(FHandle, GWL_ID)), code), LPARAM(FHandle));
        return;
    }
    if (code == EN_CHANGE && !FHandle)
        Change();
}

std::u32string TCustomEdit::FilterInsert(const std::u32string& text)
{
    DWORD style = EditStyle();
    std::u32string out;
    for (char32_t c : text) {
        if (!(style & ES_MULTILINE) && IsBreak(c))
            break;      // a single line takes the text up to the first break
        if ((style & ES_NUMBER) && !(c >= '0' && c <= '9'))
            continue;
        out.push_back(ToCase(c, style & ES_UPPERCASE ? ecUpperCase : style & ES_LOWERCASE ? ecLowerCase : FCharCase));
    }
    if (FMaxLength > 0) {
        int room = FMaxLength - (int(FChars.size()) - (SelMax() - SelMin()));
        if (int(out.size()) > std::max(0, room))
            out.resize(size_t(std::max(0, room)));
    }
    return out;
}

void TCustomEdit::Modify(int start, int end, const std::u32string& insert, bool typing, bool undoable)
{
    if (undoable && !(typing && FTyping && FCanUndo)) {
        FUndoChars = FChars;
        FUndoAnchor = FAnchor;
        FUndoCaret = FCaret;
        FCanUndo = true;
    }
    const int firstLine = std::max(0, LineOf(start) - 1);
    const int oldCount = int(FChars.size());
    FChars.replace(size_t(start), size_t(end - start), insert);
    SplitLines(firstLine);
    FModified = true;
    StoreText(start, end, oldCount, insert);
    SetSelection(start + int(insert.size()), start + int(insert.size()));
    FTyping = typing;
    UpdateScrollBars();
    Invalidate();
    Notify(EN_UPDATE);
    Notify(EN_CHANGE);
}

void TCustomEdit::ReplaceSelection(const std::u32string& insert, bool typing)
{
    std::u32string text = FilterInsert(insert);
    if (text.size() < insert.size() && FMaxLength > 0)
        Notify(EN_MAXTEXT);
    if (text.empty() && SelMin() == SelMax()) {
        if (!insert.empty())
            MessageBeep(0);
        return;
    }
    Modify(SelMin(), SelMax(), text, typing);
}

void TCustomEdit::SetSelection(int anchor, int caret, bool scroll, bool atRowEnd)
{
    int n = int(FChars.size());
    auto fix = [&](int i) {
        i = std::clamp(i, 0, n);
        if (i > 0 && i < n && FChars[size_t(i) - 1] == '\r' && FChars[size_t(i)] == '\n')
            ++i;
        return i;
    };
    anchor = fix(anchor);
    caret = fix(caret);
    FTyping = false;
    FUpDownX = -1;
    bool rowEndChanged = atRowEnd != FCaretAtRowEnd;
    FCaretAtRowEnd = atRowEnd;
    if (anchor == FAnchor && caret == FCaret) {
        if (rowEndChanged && FHandle) {
            if (scroll)
                ScrollCaretIntoView();
            UpdateCaret();
        }
        return;
    }
    bool hadSelection = FAnchor != FCaret;
    FAnchor = anchor;
    FCaret = caret;
    if (FHandle) {
        if (scroll)
            ScrollCaretIntoView();
        if (hadSelection || anchor != caret)
            Invalidate();
        UpdateCaret();
    }
}

// --------------------------------------------------------------- layout

int TCustomEdit::LineHeight()
{
    TDeviceContext* dc = FMeasure->Canvas()->Handle();
    dc->SelectFont(FEditFont.Data());
    return std::max(1, GetTextMetrics(*dc).Height);
}

TRect TCustomEdit::FormatRect()
{
    if (FHasRect)
        return FRect;
    // Before the window exists: the bounds (the window layer would make the parents' windows).
    TRect r = FHandle ? ClientRect() : TRect{0, 0, FWidth, FHeight};
    r.Left += FLeftMargin;
    r.Right -= FRightMargin;
    if (r.Right < r.Left)
        r.Right = r.Left;
    return r;
}

int TCustomEdit::VisibleLines()
{
    return std::max(1, FormatRect().Height() / LineHeight());
}

// Text runs are laid out by adding up the characters' widths, so a row's
// offsets are the running sum of its characters' widths, each character
// measured once per font.
const std::vector<int>& TCustomEdit::RowOffsets(int row)
{
    auto cached = FRowOffsets.find(row);
    if (cached != FRowOffsets.end())
        return cached->second;
    TDeviceContext* dc = FMeasure->Canvas()->Handle();
    dc->SelectFont(FEditFont.Data());
    const TRow& r = FRows[size_t(row)];
    const std::u32string shown = DisplayText(r.Start, r.Length);
    if (FAdvances.empty())
        FAdvances.assign(0x10000, -1);
    std::vector<int> x(shown.size() + 1, 0);
    for (size_t i = 0; i < shown.size(); ++i) {
        const char32_t ch = shown[i];
        int advance = ch < 0x10000 ? FAdvances[ch] : -1;
        if (advance < 0) {
            advance = GetTextExtent(*dc, EncodeUtf8(std::u32string(1, ch))).cx;
            if (ch < 0x10000)
                FAdvances[ch] = advance;
        }
        x[i + 1] = x[i] + advance;
    }
    return FRowOffsets.emplace(row, std::move(x)).first->second;
}

void TCustomEdit::ForgetRowOffsets()
{
    FRowOffsets.clear();
    FAdvances.clear();
}

int TCustomEdit::LineShift(int textWidth)
{
    DWORD style = EditStyle();
    int room = FormatRect().Width() - textWidth;
    if (room <= 0)
        return 0;
    if (style & ES_RIGHT)
        return room - 1;
    if (style & ES_CENTER)
        return room / 2;
    return 0;
}

TPoint TCustomEdit::PosFromChar(int index, int row)
{
    TRect r = FormatRect();
    if (row < 0)
        row = RowOf(index);
    const std::vector<int>& x = RowOffsets(row);
    int col = std::clamp(index - FRows[size_t(row)].Start, 0, int(x.size()) - 1);
    return TPoint{r.Left - FScrollX + LineShift(x.back()) + x[size_t(col)],
                  r.Top + (row - FTopLine) * LineHeight()};
}

int TCustomEdit::CharFromPos(TPoint p, bool* atRowEnd)
{
    TRect r = FormatRect();
    int lh = LineHeight();
    int offset = p.Y < r.Top ? -1 : (p.Y - r.Top) / lh;
    int row = std::clamp(FTopLine + offset, 0, int(FRows.size()) - 1);
    const std::vector<int>& x = RowOffsets(row);
    int px = p.X - (r.Left - FScrollX + LineShift(x.back()));
    int col = 0;
    while (col + 1 < int(x.size()) && px >= (x[size_t(col)] + x[size_t(col) + 1] + 1) / 2)
        ++col;
    // Past the end of a wrapped row the caret stays on that row.
    bool end = col == FRows[size_t(row)].Length && !LastRowOfLine(row);
    if (atRowEnd)
        *atRowEnd = end;
    return FRows[size_t(row)].Start + col;
}

TPoint TCustomEdit::CaretPoint()
{
    return FHandle ? PosFromChar(FCaret, CaretRow()) : TPoint{0, 0};
}

void TCustomEdit::SetTopLine(int line)
{
    int last = std::max(0, int(FRows.size()) - VisibleLines());
    line = std::clamp(line, 0, last);
    if (line == FTopLine)
        return;
    FTopLine = line;
    UpdateScrollBars();
    Invalidate();
    UpdateCaret();
}

// Scrolls by a quarter of the width when the caret leaves the text area
// sideways, and by rows when it leaves it upwards or downwards.
void TCustomEdit::ScrollCaretIntoView()
{
    if (!FHandle)
        return;
    TRect r = FormatRect();
    int row = CaretRow();
    const std::vector<int>& x = RowOffsets(row);
    int cx = LineShift(x.back()) + x[size_t(std::clamp(FCaret - FRows[size_t(row)].Start, 0, int(x.size()) - 1))];
    int w = std::max(1, r.Width());
    int old = FScrollX;
    if (cx - FScrollX < 0)
        FScrollX = std::max(0, cx - w / 4);
    else if (cx - FScrollX > w - 1)
        FScrollX = cx - w + 1 + w / 4;
    if ((x.back() <= w && !Multiline()) || WrapsLines())
        FScrollX = 0;
    int oldTop = FTopLine;
    int visible = VisibleLines();
    if (row < FTopLine)
        FTopLine = row;
    else if (row >= FTopLine + visible)
        FTopLine = row - visible + 1;
    if (old != FScrollX || oldTop != FTopLine) {
        UpdateScrollBars();
        Invalidate();
    }
}

void TCustomEdit::UpdateCaret()
{
    if (!FHandle || GetFocus() != FHandle)
        return;
    TPoint p = PosFromChar(FCaret, CaretRow());
    SetCaretPos(p.X, p.Y);
}

void TCustomEdit::UpdateScrollBars()
{
    if (!FHandle || !Multiline())
        return;
    DWORD style = DWORD(GetWindowLong(FHandle, GWL_STYLE));
    if (style & WS_VSCROLL) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = int(FRows.size()) - 1;
        si.nPage = UINT(VisibleLines());
        si.nPos = FTopLine;
        SetScrollInfo(FHandle, SB_VERT, si, true);
    }
    if (style & WS_HSCROLL) {
        int widest = 0;
        for (int i = 0; i < int(FRows.size()); ++i)
            widest = std::max(widest, RowOffsets(i).back());
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = widest;
        si.nPage = UINT(std::max(1, FormatRect().Width()));
        si.nPos = FScrollX;
        SetScrollInfo(FHandle, SB_HORZ, si, true);
    }
}

bool TCustomEdit::SelectionShown()
{
    return FAnchor != FCaret && ((FHandle && GetFocus() == FHandle) || (EditStyle() & ES_NOHIDESEL));
}

// ------------------------------------------------------------- painting

HBRUSH TCustomEdit::RequestColours(HDC dc)
{
    HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    bool quiet = (EditStyle() & ES_READONLY) || !Enabled();
    if (parent)
        if (HBRUSH b = SendMessage(parent, quiet ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(FHandle)))
            return b;
    dc->SetTextColor(ColorToRGB(FFont.Color()));
    dc->SetBkColor(ColorToRGB(FColor));
    return CreateSolidBrush(FColor);
}

void TCustomEdit::PaintRow(HDC dc, int row, TColor textColor)
{
    TRect r = FormatRect();
    int lh = LineHeight();
    const TRow& l = FRows[size_t(row)];
    const std::vector<int>& x = RowOffsets(row);
    int x0 = r.Left - FScrollX + LineShift(x.back());
    int y = r.Top + (row - FTopLine) * lh;
    // Only the characters inside the text area are drawn: the first one that
    // reaches into it to the last one that starts before its right edge.
    const int first = int(std::upper_bound(x.begin() + 1, x.end(), r.Left - x0) - x.begin()) - 1;
    const int last = int(std::lower_bound(x.begin(), x.end(), r.Right - x0) - x.begin());
    const int count = std::clamp(last, first, l.Length) - first;
    const std::string shown = EncodeUtf8(DisplayText(l.Start + first, count));
    const int shownX = x0 + x[size_t(first)];
    dc->SetTextColor(textColor);
    TextOut(*dc, shownX, y, shown);
    if (!SelectionShown())
        return;
    int a = std::max(SelMin(), l.Start) - l.Start;
    int b = std::min(SelMax(), l.Start + l.Length) - l.Start;
    if (a >= b && !(SelMax() > l.Start + l.Length && SelMin() <= l.Start + l.Length))
        return;
    a = std::clamp(a, 0, l.Length);
    b = std::clamp(b, 0, l.Length);
    // A selected line break shows as a narrow block after the text.
    int extra = SelMax() > l.Start + l.Length && LastRowOfLine(row) && row + 1 < int(FRows.size()) ? 4 : 0;
    TRect sel{x0 + x[size_t(a)], y, x0 + x[size_t(b)] + extra, y + lh};
    FillRect(*dc, sel, ColorToRGB(clHighlight));
    TSavedDC saved(dc);
    dc->IntersectClipRect(sel);
    dc->SetTextColor(ColorToRGB(clHighlightText));
    TextOut(*dc, shownX, y, shown);
}

void TCustomEdit::PaintWindow(HDC dc)
{
    dc->SetTextColor(ColorToRGB(FFont.Color()));
    dc->SetBkMode(bkOpaque);
    HBRUSH brush = RequestColours(dc);
    TColor textColor = Enabled() ? dc->TextColor() : ColorToRGB(clGrayText);
    TColor background;
    if (BrushColor(brush, background))
        FillRect(*dc, ClientRect(), ColorToRGB(background));
    TSavedDC saved(dc);
    TRect r = FormatRect();
    dc->IntersectClipRect(r);
    dc->SelectFont(FEditFont.Data());
    dc->SetBkMode(bkTransparent);
    int last = std::min(int(FRows.size()) - 1, FTopLine + VisibleLines());
    for (int row = FTopLine; row <= last; ++row)
        PaintRow(dc, row, textColor);
}

// ----------------------------------------------------------------- input

void TCustomEdit::HandleChar(char32_t ch)
{
    bool readOnly = (EditStyle() & ES_READONLY) != 0;
    switch (ch) {
    case 1: SelectAll(); return;                // Ctrl+A
    case 3: Send(WM_COPY); return;              // Ctrl+C
    case 22: Send(WM_PASTE); return;            // Ctrl+V
    case 24: Send(WM_CUT); return;              // Ctrl+X
    case 26: Send(WM_UNDO); return;             // Ctrl+Z
    default: break;
    }
    if (ch == 8) {
        if (readOnly) {
            MessageBeep(0);
            return;
        }
        if (FAnchor != FCaret)
            Modify(SelMin(), SelMax(), {}, true);
        else if (FCaret > 0)
            Modify(PrevPos(FCaret), FCaret, {}, true);
        return;
    }
    if (ch == '\r' || ch == '\n') {
        if (Multiline() && !readOnly)
            ReplaceSelection(U"\r\n", true);
        return;
    }
    if (ch == '\t' && !Multiline())
        return;
    if ((ch < 32 && ch != '\t') || ch == 127)
        return;
    if (readOnly) {
        MessageBeep(0);
        return;
    }
    ReplaceSelection(std::u32string(1, ch), true);
}

void TCustomEdit::HandleKeyDown(WORD key)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool multi = Multiline();
    auto moveTo = [&](int pos, bool atRowEnd = false) { SetSelection(shift ? FAnchor : pos, pos, true, atRowEnd); };
    auto moveLines = [&](int delta) {
        if (!multi)
            return;
        int keepX = FUpDownX >= 0 ? FUpDownX : PosFromChar(FCaret, CaretRow()).X;
        int row = std::clamp(CaretRow() + delta, 0, int(FRows.size()) - 1);
        if (row < FTopLine || row >= FTopLine + VisibleLines())
            SetTopLine(FTopLine + delta);
        int y = FormatRect().Top + (row - FTopLine) * LineHeight();
        bool atRowEnd = false;
        int pos = CharFromPos(TPoint{keepX, y}, &atRowEnd);
        moveTo(pos, atRowEnd);
        FUpDownX = keepX;
    };
    switch (key) {
    case VK_LEFT:
        if (!shift && FAnchor != FCaret)
            moveTo(SelMin());
        else
            moveTo(ctrl ? WordLeft(FCaret) : PrevPos(FCaret));
        break;
    case VK_RIGHT:
        if (!shift && FAnchor != FCaret)
            moveTo(SelMax());
        else
            moveTo(ctrl ? WordRight(FCaret) : NextPos(FCaret));
        break;
    case VK_HOME:
        moveTo(ctrl ? 0 : FRows[size_t(CaretRow())].Start);
        break;
    case VK_END:
        if (ctrl) {
            moveTo(int(FChars.size()));
        } else {
            int row = CaretRow();
            moveTo(FRows[size_t(row)].Start + FRows[size_t(row)].Length, !LastRowOfLine(row));
        }
        break;
    case VK_UP: moveLines(-1); break;
    case VK_DOWN: moveLines(1); break;
    case VK_PRIOR: moveLines(-VisibleLines()); break;
    case VK_NEXT: moveLines(VisibleLines()); break;
    case VK_DELETE:
        if (shift) {
            Send(WM_CUT);
        } else if (EditStyle() & ES_READONLY) {
            MessageBeep(0);
        } else if (FAnchor != FCaret) {
            Modify(SelMin(), SelMax(), {}, true);
        } else if (FCaret < int(FChars.size())) {
            Modify(FCaret, NextPos(FCaret), {}, true);
        }
        break;
    case VK_INSERT:
        if (ctrl)
            Send(WM_COPY);
        else if (shift)
            Send(WM_PASTE);
        break;
    default:
        break;
    }
}

void TCustomEdit::HandleMouseDown(TPoint p, WORD keys, bool dbl)
{
    if (FHandle && GetFocus() != FHandle && CanFocus())
        SetFocus();
    bool atRowEnd = false;
    int pos = CharFromPos(p, &atRowEnd);
    if (dbl) {
        int start, end;
        WordAt(pos, start, end);
        SetSelection(start, end);
        FSelecting = false;
        return;
    }
    SetSelection((keys & MK_SHIFT) ? FAnchor : pos, pos, true, atRowEnd);
    FSelecting = true;
}

void TCustomEdit::HandleScroll(int code, int pos)
{
    int visible = VisibleLines();
    switch (code) {
    case SB_LINEUP: SetTopLine(FTopLine - 1); break;
    case SB_LINEDOWN: SetTopLine(FTopLine + 1); break;
    case SB_PAGEUP: SetTopLine(FTopLine - visible); break;
    case SB_PAGEDOWN: SetTopLine(FTopLine + visible); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetTopLine(pos); break;
    case SB_TOP: SetTopLine(0); break;
    case SB_BOTTOM: SetTopLine(int(FRows.size())); break;
    default: break;
    }
}

// --------------------------------------------------------------- messages

void TCustomEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_TEXTCHANGED:
        // Without a window nobody sends WM_SETTEXT: take the text here.
        if (!FHandle && EncodeUtf8(FChars) != FText)
            LoadText(DecodeUtf8(FText));
        break;
    case CM_FONTCHANGED:
        TWinControl::WndProc(m);
        if (FHandle)
            Send(WM_SETFONT, WPARAM(&FFont), 1);
        else
            FEditFont.Assign(FFont);
        ForgetRowOffsets();
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        if (FSelecting && (m.WParam & MK_LBUTTON)) {
            bool atRowEnd = false;
            int pos = CharFromPos(LParamToPoint(m.LParam), &atRowEnd);
            SetSelection(FAnchor, pos, true, atRowEnd);
        }
        break;
    case WM_SIZE:
        if (FHandle) {
            BuildRows();
            ScrollCaretIntoView();
            UpdateScrollBars();
            UpdateCaret();
            Invalidate();
        }
        break;
    default:
        break;
    }
}

void TCustomEdit::DefaultHandler(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (Multiline() ? DLGC_WANTALLKEYS : 0);
        return;
    case WM_CHAR: HandleChar(char32_t(m.WParam)); return;
    case WM_KEYDOWN: HandleKeyDown(WORD(m.WParam)); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        HandleMouseDown(LParamToPoint(m.LParam), LOWORD(m.WParam), m.Msg == WM_LBUTTONDBLCLK);
        return;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: WMLButtonUp(m); return;
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_KILLFOCUS: WMKillFocus(m); return;
    case WM_SETTEXT: WMSetText(m); return;
    case WM_GETTEXT: CopyText(EncodeUtf8(FChars), m); return;
    case WM_GETTEXTLENGTH: m.Result = LRESULT(EncodeUtf8(FChars).size()); return;
    case WM_SETFONT: WMSetFont(m); return;
    case WM_GETFONT: m.Result = LRESULT(&FEditFont); return;
    case WM_CUT: WMCut(m); return;
    case WM_COPY: WMCopy(m); return;
    case WM_PASTE: WMPaste(m); return;
    case WM_CLEAR: WMClear(m); return;
    case WM_UNDO:
    case EM_UNDO: WMUndo(m); return;
    case WM_VSCROLL:
    case WM_HSCROLL: WMVScroll(m); return;
    case WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: CNCtlColorEdit(m); return;
    case CN_COMMAND: CNCommand(m); return;
    case WM_CONTEXTMENU: WMContextMenu(m); return;
    // ------------------------------------------------------ EM_ requests
    case EM_GETSEL: EMGetSel(m); return;
    case EM_SETSEL: EMSetSel(m); return;
    case EM_REPLACESEL: EMReplaceSel(m); return;
    case EM_SETMARGINS: EMSetMargins(m); return;
    case EM_GETMARGINS: m.Result = MAKELRESULT(FLeftMargin, FRightMargin); return;
    case EM_SETRECT:
    case EM_SETRECTNP: EMSetRect(m); return;
    case EM_GETRECT: EMGetRect(m); return;
    case EM_LIMITTEXT: FMaxLength = int(m.WParam); return;
    case EM_GETLIMITTEXT: m.Result = FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE; return;
    case EM_CANUNDO: m.Result = FCanUndo ? 1 : 0; return;
    case EM_EMPTYUNDOBUFFER: EMEmptyUndoBuffer(m); return;
    case EM_GETMODIFY: m.Result = FModified ? 1 : 0; return;
    case EM_SETMODIFY: FModified = m.WParam != 0; return;
    case EM_SETREADONLY: EMSetReadOnly(m); return;
    case EM_SETPASSWORDCHAR: EMSetPasswordChar(m); return;
    case EM_GETPASSWORDCHAR: m.Result = LRESULT(FPasswordChar); return;
    case EM_GETLINECOUNT: m.Result = LRESULT(FLines.size()); return;
    case EM_LINEINDEX: EMLineIndex(m); return;
    case EM_LINELENGTH: EMLineLength(m); return;
    case EM_LINEFROMCHAR:
        m.Result = LineOf(int(m.WParam) < 0 ? FCaret : std::min(int(m.WParam), int(FChars.size())));
        return;
    case EM_GETLINE: EMGetLine(m); return;
    case EM_GETFIRSTVISIBLELINE: m.Result = FTopLine; return;
    case EM_LINESCROLL: EMLineScroll(m); return;
    case EM_SCROLL: EMScroll(m); return;
    case EM_SCROLLCARET: EMScrollCaret(m); return;
    case EM_POSFROMCHAR: EMPosFromChar(m); return;
    case EM_CHARFROMPOS: EMCharFromPos(m); return;
    default: break;
    }
    TWinControl::DefaultHandler(m);
}

// ------------------------------------------------ the default handler's handlers

void TCustomEdit::WMLButtonUp(TMessage& m)
{
    FSelecting = false;
    TWinControl::DefaultHandler(m);
}

void TCustomEdit::WMSetFocus(TMessage&)
{
    CreateCaret(FHandle, 1, LineHeight());
    UpdateCaret();
    ShowCaret(FHandle);
    if (FAnchor != FCaret)
        Invalidate();
    Notify(EN_SETFOCUS);
}

void TCustomEdit::WMKillFocus(TMessage&)
{
    FSelecting = false;
    DestroyCaret();
    if (FAnchor != FCaret)
        Invalidate();
    Notify(EN_KILLFOCUS);
}

void TCustomEdit::WMSetText(TMessage& m)
{
    LoadText(DecodeUtf8(m.LParam ? reinterpret_cast<const char*>(m.LParam) : ""));
    m.Result = 1;
}

void TCustomEdit::WMSetFont(TMessage& m)
{
    const TFont* font = reinterpret_cast<const TFont*>(m.WParam);
    if (font)
        FEditFont.Assign(*font);
    else
        FEditFont.Assign(TFont());
    FLeftMargin = FRightMargin = DefaultMargin;
    ForgetRowOffsets();
    BuildRows();
    if (FHandle && GetFocus() == FHandle) {
        CreateCaret(FHandle, 1, LineHeight());
        ShowCaret(FHandle);
    }
    ScrollCaretIntoView();
    UpdateScrollBars();
    UpdateCaret();
    if (m.LParam)
        Invalidate();
}

void TCustomEdit::WMCut(TMessage&)
{
    if (!(EditStyle() & (ES_READONLY | ES_PASSWORD)) && FAnchor != FCaret) {
        SetClipboardText(EncodeUtf8(FChars.substr(size_t(SelMin()), size_t(SelMax() - SelMin()))));
        Modify(SelMin(), SelMax(), {}, false);
    }
}

void TCustomEdit::WMCopy(TMessage&)
{
    // A password never leaves the edit.
    if (!(EditStyle() & ES_PASSWORD) && FAnchor != FCaret)
        SetClipboardText(EncodeUtf8(FChars.substr(size_t(SelMin()), size_t(SelMax() - SelMin()))));
}

void TCustomEdit::WMPaste(TMessage&)
{
    if (!(EditStyle() & ES_READONLY)) {
        std::u32string text = DecodeUtf8(GetClipboardText());
        if (!text.empty())
            ReplaceSelection(text, false);
    }
}

void TCustomEdit::WMClear(TMessage&)
{
    if (!(EditStyle() & ES_READONLY) && FAnchor != FCaret)
        Modify(SelMin(), SelMax(), {}, false);
}

void TCustomEdit::WMUndo(TMessage& m)
{
    m.Result = 0;
    if (FCanUndo && !(EditStyle() & ES_READONLY)) {
        std::swap(FChars, FUndoChars);
        int anchor = FUndoAnchor, caret = FUndoCaret;
        FUndoAnchor = FAnchor;
        FUndoCaret = FCaret;
        SplitLines();
        FModified = true;
        StoreText();
        FAnchor = FCaret = -1;
        SetSelection(anchor, caret);
        UpdateScrollBars();
        Invalidate();
        Notify(EN_CHANGE);
        m.Result = 1;
    }
}

void TCustomEdit::WMVScroll(TMessage& m)
{
    int bar = m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
    int pos = HIWORD(m.WParam);
    if (FHandle && (LOWORD(m.WParam) == SB_THUMBTRACK || LOWORD(m.WParam) == SB_THUMBPOSITION)) {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(FHandle, bar, si))
            pos = si.nTrackPos;
    }
    if (bar == SB_VERT) {
        HandleScroll(LOWORD(m.WParam), pos);
    } else if (!WrapsLines()) {
        int step = std::max(1, LineHeight() / 2);
        int width = FormatRect().Width();
        switch (LOWORD(m.WParam)) {
        case SB_LINELEFT: FScrollX -= step; break;
        case SB_LINERIGHT: FScrollX += step; break;
        case SB_PAGELEFT: FScrollX -= width; break;
        case SB_PAGERIGHT: FScrollX += width; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: FScrollX = pos; break;
        default: break;
        }
        FScrollX = std::max(0, FScrollX);
        UpdateScrollBars();
        UpdateCaret();
        Invalidate();
    }
}

void TCustomEdit::WMMouseWheel(TMessage& m)
{
    if (Multiline())
        for (int i = 0; i < 3; ++i)
            HandleScroll(GET_WHEEL_DELTA_WPARAM(m.WParam) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

void TCustomEdit::CNCtlColorEdit(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    dc->SetTextColor(ColorToRGB(FFont.Color()));
    dc->SetBkColor(ColorToRGB(FColor));
    m.Result = CreateSolidBrush(FColor);
}

void TCustomEdit::CNCommand(TMessage& m)
{
    if (HIWORD(m.WParam) == EN_CHANGE)
        Change();
}

void TCustomEdit::WMContextMenu(TMessage& m)
{
    ShowContextMenu(LParamToPoint(m.LParam));
    m.Result = 1;
}

void TCustomEdit::EMGetSel(TMessage& m)
{
    if (m.WParam)
        *reinterpret_cast<DWORD*>(m.WParam) = DWORD(SelMin());
    if (m.LParam)
        *reinterpret_cast<DWORD*>(m.LParam) = DWORD(SelMax());
    m.Result = MAKELRESULT(SelMin(), SelMax());
}

void TCustomEdit::EMSetSel(TMessage& m)
{
    int start = int(m.WParam), end = int(m.LParam);
    if (start == -1)
        SetSelection(FCaret, FCaret);
    else if (start == 0 && end == -1)
        SetSelection(0, int(FChars.size()));
    else
        SetSelection(start, end < 0 ? int(FChars.size()) : end);
}

void TCustomEdit::EMReplaceSel(TMessage& m)
{
    std::u32string text = DecodeUtf8(m.LParam ? reinterpret_cast<const char*>(m.LParam) : "");
    std::u32string fitted = FilterInsert(text);
    if (!fitted.empty() || FAnchor != FCaret) {
        FTyping = false;
        Modify(SelMin(), SelMax(), fitted, false, m.WParam != 0);
    }
}

void TCustomEdit::EMSetMargins(TMessage& m)
{
    WORD left = LOWORD(uintptr_t(m.LParam)), right = HIWORD(uintptr_t(m.LParam));
    if (m.WParam & EC_LEFTMARGIN)
        FLeftMargin = left == EC_USEFONTINFO ? DefaultMargin : left;
    if (m.WParam & EC_RIGHTMARGIN)
        FRightMargin = right == EC_USEFONTINFO ? DefaultMargin : right;
    if (m.WParam == EC_USEFONTINFO)
        FLeftMargin = FRightMargin = DefaultMargin;
    BuildRows();
    ScrollCaretIntoView();
    UpdateCaret();
    Invalidate();
}

void TCustomEdit::EMSetRect(TMessage& m)
{
    // As the classic edit: only a multi-line edit takes a formatting rectangle.
    if (Multiline()) {
        FHasRect = m.LParam != 0;
        if (FHasRect)
            FRect = *reinterpret_cast<const TRect*>(m.LParam);
        BuildRows();
        ScrollCaretIntoView();
        UpdateCaret();
        if (m.Msg == EM_SETRECT)
            Invalidate();
    }
}

void TCustomEdit::EMGetRect(TMessage& m)
{
    if (m.LParam)
        *reinterpret_cast<TRect*>(m.LParam) = FormatRect();
}

void TCustomEdit::EMEmptyUndoBuffer(TMessage&)
{
    FCanUndo = false;
    FTyping = false;
    FUndoChars.clear();
}

void TCustomEdit::EMSetReadOnly(TMessage& m)
{
    FReadOnly = m.WParam != 0;
    UpdateStyle(FReadOnly ? ES_READONLY : 0, FReadOnly ? 0 : ES_READONLY);
    Invalidate();
    m.Result = 1;
}

void TCustomEdit::EMSetPasswordChar(TMessage& m)
{
    FPasswordChar = char32_t(m.WParam);
    UpdateStyle(FPasswordChar ? ES_PASSWORD : 0, FPasswordChar ? 0 : ES_PASSWORD);
    BuildRows();
    ScrollCaretIntoView();
    UpdateCaret();
    Invalidate();
}

void TCustomEdit::EMLineIndex(TMessage& m)
{
    int line = int(m.WParam) < 0 ? LineOf(FCaret) : int(m.WParam);
    m.Result = line < int(FLines.size()) ? FLines[size_t(line)].Start : -1;
}

void TCustomEdit::EMLineLength(TMessage& m)
{
    int index = int(m.WParam);
    m.Result = index < 0 ? 0 : FLines[size_t(LineOf(std::min(index, int(FChars.size()))))].Length;
}

void TCustomEdit::EMGetLine(TMessage& m)
{
    int line = int(m.WParam);
    m.Result = 0;
    if (line < 0 || line >= int(FLines.size()) || !m.LParam)
        return;
    std::string text =
        EncodeUtf8(FChars.substr(size_t(FLines[size_t(line)].Start), size_t(FLines[size_t(line)].Length)));
    WORD room = 0;
    std::memcpy(&room, reinterpret_cast<void*>(m.LParam), sizeof room);
    size_t n = std::min(text.size(), size_t(room));
    std::memcpy(reinterpret_cast<void*>(m.LParam), text.data(), n);
    m.Result = LRESULT(n);
}

void TCustomEdit::EMLineScroll(TMessage& m)
{
    if (!WrapsLines())
        FScrollX = std::max(0, FScrollX + int(m.WParam) * std::max(1, LineHeight() / 2));
    SetTopLine(FTopLine + int(m.LParam));
    Invalidate();
    m.Result = 1;
}

void TCustomEdit::EMScroll(TMessage& m)
{
    HandleScroll(int(m.WParam), 0);
    m.Result = 1;
}

void TCustomEdit::EMScrollCaret(TMessage& m)
{
    ScrollCaretIntoView();
    UpdateCaret();
    m.Result = 1;
}

void TCustomEdit::EMPosFromChar(TMessage& m)
{
    if (!FHandle || int(m.WParam) > int(FChars.size())) {
        m.Result = -1;
        return;
    }
    TPoint p = PosFromChar(int(m.WParam));
    m.Result = MAKELRESULT(p.X, p.Y);
}

void TCustomEdit::EMCharFromPos(TMessage& m)
{
    if (!FHandle) {
        m.Result = -1;
        return;
    }
    int index = CharFromPos(LParamToPoint(m.LParam));
    m.Result = MAKELRESULT(index, LineOf(index));
}
