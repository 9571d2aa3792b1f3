#include "skin/controls/SkinMenuSpeedButton.h"
#include "platform/gfx/Canvas.h"
#include "skin/controls/ControlPaint.h"
#include "skin/controls/MenuLinks.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Marks.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(TComponent* AOwner) : TbsSkinSpeedButton(AOwner)
{
    FSkinDataName = "toolmenubutton";
}

void TbsSkinMenuSpeedButton::SetTrackButtonMode(bool Value)
{
    FTrackButtonMode = Value;
    if (FIndex == -1)
        Repaint();
}

void TbsSkinMenuSpeedButton::SetNewStyle(bool Value)
{
    FNewStyle = Value;
    if (Value)
        FSkinDataName = "resizetoolbutton";
}

void TbsSkinMenuSpeedButton::SetTrackPosition(TbsTrackPosition Value)
{
    FTrackPosition = Value;
    Repaint();
}

void TbsSkinMenuSpeedButton::GetSkinData()
{
    TbsSkinSpeedButton::GetSkinData();
    if (FIndex != -1)
        if (const auto* e = dynamic_cast<const TbsDataSkinMenuButtonControl*>(FSD->CtrlList[size_t(FIndex)].get()))
            TrackButtonRect = e->TrackButtonRect;
}

bool TbsSkinMenuSpeedButton::IsToolMenuKind() const { return !StretchedKind() && !NineSliceKind(); }

// The element's track rectangle at the current size. It follows the part of
// the element it lies in, so a track band in the right cap of a nine-slice
// element stays at the right edge as the button grows (the same move as
// across- and down-resizing elements get).
TRect TbsSkinMenuSpeedButton::TrackPart() const { return MapSkinRect(TrackButtonRect, Width(), Height()); }

bool TbsSkinMenuSpeedButton::HitTrack(int X, int Y)
{
    if (!FSkinPopupMenu && !SkinImagesMenu())
        return false;
    if (!FTrackButtonMode)
        return true;
    GetSkinData();
    TRect r;
    if (FIndex != -1 && IsToolMenuKind()) {
        r = TrackPart();
    } else if (FNewStyle && FTrackPosition == bstpBottom) {
        r = TRect{0, Height() - TrackSize, Width(), Height()};
    } else {
        r = TRect{Width() - TrackSize, 0, Width(), Height()};
    }
    return PointInsideRect(r, TPoint{X, Y});
}

void TbsSkinMenuSpeedButton::DropDownMenu()
{
    const TPoint p = ClientToScreen(TPoint{0, 0});
    const TRect r{p.X, p.Y, p.X + Width(), p.Y + Height()};
    if (FSkinPopupMenu) {
        if (OnShowTrackMenu)
            OnShowTrackMenu(this);
        FSkinPopupMenu->PopupFromRect2(this, r, false);
    }
    if (TbsButtonImagesMenu* images = SkinImagesMenu()) {
        if (OnShowTrackMenu)
            OnShowTrackMenu(this);
        images->OnInternalMenuClose = [this] { EndTracking(true); };
        images->PopupFromRect(r);
    }
}

void TbsSkinMenuSpeedButton::EndTracking(bool HideEventFirst)
{
    FMenuTracked = false;
    SetDown(false);
    if (HideEventFirst && OnHideTrackMenu)
        OnHideTrackMenu(this);
    FMouseIn = false;
    if (!HideEventFirst && OnHideTrackMenu)
        OnHideTrackMenu(this);
    Repaint();
}

void TbsSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && Enabled()) {
        FMenuTracked = HitTrack(X, Y);
        FMouseIn = true;
        if (FMenuTracked) {
            if (!FDown)
                SetDown(true);
            DropDownMenu();
            return;
        }
    }
    TbsSkinSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TbsSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FMenuTracked)
        return;
    TbsSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TbsSkinMenuSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_CLOSESKINMENU:
        if (FMenuTracked)
            EndTracking(false);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (FMenuTracked) {
            TbsGraphicSkinCustomControl::WndProc(m);
            if (m.LParam == 0 && !Designing())
                FMouseIn = m.Msg == CM_MOUSEENTER;
            return;
        }
        break;
    default:
        break;
    }
    TbsSkinSpeedButton::WndProc(m);
}

// ------------------------------------------------------------- faces

TRect TbsSkinMenuSpeedButton::StateRect(bool Pressed, bool Hot) const
{
    if (Pressed)
        return DownSkinRect;
    if (Hot)
        return ActiveSkinRect;
    return SkinRect;
}

void TbsSkinMenuSpeedButton::ComposePart(TBitmap& B, const TRect& S, int X, int Y, int W, int H, bool NineSlice)
{
    if (!Picture || W <= 0 || H <= 0)
        return;
    TBitmap part(W, H);
    if (NineSlice) {
        const TbsSkinGeometry g =
            GrownGeometry(LTPt, RTPt, LBPt, RBPt, ClRect, W - RectWidth(SkinRect), H - RectHeight(SkinRect));
        CreateSkinImage(g, part, *Picture, S, W, H, true, LeftStretch, TopStretch, RightStretch, BottomStretch,
                        StretchEffect, StretchType);
    } else {
        CreateStretchImage(part, *Picture, S, ClRect, true);
    }
    B.Canvas()->Draw(X, Y, part);
}

TColor TbsSkinMenuSpeedButton::PartFontColor(bool Pressed) const
{
    if (Enabled() && !UseSkinFontColor())
        return DefaultFont().Color();
    if (!Enabled())
        return DisabledFontColor;
    if (Pressed && !(FMenuTracked && FTrackButtonMode))
        return DownFontColor;
    if (!FMouseIn)
        return FontColor;
    return ActiveFontColor;
}

void TbsSkinMenuSpeedButton::DrawMarker(TCanvas& C, TRect R, bool Pressed, TColor Color)
{
    if (Pressed || FMenuTracked)
        R = TRect{Width() - 13, R.Top + 2, Width() + 2, R.Bottom + 2};
    if (FDrawStandardArrow)
        DrawArrow(C, R, Color, FArrowType);
    else if (FIndex != -1 && !IsNullRect(MenuMarkerRect))
        DrawMenuMarker(C, R, FMouseIn, Pressed || FMenuTracked, false);
    else
        DrawDownArrowMark(C, R, FMenuTracked && FIndex != -1 ? DownFontColor : Color);
}

void TbsSkinMenuSpeedButton::DrawTwoPartFaces(TBitmap& B, bool NineSlice)
{
    const bool pressed = FDown && FMouseIn;
    const int W = Width(), H = Height();
    B.SetSize(W, H);
    if (FTrackButtonMode) {
        TRect main, track;
        bool draw = true;
        if (FMenuTracked) {
            main = ActiveSkinRect;
            track = DownSkinRect;
        } else if (pressed) {
            main = track = DownSkinRect;
        } else if (FMouseIn) {
            main = track = ActiveSkinRect;
        } else {
            main = track = SkinRect;
            draw = !Flat();
        }
        if (draw) {
            ComposePart(B, main, 0, 0, W - TrackSize, H, NineSlice);
            ComposePart(B, track, W - TrackSize, 0, TrackSize, H, NineSlice);
        }
    } else if (pressed || FMenuTracked || FMouseIn || !Flat()) {
        ComposePart(B, StateRect(pressed || FMenuTracked, FMouseIn), 0, 0, W, H, NineSlice);
    }
    TCanvas& c = *B.Canvas();
    ApplyControlFont(c, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    const TColor color = PartFontColor(pressed || FMenuTracked);
    c.Font().SetColor(color);
    const bool contentDown = (pressed || FMenuTracked) && !(FMenuTracked && FTrackButtonMode);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, NewClRect, pressed, FMouseIn, drawDefault);
    if (drawDefault)
        DrawContent(c, TRect{0, 0, W - TrackSize, H}, contentDown, contentDown, false);
    DrawMarker(c, TRect{W - TrackSize, 0, W, H}, pressed, color);
}

// The faces of "resizetoolbutton" with a separate track element; false when
// the skin has neither that element nor "resizebutton".
bool TbsSkinMenuSpeedButton::DrawNewStyleFaces(TBitmap& B)
{
    const TbsDataSkinButtonControl* main = nullptr;
    for (const char* name : {"resizetoolbutton", "resizebutton"})
        if (int i = FSD->GetControlIndex(name); i != -1)
            if ((main = dynamic_cast<const TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(i)].get())))
                break;
    if (!main)
        return false;
    const int W = Width(), H = Height();
    const bool pressed = FDown && FMouseIn;
    const bool trackedInMode = FMenuTracked && FTrackButtonMode;
    auto face = [&](const TbsDataSkinButtonControl& e, int state, int x, int y, int w, int h) {
        // A picture index outside the skin draws nothing of the skin.
        const TBitmap* pic = FSD->ActivePicture(e.PictureIndex);
        if (!pic || w <= 0 || h <= 0)
            return;
        TbsElementGeometry g;
        g.CopyElement(e, *FSD);
        int fw = w, fh = h;
        g.FitSize(fw, fh, true);
        TRect active = IsNullRect(e.ActiveSkinRect) ? e.SkinRect : e.ActiveSkinRect;
        TRect down = IsNullRect(e.DownSkinRect) ? active : e.DownSkinRect;
        const TRect s = state == 2 ? down : (state == 1 ? active : e.SkinRect);
        TBitmap part;
        g.ResizeMode = 1;
        CreateSkinImage(g.Geometry(), part, *pic, s, w, h, true, e.LeftStretch, e.TopStretch, e.RightStretch,
                        e.BottomStretch, e.StretchEffect, e.StretchType);
        B.Canvas()->Draw(x, y, part);
    };
    const int mainState = pressed && !trackedInMode ? 2 : (FMouseIn ? 1 : 0);
    const bool bottom = FTrackPosition == bstpBottom;
    const TRect strip = bottom ? TRect{0, H - TrackSize, W, H} : TRect{W - TrackSize, 0, W, H};
    if (FMouseIn && FTrackButtonMode) {
        const TbsDataSkinButtonControl* track = nullptr;
        if (int i = FSD->GetControlIndex(bottom ? "htracktoolbutton" : "vtracktoolbutton"); i != -1)
            track = dynamic_cast<const TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(i)].get());
        const int trackState = FMenuTracked ? 2 : 1;
        if (track) {
            face(*main, mainState, 0, 0, W, H);
            face(*track, trackState, strip.Left, strip.Top, RectWidth(strip), RectHeight(strip));
        } else {
            face(*main, mainState, 0, 0, bottom ? W : W - TrackSize, bottom ? H - TrackSize : H);
            face(*main, trackState, strip.Left, strip.Top, RectWidth(strip), RectHeight(strip));
        }
    } else {
        face(*main, mainState, 0, 0, W, H);
    }
    TCanvas& c = *B.Canvas();
    ApplyControlFont(c, FSD, UseSkinFont(), main->FontName, main->FontHeight, main->FontStyle, DefaultFont());
    const TColor color = PartFontColor(pressed && !trackedInMode);
    c.Font().SetColor(color);
    const TRect content = bottom ? TRect{0, 0, W, H - TrackSize} : TRect{0, 0, W - TrackSize, H};
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, content, pressed, FMouseIn, drawDefault);
    if (drawDefault)
        DrawContent(c, content, pressed && !trackedInMode, pressed && !trackedInMode, false);
    TRect m = strip;
    if (pressed && (!FTrackButtonMode || FMenuTracked))
        m.Offset(1, 1);
    if (FDrawStandardArrow)
        DrawArrow(c, m, color, FArrowType);
    else if (!IsNullRect(MenuMarkerRect))
        DrawMenuMarker(c, m, FMouseIn, pressed || FMenuTracked, false);
    else
        DrawDownArrowMark(c, m, FMenuTracked ? DownFontColor : color);
    return true;
}

void TbsSkinMenuSpeedButton::DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn)
{
    if (FNewStyle && FSkinDataName == "resizetoolbutton") {
        B.SetSize(Width(), Height());
        DrawNewStyleFaces(B);
        return;
    }
    if (StretchedKind() || NineSliceKind()) {
        DrawTwoPartFaces(B, NineSliceKind());
        return;
    }
    TbsSkinSpeedButton::DrawStateImage(B, R, ADown, AMouseIn);
    if (FMenuTracked && FTrackButtonMode && !IsNullRect(TrackButtonRect) && !IsNullRect(DownSkinRect) && Picture) {
        // The active face with the pressed track part of the down face over it.
        TbsSkinSpeedButton::DrawStateImage(B, ActiveSkinRect, false, true);
        TRect src = TrackButtonRect;
        src.Offset(DownSkinRect.Left, DownSkinRect.Top);
        CopyPiece(B, TrackPart(), *Picture, src);
    }
}

void TbsSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& c = *B.Canvas();
    const int W = Width(), H = Height();
    const bool pressed = FDown && FMouseIn;
    const bool bottom = FNewStyle && FTrackPosition == bstpBottom;
    const bool split = FTrackButtonMode && (!FNewStyle || FMouseIn);
    const TRect main = bottom ? TRect{0, 0, W, H - TrackSize} : TRect{0, 0, W - TrackSize, H};
    const TRect track = bottom ? TRect{0, H - TrackSize, W, H} : TRect{W - TrackSize, 0, W, H};
    auto face = [&](const TRect& r, bool down, bool hot) {
        if (down)
            DrawPlainFace(c, r, PlainHotFrame, PlainDownFill);
        else if (hot)
            DrawPlainFace(c, r, PlainHotFrame, PlainHotFill);
        else if (Flat()) {
            c.Brush().SetColor(clBtnFace);
            c.FillRect(r);
        } else
            DrawPlainFace(c, r, clBtnShadow, clBtnFace);
    };
    if (split) {
        if (FMenuTracked) {
            face(main, false, true);
            face(track, true, true);
        } else {
            face(main, pressed, FMouseIn);
            face(track, pressed, FMouseIn);
        }
    } else {
        face(TRect{0, 0, W, H}, pressed || FMenuTracked, FMouseIn);
    }
    c.Font().Assign(DefaultFont());
    c.Font().SetCharset(ControlCharset(FSD, DefaultFont()));
    if (!Enabled())
        c.Font().SetColor(clBtnShadow);
    const bool contentDown = (pressed || FMenuTracked) && !(FMenuTracked && FTrackButtonMode);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, main, pressed, FMouseIn, drawDefault);
    if (drawDefault)
        DrawContent(c, main, contentDown, contentDown, false);
    TRect m = track;
    const bool moved = FNewStyle ? (pressed && (!FTrackButtonMode || FMenuTracked)) : (pressed || FMenuTracked);
    if (moved) {
        if (FNewStyle)
            m.Offset(2, 2);
        else
            m = TRect{W - 13, 2, W + 2, H + 2};
    }
    // Greyed with the caption when disabled, so the mark never looks clickable.
    const TColor mark = Enabled() ? clBtnText : clBtnShadow;
    if (FDrawStandardArrow)
        DrawArrow(c, m, mark, FArrowType);
    else
        DrawDownArrowMark(c, m, mark);
}

void TbsSkinMenuSpeedButton::Paint()
{
    GetSkinData();
    if (Width() < 1 || Height() < 1)
        return;
    if (FMouseIn || FDown || FMenuTracked || !Transparent()) {
        TbsSkinSpeedButton::Paint();
        return;
    }
    // Transparent at rest: only the content and the marker, on the parent.
    TCanvas& c = Canvas();
    const bool skinned = FIndex != -1;
    if (skinned) {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
    }
    const bool toolMenu = skinned && IsToolMenuKind();
    const bool bottom = FNewStyle && FTrackPosition == bstpBottom;
    TRect content = toolMenu ? NewClRect
                             : (bottom ? TRect{0, 0, Width(), Height() - TrackSize}
                                       : TRect{0, 0, Width() - TrackSize, Height()});
    if (skinned)
        ApplyControlFont(c, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    else {
        c.Font().Assign(DefaultFont());
        c.Font().SetCharset(ControlCharset(FSD, DefaultFont()));
    }
    TColor color;
    if (skinned)
        color = !Enabled() ? FSD->SkinColors()->cBtnShadow()
                           : (UseSkinFontColor() ? FSD->SkinColors()->cBtnText() : DefaultFont().Color());
    else
        color = Enabled() ? DefaultFont().Color() : clBtnShadow;
    c.Font().SetColor(color);
    DrawContent(c, content, false, false, true);
    TRect m;
    if (toolMenu)
        m = TRect{content.Right, 0, Width(), Height()};
    else
        m = bottom ? TRect{0, Height() - TrackSize, Width(), Height()}
                   : TRect{Width() - TrackSize, 0, Width(), Height()};
    if (skinned && ResizeMode != 1)
        m.Offset(-2, 0);
    if (FDrawStandardArrow)
        DrawArrow(c, m, color, FArrowType);
    else if (skinned && !IsNullRect(MenuMarkerFlatRect))
        DrawMenuMarker(c, m, false, false, true);
    else
        DrawDownArrowMark(c, m, skinned ? FSD->SkinColors()->cBtnText() : clBtnText);
}
