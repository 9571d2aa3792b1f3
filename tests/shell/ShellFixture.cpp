#include "ShellFixture.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/Exception.h"
#include "platform/shell/ShellIcons.h"

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool PathExists(const std::string& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

void TShellFixture::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zarvo-shell-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Tmp = pattern;
    Home = Tmp + "/home/u";
    Usb = Tmp + "/media/usb";
    NetMissing = Tmp + "/net-missing";
    NetInHome = Home + "/netmnt";
    for (const char* dir : {"/Videos", "/b folder/inner", "/视频", "/.hidden", "/Documents"})
        std::filesystem::create_directories(Home + dir);
    std::filesystem::create_directories(Usb);
    WriteFile(Home + "/a.txt", "alpha");
    WriteFile(Home + "/B.mp4", std::string(3000, 'v'));
    WriteFile(Home + "/c d.avi", "c");
    WriteFile(Home + "/中文.mkv", "z");
    WriteFile(Home + "/bad\xff\xfe.mp4", "bad");
    WriteFile(Home + "/.dotfile", "d");
    WriteFile(NetInHome, "");
    WriteFile(Usb + "/photo.jpg", "p");
    ASSERT_EQ(::symlink("a.txt", (Home + "/link.txt").c_str()), 0);
    ASSERT_EQ(::mkfifo((Home + "/fifo.mp4").c_str(), 0600), 0);

    TShellEnvironment env;
    env.HomeFolder = Home + "/";
    env.UserName = "u";
    env.UserFolders[ufDocuments] = Home + "/Documents";
    env.UserFolders[ufDesktop] = Home + "/Videos";
    const std::vector<TMountEntry> mounts = {
        {"/", "/dev/sda1", "ext4", mkFixed},
        {Usb, "/dev/sdb1", "vfat", mkRemovable},
        {NetMissing, "//server/share", "cifs", mkNetwork},
        {NetInHome, "nas:/export", "nfs4", mkNetwork},
    };
    env.ReadMounts = [mounts] { return mounts; };
    env.Opener = [this](const std::string& path) {
        if (path.find("refuse") != std::string::npos)
            throw Exception("The opener refused");
        Opened.push_back(path);
    };
    SetShellEnvironment(env);
}

void TShellFixture::TearDown() {
    SetShellIconProvider({});
    SetShellEnvironment(SystemShellEnvironment());
    std::error_code ec;
    std::filesystem::remove_all(Tmp, ec);
}
