#include "app/jobs/JobPreset.h"

#include "app/presets/JobRowCodes.h"
#include "app/presets/PresetCascade.h"
#include "app/presets/PresetParameters.h"
#include "platform/core/Path.h"

bool TCascadePresetSource::PresetForFile(const std::string& AFileName, const TOutputNameRule& ARule,
                                         TJobPreset& APreset, std::string& AReason) {
    FPreset.Video_AddFileName = AFileName;
    const int key = FCascade.CurrentKey();
    if (!ApplyPresetForFile(key, ARule, FPreset)) {
        AReason = "no output format is chosen (preset " + std::to_string(key) + ")";
        return false;
    }
    if (!FCascade.ReadOptions()) {
        AReason = "the option lists show no readable entry";
        return false;
    }
    // The codes the row keeps, as the lists show them; the row itself is a scratch one.
    TMemoryJobRow row;
    row.SetSubItem(JobColumnOutputFile, ExtractFileName(FPreset.Video_OutPutFileName));
    FCascade.WriteRow(row);
    APreset.Preset = FPreset;
    APreset.SelectionCode = row.SubItem(JobColumnSelectionCode);
    APreset.OptionCode = row.SubItem(JobColumnOptionCode);
    APreset.Columns = PresetRowColumns(FPreset);
    return true;
}
