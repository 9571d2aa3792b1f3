#include "tests/skin_shell/ShellViewsFixture.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <cctype>
#include <fstream>

#include "platform/core/Thread.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/ui/Keys.h"
#include "resources/pictures/ShellIconSource.h"

void WriteBytes(const std::string& Path, size_t Count)
{
    std::ofstream(Path, std::ios::binary) << std::string(Count, 'x');
}

void TShellViewsTest::SetUp()
{
    TControlsTest::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "zarvo-views-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Tmp = pattern;
    Home = Tmp + "/home/u";
    Usb = Tmp + "/media/usb";
    Net = Tmp + "/net";
    for (const char* dir : {"/Videos", "/b folder/inner/deep", "/视频", "/.hidden"})
        std::filesystem::create_directories(Home + dir);
    std::filesystem::create_directories(Usb);
    WriteBytes(Home + "/a.txt", 5);
    WriteBytes(Home + "/B.mp4", 3000);
    WriteBytes(Home + "/c d.avi", 1);
    WriteBytes(Home + "/中文.mkv", 40);
    WriteBytes(Home + "/bad\xff.mp4", 7);
    WriteBytes(Home + "/noext", 2);
    WriteBytes(Home + "/.dotfile", 1);
    WriteBytes(Usb + "/photo.jpg", 1);
    ASSERT_EQ(::mkfifo((Home + "/fifo.mp4").c_str(), 0600), 0);

    TShellEnvironment env;
    env.HomeFolder = Home + "/";
    env.UserName = "u";
    const std::vector<TMountEntry> mounts = {
        {"/", "/dev/sda1", "ext4", mkFixed},
        {Usb, "/dev/sdb1", "vfat", mkRemovable},
        {Net, "//server/share", "cifs", mkNetwork},
    };
    env.ReadMounts = [mounts] { return mounts; };
    env.Opener = [this](const std::string& path) { Opened.push_back(path); };
    SetShellEnvironment(env);
    InstallShellIcons();
    Application->OnException = [this](TObject*, const Exception& E) { Errors.push_back(E.Message()); };
}

void TShellViewsTest::Key(int Vk, const std::string& Text)
{
    Backend->KeyPress(Vk, Text);
    Pump();
}

void TShellViewsTest::Type(const std::string& Text)
{
    bool ascii = true;
    for (char c : Text)
        ascii = ascii && std::isalnum(static_cast<unsigned char>(c));
    if (!ascii) {
        Key(VK_PROCESSKEY, Text);
        return;
    }
    for (char c : Text)
        Key(std::isalpha(static_cast<unsigned char>(c)) ? std::toupper(static_cast<unsigned char>(c)) : c,
            std::string(1, c));
}

void TShellViewsTest::TearDown()
{
    Application->OnException = nullptr;
    TControlsTest::TearDown();
    SetShellIconProvider({});
    SetShellEnvironment(SystemShellEnvironment());
    std::error_code ec;
    std::filesystem::remove_all(Tmp, ec);
}

TbsSkinScrollBar* TShellViewsTest::NewBar(TScrollBarKind Kind, const TRect& Beside, TbsSkinData* Skin)
{
    auto* b = new TbsSkinScrollBar(Form);
    b->SetParent(Form);
    if (Kind == sbVertical) {
        b->SetKind(sbVertical);
        b->SetSkinDataName("vscrollbar");
        b->SetBounds(Beside.Right, Beside.Top, 19, Beside.Bottom - Beside.Top);
    } else {
        b->SetBounds(Beside.Left, Beside.Bottom, Beside.Right - Beside.Left, 19);
    }
    if (Skin)
        b->SetSkinData(Skin);
    return b;
}

TbsSkinDirTreeView* TShellViewsTest::NewTree(TbsSkinData* Skin, TRect Bounds)
{
    auto* tv = new TbsSkinDirTreeView(Form);
    tv->SetParent(Form);
    tv->SetBounds(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left - 19, Bounds.Bottom - Bounds.Top - 19);
    const TRect r{tv->Left(), tv->Top(), tv->Left() + tv->Width(), tv->Top() + tv->Height()};
    VBar = NewBar(sbVertical, r, Skin);
    HBar = NewBar(sbHorizontal, r, Skin);
    if (Skin)
        tv->SetSkinData(Skin);
    tv->SetVScrollBar(VBar);
    tv->SetHScrollBar(HBar);
    Pump();
    return tv;
}

TbsSkinFileListView* TShellViewsTest::NewList(TbsSkinData* Skin, TRect Bounds)
{
    auto* lv = new TbsSkinFileListView(Form);
    lv->SetParent(Form);
    lv->SetBounds(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left - 19, Bounds.Bottom - Bounds.Top - 19);
    lv->SetViewStyle(vsList);
    const TRect r{lv->Left(), lv->Top(), lv->Left() + lv->Width(), lv->Top() + lv->Height()};
    VBar = NewBar(sbVertical, r, Skin);
    HBar = NewBar(sbHorizontal, r, Skin);
    if (Skin)
        lv->SetSkinData(Skin);
    lv->SetVScrollBar(VBar);
    lv->SetHScrollBar(HBar);
    Pump();
    return lv;
}

bool TShellViewsTest::PumpUntil(const std::function<bool()>& Done, int LimitMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(LimitMs);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        TThread::CheckSynchronize(10);
        Pump();
    }
    return true;
}

std::vector<std::string> TShellViewsTest::Captions(TbsCustomShellListView* List)
{
    std::vector<std::string> out;
    for (int i = 0; i < List->EntryCount(); ++i)
        out.push_back(List->EntryFolder(i)->DisplayName());
    return out;
}

std::vector<std::string> TShellViewsTest::ChildTexts(TTreeNode* Node)
{
    std::vector<std::string> out;
    for (int i = 0; Node && i < Node->Count(); ++i)
        out.push_back(Node->Item(i)->Text());
    return out;
}

TTreeNode* TShellViewsTest::ChildNamed(TTreeNode* Node, const std::string& Text)
{
    for (int i = 0; Node && i < Node->Count(); ++i)
        if (Node->Item(i)->Text() == Text)
            return Node->Item(i);
    return nullptr;
}
