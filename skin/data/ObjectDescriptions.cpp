#include "skin/data/ObjectDescriptions.h"

void TbsDataSkinObject::LoadFromFile(TCustomIniFile& IniFile) {
    ReadKeys<TbsDataSkinObject>(IniFile, IDName, *this, OwnKeys());
}

void TbsDataSkinObject::SaveToFile(TCustomIniFile& IniFile) {
    IniFile.EraseSection(IDName);
    WriteKeys<TbsDataSkinObject>(IniFile, IDName, *this, OwnKeys());
}

void TbsDataSkinObject::ReportKeys(std::vector<TbsKeyState>& Out) const {
    ::ReportKeys<TbsDataSkinObject>(*this, OwnKeys(), Out);
}

namespace {

// Caption buttons whose hint names a command that toggles show "Restore" in
// the toggled state, unless the skin gives a restore hint of its own.
std::string DefaultRestoreHint(const std::string& Hint, TbsStdCommand Command) {
    const bool toggles = (Hint == "Maximize" && Command == cmMaximize) ||
                         (Hint == "Minimize" && Command == cmMinimize) ||
                         ((Hint == "RollUp" || Hint == "Roll Up") && Command == cmRollUp);
    return toggles ? "Restore" : "";
}

const TbsSkinKey<TbsDataSkinObject> kUserObjectKeys[] = {
    {"skinrect", &TbsDataSkinObject::SkinRect},
};

}  // namespace

void TbsDataSkinMenuItem::LoadFromFile(TCustomIniFile& IniFile) {
    TbsKeyed::LoadFromFile(IniFile);
    if (ActiveCheckImageRect.IsEmpty())
        ActiveCheckImageRect = CheckImageRect;
    if (ActiveRadioImageRect.IsEmpty())
        ActiveRadioImageRect = RadioImageRect;
    if (ActiveArrowImageRect.IsEmpty())
        ActiveArrowImageRect = ArrowImageRect;
}

void TbsDataSkinStdButton::LoadFromFile(TCustomIniFile& IniFile) {
    TbsKeyed::LoadFromFile(IniFile);
    if (RestoreHint.empty())
        RestoreHint = DefaultRestoreHint(Hint, Command);
}

void TbsDataSkinAnimate::LoadFromFile(TCustomIniFile& IniFile) {
    TbsKeyed::LoadFromFile(IniFile);
    Morphing = false;
    if (RestoreHint.empty())
        RestoreHint = DefaultRestoreHint(Hint, Command);
}

void TbsDataUserObject::LoadFromFile(TCustomIniFile& IniFile) {
    ReadKeys<TbsDataSkinObject>(IniFile, IDName, *this, kUserObjectKeys);
}

void TbsDataUserObject::SaveToFile(TCustomIniFile& IniFile) {
    IniFile.EraseSection(IDName);
    WriteKeys<TbsDataSkinObject>(IniFile, IDName, *this, kUserObjectKeys);
}

void TbsDataUserObject::ReportKeys(std::vector<TbsKeyState>& Out) const {
    ::ReportKeys<TbsDataSkinObject>(*this, kUserObjectKeys, Out);
}

namespace {

template <class T>
std::unique_ptr<TbsDataSkinObject> Make(const std::string& AIDName) {
    return std::make_unique<T>(AIDName);
}

struct TObjectKind {
    const char* Keyword;
    std::unique_ptr<TbsDataSkinObject> (*Create)(const std::string&);
};

const TObjectKind kObjectKinds[] = {
    {TbsDataSkinMenuItem::Keyword, Make<TbsDataSkinMenuItem>},
    {TbsDataSkinMainMenuBarItem::Keyword, Make<TbsDataSkinMainMenuBarItem>},
    {TbsDataSkinButton::Keyword, Make<TbsDataSkinButton>},
    {TbsDataSkinStdButton::Keyword, Make<TbsDataSkinStdButton>},
    {TbsDataSkinMainMenuBarButton::Keyword, Make<TbsDataSkinMainMenuBarButton>},
    {TbsDataSkinCaption::Keyword, Make<TbsDataSkinCaption>},
    {TbsDataSkinAnimate::Keyword, Make<TbsDataSkinAnimate>},
    {TbsDataUserObject::Keyword, Make<TbsDataUserObject>},
};

}  // namespace

std::unique_ptr<TbsDataSkinObject> CreateSkinObject(const std::string& Kind, const std::string& AIDName) {
    for (const auto& k : kObjectKinds)
        if (Kind == k.Keyword)
            return k.Create(AIDName);
    return nullptr;
}

// Key tables, one per class, in the order the keys are written.

std::span<const TbsSkinKey<TbsDataSkinObject>> TbsDataSkinObject::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinObject> keys[] = {
        {"hint", &TbsDataSkinObject::Hint},
        {"activepictureindex", &TbsDataSkinObject::ActivePictureIndex, -1},
        {"activemaskpictureindex", &TbsDataSkinObject::ActiveMaskPictureIndex, -1},
        {"skinrectinapicture", &TbsDataSkinObject::SkinRectInAPicture},
        {"skinrect", &TbsDataSkinObject::SkinRect},
        {"activeskinrect", &TbsDataSkinObject::ActiveSkinRect},
        {"inactiveskinrect", &TbsDataSkinObject::InActiveSkinRect},
        {"morphing", &TbsDataSkinObject::Morphing},
        {"morphkind", &TbsDataSkinObject::MorphKind},
        {"glowlayerpictureindex", &TbsDataSkinObject::GlowLayerPictureIndex, -1},
        {"glowlayermaskpictureindex", &TbsDataSkinObject::GlowLayerMaskPictureIndex, -1},
        {"glowlayeroffsetx", &TbsDataSkinObject::GlowLayerOffsetX},
        {"glowlayeroffsety", &TbsDataSkinObject::GlowLayerOffsetY},
        {"glowlayeralphablendvalue", &TbsDataSkinObject::GlowLayerAlphaBlendValue, 255},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinMenuItem>> TbsDataSkinMenuItem::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinMenuItem> keys[] = {
        {"itemleftoffset", &TbsDataSkinMenuItem::ItemLO},
        {"itemrightoffset", &TbsDataSkinMenuItem::ItemRO},
        {"dividerrect", &TbsDataSkinMenuItem::DividerRect},
        {"dividerleftoffset", &TbsDataSkinMenuItem::DividerLO},
        {"dividerrightoffset", &TbsDataSkinMenuItem::DividerRO},
        {"textrect", &TbsDataSkinMenuItem::TextRct},
        {"imagerect", &TbsDataSkinMenuItem::ImageRct},
        {"fontname", &TbsDataSkinMenuItem::FontName, "Arial"},
        {"fontheight", &TbsDataSkinMenuItem::FontHeight, 14},
        {"fontstyle", &TbsDataSkinMenuItem::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinMenuItem::FontColor},
        {"activefontcolor", &TbsDataSkinMenuItem::ActiveFontColor},
        {"unenabledfontcolor", &TbsDataSkinMenuItem::UnEnabledFontColor},
        {"stretcheffect", &TbsDataSkinMenuItem::StretchEffect},
        {"inactivestretcheffect", &TbsDataSkinMenuItem::InActiveStretchEffect},
        {"dividerstretcheffect", &TbsDataSkinMenuItem::DividerStretchEffect},
        {"animateskinrect", &TbsDataSkinMenuItem::AnimateSkinRect},
        {"framecount", &TbsDataSkinMenuItem::FrameCount},
        {"animateinterval", &TbsDataSkinMenuItem::AnimateInterval, 25},
        {"inactiveanimation", &TbsDataSkinMenuItem::InActiveAnimation},
        {"useimagecolor", &TbsDataSkinMenuItem::UseImageColor},
        {"imagecolor", &TbsDataSkinMenuItem::ImageColor},
        {"activeimagecolor", &TbsDataSkinMenuItem::ActiveImageColor},
        {"inactivetransparent", &TbsDataSkinMenuItem::InActiveTransparent},
        {"checkimagerect", &TbsDataSkinMenuItem::CheckImageRect},
        {"activecheckimagerect", &TbsDataSkinMenuItem::ActiveCheckImageRect},
        {"radioimagerect", &TbsDataSkinMenuItem::RadioImageRect},
        {"activeradioimagerect", &TbsDataSkinMenuItem::ActiveRadioImageRect},
        {"arrowimagerect", &TbsDataSkinMenuItem::ArrowImageRect},
        {"activearrowimagerect", &TbsDataSkinMenuItem::ActiveArrowImageRect},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinMainMenuItem>> TbsDataSkinMainMenuItem::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinMainMenuItem> keys[] = {
        {"itemleftoffset", &TbsDataSkinMainMenuItem::ItemLO},
        {"itemrightoffset", &TbsDataSkinMainMenuItem::ItemRO},
        {"downrect", &TbsDataSkinMainMenuItem::DownRect},
        {"textrect", &TbsDataSkinMainMenuItem::TextRct},
        {"fontname", &TbsDataSkinMainMenuItem::FontName, "Arial"},
        {"fontheight", &TbsDataSkinMainMenuItem::FontHeight, 14},
        {"fontstyle", &TbsDataSkinMainMenuItem::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinMainMenuItem::FontColor},
        {"activefontcolor", &TbsDataSkinMainMenuItem::ActiveFontColor},
        {"downfontcolor", &TbsDataSkinMainMenuItem::DownFontColor},
        {"unenabledfontColor", &TbsDataSkinMainMenuItem::UnEnabledFontColor},
        {"stretcheffect", &TbsDataSkinMainMenuItem::StretchEffect},
        {"animateskinrect", &TbsDataSkinMainMenuItem::AnimateSkinRect},
        {"framecount", &TbsDataSkinMainMenuItem::FrameCount},
        {"animateinterval", &TbsDataSkinMainMenuItem::AnimateInterval, 25},
        {"inactiveanimation", &TbsDataSkinMainMenuItem::InActiveAnimation},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinMainMenuBarItem>> TbsDataSkinMainMenuBarItem::OwnKeys() {
    return {};
}

std::span<const TbsSkinKey<TbsDataSkinButton>> TbsDataSkinButton::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinButton> keys[] = {
        {"downrect", &TbsDataSkinButton::DownRect},
        {"disableskinrsect", &TbsDataSkinButton::DisableSkinRect},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinStdButton>> TbsDataSkinStdButton::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinStdButton> keys[] = {
        {"command", &TbsDataSkinStdButton::Command},
        {"restorerect", &TbsDataSkinStdButton::RestoreRect},
        {"restoreactiverect", &TbsDataSkinStdButton::RestoreActiveRect},
        {"restoredownrect", &TbsDataSkinStdButton::RestoreDownRect},
        {"restoreinactiverect", &TbsDataSkinStdButton::RestoreInActiveRect},
        {"restorehint", &TbsDataSkinStdButton::RestoreHint},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinMainMenuBarButton>> TbsDataSkinMainMenuBarButton::OwnKeys() {
    return {};
}

std::span<const TbsSkinKey<TbsDataSkinCaption>> TbsDataSkinCaption::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinCaption> keys[] = {
        {"textrect", &TbsDataSkinCaption::TextRct},
        {"fontname", &TbsDataSkinCaption::FontName, "Arial"},
        {"fontheight", &TbsDataSkinCaption::FontHeight, 14},
        {"fontstyle", &TbsDataSkinCaption::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinCaption::FontColor},
        {"activefontcolor", &TbsDataSkinCaption::ActiveFontColor},
        {"alignment", &TbsDataSkinCaption::Alignment},
        {"light", &TbsDataSkinCaption::Light},
        {"lightcolor", &TbsDataSkinCaption::LightColor},
        {"activelightcolor", &TbsDataSkinCaption::ActiveLightColor},
        {"shadow", &TbsDataSkinCaption::Shadow},
        {"shadowcolor", &TbsDataSkinCaption::ShadowColor},
        {"activeshadowcolor", &TbsDataSkinCaption::ActiveShadowColor},
        {"framerect", &TbsDataSkinCaption::FrameRect},
        {"activeframerect", &TbsDataSkinCaption::ActiveFrameRect},
        {"frametextrect", &TbsDataSkinCaption::FrameTextRect},
        {"frameleftoffset", &TbsDataSkinCaption::FrameLeftOffset},
        {"framerightoffset", &TbsDataSkinCaption::FrameRightOffset},
        {"stretcheffect", &TbsDataSkinCaption::StretchEffect},
        {"animateskinrect", &TbsDataSkinCaption::AnimateSkinRect},
        {"framecount", &TbsDataSkinCaption::FrameCount},
        {"animateinterval", &TbsDataSkinCaption::AnimateInterval, 25},
        {"inactiveanimation", &TbsDataSkinCaption::InActiveAnimation},
        {"fullframe", &TbsDataSkinCaption::FullFrame},
        {"vistagloweffect", &TbsDataSkinCaption::VistaGlowEffect},
        {"vistaglowinactiveeffect", &TbsDataSkinCaption::VistaGlowInActiveEffect},
        {"gloweffect", &TbsDataSkinCaption::GlowEffect},
        {"glowinactiveeffect", &TbsDataSkinCaption::GlowInActiveEffect},
        {"glowsize", &TbsDataSkinCaption::GlowSize, 3},
        {"glowcolor", &TbsDataSkinCaption::GlowColor},
        {"glowactivecolor", &TbsDataSkinCaption::GlowActiveColor},
        {"glowoffset", &TbsDataSkinCaption::GlowOffset},
        {"reflectioneffect", &TbsDataSkinCaption::ReflectionEffect},
        {"reflactioncolor", &TbsDataSkinCaption::ReflectionColor},
        {"reflactionactivecolor", &TbsDataSkinCaption::ReflectionActiveColor},
        {"reflectionoffset", &TbsDataSkinCaption::ReflectionOffset},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinAnimate>> TbsDataSkinAnimate::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinAnimate> keys[] = {
        {"countframes", &TbsDataSkinAnimate::CountFrames, 1},
        {"cycle", &TbsDataSkinAnimate::Cycle},
        {"buttonstyle", &TbsDataSkinAnimate::ButtonStyle},
        {"timerinterval", &TbsDataSkinAnimate::TimerInterval, 50},
        {"command", &TbsDataSkinAnimate::Command},
        {"downskinrect", &TbsDataSkinAnimate::DownSkinRect},
        {"restorerect", &TbsDataSkinAnimate::RestoreRect},
        {"restoreactiverect", &TbsDataSkinAnimate::RestoreActiveRect},
        {"restoredownrect", &TbsDataSkinAnimate::RestoreDownRect},
        {"restoreinactiverect", &TbsDataSkinAnimate::RestoreInActiveRect},
        {"restorehint", &TbsDataSkinAnimate::RestoreHint},
    };
    return keys;
}
