#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinElementBaseImpl.h"
#include <optional>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "skin/controls/ControlHost.h"
#include "skin/data/SkinData.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/RectUtils.h"

// ------------------------------------------------------------ TbsSkinControl

template class TbsSkinElementBase<TCustomControl>;
template class TbsSkinSizedBase<TbsSkinControl>;

TbsSkinControl::TbsSkinControl(TComponent* AOwner) : TbsSkinElementBase(AOwner) {}

void TbsSkinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHECKPARENTBG:
        CheckParentBackground();
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;   // the face is painted whole from the off-screen bitmap
        return;
    case WM_PAINT:
        FromWMPaint = true;
        TCustomControl::WndProc(Message);
        FromWMPaint = false;
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

void TbsSkinControl::PaintFaceTo(HDC DC)
{
    TCanvas& c = Canvas();
    TDeviceContext* previous = c.Handle();
    c.SetHandle(DC);
    Paint();
    c.SetHandle(previous);
}

bool TbsSkinControl::TakeFocusBeforePress(bool& ClicksDisabled)
{
    if (Focused() || !CanFocus() || Designing())
        return true;
    ClicksDisabled = true;
    SetFocus();
    ClicksDisabled = false;
    return Focused();
}

// ------------------------------------------------------ TbsSkinCustomControl

TbsSkinCustomControl::TbsSkinCustomControl(TComponent* AOwner) : TbsSkinSizedBase(AOwner) {}

void TbsSkinCustomControl::ReadElement(const TbsDataSkinCustomControl& E)
{
    TbsSkinSizedBase::ReadElement(E);
    MaskPicture = FSD->ActivePicture(E.MaskPictureIndex);
}

void TbsSkinCustomControl::DropElementPictures()
{
    TbsSkinSizedBase::DropElementPictures();
    MaskPicture = nullptr;
}

void TbsSkinCustomControl::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    if (FIndex != -1 && FForceBackground && ResizeMode == 1)
        PaintPieces();
    else
        TbsSkinControl::Paint();
}

// Border pieces cut for the current size, the client part filled on the
// canvas under a clip: panels keep their children's background this way.
void TbsSkinCustomControl::PaintPieces()
{
    TBitmap left, top, right, bottom;
    if (Picture)
        CreateSkinBorderImages(Geometry(), left, top, right, bottom, *Picture, SkinRect, Width(), Height(),
                               LeftStretch, TopStretch, RightStretch, BottomStretch);
    CreateControlSkinImage(top);
    TCanvas& c = Canvas();
    const int w = RectWidth(ClRect), h = RectHeight(ClRect);
    // An element without a client part has nothing to tile.
    if (FDrawbackground && Picture && w > 0 && h > 0 && RectWidth(NewClRect) > 0 && RectHeight(NewClRect) > 0) {
        TBitmap piece(w, h);
        CopyPiece(piece, TRect{0, 0, w, h}, *Picture,
                  TRect{SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                        SkinRect.Top + ClRect.Bottom});
        const int nx = RectWidth(NewClRect) / w, ny = RectHeight(NewClRect) / h;
        TBitmap client(RectWidth(NewClRect), RectHeight(NewClRect));
        TCanvas& cc = *client.Canvas();
        if (StretchEffect) {
            switch (StretchType) {
            case bsstFull: cc.StretchDraw(TRect{0, 0, client.Width(), client.Height()}, piece); break;
            case bsstHorz: {
                TBitmap col(w, client.Height());
                col.Canvas()->StretchDraw(TRect{0, 0, w, client.Height()}, piece);
                for (int i = 0; i <= nx; ++i)
                    cc.Draw(i * w, 0, col);
                break;
            }
            case bsstVert: {
                TBitmap row(client.Width(), h);
                row.Canvas()->StretchDraw(TRect{0, 0, client.Width(), h}, piece);
                for (int j = 0; j <= ny; ++j)
                    cc.Draw(0, j * h, row);
                break;
            }
            }
        } else {
            for (int i = 0; i <= nx; ++i)
                for (int j = 0; j <= ny; ++j)
                    cc.Draw(i * w, j * h, piece);
        }
        c.Draw(NewClRect.Left, NewClRect.Top, client);
    }
    if (!top.Empty())
        c.Draw(0, 0, top);
    if (!left.Empty())
        c.Draw(0, top.Height(), left);
    if (!right.Empty())
        c.Draw(Width() - right.Width(), top.Height(), right);
    if (!bottom.Empty())
        c.Draw(0, Height() - bottom.Height(), bottom);
}

void TbsSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TbsSkinSizedBase::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex != -1 && StretchEffect)
        NotifyChildrenParentBackground();
}

void TbsSkinCustomControl::NotifyChildrenParentBackground()
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated())
            SendMessage(w->Handle(), WM_CHECKPARENTBG, 0, 0);
        else if (!dynamic_cast<TWinControl*>(c))
            c->Perform(WM_CHECKPARENTBG, 0, 0);
    }
}

void TbsSkinCustomControl::UpdateSkinRegion()
{
    if (!Parent() || !HandleAllocated())
        return;
    if (!MaskPicture || FIndex == -1) {
        if (FHasRegion) {
            SetWindowRgn(Handle(), nullptr, true);
            FHasRegion = false;
        }
        return;
    }
    // An element with a mask but nothing drawable keeps the region it has.
    if (ResizeMode == -1)
        return;
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    std::optional<TRegion> rgn;
    TbsSkinGeometry g = Geometry();
    switch (ResizeMode) {
    case 1: break;
    case 2:
        g.LBPt = LTPt;
        g.RBPt = RTPt;
        g.NewLTPt = g.NewLBPt = LTPt;
        g.NewRTPt = g.NewRBPt = TPoint{Width() + RTPt.X - RectWidth(SkinRect), RTPt.Y};
        break;
    case 3:
        g.RTPt = LTPt;
        g.RBPt = LBPt;
        g.NewLTPt = g.NewRTPt = LTPt;
        g.NewLBPt = g.NewRBPt = TPoint{LBPt.X, Height() + LBPt.Y - RectHeight(SkinRect)};
        break;
    default: {
        TRegion r;
        MaskToRegion(r, *MaskPicture);
        rgn = r;
        break;
    }
    }
    if (ResizeMode != 0)
        CreateSkinRegion(rgn, g, *MaskPicture, Width(), Height());
    SetWindowRgn(Handle(), rgn ? new TRegion(*rgn) : nullptr, true);
    FHasRegion = rgn.has_value();
}
