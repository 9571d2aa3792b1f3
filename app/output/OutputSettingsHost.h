#pragma once
#include <string>

#include "app/presets/CurrentPreset.h"

// What the output settings dialog reaches of the main window: its current preset, the
// preset key it keeps, the clip times of the file being added, the output folder and the
// names its jobs already write. The main window implements it; tests record the calls.
class TOutputSettingsHost {
public:
    virtual ~TOutputSettingsHost() = default;
    virtual TCurrentPreset& CurrentPreset() = 0;
    // The main window's All_Trant_Number: the key of the preset last chosen.
    virtual void SetAllTrantNumber(int key) = 0;
    // Video_TimeStart and Video_TimeLength back to -1: the whole source converts.
    virtual void ClearClipTimes() = 0;
    // The text of the output-folder edit.
    virtual std::string OutputFolder() const = 0;
    // Whether a job of the list already writes that output file.
    virtual bool OutputNameTaken(const std::string& fileName) const = 0;
};

// What the dialog reads of the options dialog: the choice "直接覆盖输出文件" (overwrite
// existing output files) against "自动重命名输出文件" (rename automatically).
class TOverwriteChoice {
public:
    virtual ~TOverwriteChoice() = default;
    virtual bool OverwriteOutputFiles() const = 0;
};
