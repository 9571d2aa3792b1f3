#pragma once
#include <string>

#include "app/output/OutputSettingsHost.h"

class TJobList;
class TbsSkinEdit;

// The parts of the main window the output settings dialog reaches, and no more.
struct TMainOutputParts {
    TCurrentPreset& Preset;
    int& AllTrantNumber;   // the key of the preset last chosen
    const TbsSkinEdit& OutputFolder;
    const TJobList& Jobs;
};

// What the output settings dialog reaches of the main window and of the
// options dialog's overwrite choice.
class TMainOutputHost : public TOutputSettingsHost, public TOverwriteChoice {
public:
    explicit TMainOutputHost(const TMainOutputParts& AParts) : FParts(AParts) {}
    TCurrentPreset& CurrentPreset() override;
    void SetAllTrantNumber(int AKey) override;
    // Clip times live in each job's own records; the window keeps none.
    void ClearClipTimes() override {}
    std::string OutputFolder() const override;
    bool OutputNameTaken(const std::string& AFileName) const override;
    bool OverwriteOutputFiles() const override;

private:
    TMainOutputParts FParts;
};
