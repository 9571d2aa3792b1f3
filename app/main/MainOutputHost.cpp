#include "app/main/MainOutputHost.h"

#include "app/jobs/JobList.h"
#include "app/options/OptionsForm.h"
#include "app/presets/JobRowCodes.h"
#include "platform/ui/controls/Edit.h"
#include "skin/boxes/SkinEdit.h"

TCurrentPreset& TMainOutputHost::CurrentPreset() { return FParts.Preset; }
void TMainOutputHost::SetAllTrantNumber(int AKey) { FParts.AllTrantNumber = AKey; }
std::string TMainOutputHost::OutputFolder() const { return FParts.OutputFolder.Text(); }

bool TMainOutputHost::OutputNameTaken(const std::string& AFileName) const
{
    const TJobList& list = FParts.Jobs;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Row(i).SubItem(JobColumnOutputFile) == AFileName)
            return true;
    return false;
}

bool TMainOutputHost::OverwriteOutputFiles() const { return Form5 && Form5->OverwriteFiles(); }
