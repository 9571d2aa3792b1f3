#include <gtest/gtest.h>
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"

TEST(ResourceStrings, ANewTableHoldsTheEnglishDefaults) {
    TbsResourceStrData table(nullptr);
    EXPECT_EQ(table.ResStrings()->Count(), 131);
    EXPECT_EQ(table.ResStrings()->Get(0), "MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(table.ResStrings()->Get(130), "DBNAV_REFRESH=REFRESH");
    EXPECT_EQ(table.CharSet(), 1);
}

TEST(ResourceStrings, LooksKeysUpWithoutRegardToCase) {
    TbsResourceStrData table(nullptr);
    const struct {
        const char* Key;
        const char* Expected;
    } cases[] = {
        {"msg_btn_ok", "OK"},
        {"MSG_BTN_OK", "OK"},
        {"FLV_LOOKIN", "Look in: "},
        {"FIND_REPLACE_All", "Replace All"},
        {"MSG_CAP_SHOWFLAG", "Do not display this message again"},
        {"NO_SUCH_KEY", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.GetResStr(c.Key), c.Expected) << c.Key;
}

TEST(ResourceStrings, ReplacedLinesSplitAtTheFirstEqualsAndTheFirstKeyWins) {
    TbsResourceStrData table(nullptr);
    TStringList lines;
    lines.Add("A=b=c");
    lines.Add("MSG_BTN_OK=Okay");
    lines.Add("msg_btn_ok=Second");
    lines.Add("NOEQUALS");
    table.SetResStrings(lines);
    EXPECT_EQ(table.GetResStr("a"), "b=c");
    EXPECT_EQ(table.GetResStr("MSG_BTN_OK"), "Okay");
    EXPECT_EQ(table.GetResStr("MSG_BTN_CANCEL"), "");
    EXPECT_EQ(table.GetResStr("NOEQUALS"), "");
    lines.Clear();
    EXPECT_EQ(table.ResStrings()->Count(), 4) << "the table keeps its own copy";
}

TEST(ResourceStrings, TheTextHelperFallsBackToTheBuiltInTexts) {
    TbsSkinData data(nullptr);
    TbsResourceStrData table(nullptr);
    TStringList lines;
    lines.Add("MSG_BTN_OK=Okay");
    lines.Add("MSG_BTN_YES=");
    table.SetResStrings(lines);

    EXPECT_EQ(SkinResStr(nullptr, "MSG_BTN_CANCEL"), "Cancel");
    EXPECT_EQ(SkinResStr(&data, "MSG_BTN_OK"), "OK") << "no table linked";
    data.SetResourceStrData(&table);
    EXPECT_EQ(SkinResStr(&data, "MSG_BTN_OK"), "Okay");
    EXPECT_EQ(SkinResStr(&data, "MSG_BTN_CANCEL"), "Cancel") << "missing from the table";
    EXPECT_EQ(SkinResStr(&data, "MSG_BTN_YES"), "&Yes") << "empty in the table";
    EXPECT_EQ(SkinResStr(&data, "UNKNOWN"), "");
    EXPECT_EQ(BuiltInResStr("edit_selectall"), "Select All");
}
