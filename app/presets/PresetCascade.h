#pragma once
#include <array>
#include <functional>

#include "app/presets/ComboModels.h"
#include "app/presets/CurrentPreset.h"
#include "app/presets/OptionRows.h"
#include "app/presets/PresetJobRow.h"

// The preset cascade of the main window: the category list refills the format list,
// a format change refills the six option combos with the preset's lists and defaults,
// an option change reads its entry back, and selecting a job row replays the row's
// choices. It works on the combo faces of ComboModels.h and is wired to their OnChange
// events, so that code setting an item index runs the same chain as the user does.
//
// What a combo shows is what converts: after every fill applied to a row and after every
// restore, the row's option code and its six value columns are written from the combos.
class TPresetCascade {
public:
    // The option combos are given in fill order (frame size, video bit rate, frame rate,
    // audio bit rate, sample rate, aspect mode). The cascade takes over every OnChange.
    TPresetCascade(TPresetListComboModel& categories, TPresetListComboModel& formats,
                   const std::array<TOptionComboModel*, OptionKindCount>& options, TCurrentPreset& preset);

    // The selected job row, or nullptr when none is selected.
    std::function<TPresetJobRow*()> SelectedRow;
    // Applies the encoding parameters of a preset key: resets the preset, sets it from
    // the parameter table and, with a row given, writes the row's preset columns.
    // Without it the preset is only reset.
    std::function<void(int key, TCurrentPreset& preset, TPresetJobRow* row)> ApplyPresetParameters;
    // Gives the job list the keyboard focus after a change reached a row.
    std::function<void()> FocusJobList;
    // Runs when a row's choices are back in the lists: the preview opens the row's file.
    std::function<void(TPresetJobRow& row)> OnRowRestored;

    // Fills the category list with its fifteen items (as the form stores them) and selects item 0.
    static void FillCategoryList(TPresetListComboModel& categories);

    // Start-up: the format list of the selected category, format 0, its option lists.
    void Start() { RefillFormats(); }

    // Category change: refill the format list of the selected category and select format 0.
    void RefillFormats();
    // Format change: refill the option combos and, with a row selected, apply the preset to it.
    void FormatChanged();
    // Empties and enables the six option combos and fills them for the selected preset.
    void FillOptionLists();
    // Reads the six combos into the current preset, all or nothing (false when an entry
    // cannot be read). Combos the preset fixes for a disc target are not read.
    bool ReadOptions();
    // The change of one option combo: with a row selected, its digit pair, its field of the
    // preset and its value column follow the combo. False when the entry cannot be read.
    bool OptionChanged(TOptionKind kind);
    // Job-list selection: replays the selected row's category, format and options. A row
    // whose codes are not ones this cascade writes is refused before anything changes.
    bool SelectRow();
    // Locks the lists while a conversion runs, or unlocks them afterwards; unlocking keeps
    // the combos that the preset fixes disabled.
    void SetLocked(bool locked);
    bool Locked() const { return FLocked; }

    // The current preset key (category code and format index of the lists); -1 when the
    // category list has an item outside the category map selected.
    int CurrentKey() const;
    // The option row of the current key, or nullptr.
    const TOptionRow* CurrentRow() const;

    // Everything a new job's row takes from the lists: selection code, option code, the
    // output name's extension and the six value columns from the current preset.
    void WriteRow(TPresetJobRow& row);

    TOptionComboModel& Option(TOptionKind kind) const { return *FOptions[OptionSlot(kind)]; }

private:
    void ApplyEnabledStates();
    void WriteOptionColumns(TPresetJobRow& row);
    TPresetJobRow* Selected() const { return SelectedRow ? SelectedRow() : nullptr; }
    void Focus() const
    {
        if (FocusJobList)
            FocusJobList();
    }

    TPresetListComboModel& FCategories;
    TPresetListComboModel& FFormats;
    std::array<TOptionComboModel*, OptionKindCount> FOptions;
    TCurrentPreset& FPreset;
    bool FLocked = false;
};
