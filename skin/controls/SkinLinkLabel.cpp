#include "skin/controls/SkinLinkLabel.h"
#include <algorithm>
#include <cctype>
#include "platform/core/Exception.h"
#include "platform/core/Process.h"
#include "platform/gfx/Text.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/SkinData.h"
#include "skin/draw/GlowText.h"

std::function<void(const std::string& Target)> LinkOpener = [](const std::string& Target) { OpenDocument(Target); };

std::string LinkTargetOf(const std::string& URL)
{
    std::string lower = URL;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    auto starts = [&](const char* p) { return lower.rfind(p, 0) == 0; };
    if (starts("http://") || starts("https://") || starts("mailto:"))
        return URL;
    if (starts("www."))
        return "https://" + URL;
    return {};
}

TbsSkinLinkLabel::TbsSkinLinkLabel(TComponent* AOwner) : TCustomLabel(AOwner)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetStyle(fsUnderline);
    SetTransparent(true);
    Font().Assign(FDefaultFont);
    SetCursor(crHandPoint);
}

void TbsSkinLinkLabel::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
    FIndex = -1;
    if (FSD)
        ChangeSkinData();
}

void TbsSkinLinkLabel::SetUseUnderLine(bool Value)
{
    if (Value == FUseUnderLine)
        return;
    FUseUnderLine = Value;
    Repaint();
}

void TbsSkinLinkLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomLabel::Notification(AComponent, Operation);
    if (FSD.Drop(AComponent, Operation))
        FIndex = -1;
}

void TbsSkinLinkLabel::GetSkinData()
{
    FIndex = !FSD || FSD->Empty ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1)
        return;
    if (const auto* e = dynamic_cast<const TbsDataSkinStdLabelControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
        FontName = e->FontName;
        FontColor = e->FontColor;
        FontStyle = e->FontStyle;
        FontHeight = e->FontHeight;
        ActiveFontColor = e->ActiveFontColor;
    }
}

void TbsSkinLinkLabel::ChangeSkinData()
{
    GetSkinData();
    Repaint();
}

void TbsSkinLinkLabel::Click()
{
    TCustomLabel::Click();
    const std::string target = LinkTargetOf(FURL);
    if (target.empty() || !LinkOpener)
        return;
    try {
        LinkOpener(target);
    } catch (const Exception&) {
        // The opener could not be started: the desktop has none. Nothing to show.
    }
}

void TbsSkinLinkLabel::WndProc(TMessage& m)
{
    TCustomLabel::WndProc(m);
    if ((m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) && m.LParam == 0 &&
        !ComponentState().Contains(csDesigning)) {
        FMouseIn = m.Msg == CM_MOUSEENTER;
        Repaint();
    }
}

void TbsSkinLinkLabel::DoDrawText(TRect& Rect, unsigned Flags)
{
    GetSkinData();
    std::string text = Caption();
    if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&")))
        text += " ";
    unsigned format = DrawTextBiDiModeFlags(Flags);
    if (!ShowAccelChar())
        format |= DT_NOPREFIX;
    TRect r = Rect;
    if (FGlowEffect)
        r.Offset(0, FGlowSize);
    TCanvas& c = Canvas();
    TFont& f = c.Font();
    const bool skinned = FIndex != -1;
    if (!skinned) {
        f.Assign(FUseSkinFont ? FDefaultFont : Font());
        if (FMouseIn && !FGlowEffect)
            f.SetColor(FDefaultActiveFontColor);
    } else {
        if (FUseSkinFont) {
            f.SetName(FontName);
            f.SetStyle(FontStyle);
            f.SetHeight(FontHeight);
        } else {
            f.Assign(Font());
        }
        f.SetColor(FMouseIn && !FGlowEffect ? ActiveFontColor : FontColor);
    }
    f.SetCharset(ControlCharset(FSD, FDefaultFont));
    const TColor glow = skinned ? ActiveFontColor : FDefaultActiveFontColor;
    f.SetStyle(FUseUnderLine ? (f.Style() | fsUnderline) : (f.Style() & ~fsUnderline));
    c.Brush().SetStyle(bsClear);
    if (Flags & DT_CALCRECT) {
        // Measured in place; the glow's offset makes the label that much taller.
        c.DrawText(text, Rect, format);
        if (FGlowEffect)
            Rect.Bottom += FGlowSize;
        return;
    }
    if (Enabled()) {
        if (FMouseIn && FGlowEffect)
            DrawThickGlowText(c, r, text, format, 0, glow, FGlowSize);
        else
            c.DrawText(text, r, format);
        return;
    }
    TRect shadow = r;
    shadow.Offset(1, 1);
    f.SetColor(skinned ? FSD->SkinColors()->cBtnHighLight() : clBtnHighlight);
    c.DrawText(text, shadow, format);
    f.SetColor(skinned ? FSD->SkinColors()->cBtnShadow() : clBtnShadow);
    c.DrawText(text, r, format);
}
