#include "engine/transcode/CustomFFmpeg.h"

// The run's body until the packet loop exists: it passes the pause gate once
// and ends as a conversion with nothing to convert would.
void TCustomFFmpeg::Transcode() {
    const bool stopped = WaitIfPaused() == pgStop;
    FFinished = !stopped && !Broken();
}
