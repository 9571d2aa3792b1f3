#include "skin/boxes/SkinEdit.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/Keys.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin_combo/BoxesFixture.h"

namespace {

class SkinEditTest : public TBoxesTest {
protected:
    TbsSkinEdit* NewEdit(bool ButtonMode = false, int Width = 100)
    {
        auto* e = new TbsSkinEdit(Form);
        e->SetParent(Form);
        e->SetButtonMode(ButtonMode);
        e->SetBounds(10, 10, Width, 20);
        e->OnButtonClick = [this](TObject*) { Log("button"); };
        e->OnLeftButtonClick = [this](TObject*) { Log("left"); };
        e->OnRightButtonClick = [this](TObject*) { Log("right"); };
        Pump();
        return e;
    }
    // A window point (frame coordinates) as a client point.
    TPoint Win(TbsSkinEdit* e, int x, int y)
    {
        TRect w;
        GetWindowRect(e->Handle(), w);
        return e->ScreenToClient(TPoint{w.Left + x, w.Top + y});
    }
    TColor WinPixel(TbsSkinEdit* e, int x, int y)
    {
        const TPoint p = Win(e, x, y);
        return PixelOf(e, p.X, p.Y);
    }
    // The pixels of a frame printed into a bitmap.
    LRESULT Print(TbsSkinEdit* e, UINT Msg, TBitmap* B, LPARAM L = 0)
    {
        return e->Perform(Msg, B ? WPARAM(B->Canvas()->Handle()) : 0, L);
    }
};

TEST_F(SkinEditTest, PlainButtonEditLayout)
{
    auto* e = NewEdit(true);
    EXPECT_EQ(e->Width(), 100);
    EXPECT_EQ(e->Height(), 20);
    EXPECT_EQ(e->DropButtonRect(), (TRect{80, 0, 100, 20}));
    EXPECT_EQ(e->EditRect(), (TRect{2, 2, 78, 18}));
    TRect w;
    GetWindowRect(e->Handle(), w);
    const TPoint origin = e->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(origin.X - w.Left, 2);
    EXPECT_EQ(origin.Y - w.Top, 2);
    EXPECT_EQ(e->ClientWidth(), 76);
    EXPECT_EQ(e->ClientHeight(), 16);
}

TEST_F(SkinEditTest, PlainFaceAndButtonStates)
{
    auto* e = NewEdit(true);
    e->SetDefaultColor(RGB(250, 250, 200));
    Pump();
    EXPECT_EQ(WinPixel(e, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(WinPixel(e, 1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(WinPixel(e, 40, 10), RGB(250, 250, 200));
    EXPECT_EQ(WinPixel(e, 80, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(WinPixel(e, 90, 10), ColorToRGB(clBtnFace));

    const TPoint b = Win(e, 90, 10);
    MoveTo(e, b.X, b.Y);
    EXPECT_TRUE(e->ButtonActive());
    EXPECT_EQ(WinPixel(e, 90, 10), ColorToRGB(TColor(0xD2BDB6)));
    Press(e, b.X, b.Y);
    EXPECT_TRUE(e->ButtonDown());
    EXPECT_EQ(WinPixel(e, 80, 0), ColorToRGB(TColor(0x800000)));
    EXPECT_EQ(WinPixel(e, 90, 10), ColorToRGB(TColor(0xB59385)));
    Release(e, b.X, b.Y);
    EXPECT_EQ(Joined(), "button");
    EXPECT_FALSE(e->ButtonDown());
}

TEST_F(SkinEditTest, ButtonReleaseFiresWhereverThePressBegan)
{
    auto* e = NewEdit(true);
    const TPoint b = e->ClientToScreen(Win(e, 90, 10));
    e->Perform(WM_NCLBUTTONUP, TbsSkinCustomEdit::HTDROPBUTTON, MAKELPARAM(b.X, b.Y));
    EXPECT_EQ(Joined(), "button");
}

TEST_F(SkinEditTest, ImageButtonsNarrowTheTextAndClickOnlyWhenPressed)
{
    auto* images = new TImageList(Form);
    images->SetSize(16, 16);
    TBitmap glyph(16, 16);
    glyph.Fill(RGB(200, 0, 0));
    images->Add(glyph);
    auto* e = NewEdit(false, 150);
    e->SetImages(images);
    e->SetRightImageIndex(0);
    e->SetLeftImageIndex(0);
    Pump();
    TRect r;
    e->Perform(EM_GETRECT, 0, LPARAM(&r));
    EXPECT_EQ(r.Right, e->ClientWidth() - 18);
    EXPECT_EQ(r.Left, 18);
    EXPECT_EQ(e->RightButton().R, (TRect{e->ClientWidth() - 16, 0, e->ClientWidth(), e->ClientHeight()}));
    EXPECT_EQ(PixelOf(e, e->ClientWidth() - 8, e->ClientHeight() / 2), RGB(200, 0, 0));

    const TPoint right{e->ClientWidth() - 8, 5};
    const TPoint s = e->ClientToScreen(right);
    e->Perform(WM_NCLBUTTONUP, TbsSkinCustomEdit::HTRIGHTIMAGE, MAKELPARAM(s.X, s.Y));
    EXPECT_EQ(Joined(), "");  // released without a press
    Click(e, right.X, right.Y);
    EXPECT_EQ(Joined(), "right");
    Click(e, 4, 5);
    EXPECT_EQ(Joined(), "right left");
}

TEST_F(SkinEditTest, PrintMessagesAnswerTheirCodes)
{
    auto* e = NewEdit(true);
    TBitmap b(100, 20);
    b.Fill(clWhite);
    EXPECT_EQ(Print(e, WM_PRINTSKINFRAME, nullptr), 0);
    EXPECT_EQ(Print(e, WM_PRINTSKINFRAME, &b), 0x3233);
    EXPECT_EQ(b.GetPixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(b.GetPixel(40, 10), ColorToRGB(clWindow));
    TBitmap clipped(100, 20);
    clipped.Fill(clWhite);
    EXPECT_EQ(Print(e, WM_PRINTSKINFRAMEEX, &clipped, 5), 0);
    EXPECT_EQ(clipped.GetPixel(0, 0), ColorToRGB(clWhite));
    EXPECT_EQ(Print(e, WM_PRINTSKINFRAMEEX, &clipped, 0x41A2), 16802);
    EXPECT_EQ(clipped.GetPixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(clipped.GetPixel(40, 10), ColorToRGB(clWhite));  // the text area is left out
    EXPECT_EQ(Print(e, WM_PRINTSKINFRAMEEX, nullptr, 0x41A2), 16802);
}

TEST_F(SkinEditTest, HeightFollowsSkinOrFont)
{
    auto* skin = BaseSkinData();
    auto* e = NewEdit();
    e->SetSkinData(skin);
    ASSERT_NE(e->SkinIndex(), -1);
    const int skinHeight = e->Height();
    e->SetBounds(10, 10, 140, 40);
    EXPECT_EQ(e->Height(), skinHeight);
    e->SetBounds(30, 50, 140, 40);  // a move keeps what was asked
    EXPECT_EQ(e->Top(), 50);

    auto* plain = NewEdit();
    plain->SetUseSkinFont(false);
    plain->DefaultFont().SetHeight(20);
    plain->FitHeightToText();
    TBitmap m(1, 1);
    m.Canvas()->Font().Assign(plain->Font());
    EXPECT_EQ(plain->Height(), m.Canvas()->TextHeight("Wg") + 4);

    // The dialogs' name fields: a plain edit takes DefaultHeight as it is.
    auto* field = NewEdit();
    field->SetDefaultHeight(25);
    EXPECT_EQ(field->Height(), 25);
}

TEST_F(SkinEditTest, AlignedSkinnedEditCentresItselfInAToolBar)
{
    auto* bar = new TbsSkinToolBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(0, 100, 300, 60);
    auto* e = new TbsSkinEdit(bar);
    e->SetParent(bar);
    e->SetSkinData(BaseSkinData());
    e->SetAlign(alLeft);
    Pump();
    const TRect r = bar->GetSkinClientRect();
    EXPECT_EQ(e->Height(), 24);
    EXPECT_EQ(e->Top(), r.Top + r.Height() / 2 - e->Height() / 2);
}

TEST_F(SkinEditTest, DisabledEditDrawsItsTextGrey)
{
    auto* e = NewEdit(false, 150);
    e->SetText("MMMM");
    e->SetEnabled(false);
    Pump();
    auto shot = Snapshot(e);
    bool grey = false;
    for (int y = 0; y < e->Height() && !grey; ++y)
        for (int x = 0; x < e->Width() && !grey; ++x)
            grey = shot.GetPixel(x, y) == ColorToRGB(clGrayText);
    EXPECT_TRUE(grey);
}

TEST_F(SkinEditTest, PaintSkinToPutsTheTextTwoPixelsIn)
{
    auto* e = NewEdit(false, 150);
    TBitmap b(200, 40);
    b.Fill(clWhite);
    e->PaintSkinTo(*b.Canvas(), 10, 10, "lll");
    int first = -1;
    for (int x = 10; x < 160 && first == -1; ++x)
        for (int y = 12; y < 28; ++y)
            if (b.GetPixel(x, y) != ColorToRGB(clWindow) && x > 12) {
                first = x;
                break;
            }
    EXPECT_GE(first, 10 + 2 + 2);
    EXPECT_LE(first, 10 + 2 + 2 + 2);
    EXPECT_EQ(b.GetPixel(10, 10), ColorToRGB(clBtnShadow));
}

TEST_F(SkinEditTest, SkinnedDropButtonShowsItsStates)
{
    auto* e = NewEdit(true, 160);
    e->SetSkinDataName("buttonedit");
    e->SetSkinData(BaseSkinData());
    Pump();
    ASSERT_NE(e->SkinIndex(), -1);
    const TRect b = e->DropButtonRect();
    const TPoint mid = Win(e, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    auto colour = [&] { return WinPixel(e, b.Left + 3, b.Top + 3); };
    const TColor normal = colour();
    MoveTo(e, mid.X, mid.Y);
    EXPECT_TRUE(e->ButtonActive());
    const TColor hot = colour();
    EXPECT_NE(hot, normal);
    Press(e, mid.X, mid.Y);
    const TColor down = colour();
    EXPECT_NE(down, hot);
    Release(e, mid.X, mid.Y);
    EXPECT_EQ(Joined(), "button");
}

TEST_F(SkinEditTest, RendersInTheBaseSkin)
{
    auto* skin = BaseSkinData();
    Form->SetBounds(50, 50, 380, 200);
    auto* images = new TImageList(Form);
    images->SetSize(16, 16);
    TBitmap glyph(16, 16);
    glyph.Fill(RGB(40, 120, 200));
    images->Add(glyph);
    auto* plain = NewEdit(true, 160);
    plain->SetText("plain edit");
    auto* skinned = NewEdit(false, 160);
    skinned->SetTop(45);
    skinned->SetSkinData(skin);
    skinned->SetText("D:\\视频\\输出");
    auto* button = NewEdit(true, 160);
    button->SetSkinDataName("buttonedit");
    button->SetSkinData(skin);
    button->SetTop(80);
    button->SetText("hot button");
    auto* free = NewEdit(true, 160);
    free->SetSkinDataName("buttonedit");
    free->SetUseSkinFont(false);
    free->SetSkinData(skin);
    free->SetTop(115);
    free->SetText("own font height");
    auto* disabled = NewEdit(false, 160);
    disabled->SetSkinData(skin);
    disabled->SetTop(150);
    disabled->SetText("disabled");
    disabled->SetEnabled(false);
    auto* focused = NewEdit(false, 160);
    focused->SetSkinData(skin);
    focused->SetLeft(200);
    focused->SetText("focused, selected");
    auto* imaged = NewEdit(false, 160);
    imaged->SetSkinData(skin);
    imaged->SetBounds(200, 45, 160, 20);
    imaged->SetImages(images);
    imaged->SetLeftImageIndex(0);
    imaged->SetRightImageIndex(0);
    imaged->SetText("between images");
    auto* right = NewEdit(false, 160);
    right->SetSkinData(skin);
    right->SetBounds(200, 80, 160, 20);
    right->SetAlignment(taRightJustify);
    right->SetText("right aligned");
    Pump();
    focused->SetFocus();
    focused->SelectAll();
    const TRect b = button->DropButtonRect();
    const TPoint mid = Win(button, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    MoveTo(button, mid.X, mid.Y);
    EXPECT_NE(skinned->SkinIndex(), -1);
    EXPECT_NE(button->SkinIndex(), -1);
    const std::string path = SaveForm("edit_base_skin");
    EXPECT_FALSE(path.empty());
}

}  // namespace
