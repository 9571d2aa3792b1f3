#pragma once
#include "resources/skingen/Art.h"

// The colours and shape of one skin; every part draws from these only
// (Looks.h holds the seven skins' values; these defaults are the first).
struct TPalette {
    // Shape: the corner radius of buttons, boxes and items, and how far a
    // raised face's gradient runs (0 flat, 1 the full top-to-bottom range).
    double Radius = 3.5;
    // Raised faces cast a soft shadow one pixel down and sink into it when pressed.
    bool SoftShadow = false;

    // Accent (selection, focus, hover borders, the caption bar).
    TRgb Accent = Hex(0x3478D4);
    TRgb AccentDark = Hex(0x2A62B2);
    TRgb AccentSoft = Hex(0xDCE8FA);   // hovered items
    TRgb AccentPale = Hex(0xEEF4FD);
    TRgb AccentDown = Hex(0xB2CCF1);   // pressed items

    // Frame.
    TRgb CaptionTop = Hex(0x3B80DC);
    TRgb CaptionBottom = Hex(0x3273CF);
    TRgb FrameBorder = Hex(0x2A62B2);
    TRgb CaptionText = Hex(0xFFFFFF);
    TRgb InactiveCaptionTop = Hex(0xE9ECF0);
    TRgb InactiveCaptionBottom = Hex(0xE2E6EB);
    TRgb InactiveBorder = Hex(0xA9B1BC);
    TRgb InactiveCaptionText = Hex(0x6A7380);
    TRgb CloseHover = Hex(0xE0463E);
    TRgb CloseDown = Hex(0xC03A33);

    // Surfaces and text.
    TRgb Face = Hex(0xF2F4F7);         // dialogs, panels, the client area
    TRgb ToolFace = Hex(0xF8F9FB);     // tool bars and the menu bar
    TRgb Window = Hex(0xFFFFFF);       // edits and lists
    TRgb Text = Hex(0x1E2530);
    TRgb SubtleText = Hex(0x4F5866);
    TRgb DisabledText = Hex(0x7E8693);
    TRgb HighlightText = Hex(0xFFFFFF);
    TRgb Divider = Hex(0xDCE0E6);
    TRgb Light = Hex(0xFFFFFF);
    TRgb Shadow = Hex(0xB4BCC7);

    // Controls.
    TRgb ControlBorder = Hex(0xC2C9D3);
    TRgb ControlBorderDisabled = Hex(0xCDD2D9);
    TRgb ButtonTop = Hex(0xFFFFFF);
    TRgb ButtonBottom = Hex(0xEFF2F5);
    TRgb ButtonHoverTop = Hex(0xF5F9FF);
    TRgb ButtonHoverBottom = Hex(0xE5EEFB);
    TRgb ButtonDownTop = Hex(0xD3E2F7);
    TRgb ButtonDownBottom = Hex(0xDAE6F8);
    TRgb ButtonDisabled = Hex(0xE4E7EB);
    TRgb Glyph = Hex(0x4E5968);
    TRgb GlyphDisabled = Hex(0xB3BAC4);
    TRgb Track = Hex(0xE9ECF0);
    TRgb Thumb = Hex(0xC3CAD3);
    TRgb ThumbHover = Hex(0xA8B1BD);
    TRgb ThumbDown = Hex(0x8C96A4);

    // Tabs at rest and under the mouse, and the hint window.
    TRgb TabFace = Hex(0xE6EAF0);
    TRgb TabHover = Hex(0xF0F3F7);
    TRgb HintFace = Hex(0xFCFDFE);
};
