#include "ClassLibFixture.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "platform/core/Thread.h"

using TFormTest = TClassLibTest;

namespace {

// A component that records, when its loading ends, how many components its
// owner has and whether it was still loading.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::vector<std::string>& log) : TComponent(owner), FLog(log)
    {
        if (owner && owner->ComponentState().Contains(csLoading))
            Loading();
    }
    void Loaded() override
    {
        FLog.push_back("loaded " + Name() + " of " + std::to_string(Owner()->ComponentCount()));
        TComponent::Loaded();
    }

private:
    std::vector<std::string>& FLog;
};

// A form built like a stored one: its components are made under csLoading.
class TStoredForm : public TForm {
public:
    TStoredForm(TComponent* owner, std::vector<std::string>& log) : TForm(owner), Log(log)
    {
        OnCreate = [this](TObject*) { Log.push_back("create"); };
        Check = new TCheckBox(this);
        Check->SetName("Check");
        Check->OnClick = [this](TObject*) { Log.push_back("click while " + std::string(Check->ComponentState().Contains(csLoading) ? "loading" : "running")); };
        Check->SetChecked(true);
        Check->SetParent(this);
        auto* a = new TProbe(this, log);
        a->SetName("First");
        auto* b = new TProbe(this, log);
        b->SetName("Second");
        Track = new TTrackBar(this);
        Track->SetParent(this);
        Track->SetMax(128);
        Track->OnChange = [this](TObject*) { Log.push_back("change"); };
        Track->SetPosition(128);
    }
    void Loaded() override
    {
        Log.push_back("form loaded");
        TForm::Loaded();
    }
    std::vector<std::string>& Log;
    TCheckBox* Check = nullptr;
    TTrackBar* Track = nullptr;
};

}  // namespace

TEST_F(TFormTest, StoredFormsLoadWithoutEventsThenCallLoadedInCreationOrder)
{
    std::vector<std::string> log;
    auto* form = NewForm<TStoredForm>(nullptr, log);
    Forms.push_back(form);
    EXPECT_EQ(log, (std::vector<std::string>{"loaded First of 4", "loaded Second of 4", "form loaded", "create"}));
    EXPECT_TRUE(form->Check->Checked());
    EXPECT_EQ(form->Track->Position(), 128);
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form->Track->ComponentState().Contains(csLoading));
    log.clear();
    form->Check->SetChecked(false);
    form->Track->SetPosition(3);
    EXPECT_EQ(log, (std::vector<std::string>{"click while running", "change"}));
}

TEST_F(TFormTest, CreateFormMakesTheFirstFormTheMainFormAndKeepsScreenOrder)
{
    struct TMain : TForm {
        explicit TMain(TComponent* o) : TForm(o) {}
    };
    TMain* main = nullptr;
    TForm* second = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(second);
    Forms.push_back(main);
    Forms.push_back(second);
    EXPECT_EQ(Application->MainForm(), main);
    EXPECT_EQ(second->Owner(), Application);
    ASSERT_EQ(Screen->FormCount(), 2);
    EXPECT_EQ(Screen->Forms(0), main);
    EXPECT_EQ(Screen->Forms(1), second);
}

TEST_F(TFormTest, ShowModalDisablesOtherFormsAndReturnsTheButtonsResult)
{
    TForm* owner = MakeForm(10, 10, 300, 200);
    TForm* dialog = MakeForm(60, 60, 200, 100, false);
    dialog->SetPosition(poScreenCenter);
    auto* ok = new TButton(dialog);
    ok->SetModalResult(mrOk);
    ok->SetParent(dialog);
    bool ownerDisabled = false;
    int cancelModes = 0;
    owner->WindowProc = [&, inner = owner->WindowProc](TMessage& m) {
        if (m.Msg == WM_CANCELMODE)
            ++cancelModes;
        inner(m);
    };
    dialog->OnShow = [&](TObject*) {
        ownerDisabled = !IsWindowEnabled(owner->Handle());
        TPoint p = ok->ClientToScreen(TPoint{5, 5});
        Backend->Click(p.X, p.Y);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(cancelModes, 1);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(GetActiveWindow(), owner->Handle());
    EXPECT_EQ(dialog->Left(), (1024 - dialog->Width()) / 2);
}

TEST_F(TFormTest, ModalLoopsNestAndAnyOtherCloseGivesCancel)
{
    TForm* main = MakeForm(10, 10, 300, 200);
    TForm* outer = MakeForm(20, 20, 200, 150, false);
    TForm* inner = MakeForm(30, 30, 100, 80, false);
    std::vector<std::string> log;
    TModalResult innerResult = -1;
    outer->OnShow = [&](TObject*) {
        // Runs inside the outer loop: the inner loop closes by Esc-less Close.
        TThread::ForceQueue(nullptr, [&] {
            innerResult = inner->ShowModal();
            log.push_back("inner returned");
            outer->SetModalResult(mrYes);
        });
    };
    inner->OnShow = [&](TObject*) {
        log.push_back(std::string("outer enabled: ") + (IsWindowEnabled(outer->Handle()) ? "yes" : "no"));
        TThread::ForceQueue(nullptr, [&] { inner->Close(); });
    };
    TModalResult outerResult = outer->ShowModal();
    EXPECT_EQ(innerResult, mrCancel);
    EXPECT_EQ(outerResult, mrYes);
    EXPECT_EQ(log, (std::vector<std::string>{"outer enabled: no", "inner returned"}));
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_EQ(GetActiveWindow(), main->Handle());
}

TEST_F(TFormTest, CloseQueryCanRefuseAndCloseActionsApply)
{
    TForm* main = MakeForm(10, 10, 300, 200);
    Application->SetMainForm(main);
    TForm* other = MakeForm(30, 30, 100, 80);
    bool allow = false;
    other->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    other->Close();
    EXPECT_TRUE(other->Visible());
    allow = true;
    SendMessage(other->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);     // the frame's close box
    EXPECT_FALSE(other->Visible());
    other->Show();
    other->OnClose = [](TObject*, TCloseAction& a) { a = caNone; };
    other->Close();
    EXPECT_TRUE(other->Visible());
    EXPECT_FALSE(Application->Terminated());
    main->Close();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(TFormTest, ModalCloseQueryRefusalKeepsTheLoopRunning)
{
    TForm* dialog = MakeForm(30, 30, 100, 80, false);
    int asked = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked >= 2; };
    dialog->OnShow = [&](TObject*) {
        TThread::ForceQueue(nullptr, [&] { dialog->SetModalResult(mrOk); });
        TThread::ForceQueue(nullptr, [&] { TThread::ForceQueue(nullptr, [&] { dialog->SetModalResult(mrAbort); }); });
    };
    EXPECT_EQ(dialog->ShowModal(), mrAbort);
    EXPECT_EQ(asked, 2);
}

TEST_F(TFormTest, StayOnTopFormsStayAboveNormalOnes)
{
    TForm* top = MakeForm(10, 10, 100, 100, false);
    top->SetFormStyle(fsStayOnTop);
    top->Show();
    TForm* normal = MakeForm(20, 20, 100, 100);
    normal->Show();
    Pump();
    std::vector<HWND> order = TopLevelWindows();
    auto pos = [&](HWND h) { return std::find(order.begin(), order.end(), h) - order.begin(); };
    EXPECT_LT(pos(top->Handle()), pos(normal->Handle()));
    EXPECT_EQ(GetActiveWindow(), normal->Handle());
    top->SetFormStyle(fsNormal);
    BringWindowToTop(normal->Handle());
    order = TopLevelWindows();
    EXPECT_LT(pos(normal->Handle()), pos(top->Handle()));
}

TEST_F(TFormTest, BorderStylesAndPositionsShapeTheWindow)
{
    struct TCase {
        TBorderStyle Border;
        DWORD Has;
        DWORD HasEx;
    };
    const TCase cases[] = {
        {bsNone, WS_POPUP, 0},
        {bsSingle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0},
        {bsSizeable, WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
        {bsDialog, WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME},
        {bsToolWindow, WS_CAPTION, WS_EX_TOOLWINDOW},
    };
    for (const TCase& c : cases) {
        TForm* f = MakeForm(0, 0, 120, 80, false);
        f->SetBorderStyle(c.Border);
        f->SetClientWidth(120);
        f->SetPosition(poScreenCenter);
        f->Show();
        DWORD style = DWORD(GetWindowLong(f->Handle(), GWL_STYLE));
        DWORD ex = DWORD(GetWindowLong(f->Handle(), GWL_EXSTYLE));
        EXPECT_EQ(style & c.Has, c.Has) << c.Border;
        EXPECT_EQ(ex & c.HasEx, c.HasEx) << c.Border;
        EXPECT_EQ(f->Left() + f->Width() / 2, 512) << c.Border;
        EXPECT_EQ(f->ClientWidth(), 120) << c.Border;
    }
}

TEST_F(TFormTest, AFormEmbeddedInAPanelIsAChildWindow)
{
    TForm* host = MakeForm(10, 10, 300, 200);
    auto* panel = new TPanel(host);
    panel->SetBounds(10, 10, 200, 150);
    panel->SetParent(host);
    TForm* inner = MakeForm(0, 0, 100, 80, false);
    inner->SetBorderStyle(bsNone);
    inner->SetParent(panel);
    inner->SetBounds(5, 5, 100, 80);
    inner->Show();
    Pump();
    EXPECT_TRUE(GetWindowLong(inner->Handle(), GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetParent(inner->Handle()), panel->Handle());
    EXPECT_EQ(inner->ClientOrigin(), (TPoint{panel->ClientOrigin().X + 5, panel->ClientOrigin().Y + 5}));
    inner->SetParent(nullptr);
}

TEST_F(TFormTest, ReleaseDeletesTheFormAfterItsMessage)
{
    TForm* f = NewForm<TForm>(nullptr, TFormCreation::New);
    f->Show();
    bool destroyed = false;
    f->OnDestroy = [&](TObject*) { destroyed = true; };
    f->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    f->Close();
    EXPECT_FALSE(destroyed);
    Pump();
    Pump();
    EXPECT_TRUE(destroyed);
}
