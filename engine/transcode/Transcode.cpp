#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/TranscodeSetup.h"

// The run's body: the set-up, then (until the packet loop exists) the pause
// gate once, and the end of every output with a valid trailer.
void TCustomFFmpeg::Transcode() {
    TTranscode transcode(*this);
    transcode.SetUp();
    const bool stopped = WaitIfPaused() == pgStop;
    transcode.WriteTrailers();
    FFinished = !stopped && !Broken();
}
