#include "platform/ui/controls/ExtCtrls.h"
#include <algorithm>
#include "platform/gfx/Text.h"
#include "platform/ui/Scroll.h"
#include "platform/ui/Window.h"

namespace {

void Bevel(TCanvas& c, TRect& r, TBevelCut cut, int width)
{
    if (cut == bvNone)
        return;
    if (cut == bvSpace) {
        r.Inflate(-width, -width);
        return;
    }
    bool raised = cut == bvRaised;
    c.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, width);
}

}  // namespace

// --------------------------------------------------------------------- TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable};
    FWidth = 185;
    FHeight = 41;
}

void TPanel::AdjustClientRect(TRect& r)
{
    TCustomControl::AdjustClientRect(r);
    int inset = (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
    r.Inflate(-inset, -inset);
}

void TPanel::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    Bevel(c, r, FBevelOuter, FBevelWidth);
    r.Inflate(-FBorderWidth, -FBorderWidth);
    Bevel(c, r, FBevelInner, FBevelWidth);
    if (!FShowCaption || Caption().empty())
        return;
    const unsigned align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    c.Brush().SetStyle(bsClear);
    c.Font().Assign(Font());
    c.Font().SetColor(Enabled() ? Font().Color() : clGrayText);
    c.DrawText(Caption(), r, DT_VCENTER | DT_SINGLELINE | align[FAlignment]);
}

// --------------------------------------------------------------------- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Include(csReplicatable);
    FWidth = 50;
    FHeight = 50;
}

void TBevel::Paint()
{
    TCanvas& c = Canvas();
    TColor dark = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor light = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    int w = Width(), h = Height();
    auto line = [&](int x1, int y1, int x2, int y2, TColor color) {
        c.Pen().SetColor(color);
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    switch (FShape) {
    case bsBox: {
        TRect r = ClientRect();
        c.Frame3D(r, dark, light, 1);
        break;
    }
    case bsFrame: {
        TRect r{0, 0, w - 1, h - 1};
        c.Brush().SetColor(dark);
        c.FrameRect(r);
        c.Brush().SetColor(light);
        c.FrameRect(r.Offsetted(1, 1));
        break;
    }
    case bsTopLine:
        line(0, 0, w, 0, dark);
        line(0, 1, w, 1, light);
        break;
    case bsBottomLine:
        line(0, h - 2, w, h - 2, dark);
        line(0, h - 1, w, h - 1, light);
        break;
    case bsLeftLine:
        line(0, 0, 0, h, dark);
        line(1, 0, 1, h, light);
        break;
    case bsRightLine:
        line(w - 2, 0, w - 2, h, dark);
        line(w - 1, 0, w - 1, h, light);
        break;
    case bsSpacer:
        break;
    }
}

// ------------------------------------------------------------------- TSplitter

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetAlign(alLeft);
    FWidth = 3;
    FHeight = 100;
    FCursor = crHSplit;
}

void TSplitter::RequestAlign()
{
    TGraphicControl::RequestAlign();
    SetCursor(Align() == alTop || Align() == alBottom ? crVSplit : crHSplit);
}

TControl* TSplitter::FindControl() const
{
    if (!Parent())
        return nullptr;
    TPoint p;
    switch (Align()) {
    case alLeft: p = TPoint{Left() - 1, Top()}; break;
    case alRight: p = TPoint{Left() + Width(), Top()}; break;
    case alTop: p = TPoint{Left(), Top() - 1}; break;
    case alBottom: p = TPoint{Left(), Top() + Height()}; break;
    default: return nullptr;
    }
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c != this && c->Visible() && c->Align() == Align() && c->BoundsRect().Contains(p))
            return c;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FControl = FindControl();
    if (!FControl)
        return;
    FDragging = true;
    FDownPos = ClientToScreen(TPoint{X, Y});
    FStartSize = (Align() == alLeft || Align() == alRight) ? FControl->Width() : FControl->Height();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging || !FControl)
        return;
    TPoint p = ClientToScreen(TPoint{X, Y});
    int delta = 0;
    switch (Align()) {
    case alLeft: delta = p.X - FDownPos.X; break;
    case alRight: delta = FDownPos.X - p.X; break;
    case alTop: delta = p.Y - FDownPos.Y; break;
    case alBottom: delta = FDownPos.Y - p.Y; break;
    default: break;
    }
    bool horizontal = Align() == alLeft || Align() == alRight;
    // Keep MinSize for the control and for what the parent has left over.
    int others = 0;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == FControl || !c->Visible())
            continue;
        if (horizontal && (c->Align() == alLeft || c->Align() == alRight))
            others += c->Width();
        if (!horizontal && (c->Align() == alTop || c->Align() == alBottom))
            others += c->Height();
    }
    int room = (horizontal ? Parent()->ClientWidth() : Parent()->ClientHeight()) - others - FMinSize;
    int size = std::clamp(FStartSize + delta, FMinSize, std::max(FMinSize, room));
    if (horizontal)
        FControl->SetWidth(size);
    else
        FControl->SetHeight(size);
    if (Align() == alRight || Align() == alBottom)
        Parent()->Realign();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (FDragging) {
        FDragging = false;
        if (OnMoved)
            OnMoved(this);
    }
}

void TSplitter::Paint()
{
    TCanvas& c = Canvas();
    c.Brush().SetColor(Color());
    c.FillRect(ClientRect());
    if (!FBeveled)
        return;
    // Inset one pixel across the bar and two along it; the light frame sits
    // one pixel down-right of that, the dark one one pixel up-left.
    TRect r = ClientRect();
    if (Align() == alLeft || Align() == alRight)
        r = TRect{r.Left + 1, r.Top + 2, r.Right - 1, r.Bottom - 2};
    else
        r = TRect{r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1};
    c.Brush().SetColor(clBtnHighlight);
    c.FrameRect(TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1});
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(TRect{r.Left - 1, r.Top - 1, r.Right - 1, r.Bottom - 1});
}

// ---------------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Include(csReplicatable);
    FWidth = 105;
    FHeight = 105;
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::PictureChanged()
{
    if (TGraphic* g = FPicture.Graphic())
        if (g->Transparent() != FTransparent)
            g->SetTransparent(FTransparent);
    AdjustBounds();
    Invalidate();
}

void TImage::SetTransparent(bool v)
{
    FTransparent = v;
    if (TGraphic* g = FPicture.Graphic())
        g->SetTransparent(v);
    if (v)
        FControlStyle.Exclude(csOpaque);
    Invalidate();
}

void TImage::AdjustBounds()
{
    if (FAutoSize && FPicture.Graphic() && !FPicture.Graphic()->Empty() && !IsLoading())
        SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
}

TRect TImage::DestRect() const
{
    int w = FPicture.Width(), h = FPicture.Height();
    int cw = Width(), ch = Height();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            if (int64_t(cw) * h > int64_t(ch) * w) {
                int nw = int(int64_t(ch) * w / h);
                w = nw;
                h = ch;
            } else {
                int nh = int(int64_t(cw) * h / w);
                h = nh;
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r{0, 0, w, h};
    if (FCenter)
        r.Offset((cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    TGraphic* g = FPicture.Graphic();
    if (!g || g->Empty())
        return;
    TRect r = DestRect();
    if (r.Width() == g->Width() && r.Height() == g->Height())
        Canvas().Draw(r.Left, r.Top, *g);
    else
        Canvas().StretchDraw(r, *g);
}

// ------------------------------------------------------------------ TScrollBox

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
}

void TScrollBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::AdjustClientRect(TRect& r)
{
    TWinControl::AdjustClientRect(r);
    r.Offset(-FPos.X, -FPos.Y);
    TSize content = ContentSize();
    r.Right = std::max(r.Right, r.Left + content.cx);
    r.Bottom = std::max(r.Bottom, r.Top + content.cy);
}

// The extent of the unaligned children, in unscrolled coordinates.
TSize TScrollBox::ContentSize() const
{
    TSize s{0, 0};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible() || c->Align() != alNone)
            continue;
        s.cx = std::max(s.cx, c->Left() + FPos.X + c->Width());
        s.cy = std::max(s.cy, c->Top() + FPos.Y + c->Height());
    }
    return s;
}

void TScrollBox::UpdateScrollBars()
{
    if (!HandleAllocated() || FUpdating)
        return;
    FUpdating = true;
    TSize content = ContentSize();
    TRect client = ClientRect();
    for (int bar : {SB_HORZ, SB_VERT}) {
        int extent = bar == SB_HORZ ? content.cx : content.cy;
        int page = bar == SB_HORZ ? client.Width() : client.Height();
        bool need = extent > page;
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = need ? extent - 1 : 0;
        si.nPage = UINT(need ? page : 0);
        si.nPos = bar == SB_HORZ ? FPos.X : FPos.Y;
        ShowScrollBar(FHandle, bar, need);
        SetScrollInfo(FHandle, bar, si, true);
    }
    FUpdating = false;
    // Keep the position within the new range.
    TRect c2 = ClientRect();
    int maxX = std::max(0, content.cx - c2.Width());
    int maxY = std::max(0, content.cy - c2.Height());
    if (FPos.X > maxX || FPos.Y > maxY)
        ScrollTo(std::min(FPos.X, maxX), std::min(FPos.Y, maxY));
}

void TScrollBox::ScrollTo(int x, int y)
{
    TSize content = ContentSize();
    TRect client = ClientRect();
    x = std::clamp(x, 0, std::max(0, content.cx - client.Width()));
    y = std::clamp(y, 0, std::max(0, content.cy - client.Height()));
    if (x == FPos.X && y == FPos.Y)
        return;
    int dx = FPos.X - x, dy = FPos.Y - y;
    FPos = TPoint{x, y};
    ScrollBy(dx, dy);
    if (HandleAllocated()) {
        SetScrollPos(FHandle, SB_HORZ, x, true);
        SetScrollPos(FHandle, SB_VERT, y, true);
    }
}

void TScrollBox::ScrollInView(TControl* c)
{
    if (!c || !ContainsControl(c))
        return;
    TRect client = ClientRect();
    TRect b = c->BoundsRect();
    int x = FPos.X, y = FPos.Y;
    if (b.Left < 0) x += b.Left;
    else if (b.Right > client.Right) x += b.Right - client.Right;
    if (b.Top < 0) y += b.Top;
    else if (b.Bottom > client.Bottom) y += b.Bottom - client.Bottom;
    ScrollTo(x, y);
}

void TScrollBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        int bar = m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(FHandle, bar, si);
        int pos = si.nPos;
        int page = int(si.nPage);
        switch (LOWORD(m.WParam)) {
        case SB_LINEUP: pos -= 8; break;
        case SB_LINEDOWN: pos += 8; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: pos = HIWORD(m.WParam); break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: break;
        }
        if (bar == SB_HORZ)
            ScrollTo(pos, FPos.Y);
        else
            ScrollTo(FPos.X, pos);
        return;
    }
    case WM_MOUSEWHEEL:
        if (!DoMouseWheel(KeysToShiftState(LOWORD(m.WParam)), GET_WHEEL_DELTA_WPARAM(m.WParam), LParamToPoint(m.LParam)))
            ScrollTo(FPos.X, FPos.Y - GET_WHEEL_DELTA_WPARAM(m.WParam) / 4);
        m.Result = 1;
        return;
    case WM_SIZE:
        TWinControl::WndProc(m);
        UpdateScrollBars();
        return;
    case CM_CONTROLLISTCHANGE:
        TWinControl::WndProc(m);
        UpdateScrollBars();
        return;
    default:
        TWinControl::WndProc(m);
        return;
    }
}

// ------------------------------------------------------------------- TTrackBar

namespace {
constexpr int ThumbLength = 11;
constexpr int ThumbThickness = 20;
constexpr int ChannelMargin = 8;
}  // namespace

TTrackBar::TTrackBar(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
    FWidth = 150;
    FHeight = 45;
    SetTabStop(true);
}

void TTrackBar::SetRange(int min, int max)
{
    FMin = min;
    FMax = std::max(min, max);
    int pos = std::clamp(FPosition, FMin, FMax);
    if (pos != FPosition) {
        FPosition = pos;
        Changed();
    }
    Invalidate();
}

void TTrackBar::SetPosition(int v)
{
    v = std::clamp(v, FMin, FMax);
    if (v == FPosition)
        return;
    FPosition = v;
    Invalidate();
    Changed();
}

void TTrackBar::Changed()
{
    if (OnChange && !IsLoading())
        OnChange(this);
}

TRect TTrackBar::ChannelRect() const
{
    if (FOrientation == trHorizontal)
        return TRect{ChannelMargin, 8, Width() - ChannelMargin, 12};
    return TRect{8, ChannelMargin, 12, Height() - ChannelMargin};
}

TRect TTrackBar::ThumbRect() const
{
    TRect ch = ChannelRect();
    int span = FMax - FMin;
    if (FOrientation == trHorizontal) {
        int len = ch.Width();
        int x = ch.Left + (span > 0 ? int(int64_t(FPosition - FMin) * len / span) : 0);
        return TRect{x - ThumbLength / 2, 2, x - ThumbLength / 2 + ThumbLength, 2 + ThumbThickness};
    }
    int len = ch.Height();
    int y = ch.Top + (span > 0 ? int(int64_t(FPosition - FMin) * len / span) : 0);
    return TRect{2, y - ThumbLength / 2, 2 + ThumbThickness, y - ThumbLength / 2 + ThumbLength};
}

int TTrackBar::PositionAt(TPoint p) const
{
    TRect ch = ChannelRect();
    int span = FMax - FMin;
    int len = FOrientation == trHorizontal ? ch.Width() : ch.Height();
    int off = FOrientation == trHorizontal ? p.X - ch.Left : p.Y - ch.Top;
    if (len <= 0)
        return FMin;
    off = std::clamp(off, 0, len);
    return FMin + int((int64_t(off) * span + len / 2) / len);
}

void TTrackBar::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    TRect ch = ChannelRect();
    c.Frame3D(ch, clBtnShadow, clBtnHighlight, 1);
    // Ticks.
    int span = FMax - FMin;
    if (FFrequency > 0 && span > 0 && FOrientation == trHorizontal) {
        c.Pen().SetColor(clBtnText);
        TRect full = ChannelRect();
        for (int v = FMin; v <= FMax; v += FFrequency) {
            int x = full.Left + int(int64_t(v - FMin) * full.Width() / span);
            c.MoveTo(x, 26);
            c.LineTo(x, 30);
        }
    }
    TRect t = ThumbRect();
    c.Brush().SetColor(Enabled() ? clBtnFace : clBtnShadow);
    c.FillRect(t);
    c.Frame3D(t, clBtnHighlight, cl3DDkShadow, 1);
    if (Focused()) {
        TRect f = ClientRect();
        f.Inflate(-1, -1);
        c.DrawFocusRect(f);
    }
}

void TTrackBar::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        Invalidate();  // the focus rectangle comes or goes
        return;
    default: TCustomControl::WndProc(m);
    }
}

void TTrackBar::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    switch (Key) {
    case VK_LEFT: case VK_UP: SetPosition(FPosition - FLineSize); break;
    case VK_RIGHT: case VK_DOWN: SetPosition(FPosition + FLineSize); break;
    case VK_PRIOR: SetPosition(FPosition - FPageSize); break;
    case VK_NEXT: SetPosition(FPosition + FPageSize); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_END: SetPosition(FMax); break;
    default: return;
    }
    Key = 0;
}

void TTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if (ThumbRect().Contains(TPoint{X, Y})) {
        FDragging = true;
        return;
    }
    // A press beside the thumb moves it a page that way.
    int target = PositionAt(TPoint{X, Y});
    SetPosition(target < FPosition ? FPosition - FPageSize : FPosition + FPageSize);
}

void TTrackBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDragging)
        SetPosition(PositionAt(TPoint{X, Y}));
}

void TTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDragging = false;
}
