#include "platform/ui/Keys.h"
#include "platform/ui/WindowManager.h"

// The character a key gives on a US layout; input methods send their text
// with the key instead.
char32_t CharFromKey(int vk, bool shift, bool control, bool capsLock)
{
    if (vk >= 'A' && vk <= 'Z') {
        if (control)
            return char32_t(vk - 'A' + 1);
        bool upper = shift != capsLock;
        return char32_t(upper ? vk : vk + 32);
    }
    if (control)
        return vk == VK_RETURN ? 10 : vk == VK_BACK ? 127 : vk == VK_ESCAPE ? 27 : 0;
    if (vk >= '0' && vk <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        return char32_t(shift ? shifted[vk - '0'] : vk);
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return char32_t('0' + vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return 8;
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return 0;
    }
}
