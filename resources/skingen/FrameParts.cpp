#include <algorithm>
#include <cmath>
#include "resources/skingen/Parts.h"

namespace {

// The frame template: a 1-pixel border and a 32-pixel caption bar. The
// frame composition stretches it to every window size.
constexpr int FrameW = 200, FrameH = 150;
constexpr int CaptionH = 32;
const TRect CaptionBand = Rect(1, 1, FrameW - 1, 1 + CaptionH);
const TRect ClientRect = Rect(1, 1 + CaptionH, FrameW - 1, FrameH - 1);
constexpr int ButtonW = 44, SysButtonW = 34;

enum TCaptionLook { clActive, clInactive };

void DrawFramePicture(TBitmap& B, const TPalette& P, TCaptionLook Look)
{
    B.SetSize(FrameW, FrameH, false);
    TArt art(B);
    const bool active = Look == clActive;
    art.Fill(Rect(0, 0, FrameW, FrameH), active ? P.FrameBorder : P.InactiveBorder);
    art.VGradient(CaptionBand, active ? P.CaptionTop : P.InactiveCaptionTop,
                  active ? P.CaptionBottom : P.InactiveCaptionBottom);
    art.Fill(ClientRect, P.Face);
}

enum TCaptionGlyph { cgClose, cgMaximize, cgRestore, cgMinimize, cgRollUp, cgRollDown, cgTray, cgSysMenu };

void DrawCaptionGlyph(TArt& art, const TRect& cell, TCaptionGlyph g, TRgb c, const TPalette& P)
{
    const double cx = cell.Left + cell.Width() / 2.0, cy = cell.Top + cell.Height() / 2.0;
    // Pixel-aligned boxes for crisp one-pixel lines.
    const int x0 = cell.Left + cell.Width() / 2 - 5, y0 = cell.Top + cell.Height() / 2 - 5;
    switch (g) {
    case cgClose:
        art.Stroke({{x0 + 0.5, y0 + 0.5}, {x0 + 9.5, y0 + 9.5}}, 1.25, c);
        art.Stroke({{x0 + 9.5, y0 + 0.5}, {x0 + 0.5, y0 + 9.5}}, 1.25, c);
        break;
    case cgMaximize: art.Frame(Rect(x0, y0, x0 + 10, y0 + 10), c); break;
    case cgRestore:
        art.Frame(Rect(x0, y0 + 2, x0 + 8, y0 + 10), c);
        art.HLine(x0 + 2, x0 + 10, y0, c);
        art.VLine(x0 + 9, y0, y0 + 8, c);
        art.VLine(x0 + 2, y0, y0 + 2, c);
        art.HLine(x0 + 8, x0 + 10, y0 + 7, c);
        break;
    case cgMinimize: art.HLine(x0, x0 + 10, y0 + 5, c); break;
    case cgRollUp: DrawChevron(art, cx, cy, 0, 10, c); break;
    case cgRollDown: DrawChevron(art, cx, cy, 2, 10, c); break;
    case cgTray:
        art.HLine(x0, x0 + 10, y0 + 9, c);
        art.Stroke({{cx, y0 + 0.5}, {cx, y0 + 6.5}}, 1.2, c);
        art.Stroke({{cx - 3, y0 + 4.0}, {cx, y0 + 7.0}, {cx + 3, y0 + 4.0}}, 1.2, c);
        break;
    case cgSysMenu: {
        // Our program mark: a rounded tile with a play triangle.
        const TRect tile = Rect(int(cx) - 8, int(cy) - 8, int(cx) + 8, int(cy) + 8);
        art.FillRoundRect(tile, 3.5, c);
        art.FillPolygon({{cx - 2.5, cy - 4}, {cx - 2.5, cy + 4}, {cx + 4.5, cy}}, P.Accent);
        break;
    }
    }
}

struct TCaptionButtonCells {
    TRect Normal, Hover, Down, Inactive, Disabled;
};

// The five looks of one caption button, side by side. Every cell starts
// with the caption bar as the frame picture shows it at the same rows.
TCaptionButtonCells DrawCaptionButton(TSkinParts& S, int Width, TCaptionGlyph Glyph)
{
    const TPalette& P = S.P;
    TArt& art = S.Caption.Art();
    const auto cells = S.Caption.PlaceRow(Width, CaptionH, 5);
    const bool close = Glyph == cgClose;
    for (size_t i = 0; i < cells.size(); ++i) {
        const TRect& c = cells[i];
        const bool inactive = i == 3;
        art.VGradient(c, inactive ? P.InactiveCaptionTop : P.CaptionTop,
                      inactive ? P.InactiveCaptionBottom : P.CaptionBottom);
        TRgb glyph = inactive ? P.InactiveCaptionText : P.CaptionText;
        if (i == 1) {
            if (close)
                art.Fill(c, P.CloseHover);
            else
                for (int y = c.Top; y < c.Bottom; ++y)
                    art.HLine(c.Left, c.Right, y, Hex(0xFFFFFF), 0.16);
        } else if (i == 2) {
            if (close)
                art.Fill(c, P.CloseDown);
            else
                for (int y = c.Top; y < c.Bottom; ++y)
                    art.HLine(c.Left, c.Right, y, Hex(0x000000), 0.12);
        } else if (i == 4) {
            glyph = Mix(P.CaptionBottom, P.CaptionText, 0.45);
        }
        DrawCaptionGlyph(art, c, Glyph, glyph, P);
    }
    return {cells[0], cells[1], cells[2], cells[3], cells[4]};
}

void WriteButtonCells(TIniSection& s, int Sheet, const TCaptionButtonCells& c)
{
    s.Int("activepictureindex", Sheet);
    s.Int("activemaskpictureindex", -1);
    s.Bool("skinrectinapicture", true);
    s.Rect("skinrect", c.Normal);
    s.Rect("activeskinrect", c.Hover);
    s.Rect("inactiveskinrect", c.Inactive);
    s.Bool("morphing", true);
    s.Text("morphkind", "mkdefault");
    s.Int("glowlayerpictureindex", -1);
    s.Int("glowlayermaskpictureindex", -1);
    s.Rect("downrect", c.Down);
    s.Rect("disableskinrsect", c.Disabled);
}

void AddStdButton(TSkinParts& S, const std::string& Name, const std::string& Command, const std::string& Hint,
                  int Width, TCaptionGlyph Glyph, const std::string& RestoreHint = "",
                  TCaptionGlyph RestoreGlyph = cgRestore)
{
    const TCaptionButtonCells cells = DrawCaptionButton(S, Width, Glyph);
    TIniSection& s = S.Skin.AddObject(Name, "stdbutton");
    s.Text("hint", Hint);
    WriteButtonCells(s, S.Skin.SheetIndex(S.Caption), cells);
    s.Text("command", Command);
    if (!RestoreHint.empty()) {
        const TCaptionButtonCells restore = DrawCaptionButton(S, Width, RestoreGlyph);
        s.Rect("restorerect", restore.Normal);
        s.Rect("restoreactiverect", restore.Hover);
        s.Rect("restoredownrect", restore.Down);
        s.Rect("restoreinactiverect", restore.Inactive);
        s.Text("restorehint", RestoreHint);
    }
}

}  // namespace

void BuildMenuBarButtons(TSkinParts& S)
{
    const TPalette& P = S.P;
    TSheet& sheet = S.Lists;
    struct TBarButton {
        const char* Name;
        const char* Command;
        const char* Hint;
        TCaptionGlyph Glyph;
    };
    for (const TBarButton& b : {TBarButton{"menubarsysmenubutton", "cmsysmenu", "系统菜单", cgSysMenu},
                                TBarButton{"menubarclosebutton", "cmclose", "关闭", cgClose},
                                TBarButton{"menubarmaxbutton", "cmmaximize", "还原", cgRestore},
                                TBarButton{"menubarminbutton", "cmminimize", "最小化", cgMinimize}}) {
        // Normal, hover, down, inactive and disabled, like the caption buttons.
        const auto cells = sheet.PlaceRow(24, 20, 5);
        TArt& art = sheet.Art();
        for (size_t i = 0; i < cells.size(); ++i) {
            const TRect& c = cells[i];
            art.Fill(c, P.ToolFace);
            if (i == 1)
                art.FillRoundRect(Inset(c, 1, 1), std::min(P.Radius, 4.0), P.AccentSoft);
            else if (i == 2)
                art.FillRoundRect(Inset(c, 1, 1), std::min(P.Radius, 4.0), P.AccentDown);
            DrawCaptionGlyph(art, c, b.Glyph, i == 4 ? P.DisabledText : P.Glyph, P);
        }
        TIniSection& s = S.Skin.AddObject(b.Name, "mainmenubarbutton");
        s.Text("hint", b.Hint);
        WriteButtonCells(s, S.Skin.SheetIndex(sheet), {cells[0], cells[1], cells[2], cells[3], cells[4]});
        s.Text("command", b.Command);
    }
}

void BuildFrame(TSkinParts& S)
{
    const TPalette& P = S.P;
    S.Skin.Picture = std::make_unique<TBitmap>();
    S.Skin.InActivePicture = std::make_unique<TBitmap>();
    DrawFramePicture(*S.Skin.Picture, P, clActive);
    DrawFramePicture(*S.Skin.InActivePicture, P, clInactive);

    TIniSection& f = S.Skin.Section("FORMINFO");
    f.Point("lefttoppoint", Point(12, 40));
    f.Point("righttoppoint", Point(FrameW - 12, 40));
    f.Point("leftbottompoint", Point(12, FrameH - 10));
    f.Point("rightbottompoint", Point(FrameW - 12, FrameH - 10));
    f.Rect("clientrect", ClientRect);
    f.Int("bgpictureindex", -1);
    f.Int("mdibgpictureindex", -1);
    for (const char* key : {"leftstretch", "rightstretch", "topstretch", "bottomstretch"})
        f.Bool(key, true);
    f.Bool("stretcheffect", false);
    f.Text("stretchtype", "stfull");
    f.Bool("mdibgstretcheffect", false);
    f.Text("mdibgstretchtype", "stfull");
    f.Rect("maskrectarea", Rect(0, 0, 0, 0));
    f.Point("hittestlefttoppoint", Point(8, 8));
    f.Point("hittestrighttoppoint", Point(FrameW - 8, 8));
    f.Point("hittestleftbottompoint", Point(8, FrameH - 8));
    f.Point("hittestrightbottompoint", Point(FrameW - 8, FrameH - 8));
    f.Rect("buttonsrect", Rect(0, 0, 0, 0));
    f.Rect("captionrect", CaptionBand);
    f.Int("buttonsoffset", 0);
    f.Bool("buttonsinleft", false);
    f.Bool("mainmenupopupup", false);
    f.Int("borderwidth", 4);
    f.Bool("autorenderinginactiveimage", false);
    f.Text("inactiveeffect", "iebrightness");
    f.Int("formminwidth", 160);
    f.Bool("mditabstransparent", false);
    f.Bool("mainmenubartransparent", false);

    // The caption text spans the bar; the frame narrows it to the room the
    // caption buttons leave.
    TIniSection& c = S.Skin.AddObject("caption", "caption");
    c.Int("activepictureindex", -1);
    c.Int("activemaskpictureindex", -1);
    c.Bool("skinrectinapicture", false);
    c.Rect("skinrect", CaptionBand);
    c.Int("glowlayerpictureindex", -1);
    c.Int("glowlayermaskpictureindex", -1);
    c.Rect("textrect", Rect(4, 0, CaptionBand.Width() - 4, CaptionH));
    c.Font(P.InactiveCaptionText, false, 15);
    c.Color("activefontcolor", P.CaptionText);
    c.Text("alignment", "taleftjustify");
    c.Int("animateinterval", 25);
    c.Int("glowsize", 3);

    AddStdButton(S, "closebutton", "cmclose", "关闭", ButtonW, cgClose);
    AddStdButton(S, "maxbutton", "cmmaximize", "最大化", ButtonW, cgMaximize, "还原", cgRestore);
    AddStdButton(S, "minbutton", "cmminimize", "最小化", ButtonW, cgMinimize, "还原", cgRestore);
    AddStdButton(S, "rollupbutton", "cmrollup", "卷起", ButtonW, cgRollUp, "展开", cgRollDown);
    AddStdButton(S, "traybutton", "cmminimizetotray", "最小化到托盘", ButtonW, cgTray);
    AddStdButton(S, "sysmenubutton", "cmsysmenu", "系统菜单", SysButtonW, cgSysMenu);
}
