#include "skin/controls/SkinLabels.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/SkinData.h"

// ---------------------------------------------------------------- shared

TbsLabelSkin::TbsLabelSkin(TComponent* AHolder) : FSD(AHolder)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
}

void TbsLabelSkin::GetSkinData()
{
    FIndex = (FSD && !FSD->Empty) ? FSD->GetControlIndex(FSkinDataName) : -1;
    if (FIndex == -1)
        return;
    if (const auto* e = dynamic_cast<const TbsDataSkinStdLabelControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
        FontName = e->FontName;
        FontStyle = e->FontStyle;
        FontHeight = e->FontHeight;
        FontColor = e->FontColor;
    }
}

void TbsLabelSkin::ApplyFont(TCanvas& Canvas, const TFont& Fallback) const
{
    TFont& f = Canvas.Font();
    if (FIndex == -1) {
        f.Assign(FUseSkinFont ? FDefaultFont : Fallback);
    } else {
        if (FUseSkinFont) {
            f.Assign(Fallback);
            f.SetName(FontName);
            f.SetStyle(FontStyle);
            f.SetHeight(FontHeight);
        } else {
            f.Assign(Fallback);
        }
        f.SetColor(FUseSkinColor ? FontColor : Fallback.Color());
    }
    f.SetCharset(ControlCharset(FSD, FDefaultFont));
}

void TbsLabelSkin::DrawText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags, bool Enabled) const
{
    if (!Enabled && !(Flags & DT_CALCRECT)) {
        const TbsSkinColors* colors = FIndex != -1 ? FSD->SkinColors() : nullptr;
        TRect shadow = R;
        shadow.Offset(1, 1);
        Canvas.Font().SetColor(colors ? colors->cBtnHighLight() : clBtnHighlight);
        Canvas.DrawText(Text, shadow, Flags);
        Canvas.Font().SetColor(colors ? colors->cBtnShadow() : clBtnShadow);
    }
    Canvas.DrawText(Text, R, Flags);
}

// ------------------------------------------------------------- std label

TbsSkinStdLabel::TbsSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner) { SetTransparent(true); }

void TbsSkinStdLabel::SetSkinData(TbsSkinData* Value)
{
    FSkin.FSD.Set(Value);
    if (Value)
        ChangeSkinData();
    else
        FSkin.FIndex = -1;
}

void TbsSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomLabel::Notification(AComponent, Operation);
    if (FSkin.FSD.Drop(AComponent, Operation))
        FSkin.FIndex = -1;
}

void TbsSkinStdLabel::ChangeSkinData()
{
    GetSkinData();
    if (AutoSize())
        AdjustBounds();
    Repaint();
}

void TbsSkinStdLabel::SetEllipsType(TbsEllipsType Value)
{
    if (FEllipsType == Value)
        return;
    FEllipsType = Value;
    Invalidate();
}

unsigned TbsSkinStdLabel::Flags(unsigned Base) const
{
    if (!ShowAccelChar())
        Base |= DT_NOPREFIX;
    if (FEllipsType == bsetEndEllips)
        Base |= DT_END_ELLIPSIS;
    else if (FEllipsType == bsetPathEllips)
        Base |= DT_PATH_ELLIPSIS;
    return Base;   // Base comes bidi-adjusted from the label
}

void TbsSkinStdLabel::DrawTextTo(TCanvas& C, const std::string& Text, TRect& R, unsigned F)
{
    FSkin.GetSkinData();
    std::string text = Text;
    if ((F & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&")))
        text += " ";
    FSkin.ApplyFont(C, Font());
    FSkin.DrawText(C, text, R, Flags(F), Enabled());
}

void TbsSkinStdLabel::DoDrawText(TRect& R, unsigned F) { DrawTextTo(Canvas(), Caption(), R, F); }

void TbsSkinStdLabel::PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText)
{
    TRect r{X, Y, X + Width(), Y + Height()};
    if (!Transparent()) {
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(Color());
        C.FillRect(r);
    }
    C.Brush().SetStyle(bsClear);
    const unsigned align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    unsigned f = DrawTextBiDiModeFlags(DT_EXPANDTABS | align[Alignment()] | (WordWrap() ? DT_WORDBREAK : 0u));
    if (Layout() != tlTop) {
        TRect calc = r;
        DrawTextTo(C, AText, calc, f | DT_CALCRECT);
        const int h = calc.Bottom - Y;
        r.Offset(0, Layout() == tlBottom ? Height() - h : (Height() - h) / 2);
    }
    DrawTextTo(C, AText, r, f);
    C.Brush().SetStyle(bsSolid);
}

// ------------------------------------------------------------ text label

TbsSkinTextLabel::TbsSkinTextLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Exclude(csOpaque);
    FControlStyle.Include(csReplicatable);
    SetBounds(Left(), Top(), 65, 65);
    FLines.OnChange = [this](TObject*) { LinesChanged(); };
}

TbsSkinTextLabel::~TbsSkinTextLabel() { FLines.OnChange = nullptr; }

void TbsSkinTextLabel::SetSkinData(TbsSkinData* Value)
{
    FSkin.FSD.Set(Value);
    if (Value)
        ChangeSkinData();
    else
        FSkin.FIndex = -1;
}

void TbsSkinTextLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (FSkin.FSD.Drop(AComponent, Operation))
        FSkin.FIndex = -1;
}

void TbsSkinTextLabel::ChangeSkinData()
{
    GetSkinData();
    if (FAutoSize)
        AdjustBounds();
    Repaint();
}

void TbsSkinTextLabel::SetDefaultFont(const TFont& Value)
{
    FSkin.FDefaultFont.Assign(Value);
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::SetLines(const TStrings& Value)
{
    FLines.Assign(&Value);
    Repaint();
}

void TbsSkinTextLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    Invalidate();
}

void TbsSkinTextLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value)
        return;
    FLayout = Value;
    Invalidate();
}

void TbsSkinTextLabel::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    AdjustBounds();
}

void TbsSkinTextLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value)
        return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TbsSkinTextLabel::LinesChanged()
{
    if (FAutoSize)
        AdjustBounds();
    Invalidate();
}

std::string TbsSkinTextLabel::LinesText() const
{
    std::string text = FLines.Text();
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return text;
}

unsigned TbsSkinTextLabel::Flags() const
{
    const unsigned align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    return DrawTextBiDiModeFlags(DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u) | align[FAlignment]);
}

void TbsSkinTextLabel::Paint()
{
    TCanvas& c = Canvas();
    FSkin.GetSkinData();
    FSkin.ApplyFont(c, Font());
    c.Brush().SetStyle(bsClear);
    const std::string text = LinesText();
    TRect r = ClientRect();
    if (FLayout != tlTop) {
        TRect calc = r;
        c.DrawText(text, calc, Flags() | DT_CALCRECT);
        r.Offset(0, FLayout == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2);
    }
    FSkin.DrawText(c, text, r, Flags(), Enabled());
    c.Brush().SetStyle(bsSolid);
}

void TbsSkinTextLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading())
        return;
    TBitmap measure(1, 1);
    TCanvas& c = *measure.Canvas();
    FSkin.GetSkinData();
    FSkin.ApplyFont(c, Font());
    TRect r = ClientRect();
    if (!FWordWrap)
        r.Right = r.Left + 1;
    std::string text = LinesText();
    if (text.empty())
        text = " ";
    c.DrawText(text, r, DT_CALCRECT | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u));
    int left = Left();
    if (FAlignment == taRightJustify)
        left += Width() - r.Width();
    SetBounds(left, Top(), r.Width(), r.Height());
}
