#pragma once
#include "skin/controls/SkinPanel.h"

// A bottom-aligned panel with an optional size grip at its right end.
class TbsSkinStatusBar : public TbsSkinPanel {
public:
    explicit TbsSkinStatusBar(TComponent* AOwner);

    void SetSkinData(TbsSkinData* Value) override;
    void GetSkinData() override;

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    bool ShowGrip() const { return FShowGrip; }
    void SetShowGrip(bool Value);
    TRect GetGripRect();

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;

protected:
    void WndProc(TMessage& Message) override;
    void AdjustClientRect(TRect& R) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;

private:
    bool FSizeGrip = false;
    bool FShowGrip = true;
};

// The grip's diagonal lines in R: Dark, then Light one pixel further.
void DrawGrip(TCanvas& C, const TRect& R, TColor Light, TColor Dark);
