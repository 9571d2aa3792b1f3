#pragma once
#include <span>
#include <vector>
#include "skin/data/SkinKeys.h"

// The fixed window descriptions and the skin colours that every skin carries
// in sections of fixed names. The container creates one of each and reloads
// them with every skin; each erases its section before writing it.

// The frame of popup menus (section POPUPWINDOW).
class TbsDataSkinPopupWindow {
public:
    static constexpr const char* Section = "POPUPWINDOW";

    void LoadFromFile(TCustomIniFile& IniFile);
    void SaveToFile(TCustomIniFile& IniFile);
    void ReportKeys(std::vector<TbsKeyState>& Out) const;
    static std::span<const TbsSkinKey<TbsDataSkinPopupWindow>> Keys();

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ItemsRect;
    int ScrollMarkerColor = 0;
    int ScrollMarkerActiveColor = 0;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};

// The layered outer border drawn around a form (section LAYERFRAME).
class TbsDataSkinLayerFrame {
public:
    static constexpr const char* Section = "LAYERFRAME";

    void LoadFromFile(TCustomIniFile& IniFile);
    void SaveToFile(TCustomIniFile& IniFile);
    void ReportKeys(std::vector<TbsKeyState>& Out) const;
    static std::span<const TbsSkinKey<TbsDataSkinLayerFrame>> Keys();

    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    int InActivePictureIndex = -1;
    int InActiveMaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    int AlphaBlendValue = 255;
    int InActiveAlphaBlendValue = 255;
    TRect BorderRect;
    bool HitTestEnable = false;
};

// The hint window's frame and font (section HINTWINDOW).
class TbsDataSkinHintWindow {
public:
    static constexpr const char* Section = "HINTWINDOW";

    void LoadFromFile(TCustomIniFile& IniFile);
    void SaveToFile(TCustomIniFile& IniFile);
    void ReportKeys(std::vector<TbsKeyState>& Out) const;
    static std::span<const TbsSkinKey<TbsDataSkinHintWindow>> Keys();

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    std::string FontName = "Arial";
    int FontHeight = 12;   // a new hint window; a load reads 14 when the key is missing
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};

// The eight colours that skinned controls use where they draw without pictures
// (section SKINCOLORS). All are 0 in a new object until SetColorsToDefault or a
// load; a missing key reads as the matching system colour.
class TbsSkinColors {
public:
    static constexpr const char* Section = "SKINCOLORS";

    void LoadFromFile(TCustomIniFile& IniFile);
    void SaveToFile(TCustomIniFile& IniFile);
    void ReportKeys(std::vector<TbsKeyState>& Out) const;
    void SetColorsToDefault();
    static std::span<const TbsSkinKey<TbsSkinColors>> Keys();

    TColor cBtnFace() const { return FcBtnFace; }
    void SetcBtnFace(TColor Value) { FcBtnFace = Value; }
    TColor cBtnText() const { return FcBtnText; }
    void SetcBtnText(TColor Value) { FcBtnText = Value; }
    TColor cWindow() const { return FcWindow; }
    void SetcWindow(TColor Value) { FcWindow = Value; }
    TColor cWindowText() const { return FcWindowText; }
    void SetcWindowText(TColor Value) { FcWindowText = Value; }
    TColor cHighLight() const { return FcHighLight; }
    void SetcHighLight(TColor Value) { FcHighLight = Value; }
    TColor cHighLightText() const { return FcHighLightText; }
    void SetcHighLightText(TColor Value) { FcHighLightText = Value; }
    TColor cBtnHighLight() const { return FcBtnHighLight; }
    void SetcBtnHighLight(TColor Value) { FcBtnHighLight = Value; }
    TColor cBtnShadow() const { return FcBtnShadow; }
    void SetcBtnShadow(TColor Value) { FcBtnShadow = Value; }

private:
    TColor FcBtnFace = 0;
    TColor FcBtnText = 0;
    TColor FcWindow = 0;
    TColor FcWindowText = 0;
    TColor FcHighLight = 0;
    TColor FcHighLightText = 0;
    TColor FcBtnHighLight = 0;
    TColor FcBtnShadow = 0;
};
