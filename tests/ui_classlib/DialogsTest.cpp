#include <cstdio>
#include <fstream>
#include "ClassLibFixture.h"
#include "platform/core/Path.h"
#include "platform/ui/forms/Dialogs.h"

using TDialogsTest = TClassLibTest;

TEST_F(TDialogsTest, TheWarningBoxShowsIconTextAndTitleAndAnswersOk)
{
    std::unique_ptr<TForm> box(CreateMessageBoxForm("The task failed.", "ZarvoMPG格式转换器", MB_OK | MB_ICONWARNING));
    EXPECT_EQ(box->Caption(), "ZarvoMPG格式转换器");
    EXPECT_EQ(box->BorderStyle(), bsDialog);
    auto* message = dynamic_cast<TLabel*>(box->FindComponent("Message"));
    ASSERT_TRUE(message);
    EXPECT_EQ(message->Caption(), "The task failed.");
    ASSERT_TRUE(box->FindComponent("Image"));
    auto* ok = dynamic_cast<TButton*>(box->FindComponent("Button1"));
    ASSERT_TRUE(ok);
    EXPECT_TRUE(ok->Default());
    box->Show();
    Pump();
    auto shot = Backend->CaptureWindow(box->Handle());
    TPoint icon = box->ClientToScreen(TPoint{16 + 16, 16 + 24});
    TRect w;
    GetWindowRect(box->Handle(), w);
    EXPECT_EQ(shot->GetPixel(icon.X - w.Left - 6, icon.Y - w.Top) & 0xFFFFFF, ColorToRGB(RGB(255, 210, 0)));
    box->Hide();

    struct TCase {
        UINT Flags;
        int Key;
        int Expected;
    };
    const TCase cases[] = {
        {MB_OK | MB_ICONWARNING, VK_RETURN, IDOK}, {MB_OK, VK_ESCAPE, IDOK},
        {MB_YESNO, VK_RETURN, IDYES},             {MB_YESNO, VK_ESCAPE, IDNO},
        {MB_OKCANCEL, VK_ESCAPE, IDCANCEL},       {MB_YESNOCANCEL, 'N', IDNO},
    };
    for (const TCase& c : cases) {
        if (c.Key == 'N') {
            Backend->KeyDown(VK_MENU);
            Backend->KeyPress('N', "n");
            Backend->KeyUp(VK_MENU);
        } else {
            Backend->KeyPress(c.Key);
        }
        EXPECT_EQ(MessageBox("Text", "Title", c.Flags), c.Expected) << c.Flags << " key " << c.Key;
    }
}

class TSaveDialogTest : public TClassLibTest {
protected:
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Dir = testing::TempDir() + "classlib-save/";
        ForceDirectories(Dir);
        Dialog.SetFilter("Bitmaps (*.bmp)|*.bmp|JPEG Image File |*.jpg;*.jpeg");
        Dialog.SetDefaultExt("bmp");
        Dialog.SetInitialDir(Dir);
        Dialog.SetOptions(TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofExtensionDifferent, ofPathMustExist,
                                       ofEnableSizing});
    }
    void TearDown() override
    {
        DeleteFile(Dir + "taken.bmp");
        TClassLibTest::TearDown();
    }
    void Type(const std::string& text)
    {
        for (char ch : text)
            Backend->KeyPress(ch >= 'a' && ch <= 'z' ? ch - 32 : ch, std::string(1, ch));
    }
    std::string Dir;
    TSavePictureDialog Dialog{nullptr};
};

TEST_F(TSaveDialogTest, NamesGetTheChosenKindsExtensionOrTheDefault)
{
    struct TCase {
        const char* Typed;
        int Index;
        std::string Expected;
    };
    const TCase cases[] = {
        {"shot", 1, Dir + "shot.bmp"},
        {"shot", 2, Dir + "shot.jpg"},
        {"shot.png", 1, Dir + "shot.png"},
        {"/tmp/abs", 2, "/tmp/abs.jpg"},
        {"plain", 7, Dir + "plain.bmp"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Dialog.ResolveName(c.Typed, c.Index), c.Expected) << c.Typed;
    auto entries = Dialog.FilterEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].first, "JPEG Image File ");
    EXPECT_EQ(entries[1].second, "*.jpg;*.jpeg");
}

TEST_F(TSaveDialogTest, ExecuteTakesTheTypedNameAndAsksBeforeReplacing)
{
    Type("pic");
    Backend->KeyPress(VK_RETURN);
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName(), Dir + "pic.bmp");
    EXPECT_FALSE(Dialog.Options().Contains(ofExtensionDifferent));

    std::ofstream(Dir + "taken.bmp") << "x";
    Dialog.SetFileName("");
    // Enter asks; Esc answers No and the dialog stays; Esc again cancels it.
    Type("taken");
    Backend->KeyPress(VK_RETURN);
    Backend->KeyPress(VK_ESCAPE);
    Backend->KeyPress(VK_ESCAPE);
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName(), "");
    // Enter on the question answers Yes.
    Type("taken");
    Backend->KeyPress(VK_RETURN);
    Backend->KeyPress(VK_RETURN);
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName(), Dir + "taken.bmp");
}

TEST_F(TSaveDialogTest, AMissingFolderIsRefusedWithAWarning)
{
    Dialog.SetInitialDir(Dir + "no/such/");
    Type("x");
    Backend->KeyPress(VK_RETURN);     // the warning
    Backend->KeyPress(VK_RETURN);     // its OK
    Backend->KeyPress(VK_ESCAPE);     // leave the dialog
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_GE(Backend->BeepCount(), 1);
}
