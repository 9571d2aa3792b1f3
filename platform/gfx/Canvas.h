#pragma once
#include <functional>
#include <mutex>
#include <string>
#include <vector>
#include "platform/core/Object.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Pen.h"

class TDeviceContext;
class TGraphic;

class TPen : public TPersistent {
public:
    TColor Color() const { return FData.Color; }
    void SetColor(TColor value);
    int Width() const { return FData.Width; }
    void SetWidth(int value);
    TPenStyle Style() const { return FData.Style; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FData.Mode; }
    void SetMode(TPenMode value);
    void Assign(const TPen& source);
    void Assign(const TPersistent* source) override;
    const TPenData& Data() const { return FData; }

    std::function<void(TObject* Sender)> OnChange;

private:
    void Changed();
    TPenData FData;
};

class TBrush : public TPersistent {
public:
    TColor Color() const { return FData.Color; }
    // Setting a colour makes a clear brush solid, as the classic brush does.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FData.Style; }
    void SetStyle(TBrushStyle value);
    void Assign(const TBrush& source);
    void Assign(const TPersistent* source) override;
    const TBrushData& Data() const { return FData; }

    std::function<void(TObject* Sender)> OnChange;

private:
    void Changed();
    TBrushData FData;
};

// Drawing on a device context with a pen, a brush and a font. The canvas
// hands its objects to the context before each call, so several canvases
// may share one context. Without a context every call does nothing.
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    TDeviceContext* Handle() const { return FHandle; }
    void SetHandle(TDeviceContext* dc) { FHandle = dc; }
    bool HandleAllocated() const { return FHandle != nullptr; }

    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }

    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);

    TPoint PenPos() const;
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void DrawFocusRect(const TRect& r);
    // Draws the outer bevel of r in two colours and shrinks r by width.
    void Frame3D(TRect& r, TColor topColor, TColor bottomColor, int width);

    void Draw(int x, int y, const TGraphic& graphic);
    void StretchDraw(const TRect& r, const TGraphic& graphic);
    // Copies (stretching) srcRect of another canvas into dest.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect);

    // A solid brush paints an opaque text cell in the brush colour; a clear
    // brush paints none.
    void TextOut(int x, int y, const std::string& text);
    // Text at (x, y) clipped to r, r filled first with a solid brush.
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    TSize TabbedTextOut(int x, int y, const std::string& text, const std::vector<int>& tabStops, int tabOrigin = 0);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TSize TextExtent(const std::string& text);
    // DrawText with this canvas's font and colours; returns the text height.
    int DrawText(const std::string& text, TRect& r, unsigned flags);

    // The drawable area in logical coordinates.
    TRect ClipRect() const;

    // Serialises drawing between threads; re-entrant.
    void Lock() { FLock.lock(); ++FLockCount; }
    void Unlock() { --FLockCount; FLock.unlock(); }
    bool TryLock();
    int LockCount() const { return FLockCount; }

    std::function<void(TObject* Sender)> OnChange;
    std::function<void(TObject* Sender)> OnChanging;

protected:
    // Hands pen, brush, font and colours to the context; false without one.
    bool RequireState();
    void Changing();
    void Changed();

private:
    TDeviceContext* FHandle = nullptr;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    std::recursive_mutex FLock;
    int FLockCount = 0;
};
