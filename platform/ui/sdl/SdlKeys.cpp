#include "platform/ui/sdl/SdlKeys.h"
#include "platform/ui/Keys.h"

namespace {

struct TKeyPair {
    SDL_Keycode Sym;
    int Vk;
};

// Left and right modifiers give the plain modifier keys: the window
// manager keeps one state per modifier.
const TKeyPair KeyTable[] = {
    {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB}, {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE}, {SDLK_PAGEUP, VK_PRIOR}, {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END}, {SDLK_HOME, VK_HOME}, {SDLK_LEFT, VK_LEFT}, {SDLK_UP, VK_UP}, {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN}, {SDLK_INSERT, VK_INSERT}, {SDLK_DELETE, VK_DELETE}, {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL}, {SDLK_NUMLOCKCLEAR, VK_NUMLOCK}, {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT}, {SDLK_HELP, VK_HELP}, {SDLK_APPLICATION, VK_APPS}, {SDLK_MENU, VK_APPS},
    {SDLK_LSHIFT, VK_SHIFT}, {SDLK_RSHIFT, VK_SHIFT}, {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU}, {SDLK_RALT, VK_MENU}, {SDLK_LGUI, VK_LWIN}, {SDLK_RGUI, VK_RWIN},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_PLUS, VK_ADD}, {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL}, {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_SEMICOLON, VK_OEM_1}, {SDLK_EQUALS, VK_OEM_PLUS}, {SDLK_PLUS, VK_OEM_PLUS}, {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS}, {SDLK_PERIOD, VK_OEM_PERIOD}, {SDLK_SLASH, VK_OEM_2}, {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4}, {SDLK_BACKSLASH, VK_OEM_5}, {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

} // namespace

int VirtualKeyOf(const SDL_Keysym& key)
{
    SDL_Keycode sym = key.sym;
    if (sym >= SDLK_a && sym <= SDLK_z)
        return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9)
        return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12)
        return VK_F1 + (sym - SDLK_F1);
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + (sym - SDLK_KP_1);
    if (sym == SDLK_KP_0)
        return VK_NUMPAD0;
    for (const TKeyPair& p : KeyTable)
        if (p.Sym == sym)
            return p.Vk;
    // Layouts whose letters are not Latin: fall back to the key's place.
    SDL_Scancode sc = key.scancode;
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z)
        return 'A' + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9)
        return '1' + (sc - SDL_SCANCODE_1);
    if (sc == SDL_SCANCODE_0)
        return '0';
    return 0;
}
