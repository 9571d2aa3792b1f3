#pragma once
#include <memory>
#include <span>
#include <string>
#include <vector>
#include "platform/core/Object.h"
#include "skin/data/SkinKeys.h"

// Frame object descriptions: one per SKINOBJECTS entry of a skin, looked up by
// the frame component and the menus with TbsSkinData::GetIndex. Rectangles are
// in the coordinates of active picture ActivePictureIndex. The hierarchy is part
// of the contract: a main-menu-bar button is a standard button and so a button,
// a main-menu-bar item a main-menu item.

class TbsDataSkinObject : public TObject {
public:
    explicit TbsDataSkinObject(const std::string& AIDName) : IDName(AIDName) {}

    // Reads the fields from section IDName, base keys first.
    virtual void LoadFromFile(TCustomIniFile& IniFile);
    // Erases section IDName and writes the fields, base keys first.
    virtual void SaveToFile(TCustomIniFile& IniFile);
    // Every key of the description with whether its field holds the missing-key value.
    virtual void ReportKeys(std::vector<TbsKeyState>& Out) const;
    // The SKINOBJECTS keyword of the most derived class ("" for the bases).
    virtual const char* Kind() const { return ""; }

    static std::span<const TbsSkinKey<TbsDataSkinObject>> OwnKeys();

    std::string IDName;   // the section name; the name looked up with GetIndex
    std::string Hint;
    int ActivePictureIndex = -1;
    int ActiveMaskPictureIndex = -1;
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InActiveSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};

// Items of popup menus.
class TbsDataSkinMenuItem : public TbsKeyed<TbsDataSkinMenuItem, TbsDataSkinObject> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "menuitem";
    static std::span<const TbsSkinKey<TbsDataSkinMenuItem>> OwnKeys();

    // Empty active check, radio and arrow rects take the normal ones.
    void LoadFromFile(TCustomIniFile& IniFile) override;

    int ItemLO = 0;
    int ItemRO = 0;
    TRect DividerRect;
    int DividerLO = 0;
    int DividerRO = 0;
    TRect TextRct;
    TRect ImageRct;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    bool StretchEffect = false;
    bool InActiveStretchEffect = false;
    bool DividerStretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    bool UseImageColor = false;
    TColor ImageColor = 0;
    TColor ActiveImageColor = 0;
    bool InActiveTransparent = false;
    TRect CheckImageRect;
    TRect ActiveCheckImageRect;
    TRect RadioImageRect;
    TRect ActiveRadioImageRect;
    TRect ArrowImageRect;
    TRect ActiveArrowImageRect;
};

// Items of a main menu bar.
class TbsDataSkinMainMenuItem : public TbsKeyed<TbsDataSkinMainMenuItem, TbsDataSkinObject> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "";
    static std::span<const TbsSkinKey<TbsDataSkinMainMenuItem>> OwnKeys();

    int ItemLO = 0;
    int ItemRO = 0;
    TRect DownRect;
    TRect TextRct;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
};

// The item kind that skins name for the main menu bar.
class TbsDataSkinMainMenuBarItem : public TbsKeyed<TbsDataSkinMainMenuBarItem, TbsDataSkinMainMenuItem> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "mainmenubaritem";
    static std::span<const TbsSkinKey<TbsDataSkinMainMenuBarItem>> OwnKeys();
};

// A caption-bar button.
class TbsDataSkinButton : public TbsKeyed<TbsDataSkinButton, TbsDataSkinObject> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "button";
    static std::span<const TbsSkinKey<TbsDataSkinButton>> OwnKeys();

    TRect DownRect;
    TRect DisableSkinRect;
};

// A caption button with a command.
class TbsDataSkinStdButton : public TbsKeyed<TbsDataSkinStdButton, TbsDataSkinButton> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "stdbutton";
    static std::span<const TbsSkinKey<TbsDataSkinStdButton>> OwnKeys();

    // Also derives RestoreHint (see DefaultRestoreHint).
    void LoadFromFile(TCustomIniFile& IniFile) override;

    TbsStdCommand Command = cmDefault;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    std::string RestoreHint;
};

// A caption button of the main menu bar; a standard button to code that tests for one.
class TbsDataSkinMainMenuBarButton : public TbsKeyed<TbsDataSkinMainMenuBarButton, TbsDataSkinStdButton> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "mainmenubarbutton";
    static std::span<const TbsSkinKey<TbsDataSkinMainMenuBarButton>> OwnKeys();
};

// The caption text of the frame.
class TbsDataSkinCaption : public TbsKeyed<TbsDataSkinCaption, TbsDataSkinObject> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "caption";
    static std::span<const TbsSkinKey<TbsDataSkinCaption>> OwnKeys();

    TRect TextRct;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool Shadow = false;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    TRect FrameRect;
    TRect ActiveFrameRect;
    TRect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    bool FullFrame = false;
    bool VistaGlowEffect = false;
    bool VistaGlowInActiveEffect = false;
    bool GlowEffect = false;
    bool GlowInActiveEffect = false;
    int GlowSize = 3;
    TColor GlowColor = 0;
    TColor GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0;
    TColor ReflectionActiveColor = 0;
    int ReflectionOffset = 0;
};

// An animated caption button.
class TbsDataSkinAnimate : public TbsKeyed<TbsDataSkinAnimate, TbsDataSkinObject> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "animate";
    static std::span<const TbsSkinKey<TbsDataSkinAnimate>> OwnKeys();

    // Animated buttons never morph; also derives RestoreHint.
    void LoadFromFile(TCustomIniFile& IniFile) override;

    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TbsStdCommand Command = cmDefault;
    TRect DownSkinRect;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    std::string RestoreHint;
};

// A plain picture part of the frame: only its skinrect is read and written;
// every other field keeps the value of a new object.
class TbsDataUserObject : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    static constexpr const char* Keyword = "userobject";

    void LoadFromFile(TCustomIniFile& IniFile) override;
    void SaveToFile(TCustomIniFile& IniFile) override;
    void ReportKeys(std::vector<TbsKeyState>& Out) const override;
    const char* Kind() const override { return Keyword; }
};

// Creates the description for a SKINOBJECTS kind keyword; nullptr for an unknown kind.
std::unique_ptr<TbsDataSkinObject> CreateSkinObject(const std::string& Kind, const std::string& AIDName);
