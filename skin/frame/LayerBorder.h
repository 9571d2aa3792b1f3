#pragma once
#include <functional>
#include <memory>
#include "platform/core/Component.h"
#include "platform/ui/forms/Forms.h"
#include "skin/draw/AlphaBitmap.h"
#include "skin/frame/FrameSeams.h"

class TbsFormFrame;
class TbsSkinData;
class TbsDataSkinLayerFrame;
class TbsFormLayerBorder;

enum TbsFormLayerBorderType { bsflLeft, bsflTop, bsflRight, bsflBottom };
enum TbsFormLayerBorderHit {
    bsflhNone, bsflhLeft, bsflhTop, bsflhRight, bsflhBottom,
    bsflhTopLeft, bsflhTopRight, bsflhBottomLeft, bsflhBottomRight
};

// One side of the layered border: a borderless per-pixel-alpha window that
// never takes the activation. Where the skin allows it, dragging it resizes
// the form.
class TbsFormLayerWindow : public TForm {
public:
    TbsFormLayerWindow(TbsFormLayerBorder* ALayerBorder, TCustomForm* AForm, TbsFormLayerBorderType AType);

    TbsFormLayerBorderType BorderType;
    TbsFormLayerBorderHit HitMode() const { return FHitMode; }
    // The zone under a screen point (also for tests).
    TbsFormLayerBorderHit GetHitMode(TPoint P) const;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool CanChangeSize() const;
    void ResizeStep();

    bool FDown = false;
    TCustomForm* FForm;
    TbsFormLayerBorder* FLayerBorder;
    TPoint MousePos1, MousePos2;
    TbsFormLayerBorderHit FHitMode = bsflhNone;
    bool FInProcessMessages = false;
};

// The faint translucent border some skins draw around a form, wider than
// the form's own window: the skin's layered-frame picture cut into four
// images sized for the form, each shown in its own layer window placed
// around it. It follows the form's moves and sizes, fades in, and takes
// the form's activation and alpha. Without a usable layered-frame
// description every operation does nothing.
class TbsFormLayerBorder : public TComponent, public IbsLayeredBorder {
public:
    explicit TbsFormLayerBorder(TbsFormFrame* AOwner);
    ~TbsFormLayerBorder() override;

    TbsFormFrame* BSF() const { return FBSF; }
    TCustomForm* Form() const { return FForm; }
    const TbsDataSkinLayerFrame* Data() const { return FData; }

    void InitFrame(TbsSkinData* ASkinData, TCustomForm* AForm);
    void Show(int X, int Y, int AWidth, int AHeight);
    void SetBounds(int X, int Y, int AWidth, int AHeight);
    void Draw(TCanvas& C, int X, int Y, int AWidth, int AHeight);
    void SetAlphaBlend();
    void SetAlphaBlend2();
    void SetBoundsWithForm2(int AW, int AH);
    void MoveWithForm();
    TRect OuterRect(int ALeft, int ATop, int AW, int AH) const;

    // The seam the form frame drives.
    bool Visible() const override { return FVisible; }
    void Hide() override;
    void SetActiveFlag(bool Active) override { FActive = Active; }
    void SetActive(bool AValue, bool AUpdate) override;
    void ShowWithForm() override;
    void ShowWithFormAnimation() override;
    void SetBoundsWithForm() override;
    void SetBoundsWithForm3(int ALeft, int ATop, int AW, int AH) override;
    void MoveWithForm2(int ALeft, int ATop) override;
    void CheckFormAlpha(int AFormAlpha, bool AUpdate) override;
    void InitFrame() override;
    TRect BorderSizes() const override;

    int LeftSize = 0, TopSize = 0, RightSize = 0, BottomSize = 0;
    int CurrentAlphaBlendValue() const { return FCurrentAlphaBlendValue; }
    int CurrentInActiveAlphaBlendValue() const { return FCurrentInActiveAlphaBlendValue; }
    bool Active() const { return FActive; }
    TbsFormLayerWindow* Window(TbsFormLayerBorderType T) const;
    // Told each alpha a fade-in goes through.
    std::function<void(int Alpha)> OnFadeStep;
    const TbsBitmap* Image(TbsFormLayerBorderType T) const;

private:
    TRect FormRect() const;
    void MakeBorderImages(int W, int H);
    void FreeWindows();
    void PlaceWindows(int X, int Y, bool Create);
    int CurrentAlpha() const { return FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue; }
    bool BuildSource(int Picture, int Mask, std::unique_ptr<TbsBitmap>& Dest);

    TbsFormFrame* FBSF;
    TCustomForm* FForm = nullptr;
    bool FVisible = false;
    TbsSkinData* FSD = nullptr;
    const TbsDataSkinLayerFrame* FData = nullptr;
    std::unique_ptr<TbsBitmap> FSourceBitmap;
    std::unique_ptr<TbsBitmap> FSourceInActiveBitMap;
    std::unique_ptr<TbsBitmap> LeftImage, TopImage, RightImage, BottomImage;
    TbsFormLayerWindow* LeftBorder = nullptr;
    TbsFormLayerWindow* TopBorder = nullptr;
    TbsFormLayerWindow* RightBorder = nullptr;
    TbsFormLayerWindow* BottomBorder = nullptr;
    int FWidth = 0, FHeight = 0;
    bool FActive = true;
    int FCurrentAlphaBlendValue = -1;
    int FCurrentInActiveAlphaBlendValue = -1;
};
