// The skin container's own sections: VERSION, PICTURES, FORMINFO and the two
// element lists, and the order in which a whole skin ini is written.
#include <algorithm>
#include "platform/core/SysUtils.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinKeys.h"

namespace {

const TbsSkinKey<TbsSkinData> kFormInfoKeys[] = {
    {"lefttoppoint", &TbsSkinData::LTPoint},
    {"righttoppoint", &TbsSkinData::RTPoint},
    {"leftbottompoint", &TbsSkinData::LBPoint},
    {"rightbottompoint", &TbsSkinData::RBPoint},
    {"clientrect", &TbsSkinData::ClRect},
    {"bgpictureindex", &TbsSkinData::BGPictureIndex, -1},
    {"mdibgpictureindex", &TbsSkinData::MDIBGPictureIndex, -1},
    {"leftstretch", &TbsSkinData::LeftStretch},
    {"rightstretch", &TbsSkinData::RightStretch},
    {"topstretch", &TbsSkinData::TopStretch},
    {"bottomstretch", &TbsSkinData::BottomStretch},
    {"stretcheffect", &TbsSkinData::StretchEffect},
    {"stretchtype", &TbsSkinData::StretchType},
    {"mdibgstretcheffect", &TbsSkinData::MDIBGStretchEffect},
    {"mdibgstretchtype", &TbsSkinData::MDIBGStretchType},
    {"maskrectarea", &TbsSkinData::MaskRectArea},
    {"hittestlefttoppoint", &TbsSkinData::HitTestLTPoint},
    {"hittestrighttoppoint", &TbsSkinData::HitTestRTPoint},
    {"hittestleftbottompoint", &TbsSkinData::HitTestLBPoint},
    {"hittestrightbottompoint", &TbsSkinData::HitTestRBPoint},
    {"buttonsrect", &TbsSkinData::ButtonsRect},
    {"captionrect", &TbsSkinData::CaptionRect},
    {"buttonsoffset", &TbsSkinData::ButtonsOffset},
    {"buttonsinleft", &TbsSkinData::CapButtonsInLeft},
    {"mainmenupopupup", &TbsSkinData::MainMenuPopupUp},
    {"borderwidth", &TbsSkinData::BorderW},
    {"autorenderinginactiveimage", &TbsSkinData::AutoRenderingInActiveImage},
    {"inactiveeffect", &TbsSkinData::InActiveEffect},
    {"formminwidth", &TbsSkinData::FormMinWidth},
    {"mditabstransparent", &TbsSkinData::MDITabsTransparent},
    {"mainmenubartransparent", &TbsSkinData::MainMenuBarTransparent},
};

const TbsSkinKey<TbsSkinData> kVersionKeys[] = {
    {"skinname", &TbsSkinData::SkinName, ""},
    {"skinauthor", &TbsSkinData::SkinAuthor, ""},
    {"authoremail", &TbsSkinData::AuthorEmail, ""},
    {"authorurl", &TbsSkinData::AuthorURL, ""},
    {"skincomments", &TbsSkinData::SkinComments, ""},
};

const TbsSkinKey<TbsSkinData> kPictureKeys[] = {
    {"picture", &TbsSkinData::FPictureName, ""},
    {"inactivepicture", &TbsSkinData::FInActivePictureName, ""},
    {"mask", &TbsSkinData::FMaskName, ""},
};

// A hit-test point with a zero coordinate falls back to its corner point.
void DefaultHitTest(TPoint& HitTest, const TPoint& Corner) {
    if (HitTest.X == 0 || HitTest.Y == 0)
        HitTest = Corner;
}

}  // namespace

void TbsSkinData::ReadSkinInfo(TCustomIniFile& Ini) {
    ReadKeys<TbsSkinData>(Ini, "VERSION", *this, kVersionKeys);
}

void TbsSkinData::ReadPictureNames(TCustomIniFile& Ini) {
    ReadKeys<TbsSkinData>(Ini, "PICTURES", *this, kPictureKeys);
}

void TbsSkinData::ReadFormInfo(TCustomIniFile& Ini) {
    ReadKeys<TbsSkinData>(Ini, "FORMINFO", *this, kFormInfoKeys);
    if (!FMaskName.empty()) {
        if (MaskRectArea.IsEmpty()) {
            MaskRectArea = ClRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClRect.Bottom);
        }
        DefaultHitTest(HitTestLTPoint, LTPoint);
        DefaultHitTest(HitTestRTPoint, RTPoint);
        DefaultHitTest(HitTestLBPoint, LBPoint);
        DefaultHitTest(HitTestRBPoint, RBPoint);
    }
    // Corner points lie inside the client rectangle, unless the frame has no
    // stretchable middle at all.
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint.X = std::max(LTPoint.X, ClRect.Left);
        LTPoint.Y = std::max(LTPoint.Y, ClRect.Top);
        RTPoint.X = std::min(RTPoint.X, ClRect.Right);
        RTPoint.Y = std::max(RTPoint.Y, ClRect.Top);
        LBPoint.X = std::max(LBPoint.X, ClRect.Left);
        LBPoint.Y = std::min(LBPoint.Y, ClRect.Bottom);
        RBPoint.X = std::min(RBPoint.X, ClRect.Right);
        RBPoint.Y = std::min(RBPoint.Y, ClRect.Bottom);
    }
}

void TbsSkinData::WriteFormInfo(TCustomIniFile& Ini) {
    Ini.EraseSection("FORMINFO");
    WriteKeys<TbsSkinData>(Ini, "FORMINFO", *this, kFormInfoKeys);
}

void TbsSkinData::ReadActivePictures(TCustomIniFile& Ini, const std::string& Folder) {
    ReadStrings(Ini, "PICTURES", "activepictures", *FActivePicturesNames);
    for (int i = 0; i < FActivePicturesNames->Count(); ++i) {
        auto picture = std::make_unique<TBitmap>();
        picture->LoadFromFile(Folder + FActivePicturesNames->Get(i));
        FActivePictures.push_back(std::move(picture));
    }
}

void TbsSkinData::WriteActivePictureNames(TCustomIniFile& Ini) {
    WriteStrings(Ini, "PICTURES", "activepictures", *FActivePicturesNames);
}

namespace {

// Reads a SKINOBJECTS or SKINCONTROLS list: one description per known kind.
template <class D, class Create>
void ReadElementList(TCustomIniFile& Ini, const char* Section, std::vector<std::unique_ptr<D>>& List, Create Make) {
    const int count = ReadListCount(Ini, Section, "count");
    for (int i = 0; i < count; ++i) {
        const TbsSkinEntry entry = SplitSkinEntry(Ini.ReadString(Section, IntToStr(i), ""));
        if (auto description = Make(entry.Kind, entry.Name)) {
            description->LoadFromFile(Ini);
            List.push_back(std::move(description));
        }
    }
}

template <class D>
void WriteElementList(TCustomIniFile& Ini, const char* Section, const std::vector<std::unique_ptr<D>>& List) {
    Ini.EraseSection(Section);
    WriteSkinInteger(Ini, Section, "count", static_cast<int>(List.size()));
    for (size_t i = 0; i < List.size(); ++i)
        Ini.WriteString(Section, IntToStr(static_cast<int64_t>(i)), List[i]->IDName + ":" + List[i]->Kind());
    for (const auto& description : List)
        description->SaveToFile(Ini);
}

}  // namespace

void TbsSkinData::ReadSkinObjects(TCustomIniFile& Ini) {
    ReadElementList(Ini, "SKINOBJECTS", ObjectList, CreateSkinObject);
}

void TbsSkinData::WriteSkinObjects(TCustomIniFile& Ini) {
    WriteElementList(Ini, "SKINOBJECTS", ObjectList);
}

void TbsSkinData::ReadSkinControls(TCustomIniFile& Ini) {
    ReadElementList(Ini, "SKINCONTROLS", CtrlList, CreateSkinControl);
}

void TbsSkinData::WriteSkinControls(TCustomIniFile& Ini) {
    WriteElementList(Ini, "SKINCONTROLS", CtrlList);
}

void TbsSkinData::ReadSkinSections(TCustomIniFile& Ini) {
    ReadFormInfo(Ini);
    PopupWindow->LoadFromFile(Ini);
    LayerFrame->LoadFromFile(Ini);
    HintWindow->LoadFromFile(Ini);
    FSkinColors->LoadFromFile(Ini);
    ReadSkinObjects(Ini);
    ReadSkinControls(Ini);
}

void TbsSkinData::WriteSkinIni(TCustomIniFile& Ini) {
    Ini.EraseSection("VERSION");
    WriteSkinInteger(Ini, "VERSION", "ver", 1);
    WriteKeys<TbsSkinData>(Ini, "VERSION", *this, kVersionKeys);
    Ini.EraseSection("PICTURES");
    WriteKeys<TbsSkinData>(Ini, "PICTURES", *this, kPictureKeys);
    WriteActivePictureNames(Ini);
    WriteFormInfo(Ini);
    PopupWindow->SaveToFile(Ini);
    LayerFrame->SaveToFile(Ini);
    HintWindow->SaveToFile(Ini);
    FSkinColors->SaveToFile(Ini);
    WriteSkinObjects(Ini);
    WriteSkinControls(Ini);
}
