#pragma once
#include <memory>
#include <string>
#include "platform/core/Strings.h"
#include "platform/gfx/Font.h"
#include "platform/ui/controls/StdCtrls.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TbsSkinData;

enum TbsEllipsType { bsetNone, bsetEndEllips, bsetPathEllips };

// What both labels share: the skin link, the "stdlabel" element's font and
// colour, and the font used without a skin.
struct TbsLabelSkin {
    explicit TbsLabelSkin(TComponent* AHolder);
    // FIndex and the font fields from the skin's element.
    void GetSkinData();
    // Sets Canvas's font the labels' way; Fallback is the label's own font.
    void ApplyFont(TCanvas& Canvas, const TFont& Fallback) const;
    // Draws Text into R; disabled: a light copy one pixel down and right
    // under a dark one.
    void DrawText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags, bool Enabled) const;

    TbsSkinDataLink FSD;   // the label's link
    std::string FSkinDataName = "stdlabel";
    int FIndex = -1;
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    bool FUseSkinColor = true;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
};

// A label whose text takes the skin's label font and colour.
class TbsSkinStdLabel : public TCustomLabel, public IbsSkinChangeTarget {
public:
    explicit TbsSkinStdLabel(TComponent* AOwner);

    TbsSkinData* SkinData() const override { return FSkin.FSD; }
    void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkin.FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkin.FSkinDataName = Value; }
    void ChangeSkinData() override;
    void GetSkinData() { FSkin.GetSkinData(); }

    TFont& DefaultFont() { return FSkin.FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FSkin.FDefaultFont.Assign(Value); }
    bool UseSkinFont() const { return FSkin.FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FSkin.FUseSkinFont = Value; }
    bool UseSkinColor() const { return FSkin.FUseSkinColor; }
    void SetUseSkinColor(bool Value) { FSkin.FUseSkinColor = Value; }
    TbsEllipsType EllipsType() const { return FEllipsType; }
    void SetEllipsType(TbsEllipsType Value);

    // Draws AText with the label's look onto C with the label's (0,0) at (X, Y).
    void PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoDrawText(TRect& R, unsigned Flags) override;

private:
    unsigned Flags(unsigned Base) const;
    void DrawTextTo(TCanvas& C, const std::string& Text, TRect& R, unsigned Flags);

    TbsLabelSkin FSkin{this};
    TbsEllipsType FEllipsType = bsetNone;
};

// A windowless multi-line label: Lines laid out with alignment, layout and
// word wrap, sized to its text with AutoSize.
class TbsSkinTextLabel : public TGraphicControl, public IbsSkinChangeTarget {
public:
    explicit TbsSkinTextLabel(TComponent* AOwner);
    ~TbsSkinTextLabel() override;

    TbsSkinData* SkinData() const override { return FSkin.FSD; }
    void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkin.FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkin.FSkinDataName = Value; }
    void ChangeSkinData() override;
    void GetSkinData() { FSkin.GetSkinData(); }

    TFont& DefaultFont() { return FSkin.FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    bool UseSkinFont() const { return FSkin.FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FSkin.FUseSkinFont = Value; }
    bool UseSkinColor() const { return FSkin.FUseSkinColor; }
    void SetUseSkinColor(bool Value) { FSkin.FUseSkinColor = Value; }

    TStringList& Lines() { return FLines; }
    void SetLines(const TStrings& Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void AdjustBounds() override;
    void Loaded() override;
    void FontChanged() override;
    // The text of Lines without the break after the last line, which would
    // otherwise count as one more line.
    virtual std::string LinesText() const;

private:
    void LinesChanged();
    unsigned Flags() const;

    TbsLabelSkin FSkin{this};
    TStringList FLines;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
};
