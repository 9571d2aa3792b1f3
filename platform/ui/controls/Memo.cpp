#include "platform/ui/controls/Memo.h"
#include <cstring>
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

// ------------------------------------------------------------ TMemoStrings

LRESULT TMemoStrings::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return FMemo->Send(msg, wParam, lParam);
}

int TMemoStrings::Count() const
{
    int lines = int(Send(EM_GETLINECOUNT));
    if (lines > 0 && Send(EM_LINELENGTH, WPARAM(LineIndex(lines - 1))) == 0)
        --lines;
    return lines;
}

std::string TMemoStrings::Get(int index) const
{
    if (index < 0 || index >= Count())
        Error("List index out of bounds (%d)", index);
    int length = int(Send(EM_LINELENGTH, WPARAM(LineIndex(index))));
    // Characters take up to four bytes; the first word of the buffer says its size.
    std::string buffer(size_t(length) * 4 + 2, '\0');
    WORD room = WORD(std::min<size_t>(buffer.size(), 0xFFFF));
    std::memcpy(buffer.data(), &room, sizeof room);
    LRESULT copied = Send(EM_GETLINE, WPARAM(index), LPARAM(buffer.data()));
    buffer.resize(size_t(copied));
    return buffer;
}

void TMemoStrings::Put(int index, const std::string& s)
{
    if (index < 0 || index >= Count())
        Error("List index out of bounds (%d)", index);
    int start = LineIndex(index);
    int length = int(Send(EM_LINELENGTH, WPARAM(start)));
    Send(EM_SETSEL, WPARAM(start), LPARAM(start + length));
    Send(EM_REPLACESEL, 0, LPARAM(s.c_str()));
}

void TMemoStrings::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count())
        Error("List index out of bounds (%d)", index);
    // A line goes in with its break; after a last line without a break the
    // break comes first.
    int at = LineIndex(index);
    std::string line = s + "\r\n";
    if (at < 0) {
        int previous = LineIndex(index - 1);
        at = previous + int(Send(EM_LINELENGTH, WPARAM(previous)));
        line = "\r\n" + s;
    }
    Send(EM_SETSEL, WPARAM(at), LPARAM(at));
    Send(EM_REPLACESEL, 0, LPARAM(line.c_str()));
}

void TMemoStrings::Delete(int index)
{
    int count = Count();
    if (index < 0 || index >= count)
        Error("List index out of bounds (%d)", index);
    int start = LineIndex(index);
    int end;
    if (index + 1 < int(Send(EM_GETLINECOUNT))) {
        end = LineIndex(index + 1);
    } else {
        // The last line takes the break before it along.
        end = start + int(Send(EM_LINELENGTH, WPARAM(start)));
        if (index > 0) {
            int previous = LineIndex(index - 1);
            start = previous + int(Send(EM_LINELENGTH, WPARAM(previous)));
        }
    }
    Send(EM_SETSEL, WPARAM(start), LPARAM(end));
    Send(EM_REPLACESEL, 0, LPARAM(""));
}

void TMemoStrings::Clear()
{
    FMemo->SetText("");
}

std::string TMemoStrings::Text() const
{
    return FMemo->Text();
}

void TMemoStrings::SetText(const std::string& text)
{
    FMemo->SetText(text);
}

void TMemoStrings::SetUpdateState(bool updating)
{
    Send(WM_SETREDRAW, updating ? 0 : 1);
}

// -------------------------------------------------------------- TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
    FOwnStyle = ES_MULTILINE;
    FAutoHScroll = !FWordWrap;
    FWidth = 185;
    FHeight = 89;
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& p)
{
    TCustomEdit::CreateParams(p);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (FWantReturns)
        p.Style |= ES_WANTRETURN;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        p.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        p.Style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (value == FScrollBars)
        return;
    FScrollBars = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    FAutoHScroll = !value;
    RecreateWnd();
}

void TCustomMemo::KeyPress(char32_t& Key)
{
    TCustomEdit::KeyPress(Key);
    if ((Key == '\r' && !FWantReturns) || (Key == '\t' && !FWantTabs))
        Key = 0;
}

void TCustomMemo::DefaultHandler(TMessage& m)
{
    TCustomEdit::DefaultHandler(m);
    if (m.Msg == WM_GETDLGCODE) {
        if (FWantTabs)
            m.Result |= DLGC_WANTTAB;
        else
            m.Result &= ~DLGC_WANTTAB;
        if (!FWantReturns)
            m.Result &= ~DLGC_WANTALLKEYS;
    }
}
