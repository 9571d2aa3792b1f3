#include <atomic>
#include <chrono>
#include <thread>
#include "ClassLibFixture.h"
#include "platform/core/Thread.h"
#include "platform/gfx/Icon.h"

using TAppTest = TClassLibTest;

TEST_F(TAppTest, RunShowsTheMainFormAndEndsWhenItCloses)
{
    TForm* main = MakeForm(10, 10, 200, 100, false);
    Application->SetMainForm(main);
    bool shownWhileRunning = false;
    main->OnShow = [&](TObject*) {
        shownWhileRunning = true;
        TThread::ForceQueue(nullptr, [main] { main->Close(); });
    };
    Application->Run();
    EXPECT_TRUE(shownWhileRunning);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(TAppTest, OnMessageSeesQueuedMessagesFirstAndMayHandleThem)
{
    TForm* form = MakeForm();
    std::vector<UINT> seen;
    int delivered = 0;
    form->WindowProc = [&, inner = form->WindowProc](TMessage& m) {
        if (m.Msg == WM_USER + 7)
            ++delivered;
        inner(m);
    };
    Application->OnMessage = [&](TMsg& msg, bool& handled) {
        if (msg.message >= WM_USER) {
            seen.push_back(msg.message);
            handled = msg.wParam == 1;
        }
    };
    PostMessage(form->Handle(), WM_USER + 7, 1, 0);
    PostMessage(form->Handle(), WM_USER + 7, 0, 0);
    Pump();
    Application->OnMessage = nullptr;
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 7, WM_USER + 7}));
    EXPECT_EQ(delivered, 1);
}

TEST_F(TAppTest, ProcessMessagesRunsCallsThatWorkersSynchroniseIntoTheMainThread)
{
    std::atomic<bool> done{false};
    int ranOnMain = 0;
    std::thread worker([&] {
        TThread::Synchronize(nullptr, [&] { ++ranOnMain; });
        done = true;
    });
    for (int i = 0; i < 2000 && !done; ++i) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker.join();
    EXPECT_EQ(ranOnMain, 1);
}

TEST_F(TAppTest, MinimizeHidesTheFormsAndRestoreBringsThemBack)
{
    TForm* main = MakeForm(10, 10, 200, 100);
    TForm* tool = MakeForm(300, 10, 100, 100);
    Application->SetMainForm(main);
    int events = 0;
    Application->OnMinimize = [&](TObject*) { ++events; };
    Application->OnRestore = [&](TObject*) { ++events; };
    Application->Minimize();
    EXPECT_TRUE(IsIconic(main->Handle()));
    EXPECT_EQ(main->WindowState(), wsMinimized);
    EXPECT_FALSE(IsWindowVisible(tool->Handle()));
    Application->Restore();
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_EQ(main->WindowState(), wsNormal);
    EXPECT_TRUE(IsWindowVisible(tool->Handle()));
    EXPECT_EQ(events, 2);
    Application->OnMinimize = nullptr;
    Application->OnRestore = nullptr;
}

// The main form's minimise and restore commands (its caption button, the
// desktop) go through the application; another form's stay its own.
TEST_F(TAppTest, TheMainFormsMinimizeCommandMinimizesTheApplication)
{
    TForm* main = MakeForm(10, 10, 200, 100);
    TForm* tool = MakeForm(300, 10, 100, 100);
    Application->SetMainForm(main);
    int minimized = 0, restored = 0;
    Application->OnMinimize = [&](TObject*) { ++minimized; };
    Application->OnRestore = [&](TObject*) { ++restored; };

    PostMessage(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump();
    EXPECT_TRUE(Application->Minimized());
    EXPECT_TRUE(IsIconic(main->Handle()));
    EXPECT_FALSE(IsWindowVisible(tool->Handle()));
    PostMessage(main->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump();
    EXPECT_FALSE(Application->Minimized());
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_TRUE(IsWindowVisible(tool->Handle()));
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1);

    // Another form minimises alone.
    SendMessage(tool->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(tool->Handle()));
    EXPECT_FALSE(Application->Minimized());
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    SendMessage(tool->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(tool->Handle()));
    EXPECT_EQ(minimized, 1);
    Application->OnMinimize = nullptr;
    Application->OnRestore = nullptr;
}

TEST_F(TAppTest, TheScreenReportsItsSizeWorkAreaAndActiveForm)
{
    EXPECT_EQ(Screen->Width(), 1024);
    EXPECT_EQ(Screen->Height(), 768);
    EXPECT_EQ(Screen->WorkAreaRect(), Rect(0, 0, 1024, 738));
    TForm* a = MakeForm(10, 10, 100, 100);
    TForm* b = MakeForm(300, 10, 100, 100);
    EXPECT_EQ(Screen->ActiveForm(), b);
    a->Show();
    Pump();
    EXPECT_EQ(Screen->ActiveForm(), a);
}

TEST_F(TAppTest, TheCursorComesFromTheControlUnderTheMouseUnlessTheScreenSetsOne)
{
    TForm* form = MakeForm();
    auto* label = new TLabel(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 50, 20);
    label->SetCursor(crHandPoint);
    label->SetParent(form);
    MoveTo(label, 5, 5);
    EXPECT_EQ(Backend->CursorShape(), IDC_HAND);
    MoveTo(form, 150, 150);
    EXPECT_EQ(Backend->CursorShape(), IDC_ARROW);
    Screen->SetCursor(crHourGlass);
    MoveTo(label, 6, 6);
    EXPECT_EQ(Backend->CursorShape(), IDC_WAIT);
    Screen->SetCursor(crDefault);
}

namespace {

// Gives the icon a 32-bit picture of one colour with straight alpha.
void PaintIcon(TIcon& icon, int size, TColor color)
{
    TBitmap pixels(size, size, pf32bit);
    pixels.Fill(color, 255);
    pixels.SetAlphaFormat(afDefined);
    icon.Assign(pixels);
}

const TBitmap* DesktopIcon(TForm* f)
{
    return reinterpret_cast<HICON>(SendMessage(f->Handle(), WM_GETICON, ICON_BIG, 0));
}

} // namespace

// A form's window carries the form's icon, or the application's while the
// form has none; changing either reaches the windows.
TEST_F(TAppTest, FormsHandTheirIconOrTheApplicationsToTheirWindow)
{
    TForm* own = MakeForm(10, 10, 100, 100);
    TForm* plain = MakeForm(300, 10, 100, 100);
    EXPECT_EQ(DesktopIcon(plain), nullptr);

    PaintIcon(own->Icon(), 32, clRed);
    ASSERT_NE(DesktopIcon(own), nullptr);
    EXPECT_EQ(DesktopIcon(own)->Width(), 32);
    EXPECT_EQ(DesktopIcon(own)->GetPixel(5, 5), clRed);
    EXPECT_EQ(DesktopIcon(plain), nullptr);

    PaintIcon(Application->Icon(), 16, clBlue);
    ASSERT_NE(DesktopIcon(plain), nullptr);
    EXPECT_EQ(DesktopIcon(plain)->GetPixel(5, 5), clBlue);
    EXPECT_EQ(DesktopIcon(own)->GetPixel(5, 5), clRed);

    // A window made later (a new handle) gets the icon as well.
    TForm* late = MakeForm(10, 300, 100, 100);
    ASSERT_NE(DesktopIcon(late), nullptr);
    EXPECT_EQ(DesktopIcon(late)->Width(), 16);
    own->RecreateWnd();
    ASSERT_NE(DesktopIcon(own), nullptr);
    EXPECT_EQ(DesktopIcon(own)->GetPixel(5, 5), clRed);

    Application->Icon().Assign(TBitmap());
    EXPECT_EQ(DesktopIcon(plain), nullptr);
}

namespace {

// A form that asks for a taskbar entry of its own, the classic way.
class TListedForm : public TForm {
public:
    using TForm::TForm;

protected:
    void CreateParams(TCreateParams& p) override
    {
        TForm::CreateParams(p);
        p.ExStyle |= WS_EX_APPWINDOW;
    }
};

} // namespace

TEST_F(TAppTest, OnlyTheMainFormAndFormsThatAskAreInTheTaskbar)
{
    TForm* main = MakeForm(10, 10, 100, 100);
    TForm* other = MakeForm(300, 10, 100, 100);
    auto* listed = NewForm<TListedForm>(nullptr, TFormCreation::New);
    Forms.push_back(listed);
    listed->Show();
    Application->SetMainForm(main);
    EXPECT_TRUE(HasTaskbarEntry(main->Handle()));
    EXPECT_FALSE(HasTaskbarEntry(other->Handle()));
    EXPECT_TRUE(HasTaskbarEntry(listed->Handle()));

    main->RecreateWnd();                                 // a new handle keeps standing for the program
    main->HandleNeeded();
    EXPECT_TRUE(HasTaskbarEntry(main->Handle()));
    EXPECT_FALSE(HasTaskbarEntry(other->Handle()));
    Application->SetMainForm(nullptr);                   // nothing stands for the program: every form is listed
    EXPECT_TRUE(HasTaskbarEntry(other->Handle()));
}

TEST_F(TAppTest, TheApplicationHearsWhenAnotherProgramTakesAndGivesBackTheActivation)
{
    std::vector<std::string> events;
    Application->OnActivate = [&](TObject*) { events.push_back("activate"); };
    Application->OnDeactivate = [&](TObject*) { events.push_back("deactivate"); };
    TForm* first = MakeForm(10, 10, 100, 100);
    MakeForm(300, 10, 100, 100);
    EXPECT_TRUE(Application->Active());
    first->Show();                                       // moving between our forms changes nothing
    Pump();
    EXPECT_EQ(events, std::vector<std::string>{"activate"});

    Backend->ActivateOtherProgram();
    EXPECT_FALSE(Application->Active());
    Pump();
    Backend->ReturnFromOtherProgram();
    EXPECT_TRUE(Application->Active());
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"activate", "deactivate", "activate"}));
}

class TAppExceptionTest : public TClassLibTest {
protected:
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Application->SetTitle("Exceptions");
        Form = MakeForm();
        Button = new TButton(Form);
        Button->SetBounds(10, 10, 80, 25);
        Button->SetParent(Form);
        Button->OnClick = [this](TObject*) {
            ++Clicks;
            if (FailNext)
                Fail("'x' is not a valid integer value");
        };
        Form->OnPaint = [this](TObject*) {
            ++Paints;
            if (FailNext)
                Fail("Paint failed.");
        };
        Pump();
    }
    void TearDown() override
    {
        Application->SetTitle("");
        Application->OnIdle = nullptr;
        TClassLibTest::TearDown();
    }
    // Throws once; while the error box is up, the queued call reads it and presses Enter.
    void Fail(const std::string& text)
    {
        FailNext = false;
        TThread::ForceQueue(nullptr, [this] {
            TCustomForm* box = Screen->ActiveForm();
            auto* label = box && box != Form ? dynamic_cast<TLabel*>(box->FindComponent("Message")) : nullptr;
            Shown.push_back(label ? box->Caption() + ": " + label->Caption() : "no box");
            Backend->KeyPress(VK_RETURN);
        });
        throw EConvertError(text);
    }
    TForm* Form = nullptr;
    TButton* Button = nullptr;
    bool FailNext = false;
    int Clicks = 0, Paints = 0;
    std::vector<std::string> Shown;
};

TEST_F(TAppExceptionTest, AnExceptionFromAClickOrPaintHandlerIsShownAndTheLoopGoesOn)
{
    const int forms = Screen->FormCount();
    FailNext = true;
    Click(Button, 5, 5);
    EXPECT_EQ(Shown, (std::vector<std::string>{"Exceptions: 'x' is not a valid integer value."}));
    FailNext = true;
    Form->Invalidate();
    Pump();
    EXPECT_EQ(Shown,
              (std::vector<std::string>{"Exceptions: 'x' is not a valid integer value.", "Exceptions: Paint failed."}));
    EXPECT_EQ(Screen->FormCount(), forms) << "the boxes are gone";
    // The program goes on: both handlers run again.
    int paints = Paints;
    Advance(1000);  // no double click
    Click(Button, 5, 5);
    EXPECT_EQ(Clicks, 2);
    Form->Invalidate();
    Pump();
    EXPECT_GT(Paints, paints);
    // And so does the loop of Run, which ends when the form closes.
    Application->SetMainForm(Form);
    Application->OnIdle = [this](TObject*) {
        if (Shown.size() == 3)
            Form->Close();
    };
    FailNext = true;
    Advance(1000);
    Backend->Click(At(Button, 5, 5).X, At(Button, 5, 5).Y);
    Application->Run();
    EXPECT_EQ(Shown.size(), 3u);
    EXPECT_EQ(Clicks, 3);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(TAppExceptionTest, OnExceptionHearsTheExceptionInsteadOfTheBox)
{
    std::vector<std::string> heard;
    Application->OnException = [&](TObject* sender, const Exception& e) {
        heard.push_back(std::string(sender == Application ? "application: " : "?: ") + e.Message());
    };
    Button->OnClick = [](TObject*) { throw std::out_of_range("no such item"); };
    Click(Button, 5, 5);
    Form->OnPaint = [](TObject*) { throw EListError("List index out of bounds (7)"); };
    Form->Invalidate();
    Pump();
    Form->OnPaint = nullptr;
    EXPECT_EQ(heard,
              (std::vector<std::string>{"application: no such item", "application: List index out of bounds (7)"}));
    EXPECT_EQ(Screen->ActiveForm(), Form) << "no box was shown";
}
