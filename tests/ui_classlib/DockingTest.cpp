// Docking: a control dragged with DragKind dkDock moves itself into a dock
// site, with the dock events in their order.
#include <algorithm>
#include "ClassLibFixture.h"

TEST_F(TClassLibTest, DockDragMovesTheControlIntoTheSiteWithTheDockEvents)
{
    TForm* f = MakeForm(100, 100, 400, 200);
    auto panel = [&](TWinControl* parent, int x, int y, int w, int h) {
        auto* p = new TPanel(f);
        p->SetParent(parent);
        p->SetBounds(x, y, w, h);
        return p;
    };
    TPanel* siteA = panel(f, 10, 10, 180, 180);
    TPanel* siteB = panel(f, 210, 10, 180, 180);
    siteA->SetDockSite(true);
    siteB->SetDockSite(true);
    TPanel* tool = panel(f, 300, 150, 40, 20);   // starts on the form, over no site
    tool->SetDragMode(dmAutomatic);
    tool->SetDragKind(dkDock);
    Pump();

    std::vector<std::string> log;
    auto name = [&](TObject* o) { return o == siteA ? "A" : o == siteB ? "B" : o ? "?" : "nothing"; };
    tool->OnStartDock = [&](TObject* Sender, TDragDockObject*& Obj) {
        log.push_back(std::string("start ") + (Sender == tool && Obj && Obj->Control == tool ? "tool" : "?"));
    };
    tool->OnEndDock = [&](TObject*, TObject* Target, int, int) { log.push_back(std::string("end ") + name(Target)); };
    tool->OnStartDrag = [&](TObject*, TDragObject*&) { log.push_back("start drag"); };
    for (TPanel* site : {siteA, siteB}) {
        site->OnDockOver = [&, site](TObject*, TDragDockObject* Src, int, int, TDragState State, bool&) {
            if (State == dsDragEnter)
                log.push_back(std::string("over ") + name(site) + " " + std::to_string(Src->DockRect.Width()) + "x" +
                              std::to_string(Src->DockRect.Height()));
        };
        site->OnDockDrop = [&, site](TObject*, TDragDockObject*, int X, int Y) {
            log.push_back(std::string("drop ") + name(site) + " at " + std::to_string(X) + "," + std::to_string(Y) +
                          (tool->Parent() == site ? " inside" : " outside"));
        };
    }
    auto drag = [&](TControl* from, TControl* to, int x, int y) {
        const TPoint a = At(from, 5, 5);
        Backend->MouseMove(a.X, a.Y);
        Backend->MouseDown(a.X, a.Y);
        Pump();
        const TPoint b = At(to, x, y);
        Backend->MouseMove(b.X, b.Y);
        Pump();
        Backend->MouseUp(b.X, b.Y);
        Pump();
    };

    drag(tool, siteA, 30, 40);
    EXPECT_EQ(tool->Parent(), siteA);
    EXPECT_EQ(tool->Left(), 30);
    EXPECT_EQ(tool->Top(), 40);
    EXPECT_EQ(log, (std::vector<std::string>{"start tool", "over A 40x20", "drop A at 30,40 inside", "end A"}));

    // The old site may keep it.
    log.clear();
    siteA->OnUnDock = [&](TObject*, TControl* Client, TWinControl* NewTarget, bool& Allow) {
        log.push_back(std::string("undock to ") + name(NewTarget));
        Allow = Client != tool;
    };
    drag(tool, siteB, 20, 20);
    EXPECT_EQ(tool->Parent(), siteA);
    EXPECT_EQ(log, (std::vector<std::string>{"start tool", "over B 40x20", "undock to B", "end nothing"}));

    // A site that declines, and a plain drag, leave docking alone.
    log.clear();
    siteA->OnUnDock = nullptr;
    siteB->OnDockOver = [&](TObject*, TDragDockObject*, int, int, TDragState, bool& Accept) { Accept = false; };
    drag(tool, siteB, 20, 20);
    EXPECT_EQ(tool->Parent(), siteA);
    EXPECT_EQ(log, (std::vector<std::string>{"start tool", "end nothing"}));
    log.clear();
    tool->SetDragKind(dkDrag);
    drag(tool, siteB, 20, 20);
    EXPECT_EQ(log, (std::vector<std::string>{"start drag"}));
}
