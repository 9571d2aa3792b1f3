#include "app/output/OutputParameters.h"

#include <algorithm>

#include "app/output/OutputData.h"

namespace {

constexpr const char* ParameterTable = "parameters.tsv";
constexpr const char* Unwritten = "-";
constexpr size_t ParameterFieldCount = 20;

std::optional<std::string> TextField(const std::string& field)
{
    if (field == Unwritten)
        return std::nullopt;
    return field;
}

std::optional<int> IntField(const std::string& field)
{
    if (field == Unwritten)
        return std::nullopt;
    return PresetTableInt(ParameterTable, field);
}

std::optional<bool> BoolField(const std::string& field)
{
    if (field == Unwritten)
        return std::nullopt;
    if (field != "true" && field != "false")
        OutputTableFault(ParameterTable, "holds \"" + field + "\" where true, false or - belongs");
    return field == "true";
}

std::vector<TOutputParameters> LoadParameterRows()
{
    std::vector<TOutputParameters> rows;
    for (const auto& f : ReadOutputTable(ParameterTable)) {
        if (f.size() != ParameterFieldCount)
            OutputTableFault(ParameterTable, "holds a row of " + std::to_string(f.size()) + " fields where " +
                                                 std::to_string(ParameterFieldCount) + " belong");
        TOutputParameters row;
        row.Key = PresetTableInt(ParameterTable, f[0]);
        row.NameExtension = f[1];
        if (row.NameExtension.size() < 2 || row.NameExtension[0] != '.')
            OutputTableFault(ParameterTable, "gives the key " + std::to_string(row.Key) + " no name extension");
        row.FileExt = TextField(f[2]);
        row.VideoCodec = TextField(f[3]);
        row.VideoTag = TextField(f[4]);
        row.FrameSize = TextField(f[5]);
        row.FrameRate = TextField(f[6]);
        row.FrameAspectRatio = TextField(f[7]);
        row.VideoBitrate = IntField(f[8]);
        row.AudioCodec = TextField(f[9]);
        row.AudioChannels = TextField(f[10]);
        row.AudioSampleRate = TextField(f[11]);
        row.AudioBitrate = IntField(f[12]);
        row.VideoFilters = TextField(f[13]);
        row.AudioVolume = TextField(f[14]);
        row.NormType = TextField(f[15]);
        row.CopyTimestamp = TextField(f[16]);
        row.FileFormat = TextField(f[17]);
        row.TargetType = TextField(f[18]);
        row.DisableVideo = BoolField(f[19]);
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.Key < b.Key; });
    for (size_t i = 1; i < rows.size(); ++i)
        if (rows[i].Key == rows[i - 1].Key)
            OutputTableFault(ParameterTable, "holds two rows of the key " + std::to_string(rows[i].Key));
    return rows;
}

template <typename T>
void Write(const std::optional<T>& value, T& field)
{
    if (value)
        field = *value;
}

} // namespace

void TOutputParameters::ApplyTo(TCurrentPreset& preset) const
{
    Write(FileExt, preset.Video_FileExt);
    Write(VideoCodec, preset.Video_VideoCodec);
    Write(VideoTag, preset.Video_VideoTag);
    Write(FrameSize, preset.Video_FrameSize);
    Write(FrameRate, preset.Video_FrameRate);
    Write(FrameAspectRatio, preset.Video_FrameAspectRatio);
    Write(VideoBitrate, preset.Video_VideoBitrate);
    Write(AudioCodec, preset.Video_AudioCodec);
    Write(AudioChannels, preset.Video_AudioChannels);
    Write(AudioSampleRate, preset.Video_AudioSampleRate);
    Write(AudioBitrate, preset.Video_AudioBitrate);
    Write(VideoFilters, preset.Video_VideoFilters);
    Write(AudioVolume, preset.Video_AudioVolume);
    Write(NormType, preset.Video_NormType);
    Write(CopyTimestamp, preset.Video_CopyTimestamp);
    Write(FileFormat, preset.Video_FileFormat);
    Write(TargetType, preset.Video_TargetType);
    Write(DisableVideo, preset.Video_DisableVideo);
}

const std::vector<TOutputParameters>& OutputParameterRows()
{
    static const std::vector<TOutputParameters> rows = LoadParameterRows();
    return rows;
}

const TOutputParameters* FindOutputParameters(int key)
{
    const auto& rows = OutputParameterRows();
    auto it = std::lower_bound(rows.begin(), rows.end(), key,
                               [](const TOutputParameters& r, int k) { return r.Key < k; });
    return it != rows.end() && it->Key == key ? &*it : nullptr;
}
