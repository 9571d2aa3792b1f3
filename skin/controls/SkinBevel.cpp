#include "skin/controls/SkinBevel.h"
#include "platform/gfx/Canvas.h"
#include "skin/controls/ControlHost.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"

TbsSkinBevel::TbsSkinBevel(TComponent* AOwner) : TBevel(AOwner) {}

void TbsSkinBevel::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
    ChangeSkinData();
}

void TbsSkinBevel::Notification(TComponent* AComponent, TOperation Operation)
{
    TBevel::Notification(AComponent, Operation);
    if (FSD.Drop(AComponent, Operation))
        FIndex = -1;
}

void TbsSkinBevel::ChangeSkinData()
{
    FIndex = (FSD && !FSD->Empty) ? FSD->GetControlIndex(FSkinDataName) : -1;
    LightColor = clBtnHighlight;
    DarkColor = clBtnShadow;
    if (FIndex != -1)
        if (const auto* e = dynamic_cast<const TbsDataSkinBevel*>(FSD->CtrlList[size_t(FIndex)].get())) {
            LightColor = e->LightColor;
            DarkColor = e->DarkColor;
        }
    Repaint();
}

void TbsSkinBevel::SetDividerMode(bool Value)
{
    FDividerMode = Value;
    Repaint();
}

void TbsSkinBevel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (auto* host = dynamic_cast<TbsSkinControlHost*>(Parent()); host && host->AdjustControls()) {
        const TRect r = host->GetSkinClientRect();
        ATop = r.Top + RectHeight(r) / 2 - AHeight / 2;
    }
    TBevel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TbsSkinBevel::Paint()
{
    TCanvas& c = Canvas();
    TColor c1 = DarkColor, c2 = LightColor;
    if (Style() == bsRaised)
        std::swap(c1, c2);
    // Left and top in the first colour, right and bottom in the second; the
    // end points stay unpainted as with every line.
    auto bevelRect = [&](const TRect& R, TColor A, TColor B) {
        c.Pen().SetColor(A);
        c.Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
        c.Pen().SetColor(B);
        c.Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}});
    };
    auto bevelLine = [&](TColor C, int X1, int Y1, int X2, int Y2) {
        c.Pen().SetColor(C);
        c.MoveTo(X1, Y1);
        c.LineTo(X2, Y2);
    };
    const int w = Width(), h = Height();
    if (FDividerMode) {
        switch (Shape()) {
        case bsTopLine:
        case bsBottomLine: bevelRect(TRect{2, h / 2 - 1, w - 2, h / 2}, c1, c2); break;
        case bsSpacer: break;
        default: bevelRect(TRect{w / 2 - 1, 2, w / 2, h - 2}, c1, c2); break;
        }
        return;
    }
    switch (Shape()) {
    case bsBox: bevelRect(TRect{0, 0, w - 1, h - 1}, c1, c2); break;
    case bsFrame:
        bevelRect(TRect{1, 1, w - 1, h - 1}, c2, c2);
        bevelRect(TRect{0, 0, w - 2, h - 2}, c1, c1);
        break;
    case bsTopLine:
        bevelLine(c1, 0, 0, w, 0);
        bevelLine(c2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        bevelLine(c1, 0, h - 2, w, h - 2);
        bevelLine(c2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        bevelLine(c1, 0, 0, 0, h);
        bevelLine(c2, 1, 0, 1, h);
        break;
    case bsRightLine:
        bevelLine(c1, w - 2, 0, w - 2, h);
        bevelLine(c2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}
