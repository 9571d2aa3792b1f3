#pragma once
#include <SDL_keyboard.h>

// The virtual key of an SDL key (0 for keys we have no virtual key for).
// Letters and digits follow the keyboard layout, as virtual keys do.
int VirtualKeyOf(const SDL_Keysym& key);
