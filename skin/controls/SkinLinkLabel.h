#pragma once
#include <functional>
#include <string>
#include "platform/ui/controls/StdCtrls.h"
#include "skin/data/SkinDataLink.h"
#include "skin/frame/SkinChangeRelay.h"

class TbsSkinData;

// Opens a link target; replaceable, so that tests record the target
// instead of starting the desktop's opener.
extern std::function<void(const std::string& Target)> LinkOpener;
// The target a link label hands to the opener: http(s) and mailto links
// as they are, an address starting "www." with "https://" before it, and ""
// for anything else (no other scheme is ever opened).
std::string LinkTargetOf(const std::string& URL);

// A hyperlink label: the caption in the skin's "stdlabel" font, the active
// colour (or a glow) while the mouse is over it, and its URL opened when
// clicked.
class TbsSkinLinkLabel : public TCustomLabel, public IbsSkinChangeTarget {
public:
    explicit TbsSkinLinkLabel(TComponent* AOwner);

    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    int SkinIndex() const { return FIndex; }
    bool GlowEffect() const { return FGlowEffect; }
    void SetGlowEffect(bool Value) { FGlowEffect = Value; }
    int GlowSize() const { return FGlowSize; }
    void SetGlowSize(int Value) { FGlowSize = Value; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    TColor DefaultActiveFontColor() const { return FDefaultActiveFontColor; }
    void SetDefaultActiveFontColor(TColor Value) { FDefaultActiveFontColor = Value; }
    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& Value) { FURL = Value; }
    bool UseUnderLine() const { return FUseUnderLine; }
    void SetUseUnderLine(bool Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    bool MouseIn() const { return FMouseIn; }

    // Look-up, then repaint; the skin-change relay calls it.
    void ChangeSkinData() override;
    // OnClick, then the URL opened without waiting; a failing opener is
    // not reported (the click itself succeeded).
    void Click() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void DoDrawText(TRect& Rect, unsigned Flags) override;

private:
    void GetSkinData();

    bool FGlowEffect = false;
    int FGlowSize = 7;
    bool FMouseIn = false;
    int FIndex = -1;
    TbsSkinDataLink FSD{this};
    std::string FSkinDataName = "stdlabel";
    TFont FDefaultFont;
    bool FUseSkinFont = true;
    TColor FDefaultActiveFontColor = clBlue;
    std::string FURL;
    bool FUseUnderLine = true;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = clBlue;
};
