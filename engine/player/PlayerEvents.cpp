#include <cmath>
#include <cstdlib>

#include "engine/player/Player.h"
#include "engine/player/VideoState.h"
#include "engine/util/MainThread.h"

void TCustomPlayer::SetPlayState(TPlayState AState) {
    FState = AState;
    if (OnState)
        FPlayEvent.Push(TPlayEventRing::ekState, AState);
    else if (AState == psStop)
        FPlayEvent.Push(TPlayEventRing::ekEnd, 0);  // the event thread still ends
}

void TCustomPlayer::EventThreadExecute() {
    for (;;) {
        const TPlayEventRing::TEntry entry = FPlayEvent.Pop();
        if (entry.Kind == TPlayEventRing::ekNone) {
            FPlayEvent.Signal().WaitFor();
            continue;
        }
        auto deliver = [this](const std::function<void()>& call) {
            if (FTriggerEventInMainThread)
                CallInMainThread(call);
            else
                call();
        };
        if (entry.Kind == TPlayEventRing::ekPosition) {
            FEventPTS = entry.Value;
            deliver([this] {
                if (OnPosition)
                    OnPosition(this, FEventPTS);
            });
        } else if (entry.Kind == TPlayEventRing::ekState) {
            FEventState = TPlayState(entry.Value);
            deliver([this] {
                if (OnState)
                    OnState(this, FEventState);
            });
            if (entry.Value == psStop)
                break;
        } else {
            break;
        }
    }
    FEventEnded.SetEvent();
}

void TCustomPlayer::CheckPosition(TVideoState* is) {
    std::lock_guard<std::mutex> lock(FPositionLock);
    if (is->Closed || is->IsImage2)
        return;
    int64_t pts;
    if (is->video_stream >= 0) {
        pts = std::llround(GetVideoClock(is) * 1000000.0) - is->StartTime;
    } else if (is->audio_stream >= 0) {
        pts = std::llround(GetAudioClock(is) * 1000000.0) - is->StartTime;
        if (is->AudioDuration > 0 && pts >= is->AudioDuration && pts < is->Duration)
            pts = is->Duration;
    } else {
        return;
    }
    // The position never passes the duration, also in FCurrentPTS.
    if (is->Duration > 0 && pts >= is->Duration) {
        pts = is->Duration;
        if (FLastPTS != is->Duration)
            FLastPTS = 0;
    }
    FCurrentPTS = pts;
    if (FLastPTS == AV_NOPTS_VALUE || std::llabs(pts - FLastPTS) > 10000) {
        FLastPTS = pts;
        if (OnPosition)
            FPlayEvent.Push(TPlayEventRing::ekPosition, pts);
    }
    // The end is reported once per end, with or without video; a seek re-arms it.
    if (!is->IsDevice && !is->EventEOF && is->ReachEOF) {
        is->EventEOF = 1;
        SetPlayState(psEnd);
    }
    const int64_t playTime = FPlayTime;
    if (playTime != AV_NOPTS_VALUE) {
        const int64_t limit = Fstart_time != AV_NOPTS_VALUE ? Fstart_time + playTime : playTime;
        if (pts >= limit) {
            if (FRepeatType == rtStop)
                Stop(false);
            else if (FRepeatType == rtLoop) {
                if (Fstart_time != AV_NOPTS_VALUE)
                    Seek(Fstart_time, {}, false);
                else
                    Seek(int64_t(0), {sfAny}, false);
            }
        }
    }
}

void TCustomPlayer::DoFileOpen() {
    TVideoState* is = FVideoState.get();
    if (OpenedFile() && OnFileOpen) {
        const int64_t duration = is->IsImage2 ? 0 : is->Duration;
        int w = -1, h = -1;
        if (is->video_dec && is->video_dec->width > 0) {
            w = is->video_dec->width;
            h = is->video_dec->height;
        }
        int sw = Fscreen_width, sh = Fscreen_height;
        OnFileOpen(this, duration, w, h, sw, sh);
        Fscreen_width = sw;
        Fscreen_height = sh;
    }
    if (FHost && (Fscreen_width == 0 || Fscreen_height == 0)) {
        int w = 0, h = 0;
        FHost->GetClientSize(w, h);
        Fscreen_width = w;
        Fscreen_height = h;
    }
}
