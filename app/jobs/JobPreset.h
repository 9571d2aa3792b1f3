#pragma once
#include <array>
#include <string>

#include "app/presets/CurrentPreset.h"
#include "app/presets/OutputName.h"

class TPresetCascade;

// What a new job takes from the preset lists: the current preset with its
// output name, and the texts of the row's columns 9 to 24.
struct TJobPreset {
    TCurrentPreset Preset;
    std::string SelectionCode;              // column 9
    std::string OptionCode;                 // column 10
    std::array<std::string, 14> Columns;    // columns 11 to 24
};

// Where the add path gets a file's preset.
class TJobPresetSource {
public:
    virtual ~TJobPresetSource() = default;
    // The preset of the lists as they are now, for the file, named by the
    // rule. False with the reason when the lists select no preset; raises
    // EOutputNameError when no output name can be made.
    virtual bool PresetForFile(const std::string& AFileName, const TOutputNameRule& ARule, TJobPreset& APreset,
                               std::string& AReason) = 0;
};

// The preset of the main window's lists through the preset cascade: the
// chosen preset's parameters, then the six option combos as they show. The
// selected row is never touched, so an add keeps the choices made for it.
class TCascadePresetSource : public TJobPresetSource {
public:
    TCascadePresetSource(TPresetCascade& ACascade, TCurrentPreset& APreset) : FCascade(ACascade), FPreset(APreset) {}
    bool PresetForFile(const std::string& AFileName, const TOutputNameRule& ARule, TJobPreset& APreset,
                       std::string& AReason) override;

private:
    TPresetCascade& FCascade;
    TCurrentPreset& FPreset;
};
