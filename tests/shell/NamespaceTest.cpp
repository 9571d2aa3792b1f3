#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "platform/shell/NamespaceFolder.h"
#include "platform/shell/ShellErrors.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTexts.h"

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {

std::vector<std::string> Names(const TNamespaceFolder& folder, TShellObjectTypes types) {
    std::vector<std::string> names;
    for (const auto& id : folder.EnumObjects(types))
        names.push_back(id.Items.back().Name);
    return names;
}

TItemIDList Id(std::initializer_list<TShellIdItem> items) {
    return TItemIDList{items};
}

} // namespace

TEST(ItemIDList, ListOperations) {
    const TItemIDList three = Id({ComputerItem(), MountItem("/"), NameItem("tmp")});
    const auto ancestors = IDListAncestors(three);
    ASSERT_EQ(ancestors.size(), 3u);
    for (size_t i = 0; i < ancestors.size(); ++i)
        EXPECT_EQ(IDListCount(ancestors[i]), int(i));
    EXPECT_TRUE(IDListAncestors(TItemIDList{}).empty());

    TItemIDList one = IDListLastItem(three);
    ASSERT_EQ(IDListCount(one), 1);
    EXPECT_EQ(one.Items[0].Name, "tmp");
    IDListStripLast(one);
    EXPECT_TRUE(one.Empty());
    IDListStripLast(one);  // the Desktop stays the Desktop
    EXPECT_TRUE(one.Empty());
    EXPECT_EQ(IDListCount(IDListJoin(TItemIDList{}, three)), 3);
    EXPECT_EQ(IDListCount(IDListJoin(ancestors[2], IDListLastItem(three))), 3);
}

TEST_F(TShellFixture, EnumeratesFoldersFirstWithoutCaseAndLeavesOutFifos) {
    const TNamespaceFolder home(ParseDisplayName(Home));
    // netmnt is a network mount point: a folder whatever a stat would say.
    const std::vector<std::string> folders = {"b folder", "Documents", "netmnt", "Videos", "视频"};
    const std::vector<std::string> files = {"a.txt", "B.mp4", "bad\xff\xfe.mp4", "c d.avi", "link.txt", "中文.mkv"};
    std::vector<std::string> all = folders;
    all.insert(all.end(), files.begin(), files.end());

    EXPECT_THAT(Names(home, {otFolders, otNonFolders}), ElementsAreArray(all));
    EXPECT_THAT(Names(home, {otFolders}), ElementsAreArray(folders));
    EXPECT_THAT(Names(home, {otNonFolders}), ElementsAreArray(files));

    std::vector<std::string> hidden = Names(home, {otFolders, otNonFolders, otHidden});
    EXPECT_EQ(hidden.front(), ".hidden");
    EXPECT_EQ(hidden[folders.size() + 1], ".dotfile");
    EXPECT_EQ(std::count(hidden.begin(), hidden.end(), "fifo.mp4"), 0);
    EXPECT_TRUE(home.HasItems({otNonFolders}));
    EXPECT_FALSE(TNamespaceFolder(ParseDisplayName(Home + "/Videos")).HasItems({otFolders, otNonFolders, otHidden}));
    EXPECT_THROW(TNamespaceFolder(ParseDisplayName(Tmp + "/none")).EnumObjects({otFolders}), EShellError);
}

TEST_F(TShellFixture, AttributesOfFilesFoldersLinksAndHiddenItems) {
    struct Case {
        std::string name;
        TShellAttributes has;
        TShellAttributes hasNot;
    };
    const Case cases[] = {
        {"a.txt", {saFileSystem, saExists, saCanRename, saCanDelete}, {saFolder, saLink, saHidden}},
        {"link.txt", {saLink, saExists, saCanRename}, {saFolder}},
        {"b folder", {saFolder, saHasSubFolder, saFileSystem, saFileSystemAncestor, saDropTarget}, {saHidden}},
        {"Videos", {saFolder}, {saHasSubFolder}},
        {".hidden", {saFolder, saHidden}, {}},
        {"gone.txt", {saFileSystem}, {saExists, saCanRename}},
    };
    const TNamespaceFolder home(ParseDisplayName(Home));
    for (const auto& c : cases) {
        const TShellAttributes a = home.GetAttributesOf(Id({NameItem(c.name)}), true);
        EXPECT_EQ((a * c.has), c.has) << c.name;
        EXPECT_TRUE((a * c.hasNot).Empty()) << c.name;
    }
    // The sub-folder scan runs only when asked for.
    EXPECT_FALSE(home.GetAttributesOf(Id({NameItem("b folder")})).Contains(saHasSubFolder));
}

TEST_F(TShellFixture, OddNamesRoundTripByteForByte) {
    const TNamespaceFolder home(ParseDisplayName(Home));
    for (const auto& id : home.EnumObjects({otFolders, otNonFolders, otHidden})) {
        const std::string name = id.Items[0].Name;
        const std::string parsing = home.GetDisplayNameOf(id, snForParsing);
        EXPECT_EQ(parsing, Home + "/" + name);
        EXPECT_TRUE(PathExists(parsing)) << parsing;
        const TItemIDList again = ParseDisplayName(parsing);
        EXPECT_TRUE(IDListsEqual(again, IDListJoin(home.ID(), id))) << parsing;
        EXPECT_EQ(again.Items.back().Name, name);
    }
    // The display name is valid text; the bytes that are not become U+FFFD.
    EXPECT_EQ(home.GetDisplayNameOf(Id({NameItem("bad\xff\xfe.mp4")}), snInFolder), "bad\uFFFD\uFFFD.mp4");
    EXPECT_EQ(home.GetDisplayNameOf(Id({NameItem("中文.mkv")}), snNormal), "中文.mkv");
    EXPECT_EQ(home.GetDisplayNameOf(Id({NameItem("c d.avi")}), snInFolder), "c d.avi");
}

TEST_F(TShellFixture, VirtualDesktopAndComputer) {
    const auto desktop = DesktopFolder();
    const auto children = desktop->EnumObjects({otFolders, otNonFolders, otHidden});
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(desktop->GetDisplayNameOf(children[0], snInFolder), "主文件夹");
    EXPECT_EQ(desktop->GetDisplayNameOf(children[1], snInFolder), "计算机");
    EXPECT_EQ(desktop->GetDisplayNameOf(TItemIDList{}, snNormal), "桌面");
    EXPECT_TRUE(desktop->EnumObjects({otNonFolders}).empty());

    // Parsing names: a path where there is one, else the display name, which parses back.
    EXPECT_EQ(desktop->GetDisplayNameOf(children[0], snForParsing), Home);
    for (const auto& id : {TItemIDList{}, children[1]}) {
        const std::string parsing = desktop->GetDisplayNameOf(id, snForParsing);
        EXPECT_TRUE(IDListsEqual(ParseDisplayName(parsing), id)) << parsing;
    }

    const auto computer = desktop->BindToObject(children[1]);
    ASSERT_TRUE(computer);
    std::vector<std::string> names;
    for (const auto& id : computer->EnumObjects({otFolders}))
        names.push_back(computer->GetDisplayNameOf(id, snInFolder));
    EXPECT_THAT(names, ElementsAreArray(std::vector<std::string>{"/", "nas:/export", Usb, "//server/share"}));
    EXPECT_FALSE(ShellAttributesOf(children[1]).Contains(saFileSystem));
    EXPECT_TRUE(ShellAttributesOf(children[1]).Contains(saFolder));
    EXPECT_TRUE(ShellAttributesOf(Id({ComputerItem(), MountItem(Usb)})).Contains(saRemovable));
}

TEST_F(TShellFixture, ParseAndCompare) {
    const TItemIDList viaHome = ParseDisplayName(Home + "/b folder/inner");
    ASSERT_EQ(viaHome.Items.size(), 3u);
    EXPECT_EQ(viaHome.Items[0].Kind, ikHome);

    // The same folder reached through Computer and "/" is the same item.
    TItemIDList viaComputer = Id({ComputerItem(), MountItem("/")});
    for (const auto& part : {Tmp.substr(1), std::string("home"), std::string("u"), std::string("b folder"),
                             std::string("inner")})
        viaComputer.Items.push_back(NameItem(part));
    EXPECT_TRUE(IDListsEqual(viaHome, viaComputer));
    EXPECT_EQ(DesktopFolder()->CompareIDs(viaHome, viaComputer), 0);
    EXPECT_NE(DesktopFolder()->CompareIDs(viaHome, ParseDisplayName(Home + "/b folder")), 0);
    EXPECT_FALSE(IDListsEqual(TItemIDList{}, Id({ComputerItem()})));
    EXPECT_FALSE(IDListsEqual(Id({ComputerItem()}), Id({HomeItem()})));

    // A path on a mount goes through the longest mount that holds it; the text is normalised.
    const TItemIDList onUsb = ParseDisplayName(Usb + "//./x/../photo.jpg");
    ASSERT_EQ(onUsb.Items.size(), 3u);
    EXPECT_EQ(onUsb.Items[1].Kind, ikMount);
    EXPECT_EQ(onUsb.Items[1].Name, Usb);
    EXPECT_EQ(onUsb.Items[2].Name, "photo.jpg");

    for (const char* bad : {"", "relative/path", "./x"}) {
        try {
            ParseDisplayName(bad);
            ADD_FAILURE() << bad;
        } catch (const EInvalidPath& e) {
            EXPECT_EQ(e.Message(), std::string("Error setting path: \"") + bad + "\"");
        }
    }
}

TEST_F(TShellFixture, NetworkMountsAreNeverStatted) {
    // The mount point does not exist: any stat or scan would say so.
    const TItemIDList missing = Id({ComputerItem(), MountItem(NetMissing)});
    const TShellAttributes a = ShellAttributesOf(missing, true);
    EXPECT_TRUE(a.Contains(saFolder));
    EXPECT_TRUE(a.Contains(saHasSubFolder));
    EXPECT_TRUE(a.Contains(saExists));

    // Mounted below home over what is a plain file here: still a folder with
    // sub-folders, in the listing of home too.
    const TItemIDList inHome = ParseDisplayName(NetInHome);
    EXPECT_EQ(inHome.Items[0].Kind, ikHome);
    EXPECT_TRUE(ShellAttributesOf(inHome, true).Contains(saHasSubFolder));
    const TNamespaceFolder home(ParseDisplayName(Home));
    const auto folders = Names(home, {otFolders});
    EXPECT_NE(std::find(folders.begin(), folders.end(), "netmnt"), folders.end());
}

TEST_F(TShellFixture, SetNameOfRenamesAndRefuses) {
    const TNamespaceFolder home(ParseDisplayName(Home));
    const TItemIDList renamed = home.SetNameOf(Id({NameItem("a.txt")}), "新 名\xff.txt");
    EXPECT_EQ(renamed.Items[0].Name, "新 名\xff.txt");
    EXPECT_EQ(ReadFile(Home + "/新 名\xff.txt"), "alpha");
    EXPECT_FALSE(PathExists(Home + "/a.txt"));

    struct Refusal {
        TItemIDList item;
        std::string newName;
        std::string reason;
    };
    const Refusal refusals[] = {
        {Id({NameItem("B.mp4")}), "", "The name is empty"},
        {Id({NameItem("B.mp4")}), "x/y", "cannot contain \"/\""},
        {Id({NameItem("B.mp4")}), "..", "is not a valid name"},
        {Id({NameItem("B.mp4")}), "c d.avi", "already exists"},
        {Id({NameItem("Videos")}), "b folder", "already exists"},
        {Id({NameItem("gone.txt")}), "x.txt", "No such file"},
    };
    for (const auto& r : refusals) {
        try {
            home.SetNameOf(r.item, r.newName);
            ADD_FAILURE() << r.newName;
        } catch (const EShellError& e) {
            EXPECT_THAT(e.Message(), HasSubstr("Rename to " + r.newName + " failed. ")) << r.newName;
            EXPECT_THAT(e.Message(), HasSubstr(r.reason)) << r.newName;
        }
    }
    EXPECT_EQ(ReadFile(Home + "/c d.avi"), "c");  // never replaced
    EXPECT_EQ(ReadFile(Home + "/B.mp4").size(), 3000u);
    EXPECT_THROW(DesktopFolder()->SetNameOf(Id({HomeItem()}), "x"), EShellError);
    EXPECT_THROW(DesktopFolder()->SetNameOf(Id({ComputerItem(), MountItem("/")}), "x"), EShellError);
}
