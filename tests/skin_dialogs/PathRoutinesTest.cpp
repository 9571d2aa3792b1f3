#include <gtest/gtest.h>
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "skin/dialogs/PathRoutines.h"
#include "tests/skin_dialogs/FileTreeFixture.h"

namespace {

TEST(PathRoutines, JoinPathPutsOneSlashBetween)
{
    const std::pair<std::pair<std::string, std::string>, std::string> cases[] = {
        {{"/", "x"}, "/x"}, {{"/dir", "x"}, "/dir/x"}, {{"/dir/", "x"}, "/dir/x"}, {{"", "x"}, "x"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(JoinPath(in.first, in.second), out) << in.first;
}

TEST(PathRoutines, DropFirstDirShortensOneStepAtATime)
{
    std::string p = "/a/b/c/";
    std::vector<std::string> steps;
    for (int i = 0; i < 3; ++i) {
        DropFirstDir(p);
        steps.push_back(p);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"/.../b/c/", "/.../c/", "/.../"}));
    p = "/";
    DropFirstDir(p);
    EXPECT_EQ(p, "");
}

TEST(PathRoutines, FitPathToWidthNarrowsDownToTheBareName)
{
    TBitmap b(1, 1);
    TCanvas& c = *b.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetHeight(14);
    const std::string name = "/home/user/Videos/Out/file.mp4";
    const std::vector<std::string> sequence = {name,
                                               "/.../user/Videos/Out/file.mp4",
                                               "/.../Videos/Out/file.mp4",
                                               "/.../Out/file.mp4",
                                               "/.../file.mp4",
                                               ".../file.mp4",
                                               "file.mp4"};
    for (const std::string& s : sequence)
        EXPECT_EQ(FitPathToWidth(name, c, c.TextWidth(s)), s);
    EXPECT_EQ(FitPathToWidth(name, c, 1), "file.mp4") << "never shorter than the name";
    EXPECT_EQ(FitPathToWidth("file.mp4", c, 1), "file.mp4");
}

class TSplitFilePathTest : public TFileBoxesTest {};

TEST_F(TSplitFilePathTest, SplitsAndResolvesAFinalFolder)
{
    struct TCase {
        std::string Path, Dir, File;
    };
    const TCase cases[] = {
        {Path("Video/Out/a.mp4"), Path("Video/Out"), "a.mp4"},
        {Path("Video/Out"), Path("Video/Out"), ""},
        {"Out/c.txt", Path("Video/Out"), "c.txt"},   // relative to the base
        {"../Video/Out/*.txt", Path("Video/Out"), "*.txt"},
        {Path("Video/Out/new?.mp4"), Path("Video/Out"), "new?.mp4"},
        {"/", "/", ""},
    };
    for (const auto& c : cases) {
        std::string drive, dir, file;
        SplitFilePath(c.Path, Path("Video"), drive, dir, file);
        EXPECT_EQ(drive, "/") << c.Path;
        EXPECT_EQ(dir, c.Dir) << c.Path;
        EXPECT_EQ(file, c.File) << c.Path;
    }
    std::string drive, dir, file;
    EXPECT_THROW(SplitFilePath(Path("Video/Out/missing"), Root, drive, dir, file), EInOutError);
    EXPECT_THROW(SplitFilePath(Path("nowhere/x.mp4"), Root, drive, dir, file), EInOutError);
    EXPECT_EQ(CurrentDirectory(), StartCwd) << "the process's folder never moves";
}

// A file box's folder entry "[name]" is the folder of that name in the base
// folder; a folder really named with brackets is taken as it is.
TEST_F(TSplitFilePathTest, BracketedFolderEntries)
{
    std::filesystem::create_directories(Path("Video/[lit]"));
    struct TCase {
        std::string Path, Dir;
    };
    const TCase cases[] = {
        {"[Out]", Path("Video/Out")},
        {"[lit]", Path("Video/[lit]")},
        {"[..]", Root},
    };
    for (const auto& c : cases) {
        std::string drive, dir, file;
        SplitFilePath(c.Path, Path("Video"), drive, dir, file);
        EXPECT_EQ(dir, c.Dir) << c.Path;
        EXPECT_EQ(file, "") << c.Path;
    }
    std::string drive, dir, file;
    EXPECT_THROW(SplitFilePath("[missing]", Path("Video"), drive, dir, file), EInOutError);
}

TEST_F(TSplitFilePathTest, FoldersAndDriveNames)
{
    EXPECT_TRUE(IsExistingDir(Path("Video")));
    EXPECT_FALSE(IsExistingDir(Path("Video/Out/a.mp4")));
    EXPECT_FALSE(IsExistingDir(""));
    EXPECT_EQ(DriveVolumeLabel("/media/stick"), "[stick]");
    EXPECT_EQ(DriveVolumeLabel("/"), "[/]");
    EXPECT_EQ(DriveDisplayName(Path("net")), "//server/share");
    EXPECT_EQ(DriveDisplayName("/media/stick"), "[stick]");
    EXPECT_EQ(SlashCount("/a/b"), 2);
}

}  // namespace
