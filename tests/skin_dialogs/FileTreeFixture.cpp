#include "tests/skin_dialogs/FileTreeFixture.h"
#include <fstream>
#include <unistd.h>
#include "platform/shell/ShellNamespace.h"

void TFileBoxesTest::SetUp()
{
    TDialogsTest::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "fileboxes-XXXXXX").string();
    Root = std::filesystem::canonical(mkdtemp(pattern.data())).string();
    namespace fs = std::filesystem;
    for (const char* d : {"Video/Out/Sub1", "Video/Out/sub2", "Video/Out/Zed", "Video/Out/.git", "net/docs"})
        fs::create_directories(Path(d));
    for (const char* f : {"Video/Out/a.mp4", "Video/Out/b.AVI", "Video/Out/c.txt", "Video/Out/noext",
                          "Video/Out/.hidden", "net/docs/report.txt"})
        std::ofstream(Path(f)) << "x";
    TShellEnvironment env;
    env.HomeFolder = Root;
    env.UserName = "tester";
    const std::string root = Root;
    env.ReadMounts = [root] {
        return std::vector<TMountEntry>{
            {"/", "/dev/sda1", "ext4", mkFixed},
            {root + "/net", "//server/share", "cifs", mkNetwork},
            {"/media/stick", "/dev/sdb1", "vfat", mkRemovable},
        };
    };
    SetShellEnvironment(env);
    StartCwd = CurrentDirectory();
}

void TFileBoxesTest::TearDown()
{
    SetShellEnvironment(SystemShellEnvironment());
    std::filesystem::remove_all(Root);
    TDialogsTest::TearDown();
}

std::string TFileBoxesTest::CurrentDirectory()
{
    return std::filesystem::current_path().string();
}
