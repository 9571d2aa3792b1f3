#include "skin/frame/LayerBorder.h"
#include <algorithm>
#include <cmath>
#include "platform/core/Clock.h"
#include "platform/ui/Input.h"
#include "platform/ui/Window.h"
#include "platform/ui/forms/Application.h"
#include "skin/data/SkinData.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/RectUtils.h"
#include "skin/frame/FormFrame.h"

namespace {

// Copies Src's rectangle S into Dst's rectangle D, stretched by nearest
// pixel (raw pixels: the alpha goes along).
void CopyPixels(const TbsBitmap& Src, const TRect& S, TbsBitmap& Dst, const TRect& D)
{
    const int sw = S.Right - S.Left, sh = S.Bottom - S.Top;
    const int dw = D.Right - D.Left, dh = D.Bottom - D.Top;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;
    for (int y = 0; y < dh; ++y) {
        const int dy = D.Top + y, sy = S.Top + y * sh / dh;
        if (dy < 0 || dy >= Dst.Height() || sy < 0 || sy >= Src.Height())
            continue;
        const TbsColor* src = Src.Bits() + static_cast<std::ptrdiff_t>(sy) * Src.Width();
        TbsColor* dst = Dst.ScanLine(dy);
        for (int x = 0; x < dw; ++x) {
            const int dx = D.Left + x, sx = S.Left + x * sw / dw;
            if (dx >= 0 && dx < Dst.Width() && sx >= 0 && sx < Src.Width())
                dst[dx] = src[sx];
        }
    }
}

std::unique_ptr<TbsBitmap> NewImage(int W, int H)
{
    if (W <= 0 || H <= 0)
        return nullptr;
    auto b = std::make_unique<TbsBitmap>();
    b->SetSize(W, H);
    return b;
}

// The nearest integer, an exact half to the even neighbour.
int RoundHalfEven(double V) { return static_cast<int>(std::nearbyint(V)); }

}  // namespace

// ------------------------------------------------------------ the border

// Owned by the frame through its seam, not as a component of it.
TbsFormLayerBorder::TbsFormLayerBorder(TbsFormFrame* AOwner) : TComponent(nullptr), FBSF(AOwner) {}

TbsFormLayerBorder::~TbsFormLayerBorder() { FreeWindows(); }

void TbsFormLayerBorder::InitFrame() { InitFrame(FBSF->SkinData(), FBSF->Form()); }

bool TbsFormLayerBorder::BuildSource(int Picture, int Mask, std::unique_ptr<TbsBitmap>& Dest)
{
    Dest.reset();
    TBitmap* picture = FSD->ActivePicture(Picture);
    TBitmap* mask = FSD->ActivePicture(Mask);
    // Each picture needs a mask of its own size to give it its alpha.
    if (!picture || !mask || picture->Empty() || mask->Width() != picture->Width() ||
        mask->Height() != picture->Height())
        return false;
    Dest = std::make_unique<TbsBitmap>();
    AssignImageWithMask(*picture, *mask, *Dest);
    Dest->CheckingAlphaBlend();
    return true;
}

void TbsFormLayerBorder::InitFrame(TbsSkinData* ASkinData, TCustomForm* AForm)
{
    FForm = AForm;
    FSD = ASkinData;
    FData = nullptr;
    if (!FSD || FSD->Empty || !FSD->LayerFrame || FSD->LayerFrame->PictureIndex == -1)
        return;
    const TbsDataSkinLayerFrame& d = *FSD->LayerFrame;
    FCurrentAlphaBlendValue = d.AlphaBlendValue;
    FCurrentInActiveAlphaBlendValue = d.InActiveAlphaBlendValue;
    // A picture without a usable mask means no layered border at all.
    if (!BuildSource(d.PictureIndex, d.MaskPictureIndex, FSourceBitmap))
        return;
    if (d.InActivePictureIndex == -1 ||
        !BuildSource(d.InActivePictureIndex, d.InActiveMaskPictureIndex, FSourceInActiveBitMap))
        FSourceInActiveBitMap.reset();
    FData = &d;
    if (IsNullRect(d.BorderRect)) {
        LeftSize = TopSize = RightSize = BottomSize = 0;
    } else {
        LeftSize = d.ClRect.Left - d.BorderRect.Left;
        TopSize = d.ClRect.Top - d.BorderRect.Top;
        RightSize = d.BorderRect.Right - d.ClRect.Right;
        BottomSize = d.BorderRect.Bottom - d.ClRect.Bottom;
    }
}

TRect TbsFormLayerBorder::BorderSizes() const
{
    return FData ? TRect{LeftSize, TopSize, RightSize, BottomSize} : TRect{0, 0, 0, 0};
}

TRect TbsFormLayerBorder::OuterRect(int ALeft, int ATop, int AW, int AH) const
{
    if (!FData || !FSourceBitmap)
        return TRect{ALeft, ATop, ALeft + AW, ATop + AH};
    const TRect& cl = FData->ClRect;
    const int w = AW + FSourceBitmap->Width() - (cl.Right - cl.Left);
    const int h = AH + FSourceBitmap->Height() - (cl.Bottom - cl.Top);
    return TRect{ALeft - cl.Left, ATop - cl.Top, ALeft - cl.Left + w, ATop - cl.Top + h};
}

void TbsFormLayerBorder::MakeBorderImages(int W, int H)
{
    if (!FData)
        return;
    const TbsBitmap& p = !FActive && FSourceInActiveBitMap ? *FSourceInActiveBitMap : *FSourceBitmap;
    const int pw = p.Width(), ph = p.Height();
    const TPoint lt = FData->LTPoint, rt = FData->RTPoint, lb = FData->LBPoint, rb = FData->RBPoint;
    const TRect& cl = FData->ClRect;

    // Top and bottom: the corner pieces copied, the middle stretched.
    const int topH = std::max(lt.Y, rt.Y);
    TopImage = NewImage(W, topH);
    if (TopImage) {
        const int rw = pw - rt.X;
        CopyPixels(p, TRect{0, 0, lt.X, topH}, *TopImage, TRect{0, 0, lt.X, topH});
        CopyPixels(p, TRect{rt.X, 0, pw, topH}, *TopImage, TRect{W - rw, 0, W, topH});
        CopyPixels(p, TRect{lt.X, 0, rt.X, topH}, *TopImage, TRect{lt.X, 0, W - rw, topH});
        TopImage->CheckingAlphaBlend();
    }
    const int bottomH = ph - std::min(lb.Y, rb.Y);
    BottomImage = NewImage(W, bottomH);
    if (BottomImage) {
        const int rw = pw - rb.X, y0 = ph - bottomH;
        CopyPixels(p, TRect{0, y0, lb.X, ph}, *BottomImage, TRect{0, 0, lb.X, bottomH});
        CopyPixels(p, TRect{rb.X, y0, pw, ph}, *BottomImage, TRect{W - rw, 0, W, bottomH});
        CopyPixels(p, TRect{lb.X, y0, rb.X, ph}, *BottomImage, TRect{lb.X, 0, W - rw, bottomH});
        BottomImage->CheckingAlphaBlend();
    }
    // The sides: the picture's side columns between those rows, tiled down.
    const int sideH = H - std::max(topH, 0) - std::max(bottomH, 0);
    const int srcTop = std::max(topH, 0), srcBottom = ph - std::max(bottomH, 0);
    auto side = [&](int X0, int X1) -> std::unique_ptr<TbsBitmap> {
        if (srcBottom <= srcTop)
            return nullptr;
        auto image = NewImage(X1 - X0, sideH);
        if (!image)
            return nullptr;
        const int tile = srcBottom - srcTop;
        for (int y = 0; y < sideH; y += tile) {
            const int rows = std::min(tile, sideH - y);
            CopyPixels(p, TRect{X0, srcTop, X1, srcTop + rows}, *image, TRect{0, y, X1 - X0, y + rows});
        }
        image->CheckingAlphaBlend();
        return image;
    };
    LeftImage = side(0, cl.Left);
    RightImage = side(cl.Right, pw);
}

TbsFormLayerWindow* TbsFormLayerBorder::Window(TbsFormLayerBorderType T) const
{
    switch (T) {
    case bsflLeft: return LeftBorder;
    case bsflTop: return TopBorder;
    case bsflRight: return RightBorder;
    case bsflBottom: return BottomBorder;
    }
    return nullptr;
}

const TbsBitmap* TbsFormLayerBorder::Image(TbsFormLayerBorderType T) const
{
    switch (T) {
    case bsflLeft: return LeftImage.get();
    case bsflTop: return TopImage.get();
    case bsflRight: return RightImage.get();
    case bsflBottom: return BottomImage.get();
    }
    return nullptr;
}

void TbsFormLayerBorder::FreeWindows()
{
    for (TbsFormLayerWindow** w : {&LeftBorder, &TopBorder, &RightBorder, &BottomBorder}) {
        delete *w;
        *w = nullptr;
    }
}

void TbsFormLayerBorder::PlaceWindows(int X, int Y, bool UpdateImages)
{
    const int topH = TopImage ? TopImage->Height() : 0;
    const int bottomH = BottomImage ? BottomImage->Height() : 0;
    const int rightW = RightImage ? RightImage->Width() : 0;
    const struct {
        TbsFormLayerWindow* W;
        const TbsBitmap* Img;
        TPoint At;
    } places[] = {
        {TopBorder, TopImage.get(), TPoint{X, Y}},
        {BottomBorder, BottomImage.get(), TPoint{X, Y + FHeight - bottomH}},
        {LeftBorder, LeftImage.get(), TPoint{X, Y + topH}},
        {RightBorder, RightImage.get(), TPoint{X + FWidth - rightW, Y + topH}},
    };
    for (const auto& p : places) {
        if (!p.W || !p.Img)
            continue;
        // Placed first: the picture goes where the window is.
        SetWindowPos(p.W->Handle(), nullptr, p.At.X, p.At.Y, p.Img->Width(), p.Img->Height(),
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
        if (UpdateImages)
            UpdateLayeredWindowFromBitmap(*p.Img, static_cast<std::uint8_t>(std::clamp(CurrentAlpha(), 0, 255)), *p.W);
    }
}

void TbsFormLayerBorder::Show(int X, int Y, int AWidth, int AHeight)
{
    if (!FData)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    FVisible = true;
    MakeBorderImages(AWidth, AHeight);
    FreeWindows();
    if (LeftImage)
        LeftBorder = NewForm<TbsFormLayerWindow>(this, FForm, bsflLeft);
    if (TopImage)
        TopBorder = NewForm<TbsFormLayerWindow>(this, FForm, bsflTop);
    if (RightImage)
        RightBorder = NewForm<TbsFormLayerWindow>(this, FForm, bsflRight);
    if (BottomImage)
        BottomBorder = NewForm<TbsFormLayerWindow>(this, FForm, bsflBottom);
    PlaceWindows(X, Y, true);
}

void TbsFormLayerBorder::SetBounds(int X, int Y, int AWidth, int AHeight)
{
    if (!FVisible || !FData)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    MakeBorderImages(AWidth, AHeight);
    // A side whose image came out empty loses its window; one that got an
    // image back gets a window again.
    auto fit = [&](TbsFormLayerWindow*& W, const std::unique_ptr<TbsBitmap>& I, TbsFormLayerBorderType T) {
        if (!I && W) {
            delete W;
            W = nullptr;
        } else if (I && !W) {
            W = NewForm<TbsFormLayerWindow>(this, FForm, T);
        }
    };
    fit(LeftBorder, LeftImage, bsflLeft);
    fit(TopBorder, TopImage, bsflTop);
    fit(RightBorder, RightImage, bsflRight);
    fit(BottomBorder, BottomImage, bsflBottom);
    PlaceWindows(X, Y, true);
}

void TbsFormLayerBorder::Hide()
{
    FVisible = false;
    FreeWindows();
    LeftImage.reset();
    TopImage.reset();
    RightImage.reset();
    BottomImage.reset();
}

void TbsFormLayerBorder::Draw(TCanvas& C, int X, int Y, int AWidth, int AHeight)
{
    if (!FData)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    MakeBorderImages(AWidth, AHeight);
    const int topH = TopImage ? TopImage->Height() : 0;
    if (TopImage)
        TopImage->Draw(C, X, Y);
    if (BottomImage)
        BottomImage->Draw(C, X, Y + AHeight - BottomImage->Height());
    if (LeftImage)
        LeftImage->Draw(C, X, Y + topH);
    if (RightImage)
        RightImage->Draw(C, X + AWidth - RightImage->Width(), Y + topH);
}

TRect TbsFormLayerBorder::FormRect() const
{
    // The window's own rectangle: the form's bounds follow only after the
    // messages of a move or size have been handled.
    TRect r = FForm->BoundsRect();
    if (FForm->HandleAllocated())
        GetWindowRect(FForm->Handle(), r);
    return r;
}

void TbsFormLayerBorder::ShowWithForm()
{
    if (!FForm)
        return;
    const TRect f = FormRect();
    const TRect r = OuterRect(f.Left, f.Top, f.Width(), f.Height());
    Show(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

void TbsFormLayerBorder::ShowWithFormAnimation()
{
    if (!FData)
        return;
    const int target = FCurrentAlphaBlendValue;
    FCurrentAlphaBlendValue = 0;
    ShowWithForm();
    Application->ProcessMessages();
    const int step = std::max(1, target / 15);
    uint64_t last = GetTickCount64();
    while (FCurrentAlphaBlendValue < target && FVisible) {
        Sleep(1);
        const uint64_t now = GetTickCount64();
        if (now - last > 5) {
            last = now;
            FCurrentAlphaBlendValue = std::min(target, FCurrentAlphaBlendValue + step);
            SetAlphaBlend();
            if (OnFadeStep)
                OnFadeStep(FCurrentAlphaBlendValue);
        }
    }
    FCurrentAlphaBlendValue = target;
}

void TbsFormLayerBorder::SetBoundsWithForm()
{
    if (FForm) {
        const TRect f = FormRect();
        SetBoundsWithForm3(f.Left, f.Top, f.Width(), f.Height());
    }
}

void TbsFormLayerBorder::SetBoundsWithForm2(int AW, int AH)
{
    if (FForm)
        SetBoundsWithForm3(FormRect().Left, FormRect().Top, AW, AH);
}

void TbsFormLayerBorder::SetBoundsWithForm3(int ALeft, int ATop, int AW, int AH)
{
    const TRect r = OuterRect(ALeft, ATop, AW, AH);
    SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

void TbsFormLayerBorder::MoveWithForm()
{
    if (FForm)
        MoveWithForm2(FormRect().Left, FormRect().Top);
}

void TbsFormLayerBorder::MoveWithForm2(int ALeft, int ATop)
{
    if (!FVisible || !FData || !FForm)
        return;
    const TRect r = OuterRect(ALeft, ATop, FormRect().Width(), FormRect().Height());
    PlaceWindows(r.Left, r.Top, false);
}

void TbsFormLayerBorder::SetAlphaBlend()
{
    if (!FData || !FVisible)
        return;
    for (auto T : {bsflLeft, bsflTop, bsflRight, bsflBottom})
        if (TbsFormLayerWindow* w = Window(T); w && Image(T))
            UpdateLayeredWindowFromBitmap(*Image(T), static_cast<std::uint8_t>(std::clamp(CurrentAlpha(), 0, 255)), *w);
}

void TbsFormLayerBorder::SetAlphaBlend2()
{
    if (!FVisible)
        return;
    SetAlphaBlend();
    MoveWithForm();
}

void TbsFormLayerBorder::SetActive(bool AValue, bool AUpdate)
{
    FActive = AValue;
    if (FVisible && AUpdate)
        SetAlphaBlend2();
}

void TbsFormLayerBorder::CheckFormAlpha(int AFormAlpha, bool AUpdate)
{
    if (!FData)
        return;
    FCurrentAlphaBlendValue = RoundHalfEven(FData->AlphaBlendValue * AFormAlpha / 255.0);
    FCurrentInActiveAlphaBlendValue = RoundHalfEven(FData->InActiveAlphaBlendValue * AFormAlpha / 255.0);
    if (AUpdate)
        SetAlphaBlend();
}

// ------------------------------------------------------------ a border window

TbsFormLayerWindow::TbsFormLayerWindow(TbsFormLayerBorder* ALayerBorder, TCustomForm* AForm,
                                       TbsFormLayerBorderType AType)
    : TForm(ALayerBorder, TFormCreation::New), BorderType(AType), FForm(AForm), FLayerBorder(ALayerBorder)
{
    SetBorderStyle(bsNone);
    if (AForm && AForm->FormStyle() == fsStayOnTop)
        SetFormStyle(fsStayOnTop);
}

void TbsFormLayerWindow::CreateParams(TCreateParams& Params)
{
    TForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    // Without a border rectangle the mouse passes through to what lies below.
    const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
    if (!d || IsNullRect(d->BorderRect))
        Params.ExStyle |= WS_EX_TRANSPARENT;
}

bool TbsFormLayerWindow::CanChangeSize() const
{
    const TbsFormFrame* f = FLayerBorder->BSF();
    return f->CanResize() && !f->RollUpState() && f->WindowState() == wsNormal;
}

TbsFormLayerBorderHit TbsFormLayerWindow::GetHitMode(TPoint P) const
{
    const TbsFormLayerBorder& b = *FLayerBorder;
    const int L = FForm->Left(), T = FForm->Top(), Wf = FForm->Width(), Hf = FForm->Height();
    const int LS = b.LeftSize, TS = b.TopSize, RS = b.RightSize, BS = b.BottomSize;
    auto in = [&P](int l, int t, int r, int bt) { return P.X >= l && P.X < r && P.Y >= t && P.Y < bt; };
    auto sides = [&]() {
        if (P.X >= L - LS && P.X < L)
            return bsflhLeft;
        if (P.X > L + Wf && P.X <= L + Wf + RS)
            return bsflhRight;
        return bsflhNone;
    };
    switch (BorderType) {
    case bsflLeft:
        return P.X >= L - LS ? bsflhLeft : bsflhNone;
    case bsflRight:
        return P.X <= L + Wf + RS ? bsflhRight : bsflhNone;
    case bsflTop:
        if (in(L - LS, T - TS, L + 3, T + 3))
            return bsflhTopLeft;
        if (in(L, T - TS, L + Wf, T))
            return bsflhTop;
        if (in(L + Wf - 3, T - TS, L + Wf + RS, T + 3))
            return bsflhTopRight;
        return P.Y > T ? sides() : bsflhNone;
    case bsflBottom:
        if (in(L - LS, T + Hf - 3, L + 3, T + Hf + BS))
            return bsflhBottomLeft;
        if (in(L, T + Hf, L + Wf, T + Hf + BS))
            return bsflhBottom;
        if (in(L + Wf - 3, T + Hf - 3, L + Wf + RS, T + Hf + BS))
            return bsflhBottomRight;
        return P.Y < T + Hf ? sides() : bsflhNone;
    }
    return bsflhNone;
}

void TbsFormLayerWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
        if (d && d->HitTestEnable) {
            TPoint p;
            GetCursorPos(p);
            FHitMode = GetHitMode(p);
            if (FHitMode != bsflhNone && !FForm->Active()) {
                FForm->Show();
                SetForegroundWindow(FForm->Handle());
            }
        }
        return;
    }
    TForm::WndProc(Message);
}

void TbsFormLayerWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TForm::MouseDown(Button, Shift, X, Y);
    const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
    if (!d || !d->HitTestEnable || Button != mbLeft || !CanChangeSize())
        return;
    FInProcessMessages = false;
    GetCursorPos(MousePos1);
    MousePos2 = MousePos1;
    FHitMode = GetHitMode(MousePos1);
    FDown = FHitMode != bsflhNone;
    if (FDown)
        SetCapture(Handle());
}

void TbsFormLayerWindow::MouseMove(TShiftState Shift, int X, int Y)
{
    // The move that the resize step's own pump delivered is stale.
    if (FInProcessMessages) {
        FInProcessMessages = false;
        return;
    }
    TForm::MouseMove(Shift, X, Y);
    const TbsDataSkinLayerFrame* d = FLayerBorder->Data();
    if (!d || !d->HitTestEnable)
        return;
    if (!CanChangeSize()) {
        SetCursor(crDefault);
        return;
    }
    GetCursorPos(MousePos2);
    TbsFormFrame* f = FLayerBorder->BSF();
    if (!FDown) {
        f->FBorderLayerChangeSize = false;
        FHitMode = GetHitMode(MousePos2);
        static const TCursor cursors[] = {crDefault, crSizeWE, crSizeNS, crSizeWE, crSizeNS,
                                          crSizeNWSE, crSizeNESW, crSizeNESW, crSizeNWSE};
        SetCursor(cursors[FHitMode]);
    } else {
        f->FBorderLayerChangeSize = true;
        ResizeStep();
    }
    MousePos1 = MousePos2;
}

void TbsFormLayerWindow::ResizeStep()
{
    const TbsFormFrame* f = FLayerBorder->BSF();
    const int dx = MousePos2.X - MousePos1.X, dy = MousePos2.Y - MousePos1.Y;
    const int L = FForm->Left(), T = FForm->Top(), W = FForm->Width(), H = FForm->Height();
    auto clampW = [f](int v) { return std::min(std::max(v, f->GetMinWidth()), f->GetMaxWidth()); };
    auto clampH = [f](int v) { return std::min(std::max(v, f->GetMinHeight()), f->GetMaxHeight()); };
    const bool left = FHitMode == bsflhLeft || FHitMode == bsflhTopLeft || FHitMode == bsflhBottomLeft;
    const bool right = FHitMode == bsflhRight || FHitMode == bsflhTopRight || FHitMode == bsflhBottomRight;
    const bool top = FHitMode == bsflhTop || FHitMode == bsflhTopLeft || FHitMode == bsflhTopRight;
    const bool bottom = FHitMode == bsflhBottom || FHitMode == bsflhBottomLeft || FHitMode == bsflhBottomRight;

    int nl = L, nt = T, nw = W, nh = H;
    if (left || right) {
        const int w = clampW(left ? W - dx : W + dx);
        // A moving left edge steps only when the right edge stays put.
        if (right || w == W - dx) {
            nw = w;
            if (left)
                nl = L + dx;
        }
    }
    if (top || bottom) {
        const int h = clampH(top ? H - dy : H + dy);
        if (bottom || h == H - dy) {
            nh = h;
            if (top)
                nt = T + dy;
        }
    }
    const bool corner = (left || right) && (top || bottom);
    const bool moved = corner ? (dx != 0 || dy != 0) : (left || right) ? dx != 0 : dy != 0;
    if (!moved || (nw == W && nh == H))
        return;
    FForm->SetBounds(nl, nt, nw, nh);
    MousePos1 = MousePos2;
    FInProcessMessages = true;
    Application->ProcessMessages();
    FInProcessMessages = false;
}

void TbsFormLayerWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TForm::MouseUp(Button, Shift, X, Y);
    FLayerBorder->BSF()->FBorderLayerChangeSize = false;
    if (CanChangeSize()) {
        FDown = false;
        FInProcessMessages = false;
    }
    if (GetCapture() == Handle())
        ReleaseCapture();
}
