#pragma once
#include <memory>
#include <string>

#include "platform/core/Strings.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/ListView.h"
#include "skin/dialogs/SkinDialogComponent.h"

class TbsOpenDlgForm;
class TbsSkinData;

// What the skinned open/save and picture dialogs share: their settings, the
// run of one call and what it hands back. Each call builds a fresh form; the
// component keeps FileName and Files (changed only by an accepted call) and
// FilterIndex, the client size and the view style (written back after every call).
class TbsSkinFileDialog : public TbsSkinDialogComponent {
public:
    // True when the user accepted a name.
    bool Execute();
    // While a call runs: the full name of the file selected in the list, else empty.
    std::string GetSelectedFile() const;

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    bool ShowHiddenFiles = false;
    bool ToolButtonsTransparent = false;
    bool OverwritePromt = false;
    int DialogWidth = 0, DialogHeight = 0;
    int DialogMinWidth = 0, DialogMinHeight = 0;
    bool CheckFileExists = true;
    bool MultiSelection = false;
    std::string LVHeaderSkinDataName = "resizebutton";
    std::string InitialDir;
    std::string Filter;
    int FilterIndex = 1;
    bool AlphaBlend = false;
    int AlphaBlendValue = 225;
    bool AlphaBlendAnimation = false;
    bool CtrlAlphaBlend = false;
    int CtrlAlphaBlendValue = 225;
    bool CtrlAlphaBlendAnimation = false;
    TViewStyle ListViewStyle = vsList;

    const std::string& FileName() const { return FFileName; }
    // While a call runs, the name edit takes the whole value too.
    void SetFileName(const std::string& Value);
    // Full names of the files of the last accepted call; a typed name alone
    // is its only line.
    const TStringList& Files() const { return FFiles; }
    // The form while Execute runs, else nullptr.
    TbsOpenDlgForm* DialogForm() const { return FDlgFrm; }
    bool SaveMode() const { return FSaveMode; }

protected:
    TbsSkinFileDialog(TComponent* AOwner, const std::string& ATitle, const std::string& AFilter);

    // The form of one call and the steps a variant adds.
    virtual TbsOpenDlgForm* CreateForm();
    virtual void CopyIntoForm(TbsOpenDlgForm& Form);
    virtual void AfterFilter(TbsOpenDlgForm& /*Form*/) {}
    virtual void AfterSize(TbsOpenDlgForm& /*Form*/) {}
    virtual void BeforeShow(TbsOpenDlgForm& /*Form*/) {}
    virtual void AfterClose(TbsOpenDlgForm& /*Form*/) {}
    virtual int DefaultWidth() const { return 450; }
    virtual int DefaultHeight() const { return 290; }
    // The extension a returned name without one gets in save mode.
    virtual std::string ReturnedExtension(TbsOpenDlgForm& Form);
    // The start folder: FileName's folder or its nearest existing parent, else
    // an existing InitialDir, else the home folder.
    std::string StartFolder() const;

    bool FSaveMode = false;

private:
    std::string FFileName;
    TStringList FFiles;
    TbsOpenDlgForm* FDlgFrm = nullptr;
};

// The skinned stand-in of the file-open dialog.
class TbsSkinOpenDialog : public TbsSkinFileDialog {
public:
    explicit TbsSkinOpenDialog(TComponent* AOwner);

    // Extension without its dot for bare names; empty: the filter's first extension.
    std::string DefaultExt;
    // Fired with the form as Sender after every folder change and item change of the list.
    TNotifyEvent OnFolderChange;

protected:
    void CopyIntoForm(TbsOpenDlgForm& Form) override;
};
