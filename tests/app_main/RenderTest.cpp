// The main window, the options dialog and the about dialog in each of our
// seven skins, saved as PNG pictures for a person to look at.
#include "MainFixture.h"

#include <filesystem>
#include <set>

#include "skin/data/SkinData.h"
#include "platform/ui/controls/TabControl.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "app/presets/PresetCascade.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinPageControl.h"

namespace maintest {
namespace {

class RenderTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    std::string Picture(const std::string& AWhat) const
    {
        std::filesystem::create_directories(APP_MAIN_RENDER_DIR);
        return std::string(APP_MAIN_RENDER_DIR) + "/skin" + std::to_string(GetParam()) + "_" + AWhat + ".png";
    }
    // Saves the window and checks that it is not one flat colour.
    void Save(TForm* AForm, const std::string& AWhat)
    {
        Pump();
        auto picture = Backend->CaptureWindow(AForm->Handle());
        ASSERT_GT(picture->Width(), AForm->ClientWidth());
        std::set<TColor> colours;
        for (int y = 0; y < picture->Height(); y += 7)
            for (int x = 0; x < picture->Width(); x += 7)
                colours.insert(picture->GetPixel(x, y));
        EXPECT_GT(colours.size(), 8u) << AWhat;
        Backend->SaveWindowPicture(AForm->Handle(), Picture(AWhat));
    }
};

TEST_P(RenderTest, MainWindowAndDialogs)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    WriteIni("OutPath", "OutPath", Home.File("输出"));
    Start();
    ASSERT_EQ(Form1->bsSkinData1->SkinIndex(), GetParam());
    Save(Form1, "main");
    Form1->bsSkinPageControl1->SetActivePageIndex(1);
    Save(Form1, "main_advanced");
    Form5->Show();
    Save(Form5, "options_cpu");
    Form5->bsSkinPageControl1->SetActivePageIndex(1);
    Save(Form5, "options_general");
    Form5->Hide();
    Form2->Show();
    Save(Form2, "about");
    Form2->Hide();
}

INSTANTIATE_TEST_SUITE_P(Skins, RenderTest, ::testing::Range(0, 7));

} // namespace
} // namespace maintest

namespace maintest {
namespace {

// The category and format lists dropped down with their pictures, in our
// base skin: the screen with the main window and the open list.
TEST_F(MainWindowTest, OfficeListsDroppedDown)
{
    WriteIni("OutPath", "OutPath", Home.File("输出"));
    Start();
    std::filesystem::create_directories(APP_MAIN_RENDER_DIR);
    for (auto [combo, name] : {std::pair{Form1->bsSkinOfficeComboBox2, "categories"},
                               std::pair{Form1->bsSkinOfficeComboBox1, "formats"}}) {
        combo->DropDown();
        Pump();
        ASSERT_TRUE(combo->DroppedDown()) << name;
        Backend->SaveScreenPicture(std::string(APP_MAIN_RENDER_DIR) + "/base_skin_" + name + "_dropped.png");
        combo->CloseUp(false);
        Pump();
        EXPECT_FALSE(combo->DroppedDown()) << name;
    }
    EXPECT_EQ(Form1->Cascade().CurrentKey(), 1400);   // closed without a choice: nothing changed
}

} // namespace
} // namespace maintest
