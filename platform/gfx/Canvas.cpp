#include "platform/gfx/Canvas.h"

#include "platform/gfx/Blit.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/gfx/Graphic.h"
#include "platform/gfx/Text.h"

void TPen::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPen::SetColor(TColor value)
{
    if (value != FData.Color) { FData.Color = value; Changed(); }
}

void TPen::SetWidth(int value)
{
    if (value < 0)
        value = 0;
    if (value != FData.Width) { FData.Width = value; Changed(); }
}

void TPen::SetStyle(TPenStyle value)
{
    if (value != FData.Style) { FData.Style = value; Changed(); }
}

void TPen::SetMode(TPenMode value)
{
    if (value != FData.Mode) { FData.Mode = value; Changed(); }
}

void TPen::Assign(const TPersistent* source)
{
    if (auto pen = dynamic_cast<const TPen*>(source))
        Assign(*pen);
    else
        TPersistent::Assign(source);
}

void TPen::Assign(const TPen& source)
{
    FData = source.FData;
    Changed();
}

void TBrush::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TBrush::SetColor(TColor value)
{
    if (value == FData.Color && FData.Style != bsClear)
        return;
    FData.Color = value;
    if (FData.Style == bsClear)
        FData.Style = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (value != FData.Style) { FData.Style = value; Changed(); }
}

void TBrush::Assign(const TPersistent* source)
{
    if (auto brush = dynamic_cast<const TBrush*>(source))
        Assign(*brush);
    else
        TPersistent::Assign(source);
}

void TBrush::Assign(const TBrush& source)
{
    FData = source.FData;
    Changed();
}

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

bool TCanvas::RequireState()
{
    if (!FHandle)
        return false;
    FHandle->SelectPen(FPen.Data());
    FHandle->SelectBrush(FBrush.Data());
    FHandle->SelectFont(FFont.Data());
    FHandle->SetTextColor(FFont.Color());
    if (FBrush.Style() == bsSolid) {
        FHandle->SetBkColor(FBrush.Color());
        FHandle->SetBkMode(bkOpaque);
    } else {
        FHandle->SetBkMode(bkTransparent);
    }
    return true;
}

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

bool TCanvas::TryLock()
{
    if (!FLock.try_lock())
        return false;
    ++FLockCount;
    return true;
}

TColor TCanvas::Pixels(int x, int y) const
{
    return FHandle ? ::GetPixel(*FHandle, x, y) : clNone;
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    if (!RequireState())
        return;
    Changing();
    ::SetPixel(*FHandle, x, y, color);
    Changed();
}

TPoint TCanvas::PenPos() const
{
    return FHandle ? FHandle->CurrentPos() : TPoint{};
}

void TCanvas::MoveTo(int x, int y)
{
    if (RequireState())
        ::MoveTo(*FHandle, x, y);
}

void TCanvas::LineTo(int x, int y)
{
    if (!RequireState())
        return;
    Changing();
    ::LineTo(*FHandle, x, y);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (!RequireState())
        return;
    Changing();
    ::Polyline(*FHandle, points);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (!RequireState())
        return;
    Changing();
    ::Polygon(*FHandle, points);
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (!RequireState())
        return;
    Changing();
    ::Rectangle(*FHandle, {left, top, right, bottom});
    Changed();
}

void TCanvas::FillRect(const TRect& r)
{
    if (!RequireState())
        return;
    Changing();
    ::FillRect(*FHandle, r, FBrush.Data());
    Changed();
}

void TCanvas::FrameRect(const TRect& r)
{
    if (!RequireState())
        return;
    Changing();
    if (FBrush.Style() != bsClear)
        ::FrameRect(*FHandle, r, FBrush.Color());
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (!RequireState())
        return;
    Changing();
    ::Ellipse(*FHandle, {left, top, right, bottom});
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (!RequireState())
        return;
    Changing();
    ::DrawFocusRect(*FHandle, r);
    Changed();
}

void TCanvas::Frame3D(TRect& r, TColor topColor, TColor bottomColor, int width)
{
    const TPenData saved = FPen.Data();
    FPen.SetWidth(1);
    FPen.SetStyle(psSolid);
    FPen.SetMode(pmCopy);
    --r.Bottom;
    --r.Right;
    while (width-- > 0) {
        FPen.SetColor(topColor);
        Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
        FPen.SetColor(bottomColor);
        Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
        r.Inflate(-1, -1);
    }
    ++r.Bottom;
    ++r.Right;
    FPen.SetColor(saved.Color);
    FPen.SetWidth(saved.Width);
    FPen.SetStyle(saved.Style);
    FPen.SetMode(saved.Mode);
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic)
{
    if (graphic.Empty() || !RequireState())
        return;
    Changing();
    graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic& graphic)
{
    if (graphic.Empty() || !RequireState())
        return;
    Changing();
    graphic.Draw(*this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect)
{
    if (!RequireState() || !source.RequireState())
        return;
    Changing();
    StretchBlt(*FHandle, dest, *source.Handle(), srcRect);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    if (!RequireState())
        return;
    Changing();
    ::TextOut(*FHandle, x, y, text);
    FHandle->SetCurrentPos({x + GetTextExtent(*FHandle, text).cx, y});
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text)
{
    if (!RequireState())
        return;
    Changing();
    unsigned options = ETO_CLIPPED;
    if (FBrush.Style() != bsClear)
        options |= ETO_OPAQUE;
    ExtTextOut(*FHandle, x, y, options, &r, text);
    Changed();
}

TSize TCanvas::TabbedTextOut(int x, int y, const std::string& text, const std::vector<int>& tabStops, int tabOrigin)
{
    if (!RequireState())
        return {};
    Changing();
    TSize size = ::TabbedTextOut(*FHandle, x, y, text, tabStops, tabOrigin);
    Changed();
    return size;
}

TSize TCanvas::TextExtent(const std::string& text)
{
    if (!RequireState())
        return {};
    return GetTextExtent(*FHandle, text);
}

int TCanvas::TextWidth(const std::string& text)
{
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const std::string& text)
{
    return TextExtent(text).cy;
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags)
{
    if (!RequireState())
        return 0;
    Changing();
    int h = ::DrawText(*FHandle, text, r, flags);
    Changed();
    return h;
}

TRect TCanvas::ClipRect() const
{
    return FHandle ? FHandle->ClipBox() : TRect{};
}
