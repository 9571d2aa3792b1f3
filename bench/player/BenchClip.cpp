#include "bench/player/BenchClip.h"

#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"

namespace playerbench {

const std::string& Clip() {
    static testmedia::TTempFolder folder;
    static std::string path = [] {
        testmedia::TMediaPlan plan;
        testmedia::TVideoTrack v;
        v.Codec = "libx264";
        v.Width = 1920;
        v.Height = 1080;
        v.Frames = ClipFrames;
        v.RateNum = ClipRate;
        v.Quality = 23;
        plan.Video = {v};
        const std::string file = folder.File("bench1080.mp4");
        testmedia::WriteMediaFile(file, plan);
        return file;
    }();
    return path;
}

}  // namespace playerbench
