#include "platform/ui/controls/StdMessages.h"

// Brushes travel in an LRESULT: a tag above the 32 colour bits tells a solid
// brush from the null brush, and 0 stays "not answered".
namespace {
constexpr LRESULT SolidTag = LRESULT(1) << 40;
constexpr LRESULT NullBrush = LRESULT(2) << 40;
}  // namespace

HBRUSH GetStockObject(int object)
{
    return object == NULL_BRUSH ? NullBrush : 0;
}

HBRUSH CreateSolidBrush(TColor color)
{
    return SolidTag | LRESULT(uint32_t(color));
}

bool IsNullBrush(HBRUSH brush)
{
    return brush == NullBrush;
}

bool BrushColor(HBRUSH brush, TColor& color)
{
    if ((brush & ~LRESULT(0xFFFFFFFF)) != SolidTag)
        return false;
    color = TColor(uint32_t(brush & 0xFFFFFFFF));
    return true;
}
