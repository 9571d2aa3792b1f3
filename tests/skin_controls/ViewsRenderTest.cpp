#include <gtest/gtest.h>
#include "resources/pictures/ResourcePictures.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSlider.h"
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

// Sliders in our base skin and in the plain look with the program's
// default pictures: horizontal with ticks, the seek bar's look, vertical.
TEST_F(ViewsRenderTest, Sliders)
{
    SetSliderPictureLoader([](const std::string& Name, TBitmap& B) { return FindResBitmap(Name, B); });
    TRenderSheet sheet;
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        const std::string look = skin ? "base skin" : "plain";
        auto* h = new TbsSkinSlider(Form);
        h->SetParent(Form);
        h->SetBounds(10, 10, 200, 40);
        h->SetSkinData(skin);
        h->SetValue(30);
        auto* seek = new TbsSkinSlider(Form);
        seek->SetParent(Form);
        seek->SetBounds(10, 60, 200, 30);
        seek->SetSkinData(skin);
        seek->SetOptions(TbsSliderOptions{soShowFocus, soSmooth});
        seek->SetTransparent(true);
        seek->SetMaxValue(seek->Width());
        seek->SetValue(120);
        auto* v = new TbsSkinSlider(Form);
        v->SetParent(Form);
        v->SetOrientation(soVertical);
        v->SetBounds(250, 10, 40, 150);
        v->SetSkinData(skin);
        v->SetValue(70);
        Pump();
        sheet.Add(look + ": ticks", Snapshot(h));
        sheet.Add(look + ": seek bar", Snapshot(seek));
        sheet.Add(look + ": vertical", Snapshot(v));
        const TRect t = h->ThumbRect();
        Press(h, t.Left + 3, t.Top + 3);
        h->SetFocus();
        sheet.Add(look + ": pressed, focused", Snapshot(h));
        Release(h, t.Left + 3, t.Top + 3);
        sheet.NewRow();
        delete h;
        delete seek;
        delete v;
    }
    sheet.Save("sliders");
    SetSliderPictureLoader(nullptr);
}

}  // namespace
