#include "skin/controls/ButtonEffects.h"
#include "platform/ui/controls/Timer.h"

namespace {

std::unique_ptr<TTimer> MakeTimer(std::function<void()> OnTick)
{
    auto t = std::make_unique<TTimer>(nullptr);
    t->SetEnabled(false);
    t->OnTimer = [OnTick](TObject*) { OnTick(); };
    return t;
}

}  // namespace

TbsMorphDriver::TbsMorphDriver() : FTimer(MakeTimer([this] { Tick(); })) {}
TbsMorphDriver::~TbsMorphDriver() = default;

void TbsMorphDriver::Start()
{
    if (FTimer->Enabled())
        return;
    FTimer->SetInterval(20);
    FTimer->SetEnabled(true);
}

void TbsMorphDriver::Stop() { FTimer->SetEnabled(false); }
bool TbsMorphDriver::Running() const { return FTimer->Enabled(); }

void TbsMorphDriver::Tick()
{
    const double target = Target ? Target() : 0;
    if (CanMorph && !CanMorph()) {
        Kf = target;
        Stop();
        return;
    }
    if (target == 1 && Kf < 1)
        Kf += 0.2;
    else if (target == 0 && Kf > 0)
        Kf -= 0.2;
    else {
        Kf = target;
        Stop();
    }
    if (Repaint)
        Repaint();
}

TbsRepeatDriver::TbsRepeatDriver()
    : FTimer(MakeTimer([this] {
          if (FTimer->Interval() != unsigned(Interval > 0 ? Interval : 1))
              FTimer->SetInterval(unsigned(Interval > 0 ? Interval : 1));
          if (OnRepeat)
              OnRepeat();
      }))
{
}
TbsRepeatDriver::~TbsRepeatDriver() = default;

void TbsRepeatDriver::Start()
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(500);
    FTimer->SetEnabled(true);
}

void TbsRepeatDriver::Stop() { FTimer->SetEnabled(false); }
bool TbsRepeatDriver::Running() const { return FTimer->Enabled(); }

TbsFrameAnimation::TbsFrameAnimation() : FTimer(MakeTimer([this] { Tick(); })) {}
TbsFrameAnimation::~TbsFrameAnimation() = default;

void TbsFrameAnimation::Start(bool AForward, int FrameCount, int Interval)
{
    Stop();
    Forward = AForward;
    FFrameCount = FrameCount;
    CurrentFrame = AForward ? 1 : FrameCount;
    FTimer->SetInterval(unsigned(Interval > 0 ? Interval : 1));
    FTimer->SetEnabled(true);
}

void TbsFrameAnimation::Stop()
{
    CurrentFrame = 0;
    FTimer->SetEnabled(false);
}

bool TbsFrameAnimation::Running() const { return FTimer->Enabled(); }

void TbsFrameAnimation::Tick()
{
    if (Forward) {
        if (CurrentFrame <= FFrameCount) {
            ++CurrentFrame;
            if (Repaint)
                Repaint();
        } else {
            Stop();
        }
    } else {
        if (CurrentFrame >= 0) {
            --CurrentFrame;
            if (Repaint)
                Repaint();
        }
        if (CurrentFrame <= 0)
            Stop();
    }
}
