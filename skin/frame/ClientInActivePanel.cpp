#include "skin/frame/ClientInActivePanel.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/forms/Forms.h"
#include "skin/draw/StackBlur.h"

TbsClientInActivePanel::TbsClientInActivePanel(TComponent* AOwner) : TbsSkinPaintPanel(AOwner)
{
    SetVisible(false);
}

TbsClientInActivePanel::~TbsClientInActivePanel() = default;

void TbsClientInActivePanel::ShowPanel(TCustomForm* AForm, TbsClientInActiveEffect AEffect)
{
    if (!AForm || !AForm->Visible() || !AForm->HandleAllocated())
        return;
    const int w = AForm->ClientWidth(), h = AForm->ClientHeight();
    if (w <= 0 || h <= 0)
        return;
    SetVisible(false);
    SetParent(AForm);
    SetBounds(0, 0, w, h);

    // What the client area shows now.
    TBitmap snapshot(w, h, pf32bit);
    {
        TDeviceContext target(&snapshot);
        HDC dc = GetDC(AForm->Handle());
        if (dc)
            BitBlt(target, 0, 0, w, h, *dc, 0, 0);
        ReleaseDC(AForm->Handle(), dc);
    }
    FBuffer = std::make_unique<TbsBitmap>();
    FBuffer->Assign(snapshot);
    FBuffer->SetAlpha(255);

    if (AEffect == bsieBlur) {
        StackBlur(FBuffer->View(), BlurRadius);
    } else {
        // The form's own background laid over the snapshot, mostly opaque.
        TBitmap background(w, h, pf32bit);
        {
            TDeviceContext dc(&background);
            SendMessage(AForm->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
        }
        TbsBitmap bg;
        bg.Assign(background);
        const int a = SemiTransparentAlpha;
        for (int y = 0; y < h; ++y) {
            TbsColor* dst = FBuffer->ScanLine(y);
            const TbsColor* src = bg.ScanLine(y);
            for (int x = 0; x < w; ++x) {
                auto mix = [a](unsigned over, unsigned under) { return (over * a + under * (255 - a) + 127) / 255; };
                const TbsColor o = src[x], u = dst[x];
                dst[x] = 0xFF000000u | mix((o >> 16) & 0xFF, (u >> 16) & 0xFF) << 16 |
                         mix((o >> 8) & 0xFF, (u >> 8) & 0xFF) << 8 | mix(o & 0xFF, u & 0xFF);
            }
        }
    }
    SetVisible(true);
    BringToFront();
}

void TbsClientInActivePanel::HidePanel()
{
    SetVisible(false);
    FBuffer.reset();
}

void TbsClientInActivePanel::Paint()
{
    if (FBuffer)
        FBuffer->Draw(Canvas(), 0, 0);
}
