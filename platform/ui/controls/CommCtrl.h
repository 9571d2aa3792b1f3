#pragma once
#include <string>
#include "platform/ui/Messages.h"
#include "platform/ui/WinTypes.h"

// Messages, styles and records of the common widgets (header, list view,
// tree view, tab control). The numbers keep their classic values because
// the skinned controls send several of them as literals.

// A notification sent to the parent as WM_NOTIFY with a pointer to a record
// that starts with this header.
struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    int code = 0;
};

// The whole thumb position of a WM_VSCROLL / WM_HSCROLL whose high word
// holds only its low 16 bits: the bar's track or current position when they
// agree with it (ranges past 65535), else the word itself.
inline int ThumbPosition(const SCROLLINFO& si, WORD thumb)
{
    if ((si.nTrackPos & 0xFFFF) == thumb)
        return si.nTrackPos;
    if ((si.nPos & 0xFFFF) == thumb)
        return si.nPos;
    return thumb;
}

// Where a WM_VSCROLL / WM_HSCROLL with WParam asks a view now at Pos to go,
// Line units a line and the bar's page a page; false for a code that moves
// nothing (SB_ENDSCROLL).
inline bool RequestedScrollPosition(const SCROLLINFO& si, WPARAM WParam, int Pos, int Line, int& NewPos)
{
    const int page = int(si.nPage) > 1 ? int(si.nPage) : 1;
    switch (LOWORD(WParam)) {
    case SB_LINEUP: NewPos = Pos - Line; return true;
    case SB_LINEDOWN: NewPos = Pos + Line; return true;
    case SB_PAGEUP: NewPos = Pos - page; return true;
    case SB_PAGEDOWN: NewPos = Pos + page; return true;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: NewPos = ThumbPosition(si, HIWORD(WParam)); return true;
    case SB_TOP: NewPos = si.nMin; return true;
    case SB_BOTTOM: NewPos = si.nMax; return true;
    default: return false;
    }
}

// ------------------------------------------------------------------ header

inline const char* const WC_HEADER = "SysHeader32";

constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;
constexpr UINT HDM_LAYOUT = HDM_FIRST + 5;
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
constexpr UINT HDM_SETIMAGELIST = HDM_FIRST + 8;
constexpr UINT HDM_GETIMAGELIST = HDM_FIRST + 9;
constexpr UINT HDM_INSERTITEM = HDM_FIRST + 10;
constexpr UINT HDM_GETITEM = HDM_FIRST + 11;
constexpr UINT HDM_SETITEM = HDM_FIRST + 12;
constexpr UINT HDM_ORDERTOINDEX = HDM_FIRST + 15;
constexpr UINT HDM_GETORDERARRAY = HDM_FIRST + 17;
constexpr UINT HDM_SETORDERARRAY = HDM_FIRST + 18;

constexpr DWORD HDS_HORZ = 0x0000;
constexpr DWORD HDS_BUTTONS = 0x0002;
constexpr DWORD HDS_HIDDEN = 0x0008;
constexpr DWORD HDS_DRAGDROP = 0x0040;
constexpr DWORD HDS_FULLDRAG = 0x0080;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr UINT HDI_IMAGE = 0x0020;
constexpr UINT HDI_ORDER = 0x0080;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_STRING = 0x4000;

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
constexpr UINT HHT_ONDIVOPEN = 0x0008;
constexpr UINT HHT_ABOVE = 0x0100;
constexpr UINT HHT_BELOW = 0x0200;
constexpr UINT HHT_TORIGHT = 0x0400;
constexpr UINT HHT_TOLEFT = 0x0800;

constexpr int HDN_FIRST = -300;
constexpr int HDN_BEGINDRAG = HDN_FIRST - 10;
constexpr int HDN_ENDDRAG = HDN_FIRST - 11;
constexpr int HDN_ITEMCHANGING = HDN_FIRST - 20;
constexpr int HDN_ITEMCHANGED = HDN_FIRST - 21;
constexpr int HDN_ITEMCLICK = HDN_FIRST - 22;
constexpr int HDN_DIVIDERDBLCLICK = HDN_FIRST - 25;
constexpr int HDN_BEGINTRACK = HDN_FIRST - 26;
constexpr int HDN_ENDTRACK = HDN_FIRST - 27;
constexpr int HDN_TRACK = HDN_FIRST - 28;

// One header section. Text is UTF-8; Image is an index into the header's
// image list (HDM_SETIMAGELIST, a TImageList*).
struct HDITEM {
    UINT mask = 0;
    int cxy = 0;
    std::string pszText;
    int fmt = HDF_LEFT | HDF_STRING;
    LPARAM lParam = 0;
    int iImage = -1;
    int iOrder = -1;
};

// HDM_HITTEST: pt in header client coordinates in; flags (HHT_*) and the
// item out. The answer is the item, -1 when none.
struct HDHITTESTINFO {
    TPoint pt;
    UINT flags = 0;
    int iItem = -1;
};

// HDM_LAYOUT: the header takes its height off the top of *prc and answers
// its own place in *pwpos.
struct HDLAYOUT {
    TRect* prc = nullptr;
    WINDOWPOS* pwpos = nullptr;
};

// Header notifications: the item, the button (0 left) and, for the change
// and track codes, the proposed item (the parent may lower cxy).
struct NMHEADER {
    NMHDR hdr;
    int iItem = -1;
    int iButton = 0;
    HDITEM* pitem = nullptr;
};

// --------------------------------------------------------------- list view

constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;
constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
constexpr UINT LVM_REDRAWITEMS = LVM_FIRST + 21;
constexpr UINT LVM_GETEDITCONTROL = LVM_FIRST + 24;
constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
constexpr UINT LVM_GETORIGIN = LVM_FIRST + 41;
constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
constexpr UINT LVM_SETITEMCOUNT = LVM_FIRST + 47;
constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
constexpr UINT LVM_GETSUBITEMRECT = LVM_FIRST + 56;
constexpr UINT LVM_SETCOLUMNORDERARRAY = LVM_FIRST + 58;
constexpr UINT LVM_GETCOLUMNORDERARRAY = LVM_FIRST + 59;
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
constexpr UINT LVM_EDITLABEL = LVM_FIRST + 118;
constexpr UINT LVM_CANCELEDITLABEL = LVM_FIRST + 179;

// LVM_SETEXTENDEDLISTVIEWSTYLE: wParam the bits to change (0: all), lParam
// their new values; answers the previous style.
constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x0010;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;

// LVM_SETIMAGELIST wParam; lParam is a TImageList* (null removes the list).
constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;

// LVM_GETITEMRECT / LVM_GETSUBITEMRECT: the code goes in the Left of the
// rectangle (and the sub-item in its Top), the answer replaces it.
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVIR_SELECTBOUNDS = 3;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMICON = 0x0002;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;
constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;
constexpr UINT LVHT_ABOVE = 0x0008;
constexpr UINT LVHT_BELOW = 0x0010;
constexpr UINT LVHT_TORIGHT = 0x0020;
constexpr UINT LVHT_TOLEFT = 0x0040;

struct LVHITTESTINFO {
    TPoint pt;
    UINT flags = 0;
    int iItem = -1;
    int iSubItem = 0;
};

// LVM_SETITEMSTATE / LVM_GETITEMSTATE: the bits in stateMask are set to state.
struct LVITEMSTATE {
    UINT state = 0;
    UINT stateMask = 0;
};

// --------------------------------------------------------------- tree view

class TTreeNode;
using HTREEITEM = TTreeNode*;

constexpr UINT TV_FIRST = 0x1100;
constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
constexpr UINT TVM_EXPAND = TV_FIRST + 2;
constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;
constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
constexpr UINT TVM_GETIMAGELIST = TV_FIRST + 8;
constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
constexpr UINT TVM_GETEDITCONTROL = TV_FIRST + 15;
constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
constexpr UINT TVM_HITTEST = TV_FIRST + 17;
constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
constexpr UINT TVM_SORTCHILDRENCB = TV_FIRST + 21;
constexpr UINT TVM_ENDEDITLABELNOW = TV_FIRST + 22;
constexpr UINT TVM_GETITEMHEIGHT = TV_FIRST + 28;
constexpr UINT TVM_EDITLABEL = TV_FIRST + 65;

// TVM_SETIMAGELIST wParam; lParam is a TImageList*.
constexpr int TVSIL_NORMAL = 0;
constexpr int TVSIL_STATE = 2;

constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;

constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_CARET = 0x0009;
constexpr UINT TVGN_LASTVISIBLE = 0x000A;

constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

struct TVHITTESTINFO {
    TPoint pt;
    UINT flags = 0;
    HTREEITEM hItem = nullptr;
};

// TVM_GETITEMRECT: wParam true for the text only; lParam points to this.
struct TVITEMRECT {
    HTREEITEM hItem = nullptr;
    TRect rc;
};

// TVM_SORTCHILDRENCB: the children of hParent sorted by the comparison.
using PFNTVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
struct TVSORTCB {
    HTREEITEM hParent = nullptr;
    PFNTVCOMPARE lpfnCompare = nullptr;
    LPARAM lParam = 0;
};

// ------------------------------------------------------------- tab control

constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETIMAGELIST = TCM_FIRST + 2;
constexpr UINT TCM_SETIMAGELIST = TCM_FIRST + 3;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
constexpr UINT TCM_SETITEMSIZE = TCM_FIRST + 41;
constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;

constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEMICON = 0x0002;
constexpr UINT TCHT_ONITEMLABEL = 0x0004;
constexpr UINT TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;

struct TCHITTESTINFO {
    TPoint pt;
    UINT flags = 0;
};
