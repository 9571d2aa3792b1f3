#include "resources/skingen/Parts.h"
#include <algorithm>

namespace {

void WriteWindowCorners(TIniSection& s, int w, int h, int c)
{
    s.Point("lefttoppoint", Point(c, c));
    s.Point("righttoppoint", Point(w - c, c));
    s.Point("leftbottompoint", Point(c, h - c));
    s.Point("rightbottompoint", Point(w - c, h - c));
}

// Popup and hint windows take a whole framed picture each, with 4-pixel corners.
TIniSection& WindowSection(TSkinParts& S, const char* Section, const std::string& FileName, int w, int h,
                           TRgb Border, TRgb Fill)
{
    TSheet& sheet = S.Skin.AddSheet(FileName, w, Fill);
    const TRect cell = sheet.Place(w, h);
    sheet.Art().Fill(cell, Fill);
    sheet.Art().Frame(cell, Border);
    TIniSection& s = S.Skin.Section(Section);
    s.Int("windowpictureindex", S.Skin.SheetIndex(sheet));
    s.Int("maskpictureindex", -1);
    WriteWindowCorners(s, w, h, 4);
    return s;
}

void WriteStretch(TIniSection& s)
{
    for (const char* key : {"leftstretch", "rightstretch", "topstretch", "bottomstretch", "stretcheffect"})
        s.Bool(key, true);
    s.Text("stretchtype", "stfull");
}

// Marks of menu items: drawn on the item's own background, then that
// background becomes the key colour, so the anti-aliased edges blend toward
// what the mark is shown on and not toward the key colour.
TRect DrawMark(TSheet& sheet, int Kind, TRgb Color, TRgb Background)
{
    const TRect c = sheet.Place(12, 12);
    TArt& art = sheet.Art();
    art.Fill(c, Background);
    const double cx = c.Left + 6, cy = c.Top + 6;
    if (Kind == 0)
        DrawCheckMark(art, cx, cy, 9, Color, 1.6);
    else if (Kind == 1)
        art.FillCircle(cx, cy, 3, Color);
    else
        DrawChevron(art, cx, cy, 1, 8, Color);
    art.KeyOut(c, Background);
    art.SetPixel(c.Left, c.Bottom - 1, KeyRgb);
    return c;
}

void WriteObjectBase(TIniSection& s, int Sheet, const TRect& Normal, const TRect& Active)
{
    s.Text("hint", "");
    s.Int("activepictureindex", Sheet);
    s.Int("activemaskpictureindex", -1);
    s.Bool("skinrectinapicture", true);
    s.Rect("skinrect", Normal);
    s.Rect("activeskinrect", Active);
    s.Rect("inactiveskinrect", Rect(0, 0, 0, 0));
    s.Bool("morphing", true);
    s.Text("morphkind", "mkdefault");
    s.Int("glowlayerpictureindex", -1);
    s.Int("glowlayermaskpictureindex", -1);
    s.Int("glowlayeralphablendvalue", 255);
}

void BuildPopupWindow(TSkinParts& S)
{
    const TPalette& P = S.P;
    TIniSection& pw = WindowSection(S, "POPUPWINDOW", "popup.bmp", 40, 40, P.ControlBorder, P.Window);
    pw.Rect("itemsrect", Rect(3, 3, 37, 37));
    pw.Color("scrollmarkercolor", P.Glyph);
    pw.Color("scrollmarkeractivecolor", P.Accent);
    WriteStretch(pw);
}

void BuildHintWindow(TSkinParts& S)
{
    const TPalette& P = S.P;
    TIniSection& hw = WindowSection(S, "HINTWINDOW", "hint.bmp", 40, 28, P.Shadow, P.HintFace);
    hw.Rect("clientrect", Rect(6, 4, 34, 24));
    hw.Font(P.Text, false, 14);
    WriteStretch(hw);
}

// Popup menu items: a rounded highlight inside the white menu.
void BuildMenuItems(TSkinParts& S)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Lists;
    TArt& art = sheet.Art();
    const int idx = S.Skin.SheetIndex(sheet);
    const auto items = sheet.PlaceRow(60, 24, 2);
    art.Fill(items[0], P.Window);
    art.Fill(items[1], P.Window);
    art.FillRoundRect(Inset(items[1], 1, 1), std::min(P.Radius, 6.0), P.AccentSoft);
    const TRect divider = sheet.Place(60, 7);
    art.Fill(divider, P.Window);
    art.HLine(divider.Left, divider.Right, divider.Top + 3, P.Divider);

    TIniSection& mi = S.Skin.AddObject("menuitem", "menuitem");
    WriteObjectBase(mi, idx, items[0], items[1]);
    mi.Int("itemleftoffset", 5);
    mi.Int("itemrightoffset", 5);
    mi.Rect("dividerrect", divider);
    mi.Int("dividerleftoffset", 4);
    mi.Int("dividerrightoffset", 4);
    mi.Rect("textrect", Rect(6, 0, 56, 24));
    mi.Rect("imagerect", Rect(0, 0, 0, 0));
    mi.Font(P.Text, false, 14);
    mi.Color("activefontcolor", P.Text);
    mi.Color("unenabledfontcolor", P.DisabledText);
    mi.Bool("stretcheffect", true);
    mi.Bool("inactivestretcheffect", true);
    mi.Bool("dividerstretcheffect", true);
    mi.Int("framecount", 0);
    mi.Int("animateinterval", 25);
    mi.Rect("checkimagerect", DrawMark(sheet, 0, P.Accent, P.Window));
    mi.Rect("activecheckimagerect", DrawMark(sheet, 0, P.AccentDark, P.AccentSoft));
    mi.Rect("radioimagerect", DrawMark(sheet, 1, P.Accent, P.Window));
    mi.Rect("activeradioimagerect", DrawMark(sheet, 1, P.AccentDark, P.AccentSoft));
    mi.Rect("arrowimagerect", DrawMark(sheet, 2, P.Glyph, P.Window));
    mi.Rect("activearrowimagerect", DrawMark(sheet, 2, P.Text, P.AccentSoft));
}

// The menu bar: the tool colour with a divider under it; items light up
// like tool buttons.
void BuildMenuBar(TSkinParts& S)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Lists;
    TArt& art = sheet.Art();
    const int idx = S.Skin.SheetIndex(sheet);
    const TRect bar = sheet.Place(60, 26);
    art.Fill(bar, P.ToolFace);
    art.HLine(bar.Left, bar.Right, bar.Bottom - 1, P.Divider);
    const auto barItems = sheet.PlaceRow(40, 24, 3);
    for (int i = 0; i < 3; ++i) {
        art.Fill(barItems[i], P.ToolFace);
        if (i == 1)
            art.FillRoundRect(Inset(barItems[i], 0, 2), std::min(P.Radius, 6.0), P.AccentSoft);
        else if (i == 2)
            art.FillRoundRect(Inset(barItems[i], 0, 2), std::min(P.Radius, 6.0), P.AccentDown);
    }
    TIniSection& mb = S.Skin.AddControl("mainmenubar", "mainmenubar");
    mb.Int("pictureindex", idx);
    mb.Int("maskpictureindex", -1);
    mb.Rect("skinrect", bar);
    mb.Rect("itemsrect", Rect(2, 1, 58, 25));
    mb.Text("menubaritem", "menubaritem");
    mb.Text("closebutton", "menubarclosebutton");
    mb.Text("minbutton", "menubarminbutton");
    mb.Text("maxbutton", "menubarmaxbutton");
    mb.Text("sysmenubutton", "menubarsysmenubutton");
    BuildMenuBarButtons(S);
    mb.Color("trackmarkcolor", P.Glyph);
    mb.Color("trackmarkactivecolor", P.Accent);
    mb.Bool("stretcheffect", true);
    mb.Bool("itemtransparent", false);

    TIniSection& bi = S.Skin.AddObject("menubaritem", "mainmenubaritem");
    WriteObjectBase(bi, idx, barItems[0], barItems[1]);
    bi.Int("itemleftoffset", 5);
    bi.Int("itemrightoffset", 5);
    bi.Rect("downrect", barItems[2]);
    bi.Rect("textrect", Rect(6, 0, 34, 24));
    bi.Font(P.Text, false, 14);
    bi.Color("activefontcolor", P.Text);
    bi.Color("downfontcolor", P.Text);
    bi.Color("unenabledfontColor", P.DisabledText);
    bi.Bool("stretcheffect", true);
    bi.Int("framecount", 0);
    bi.Int("animateinterval", 25);
}

}  // namespace

void BuildMenus(TSkinParts& S)
{
    BuildPopupWindow(S);
    BuildHintWindow(S);
    BuildMenuItems(S);
    BuildMenuBar(S);
}
