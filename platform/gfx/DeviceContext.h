#pragma once
#include <memory>
#include <string>
#include <vector>
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Pen.h"
#include "platform/gfx/Region.h"

class TBitmap;

enum TBkMode { bkTransparent = 1, bkOpaque = 2 };

// What a device context answers when asked for its selected bitmap. A window
// context answers "none" (Bits == nullptr) so that code writing pixels
// directly never overwrites children or clipped parts of a window.
struct TSelectedBitmap {
    uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
    int Stride = 0;
    bool TopDown = true;
};

// A drawing target: a surface (a bitmap: a memory bitmap or a window's
// backing store), the place of the device origin in it, the clip and the
// selected drawing objects. Coordinates map as
//     surface = logical + viewport origin + device origin.
// The system clip (the visible part of a window, set by the window manager,
// in device coordinates) is not part of the saved state; everything else is.
class TDeviceContext {
public:
    // A memory context on a bitmap (which may be null until one is selected).
    explicit TDeviceContext(TBitmap* bitmap = nullptr);
    // A window context on a backing store: device (0,0) lies at origin and
    // drawing is limited to the visible region (device coordinates).
    static std::unique_ptr<TDeviceContext> ForWindow(TBitmap* backing, TPoint origin, const TRegion& visible);

    bool IsMemory() const { return FIsMemory; }
    TBitmap* Surface() const { return FSurface; }
    // Selects another bitmap into a memory context; returns the previous one.
    TBitmap* SelectBitmap(TBitmap* bitmap);
    TSelectedBitmap SelectedBitmap() const;

    // Set by the window manager.
    void SetDeviceOrigin(TPoint origin);
    TPoint DeviceOrigin() const { return FDeviceOrigin; }
    void SetSystemClip(const TRegion& visible);

    int SaveDC();
    // Restores a state saved by SaveDC; a negative value counts back from the
    // last saved state (-1 = the last). Returns false for an unknown level.
    bool RestoreDC(int saved);

    TPoint ViewportOrg() const { return FState.ViewportOrg; }
    TPoint SetViewportOrg(int x, int y);  // returns the previous origin
    TPoint OffsetViewportOrg(int dx, int dy);

    // Clip calls; rectangles are logical, regions device coordinates. Each
    // returns the kind of the resulting clip region.
    TRegionKind IntersectClipRect(const TRect& r);
    TRegionKind ExcludeClipRect(const TRect& r);
    TRegionKind SelectClipRgn(const TRegion* region);  // nullptr removes the clip
    TRegionKind OffsetClipRgn(int dx, int dy);
    // The application clip in device coordinates; false when none is set.
    bool GetClipRgn(TRegion& region) const;
    // The bounds of the drawable area in logical coordinates.
    TRect ClipBox() const;
    bool PtVisible(TPoint p) const;
    bool RectVisible(const TRect& r) const;

    TColor TextColor() const { return FState.TextColor; }
    TColor SetTextColor(TColor color);
    TColor BkColor() const { return FState.BkColor; }
    TColor SetBkColor(TColor color);
    TBkMode BkMode() const { return FState.BkMode; }
    TBkMode SetBkMode(TBkMode mode);

    const TPenData& Pen() const { return FState.Pen; }
    void SelectPen(const TPenData& pen) { FState.Pen = pen; }
    const TBrushData& Brush() const { return FState.Brush; }
    void SelectBrush(const TBrushData& brush) { FState.Brush = brush; }
    const TFontData& Font() const { return FState.Font; }
    void SelectFont(const TFontData& font) { FState.Font = font; }

    TPoint CurrentPos() const { return FState.CurrentPos; }
    void SetCurrentPos(TPoint p) { FState.CurrentPos = p; }

    // For the drawing code: logical to surface offset and the final clip in
    // surface coordinates (system clip, application clip and surface bounds).
    TPoint SurfaceOffset() const;
    const TRegion& Clip() const;

private:
    struct TState {
        TPoint ViewportOrg;
        bool HasClip = false;
        TRegion ClipRgn;  // device coordinates
        TColor TextColor = clBlack;
        TColor BkColor = clWhite;
        TBkMode BkMode = bkOpaque;
        TPenData Pen;
        TBrushData Brush;
        TFontData Font;
        TPoint CurrentPos;
    };

    // The region the application clip starts from when none is set yet.
    TRegion DeviceArea() const;
    void ClipChanged() { FClipValid = false; }
    // The clip combined with a rectangle given in logical units.
    TRegionKind CombineClipRect(const TRect& r, TRegion (TRegion::*combine)(const TRegion&) const);
    TRegionKind CurrentClipKind() const;

    TBitmap* FSurface = nullptr;
    bool FIsMemory = true;
    TPoint FDeviceOrigin;
    bool FHasSystemClip = false;
    TRegion FSystemClip;
    TState FState;
    std::vector<TState> FSaved;

    mutable bool FClipValid = false;
    mutable int FClipWidth = -1, FClipHeight = -1;
    mutable TRegion FClip;
};

// Saves a context's state and restores it at the end of the scope, also when
// a drawing handler throws, so no clip or origin of a failed paint stays behind.
class TSavedDC {
public:
    explicit TSavedDC(TDeviceContext* dc) : FDC(dc), FLevel(dc->SaveDC()) {}
    explicit TSavedDC(TDeviceContext& dc) : TSavedDC(&dc) {}
    ~TSavedDC() { FDC->RestoreDC(FLevel); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    TDeviceContext* FDC;
    int FLevel;
};
