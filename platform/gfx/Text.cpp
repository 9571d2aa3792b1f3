#include "platform/gfx/Text.h"

#include "platform/core/Exception.h"

// Text through FreeType lands next; until then every text call says so.
namespace {
[[noreturn]] void NotYet() { throw EInvalidOperation("Text drawing is not available yet"); }
}  // namespace

void TextOut(TDeviceContext&, int, int, const std::string&) { NotYet(); }
void ExtTextOut(TDeviceContext&, int, int, unsigned, const TRect*, const std::string&) { NotYet(); }
TSize GetTextExtent(TDeviceContext&, const std::string&) { NotYet(); }
TTextMetric GetTextMetrics(TDeviceContext&) { NotYet(); }
TSize TabbedTextOut(TDeviceContext&, int, int, const std::string&, const std::vector<int>&, int) { NotYet(); }
TSize GetTabbedTextExtent(TDeviceContext&, const std::string&, const std::vector<int>&) { NotYet(); }
int DrawText(TDeviceContext&, const std::string&, TRect&, unsigned) { NotYet(); }
