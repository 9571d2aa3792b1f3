// Renders the panels, bars, labels, bevels and splitters in our base skin,
// in the test skin and in the plain look, as PNG sheets for a person to
// look at. The checks guard that each control drew something of its own.
#include "tests/skin_controls/ControlsFixture.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinToolBar.h"

namespace {

class TPanelRenderTest : public TControlsTest {
protected:
    // A holder panel of the form colour that keeps one sample.
    template <class T>
    T* Sample(int W, int H)
    {
        auto* holder = new TPanel(Form);
        holder->SetParent(Form);
        holder->SetBevelOuter(bvNone);
        holder->SetBounds(0, 0, W, H);
        holder->SetColor(RGB(240, 240, 240));
        auto* c = new T(Form);
        c->SetParent(holder);
        FHolders.push_back(holder);
        return c;
    }

    void Clear()
    {
        for (auto* h : FHolders)
            delete h;
        FHolders.clear();
    }

    void Add(TRenderSheet& Sheet, const std::string& Label, TControl* C)
    {
        Pump();
        TWinControl* holder = C->Parent();
        Sheet.Add(Label, Snapshot(holder));
    }

    void Sheet(const std::string& Name, TbsSkinData* Skin)
    {
        Form->SetBounds(20, 20, 900, 600);
        Pump();
        TRenderSheet sheet;
        auto skinned = [&](auto* c) {
            if (Skin)
                c->SetSkinData(Skin);
        };

        // Panels and group boxes.
        {
            auto* p = Sample<TbsSkinPanel>(160, 100);
            p->SetBounds(5, 5, 150, 90);
            skinned(p);
            Add(sheet, "panel", p);
            auto* c = Sample<TbsSkinPanel>(160, 100);
            c->SetBounds(5, 5, 150, 90);
            c->SetCaptionMode(true);
            c->SetCheckedMode(true);
            c->SetChecked(true);
            c->SetRollUpMode(true);
            c->SetCaption("Caption bar");
            skinned(c);
            Add(sheet, "caption, checked, roll-up", c);
            auto* g = Sample<TbsSkinGroupBox>(160, 100);
            g->SetBounds(5, 5, 150, 90);
            g->SetCaption("Group box");
            skinned(g);
            Add(sheet, "group box", g);
            auto* t = Sample<TbsSkinGroupBox>(160, 100);
            t->SetBounds(5, 5, 150, 90);
            t->SetCaption("Transparent group");
            t->SetTransparentMode(true);
            skinned(t);
            Add(sheet, "transparent group", t);
            auto* r = Sample<TbsSkinGroupBox>(160, 100);
            r->SetBounds(5, 5, 150, 90);
            r->SetCaption("Rolled up");
            r->SetRollUpMode(true);
            skinned(r);
            r->SetRollUpState(true);
            Add(sheet, "rolled up", r);
            sheet.NewRow();
            Clear();
        }
        // Tool bars: fitting, and scrolled with both arrows.
        {
            for (int n : {3, 8}) {
                auto* bar = Sample<TbsSkinToolBar>(420, 50);
                bar->SetSkinDataName("resizetoolpanel");
                bar->SetCanScroll(true);
                bar->SetHotScroll(true);
                bar->SetScrollOffset(30);
                skinned(bar);
                for (int i = 0; i < n; ++i) {
                    auto* b = new TbsSkinMenuSpeedButton(Form);
                    b->SetParent(bar);
                    b->SetSkinDataName("resizetoolbutton");
                    b->SetCaption("Tool " + std::to_string(i + 1));
                    b->SetBounds(i * 70, 0, 70, 25);
                    if (Skin)
                        b->SetSkinData(Skin);
                }
                bar->SetBounds(10, 10, 400, 30);
                if (n == 8)
                    bar->ScrollStep(1);
                Add(sheet, n == 8 ? "tool bar, scrolled" : "tool bar", bar);
            }
            sheet.NewRow();
            auto* s = Sample<TbsSkinStatusBar>(420, 40);
            s->SetAlign(alNone);
            s->SetBounds(10, 10, 400, 21);
            s->SetSizeGrip(true);
            s->SetCaption("Status");
            skinned(s);
            Add(sheet, "status bar with grip", s);
            sheet.NewRow();
            Clear();
        }
        // Labels, bevels and splitters.
        {
            auto* l = Sample<TbsSkinStdLabel>(120, 30);
            l->SetBounds(5, 5, 100, 20);
            l->SetCaption("Std label");
            skinned(l);
            Add(sheet, "std label", l);
            auto* d = Sample<TbsSkinStdLabel>(120, 30);
            d->SetBounds(5, 5, 100, 20);
            d->SetCaption("Disabled label");
            skinned(d);
            d->SetEnabled(false);
            Add(sheet, "disabled", d);
            auto* t = Sample<TbsSkinTextLabel>(140, 70);
            t->SetBounds(5, 5, 100, 20);
            t->Lines().Add("Text label,");
            t->Lines().Add("two lines");
            skinned(t);
            Add(sheet, "text label", t);
            for (TBevelShape shape : {bsBox, bsFrame, bsTopLine}) {
                auto* b = Sample<TbsSkinBevel>(60, 50);
                b->SetBounds(10, 10, 40, 30);
                b->SetShape(shape);
                skinned(b);
                Add(sheet, "bevel " + std::to_string(int(shape)), b);
            }
            auto* v = Sample<TbsSkinSplitter>(60, 80);
            v->SetAlign(alLeft);
            skinned(v);
            Add(sheet, "vsplitter", v);
            auto* h = Sample<TbsSkinSplitter>(160, 40);
            h->SetSkinDataName("hsplitter");
            h->SetAlign(alTop);
            skinned(h);
            Add(sheet, "hsplitter", h);
            Clear();
        }
        sheet.Save(Name);
    }

    std::vector<TWinControl*> FHolders;
};

TEST_F(TPanelRenderTest, BaseSkin) { Sheet("panels_base_skin", BaseSkinData()); }
TEST_F(TPanelRenderTest, TestSkin) { Sheet("panels_test_skin", TestSkinData()); }
TEST_F(TPanelRenderTest, PlainLook) { Sheet("panels_plain", nullptr); }

}  // namespace
