#include "skin/data/ControlDescriptions.h"

void TbsDataSkinControl::LoadFromFile(TCustomIniFile& IniFile) {
    ReadKeys<TbsDataSkinControl>(IniFile, IDName, *this, OwnKeys());
}

void TbsDataSkinControl::SaveToFile(TCustomIniFile& IniFile) {
    IniFile.EraseSection(IDName);
    WriteKeys<TbsDataSkinControl>(IniFile, IDName, *this, OwnKeys());
}

void TbsDataSkinControl::ReportKeys(std::vector<TbsKeyState>& Out) const {
    ::ReportKeys<TbsDataSkinControl>(*this, OwnKeys(), Out);
}

// An up-down never carries nine-slice geometry, whatever its section says.
static void ClearGeometry(TbsDataSkinUpDownControl& D) {
    D.LTPoint = D.RTPoint = D.LBPoint = D.RBPoint = TPoint{};
    D.ClRect = TRect{};
}

void TbsDataSkinUpDownControl::LoadFromFile(TCustomIniFile& IniFile) {
    TbsKeyed::LoadFromFile(IniFile);
    ClearGeometry(*this);
}

void TbsDataSkinUpDownControl::SaveToFile(TCustomIniFile& IniFile) {
    ClearGeometry(*this);
    TbsKeyed::SaveToFile(IniFile);
}

namespace {

template <class T>
std::unique_ptr<TbsDataSkinControl> Make(const std::string& AIDName) {
    return std::make_unique<T>(AIDName);
}

struct TControlKind {
    const char* Keyword;
    std::unique_ptr<TbsDataSkinControl> (*Create)(const std::string&);
};

const TControlKind kControlKinds[] = {
    {TbsDataSkinPanelControl::Keyword, Make<TbsDataSkinPanelControl>},
    {TbsDataSkinExPanelControl::Keyword, Make<TbsDataSkinExPanelControl>},
    {TbsDataSkinButtonControl::Keyword, Make<TbsDataSkinButtonControl>},
    {TbsDataSkinMenuButtonControl::Keyword, Make<TbsDataSkinMenuButtonControl>},
    {TbsDataSkinCheckRadioControl::Keyword, Make<TbsDataSkinCheckRadioControl>},
    {TbsDataSkinGaugeControl::Keyword, Make<TbsDataSkinGaugeControl>},
    {TbsDataSkinSplitterControl::Keyword, Make<TbsDataSkinSplitterControl>},
    {TbsDataSkinTrackBarControl::Keyword, Make<TbsDataSkinTrackBarControl>},
    {TbsDataSkinLabelControl::Keyword, Make<TbsDataSkinLabelControl>},
    {TbsDataSkinStdLabelControl::Keyword, Make<TbsDataSkinStdLabelControl>},
    {TbsDataSkinUpDownControl::Keyword, Make<TbsDataSkinUpDownControl>},
    {TbsDataSkinGridControl::Keyword, Make<TbsDataSkinGridControl>},
    {TbsDataSkinTabControl::Keyword, Make<TbsDataSkinTabControl>},
    {TbsDataSkinMainMenuBar::Keyword, Make<TbsDataSkinMainMenuBar>},
    {TbsDataSkinControlBar::Keyword, Make<TbsDataSkinControlBar>},
    {TbsDataSkinEditControl::Keyword, Make<TbsDataSkinEditControl>},
    {TbsDataSkinMemoControl::Keyword, Make<TbsDataSkinMemoControl>},
    {TbsDataSkinListBox::Keyword, Make<TbsDataSkinListBox>},
    {TbsDataSkinCheckListBox::Keyword, Make<TbsDataSkinCheckListBox>},
    {TbsDataSkinComboBox::Keyword, Make<TbsDataSkinComboBox>},
    {TbsDataSkinScrollBarControl::Keyword, Make<TbsDataSkinScrollBarControl>},
    {TbsDataSkinSpinEditControl::Keyword, Make<TbsDataSkinSpinEditControl>},
    {TbsDataSkinScrollBoxControl::Keyword, Make<TbsDataSkinScrollBoxControl>},
    {TbsDataSkinTreeView::Keyword, Make<TbsDataSkinTreeView>},
    {TbsDataSkinBevel::Keyword, Make<TbsDataSkinBevel>},
    {TbsDataSkinSlider::Keyword, Make<TbsDataSkinSlider>},
    {TbsDataSkinListView::Keyword, Make<TbsDataSkinListView>},
    {TbsDataSkinRichEdit::Keyword, Make<TbsDataSkinRichEdit>},
};

}  // namespace

std::unique_ptr<TbsDataSkinControl> CreateSkinControl(const std::string& Kind, const std::string& AIDName) {
    for (const auto& k : kControlKinds)
        if (Kind == k.Keyword)
            return k.Create(AIDName);
    return nullptr;
}

// Key tables, one per class, in the order the keys are written.

std::span<const TbsSkinKey<TbsDataSkinControl>> TbsDataSkinControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinControl> keys[] = {
        {"pictureindex", &TbsDataSkinControl::PictureIndex, -1},
        {"maskpictureindex", &TbsDataSkinControl::MaskPictureIndex, -1},
        {"skinrect", &TbsDataSkinControl::SkinRect},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinCustomControl>> TbsDataSkinCustomControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinCustomControl> keys[] = {
        {"lefttoppoint", &TbsDataSkinCustomControl::LTPoint},
        {"righttoppoint", &TbsDataSkinCustomControl::RTPoint},
        {"leftbottompoint", &TbsDataSkinCustomControl::LBPoint},
        {"rightbottompoint", &TbsDataSkinCustomControl::RBPoint},
        {"clientrect", &TbsDataSkinCustomControl::ClRect},
        {"leftstretch", &TbsDataSkinCustomControl::LeftStretch},
        {"topstretch", &TbsDataSkinCustomControl::TopStretch},
        {"rightstretch", &TbsDataSkinCustomControl::RightStretch},
        {"bottomstretch", &TbsDataSkinCustomControl::BottomStretch},
        {"stretcheffect", &TbsDataSkinCustomControl::StretchEffect},
        {"stretchtype", &TbsDataSkinCustomControl::StretchType},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinPanelControl>> TbsDataSkinPanelControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinPanelControl> keys[] = {
        {"bgpictureindex", &TbsDataSkinPanelControl::BGPictureIndex, -1},
        {"captionrect", &TbsDataSkinPanelControl::CaptionRect},
        {"alignment", &TbsDataSkinPanelControl::Alignment},
        {"fontname", &TbsDataSkinPanelControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinPanelControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinPanelControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinPanelControl::FontColor},
        {"checkimagerect", &TbsDataSkinPanelControl::CheckImageRect},
        {"uncheckimagerect", &TbsDataSkinPanelControl::UnCheckImageRect},
        {"markframerect", &TbsDataSkinPanelControl::MarkFrameRect},
        {"framerect", &TbsDataSkinPanelControl::FrameRect},
        {"frametextrect", &TbsDataSkinPanelControl::FrameTextRect},
        {"frameleftoffset", &TbsDataSkinPanelControl::FrameLeftOffset},
        {"framerightoffset", &TbsDataSkinPanelControl::FrameRightOffset},
        {"gripperrect", &TbsDataSkinPanelControl::GripperRect},
        {"grippertransparent", &TbsDataSkinPanelControl::GripperTransparent},
        {"grippertransparentcolor", &TbsDataSkinPanelControl::GripperTransparentColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinExPanelControl>> TbsDataSkinExPanelControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinExPanelControl> keys[] = {
        {"rollhskinrect", &TbsDataSkinExPanelControl::RollHSkinRect},
        {"rollvskinrect", &TbsDataSkinExPanelControl::RollVSkinRect},
        {"rollleftoffset", &TbsDataSkinExPanelControl::RollLeftOffset},
        {"rollrightoffset", &TbsDataSkinExPanelControl::RollRightOffset},
        {"rolltopoffset", &TbsDataSkinExPanelControl::RollTopOffset},
        {"rollbottomoffset", &TbsDataSkinExPanelControl::RollBottomOffset},
        {"rollvcaptionrect", &TbsDataSkinExPanelControl::RollVCaptionRect},
        {"rollhcaptionrect", &TbsDataSkinExPanelControl::RollHCaptionRect},
        {"closebuttonrect", &TbsDataSkinExPanelControl::CloseButtonRect},
        {"closebuttonactiverect", &TbsDataSkinExPanelControl::CloseButtonActiveRect},
        {"closebuttondownrect", &TbsDataSkinExPanelControl::CloseButtonDownRect},
        {"hrollbuttonrect", &TbsDataSkinExPanelControl::HRollButtonRect},
        {"hrollbuttonactiverect", &TbsDataSkinExPanelControl::HRollButtonActiveRect},
        {"hrollbuttondownrect", &TbsDataSkinExPanelControl::HRollButtonDownRect},
        {"hrestorebuttonrect", &TbsDataSkinExPanelControl::HRestoreButtonRect},
        {"hrestorebuttonactiverect", &TbsDataSkinExPanelControl::HRestoreButtonActiveRect},
        {"hrestorebuttondownrect", &TbsDataSkinExPanelControl::HRestoreButtonDownRect},
        {"vrollbuttonrect", &TbsDataSkinExPanelControl::VRollButtonRect},
        {"vrollbuttonactiverect", &TbsDataSkinExPanelControl::VRollButtonActiveRect},
        {"vrollbuttondownrect", &TbsDataSkinExPanelControl::VRollButtonDownRect},
        {"vrestorebuttonrect", &TbsDataSkinExPanelControl::VRestoreButtonRect},
        {"vrestorebuttonactiverect", &TbsDataSkinExPanelControl::VRestoreButtonActiveRect},
        {"vrestorebuttondownrect", &TbsDataSkinExPanelControl::VRestoreButtonDownRect},
        {"captionrect", &TbsDataSkinExPanelControl::CaptionRect},
        {"fontname", &TbsDataSkinExPanelControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinExPanelControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinExPanelControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinExPanelControl::FontColor},
        {"buttonstransparent", &TbsDataSkinExPanelControl::ButtonsTransparent},
        {"buttonstransparentcolor", &TbsDataSkinExPanelControl::ButtonsTransparentColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinButtonControl>> TbsDataSkinButtonControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinButtonControl> keys[] = {
        {"fontname", &TbsDataSkinButtonControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinButtonControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinButtonControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinButtonControl::FontColor},
        {"activefontcolor", &TbsDataSkinButtonControl::ActiveFontColor},
        {"downfontcolor", &TbsDataSkinButtonControl::DownFontColor},
        {"disabledfontcolor", &TbsDataSkinButtonControl::DisabledFontColor},
        {"activeskinrect", &TbsDataSkinButtonControl::ActiveSkinRect},
        {"downskinrect", &TbsDataSkinButtonControl::DownSkinRect},
        {"focusedskinrect", &TbsDataSkinButtonControl::FocusedSkinRect},
        {"disabledskinrect", &TbsDataSkinButtonControl::DisabledSkinRect},
        {"morphing", &TbsDataSkinButtonControl::Morphing},
        {"morphkind", &TbsDataSkinButtonControl::MorphKind},
        {"animateskinrect", &TbsDataSkinButtonControl::AnimateSkinRect},
        {"framecount", &TbsDataSkinButtonControl::FrameCount},
        {"animateinterval", &TbsDataSkinButtonControl::AnimateInterval, 25},
        {"showfocus", &TbsDataSkinButtonControl::ShowFocus},
        {"menumarkerflatrect", &TbsDataSkinButtonControl::MenuMarkerFlatRect},
        {"menumarkerrect", &TbsDataSkinButtonControl::MenuMarkerRect},
        {"menumarkeractiverect", &TbsDataSkinButtonControl::MenuMarkerActiveRect},
        {"menumarkerdownrect", &TbsDataSkinButtonControl::MenuMarkerDownRect},
        {"menumarkertransparentcolor", &TbsDataSkinButtonControl::MenuMarkerTransparentColor},
        {"glowlayerpictureindex", &TbsDataSkinButtonControl::GlowLayerPictureIndex, -1},
        {"glowlayermaskpictureindex", &TbsDataSkinButtonControl::GlowLayerMaskPictureIndex, -1},
        {"glowlayeroffsetleft", &TbsDataSkinButtonControl::GlowLayerOffsetLeft},
        {"glowlayeroffsetright", &TbsDataSkinButtonControl::GlowLayerOffsetRight},
        {"glowlayeroffsettop", &TbsDataSkinButtonControl::GlowLayerOffsetTop},
        {"glowlayeroffsetbottom", &TbsDataSkinButtonControl::GlowLayerOffsetBottom},
        {"glowlayershowoffsetx", &TbsDataSkinButtonControl::GlowLayerShowOffsetX},
        {"glowlayershowoffsety", &TbsDataSkinButtonControl::GlowLayerShowOffsetY},
        {"glowlayeralphablendvalue", &TbsDataSkinButtonControl::GlowLayerAlphaBlendValue, 255},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinMenuButtonControl>> TbsDataSkinMenuButtonControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinMenuButtonControl> keys[] = {
        {"trackbuttonrect", &TbsDataSkinMenuButtonControl::TrackButtonRect},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinCheckRadioControl>> TbsDataSkinCheckRadioControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinCheckRadioControl> keys[] = {
        {"fontname", &TbsDataSkinCheckRadioControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinCheckRadioControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinCheckRadioControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinCheckRadioControl::FontColor},
        {"framefontcolor", &TbsDataSkinCheckRadioControl::FrameFontColor},
        {"activefontcolor", &TbsDataSkinCheckRadioControl::ActiveFontColor},
        {"unenabledfontcolor", &TbsDataSkinCheckRadioControl::UnEnabledFontColor},
        {"activeskinrect", &TbsDataSkinCheckRadioControl::ActiveSkinRect},
        {"checkimagearea", &TbsDataSkinCheckRadioControl::CheckImageArea},
        {"textarea", &TbsDataSkinCheckRadioControl::TextArea},
        {"checkimagerect", &TbsDataSkinCheckRadioControl::CheckImageRect},
        {"uncheckimagerect", &TbsDataSkinCheckRadioControl::UnCheckImageRect},
        {"activecheckimagerect", &TbsDataSkinCheckRadioControl::ActiveCheckImageRect},
        {"activeuncheckimagerect", &TbsDataSkinCheckRadioControl::ActiveUnCheckImageRect},
        {"unenabledcheckimagerect", &TbsDataSkinCheckRadioControl::UnEnabledCheckImageRect},
        {"unenableduncheckimagerect", &TbsDataSkinCheckRadioControl::UnEnabledUnCheckImageRect},
        {"grayedcheckimagerect", &TbsDataSkinCheckRadioControl::GrayedCheckImageRect},
        {"activegrayedcheckimagerect", &TbsDataSkinCheckRadioControl::ActiveGrayedCheckImageRect},
        {"morphing", &TbsDataSkinCheckRadioControl::Morphing},
        {"morphkind", &TbsDataSkinCheckRadioControl::MorphKind},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinGaugeControl>> TbsDataSkinGaugeControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinGaugeControl> keys[] = {
        {"progressarea", &TbsDataSkinGaugeControl::ProgressArea},
        {"progressrect", &TbsDataSkinGaugeControl::ProgressRect},
        {"beginoffset", &TbsDataSkinGaugeControl::BeginOffset},
        {"endoffset", &TbsDataSkinGaugeControl::EndOffset},
        {"vertical", &TbsDataSkinGaugeControl::Vertical},
        {"fontname", &TbsDataSkinGaugeControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinGaugeControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinGaugeControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinGaugeControl::FontColor},
        {"progresstransparent", &TbsDataSkinGaugeControl::ProgressTransparent},
        {"progresstransparentcolor", &TbsDataSkinGaugeControl::ProgressTransparentColor},
        {"progressstretch", &TbsDataSkinGaugeControl::ProgressStretch},
        {"animationskinrect", &TbsDataSkinGaugeControl::AnimationSkinRect},
        {"animationcountframes", &TbsDataSkinGaugeControl::AnimationCountFrames},
        {"animationtimerinterval", &TbsDataSkinGaugeControl::AnimationTimerInterval},
        {"progressanimationskinrect", &TbsDataSkinGaugeControl::ProgressAnimationSkinRect},
        {"progressanimationcountframes", &TbsDataSkinGaugeControl::ProgressAnimationCountFrames},
        {"progressanimationtimerinterval", &TbsDataSkinGaugeControl::ProgressAnimationTimerInterval},
        {"animationbeginoffset", &TbsDataSkinGaugeControl::AnimationBeginOffset},
        {"animationendoffset", &TbsDataSkinGaugeControl::AnimationEndOffset},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinSplitterControl>> TbsDataSkinSplitterControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinSplitterControl> keys[] = {
        {"gripperrect", &TbsDataSkinSplitterControl::GripperRect},
        {"grippertransparent", &TbsDataSkinSplitterControl::GripperTransparent},
        {"grippertransparentcolor", &TbsDataSkinSplitterControl::GripperTransparentColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinTrackBarControl>> TbsDataSkinTrackBarControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinTrackBarControl> keys[] = {
        {"activeskinrect", &TbsDataSkinTrackBarControl::ActiveSkinRect},
        {"trackarea", &TbsDataSkinTrackBarControl::TrackArea},
        {"buttonrect", &TbsDataSkinTrackBarControl::ButtonRect},
        {"activebuttonrect", &TbsDataSkinTrackBarControl::ActiveButtonRect},
        {"vertical", &TbsDataSkinTrackBarControl::Vertical},
        {"buttontransparent", &TbsDataSkinTrackBarControl::ButtonTransparent},
        {"buttontransparentcolor", &TbsDataSkinTrackBarControl::ButtonTransparentColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinLabelControl>> TbsDataSkinLabelControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinLabelControl> keys[] = {
        {"fontname", &TbsDataSkinLabelControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinLabelControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinLabelControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinLabelControl::FontColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinStdLabelControl>> TbsDataSkinStdLabelControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinStdLabelControl> keys[] = {
        {"fontname", &TbsDataSkinStdLabelControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinStdLabelControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinStdLabelControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinStdLabelControl::FontColor},
        {"activefontcolor", &TbsDataSkinStdLabelControl::ActiveFontColor, clBlue},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinUpDownControl>> TbsDataSkinUpDownControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinUpDownControl> keys[] = {
        {"upbuttonrect", &TbsDataSkinUpDownControl::UpButtonRect},
        {"activeupbuttonrect", &TbsDataSkinUpDownControl::ActiveUpButtonRect},
        {"downupbuttonrect", &TbsDataSkinUpDownControl::DownUpButtonRect},
        {"downbuttonrect", &TbsDataSkinUpDownControl::DownButtonRect},
        {"activedownbuttonrect", &TbsDataSkinUpDownControl::ActiveDownButtonRect},
        {"downdownbuttonrect", &TbsDataSkinUpDownControl::DownDownButtonRect},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinGridControl>> TbsDataSkinGridControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinGridControl> keys[] = {
        {"fixedcellrect", &TbsDataSkinGridControl::FixedCellRect},
        {"selectcellrect", &TbsDataSkinGridControl::SelectCellRect},
        {"focuscellrect", &TbsDataSkinGridControl::FocusCellRect},
        {"fixedcellleftoffset", &TbsDataSkinGridControl::FixedCellLeftOffset},
        {"fixedcellrightoffset", &TbsDataSkinGridControl::FixedCellRightOffset},
        {"fixedcelltextrect", &TbsDataSkinGridControl::FixedCellTextRect},
        {"cellleftoffset", &TbsDataSkinGridControl::CellLeftOffset},
        {"cellrightoffset", &TbsDataSkinGridControl::CellRightOffset},
        {"celltextrect", &TbsDataSkinGridControl::CellTextRect},
        {"linescolor", &TbsDataSkinGridControl::LinesColor},
        {"bgcolor", &TbsDataSkinGridControl::BGColor},
        {"bgpictureindex", &TbsDataSkinGridControl::BGPictureIndex, -1},
        {"fontname", &TbsDataSkinGridControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinGridControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinGridControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinGridControl::FontColor},
        {"selectfontcolor", &TbsDataSkinGridControl::SelectFontColor},
        {"focusfontcolor", &TbsDataSkinGridControl::FocusFontColor},
        {"fixedfontname", &TbsDataSkinGridControl::FixedFontName, "Arial"},
        {"fixedfontheight", &TbsDataSkinGridControl::FixedFontHeight, 14},
        {"fixedfontstyle", &TbsDataSkinGridControl::FixedFontStyle, FontStylesKey},
        {"fixedfontcolor", &TbsDataSkinGridControl::FixedFontColor},
        {"cellstretcheffect", &TbsDataSkinGridControl::CellStretchEffect},
        {"fixedcellstretcheffect", &TbsDataSkinGridControl::FixedCellStretchEffect},
        {"showfocus", &TbsDataSkinGridControl::ShowFocus},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinTabControl>> TbsDataSkinTabControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinTabControl> keys[] = {
        {"tabrect", &TbsDataSkinTabControl::TabRect},
        {"activetabrect", &TbsDataSkinTabControl::ActiveTabRect},
        {"focustabrect", &TbsDataSkinTabControl::FocusTabRect},
        {"mouseintabrect", &TbsDataSkinTabControl::MouseInTabRect},
        {"clientrect", &TbsDataSkinTabControl::ClRect},
        {"bgpictureindex", &TbsDataSkinTabControl::BGPictureIndex, -1},
        {"lefttoppoint", &TbsDataSkinTabControl::LTPoint},
        {"righttoppoint", &TbsDataSkinTabControl::RTPoint},
        {"leftbottompoint", &TbsDataSkinTabControl::LBPoint},
        {"rightbottompoint", &TbsDataSkinTabControl::RBPoint},
        {"tableftoffset", &TbsDataSkinTabControl::TabLeftOffset},
        {"tabrightoffset", &TbsDataSkinTabControl::TabRightOffset},
        {"tabsbgrect", &TbsDataSkinTabControl::TabsBGRect},
        {"tabstretcheffect", &TbsDataSkinTabControl::TabStretchEffect},
        {"leftstretch", &TbsDataSkinTabControl::LeftStretch},
        {"topstretch", &TbsDataSkinTabControl::TopStretch},
        {"rightstretch", &TbsDataSkinTabControl::RightStretch},
        {"bottomstretch", &TbsDataSkinTabControl::BottomStretch},
        {"stretcheffect", &TbsDataSkinTabControl::StretchEffect},
        {"stretchtype", &TbsDataSkinTabControl::StretchType},
        {"fontname", &TbsDataSkinTabControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinTabControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinTabControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinTabControl::FontColor},
        {"activefontcolor", &TbsDataSkinTabControl::ActiveFontColor},
        {"focusfontcolor", &TbsDataSkinTabControl::FocusFontColor},
        {"mouseinfontcolor", &TbsDataSkinTabControl::MouseInFontColor},
        {"updown", &TbsDataSkinTabControl::UpDown},
        {"showfocus", &TbsDataSkinTabControl::ShowFocus},
        {"focusoffsetx", &TbsDataSkinTabControl::FocusOffsetX},
        {"focusoffsety", &TbsDataSkinTabControl::FocusOffsetY},
        {"closebuttonrect", &TbsDataSkinTabControl::CloseButtonRect},
        {"closebuttonactiverect", &TbsDataSkinTabControl::CloseButtonActiveRect},
        {"closebuttondownrect", &TbsDataSkinTabControl::CloseButtonDownRect},
        {"buttontransparent", &TbsDataSkinTabControl::ButtonTransparent},
        {"buttontransparentcolor", &TbsDataSkinTabControl::ButtonTransparentColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinMainMenuBar>> TbsDataSkinMainMenuBar::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinMainMenuBar> keys[] = {
        {"itemsrect", &TbsDataSkinMainMenuBar::ItemsRect},
        {"menubaritem", &TbsDataSkinMainMenuBar::MenuBarItem},
        {"closebutton", &TbsDataSkinMainMenuBar::CloseButton},
        {"minbutton", &TbsDataSkinMainMenuBar::MinButton},
        {"maxbutton", &TbsDataSkinMainMenuBar::MaxButton},
        {"sysmenubutton", &TbsDataSkinMainMenuBar::SysMenuButton},
        {"trackmarkcolor", &TbsDataSkinMainMenuBar::TrackMarkColor},
        {"trackmarkactivecolor", &TbsDataSkinMainMenuBar::TrackMarkActiveColor},
        {"stretcheffect", &TbsDataSkinMainMenuBar::StretchEffect},
        {"itemtransparent", &TbsDataSkinMainMenuBar::ItemTransparent},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinControlBar>> TbsDataSkinControlBar::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinControlBar> keys[] = {
        {"itemrect", &TbsDataSkinControlBar::ItemRect},
        {"bgpictureindex", &TbsDataSkinControlBar::BGPictureIndex, -1},
        {"hgriprect", &TbsDataSkinControlBar::HGripRect},
        {"vgriprect", &TbsDataSkinControlBar::VGripRect},
        {"gripoffset1", &TbsDataSkinControlBar::GripOffset1},
        {"gripoffset2", &TbsDataSkinControlBar::GripOffset2},
        {"itemoffset1", &TbsDataSkinControlBar::ItemOffset1, 3},
        {"itemoffset2", &TbsDataSkinControlBar::ItemOffset2, 3},
        {"itemstretcheffect", &TbsDataSkinControlBar::ItemStretchEffect},
        {"itemtransparent", &TbsDataSkinControlBar::ItemTransparent},
        {"itemtransparentcolor", &TbsDataSkinControlBar::ItemTransparentColor},
        {"griptransparent", &TbsDataSkinControlBar::GripTransparent},
        {"griptransparentcolor", &TbsDataSkinControlBar::GripTransparentColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinEditControl>> TbsDataSkinEditControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinEditControl> keys[] = {
        {"activeskinrect", &TbsDataSkinEditControl::ActiveSkinRect},
        {"fontname", &TbsDataSkinEditControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinEditControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinEditControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinEditControl::FontColor},
        {"disabledfontcolor", &TbsDataSkinEditControl::DisabledFontColor},
        {"activefontcolor", &TbsDataSkinEditControl::ActiveFontColor},
        {"buttonrect", &TbsDataSkinEditControl::ButtonRect},
        {"activebuttonrect", &TbsDataSkinEditControl::ActiveButtonRect},
        {"downbuttonrect", &TbsDataSkinEditControl::DownButtonRect},
        {"unenabledbuttonrect", &TbsDataSkinEditControl::UnEnabledButtonRect},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinMemoControl>> TbsDataSkinMemoControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinMemoControl> keys[] = {
        {"bgcolor", &TbsDataSkinMemoControl::BGColor},
        {"activebgcolor", &TbsDataSkinMemoControl::ActiveBGColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinListBox>> TbsDataSkinListBox::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinListBox> keys[] = {
        {"itemrect", &TbsDataSkinListBox::SItemRect},
        {"activeitemrect", &TbsDataSkinListBox::ActiveItemRect},
        {"focusitemrect", &TbsDataSkinListBox::FocusItemRect},
        {"itemleftoffset", &TbsDataSkinListBox::ItemLeftOffset},
        {"itemrightoffset", &TbsDataSkinListBox::ItemRightOffset},
        {"itemtextrect", &TbsDataSkinListBox::ItemTextRect},
        {"fontname", &TbsDataSkinListBox::FontName, "Arial"},
        {"fontheight", &TbsDataSkinListBox::FontHeight, 14},
        {"fontstyle", &TbsDataSkinListBox::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinListBox::FontColor},
        {"activefontcolor", &TbsDataSkinListBox::ActiveFontColor},
        {"focusfontcolor", &TbsDataSkinListBox::FocusFontColor},
        {"captionrect", &TbsDataSkinListBox::CaptionRect},
        {"captionfontname", &TbsDataSkinListBox::CaptionFontName, "Arial"},
        {"captionfontheight", &TbsDataSkinListBox::CaptionFontHeight, 14},
        {"captionfontstyle", &TbsDataSkinListBox::CaptionFontStyle, FontStylesKey},
        {"captionfontcolor", &TbsDataSkinListBox::CaptionFontColor},
        {"upbuttonrect", &TbsDataSkinListBox::UpButtonRect},
        {"activeupbuttonrect", &TbsDataSkinListBox::ActiveUpButtonRect},
        {"downupbuttonrect", &TbsDataSkinListBox::DownUpButtonRect},
        {"downbuttonrect", &TbsDataSkinListBox::DownButtonRect},
        {"activedownbuttonrect", &TbsDataSkinListBox::ActiveDownButtonRect},
        {"downdownbuttonrect", &TbsDataSkinListBox::DownDownButtonRect},
        {"checkbuttonrect", &TbsDataSkinListBox::CheckButtonRect},
        {"activecheckbuttonrect", &TbsDataSkinListBox::ActiveCheckButtonRect},
        {"downcheckbuttonrect", &TbsDataSkinListBox::DownCheckButtonRect},
        {"vscrollbarname", &TbsDataSkinListBox::VScrollBarName, "vscrollbar"},
        {"hscrollbarname", &TbsDataSkinListBox::HScrollBarName, "hscrollbar"},
        {"bothhscrollbarname", &TbsDataSkinListBox::BothScrollBarName, "bothhscrollbar"},
        {"showfocus", &TbsDataSkinListBox::ShowFocus},
        {"disabledbuttonsrect", &TbsDataSkinListBox::DisabledButtonsRect},
        {"buttonsarea", &TbsDataSkinListBox::ButtonsArea},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinCheckListBox>> TbsDataSkinCheckListBox::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinCheckListBox> keys[] = {
        {"itemcheckrect", &TbsDataSkinCheckListBox::ItemCheckRect},
        {"uncheckimagerect", &TbsDataSkinCheckListBox::UnCheckImageRect},
        {"checkimagerect", &TbsDataSkinCheckListBox::CheckImageRect},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinComboBox>> TbsDataSkinComboBox::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinComboBox> keys[] = {
        {"activeskinrect", &TbsDataSkinComboBox::ActiveSkinRect},
        {"itemrect", &TbsDataSkinComboBox::SItemRect},
        {"activeitemrect", &TbsDataSkinComboBox::ActiveItemRect},
        {"focusitemrect", &TbsDataSkinComboBox::FocusItemRect},
        {"itemleftoffset", &TbsDataSkinComboBox::ItemLeftOffset},
        {"itemrightoffset", &TbsDataSkinComboBox::ItemRightOffset},
        {"itemtextrect", &TbsDataSkinComboBox::ItemTextRect},
        {"fontname", &TbsDataSkinComboBox::FontName, "Arial"},
        {"fontheight", &TbsDataSkinComboBox::FontHeight, 14},
        {"fontstyle", &TbsDataSkinComboBox::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinComboBox::FontColor},
        {"focusfontcolor", &TbsDataSkinComboBox::FocusFontColor},
        {"activefontcolor", &TbsDataSkinComboBox::ActiveFontColor},
        {"buttonrect", &TbsDataSkinComboBox::ButtonRect},
        {"activebuttonrect", &TbsDataSkinComboBox::ActiveButtonRect},
        {"downbuttonrect", &TbsDataSkinComboBox::DownButtonRect},
        {"unenabledbuttonrect", &TbsDataSkinComboBox::UnEnabledButtonRect},
        {"listboxname", &TbsDataSkinComboBox::ListBoxName},
        {"itemstretcheffect", &TbsDataSkinComboBox::ItemStretchEffect},
        {"focusitemstretcheffect", &TbsDataSkinComboBox::FocusItemStretchEffect},
        {"showfocus", &TbsDataSkinComboBox::ShowFocus},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinScrollBarControl>> TbsDataSkinScrollBarControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinScrollBarControl> keys[] = {
        {"trackarea", &TbsDataSkinScrollBarControl::TrackArea},
        {"upbuttonrect", &TbsDataSkinScrollBarControl::UpButtonRect},
        {"activeupbuttonrect", &TbsDataSkinScrollBarControl::ActiveUpButtonRect},
        {"downupbuttonrect", &TbsDataSkinScrollBarControl::DownUpButtonRect},
        {"downbuttonrect", &TbsDataSkinScrollBarControl::DownButtonRect},
        {"activedownbuttonrect", &TbsDataSkinScrollBarControl::ActiveDownButtonRect},
        {"downdownbuttonrect", &TbsDataSkinScrollBarControl::DownDownButtonRect},
        {"thumbrect", &TbsDataSkinScrollBarControl::ThumbRect},
        {"activethumbrect", &TbsDataSkinScrollBarControl::ActiveThumbRect},
        {"downthumbrect", &TbsDataSkinScrollBarControl::DownThumbRect},
        {"thumboffset1", &TbsDataSkinScrollBarControl::ThumbOffset1},
        {"thumboffset2", &TbsDataSkinScrollBarControl::ThumbOffset2},
        {"thumbtransparent", &TbsDataSkinScrollBarControl::ThumbTransparent},
        {"thumbtransparentcolor", &TbsDataSkinScrollBarControl::ThumbTransparentColor},
        {"thumbstretcheffect", &TbsDataSkinScrollBarControl::ThumbStretchEffect},
        {"thumbminsize", &TbsDataSkinScrollBarControl::ThumbMinSize},
        {"thumbminpagesize", &TbsDataSkinScrollBarControl::ThumbMinPageSize},
        {"glyphrect", &TbsDataSkinScrollBarControl::GlyphRect},
        {"activeglyphrect", &TbsDataSkinScrollBarControl::ActiveGlyphRect},
        {"downglyphrect", &TbsDataSkinScrollBarControl::DownGlyphRect},
        {"glyphtransparent", &TbsDataSkinScrollBarControl::GlyphTransparent},
        {"glyphtransparentcolor", &TbsDataSkinScrollBarControl::GlyphTransparentColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinSpinEditControl>> TbsDataSkinSpinEditControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinSpinEditControl> keys[] = {
        {"activeskinrect", &TbsDataSkinSpinEditControl::ActiveSkinRect},
        {"fontname", &TbsDataSkinSpinEditControl::FontName, "Arial"},
        {"fontheight", &TbsDataSkinSpinEditControl::FontHeight, 14},
        {"fontstyle", &TbsDataSkinSpinEditControl::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinSpinEditControl::FontColor},
        {"activefontcolor", &TbsDataSkinSpinEditControl::ActiveFontColor},
        {"disabledfontcolor", &TbsDataSkinSpinEditControl::DisabledFontColor},
        {"upbuttonrect", &TbsDataSkinSpinEditControl::UpButtonRect},
        {"activeupbuttonrect", &TbsDataSkinSpinEditControl::ActiveUpButtonRect},
        {"downupbuttonrect", &TbsDataSkinSpinEditControl::DownUpButtonRect},
        {"downbuttonrect", &TbsDataSkinSpinEditControl::DownButtonRect},
        {"activedownbuttonrect", &TbsDataSkinSpinEditControl::ActiveDownButtonRect},
        {"downdownbuttonrect", &TbsDataSkinSpinEditControl::DownDownButtonRect},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinScrollBoxControl>> TbsDataSkinScrollBoxControl::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinScrollBoxControl> keys[] = {
        {"bgpictureindex", &TbsDataSkinScrollBoxControl::BGPictureIndex, -1},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinTreeView>> TbsDataSkinTreeView::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinTreeView> keys[] = {
        {"fontname", &TbsDataSkinTreeView::FontName, "Arial"},
        {"fontheight", &TbsDataSkinTreeView::FontHeight, 14},
        {"fontstyle", &TbsDataSkinTreeView::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinTreeView::FontColor},
        {"bgcolor", &TbsDataSkinTreeView::BGColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinBevel>> TbsDataSkinBevel::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinBevel> keys[] = {
        {"lightcolor", &TbsDataSkinBevel::LightColor},
        {"darkcolor", &TbsDataSkinBevel::DarkColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinSlider>> TbsDataSkinSlider::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinSlider> keys[] = {
        {"bgcolor", &TbsDataSkinSlider::BGColor},
        {"hrulerrect", &TbsDataSkinSlider::HRulerRect},
        {"hthumbrect", &TbsDataSkinSlider::HThumbRect},
        {"vrulerrect", &TbsDataSkinSlider::VRulerRect},
        {"vthumbrect", &TbsDataSkinSlider::VThumbRect},
        {"edgesize", &TbsDataSkinSlider::EdgeSize},
        {"pointscolor", &TbsDataSkinSlider::PointsColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinListView>> TbsDataSkinListView::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinListView> keys[] = {
        {"fontname", &TbsDataSkinListView::FontName, "Arial"},
        {"fontheight", &TbsDataSkinListView::FontHeight, 14},
        {"fontstyle", &TbsDataSkinListView::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinListView::FontColor},
        {"bgcolor", &TbsDataSkinListView::BGColor},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinRichEdit>> TbsDataSkinRichEdit::OwnKeys() {
    static const TbsSkinKey<TbsDataSkinRichEdit> keys[] = {
        {"fontname", &TbsDataSkinRichEdit::FontName, "Arial"},
        {"fontheight", &TbsDataSkinRichEdit::FontHeight, 14},
        {"fontstyle", &TbsDataSkinRichEdit::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinRichEdit::FontColor},
        {"bgcolor", &TbsDataSkinRichEdit::BGColor},
    };
    return keys;
}
