#pragma once
#include <string>
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "skin/data/SkinTypes.h"

class TbsDataSkinButtonControl;

// The fields a push or tool button copies from its "button" element.
struct TbsButtonElement {
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect, FocusedSkinRect, AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1, GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0, GlowLayerOffsetRight = 0, GlowLayerOffsetTop = 0, GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0, GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

    // Copies E with the fallbacks: an empty active face is the normal one,
    // an empty down face the active one, empty marker states fall back in
    // turn, and a disabled colour equal to the normal one becomes grey.
    void CopyButtonElement(const TbsDataSkinButtonControl& E, const TRect& SkinRect);
    // The caption colour of a skinned face: PlainColor when the skin's
    // colours are not wanted, else the element's colour for the state.
    TColor FaceFontColor(bool Enabled, bool UseSkinFontColor, TColor PlainColor, bool ADown, bool AMouseIn) const;
    // Frame N (1-based) of the element's frame animation.
    TRect AnimationFrame(int N, const TRect& SkinRect) const;
};

// Frame of a glyph strip to show, 1-based.
int ButtonGlyphNumber(bool Down, bool Hot, bool Enabled, int NumGlyphs);
