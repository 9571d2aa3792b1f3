#include <gtest/gtest.h>
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/WindowDescriptions.h"
#include "SkinTestSupport.h"

namespace {

template <class D>
std::unique_ptr<D> LoadControl(const char* Kind, const std::string& Keys) {
    auto ini = IniOf("[sec]\n" + Keys);
    std::unique_ptr<TbsDataSkinControl> d = CreateSkinControl(Kind, "sec");
    d->LoadFromFile(*ini);
    auto* typed = dynamic_cast<D*>(d.get());
    EXPECT_TRUE(typed) << Kind;
    d.release();
    return std::unique_ptr<D>(typed);
}

template <class D>
std::unique_ptr<D> LoadObject(const char* Kind, const std::string& Keys) {
    auto ini = IniOf("[sec]\n" + Keys);
    std::unique_ptr<TbsDataSkinObject> d = CreateSkinObject(Kind, "sec");
    d->LoadFromFile(*ini);
    auto* typed = dynamic_cast<D*>(d.get());
    EXPECT_TRUE(typed) << Kind;
    d.release();
    return std::unique_ptr<D>(typed);
}

}  // namespace

TEST(ControlDescriptions, MissingKeysGiveTheirDefaults) {
    const auto button = LoadControl<TbsDataSkinButtonControl>("button", "skinrect=1,2,3,4\n");
    EXPECT_EQ(button->SkinRect, Rect(1, 2, 3, 4));
    EXPECT_EQ(button->FontName, "Arial");
    EXPECT_EQ(button->FontHeight, 14);
    EXPECT_EQ(button->FontStyle, 0u);
    EXPECT_EQ(button->FontColor, 0u);
    EXPECT_EQ(button->AnimateInterval, 25);
    EXPECT_EQ(button->GlowLayerPictureIndex, -1);
    EXPECT_EQ(button->GlowLayerAlphaBlendValue, 255);
    EXPECT_EQ(button->PictureIndex, -1);

    EXPECT_EQ(LoadControl<TbsDataSkinStdLabelControl>("stdlabel", "")->ActiveFontColor, 16711680u);
    const auto list = LoadControl<TbsDataSkinListBox>("listbox", "");
    EXPECT_EQ(list->VScrollBarName, "vscrollbar");
    EXPECT_EQ(list->HScrollBarName, "hscrollbar");
    EXPECT_EQ(list->BothScrollBarName, "bothhscrollbar");
    const auto bar = LoadControl<TbsDataSkinControlBar>("controlbar", "");
    EXPECT_EQ(bar->ItemOffset1, 3);
    EXPECT_EQ(bar->ItemOffset2, 3);
}

TEST(ControlDescriptions, AnUpDownNeverCarriesGeometry) {
    const auto updown = LoadControl<TbsDataSkinUpDownControl>(
        "updown", "lefttoppoint=5,5\nrightbottompoint=9,9\nclientrect=1,1,8,8\nupbuttonrect=1,2,3,4\n");
    EXPECT_EQ(updown->LTPoint, Point(0, 0));
    EXPECT_EQ(updown->RBPoint, Point(0, 0));
    EXPECT_EQ(updown->ClRect, TRect{});
    EXPECT_EQ(updown->UpButtonRect, Rect(1, 2, 3, 4));

    updown->LTPoint = Point(3, 3);
    TMemIniFile written;
    updown->SaveToFile(written);
    EXPECT_EQ(written.ReadString("sec", "lefttoppoint", ""), "0,0");
}

TEST(ControlDescriptions, DerivedKindsPassTheirBaseTests) {
    const auto menuButton = CreateSkinControl("menubutton", "m");
    const auto memo = CreateSkinControl("memo", "m");
    const auto checkList = CreateSkinControl("checklistbox", "m");
    EXPECT_TRUE(dynamic_cast<TbsDataSkinButtonControl*>(menuButton.get()));
    EXPECT_TRUE(dynamic_cast<TbsDataSkinCustomControl*>(menuButton.get()));
    EXPECT_TRUE(dynamic_cast<TbsDataSkinEditControl*>(memo.get()));
    EXPECT_TRUE(dynamic_cast<TbsDataSkinListBox*>(checkList.get()));
    EXPECT_FALSE(dynamic_cast<TbsDataSkinCustomControl*>(CreateSkinControl("stdlabel", "m").get()));
    EXPECT_FALSE(dynamic_cast<TbsDataSkinMenuButtonControl*>(CreateSkinControl("button", "m").get()));
    // The written kind is always that of the most derived class.
    EXPECT_STREQ(menuButton->Kind(), "menubutton");
    EXPECT_STREQ(memo->Kind(), "memo");
    EXPECT_STREQ(checkList->Kind(), "checklistbox");

    const auto barButton = CreateSkinObject("mainmenubarbutton", "o");
    EXPECT_TRUE(dynamic_cast<TbsDataSkinStdButton*>(barButton.get()));
    EXPECT_TRUE(dynamic_cast<TbsDataSkinButton*>(barButton.get()));
    EXPECT_TRUE(dynamic_cast<TbsDataSkinMainMenuItem*>(CreateSkinObject("mainmenubaritem", "o").get()));
    EXPECT_FALSE(dynamic_cast<TbsDataSkinStdButton*>(CreateSkinObject("button", "o").get()));
    EXPECT_STREQ(barButton->Kind(), "mainmenubarbutton");
    EXPECT_STREQ(CreateSkinObject("stdbutton", "o")->Kind(), "stdbutton");
}

TEST(ObjectDescriptions, RestoreHintFollowsExactHintAndCommand) {
    const struct {
        const char* Kind;
        const char* Keys;
        const char* Expected;
    } cases[] = {
        {"stdbutton", "hint=Maximize\ncommand=cmmaximize\n", "Restore"},
        {"stdbutton", "hint=maximize\ncommand=cmmaximize\n", ""},
        {"stdbutton", "hint=Maximize\ncommand=cmminimize\n", ""},
        {"stdbutton", "hint=Minimize\ncommand=cmminimize\n", "Restore"},
        {"stdbutton", "hint=RollUp\ncommand=cmrollup\n", "Restore"},
        {"stdbutton", "hint=Roll Up\ncommand=cmrollup\n", "Restore"},
        {"stdbutton", "hint=Maximize\ncommand=cmmaximize\nrestorehint=Back\n", "Back"},
        {"mainmenubarbutton", "hint=Minimize\ncommand=cmminimize\n", "Restore"},
        {"animate", "hint=Maximize\ncommand=cmmaximize\n", "Restore"},
        {"animate", "hint=Close\ncommand=cmclose\n", ""},
    };
    for (const auto& c : cases) {
        auto ini = IniOf(std::string("[sec]\n") + c.Keys);
        auto d = CreateSkinObject(c.Kind, "sec");
        d->LoadFromFile(*ini);
        const std::string hint = dynamic_cast<TbsDataSkinStdButton*>(d.get())
                                     ? static_cast<TbsDataSkinStdButton*>(d.get())->RestoreHint
                                     : dynamic_cast<TbsDataSkinAnimate*>(d.get())->RestoreHint;
        EXPECT_EQ(hint, c.Expected) << c.Kind << " " << c.Keys;
    }
}

TEST(ObjectDescriptions, DerivedValues) {
    const auto animate = LoadObject<TbsDataSkinAnimate>("animate", "morphing=1\n");
    EXPECT_FALSE(animate->Morphing);
    EXPECT_EQ(animate->CountFrames, 1);
    EXPECT_EQ(animate->TimerInterval, 50);
    EXPECT_EQ(animate->Command, cmDefault);

    const auto item = LoadObject<TbsDataSkinMenuItem>(
        "menuitem", "checkimagerect=1,1,5,5\nradioimagerect=2,2,6,6\nactiveradioimagerect=3,3,9,9\n");
    EXPECT_EQ(item->ActiveCheckImageRect, Rect(1, 1, 5, 5));
    EXPECT_EQ(item->ActiveRadioImageRect, Rect(3, 3, 9, 9));
    EXPECT_EQ(item->ActiveArrowImageRect, TRect{});

    const auto user = LoadObject<TbsDataUserObject>("userobject", "activepictureindex=3\nskinrect=1,2,3,4\nhint=x\n");
    EXPECT_EQ(user->ActivePictureIndex, -1);
    EXPECT_EQ(user->SkinRect, Rect(1, 2, 3, 4));
    EXPECT_EQ(user->Hint, "");
    EXPECT_EQ(user->GlowLayerAlphaBlendValue, 255);

    const auto close = LoadObject<TbsDataSkinStdButton>("stdbutton", "command=close\n");
    EXPECT_EQ(close->Command, cmMinimizeToTray);

    const auto caption = LoadObject<TbsDataSkinCaption>(
        "caption", "reflactioncolor=11\nreflactionactivecolor=12\nreflectioncolor=99\n");
    EXPECT_EQ(caption->GlowSize, 3);
    EXPECT_EQ(caption->ReflectionColor, 11u);
    EXPECT_EQ(caption->ReflectionActiveColor, 12u);
    EXPECT_EQ(caption->Alignment, taCenter);
}

TEST(WindowDescriptions, DefaultsOfNewAndOfMissingSections) {
    TbsDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    EXPECT_EQ(hint.WindowPictureIndex, -1);
    auto empty = IniOf("[OTHER]\nx=1\n");
    hint.LoadFromFile(*empty);
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_EQ(hint.FontName, "Arial");

    TbsDataSkinLayerFrame layer;
    layer.PictureIndex = 4;
    layer.AlphaBlendValue = 9;
    layer.LoadFromFile(*empty);
    EXPECT_EQ(layer.PictureIndex, -1);
    EXPECT_EQ(layer.AlphaBlendValue, 255);
    EXPECT_EQ(layer.InActiveAlphaBlendValue, 255);

    TbsSkinColors colors;
    EXPECT_EQ(colors.cBtnFace(), 0u);
    colors.LoadFromFile(*empty);
    EXPECT_EQ(static_cast<int32_t>(colors.cBtnFace()), -16777201);
    EXPECT_EQ(static_cast<int32_t>(colors.cBtnText()), -16777198);
    EXPECT_EQ(static_cast<int32_t>(colors.cWindow()), -16777211);
    EXPECT_EQ(static_cast<int32_t>(colors.cWindowText()), -16777208);
    EXPECT_EQ(static_cast<int32_t>(colors.cHighLight()), -16777203);
    EXPECT_EQ(static_cast<int32_t>(colors.cHighLightText()), -16777202);
    EXPECT_EQ(static_cast<int32_t>(colors.cBtnHighLight()), -16777196);
    EXPECT_EQ(static_cast<int32_t>(colors.cBtnShadow()), -16777200);
}
