#include "skin/dialogs/OpenDialogForm.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Dialogs.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/FilterComboBox.h"
#include "skin/dialogs/PathRoutines.h"
#include "skin/dialogs/ShellDialogParts.h"
#include "skin/dialogs/SkinMessage.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/SkinMenu.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"

using namespace ShellDialogParts;

std::string NameExtension(const std::string& Name)
{
    const size_t slash = Name.rfind('/');
    const size_t dot = Name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return Name.substr(dot);
}

// ------------------------------------------------------------ building

TbsOpenDlgForm::TbsOpenDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData,
                               bool AToolButtonsTransparent)
    : TForm(AOwner, TFormCreation::New), SaveMode(ASaveMode), CtrlSD(ACtrlSkinData)
{
    SetBorderStyle(bsSizeable);
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    BSF = new TbsFormFrame(this);
    BSF->SetBorderIcons(TbsBorderIcons{});

    CreateToolBar(AToolButtonsTransparent);
    CreatePanels();
    CreateFileList();
    CreateBottomControls();
    ArrangeBottomRow();
}

void TbsOpenDlgForm::CreateToolBar(bool AToolButtonsTransparent)
{
    // Spacer, label, look-in box, then the buttons from the right.
    ToolPanel = new TbsSkinToolBar(this);
    ToolPanel->SetParent(this);
    ToolPanel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    ToolPanel->SetAlign(alTop);
    ToolPanel->SetDefaultHeight(25);
    ToolPanel->SetSkinDataName("toolpanel");

    auto* leftSpacer = new TbsSkinBevel(this);
    leftSpacer->SetParent(ToolPanel);
    leftSpacer->SetShape(bsSpacer);
    leftSpacer->SetWidth(10);
    leftSpacer->SetAlign(alLeft);

    Drivelabel = new TbsSkinStdLabel(this);
    Drivelabel->SetParent(ToolPanel);
    Drivelabel->SetLeft(10);
    Drivelabel->SetAutoSize(true);
    Drivelabel->SetAlign(alLeft);
    Drivelabel->SetLayout(tlCenter);
    Drivelabel->SetCaption(DialogText(CtrlSD, "FLV_LOOKIN"));

    BackToolButton = NewToolButton("BS_BACK", "MSG_BTN_BACK_HINT", AToolButtonsTransparent);
    BackToolButton->OnClick = [this](TObject* s) { BackToolButtonClick(s); };
    UpToolButton = NewToolButton("BS_UP", "MSG_BTN_UP_HINT", AToolButtonsTransparent);
    UpToolButton->OnClick = [this](TObject* s) { UpToolButtonClick(s); };
    NewFolderToolButton = NewToolButton("BS_NEWFOLDER", "MSG_BTN_NEWFOLDER_HINT", AToolButtonsTransparent);
    NewFolderToolButton->OnClick = [this](TObject* s) { NewFolderToolButtonClick(s); };

    auto* rightSpacer = new TbsSkinBevel(this);
    rightSpacer->SetParent(ToolPanel);
    rightSpacer->SetShape(bsSpacer);
    rightSpacer->SetLeft(Width() + 200);
    rightSpacer->SetWidth(10);
    rightSpacer->SetAlign(alRight);

    CreateViewStyleMenu();

    StyleToolButton = new TbsSkinMenuSpeedButton(this);
    StyleToolButton->SetParent(ToolPanel);
    StyleToolButton->SetLeft(Width() + 300);
    StyleToolButton->SetAlign(alRight);
    StyleToolButton->SetDefaultWidth(37);
    StyleToolButton->SetDefaultHeight(25);
    StyleToolButton->SetSkinDataName("toolmenubutton");
    StyleToolButton->SetNumGlyphs(1);
    StyleToolButton->SetGlyph(Glyph("BS_LVSTYLE"));
    StyleToolButton->SetSkinPopupMenu(StylePopupMenu);
    StyleToolButton->SetHint(DialogText(CtrlSD, "MSG_BTN_VIEWMENU_HINT"));
    StyleToolButton->SetShowHint(true);
    StyleToolButton->SetFlat(AToolButtonsTransparent);

    ShellBox = new TbsSkinShellComboBox(this);
    ShellBox->SetParent(ToolPanel);
    ShellBox->SetAlign(alClient);
    ShellBox->SetDropDownCount(10);
}

// The view menu behind the style button: one radio item per view style.
void TbsOpenDlgForm::CreateViewStyleMenu()
{
    StylePopupMenu = new TbsSkinPopupMenu(this);
    struct TViewItem {
        TMenuItem** Item;
        const char* Key;
        TViewStyle Style;
    };
    for (const TViewItem& v : {TViewItem{&IconMenuItem, "MSG_LV_ICON", vsIcon},
                               TViewItem{&SmallIconMenuItem, "MSG_LV_SMALLICON", vsSmallIcon},
                               TViewItem{&ListMenuItem, "MSG_LV_LIST", vsList},
                               TViewItem{&ReportMenuItem, "MSG_LV_DETAILS", vsReport}}) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(DialogText(CtrlSD, v.Key));
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        const TViewStyle style = v.Style;
        item->OnClick = [this, style](TObject*) { ApplyViewStyle(style); };
        StylePopupMenu->Items()->Add(item);
        *v.Item = item;
    }
}

void TbsOpenDlgForm::CreatePanels()
{
    BottomPanel = new TbsSkinPanel(this);
    BottomPanel->SetParent(this);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    BottomPanel->SetHeight(80);

    FileListViewPanel = new TbsSkinPanel(this);
    FileListViewPanel->SetParent(this);
    FileListViewPanel->SetAlign(alClient);
    FileListViewPanel->SetBorderStyle(TbsSkinBorderStyle::bvFrame);
}

// The file list with its two skinned scroll bars inside the list panel.
void TbsOpenDlgForm::CreateFileList()
{
    FLVHScrollBar = new TbsSkinScrollBar(this);
    FLVHScrollBar->SetParent(FileListViewPanel);
    FLVHScrollBar->SetBothMarkerWidth(19);
    FLVHScrollBar->SetAlign(alBottom);
    FLVHScrollBar->SetDefaultHeight(19);
    FLVHScrollBar->SetEnabled(false);
    FLVHScrollBar->SetSkinDataName("hscrollbar");

    FLVVScrollBar = new TbsSkinScrollBar(this);
    FLVVScrollBar->SetParent(FileListViewPanel);
    FLVVScrollBar->SetKind(sbVertical);
    FLVVScrollBar->SetAlign(alRight);
    FLVVScrollBar->SetDefaultWidth(19);
    FLVVScrollBar->SetEnabled(false);
    FLVVScrollBar->SetSkinDataName("vscrollbar");

    FileListView = new TbsSkinFileListView(this);
    FileListView->SetParent(FileListViewPanel);
    FileListView->SetViewStyle(vsList);
    FileListView->SetShowColumnHeaders(true);
    FileListView->SetAlign(alClient);
    FileListView->SetHScrollBar(FLVHScrollBar);
    FileListView->SetVScrollBar(FLVVScrollBar);
    FileListView->SetHideSelection(false);
    FileListView->SetShellComboBox(ShellBox);
    FileListView->OnChange = [this](TObject* s, TListItem* i, TItemChange c) { FLVChange(s, i, c); };
    FileListView->OnPathChanged = [this](TObject* s) { FLVPathChange(s); };
    FileListView->OnDblClick = [this](TObject* s) { FLVDBLClick(s); };
    FileListView->OnKeyPress = [this](TObject* s, char32_t& k) { FLVKeyPress(s, k); };
}

// Name edit, file-type box, Open (Save) and Cancel, and their labels.
void TbsOpenDlgForm::CreateBottomControls()
{
    FileNameEdit = new TbsSkinEdit(this);
    FileNameEdit->SetParent(BottomPanel);
    FileNameEdit->SetDefaultHeight(21);
    FileNameEdit->OnKeyPress = [this](TObject* s, char32_t& k) { EditKeyPress(s, k); };

    FilterComboBox = new TbsSkinFilterComboBox(this);
    FilterComboBox->SetParent(BottomPanel);
    FilterComboBox->SetDefaultHeight(21);
    FilterComboBox->OnChange = [this](TObject* s) { FCBChange(s); };

    OpenButton = new TbsSkinButton(this);
    OpenButton->SetParent(BottomPanel);
    OpenButton->SetCanFocused(true);
    OpenButton->SetCaption(DialogText(CtrlSD, SaveMode ? "MSG_BTN_SAVE" : "MSG_BTN_OPEN"));
    OpenButton->OnClick = [this](TObject* s) { OpenButtonClick(s); };

    CancelButton = new TbsSkinButton(this);
    CancelButton->SetParent(BottomPanel);
    CancelButton->SetCanFocused(true);
    CancelButton->SetCaption(DialogText(CtrlSD, "MSG_BTN_CANCEL"));
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);

    OpenFileLabel = new TbsSkinStdLabel(this);
    OpenFileLabel->SetParent(BottomPanel);
    OpenFileLabel->SetBounds(10, 10, 60, 16);
    OpenFileLabel->SetAutoSize(true);
    OpenFileLabel->SetCaption(DialogText(CtrlSD, "MSG_FILENAME"));

    FileTypeLabel = new TbsSkinStdLabel(this);
    FileTypeLabel->SetParent(BottomPanel);
    FileTypeLabel->SetBounds(10, 45, 60, 16);
    FileTypeLabel->SetAutoSize(true);
    FileTypeLabel->SetCaption(DialogText(CtrlSD, "MSG_FILETYPE"));
}

void TbsOpenDlgForm::ArrangeBottomRow()
{
    const int w = ClientWidth();
    PlaceBottomRow(70, w - 160, w - 80, true);
    FileNameEdit->SetTabOrder(0);
    FilterComboBox->SetTabOrder(1);
    OpenButton->SetTabOrder(2);
    CancelButton->SetTabOrder(3);
    SetActiveControl(FileNameEdit);
}

TbsOpenDlgForm::~TbsOpenDlgForm() = default;

TbsSkinSpeedButton* TbsOpenDlgForm::NewToolButton(const char* GlyphName, const char* HintKey, bool Transparent)
{
    auto* b = new TbsSkinSpeedButton(this);
    b->SetParent(ToolPanel);
    // Each lands right of those made before it.
    b->SetLeft(Width() + 100);
    b->SetAlign(alRight);
    b->SetDefaultWidth(27);
    b->SetDefaultHeight(25);
    b->SetSkinDataName("toolbutton");
    b->SetNumGlyphs(1);
    b->SetGlyph(Glyph(GlyphName));
    b->SetHint(DialogText(CtrlSD, HintKey));
    b->SetShowHint(true);
    b->SetFlat(Transparent);
    return b;
}

void TbsOpenDlgForm::PlaceBottomRow(int Left, int EditWidth, int ButtonLeft, bool Anchored)
{
    FileNameEdit->SetBounds(Left, 10, EditWidth, 21);
    FilterComboBox->SetBounds(Left, 45, EditWidth, 21);
    OpenButton->SetBounds(ButtonLeft, 10, 70, 25);
    CancelButton->SetBounds(ButtonLeft, 45, 70, 25);
    const TAnchors stretch = Anchored ? TAnchors{akLeft, akTop, akRight} : AnchorsTopLeft;
    const TAnchors right = Anchored ? TAnchors{akTop, akRight} : AnchorsTopLeft;
    FileNameEdit->SetAnchors(stretch);
    FilterComboBox->SetAnchors(stretch);
    OpenButton->SetAnchors(right);
    CancelButton->SetAnchors(right);
}

void TbsOpenDlgForm::ApplyViewStyle(TViewStyle Style)
{
    TMenuItem* item = Style == vsIcon ? IconMenuItem : Style == vsSmallIcon ? SmallIconMenuItem
                      : Style == vsList ? ListMenuItem : ReportMenuItem;
    item->SetChecked(true);
    FileListView->SetViewStyle(Style);
}

// ------------------------------------------------------------ names

std::string TbsOpenDlgForm::ListFolder()
{
    TbsShellFolder* folder = FileListView->RootFolder();
    return folder ? folder->FullObjectName() : std::string();
}

std::string TbsOpenDlgForm::TypedPath(const std::string& Text)
{
    return NormalizeShellPath(!Text.empty() && Text[0] == '/' ? Text : JoinPath(ListFolder(), Text));
}

std::string TbsOpenDlgForm::FilterExtension()
{
    const std::string mask = FilterComboBox->Mask();
    if (mask.find(".*") != std::string::npos)
        return {};
    return NameExtension(Trim(mask.substr(0, mask.find(';'))));
}

std::string TbsOpenDlgForm::CompletionExtension()
{
    return DefaultExt.empty() ? FilterExtension() : "." + DefaultExt;
}

std::string TbsOpenDlgForm::CompleteName(const std::string& Path)
{
    const std::string ext = CompletionExtension();
    if (!NameExtension(Path).empty() || ext.empty())
        return Path;
    const std::string wanted = Path + ext;
    if (IsRegularFile(wanted))
        return wanted;
    // "clip" under "*.AVI" finds clip.avi.
    const std::string folder = ExtractFileDir(wanted);
    const std::string name = ExtractFileName(wanted);
    std::string found;
    try {
        ScanFolder(folder, false, [&](const TFolderEntry& e) {
            if (e.Kind == fekFile && SameText(e.Name, name))
                found = e.Name;
            return found.empty();
        });
    } catch (const EInOutError&) {
    }
    return found.empty() ? wanted : JoinPath(folder, found);
}

void TbsOpenDlgForm::Accept(const std::string& Name)
{
    FileName = Name;
    SetModalResult(mrOk);
}

bool TbsOpenDlgForm::AskOverwrite()
{
    TbsSkinMessage message(this);
    message.SetSkinData(BSF->SkinData());
    message.SetCtrlSkinData(CtrlSD);
    return message.MessageDlg(DialogText(CtrlSD, "MSG_OVERWRITE"), mtWarning, TMsgDlgButtons{mbOK, mbCancel}, 0) ==
           mrOk;
}

// ------------------------------------------------------------ accepting

void TbsOpenDlgForm::OpenButtonClick(TObject*)
{
    const std::string typed = FileNameEdit->Text();
    const std::string selected = FileListView->GetSelectedFile();
    if (typed.empty())
        return;
    // A selected file wins over the typed name.
    if (!SaveMode && !selected.empty()) {
        if (!CheckFileExists || IsRegularFile(selected))
            Accept(selected);
        return;
    }
    // A typed name needs a folder with a path; a mask is no name.
    if (ListFolder().empty() || typed.find('*') != std::string::npos)
        return;
    const std::string full = TypedPath(typed);
    const std::string completed = CompleteName(full);
    if (SaveMode) {
        if (OverwritePromt && IsRegularFile(completed) && !AskOverwrite())
            return;
        Accept(full);
        return;
    }
    if (CheckFileExists && !IsRegularFile(completed)) {
        FileName.clear();
        return;
    }
    Accept(completed);
}

void TbsOpenDlgForm::FLVDBLClick(TObject*)
{
    // A double-clicked folder was opened by the list already.
    const std::string selected = FileListView->GetSelectedFile();
    if (selected.empty())
        return;
    if (SaveMode && OverwritePromt && !AskOverwrite())
        return;
    Accept(selected);
}

void TbsOpenDlgForm::FLVKeyPress(TObject*, char32_t& Key)
{
    if (Key == char32_t(VK_RETURN) && !FileListView->GetSelectedFile().empty())
        OpenButtonClick(this);
}

void TbsOpenDlgForm::EditKeyPress(TObject*, char32_t& Key)
{
    if (Key != char32_t(VK_RETURN))
        return;
    const std::string text = FileNameEdit->Text();
    if (text.find('*') != std::string::npos) {
        FileListView->SetMask(text);   // the file-type box keeps its choice
    } else if (text.find('/') != std::string::npos && (!ListFolder().empty() || text[0] == '/') &&
               IsExistingDir(TypedPath(text))) {
        FileListView->SetPath(TypedPath(text));   // a typed folder is opened
    } else {
        OpenButtonClick(this);   // a typed file is taken as Open takes it
    }
}

void TbsOpenDlgForm::FLVChange(TObject*, TListItem*, TItemChange)
{
    const std::string selected = FileListView->GetSelectedFile();
    if (!selected.empty())
        FileNameEdit->SetText(ExtractFileName(selected));
    if (OnFolderChange)
        OnFolderChange(this);
}

void TbsOpenDlgForm::FCBChange(TObject*)
{
    FileListView->SetMask(FilterComboBox->Mask());
    if (!SaveMode)
        return;
    const std::string ext = FilterExtension();
    std::string name = FileNameEdit->Text();
    if (ext.empty() || name.empty())
        return;
    // Only the extension at the end changes ("my.jpgfile.jpg" keeps its middle).
    const std::string old = NameExtension(name);
    name = name.substr(0, name.size() - old.size()) + ext;
    FileNameEdit->SetText(name);
}

// ------------------------------------------------------------ history, up, new folder

void TbsOpenDlgForm::InitHistory()
{
    TbsShellFolder* folder = FileListView->RootFolder();
    if (!folder)
        return;
    if (FolderHistory.empty() || !IDListsEqual(FolderHistory.back(), folder->AbsoluteID()))
        FolderHistory.push_back(folder->AbsoluteID());
}

void TbsOpenDlgForm::FLVPathChange(TObject*)
{
    if (!StopAddToHistory)
        InitHistory();
    if (FileListView->Items().Count() > 0)
        FileListView->SetItemFocused(FileListView->Items()[0]);
    if (OnFolderChange)
        OnFolderChange(this);
}

void TbsOpenDlgForm::BackToolButtonClick(TObject*)
{
    if (FolderHistory.size() < 2)
        return;
    StopAddToHistory = true;
    try {
        FileListView->FollowFolder(FolderHistory[FolderHistory.size() - 2]);
    } catch (...) {
        StopAddToHistory = false;
        throw;
    }
    FolderHistory.pop_back();
    StopAddToHistory = false;
}

void TbsOpenDlgForm::UpToolButtonClick(TObject*)
{
    FileListView->Back();
}

void TbsOpenDlgForm::NewFolderToolButtonClick(TObject*)
{
    const std::string path = ListFolder();
    if (path.empty())
        return;
    ++NewFolderCount;
    std::string name = DialogText(CtrlSD, "MSG_NEWFOLDER");
    if (NewFolderCount > 1)
        name += "(" + std::to_string(NewFolderCount) + ")";
    const std::string folder = JoinPath(path, name);
    struct stat st{};
    if (::lstat(folder.c_str(), &st) == 0)
        return;   // the number is used up all the same
    if (::mkdir(folder.c_str(), 0777) != 0)
        throw EInOutError(Format("Cannot create the folder \"%s\". %s", folder, SysErrorMessage(errno)));
    FileListView->ReloadFolder();
    Application->ProcessMessages();
    for (int i = 0; i < FileListView->EntryCount(); ++i)
        if (FileListView->EntryFolder(i)->DisplayName() == name) {
            FileListView->SetItemIndex(i);
            FileListView->StartLabelEdit();
            break;
        }
}
