#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>

#include "engine/log/Logger.h"
#include "tests/app_presets/PresetTestSupport.h"

namespace {

using namespace presettest;

// How the probe names the container of each output name's extension.
const std::map<std::string, std::string> ProbeFormats = {
    {".avi", "avi"},   {".mp4", "mov,mp4,m4a,3gp,3g2,mj2"}, {".mov", "mov,mp4,m4a,3gp,3g2,mj2"},
    {".m4a", "mov,mp4,m4a,3gp,3g2,mj2"}, {".3gp", "mov,mp4,m4a,3gp,3g2,mj2"}, {".mkv", "matroska,webm"},
    {".mpg", "mpeg"},  {".vob", "mpeg"}, {".asf", "asf"}, {".wmv", "asf"}, {".wma", "asf"}, {".flv", "flv"},
    {".swf", "swf"},   {".rm", "rm"},   {".ra", "rm"},   {".mp3", "mp3"}, {".mp2", "mp3"}, {".ogg", "ogg"},
    {".ac3", "ac3"},   {".aac", "aac"}, {".aiff", "aiff"}, {".wav", "wav"}, {".flac", "flac"}, {".amr", "amr"},
};

// The decoder the probe names for what each encoder writes.
const std::map<std::string, std::string> Decoders = {
    {"mpeg4", "mpeg4"},           {"libxvid", "mpeg4"},     {"libx264", "h264"},       {"mpeg1video", "mpeg1video"},
    {"mpeg2video", "mpeg2video"}, {"msmpeg4", "msmpeg4"},   {"wmv2", "wmv2"},          {"h263", "h263"},
    {"rv20", "rv20"},             {"flv", "flv"},           {"libmp3lame", "mp3float"}, {"aac", "aac"},
    {"ac3", "ac3"},               {"wmav2", "wmav2"},       {"libvorbis", "vorbis"},   {"flac", "flac"},
    {"libopencore_amrnb", "amrnb"}, {"mp2", "mp2"},         {"pcm_s16le", "pcm_s16le"}, {"pcm_s16be", "pcm_s16be"},
};

const std::set<std::string> NoExactRate = {"asf", "flv", "swf", "rm"};

// The sample rate an encoder runs at: the engine moves a rate the encoder
// does not list to the nearest one it does.
int EncodedSampleRate(const std::string& AEncoder, int ARate) {
    std::vector<int> listed;
    if (AEncoder == "ac3")
        listed = {48000, 44100, 32000};
    else if (AEncoder == "mp2")
        listed = {44100, 48000, 32000, 22050, 24000, 16000};
    int best = 0;
    for (int r : listed)
        if (!best || std::abs(r - ARate) < std::abs(best - ARate))
            best = r;
    return best ? best : ARate;
}

std::string Ext(const std::string& AName) {
    return LowerCase(ExtractFileExt(AName));
}

class PresetConversion : public ::testing::Test {
protected:
    TOutputNameRule Rule() const {
        TOutputNameRule rule;
        rule.Folder = Folder.Path();
        return rule;
    }
    // A source name of its own per job, so that every job has its own output.
    static std::string Source(int AKey, int AVariant) {
        return "/源/" + std::to_string(AKey) + "_" + std::to_string(AVariant) + " 视频.mkv";
    }
    testmedia::TTempFolder Folder;
};

void PrintFacts(const TPresetJob& AJob, const TRunResult& ARun, const TOutputFacts& F) {
    std::cout << AJob.Key << " " << AJob.Label << " -> " << ExtractFileName(AJob.Preset.Video_OutPutFileName)
              << (ARun.Finished ? " ok " : " FAILED ") << ARun.Error << " | " << F.Format << " v" << F.VideoStreams
              << " " << F.VideoCodec << " " << F.Width << "x" << F.Height << " @" << F.FrameRate << " a"
              << F.AudioStreams << " " << F.AudioCodec << " " << F.SampleRate << "/" << F.Channels << "\n";
}

TEST_F(PresetConversion, ConvertsWithEveryOfferedPresetAtItsDefaults) {
    if (getenv("ZARVO_PRESET_VERBOSE"))
        GetFFLogger()->OnLog = [](TObject*, TLogThreadID, TLogLevel ALevel, const std::string& AText) {
            if (ALevel <= llWarning)
                std::cout << "log: " << AText << "\n";
        };
    std::vector<TPresetJob> jobs;
    for (const TOptionRow& row : OptionRows())
        jobs.push_back(MakeJob(row.Key, Source(row.Key, 0), Rule(), DefaultTexts(row)));
    const std::vector<TRunResult> runs = ConvertAll(InputClip(), jobs);
    for (size_t i = 0; i < jobs.size(); ++i) {
        const TPresetJob& job = jobs[i];
        const TOutputOptions& o = job.Options;
        const std::string name = std::to_string(job.Key);
        const TOutputFacts f = ProbeOutput(job.Preset.Video_OutPutFileName);
        if (getenv("ZARVO_PRESET_VERBOSE"))
            PrintFacts(job, runs[i], f);
        EXPECT_TRUE(runs[i].Finished) << name << ": " << runs[i].Error;
        EXPECT_TRUE(f.Opened) << name << ": " << f.Error;
        if (!runs[i].Finished || !f.Opened)
            continue;
        EXPECT_EQ(f.Format, ProbeFormats.at(Ext(job.Preset.Video_OutPutFileName))) << name;
        const std::string video = EffectiveVideoCodec(job.Preset.Video_OutPutFileName, o);
        EXPECT_EQ(f.VideoStreams, video.empty() ? 0 : 1) << name;
        if (!video.empty()) {
            EXPECT_EQ(f.VideoCodec, Decoders.at(video)) << name;
            int width = 0, height = 0;
            if (sscanf(o.FrameSize.c_str(), "%d*%d", &width, &height) == 2) {
                EXPECT_EQ(f.Width, width) << name;
                EXPECT_EQ(f.Height, height) << name;
            }
        }
        // Containers that keep millisecond clocks report no exact rate.
        double rate = 0.0;
        if (!video.empty() && TryStrToFloat(o.FrameRate, rate) && !NoExactRate.count(f.Format)) {
            EXPECT_NEAR(f.FrameRate, rate, 0.01) << name;
        }
        EXPECT_EQ(f.AudioStreams, 1) << name;
        if (o.AudioSampleRate > 0) {
            EXPECT_EQ(f.SampleRate, EncodedSampleRate(EffectiveAudioCodec(job.Preset.Video_OutPutFileName, o),
                                                      o.AudioSampleRate))
                << name;
        }
        EXPECT_EQ(f.AudioCodec, Decoders.at(EffectiveAudioCodec(job.Preset.Video_OutPutFileName, o))) << name;
        if (o.AudioChannels > 0) {
            EXPECT_EQ(f.Channels, o.AudioChannels) << name;
        }
    }
}

// What decides a conversion, so that variants the lists share run once.
std::string Signature(const TPresetJob& AJob) {
    const TOutputOptions& o = AJob.Options;
    return Format("%s|%s|%s|%s|%d|%s|%s|%s|%d|%d|%d|%d|%d|%d|%s|%s|%s", Ext(AJob.Preset.Video_OutPutFileName),
                  o.FileFormat, o.VideoCodec, o.VideoTag, int(o.DisableVideo), o.FrameSize, o.FrameRate,
                  o.FrameAspectRatio, o.VideoBitrate, o.AudioBitrate, o.AudioSampleRate, o.AudioChannels,
                  int(o.TargetType), int(o.NormType), o.AudioCodec, o.VideoPreset, o.ExtOptions);
}

// Every entry of every list of every offered preset, one changed at a time.
// The full sweep runs with ZARVO_PRESET_SWEEP=full; otherwise an even sample
// of the distinct variants runs.
TEST_F(PresetConversion, EveryListEntryConvertsOrFailsForAListedReason) {
    const bool full = getenv("ZARVO_PRESET_SWEEP") && std::string(getenv("ZARVO_PRESET_SWEEP")) == "full";
    std::vector<TPresetJob> jobs;
    std::set<std::string> seen;
    int variant = 0;
    for (const TOptionRow& row : OptionRows()) {
        const std::array<std::string, 6> defaults = DefaultTexts(row);
        for (int combo = 0; combo < 6; ++combo) {
            const std::vector<std::string>& entries = row.Cells[combo].List->Entries;
            for (int entry = 0; entry < int(entries.size()); ++entry) {
                if (entry == row.Cells[combo].DefaultIndex)
                    continue;
                std::array<std::string, 6> texts = defaults;
                texts[combo] = entries[entry];
                TPresetJob job = MakeJob(row.Key, Source(row.Key, ++variant), Rule(), texts);
                job.Label = texts[combo];
                if (seen.insert(Signature(job)).second)
                    jobs.push_back(std::move(job));
            }
        }
    }
    std::cout << "[          ] " << jobs.size() << " distinct variants\n";
    if (!full) {
        // Every thirteenth, and every variant that a listed limit refuses.
        std::vector<TPresetJob> sample;
        for (size_t i = 0; i < jobs.size(); ++i)
            if (i % 13 == 0 || !KnownRefusal(jobs[i].Preset.Video_OutPutFileName, jobs[i].Options).empty())
                sample.push_back(std::move(jobs[i]));
        jobs = std::move(sample);
    }
    const std::vector<TRunResult> runs = ConvertAll(InputClip(), jobs);
    for (size_t i = 0; i < jobs.size(); ++i) {
        const TPresetJob& job = jobs[i];
        const std::string refusal = KnownRefusal(job.Preset.Video_OutPutFileName, job.Options);
        const std::string name = std::to_string(job.Key) + " \"" + job.Label + "\"";
        if (getenv("ZARVO_PRESET_VERBOSE") && !runs[i].Finished)
            PrintFacts(job, runs[i], TOutputFacts());
        EXPECT_TRUE(runs[i].Ended || !runs[i].Error.empty()) << name;
        if (refusal.empty()) {
            EXPECT_TRUE(runs[i].Finished) << name << ": " << runs[i].Error;
        } else {
            EXPECT_FALSE(runs[i].Finished) << name << " converts although " << refusal;
            EXPECT_FALSE(runs[i].Error.empty()) << name;
            const std::string text =
                ConversionFailureText(job.Preset.Video_OutPutFileName, job.Options, runs[i].Error);
            EXPECT_NE(text.find(refusal), std::string::npos) << name;
        }
    }
}

} // namespace
