#include "app/output/OutputSettingsLogic.h"

#include "app/presets/OutputName.h"
#include "platform/core/Path.h"
#include "app/output/OutputFormats.h"
#include "app/output/OutputOptionTables.h"
#include "app/output/OutputParameters.h"
#include "app/presets/OptionReadBack.h"
#include "app/presets/PresetCategories.h"

namespace {

// The combos are emptied and enabled in this order, and the video combos of an
// audio-only preset disabled in the second; the order is visible to the combos' owners.
constexpr std::array<TOptionKind, OptionKindCount> ClearOrder = {
    TOptionKind::FrameSize, TOptionKind::VideoBitrate, TOptionKind::AudioBitrate,
    TOptionKind::Aspect,    TOptionKind::FrameRate,    TOptionKind::SampleRate};
constexpr std::array<TOptionKind, 4> VideoOrder = {TOptionKind::FrameSize, TOptionKind::VideoBitrate,
                                                   TOptionKind::Aspect, TOptionKind::FrameRate};

} // namespace

TOutputSettingsLogic::TOutputSettingsLogic(TPresetListComboModel& categories, TPresetListComboModel& formats,
                                           const std::array<TOptionComboModel*, OptionKindCount>& options,
                                           TOutputSettingsHost& host, const TOverwriteChoice& overwrite)
    : FCategories(categories), FFormats(formats), FOptions(options), FHost(host), FOverwrite(overwrite)
{
    // As the form's data loads: the twelve categories with the first chosen, raising nothing.
    FCategories.OnChange = nullptr;
    FCategories.ClearItems();
    for (const auto& item : OutputCategoryItems())
        FCategories.AddItem(item);
    FCategories.SetItemIndex(0);
    FCategories.OnChange = [this] { RefillFormats(); };
    FFormats.OnChange = [this] { RefillOptions(); };
}

TOutputSettingsLogic::~TOutputSettingsLogic()
{
    FCategories.OnChange = nullptr;
    FFormats.OnChange = nullptr;
}

int TOutputSettingsLogic::CurrentKey() const
{
    return PresetKey(FCategories.ItemIndex(), FFormats.ItemIndex());
}

void TOutputSettingsLogic::RefillFormats()
{
    FFormats.ClearItems();
    for (const auto& item : OutputFormatItems(FCategories.ItemIndex()))
        FFormats.AddItem(item);
    FFormats.SetItemIndex(0);
}

void TOutputSettingsLogic::RefillOptions()
{
    for (TOptionKind kind : ClearOrder)
        Option(kind).ClearItems();
    for (TOptionKind kind : ClearOrder)
        Option(kind).SetEnabled(true);
    int key = CurrentKey();
    FHost.SetAllTrantNumber(key);
    FHost.CurrentPreset().Video_DisableVideo = false;
    const TOptionRow* row = FindOutputOptionRow(key);
    if (!row)
        return;
    FillOptionCombos(*row, FOptions);
    if (row->AudioOnly)
        for (TOptionKind kind : VideoOrder)
            Option(kind).SetEnabled(false);
}

void TOutputSettingsLogic::ApplyParameters()
{
    int key = CurrentKey();
    TCurrentPreset& preset = FHost.CurrentPreset();
    FHost.SetAllTrantNumber(key);
    preset.Video_DisableVideo = false;
    // A format with parameters names the file being added with its extension;
    // otherwise the name already set is only numbered while it is taken.
    std::string source = preset.Video_OutPutFileName;
    std::string extension = NameExtensionOf(source);
    if (const TOutputParameters* row = FindOutputParameters(key)) {
        source = preset.Video_AddFileName;
        extension = row->NameExtension;
        row->ApplyTo(preset);
    }
    TOutputNameRule rule;
    rule.Folder = FHost.OutputFolder();
    rule.Overwrite = FOverwrite.OverwriteOutputFiles();
    rule.FileExists = FileExists;
    rule.Reserved = [this](const std::string& name) { return FHost.OutputNameTaken(name); };
    preset.Video_OutPutFileName = ExtractFileName(source).empty() ? std::string() : BuildOutputName(source, extension, rule);
}

bool TOutputSettingsLogic::ReadOptions()
{
    TCurrentPreset result = FHost.CurrentPreset();
    for (TOptionKind kind : OptionFillOrder) {
        const TOptionComboModel& combo = Option(kind);
        if (!combo.HasShownEntry())
            continue;
        std::string text = combo.Item(combo.ItemIndex());
        if (kind == TOptionKind::SampleRate && text == AutoSampleRate)
            result.Video_AudioSampleRate = "AUTO";
        else if (kind == TOptionKind::AudioBitrate && text == AutoAudioBitrate)
            result.Video_AudioBitrate = -1000;
        else if (!ReadOptionInto(kind, text, result))
            return false;
    }
    FHost.CurrentPreset() = result;
    return true;
}

void TOutputSettingsLogic::Ok()
{
    ApplyParameters();
    ReadOptions();
    Close();
}

void TOutputSettingsLogic::Cancel()
{
    Close();
}

void TOutputSettingsLogic::Reset()
{
    FHost.CurrentPreset().Reset();
    FHost.ClearClipTimes();
}

void TOutputSettingsLogic::Close()
{
    if (OnClose)
        OnClose();
}
