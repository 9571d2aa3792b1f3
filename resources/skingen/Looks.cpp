#include "resources/skingen/Looks.h"

namespace {

// Clear sky: the light base look with a blue accent.
TPalette Clear()
{
    TPalette p;
    p.Accent = Hex(0x2563C4);
    p.AccentDark = Hex(0x1D4F9E);
    p.CaptionTop = Hex(0x2B68C2);
    p.CaptionBottom = Hex(0x245BAE);
    p.FrameBorder = Hex(0x1D4F9E);
    p.InactiveCaptionText = Hex(0x5A6270);
    return p;
}

// A light look recoloured around another accent family.
TPalette Light(TRgb Accent, TRgb AccentDark, TRgb Soft, TRgb Pale, TRgb Down, TRgb Face)
{
    TPalette p = Clear();
    p.Accent = Accent;
    p.AccentDark = AccentDark;
    p.AccentSoft = Soft;
    p.AccentPale = Pale;
    p.AccentDown = Down;
    p.CaptionTop = Accent;
    p.CaptionBottom = AccentDark;
    p.FrameBorder = AccentDark;
    p.Face = Face;
    p.ButtonHoverTop = Pale;
    p.ButtonHoverBottom = Mix(Pale, Soft, 0.6);
    p.ButtonDownTop = Down;
    p.ButtonDownBottom = Mix(Down, Soft, 0.4);
    return p;
}

// Dusk violet: rounded corners and soft depth, faces that swell from white.
TPalette Rounded()
{
    TPalette p = Light(Hex(0x6240B0), Hex(0x4F3394), Hex(0xE4DCF5), Hex(0xF3EFFB), Hex(0xCDBEEB), Hex(0xF4F1F9));
    p.Radius = 6;
    p.SoftShadow = true;
    p.CaptionTop = Hex(0x6A48B8);
    p.CaptionBottom = Hex(0x4F3394);
    p.ButtonTop = Hex(0xFFFFFF);
    p.ButtonBottom = Hex(0xE6E0F0);
    p.ButtonHoverTop = Hex(0xFFFFFF);
    p.ButtonHoverBottom = Hex(0xDCD0F2);
    p.ButtonDownTop = Hex(0xC4B4E6);
    p.ButtonDownBottom = Hex(0xDCD2F0);
    p.ControlBorder = Hex(0xBDB3D0);
    p.Shadow = Hex(0xB0A6C4);
    p.Divider = Hex(0xE0DAEA);
    p.TabFace = Hex(0xE7E1F0);
    p.TabHover = Hex(0xF0ECF7);
    p.ToolFace = Hex(0xF8F6FC);
    return p;
}

// Amber: high contrast. White faces, black text and borders, a black
// caption with amber text, deep amber selections under white text.
TPalette HighContrast()
{
    TPalette p;
    p.Radius = 2;
    p.Accent = Hex(0x8A4700);
    p.AccentDark = Hex(0x000000);
    p.AccentSoft = Hex(0xFFD98A);
    p.AccentPale = Hex(0xFFF0C8);
    p.AccentDown = Hex(0xFFB83D);
    p.CaptionTop = Hex(0x000000);
    p.CaptionBottom = Hex(0x000000);
    p.FrameBorder = Hex(0x000000);
    p.CaptionText = Hex(0xFFC845);
    p.InactiveCaptionTop = Hex(0xD9D9D9);
    p.InactiveCaptionBottom = Hex(0xD9D9D9);
    p.InactiveBorder = Hex(0x000000);
    p.InactiveCaptionText = Hex(0x000000);
    p.CloseHover = Hex(0xC00000);
    p.CloseDown = Hex(0x800000);
    p.Face = Hex(0xFFFFFF);
    p.ToolFace = Hex(0xFFFFFF);
    p.Window = Hex(0xFFFFFF);
    p.Text = Hex(0x000000);
    p.SubtleText = Hex(0x000000);
    p.DisabledText = Hex(0x6E6E6E);
    p.HighlightText = Hex(0xFFFFFF);
    p.Divider = Hex(0x000000);
    p.Light = Hex(0xFFFFFF);
    p.Shadow = Hex(0x000000);
    p.ControlBorder = Hex(0x000000);
    p.ControlBorderDisabled = Hex(0x8C8C8C);
    p.ButtonTop = Hex(0xFFFFFF);
    p.ButtonBottom = Hex(0xFFFFFF);
    p.ButtonHoverTop = Hex(0xFFF0C8);
    p.ButtonHoverBottom = Hex(0xFFF0C8);
    p.ButtonDownTop = Hex(0xFFB83D);
    p.ButtonDownBottom = Hex(0xFFB83D);
    p.ButtonDisabled = Hex(0xE6E6E6);
    p.Glyph = Hex(0x000000);
    p.GlyphDisabled = Hex(0x8C8C8C);
    p.Track = Hex(0xFFFFFF);
    p.Thumb = Hex(0x000000);
    p.ThumbHover = Hex(0x8A4700);
    p.ThumbDown = Hex(0x5C2F00);
    p.TabFace = Hex(0xE6E6E6);
    p.TabHover = Hex(0xFFF0C8);
    p.HintFace = Hex(0xFFFFE0);
    return p;
}

// Graphite: the dark look. Deep grey faces, light text, a blue accent that
// pressed faces take on.
TPalette Dark()
{
    TPalette p;
    p.Accent = Hex(0x3B6FD0);
    p.AccentDark = Hex(0x8CB4FF);
    p.AccentSoft = Hex(0x45577A);
    p.AccentPale = Hex(0x37445A);
    p.AccentDown = Hex(0x1B3A70);
    p.CaptionTop = Hex(0x1F2329);
    p.CaptionBottom = Hex(0x1A1D22);
    p.FrameBorder = Hex(0x0F1114);
    p.CaptionText = Hex(0xF0F2F5);
    p.InactiveCaptionTop = Hex(0x30343B);
    p.InactiveCaptionBottom = Hex(0x2C3036);
    p.InactiveBorder = Hex(0x40454D);
    p.InactiveCaptionText = Hex(0xA3AAB4);
    p.CloseHover = Hex(0xC42B1C);
    p.CloseDown = Hex(0x9E2216);
    p.Face = Hex(0x2A2E35);
    p.ToolFace = Hex(0x24282E);
    p.Window = Hex(0x1D2025);
    p.Text = Hex(0xE8EAED);
    p.SubtleText = Hex(0xB4BAC3);
    p.DisabledText = Hex(0x80868F);
    p.HighlightText = Hex(0xFFFFFF);
    p.Divider = Hex(0x3C414A);
    p.Light = Hex(0x4A5059);
    p.Shadow = Hex(0x14171A);
    p.ControlBorder = Hex(0x555B65);
    p.ControlBorderDisabled = Hex(0x393D44);
    p.ButtonTop = Hex(0x3C414A);
    p.ButtonBottom = Hex(0x343840);
    p.ButtonHoverTop = Hex(0x48505D);
    p.ButtonHoverBottom = Hex(0x404753);
    p.ButtonDownTop = Hex(0x1F3352);
    p.ButtonDownBottom = Hex(0x243B5E);
    p.ButtonDisabled = Hex(0x2E3238);
    p.Glyph = Hex(0xC8CDD4);
    p.GlyphDisabled = Hex(0x5E646D);
    p.Track = Hex(0x23262C);
    p.Thumb = Hex(0x59606B);
    p.ThumbHover = Hex(0x707884);
    p.ThumbDown = Hex(0x8A929E);
    p.TabFace = Hex(0x23262C);
    p.TabHover = Hex(0x333841);
    p.HintFace = Hex(0x33373E);
    return p;
}

}  // namespace

const std::vector<TSkinLook>& SkinLooks()
{
    static const std::vector<TSkinLook> looks = {
        {"ZarvoClear", "晴空蓝", Clear()},
        {"ZarvoTeal", "青碧",
         Light(Hex(0x0B6E66), Hex(0x08554F), Hex(0xD3EEEA), Hex(0xECF8F6), Hex(0xA9DCD4), Hex(0xF1F6F5))},
        {"ZarvoViolet", "暮紫", Rounded()},
        {"ZarvoRose", "胭脂",
         Light(Hex(0xA8244F), Hex(0x861B3E), Hex(0xF7DCE5), Hex(0xFCEFF3), Hex(0xEDB4C6), Hex(0xF7F2F4))},
        {"ZarvoAmber", "琥珀", HighContrast()},
        {"ZarvoForest", "松绿",
         Light(Hex(0x2D6A33), Hex(0x215127), Hex(0xDCEEDC), Hex(0xEFF7EF), Hex(0xB5D9B6), Hex(0xF2F5F1))},
        {"ZarvoGraphite", "石墨", Dark()},
    };
    return looks;
}

bool IsDark(const TPalette& P) { return ContrastRatio(P.Face, Hex(0xFFFFFF)) > ContrastRatio(P.Face, Hex(0x000000)); }

const TSkinLook& DarkestLook()
{
    const auto& looks = SkinLooks();
    const TSkinLook* darkest = &looks.front();
    for (const TSkinLook& look : looks)
        if (ContrastRatio(look.Palette.Face, Hex(0xFFFFFF)) > ContrastRatio(darkest->Palette.Face, Hex(0xFFFFFF)))
            darkest = &look;
    return *darkest;
}
