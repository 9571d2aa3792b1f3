#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gfx/Picture.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/dialogs/FilterComboBox.h"
#include "skin/dialogs/PictureDialogs.h"
#include "skin/shell/ShellListView.h"
#include "tests/skin_filedialogs/FileDialogFixture.h"

namespace {

using TPictureSteps = std::function<void(TbsOpenPictureDlgForm&)>;

class PictureDialogTest : public TFileDialogTest {
protected:
    void SetUp() override
    {
        TFileDialogTest::SetUp();
        std::filesystem::create_directories(Pics);
        WritePicture(Pics + "/big.bmp", 300, 200, RGB(200, 40, 40));
        WritePicture(Pics + "/small\xff.png", 40, 30, RGB(40, 160, 40));
        WriteBytes(Pics + "/broken.jpg", 100);
    }
    static void WritePicture(const std::string& Path, int W, int H, TColor Color)
    {
        TBitmap b(W, H);
        b.Fill(Color);
        TPicture p;
        p.SetGraphic(&b);
        p.SaveToFile(Path);
    }
    template <class TDialog>
    bool Run(TDialog& d, TPictureSteps Steps)
    {
        During<TDialog, TbsOpenPictureDlgForm>(d, Steps);
        return d.Execute();
    }
    const std::string Pics = Tmp + "/pics";
};

TEST_F(PictureDialogTest, PreviewsTheSelectedPictureAndShowsNothingForABrokenOne)
{
    TbsSkinOpenPictureDialog d(nullptr);
    d.SetFileName(Pics + "/big.bmp");
    EXPECT_TRUE(Run(d, [&](TbsOpenPictureDlgForm& f) {
        EXPECT_EQ(f.Caption(), "Open picture");
        EXPECT_EQ(f.ClientWidth(), 550);
        EXPECT_EQ(f.ImagePanel->Width(), 190);
        EXPECT_EQ(f.Splitter->Left() + f.Splitter->Width(), f.ImagePanel->Left()) << "the splitter left of the pane";
        EXPECT_EQ(f.FilterComboBox->Items().Count(), 6);
        // FileName is previewed at its own size.
        EXPECT_EQ(f.Image->Picture().Width(), 300);
        EXPECT_EQ(f.Image->Width(), 300);
        EXPECT_EQ(Captions(f.FileListView), (std::vector<std::string>{"big.bmp", "broken.jpg", "small\xEF\xBF\xBD.png"}));

        SelectEntry(f, "small\xEF\xBF\xBD.png");
        EXPECT_EQ(f.Image->Picture().Width(), 40) << "read through the entry's own bytes";
        EXPECT_EQ(f.Image->Height(), 30);
        SelectEntry(f, "broken.jpg");
        EXPECT_EQ(f.FileNameEdit->Text(), "broken.jpg");
        EXPECT_EQ(f.Image->Picture().Graphic(), nullptr) << "no picture, no error";
        EXPECT_EQ(f.Image->Width(), 0);

        // Stretch fits the picture into the pane; again, its own size.
        SelectEntry(f, "big.bmp");
        ClickControl(f.StretchButton);
        EXPECT_TRUE(f.StretchButton->Down());
        EXPECT_TRUE(f.Image->Stretch());
        EXPECT_EQ(f.Image->Align(), alClient);
        ClickControl(f.StretchButton);
        EXPECT_FALSE(f.Image->Stretch());
        EXPECT_EQ(f.Image->Width(), 300);
        ClickControl(f.StretchButton);
        f.ImagePanel->SetWidth(220);
        ClickControl(f.OpenButton);
    }));
    EXPECT_EQ(d.FileName(), Pics + "/big.bmp");
    EXPECT_TRUE(d.DialogStretch);
    EXPECT_EQ(d.ImagePanelWidth, 220);
    EXPECT_TRUE(Errors.empty());

    // The next call starts stretched with the wider pane; a folder empties the name.
    EXPECT_FALSE(Run(d, [&](TbsOpenPictureDlgForm& f) {
        EXPECT_TRUE(f.StretchButton->Down());
        EXPECT_EQ(f.ImagePanel->Width(), 220);
        f.FileListView->SetPath(Tmp);
        SelectEntry(f, "home");
        EXPECT_EQ(f.FileNameEdit->Text(), "");
        EXPECT_EQ(f.Image->Picture().Graphic(), nullptr);
        Key(VK_ESCAPE);
    }));
}

TEST_F(PictureDialogTest, SaveModeCompletesAndReplacesOnlyTheTrailingExtension)
{
    TbsSkinSavePictureDialog d(nullptr);
    d.Filter = "BMP文件 (*.bmp)|*.bmp|JPEG文件 (*jpg)|*.jpg";
    d.SetFileName(Pics + "/x");
    const struct {
        int FilterIndex;
        std::string Typed, Expected;
    } cases[] = {
        {1, "photo", Pics + "/photo.bmp"},
        {2, "photo", Pics + "/photo.jpg"},
        {1, "shot.png", Pics + "/shot.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        d.FilterIndex = c.FilterIndex;
        EXPECT_TRUE(Run(d, [&](TbsOpenPictureDlgForm& f) {
            EXPECT_EQ(f.OpenButton->Caption(), "&Save");
            f.FileNameEdit->SetText(c.Typed);
            ClickControl(f.OpenButton);
        }));
        EXPECT_EQ(d.FileName(), c.Expected);
    }
    EXPECT_EQ(d.Title(), "Save file");

    // A filter change swaps only the extension at the end.
    d.FilterIndex = 2;
    EXPECT_FALSE(Run(d, [&](TbsOpenPictureDlgForm& f) {
        f.FileNameEdit->SetText("my.jpgfile.jpg");
        f.FilterComboBox->SetItemIndex(0);
        EXPECT_EQ(f.FileNameEdit->Text(), "my.jpgfile.bmp");
        f.FileNameEdit->SetText("plain");
        f.FilterComboBox->SetItemIndex(1);
        EXPECT_EQ(f.FileNameEdit->Text(), "plain.jpg");
        Key(VK_ESCAPE);
    }));

    // With the overwrite question, an existing file asks first; Esc keeps the dialog open.
    d.OverwritePromt = true;
    d.FilterIndex = 1;
    bool stayed = false;
    EXPECT_TRUE(Run(d, [&](TbsOpenPictureDlgForm& f) {
        f.FileNameEdit->SetText("big");
        TThread::ForceQueue(nullptr, [this] { Key(VK_ESCAPE); });   // answers the question
        ClickControl(f.OpenButton);
        stayed = f.ModalResult() == mrNone;
        TThread::ForceQueue(nullptr, [this] { Key(VK_RETURN); });   // OK this time
        ClickControl(f.OpenButton);
    }));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(d.FileName(), Pics + "/big.bmp");
}

TEST_F(PictureDialogTest, RenderInTheBaseSkin)
{
    TbsSkinOpenPictureDialog d(nullptr);
    d.SetSkinData(BaseSkinData());
    d.SetCtrlSkinData(BaseSkinData());
    d.SetFileName(Pics + "/big.bmp");
    TRenderSheet sheet;
    Run(d, [&](TbsOpenPictureDlgForm& f) {
        SelectEntry(f, "big.bmp");
        sheet.Add("open picture", Shot(f));
        ClickControl(f.StretchButton);
        sheet.Add("open picture, stretched", Shot(f));
        f.SetModalResult(mrCancel);
    });
    sheet.NewRow();
    TbsSkinSavePictureDialog s(nullptr);
    s.SetSkinData(BaseSkinData());
    s.SetCtrlSkinData(BaseSkinData());
    s.SetFileName(Pics + "/small\xff.png");
    Run(s, [&](TbsOpenPictureDlgForm& f) {
        f.FileNameEdit->SetText("snapshot");
        sheet.Add("save picture", Shot(f));
        f.SetModalResult(mrCancel);
    });
    sheet.Save("picture_dialogs");
}

}  // namespace
