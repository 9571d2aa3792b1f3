// Multi-document windows: a main form's client window holds, activates,
// arranges and sizes its child forms.
#include "ClassLibFixture.h"
#include "platform/core/Exception.h"
#include "platform/ui/forms/MDIClient.h"

namespace {

class TMDITest : public TClassLibTest {
protected:
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Main = MakeForm(50, 50, 600, 400);
        Main->SetFormStyle(fsMDIForm);
        Application->SetMainForm(Main);
        for (int i = 0; i < 3; ++i) {
            auto* child = NewForm<TForm>(nullptr, TFormCreation::New);
            child->SetName("Child" + std::to_string(i));
            child->SetFormStyle(fsMDIChild);
            child->SetBounds(10 + 30 * i, 10 + 30 * i, 200, 150);
            auto original = child->WindowProc;
            child->WindowProc = [this, child, original](TMessage& m) {
                if (m.Msg == WM_MDIACTIVATE)
                    Log.push_back(child->Name() + (LPARAM(child->Handle()) == m.LParam ? " on" : " off"));
                original(m);
            };
            child->Show();
            Children.push_back(child);
        }
        Pump();
    }
    TForm* Main = nullptr;
    std::vector<TForm*> Children;
    std::vector<std::string> Log;
};

TEST_F(TMDITest, ChildrenLiveInTheClientAndThePressedOneComesOnTop)
{
    TMDIClient* client = Main->MDIClient();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->BoundsRect(), Main->ClientRect());
    EXPECT_EQ(Main->MDIChildCount(), 3);
    EXPECT_EQ(Children[0]->Parent(), client);
    EXPECT_EQ(Main->ActiveMDIChild(), Children[2]) << "the last shown";
    EXPECT_EQ(HWND(SendMessage(Main->ClientHandle(), WM_MDIGETACTIVE, 0, 0)), Children[2]->Handle());
    Log.clear();
    Click(Children[0], 5, 5);
    EXPECT_EQ(Main->ActiveMDIChild(), Children[0]);
    EXPECT_EQ(Main->MDIChildren(0), Children[0]);
    EXPECT_EQ(Log, (std::vector<std::string>{"Child2 off", "Child0 on"}));
    // Clipped by the client: a child moved half out shows only its inside part.
    Children[0]->SetBounds(500, 300, 200, 150);
    Pump();
    TRect shown;
    GetWindowRect(Children[0]->Handle(), shown);
    EXPECT_EQ(shown.Left, Main->ClientOrigin().X + 500);

    SendMessage(Main->ClientHandle(), WM_MDINEXT, 0, 0);
    EXPECT_NE(Main->ActiveMDIChild(), Children[0]);
    TForm* gone = static_cast<TForm*>(Main->ActiveMDIChild());
    delete gone;
    Children.erase(std::find(Children.begin(), Children.end(), gone));
    EXPECT_EQ(Main->MDIChildCount(), 2);
    EXPECT_NE(Main->ActiveMDIChild(), nullptr) << "another takes over";

    auto* loose = NewForm<TForm>(nullptr, TFormCreation::New);
    Application->SetMainForm(nullptr);
    EXPECT_THROW(loose->SetFormStyle(fsMDIChild), EInvalidOperation);
    EXPECT_EQ(loose->FormStyle(), fsNormal);
    delete loose;
    Application->SetMainForm(Main);
}

TEST_F(TMDITest, TileCascadeAndWindowStates)
{
    const int W = Main->MDIClient()->ClientWidth(), H = Main->MDIClient()->ClientHeight();
    Main->Tile();
    // One column of three (the square root of three rounds down to one).
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Children[size_t(i)]->BoundsRect(), (TRect{0, H * i / 3, W, H * (i + 1) / 3})) << i;
    Main->Cascade();
    int offset = 0;
    for (TCustomForm* f : std::vector<TCustomForm*>{Children[0], Children[1], Children[2]}) {
        EXPECT_EQ(f->BoundsRect(), (TRect{offset, offset, offset + W * 2 / 3, offset + H * 2 / 3}));
        offset += TMDIClient::CascadeStep;
    }
    const TRect before = Children[1]->BoundsRect();
    Children[1]->SetWindowState(wsMaximized);
    EXPECT_EQ(Children[1]->BoundsRect(), (TRect{0, 0, W, H}));
    EXPECT_EQ(Main->ActiveMDIChild(), Children[1]);
    Main->SetBounds(50, 50, 700, 450);
    Pump();
    EXPECT_EQ(Children[1]->Width(), Main->MDIClient()->ClientWidth()) << "a maximized child follows the client";
    Children[1]->SetWindowState(wsNormal);
    EXPECT_EQ(Children[1]->BoundsRect(), before);
    Children[2]->SetWindowState(wsMinimized);
    EXPECT_EQ(Children[2]->BoundsRect(),
              (TRect{0, Main->MDIClient()->ClientHeight() - TMDIClient::IconHeight, TMDIClient::IconWidth,
                     Main->MDIClient()->ClientHeight()}));
}

}  // namespace
