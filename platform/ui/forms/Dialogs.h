#pragma once
#include <string>
#include "platform/core/Set.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/forms/Forms.h"

// Message box buttons, icons and answers (the icon values come with the window layer).
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// The buttons a message dialog offers, in the order it shows them.
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
                  mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// The plain modal message box: an icon, the text, the title and the buttons
// of flags. Enter runs the first button, Esc the cancelling one (the only
// button when there is one). Returns the ID of the button; any other way of
// closing gives IDCANCEL (IDOK for a box with only OK, IDNO for Yes/No).
int MessageBox(const std::string& text, const std::string& caption, UINT flags);
// The form MessageBox shows, for callers and tests that want to look at it.
TForm* CreateMessageBoxForm(const std::string& text, const std::string& caption, UINT flags);

enum TOpenOption { ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
                   ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
                   ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
                   ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing };
using TOpenOptions = TSet<TOpenOption>;

// The plain picture save dialog: a file name, the kinds of the filter
// ("Bitmaps (*.bmp)|*.bmp|JPEG Image File |*.jpg;*.jpeg"), a default
// extension and the overwrite prompt.
class TSavePictureDialog : public TComponent {
public:
    explicit TSavePictureDialog(TComponent* AOwner);

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& v) { FFileName = v; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& v) { FFilter = v; }
    int FilterIndex() const { return FFilterIndex; }        // 1-based
    void SetFilterIndex(int v) { FFilterIndex = v; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& v) { FDefaultExt = v; }
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& v) { FInitialDir = v; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v) { FTitle = v; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }

    // Runs the dialog; true when a name was accepted (FileName holds it).
    virtual bool Execute();

    // The filter's entries as (description, patterns) pairs.
    std::vector<std::pair<std::string, std::string>> FilterEntries() const;
    // A typed name made absolute and given an extension: the chosen kind's
    // first one when it names one, else DefaultExt.
    std::string ResolveName(const std::string& typed, int filterIndex) const;
    // Checks the path and asks before replacing a file; false keeps the dialog open.
    bool AcceptName(const std::string& path);

private:
    std::string FFileName;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FDefaultExt;
    std::string FInitialDir;
    std::string FTitle;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};
