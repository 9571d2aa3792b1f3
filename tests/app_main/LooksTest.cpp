// How the main window's buttons look in their states, checked by their pixels.
#include "MainFixture.h"

#include <cmath>
#include <map>
#include <set>

#include "engine/loader/Loader.h"
#include "engine/util/MiscUtils.h"
#include "platform/ui/controls/Menus.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListView.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinOfficeListBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "tests/media/MediaWriter.h"

namespace maintest {
namespace {

class LooksTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    // The pixels of AControl as the window shows them, frame and all, row by row.
    std::vector<TColor> Face(TControl* AControl)
    {
        Pump();
        auto picture = Backend->CaptureWindow(Form1->Handle());
        const TPoint origin = AControl->Parent()->ClientToScreen(TPoint{AControl->Left(), AControl->Top()});
        std::vector<TColor> out;
        for (int y = 0; y < AControl->Height(); ++y)
            for (int x = 0; x < AControl->Width(); ++x)
                out.push_back(picture->GetPixel(origin.X - Form1->Left() + x, origin.Y - Form1->Top() + y) & 0xFFFFFF);
        return out;
    }
    // Lets hover and press effects run to their end.
    void Settle()
    {
        for (int i = 0; i < 10; ++i) {
            Backend->Advance(50);
            Pump();
        }
    }
    // Colours a person tells apart: some channel differs by more than a few steps.
    static bool Apart(TColor A, TColor B)
    {
        for (int shift : {0, 8, 16})
            if (std::abs(int((A >> shift) & 0xFF) - int((B >> shift) & 0xFF)) > 6)
                return true;
        return false;
    }
    // The share of AControl's outermost ring of pixels that is apart from AColor.
    double RingDiffering(TControl* AControl, TColor AColor)
    {
        const std::vector<TColor> f = Face(AControl);
        const int w = AControl->Width(), h = AControl->Height();
        int n = 0, differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                    ++n;
                    differing += Apart(f[size_t(y * w + x)], AColor);
                }
        return double(differing) / n;
    }
    // The largest spread between the channels of any pixel: 0 for greys.
    static int MostColourful(const std::vector<TColor>& AFace)
    {
        int most = 0;
        for (TColor c : AFace) {
            const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            most = std::max(most, std::max({r, g, b}) - std::min({r, g, b}));
        }
        return most;
    }
    static size_t Differing(const std::vector<TColor>& A, const std::vector<TColor>& B)
    {
        size_t n = 0;
        for (size_t i = 0; i < std::min(A.size(), B.size()); ++i)
            n += A[i] != B[i];
        return n;
    }
};

// The mute button shows the sound's state: the sound-on face while sound is
// on, the muted face after a click, and back again.
TEST_P(LooksTest, MuteButtonShowsItsState)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    Start();
    TbsSkinButton* on = Form1->bsSkinButton16;
    TbsSkinButton* muted = Form1->bsSkinButton20;
    ASSERT_TRUE(on->Visible());
    ASSERT_FALSE(muted->Visible());
    EXPECT_EQ(on->BoundsRect(), muted->BoundsRect());
    const std::vector<TColor> soundFace = Face(on);
    ClickOn(on);
    EXPECT_FALSE(on->Visible());
    ASSERT_TRUE(muted->Visible());
    Backend->MouseMove(0, 0);   // away, so that no hover face is compared
    Pump();
    const std::vector<TColor> mutedFace = Face(muted);
    // The glyphs differ in a good part of the face, not in a pixel or two.
    EXPECT_GT(Differing(soundFace, mutedFace), 20u);
    ClickOn(muted);
    EXPECT_TRUE(on->Visible());
    EXPECT_FALSE(muted->Visible());
    Backend->MouseMove(0, 0);
    EXPECT_EQ(Differing(Face(on), soundFace), 0u) << "back with its resting face";
}

// Every tool of the tool bar is a button: the enabled ones stand out from the
// bar at rest with a picture and light up under the mouse and when pressed;
// the disabled ones are flat on the bar and grey.
TEST_P(LooksTest, ToolButtonsLookLikeButtons)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    Start();
    TbsSkinToolBar* bar = Form1->bsSkinToolBar1;
    const TPoint barPoint = bar->ClientToScreen(TPoint{bar->Width() - 6, bar->Height() / 2});
    const TColor barColour =
        Backend->CaptureWindow(Form1->Handle())->GetPixel(barPoint.X - Form1->Left(), barPoint.Y - Form1->Top()) &
        0xFFFFFF;
    const std::pair<TControl*, const char*> enabled[] = {{Form1->bsSkinMenuSpeedButton1, "添加"},
                                                         {Form1->bsSkinButton19, "选项"}};
    for (auto [tool, name] : enabled) {
        ASSERT_TRUE(tool->Enabled()) << name;
        EXPECT_GT(RingDiffering(tool, barColour), 0.6) << name << " at rest is bare on the bar";
        EXPECT_GT(MostColourful(Face(tool)), 80) << name << " has no picture";
    }
    for (TControl* tool : {Form1->bsSkinButton2, Form1->bsSkinButton10, Form1->bsSkinButton11}) {
        ASSERT_FALSE(tool->Enabled()) << tool->Name();
        EXPECT_LT(RingDiffering(tool, barColour), 0.2) << tool->Name() << " disabled but raised";
        EXPECT_LT(MostColourful(Face(tool)), 40) << tool->Name() << " disabled but coloured";
    }
    // Under the mouse and pressed (released away, so nothing runs).
    TbsSkinButton* options = Form1->bsSkinButton19;
    const std::vector<TColor> rest = Face(options);
    const TPoint centre = options->ClientToScreen(TPoint{options->Width() / 2, options->Height() / 2});
    Backend->MouseMove(centre.X, centre.Y);
    Settle();
    const std::vector<TColor> hover = Face(options);
    Backend->MouseDown(centre.X, centre.Y);
    Settle();
    const std::vector<TColor> down = Face(options);
    Backend->MouseMove(0, 0);
    Backend->MouseUp(0, 0);
    Settle();
    const size_t area = rest.size();
    EXPECT_GT(Differing(rest, hover), area / 3) << "no hover face";
    EXPECT_GT(Differing(hover, down), area / 3) << "no pressed face";
    EXPECT_EQ(Differing(Face(options), rest), 0u) << "back at rest";
}

// The mean brightness of AFace, 0 (black) .. 255 (white).
double Brightness(const std::vector<TColor>& AFace)
{
    double sum = 0;
    for (TColor c : AFace)
        sum += 0.30 * (c & 0xFF) + 0.59 * ((c >> 8) & 0xFF) + 0.11 * ((c >> 16) & 0xFF);
    return AFace.empty() ? 0 : sum / double(AFace.size());
}

// The tool bar's tools, the two format lists and the output folder box are
// dark in the dark skin and light in a light one, also after the skin
// picker changed the skin while the program runs.
TEST_F(LooksTest, ToolBarListsAndFolderBoxFollowADarkSkin)
{
    Start();
    int chosen = 0;
    Form1->SkinPicker = [&chosen](int& AIndex) {
        AIndex = chosen;
        return true;
    };
    const std::pair<TControl*, const char*> parts[] = {{Form1->bsSkinButton19, "选项"},
                                                       {Form1->bsSkinMenuSpeedButton1, "添加"},
                                                       {Form1->bsSkinOfficeComboBox1, "format list"},
                                                       {Form1->bsSkinOfficeComboBox2, "category list"},
                                                       {Form1->Video_OutPut_Folder_Edit, "folder box"}};
    for (int skin : {6, 0, 6}) {
        chosen = skin;
        Form1->ChooseSkin();
        ASSERT_EQ(Form1->bsSkinData1->SkinIndex(), skin);
        for (auto [part, name] : parts) {
            const double b = Brightness(Face(part));
            if (skin == 6)
                EXPECT_LT(b, 110) << name << " stays light in the dark skin";
            else
                EXPECT_GT(b, 170) << name << " is dark in a light skin";
        }
    }
}

double Luminance(TColor c)
{
    auto channel = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c & 0xFF) + 0.7152 * channel((c >> 8) & 0xFF) + 0.0722 * channel((c >> 16) & 0xFF);
}

// The contrast of a row's text with its face, as a person sees the row: the
// face is the row's most common colour, the text its pixel furthest from it.
double RowContrast(const std::vector<TColor>& ARow)
{
    std::map<TColor, int> counts;
    for (TColor c : ARow)
        ++counts[c];
    TColor face = ARow.front();
    for (auto [c, n] : counts)
        if (n > counts[face])
            face = c;
    double best = 1;
    for (auto [c, n] : counts) {
        const double a = Luminance(c), b = Luminance(face);
        best = std::max(best, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
    }
    return best;
}

// The job list's selected row is readable in every skin, with the focus on
// the list and with the focus elsewhere.
class SelectionTest : public LooksTest {
protected:
    void SetUp() override
    {
        LooksTest::SetUp();
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
    }
    std::string Clip(const std::string& AName)
    {
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].Frames = 5;
        plan.Video[0].Width = 64;
        plan.Video[0].Height = 48;
        const std::string path = Media.File(AName);
        testmedia::WriteMediaFile(path, plan);
        return path;
    }
    testmedia::TTempFolder Media;
};

TEST_P(SelectionTest, SelectedRowIsReadableWithAndWithoutFocus)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    Start();
    TbsSkinListView* list = Form1->lvFiles;
    Dialogs->Answers.push_back({Clip("a.avi"), Clip("b.avi")});
    Form1->Item121->Click();   // 文件 › 添加多个文件
    Pump();
    ASSERT_EQ(list->Items().Count(), 2);
    // The text of the first column only: the row's first 80 pixels.
    auto row = [&] {
        const TRect r = list->Items()[0]->DisplayRect(drBounds);
        std::vector<TColor> all = Face(list), out;
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
            for (int x = 2; x < std::min(78, list->Width()); ++x)
                out.push_back(all[size_t(y * list->Width() + x)]);
        return out;
    };
    list->SetFocus();
    Pump();
    list->SetItemIndex(0);
    Pump();
    ASSERT_TRUE(list->Focused());
    ASSERT_EQ(list->Selected(), list->Items()[0]);
    EXPECT_GE(RowContrast(row()), 4.5) << "focused";
    Form1->bsSkinOfficeComboBox1->SetFocus();
    Pump();
    ASSERT_FALSE(list->Focused());
    EXPECT_GE(RowContrast(row()), 4.5) << "unfocused";
}

// The rows of a picture (W pixels wide, row by row) that hold a colourful pixel.
int ColourfulRows(const std::vector<TColor>& APixels, int AWidth, int AFromX, int AToX)
{
    int rows = 0;
    for (size_t y = 0; y < APixels.size() / size_t(AWidth); ++y) {
        bool colourful = false;
        for (int x = AFromX; x < AToX && !colourful; ++x)
        {
            const TColor c = APixels[y * size_t(AWidth) + size_t(x)];
            const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            colourful = std::max({r, g, b}) - std::min({r, g, b}) > 90;
        }
        rows += colourful;
    }
    return rows;
}

// The category list shows its whole 48-pixel picture under its title, and
// the title keeps clear of the box's frame; so does the output folder's text.
TEST_P(LooksTest, CategoryListAndFolderBoxKeepClearOfTheirFrames)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    Start();
    TbsSkinOfficeComboBox* combo = Form1->bsSkinOfficeComboBox2;
    ASSERT_GE(combo->ItemIndex(), 0);
    TBitmap source;
    Form1->ImageList1->GetBitmap(combo->ListBox()->Item(combo->ItemIndex())->ImageIndex(), source);
    std::vector<TColor> picture;
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            picture.push_back(source.GetPixel(x, y) & 0xFFFFFF);
    const int expected = ColourfulRows(picture, source.Width(), 0, source.Width());
    ASSERT_GT(expected, 40);
    // The picture lies in the face's left part, before the description.
    const std::vector<TColor> face = Face(combo);
    // (its soft edge rows fade into the face, so a row or two may drop below the mark)
    EXPECT_GE(ColourfulRows(face, combo->Width(), 4, 4 + source.Width() + 8), expected - 2);
    // Between the frame's top edge and the title's first row a clear row.
    const TColor background = face[size_t(5 * combo->Width() + combo->Width() - 30)];
    int firstInk = -1;
    for (int y = 2; y < combo->Height() && firstInk < 0; ++y)
        for (int x = 12; x < 80; ++x)
            if (Apart(face[size_t(y * combo->Width() + x)], background)) {
                firstInk = y;
                break;
            }
    EXPECT_GE(firstInk, 4) << "the title touches the frame";

    // The folder's text: its first ink inside the frame's inner margins.
    TControl* edit = Form1->Video_OutPut_Folder_Edit;
    const std::vector<TColor> box = Face(edit);
    const int w = edit->Width(), h = edit->Height();
    const TColor fill = box[size_t(h / 2 * w + w - 8)];
    int left = w, top = h;
    auto ink = [&](TColor c) {   // text strokes, not the frame's soft corners
        for (int shift : {0, 8, 16})
            if (std::abs(int((c >> shift) & 0xFF) - int((fill >> shift) & 0xFF)) > 80)
                return true;
        return false;
    };
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w / 2; ++x)
            if (ink(box[size_t(y * w + x)])) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
    EXPECT_GE(left, 4) << "the text touches the left edge";
    EXPECT_GE(top, 4) << "the text touches the top edge";
    EXPECT_LT(left, w / 2) << "no text";
}

INSTANTIATE_TEST_SUITE_P(Skins, SelectionTest, ::testing::Range(0, 7));

INSTANTIATE_TEST_SUITE_P(Skins, LooksTest, ::testing::Values(0, 2, 6));

} // namespace
} // namespace maintest
