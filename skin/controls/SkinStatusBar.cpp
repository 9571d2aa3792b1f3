#include "skin/controls/SkinStatusBar.h"
#include "platform/ui/Messages.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

TbsSkinStatusBar::TbsSkinStatusBar(TComponent* AOwner) : TbsSkinPanel(AOwner)
{
    FSkinDataName = "statusbar";
    SetAlign(alBottom);
    SetHeight(21);
    SetBorderStyle(TbsSkinBorderStyle::bvNone);
    SetForcebackGround(false);
}

void TbsSkinStatusBar::SetSkinData(TbsSkinData* Value)
{
    TbsSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* c = dynamic_cast<TbsSkinControl*>(Controls(i)))
            c->SetSkinData(Value);
}

void TbsSkinStatusBar::GetSkinData()
{
    TbsSkinPanel::GetSkinData();
    GripperRect = TRect{};
    if (FIndex == -1)
        return;
    if (const auto* e = dynamic_cast<const TbsDataSkinPanelControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
        GripperRect = e->GripperRect;
        GripperTransparent = e->GripperTransparent;
        GripperTransparentColor = e->GripperTransparentColor;
    }
}

void TbsSkinStatusBar::SetSizeGrip(bool Value)
{
    FSizeGrip = Value;
    Repaint();
    Realign();
}

void TbsSkinStatusBar::SetShowGrip(bool Value)
{
    FShowGrip = Value;
    Repaint();
    Realign();
}

void TbsSkinStatusBar::AdjustClientRect(TRect& R)
{
    TbsSkinPanel::AdjustClientRect(R);
    if (!FSizeGrip || !FShowGrip)
        return;
    if (FIndex != -1 && !IsNullRect(GripperRect) && Picture)
        R.Right -= RectWidth(GripperRect);
    else
        R.Right -= RectHeight(R);
}

TRect TbsSkinStatusBar::GetGripRect()
{
    const TRect r = GetSkinClientRect();
    if (FIndex != -1 && !IsNullRect(GripperRect) && Picture)
        return TRect{r.Right, r.Bottom - RectHeight(GripperRect), r.Right + RectWidth(GripperRect), r.Bottom};
    return TRect{r.Right + 2, r.Top, r.Right + RectHeight(r), r.Bottom - 2};
}

void DrawGrip(TCanvas& C, const TRect& R, TColor Light, TColor Dark)
{
    const int limit = RectWidth(R) / 3 + 1;
    for (int k = 1; k <= limit && R.Left + 3 * k + 2 <= R.Right; ++k) {
        C.Pen().SetColor(Dark);
        C.MoveTo(R.Left + 3 * k, R.Bottom);
        C.LineTo(R.Right, R.Top + 3 * k);
        C.Pen().SetColor(Light);
        C.MoveTo(R.Left + 3 * k + 1, R.Bottom);
        C.LineTo(R.Right, R.Top + 3 * k + 1);
    }
}

void TbsSkinStatusBar::CreateControlDefaultImage(TBitmap& B)
{
    TbsSkinPanel::CreateControlDefaultImage(B);
    if (FSizeGrip && FShowGrip)
        DrawGrip(*B.Canvas(), GetGripRect(), clBtnHighlight, clBtnShadow);
}

void TbsSkinStatusBar::CreateControlSkinImage(TBitmap& B)
{
    TbsSkinPanel::CreateControlSkinImage(B);
    if (!FSizeGrip || !FShowGrip)
        return;
    const TRect g = GetGripRect();
    if (!IsNullRect(GripperRect) && Picture) {
        TBitmap grip(RectWidth(GripperRect), RectHeight(GripperRect));
        CopyPiece(grip, TRect{0, 0, grip.Width(), grip.Height()}, *Picture, GripperRect);
        if (GripperTransparent) {
            grip.SetTransparentMode(tmFixed);
            grip.SetTransparentColor(GripperTransparentColor);
            grip.SetTransparent(true);
        }
        B.Canvas()->Draw(g.Left, g.Top, grip);
    } else {
        const TbsSkinColors* colors = FSD->SkinColors();
        DrawGrip(*B.Canvas(), g, colors ? colors->cBtnHighLight() : clBtnHighlight,
                 colors ? colors->cBtnShadow() : clBtnShadow);
    }
}

void TbsSkinStatusBar::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_NCHITTEST && !Designing() && FSizeGrip && FShowGrip) {
        const TPoint p = ScreenToClient(LParamToPoint(Message.LParam));
        GetSkinData();
        const TRect g = GetGripRect();
        Message.Result = (p.X >= g.Left && p.X <= g.Right && p.Y >= g.Top && p.Y <= g.Bottom) ? HTBOTTOMRIGHT
                                                                                                : HTCLIENT;
        return;
    }
    TbsSkinPanel::WndProc(Message);
}
