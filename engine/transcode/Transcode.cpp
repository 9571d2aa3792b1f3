#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/TranscodeRun.h"
#include "engine/transcode/TranscodeSetup.h"

// The run's body: the set-up, then the packet loop and the end of every output.
void TCustomFFmpeg::Transcode() {
    TTranscode transcode(*this);
    transcode.SetUp();
    TTranscodeRun run(*this, transcode);
    FFinished = run.Run();
}
