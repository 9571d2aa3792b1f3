#include "skin/draw/TextUtils.h"

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "skin/draw/RectUtils.h"

int DrawSkinText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags) {
    return Canvas.DrawText(Text, R, Flags);
}

int CalcTextWidthW(TCanvas& Canvas, const std::string& Text) {
    TRect r{0, 0, 0, 0};
    DrawSkinText(Canvas, Text, r, DT_CALCRECT);
    return RectWidth(r);
}

int CalcTextHeightW(TCanvas& Canvas, const std::string& Text) {
    TRect r{0, 0, 0, 0};
    DrawSkinText(Canvas, Text, r, DT_CALCRECT);
    return RectHeight(r);
}

std::string DropLastCharacter(const std::string& Text) {
    std::size_t end = Text.size();
    if (end == 0)
        return Text;
    --end;
    // Step back over continuation bytes to the lead byte of the code point.
    while (end > 0 && (static_cast<unsigned char>(Text[end]) & 0xC0) == 0x80)
        --end;
    return Text.substr(0, end);
}

namespace {

template <typename TMeasure>
void FitText(std::string& Text, int MaxWidth, TMeasure&& width) {
    if (width(Text) <= MaxWidth)
        return;
    do
        Text = DropLastCharacter(Text);
    while (!Text.empty() && width(Text + "...") > MaxWidth);
    Text += "...";
}

}  // namespace

void FitTextToWidthW(TCanvas& Canvas, std::string& Text, int MaxWidth) {
    FitText(Text, MaxWidth, [&](const std::string& s) { return CalcTextWidthW(Canvas, s); });
}

void FitTextToWidth(TCanvas& Canvas, std::string& Text, int MaxWidth) {
    FitText(Text, MaxWidth, [&](const std::string& s) { return Canvas.TextWidth(s); });
}

void DrawSingleLineText(TCanvas& Canvas, const std::string& Text, const TRect& R) {
    if (Text.empty())
        return;
    TRect r = R;
    DrawSkinText(Canvas, Text, r, DT_SINGLELINE | DT_VCENTER);
}

void TextRectVCenter(TCanvas& Canvas, const std::string& Text, const TRect& R) {
    TextRectVCenterIndent(Canvas, Text, R, 0);
}

void TextRectVCenterIndent(TCanvas& Canvas, const std::string& Text, const TRect& R, int Indent) {
    if (Text.empty())
        return;
    const int y = R.Top + RectHeight(R) / 2 - Canvas.TextHeight(Text) / 2;
    Canvas.TextRect(R, R.Left + Indent + 2, y, Text);
}
