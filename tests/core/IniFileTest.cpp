#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "platform/core/IniFile.h"
#include "platform/core/Path.h"
#include "platform/core/Strings.h"
#include "TempFolder.h"

namespace {

std::string ReadText(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const std::string& fileName, const std::string& text) {
    std::ofstream(fileName, std::ios::binary) << text;
}

std::vector<std::string> Lines(const TStrings& s) {
    std::vector<std::string> out;
    for (int i = 0; i < s.Count(); ++i)
        out.push_back(s[i]);
    return out;
}

// The same behaviour is asked of both kinds of ini file.
enum TKind { kFile, kMem };
std::unique_ptr<TCustomIniFile> Open(TKind kind, const std::string& fileName) {
    if (kind == kFile)
        return std::make_unique<TIniFile>(fileName);
    return std::make_unique<TMemIniFile>(fileName);
}

class IniSemantics : public ::testing::TestWithParam<TKind> {
protected:
    TTempFolder FTmp;
    std::string FFile = FTmp / "option.ini";
};

}  // namespace

TEST_P(IniSemantics, ReadsTheClassicForms) {
    WriteText(FFile,
              "\xEF\xBB\xBF"
              "; a comment\r\n"
              "[OutPath]\r\n"
              "  Folder =  /home/u/视频 输出  \r\n"
              "Mode=a=b=c\r\n"
              "\r\n"
              "[Options]\r\n"
              "Threads=4\r\n"
              "Hex1=$1F\r\n"
              "Hex2=0x10\r\n"
              "Bad=12abc\r\n"
              "Empty=\r\n"
              "Live=1\r\n"
              "Rate=2.5\r\n"
              "loose line\r\n");
    auto ini = Open(GetParam(), FFile);
    struct Case {
        const char *section, *key, *expected;
    };
    const Case strings[] = {
        {"OutPath", "Folder", "/home/u/视频 输出"},  // blanks around name and value trimmed
        {"outpath", "FOLDER", "/home/u/视频 输出"},  // names ignore case
        {"OutPath", "Mode", "a=b=c"},                 // the first "=" separates
        {"Options", "Empty", ""},                      // present but empty: not the default
        {"Options", "Missing", "Error"},               // missing: the caller's default
        {"Nowhere", "Folder", "Error"},
        {"Options", "loose line", "Error"},
    };
    for (const auto& c : strings)
        EXPECT_EQ(ini->ReadString(c.section, c.key, "Error"), c.expected) << c.section << "/" << c.key;

    const std::pair<const char*, int> integers[] = {
        {"Threads", 4}, {"Hex1", 31}, {"Hex2", 16}, {"Bad", -1}, {"Empty", -1}, {"Missing", -1}, {"Rate", -1}};
    for (const auto& [key, expected] : integers)
        EXPECT_EQ(ini->ReadInteger("Options", key, -1), expected) << key;

    EXPECT_TRUE(ini->ReadBool("Options", "Live", false));
    EXPECT_TRUE(ini->ReadBool("Options", "Missing", true));
    EXPECT_DOUBLE_EQ(ini->ReadFloat("Options", "Rate", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini->ReadFloat("Options", "Bad", 7), 7);
    EXPECT_TRUE(ini->SectionExists("options"));
    EXPECT_FALSE(ini->SectionExists("Skin"));
    EXPECT_TRUE(ini->ValueExists("OPTIONS", "threads"));
    EXPECT_FALSE(ini->ValueExists("Options", "Missing"));

    TStringList sections, keys, values;
    ini->ReadSections(sections);
    EXPECT_EQ(Lines(sections), (std::vector<std::string>{"OutPath", "Options"}));
    ini->ReadSection("OutPath", keys);
    EXPECT_EQ(Lines(keys), (std::vector<std::string>{"Folder", "Mode"}));
    ini->ReadSectionValues("outpath", values);
    EXPECT_EQ(values.Values("mode"), "a=b=c");
}

TEST_P(IniSemantics, WritesInOrderOfFirstWriteAndCreatesTheFile) {
    auto ini = Open(GetParam(), FFile);
    ini->WriteString("Skin", "Index", "3");
    ini->WriteInteger("OutPath", "Count", 2);
    ini->WriteString("skin", "name", "Blue");   // same section, other spelling
    ini->WriteString("SKIN", "INDEX", "4");     // same key: replaced in place
    ini->WriteBool("Options", "Live", true);
    ini->WriteFloat("Options", "Rate", 0.5);
    ini->UpdateFile();
    EXPECT_TRUE(FileExists(FFile));
    EXPECT_EQ(ReadText(FFile),
              "[Skin]\nIndex=4\nname=Blue\n\n[OutPath]\nCount=2\n\n[Options]\nLive=1\nRate=0.5\n");

    ini->DeleteKey("skin", "NAME");
    ini->EraseSection("outpath");
    ini->UpdateFile();
    EXPECT_EQ(ReadText(FFile), "[Skin]\nIndex=4\n\n[Options]\nLive=1\nRate=0.5\n");
    auto again = Open(GetParam(), FFile);
    EXPECT_EQ(again->ReadInteger("Skin", "Index", 0), 4);
}

TEST_P(IniSemantics, ALineBreakInAValueCannotForgeKeys) {
    auto ini = Open(GetParam(), FFile);
    ini->WriteString("Files", "Last", "a.avi\n[Options]\nThreads=99");
    ini->UpdateFile();
    auto again = Open(GetParam(), FFile);
    EXPECT_EQ(again->ReadString("Options", "Threads", "none"), "none");
    EXPECT_EQ(again->ReadString("Files", "Last", ""), "a.avi [Options] Threads=99");
}

INSTANTIATE_TEST_SUITE_P(BothKinds, IniSemantics, ::testing::Values(kFile, kMem),
                         [](const auto& info) { return info.param == kFile ? "IniFile" : "MemIniFile"; });

TEST(IniFile, EachCallSeesTheFileAsItIsNow) {
    TTempFolder tmp;
    TIniFile a(tmp / "shared.ini"), b(tmp / "shared.ini");
    EXPECT_FALSE(FileExists(tmp / "shared.ini"));
    EXPECT_EQ(a.ReadString("S", "K", "Error"), "Error");  // reading creates nothing
    EXPECT_FALSE(FileExists(tmp / "shared.ini"));
    a.WriteString("S", "K", "1");
    EXPECT_EQ(b.ReadString("S", "K", ""), "1");
    WriteText(tmp / "shared.ini", "[S]\nK=\"quoted value\"\n");
    EXPECT_EQ(a.ReadString("S", "K", ""), "quoted value");
}

TEST(IniFile, AnUnwritableFileRaises) {
    TTempFolder tmp;
    TIniFile ini(tmp / "missing-folder/option.ini");
    EXPECT_THROW(ini.WriteString("S", "K", "V"), EIniFileException);
}

TEST(MemIniFile, KeepsUnknownSectionsAndWorksFromText) {
    TMemIniFile ini;
    ini.SetText("[Unknown]\nx=1\n[Known]\ny=2\n");
    ini.WriteString("Known", "y", "3");
    TStringList lines;
    ini.GetStrings(lines);
    EXPECT_EQ(lines.Text(), "[Unknown]\nx=1\n\n[Known]\ny=3\n");
    ini.UpdateFile();  // no file name: nothing to write, no error
    TMemIniFile copy;
    copy.SetStrings(lines);
    EXPECT_EQ(copy.ReadInteger("unknown", "X", 0), 1);
}
