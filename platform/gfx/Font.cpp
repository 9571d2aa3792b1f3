#include "platform/gfx/Font.h"

#include <cstdint>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    int64_t p = int64_t(a) * b;
    int64_t q = p / c;
    int64_t r = p % c;
    // Round half away from zero.
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -int64_t(c) : int64_t(c)))
        q += ((p < 0) != (c < 0)) ? -1 : 1;
    return int(q);
}

void TFont::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TFont::Assign(const TPersistent* source)
{
    if (auto font = dynamic_cast<const TFont*>(source))
        Assign(*font);
    else
        TPersistent::Assign(source);
}

void TFont::SetName(const std::string& value)
{
    if (value.empty() || value == FData.Name)
        return;
    FData.Name = value;
    Changed();
}

void TFont::SetHeight(int value)
{
    if (value == FData.Height)
        return;
    FData.Height = value;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(FData.Height, 72, ScreenPixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, ScreenPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles value)
{
    if (value == FData.Style)
        return;
    FData.Style = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TFont::SetCharset(int value)
{
    if (value == FData.Charset)
        return;
    FData.Charset = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value)
{
    if (value == FData.Pitch)
        return;
    FData.Pitch = value;
    Changed();
}

void TFont::Assign(const TFont& source)
{
    if (&source == this)
        return;
    FData = source.FData;
    FColor = source.FColor;
    Changed();
}
