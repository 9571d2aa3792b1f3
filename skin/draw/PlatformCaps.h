#pragma once

// What the platform offers the skin layer, decided once. Our platform is a
// modern one: the version tests answer "XP or later" and "Vista or later",
// the text API is the wide one, and only the plain pixel routines exist (no
// processor-specific blend, no transparent-blit entry point).

// Major 6, minor 1.
void GetWindowsVersion(int& Major, int& Minor);
bool IsWindowsVistaOrLater();
bool IsWindowsXPOrLater();
// True: text always goes through the wide-character path.
bool IsNTFamily();
// Windows with per-pixel alpha can be shown, as the window back end's
// capabilities say; every alpha feature (glow layers, layered borders, fades,
// translucent menus and forms) takes its plain path when they cannot.
bool CanUseLayeredWindows();
// No processor-specific routines: the plain blend is the only one.
bool CPUHasMMX();
void ClearMMXState();
bool TransparentBltAvailable();
