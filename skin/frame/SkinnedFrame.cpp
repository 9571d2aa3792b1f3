#include "platform/ui/Ui.h"
#include "skin/data/SkinData.h"
#include "skin/frame/FormFrame.h"

// The frame drawn from a skin: its rectangles, painting, hit testing and
// window region. Until the skinned frame lands, a form with a skin keeps the
// skin's client insets (WM_NCCALCSIZE), a rectangular window and the plain
// background, and its frame is left unpainted.

void TbsFormFrame::CalcSkinRects()
{
    if (!FSD || !FSD->FPicture)
        return;
    const TRect& cl = FSD->ClRect;
    int pw = FSD->FPicture->Width(), ph = FSD->FPicture->Height();
    NewClRect = TRect{cl.Left, cl.Top, FFormWidth - (pw - cl.Right), FFormHeight - (ph - cl.Bottom)};
}

void TbsFormFrame::UpdateSkinFrame()
{
    CalcSkinRects();
    UpdateFormRegion();
}

void TbsFormFrame::PaintNCSkin(HDC, bool) {}

int TbsFormFrame::NCHitTestSkin(TPoint P)
{
    CalcSkinRects();
    return NewClRect.Contains(P) ? HTCLIENT : HTCAPTION;
}

void TbsFormFrame::PaintBG(HDC DC) { PaintBGDefault(DC); }
void TbsFormFrame::PaintBG2(HDC DC) { PaintBGDefault(DC); }
void TbsFormFrame::PaintBG3(HDC DC) { PaintBGDefault(DC); }

void TbsFormFrame::UpdateFormRegion()
{
    // No mask: the window is its rectangle.
    if (FForm->HandleAllocated())
        SetWindowRgn(FForm->Handle(), nullptr, false);
}

void TbsFormFrame::UpdateCaptionActiveState(bool) {}
