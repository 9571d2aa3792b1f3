#include "app/main/MainOutputHost.h"

#include "app/main/MainForm.h"
#include "app/options/OptionsForm.h"
#include "app/presets/JobRowCodes.h"
#include "platform/ui/controls/Edit.h"
#include "skin/boxes/SkinEdit.h"

TCurrentPreset& TMainOutputHost::CurrentPreset() { return FForm.Preset; }
void TMainOutputHost::SetAllTrantNumber(int AKey) { FForm.All_Trant_Number = AKey; }
std::string TMainOutputHost::OutputFolder() const { return FForm.Video_OutPut_Folder_Edit->Text(); }

bool TMainOutputHost::OutputNameTaken(const std::string& AFileName) const
{
    const TJobList& list = FForm.Jobs().List();
    for (int i = 0; i < list.Count(); ++i)
        if (list.Row(i).SubItem(JobColumnOutputFile) == AFileName)
            return true;
    return false;
}

bool TMainOutputHost::OverwriteOutputFiles() const { return Form5 && Form5->OverwriteFiles(); }
