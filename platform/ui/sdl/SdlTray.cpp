#include "platform/ui/sdl/SdlTray.h"
#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Tray.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/sdl/X11Desktop.h"
#include "platform/ui/sdl/X11Selections.h"
#include "platform/ui/sdl/X11Tray.h"

namespace {

constexpr int DefaultIconSize = 24;        // until the host gives its size
constexpr int NoteGap = 4;                 // between the icon and its tip or balloon
constexpr int BalloonWidth = 260;
enum TMouseKind { mkDown, mkUp, mkMove };

// Straight-alpha BGRA of a picture scaled (nearest pixel) into size x size,
// keeping its proportions.
std::vector<uint8_t> IconPixels(const TBitmap& source, int size, int& width, int& height)
{
    width = height = 0;
    if (source.Empty() || size <= 0)
        return {};
    TBitmap picture(source);
    TAlphaFormat alpha = picture.PixelFormat() == pf32bit ? picture.AlphaFormat() : afIgnored;
    bool keyed = source.Transparent();
    TColor key = keyed ? ColorToRGB(source.TransparentColor()) : 0;
    picture.SetPixelFormat(pf32bit);
    double scale = std::min(double(size) / picture.Width(), double(size) / picture.Height());
    width = std::max(1, int(picture.Width() * scale));
    height = std::max(1, int(picture.Height() * scale));
    std::vector<uint8_t> out(size_t(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = picture.ScanLine(std::min(picture.Height() - 1, int(y / scale)));
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = row + std::min(picture.Width() - 1, int(x / scale)) * 4;
            uint8_t* q = &out[(size_t(y) * width + x) * 4];
            int a = alpha == afIgnored ? 255 : p[3];
            for (int c = 0; c < 3; ++c)
                q[c] = alpha == afPremultiplied && a ? uint8_t(std::min(255, p[c] * 255 / a)) : p[c];
            if (keyed && TColor(p[2] | p[1] << 8 | p[0] << 16) == key)
                a = 0;
            q[3] = uint8_t(a);
        }
    }
    return out;
}

UINT MouseMessage(int kind, int button, bool doubleClick)
{
    static constexpr UINT downs[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    if (kind == mkMove)
        return WM_MOUSEMOVE;
    UINT down = downs[button];
    return kind == mkUp ? down + 1 : doubleClick ? down + 2 : down;
}

// The tip: one line on the hint colours. The balloon: a bold title over
// word-wrapped text, framed.
TBitmap DrawTip(const std::string& text)
{
    TBitmap measure(1, 1, pf32bit);
    measure.Canvas()->Font().SetName("Tahoma");
    TSize s = measure.Canvas()->TextExtent(text);
    TBitmap tip(s.cx + 8, s.cy + 4, pf32bit);
    TCanvas& c = *tip.Canvas();
    c.Font().SetName("Tahoma");
    c.Font().SetColor(clInfoText);
    c.Brush().SetColor(clInfoBk);
    c.Pen().SetColor(clBlack);
    c.Rectangle(0, 0, tip.Width(), tip.Height());
    c.Brush().SetStyle(bsClear);
    c.TextOut(4, 2, text);
    return tip;
}

// The balloon's kind as a round mark before the title: information,
// warning, error (none: no mark).
void DrawBalloonMark(TCanvas& c, int kind, int x, int y)
{
    static constexpr TColor colours[4] = {0, TColor(0xC06020), TColor(0x00B0F0), TColor(0x2020D0)};
    static constexpr const char* signs[4] = {"", "i", "!", "x"};
    if (kind < 1 || kind > 3)
        return;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(colours[kind]);
    c.Pen().SetColor(colours[kind]);
    c.Ellipse(x, y, x + 16, y + 16);
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clWhite);
    c.Font().SetStyle(fsBold);
    TRect r{x, y, x + 16, y + 16};
    c.DrawText(signs[kind], r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

TBitmap DrawBalloon(const std::string& title, const std::string& text, int kind)
{
    const int markWidth = kind >= 1 && kind <= 3 ? 22 : 0;
    TBitmap measure(1, 1, pf32bit);
    TCanvas& m = *measure.Canvas();
    m.Font().SetName("Tahoma");
    m.Font().SetStyle(fsBold);
    TRect titleRect{0, 0, BalloonWidth - 16 - markWidth, 0};
    int titleHeight = title.empty() ? 0 : m.DrawText(title, titleRect, DT_CALCRECT | DT_WORDBREAK);
    if (markWidth)
        titleHeight = std::max(titleHeight, 16);
    if (titleHeight)
        titleHeight += 4;
    m.Font().SetStyle(0);
    TRect textRect{0, 0, BalloonWidth - 16, 0};
    int textHeight = m.DrawText(text, textRect, DT_CALCRECT | DT_WORDBREAK);
    TBitmap balloon(BalloonWidth, titleHeight + textHeight + 16, pf32bit);
    TCanvas& c = *balloon.Canvas();
    c.Brush().SetColor(clInfoBk);
    c.Pen().SetColor(clBlack);
    c.Rectangle(0, 0, balloon.Width(), balloon.Height());
    c.Font().SetName("Tahoma");
    DrawBalloonMark(c, kind, 8, 8);
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clInfoText);
    if (!title.empty()) {
        c.Font().SetStyle(fsBold);
        TRect r{8 + markWidth, 8, BalloonWidth - 8, 8 + titleHeight};
        c.DrawText(title, r, DT_WORDBREAK);
    }
    c.Font().SetStyle(0);
    TRect r{8, 8 + titleHeight, BalloonWidth - 8, balloon.Height() - 8};
    c.DrawText(text, r, DT_WORDBREAK);
    return balloon;
}

} // namespace

TSdlTray::TSdlTray(SDL_Window* anchor) : FAnchor(anchor)
{
    WatchX11Selection(FAnchor, X11TraySelection);
    FHost = X11SelectionOwner(FAnchor, X11TraySelection);
}

TSdlTray::~TSdlTray()
{
    HideNote(FTip);
    HideNote(FBalloon);
    for (auto& [key, icon] : FIcons)
        DestroyX11TrayWindow(FAnchor, icon.Window);
}

bool TSdlTray::HostChanged()
{
    unsigned long host = X11SelectionOwner(FAnchor, X11TraySelection);
    if (host == FHost)
        return false;
    FHost = host;
    for (auto& [key, icon] : FIcons) {
        if (icon.Docked)
            UndockX11TrayWindow(FAnchor, icon.Window);
        icon.Docked = false;
        if (FHost)
            Dock(icon);
    }
    if (!FHost) {
        HideNote(FTip);
        HideNote(FBalloon);
    }
    return true;
}

void TSdlTray::Dock(TIcon& icon)
{
    if (!icon.Window)
        icon.Window = MakeX11TrayWindow(FAnchor, DefaultIconSize);
    DockX11TrayWindow(FAnchor, FHost, icon.Window);
}

bool TSdlTray::Notify(TTrayAction action, const TTrayIconInfo& info)
{
    TKey key{info.Wnd, info.Id};
    auto it = FIcons.find(key);
    switch (action) {
    case TTrayAction::Add:
    case TTrayAction::Modify: {
        if ((action == TTrayAction::Add) == (it != FIcons.end()) || (action == TTrayAction::Add && !FHost))
            return false;
        TIcon& icon = FIcons[key];
        icon.Info = info;
        icon.Info.Icon = nullptr;
        if (info.Icon)
            icon.Picture.Assign(*info.Icon);
        else
            icon.Picture.FreeImage();
        if (action == TTrayAction::Add)
            Dock(icon);
        else
            Paint(icon);
        SyncBalloon(icon);
        return true;
    }
    case TTrayAction::Delete:
        if (it == FIcons.end())
            return false;
        if (FTip.Of == key)
            HideNote(FTip);
        if (FBalloon.Of == key)
            HideNote(FBalloon);
        // Our window leaving makes the host drop its place.
        DestroyX11TrayWindow(FAnchor, it->second.Window);
        FIcons.erase(it);
        return true;
    }
    return false;
}

void TSdlTray::Paint(TIcon& icon)
{
    if (!icon.Docked)
        return;
    int size = icon.Size.cx > 0 ? std::min(icon.Size.cx, icon.Size.cy) : DefaultIconSize;
    int width = 0, height = 0;
    std::vector<uint8_t> pixels = IconPixels(icon.Picture, size, width, height);
    PaintX11TrayWindow(FAnchor, icon.Window, pixels.data(), width, height);
}

TSdlTray::TIcon* TSdlTray::IconOfWindow(unsigned long window)
{
    for (auto& [key, icon] : FIcons)
        if (icon.Window == window)
            return &icon;
    return nullptr;
}

bool TSdlTray::HandleRawEvent(const SDL_SysWMmsg* msg)
{
    TX11TrayEvent e = TranslateX11TrayEvent(msg);
    if (e.Kind == TX11TrayEvent::teNone || !e.Window)
        return false;
    if (e.Window == BalloonWindow()) {
        if (e.Kind == TX11TrayEvent::tePress) {
            auto [wnd, id] = FBalloon.Of;
            if (TIcon* icon = FIcons.count(FBalloon.Of) ? &FIcons[FBalloon.Of] : nullptr)
                PostMessage(wnd, icon->Info.CallbackMessage, id, NIN_BALLOONUSERCLICK);
            HideNote(FBalloon);
        }
        return true;
    }
    TIcon* icon = IconOfWindow(e.Window);
    if (!icon)
        return false;
    switch (e.Kind) {
    case TX11TrayEvent::teEmbedded:
        icon->Docked = true;
        break;
    case TX11TrayEvent::teUnembedded:
        // The host ended (its embedded windows come back to the root,
        // mapped): ours stays out of sight until a host takes it again.
        if (icon->Docked)
            UndockX11TrayWindow(FAnchor, icon->Window);
        icon->Docked = false;
        if (FTip.Of == std::make_pair(icon->Info.Wnd, icon->Info.Id))
            HideNote(FTip);
        break;
    case TX11TrayEvent::teResized:
        if (icon->Size != e.Size) {
            icon->Size = e.Size;
            Paint(*icon);
        }
        break;
    case TX11TrayEvent::teExpose:
        icon->Docked = true;              // shown by its host
        Paint(*icon);
        SyncBalloon(*icon);
        break;
    case TX11TrayEvent::tePress:
    case TX11TrayEvent::teRelease:
        HideNote(FTip);
        if (e.Button >= 0)
            Mouse(*icon, e.Kind == TX11TrayEvent::tePress ? mkDown : mkUp, e.Button, e.Screen, e.Time);
        break;
    case TX11TrayEvent::teMotion:
        Mouse(*icon, mkMove, 0, e.Screen, 0);
        break;
    case TX11TrayEvent::teEnter:
        ShowTip(*icon, e.Screen);
        break;
    case TX11TrayEvent::teLeave:
        HideNote(FTip);
        break;
    default: break;
    }
    return true;
}

// The icon's window hears of it as the desktop's tray tells: the cursor is
// where the action happened (so a menu opens at the icon).
void TSdlTray::Mouse(TIcon& icon, int kind, int button, TPoint screen, unsigned long time)
{
    bool doubleClick = false;
    if (kind == mkDown) {
        doubleClick = icon.LastButton == button && time - icon.LastPress <= GetDoubleClickTime() &&
                      std::abs(screen.X - icon.LastPoint.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                      std::abs(screen.Y - icon.LastPoint.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        // A third press starts over.
        icon.LastButton = doubleClick ? -1 : button;
        icon.LastPress = time;
        icon.LastPoint = screen;
    }
    WM().CursorPos = screen;
    InjectMouseMove(screen);
    PostMessage(icon.Info.Wnd, icon.Info.CallbackMessage, icon.Info.Id, MouseMessage(kind, button, doubleClick));
}

void TSdlTray::ShowTip(TIcon& icon, TPoint at)
{
    if (icon.Info.Tip.empty() || FBalloon.Window)
        return;
    FTip.Picture = DrawTip(icon.Info.Tip);
    FTip.Of = {icon.Info.Wnd, icon.Info.Id};
    ShowNote(FTip, icon, at);
}

void TSdlTray::SyncBalloon(TIcon& icon)
{
    TKey key{icon.Info.Wnd, icon.Info.Id};
    if (icon.Info.BalloonText.empty()) {
        if (FBalloon.Of == key)
            HideNote(FBalloon);
        return;
    }
    if (!icon.Docked)
        return;                            // shown once the host shows the icon
    HideNote(FTip);
    FBalloon.Picture = DrawBalloon(icon.Info.BalloonTitle, icon.Info.BalloonText, icon.Info.BalloonIcon);
    FBalloon.Of = key;
    TRect r = X11TrayWindowRect(FAnchor, icon.Window);
    ShowNote(FBalloon, icon, TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
}

// Beside the icon, towards the middle of the screen, kept on the screen.
void TSdlTray::ShowNote(TNote& note, const TIcon& icon, TPoint near)
{
    TRect iconRect = X11TrayWindowRect(FAnchor, icon.Window);
    if (iconRect.IsEmpty())
        iconRect = Bounds(near.X, near.Y, 1, 1);
    TRect screen = Bounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    int w = note.Picture.Width(), h = note.Picture.Height();
    int x = std::clamp(near.X - w / 2, screen.Left, std::max(screen.Left, screen.Right - w));
    int y = iconRect.Bottom + NoteGap;
    if (iconRect.Top > screen.Height() / 2)
        y = iconRect.Top - NoteGap - h;
    y = std::clamp(y, screen.Top, std::max(screen.Top, screen.Bottom - h));
    if (!note.Window)
        note.Window = SDL_CreateWindow("", x, y, w, h,
                                       SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP |
                                           SDL_WINDOW_SKIP_TASKBAR);
    if (!note.Window)
        return;
    SDL_SetWindowSize(note.Window, w, h);
    SDL_SetWindowPosition(note.Window, x, y);
    SDL_ShowWindow(note.Window);
    SDL_RaiseWindow(note.Window);
    PresentNote(note);
}

void TSdlTray::PresentNote(TNote& note)
{
    SDL_Surface* surface = note.Window ? SDL_GetWindowSurface(note.Window) : nullptr;
    if (!surface)
        return;
    int w = std::min(surface->w, note.Picture.Width()), h = std::min(surface->h, note.Picture.Height());
    if (w <= 0 || h <= 0)
        return;
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, note.Picture.ScanLine(0), note.Picture.Width() * 4,
                      surface->format->format, surface->pixels, surface->pitch);
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(note.Window);
}

void TSdlTray::HideNote(TNote& note)
{
    if (note.Window)
        SDL_DestroyWindow(note.Window);
    note.Window = nullptr;
    note.Of = {nullptr, 0};
}

void TSdlTray::Exposed(uint32_t windowId)
{
    for (TNote* note : {&FTip, &FBalloon})
        if (note->Window && SDL_GetWindowID(note->Window) == windowId)
            PresentNote(*note);
}

unsigned long TSdlTray::IconWindow(HWND wnd, UINT id) const
{
    auto it = FIcons.find({wnd, id});
    return it == FIcons.end() ? 0 : it->second.Window;
}

bool TSdlTray::Docked(HWND wnd, UINT id) const
{
    auto it = FIcons.find({wnd, id});
    return it != FIcons.end() && it->second.Docked;
}

unsigned long TSdlTray::BalloonWindow() const
{
    return X11WindowOf(FBalloon.Window);
}

unsigned long TSdlTray::TipWindow() const
{
    return X11WindowOf(FTip.Window);
}
