#include <filesystem>
#include <unistd.h>
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Picture.h"
#include "platform/gfx/Png.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/ScrollBarControl.h"
#include "WidgetFixture.h"

// Every widget on one form, saved as a PNG picture and read back: the key
// pixels of each are where they belong.
class TSnapshotTest : public TWidgetTest {};

TEST_F(TSnapshotTest, TheWidgetsRenderTheirKeyPixelsIntoAPicture)
{
    auto* edit = new TEdit(Form);
    edit->SetBounds(10, 10, 150, 22);
    edit->SetParent(Form);
    edit->SetText("Selected");
    auto* list = new TListBox(Form);
    list->SetBounds(10, 40, 150, 80);
    list->SetParent(Form);
    for (const char* s : {"one", "two", "three"})
        list->Items().Add(s);
    list->SetItemIndex(1);
    auto* combo = new TComboBox(Form);
    combo->SetStyle(csDropDownList);
    combo->SetBounds(180, 10, 150, 22);
    combo->SetParent(Form);
    combo->Items().Add("Choice");
    combo->SetItemIndex(0);
    auto* memo = new TMemo(Form);
    memo->SetBounds(180, 40, 150, 80);
    memo->SetScrollBars(ssVertical);
    memo->SetParent(Form);
    memo->Lines().Add("first line");
    auto* bar = new TScrollBar(Form);
    bar->SetBounds(10, 140, 200, 17);
    bar->SetParent(Form);
    bar->SetParams(0, 0, 100);
    bar->SetPageSize(25);
    edit->SetFocus();
    edit->SelectAll();
    Pump();

    std::string file = (std::filesystem::temp_directory_path() /
                        ("widgets-" + std::to_string(::getpid()) + ".png")).string();
    Backend->SaveWindowPicture(Form->Handle(), file);
    TPicture picture;
    picture.LoadFromFile(file);
    std::filesystem::remove(file);
    auto* png = dynamic_cast<TPngImage*>(picture.Graphic());
    ASSERT_NE(png, nullptr);
    TCanvas& c = *png->Bitmap().Canvas();
    // Picture points of client points of each control.
    TRect frame;
    GetWindowRect(Form->Handle(), frame);
    auto at = [&](TControl* control, int x, int y) {
        TPoint p = control->ClientToScreen(TPoint{x, y});
        return c.Pixels(p.X - frame.Left, p.Y - frame.Top);
    };
    // The selection behind the text: some pixel of its first columns is pure highlight.
    auto highlightIn = [&](TControl* control, int x0, int x1) {
        for (int y = 0; y < control->ClientHeight(); ++y)
            for (int x = x0; x < x1; ++x)
                if (at(control, x, y) == ColorToRGB(clHighlight))
                    return ColorToRGB(clHighlight);
        return TColor(clNone);
    };
    int itemHeight = list->ItemHeight();
    struct TCase { const char* what; TColor got, want; };
    const TCase cases[] = {
        {"edit selection", highlightIn(edit, 1, 12), ColorToRGB(clHighlight)},
        {"edit face after the text", at(edit, 140, 8), ColorToRGB(clWindow)},
        {"list selected item", at(list, 140, itemHeight + itemHeight / 2), ColorToRGB(clHighlight)},
        {"list other item", at(list, 140, itemHeight / 2), ColorToRGB(clWindow)},
        {"combo button", at(combo, combo->ClientWidth() - 3, 3), ColorToRGB(clBtnFace)},
        {"memo face", at(memo, 100, 40), ColorToRGB(clWindow)},
        {"scroll-bar thumb", at(bar, bar->ThumbRect().Left + 5, 8), ColorToRGB(clBtnFace)},
        {"scroll-bar track", at(bar, bar->ThumbRect().Right + 20, 8), ColorToRGB(clScrollBar)},
    };
    for (const TCase& k : cases)
        EXPECT_EQ(k.got, k.want) << k.what;
}

// A user's draw handler that throws while the list box or combo box has its
// item clipped: the exception reaches the caller of PaintTo, and the context
// it painted into is left as it was, neither clipped nor moved.
TEST_F(TSnapshotTest, AThrowingDrawItemHandlerLeavesTheContextAsItWas)
{
    auto* list = new TListBox(Form);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetBounds(10, 10, 150, 80);
    list->Items().Add("one");
    auto* combo = new TComboBox(Form);
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetBounds(180, 10, 150, 22);
    combo->Items().Add("one");
    combo->SetItemIndex(0);
    auto fail = [](TWinControl*, int, TRect, TOwnerDrawState) { throw EConvertError("no picture for the item"); };
    list->OnDrawItem = fail;
    combo->OnDrawItem = fail;
    for (TWinControl* c : std::initializer_list<TWinControl*>{list, combo})
        c->SetParent(Form);
    // Without the application's handler the exception travels out of the paint.
    TExceptionHandler shown = SetExceptionHandler(nullptr);
    for (TWinControl* c : std::initializer_list<TWinControl*>{list, combo}) {
        TBitmap target(400, 200);
        HDC dc = target.Canvas()->Handle();
        EXPECT_THROW(c->PaintTo(dc, 5, 5), EConvertError) << c->ClassName();
        TRegion clip;
        EXPECT_FALSE(dc->GetClipRgn(clip)) << c->ClassName();
        EXPECT_EQ(dc->ViewportOrg(), (TPoint{0, 0})) << c->ClassName();
        EXPECT_EQ(dc->ClipBox(), (TRect{0, 0, 400, 200})) << c->ClassName();
    }
    SetExceptionHandler(shown);
}
