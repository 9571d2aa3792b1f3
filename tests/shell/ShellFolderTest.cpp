#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "ShellFixture.h"
#include "platform/shell/ShellFolder.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellPropertySheet.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"

using ::testing::HasSubstr;

namespace {

// The children of a folder object as the controls make them.
std::vector<std::unique_ptr<TbsShellFolder>> Children(TbsShellFolder& folder, TShellObjectTypes types) {
    std::vector<std::unique_ptr<TbsShellFolder>> children;
    for (const auto& id : folder.ShellFolder()->EnumObjects(types))
        children.push_back(
            std::make_unique<TbsShellFolder>(&folder, id, BindShellFolder(folder.ShellFolder(), id)));
    return children;
}

TbsShellFolder* Find(const std::vector<std::unique_ptr<TbsShellFolder>>& list, const std::string& name) {
    for (const auto& f : list)
        if (f->RelativeID().Items.back().Name == name)
            return f.get();
    return nullptr;
}

} // namespace

TEST_F(TShellFixture, RootFoldersResolveOrFailKeepingTheOldRoot) {
    struct Case {
        std::string root;
        std::string path;  // PathName of the resolved folder
    };
    const Case good[] = {
        {"rfDesktop", "桌面"},
        {"RFDESKTOP", "桌面"},
        {"rfmycomputer", "计算机"},
        {"rfPersonal", Home + "/Documents"},
        {"rfDesktopDirectory", Home + "/Videos"},
        {Home + "/b folder/", Home + "/b folder"},
        {Usb, Usb},
    };
    std::unique_ptr<TbsShellFolder> folder;
    for (const auto& c : good) {
        TRoot root = c.root;
        ResolveRootFolder(folder, "old", root);
        ASSERT_TRUE(folder) << c.root;
        EXPECT_EQ(folder->PathName(), c.path) << c.root;
        EXPECT_EQ(folder->Parent(), DesktopItem());
        EXPECT_EQ(folder->Level(), 0);
        EXPECT_TRUE(folder->IsFolder());
    }
    const std::string bad[] = {"rfRecycleBin", "rfPrinters", "", "relative/dir", Tmp + "/none", Home + "/a.txt"};
    for (const auto& b : bad) {
        TRoot root = b;
        TbsShellFolder* before = folder.get();
        try {
            ResolveRootFolder(folder, "the old root", root);
            ADD_FAILURE() << b;
        } catch (const EInvalidPath& e) {
            EXPECT_EQ(e.Message(), "Error setting path: \"" + b + "\"");
        }
        EXPECT_EQ(root, "the old root") << b;
        EXPECT_EQ(folder.get(), before) << b;
    }
    // A file never opens as some other folder's contents.
    EXPECT_THROW(FolderFromIDList(ParseDisplayName(Home + "/B.mp4")), EInvalidPath);
}

TEST_F(TShellFixture, FolderObjectsNamesLevelsAndProperties) {
    auto desktop = FolderFromIDList(TItemIDList{});
    EXPECT_EQ(desktop->DisplayName(), "桌面");
    EXPECT_EQ(desktop->FullObjectName(), "");
    auto top = Children(*desktop, {otFolders});
    ASSERT_EQ(top.size(), 2u);
    TbsShellFolder& home = *top[0];
    EXPECT_EQ(home.Level(), 1);
    EXPECT_EQ(home.DisplayName(), "主文件夹");
    EXPECT_EQ(home.PathName(), Home);
    EXPECT_TRUE(home.SubFolders());
    EXPECT_FALSE(home.Capabilities().Contains(fcCanRename));
    EXPECT_TRUE(home.Properties().Contains(fpFileSystem));
    EXPECT_EQ(top[1]->DisplayName(), "计算机");
    EXPECT_EQ(top[1]->PathName(), "计算机");
    EXPECT_FALSE(top[1]->Properties().Contains(fpFileSystem));

    auto items = Children(home, {otFolders, otNonFolders, otHidden});
    ASSERT_NE(Find(items, "b folder"), nullptr);
    TbsShellFolder& sub = *Find(items, "b folder");
    EXPECT_EQ(sub.Level(), 2);
    EXPECT_TRUE(sub.IsFolder());
    EXPECT_TRUE(sub.SubFolders());
    EXPECT_NE(sub.ShellFolder(), nullptr);
    EXPECT_FALSE(Find(items, "Videos")->SubFolders());
    TbsShellFolder& file = *Find(items, "bad\xff\xfe.mp4");
    EXPECT_FALSE(file.IsFolder());
    EXPECT_EQ(file.ShellFolder(), nullptr);
    EXPECT_EQ(file.FullObjectName(), Home + "/bad\xff\xfe.mp4");
    EXPECT_TRUE(Find(items, ".hidden")->Properties().Contains(fpCut));
    EXPECT_TRUE(Find(items, "link.txt")->Properties().Contains(fpIsLink));
    EXPECT_TRUE(file.Capabilities().Contains(fcCanRename));
}

TEST_F(TShellFixture, RenameKeepsIdentifiersResolvingAndRefusalsKeepThem) {
    // An item two levels below the Desktop, made from a Desktop-relative list.
    auto home = FolderFromIDList(ParseDisplayName(Home));
    auto items = Children(*home, {otNonFolders});
    TbsShellFolder& clip = *Find(items, "c d.avi");
    ASSERT_TRUE(clip.Rename("片 段\xfe.avi"));
    EXPECT_EQ(clip.RelativeID().Items.back().Name, "片 段\xfe.avi");
    EXPECT_EQ(clip.FullObjectName(), Home + "/片 段\xfe.avi");
    EXPECT_TRUE(IDListsEqual(clip.AbsoluteID(), ParseDisplayName(Home + "/片 段\xfe.avi")));
    EXPECT_EQ(ReadFile(clip.FullObjectName()), "c");

    const TItemIDList before = clip.AbsoluteID();
    try {
        clip.Rename("B.mp4");
        ADD_FAILURE();
    } catch (const EShellError& e) {
        EXPECT_THAT(e.Message(), HasSubstr("Rename to B.mp4 failed"));
    }
    EXPECT_TRUE(IDListsEqual(clip.AbsoluteID(), before));
    EXPECT_EQ(ReadFile(Home + "/B.mp4").size(), 3000u);

    // A folder object made straight from an absolute list renames too.
    auto folder = FolderFromIDList(ParseDisplayName(Home + "/b folder/inner"));
    ASSERT_TRUE(folder->Rename("深处"));
    EXPECT_EQ(folder->PathName(), Home + "/b folder/深处");
    EXPECT_TRUE(PathExists(Home + "/b folder/深处"));

    // No rename capability: a plain no, nothing raised.
    auto computer = FolderFromIDList(ParseDisplayName("计算机"));
    EXPECT_FALSE(computer->Rename("x"));
    EXPECT_FALSE(home->Rename("x"));
}

TEST_F(TShellFixture, DetailsGiveTextsAndNumbers) {
    auto home = FolderFromIDList(ParseDisplayName(Home));
    auto items = Children(*home, {otFolders, otNonFolders});
    TbsShellFolder& video = *Find(items, "B.mp4");
    EXPECT_THROW(video.DetailText(1), Exception);
    video.LoadColumnDetails(home.get(), 4);
    EXPECT_EQ(video.DetailText(1), "3 KB");
    EXPECT_EQ(video.DetailText(2), "MP4 文件");
    EXPECT_TRUE(std::regex_match(video.DetailText(3), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)")))
        << video.DetailText(3);
    EXPECT_EQ(video.DetailText(4), "");
    EXPECT_EQ(video.FindData().Size, 3000);
    EXPECT_GT(video.FindData().Modified, 40000.0);  // a date after 2009

    // Sizes past 32 bits keep every byte.
    WriteFile(Home + "/big.mkv", "");
    std::filesystem::resize_file(Home + "/big.mkv", 5ull << 30);
    TbsShellFolder big(home.get(), TItemIDList{{NameItem("big.mkv")}}, nullptr);
    big.LoadColumnDetails(home.get(), 3);
    EXPECT_EQ(big.FindData().Size, int64_t(5) << 30);
    EXPECT_EQ(big.DetailText(1), "5,242,880 KB");
    EXPECT_EQ(big.DetailText(2), "MKV 文件");

    TbsShellFolder& folder = *Find(items, "Videos");
    folder.LoadColumnDetails(home.get(), 3);
    EXPECT_EQ(folder.DetailText(1), "");
    EXPECT_EQ(folder.DetailText(2), "文件夹");
    EXPECT_TRUE(folder.FindData().IsDirectory);

    // Gone since it was listed: empty details, never an exception while painting.
    TbsShellFolder& gone = *Find(items, "中文.mkv");
    std::remove((Home + "/中文.mkv").c_str());
    EXPECT_NO_THROW(gone.LoadColumnDetails(home.get(), 3));
    EXPECT_EQ(gone.DetailText(1), "");
    TShellFindData data;
    try {
        gone.ReadFindData(data);
        ADD_FAILURE();
    } catch (const EInvalidPath& e) {
        EXPECT_THAT(e.Message(), HasSubstr("Unable to retrieve folder details for \"中文.mkv\". Error code $2"));
    }
}

TEST_F(TShellFixture, OpeningGoesToTheOpenerAndNothingElse) {
    auto home = FolderFromIDList(ParseDisplayName(Home));
    auto items = Children(*home, {otNonFolders});
    TbsShellFolder& file = *Find(items, "bad\xff\xfe.mp4");
    EXPECT_EQ(file.ExecuteDefault(), 1);
    InvokeShellVerb(&file, "OPEN");
    InvokeShellVerb(&file, "no such verb");
    InvokeShellVerb(nullptr, "open");
    InvokeShellVerb(nullptr, "properties");
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_EQ(Opened[0], Home + "/bad\xff\xfe.mp4");
    EXPECT_EQ(FolderFromIDList(TItemIDList{})->ExecuteDefault(), 0);  // the Desktop has no path

    WriteFile(Home + "/refuse.txt", "");
    auto refused = FolderFromIDList(ParseDisplayName(Home));
    TbsShellFolder item(refused.get(), TItemIDList{{NameItem("refuse.txt")}}, nullptr);
    EXPECT_EQ(item.ExecuteDefault(), 0);
}

TEST_F(TShellFixture, PropertiesVerbShowsASheetThatClosesByItsButton) {
    THeadlessBackend& backend = UseHeadlessBackend();
    Application->Initialize();
    WriteFile(Home + "/clip 1.mkv", std::string(2048, 'x'));
    auto home = FolderFromIDList(ParseDisplayName(Home));
    auto items = Children(*home, {otNonFolders});
    TbsShellFolder& file = *Find(items, "clip 1.mkv");
    const int before = Screen->FormCount();
    InvokeShellVerb(&file, "Properties");
    ASSERT_EQ(Screen->FormCount(), before + 1);
    TCustomForm* sheet = nullptr;
    for (TCustomForm* f : Screen->FormList())
        if (f->Caption() == "clip 1.mkv 属性")
            sheet = f;
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->Visible());
    std::vector<std::string> texts;
    for (int i = 0; i < sheet->ControlCount(); ++i)
        if (auto* l = dynamic_cast<TLabel*>(sheet->Controls(i)))
            texts.push_back(l->Caption());
    ASSERT_GE(texts.size(), 8u);
    EXPECT_EQ(texts[0], "名称:");
    EXPECT_EQ(texts[1], "clip 1.mkv");
    EXPECT_EQ(texts[3], "MKV 文件");
    EXPECT_EQ(texts[5], Home);
    EXPECT_THAT(texts[7], HasSubstr("2048 字节"));
    EXPECT_TRUE(Opened.empty()) << "the file is not opened";

    // Its button closes and frees it.
    auto* ok = dynamic_cast<TButton*>(sheet->FindComponent("OK"));
    ASSERT_NE(ok, nullptr);
    const TPoint p = ok->ClientToScreen(TPoint{10, 10});
    backend.Click(p.X, p.Y);
    Application->ProcessMessages();
    EXPECT_EQ(Screen->FormCount(), before);
}
