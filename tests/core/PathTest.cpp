#include <sys/stat.h>
#include <unistd.h>
#include <ctime>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>

#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "TempFolder.h"

TEST(PathNames, SplitAndChange) {
    struct Case {
        const char* path;
        const char* name;
        const char* filePath;
        const char* dir;
        const char* ext;
        const char* changed;  // ChangeFileExt(path, ".mp4")
    };
    const Case cases[] = {
        {"/home/u/clip.avi", "clip.avi", "/home/u/", "/home/u", ".avi", "/home/u/clip.mp4"},
        {"/home/u/clip.tar.gz", "clip.tar.gz", "/home/u/", "/home/u", ".gz", "/home/u/clip.tar.mp4"},
        {"/home/u.d/clip", "clip", "/home/u.d/", "/home/u.d", "", "/home/u.d/clip.mp4"},
        {"clip.avi", "clip.avi", "", "", ".avi", "clip.mp4"},
        {"/clip", "clip", "/", "/", "", "/clip.mp4"},
        {"/home/u/", "", "/home/u/", "/home/u", "", "/home/u/.mp4"},
        {"/home/u/.hidden", ".hidden", "/home/u/", "/home/u", ".hidden", "/home/u/.mp4"},
        {"/视频/片 段.mkv", "片 段.mkv", "/视频/", "/视频", ".mkv", "/视频/片 段.mp4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFilePath(c.path), c.filePath) << c.path;
        EXPECT_EQ(ExtractFileDir(c.path), c.dir) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
        EXPECT_EQ(ChangeFileExt(c.path, ".mp4"), c.changed) << c.path;
    }
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(PathFiles, ExistenceSizesAndListing) {
    TTempFolder tmp;
    const std::string deep = tmp / "a/b/c";
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep + "/"));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));  // already there
    std::ofstream(tmp / "data.bin") << "12345";
    std::ofstream(tmp / ".hidden") << "x";
    EXPECT_FALSE(ForceDirectories(tmp / "data.bin/sub"));

    EXPECT_TRUE(FileExists(tmp / "data.bin"));
    EXPECT_FALSE(FileExists(tmp / "a"));          // a folder is not a file
    EXPECT_FALSE(DirectoryExists(tmp / "data.bin"));
    EXPECT_EQ(FileSizeByName(tmp / "data.bin"), 5);
    EXPECT_EQ(FileSizeByName(tmp / "none"), -1);

    const auto entries = ListFolder(tmp.Path());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Name, ".hidden");
    EXPECT_EQ(entries[1].Name, "a");
    EXPECT_TRUE(entries[1].IsDirectory);
    EXPECT_EQ(entries[2].Name, "data.bin");
    EXPECT_EQ(entries[2].Size, 5);
    EXPECT_EQ(entries[1].Kind, fekDirectory);
    EXPECT_EQ(entries[2].Kind, fekFile);
    EXPECT_NEAR(double(entries[2].Modified), double(::time(nullptr)), 60.0);
    EXPECT_THROW(ListFolder(tmp / "none"), EInOutError);

    // A FIFO is told apart without opening it, and a scan can stop early.
    ASSERT_EQ(::mkfifo((tmp / "pipe.mp4").c_str(), 0600), 0);
    int visited = 0;
    bool sawFifo = false;
    ScanFolder(tmp.Path(), false, [&](const TFolderEntry& e) {
        ++visited;
        sawFifo |= e.Name == "pipe.mp4" && e.Kind == fekSpecial;
        return true;
    });
    EXPECT_EQ(visited, 4);
    EXPECT_TRUE(sawFifo);
    visited = 0;
    ScanFolder(tmp.Path(), false, [&](const TFolderEntry&) { return ++visited < 2; });
    EXPECT_EQ(visited, 2);
    ::unlink((tmp / "pipe.mp4").c_str());

    EXPECT_TRUE(RenameFile(tmp / "data.bin", tmp / "moved.bin"));
    EXPECT_TRUE(DeleteFile(tmp / "moved.bin"));
    EXPECT_FALSE(DeleteFile(tmp / "moved.bin"));
    EXPECT_FALSE(DeleteFile(tmp / "a"));
}

TEST(PathFolders, ProgramAndUserFolders) {
    const std::string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');
    EXPECT_TRUE(FileExists(program + "core_files_test"));

    const std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", "/home/tester", 1);
    setenv("XDG_CONFIG_HOME", "/etc/xdg-tester", 1);
    setenv("XDG_CACHE_HOME", "relative/ignored", 1);
    EXPECT_EQ(HomeFolder(), "/home/tester/");
    EXPECT_EQ(ConfigFolder(), "/etc/xdg-tester/");
    EXPECT_EQ(CacheFolder(), "/home/tester/.cache/");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ConfigFolder(), "/home/tester/.config/");
    unsetenv("XDG_CACHE_HOME");
    setenv("HOME", savedHome.c_str(), 1);
}
