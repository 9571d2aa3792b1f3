#include <gtest/gtest.h>
#include "skin/controls/SkinScrollBar.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

class ViewsRenderTest : public TControlsTest {};

// Scroll bars in our base skin and in the plain look: at rest, with a page,
// vertical, and the horizontal bar beside a vertical one.
TEST_F(ViewsRenderTest, ScrollBars)
{
    TRenderSheet sheet;
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        const std::string look = skin ? "base skin" : "plain";
        auto* h = new TbsSkinScrollBar(Form);
        h->SetParent(Form);
        h->SetBounds(10, 10, 220, 19);
        h->SetSkinData(skin);
        h->SetPosition(30);
        auto* p = new TbsSkinScrollBar(Form);
        p->SetParent(Form);
        p->SetBounds(10, 40, 220, 19);
        p->SetSkinData(skin);
        p->SetRange(0, 99, 60, 25);
        auto* v = new TbsSkinScrollBar(Form);
        v->SetParent(Form);
        v->SetKind(sbVertical);
        v->SetSkinDataName("vscrollbar");
        v->SetBounds(250, 10, 19, 160);
        v->SetSkinData(skin);
        v->SetRange(0, 200, 50, 40);
        auto* b = new TbsSkinScrollBar(Form);
        b->SetParent(Form);
        b->SetBounds(10, 70, 220, 19);
        b->SetSkinData(skin);
        b->SetBoth(true);
        b->SetRange(0, 50, 10, 20);
        Pump();
        MoveTo(h, 210, 9);   // the increment button hot
        sheet.Add(look + ": hot step button", Snapshot(h));
        sheet.Add(look + ": page", Snapshot(p));
        sheet.Add(look + ": both", Snapshot(b));
        sheet.Add(look + ": vertical", Snapshot(v));
        MoveAway();
        const TRect t = p->ThumbRectNow();
        Press(p, t.Left + 5, 9);
        sheet.Add(look + ": thumb pressed", Snapshot(p));
        Release(p, t.Left + 5, 9);
        sheet.NewRow();
        delete h;
        delete p;
        delete v;
        delete b;
    }
    sheet.Save("scrollbars");
}

}  // namespace
