#pragma once
#include <string>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/dialogs/FileBoxes.h"

// The drives as a POSIX system has them: the root and the mounts a user
// browses (as the shell's Computer folder lists them), each with a glyph by
// its kind and its name: a removable mount by its mount point, a fixed one
// with its volume label, a network one with its source, optical and RAM
// mounts by their label. Choosing one moves the linked folder box there.
class TbsSkinDriveComboBox : public TbsSkinComboBox {
public:
    explicit TbsSkinDriveComboBox(TComponent* AOwner);
    ~TbsSkinDriveComboBox() override;

    // The chosen mount point; empty for none.
    const std::string& Drive() const { return FDrive; }
    void SetDrive(const std::string& NewDrive);
    TTextCase TextCase() const { return FTextCase; }
    void SetTextCase(TTextCase Value);
    TbsSkinDirectoryListBox* DirList() const { return FDirList; }
    void SetDirList(TbsSkinDirectoryListBox* Value);
    // The mount point of each item.
    const std::vector<std::string>& MountPoints() const { return FMountPoints; }

    virtual void FillDriveList();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWnd() override;

private:
    void DriveComboChange();
    void DrawDriveItem(TCanvas& C, int Index, int ItemWidth, int ItemHeight, TRect TxtRect, TOwnerDrawState State);
    std::string Cased(const std::string& S) const;

    TbsSkinDirectoryListBox* FDirList = nullptr;   // not owned: cleared on removal
    std::string FDrive;
    TTextCase FTextCase = tcLowerCase;
    TBitmap FloppyBMP, FixedBMP, NetworkBMP, CDROMBMP, RAMBMP;
    std::vector<std::string> FMountPoints;
};
