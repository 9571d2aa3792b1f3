#pragma once
#include "resources/skingen/Palette.h"
#include "resources/skingen/SkinOut.h"

// The base skin is built part by part; each part draws its cells into the
// skin's pictures and writes the sections that name them, from the same
// rectangles.
struct TSkinParts {
    TSkinOut& Skin;
    const TPalette& P;
    TSheet& Caption;    // caption buttons
    TSheet& Controls;   // buttons, boxes, edits, panels, tabs
    TSheet& Lists;      // scroll bars, slider, lists, menus
};

// Frame picture, inactive frame, caption object and caption buttons.
void BuildFrame(TSkinParts& Parts);
// Popup window, hint window, menu items, menu bar and its items.
void BuildMenus(TSkinParts& Parts);
// The buttons a maximized MDI child shows on the menu bar (in the Lists sheet,
// in the bar's colours): sections "menubarsysmenubutton", "menubarclosebutton",
// "menubarmaxbutton" (a restore glyph) and "menubarminbutton".
void BuildMenuBarButtons(TSkinParts& Parts);
// Every button kind, check boxes and radio buttons.
void BuildButtons(TSkinParts& Parts);
// Edits, combo box, list box, list and tree views, scroll bars, slider, up-downs.
void BuildBoxes(TSkinParts& Parts);
// Panels, group box, tool panels, status bar, labels, bevel, tabs, scroll box.
void BuildPanels(TSkinParts& Parts);

// The state cells of one element, in the order normal, hover, down, focused, disabled.
enum TFaceState { fsNormal, fsHover, fsDown, fsFocused, fsDisabled };

// Glyphs shared by several parts, centred on (cx, cy).
void DrawChevron(TArt& Art, double cx, double cy, int Direction, double Size, TRgb Color);   // 0 up, 1 right, 2 down, 3 left
void DrawTriangle(TArt& Art, double cx, double cy, int Direction, double Size, TRgb Color);
void DrawCheckMark(TArt& Art, double cx, double cy, double Size, TRgb Color, double Width = 1.6);

// Rectangle inside Cell by the margins.
TRect Inset(const TRect& Cell, int dx, int dy);
// Cell-relative rectangle from picture coordinates.
TRect Relative(const TRect& R, const TRect& Cell);
