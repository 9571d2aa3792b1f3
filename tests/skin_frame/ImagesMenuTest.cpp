// The images menu: its grid, the choice by mouse and by keys, the events it
// fires, the closing without events, and the menu speed button that opens
// it and shows the chosen image.
#include <filesystem>
#include "SkinFrameFixture.h"
#include "platform/gfx/Picture.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/menus/ImagesMenu.h"

namespace {

class TImagesMenuTest : public TFrameTest {
protected:
    void SetUp() override
    {
        TFrameTest::SetUp();
        MakeForm(400, 300);
        SetForegroundWindow(Form->Handle());
        Pump();
        Images = new TImageList(Form, 16, 24);
        const TColor colours[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clMaroon};
        for (TColor c : colours) {
            TBitmap b(16, 24);
            b.Canvas()->Brush().SetColor(c);
            b.Canvas()->FillRect(TRect{0, 0, 16, 24});
            Images->Add(b);
        }
        Menu = new TbsSkinImagesMenu(Form);
        Menu->SetImages(Images);
        Menu->SetColumnsCount(3);
        for (int i = 0; i < 7; ++i) {
            TbsImagesMenuItem item;
            item.ImageIndex = i;
            item.OnClick = [this, i](TObject*) { Events.push_back("item" + std::to_string(i)); };
            Menu->ImagesItems().push_back(item);
        }
        Menu->OnItemClick = [this](TObject*) { Events.push_back("ItemClick"); };
        Menu->OnChange = [this](TObject*) { Events.push_back("Change"); };
        Menu->OnMenuClose = [this](TObject*) { Events.push_back("Close"); };
    }
    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        TFrameTest::TearDown();
    }
    void Open()
    {
        Menu->PopupFromRect(TRect{100, 100, 180, 120});
        Pump();
        ASSERT_NE(Menu->PopupWindow(), nullptr);
    }
    // The screen point of an item's centre.
    TPoint ItemPoint(int i)
    {
        TRect w;
        GetWindowRect(Menu->PopupWindow()->Handle(), w);
        const TRect& r = Menu->ImagesItems()[size_t(i)].ItemRect;
        return TPoint{w.Left + (r.Left + r.Right) / 2, w.Top + (r.Top + r.Bottom) / 2};
    }
    void ClickAt(TPoint p, int button = 0)
    {
        Backend->MouseMove(p.X, p.Y);
        Backend->MouseDown(p.X, p.Y, button);
        Backend->MouseUp(p.X, p.Y, button);
        Pump();
    }
    void Key(int vk)
    {
        Backend->KeyDown(vk);
        Backend->KeyUp(vk);
        Pump();
    }

    TImageList* Images = nullptr;
    TbsSkinImagesMenu* Menu = nullptr;
    std::vector<std::string> Events;
};

// Seven cells in three columns: rows of 3, 3 and 1; a cell is the image
// plus 10; a header after the single cell starts a new row; the plain
// window is the grid plus 5 all round, below the rectangle.
TEST_F(TImagesMenuTest, Grid)
{
    Menu->SetColumnsCount(0);
    Menu->SetColumnsCount(51);
    EXPECT_EQ(Menu->ColumnsCount(), 3);
    TbsImagesMenuItem header;
    header.Header = true;
    header.Caption = "More";
    Menu->ImagesItems().push_back(header);
    TbsImagesMenuItem button;
    button.Button = true;
    button.Caption = "Other";
    Menu->ImagesItems().push_back(button);
    Open();
    const auto& items = Menu->ImagesItems();
    const int cw = 26, ch = 34;
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(items[size_t(i)].ItemRect,
                  (TRect{5 + i % 3 * cw, 5 + i / 3 * (ch + 1), 5 + i % 3 * cw + cw, 5 + i / 3 * (ch + 1) + ch}))
            << i;
    EXPECT_EQ(items[7].ItemRect, (TRect{5, 5 + 3 * (ch + 1), 5 + 3 * cw, 5 + 3 * (ch + 1) + ch}));
    EXPECT_EQ(items[8].ItemRect.Top, items[7].ItemRect.Bottom + 1);
    EXPECT_EQ(items[8].ItemRect.Width(), 3 * cw);
    TRect w;
    GetWindowRect(Menu->PopupWindow()->Handle(), w);
    EXPECT_EQ(w, (TRect{100, 120, 100 + 3 * cw + 10, 120 + items[8].ItemRect.Bottom - 5 + 10}));
    EXPECT_EQ(GetCapture(), Menu->PopupWindow()->Handle());

    // Rendered for a look, the third cell hovered and the fifth selected.
    Menu->SetItemIndex(4);
    Backend->MouseMove(ItemPoint(2).X, ItemPoint(2).Y);
    Pump();
    std::filesystem::create_directories(FRAME_RENDER_DIR);
    Backend->SaveWindowPicture(Menu->PopupWindow()->Handle(), std::string(FRAME_RENDER_DIR) + "/images_menu_plain.png");
    Menu->Hide();
    Pump();
    EXPECT_EQ(Events, std::vector<std::string>{"Close"});
}

// A click on a cell chooses it: the item's click, the menu's item click and
// change. Choosing it again fires no change.
TEST_F(TImagesMenuTest, MouseChoice)
{
    Open();
    ClickAt(ItemPoint(4));
    EXPECT_EQ(Menu->PopupWindow(), nullptr);
    EXPECT_EQ(Menu->ItemIndex(), 4);
    EXPECT_EQ(Events, (std::vector<std::string>{"Close", "item4", "ItemClick", "Change"}));
    EXPECT_EQ(Menu->SelectedItem(), &Menu->ImagesItems()[4]);
    EXPECT_EQ(GetCapture(), nullptr);

    Events.clear();
    Open();
    ClickAt(ItemPoint(4));
    EXPECT_EQ(Events, (std::vector<std::string>{"Close", "item4", "ItemClick"}));

    // A click outside and a right click close it without events.
    for (int button : {0, 1}) {
        Events.clear();
        Open();
        ClickAt(button ? ItemPoint(1) : TPoint{600, 500}, button);
        EXPECT_EQ(Menu->PopupWindow(), nullptr);
        EXPECT_EQ(Events, std::vector<std::string>{"Close"});
        EXPECT_EQ(Menu->ItemIndex(), 4);
    }
    Menu->SetItemIndex(9);
    EXPECT_EQ(Menu->SelectedItem(), nullptr);
}

// The arrows walk the grid (skipping headers), Enter chooses, Escape
// closes without events; Enter with nothing pointed at fires the chosen
// item's events for the unchanged index.
TEST_F(TImagesMenuTest, KeyboardChoice)
{
    Menu->ImagesItems()[3].Header = true;
    Open();
    TbsSkinImagesMenuPopupWindow* w = Menu->PopupWindow();
    // Rows: 0 1 2, the header 3, then 4 5 6.
    std::vector<int> path;
    for (int vk : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_LEFT, VK_UP, VK_RIGHT}) {
        Key(vk);
        path.push_back(w->MouseInItem);
    }
    EXPECT_EQ(path, (std::vector<int>{0, 4, 5, 4, 2, 2, 4}));
    const int at = 4;
    Key(VK_RETURN);
    EXPECT_EQ(Menu->ItemIndex(), at);
    EXPECT_EQ(Events.back(), "Change");

    Events.clear();
    Open();
    Key(VK_ESCAPE);
    EXPECT_EQ(Menu->PopupWindow(), nullptr);
    EXPECT_EQ(Events, std::vector<std::string>{"Close"});

    Events.clear();
    Open();
    Key(VK_RETURN);
    EXPECT_EQ(Events, (std::vector<std::string>{"Close", "item" + std::to_string(at), "ItemClick"}));
}

// In our base skin the window wears the skin's popup-window frame and the
// cells its button images; rendered for a look.
TEST_F(TImagesMenuTest, SkinnedLook)
{
    TLoadedSkin base;
    base.Load(0);
    Menu->SetSkinData(&base.Data);
    TbsImagesMenuItem header;
    header.Header = true;
    header.Caption = "Colours";
    Menu->ImagesItems().insert(Menu->ImagesItems().begin(), header);
    TbsImagesMenuItem button;
    button.Button = true;
    button.ImageIndex = 2;
    button.Caption = "Blue";
    Menu->ImagesItems().push_back(button);
    Menu->SetItemIndex(8);
    Open();
    Backend->MouseMove(ItemPoint(2).X, ItemPoint(2).Y);
    Pump();
    const TRect& first = Menu->ImagesItems()[0].ItemRect;
    ASSERT_NE(base.Data.PopupWindow, nullptr);
    EXPECT_EQ(first.Left, base.Data.PopupWindow->ItemsRect.Left);
    std::filesystem::create_directories(FRAME_RENDER_DIR);
    Backend->SaveWindowPicture(Menu->PopupWindow()->Handle(), std::string(FRAME_RENDER_DIR) + "/images_menu_skin0.png");
    Menu->Hide();
    Pump();
    Menu->SetSkinData(nullptr);
}

// Images without items open nothing, but the popup is announced.
TEST_F(TImagesMenuTest, ImagesWithoutItemsOpenNothing)
{
    Menu->ImagesItems().clear();
    int popups = 0;
    Menu->OnMenuPopup = [&](TObject*) { ++popups; };
    Menu->PopupFromRect(TRect{10, 10, 20, 20});
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(Menu->PopupWindow(), nullptr);
}

// A menu speed button opens the menu below itself, stays down while it is
// open and shows the chosen image on its face afterwards.
TEST_F(TImagesMenuTest, MenuSpeedButtonShowsTheChoice)
{
    auto* button = new TbsSkinMenuSpeedButton(Form);
    button->SetParent(Form);
    button->SetBounds(20, 20, 60, 40);
    button->SetSkinImagesMenu(Menu);
    button->SetUseImagesMenuImage(true);
    Pump();
    TPoint origin{0, 0};
    ClientToScreen(Form->Handle(), origin);
    const TPoint p{origin.X + 40, origin.Y + 30};
    Backend->MouseMove(p.X, p.Y);
    Backend->MouseDown(p.X, p.Y);
    Pump();
    ASSERT_NE(Menu->PopupWindow(), nullptr);
    EXPECT_TRUE(button->Down());
    TRect w;
    GetWindowRect(Menu->PopupWindow()->Handle(), w);
    EXPECT_EQ(w.Top, origin.Y + 60);
    EXPECT_EQ(w.Left, origin.X + 20);
    Backend->MouseUp(p.X, p.Y);
    Pump();
    ClickAt(ItemPoint(2));
    EXPECT_EQ(Menu->ItemIndex(), 2);
    EXPECT_FALSE(button->Down());
    // The face shows the blue image of the third item.
    auto shot = Backend->CaptureWindow(Form->Handle());
    TPoint c{origin.X + 40, origin.Y + 30};
    TRect fw;
    GetWindowRect(Form->Handle(), fw);
    bool blue = false;
    for (int dx = -12; dx <= 12 && !blue; ++dx)
        blue = shot->GetPixel(c.X - fw.Left + dx, c.Y - fw.Top) == clBlue;
    EXPECT_TRUE(blue);
}

// A windowed skinned button shows the selected item's image and caption on
// its face; without a selection its own caption.
TEST_F(TImagesMenuTest, SkinButtonFaceShowsTheSelection)
{
    auto* button = new TbsSkinButton(Form);
    button->SetParent(Form);
    button->SetBounds(20, 20, 120, 40);
    button->SetCaption("Pick");
    button->SetSkinImagesMenu(Menu);
    button->SetUseImagesMenuImage(true);
    Menu->ImagesItems()[5].Caption = "Aqua";
    button->SetUseImagesMenuCaption(true);
    auto faceHas = [&](TColor colour) {
        button->Repaint();
        Pump();
        auto shot = Backend->CaptureWindow(Form->Handle());
        TPoint o{0, 0};
        ClientToScreen(button->Handle(), o);
        TRect fw;
        GetWindowRect(Form->Handle(), fw);
        for (int y = 2; y < 38; ++y)
            for (int x = 2; x < 118; ++x)
                if (shot->GetPixel(o.X - fw.Left + x, o.Y - fw.Top + y) == colour)
                    return true;
        return false;
    };
    EXPECT_FALSE(faceHas(clAqua));
    Open();
    ClickAt(ItemPoint(5));
    EXPECT_EQ(Menu->SelectedCaption(), "Aqua");
    EXPECT_EQ(Menu->SelectedImageIndex(), 5);
    EXPECT_TRUE(faceHas(clAqua));
}

}  // namespace
