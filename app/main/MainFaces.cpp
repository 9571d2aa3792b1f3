#include "app/main/MainFaces.h"

#include "app/jobs/SystemAfterDone.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/forms/Dialogs.h"

// ---- option combos ----

TComboOptionFace::TComboOptionFace(TComboBox& ACombo) : FCombo(ACombo)
{
    FCombo.OnChange = [this](TObject*) { Picked(); };
}

void TComboOptionFace::ClearItems()
{
    FSetting = true;
    FCombo.Items().Clear();
    FSetting = false;
}

void TComboOptionFace::AddItem(const std::string& AText) { FCombo.Items().Add(AText); }
int TComboOptionFace::ItemCount() const { return FCombo.Items().Count(); }

std::string TComboOptionFace::Item(int AIndex) const
{
    return AIndex >= 0 && AIndex < ItemCount() ? FCombo.Items()[AIndex] : std::string();
}

int TComboOptionFace::ItemIndex() const { return FCombo.ItemIndex(); }

void TComboOptionFace::SetItemIndex(int AIndex)
{
    FSetting = true;
    FCombo.SetItemIndex(AIndex);
    FSetting = false;
    if (AIndex < 0 || AIndex >= ItemCount())
        return;
    const std::string text = Item(AIndex);
    if (text == FText)
        return;
    FText = text;
    if (OnChange)
        OnChange();
}

void TComboOptionFace::Picked()
{
    if (FSetting)
        return;
    const int index = FCombo.ItemIndex();
    if (index < 0)
        return;
    const std::string text = Item(index);
    if (text == FText)
        return;
    FText = text;
    if (OnChange)
        OnChange();
}

bool TComboOptionFace::Enabled() const { return FCombo.Enabled(); }
void TComboOptionFace::SetEnabled(bool AEnabled) { FCombo.SetEnabled(AEnabled); }

// ---- category and format lists ----

TComboPresetListFace::TComboPresetListFace(TComboBox& ACombo) : FCombo(ACombo)
{
    FCombo.OnChange = [this](TObject*) {
        if (!FSetting && OnChange)
            OnChange();
    };
}

void TComboPresetListFace::ClearItems()
{
    FSetting = true;
    FItems.clear();
    FCombo.Items().Clear();
    FSetting = false;
}

void TComboPresetListFace::AddItem(const TPresetListItem& AItem)
{
    FItems.push_back(AItem);
    FCombo.Items().Add(AItem.Title);
}

TPresetListItem TComboPresetListFace::Item(int AIndex) const
{
    return AIndex >= 0 && AIndex < ItemCount() ? FItems[AIndex] : TPresetListItem();
}

int TComboPresetListFace::ItemIndex() const { return FCombo.ItemIndex(); }

void TComboPresetListFace::SetItemIndex(int AIndex)
{
    FSetting = true;
    FCombo.SetItemIndex(AIndex);
    FSetting = false;
    if (OnChange)
        OnChange();
}

bool TComboPresetListFace::Enabled() const { return FCombo.Enabled(); }
void TComboPresetListFace::SetEnabled(bool AEnabled) { FCombo.SetEnabled(AEnabled); }

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
    : Messages(std::make_unique<TPlainMessageBox>()),
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
void TMainWindowFaces::OpenFolder(const std::string& AFolder) { AfterDone->OpenFolder(AFolder); }
void TMainWindowFaces::PowerOff() { AfterDone->PowerOff(); }
void TMainWindowFaces::PlayPromptSound() { AfterDone->PlayPromptSound(); }

void TPlainMessageBox::ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind AKind)
{
    MessageBox(AText, ACaption, AKind == TMessageKind::Warning ? MB_ICONWARNING : MB_ICONINFORMATION);
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
