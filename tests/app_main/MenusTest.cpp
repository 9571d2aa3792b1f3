// The main window's menus through the menu bar and the keyboard: separators
// are dividers the keyboard never lands on, and they are drawn as lines.
#include "MainFixture.h"

#include <filesystem>

#include "platform/ui/WinConsts.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

namespace maintest {
namespace {

class MenusTest : public MainWindowTest {
protected:
    TbsSkinMenu* Engine() const { return dynamic_cast<TbsSkinMenu*>(Form1->bsBusinessSkinForm1->SkinMenu()); }
    TbsSkinPopupWindow* Top() const
    {
        TbsSkinMenu* e = Engine();
        return e && e->Visible() && e->WindowCount() > 0 ? e->PopupWindow(e->WindowCount() - 1) : nullptr;
    }
    void Key(int AKey)
    {
        Backend->KeyDown(AKey);
        Backend->KeyUp(AKey);
        Pump();
    }
    // Opens the menu of the bar's item AIndex by the keyboard: Alt, Right, Down.
    void OpenByKeyboard(int AIndex)
    {
        Key(VK_MENU);
        for (int i = 0; i < AIndex; ++i)
            Key(VK_RIGHT);
        Key(VK_DOWN);
    }
    void CloseMenus()
    {
        Key(VK_ESCAPE);
        Key(VK_ESCAPE);
    }
    // The caption of the highlighted item, "<none>" for none.
    std::string Highlighted() const
    {
        TbsSkinPopupWindow* w = Top();
        if (!w || w->ActiveItem < 0)
            return "<none>";
        return w->Items()[size_t(w->ActiveItem)]->MenuItem->Caption();
    }
};

// The separators of every menu of the bar are dividers: in 编辑 and 动作 on
// an empty list every item is disabled, and Down highlights nothing at all.
TEST_F(MenusTest, KeyboardSkipsSeparatorsAndDisabledItems)
{
    Start();
    struct MenuCase {
        int Index;
        std::vector<std::string> Walk;   // what each Down highlights
    };
    const MenuCase cases[] = {
        {0, {"添加多个文件", "添加整个目录", "退出", "添加一个文件"}},
        {1, {"<none>", "<none>", "<none>", "<none>"}},
        {2, {"<none>", "<none>", "<none>", "<none>"}},
        {4, {"官方网站", "关于软件", "帮助系统"}},
    };
    for (const MenuCase& c : cases) {
        OpenByKeyboard(c.Index);
        TbsSkinPopupWindow* w = Top();
        ASSERT_NE(w, nullptr) << c.Index;
        int dividers = 0;
        for (TbsSkinMenuItem* item : w->Items()) {
            EXPECT_FALSE(item->MenuItem->Caption().empty()) << "an empty row in menu " << c.Index;
            dividers += item->IsDivider();
        }
        EXPECT_GT(dividers, 0) << c.Index;
        for (const std::string& expected : c.Walk) {
            Key(VK_DOWN);
            EXPECT_EQ(Highlighted(), expected) << "menu " << c.Index;
        }
        CloseMenus();
        EXPECT_FALSE(Engine()->Visible());
    }
}

// A menu with separators, open in every skin, for a person to look at; each
// separator shows a line across the middle of its row.
class MenuRenderTest : public MenusTest, public ::testing::WithParamInterface<int> {};

TEST_P(MenuRenderTest, SeparatorsAreLines)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    Start();
    OpenByKeyboard(1);
    TbsSkinPopupWindow* w = Top();
    ASSERT_NE(w, nullptr);
    Pump();
    std::filesystem::create_directories(APP_MAIN_RENDER_DIR);
    Backend->SaveScreenPicture(std::string(APP_MAIN_RENDER_DIR) + "/skin" + std::to_string(GetParam()) + "_menu.png");
    auto picture = Backend->CaptureWindow(w->Handle());
    for (TbsSkinMenuItem* item : w->Items()) {
        if (!item->IsDivider())
            continue;
        // Some row of the divider holds a line: most of its middle differs
        // from the divider's own left end, which is the menu's background.
        const TRect r = item->ObjectRect;
        const TColor background = picture->GetPixel(r.Left + r.Width() / 2, r.Top);
        int lineRows = 0;
        for (int y = r.Top; y < r.Bottom; ++y) {
            int differing = 0;
            for (int x = r.Left + r.Width() / 4; x < r.Right - r.Width() / 4; ++x)
                differing += picture->GetPixel(x, y) != background;
            lineRows += differing > r.Width() / 3;
        }
        EXPECT_GE(lineRows, 1) << "divider at " << r.Top;
    }
    CloseMenus();
}

INSTANTIATE_TEST_SUITE_P(Skins, MenuRenderTest, ::testing::Range(0, 7));

} // namespace
} // namespace maintest
