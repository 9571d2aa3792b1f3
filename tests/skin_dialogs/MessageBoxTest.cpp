#include <gtest/gtest.h>
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/forms/Application.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinLabels.h"
#include "skin/data/ResourceStrings.h"
#include "skin/dialogs/SkinMessage.h"
#include "tests/skin_dialogs/DialogsFixture.h"

namespace {

TRect BoundsOf(TControl* c) { return TRect{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()}; }

class TMessageBoxTest : public TDialogsTest {
protected:
    void SetUp() override
    {
        TDialogsTest::SetUp();
        Box = new TbsSkinMessage(Form);
        Box->OnBoxShow = [this](TbsMessageForm* F) { Shown = F; };
    }
    TbsSkinButton* Button(TForm* F, const std::string& Name)
    {
        return dynamic_cast<TbsSkinButton*>(F->FindComponent(Name));
    }
    // Shows a box and runs Step inside it; the box is closed as Cancel if
    // Step leaves it open.
    int Run(const std::function<int()>& Show, const std::function<void()>& Step)
    {
        WhenShown([this, Step] {
            Step();
            if (Shown && Shown->ModalResult() == mrNone && Shown->Visible())
                Shown->SetModalResult(99);
        });
        return Show();
    }

    TbsSkinMessage* Box = nullptr;
    TbsMessageForm* Shown = nullptr;
};

// The worked sizes: a 120 x 16 label and OK give a 210 x 91 client with the
// icon at (5, 10) and OK at (70, 56); the check box adds 40.
TEST_F(TMessageBoxTest, SmallestBoxLayout)
{
    // A 16-pixel font gives the 16-pixel label of the worked sizes.
    Box->DefaultFont().SetHeight(16);
    const std::string text = TextOfWidth(120, 16);
    ASSERT_FALSE(text.empty());
    std::unique_ptr<TbsMessageForm> f(Box->CreateMessageForm(text, mtInformation, TMsgDlgButtons{mbOK}));
    ASSERT_EQ(f->Message->Width(), 120);
    ASSERT_EQ(f->Message->Height(), 16);
    EXPECT_EQ(f->ClientWidth(), 210);
    EXPECT_EQ(f->ClientHeight(), 91);
    ASSERT_NE(f->Image, nullptr);
    EXPECT_EQ(BoundsOf(f->Image), (TRect{5, 10, 37, 42}));
    EXPECT_EQ(BoundsOf(Button(f.get(), "OK")), (TRect{70, 56, 140, 81}));
    EXPECT_EQ(f->Caption(), "Information");
    EXPECT_EQ(f->DisplayCheckBox, nullptr);

    Box->SetShowAgainFlag(true);
    std::unique_ptr<TbsMessageForm> g(Box->CreateMessageForm(text, mtInformation, TMsgDlgButtons{mbOK}));
    EXPECT_EQ(g->ClientHeight(), 131);
    ASSERT_NE(g->DisplayCheckBox, nullptr);
    EXPECT_EQ(g->DisplayCheckBox->Top(), 56);
    EXPECT_EQ(g->DisplayCheckBox->Caption(), "Do not display this message again");
    EXPECT_TRUE(g->DisplayCheckBox->Checked()) << "ShowAgainFlagValue false: ticked";
    EXPECT_EQ(Button(g.get(), "OK")->Top(), 96);
    EXPECT_GE(g->ClientWidth(), g->DisplayCheckBox->Width() + 5);
}

TEST_F(TMessageBoxTest, RowWidthAndIconPlaces)
{
    std::unique_ptr<TbsMessageForm> none(
        Box->CreateMessageForm("A message long enough for the frame", mtCustom, TMsgDlgButtons{}));
    EXPECT_EQ(none->ClientWidth(), 50 + none->Message->Width() + 40) << "no buttons: the label decides";
    EXPECT_EQ(none->Image, nullptr) << "mtCustom has no icon";
    EXPECT_EQ(none->Caption(), Application->Title());

    std::unique_ptr<TbsMessageForm> wide(
        Box->CreateMessageForm("Hi", mtWarning, TMsgDlgButtons{mbYes, mbNo, mbCancel, mbHelp}));
    EXPECT_EQ(wide->ClientWidth(), 4 * 70 + 3 * 10 + 40);
    EXPECT_EQ(Button(wide.get(), "Yes")->Left(), 20);
    EXPECT_EQ(Button(wide.get(), "No")->Left(), 100);
    EXPECT_EQ(Button(wide.get(), "Help")->Left(), 260) << "buttons in kind order";

    std::unique_ptr<TbsMessageForm> tall(Box->CreateMessageForm("one\ntwo\nthree\nfour", mtError, TMsgDlgButtons{mbOK}));
    const int lh = tall->Message->Height();
    ASSERT_GT(lh, 40);
    EXPECT_EQ(tall->Image->Top(), 15 + lh / 2 - 16) << "centred on a tall label";

    TImageList images(nullptr);
    images.SetSize(24, 24);
    TBitmap pic(24, 24);
    pic.Fill(RGB(200, 0, 0));
    images.Add(pic);
    std::unique_ptr<TbsMessageForm> custom(
        Box->CreateCustomMessageForm("Hi", "Mine", &images, 0, TMsgDlgButtons{mbOK}));
    ASSERT_NE(custom->Image, nullptr);
    EXPECT_EQ(custom->Image->Width(), 24);
    EXPECT_EQ(custom->Image->Top(), 15 + custom->Message->Height() / 2 - 16) << "never raised to 10";
    std::unique_ptr<TbsMessageForm> outside(
        Box->CreateCustomMessageForm("Hi", "Mine", &images, 1, TMsgDlgButtons{mbOK}));
    EXPECT_EQ(outside->Image, nullptr);
}

// Default and cancel buttons by the set; Enter and Esc answer with them.
TEST_F(TMessageBoxTest, EnterAndEscapeFollowTheDefaultAndCancelButtons)
{
    struct TCase {
        TMsgDlgButtons Buttons;
        int Key;
        int Result;
    };
    const TCase cases[] = {
        {TMsgDlgButtons{mbOK}, VK_RETURN, mrOk},
        {TMsgDlgButtons{mbOK}, VK_ESCAPE, mrOk},
        {TMsgDlgButtons{mbOK, mbCancel}, VK_RETURN, mrOk},
        {TMsgDlgButtons{mbOK, mbCancel}, VK_ESCAPE, mrCancel},
        {TMsgDlgButtons{mbYes, mbNo}, VK_RETURN, mrYes},
        {TMsgDlgButtons{mbYes, mbNo}, VK_ESCAPE, mrNo},
        {TMsgDlgButtons{mbAbort, mbRetry, mbIgnore}, VK_ESCAPE, 99},   // no cancel button: still open
    };
    for (const auto& c : cases) {
        const int result = Run([&] { return Box->MessageDlg("Go on?", mtConfirmation, c.Buttons, 0); },
                               [&] { PressKey(c.Key); });
        EXPECT_EQ(result, c.Result) << c.Buttons.Bits() << " key " << c.Key;
    }
    std::unique_ptr<TbsMessageForm> f(Box->CreateMessageForm("x", mtError, TMsgDlgButtons{mbAbort, mbRetry, mbIgnore}));
    EXPECT_TRUE(Button(f.get(), "Retry")->Default());
    EXPECT_FALSE(Button(f.get(), "Abort")->Cancel());
}

TEST_F(TMessageBoxTest, ClickingAButtonAnswersItsResult)
{
    const int result = Run([&] { return Box->MessageDlg2("提示文字", "提示", mtInformation,
                                                         TMsgDlgButtons{mbYes, mbNo, mbClose}, 0); },
                           [&] { ClickAt(Button(Shown, "Close"), 10, 10); });
    EXPECT_EQ(result, mrClose);
}

// Help asks for the box's help context and leaves the box open.
TEST_F(TMessageBoxTest, HelpKeepsTheBoxOpen)
{
    int asked = 0;
    const int result = Run([&] { return Box->MessageDlgHelp("x", mtInformation, TMsgDlgButtons{mbOK, mbHelp}, 42,
                                                            "converter.hlp"); },
                           [&] {
                               Shown->OnHelp = [&](TbsMessageForm* F) {
                                   ++asked;
                                   EXPECT_EQ(F->HelpContext, 42);
                                   EXPECT_EQ(F->HelpFile, "converter.hlp");
                               };
                               ClickAt(Button(Shown, "Help"), 10, 10);
                               EXPECT_TRUE(Shown->Visible());
                               EXPECT_EQ(Shown->ModalResult(), mrNone);
                               ClickAt(Button(Shown, "OK"), 10, 10);
                           });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(result, mrOk);
}

TEST_F(TMessageBoxTest, ShowAgainValueIsReadBackEvenWhenShowingFails)
{
    Box->SetShowAgainFlag(true);
    Run([&] { return Box->MessageDlg("x", mtWarning, TMsgDlgButtons{mbOK}, 0); },
        [&] {
            Shown->DisplayCheckBox->SetChecked(false);
            PressKey(VK_RETURN);
        });
    EXPECT_TRUE(Box->ShowAgainFlagValue()) << "left unticked";
    Run([&] { return Box->MessageDlg("x", mtWarning, TMsgDlgButtons{mbOK}, 0); },
        [&] {
            EXPECT_FALSE(Shown->DisplayCheckBox->Checked()) << "starts unticked when the value is true";
            Shown->DisplayCheckBox->SetChecked(true);
            PressKey(VK_RETURN);
        });
    EXPECT_FALSE(Box->ShowAgainFlagValue());

    const int formsBefore = Screen->FormCount();
    Box->OnBoxShow = [](TbsMessageForm* F) {
        F->DisplayCheckBox->SetChecked(false);
        throw Exception("no screen");
    };
    EXPECT_THROW(Box->MessageDlg("x", mtWarning, TMsgDlgButtons{mbOK}, 0), Exception);
    EXPECT_TRUE(Box->ShowAgainFlagValue());
    EXPECT_EQ(Screen->FormCount(), formsBefore) << "the form was freed";

    Box->OnBoxShow = [this](TbsMessageForm* F) { Shown = F; };
    Box->SetShowAgainFlagValue(false);
    Run([&] { return Box->WideMessageDlg("x", mtWarning, TMsgDlgButtons{mbOK}, 0); },
        [&] {
            EXPECT_EQ(Shown->DisplayCheckBox, nullptr);
            PressKey(VK_RETURN);
        });
    EXPECT_FALSE(Box->ShowAgainFlagValue()) << "the wide box never changes it";
}

TEST_F(TMessageBoxTest, PositionsAndTheShowPositionEvent)
{
    std::unique_ptr<TbsMessageForm> placed(Box->CreateMessageForm("x", mtWarning, TMsgDlgButtons{mbOK}, -10000, 30));
    EXPECT_EQ(placed->Left(), -10000);
    EXPECT_NE(placed->Position(), poScreenCenter);
    std::unique_ptr<TbsMessageForm> centred(Box->CreateMessageForm("x", mtWarning, TMsgDlgButtons{mbOK}));
    EXPECT_EQ(centred->Position(), poScreenCenter);

    int asked = 0;
    Box->OnSetShowPos = [&](int& X, int& Y, int W, int H) {
        ++asked;
        EXPECT_EQ(X, 40);
        EXPECT_GT(W, 0);
        EXPECT_GT(H, 0);
        X = 70;
        Y = 80;
    };
    Run([&] { return Box->MessageDlgPos("x", mtWarning, TMsgDlgButtons{mbOK}, 0, 40, 50); },
        [&] {
            EXPECT_EQ(Shown->Left(), 70);
            EXPECT_EQ(Shown->Top(), 80);
            PressKey(VK_RETURN);
        });
    EXPECT_EQ(asked, 1);
    Run([&] { return Box->WideMessageDlgPos("x", mtWarning, TMsgDlgButtons{mbOK}, 0, 40, 50); },
        [&] { PressKey(VK_RETURN); });
    EXPECT_EQ(asked, 1) << "the wide variant does not ask";
}

// Captions from the skin's text table, English where it has no text, and
// "Close" always.
TEST_F(TMessageBoxTest, CaptionsComeFromTheTextTable)
{
    TbsSkinData* skin = BaseSkinData();
    TbsResourceStrData table(nullptr);
    TStringList lines;
    lines.Add("MSG_BTN_OK=好");
    lines.Add("MSG_BTN_CLOSE=关闭");
    lines.Add("MSG_CAP_WARNING=警告");
    table.SetResStrings(lines);
    skin->SetResourceStrData(&table);
    Box->SetCtrlSkinData(skin);
    EXPECT_EQ(GetMsgButtonCaption(mbOK, skin), "好");
    EXPECT_EQ(GetMsgButtonCaption(mbClose, skin), "Close");
    EXPECT_EQ(GetMsgButtonCaption(mbCancel, skin), "Cancel") << "missing key: the built-in text";
    EXPECT_EQ(GetMsgCaption(mtWarning, skin), "警告");
    EXPECT_EQ(GetMsgCaption(mtCustom, skin), "");
    std::unique_ptr<TbsMessageForm> f(Box->CreateMessageForm("x", mtWarning, TMsgDlgButtons{mbOK, mbCancel}));
    EXPECT_EQ(Button(f.get(), "OK")->Caption(), "好");
    EXPECT_EQ(f->Caption(), "警告");
    skin->SetResourceStrData(nullptr);
    EXPECT_EQ(GetMsgButtonCaption(mbYes, nullptr), "&Yes");
}

TEST_F(TMessageBoxTest, SkinnedButtonsTakeTheSkinsButtonHeight)
{
    Box->SetSkinData(BaseSkinData());
    Box->SetCtrlSkinData(BaseSkinData());
    std::unique_ptr<TbsMessageForm> f(Box->CreateMessageForm("Skinned", mtInformation, TMsgDlgButtons{mbOK}));
    TbsSkinButton* ok = Button(f.get(), "OK");
    EXPECT_NE(ok->SkinIndex(), -1);
    EXPECT_EQ(f->ClientHeight(), ok->Height() + f->Message->Height() + 50);
    EXPECT_EQ(ok->Top(), f->ClientHeight() - ok->Height() - 10);
}

}  // namespace
