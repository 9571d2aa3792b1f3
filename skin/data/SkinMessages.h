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

// Private window messages of the skinned frame, its menus and controls.
constexpr unsigned WM_CLOSESKINMENU = 1228;         // menu engine -> form and opener: the menu closed
constexpr unsigned WM_AFTERDISPATCH = 1229;         // menu engine -> opener: a menu command ran
constexpr unsigned WM_MDICHILDMAX = 1230;           // to each MDI child: fit a maximized child
constexpr unsigned WM_MDICHILDMAXIMIZED = 1231;     // MDI child -> main form
constexpr unsigned WM_MDICHILDRESTORED = 1232;      // MDI child -> main form
constexpr unsigned WM_CHECKPARENTBG = 1284;         // to child controls: re-check the parent background
constexpr unsigned WM_SHOWLAYER = 1424;             // posted by a skinned button to itself
constexpr unsigned WM_HIDELAYER = 1425;
constexpr unsigned WM_SHOWMAINFORMFROMTRAY = 1426;  // posted by the tray icon to the main form
constexpr unsigned WM_TRAYICONNOTIFY = 2048;        // the tray icon's callback message
constexpr unsigned WM_QUERYSKINFRAME = 0xB1B2;      // answered by a form's frame
constexpr unsigned WM_BEGINSMARTEFFECTS = 0xB1B3;
constexpr unsigned WM_ENDSMARTEFFECTS = 0xB1B4;
constexpr unsigned WM_PRINTSKINHEADER = 0xB1C8;     // answered by the list view
constexpr unsigned WM_PRINTSKINFRAME = 0xB1C9;      // paint the frame into the DC in wParam
constexpr unsigned WM_PRINTSKINFRAMEEX = 0xBC4B;    // the same, only with lParam PRINTSKINFRAMEEX_KEY
constexpr unsigned WM_PRINTLISTBACKGROUND = 0xBC4A; // an empty list paints its background into wParam

// Answers of the frame's private messages.
constexpr long QUERYSKINFRAME_SKINNABLE = 0x3235;
constexpr long QUERYSKINFRAME_PLAIN = 0x3234;
constexpr long PRINTSKINFRAME_DONE = 0x3233;
constexpr long PRINTSKINFRAMEEX_KEY = 0x41A2;
