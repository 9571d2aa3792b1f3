#include "app/main/MainPreviewHost.h"

#include "app/jobs/JobControl.h"
#include "app/jobs/JobList.h"
#include "app/main/MainFaces.h"
#include "app/main/ProgramLinks.h"
#include "app/settings/SettingsFile.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/forms/Dialogs.h"
#include "skin/controls/SkinListView.h"

bool TMainPreviewHost::HasSelectedRow() { return FParts.Jobs.SelectedRow() != nullptr; }

void TMainPreviewHost::FocusJobList()
{
    if (FParts.JobList.CanFocus())
        FParts.JobList.SetFocus();
}

void TMainPreviewHost::AddLog(const std::string& AText) { FParts.Log.Lines().Add(AText); }
std::string TMainPreviewHost::ApplicationTitle() { return ::ApplicationTitle; }

void TMainPreviewHost::ShowWarning(const std::string& AText, const std::string& ACaption)
{
    FParts.Faces.ShowMessage(AText, ACaption, TMessageKind::Warning);
}

std::string TMainPreviewHost::SettingsFileName() { return ProgramSettings().Path(); }

bool TMainPreviewHost::SelectFolder(const std::string&, std::string& AFolder)
{
    return FParts.Faces.SelectFolder(AFolder);
}

void TMainPreviewHost::OpenFolder(const std::string& AFolder) { OpenQuietly(AFolder); }

bool TMainPreviewHost::SavePictureFileName(std::string& AFileName)
{
    FParts.SavePicture.SetFileName(AFileName);
    if (!FParts.SavePicture.Execute())
        return false;
    AFileName = FParts.SavePicture.FileName();
    return true;
}

void TMainPreviewHost::SetStayOnTop(bool AStayOnTop) { FParts.Form.SetFormStyle(AStayOnTop ? fsStayOnTop : fsNormal); }

// The first direct windowed child of the form with that component name.
TControl* TMainPreviewHost::FindControlByName(const std::string& AName)
{
    for (int i = 0; i < FParts.Form.ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(FParts.Form.Controls(i)); w && w->Name() == AName)
            return w;
    return nullptr;
}
