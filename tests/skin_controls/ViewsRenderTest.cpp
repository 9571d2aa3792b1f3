#include <gtest/gtest.h>
#include "resources/pictures/ResourcePictures.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSlider.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinTreeView.h"
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

// The job list (report style, grid lines, row select, skinned header,
// external bars) and a tree view, in our base skin and plain.
TEST_F(ViewsRenderTest, TreeAndListViews)
{
    Form->SetBounds(50, 50, 700, 300);
    TRenderSheet sheet;
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        const std::string look = skin ? "base skin" : "plain";
        auto* lv = new TbsSkinListView(Form);
        lv->SetParent(Form);
        lv->SetBounds(10, 10, 380, 160);
        lv->SetViewStyle(vsReport);
        lv->SetGridLines(true);
        lv->SetRowSelect(true);
        const char* captions[] = {"File", "Format", "Size", "Progress", "State"};
        const int widths[] = {120, 70, 70, 90, 80};
        for (int c = 0; c < 5; ++c) {
            TListColumn* col = lv->Columns().Add();
            col->SetCaption(captions[c]);
            col->SetWidth(widths[c]);
            if (c == 2)
                col->SetAlignment(taRightJustify);
        }
        for (int i = 0; i < 30; ++i) {
            TListItem* item = lv->Items().Add();
            item->SetCaption("movie_" + std::to_string(i) + ".avi");
            item->SubItems().Add("MP4");
            item->SubItems().Add(std::to_string(12 + i * 3) + " MB");
            item->SubItems().Add(std::to_string(i * 3 % 100) + "%");
            item->SubItems().Add(i < 2 ? "Converting" : "Waiting");
        }
        auto* v = new TbsSkinScrollBar(Form);
        v->SetParent(Form);
        v->SetKind(sbVertical);
        v->SetSkinDataName("vscrollbar");
        v->SetBounds(390, 10, 19, 160);
        auto* h = new TbsSkinScrollBar(Form);
        h->SetParent(Form);
        h->SetBounds(10, 170, 399, 19);
        v->SetSkinData(skin);
        h->SetSkinData(skin);
        lv->SetSkinData(skin);
        lv->SetVScrollBar(v);
        lv->SetHScrollBar(h);
        lv->SetItemIndex(1);
        Pump();
        lv->UpDateScrollBars();
        Pump();
        // The list with its bars as one picture.
        auto all = Capture();
        const TPoint o = Form->ScreenToClient(lv->ClientToScreen(TPoint{0, 0}));
        TBitmap listShot(400, 180);
        for (int y = 0; y < 180; ++y)
            for (int x = 0; x < 400; ++x)
                listShot.SetPixel(x, y, all->GetPixel(o.X + x, o.Y + y));
        sheet.Add(look + ": job list", listShot);
        sheet.Add(look + ": its vertical bar", Snapshot(v));
        sheet.NewRow();
        sheet.Add(look + ": its horizontal bar", Snapshot(h));

        auto* tv = new TbsSkinTreeView(Form);
        tv->SetParent(Form);
        tv->SetBounds(430, 10, 200, 160);
        auto* tvBar = new TbsSkinScrollBar(Form);
        tvBar->SetParent(Form);
        tvBar->SetKind(sbVertical);
        tvBar->SetSkinDataName("vscrollbar");
        tvBar->SetBounds(630, 10, 19, 160);
        tvBar->SetSkinData(skin);
        tv->SetSkinData(skin);
        tv->SetVScrollBar(tvBar);
        for (int i = 0; i < 4; ++i) {
            TTreeNode* n = tv->Items().Add(nullptr, "Folder " + std::to_string(i));
            for (int j = 0; j < 4; ++j)
                tv->Items().AddChild(n, "Video " + std::to_string(j));
        }
        tv->FullExpand();
        tv->SetSelected(tv->Items().GetFirstNode());
        Pump();
        tv->UpDateScrollBars();
        Pump();
        auto all2 = Capture();
        const TPoint o2 = Form->ScreenToClient(tv->ClientToScreen(TPoint{0, 0}));
        TBitmap treeShot(220, 160);
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 220; ++x)
                treeShot.SetPixel(x, y, all2->GetPixel(o2.X + x, o2.Y + y));
        sheet.Add(look + ": tree view", treeShot);
        sheet.NewRow();
        delete lv;
        delete v;
        delete h;
        delete tv;
        delete tvBar;
    }
    sheet.Save("views");
}

}  // namespace
