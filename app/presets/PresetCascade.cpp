#include "app/presets/PresetCascade.h"

#include <exception>

#include "app/presets/JobRowCodes.h"
#include "app/presets/OptionReadBack.h"
#include "app/presets/PresetCategories.h"
#include "app/presets/PresetFormats.h"

namespace {

// The order in which the combos a preset fixes are disabled: the video combos as the
// form always did (frame size, video bit rate, aspect mode, frame rate), then sample rate.
constexpr std::array<TOptionKind, 5> DisableOrder = {TOptionKind::FrameSize, TOptionKind::VideoBitrate,
                                                     TOptionKind::Aspect, TOptionKind::FrameRate,
                                                     TOptionKind::SampleRate};

} // namespace

TPresetCascade::TPresetCascade(TPresetListComboModel& categories, TPresetListComboModel& formats,
                               const std::array<TOptionComboModel*, OptionKindCount>& options,
                               TCurrentPreset& preset)
    : FCategories(categories), FFormats(formats), FOptions(options), FPreset(preset)
{
    FCategories.OnChange = [this] { RefillFormats(); };
    FFormats.OnChange = [this] { FormatChanged(); };
    for (TOptionKind kind : OptionFillOrder)
        Option(kind).OnChange = [this, kind] { OptionChanged(kind); };
}

void TPresetCascade::FillCategoryList(TPresetListComboModel& categories)
{
    categories.ClearItems();
    for (const auto& item : CategoryListItems())
        categories.AddItem(item);
    categories.SetItemIndex(0);
}

int TPresetCascade::CurrentKey() const
{
    int code = CategoryCodeOfItem(FCategories.ItemIndex());
    int format = FFormats.ItemIndex();
    if (code < 0 || format < 0)
        return -1;
    return PresetKey(code, format);
}

const TOptionRow* TPresetCascade::CurrentRow() const
{
    int key = CurrentKey();
    return key < 0 ? nullptr : FindOptionRow(key);
}

void TPresetCascade::RefillFormats()
{
    FFormats.ClearItems();
    int code = CategoryCodeOfItem(FCategories.ItemIndex());
    if (code >= 0)
        for (const auto& item : FormatItemsOfCategory(code))
            FFormats.AddItem(item);
    FFormats.SetItemIndex(FFormats.ItemCount() > 0 ? 0 : -1);
}

void TPresetCascade::FillOptionLists()
{
    for (TOptionKind kind : OptionCodeOrder)
        Option(kind).ClearItems();
    // A run never unlocks what a conversion locked.
    for (TOptionKind kind : OptionCodeOrder)
        Option(kind).SetEnabled(!FLocked);
    const TOptionRow* row = CurrentRow();
    if (!row)
        return;
    FillOptionCombos(*row, FOptions);
    ApplyEnabledStates();
}

void TPresetCascade::ApplyEnabledStates()
{
    const TOptionRow* row = CurrentRow();
    if (FLocked) {
        for (TOptionKind kind : OptionCodeOrder)
            Option(kind).SetEnabled(false);
        return;
    }
    for (TOptionKind kind : OptionCodeOrder)
        Option(kind).SetEnabled(true);
    if (row)
        for (TOptionKind kind : DisableOrder)
            if (IsOptionFixed(*row, kind))
                Option(kind).SetEnabled(false);
}

void TPresetCascade::SetLocked(bool locked)
{
    FLocked = locked;
    FCategories.SetEnabled(!locked);
    FFormats.SetEnabled(!locked);
    ApplyEnabledStates();
}

bool TPresetCascade::ReadOptions()
{
    const TOptionRow* row = CurrentRow();
    std::array<std::optional<std::string>, OptionKindCount> entries;
    for (TOptionKind kind : OptionFillOrder) {
        TOptionComboModel& combo = Option(kind);
        if (combo.HasShownEntry() && (!row || IsOptionReadBack(*row, kind)))
            entries[OptionSlot(kind)] = combo.Item(combo.ItemIndex());
    }
    return ReadOptionsInto(entries, FPreset);
}

bool TPresetCascade::OptionChanged(TOptionKind kind)
{
    TPresetJobRow* jobRow = Selected();
    TOptionComboModel& combo = Option(kind);
    if (!jobRow || !combo.HasShownEntry())
        return true;
    const TOptionRow* row = CurrentRow();
    TCurrentPreset changed = FPreset;
    if ((!row || IsOptionReadBack(*row, kind)) && !ReadOptionInto(kind, combo.Item(combo.ItemIndex()), changed))
        return false;
    FPreset = std::move(changed);
    jobRow->SetSubItem(JobColumnOptionCode,
                       SpliceOptionCode(jobRow->SubItem(JobColumnOptionCode), kind, combo.ItemIndex()));
    jobRow->SetSubItem(OptionValueColumn(kind), OptionFieldText(kind, FPreset));
    Focus();
    return true;
}

void TPresetCascade::FormatChanged()
{
    FillOptionLists();
    TPresetJobRow* jobRow = Selected();
    if (!jobRow)
        return;
    int key = CurrentKey();
    if (ApplyPresetParameters)
        ApplyPresetParameters(key, FPreset, jobRow);
    else
        FPreset.Reset();
    ReadOptions();
    WriteRow(*jobRow);
    Focus();
}

void TPresetCascade::WriteRow(TPresetJobRow& row)
{
    int categoryItem = FCategories.ItemIndex();
    int formatItem = FFormats.ItemIndex();
    if (categoryItem >= 0 && formatItem >= 0 && formatItem < FFormats.ItemCount()) {
        row.SetSubItem(JobColumnSelectionCode, SelectionCode(categoryItem, formatItem));
        std::string extension = ExtensionOfTitle(FFormats.Item(formatItem).Title);
        std::string name = row.SubItem(JobColumnOutputFile);
        if (!extension.empty() && !name.empty())
            row.SetSubItem(JobColumnOutputFile, ReplaceExtension(name, extension));
    }
    std::array<int, OptionKindCount> indexes{};
    bool complete = true;
    for (TOptionKind kind : OptionFillOrder) {
        complete = complete && Option(kind).HasShownEntry();
        indexes[OptionSlot(kind)] = Option(kind).ItemIndex();
    }
    if (complete)
        row.SetSubItem(JobColumnOptionCode, OptionCode(indexes));
    WriteOptionColumns(row);
}

void TPresetCascade::WriteOptionColumns(TPresetJobRow& row)
{
    for (TOptionKind kind : OptionFillOrder)
        row.SetSubItem(OptionValueColumn(kind), OptionFieldText(kind, FPreset));
}

bool TPresetCascade::SelectRow()
{
    TPresetJobRow* jobRow = Selected();
    if (!jobRow)
        return false;
    // Check both codes against the catalogue before anything changes.
    auto selection = ParseSelectionCode(jobRow->SubItem(JobColumnSelectionCode));
    auto indexes = ParseOptionCode(jobRow->SubItem(JobColumnOptionCode));
    if (!selection || !indexes)
        return false;
    int code = CategoryCodeOfItem(selection->CategoryItem);
    if (code < 0 || selection->FormatItem >= FormatCount(code))
        return false;
    const TOptionRow* row = FindOptionRow(PresetKey(code, selection->FormatItem));
    if (!row)
        return false;
    for (TOptionKind kind : OptionFillOrder)
        if ((*indexes)[OptionSlot(kind)] >= static_cast<int>(row->Cell(kind).List->Entries.size()))
            return false;
    try {
        FCategories.SetItemIndex(selection->CategoryItem);
        FFormats.SetItemIndex(selection->FormatItem);
        for (TOptionKind kind : OptionCodeOrder)
            if (!IsOptionFixed(*row, kind))
                Option(kind).SetItemIndex((*indexes)[OptionSlot(kind)]);
        ReadOptions();
        WriteRow(*jobRow);
        if (OnRowRestored)
            OnRowRestored(*jobRow);
    } catch (const std::exception&) {
        // A selection never stops the program; what was restored stays.
        return false;
    }
    return true;
}
