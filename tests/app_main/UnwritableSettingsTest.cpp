// Start-up when "option.ini" cannot be written: the program starts with its
// defaults, says once which settings it could not save and why, and says so
// again once for each later save that fails.
#include "MainFixture.h"

#include <sys/mount.h>
#include <unistd.h>

#include <fstream>

#include "app/settings/StartupSettings.h"

namespace maintest {
namespace {

struct TUnwritableCase {
    const char* Name;
    // Prepares the folder and returns the settings file to use; empty: this
    // machine cannot make the case (no mount allowed, or root ignores modes).
    std::string (*Prepare)(testmedia::TTempFolder& AHome);
};

std::string SettingsIsAFolder(testmedia::TTempFolder& AHome)
{
    ForceDirectories(AHome.File("config/option.ini"));
    return AHome.File("config/option.ini");
}

std::string FolderIsAFile(testmedia::TTempFolder& AHome)
{
    std::ofstream(AHome.File("config")) << "a file where the settings folder should be";
    return AHome.File("config/zarvompg/option.ini");
}

// A damaged file in a read-only folder: a read-only mount (modes do not stop
// root), else a folder without write permission.
std::string DamagedInReadOnlyFolder(testmedia::TTempFolder& AHome)
{
    const std::string folder = AHome.File("readonly");
    ForceDirectories(folder);
    const std::string file = folder + "/option.ini";
    const bool mounted = mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
    if (!mounted && geteuid() == 0)
        return {};
    std::ofstream(file, std::ios::binary) << "[Skin\nSetSkin=\x01\xff\xfe\n[Options]Thread_Count==\n\0\0\0";
    if (mounted) {
        if (mount("tmpfs", folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") != 0) {
            umount(folder.c_str());
            return {};
        }
    } else {
        chmod(file.c_str(), 0444);
        chmod(folder.c_str(), 0555);
    }
    return file;
}

const TUnwritableCase UnwritableCases[] = {
    {"SettingsFileIsAFolder", SettingsIsAFolder},
    {"SettingsFolderIsAFile", FolderIsAFile},
    {"DamagedFileInReadOnlyFolder", DamagedInReadOnlyFolder},
};

class UnwritableSettingsTest : public MainWindowTest, public ::testing::WithParamInterface<TUnwritableCase> {
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        const std::string folder = Home.File("readonly");
        if (DirectoryExists(folder)) {
            umount(folder.c_str());
            chmod(folder.c_str(), 0755);
        }
    }
};

TEST_P(UnwritableSettingsTest, StartsWithDefaultsAndSaysOnceWhatCouldNotBeSaved)
{
    const std::string settings = GetParam().Prepare(Home);
    if (settings.empty())
        GTEST_SKIP() << "this machine cannot make a read-only folder for root";
    SetProgramSettings(settings);
    ASSERT_NO_THROW(Start());
    ASSERT_TRUE(Form1->Visible());
    Backend->SaveWindowPicture(Form1->Handle(), ::testing::TempDir() + "unwritable_" + GetParam().Name + ".png");
    EXPECT_EQ(Form1->FileOutPutPath, DefaultOutputFolder());
    ASSERT_EQ(Messages.size(), 1u) << "told once at start-up";
    EXPECT_NE(Messages[0].find("无法保存"), std::string::npos) << Messages[0];
    EXPECT_NE(Messages[0].find("[Skin] SetSkin"), std::string::npos) << Messages[0];
    EXPECT_NE(Messages[0].find(settings), std::string::npos) << Messages[0];
    EXPECT_NE(Messages[0].find("原因："), std::string::npos) << Messages[0];

    // Later saves that fail are told again, once per action.
    Form1->Command("Button4")->Click();
    Pump();
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_NE(Messages[1].find("[Skin] SetSkin"), std::string::npos) << Messages[1];
    Form1->Command("Button16")->Click();
    Pump();
    ASSERT_EQ(Messages.size(), 3u);
    EXPECT_NE(Messages[2].find("[OutPath] OutPath"), std::string::npos) << Messages[2];
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwritableSettingsTest, ::testing::ValuesIn(UnwritableCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
}  // namespace maintest
