#include "WidgetFixture.h"
#include "platform/ui/controls/ScrollBarControl.h"

class TScrollBarTest : public TWidgetTest {
protected:
    TScrollBar* MakeBar(TScrollBarKind kind = sbHorizontal)
    {
        auto* b = new TScrollBar(Form);
        b->SetKind(kind);
        if (kind == sbHorizontal)
            b->SetBounds(10, 10, 200, 17);
        else
            b->SetBounds(10, 10, 17, 200);
        b->SetParent(Form);
        b->OnScroll = [this](TObject*, TScrollCode code, int& pos) { Codes.push_back(code); Positions.push_back(pos); };
        Pump();
        return b;
    }
    void Hold(TScrollBar* b, TPoint client)
    {
        TPoint p = At(b, client.X, client.Y);
        Backend->MouseDown(p.X, p.Y);
        Pump();
    }
    void Release(TScrollBar* b, TPoint client)
    {
        TPoint p = At(b, client.X, client.Y);
        Backend->MouseUp(p.X, p.Y);
        Pump();
    }
    static TPoint Centre(const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

    std::vector<TScrollCode> Codes;
    std::vector<int> Positions;
};

TEST_F(TScrollBarTest, RangePageAndPositionClampAndOnlyAMoveRaisesOnChange)
{
    TScrollBar* b = MakeBar();
    int changes = 0;
    b->OnChange = [&](TObject*) { ++changes; };
    b->SetParams(50, 0, 100);
    b->SetPageSize(20);
    b->SetPosition(95);
    EXPECT_EQ(b->Position(), 81) << "the last position shows the last page";
    b->SetPosition(81);
    b->SetPosition(-5);
    EXPECT_EQ(b->Position(), 0);
    EXPECT_EQ(changes, 3);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    SendMessage(b->Handle(), SBM_GETSCROLLINFO, 0, LPARAM(&si));
    EXPECT_EQ(si.nMax, 100);
    EXPECT_EQ(int(si.nPage), 20);
    SendMessage(b->Handle(), SBM_SETRANGE, 10, 30);
    EXPECT_EQ(b->Position(), 10);
    EXPECT_EQ(b->Max(), 30);
}

TEST_F(TScrollBarTest, AHeldArrowStepsAtOnceThenRepeatsAndTheTrackPagesUpToThePointer)
{
    TScrollBar* b = MakeBar();
    b->SetParams(0, 0, 100);
    b->SetSmallChange(1);
    b->SetLargeChange(10);
    TPoint arrow = Centre(b->ArrowRect(false));
    Hold(b, arrow);
    EXPECT_EQ(b->Position(), 1);
    Advance(300);
    EXPECT_EQ(b->Position(), 1);
    Advance(150);
    EXPECT_EQ(b->Position(), 2);
    for (int i = 0; i < 4; ++i)
        Advance(50);
    EXPECT_EQ(b->Position(), 6);
    Release(b, arrow);
    Advance(500);
    EXPECT_EQ(b->Position(), 6);
    EXPECT_EQ(Codes.back(), scEndScroll);

    // The track pages towards the pointer and stops when the thumb gets there.
    Codes.clear();
    TRect track{b->ArrowRect(true).Right, 0, b->ArrowRect(false).Left, 17};
    TPoint near{track.Left + track.Width() * 2 / 5, 8};
    Hold(b, near);
    for (int i = 0; i < 30; ++i)
        Advance(50);
    Release(b, near);
    EXPECT_TRUE(b->ThumbRect().Contains(near) || b->ThumbRect().Left <= near.X);
    EXPECT_GE(b->Position(), 26);
    EXPECT_LE(b->Position(), 46);
    EXPECT_EQ(b->Position() % 10, 6) << "whole pages of 10 from 6";
    EXPECT_EQ(Codes.front(), scPageDown);
}

TEST_F(TScrollBarTest, DraggingTheThumbTracksAndEndsWithThePosition)
{
    TScrollBar* b = MakeBar(sbVertical);
    b->SetParams(0, 0, 200);
    b->SetPageSize(50);
    TPoint grab = Centre(b->ThumbRect());
    Hold(b, grab);
    TPoint p = At(b, grab.X, 400);
    Backend->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(b->Position(), 151);
    Release(b, TPoint{grab.X, 400});
    ASSERT_GE(Codes.size(), 3u);
    EXPECT_EQ(Codes[0], scTrack);
    EXPECT_EQ(Codes[Codes.size() - 2], scPosition);
    EXPECT_EQ(Positions[Positions.size() - 2], 151);
    EXPECT_EQ(Codes.back(), scEndScroll);
    // OnScroll may change where the bar goes.
    b->OnScroll = [](TObject*, TScrollCode, int& pos) { pos -= pos % 25; };
    b->SetFocus();
    Pump();
    Key(VK_HOME);
    EXPECT_EQ(b->Position(), 0);
    b->SetLargeChange(30);
    Key(VK_NEXT);
    EXPECT_EQ(b->Position(), 25);
}

TEST_F(TScrollBarTest, TheBarPaintsArrowsTrackAndThumb)
{
    TScrollBar* b = MakeBar();
    b->SetParams(0, 0, 100);
    b->SetPageSize(25);
    TRect thumb = b->ThumbRect();
    ASSERT_FALSE(thumb.IsEmpty());
    EXPECT_EQ(PixelAt(b, thumb.Left + thumb.Width() / 2, 8), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(b, thumb.Right + 20, 8), ColorToRGB(clScrollBar));
    TRect arrow = b->ArrowRect(true);
    EXPECT_TRUE(HasDarkPixel(b, arrow));
}
