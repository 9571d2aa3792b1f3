#pragma once
#include <array>
#include <functional>
#include <string>

#include "app/output/OutputSettingsHost.h"
#include "app/presets/ComboModels.h"
#include "app/presets/OptionLists.h"

// The logic of the output settings dialog ("设置选项"), free of windows: a category list
// of twelve items whose index is the category code, a format list, six option combos,
// OK, Cancel and the reset. It works on the combo faces of ComboModels.h and is wired to
// their OnChange events, so that a code assignment runs the same chain as a user's pick:
// every assignment to the category list refills the formats, every assignment to the
// format list refills the option combos. The option combos get no handlers.
//
// The application creates the dialog at start-up, after the options dialog, and the
// creation alone has an effect on the main window: the option combos are filled for the
// key 100, which becomes the main window's All_Trant_Number, and its Video_DisableVideo
// is cleared.
class TOutputSettingsLogic {
public:
    // The option combos in fill order (frame size, video bit rate, frame rate, audio bit
    // rate, sample rate, aspect mode). The category list is filled at once with item 0
    // chosen, before its OnChange is taken over, as loading the form does.
    TOutputSettingsLogic(TPresetListComboModel& categories, TPresetListComboModel& formats,
                         const std::array<TOptionComboModel*, OptionKindCount>& options, TOutputSettingsHost& host,
                         const TOverwriteChoice& overwrite);
    // Lets go of the two lists' OnChange, which call back into this object.
    ~TOutputSettingsLogic();
    TOutputSettingsLogic(const TOutputSettingsLogic&) = delete;
    TOutputSettingsLogic& operator=(const TOutputSettingsLogic&) = delete;

    // Hides the dialog; OK and Cancel end with it.
    std::function<void()> OnClose;
    // Whether a file exists on disk; std::filesystem when not set.
    std::function<bool(const std::string&)> FileExists;

    // The form's creation: the format list of the chosen category, format 0 and its options.
    void Create() { RefillFormats(); }

    // Clears the format list, fills it with the chosen category's formats and chooses
    // format 0, also when the category has none.
    void RefillFormats();
    // Empties and enables the six option combos, hands the key to the main window, and
    // fills the combos with the key's lists and defaults; audio-only presets disable the
    // four video combos.
    void RefillOptions();
    // Writes the key's encoding parameters and output file name into the current preset.
    void ApplyParameters();
    // Reads the six option combos into the current preset, all or nothing: false, with
    // nothing changed, when a shown entry cannot be read. A combo without a chosen entry
    // leaves its field alone.
    bool ReadOptions();
    // OK: parameters, then the option values over them, then close.
    void Ok();
    // Cancel: close, changing nothing.
    void Cancel();
    // Resets the current preset (all but the file being added) and the clip times.
    void Reset();

    // 100 × (category item + 1) + format item.
    int CurrentKey() const;

    TOptionComboModel& Option(TOptionKind kind) const { return *FOptions[OptionSlot(kind)]; }

    // The texts no list of the dialog offers but which the read-back still knows.
    static constexpr const char* AutoSampleRate = "自动音频采样率";
    static constexpr const char* AutoAudioBitrate = "自动音频比特率";

private:
    void Close();

    TPresetListComboModel& FCategories;
    TPresetListComboModel& FFormats;
    std::array<TOptionComboModel*, OptionKindCount> FOptions;
    TOutputSettingsHost& FHost;
    const TOverwriteChoice& FOverwrite;
};
