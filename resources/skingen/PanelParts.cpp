#include "resources/skingen/Parts.h"

namespace {

// Corner bands: cx at both sides, cy at the bottom and Top (default cy) at the top.
void WriteNine(TIniSection& s, int Sheet, const TRect& Cell, int cx, int cy, const TRect& Client, int Top = -1)
{
    const int top = Top >= 0 ? Top : cy;
    const int w = Cell.Width(), h = Cell.Height();
    s.Int("pictureindex", Sheet);
    s.Int("maskpictureindex", -1);
    s.Rect("skinrect", Cell);
    s.Point("lefttoppoint", Point(cx, top));
    s.Point("righttoppoint", Point(w - cx, top));
    s.Point("leftbottompoint", Point(cx, h - cy));
    s.Point("rightbottompoint", Point(w - cx, h - cy));
    s.Rect("clientrect", Client);
    for (const char* key : {"leftstretch", "topstretch", "rightstretch", "bottomstretch", "stretcheffect"})
        s.Bool(key, true);
    s.Text("stretchtype", "stfull");
}

// The panel kind: frame pictures with an optional caption band.
void WritePanel(TIniSection& s, int Sheet, const TRect& Cell, int Corner, const TRect& Client, const TRect& Caption,
                TRgb FontColor, bool Bold, const char* Alignment, int Top = -1)
{
    WriteNine(s, Sheet, Cell, Corner, Corner, Client, Top);
    s.Int("bgpictureindex", -1);
    s.Rect("captionrect", Caption);
    s.Text("alignment", Alignment);
    s.Font(FontColor, Bold, 14);
    for (const char* key : {"checkimagerect", "uncheckimagerect", "markframerect", "framerect", "frametextrect"})
        s.Rect(key, Rect(0, 0, 0, 0));
    s.Int("frameleftoffset", 0);
    s.Int("framerightoffset", 0);
    s.Rect("gripperrect", Rect(0, 0, 0, 0));
    s.Bool("grippertransparent", false);
    s.Color("grippertransparentcolor", KeyRgb);
}

void AddTabs(TSkinParts& S)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    TArt& art = sheet.Art();
    const int idx = S.Skin.SheetIndex(sheet);

    // The page: a framed area of the dialog colour.
    const TRect page = sheet.Place(80, 60);
    art.Fill(page, P.Face);
    art.Frame(page, P.ControlBorder);

    // Tabs are 26 high and stand on the page's top border: their last row is
    // that border, except under the selected tab, which opens into the page.
    const auto tabs = sheet.PlaceRow(60, 26, 4);   // normal, active, focus, mouse in
    const TRgb fills[] = {P.TabFace, P.Face, P.Face, P.TabHover};
    for (int i = 0; i < 4; ++i) {
        const TRect& c = tabs[i];
        art.Fill(c, P.Face);
        const TRect shape = Rect(c.Left, c.Top + (i == 1 || i == 2 ? 0 : 2), c.Right, c.Bottom + 4);
        art.FillRoundRect(shape, 4, P.ControlBorder);
        art.FillRoundRect(Inset(shape, 1, 1), 3, fills[i]);
        art.Fill(Rect(c.Left, c.Bottom - 1, c.Right, c.Bottom), i == 1 || i == 2 ? fills[i] : P.ControlBorder);
        if (i == 1 || i == 2) {
            art.VLine(c.Left, c.Bottom - 1, c.Bottom, P.ControlBorder);
            art.VLine(c.Right - 1, c.Bottom - 1, c.Bottom, P.ControlBorder);
            art.FillRoundRect(Rect(c.Left + 1, c.Top + 1, c.Right - 1, c.Top + 4), 1.5, P.Accent);
        }
    }
    const TRect row = sheet.Place(20, 26);
    art.Fill(row, P.Face);
    art.HLine(row.Left, row.Right, row.Bottom - 1, P.ControlBorder);

    TIniSection& s = S.Skin.AddControl("tab", "tab");
    s.Int("pictureindex", idx);
    s.Int("maskpictureindex", -1);
    s.Rect("skinrect", page);
    s.Rect("tabrect", tabs[0]);
    s.Rect("activetabrect", tabs[1]);
    s.Rect("focustabrect", tabs[2]);
    s.Rect("mouseintabrect", tabs[3]);
    s.Rect("clientrect", Rect(1, 1, 79, 59));
    s.Int("bgpictureindex", -1);
    s.Point("lefttoppoint", Point(4, 4));
    s.Point("righttoppoint", Point(76, 4));
    s.Point("leftbottompoint", Point(4, 56));
    s.Point("rightbottompoint", Point(76, 56));
    s.Int("tableftoffset", 5);
    s.Int("tabrightoffset", 5);
    s.Rect("tabsbgrect", row);
    for (const char* key : {"tabstretcheffect", "leftstretch", "topstretch", "rightstretch", "bottomstretch",
                            "stretcheffect"})
        s.Bool(key, true);
    s.Text("stretchtype", "stfull");
    s.Font(P.SubtleText, false, 14);
    s.Color("activefontcolor", P.Text);
    s.Color("focusfontcolor", P.Text);
    s.Color("mouseinfontcolor", P.Text);
    s.Text("updown", "hupdown");
    s.Bool("showfocus", false);
    s.Int("focusoffsetx", 0);
    s.Int("focusoffsety", 0);
    for (const char* key : {"closebuttonrect", "closebuttonactiverect", "closebuttondownrect"})
        s.Rect(key, Rect(0, 0, 0, 0));
    s.Bool("buttontransparent", false);
    s.Color("buttontransparentcolor", KeyRgb);
}

}  // namespace

void BuildPanels(TSkinParts& S)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Controls;
    TArt& art = sheet.Art();
    const int idx = S.Skin.SheetIndex(sheet);

    const TRect panel = sheet.Place(60, 60);
    art.Fill(panel, P.Face);
    art.StrokeRoundRect(panel, 3, P.Divider);
    WritePanel(S.Skin.AddControl("panel", "panel"), idx, panel, 4, Rect(1, 1, 59, 59), Rect(0, 0, 0, 0), P.Text,
               false, "tacenter");

    // Group box: the caption above a framed area.
    const TRect group = sheet.Place(80, 70);
    art.Fill(group, P.Face);
    art.StrokeRoundRect(Rect(group.Left, group.Top + 22, group.Right, group.Bottom), 3, P.ControlBorder);
    WritePanel(S.Skin.AddControl("groupbox", "panel"), idx, group, 6, Rect(4, 26, 76, 66), Rect(4, 0, 76, 22),
               P.SubtleText, true, "taleftjustify", 28);

    // Tool bars: the bar colour with a divider line under it.
    const TRect tool = sheet.Place(40, 40);
    art.Fill(tool, P.ToolFace);
    art.HLine(tool.Left, tool.Right, tool.Bottom - 1, P.Divider);
    WritePanel(S.Skin.AddControl("toolpanel", "panel"), idx, tool, 2, Rect(0, 0, 40, 39), Rect(0, 0, 0, 0), P.Text,
               false, "tacenter");
    for (const char* name : {"resizetoolpanel", "bigtoolpanel"})
        WritePanel(S.Skin.AddControl(name, "panel"), idx, tool, 2, Rect(0, 0, 40, 39), Rect(0, 0, 0, 0), P.Text, false,
                   "tacenter");

    // Splitters: a flat bar with a row of grip dots drawn transparently.
    for (bool vertical : {false, true}) {
        const TRect bar = vertical ? sheet.Place(6, 40) : sheet.Place(40, 6);
        art.Fill(bar, P.Face);
        const TRect grip = vertical ? sheet.Place(6, 18) : sheet.Place(18, 6);
        art.Fill(grip, KeyRgb);
        for (int i = 0; i < 4; ++i) {
            const double along = 3 + i * 4;
            art.FillCircle(grip.Left + (vertical ? 3 : along), grip.Top + (vertical ? along : 3), 1.1, P.Shadow);
        }
        art.SetPixel(grip.Left, grip.Bottom - 1, KeyRgb);
        TIniSection& s = S.Skin.AddControl(vertical ? "vsplitter" : "hsplitter", "splitter");
        if (vertical)
            WriteNine(s, idx, bar, 0, 2, Rect(0, 2, 6, 38));
        else
            WriteNine(s, idx, bar, 2, 0, Rect(2, 0, 38, 6));
        s.Rect("gripperrect", grip);
        s.Bool("grippertransparent", true);
        s.Color("grippertransparentcolor", KeyRgb);
    }

    const TRect status = sheet.Place(40, 22);
    art.Fill(status, P.ToolFace);
    art.HLine(status.Left, status.Right, status.Top, P.Divider);
    WritePanel(S.Skin.AddControl("statusbar", "panel"), idx, status, 2, Rect(2, 1, 38, 22), Rect(0, 0, 0, 0),
               P.SubtleText, false, "taleftjustify");

    const TRect box = sheet.Place(40, 40);
    art.Fill(box, P.Face);
    art.Frame(box, P.Divider);
    {
        TIniSection& s = S.Skin.AddControl("scrollbox", "scrollbox");
        WriteNine(s, idx, box, 2, 2, Rect(1, 1, 39, 39));
        s.Int("bgpictureindex", -1);
    }

    // Labels: the plain one lies on the dialog, the menu header is a tinted band.
    const TRect label = sheet.Place(40, 20);
    art.Fill(label, P.Face);
    {
        TIniSection& s = S.Skin.AddControl("label", "label");
        WriteNine(s, idx, label, 2, 2, Rect(2, 2, 38, 18));
        s.Font(P.Text, false, 14);
    }
    const TRect header = sheet.Place(40, 22);
    art.Fill(header, P.Window);
    art.FillRoundRect(Rect(header.Left + 2, header.Top + 1, header.Right - 2, header.Bottom - 1), 2.5, P.AccentPale);
    {
        TIniSection& s = S.Skin.AddControl("menuheader", "label");
        WriteNine(s, idx, header, 5, 5, Rect(5, 0, 35, 22));
        s.Font(P.AccentDark, true, 14);
    }
    {
        TIniSection& s = S.Skin.AddControl("stdlabel", "stdlabel");
        s.Int("pictureindex", -1);
        s.Int("maskpictureindex", -1);
        s.Rect("skinrect", Rect(0, 0, 0, 0));
        s.Font(P.Text, false, 14);
        s.Color("activefontcolor", P.AccentDark);
    }
    {
        TIniSection& s = S.Skin.AddControl("bevel", "bevel");
        s.Int("pictureindex", -1);
        s.Int("maskpictureindex", -1);
        s.Rect("skinrect", Rect(0, 0, 0, 0));
        s.Color("lightcolor", P.Light);
        s.Color("darkcolor", P.Divider);
    }
    AddTabs(S);
}
