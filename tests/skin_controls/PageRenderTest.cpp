// Renders the page controls and spin buttons in our base skin and in the
// plain look as PNG sheets for a person to look at.
#include "tests/skin_controls/ControlsFixture.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinUpDown.h"

namespace {

class TPageRenderTest : public TControlsTest {
protected:
    TbsSkinPageControl* Pages(TbsSkinData* Skin, int Count, int W, int H)
    {
        auto* pc = new TbsSkinPageControl(Form);
        pc->SetParent(Form);
        pc->SetBounds(10, 10, W, H);
        for (int i = 0; i < Count; ++i) {
            auto* s = new TbsSkinTabSheet(Form);
            s->SetCaption(i == 0 ? "常规 General" : "Page " + std::to_string(i + 1));
            s->SetPageControl(pc);
        }
        if (Skin)
            pc->SetSkinData(Skin);
        Pump();
        return pc;
    }

    void Sheet(const std::string& Name, TbsSkinData* Skin)
    {
        Form->SetBounds(20, 20, 700, 500);
        Pump();
        TRenderSheet sheet;
        {
            auto* pc = Pages(Skin, 3, 300, 120);
            const TRect t = pc->GetTabRect(1);
            MoveTo(pc, (t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2);
            sheet.Add("three pages, second tab hot", Snapshot(pc));
            pc->SetFocus();
            Pump();
            sheet.Add("focused", Snapshot(pc));
            MoveAway();
            delete pc;
        }
        {
            auto* pc = Pages(Skin, 3, 300, 120);
            pc->SetShowCloseButtons(true);
            const TRect t = pc->GetTabRect(1);
            MoveTo(pc, (t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2);
            sheet.NewRow();
            sheet.Add("close buttons", Snapshot(pc));
            MoveAway();
            delete pc;
        }
        {
            auto* pc = Pages(Skin, 8, 260, 120);
            sheet.Add("overflow: spin-button scroller", Snapshot(pc));
            delete pc;
        }
        {
            auto* pc = Pages(Skin, 3, 300, 120);
            pc->SetTabPosition(tpBottom);
            Pump();
            sheet.NewRow();
            sheet.Add("tabs at the bottom", Snapshot(pc));
            pc->SetTabPosition(tpLeft);
            Pump();
            sheet.Add("tabs on the left", Snapshot(pc));
            pc->SetTabPosition(tpRight);
            pc->SetTextInHorizontal(true);
            Pump();
            sheet.Add("tabs on the right, text level", Snapshot(pc));
            pc->SetTextInHorizontal(false);
            pc->SetTabPosition(tpTop);
            pc->HideTabs();
            Pump();
            sheet.Add("tabs hidden", Snapshot(pc));
            delete pc;
        }
        {
            // More side tabs than the height holds: they wrap into rows.
            auto* pc = Pages(Skin, 8, 300, 150);
            pc->SetTabPosition(tpLeft);
            pc->SetActivePageIndex(5);
            Pump();
            sheet.NewRow();
            sheet.Add("eight tabs on the left, wrapped", Snapshot(pc));
            EXPECT_GT(pc->RowCount(), 1);
            pc->SetTabPosition(tpRight);
            Pump();
            sheet.Add("eight tabs on the right, wrapped", Snapshot(pc));
            for (int i = 0; i < pc->TabCount(); ++i)
                EXPECT_LE(pc->GetTabRect(i).Bottom, pc->Height()) << "tab " << i;
            delete pc;
        }
        sheet.NewRow();
        for (bool useSkinSize : {true, false}) {
            for (int state = 0; state < 3; ++state) {
                auto* u = new TbsSkinUpDown(Form);
                u->SetUseSkinSize(useSkinSize);
                u->SetParent(Form);
                u->SetBounds(10, 10, 40, 20);
                if (Skin)
                    u->SetSkinData(Skin);
                Pump();
                const int x = u->Width() * 3 / 4, y = u->Height() / 2;
                if (state >= 1)
                    MoveTo(u, x, y);
                if (state == 2)
                    Press(u, x, y);
                const char* states[] = {"normal", "hot", "pressed"};
                sheet.Add(std::string(useSkinSize ? "spin " : "free-size spin ") + states[state], Snapshot(u));
                if (state == 2)
                    Release(u, x, y);
                MoveAway();
                delete u;
            }
        }
        sheet.Save(Name);
    }
};

class TOfficeRenderTest : public TControlsTest {
protected:
    void Fill(TbsSkinOfficeItems& Items)
    {
        Items.Clear();
        auto* h = Items.Add();
        h->SetHeader(true);
        h->SetCaption("视频 Video");
        for (int i = 0; i < 4; ++i) {
            auto* item = Items.Add();
            item->SetTitle("MP4 " + std::to_string(i + 1));
            item->SetCaption("H.264 / AAC, 720p " + std::to_string(i + 1));
            item->SetImageIndex(i % 2);
        }
        auto* h2 = Items.Add();
        h2->SetHeader(true);
        h2->SetCaption("音频 Audio");
        auto* off = Items.Add();
        off->SetTitle("MP3");
        off->SetCaption("disabled row");
        off->SetEnabled(false);
    }

    void Sheet(const std::string& Name, TbsSkinData* Skin)
    {
        Form->SetBounds(20, 20, 600, 500);
        Pump();
        TImageList images(nullptr, 16, 16);
        for (TColor color : {RGB(40, 120, 220), RGB(220, 120, 40)}) {
            TBitmap b(16, 16);
            b.Fill(color);
            images.Add(b);
        }
        TRenderSheet sheet;
        auto* list = new TbsSkinOfficeListBox(Form);
        list->SetParent(Form);
        list->SetBounds(10, 10, 220, 200);
        list->SetImages(&images);
        if (Skin)
            list->SetSkinData(Skin);
        Fill(list->Items());
        list->SetItemIndex(2);
        Pump();
        sheet.Add("office list: headers, titles, images, selection", Snapshot(list));
        delete list;

        auto* c = new TbsSkinOfficeComboBox(Form);
        c->SetParent(Form);
        c->SetBounds(10, 10, 220, 41);
        c->SetImages(&images);
        c->SetListBoxItemHeight(36);
        if (Skin)
            c->SetSkinData(Skin);
        Fill(c->Items());
        c->SetItemIndex(1);
        Pump();
        sheet.NewRow();
        sheet.Add("combo normal", Snapshot(c));
        MoveTo(c, 210, 20);
        sheet.Add("combo button hot", Snapshot(c));
        c->SetFocus();
        MoveAway();
        sheet.Add("combo focused", Snapshot(c));
        c->SetToolButtonStyle(true);
        Pump();
        sheet.Add("tool-button style", Snapshot(c));
        c->SetToolButtonStyle(false);
        c->DropDown();
        Pump();
        const TPoint p = c->ListBox()->ClientToScreen(TPoint{20, 60});
        Backend->MouseMove(p.X, p.Y);
        Pump();
        TRect box;
        GetWindowRect(c->ListBox()->Handle(), box);
        auto screen = Backend->CaptureScreen();
        TBitmap popup(box.Width(), box.Height());
        for (int y = 0; y < box.Height(); ++y)
            for (int x = 0; x < box.Width(); ++x)
                popup.SetPixel(x, y, screen->GetPixel(box.Left + x, box.Top + y));
        sheet.NewRow();
        sheet.Add("open list, a row highlighted", popup);
        c->CloseUp(false);
        delete c;
        sheet.Save(Name);
    }
};

TEST_F(TOfficeRenderTest, BaseSkin) { Sheet("office_base_skin", BaseSkinData()); }
TEST_F(TOfficeRenderTest, PlainLook) { Sheet("office_plain", nullptr); }

TEST_F(TPageRenderTest, BaseSkin) { Sheet("pages_base_skin", BaseSkinData()); }
TEST_F(TPageRenderTest, PlainLook) { Sheet("pages_plain", nullptr); }

}  // namespace
