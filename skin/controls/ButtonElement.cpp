#include "skin/controls/ButtonElement.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/draw/RectUtils.h"

void TbsButtonElement::CopyButtonElement(const TbsDataSkinButtonControl& E, const TRect& SkinRect)
{
    FontName = E.FontName;
    FontColor = E.FontColor;
    ActiveFontColor = E.ActiveFontColor;
    DownFontColor = E.DownFontColor;
    FontStyle = E.FontStyle;
    FontHeight = E.FontHeight;
    ActiveSkinRect = IsNullRect(E.ActiveSkinRect) ? SkinRect : E.ActiveSkinRect;
    DownSkinRect = IsNullRect(E.DownSkinRect) ? ActiveSkinRect : E.DownSkinRect;
    DisabledSkinRect = E.DisabledSkinRect;
    FocusedSkinRect = E.FocusedSkinRect;
    DisabledFontColor = E.DisabledFontColor;
    Morphing = E.Morphing;
    MorphKind = E.MorphKind;
    AnimateSkinRect = E.AnimateSkinRect;
    FrameCount = E.FrameCount;
    AnimateInterval = E.AnimateInterval;
    ShowFocus = E.ShowFocus;
    MenuMarkerFlatRect = E.MenuMarkerFlatRect;
    MenuMarkerRect = E.MenuMarkerRect;
    MenuMarkerActiveRect = IsNullRect(E.MenuMarkerActiveRect) ? MenuMarkerRect : E.MenuMarkerActiveRect;
    MenuMarkerDownRect = IsNullRect(E.MenuMarkerDownRect) ? MenuMarkerActiveRect : E.MenuMarkerDownRect;
    if (IsNullRect(MenuMarkerFlatRect))
        MenuMarkerFlatRect = MenuMarkerRect;
    MenuMarkerTransparentColor = E.MenuMarkerTransparentColor;
    if (DisabledFontColor == FontColor)
        DisabledFontColor = clGray;
    GlowLayerPictureIndex = E.GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = E.GlowLayerMaskPictureIndex;
    GlowLayerOffsetLeft = E.GlowLayerOffsetLeft;
    GlowLayerOffsetRight = E.GlowLayerOffsetRight;
    GlowLayerOffsetTop = E.GlowLayerOffsetTop;
    GlowLayerOffsetBottom = E.GlowLayerOffsetBottom;
    GlowLayerShowOffsetX = E.GlowLayerShowOffsetX;
    GlowLayerShowOffsetY = E.GlowLayerShowOffsetY;
    GlowLayerAlphaBlendValue = E.GlowLayerAlphaBlendValue;
}

TRect TbsButtonElement::AnimationFrame(int N, const TRect& SkinRect) const
{
    if (FrameCount <= 0)
        return SkinRect;
    if (RectWidth(AnimateSkinRect) > RectWidth(SkinRect)) {
        const int w = RectWidth(AnimateSkinRect) / FrameCount;
        const int left = AnimateSkinRect.Left + (N - 1) * w;
        return TRect{left, AnimateSkinRect.Top, left + w, AnimateSkinRect.Bottom};
    }
    const int h = RectHeight(AnimateSkinRect) / FrameCount;
    const int top = AnimateSkinRect.Top + (N - 1) * h;
    return TRect{AnimateSkinRect.Left, top, AnimateSkinRect.Right, top + h};
}

int ButtonGlyphNumber(bool Down, bool Hot, bool Enabled, int NumGlyphs)
{
    if (Down && Hot && NumGlyphs > 2)
        return 3;
    if (Hot && NumGlyphs > 3)
        return 4;
    if (!Enabled && NumGlyphs > 1)
        return 2;
    return 1;
}

TColor TbsButtonElement::FaceFontColor(bool Enabled, bool UseSkinFontColor, TColor PlainColor, bool ADown,
                                       bool AMouseIn) const
{
    if (Enabled && !UseSkinFontColor)
        return PlainColor;
    if (!Enabled)
        return DisabledFontColor;
    if (ADown && AMouseIn)
        return DownFontColor;
    if (AMouseIn)
        return ActiveFontColor;
    return FontColor;
}
