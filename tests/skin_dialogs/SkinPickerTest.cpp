#include <gtest/gtest.h>
#include "platform/ui/forms/Application.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinList.h"
#include "skin/dialogs/SkinPicker.h"
#include "skin/frame/FormFrame.h"
#include "tests/skin_dialogs/DialogsFixture.h"

namespace {

class TSkinPickerTest : public TDialogsTest {
protected:
    void SetUp() override
    {
        TDialogsTest::SetUp();
        List = std::make_unique<TbsCompressedSkinList>(nullptr);
        FillMainSkinList(*List);
        Dialog = new TbsSelectSkinDialog(Form);
        Dialog->SetSkinList(List.get());
    }
    TbsSelectSkinDlgForm* Dlg() { return Dialog->DialogForm(); }
    // Clicks row I of the dialog's list.
    void ClickRow(int I, bool Double = false)
    {
        TbsListBox* l = Dlg()->SkinsListBox->ListBox;
        const TRect r = l->ItemRect(I);
        const TPoint p = l->ClientToScreen(TPoint{r.Left + 10, r.Top + 5});
        Backend->MouseMove(p.X, p.Y);
        Backend->Click(p.X, p.Y);
        if (Double)
            Backend->Click(p.X, p.Y);   // the second click within the double-click time
        Pump();
    }

    std::unique_ptr<TbsCompressedSkinList> List;
    TbsSelectSkinDialog* Dialog = nullptr;
};

TEST_F(TSkinPickerTest, NoSkinListShowsNothing)
{
    TbsSelectSkinDialog empty(nullptr);
    EXPECT_FALSE(empty.Execute(0));
    EXPECT_EQ(empty.SelectedSkinIndex(), -1);
}

// The start index is highlighted and previewed at once; each click previews
// another skin in the embedded form only; OK answers the last one.
TEST_F(TSkinPickerTest, PreviewsEachSkinAndAnswersTheLastPreviewed)
{
    Dialog->SetSkinData(BaseSkinData());
    Dialog->SetCtrlSkinData(BaseSkinData());
    std::vector<int> previewed;
    WhenShown([&] {
        TbsSelectSkinDlgForm* d = Dlg();
        EXPECT_EQ(d->SkinsListBox->Items().Count(), MainSkinCount);
        EXPECT_EQ(d->SkinsListBox->Items().Get(1), List->Skins()->Items(1)->Description());
        EXPECT_EQ(d->SkinsListBox->ItemIndex(), 2);
        EXPECT_EQ(d->PreviewSkinData->SkinIndex(), 2);
        EXPECT_FALSE(d->PreviewSkinData->Empty);
        bool listed = false;
        for (int i = 0; i < Screen->FormCount(); ++i)
            listed = listed || Screen->Forms(i) == d->PreviewForm;
        EXPECT_TRUE(listed) << "skin changes reach the embedded form";
        EXPECT_EQ(d->PreviewForm->Parent(), d);
        EXPECT_TRUE(d->PreviewBSF->PreviewMode);
        EXPECT_EQ(d->BSF->SkinData(), BaseSkinData()) << "the dialog keeps its own skin";
        for (int i : {4, 0, 6, 5}) {
            ClickRow(i);
            previewed.push_back(d->PreviewSkinData->SkinIndex());
            EXPECT_NE(d->PreviewButton->SkinIndex(), -1) << "the preview button wears skin " << i;
        }
        EXPECT_EQ(d->BSF->SkinData(), BaseSkinData());
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(Dialog->Execute(2));
    EXPECT_EQ(previewed, (std::vector<int>{4, 0, 6, 5}));
    EXPECT_EQ(Dialog->SelectedSkinIndex(), 5);
    EXPECT_EQ(Dialog->DialogForm(), nullptr);
}

TEST_F(TSkinPickerTest, CancelAndDoubleClick)
{
    WhenShown([&] {
        ClickRow(3);
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Dialog->Execute(1));
    EXPECT_EQ(Dialog->SelectedSkinIndex(), -1);

    WhenShown([&] { ClickRow(3, true); });
    EXPECT_TRUE(Dialog->Execute(1));
    EXPECT_EQ(Dialog->SelectedSkinIndex(), 3);
}

// OK with nothing valid highlighted never reports success.
TEST_F(TSkinPickerTest, OkWithoutAValidSkinAnswersFalse)
{
    for (int start : {-1, 99}) {
        WhenShown([&] {
            EXPECT_EQ(Dlg()->SkinsListBox->ItemIndex(), -1);
            EXPECT_TRUE(Dlg()->PreviewSkinData->Empty) << "the preview shows no skin";
            PressKey(VK_RETURN);
        });
        EXPECT_FALSE(Dialog->Execute(start)) << start;
        EXPECT_EQ(Dialog->SelectedSkinIndex(), -1);
    }
}

TEST_F(TSkinPickerTest, NamesFallBackToTheEntryName)
{
    List->Skins()->Items(0)->SetDescription("");
    List->Skins()->Items(1)->SetDescription("Described");
    WhenShown([&] {
        EXPECT_EQ(Dlg()->SkinsListBox->Items().Get(0), List->Skins()->Items(0)->Name());
        EXPECT_EQ(Dlg()->SkinsListBox->Items().Get(1), "Described");
        PressKey(VK_ESCAPE);
    });
    Dialog->Execute(0);
}

TEST_F(TSkinPickerTest, ClientSizeIsRaisedToTheFramesMinimum)
{
    TbsSkinData empty(nullptr);
    Dialog->SetSkinData(&empty);
    WhenShown([&] {
        EXPECT_EQ(Dlg()->ClientWidth(), 420);
        EXPECT_EQ(Dlg()->ClientHeight(), 240);
        EXPECT_EQ(Dlg()->Caption(), "Select skin");
        PressKey(VK_ESCAPE);
    });
    Dialog->Execute(0);
    Dialog->SetSkinData(BaseSkinData());
    WhenShown([&] {
        EXPECT_GE(Dlg()->ClientWidth(), 420);
        EXPECT_GE(Dlg()->ClientWidth(), Dlg()->BSF->GetMinWidth());
        EXPECT_GE(Dlg()->ClientHeight(), std::max(240, Dlg()->BSF->GetMinHeight()));
        PressKey(VK_ESCAPE);
    });
    Dialog->Execute(0);
}

// The stored-skin variant offers the stored skins among the dialog's owner's
// components, starts at the given one and answers the last previewed one.
TEST_F(TSkinPickerTest, StoredSkinsOfTheOwner)
{
    TComponent owner(nullptr);
    std::vector<TbsCompressedStoredSkin*> stored;
    for (int i : {3, 5}) {
        auto* s = new TbsCompressedStoredSkin(&owner);
        s->SetName("Stored" + std::to_string(i));
        if (i == 5)
            s->SetDescription("Fifth");
        TMemoryStream data;
        data.Write(MainSkins()[i].Data, static_cast<int64_t>(MainSkins()[i].Size));
        s->LoadFromCompressStream(data);
        stored.push_back(s);
    }
    auto* picker = new TbsSelectSkinDialog(&owner);
    WhenShown([&] {
        TbsSelectSkinDlgForm* d = picker->DialogForm();
        EXPECT_EQ(d->SkinsListBox->Items().Get(0), "Stored3") << "the name without a description";
        EXPECT_EQ(d->SkinsListBox->Items().Get(1), "Fifth");
        EXPECT_EQ(d->SkinsListBox->ItemIndex(), 1);
        EXPECT_EQ(d->SelectedSkin(), stored[1]);
        const TRect r = d->SkinsListBox->ListBox->ItemRect(0);
        ClickAt(d->SkinsListBox->ListBox, r.Left + 10, r.Top + 5);
        EXPECT_EQ(d->SelectedSkin(), stored[0]);
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(picker->Execute(stored[1]));
    EXPECT_EQ(picker->SelectedSkin(), stored[0]);
    EXPECT_EQ(picker->SelectedSkinIndex(), -1) << "left as it was";
}

}  // namespace
