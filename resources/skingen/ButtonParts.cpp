#include "resources/skingen/Parts.h"
#include <algorithm>

namespace {

// How a button family looks at rest: raised with a border, or flat on its bar.
enum TButtonStyle { bsPush, bsTool, bsDrop };

void DrawButtonFace(TArt& art, const TRect& c, TFaceState st, TButtonStyle style, const TPalette& P)
{
    const double radius = style == bsDrop ? std::min(2.0, P.Radius) : P.Radius;
    const TRgb under = style == bsTool ? P.ToolFace : (style == bsDrop ? P.Window : P.Face);
    art.Fill(c, under);
    if (style == bsTool) {
        // At rest a tool is a light raised tile, so every tool reads as a
        // button; the mouse lights it up and a press sinks it. A disabled tool
        // is flat on its bar: no border, no swell, only its greyed content.
        switch (st) {
        case fsNormal: art.RoundBox(c, radius, Mix(P.ToolFace, P.ControlBorder, 0.6), P.ButtonTop, P.ButtonBottom); break;
        case fsHover: art.RoundBox(c, radius, P.Accent, P.ButtonHoverTop, P.ButtonHoverBottom); break;
        case fsDown: art.RoundBox(c, radius, P.AccentDark, P.ButtonDownTop, P.ButtonDownBottom); break;
        case fsFocused:   // a double accent ring on the bar's own colour
            art.RoundBox(c, radius, P.Accent, P.ToolFace, P.ToolFace);
            art.StrokeRoundRect(Inset(c, 1, 1), radius - 1, P.Accent);
            break;
        case fsDisabled: break;   // flat: the bar shows through
        }
        return;
    }
    TRect f = c;
    if (P.SoftShadow && style == bsPush) {
        // Raised faces stand one pixel above a blurred shadow; pressed ones sink into it.
        if (st == fsDown) {
            f.Top += 1;
        } else {
            art.FillRoundRect(Rect(c.Left, c.Top + 1, c.Right, c.Bottom), radius, P.Shadow, 0.55);
            art.FillRoundRect(Rect(c.Left + 1, c.Top + 2, c.Right - 1, c.Bottom), radius, P.Shadow, 0.35);
            f.Bottom -= 1;
        }
    }
    switch (st) {
    case fsNormal: art.RoundBox(f, radius, P.ControlBorder, P.ButtonTop, P.ButtonBottom); break;
    case fsHover: art.RoundBox(f, radius, P.Accent, P.ButtonHoverTop, P.ButtonHoverBottom); break;
    case fsDown: art.RoundBox(f, radius, P.AccentDark, P.ButtonDownTop, P.ButtonDownBottom); break;
    case fsFocused:
        art.RoundBox(f, radius, P.Accent, P.ButtonTop, P.ButtonBottom);
        art.StrokeRoundRect(Inset(f, 1, 1), radius - 1, P.Accent, 0.35);
        break;
    case fsDisabled: art.RoundBox(f, radius, P.ControlBorderDisabled, P.ButtonDisabled, P.ButtonDisabled); break;
    }
}

struct TButtonCells {
    TRect Normal, Hover, Down, Focused, Disabled;
};

TButtonCells DrawButtonCells(TSheet& sheet, int w, int h, TButtonStyle style, const TPalette& P)
{
    const auto cells = sheet.PlaceRow(w, h, 5);
    for (int i = 0; i < 5; ++i)
        DrawButtonFace(sheet.Art(), cells[i], TFaceState(i), style, P);
    return {cells[0], cells[1], cells[2], cells[3], cells[4]};
}

// Base and nine-slice keys of a control; Corner is the fixed border band.
// RightBand is the width of the fixed right band (0: as wide as CornerX).
void WriteNineSlice(TIniSection& s, int Sheet, const TRect& SkinRect, int CornerX, int CornerY, const TRect& Client,
                    bool Stretch = true, int RightBand = 0)
{
    const int w = SkinRect.Width(), h = SkinRect.Height();
    const int right = w - (RightBand > 0 ? RightBand : CornerX);
    s.Int("pictureindex", Sheet);
    s.Int("maskpictureindex", -1);
    s.Rect("skinrect", SkinRect);
    s.Point("lefttoppoint", Point(CornerX, CornerY));
    s.Point("righttoppoint", Point(right, CornerY));
    s.Point("leftbottompoint", Point(CornerX, h - CornerY));
    s.Point("rightbottompoint", Point(right, h - CornerY));
    s.Rect("clientrect", Client);
    for (const char* key : {"leftstretch", "topstretch", "rightstretch", "bottomstretch", "stretcheffect"})
        s.Bool(key, Stretch);
    s.Text("stretchtype", "stfull");
}

struct TMarkerCells {
    TRect Flat, Normal, Active, Down;
};

void WriteButton(TIniSection& s, int Sheet, const TButtonCells& c, const TPalette& P, int Corner,
                 const TMarkerCells* Marker = nullptr, int RightBand = 0)
{
    const int w = c.Normal.Width(), h = c.Normal.Height();
    const int right = w - (RightBand > 0 ? RightBand : Corner);
    WriteNineSlice(s, Sheet, c.Normal, Corner, Corner, Rect(Corner, Corner, right, h - Corner), true, RightBand);
    s.Font(P.Text);
    s.Color("activefontcolor", P.Text);
    s.Color("downfontcolor", P.Text);
    s.Color("disabledfontcolor", P.DisabledText);
    s.Rect("activeskinrect", c.Hover);
    s.Rect("downskinrect", c.Down);
    s.Rect("focusedskinrect", c.Focused);
    s.Rect("disabledskinrect", c.Disabled);
    s.Bool("morphing", true);
    s.Text("morphkind", "mkdefault");
    s.Int("framecount", 0);
    s.Int("animateinterval", 25);
    s.Bool("showfocus", false);
    if (Marker) {
        s.Rect("menumarkerflatrect", Marker->Flat);
        s.Rect("menumarkerrect", Marker->Normal);
        s.Rect("menumarkeractiverect", Marker->Active);
        s.Rect("menumarkerdownrect", Marker->Down);
        s.Color("menumarkertransparentcolor", KeyRgb);
    }
    s.Int("glowlayerpictureindex", -1);
    s.Int("glowlayermaskpictureindex", -1);
    s.Int("glowlayeralphablendvalue", 255);
}

// Small drop-down markers, drawn transparently by the buttons: each on the
// face it is shown on (flat, normal, hover, down), then that face is keyed
// out, so the anti-aliased edges blend toward the face, not the key colour.
TMarkerCells DrawMarkers(TSheet& sheet, const TPalette& P)
{
    const auto cells = sheet.PlaceRow(9, 9, 4);
    const TRgb colors[] = {P.SubtleText, P.Glyph, P.AccentDark, P.AccentDark};
    const TRgb faces[] = {P.ToolFace, P.ButtonBottom, P.ButtonHoverBottom, P.ButtonDownBottom};
    for (int i = 0; i < 4; ++i) {
        sheet.Art().Fill(cells[i], faces[i]);
        sheet.Art().FillPolygon({{cells[i].Left + 1.0, cells[i].Top + 3.0},
                                 {cells[i].Left + 8.0, cells[i].Top + 3.0},
                                 {cells[i].Left + 4.5, cells[i].Top + 6.5}},
                                colors[i]);
        sheet.Art().KeyOut(cells[i], faces[i]);
        sheet.Art().SetPixel(cells[i].Left, cells[i].Bottom - 1, KeyRgb);
    }
    return {cells[0], cells[1], cells[2], cells[3]};
}

// Check and radio images: drawn on the face colour, then the untouched
// face pixels become the key colour (the bottom-left pixel stays keyed).
enum TMark { mkNone, mkCheck, mkGrayed };
TRect DrawCheckImage(TSheet& sheet, bool Radio, TMark Mark, bool Hot, bool Enabled, const TPalette& P)
{
    constexpr int Size = 16;
    const TRect cell = sheet.Place(Size, Size);
    TArt& art = sheet.Art();
    art.Fill(cell, P.Face);
    const TRect box = Inset(cell, 1, 1);
    const double cx = box.Left + box.Width() / 2.0, cy = box.Top + box.Height() / 2.0;
    const bool filled = Mark != mkNone && !Radio;
    TRgb border = !Enabled ? P.ControlBorderDisabled : (Hot || filled ? P.Accent : P.ControlBorder);
    if (filled && Hot)
        border = P.AccentDark;
    const TRgb fill = !Enabled ? P.ButtonDisabled : (filled ? border : (Hot ? P.AccentPale : P.Window));
    if (Radio) {
        art.FillCircle(cx, cy, 7, border);
        art.FillCircle(cx, cy, 6, Enabled && Mark != mkNone ? P.Window : fill);
        if (Mark == mkCheck)
            art.FillCircle(cx, cy, 3.5, Enabled ? (Hot ? P.AccentDark : P.Accent) : P.GlyphDisabled);
        else if (Mark == mkGrayed)
            art.FillCircle(cx, cy, 3, P.GlyphDisabled);
    } else {
        art.RoundBox(box, std::min(3.0, P.Radius), border, fill, fill);
        // Light fills (the hot box of the dark look) take the dark window colour for their mark.
        const TRgb mark = !Enabled ? P.GlyphDisabled
                          : ContrastRatio(P.HighlightText, fill) >= 3 ? P.HighlightText : P.Window;
        if (Mark == mkCheck)
            DrawCheckMark(art, cx, cy, 8, mark, 1.7);
        else if (Mark == mkGrayed)
            art.Fill(Rect(int(cx) - 3, int(cy) - 1, int(cx) + 3, int(cy) + 1), mark);
    }
    art.KeyOut(cell, P.Face);
    return cell;
}

void AddCheckRadio(TSkinParts& S, const std::string& Name, bool Radio)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    const int idx = S.Skin.SheetIndex(sheet);
    // The element itself is a plain strip of the face colour: the mark and
    // the text lie on the dialog like everything else.
    const TRect face = sheet.Place(120, 20);
    sheet.Art().Fill(face, P.Face);
    TIniSection& s = S.Skin.AddControl(Name, "checkradio");
    s.Int("pictureindex", idx);
    s.Int("maskpictureindex", -1);
    s.Rect("skinrect", face);
    s.Point("lefttoppoint", Point(22, 0));
    s.Point("righttoppoint", Point(116, 0));
    s.Point("leftbottompoint", Point(0, 0));
    s.Point("rightbottompoint", Point(0, 0));
    s.Rect("clientrect", Rect(22, 0, 116, 20));
    for (const char* key : {"leftstretch", "topstretch", "rightstretch", "bottomstretch", "stretcheffect"})
        s.Bool(key, true);
    s.Text("stretchtype", "stfull");
    s.Font(P.Text, false, 14);
    s.Color("framefontcolor", P.Text);
    s.Color("activefontcolor", P.Text);
    s.Color("unenabledfontcolor", P.DisabledText);
    s.Rect("activeskinrect", face);
    s.Rect("checkimagearea", Rect(0, 0, 20, 20));
    s.Rect("textarea", Rect(22, 0, 118, 20));
    s.Rect("checkimagerect", DrawCheckImage(sheet, Radio, mkCheck, false, true, P));
    s.Rect("uncheckimagerect", DrawCheckImage(sheet, Radio, mkNone, false, true, P));
    s.Rect("activecheckimagerect", DrawCheckImage(sheet, Radio, mkCheck, true, true, P));
    s.Rect("activeuncheckimagerect", DrawCheckImage(sheet, Radio, mkNone, true, true, P));
    s.Rect("unenabledcheckimagerect", DrawCheckImage(sheet, Radio, mkCheck, false, false, P));
    s.Rect("unenableduncheckimagerect", DrawCheckImage(sheet, Radio, mkNone, false, false, P));
    s.Rect("grayedcheckimagerect", DrawCheckImage(sheet, Radio, mkGrayed, false, true, P));
    s.Rect("activegrayedcheckimagerect", DrawCheckImage(sheet, Radio, mkGrayed, true, true, P));
    s.Bool("morphing", false);
    s.Text("morphkind", "mkdefault");
}

}  // namespace

void BuildButtons(TSkinParts& S)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    const int idx = S.Skin.SheetIndex(sheet);

    const TButtonCells push = DrawButtonCells(sheet, 60, 26, bsPush, P);
    WriteButton(S.Skin.AddControl("button", "button"), idx, push, P, 5);
    WriteButton(S.Skin.AddControl("resizebutton", "button"), idx, push, P, 5);

    const TButtonCells tool = DrawButtonCells(sheet, 40, 40, bsTool, P);
    WriteButton(S.Skin.AddControl("resizetoolbutton", "button"), idx, tool, P, 5);
    WriteButton(S.Skin.AddControl("toolbutton", "button"), idx, tool, P, 5);
    // Faces of controls the program does not place today, cheap to offer.
    for (const char* name : {"bigtoolbutton", "officequickbutton", "menuitembutton"})
        WriteButton(S.Skin.AddControl(name, "button"), idx, tool, P, 5);

    const TButtonCells drop = DrawButtonCells(sheet, 18, 20, bsDrop, P);
    WriteButton(S.Skin.AddControl("editbutton", "button"), idx, drop, P, 4);
    WriteButton(S.Skin.AddControl("combobutton", "button"), idx, drop, P, 4);

    // The tool menu button: a flat tool face with its drop marker in the
    // fixed right band, the content left of it.
    const TMarkerCells markers = DrawMarkers(sheet, P);
    const auto cells = sheet.PlaceRow(56, 40, 5);
    for (int i = 0; i < 5; ++i) {
        DrawButtonFace(sheet.Art(), cells[i], TFaceState(i), bsTool, P);
        const TRgb c = i == fsDisabled ? P.GlyphDisabled : P.Glyph;
        DrawTriangle(sheet.Art(), cells[i].Right - 9, cells[i].Top + 20, 2, 7, c);
    }
    TIniSection& m = S.Skin.AddControl("toolmenubutton", "menubutton");
    const TButtonCells menu{cells[0], cells[1], cells[2], cells[3], cells[4]};
    WriteButton(m, idx, menu, P, 5, &markers, 16);
    m.Rect("trackbuttonrect", Rect(40, 0, 56, 40));
    TIniSection& big = S.Skin.AddControl("bigtoolmenubutton", "menubutton");
    WriteButton(big, idx, menu, P, 5, &markers, 16);
    big.Rect("trackbuttonrect", Rect(40, 0, 56, 40));

    AddCheckRadio(S, "checkbox", false);
    AddCheckRadio(S, "radiobox", true);
}
