#pragma once
#include <memory>
#include <span>
#include <string>
#include <vector>
#include "platform/core/Object.h"
#include "skin/data/SkinKeys.h"

// Control element descriptions: one per SKINCONTROLS entry of a skin, looked
// up by controls with TbsSkinData::GetControlIndex. Rectangles are in the
// coordinates of active picture PictureIndex. Controls test the class of a
// description, so the hierarchy is part of the contract: a menu button is a
// button, a memo an edit, a check list box a list box.

class TbsDataSkinControl : public TObject {
public:
    explicit TbsDataSkinControl(const std::string& AIDName) : IDName(AIDName) {}

    // Reads the fields from section IDName, base keys first.
    virtual void LoadFromFile(TCustomIniFile& IniFile);
    // Erases section IDName and writes the fields, base keys first.
    virtual void SaveToFile(TCustomIniFile& IniFile);
    // Every key of the description with whether its field holds the missing-key value.
    virtual void ReportKeys(std::vector<TbsKeyState>& Out) const;
    // The SKINCONTROLS keyword of the most derived class ("" for the two bases).
    virtual const char* Kind() const { return ""; }

    static std::span<const TbsSkinKey<TbsDataSkinControl>> OwnKeys();

    std::string IDName;   // the section name; the name controls look up
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;
};

// Adds the nine-slice geometry that stretches SkinRect to any control size.
class TbsDataSkinCustomControl : public TbsKeyed<TbsDataSkinCustomControl, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "";
    static std::span<const TbsSkinKey<TbsDataSkinCustomControl>> OwnKeys();

    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};

// Panels, group boxes, tool panels and status bars.
class TbsDataSkinPanelControl : public TbsKeyed<TbsDataSkinPanelControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "panel";
    static std::span<const TbsSkinKey<TbsDataSkinPanelControl>> OwnKeys();

    int BGPictureIndex = -1;
    TRect CaptionRect;
    TAlignment Alignment = taCenter;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect MarkFrameRect;
    TRect FrameRect;
    TRect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;
};

// A panel that rolls up horizontally or vertically, with close and roll buttons.
class TbsDataSkinExPanelControl : public TbsKeyed<TbsDataSkinExPanelControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "expanel";
    static std::span<const TbsSkinKey<TbsDataSkinExPanelControl>> OwnKeys();

    TRect RollHSkinRect;
    TRect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    TRect RollVCaptionRect;
    TRect RollHCaptionRect;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    TRect HRollButtonRect;
    TRect HRollButtonActiveRect;
    TRect HRollButtonDownRect;
    TRect HRestoreButtonRect;
    TRect HRestoreButtonActiveRect;
    TRect HRestoreButtonDownRect;
    TRect VRollButtonRect;
    TRect VRollButtonActiveRect;
    TRect VRollButtonDownRect;
    TRect VRestoreButtonRect;
    TRect VRestoreButtonActiveRect;
    TRect VRestoreButtonDownRect;
    TRect CaptionRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = 0;
};

// Push buttons, tool buttons and the small buttons of other controls.
class TbsDataSkinButtonControl : public TbsKeyed<TbsDataSkinButtonControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "button";
    static std::span<const TbsSkinKey<TbsDataSkinButtonControl>> OwnKeys();

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect FocusedSkinRect;
    TRect DisabledSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect;
    TRect MenuMarkerRect;
    TRect MenuMarkerActiveRect;
    TRect MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0;
    int GlowLayerOffsetRight = 0;
    int GlowLayerOffsetTop = 0;
    int GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0;
    int GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};

// A button with a drop-down part; still a button to controls that test for one.
class TbsDataSkinMenuButtonControl : public TbsKeyed<TbsDataSkinMenuButtonControl, TbsDataSkinButtonControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "menubutton";
    static std::span<const TbsSkinKey<TbsDataSkinMenuButtonControl>> OwnKeys();

    TRect TrackButtonRect;
};

// Check boxes and radio buttons.
class TbsDataSkinCheckRadioControl : public TbsKeyed<TbsDataSkinCheckRadioControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "checkradio";
    static std::span<const TbsSkinKey<TbsDataSkinCheckRadioControl>> OwnKeys();

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor FrameFontColor = 0;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUnCheckImageRect;
    TRect GrayedCheckImageRect;
    TRect ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
};

// Progress gauges.
class TbsDataSkinGaugeControl : public TbsKeyed<TbsDataSkinGaugeControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "gauge";
    static std::span<const TbsSkinKey<TbsDataSkinGaugeControl>> OwnKeys();

    TRect ProgressArea;
    TRect ProgressRect;
    int BeginOffset = 0;
    int EndOffset = 0;
    bool Vertical = false;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 0;
    bool ProgressStretch = false;
    TRect AnimationSkinRect;
    int AnimationCountFrames = 0;
    int AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect;
    int ProgressAnimationCountFrames = 0;
    int ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0;
    int AnimationEndOffset = 0;
};

// Splitters.
class TbsDataSkinSplitterControl : public TbsKeyed<TbsDataSkinSplitterControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "splitter";
    static std::span<const TbsSkinKey<TbsDataSkinSplitterControl>> OwnKeys();

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;
};

// Track bars.
class TbsDataSkinTrackBarControl : public TbsKeyed<TbsDataSkinTrackBarControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "trackbar";
    static std::span<const TbsSkinKey<TbsDataSkinTrackBarControl>> OwnKeys();

    TRect ActiveSkinRect;
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

// Labels drawn on a skin picture.
class TbsDataSkinLabelControl : public TbsKeyed<TbsDataSkinLabelControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "label";
    static std::span<const TbsSkinKey<TbsDataSkinLabelControl>> OwnKeys();

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
};

// Plain labels: only a font.
class TbsDataSkinStdLabelControl : public TbsKeyed<TbsDataSkinStdLabelControl, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "stdlabel";
    static std::span<const TbsSkinKey<TbsDataSkinStdLabelControl>> OwnKeys();

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = clBlue;
};

// Up-down buttons; never carries nine-slice geometry (zeroed when read and written).
class TbsDataSkinUpDownControl : public TbsKeyed<TbsDataSkinUpDownControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "updown";
    static std::span<const TbsSkinKey<TbsDataSkinUpDownControl>> OwnKeys();

    void LoadFromFile(TCustomIniFile& IniFile) override;
    void SaveToFile(TCustomIniFile& IniFile) override;

    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
};

// Grids.
class TbsDataSkinGridControl : public TbsKeyed<TbsDataSkinGridControl, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "grid";
    static std::span<const TbsSkinKey<TbsDataSkinGridControl>> OwnKeys();

    TRect FixedCellRect;
    TRect SelectCellRect;
    TRect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    int BGPictureIndex = -1;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    int FixedFontHeight = 14;
    TFontStyles FixedFontStyle = 0;
    TColor FixedFontColor = 0;
    bool CellStretchEffect = false;
    bool FixedCellStretchEffect = false;
    bool ShowFocus = false;
};

// Tab controls and page controls; UpDown names the section of the tab scroller.
class TbsDataSkinTabControl : public TbsKeyed<TbsDataSkinTabControl, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "tab";
    static std::span<const TbsSkinKey<TbsDataSkinTabControl>> OwnKeys();

    TRect TabRect;
    TRect ActiveTabRect;
    TRect FocusTabRect;
    TRect MouseInTabRect;
    TRect ClRect;
    int BGPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    TRect TabsBGRect;
    bool TabStretchEffect = false;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    std::string UpDown;
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

// The main menu bar; the text fields name frame-object sections for its items and buttons.
class TbsDataSkinMainMenuBar : public TbsKeyed<TbsDataSkinMainMenuBar, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "mainmenubar";
    static std::span<const TbsSkinKey<TbsDataSkinMainMenuBar>> OwnKeys();

    TRect ItemsRect;
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MinButton;
    std::string MaxButton;
    std::string SysMenuButton;
    int TrackMarkColor = 0;
    int TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;
};

// Control bars and tool bars.
class TbsDataSkinControlBar : public TbsKeyed<TbsDataSkinControlBar, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "controlbar";
    static std::span<const TbsSkinKey<TbsDataSkinControlBar>> OwnKeys();

    TRect ItemRect;
    int BGPictureIndex = -1;
    TRect HGripRect;
    TRect VGripRect;
    int GripOffset1 = 0;
    int GripOffset2 = 0;
    int ItemOffset1 = 3;
    int ItemOffset2 = 3;
    bool ItemStretchEffect = false;
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;
};

// Single-line edits and button edits.
class TbsDataSkinEditControl : public TbsKeyed<TbsDataSkinEditControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "edit";
    static std::span<const TbsSkinKey<TbsDataSkinEditControl>> OwnKeys();

    TRect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
};

// Memos; an edit to controls that test for one.
class TbsDataSkinMemoControl : public TbsKeyed<TbsDataSkinMemoControl, TbsDataSkinEditControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "memo";
    static std::span<const TbsSkinKey<TbsDataSkinMemoControl>> OwnKeys();

    TColor BGColor = 0;
    TColor ActiveBGColor = 0;
};

// List boxes; the three names give the sections of their scroll bars.
class TbsDataSkinListBox : public TbsKeyed<TbsDataSkinListBox, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "listbox";
    static std::span<const TbsSkinKey<TbsDataSkinListBox>> OwnKeys();

    TRect SItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    int CaptionFontHeight = 14;
    TFontStyles CaptionFontStyle = 0;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect CheckButtonRect;
    TRect ActiveCheckButtonRect;
    TRect DownCheckButtonRect;
    std::string VScrollBarName = "vscrollbar";
    std::string HScrollBarName = "hscrollbar";
    std::string BothScrollBarName = "bothhscrollbar";
    bool ShowFocus = false;
    TRect DisabledButtonsRect;
    TRect ButtonsArea;
};

// Check list boxes; a list box to controls that test for one.
class TbsDataSkinCheckListBox : public TbsKeyed<TbsDataSkinCheckListBox, TbsDataSkinListBox> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "checklistbox";
    static std::span<const TbsSkinKey<TbsDataSkinCheckListBox>> OwnKeys();

    TRect ItemCheckRect;
    TRect UnCheckImageRect;
    TRect CheckImageRect;
};

// Combo boxes; ListBoxName names the section of the drop-down list.
class TbsDataSkinComboBox : public TbsKeyed<TbsDataSkinComboBox, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "combobox";
    static std::span<const TbsSkinKey<TbsDataSkinComboBox>> OwnKeys();

    TRect ActiveSkinRect;
    TRect SItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor FocusFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
    std::string ListBoxName;
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    bool ShowFocus = false;
};

// Scroll bars.
class TbsDataSkinScrollBarControl : public TbsKeyed<TbsDataSkinScrollBarControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "scrollbar";
    static std::span<const TbsSkinKey<TbsDataSkinScrollBarControl>> OwnKeys();

    TRect TrackArea;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect ThumbRect;
    TRect ActiveThumbRect;
    TRect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;
    TRect GlyphRect;
    TRect ActiveGlyphRect;
    TRect DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 0;
};

// Spin edits.
class TbsDataSkinSpinEditControl : public TbsKeyed<TbsDataSkinSpinEditControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "spinedit";
    static std::span<const TbsSkinKey<TbsDataSkinSpinEditControl>> OwnKeys();

    TRect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
};

// Scroll boxes.
class TbsDataSkinScrollBoxControl : public TbsKeyed<TbsDataSkinScrollBoxControl, TbsDataSkinCustomControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "scrollbox";
    static std::span<const TbsSkinKey<TbsDataSkinScrollBoxControl>> OwnKeys();

    int BGPictureIndex = -1;
};

// Tree views.
class TbsDataSkinTreeView : public TbsKeyed<TbsDataSkinTreeView, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "treeview";
    static std::span<const TbsSkinKey<TbsDataSkinTreeView>> OwnKeys();

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor BGColor = 0;
};

// Bevels.
class TbsDataSkinBevel : public TbsKeyed<TbsDataSkinBevel, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "bevel";
    static std::span<const TbsSkinKey<TbsDataSkinBevel>> OwnKeys();

    TColor LightColor = 0;
    TColor DarkColor = 0;
};

// Sliders.
class TbsDataSkinSlider : public TbsKeyed<TbsDataSkinSlider, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "slider";
    static std::span<const TbsSkinKey<TbsDataSkinSlider>> OwnKeys();

    TColor BGColor = 0;
    TRect HRulerRect;
    TRect HThumbRect;
    TRect VRulerRect;
    TRect VThumbRect;
    int EdgeSize = 0;
    TColor PointsColor = 0;
};

// List views.
class TbsDataSkinListView : public TbsKeyed<TbsDataSkinListView, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "listview";
    static std::span<const TbsSkinKey<TbsDataSkinListView>> OwnKeys();

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor BGColor = 0;
};

// Rich edits.
class TbsDataSkinRichEdit : public TbsKeyed<TbsDataSkinRichEdit, TbsDataSkinControl> {
public:
    using TbsKeyed::TbsKeyed;
    static constexpr const char* Keyword = "richedit";
    static std::span<const TbsSkinKey<TbsDataSkinRichEdit>> OwnKeys();

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor BGColor = 0;
};

// Creates the description for a SKINCONTROLS kind keyword; nullptr for an unknown kind.
std::unique_ptr<TbsDataSkinControl> CreateSkinControl(const std::string& Kind, const std::string& AIDName);
