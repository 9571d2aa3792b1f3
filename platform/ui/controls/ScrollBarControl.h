#pragma once
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/StdMessages.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// The scroll-bar control. The bar itself only reports: pressing an arrow or
// the track sends WM_HSCROLL / WM_VSCROLL line or page steps to the parent
// (repeating while held: first after 400 ms, then every 50 ms), dragging the
// thumb sends SB_THUMBTRACK and SB_THUMBPOSITION, keys do the same; the
// parent hands them back as CN_HSCROLL / CN_VSCROLL and the control moves
// its position (OnScroll may change the new position, OnChange follows).
// The range, page and position are SBM_ messages.
class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    int Min() const { return FInfo.nMin; }
    void SetMin(int value) { SetParams(FInfo.nPos, value, FInfo.nMax); }
    int Max() const { return FInfo.nMax; }
    void SetMax(int value) { SetParams(FInfo.nPos, FInfo.nMin, value); }
    int Position() const { return FInfo.nPos; }
    void SetPosition(int value) { SetParams(value, FInfo.nMin, FInfo.nMax); }
    int PageSize() const { return int(FInfo.nPage); }
    void SetPageSize(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value) { FLargeChange = value; }
    // Sets position and range at once; OnChange when the position moved.
    void SetParams(int position, int min, int max);

    // Where the parts lie, in client coordinates (for tests and skins).
    TRect ArrowRect(bool first);
    TRect ThumbRect();

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void CreateParams(TCreateParams& Params) override;
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void PaintWindow(HDC dc) override;
    virtual void Change();
    virtual void Scroll(TScrollCode code, int& pos);

private:
    enum TPart { ptNone, ptFirstArrow, ptSecondArrow, ptTrackBefore, ptTrackAfter, ptThumb };
    struct TLayout {
        TRect First, Second, Track, Thumb;
    };

    TLayout Layout();
    int MaxPosition() const;
    int PosFromThumb(int thumbStart);
    TPart PartAt(TPoint p);
    void Report(int code, int pos);
    void Step();
    void DoScroll(WPARAM wParam);
    void StopTracking();
    int KeyScrollCode(WPARAM key) const;

    // DefaultHandler's handlers, one per message; each passes on what it does not consume.
    void WMLButtonDown(TMessage& m);
    void WMTimer(TMessage& m);
    void WMCaptureLost(TMessage& m);
    void WMKeyDown(TMessage& m);
    void SBMSetScrollInfo(TMessage& m);
    void SBMGetScrollInfo(TMessage& m);
    void SBMSetPos(TMessage& m);
    void SBMSetRange(TMessage& m);
    void SBMGetRange(TMessage& m);

    TScrollBarKind FKind = sbHorizontal;
    SCROLLINFO FInfo;
    int FSmallChange = 1;
    int FLargeChange = 1;
    TPart FPressed = ptNone;        // the part the left button holds
    TPoint FMouse{0, 0};            // the last pointer position while held
    int FGrab = 0;                  // pointer offset into the thumb while dragging
};
