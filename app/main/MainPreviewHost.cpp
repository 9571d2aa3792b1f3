#include "app/main/MainPreviewHost.h"

#include "app/main/MainFaces.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramLinks.h"
#include "app/settings/SettingsFile.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/forms/Dialogs.h"
#include "skin/controls/SkinListView.h"

bool TMainPreviewHost::HasSelectedRow() { return FForm.Jobs().List().SelectedRow() != nullptr; }

void TMainPreviewHost::FocusJobList()
{
    if (FForm.lvFiles->CanFocus())
        FForm.lvFiles->SetFocus();
}

void TMainPreviewHost::AddLog(const std::string& AText) { FForm.mmoLog->Lines().Add(AText); }
std::string TMainPreviewHost::ApplicationTitle() { return ::ApplicationTitle; }

void TMainPreviewHost::ShowWarning(const std::string& AText, const std::string& ACaption)
{
    FForm.Faces().ShowMessage(AText, ACaption, TMessageKind::Warning);
}

std::string TMainPreviewHost::SettingsFileName() { return ProgramSettings().Path(); }

bool TMainPreviewHost::SelectFolder(const std::string&, std::string& AFolder)
{
    return FForm.Faces().SelectFolder(AFolder);
}

void TMainPreviewHost::OpenFolder(const std::string& AFolder) { OpenQuietly(AFolder); }

bool TMainPreviewHost::SavePictureFileName(std::string& AFileName)
{
    FForm.SavePictureDialog1->SetFileName(AFileName);
    if (!FForm.SavePictureDialog1->Execute())
        return false;
    AFileName = FForm.SavePictureDialog1->FileName();
    return true;
}

void TMainPreviewHost::SetStayOnTop(bool AStayOnTop) { FForm.SetFormStyle(AStayOnTop ? fsStayOnTop : fsNormal); }
TControl* TMainPreviewHost::FindControlByName(const std::string& AName) { return FForm.FindControlByName(AName); }
