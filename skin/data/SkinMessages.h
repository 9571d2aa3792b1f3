#pragma once

// Private window messages of the skin container. Each is sent to every form
// with the container as wParam and SKIN_MESSAGE_LPARAM as lParam.
constexpr unsigned WM_BEFORECHANGESKINDATA = 1225;   // old data still present, Empty already true
constexpr unsigned WM_CHANGESKINDATA = 1226;         // the new data is complete
constexpr unsigned WM_AFTERCHANGESKINDATA = 1227;    // last; ChangeSkinDataProcess already false
constexpr unsigned WM_CHANGERESSTRDATA = 1274;       // the text table reference was set
constexpr unsigned WM_CHANGEFORMSKINNABLE = 1294;    // SkinnableForm changed
constexpr unsigned WM_CHANGELAYEREDBORDERS = 1427;   // ShowLayeredBorders changed

constexpr long SKIN_MESSAGE_LPARAM = 1000;

// Private messages of the frame, the menus and the controls.
constexpr unsigned WM_CLOSESKINMENU = 1228;          // the menu engine to the form and the opener: the menu closed
constexpr unsigned WM_CHECKPARENTBG = 1284;          // to child controls: re-check a parent background shown through them
constexpr unsigned WM_SHOWLAYER = 1424;              // posted by a skinned button to itself: show its glow frame
constexpr unsigned WM_HIDELAYER = 1425;              // posted by a skinned button to itself: hide its glow frame
