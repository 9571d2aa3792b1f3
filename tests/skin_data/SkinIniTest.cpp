#include <gtest/gtest.h>
#include <functional>
#include "platform/core/Exception.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinText.h"
#include "SkinTestSupport.h"

namespace {

// The value of key "v" in section [S], or no key at all when Value is null.
std::unique_ptr<TMemIniFile> OneValue(const char* Value) {
    return IniOf(Value ? std::string("[S]\nv=") + Value + "\nother=1\n" : "[S]\nother=1\n");
}

}  // namespace

TEST(SkinIniValues, BooleansAreTrueOnlyForTheIntegerOne) {
    const struct {
        const char* Value;
        bool Expected;
    } cases[] = {{"1", true}, {"01", true}, {"0x1", true}, {"true", false}, {"2", false},
                 {"-1", false}, {"", false}, {nullptr, false}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadBoolean(*OneValue(c.Value), "S", "v"), c.Expected) << (c.Value ? c.Value : "(missing)");
}

TEST(SkinIniValues, KeywordsAreExactAndFallBackWhenUnknown) {
    using TReader = std::function<int(TCustomIniFile&)>;
    const TReader stretch = [](TCustomIniFile& i) { return int(ReadStretchType(i, "S", "v")); };
    const TReader morph = [](TCustomIniFile& i) { return int(ReadMorphKind(i, "S", "v")); };
    const TReader effect = [](TCustomIniFile& i) { return int(ReadInActiveEffect(i, "S", "v")); };
    const TReader align = [](TCustomIniFile& i) { return int(ReadAlignment(i, "S", "v")); };
    const TReader command = [](TCustomIniFile& i) { return int(ReadCommand(i, "S", "v")); };
    const struct {
        const char* Name;
        const TReader& Read;
        const char* Value;
        int Expected;
    } cases[] = {
        {"stretch", stretch, "stvert", bsstVert},
        {"stretch", stretch, "StVert", bsstHorz},
        {"stretch", stretch, "xyz", bsstHorz},
        {"stretch", stretch, nullptr, bsstFull},
        {"stretch", stretch, "stfull", bsstFull},
        {"morph", morph, "mkpush", mkPush},
        {"morph", morph, "foo", mkDefault},
        {"morph", morph, nullptr, mkDefault},
        {"effect", effect, "iesplitblur", ieSplitBlur},
        {"effect", effect, "foo", ieGrayScale},
        {"effect", effect, nullptr, ieBrightness},
        {"align", align, "taleftjustify", taLeftJustify},
        {"align", align, "center", taRightJustify},
        {"align", align, nullptr, taCenter},
        {"command", command, "cmminimizetotray", cmMinimizeToTray},
        {"command", command, "close", cmMinimizeToTray},
        {"command", command, "cmrollup", cmRollUp},
        {"command", command, nullptr, cmDefault},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Read(*OneValue(c.Value)), c.Expected) << c.Name << " " << (c.Value ? c.Value : "(missing)");
}

TEST(SkinIniValues, KeywordsAreWrittenAsTheReadersReadThem) {
    TMemIniFile ini;
    WriteStretchType(ini, "S", "a", bsstVert);
    WriteMorphKind(ini, "S", "b", mkRightSlide);
    WriteInActiveEffect(ini, "S", "c", ieInvert);
    WriteAlignment(ini, "S", "d", taLeftJustify);
    WriteCommand(ini, "S", "e", cmMinimizeToTray);
    EXPECT_EQ(ini.ReadString("S", "a", ""), "stvert");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "mkrightslide");
    EXPECT_EQ(ini.ReadString("S", "c", ""), "ieinvert");
    EXPECT_EQ(ini.ReadString("S", "d", ""), "taleftjustify");
    EXPECT_EQ(ini.ReadString("S", "e", ""), "cmminimizetotray");
    EXPECT_EQ(ReadCommand(ini, "S", "e"), cmMinimizeToTray);
}

TEST(SkinIniValues, RectsAndPointsKeepOnlyDigits) {
    const struct {
        const char* Value;
        TRect Expected;
    } rects[] = {
        {" 10, 20 ,30,40", {10, 20, 30, 40}},
        {"-3,4,5,6", {3, 4, 5, 6}},
        {"1,2,3,4,5,6", {1, 2, 3, 4}},
        {"1a,2b,3c,4d", {1, 2, 3, 4}},
        {nullptr, {0, 0, 0, 0}},
    };
    for (const auto& c : rects)
        EXPECT_EQ(ReadRect(*OneValue(c.Value), "S", "v"), c.Expected) << (c.Value ? c.Value : "(missing)");

    EXPECT_EQ(ReadPoint(*OneValue("-7, 8"), "S", "v"), Point(7, 8));
    EXPECT_EQ(ReadPoint(*OneValue("1,2,3"), "S", "v"), Point(1, 2));
    EXPECT_EQ(ReadPoint(*OneValue(nullptr), "S", "v"), Point(0, 0));
}

TEST(SkinIniValues, AnEmptyRectFieldIsAConversionError) {
    for (const char* value : {"1,2", "", "1,,3,4", "a,b,c,d", "1,2,3,99999999999"}) {
        try {
            ReadRect(*OneValue(value), "S", "v");
            ADD_FAILURE() << "no error for '" << value << "'";
        } catch (const EConvertError& e) {
            EXPECT_NE(std::string(e.what()).find("is not a valid integer value"), std::string::npos) << value;
        }
    }
    EXPECT_THROW(ReadPoint(*OneValue("5"), "S", "v"), EConvertError);
}

TEST(SkinIniValues, IntegersAndColours) {
    const struct {
        const char* Value;
        int Expected;
    } cases[] = {{"0xFF", 255}, {"$FF", 255}, {"red", 77}, {"-5", -5}, {"99999999999", 77}, {nullptr, 77}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadSkinInteger(*OneValue(c.Value), "S", "v", 77), c.Expected) << (c.Value ? c.Value : "(missing)");

    TMemIniFile ini;
    WriteColor(ini, "S", "c", clBtnFace);
    EXPECT_EQ(ini.ReadString("S", "c", ""), "-16777201");
    EXPECT_EQ(ReadColor(ini, "S", "c", 0), clBtnFace);
    EXPECT_EQ(ReadColor(*OneValue("0xFF"), "S", "v", 0), 255u);
}

TEST(SkinIniValues, FontStylesAreFoundAnywhereInTheValue) {
    EXPECT_EQ(ReadFontStyles(*OneValue("fsbold,fsunderline"), "S", "v"), fsBold | fsUnderline);
    EXPECT_EQ(ReadFontStyles(*OneValue("xfsitalicx"), "S", "v"), fsItalic);
    EXPECT_EQ(ReadFontStyles(*OneValue("FSBOLD"), "S", "v"), 0u);
    EXPECT_EQ(ReadFontStyles(*OneValue(nullptr), "S", "v"), 0u);

    TMemIniFile ini;
    WriteFontStyles(ini, "S", "all", fsStrikeOut | fsBold | fsUnderline | fsItalic);
    WriteFontStyles(ini, "S", "none", 0);
    EXPECT_EQ(ini.ReadString("S", "all", "?"), "fsbold,fsitalic,fsunderline,fsstrikeout");
    EXPECT_EQ(ini.ReadString("S", "none", "?"), "");
}

TEST(SkinIniValues, NameListsAndTheirCounts) {
    TStringList list;
    ReadStrings(*IniOf("[P]\nnamescount=2\n0=a.bmp\n1=b.bmp\n"), "P", "names", list);
    EXPECT_EQ(list.Text(), "a.bmp\nb.bmp\n");

    list.Clear();
    ReadStrings(*IniOf("[P]\nnamescount=-4\n0=a.bmp\n"), "P", "names", list);
    EXPECT_EQ(list.Count(), 0);

    // A count far beyond the keys of the section is a broken file, not a loop over missing keys.
    EXPECT_THROW(ReadStrings(*IniOf("[P]\nnamescount=2000000000\n0=a.bmp\n"), "P", "names", list), EConvertError);

    TMemIniFile ini;
    WriteStrings(ini, "P", "names", list);
    EXPECT_EQ(ini.ReadString("P", "namescount", ""), "0");
}

TEST(SkinIniValues, EntriesSplitAtTheFirstColon) {
    const struct {
        const char* Value;
        const char* Name;
        const char* Kind;
    } cases[] = {{"button:button", "button", "button"}, {"a:b:c", "a", "b:c"}, {"nocolon", "", ""},
                 {":kind", "", "kind"}, {"", "", ""}};
    for (const auto& c : cases) {
        const TbsSkinEntry e = SplitSkinEntry(c.Value);
        EXPECT_EQ(e.Name, c.Name) << c.Value;
        EXPECT_EQ(e.Kind, c.Kind) << c.Value;
    }
}

TEST(SkinIniValues, ASkinFileHasAllFiveSections) {
    const std::string all = "[VERSION]\nver=1\n[PICTURES]\np=1\n[FORMINFO]\nf=1\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n";
    EXPECT_TRUE(IsSkinIni(*IniOf(all)));
    EXPECT_TRUE(IsSkinIni(*IniOf("[version]\nver=1\n[pictures]\np=1\n[forminfo]\nf=1\n[skinobjects]\nc=0\n[skincontrols]\nc=0\n")));
    for (const char* section : {"[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]"}) {
        std::string text = all;
        text.replace(text.find(section), std::string(section).size(), "[OTHER]");
        EXPECT_FALSE(IsSkinIni(*IniOf(text))) << "without " << section;
    }
}

TEST(SkinTextEncoding, ReadsUtf8AndUtf16WithTheirMarks) {
    const std::string han = "\xE5\xAE\x8B";   // U+5B8B
    const struct {
        std::string Bytes;
        std::string Expected;
    } cases[] = {
        {"[A]\r\nk=" + han, "[A]\r\nk=" + han},
        {"\xEF\xBB\xBF[A]", "[A]"},
        {std::string("\xFF\xFE[\0A\0]\0\x8B\x5B", 10), "[A]" + han},
        {std::string("\xFE\xFF\0[\0A\0]\x5B\x8B", 10), "[A]" + han},
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},   // a surrogate pair
        {std::string("\xFF\xFE\x00\xD8x\0", 6), "\xEF\xBF\xBDx"},            // unpaired high surrogate
        {std::string("\xFF\xFE" "A\0B", 5), "A"},                             // odd last byte dropped
    };
    for (const auto& c : cases)
        EXPECT_EQ(SkinTextToUtf8(c.Bytes), c.Expected);
}

TEST(SkinTextEncoding, WritesUtf8LinesEndedByCrLf) {
    TMemIniFile ini;
    ini.WriteString("A", "k", "v");
    ini.WriteString("B", "name", "\xE5\xAE\x8B");
    EXPECT_EQ(SkinIniToText(ini), "[A]\r\nk=v\r\n\r\n[B]\r\nname=\xE5\xAE\x8B\r\n\r\n");

    TTempFolder folder;
    folder.WriteBytes("u16.ini", std::string("\xFF\xFE[\0A\0]\0\n\0k\0=\0\x8B\x5B", 16));
    EXPECT_EQ(LoadSkinIniFile(folder.Path("u16.ini"))->ReadString("A", "k", ""), "\xE5\xAE\x8B");
    EXPECT_FALSE(LoadSkinIniFile(folder.Path("missing.ini"))->SectionExists("A"));
}
