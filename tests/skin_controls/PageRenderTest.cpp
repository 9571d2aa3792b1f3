// Renders the page controls and spin buttons in our base skin and in the
// plain look as PNG sheets for a person to look at.
#include "tests/skin_controls/ControlsFixture.h"
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
        else
            pc->SetDefaultItemHeight(20);
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
            pc->SetTabPosition(tpTop);
            pc->HideTabs();
            Pump();
            sheet.Add("tabs hidden", Snapshot(pc));
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

TEST_F(TPageRenderTest, BaseSkin) { Sheet("pages_base_skin", BaseSkinData()); }
TEST_F(TPageRenderTest, PlainLook) { Sheet("pages_plain", nullptr); }

}  // namespace
