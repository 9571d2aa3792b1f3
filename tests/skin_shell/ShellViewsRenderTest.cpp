#include <gtest/gtest.h>

#include "skin/shell/ShellComboBox.h"
#include "tests/skin_shell/ShellViewsFixture.h"

namespace {

class ShellViewsRenderTest : public TShellViewsTest {};

// The look-in box, the folder tree and the file list in our base skin, linked
// and showing one folder: the list in each view style, and the box's list open.
TEST_F(ShellViewsRenderTest, TreeListAndComboInTheBaseSkin)
{
    TbsSkinData* skin = BaseSkinData();
    Form->SetBounds(50, 50, 560, 330);
    auto* cb = new TbsSkinShellComboBox(Form);
    cb->SetParent(Form);
    cb->SetBounds(10, 8, 300, 21);
    cb->SetSkinData(skin);
    auto* tv = NewTree(skin, TRect{10, 36, 190, 316});
    auto* lv = NewList(skin, TRect{200, 36, 550, 316});
    tv->SetHideSelection(false);
    tv->SetShellListView(lv);
    tv->SetShellComboBox(cb);
    lv->SetShellComboBox(cb);
    tv->SetPath(Home + "/b folder/inner");
    lv->SetPath(Home);
    lv->SetItemIndex(4);
    Pump();

    TRenderSheet sheet;
    for (TViewStyle style : {vsList, vsReport, vsIcon, vsSmallIcon}) {
        lv->SetViewStyle(style);
        Pump();
        static const char* names[] = {"large icons", "small icons", "list", "details"};
        sheet.Add(std::string("file list: ") + names[style], *Capture());
        if (style == vsReport)
            sheet.NewRow();
    }
    sheet.NewRow();
    lv->SetViewStyle(vsList);
    cb->DropDown();
    Pump();
    // The form and the list below the box, cut out of the screen.
    auto screen = Backend->CaptureScreen();
    TBitmap open(Form->Width(), Form->Height());
    for (int y = 0; y < open.Height(); ++y)
        for (int x = 0; x < open.Width(); ++x)
            open.SetPixel(x, y, screen->GetPixel(Form->Left() + x, Form->Top() + y));
    sheet.Add("look-in list open", open);
    cb->CloseUp(false);
    sheet.Save("shell_views");
    EXPECT_EQ(lv->Path(), Home);
    EXPECT_EQ(cb->Path(), Home);
}

}  // namespace
