#include <gtest/gtest.h>

#include <sys/time.h>

#include <algorithm>
#include <filesystem>

#include "platform/core/Strings.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/Menus.h"
#include "skin/menus/SkinMenu.h"
#include "tests/skin_shell/ShellViewsFixture.h"

namespace {

using Texts = std::vector<std::string>;
const std::string Bad = "bad\xEF\xBF\xBD.mp4";   // bad\xff.mp4 as shown

class ShellListViewTest : public TShellViewsTest {
protected:
    TbsSkinFileListView* HomeList(TRect Bounds = TRect{10, 10, 390, 270})
    {
        auto* lv = NewList(nullptr, Bounds);
        lv->SetPath(Home);
        Pump();
        return lv;
    }
    void ClickHeader(TbsCustomShellListView* lv, int Column)
    {
        TRect r;
        SendMessage(lv->HeaderHandle(), HDM_GETITEMRECT, WPARAM(Column), LPARAM(&r));
        const TPoint p = lv->ClientToScreen(TPoint{(r.Left + r.Right) / 2, 5});
        Backend->MouseMove(p.X, p.Y);
        Backend->MouseDown(p.X, p.Y);
        Backend->MouseUp(p.X, p.Y);
        Pump();
    }
    static void SetModified(const std::string& Path, time_t Seconds)
    {
        const timeval times[2] = {{Seconds, 0}, {Seconds, 0}};
        ::utimes(Path.c_str(), times);
    }
};

// Filling the list shows the busy cursor, and the cursor before it comes back.
TEST_F(ShellListViewTest, FillingShowsTheBusyCursor)
{
    auto* lv = NewList();
    Backend->ClearCursorsShown();
    lv->SetPath(Home);
    Pump();
    const auto& shown = Backend->CursorsShown();
    EXPECT_NE(std::find(shown.begin(), shown.end(), IDC_WAIT), shown.end());
    EXPECT_EQ(Backend->CursorShape(), IDC_ARROW);
}

TEST_F(ShellListViewTest, ListsFoldersFirstAndFilesThroughTheMask)
{
    auto* lv = HomeList();
    EXPECT_EQ(lv->Path(), Home);
    // No FIFO, no hidden items; "*.*" takes names without a dot too.
    EXPECT_EQ(Captions(lv), (Texts{"b folder", "Videos", "视频", "a.txt", "B.mp4", Bad, "c d.avi", "noext", "中文.mkv"}));
    EXPECT_EQ(lv->Items().Count(), 9);

    const struct {
        const char* Mask;
        Texts Files;
    } masks[] = {
        {"*", {"a.txt", "B.mp4", Bad, "c d.avi", "noext", "中文.mkv"}},
        {"*.MP4; *.avi", {"B.mp4", Bad, "c d.avi"}},
        {"Videos|*.mkv|Text|*.txt", {"a.txt", "中文.mkv"}},
        {"c*.*", {"c d.avi"}},
        {"[a-c]*.*", {"a.txt", "B.mp4", Bad, "c d.avi"}},
        {"[!a-c]*.*", {"noext", "中文.mkv"}},
        {"", {}},
    };
    for (const auto& m : masks) {
        lv->SetMask(m.Mask);
        Texts expected{"b folder", "Videos", "视频"};
        expected.insert(expected.end(), m.Files.begin(), m.Files.end());
        EXPECT_EQ(Captions(lv), expected) << "mask \"" << m.Mask << "\"";
    }
    lv->SetMask("*");

    lv->OnAddFolder = [](TObject*, TbsShellFolder* f, bool& canAdd) { canAdd = f->DisplayName() != "Videos"; };
    lv->Refresh();
    EXPECT_EQ(Captions(lv)[1], "视频") << "folders can be vetoed too";
}

TEST_F(ShellListViewTest, SelectedFilesComeBackByteExactInListOrder)
{
    auto* lv = HomeList();
    lv->SetMultiSelect(true);
    lv->SetItemIndex(0);
    EXPECT_EQ(lv->GetSelectedFile(), "") << "a folder is no file";
    lv->SetItemIndex(5);
    EXPECT_EQ(lv->GetSelectedFile(), Home + "/bad\xff.mp4");
    for (int i : {0, 3, 6})
        lv->Items()[i]->SetSelected(true);
    TStringList files;
    lv->GetSelectedFiles(files);
    ASSERT_EQ(files.Count(), 3);
    EXPECT_EQ(files[0], Home + "/a.txt");
    EXPECT_EQ(files[1], Home + "/bad\xff.mp4");
    EXPECT_EQ(files[2], Home + "/c d.avi");
}

TEST_F(ShellListViewTest, EachViewStyleScrollsThroughTheSkinnedBars)
{
    std::filesystem::create_directories(Home + "/many");
    for (int i = 0; i < 120; ++i)
        WriteBytes(Home + "/many/clip " + std::to_string(100 + i) + ".mp4", 1);
    auto* lv = NewList(nullptr, TRect{10, 10, 250, 200});
    lv->SetPath(Home + "/many");
    ASSERT_EQ(lv->EntryCount(), 120);
    for (TViewStyle style : {vsList, vsReport, vsIcon, vsSmallIcon}) {
        SCOPED_TRACE(int(style));
        lv->SetViewStyle(style);
        Pump();
        lv->UpDateScrollBars();
        if (style == vsList) {
            EXPECT_FALSE(VBar->Visible()) << "list style scrolls sideways";
            ASSERT_TRUE(HBar->Visible());
            HBar->SetPosition(2);
            Pump();
            EXPECT_EQ(GetScrollPos(lv->Handle(), SB_HORZ), 2);
        } else {
            ASSERT_TRUE(VBar->Visible());
            VBar->SetPosition(VBar->Min() + 4);
            Pump();
            EXPECT_EQ(GetScrollPos(lv->Handle(), SB_VERT), VBar->Min() + 4);
            if (style == vsReport) {
                EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETTOPINDEX, 0, 0), 4);
            }
            VBar->SetPosition(VBar->Min());
            Pump();
        }
    }
    // The four detail columns in report style.
    lv->SetViewStyle(vsReport);
    ASSERT_EQ(lv->Columns().Count(), 4);
    EXPECT_EQ(lv->Columns()[0]->Caption(), "Name");
    EXPECT_EQ(lv->Columns()[1]->Caption(), "Size");
    EXPECT_EQ(lv->Columns()[1]->Alignment(), taRightJustify);
    EXPECT_EQ(lv->Columns()[3]->Caption(), "Modified");
}

TEST_F(ShellListViewTest, SortsByEachColumnAndTheNextFillForgets)
{
    const time_t t0 = 1'600'000'000;
    int k = 0;
    for (const char* name : {"noext", "c d.avi", "a.txt", "B.mp4", "bad\xff.mp4", "中文.mkv"})
        SetModified(Home + "/" + name, t0 + 10 * k++);
    // Folders of one time keep their name order under every column.
    for (const char* name : {"b folder", "Videos", "视频"})
        SetModified(Home + "/" + name, t0 - 10);
    auto* lv = HomeList();
    lv->SetViewStyle(vsReport);
    for (int c = 0; c < 4; ++c)
        lv->Columns()[c]->SetWidth(80);
    Pump();
    const Texts folders{"b folder", "Videos", "视频"};
    // Ascending keeps folders first; descending turns the whole order round.
    auto with = [&](const Texts& files, bool foldersFirst = true) {
        Texts all = foldersFirst ? folders : files;
        if (foldersFirst)
            all.insert(all.end(), files.begin(), files.end());
        else
            all.insert(all.end(), folders.rbegin(), folders.rend());
        return all;
    };
    ClickHeader(lv, 1);
    EXPECT_EQ(lv->SortColumn(), 1);
    EXPECT_FALSE(lv->SortDescending());
    EXPECT_EQ(Captions(lv), with({"c d.avi", "noext", "a.txt", Bad, "中文.mkv", "B.mp4"}));
    ClickHeader(lv, 1);
    EXPECT_TRUE(lv->SortDescending());
    EXPECT_EQ(Captions(lv), with({"B.mp4", "中文.mkv", Bad, "a.txt", "noext", "c d.avi"}, false))
        << "descending turns the whole order: folders last";
    ClickHeader(lv, 2);
    EXPECT_FALSE(lv->SortDescending()) << "another header starts ascending";
    EXPECT_EQ(Captions(lv), with({"c d.avi", "中文.mkv", "B.mp4", Bad, "a.txt", "noext"}));
    ClickHeader(lv, 3);
    EXPECT_EQ(Captions(lv), with({"noext", "c d.avi", "a.txt", "B.mp4", Bad, "中文.mkv"}));
    ClickHeader(lv, 0);
    EXPECT_EQ(Captions(lv), with({"a.txt", "B.mp4", Bad, "c d.avi", "noext", "中文.mkv"}));
    ClickHeader(lv, 0);
    EXPECT_EQ(Captions(lv), with({"中文.mkv", "noext", "c d.avi", Bad, "B.mp4", "a.txt"}, false));

    lv->Refresh();
    EXPECT_EQ(Captions(lv), with({"a.txt", "B.mp4", Bad, "c d.avi", "noext", "中文.mkv"}));

    // Details as texts: size in bytes, nothing for folders, a type from the extension.
    TListItem* item = lv->Items()[3];
    ASSERT_GE(item->SubItems().Count(), 3);
    EXPECT_EQ(item->SubItems()[0], "1 KB");
    EXPECT_EQ(lv->Items()[0]->SubItems()[0], "");
}

TEST_F(ShellListViewTest, NavigatesWithKeysAndDoubleClicks)
{
    auto* lv = HomeList();
    std::vector<std::string> moves;
    lv->OnPathChanged = [&](TObject*) { moves.push_back(lv->Path()); };
    lv->SetFocus();
    lv->SetItemIndex(0);
    Key(VK_RETURN);
    EXPECT_EQ(lv->Path(), Home + "/b folder");
    Key(VK_BACK);
    EXPECT_EQ(lv->Path(), Home);
    Key(VK_BACK);
    EXPECT_EQ(lv->Path(), "桌面") << "the home folder hangs below the Desktop";
    Key(VK_BACK);
    EXPECT_EQ(lv->Path(), "桌面") << "the Desktop has no parent";
    EXPECT_EQ(moves, (Texts{Home + "/b folder", Home, "桌面"}));

    lv->SetPath(Home);
    lv->SetItemIndex(1);
    const TRect r = lv->Items()[1]->DisplayRect(drLabel);
    const TPoint p = lv->ClientToScreen(TPoint{r.Left + 3, (r.Top + r.Bottom) / 2});
    Backend->MouseMove(p.X, p.Y);
    Backend->Click(p.X, p.Y);
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(lv->Path(), Home + "/Videos");

    // F5 reads again and keeps the index; typing finds by prefix.
    lv->SetPath(Home);
    lv->SetItemIndex(8);
    WriteBytes(Home + "/zz.txt", 1);
    Key(VK_F5);
    EXPECT_EQ(lv->EntryCount(), 10);
    EXPECT_EQ(lv->ItemIndex(), 8);
    Type("vi");
    EXPECT_EQ(lv->ItemIndex(), 1);
    Opened.clear();
    bool handled = false;
    lv->ExecuteCommand("open", handled);
    EXPECT_FALSE(handled) << "open is left to the opener";
}

TEST_F(ShellListViewTest, AltEnterShowsTheSelectedItemsPropertySheet)
{
    auto* lv = HomeList();
    lv->SetFocus();
    lv->SetItemIndex(3);
    ASSERT_EQ(lv->SelectedFolder()->DisplayName(), "a.txt");
    const int before = Screen->FormCount();
    Backend->KeyDown(VK_MENU);
    Key(VK_RETURN);
    Backend->KeyUp(VK_MENU);
    Pump();
    ASSERT_EQ(Screen->FormCount(), before + 1);
    bool found = false;
    for (TCustomForm* f : Screen->FormList())
        if (f->Caption() == "a.txt 属性") {
            found = true;
            f->Close();
        }
    EXPECT_TRUE(found);
    Pump();
    EXPECT_EQ(Screen->FormCount(), before);
}

TEST_F(ShellListViewTest, RenamesInPlaceAndARefusalKeepsTheName)
{
    auto* lv = HomeList();
    lv->SetFocus();
    lv->SetItemIndex(3);
    ASSERT_EQ(lv->SelectedFolder()->DisplayName(), "a.txt");
    bool handled = false;
    lv->ExecuteCommand("rename", handled);
    EXPECT_TRUE(handled);
    ASSERT_TRUE(lv->IsEditing());
    Type("renamed.txt");
    Key(VK_RETURN);
    EXPECT_TRUE(std::filesystem::exists(Home + "/renamed.txt"));
    EXPECT_FALSE(std::filesystem::exists(Home + "/a.txt"));
    EXPECT_EQ(lv->EntryFolder(3)->DisplayName(), "renamed.txt");
    EXPECT_EQ(lv->EntryFolder(3)->FullObjectName(), Home + "/renamed.txt");

    lv->ExecuteCommand("rename", handled);
    Type("B.mp4");
    Key(VK_RETURN);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_NE(Errors[0].find("Rename to B.mp4 failed"), std::string::npos) << Errors[0];
    EXPECT_EQ(std::filesystem::file_size(Home + "/B.mp4"), 3000u) << "never replaces a file";
    EXPECT_TRUE(std::filesystem::exists(Home + "/renamed.txt"));
}

TEST_F(ShellListViewTest, ItemMenuOpensAndRenamesTheSelectedItem)
{
    auto* lv = HomeList();
    EXPECT_FALSE(lv->ContextMenu().Show(10, 10)) << "nothing selected, no menu";
    lv->SetItemIndex(6);
    EXPECT_TRUE(lv->ContextMenu().Show(10, 10));
    ASSERT_NE(lv->ContextMenu().Menu(), nullptr);
    TMenuItem* items = lv->ContextMenu().Menu()->Items();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Items(0)->Caption(), "打开");
    EXPECT_EQ(items->Items(1)->Caption(), "重命名");
    items->Items(0)->Click();
    EXPECT_EQ(Opened, (Texts{Home + "/c d.avi"})) << "open goes to the desktop's opener";
    items->Items(1)->Click();
    EXPECT_TRUE(lv->IsEditing());
    Key(VK_ESCAPE);
    EXPECT_FALSE(lv->IsEditing());
}

TEST_F(ShellListViewTest, AutoRefreshShowsAFolderAppearingAndGoing)
{
    auto* lv = HomeList();
    lv->SetAutoRefresh(true);
    ASSERT_NE(lv->Notifier(), nullptr);
    EXPECT_EQ(lv->Notifier()->Root(), Home);
    auto ready = [&] { return lv->Notifier() && lv->Notifier()->Thread() && lv->Notifier()->Thread()->OptionsApplied() > 0; };
    ASSERT_TRUE(PumpUntil(ready));
    std::filesystem::create_directories(Home + "/fresh");
    ASSERT_TRUE(PumpUntil([&] { return Captions(lv)[0] == "b folder" && Captions(lv)[1] == "fresh"; }));
    ASSERT_TRUE(PumpUntil(ready));
    std::filesystem::remove_all(Home + "/fresh");
    ASSERT_TRUE(PumpUntil([&] { return Captions(lv)[1] == "Videos"; }));

    // The shown folder going away moves the list to its parent.
    lv->SetPath(Home + "/b folder/inner");
    ASSERT_TRUE(PumpUntil(ready));
    std::filesystem::remove_all(Home + "/b folder");
    ASSERT_TRUE(PumpUntil([&] { return lv->Path() == Home; }));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ShellListViewTest, VanishedFileShowsEmptyDetails)
{
    auto* lv = HomeList();
    lv->SetViewStyle(vsReport);
    std::filesystem::remove(Home + "/B.mp4");
    TListItem* item = lv->Items()[4];
    EXPECT_EQ(item->Caption(), "B.mp4");
    ASSERT_GE(item->SubItems().Count(), 1);
    EXPECT_EQ(item->SubItems()[0], "");
    lv->Repaint();
    Pump();
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
