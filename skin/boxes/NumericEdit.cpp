#include "skin/boxes/NumericEdit.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Screen.h"
#include "skin/boxes/WheelNotches.h"

namespace {
// The program reads numbers with "." whatever the locale.
constexpr char32_t DecimalSeparator = '.';
}  // namespace

void TbsSkinNumEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_UP) {
        if (OnUpClick)
            OnUpClick(this);
        return;
    }
    if (Key == VK_DOWN) {
        if (OnDownClick)
            OnDownClick(this);
        return;
    }
    TbsCustomEdit::KeyDown(Key, Shift);
}

bool TbsSkinNumEdit::IsValidChar(char32_t Key)
{
    const bool control = Key < 32 && Key != 13;
    bool valid = control || Key == '-' || (Key >= '0' && Key <= '9') || (Float && Key == DecimalSeparator);
    if (!FEditorEnabled && (Key >= 32 || Key == 8))
        valid = false;
    const std::string& text = Text();
    if (Key == DecimalSeparator && text.find('.') != std::string::npos)
        valid = false;
    if (Key == '-' && text.find('-') != std::string::npos)
        valid = false;
    return valid;
}

void TbsSkinNumEdit::KeyPress(char32_t& Key)
{
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key != 0)
        TbsCustomEdit::KeyPress(Key);
}

void TbsSkinNumEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEWHEEL) {
        // Away from the user steps up, as the list and the combo do.
        for (int n = TakeWheelNotches(FWheelDelta, short(HIWORD(Message.WParam))); n != 0; n -= n > 0 ? 1 : -1) {
            const TNotifyEvent& e = n > 0 ? OnUpClick : OnDownClick;
            if (e)
                e(this);
        }
        return;
    }
    TbsCustomEdit::WndProc(Message);
}
