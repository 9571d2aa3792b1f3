#include "skin/menus/ImagesMenu.h"
#include <algorithm>
#include <optional>
#include "platform/core/Clock.h"
#include "platform/core/Thread.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/MonitorRects.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/frame/FrameSeams.h"
#include "skin/controls/ControlPaint.h"
#include "skin/menus/MenuWindow.h"

namespace {

const char* const ImagesMenuClassName = "TbsSkinImagesMenuPopupWindow";

bool IsCloseMessage(UINT Msg)
{
    switch (Msg) {
    case 3: case 5: case 6: case 8: case 31: case 33: case 161: case 164: case 167:
    case 260: case 262: case 516: case 519: case 528:
        return true;
    default:
        return false;
    }
}

template <class T>
T* ControlOf(TbsSkinData* SD, const std::string& Name)
{
    if (!SD || SD->Empty)
        return nullptr;
    int i = SD->GetControlIndex(Name);
    return i < 0 ? nullptr : dynamic_cast<T*>(SD->CtrlList[size_t(i)].get());
}

}  // namespace

void TbsImagesMenuItem::Assign(const TbsImagesMenuItem& Source)
{
    ImageIndex = Source.ImageIndex;
    Caption = Source.Caption;
    Button = Source.Button;
    Hint = Source.Hint;
}

// ------------------------------------------------------------ the menu

TbsSkinImagesMenu::TbsSkinImagesMenu(TComponent* AOwner) : TComponent(AOwner)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
}

TbsSkinImagesMenu::~TbsSkinImagesMenu()
{
    // An open window goes without events: its own destructor gives back
    // the application's hook and the mouse.
    *FAlive = false;
    FPopupWindow.reset();
    FClosed.clear();
}

void TbsSkinImagesMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == static_cast<TComponent*>(FImages))
        FImages = nullptr;
    if (AComponent == static_cast<TComponent*>(FSkinData))
        FSkinData = nullptr;
    if (FSkinHintComponent && AComponent == FSkinHintComponent) {
        FSkinHint = nullptr;
        FSkinHintComponent = nullptr;
    }
}

void TbsSkinImagesMenu::SetImages(TImageList* Value)
{
    if (FImages)
        static_cast<TComponent*>(FImages)->RemoveFreeNotification(this);
    FImages = Value;
    if (Value)
        static_cast<TComponent*>(Value)->FreeNotification(this);
}

void TbsSkinImagesMenu::SetSkinData(TbsSkinData* Value)
{
    if (FSkinData)
        static_cast<TComponent*>(FSkinData)->RemoveFreeNotification(this);
    FSkinData = Value;
    if (Value)
        static_cast<TComponent*>(Value)->FreeNotification(this);
}

void TbsSkinImagesMenu::SetSkinHint(IbsFrameHint* Value, TComponent* AComponent)
{
    if (FSkinHintComponent)
        FSkinHintComponent->RemoveFreeNotification(this);
    FSkinHint = Value;
    FSkinHintComponent = Value ? AComponent : nullptr;
    if (FSkinHintComponent)
        FSkinHintComponent->FreeNotification(this);
}

void TbsSkinImagesMenu::SetImagesItems(const std::vector<TbsImagesMenuItem>& Value)
{
    FImagesItems.clear();
    for (const TbsImagesMenuItem& i : Value) {
        FImagesItems.emplace_back();
        FImagesItems.back().Assign(i);
    }
}

void TbsSkinImagesMenu::SetColumnsCount(int Value)
{
    if (Value >= 1 && Value <= 50)
        FColumnsCount = Value;
}

TbsImagesMenuItem* TbsSkinImagesMenu::SelectedItem()
{
    if (FItemIndex < 0 || FItemIndex >= int(FImagesItems.size()))
        return nullptr;
    return &FImagesItems[size_t(FItemIndex)];
}

bool TbsSkinImagesMenu::HasSelectedItem() const
{
    return FItemIndex >= 0 && FItemIndex < int(FImagesItems.size());
}

int TbsSkinImagesMenu::SelectedImageIndex() const
{
    return HasSelectedItem() ? FImagesItems[size_t(FItemIndex)].ImageIndex : -1;
}

std::string TbsSkinImagesMenu::SelectedCaption() const
{
    return HasSelectedItem() ? FImagesItems[size_t(FItemIndex)].Caption : std::string();
}

void TbsSkinImagesMenu::Popup(int X, int Y) { PopupFromRect(TRect{X, Y, X, Y}); }

void TbsSkinImagesMenu::PopupFromRect(const TRect& R)
{
    if (FPopupWindow)
        FPopupWindow->Hide(false);
    if (OnMenuPopup)
        OnMenuPopup(this);
    // Images without items cannot be laid out: nothing opens.
    if (!FImages || FImages->Count() == 0 || FImagesItems.empty())
        return;
    FOldItemIndex = FItemIndex;
    FPopupWindow = std::make_unique<TbsSkinImagesMenuPopupWindow>(this);
    FPopupWindow->Show(R);
}

void TbsSkinImagesMenu::Hide()
{
    if (FPopupWindow)
        FPopupWindow->Hide(false);
}

void TbsSkinImagesMenu::PopupClosed(bool ProcessEvents)
{
    // The window's own mouse or key handler may still be running.
    if (FPopupWindow) {
        FClosed.push_back(std::move(FPopupWindow));
        std::weak_ptr<bool> alive = FAlive;
        TThread::ForceQueue(nullptr, [this, alive] {
            if (auto a = alive.lock(); a && *a)
                FreeClosedWindows();
        });
    }
    if (OnInternalMenuClose)
        OnInternalMenuClose();
    if (OnMenuClose)
        OnMenuClose(this);
    if (!ProcessEvents || FItemIndex == -1)
        return;
    if (TbsImagesMenuItem* item = SelectedItem(); item && item->OnClick)
        item->OnClick(this);
    if (OnItemClick)
        OnItemClick(this);
    if (FItemIndex != FOldItemIndex) {
        if (OnInternalChange)
            OnInternalChange();
        if (OnChange)
            OnChange(this);
    }
}

void TbsSkinImagesMenu::FreeClosedWindows() { FClosed.clear(); }

// ------------------------------------------------------------ the window

TbsSkinImagesMenuPopupWindow::TbsSkinImagesMenuPopupWindow(TbsSkinImagesMenu* AImagesMenu) : ImagesMenu(AImagesMenu) {}

TbsSkinImagesMenuPopupWindow::~TbsSkinImagesMenuPopupWindow()
{
    if (FHooked && Application) {
        Application->OnMessage = OldAppMessage;
        FHooked = false;
    }
    if (FHandle && IsWindow(FHandle)) {
        if (GetCapture() == FHandle)
            ReleaseCapture();
        DestroyWindow(FHandle);
    }
}

bool TbsSkinImagesMenuPopupWindow::SkinSupport() const
{
    TbsSkinData* sd = ImagesMenu->SkinData();
    return sd && !sd->Empty && sd->PopupWindow && sd->PopupWindow->WindowPictureIndex != -1 &&
           sd->ActivePicture(sd->PopupWindow->WindowPictureIndex);
}

TbsSkinGeometry TbsSkinImagesMenuPopupWindow::Geometry() const
{
    return FittedGeometry(*ImagesMenu->SkinData()->PopupWindow);
}

void TbsSkinImagesMenuPopupWindow::CalcItemRects()
{
    TImageList* il = ImagesMenu->Images();
    const int cw = il->Width() + 10, ch = il->Height() + 10;
    const int gw = ImagesMenu->ColumnsCount() * cw;
    int x0 = 5, y = 5;
    if (FSkinSupport) {
        x0 = ImagesMenu->SkinData()->PopupWindow->ItemsRect.Left;
        y = ImagesMenu->SkinData()->PopupWindow->ItemsRect.Top;
    }
    int hh = ch;
    if (auto* label = ControlOf<TbsDataSkinLabelControl>(ImagesMenu->SkinData(), "label"))
        hh = label->SkinRect.Height();
    int x = x0;
    for (TbsImagesMenuItem& item : ImagesMenu->ImagesItems()) {
        if (item.Header) {
            if (x != x0)
                y += ch + 1;
            item.ItemRect = TRect{x0, y, x0 + gw, y + hh};
            y += hh + 1;
            x = x0;
        } else if (item.Button) {
            if (x != x0)
                y += ch + 1;
            item.ItemRect = TRect{x0, y, x0 + gw, y + ch};
            x = x0;
            y += ch + 1;
        } else {
            item.ItemRect = TRect{x, y, x + cw, y + ch};
            x += cw;
            if (x0 + gw < x + cw) {
                x = x0;
                y += ch + 1;
            }
        }
    }
}

void TbsSkinImagesMenuPopupWindow::Show(const TRect& PopupRect)
{
    FSkinSupport = SkinSupport();
    CalcItemRects();
    auto& items = ImagesMenu->ImagesItems();
    TImageList* il = ImagesMenu->Images();
    const int gw = ImagesMenu->ColumnsCount() * (il->Width() + 10);
    const int d = items.back().ItemRect.Bottom - items.front().ItemRect.Top;
    int w, h;
    std::optional<TRegion> rgn;
    if (FSkinSupport) {
        TbsSkinData* sd = ImagesMenu->SkinData();
        const TbsDataSkinPopupWindow& pw = *sd->PopupWindow;
        WindowPicture = sd->ActivePicture(pw.WindowPictureIndex);
        MaskPicture = pw.MaskPictureIndex == -1 ? nullptr : sd->ActivePicture(pw.MaskPictureIndex);
        w = WindowPicture->Width() + gw - pw.ItemsRect.Width();
        h = WindowPicture->Height() + d - pw.ItemsRect.Height();
        FitPicture(pw, *WindowPicture, w, h);
        if (MaskPicture)
            CreateSkinRegion(rgn, Geometry(), *MaskPicture, w, h);
    } else {
        w = gw + 10;
        h = d + 10;
    }

    // Below the rectangle, else above it; inside the work area.
    int x = PopupRect.Left, y = PopupRect.Bottom;
    TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr;
    if (!form && Application && Application->MainForm() && Application->MainForm()->Visible())
        form = Application->MainForm();
    if (!form)
        form = dynamic_cast<TCustomForm*>(ImagesMenu->Owner());
    TRect wa{0, 0, 0, 0};
    GetWindowMonitorRect(form && form->HandleAllocated() ? form->Handle() : nullptr, true, wa);
    if (y + h > wa.Bottom)
        y = PopupRect.Top - h;
    if (x + w > wa.Right)
        x = wa.Right - w;
    x = std::max(x, wa.Left);
    y = std::max(y, wa.Top);

    TWndProc proc = [this](HWND hw, UINT msg, WPARAM wp, LPARAM lp) { return WindowProc(hw, msg, wp, lp); };
    FHandle = CreateMenuWindow(ImagesMenuClassName, std::move(proc), x, y, w, h);
    if (!FHandle)
        return;
    if (rgn)
        SetWindowRgn(FHandle, new TRegion(*rgn), true);
    const int value = std::clamp(ImagesMenu->AlphaBlendValue, 0, 255);
    const bool layered = CanUseLayeredWindows() && ImagesMenu->AlphaBlend;
    const bool fade = layered && ImagesMenu->AlphaBlendAnimation;
    if (layered)
        MakeMenuWindowLayered(FHandle, std::uint8_t(fade ? 0 : value));
    SetWindowPos(FHandle, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (fade) {
        Application->ProcessMessages();
        int alpha = 0;
        uint32_t last = GetTickCount();
        while (alpha < value && FHandle) {
            Sleep(1);
            if (GetTickCount() - last > 5) {
                alpha = std::min(value, alpha + 10);
                SetLayeredWindowAlpha(FHandle, std::uint8_t(alpha));
                last = GetTickCount();
            }
        }
    }
    if (Application) {
        OldAppMessage = Application->OnMessage;
        Application->OnMessage = [this](TMsg& m, bool& handled) { AppMessage(m, handled); };
        FHooked = true;
    }
    SetCapture(FHandle);
}

void TbsSkinImagesMenuPopupWindow::Hide(bool AProcessEvents)
{
    if (!FHandle)
        return;
    if (ImagesMenu->ShowHints && ImagesMenu->SkinHint())
        ImagesMenu->SkinHint()->HideHint();
    ShowWindow(FHandle, SW_HIDE);
    if (FHooked && Application) {
        Application->OnMessage = OldAppMessage;
        FHooked = false;
    }
    if (GetCapture() == FHandle)
        ReleaseCapture();
    // The window itself goes with this object, once its handlers have returned.
    ImagesMenu->PopupClosed(AProcessEvents);
}

void TbsSkinImagesMenuPopupWindow::AppMessage(TMsg& Msg, bool& Handled)
{
    if (IsCloseMessage(Msg.message)) {
        Hide(false);
    } else if (Msg.message == WM_KEYDOWN) {
        ProcessKey(int(Msg.wParam));
        Msg.message = 0;
        Handled = true;
    }
}

LRESULT TbsSkinImagesMenuPopupWindow::WindowProc(HWND H, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(H, ps);
        TCanvas c;
        c.SetHandle(dc);
        Paint(c);
        c.SetHandle(nullptr);
        EndPaint(H, ps);
        return 0;
    }
    case WM_MOUSEMOVE: {
        TPoint p = LParamToPoint(LParam);
        TRect r;
        GetClientRect(H, r);
        if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) {
            FMouseIn = true;
            MouseMove(p.X, p.Y);
        } else if (FMouseIn) {
            FMouseIn = false;
            MouseLeave();
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TPoint cursor;
        GetCursorPos(cursor);
        if (WindowFromPoint(cursor) != H) {
            Hide(false);
            return 0;
        }
        TPoint p = LParamToPoint(LParam);
        MouseDown(p.X, p.Y);
        return 0;
    }
    case WM_LBUTTONUP: {
        TPoint p = LParamToPoint(LParam);
        MouseUp(p.X, p.Y);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProc(H, Msg, WParam, LParam);
}

int TbsSkinImagesMenuPopupWindow::ItemAt(TPoint P) const
{
    const auto& items = ImagesMenu->ImagesItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const TRect& r = items[i].ItemRect;
        if (!items[i].Header && P.X >= r.Left && P.X <= r.Right && P.Y >= r.Top && P.Y <= r.Bottom)
            return int(i);
    }
    return -1;
}

void TbsSkinImagesMenuPopupWindow::Redraw()
{
    if (FHandle) {
        InvalidateRect(FHandle, nullptr, false);
        UpdateWindow(FHandle);
    }
}

void TbsSkinImagesMenuPopupWindow::MouseMove(int X, int Y)
{
    MouseInItem = ItemAt(TPoint{X, Y});
    IbsFrameHint* hint = ImagesMenu->SkinHint();
    if (hint && MouseInItem == -1)
        hint->HideHint();
    if (MouseInItem == OldMouseInItem)
        return;
    OldMouseInItem = MouseInItem;
    Redraw();
    if (ImagesMenu->ShowHints && MouseInItem != -1 && hint) {
        hint->HideHint();
        const std::string& text = ImagesMenu->ImagesItems()[size_t(MouseInItem)].Hint;
        if (!text.empty())
            hint->ActivateHint2(text);
    }
}

void TbsSkinImagesMenuPopupWindow::MouseLeave()
{
    if (ImagesMenu->ShowHints && ImagesMenu->SkinHint())
        ImagesMenu->SkinHint()->HideHint();
    MouseInItem = OldMouseInItem = -1;
    Redraw();
}

void TbsSkinImagesMenuPopupWindow::MouseDown(int X, int Y)
{
    if (ImagesMenu->SkinHint())
        ImagesMenu->SkinHint()->HideHint();
    FDown = true;
    FItemDown = ItemAt(TPoint{X, Y}) != -1;
    Redraw();
}

void TbsSkinImagesMenuPopupWindow::MouseUp(int X, int Y)
{
    const int i = ItemAt(TPoint{X, Y});
    if (FDown && i != -1) {
        ImagesMenu->SetItemIndex(i);
        Hide(true);
    } else if (FHandle) {
        SetCapture(FHandle);
    }
}

void TbsSkinImagesMenuPopupWindow::ProcessKey(int Key)
{
    const int old = MouseInItem;
    switch (Key) {
    case VK_RETURN:
    case VK_SPACE:
        if (MouseInItem != -1)
            ImagesMenu->SetItemIndex(MouseInItem);
        Hide(true);
        return;
    case VK_ESCAPE:
        Hide(false);
        return;
    case VK_LEFT:
        FindLeft();
        break;
    case VK_UP:
        FindUp();
        break;
    case VK_RIGHT:
        FindRight();
        break;
    case VK_DOWN:
        FindDown();
        break;
    default:
        return;
    }
    if (MouseInItem != old)
        Redraw();
}

void TbsSkinImagesMenuPopupWindow::FindUp()
{
    const auto& items = ImagesMenu->ImagesItems();
    const int n = int(items.size());
    if (MouseInItem == -1) {
        MouseInItem = n - 1;
        return;
    }
    const TRect cur = items[size_t(MouseInItem)].ItemRect;
    for (int i = MouseInItem - 1; i >= 0; --i) {
        const TbsImagesMenuItem& it = items[size_t(i)];
        if (!it.Header && it.ItemRect.Top < cur.Top && (it.Button || it.ItemRect.Left == cur.Left)) {
            MouseInItem = i;
            return;
        }
    }
}

void TbsSkinImagesMenuPopupWindow::FindDown()
{
    const auto& items = ImagesMenu->ImagesItems();
    const int n = int(items.size());
    if (MouseInItem == -1) {
        MouseInItem = items[0].Header && n > 1 ? 1 : 0;
        return;
    }
    const TRect cur = items[size_t(MouseInItem)].ItemRect;
    for (int i = MouseInItem + 1; i < n; ++i) {
        const TbsImagesMenuItem& it = items[size_t(i)];
        if (!it.Header && it.ItemRect.Top > cur.Top && (it.Button || it.ItemRect.Left == cur.Left)) {
            MouseInItem = i;
            return;
        }
    }
}

void TbsSkinImagesMenuPopupWindow::FindRight()
{
    const auto& items = ImagesMenu->ImagesItems();
    const int n = int(items.size());
    if (MouseInItem == -1 || MouseInItem == n - 1) {
        MouseInItem = items[0].Header && n > 1 ? 1 : 0;
        return;
    }
    for (int i = MouseInItem + 1; i < n; ++i)
        if (!items[size_t(i)].Header) {
            MouseInItem = i;
            return;
        }
}

void TbsSkinImagesMenuPopupWindow::FindLeft()
{
    const auto& items = ImagesMenu->ImagesItems();
    const int n = int(items.size());
    if (MouseInItem == -1 || MouseInItem == 0 || (MouseInItem == 1 && items[0].Header && n > 1)) {
        MouseInItem = n - 1;
        return;
    }
    for (int i = MouseInItem - 1; i >= 0; --i)
        if (!items[size_t(i)].Header) {
            MouseInItem = i;
            return;
        }
}

// ------------------------------------------------------------ painting

void TbsSkinImagesMenuPopupWindow::Paint(TCanvas& C)
{
    FSkinSupport = SkinSupport();
    const int selected = ImagesMenu->ShowSelectedItem ? ImagesMenu->ItemIndex() : -1;
    TRect wr{0, 0, 0, 0};
    if (FHandle)
        GetWindowRect(FHandle, wr);
    const int w = wr.Width(), h = wr.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap buffer(w, h);
    TCanvas& b = *buffer.Canvas();
    if (FSkinSupport && WindowPicture) {
        const TbsDataSkinPopupWindow& pw = *ImagesMenu->SkinData()->PopupWindow;
        CreateWindowSkinImage(Geometry(), buffer, *WindowPicture,
                              TRect{0, 0, WindowPicture->Width(), WindowPicture->Height()}, w, h, true,
                              pw.LeftStretch, pw.TopStretch, pw.RightStretch, pw.BottomStretch, pw.StretchEffect,
                              pw.StretchType);
    } else {
        b.Pen().SetColor(clBtnShadow);
        b.Brush().SetStyle(bsSolid);
        b.Brush().SetColor(clWindow);
        b.Rectangle(0, 0, w, h);
    }
    TImageList* il = ImagesMenu->Images();
    const auto& items = ImagesMenu->ImagesItems();
    for (size_t n = 0; n < items.size(); ++n) {
        const int i = int(n);
        const TbsImagesMenuItem& item = items[n];
        const TRect& r = item.ItemRect;
        if (item.Header) {
            DrawHeader(b, r, item.Caption);
            continue;
        }
        if (i == selected && !FItemDown)
            DrawItemFrame(b, r, true);
        else if (i == MouseInItem)
            DrawItemFrame(b, r, FItemDown);
        bool image = false;
        if (il && item.ImageIndex >= 0 && item.ImageIndex < il->Count()) {
            il->Draw(b, r.Left + 5, r.Top + 5, item.ImageIndex, true);
            image = true;
        }
        if (item.Button && !item.Caption.empty()) {
            TRect t = r;
            if (image)
                t.Left += il->Width() + 5;
            const bool down = (i == selected && !FItemDown) || (i == MouseInItem && FItemDown);
            const bool hover = i == MouseInItem && !FItemDown && !(i == selected && !FItemDown);
            DrawButtonCaption(b, item.Caption, t, down, hover);
        }
    }
    C.Draw(0, 0, buffer);
}

void TbsSkinImagesMenuPopupWindow::DrawHeader(TCanvas& C, const TRect& R, const std::string& Text)
{
    TbsSkinData* sd = ImagesMenu->SkinData();
    auto* label = ControlOf<TbsDataSkinLabelControl>(sd, "label");
    const TBitmap* picture = label ? sd->ActivePicture(label->PictureIndex) : nullptr;
    C.Brush().SetStyle(bsClear);
    if (!label || !picture) {
        TRect t = R;
        C.DrawText(Text, t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        return;
    }
    const TRect& s = label->SkinRect;
    TBitmap strip;
    CreateHSkinImage(label->LTPoint.X, s.Width() - label->RTPoint.X, strip, *picture, s, R.Width(), s.Height(),
                     label->StretchEffect);
    TCanvas& c = *strip.Canvas();
    c.Font().SetColor(label->FontColor);
    c.Font().SetName(label->FontName);
    c.Font().SetHeight(label->FontHeight);
    c.Font().SetStyle(label->FontStyle);
    c.Font().SetCharset(C.Font().Charset());
    c.Brush().SetStyle(bsClear);
    TRect t{label->ClRect.Left, label->ClRect.Top, strip.Width() - (s.Width() - label->ClRect.Right), strip.Height()};
    c.DrawText(Text, t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    C.Draw(R.Left, R.Top, strip);
}

void TbsSkinImagesMenuPopupWindow::DrawItemFrame(TCanvas& C, const TRect& R, bool Down)
{
    TbsSkinData* sd = ImagesMenu->SkinData();
    auto* b = ControlOf<TbsDataSkinButtonControl>(sd, "menuitembutton");
    if (!b)
        b = ControlOf<TbsDataSkinButtonControl>(sd, "resizebutton");
    const TBitmap* picture = b ? sd->ActivePicture(b->PictureIndex) : nullptr;
    if (!b || !picture) {
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(PlainHotFrame);
        C.FrameRect(R);
        C.Brush().SetColor(Down ? PlainDownFill : PlainHotFill);
        C.FillRect(TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
        return;
    }
    TRect src = Down && !b->DownSkinRect.IsEmpty() ? b->DownSkinRect : b->ActiveSkinRect;
    if (src.IsEmpty())
        src = b->SkinRect;
    const int dW = R.Width() - b->SkinRect.Width(), dH = R.Height() - b->SkinRect.Height();
    const TbsSkinGeometry g = GrownGeometry(b->LTPoint, b->RTPoint, b->LBPoint, b->RBPoint, b->ClRect, dW, dH);
    TBitmap image;
    CreateSkinImage(g, image, *picture, src, R.Width(), R.Height(), true, b->LeftStretch, b->TopStretch,
                    b->RightStretch, b->BottomStretch, b->StretchEffect, b->StretchType);
    C.Draw(R.Left, R.Top, image);
}

void TbsSkinImagesMenuPopupWindow::DrawButtonCaption(TCanvas& C, const std::string& Text, const TRect& R, bool Down,
                                                     bool Hover)
{
    TbsSkinData* sd = ImagesMenu->SkinData();
    auto* b = ControlOf<TbsDataSkinButtonControl>(sd, "menuitembutton");
    if (!b)
        b = ControlOf<TbsDataSkinButtonControl>(sd, "resizebutton");
    TbsDataSkinMenuItem* mi = nullptr;
    if (sd && !sd->Empty) {
        int i = sd->GetIndex("menuitem");
        if (i < 0)
            i = sd->GetIndex("MENUITEM");
        if (i >= 0)
            mi = dynamic_cast<TbsDataSkinMenuItem*>(sd->ObjectList[size_t(i)].get());
    }
    if (FSkinSupport && b && mi) {
        if (ImagesMenu->UseSkinFont) {
            C.Font().SetName(b->FontName);
            C.Font().SetHeight(b->FontHeight);
            C.Font().SetStyle(b->FontStyle);
        } else {
            C.Font().Assign(ImagesMenu->DefaultFont());
        }
        C.Font().SetCharset(sd->ResourceStrData() ? sd->ResourceStrData()->CharSet()
                                                  : ImagesMenu->DefaultFont().Charset());
        C.Font().SetColor(Down ? b->DownFontColor : Hover ? b->ActiveFontColor : mi->FontColor);
    } else {
        C.Font().Assign(ImagesMenu->DefaultFont());
        C.Font().SetColor(clWindowText);
    }
    C.Brush().SetStyle(bsClear);
    TRect t = R;
    if (C.TextWidth(Text) > R.Width())
        C.DrawText(Text, t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    else
        C.DrawText(Text, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}
