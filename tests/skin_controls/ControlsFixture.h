#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Png.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

// Colours of the test skin's faces, one per state, so that a pixel tells
// which face a control shows.
namespace TestSkin {
constexpr TColor Normal = RGB(220, 60, 60);
constexpr TColor Active = RGB(60, 200, 60);
constexpr TColor Down = RGB(60, 60, 220);
constexpr TColor Focused = RGB(220, 220, 60);
constexpr TColor Disabled = RGB(150, 150, 150);
constexpr TColor Border = RGB(20, 20, 20);
constexpr TColor Key = RGB(255, 0, 255);
constexpr TColor Check = RGB(0, 120, 0);
constexpr TColor UnCheck = RGB(255, 255, 255);
constexpr TColor ActiveCheck = RGB(0, 220, 0);
constexpr TColor Track = RGB(255, 150, 0);
constexpr TColor LabelText = RGB(0, 100, 0);
constexpr TColor LabelActive = RGB(200, 0, 0);
// Panels, bars, splitters (their own picture, see AddPanelElements).
constexpr TColor PanelFace = RGB(200, 220, 240);
constexpr TColor PanelBorder = RGB(40, 60, 120);
constexpr TColor PanelCaption = RGB(250, 200, 120);
constexpr TColor ToolFace = RGB(180, 240, 180);
constexpr TColor StatusFace = RGB(240, 200, 240);
constexpr TColor Grip = RGB(90, 0, 90);
constexpr TColor SplitterFace = RGB(120, 120, 0);
constexpr TColor Gripper = RGB(255, 255, 0);
constexpr TColor BevelLight = RGB(255, 240, 200);
constexpr TColor BevelDark = RGB(100, 40, 0);
constexpr TColor PanelText = RGB(0, 0, 140);
constexpr TColor Frame(int i) { return RGB(0, 50 * i, 200); }

// The scroll bars, slider and views of the test skin.
constexpr TColor BarTrack = RGB(255, 200, 120);
constexpr TColor SliderBack = RGB(200, 230, 255);
constexpr TColor SliderRuler = RGB(90, 90, 160);
constexpr TColor SliderPoints = RGB(120, 0, 120);
constexpr TColor ViewBack = RGB(250, 250, 210);
constexpr TColor ViewText = RGB(0, 0, 140);

// The face cells of the picture, in picture coordinates.
inline TRect Cell(int Col, int Top, int W, int H) { return TRect{Col * W, Top, Col * W + W, Top + H}; }

// "left,top,right,bottom", as skin files write a rectangle.
inline std::string RectText(const TRect& R)
{
    return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
           std::to_string(R.Bottom);
}
}  // namespace TestSkin

// Writes the picture of the scroll bars, the slider and the views of the
// test skin and answers their ini sections ("hscrollbar", "vscrollbar",
// "bothhscrollbar", "slider", "treeview", "listview"), cut from picture
// number PictureIndex.
std::string WriteViewsPicture(const std::string& Path, int PictureIndex);

// A small skin written into a folder of its own: one picture of faces with
// one colour per state, a glow picture and its mask, and the elements the
// controls name ("button", "checkbox", "radiobox", "toolbutton",
// "resizetoolbutton", "toolmenubutton", "htracktoolbutton",
// "vtracktoolbutton", "stdlabel").
class TTestSkinFolder {
public:
    TTestSkinFolder();
    ~TTestSkinFolder() { std::filesystem::remove_all(FPath); }
    std::string IniPath() const { return FPath + "/skin.ini"; }

private:
    std::string FPath;
};

// Adds the panel-like elements ("panel", "groupbox", "toolpanel",
// "bigtoolpanel", "resizetoolpanel", "statusbar", "label", "bevel",
// "vsplitter", "hsplitter") with a picture of their own to the test skin's
// ini text, and writes that picture into Folder.
void AddPanelElements(std::string& Ini, const std::string& Folder);

// A fresh headless screen with a shown borderless form; skins are loaded on demand.
class TControlsTest : public ::testing::Test {
public:
    static std::string RenderFolder();

protected:
    void SetUp() override;
    void TearDown() override;

    // Skins: the test skin, our base skin (index 0), and an empty one.
    TbsSkinData* TestSkinData();
    TbsSkinData* BaseSkinData();

    void Pump() { Application->ProcessMessages(); }
    TPoint At(TControl* c, int x, int y) { return c->ClientToScreen(TPoint{x, y}); }
    void MoveTo(TControl* c, int x, int y);
    void Press(TControl* c, int x = 5, int y = 5);
    void Release(TControl* c, int x = 5, int y = 5);
    void Click(TControl* c, int x = 5, int y = 5);
    void MoveAway();
    // Lets Ms milliseconds pass in steps that each run the due timers.
    void Wait(int Ms, int Step = 5);
    // The pixel of a control's client point as the form shows it.
    TColor PixelOf(TControl* c, int x, int y);
    std::unique_ptr<TBitmap> Capture();
    // The control's rectangle out of the form's picture.
    TBitmap Snapshot(TControl* c);

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;

private:
    std::unique_ptr<TTestSkinFolder> FSkinFolder;
    std::unique_ptr<TbsSkinData> FTestSkin;
    std::unique_ptr<TbsCompressedStoredSkin> FStored;
    std::unique_ptr<TbsSkinData> FBaseSkin;
};

// Buttons of any kind placed on the form (or on Parent) with their clicks
// recorded in order.
class TButtonsTest : public TControlsTest {
protected:
    template <class T>
    T* Place(TbsSkinData* Skin, int X, int Y, int Width, TWinControl* Parent = nullptr)
    {
        auto* b = new T(Form);
        b->SetParent(Parent ? Parent : Form);
        b->SetBounds(X, Y, Width, 30);
        b->SetSkinData(Skin);
        b->OnClick = [this](TObject* Sender) { Clicks.push_back(Sender); };
        Pump();
        return b;
    }
    // A still test skin: no morph, no animation.
    TbsSkinData* StillSkin()
    {
        TbsSkinData* s = TestSkinData();
        s->SetEnableSkinEffects(false);
        return s;
    }
    int ClicksOf(TObject* b) const { return int(std::count(Clicks.begin(), Clicks.end(), b)); }
    std::vector<TObject*> Clicks;
};

// Lays out labelled snapshots in rows and writes them as one PNG.
class TRenderSheet {
public:
    void Add(const std::string& Label, const TBitmap& Picture);
    void NewRow();
    void Save(const std::string& Name);

private:
    struct TItem {
        std::string Label;
        TBitmap Picture;
    };
    std::vector<std::vector<TItem>> FRows{{}};
};
