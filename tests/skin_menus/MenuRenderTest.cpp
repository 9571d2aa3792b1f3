// Renders of a popup menu with every kind of item, plain and in each of our
// skins, for a person to look at. The assertions guard a few pixels.
#include <filesystem>
#include "MenuFixture.h"

namespace {

class TMenuRender : public TMenuTest, public ::testing::WithParamInterface<int> {
protected:
    std::filesystem::path Dir()
    {
        std::filesystem::path dir = std::filesystem::path(MENU_RENDER_DIR);
        std::filesystem::create_directories(dir);
        return dir;
    }

    // Hot (the first usable item is highlighted when the menu opens), normal
    // with a shortcut, disabled, checked, radio, line, header, sub-menu and a
    // system item drawn with its caption-button glyph.
    void BuildMenu(TPopupMenu& Menu)
    {
        TMenuItem* root = Menu.Items();
        Add(root, "&Hot item");
        Add(root, "&Normal item", ShortCut('O', false, true, false));
        Add(root, "&Disabled item")->SetEnabled(false);
        Add(root, "&Checked item")->SetChecked(true);
        TMenuItem* radio = Add(root, "&Radio item");
        radio->SetRadioItem(true);
        radio->SetChecked(true);
        Add(root, "-");
        Add(root, "-Header-")->SetEnabled(false);
        TMenuItem* sub = Add(root, "&Sub-menu");
        Add(sub, "Inside");
        TMenuItem* close = Add(root, "&Close", ShortCut(VK_F4, false, false, true));
        close->SetName("BSF_CLOSE");
    }
};

TEST_P(TMenuRender, EveryItemKind)
{
    int skin = GetParam();
    TLoadedSkin s;
    if (skin >= 0)
        s.Load(skin);
    TbsSkinPopupMenu menu(Form);
    BuildMenu(menu);
    if (skin >= 0)
        menu.SetSkinData(&s.Data);
    menu.Popup(150, 120);
    Advance(200);   // the hot item's fade runs to its end
    ASSERT_TRUE(Engine->Visible());
    TbsSkinPopupWindow* w = Top();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Skinned(), skin >= 0 && s.Data.PopupWindow && s.Data.PopupWindow->WindowPictureIndex >= 0);
    EXPECT_EQ(w->ActiveItem, 0);
    EXPECT_EQ(w->Items().size(), 9u);
    std::string name = skin >= 0 ? "skin" + std::to_string(skin) : "plain";
    Backend->SaveWindowPicture(w->Handle(), (Dir() / (name + "_menu.png")).string());

    auto pic = Backend->CaptureWindow(w->Handle());
    ASSERT_TRUE(pic);
    if (skin < 0) {
        // The plain look: the hot item's frame and fill, the glyph column and the window frame.
        TRect hot = w->Items()[0]->ObjectRect;
        EXPECT_EQ(pic->GetPixel(hot.Left, hot.Top + 3), TColor(0x800000));
        EXPECT_EQ(pic->GetPixel(hot.Left + 30, hot.Top + 1), TColor(0xD2BDB6));
        TRect normal = w->Items()[1]->ObjectRect;
        EXPECT_EQ(pic->GetPixel(normal.Left + 3, normal.Top + 2), ColorToRGB(clBtnFace));
        EXPECT_EQ(pic->GetPixel(0, 0), ColorToRGB(clBtnShadow));
    }
    Engine->Hide();
    Pump();
}

// The same menu on a right-to-left form: captions at the right of their
// items, shortcuts at the left.
TEST_P(TMenuRender, RightToLeft)
{
    int skin = GetParam();
    TLoadedSkin s;
    if (skin >= 0)
        s.Load(skin);
    Form->SetBiDiMode(bdRightToLeft);
    TbsSkinPopupMenu menu(Form);
    BuildMenu(menu);
    if (skin >= 0)
        menu.SetSkinData(&s.Data);
    menu.Popup(150, 120);
    Advance(200);
    ASSERT_TRUE(Engine->Visible());
    std::string name = skin >= 0 ? "skin" + std::to_string(skin) : "plain";
    Backend->SaveWindowPicture(Top()->Handle(), (Dir() / (name + "_menu_rtl.png")).string());
    Engine->Hide();
    Pump();
}

// A long menu between its scroll bands, scrolled to its middle.
TEST_P(TMenuRender, ScrollBands)
{
    int skin = GetParam();
    TLoadedSkin s;
    if (skin >= 0)
        s.Load(skin);
    Frame->SetMaxMenuItemsInWindow(5);
    TbsSkinPopupMenu menu(Form);
    for (int i = 1; i <= 8; ++i)
        Add(menu.Items(), "Item " + std::to_string(i));
    if (skin >= 0)
        menu.SetSkinData(&s.Data);
    menu.Popup(150, 120);
    Advance(200);
    TbsSkinPopupWindow* w = Top();
    ASSERT_NE(w, nullptr);
    w->ScrollDown(false);
    w->ScrollDown(false);
    Advance(100);
    EXPECT_EQ(w->VisibleStartIndex, 2);
    EXPECT_EQ(w->VisibleCount, 5);
    std::string name = skin >= 0 ? "skin" + std::to_string(skin) : "plain";
    Backend->SaveWindowPicture(w->Handle(), (Dir() / (name + "_scroll.png")).string());
    Engine->Hide();
    Pump();
}

INSTANTIATE_TEST_SUITE_P(Skins, TMenuRender, ::testing::Values(-1, 0, 1, 2, 3, 4, 5, 6));

}  // namespace
