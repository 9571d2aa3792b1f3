#include "WidgetFixture.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/TreeView.h"
#include <cstring>

class TTreeViewTest : public TViewTest {
protected:
    void SetUp() override
    {
        TViewTest::SetUp();
        Tree = new TTreeView(Form);
        Tree->SetBounds(10, 10, 220, 200);
        Tree->SetParent(Form);
    }
    // The screen point of a part of a node's row.
    TPoint ButtonOf(TTreeNode* n)
    {
        TRect r = n->DisplayRect(true);
        int depth = n->Level() + 1;
        return At(Tree, (depth - 1) * Tree->Indent() + Tree->Indent() / 2, (r.Top + r.Bottom) / 2);
    }
    TPoint LabelOf(TTreeNode* n)
    {
        TRect r = n->DisplayRect(true);
        return At(Tree, r.Left + 3, (r.Top + r.Bottom) / 2);
    }
    TTreeView* Tree = nullptr;
};

TEST_F(TTreeViewTest, ChildrenAreLoadedWhenANodeFirstExpands)
{
    std::vector<std::string> log;
    Tree->OnExpanding = [&](TObject*, TTreeNode* n, bool& allow) {
        log.push_back("expanding " + n->Text());
        if (n->Text() == "locked") {
            allow = false;
            return;
        }
        if (n->Count() == 0)
            for (int i = 0; i < 3; ++i)
                Tree->Items().AddChild(n, n->Text() + "/" + std::to_string(i))->SetHasChildren(n->Level() < 1);
    };
    Tree->OnExpanded = [&](TObject*, TTreeNode* n) { log.push_back("expanded " + n->Text()); };
    TTreeNode* root = Tree->Items().Add(nullptr, "root");
    root->SetHasChildren(true);
    TTreeNode* locked = Tree->Items().Add(nullptr, "locked");
    locked->SetHasChildren(true);
    Pump();
    EXPECT_EQ(SendMessage(Tree->Handle(), TVM_GETCOUNT), 2);

    Click(ButtonOf(root));
    EXPECT_TRUE(root->Expanded());
    ASSERT_EQ(root->Count(), 3);
    EXPECT_EQ(SendMessage(Tree->Handle(), TVM_GETCOUNT), 5);
    EXPECT_FALSE(root->Item(1)->Expanded()) << "grandchildren wait for their own expansion";
    Tree->SetSelected(root->Item(1));
    Key(VK_RIGHT);
    EXPECT_EQ(root->Item(1)->Count(), 3);
    Click(ButtonOf(locked));
    EXPECT_FALSE(locked->Expanded());

    // Collapsing above the selection moves it up; expanding again loads nothing new.
    Tree->SetSelected(root->Item(1)->Item(2));
    Click(ButtonOf(root));
    EXPECT_FALSE(root->Expanded());
    EXPECT_EQ(Tree->Selected(), root);
    Click(ButtonOf(root));
    EXPECT_EQ(root->Count(), 3);
    EXPECT_EQ(log, (std::vector<std::string>{"expanding root", "expanded root", "expanding root/1", "expanded root/1",
                                             "expanding locked", "expanding root", "expanded root"}));
}

TEST_F(TTreeViewTest, SelectionChangesAskFirstAndDeletionTellsChildrenFirst)
{
    TTreeNode* a = Tree->Items().Add(nullptr, "a");
    TTreeNode* b = Tree->Items().Add(nullptr, "b");
    TTreeNode* b1 = Tree->Items().AddChild(b, "b1");
    Tree->Items().AddChild(b1, "b11");
    b->Expand(true);
    Pump();
    bool allow = true;
    std::vector<std::string> log;
    Tree->OnChanging = [&](TObject*, TTreeNode* n, bool& ok) {
        log.push_back("changing " + (n ? n->Text() : std::string("none")));
        ok = allow;
    };
    Tree->OnChange = [&](TObject*, TTreeNode* n) { log.push_back("change " + (n ? n->Text() : std::string("none"))); };
    Tree->OnDeletion = [&](TObject*, TTreeNode* n) { log.push_back("deletion " + n->Text()); };
    Click(LabelOf(a));
    allow = false;
    Click(LabelOf(b1));
    EXPECT_EQ(Tree->Selected(), a) << "the veto keeps the selection";
    allow = true;
    Tree->SetSelected(b1);
    b->Delete();
    EXPECT_EQ(Tree->Selected(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"changing a", "change a", "changing b1", "changing b1", "change b1",
                                             "deletion b11", "deletion b1", "change none", "deletion b"}));
    EXPECT_EQ(Tree->Items().Count(), 1);
}

TEST_F(TTreeViewTest, ChangeDelayReportsOnceForTheNodeWhereTheSelectionCameToRest)
{
    for (const char* t : {"a", "b", "c", "d"})
        Tree->Items().Add(nullptr, t);
    Tree->SetChangeDelay(300);
    Tree->SetFocus();
    Pump();
    std::vector<std::string> log;
    Tree->OnChanging = [&](TObject*, TTreeNode* n, bool&) { log.push_back("changing " + n->Text()); };
    Tree->OnChange = [&](TObject*, TTreeNode* n) { log.push_back("change " + (n ? n->Text() : std::string("none"))); };
    Tree->SetSelected(Tree->Items()[0]);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Backend->Advance(200);
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"changing a", "changing b", "changing c"}))
        << "the change waits for the delay";
    Key(VK_DOWN);
    Backend->Advance(200);
    Pump();
    EXPECT_EQ(log.size(), 4u) << "each move restarts the delay";
    Backend->Advance(150);
    Pump();
    Backend->Advance(500);
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"changing a", "changing b", "changing c", "changing d", "change d"}));

    // Back to no delay: at once.
    Tree->SetChangeDelay(0);
    Tree->SetSelected(Tree->Items()[0]);
    EXPECT_EQ(log.back(), "change a");
}

TEST_F(TTreeViewTest, LabelEditingAcceptsCancelsAndSurvivesTheNodeGoing)
{
    TTreeNode* n = Tree->Items().Add(nullptr, "Videos");
    TTreeNode* other = Tree->Items().Add(nullptr, "Music");
    Pump();
    std::vector<std::string> edited;
    Tree->OnEdited = [&](TObject*, TTreeNode*, std::string& s) { edited.push_back(s); };
    bool allow = true;
    Tree->OnEditing = [&](TObject*, TTreeNode*, bool& ok) { ok = allow; };
    Click(LabelOf(n));
    Key(VK_F2);
    ASSERT_TRUE(Tree->IsEditing());
    Type("Films");
    Key(VK_RETURN);
    EXPECT_EQ(n->Text(), "Films");
    EXPECT_TRUE(Tree->Focused());
    ASSERT_TRUE(other->EditText());
    Type("x");
    Key(VK_ESCAPE);
    EXPECT_EQ(other->Text(), "Music");
    ASSERT_NE(SendMessage(Tree->Handle(), TVM_EDITLABEL, 0, LPARAM(other)), 0);
    other->Delete();
    EXPECT_FALSE(Tree->IsEditing());
    allow = false;
    EXPECT_FALSE(n->EditText());
    EXPECT_EQ(edited, std::vector<std::string>{"Films"});
}

TEST_F(TTreeViewTest, ChildrenSortByCallbackAndByText)
{
    TTreeNode* root = Tree->Items().Add(nullptr, "root");
    for (const char* name : {"delta", "Alpha", "charlie", "bravo"})
        Tree->Items().AddChild(root, name)->SetData(reinterpret_cast<void*>(std::strlen(name)));
    auto texts = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < root->Count(); ++i)
            out.push_back(root->Item(i)->Text());
        return out;
    };
    root->AlphaSort();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta"}));
    TVSORTCB sort;
    sort.hParent = root;
    sort.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM descending) {
        auto len = [](LPARAM n) { return int(reinterpret_cast<intptr_t>(reinterpret_cast<TTreeNode*>(n)->Data())); };
        return descending ? len(b) - len(a) : len(a) - len(b);
    };
    sort.lParam = 1;
    ASSERT_TRUE(SendMessage(Tree->Handle(), TVM_SORTCHILDRENCB, 0, LPARAM(&sort)));
    EXPECT_EQ(texts(), (std::vector<std::string>{"charlie", "Alpha", "bravo", "delta"}));
}

TEST_F(TTreeViewTest, ScrollStateFollowsTheShownRowsAndTheThumbMessage)
{
    Tree->Items().BeginUpdate();
    TTreeNode* root = Tree->Items().Add(nullptr, "root");
    for (int i = 0; i < 60; ++i)
        Tree->Items().AddChild(root, "folder " + std::to_string(i));
    Tree->Items().EndUpdate();
    Pump();
    HWND h = Tree->Handle();
    int page = int(SendMessage(h, TVM_GETVISIBLECOUNT));
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, SB_VERT, si);
    EXPECT_EQ(si.nMax, 0) << "children of a closed node take no rows";
    root->Expand(false);
    GetScrollInfo(h, SB_VERT, si);
    EXPECT_EQ(si.nMax, 60);
    EXPECT_EQ(int(si.nPage), page);
    SendMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 0);
    EXPECT_EQ(Tree->TopItem(), root->Item(19));
    EXPECT_EQ(reinterpret_cast<TTreeNode*>(SendMessage(h, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE)), root->Item(19));
    Tree->SetFocus();
    Tree->SetSelected(root->Item(59));
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 61 - page);
    Key(VK_HOME);
    EXPECT_EQ(Tree->Selected(), root);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);
    Type("FOLDER 4");
    EXPECT_EQ(Tree->Selected(), root->Item(4)) << "typing finds the shown node by its first letters";
}

TEST_F(TTreeViewTest, NodesPaintButtonsImagesAndTheSelection)
{
    auto* images = new TImageList(Form, 16, 16);
    TBitmap blue(16, 16);
    blue.Fill(clBlue);
    images->Add(blue);
    Tree->SetImages(images);
    TTreeNode* root = Tree->Items().Add(nullptr, "Computer");
    root->SetImageIndex(0);
    TTreeNode* child = Tree->Items().AddChild(root, "Disk");
    child->SetImageIndex(0);
    Tree->Items().AddChild(child, "Folder");
    root->Expand(false);
    Tree->SetFocus();
    Tree->SetSelected(child);
    auto shot = Snapshot("tree");
    TRect label = child->DisplayRect(true);
    int mid = (label.Top + label.Bottom) / 2;
    EXPECT_EQ(PixelAt(*shot, At(Tree, label.Right - 2, mid)), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(*shot, At(Tree, label.Left - 10, mid)), ColorToRGB(clBlue));
    TPoint button = ButtonOf(child);
    EXPECT_EQ(PixelAt(*shot, TPoint{button.X, button.Y - 4}), ColorToRGB(clBtnShadow)) << "button frame";
    EXPECT_EQ(PixelAt(*shot, TPoint{button.X, button.Y - 2}), ColorToRGB(clWindowText)) << "the + of a closed node";
    TRect rootLabel = root->DisplayRect(true);
    EXPECT_EQ(PixelAt(*shot, At(Tree, rootLabel.Right - 2, (rootLabel.Top + rootLabel.Bottom) / 2)),
              ColorToRGB(clWindow));
}

TEST_F(TTreeViewTest, StateImagesDrawBeforeTheNodeImage)
{
    auto* images = new TImageList(Form, 16, 16);
    auto* states = new TImageList(Form, 14, 20);
    TBitmap pic(16, 16);
    pic.Fill(clBlue);
    images->Add(pic);
    TBitmap st(14, 20);
    st.Fill(clLime);
    states->Add(st);
    Tree->SetImages(images);
    Tree->SetStateImages(states);
    EXPECT_GE(Tree->RowHeight(), 21) << "rows fit the taller state picture";
    TTreeNode* stated = Tree->Items().Add(nullptr, "Stated");
    stated->SetImageIndex(0);
    stated->SetStateIndex(0);
    TTreeNode* plain = Tree->Items().Add(nullptr, "Plain");
    plain->SetImageIndex(0);
    auto shot = Snapshot("tree-states");
    TRect a = stated->DisplayRect(true), b = plain->DisplayRect(true);
    int midA = (a.Top + a.Bottom) / 2, midB = (b.Top + b.Bottom) / 2;
    EXPECT_EQ(PixelAt(*shot, At(Tree, a.Left - 10, midA)), ColorToRGB(clBlue));
    EXPECT_EQ(PixelAt(*shot, At(Tree, a.Left - 2 - 16 - 7, midA)), ColorToRGB(clLime));
    EXPECT_EQ(b.Left + 14, a.Left) << "a node without a state index takes no state room";
    EXPECT_EQ(PixelAt(*shot, At(Tree, b.Left - 10, midB)), ColorToRGB(clBlue));
    TVHITTESTINFO hit;
    hit.pt = TPoint{a.Left - 2 - 16 - 7, midA};
    SendMessage(Tree->Handle(), TVM_HITTEST, 0, LPARAM(&hit));
    EXPECT_EQ(hit.hItem, stated);
    EXPECT_EQ(hit.flags, TVHT_ONITEMSTATEICON);
}
