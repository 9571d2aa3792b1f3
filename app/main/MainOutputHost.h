#pragma once
#include <string>

#include "app/output/OutputSettingsHost.h"

class TForm1;

// What the output settings dialog reaches of the main window and of the
// options dialog's overwrite choice.
class TMainOutputHost : public TOutputSettingsHost, public TOverwriteChoice {
public:
    explicit TMainOutputHost(TForm1& AForm) : FForm(AForm) {}
    TCurrentPreset& CurrentPreset() override;
    void SetAllTrantNumber(int AKey) override;
    // Clip times live in each job's own records; the window keeps none.
    void ClearClipTimes() override {}
    std::string OutputFolder() const override;
    bool OutputNameTaken(const std::string& AFileName) const override;
    bool OverwriteOutputFiles() const override;

private:
    TForm1& FForm;
};
