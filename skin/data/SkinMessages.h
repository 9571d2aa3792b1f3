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
