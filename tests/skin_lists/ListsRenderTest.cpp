#include <gtest/gtest.h>
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/boxes/SkinScrollBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

class TListsRenderTest : public TControlsTest {};

// List boxes in our base skin and in the plain look: a short list with the
// focused selection, a long one with its bar, one with both bars, tabbed
// columns, and the plain caption with its buttons; then a scroll box.
TEST_F(TListsRenderTest, ListBoxesAndScrollBox)
{
    TRenderSheet sheet;
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        const std::string look = skin ? "base skin" : "plain";
        auto make = [&](int x, int count) {
            auto* l = new TbsSkinListBox(Form);
            l->SetParent(Form);
            l->SetBounds(x, 10, 120, 130);
            l->SetSkinData(skin);
            for (int i = 0; i < count; ++i)
                l->Items().Add("Skin " + std::to_string(i + 1));
            return l;
        };
        auto* shortList = make(10, 4);
        shortList->SetItemIndex(1);
        auto* longList = make(140, 30);
        longList->SetItemIndex(3);
        auto* wide = make(270, 12);
        wide->SetHorizontalExtent(true);
        wide->Items().Add("A rather long item that needs a horizontal bar");
        Pump();
        shortList->ListBox->SetFocus();
        Pump();
        sheet.Add(look + ": focused", Snapshot(shortList));
        sheet.Add(look + ": long", Snapshot(longList));
        sheet.Add(look + ": both bars", Snapshot(wide));
        delete shortList;
        delete longList;
        delete wide;
        auto* tabs = make(10, 0);
        TStringList stops;
        stops.Add("50");
        tabs->SetTabWidths(stops);
        for (const char* s : {"mp4\tvideo", "mp3\taudio", "avi\tvideo"})
            tabs->Items().Add(s);
        tabs->SetItemIndex(0);
        auto* caption = make(140, 6);
        caption->SetCaptionMode(true);
        caption->SetCaption("Skins");
        caption->SetItemIndex(2);
        Pump();
        MoveTo(caption, caption->CaptionButtonRect(1).Left + 3, 8);
        sheet.Add(look + ": tab stops", Snapshot(tabs));
        sheet.Add(look + ": caption, hot down", Snapshot(caption));
        MoveAway();
        delete tabs;
        delete caption;

        auto* box = new TbsSkinScrollBox(Form);
        box->SetParent(Form);
        box->SetBounds(10, 10, 150, 120);
        box->SetSkinData(skin);
        auto* bar = new TbsSkinScrollBar(Form);
        bar->SetParent(Form);
        bar->SetKind(sbVertical);
        bar->SetSkinDataName("vscrollbar");
        bar->SetSkinData(skin);
        bar->SetBounds(160, 10, 19, 120);
        for (int i = 0; i < 4; ++i) {
            auto* p = new TPanel(box);
            p->SetParent(box);
            p->SetCaption("Panel " + std::to_string(i + 1));
            p->SetBounds(10, 10 + i * 60, 110, 50);
        }
        box->SetVScrollBar(bar);
        bar->SetPosition(40);
        Pump();
        TBitmap both(175, 120);
        const TBitmap a = Snapshot(box), b = Snapshot(bar);
        both.Fill(RGB(240, 240, 240));
        both.Canvas()->Draw(0, 0, a);
        both.Canvas()->Draw(152, 0, b);
        sheet.Add(look + ": scroll box", both);
        delete bar;
        delete box;
        sheet.NewRow();
    }
    sheet.Save("lists");
}

}  // namespace
