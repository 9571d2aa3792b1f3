// A modal dialog of the program holds the main window: a press on its menu
// bar or tool bar and its accelerators do nothing while the dialog runs.
#include "MainFixture.h"

#include "app/main/ProgramLinks.h"
#include "platform/core/Thread.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Ui.h"
#include "skin/controls/SkinButton.h"
#include "skin/dialogs/OpenDialog.h"
#include "skin/dialogs/OpenDialogForm.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"
#include "platform/ui/controls/ListView.h"
#include "skin/controls/SkinListView.h"

namespace maintest {
namespace {

class ModalTest : public MainWindowTest {
protected:
    // The main window's menu: a drop-down or a pressed item of the bar.
    bool MenuOpen() const
    {
        auto* menu = dynamic_cast<TbsSkinMenu*>(Form1->bsBusinessSkinForm1->SkinMenu());
        if (menu && menu->Visible())
            return true;
        for (auto& item : Form1->bsSkinMainMenuBar1->ObjectList)
            if (item->FDown)
                return true;
        return false;
    }

    void PressOn(TControl* AControl, TPoint AAt)
    {
        TPoint p = AControl->ClientToScreen(AAt);
        Backend->MouseMove(p.X, p.Y);
        Pump();
        Backend->Click(p.X, p.Y);
        Pump();
    }
};

TEST_F(ModalTest, TheOpenDialogHoldsMenuBarToolBarAndAccelerators)
{
    std::vector<std::string> opened;
    auto savedOpener = DocumentOpener;
    DocumentOpener = [&](const std::string& ATarget) { opened.push_back(ATarget); };
    Start();
    Form1->Faces().Dialogs = std::make_unique<TSkinnedDialogs>(*Form1->OpenDialog1, *Form1->OpenDialog2,
                                                               *Form1->bsSkinSelectDirectoryDialog1,
                                                               *Form1->bsSkinSelectDirectoryDialog2);
    // The options dialog would run a modal loop of its own: leave it at once.
    bool optionsShown = false;
    Form5->OnShow = [&](TObject*) {
        optionsShown = true;
        TThread::ForceQueue(nullptr, [] { Form5->SetModalResult(mrCancel); });
    };
    int dialogs = 0;
    bool menuOpened = false;
    Form1->OpenDialog1->OnShow = [&](TObject*) {
        if (++dialogs > 1)
            TThread::ForceQueue(nullptr, [this] { Form1->OpenDialog1->DialogForm()->SetModalResult(mrCancel); });
        if (dialogs > 1)
            return;
        TThread::ForceQueue(nullptr, [&] {
            TbsOpenDlgForm* dialog = Form1->OpenDialog1->DialogForm();
            ASSERT_NE(dialog, nullptr);
            EXPECT_FALSE(IsWindowEnabled(Form1->Handle()));
            // 文件 on the menu bar.
            Form1->bsSkinMainMenuBar1->CalcItemsRect();
            TRect file = Form1->bsSkinMainMenuBar1->ObjectList[0]->ObjectRect;
            PressOn(Form1->bsSkinMainMenuBar1, TPoint{(file.Left + file.Right) / 2, (file.Top + file.Bottom) / 2});
            menuOpened = MenuOpen();
            // 选项 on the tool bar.
            PressOn(Form1->bsSkinButton19, TPoint{Form1->bsSkinButton19->Width() / 2, 10});
            // F1 and Alt+F, with the keyboard on the main window's menu.
            Backend->KeyPress(VK_F1);
            Backend->KeyDown(VK_MENU);
            Backend->KeyPress('F', "f");
            Backend->KeyUp(VK_MENU);
            Pump();
            menuOpened = menuOpened || MenuOpen();
            dialog->SetModalResult(mrCancel);
        });
    };
    Form1->Item111->Click();   // 文件 › 添加一个文件
    Pump();
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(menuOpened);
    EXPECT_FALSE(optionsShown);
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_EQ(Form1->lvFiles->Items().Count(), 0);

    // Once the dialog is gone, the same presses act.
    PressOn(Form1->bsSkinButton19, TPoint{Form1->bsSkinButton19->Width() / 2, 10});
    EXPECT_TRUE(optionsShown);
    SetForegroundWindow(Form1->Handle());
    Backend->KeyPress(VK_F1);
    Pump();
    EXPECT_EQ(opened.size(), 1u);
    TRect file = Form1->bsSkinMainMenuBar1->ObjectList[0]->ObjectRect;
    PressOn(Form1->bsSkinMainMenuBar1, TPoint{(file.Left + file.Right) / 2, (file.Top + file.Bottom) / 2});
    EXPECT_TRUE(MenuOpen());
    Backend->KeyPress(VK_ESCAPE);
    Backend->KeyPress(VK_ESCAPE);
    Pump();
    DocumentOpener = savedOpener;
}

} // namespace
} // namespace maintest
