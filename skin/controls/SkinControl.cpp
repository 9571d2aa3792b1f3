#include "skin/controls/SkinControl.h"
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

TbsSkinControl::TbsSkinControl(TComponent* AOwner) : TCustomControl(AOwner) {}

void TbsSkinControl::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
    ReleaseSkinElement();
    if (FSD && !FSD->Empty && !Designing())
        ChangeSkinData();
}

void TbsSkinControl::GetSkinData()
{
    if (!FSD || FSD->Empty)
        FIndex = -1;
    else
        FIndex = FSD->GetControlIndex(FSkinDataName);
}

void TbsSkinControl::ChangeSkinData()
{
    GetSkinData();
    Repaint();
}

void TbsSkinControl::BeforeChangeSkinData() { ReleaseSkinElement(); }

void TbsSkinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (FSD.Drop(AComponent, Operation))
        ReleaseSkinElement();
}

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

void TbsSkinControl::PrepareFaceBitmap(TBitmap& B, int Width, int Height)
{
    B.SetSize(Width, Height, false);
    B.Fill(clBtnFace);
}

void TbsSkinControl::PaintFaceTo(HDC DC)
{
    TCanvas& c = Canvas();
    TDeviceContext* previous = c.Handle();
    c.SetHandle(DC);
    Paint();
    c.SetHandle(previous);
}

void TbsSkinControl::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    TBitmap b;
    PrepareFaceBitmap(b, Width(), Height());
    if (FIndex == -1)
        CreateControlDefaultImage(b);
    else
        CreateControlSkinImage(b);
    Canvas().Draw(0, 0, b);
}

// ------------------------------------------------------ TbsSkinCustomControl

TbsSkinCustomControl::TbsSkinCustomControl(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetStyle(0);
    FDefaultFont.SetHeight(14);
    FDefaultFont.OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (FIndex == -1)
            Repaint();
    };
}

TbsSkinCustomControl::~TbsSkinCustomControl() { FDefaultFont.OnChange = nullptr; }

void TbsSkinCustomControl::SetDefaultFont(const TFont& Value)
{
    FDefaultFont.Assign(Value);
    DefaultFontChanged();
}

void TbsSkinCustomControl::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (FIndex == -1 && Value > 0)
        SetWidth(Value);
}

void TbsSkinCustomControl::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (FIndex == -1 && Value > 0)
        SetHeight(Value);
}

void TbsSkinCustomControl::ReleaseSkinElement()
{
    TbsSkinControl::ReleaseSkinElement();
    Picture = nullptr;
    MaskPicture = nullptr;
}

void TbsSkinCustomControl::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    if (FIndex == -1) {
        Picture = nullptr;
        MaskPicture = nullptr;
        return;
    }
    const auto* e = dynamic_cast<const TbsDataSkinCustomControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e) {
        ResizeMode = 0;
        Picture = nullptr;
        MaskPicture = nullptr;
        return;
    }
    CopyElement(*e, *FSD);
    MaskPicture = FSD->ActivePicture(e->MaskPictureIndex);
}

void TbsSkinCustomControl::FitSizeToSkin(int& AWidth, int& AHeight) { FitSize(AWidth, AHeight, FIndex != -1); }

void TbsSkinCustomControl::CreateSkinImageByMode(TBitmap& B, const TBitmap* SkinPicture, const TRect& R)
{
    TbsElementGeometry::CreateSkinImageByMode(B, SkinPicture, R, Width(), Height(), FForceBackground);
}

void TbsSkinCustomControl::CreateControlDefaultImage(TBitmap& B)
{
    B.Canvas()->Brush().SetStyle(bsSolid);
    B.Canvas()->Brush().SetColor(clBtnFace);
    B.Canvas()->FillRect(TRect{0, 0, Width(), Height()});
}

void TbsSkinCustomControl::CreateControlSkinImage(TBitmap& B) { CreateSkinImageByMode(B, Picture, SkinRect); }

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

void TbsSkinCustomControl::ChangeSkinData()
{
    GetSkinData();
    bool sizeChanged = false;
    if (FIndex == -1) {
        if (FDefaultWidth > 0)
            SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0)
            SetHeight(FDefaultHeight);
    } else {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        if (w != Width()) {
            SetWidth(w);
            sizeChanged = true;
        }
        if (h != Height()) {
            SetHeight(h);
            sizeChanged = true;
        }
    }
    if (!sizeChanged || FIndex == -1) {
        UpdateSkinRegion();
        Repaint();
    }
}

void TbsSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool changed = (AWidth != Width() || AHeight != Height()) && FIndex != -1;
    if (changed) {
        FitSizeToSkin(AWidth, AHeight);
        if (ResizeMode == 0)
            NewClRect = ClRect;
    }
    if (auto* host = dynamic_cast<TbsSkinControlHost*>(Parent()); host && host->AdjustControls()) {
        const TRect r = host->GetSkinClientRect();
        ATop = RectHeight(r) / 2 + r.Top - AHeight / 2;
    }
    TbsSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changed) {
        UpdateSkinRegion();
        Repaint();
    }
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
