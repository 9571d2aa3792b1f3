#include "engine/options/OptionRecords.h"

#include <initializer_list>

#include "engine/transcode/CustomFFmpeg.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/DateTime.h"
#include "platform/core/SysUtils.h"

namespace {

bool NameIn(const std::string& ALowerName, std::initializer_list<const char*> ANames) {
    for (const char* name : ANames)
        if (ALowerName == name)
            return true;
    return false;
}

int64_t TimeOrNoTime(const std::string& AValue) {
    int64_t value = 0;
    return TryStrToInt64(AValue, value) ? value : NoTime;
}

void AppendLine(std::string& AText, const TOptionLine& ALine) {
    AText += ALine.first + "=" + ALine.second + "\n";
}

const char* NormText(TOptionNormType ANorm) {
    switch (ANorm) {
    case ntPAL: return "pal";
    case ntNTSC: return "ntsc";
    default: return "auto";
    }
}

// Stream keys that wait for the codec choice, the presets and the new streams.
constexpr std::initializer_list<const char*> StreamKeys = {"acodec", "vcodec", "scodec", "apre", "vpre",
                                                           "spre",   "s",      "vfilters", "vf"};

void CollectDefaults(const TOutputOptions& O, TStreamDefaults& D) {
    D = TStreamDefaults();
    D.Set("def_acodec", O.AudioCodec);
    D.Set("def_vcodec", O.VideoCodec);
    D.Set("def_scodec", O.SubtitleCodec);
    D.Set("def_apre", O.AudioPreset);
    D.Set("def_vpre", O.VideoPreset);
    D.Set("def_spre", O.SubtitlePreset);
    D.Set("def_s", O.FrameSize);
    D.Set("def_vf", O.VideoFilters);
    for (const auto& [name, value] : SplitOptionText(O.ExtOptions)) {
        std::string key = LowerCase(name);
        if (value.empty() || !NameIn(key, StreamKeys))
            continue;
        if (key == "vfilters")
            key = "vf";
        // The first text value stands in for an empty record field.
        if (D.Get("def_" + key).empty())
            D.Set("def_" + key, value);
        D.Append(key, value);
    }
}

void ApplyTarget(TCustomFFmpeg& J, const TOutputOptions& O) {
    const char* target = O.TargetType == ttVCD    ? "vcd"
                         : O.TargetType == ttSVCD ? "svcd"
                         : O.TargetType == ttDVD  ? "dvd"
                                                  : nullptr;
    if (target)
        J.SetTarget(target, NormText(O.NormType), O.NormDefault == ntPAL ? "pal" : "ntsc");
}

// The record's fields, in their fixed order.
void OptionsToOutput(TCustomFFmpeg& J, const TOutputOptions& O) {
    J.SetFormat(O.FileFormat);
    if (O.PacketSize > 0)
        J.SetGenericIntOption("packetsize", O.PacketSize);
    if (O.MuxRate > 0)
        J.SetGenericIntOption("muxrate", O.MuxRate);
    J.SetMuxMaxDelay(O.MuxDelay);
    J.SetMuxPreload(O.MuxPreload);
    if (O.DisableAudio)
        J.Options().Faudio_disable = true;
    J.SetAudioVolume(O.AudioVolume);
    J.SetAudioChannels(O.AudioChannels);
    J.SetAudioRate(O.AudioSampleRate);
    if (O.AudioBitrate > 0)
        J.SetGenericIntOption("ab", O.AudioBitrate);
    if (O.AudioBitRateTolerance > 0)
        J.SetGenericIntOption("abt", O.AudioBitRateTolerance);
    J.Options().Faudio_language = O.AudioLanguage;
    J.SetAudioSyncMethod(O.AudioSyncMethod);
    J.SetAudioTag(O.AudioTag);
    if (O.DisableVideo)
        J.Options().Fvideo_disable = true;
    J.SetFrameRate(O.FrameRate);
    J.SetAspectRatio(O.FrameAspectRatio);
    J.SetCropTop(O.CropTop);
    J.SetCropBottom(O.CropBottom);
    J.SetCropLeft(O.CropLeft);
    J.SetCropRight(O.CropRight);
    if (O.GroupPictureSize > 0)
        J.SetGenericIntOption("g", O.GroupPictureSize);
    if (O.VideoBitrate > 0)
        J.SetGenericIntOption("vb", O.VideoBitrate);
    if (O.VideoMaxRate > 0)
        J.SetGenericIntOption("maxrate", O.VideoMaxRate);
    if (O.VideoMinRate > 0)
        J.SetGenericIntOption("minrate", O.VideoMinRate);
    if (O.VideoBitRateTolerance > 0)
        J.SetGenericIntOption("bt", O.VideoBitRateTolerance);
    if (O.VideoBufSize > 0)
        J.SetGenericIntOption("bufsize", O.VideoBufSize);
    J.SetVideoSyncMethod(O.VideoSyncMethod);
    J.SetVideoTag(O.VideoTag);
    J.Options().Fvideo_language = O.VideoLanguage;
    if (O.DisableSubtitle)
        J.Options().Fsubtitle_disable = true;
    J.Options().Fsubtitle_language = O.SubtitleLanguage;
    J.Options().Finput_sync = O.InputSync;
    if (O.CopyTimestamp)
        J.Options().Fcopy_ts = true;
    J.SetStartTime(O.TimeStart);
    J.SetRecordingTime(O.TimeLength);
    if (O.Info.TimeStamp >= 0.0)
        J.Options().Frecording_timestamp = DateTimeToUnixTime(O.Info.TimeStamp == 0.0 ? double(Now()) : O.Info.TimeStamp);
    // Today's muxers know the year as "date" and the author as "artist".
    if (O.Info.Year > 0)
        J.AddMetadata("date", IntToStr(O.Info.Year));
    if (O.Info.Track > 0)
        J.AddMetadata("track", IntToStr(O.Info.Track));
    const std::pair<const char*, const std::string*> texts[] = {
        {"title", &O.Info.Title},     {"artist", &O.Info.Author}, {"copyright", &O.Info.Copyright},
        {"comment", &O.Info.Comment}, {"album", &O.Info.Album},   {"genre", &O.Info.Genre},
    };
    for (const auto& [key, value] : texts)
        if (!value->empty())
            J.AddMetadata(key, *value);
}

} // namespace

std::vector<TOptionLine> SplitOptionText(const std::string& AText) {
    std::string text = Trim(AText);
    std::string normal;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            normal += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text.compare(i, 6, "<CRLF>") == 0) {
            normal += '\n';
            i += 5;
        } else {
            normal += text[i];
        }
    }
    std::vector<TOptionLine> lines;
    if (normal.empty())
        return lines;
    size_t start = 0;
    while (start <= normal.size()) {
        size_t end = normal.find('\n', start);
        if (end == std::string::npos)
            end = normal.size();
        const std::string line = normal.substr(start, end - start);
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            lines.emplace_back(line, "");
        else
            lines.emplace_back(line.substr(0, equals), line.substr(equals + 1));
        start = end + 1;
    }
    return lines;
}

void InputOptionsFromText(const std::string& AText, TInputOptions& AOptions) {
    InitInputOptions(AOptions);
    for (const auto& line : SplitOptionText(AText)) {
        if (LowerCase(line.first) == "timestart")
            AOptions.TimeStart = TimeOrNoTime(line.second);
        else
            AppendLine(AOptions.ExtOptions, line);
    }
}

void OutputOptionsFromText(const std::string& AText, TOutputOptions& AOptions) {
    InitOutputOptions(AOptions);
    for (const auto& line : SplitOptionText(AText)) {
        const std::string name = LowerCase(line.first);
        if (name == "hook" || name == "customhook")
            AOptions.CustomHook = true;
        else if (name == "join")
            AOptions.Join = line.second != "0";  // "0" reads as off, as for every flag
        else if (name == "timestart")
            AOptions.TimeStart = TimeOrNoTime(line.second);
        else if (name == "timelength")
            AOptions.TimeLength = TimeOrNoTime(line.second);
        else
            AppendLine(AOptions.ExtOptions, line);
    }
}

std::string TStreamDefaults::Get(const std::string& AName) const {
    for (const auto& line : FLines)
        if (line.first == AName)
            return line.second;
    return "";
}

void TStreamDefaults::Set(const std::string& AName, const std::string& AValue) {
    for (auto it = FLines.begin(); it != FLines.end(); ++it)
        if (it->first == AName) {
            if (AValue.empty())
                FLines.erase(it);
            else
                it->second = AValue;
            return;
        }
    if (!AValue.empty())
        FLines.emplace_back(AName, AValue);
}

void TStreamDefaults::Append(const std::string& AName, const std::string& AValue) {
    FLines.emplace_back(AName, AValue);
}

std::string TStreamDefaults::TakeNext(const std::string& AKey) {
    for (auto it = FLines.begin(); it != FLines.end(); ++it)
        if (it->first == AKey) {
            const std::string value = it->second;
            FLines.erase(it);
            return value;
        }
    return Get("def_" + AKey);
}

void ApplyInputOptions(TCustomFFmpeg& AJob, const TInputOptions& AOptions) {
    for (const auto& [name, value] : SplitOptionText(AOptions.ExtOptions)) {
        const std::string lower = LowerCase(name);
        if (!NameIn(lower, {"newvideo", "newaudio", "newsubtitle", "apre", "vpre", "spre", "vfilters", "vf"}))
            AJob.ParseOption(lower, value);
    }
    AJob.SetFormat(AOptions.FileFormat);
    AJob.SetStartTime(AOptions.TimeStart);
    AJob.SetProgramID(AOptions.ProgramID);
}

void ApplyOutputOptions(TCustomFFmpeg& AJob, const TOutputOptions& AOptions, TStreamDefaults& ADefaults) {
    CollectDefaults(AOptions, ADefaults);
    ApplyTarget(AJob, AOptions);
    AJob.SetAudioCodec(ADefaults.Get("def_acodec"));
    AJob.SetVideoCodec(ADefaults.Get("def_vcodec"));
    AJob.SetSubtitleCodec(ADefaults.Get("def_scodec"));
    // After the codecs: a preset's file name is formed from its codec's name.
    AJob.ApplyPreset("apre", ADefaults.Get("def_apre"));
    AJob.ApplyPreset("vpre", ADefaults.Get("def_vpre"));
    AJob.ApplyPreset("spre", ADefaults.Get("def_spre"));
    for (const auto& [name, value] : SplitOptionText(AOptions.ExtOptions)) {
        const std::string lower = LowerCase(name);
        if (!NameIn(lower, {"newvideo", "newaudio", "newsubtitle", "apre", "vpre", "spre", "vfilters", "vf", "acodec",
                            "vcodec", "scodec", "s"}))
            AJob.ParseOption(lower, value);
    }
    OptionsToOutput(AJob, AOptions);
    AJob.SetFrameSize(ADefaults.Get("def_s"));
    AJob.SetVideoFilters(ADefaults.Get("def_vf"));
}

void ApplyStreamOptions(TCustomFFmpeg& AJob, const TOutputOptions& AOptions, TStreamDefaults& ADefaults) {
    auto applyNext = [&](std::initializer_list<const char*> AKeys) {
        for (const char* key : AKeys)
            AJob.ParseOption(key, ADefaults.TakeNext(key));
    };
    for (const auto& [name, value] : SplitOptionText(AOptions.ExtOptions)) {
        const std::string lower = LowerCase(name);
        if (lower == "newaudio")
            applyNext({"acodec", "apre"});
        else if (lower == "newvideo")
            applyNext({"vcodec", "vpre", "s", "vf"});
        else if (lower == "newsubtitle")
            applyNext({"scodec", "spre"});
        else
            continue;
        AJob.ParseOption(lower, value);
    }
}
