#include "tests/app_presets/DecodedOutput.h"
#include "tests/app_presets/PresetTestSupport.h"

namespace {

using namespace presettest;

// A clip long enough that encoders of several jobs overlap.
const std::string& XvidClip()
{
    static const std::string path = [] {
        testmedia::TMediaPlan plan = StereoClipPlan(20, 35280);
        plan.Video[0].Width = 320;
        plan.Video[0].Height = 240;
        return ClipOnce("xvid_source.avi", plan);
    }();
    return path;
}

// Several jobs with the Xvid presets run at once: every output must decode
// without an error, round after round (the damage, when it happens, hits a
// few jobs of a round at random).
TEST(ConcurrentXvid, JobsOnFourThreadsDecodeWithoutErrors)
{
    const int keys[] = {104, 301, 1603, 1606};
    for (int round = 0; round < 3; ++round) {
        testmedia::TTempFolder folder;
        TOutputNameRule rule;
        rule.Folder = folder.Path();
        std::vector<TPresetJob> jobs;
        for (int copy = 0; copy < 3; ++copy)
            for (int key : keys) {
                const TOptionRow* row = FindOptionRow(key);
                ASSERT_NE(row, nullptr) << key;
                const std::string source = "/源/xvid_" + std::to_string(key) + "_" + std::to_string(copy) + ".avi";
                jobs.push_back(MakeJob(key, source, rule, DefaultTexts(*row)));
                ASSERT_EQ(EffectiveVideoCodec(jobs.back().Preset.Video_OutPutFileName, jobs.back().Options), "libxvid");
            }
        const std::vector<TRunResult> runs = ConvertAll(XvidClip(), jobs, 4);
        for (size_t i = 0; i < jobs.size(); ++i) {
            const std::string name = Format("round %d, job %d (%d)", round, int(i), jobs[i].Key);
            ASSERT_TRUE(runs[i].Finished) << name << ": " << runs[i].Error;
            const TDecodedOutput decoded = DecodeOutput(jobs[i].Preset.Video_OutPutFileName);
            ASSERT_TRUE(decoded.Opened) << name;
            EXPECT_EQ(decoded.DecodeError, "") << name;
            EXPECT_GE(decoded.Pictures, 20) << name;
        }
    }
}

}  // namespace
