#include "app/main/MainFaces.h"

#include "app/jobs/SystemAfterDone.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/OpenDialog.h"
#include "skin/dialogs/SelectDirectoryDialog.h"
#include "skin/dialogs/SkinMessage.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/forms/Dialogs.h"

// ---- job list ----

void TListViewJobFace::Fill(int ARow)
{
    TListItem* item = FView.Items()[ARow];
    const TJobRow& row = FList->Row(ARow);
    item->SetCaption(row.Caption());
    TStrings& sub = item->SubItems();
    while (sub.Count() < JobColumnCount - 1)
        sub.Add("");
    for (int c = 1; c < JobColumnCount; ++c)
        if (sub[c - 1] != row.SubItem(c))
            sub.SetStrings(c - 1, row.SubItem(c));
}

void TListViewJobFace::RowsChanged()
{
    if (!FList)
        return;
    FSelecting = true;
    FView.Items().BeginUpdate();
    while (FView.Items().Count() > FList->Count())
        FView.Items().Delete(FView.Items().Count() - 1);
    while (FView.Items().Count() < FList->Count())
        FView.Items().Add();
    for (int i = 0; i < FList->Count(); ++i)
        Fill(i);
    FView.Items().EndUpdate();
    FView.SetItemIndex(FList->Selected());
    FSelecting = false;
    FPlaceholder.SetVisible(FList->Count() == 0);
}

void TListViewJobFace::RowChanged(int ARow)
{
    if (FList && ARow >= 0 && ARow < FList->Count() && ARow < FView.Items().Count())
        Fill(ARow);
}

void TListViewJobFace::SelectionChanged(int ARow)
{
    FSelecting = true;
    FView.SetItemIndex(ARow);
    FSelecting = false;
}

void TListViewJobFace::FocusList()
{
    if (FView.CanFocus())
        FView.SetFocus();
}

// ---- message box, dialogs, after-done ----

TMainWindowFaces::TMainWindowFaces()
    : Messages(std::make_unique<TSkinnedMessageBox>(nullptr)),
      Dialogs(std::make_unique<TQueuedDialogs>()),
      AfterDone(std::make_unique<TSystemAfterDone>())
{
}

TMainWindowFaces::~TMainWindowFaces() = default;

void TMainWindowFaces::ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind AKind)
{
    Messages->ShowMessage(AText, ACaption, AKind);
}

bool TMainWindowFaces::OpenFile(std::string& AFileName) { return Dialogs->OpenFile(AFileName); }
bool TMainWindowFaces::OpenFiles(std::vector<std::string>& AFileNames) { return Dialogs->OpenFiles(AFileNames); }
bool TMainWindowFaces::SelectFolder(std::string& AFolder) { return Dialogs->SelectFolder(AFolder); }
bool TMainWindowFaces::SelectOutputFolder(std::string& AFolder) { return Dialogs->SelectOutputFolder(AFolder); }
void TMainWindowFaces::OpenFolder(const std::string& AFolder) { AfterDone->OpenFolder(AFolder); }
void TMainWindowFaces::PowerOff() { AfterDone->PowerOff(); }
void TMainWindowFaces::PlayPromptSound() { AfterDone->PlayPromptSound(); }

void TSkinnedMessageBox::ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind AKind)
{
    TbsSkinMessage plain(nullptr);
    TbsSkinMessage& box = FBox ? *FBox : plain;
    box.MessageDlg2(AText, ACaption, AKind == TMessageKind::Warning ? mtWarning : mtInformation, {mbOK}, 0);
}

bool TSkinnedDialogs::OpenFile(std::string& AFileName)
{
    if (!FOne.Execute())
        return false;
    AFileName = FOne.FileName();
    return true;
}

bool TSkinnedDialogs::OpenFiles(std::vector<std::string>& AFileNames)
{
    if (!FMany.Execute())
        return false;
    AFileNames.clear();
    for (int i = 0; i < FMany.Files().Count(); ++i)
        AFileNames.push_back(FMany.Files()[i]);
    if (AFileNames.empty() && !FMany.FileName().empty())
        AFileNames.push_back(FMany.FileName());
    return true;
}

bool TSkinnedDialogs::SelectFolder(std::string& AFolder)
{
    if (!FFolder.Execute())
        return false;
    AFolder = FFolder.Directory;
    return true;
}

bool TSkinnedDialogs::SelectOutputFolder(std::string& AFolder)
{
    if (!FOutputFolder.Execute())
        return false;
    AFolder = FOutputFolder.Directory;
    return true;
}

bool TQueuedDialogs::Next(std::vector<std::string>& AOut)
{
    if (Answers.empty())
        return false;
    AOut = Answers.front();
    Answers.erase(Answers.begin());
    return true;
}

bool TQueuedDialogs::OpenFile(std::string& AFileName)
{
    std::vector<std::string> answer;
    if (!Next(answer) || answer.empty())
        return false;
    AFileName = answer[0];
    return true;
}

bool TQueuedDialogs::OpenFiles(std::vector<std::string>& AFileNames) { return Next(AFileNames); }
bool TQueuedDialogs::SelectFolder(std::string& AFolder) { return OpenFile(AFolder); }
