#pragma once
#include <memory>
#include "skin/controls/SkinPanel.h"
#include "skin/draw/AlphaBitmap.h"
#include "skin/frame/FormFrame.h"

// Covers an inactive form's client area with a snapshot of it, dimmed
// towards the form's background or blurred. The form frame makes one each
// time the form turns inactive and frees it when it turns active again.
class TbsClientInActivePanel : public TbsSkinPaintPanel {
public:
    explicit TbsClientInActivePanel(TComponent* AOwner);
    ~TbsClientInActivePanel() override;

    void ShowPanel(TCustomForm* AForm, TbsClientInActiveEffect AEffect);
    void HidePanel();
    const TbsBitmap* Buffer() const { return FBuffer.get(); }

    static constexpr int SemiTransparentAlpha = 170;
    static constexpr int BlurRadius = 3;

protected:
    void Paint() override;

private:
    std::unique_ptr<TbsBitmap> FBuffer;
};
