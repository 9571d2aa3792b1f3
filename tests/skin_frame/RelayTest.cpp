#include "FrameFixture.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/frame/SkinChangeRelay.h"

namespace {

// A skinned control kind as the relay meets it: windowed ones are told
// before a change, windowless ones only of the change.
template <class Base>
class TRecordingControl : public Base, public IbsSkinChangeTarget {
public:
    TRecordingControl(TComponent* AOwner, TWinControl* AParent, TbsSkinData* ASkin, std::string AName, TTrace& T,
                      bool Before)
        : Base(AOwner), Skin(ASkin), Id(std::move(AName)), Trace(T), Before_(Before)
    {
        this->SetParent(AParent);
    }
    TbsSkinData* SkinData() const override { return Skin; }
    bool TakesBeforeChange() const override { return Before_; }
    void BeforeChangeSkinData() override { Trace.push_back("before " + Id); }
    void ChangeSkinData() override { Trace.push_back("change " + Id); }
    TbsSkinData* Skin;
    std::string Id;
    TTrace& Trace;
    bool Before_;
};
using TWinRecorder = TRecordingControl<TPanel>;
using TGraphicRecorder = TRecordingControl<TGraphicControl>;

class TRelayTest : public TFrameTest {
protected:
    void SetUp() override
    {
        TFrameTest::SetUp();
        MakeForm(400, 300);
        Frame->SetSkinData(&Own);
        Frame->OnBeforeChangeSkinData = [this](TObject*) { Trace.push_back("frame before"); };
        Frame->OnChangeSkinData = [this](TObject*) { Trace.push_back("frame change"); };
        // form
        //   a (own, windowed)
        //     b (foreign, windowed)
        //     c (own, windowless)
        //   d (own, windowed)
        //   e (own, windowless)
        auto* a = new TWinRecorder(Form, Form, &Own, "a", Trace, true);
        new TWinRecorder(Form, a, &Foreign, "b", Trace, true);
        new TGraphicRecorder(Form, a, &Own, "c", Trace, false);
        new TWinRecorder(Form, Form, &Own, "d", Trace, true);
        new TGraphicRecorder(Form, Form, &Own, "e", Trace, false);
        Trace.clear();
    }
    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        TFrameTest::TearDown();
    }

    TbsSkinData Own{nullptr};
    TbsSkinData Foreign{nullptr};
};

TEST_F(TRelayTest, ChangeOfTheFormsSkinInPreOrder)
{
    Send(WM_BEFORECHANGESKINDATA, WPARAM(&Own), SKIN_MESSAGE_LPARAM);
    EXPECT_EQ(Trace, (TTrace{"before a", "before d", "frame before"}));
    EXPECT_TRUE(Frame->ObjectList.empty());
    Trace.clear();
    Send(WM_CHANGESKINDATA, WPARAM(&Own), SKIN_MESSAGE_LPARAM);
    EXPECT_EQ(Trace, (TTrace{"frame change", "change a", "change c", "change d", "change e"}));
}

// A container the frame does not use re-skins only its own controls.
TEST_F(TRelayTest, ForeignSkinLeavesTheFrameAlone)
{
    Send(WM_BEFORECHANGESKINDATA, WPARAM(&Foreign), SKIN_MESSAGE_LPARAM);
    EXPECT_TRUE(Trace.empty());
    Send(WM_CHANGESKINDATA, WPARAM(&Foreign), SKIN_MESSAGE_LPARAM);
    EXPECT_EQ(Trace, (TTrace{"change b"}));
}

// Switching the skinned frame re-skins every control whatever its skin.
TEST_F(TRelayTest, SwitchingTheFrameReskinsAllControls)
{
    Frame->SetSkinnableForm(false);
    EXPECT_EQ(Trace, (TTrace{"frame change", "change a", "change b", "change c", "change d", "change e"}));
}

// The container reaches the form through the bound link: its switch turns the frame plain.
TEST_F(TRelayTest, ContainerReachesTheFormThroughTheScreen)
{
    Own.SetSkinnableForm(false);
    EXPECT_FALSE(Frame->SkinnableForm());
    EXPECT_EQ(Send(WM_QUERYSKINFRAME), QUERYSKINFRAME_PLAIN);
    Own.SetSkinnableForm(true);
    EXPECT_TRUE(Frame->SkinnableForm());
}

}  // namespace
