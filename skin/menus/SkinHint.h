#pragma once
#include "skin/data/SkinDataLink.h"
#include <cstdint>
#include <string>
#include "platform/core/Component.h"
#include "platform/gfx/Font.h"
#include "platform/ui/controls/HintWindow.h"
#include "platform/ui/forms/Application.h"
#include "skin/frame/FrameSeams.h"

class TImageList;
class TTimer;
class TCanvas;
class TbsSkinData;
class TbsSkinHint;

// A hint window drawn from the skin's hint-window picture (or as a plain
// tooltip), sized to its text with an optional bold title and image, kept
// inside the work area, with layered alpha and a fade-in. It takes its
// settings from the active skinned-hint component of the main form at
// every activation.
class TbsSkinHintWindow : public THintWindow {
public:
    explicit TbsSkinHintWindow(TComponent* AOwner);

    TRect CalcHintRect(int MaxWidth, const std::string& AHint) override;
    // Only Rect's top-left is used: the window sizes itself.
    void ActivateHint(TRect Rect, const std::string& AHint) override;
    void ActivateHintEx(TRect Rect, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                        TImageList* AImageList);
    // Centred on ARect, below it or (ATop) above it.
    void ActivateHintFromRect(TRect ARect, const std::string& AHint, bool ATop);
    void HideWindow();
    static TbsSkinHint* FindSkinHint();

    TRect NewClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TbsSkinHint* FspHint = nullptr;
    TbsSkinData* FSD = nullptr;
    bool FOldAlphaBlend = false;
    std::uint8_t FOldAlphaBlendValue = 0;
    bool AExtendedStyle = false;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;

private:
    enum class TPlace { AtPoint, BelowRect, AboveRect };
    void Activate(const TRect& Rect, const std::string& AHint, TPlace Place);
    void SetCanvasFont(TCanvas& C) const;
    TSize CalcHintSize(const std::string& Text);
    TSize CalcHintExSize(const std::string& Text);
    void FitCorners(TSize& S);
    void SetHintWindowRegion();
    void PaintHintEx(TCanvas& C, int W, int H);
    bool Skinned() const;
};

// The component that gives the program skinned hints: it installs
// TbsSkinHintWindow as the application's hint window class, supplies the
// settings every skinned hint reads, takes a title and image from the
// hovered skinned control, and shows hints of its own for code that asks
// for one (frame objects, image menus), at once or after the pause.
class TbsSkinHint : public TComponent, public IbsFrameHint {
public:
    explicit TbsSkinHint(TComponent* AOwner);
    ~TbsSkinHint() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    const std::string& LineSeparator() const { return FLineSeparator; }
    void SetLineSeparator(const std::string& Value) { FLineSeparator = Value; }

    // The text with every separator replaced by a line break (one pass).
    std::string ReplaceLineSeparators(const std::string& Text) const;

    void ActivateHint(TPoint P, const std::string& AHint);
    void ActivateHintEx(TPoint P, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                        TImageList* AImageList);
    void ActivateHint2(const std::string& AHint) override;
    void ActivateHint3(const TRect& AFromRect, const std::string& AHint, bool ATop);
    void ActivateHintEx2(const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                         TImageList* AImageList);
    void HideHint() override;
    bool IsVisible() const;
    int GetCursorHeightMargin() const;
    void AppShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo);

    TbsSkinHintWindow* HW;
    bool AlphaBlend = false;
    std::uint8_t AlphaBlendValue = 0;
    bool AlphaBlendAnimation = false;
    bool UseSkinFont = true;
    std::string FHintTitle;
    int FHintImageIndex = 0;
    TImageList* FHintImageList = nullptr;
    TShowHintEvent OnShowHint;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    enum class TPending { Cursor, Rect, CursorEx };
    void StartHintTimer(TPending Kind);
    void HintTimerProc();
    void InstallShowHint();

    bool FActive = true;
    TbsSkinDataLink FSD{this};
    TFont FDefaultFont;
    std::string FLineSeparator = "@";
    TTimer* HintTimer = nullptr;
    std::string HintText;
    TRect FromRect;
    bool Top = false;
    TPending FKind = TPending::Cursor;
    int FStage = 0;   // 0 idle, 1 waiting to show, 2 shown until the hide pause
};
