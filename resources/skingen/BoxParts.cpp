#include <algorithm>
#include "resources/skingen/Parts.h"

namespace {

constexpr int BarSize = 16;   // thickness of the scroll bars

void WriteBase(TIniSection& s, int Sheet, const TRect& SkinRect)
{
    s.Int("pictureindex", Sheet);
    s.Int("maskpictureindex", -1);
    s.Rect("skinrect", SkinRect);
}

void WriteCorners(TIniSection& s, TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& Client, bool Stretch = true)
{
    s.Point("lefttoppoint", LT);
    s.Point("righttoppoint", RT);
    s.Point("leftbottompoint", LB);
    s.Point("rightbottompoint", RB);
    s.Rect("clientrect", Client);
    for (const char* key : {"leftstretch", "topstretch", "rightstretch", "bottomstretch", "stretcheffect"})
        s.Bool(key, Stretch);
    s.Text("stretchtype", "stfull");
}

// A framed white box (lists) with its four-pixel corners.
void WriteBoxCorners(TIniSection& s, const TRect& Cell, const TRect& Client)
{
    const int w = Cell.Width(), h = Cell.Height();
    WriteCorners(s, Point(4, 4), Point(w - 4, 4), Point(4, h - 4), Point(w - 4, h - 4), Client);
}

// One-line boxes (edits, combo box) keep the skin's height and grow across
// only, so their drop and ellipsis buttons are never stretched out of shape.
void WriteLineCorners(TIniSection& s, int Left, int Right, const TRect& Client)
{
    WriteCorners(s, Point(Left, 4), Point(Right, 4), Point(0, 0), Point(0, 0), Client);
}

// Boxes follow the skin's roundness within their 4-pixel corner bands.
double BoxRadius(const TPalette& P)
{
    return std::clamp(P.Radius * 0.7, 1.0, 4.0);
}

TRect DrawBox(TSheet& sheet, int w, int h, TRgb Border, TRgb Fill, const TPalette& P)
{
    const TRect c = sheet.Place(w, h);
    sheet.Art().Fill(c, P.Face);
    sheet.Art().RoundBox(c, BoxRadius(P), Border, Fill, Fill);
    return c;
}

// One step button of a scroll bar or up-down: a rounded hover face and a chevron.
void DrawStepButton(TArt& art, const TRect& c, int Direction, TFaceState st, TRgb Under, const TPalette& P)
{
    art.Fill(c, Under);
    if (st == fsHover)
        art.FillRoundRect(Inset(c, 1, 1), 2.5, P.Divider);
    else if (st == fsDown)
        art.FillRoundRect(Inset(c, 1, 1), 2.5, P.Thumb);
    const TRgb g = st == fsDisabled ? P.GlyphDisabled : (st == fsDown ? P.Text : P.Glyph);
    DrawTriangle(art, c.Left + c.Width() / 2.0, c.Top + c.Height() / 2.0, Direction, 7, g);
}

TRect DrawStepCell(TSheet& sheet, int w, int h, int Direction, TFaceState st, TRgb Under, const TPalette& P)
{
    const TRect c = sheet.Place(w, h);
    DrawStepButton(sheet.Art(), c, Direction, st, Under, P);
    return c;
}

// Scroll bars. The skin rect holds the bar at rest: the decreasing button,
// the track and the increasing button (and for the both-bars kind the
// corner square). The step buttons are the bar's ends, kept out of the
// stretched middle.
void AddScrollBar(TSkinParts& S, const std::string& Name, bool Vertical, bool Corner)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Lists;
    TArt& art = sheet.Art();
    const int len = 100, extra = Corner ? BarSize : 0;
    const TRect cell = Vertical ? sheet.Place(BarSize, len) : sheet.Place(len + extra, BarSize);
    art.Fill(cell, P.Track);
    // Step buttons: "up" is the increasing end (right, bottom), as the bar counts.
    const int dec = Vertical ? 0 : 3, inc = Vertical ? 2 : 1;
    const TRect decPlace = Vertical ? Rect(0, 0, BarSize, BarSize) : Rect(0, 0, BarSize, BarSize);
    const TRect incPlace =
        Vertical ? Rect(0, len - BarSize, BarSize, len) : Rect(len - BarSize, 0, len, BarSize);
    DrawStepButton(art, decPlace.Offsetted(cell.Left, cell.Top), Vertical ? 0 : 3, fsNormal, P.Track, P);
    DrawStepButton(art, incPlace.Offsetted(cell.Left, cell.Top), Vertical ? 2 : 1, fsNormal, P.Track, P);
    if (Corner)
        art.Fill(Rect(cell.Right - BarSize, cell.Top, cell.Right, cell.Bottom), P.Face);

    const TRect incHot = DrawStepCell(sheet, BarSize, BarSize, inc, fsHover, P.Track, P);
    const TRect incDown = DrawStepCell(sheet, BarSize, BarSize, inc, fsDown, P.Track, P);
    const TRect decHot = DrawStepCell(sheet, BarSize, BarSize, dec, fsHover, P.Track, P);
    const TRect decDown = DrawStepCell(sheet, BarSize, BarSize, dec, fsDown, P.Track, P);

    // The thumb: a pill across the middle of the track; its caps stay, its middle stretches.
    const int tl = 30;
    const TRgb fills[] = {P.Thumb, P.ThumbHover, P.ThumbDown};
    TRect thumbs[3];
    for (int i = 0; i < 3; ++i) {
        thumbs[i] = Vertical ? sheet.Place(BarSize, tl) : sheet.Place(tl, BarSize);
        art.Fill(thumbs[i], P.Track);
        art.FillRoundRect(Vertical ? Inset(thumbs[i], 4, 1) : Inset(thumbs[i], 1, 4), 4, fills[i]);
    }

    TIniSection& s = S.Skin.AddControl(Name, "scrollbar");
    WriteBase(s, S.Skin.SheetIndex(sheet), cell);
    if (Vertical)
        WriteCorners(s, Point(0, BarSize), Point(0, 0), Point(0, len - BarSize - 1), Point(0, 0),
                     Rect(0, BarSize, BarSize, len - BarSize));
    else
        WriteCorners(s, Point(BarSize, 0), Point(len - BarSize - 1, 0), Point(0, 0), Point(0, 0),
                     Rect(BarSize, 0, len - BarSize, BarSize));
    s.Rect("trackarea", Vertical ? Rect(0, BarSize, BarSize, len - BarSize) : Rect(BarSize, 0, len - BarSize, BarSize));
    s.Rect("upbuttonrect", incPlace);
    s.Rect("activeupbuttonrect", incHot);
    s.Rect("downupbuttonrect", incDown);
    s.Rect("downbuttonrect", decPlace);
    s.Rect("activedownbuttonrect", decHot);
    s.Rect("downdownbuttonrect", decDown);
    s.Rect("thumbrect", thumbs[0]);
    s.Rect("activethumbrect", thumbs[1]);
    s.Rect("downthumbrect", thumbs[2]);
    s.Int("thumboffset1", 6);
    s.Int("thumboffset2", 6);
    s.Bool("thumbtransparent", false);
    s.Color("thumbtransparentcolor", KeyRgb);
    s.Bool("thumbstretcheffect", true);
    s.Int("thumbminsize", 20);
    s.Int("thumbminpagesize", 0);
    s.Rect("glyphrect", Rect(0, 0, 0, 0));
    s.Bool("glyphtransparent", false);
    s.Color("glyphtransparentcolor", KeyRgb);
}

void AddUpDown(TSkinParts& S, const std::string& Name, bool Vertical)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    TArt& art = sheet.Art();
    const TRect cell = Vertical ? sheet.Place(16, 24) : sheet.Place(32, 16);
    // Up is the increasing button: the top one, or the right one across.
    const TRect up = Vertical ? Rect(0, 0, 16, 12) : Rect(16, 0, 32, 16);
    const TRect down = Vertical ? Rect(0, 12, 16, 24) : Rect(0, 0, 16, 16);
    const int upDir = Vertical ? 0 : 1, downDir = Vertical ? 2 : 3;
    art.Fill(cell, P.Face);
    art.RoundBox(cell, 2.5, P.ControlBorder, P.ButtonTop, P.ButtonBottom);
    if (Vertical)
        art.HLine(cell.Left + 1, cell.Right - 1, cell.Top + 12, P.Divider);
    else
        art.VLine(cell.Left + 16, cell.Top + 1, cell.Bottom - 1, P.Divider);
    DrawTriangle(art, cell.Left + up.Left + up.Width() / 2.0, cell.Top + up.Top + up.Height() / 2.0, upDir, 7, P.Glyph);
    DrawTriangle(art, cell.Left + down.Left + down.Width() / 2.0, cell.Top + down.Top + down.Height() / 2.0, downDir, 7,
                 P.Glyph);
    auto stateCell = [&](const TRect& place, int dir, bool pressed) {
        const TRect c = sheet.Place(place.Width(), place.Height());
        art.Fill(c, pressed ? P.ButtonDownTop : P.ButtonHoverTop);
        art.Frame(c, pressed ? P.AccentDark : P.Accent);
        DrawTriangle(art, c.Left + c.Width() / 2.0, c.Top + c.Height() / 2.0, dir, 7, pressed ? P.Text : P.Glyph);
        return c;
    };
    TIniSection& s = S.Skin.AddControl(Name, "updown");
    WriteBase(s, S.Skin.SheetIndex(sheet), cell);
    WriteCorners(s, Point(0, 0), Point(0, 0), Point(0, 0), Point(0, 0), Rect(0, 0, 0, 0), false);
    s.Rect("upbuttonrect", up);
    s.Rect("activeupbuttonrect", stateCell(up, upDir, false));
    s.Rect("downupbuttonrect", stateCell(up, upDir, true));
    s.Rect("downbuttonrect", down);
    s.Rect("activedownbuttonrect", stateCell(down, downDir, false));
    s.Rect("downdownbuttonrect", stateCell(down, downDir, true));
}

// Item pictures of lists: normal, selected, selected with focus.
struct TItemCells {
    TRect Normal, Active, Focus;
};
TItemCells DrawItems(TSheet& sheet, const TPalette& P)
{
    const auto cells = sheet.PlaceRow(40, 20, 3);
    sheet.Art().Fill(cells[0], P.Window);
    sheet.Art().Fill(cells[1], P.Window);
    sheet.Art().FillRoundRect(Inset(cells[1], 1, 0), BoxRadius(P), P.AccentSoft);
    sheet.Art().Fill(cells[2], P.Window);
    sheet.Art().FillRoundRect(Inset(cells[2], 1, 0), BoxRadius(P), P.Accent);
    return {cells[0], cells[1], cells[2]};
}

// TextRect is where an item's text lies inside the item's picture.
void WriteItems(TIniSection& s, const TItemCells& items, const TPalette& P, const TRect& TextRect = Rect(6, 0, 34, 20))
{
    s.Rect("itemrect", items.Normal);
    s.Rect("activeitemrect", items.Active);
    s.Rect("focusitemrect", items.Focus);
    s.Int("itemleftoffset", 4);
    s.Int("itemrightoffset", 4);
    s.Rect("itemtextrect", TextRect);
    s.Font(P.Text, false, 14);
}

void AddEdit(TSkinParts& S, const std::string& Name, bool WithButton)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    const int w = 100, h = 24;
    const TRect normal = DrawBox(sheet, w, h, P.ControlBorder, P.Window, P);
    const TRect active = DrawBox(sheet, w, h, P.Accent, P.Window, P);
    TIniSection& s = S.Skin.AddControl(Name, "edit");
    WriteBase(s, S.Skin.SheetIndex(sheet), normal);
    WriteLineCorners(s, 4, w - (WithButton ? 22 : 4), Rect(5, 4, w - (WithButton ? 22 : 5), h - 4));
    s.Rect("activeskinrect", active);
    s.Font(P.Text, false, 14);
    s.Color("disabledfontcolor", P.DisabledText);
    s.Color("activefontcolor", P.Text);
    if (!WithButton) {
        for (const char* key : {"buttonrect", "activebuttonrect", "downbuttonrect", "unenabledbuttonrect"})
            s.Rect(key, Rect(0, 0, 0, 0));
        return;
    }
    const TRect place = Rect(w - 20, 2, w - 2, h - 2);
    auto face = [&](TFaceState st) {
        const TRect c = sheet.Place(place.Width(), place.Height());
        TArt& art = sheet.Art();
        art.Fill(c, P.Window);
        if (st == fsHover)
            art.FillRoundRect(c, 2, P.AccentPale);
        else if (st == fsDown)
            art.FillRoundRect(c, 2, P.AccentSoft);
        const TRgb g = st == fsDisabled ? P.GlyphDisabled : P.Glyph;
        for (int i = 0; i < 3; ++i)   // an ellipsis: "choose ..."
            art.FillCircle(c.Left + 5.5 + i * 3.5, c.Top + c.Height() / 2.0, 1.1, g);
        return c;
    };
    // The normal face is part of the box itself.
    const TRect inBox = place.Offsetted(normal.Left, normal.Top);
    sheet.Art().Fill(inBox, P.Window);
    for (int i = 0; i < 3; ++i)
        sheet.Art().FillCircle(inBox.Left + 5.5 + i * 3.5, inBox.Top + inBox.Height() / 2.0, 1.1, P.Glyph);
    s.Rect("buttonrect", place);
    s.Rect("activebuttonrect", face(fsHover));
    s.Rect("downbuttonrect", face(fsDown));
    s.Rect("unenabledbuttonrect", face(fsDisabled));
}

// The multi-line edit: a list-like box that grows both ways.
void AddMemo(TSkinParts& S)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    const TRect normal = DrawBox(sheet, 60, 60, P.ControlBorder, P.Window, P);
    const TRect active = DrawBox(sheet, 60, 60, P.Accent, P.Window, P);
    TIniSection& s = S.Skin.AddControl("memo", "memo");
    WriteBase(s, S.Skin.SheetIndex(sheet), normal);
    WriteBoxCorners(s, normal, Rect(3, 3, 57, 57));
    s.Rect("activeskinrect", active);
    s.Font(P.Text, false, 14);
    s.Color("disabledfontcolor", P.DisabledText);
    s.Color("activefontcolor", P.Text);
    for (const char* key : {"buttonrect", "activebuttonrect", "downbuttonrect", "unenabledbuttonrect"})
        s.Rect(key, Rect(0, 0, 0, 0));
    s.Color("bgcolor", P.Window);
    s.Color("activebgcolor", P.Window);
}

void AddComboBox(TSkinParts& S, const TItemCells& items)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    const int w = 120, h = 24;
    const TRect place = Rect(w - 20, 2, w - 2, h - 2);
    auto arrowFace = [&](const TRect& c, TFaceState st) {
        TArt& art = sheet.Art();
        art.Fill(c, P.Window);
        if (st == fsHover)
            art.FillRoundRect(c, 2, P.AccentPale);
        else if (st == fsDown)
            art.FillRoundRect(c, 2, P.AccentSoft);
        DrawChevron(art, c.Left + c.Width() / 2.0, c.Top + c.Height() / 2.0, 2, 8,
                    st == fsDisabled ? P.GlyphDisabled : P.Glyph);
    };
    const TRect normal = DrawBox(sheet, w, h, P.ControlBorder, P.Window, P);
    arrowFace(place.Offsetted(normal.Left, normal.Top), fsNormal);
    const TRect active = DrawBox(sheet, w, h, P.Accent, P.Window, P);
    arrowFace(place.Offsetted(active.Left, active.Top), fsNormal);
    auto stateCell = [&](TFaceState st) {
        const TRect c = sheet.Place(place.Width(), place.Height());
        arrowFace(c, st);
        return c;
    };
    TIniSection& s = S.Skin.AddControl("combobox", "combobox");
    WriteBase(s, S.Skin.SheetIndex(sheet), normal);
    WriteLineCorners(s, 4, w - 22, Rect(4, 3, w - 22, h - 3));
    s.Rect("activeskinrect", active);
    // The item on the face keeps clear of the frame: a title over a picture
    // must not touch its top edge.
    WriteItems(s, items, P, Rect(6, 2, 34, 18));
    s.Color("focusfontcolor", P.HighlightText);
    s.Color("activefontcolor", P.Text);
    s.Rect("buttonrect", place);
    s.Rect("activebuttonrect", stateCell(fsHover));
    s.Rect("downbuttonrect", stateCell(fsDown));
    s.Rect("unenabledbuttonrect", stateCell(fsDisabled));
    s.Text("listboxname", "listbox");
    s.Bool("itemstretcheffect", true);
    s.Bool("focusitemstretcheffect", true);
    s.Bool("showfocus", false);
}

void AddListBox(TSkinParts& S, const TItemCells& items)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    const TRect frame = DrawBox(sheet, 60, 60, P.ControlBorder, P.Window, P);
    TIniSection& s = S.Skin.AddControl("listbox", "listbox");
    WriteBase(s, S.Skin.SheetIndex(sheet), frame);
    WriteBoxCorners(s, frame, Rect(2, 2, 58, 58));
    WriteItems(s, items, P);
    s.Color("activefontcolor", P.Text);
    s.Color("focusfontcolor", P.HighlightText);
    s.Rect("captionrect", Rect(0, 0, 0, 0));
    s.Font(P.Text, true, 14, "caption");
    for (const char* key : {"upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect",
                            "activedownbuttonrect", "downdownbuttonrect", "checkbuttonrect", "activecheckbuttonrect",
                            "downcheckbuttonrect"})
        s.Rect(key, Rect(0, 0, 0, 0));
    s.Text("vscrollbarname", "vscrollbar");
    s.Text("hscrollbarname", "hscrollbar");
    s.Text("bothhscrollbarname", "bothhscrollbar");
    s.Bool("showfocus", false);
    s.Rect("disabledbuttonsrect", Rect(0, 0, 0, 0));
    s.Rect("buttonsarea", Rect(0, 0, 0, 0));
}

// Slider: a rounded ruler and a round thumb, both drawn transparently (the
// bottom-left pixel of each is the key colour).
void AddSlider(TSkinParts& S)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Lists;
    TArt& art = sheet.Art();
    auto ruler = [&](bool Vertical) {
        const TRect c = Vertical ? sheet.Place(8, 60) : sheet.Place(60, 8);
        art.Fill(c, P.Face);
        art.FillRoundRect(Vertical ? Inset(c, 2, 0) : Inset(c, 0, 2), 2, P.Thumb);
        art.KeyOut(c, P.Face);
        art.SetPixel(c.Left, c.Bottom - 1, KeyRgb);
        return c;
    };
    auto thumb = [&]() {
        const TRect c = sheet.Place(32, 16);   // normal | pressed
        art.Fill(c, P.Face);
        art.FillCircle(c.Left + 8, c.Top + 8, 7.5, P.Accent);
        art.FillCircle(c.Left + 8, c.Top + 8, 5.5, P.Window);
        art.FillCircle(c.Left + 24, c.Top + 8, 7.5, P.AccentDark);
        art.FillCircle(c.Left + 24, c.Top + 8, 3, P.Window);
        art.KeyOut(c, P.Face);
        art.SetPixel(c.Left, c.Bottom - 1, KeyRgb);
        art.SetPixel(c.Left + 16, c.Bottom - 1, KeyRgb);
        return c;
    };
    TIniSection& s = S.Skin.AddControl("slider", "slider");
    WriteBase(s, S.Skin.SheetIndex(sheet), Rect(0, 0, 0, 0));
    s.Color("bgcolor", P.Face);
    s.Rect("hrulerrect", ruler(false));
    s.Rect("hthumbrect", thumb());
    s.Rect("vrulerrect", ruler(true));
    s.Rect("vthumbrect", thumb());
    s.Int("edgesize", 3);
    s.Color("pointscolor", P.Shadow);
}

void AddTextControl(TSkinParts& S, const std::string& Name, const std::string& Kind)
{
    TIniSection& s = S.Skin.AddControl(Name, Kind);
    s.Int("pictureindex", -1);
    s.Int("maskpictureindex", -1);
    s.Rect("skinrect", Rect(0, 0, 0, 0));
    s.Font(S.P.Text, false, 14);
    s.Color("bgcolor", S.P.Window);
}

}  // namespace

void BuildBoxes(TSkinParts& S)
{
    AddEdit(S, "edit", false);
    AddEdit(S, "buttonedit", true);
    AddMemo(S);
    const TItemCells items = DrawItems(S.Controls, S.P);
    AddComboBox(S, items);
    AddListBox(S, items);
    AddTextControl(S, "listview", "listview");
    AddTextControl(S, "treeview", "treeview");
    AddScrollBar(S, "hscrollbar", false, false);
    AddScrollBar(S, "vscrollbar", true, false);
    AddScrollBar(S, "bothhscrollbar", false, true);
    AddSlider(S);
    AddUpDown(S, "hupdown", false);
    AddUpDown(S, "vupdown", true);
}
