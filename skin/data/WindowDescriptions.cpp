#include "skin/data/WindowDescriptions.h"

void TbsDataSkinPopupWindow::LoadFromFile(TCustomIniFile& IniFile) {
    ReadKeys<TbsDataSkinPopupWindow>(IniFile, Section, *this, Keys());
}

void TbsDataSkinPopupWindow::SaveToFile(TCustomIniFile& IniFile) {
    IniFile.EraseSection(Section);
    WriteKeys<TbsDataSkinPopupWindow>(IniFile, Section, *this, Keys());
}

void TbsDataSkinPopupWindow::ReportKeys(std::vector<TbsKeyState>& Out) const {
    ::ReportKeys<TbsDataSkinPopupWindow>(*this, Keys(), Out);
}

void TbsDataSkinLayerFrame::LoadFromFile(TCustomIniFile& IniFile) {
    ReadKeys<TbsDataSkinLayerFrame>(IniFile, Section, *this, Keys());
}

void TbsDataSkinLayerFrame::SaveToFile(TCustomIniFile& IniFile) {
    IniFile.EraseSection(Section);
    WriteKeys<TbsDataSkinLayerFrame>(IniFile, Section, *this, Keys());
}

void TbsDataSkinLayerFrame::ReportKeys(std::vector<TbsKeyState>& Out) const {
    ::ReportKeys<TbsDataSkinLayerFrame>(*this, Keys(), Out);
}

void TbsDataSkinHintWindow::LoadFromFile(TCustomIniFile& IniFile) {
    ReadKeys<TbsDataSkinHintWindow>(IniFile, Section, *this, Keys());
}

void TbsDataSkinHintWindow::SaveToFile(TCustomIniFile& IniFile) {
    IniFile.EraseSection(Section);
    WriteKeys<TbsDataSkinHintWindow>(IniFile, Section, *this, Keys());
}

void TbsDataSkinHintWindow::ReportKeys(std::vector<TbsKeyState>& Out) const {
    ::ReportKeys<TbsDataSkinHintWindow>(*this, Keys(), Out);
}

void TbsSkinColors::LoadFromFile(TCustomIniFile& IniFile) {
    ReadKeys<TbsSkinColors>(IniFile, Section, *this, Keys());
}

void TbsSkinColors::SaveToFile(TCustomIniFile& IniFile) {
    IniFile.EraseSection(Section);
    WriteKeys<TbsSkinColors>(IniFile, Section, *this, Keys());
}

void TbsSkinColors::ReportKeys(std::vector<TbsKeyState>& Out) const {
    ::ReportKeys<TbsSkinColors>(*this, Keys(), Out);
}

void TbsSkinColors::SetColorsToDefault() {
    FcBtnFace = clBtnFace;
    FcBtnText = clBtnText;
    FcWindow = clWindow;
    FcWindowText = clWindowText;
    FcHighLight = clHighlight;
    FcHighLightText = clHighlightText;
    FcBtnHighLight = clBtnHighlight;
    FcBtnShadow = clBtnShadow;
}

std::span<const TbsSkinKey<TbsDataSkinPopupWindow>> TbsDataSkinPopupWindow::Keys() {
    static const TbsSkinKey<TbsDataSkinPopupWindow> keys[] = {
        {"windowpictureindex", &TbsDataSkinPopupWindow::WindowPictureIndex, -1},
        {"maskpictureindex", &TbsDataSkinPopupWindow::MaskPictureIndex, -1},
        {"lefttoppoint", &TbsDataSkinPopupWindow::LTPoint},
        {"righttoppoint", &TbsDataSkinPopupWindow::RTPoint},
        {"leftbottompoint", &TbsDataSkinPopupWindow::LBPoint},
        {"rightbottompoint", &TbsDataSkinPopupWindow::RBPoint},
        {"itemsrect", &TbsDataSkinPopupWindow::ItemsRect},
        {"scrollmarkercolor", &TbsDataSkinPopupWindow::ScrollMarkerColor},
        {"scrollmarkeractivecolor", &TbsDataSkinPopupWindow::ScrollMarkerActiveColor},
        {"leftstretch", &TbsDataSkinPopupWindow::LeftStretch},
        {"rightstretch", &TbsDataSkinPopupWindow::RightStretch},
        {"topstretch", &TbsDataSkinPopupWindow::TopStretch},
        {"bottomstretch", &TbsDataSkinPopupWindow::BottomStretch},
        {"stretcheffect", &TbsDataSkinPopupWindow::StretchEffect},
        {"stretchtype", &TbsDataSkinPopupWindow::StretchType},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinLayerFrame>> TbsDataSkinLayerFrame::Keys() {
    static const TbsSkinKey<TbsDataSkinLayerFrame> keys[] = {
        {"pictureindex", &TbsDataSkinLayerFrame::PictureIndex, -1},
        {"maskpictureindex", &TbsDataSkinLayerFrame::MaskPictureIndex, -1},
        {"inactivepictureindex", &TbsDataSkinLayerFrame::InActivePictureIndex, -1},
        {"inactivemaskpictureindex", &TbsDataSkinLayerFrame::InActiveMaskPictureIndex, -1},
        {"lefttoppoint", &TbsDataSkinLayerFrame::LTPoint},
        {"righttoppoint", &TbsDataSkinLayerFrame::RTPoint},
        {"leftbottompoint", &TbsDataSkinLayerFrame::LBPoint},
        {"rightbottompoint", &TbsDataSkinLayerFrame::RBPoint},
        {"clientrect", &TbsDataSkinLayerFrame::ClRect},
        {"alphablendvalue", &TbsDataSkinLayerFrame::AlphaBlendValue, 255},
        {"inactivealphablendvalue", &TbsDataSkinLayerFrame::InActiveAlphaBlendValue, 255},
        {"borderrect", &TbsDataSkinLayerFrame::BorderRect},
        {"hittestenable", &TbsDataSkinLayerFrame::HitTestEnable},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsDataSkinHintWindow>> TbsDataSkinHintWindow::Keys() {
    static const TbsSkinKey<TbsDataSkinHintWindow> keys[] = {
        {"windowpictureindex", &TbsDataSkinHintWindow::WindowPictureIndex, -1},
        {"maskpictureindex", &TbsDataSkinHintWindow::MaskPictureIndex, -1},
        {"lefttoppoint", &TbsDataSkinHintWindow::LTPoint},
        {"righttoppoint", &TbsDataSkinHintWindow::RTPoint},
        {"leftbottompoint", &TbsDataSkinHintWindow::LBPoint},
        {"rightbottompoint", &TbsDataSkinHintWindow::RBPoint},
        {"clientrect", &TbsDataSkinHintWindow::ClRect},
        {"fontname", &TbsDataSkinHintWindow::FontName, "Arial"},
        {"fontheight", &TbsDataSkinHintWindow::FontHeight, 14},
        {"fontstyle", &TbsDataSkinHintWindow::FontStyle, FontStylesKey},
        {"fontcolor", &TbsDataSkinHintWindow::FontColor},
        {"leftstretch", &TbsDataSkinHintWindow::LeftStretch},
        {"rightstretch", &TbsDataSkinHintWindow::RightStretch},
        {"topstretch", &TbsDataSkinHintWindow::TopStretch},
        {"bottomstretch", &TbsDataSkinHintWindow::BottomStretch},
        {"stretcheffect", &TbsDataSkinHintWindow::StretchEffect},
        {"stretchtype", &TbsDataSkinHintWindow::StretchType},
    };
    return keys;
}

std::span<const TbsSkinKey<TbsSkinColors>> TbsSkinColors::Keys() {
    static const TbsSkinKey<TbsSkinColors> keys[] = {
        {"cbtnface", &TbsSkinColors::FcBtnFace, clBtnFace},
        {"cbtntext", &TbsSkinColors::FcBtnText, clBtnText},
        {"cwindow", &TbsSkinColors::FcWindow, clWindow},
        {"cwindowtext", &TbsSkinColors::FcWindowText, clWindowText},
        {"chighlight", &TbsSkinColors::FcHighLight, clHighlight},
        {"chighlighttext", &TbsSkinColors::FcHighLightText, clHighlightText},
        {"cbtnhighlight", &TbsSkinColors::FcBtnHighLight, clBtnHighlight},
        {"cbtnshadow", &TbsSkinColors::FcBtnShadow, clBtnShadow},
    };
    return keys;
}
