#pragma once
#include "platform/ui/controls/CommCtrl.h"

class TFont;

// The column header window class "SysHeader32": a row of sections in a
// display order, answering the HDM_* messages (CommCtrl.h) and telling its
// parent about clicks and divider drags with WM_NOTIFY (HDN_*).
//
// Any window may create one by its class name once the class is
// registered. Its procedure can be replaced (subclassed) like any other;
// the state lives beside the window, so the replaced procedure keeps
// answering through CallWindowProc.
//
// Behaviour worth knowing:
// - Sections are laid out from x = 0 in display order (HDM_SETORDERARRAY);
//   a section of width 0 takes no room and is not drawn.
// - HDM_HITTEST reports HHT_ONDIVIDER within 4 pixels of a section's right
//   edge. Where several dividers meet (sections of width 0 after a visible
//   one), the last section that has a width wins; only when all of them
//   are empty is the last one answered, with HHT_ONDIVOPEN.
// - Dragging a divider sends HDN_BEGINTRACK (a non-zero answer refuses),
//   HDN_TRACK, then HDN_ITEMCHANGING with the proposed width in pitem->cxy
//   (the parent may lower it, or refuse with a non-zero answer) and
//   HDN_ITEMCHANGED; with HDS_FULLDRAG on every move, otherwise once at the
//   release, followed by HDN_ENDTRACK.
// - With HDS_BUTTONS a section is pressed by the left button and a release
//   over it sends HDN_ITEMCLICK.
// - With HDS_DRAGDROP a section pulled sideways by more than a few pixels
//   starts a drag: HDN_BEGINDRAG (a non-zero answer refuses), then at the
//   release HDN_ENDDRAG with the proposed display position in
//   pitem->iOrder (a non-zero answer keeps the old order). The section goes
//   to the position of the section under the pointer; then HDN_ITEMCHANGED
//   with HDI_ORDER tells the parent the order changed. A drag sends no
//   HDN_ITEMCLICK.
// - WM_SETFONT takes a const TFont* in lParam and copies it.
void RegisterHeaderClass();

// The height a header needs for a font (text plus margins).
int HeaderHeightFor(const TFont& font);
