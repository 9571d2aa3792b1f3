#pragma once
#include <functional>
#include <memory>

class TTimer;

// The timers of a pressable skinned face. Each owns its timer only while it
// runs: stopping disables it, so a tick may end its own effect safely.

// Hover morphing: moves Kf towards Target() by 0.2 every 20 ms; the tick
// after the target was reached or passed sets it exactly and stops.
class TbsMorphDriver {
public:
    TbsMorphDriver();
    ~TbsMorphDriver();

    std::function<bool()> CanMorph;     // still skinned and morphing possible
    std::function<double()> Target;     // 1 while hot (or focused), else 0
    std::function<void()> Repaint;

    double Kf = 0;
    void Start();                       // never doubles a running timer
    void Stop();
    bool Running() const;

private:
    void Tick();
    std::unique_ptr<TTimer> FTimer;
};

// Repeated clicks while a button is held: the first after 500 ms, then one
// every Interval milliseconds.
class TbsRepeatDriver {
public:
    TbsRepeatDriver();
    ~TbsRepeatDriver();

    std::function<void()> OnRepeat;
    int Interval = 100;
    void Start();
    void Stop();
    bool Running() const;

private:
    std::unique_ptr<TTimer> FTimer;
};

// Frame animation of an element: CurrentFrame runs 1..FrameCount forwards
// or FrameCount..0 backwards at the element's interval.
class TbsFrameAnimation {
public:
    TbsFrameAnimation();
    ~TbsFrameAnimation();

    std::function<void()> Repaint;
    int CurrentFrame = 0;
    bool Forward = true;
    void Start(bool AForward, int FrameCount, int Interval);
    void Stop();
    bool Running() const;

private:
    void Tick();
    std::unique_ptr<TTimer> FTimer;
    int FFrameCount = 0;
};
