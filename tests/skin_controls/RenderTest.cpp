// Renders every control in every state, in our base skin, in the test skin
// (for what our skins leave out: animation frames, track elements, the
// grayed image derived from the checked one) and in the plain look, as PNG
// sheets for a person to look at. The checks guard that each state drew.
#include "tests/skin_controls/ControlsFixture.h"
#include "skin/controls/MenuLinks.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinSpeedButton.h"

namespace {

class TNoMenu : public TbsButtonPopupMenu {
public:
    void PopupFromRect2(TControl*, const TRect&, bool) override {}
};

// A 16 x 16 glyph: a green disc with a dark rim on the key colour.
TBitmap MakeGlyph()
{
    TBitmap g(16, 16);
    g.Fill(RGB(255, 0, 255));
    TCanvas& c = *g.Canvas();
    c.Brush().SetColor(RGB(40, 150, 60));
    c.Pen().SetColor(RGB(20, 80, 30));
    c.Ellipse(2, 2, 14, 14);
    return g;
}

struct TState {
    const char* Name;
    std::function<void()> Enter;
    std::function<void()> Leave;
};

class TRenderTest : public TControlsTest {
protected:
    // Each state of C in a row of the sheet.
    void Row(TRenderSheet& Sheet, const std::string& Title, TControl* C, const std::vector<TState>& States)
    {
        for (const auto& s : States) {
            if (s.Enter)
                s.Enter();
            Pump();
            Sheet.Add(Title + " " + s.Name, Snapshot(C));
            if (s.Leave)
                s.Leave();
            MoveAway();
        }
        Sheet.NewRow();
    }

    std::vector<TState> PressableStates(TControl* C, bool Focusable)
    {
        auto* w = dynamic_cast<TWinControl*>(C);
        std::vector<TState> s{
            {"normal", nullptr, nullptr},
            {"hot", [=, this] { MoveTo(C, 5, 5); }, nullptr},
            {"pressed", [=, this] { Press(C, 5, 5); }, [=, this] { Release(C, 5, 5); }},
        };
        if (Focusable)
            s.push_back({"focused", [=] { w->SetFocus(); }, [=, this] { Form->SetFocus(); }});
        s.push_back({"disabled", [=] { C->SetEnabled(false); }, [=] { C->SetEnabled(true); }});
        return s;
    }

    void Sheet(const std::string& Name, TbsSkinData* Skin)
    {
        if (Skin)
            Skin->SetEnableSkinEffects(false);   // settled faces, no blends half-way
        Form->SetBounds(50, 50, 700, 400);
        Pump();
        TRenderSheet sheet;
        TBitmap glyph = MakeGlyph();

        for (const char* element : {"button", "resizebutton"}) {
            auto* b = new TbsSkinButton(Form);
            b->SetParent(Form);
            b->SetSkinDataName(element);
            b->SetBounds(10, 10, 100, 30);
            b->SetCaption("确定 OK");
            b->SetGlyph(glyph);
            b->SetSkinData(Skin);
            Row(sheet, element, b, PressableStates(b, true));
            delete b;
        }

        for (bool radio : {false, true})
            for (bool flat : {true, false}) {
                auto* c = new TbsSkinCheckRadioBox(Form);
                c->SetParent(Form);
                c->SetRadio(radio);
                c->SetSkinDataName(radio ? "radiobox" : "checkbox");
                c->SetFlat(flat);
                c->SetBounds(10, 10, 150, 25);
                c->SetCaption(radio ? "单选 Radio" : "复选 Check");
                c->SetCanFocused(true);
                c->SetSkinData(Skin);
                const std::string title = std::string(radio ? "radio" : "check") + (flat ? "" : " raised");
                std::vector<TState> states{
                    {"off", nullptr, nullptr},
                    {"on", [=] { c->SetChecked(true); }, [=] { c->SetChecked(false); }},
                    {"hot on", [=, this] { c->SetChecked(true); MoveTo(c, 5, 5); }, [=] { c->SetChecked(false); }},
                    {"focused", [=] { c->SetFocus(); }, [=, this] { Form->SetFocus(); }},
                    {"disabled on", [=] { c->SetChecked(true); c->SetEnabled(false); },
                     [=] { c->SetEnabled(true); c->SetChecked(false); }},
                };
                if (!radio)
                    states.insert(states.begin() + 2,
                                  {"grayed", [=] { c->SetState(cbGrayed); }, [=] { c->SetState(cbUnchecked); }});
                Row(sheet, title, c, states);
                delete c;
            }

        for (const char* element : {"toolbutton", "resizetoolbutton"})
            for (bool flat : {false, true}) {
                auto* b = new TbsSkinSpeedButton(Form);
                b->SetParent(Form);
                b->SetSkinDataName(element);
                b->SetBounds(10, 10, 70, 40);
                b->SetCaption("添加");
                b->SetGlyph(glyph);
                b->SetLayout(blGlyphTop);
                b->SetFlat(flat);
                b->SetSkinData(Skin);
                Row(sheet, std::string(element) + (flat ? " flat" : ""), b, PressableStates(b, false));
                delete b;
            }

        TNoMenu menu;
        struct TMenuCase {
            const char* Element;
            bool TrackMode, NewStyle;
        };
        for (const TMenuCase& m : {TMenuCase{"toolmenubutton", false, false}, TMenuCase{"toolmenubutton", true, false},
                                   TMenuCase{"resizetoolbutton", false, false},
                                   TMenuCase{"resizetoolbutton", true, false},
                                   TMenuCase{"resizetoolbutton", true, true}}) {
            auto* b = new TbsSkinMenuSpeedButton(Form);
            b->SetParent(Form);
            b->SetSkinDataName(m.Element);
            b->SetNewStyle(m.NewStyle);
            b->SetTrackButtonMode(m.TrackMode);
            b->SetBounds(10, 10, 80, 40);
            b->SetCaption("添加");
            b->SetGlyph(glyph);
            b->SetSkinPopupMenu(&menu);
            b->SetSkinData(Skin);
            std::string title = m.Element;
            if (m.TrackMode)
                title += " track";
            if (m.NewStyle)
                title += " new";
            const int trackX = 72, trackY = 20;
            Row(sheet, title, b,
                {{"normal", nullptr, nullptr},
                 {"hot", [=, this] { MoveTo(b, 5, 5); }, nullptr},
                 {"pressed", [=, this] { b->SetSkinPopupMenu(nullptr); Press(b, 5, 5); },
                  [=, this, &menu] { Release(b, 5, 5); b->SetSkinPopupMenu(&menu); }},
                 {"menu open", [=, this] { Press(b, trackX, trackY); },
                  [=, this] { Release(b, trackX, trackY); b->Perform(WM_CLOSESKINMENU); }},
                 {"disabled", [=] { b->SetEnabled(false); }, [=] { b->SetEnabled(true); }}});
            delete b;
        }

        auto* l = new TbsSkinLinkLabel(Form);
        l->SetParent(Form);
        l->SetLeft(10);
        l->SetTop(10);
        l->SetCaption("www.example.org 主页");
        l->SetSkinData(Skin);
        Row(sheet, "link", l,
            {{"normal", nullptr, nullptr},
             {"hover", [=, this] { MoveTo(l, 3, 3); }, nullptr},
             {"disabled", [=] { l->SetEnabled(false); }, [=] { l->SetEnabled(true); }}});
        l->SetGlowEffect(true);
        l->SetAutoSize(false);
        l->SetAutoSize(true);
        Row(sheet, "link glow", l, {{"normal", nullptr, nullptr}, {"hover", [=, this] { MoveTo(l, 3, 12); }, nullptr}});
        delete l;

        sheet.Save(Name);
    }
};

TEST_F(TRenderTest, BaseSkin) { Sheet("controls_base_skin", BaseSkinData()); }
TEST_F(TRenderTest, TestSkin) { Sheet("controls_test_skin", TestSkinData()); }
TEST_F(TRenderTest, PlainLook) { Sheet("controls_plain", nullptr); }

}  // namespace
