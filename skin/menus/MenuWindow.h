#pragma once
#include <cstdint>
#include <functional>

#include "platform/ui/WinTypes.h"
#include "platform/ui/Window.h"

class TObject;
class TTimer;

// The window of a drop-down menu: a topmost tool window of its own class that
// saves what it covers and casts a shadow. The class is registered on first use.
HWND CreateMenuWindow(const char* ClassName, TWndProc Proc, int X, int Y, int Width, int Height);

// Makes a menu window layered with one alpha for the whole of it.
void MakeMenuWindowLayered(HWND Handle, std::uint8_t Alpha);

// A stopped timer of a menu (hover, morphing, animation), owned by the caller.
TTimer* NewMenuTimer(unsigned Interval, std::function<void(TObject* Sender)> OnTimer);
