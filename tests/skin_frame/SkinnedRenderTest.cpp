// Renders of the skinned frame in each of our skins, for a person to look at:
// the main window and a dialog, active and inactive, and a sheet of caption
// bars with every caption-button state. The assertions guard the structure.
#include <filesystem>
#include "SkinFrameFixture.h"
#include "platform/gfx/Png.h"
#include "skin/draw/SkinImage.h"

namespace {

class TSkinnedRender : public TFrameTest, public ::testing::WithParamInterface<int> {
protected:
    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        TFrameTest::TearDown();
    }
    std::filesystem::path Dir()
    {
        std::filesystem::path dir = std::filesystem::path(FRAME_RENDER_DIR) / "skinned";
        std::filesystem::create_directories(dir);
        return dir;
    }
    std::string Name(const std::string& what) { return "skin" + std::to_string(GetParam()) + "_" + what + ".png"; }
    void Show(int ClientW, int ClientH, TBorderStyle bs, const std::string& caption, TbsBorderIcons icons)
    {
        const TbsSkinData& d = Skin.Data;
        int w = ClientW + d.ClRect.Left + d.FPicture->Width() - d.ClRect.Right;
        int h = ClientH + d.ClRect.Top + d.FPicture->Height() - d.ClRect.Bottom;
        MakeForm(w, h, bs, false, caption);
        Frame->OnCaptionPaint = nullptr;
        Frame->SetBorderIcons(icons);
        Frame->SetSkinData(&Skin.Data);
        Form->Show();
        SetForegroundWindow(Form->Handle());
        Pump();
        ASSERT_EQ(Form->ClientWidth(), ClientW);
        ASSERT_EQ(Form->ClientHeight(), ClientH);
    }
    void Deactivate()
    {
        Other = NewForm<TForm>(nullptr, TFormCreation::New);
        Other->SetBounds(1000, 740, 20, 20);
        Other->Show();
        SetForegroundWindow(Other->Handle());
        Pump();
    }
    void DropOther()
    {
        delete Other;
        Other = nullptr;
    }
    TLoadedSkin Skin;
    TForm* Other = nullptr;
};

TEST_P(TSkinnedRender, MainWindowAndDialog)
{
    Skin.Load(GetParam());
    const TbsBorderIcons all{TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                             TbsBorderIcon::biRollUp};
    struct Case {
        const char* Name;
        const char* Caption;
        int ClientW, ClientH;
        TBorderStyle Style;
        TbsBorderIcons Icons;
    } cases[] = {{"main", "ZarvoMPG格式转换器", 839, 527, bsSingle, all},
                 {"dialog", "关于", 338, 267, bsDialog, {TbsBorderIcon::biSystemMenu}}};
    for (const Case& c : cases) {
        Show(c.ClientW, c.ClientH, c.Style, c.Caption, c.Icons);
        Send(WM_NCPAINT);
        auto active = Backend->CaptureWindow(Form->Handle());
        Backend->SaveWindowPicture(Form->Handle(), (Dir() / Name(std::string(c.Name) + "_active")).string());
        Deactivate();
        auto inactive = Backend->CaptureWindow(Form->Handle());
        Backend->SaveWindowPicture(Form->Handle(), (Dir() / Name(std::string(c.Name) + "_inactive")).string());
        DropOther();
        // The caption bar changes with the activation; the bottom border is drawn.
        const TRect cl = Frame->NewClRect;
        EXPECT_NE(active->GetPixel(cl.Left + cl.Width() / 2, cl.Top / 2),
                  inactive->GetPixel(cl.Left + cl.Width() / 2, cl.Top / 2));
        EXPECT_EQ(active->GetPixel(Form->Width() / 2, Form->Height() - 1),
                  Skin.Data.FPicture->GetPixel(Skin.Data.FPicture->Width() / 2, Skin.Data.FPicture->Height() - 1));
        delete Form;
        Form = nullptr;
    }
}

// One caption bar per state, the left 140 and the right 400 columns of a
// form of 700: every button hovered, pressed, in its restore state, inactive.
TEST_P(TSkinnedRender, CaptionButtonStates)
{
    Skin.Load(GetParam());
    Show(700 - 2, 200, bsSizeable, "ZarvoMPG格式转换器",
         {TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize, TbsBorderIcon::biRollUp,
          TbsBorderIcon::biMinimizeToTray});
    const int band = Skin.Data.ClRect.Top, L = 140, R = 400;
    std::vector<std::unique_ptr<TBitmap>> rows;
    auto grab = [&] {
        Send(WM_NCPAINT);
        auto shot = Backend->CaptureWindow(Form->Handle());
        auto row = std::make_unique<TBitmap>(L + R + 2, band + 2);
        row->Canvas()->Brush().SetColor(clWhite);
        row->Canvas()->FillRect(TRect{0, 0, row->Width(), row->Height()});
        CopyPiece(*row, TRect{0, 0, L, band}, *shot, TRect{0, 0, L, band});
        CopyPiece(*row, TRect{L + 2, 0, L + 2 + R, band}, *shot, TRect{shot->Width() - R, 0, shot->Width(), band});
        rows.push_back(std::move(row));
    };
    auto object = [&](const char* id) { return Frame->ObjectList[size_t(Frame->GetIndex(id))].get(); };
    auto set = [&](const char* id, bool hot, bool down) {
        auto* o = object(id);
        o->Active = o->FMouseIn = hot;
        o->FMorphKf = hot ? 1 : 0;
        if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o))
            b->FDown = down;
    };
    grab();
    for (const char* id : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "traybutton", "sysmenubutton"}) {
        set(id, true, false);
        grab();
        set(id, true, true);
        grab();
        set(id, false, false);
    }
    Frame->SetWindowState(wsMaximized);
    Pump();
    grab();
    set("maxbutton", true, false);
    grab();
    set("maxbutton", false, false);
    Frame->SetWindowState(wsNormal);
    Frame->SetRollUpState(true);
    Pump();
    grab();
    set("rollupbutton", true, false);
    grab();
    set("rollupbutton", false, false);
    Frame->SetRollUpState(false);
    Pump();
    Deactivate();
    grab();
    DropOther();

    TBitmap sheet(L + R + 2, int(rows.size()) * (band + 2));
    for (size_t i = 0; i < rows.size(); ++i)
        sheet.Canvas()->Draw(0, int(i) * (band + 2), *rows[i]);
    TPngImage png;
    png.Assign(sheet);
    png.SaveToFile((Dir() / Name("buttons")).string());
    // A hovered close button differs from the normal one.
    EXPECT_NE(rows[0]->GetPixel(L + 2 + R - 3, band / 2), rows[1]->GetPixel(L + 2 + R - 3, band / 2));
}

INSTANTIATE_TEST_SUITE_P(OurSkins, TSkinnedRender, ::testing::Range(0, MainSkinCount));

}  // namespace
