#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Ui.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/draw/TextUtils.h"
#include "skin/frame/FormFrame.h"

// The frame of a skinnable form without a skin: a 3-pixel three-tone border,
// a caption band of alternating light and dark lines behind the centred
// caption, and the six standard caption buttons drawn in system colours.

namespace {
constexpr int BorderWidth = 3;
constexpr int ButtonTop = 4;
}  // namespace

int TbsFormFrame::GetDefCaptionHeight() const
{
    TBorderStyle bs = FForm->BorderStyle();
    return bs == bsToolWindow || bs == bsSizeToolWin ? 15 : 19;
}

int TbsFormFrame::GetDefButtonSize() const
{
    TBorderStyle bs = FForm->BorderStyle();
    return bs == bsToolWindow || bs == bsSizeToolWin ? 13 : 17;
}

TPoint TbsFormFrame::ScreenToFrame(TPoint P) const
{
    // The window rectangle is on the screen for a top-level form and for a
    // form embedded as a child window alike.
    TRect r;
    if (FForm->HandleAllocated() && GetWindowRect(FForm->Handle(), r))
        return TPoint{P.X - r.Left, P.Y - r.Top};
    return TPoint{P.X - FForm->Left(), P.Y - FForm->Top()};
}

void TbsFormFrame::CalcDefRects()
{
    if (FFormWidth == 0 || FFormHeight == 0) {
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
    }
    if (ObjectList.empty())
        return;
    int size = GetDefButtonSize();
    int x = FFormWidth - BorderWidth;
    NewDefCaptionRect = TRect{BorderWidth, BorderWidth, x, GetDefCaptionHeight()};
    auto find = [this](TbsStdCommand c) -> TbsSkinStdButtonObject* {
        for (auto& o : ObjectList)
            if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
                b && b->Visible && b->SkinRectInAPicture && b->Command == c)
                return b;
        return nullptr;
    };
    for (TbsStdCommand c : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        if (auto* b = find(c)) {
            b->ObjectRect = TRect{x - size, ButtonTop, x, ButtonTop + size};
            x -= size;
        }
    NewDefCaptionRect.Right = x;
    if (auto* b = find(cmSysMenu)) {
        TSize s = FShowIcon ? GetSmallIconSize() : TSize{size, size};
        b->ObjectRect = TRect{BorderWidth, ButtonTop, BorderWidth + s.cx, ButtonTop + s.cy};
        NewDefCaptionRect.Left = BorderWidth + s.cx;
    }
}

void TbsFormFrame::GetDefCaptionRect(TRect& R)
{
    CalcDefRects();
    R = NewDefCaptionRect;
}

void TbsFormFrame::PaintNCDefault(HDC ADC, bool AUseExternalDC)
{
    if (FSD && FSD->ChangeSkinDataProcess)
        return;
    // The buttons are made before the caption is laid out, so that even the
    // first paint centres the caption between them.
    if (ObjectList.empty() && !FSkinSupport)
        CreateDefaultButtons();
    CalcDefRects();
    HDC dc = AUseExternalDC ? ADC : GetWindowDC(FForm->Handle());
    if (!dc)
        return;
    int capH = GetDefCaptionHeight();
    int W = FFormWidth, H = FFormHeight;

    TBitmap caption(std::max(W - 2 * BorderWidth, 0), capH);
    TCanvas& c = *caption.Canvas();
    c.Brush().SetColor(clBtnFace);
    c.FillRect(TRect{0, 0, caption.Width(), capH});
    int L = NewDefCaptionRect.Left - BorderWidth, R = NewDefCaptionRect.Right - BorderWidth;
    if (ObjectList.empty()) {   // before the buttons exist the caption spans the band
        L = 0;
        R = caption.Width();
    }

    if (capH - 4 > 1) {
        for (int y = 2; y <= capH - 4; ++y) {
            c.Pen().SetColor(y % 2 == 0 ? clBtnHighlight : clBtnShadow);
            c.MoveTo(L + 2, y);
            c.LineTo(R - 6, y);
        }
    }

    bool active = GetFormActive();
    c.Font().Assign(active ? FDefCaptionFont : FDefInActiveCaptionFont);
    if (FSD && FSD->ResourceStrData())
        c.Font().SetCharset(FSD->ResourceStrData()->CharSet());
    std::string text = CaptionText();
    if (OnCaptionPaint) {
        OnCaptionPaint(c, TRect{L, 0, R, capH}, active);
    } else if (!text.empty()) {
        FitTextToWidthW(c, text, R - L);
        int w = CalcTextWidthW(c, text);
        int h = CalcTextHeightW(c, text);
        int x = L + (R - L) / 2 - (w + 5) / 2;
        int y = capH / 2 - h / 2;
        TRect tr{x, y, x, y};
        c.DrawText(text, tr, DT_CALCRECT);
        TRect back = tr;
        back.Inflate(2, 2);
        c.Brush().SetColor(clBtnFace);
        c.FillRect(back);
        c.Brush().SetStyle(bsClear);
        c.DrawText(text, tr, DT_VCENTER);
        c.Brush().SetStyle(bsSolid);
    }

    if (!ObjectList.empty()) {
        CalcDefRects();
        for (auto& o : ObjectList) {
            if (!o->Visible)
                continue;
            o->ObjectRect = o->ObjectRect.Offsetted(-BorderWidth, -BorderWidth);
            o->Draw(c, true);
            o->ObjectRect = o->ObjectRect.Offsetted(BorderWidth, BorderWidth);
        }
    }

    int saved = dc->SaveDC();
    dc->ExcludeClipRect(TRect{BorderWidth, capH + BorderWidth, W - BorderWidth, H - BorderWidth});
    TCanvas frame;
    frame.SetHandle(dc);
    frame.Draw(BorderWidth, BorderWidth, caption);
    TRect r{0, 0, W, H};
    frame.Frame3D(r, cl3DLight, cl3DDkShadow, 1);
    frame.Frame3D(r, clBtnHighlight, clBtnShadow, 1);
    frame.Frame3D(r, clBtnFace, clBtnFace, 1);
    frame.SetHandle(nullptr);
    dc->RestoreDC(saved);
    if (!AUseExternalDC)
        ReleaseDC(FForm->Handle(), dc);
}

void TbsFormFrame::PaintBGDefault(HDC DC)
{
    if (!DC)
        return;
    TRect client = FForm->ClientRect();
    FillRect(*DC, client, clBtnFace);
    if (!FLogoBitMap.Empty()) {
        TCanvas c;
        c.SetHandle(DC);
        int x = client.Left + (client.Width() - FLogoBitMap.Width()) / 2;
        int y = client.Top + (client.Height() - FLogoBitMap.Height()) / 2;
        TBitmap logo(FLogoBitMap);
        logo.SetTransparent(LogoBitMapTransparent);
        c.Draw(x, y, logo);
        c.SetHandle(nullptr);
    }
}

void TbsFormFrame::PaintMDIBGDefault(HDC DC)
{
    // The client window of an MDI form, without a skin.
    if (DC)
        FillRect(*DC, FForm->ClientRect(), clAppWorkSpace);
}

int TbsFormFrame::NCHitTestDefault(TPoint P)
{
    TRect wr;
    if (!FForm->HandleAllocated() || !GetWindowRect(FForm->Handle(), wr))
        wr = FForm->BoundsRect();
    int W = wr.Width(), H = wr.Height();
    if (FWindowState != wsMaximized && !FRollUpState && CanResize() && FWindowState != wsMinimized) {
        if (ActiveObject != -1)
            return HTOBJECT;
        bool left = P.X <= 2, top = P.Y <= 2, right = P.X >= W - 2, bottom = P.Y >= H - 2;
        if (left && top) return HTTOPLEFT;
        if (right && top) return HTTOPRIGHT;
        if (left && bottom) return HTBOTTOMLEFT;
        if (right && bottom) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (top) return HTTOP;
        if (right) return HTRIGHT;
        if (bottom) return HTBOTTOM;
    }
    TRect caption;
    GetDefCaptionRect(caption);
    if (caption.Contains(P))
        return HTCAPTION;
    if (TRect{BorderWidth, GetDefCaptionHeight() + BorderWidth, W - BorderWidth, H - BorderWidth}.Contains(P))
        return HTCLIENT;
    return HTOBJECT;
}
