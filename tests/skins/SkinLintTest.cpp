// Checks the program's own skins as the program reads them: every embedded
// skin is unpacked with the skin layer's reader and its sections, picture
// references, rectangles, corner points, element kinds and cross references
// are checked.
#include "Contrast.h"
#include "skin/controls/SelectionColors.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include "platform/core/IniFile.h"
#include "platform/core/Stream.h"
#include "platform/core/Strings.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/PackedSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinList.h"

namespace {

const TEmbeddedSkin& SkinAt(int i) { return i < MainSkinCount ? MainSkins()[i] : ToolBarSkins()[i - MainSkinCount]; }

// One embedded skin unpacked twice: into a skin container, and as its plain
// ini text (for the checks of the file itself).
struct TUnpacked {
    TbsCompressedStoredSkin Stored{nullptr};
    TbsSkinData Data{nullptr};
    std::unique_ptr<TMemIniFile> Ini;
};

std::unique_ptr<TUnpacked> Unpack(const TEmbeddedSkin& Skin)
{
    auto u = std::make_unique<TUnpacked>();
    TMemoryStream data;
    data.Write(Skin.Data, static_cast<int64_t>(Skin.Size));
    u->Stored.LoadFromCompressStream(data);
    u->Data.LoadCompressedStoredSkin(&u->Stored);

    TMemoryStream packed;
    u->Stored.DeCompressToStream(packed);
    packed.Seek(0, soBeginning);
    EXPECT_EQ(ReadPackedInt(packed), PackedSkinVersion);
    TBitmap skip;
    for (int i = 0; i < 3; ++i)
        ReadFlaggedPicture(packed, skip);
    const int32_t count = ReadPackedInt(packed);
    for (int32_t i = 0; i < count; ++i)
        ReadPackedPicture(packed, skip);
    u->Ini = ReadRemainingIni(packed);
    return u;
}

std::vector<std::string> Sections(TMemIniFile& Ini)
{
    TStringList list;
    Ini.ReadSections(list);
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list[i]);
    return out;
}

std::vector<std::pair<std::string, std::string>> Values(TMemIniFile& Ini, const std::string& Section)
{
    TStringList keys;
    Ini.ReadSection(Section, keys);
    std::vector<std::pair<std::string, std::string>> out;
    for (int i = 0; i < keys.Count(); ++i)
        out.emplace_back(keys[i], Ini.ReadString(Section, keys[i], ""));
    return out;
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsRect(const std::string& Value)
{
    int commas = 0;
    for (char c : Value)
        commas += c == ',';
    return commas == 3;
}

bool Inside(const TRect& r, int w, int h)
{
    return r.Left >= 0 && r.Top >= 0 && r.Right <= w && r.Bottom <= h;
}

// Rectangles given in the element's own coordinates (or in control
// coordinates at the skin's size); every other rectangle lies in a picture.
const std::set<std::string> ElementRectKeys = {
    "clientrect",      "textrect",  "captionrect",   "checkimagearea", "textarea", "trackarea", "itemtextrect",
    "buttonrect", "trackbuttonrect", "imagerect", "frametextrect", "buttonsarea", "itemsrect"};
// The step buttons of scroll bars and up-downs are places too; in edits and
// combo boxes "downbuttonrect" is the pressed picture.
const std::set<std::string> StepButtonKeys = {"upbuttonrect", "downbuttonrect"};

class SkinLint : public ::testing::TestWithParam<int> {
protected:
    // Each skin is unpacked once for all the checks of the suite.
    static void TearDownTestSuite() { Cache().clear(); }
    static std::map<int, std::unique_ptr<TUnpacked>>& Cache()
    {
        static std::map<int, std::unique_ptr<TUnpacked>> cache;
        return cache;
    }
    void SetUp() override
    {
        auto& slot = Cache()[GetParam()];
        if (!slot)
            slot = Unpack(SkinAt(GetParam()));
        U = slot.get();
    }

    TSize PictureSize(int Index) const
    {
        const TBitmap* b = U->Data.ActivePicture(Index);
        return b ? TSize{b->Width(), b->Height()} : TSize{0, 0};
    }
    int PictureCount() const { return static_cast<int>(U->Data.FActivePictures.size()); }

    TUnpacked* U = nullptr;
};

TEST_P(SkinLint, RoundTripsThroughTheStoredSkin)
{
    const TEmbeddedSkin& skin = SkinAt(GetParam());
    TMemoryStream again;
    U->Stored.SaveToCompressStream(again);
    ASSERT_EQ(again.Size(), static_cast<int64_t>(skin.Size));
    EXPECT_EQ(0, std::memcmp(again.Memory(), skin.Data, skin.Size));
    EXPECT_FALSE(U->Data.Empty);
    EXPECT_EQ(U->Data.SkinName, skin.Name);
    EXPECT_FALSE(U->Data.FPicture->Empty());
    EXPECT_FALSE(U->Data.FInActivePicture->Empty());
    EXPECT_TRUE(U->Data.FMask->Empty()) << "windows stay rectangular";
}

TEST_P(SkinLint, HasEverySection)
{
    EXPECT_TRUE(IsSkinIni(*U->Ini));
    for (const char* s : {"POPUPWINDOW", "HINTWINDOW", "SKINCOLORS"})
        EXPECT_TRUE(U->Ini->SectionExists(s)) << s;
    // Menus and hints stay plain without a window picture.
    EXPECT_NE(U->Data.PopupWindow->WindowPictureIndex, -1);
    EXPECT_NE(U->Data.HintWindow->WindowPictureIndex, -1);
    EXPECT_EQ(U->Data.CtrlList.size() + U->Data.ObjectList.size(),
              static_cast<size_t>(U->Ini->ReadInteger("SKINCONTROLS", "count", 0) +
                                  U->Ini->ReadInteger("SKINOBJECTS", "count", 0)))
        << "every entry has a known kind";
}

TEST_P(SkinLint, PictureIndexesPointIntoTheList)
{
    for (const std::string& section : Sections(*U->Ini))
        for (const auto& [key, value] : Values(*U->Ini, section))
            if (EndsWith(key, "pictureindex")) {
                const int index = std::stoi(value);
                EXPECT_TRUE(index == -1 || (index >= 0 && index < PictureCount())) << section << "." << key << "=" << value;
            }
}

TEST_P(SkinLint, RectanglesLieInsideTheirPictures)
{
    TMemIniFile& ini = *U->Ini;
    const TSize frame{U->Data.FPicture->Width(), U->Data.FPicture->Height()};
    std::set<std::string> objects, controls;
    for (const auto& o : U->Data.ObjectList)
        objects.insert(o->IDName);
    for (const auto& c : U->Data.CtrlList)
        controls.insert(c->IDName);

    for (const std::string& section : Sections(ini)) {
        TSize picture{0, 0};
        TSize element{0, 0};
        bool objectInFrame = false;
        bool stepButtons = false;
        if (section == "FORMINFO")
            picture = frame;
        else if (section == "POPUPWINDOW" || section == "HINTWINDOW")
            picture = element = PictureSize(ini.ReadInteger(section, "windowpictureindex", -1));
        else if (objects.count(section)) {
            picture = PictureSize(ini.ReadInteger(section, "activepictureindex", -1));
            objectInFrame = !ReadBoolean(ini, section, "skinrectinapicture");
        } else if (controls.count(section)) {
            picture = PictureSize(ini.ReadInteger(section, "pictureindex", -1));
            const TbsDataSkinControl* c = U->Data.CtrlList[U->Data.GetControlIndex(section)].get();
            stepButtons = dynamic_cast<const TbsDataSkinScrollBarControl*>(c) ||
                          dynamic_cast<const TbsDataSkinUpDownControl*>(c);
        } else {
            continue;
        }
        if (ini.ValueExists(section, "skinrect") && section != "FORMINFO") {
            const TRect sr = ReadRect(ini, section, "skinrect");
            element = TSize{sr.Width(), sr.Height()};
        }
        for (const auto& [key, value] : Values(ini, section)) {
            if (!IsRect(value))
                continue;
            const TRect r = StrToRect(value);
            if (r.Width() <= 0 && r.Height() <= 0 && r.Left == 0 && r.Top == 0)
                continue;   // no such part
            EXPECT_GT(r.Width(), 0) << section << "." << key;
            EXPECT_GT(r.Height(), 0) << section << "." << key;
            if (section != "FORMINFO" && (ElementRectKeys.count(key) || (stepButtons && StepButtonKeys.count(key)))) {
                EXPECT_TRUE(Inside(r, element.cx, element.cy))
                    << section << "." << key << "=" << value << " outside the element " << element.cx << "x"
                    << element.cy;
            } else {
                const TSize in = key == "skinrect" && objectInFrame ? frame : picture;
                EXPECT_TRUE(Inside(r, in.cx, in.cy))
                    << section << "." << key << "=" << value << " outside its picture " << in.cx << "x" << in.cy;
            }
        }
    }
}

// Corner points must leave a band of at least one pixel between them along
// every direction the element resizes in, or the composition has nothing to tile.
TEST_P(SkinLint, CornerPointsLeaveTileBands)
{
    const TbsSkinData& d = U->Data;
    EXPECT_LT(d.LTPoint.X, d.RTPoint.X);
    EXPECT_LT(d.LTPoint.Y, d.LBPoint.Y);
    EXPECT_LT(d.PopupWindow->LTPoint.X, d.PopupWindow->RTPoint.X);
    EXPECT_LT(d.PopupWindow->LTPoint.Y, d.PopupWindow->LBPoint.Y);
    EXPECT_LT(d.HintWindow->LTPoint.X, d.HintWindow->RTPoint.X);
    EXPECT_LT(d.HintWindow->LTPoint.Y, d.HintWindow->LBPoint.Y);
    for (const auto& c : d.CtrlList) {
        const auto* e = dynamic_cast<const TbsDataSkinCustomControl*>(c.get());
        if (!e || e->SkinRect.IsEmpty())
            continue;
        const bool across = e->RBPoint.X != 0 && e->RBPoint.Y != 0;
        const bool horizontal = !across && (e->RTPoint.X != 0 || e->RTPoint.Y != 0);
        const bool vertical = !across && !horizontal && (e->LBPoint.X != 0 || e->LBPoint.Y != 0);
        if (across || horizontal) {
            EXPECT_LT(e->LTPoint.X, e->RTPoint.X) << c->IDName;
        }
        if (across || vertical) {
            EXPECT_LT(e->LTPoint.Y, e->LBPoint.Y) << c->IDName;
        }
        if (across) {
            EXPECT_LE(e->RTPoint.X, e->SkinRect.Width()) << c->IDName;
            EXPECT_LE(e->LBPoint.Y, e->SkinRect.Height()) << c->IDName;
        }
    }
}

template <class T>
bool ControlIs(const TbsSkinData& d, const std::string& Name)
{
    const int i = d.GetControlIndex(Name);
    return i >= 0 && dynamic_cast<const T*>(d.CtrlList[i].get()) != nullptr;
}

TEST_P(SkinLint, HasEveryControlTheProgramLooksUp)
{
    const TbsSkinData& d = U->Data;
    struct TNeed {
        const char* Name;
        std::function<bool(const TbsSkinData&, const std::string&)> Is;
    };
    const auto button = ControlIs<TbsDataSkinButtonControl>;
    const auto panel = ControlIs<TbsDataSkinPanelControl>;
    const auto scroll = ControlIs<TbsDataSkinScrollBarControl>;
    const TNeed needs[] = {
        {"button", button}, {"resizebutton", button}, {"resizetoolbutton", button}, {"toolbutton", button},
        {"editbutton", button}, {"combobutton", button},
        {"toolmenubutton", ControlIs<TbsDataSkinMenuButtonControl>},
        {"checkbox", ControlIs<TbsDataSkinCheckRadioControl>}, {"radiobox", ControlIs<TbsDataSkinCheckRadioControl>},
        {"panel", panel}, {"groupbox", panel}, {"toolpanel", panel}, {"resizetoolpanel", panel}, {"statusbar", panel},
        {"label", ControlIs<TbsDataSkinLabelControl>}, {"menuheader", ControlIs<TbsDataSkinLabelControl>},
        {"hscrollbar", scroll}, {"vscrollbar", scroll}, {"bothhscrollbar", scroll},
        {"hupdown", ControlIs<TbsDataSkinUpDownControl>}, {"vupdown", ControlIs<TbsDataSkinUpDownControl>},
        {"edit", ControlIs<TbsDataSkinEditControl>}, {"buttonedit", ControlIs<TbsDataSkinEditControl>},
        {"stdlabel", ControlIs<TbsDataSkinStdLabelControl>}, {"slider", ControlIs<TbsDataSkinSlider>},
        {"tab", ControlIs<TbsDataSkinTabControl>}, {"mainmenubar", ControlIs<TbsDataSkinMainMenuBar>},
        {"combobox", ControlIs<TbsDataSkinComboBox>}, {"listbox", ControlIs<TbsDataSkinListBox>},
        {"listview", ControlIs<TbsDataSkinListView>}, {"treeview", ControlIs<TbsDataSkinTreeView>},
        {"scrollbox", ControlIs<TbsDataSkinScrollBoxControl>}, {"bevel", ControlIs<TbsDataSkinBevel>},
    };
    for (const TNeed& n : needs)
        EXPECT_TRUE(n.Is(d, n.Name)) << n.Name;
    // Exact kinds where a looser class would also pass above.
    EXPECT_STREQ(d.CtrlList[d.GetControlIndex("button")]->Kind(), "button");
    EXPECT_STREQ(d.CtrlList[d.GetControlIndex("toolmenubutton")]->Kind(), "menubutton");
}

TEST_P(SkinLint, HasTheFrameObjects)
{
    const TbsSkinData& d = U->Data;
    auto object = [&](const std::string& name) -> const TbsDataSkinObject* {
        const int i = d.GetIndex(name);
        return i >= 0 ? d.ObjectList[i].get() : nullptr;
    };
    const auto* caption = dynamic_cast<const TbsDataSkinCaption*>(object("caption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_FALSE(caption->TextRct.IsEmpty());
    EXPECT_NE(dynamic_cast<const TbsDataSkinMenuItem*>(object("menuitem")), nullptr);

    std::set<TbsStdCommand> commands;
    for (const auto& o : d.ObjectList)
        if (const auto* b = dynamic_cast<const TbsDataSkinStdButton*>(o.get())) {
            commands.insert(b->Command);
            EXPECT_FALSE(b->Hint.empty()) << b->IDName;
            EXPECT_TRUE(b->SkinRectInAPicture) << b->IDName;
        }
    for (TbsStdCommand c : {cmClose, cmMinimize, cmMaximize, cmRollUp, cmSysMenu, cmMinimizeToTray})
        EXPECT_TRUE(commands.count(c)) << "command " << int(c);
}

// A selected row of the skinned lists (the job list among them) is readable
// with the focus and without it: its text reaches 4.5:1 against its face.
TEST_P(SkinLint, SelectedRowsAreReadable)
{
    for (bool focused : {true, false}) {
        TColor face = 0, text = 0;
        ASSERT_TRUE(SkinSelectionColors(U->Data, focused, face, text)) << focused;
        EXPECT_GE(Contrast(face, text), 4.5) << (focused ? "focused" : "unfocused") << " selection, text "
                                             << std::hex << text << " on " << face;
    }
}

TEST_P(SkinLint, CrossReferencesResolve)
{
    const TbsSkinData& d = U->Data;
    const auto* tab = dynamic_cast<const TbsDataSkinTabControl*>(d.CtrlList[d.GetControlIndex("tab")].get());
    ASSERT_NE(tab, nullptr);
    EXPECT_TRUE(ControlIs<TbsDataSkinUpDownControl>(d, tab->UpDown)) << tab->UpDown;

    const auto* combo = dynamic_cast<const TbsDataSkinComboBox*>(d.CtrlList[d.GetControlIndex("combobox")].get());
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(ControlIs<TbsDataSkinListBox>(d, combo->ListBoxName)) << combo->ListBoxName;

    const auto* list = dynamic_cast<const TbsDataSkinListBox*>(d.CtrlList[d.GetControlIndex("listbox")].get());
    ASSERT_NE(list, nullptr);
    for (const std::string& bar : {list->VScrollBarName, list->HScrollBarName, list->BothScrollBarName})
        EXPECT_TRUE(ControlIs<TbsDataSkinScrollBarControl>(d, bar)) << bar;

    const auto* bar = dynamic_cast<const TbsDataSkinMainMenuBar*>(d.CtrlList[d.GetControlIndex("mainmenubar")].get());
    ASSERT_NE(bar, nullptr);
    const int item = d.GetIndex(bar->MenuBarItem);
    ASSERT_GE(item, 0) << bar->MenuBarItem;
    EXPECT_NE(dynamic_cast<const TbsDataSkinMainMenuBarItem*>(d.ObjectList[item].get()), nullptr);
    for (const std::string& b : {bar->CloseButton, bar->MinButton, bar->MaxButton, bar->SysMenuButton})
        EXPECT_TRUE(b.empty() || dynamic_cast<const TbsDataSkinStdButton*>(d.ObjectList[d.GetIndex(b)].get())) << b;
}

std::string SkinLabel(const ::testing::TestParamInfo<int>& info) { return SkinAt(info.param).Name; }

INSTANTIATE_TEST_SUITE_P(EverySkin, SkinLint, ::testing::Range(0, MainSkinCount + ToolBarSkinCount), SkinLabel);

// The lists the program builds from the embedded skins.
TEST(EmbeddedSkins, FillTheSkinListsWithNamedDistinctSkins)
{
    TbsCompressedSkinList main(nullptr), tools(nullptr);
    FillMainSkinList(main);
    FillToolBarSkinList(tools);
    ASSERT_EQ(main.Skins()->Count(), MainSkinCount);
    ASSERT_EQ(tools.Skins()->Count(), ToolBarSkinCount);
    std::set<std::string> names, blocks;
    for (int i = 0; i < MainSkinCount; ++i) {
        const TbsSkinListItem* item = main.Skins()->Items(i);
        EXPECT_FALSE(item->Name().empty());
        EXPECT_FALSE(item->Skin()->Empty());
        names.insert(item->Name());
        const TMemoryStream* s = item->Skin()->CompressedStream();
        blocks.insert(std::string(reinterpret_cast<const char*>(s->Memory()), static_cast<size_t>(s->Size())));
    }
    EXPECT_EQ(names.size(), size_t(MainSkinCount));
    EXPECT_EQ(blocks.size(), size_t(MainSkinCount)) << "every variant differs from the others";
    // The dark main skin takes the tool bar's dark twin, the light ones the light look.
    for (int i = 0; i < MainSkinCount; ++i)
        EXPECT_EQ(ToolBarSkinFor(i), std::string(MainSkins()[i].Name) == "ZarvoGraphite" ? 1 : 0) << MainSkins()[i].Name;

    // A container selecting by index unpacks the item's skin.
    TbsSkinData data(nullptr);
    data.SetSkinList(&main);
    ASSERT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, MainSkins()[0].Name);
    data.SetSkinIndex(5);
    EXPECT_EQ(data.SkinName, MainSkins()[5].Name);
    data.SetSkinList(nullptr);
}

}  // namespace
