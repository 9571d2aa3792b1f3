#include "skin/dialogs/DriveComboBox.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellNamespace.h"
#include "resources/pictures/ResourcePictures.h"
#include "skin/dialogs/PathRoutines.h"
#include "skin/draw/RectUtils.h"

TbsSkinDriveComboBox::TbsSkinDriveComboBox(TComponent* AOwner) : TbsSkinComboBox(AOwner)
{
    OnChange = [this](TObject*) { DriveComboChange(); };
    OnListBoxDrawItem = OnComboBoxDrawItem = [this](TCanvas& C, int Index, int W, int H, TRect R,
                                                    TOwnerDrawState S) { DrawDriveItem(C, Index, W, H, R, S); };
    for (auto [bitmap, name] : {std::pair{&FloppyBMP, "BS_FLOPPY"}, std::pair{&FixedBMP, "BS_HARD"},
                                std::pair{&NetworkBMP, "BS_NETWORK"}, std::pair{&CDROMBMP, "BS_CDROM"},
                                std::pair{&RAMBMP, "BS_RAM"}}) {
        FindResBitmap(name, *bitmap);
        bitmap->SetTransparent(true);
    }
    FDrive = MountOfPath(NormalizeShellPath(StartDirectory()));
}

TbsSkinDriveComboBox::~TbsSkinDriveComboBox() { SetDirList(nullptr); }

void TbsSkinDriveComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDirList)
        FDirList = nullptr;
}

void TbsSkinDriveComboBox::SetDirList(TbsSkinDirectoryListBox* Value)
{
    if (FDirList) {
        FDirList->SetDriveCombo(nullptr);
        FDirList->RemoveFreeNotification(this);
    }
    FDirList = Value;
    if (FDirList) {
        FDirList->FreeNotification(this);
        FDirList->SetDriveCombo(this);
    }
}

void TbsSkinDriveComboBox::CreateWnd()
{
    TbsSkinComboBox::CreateWnd();
    FillDriveList();
    const std::string drive = FDrive;
    FDrive.clear();
    SetDrive(drive);
}

std::string TbsSkinDriveComboBox::Cased(const std::string& S) const
{
    return FTextCase == tcUpperCase ? UpperCase(S) : LowerCase(S);
}

void TbsSkinDriveComboBox::FillDriveList()
{
    RefreshShellMounts();
    Items().BeginUpdate();
    Items().Clear();
    FMountPoints.clear();
    for (const TMountEntry& m : ShellMounts()) {
        const std::string label = Cased(DriveVolumeLabel(m.MountPoint));
        std::string text;
        TBitmap* glyph = nullptr;
        switch (m.Kind) {
        case mkRemovable: text = m.MountPoint; glyph = &FloppyBMP; break;   // no volume access
        case mkFixed: text = m.MountPoint + " " + label; glyph = &FixedBMP; break;
        case mkNetwork: text = m.MountPoint + " " + m.Source; glyph = &NetworkBMP; break;
        case mkOptical: text = label; glyph = &CDROMBMP; break;
        case mkRam: text = label; glyph = &RAMBMP; break;
        }
        Items().AddObject(text, glyph);
        FMountPoints.push_back(m.MountPoint);
    }
    Items().EndUpdate();
}

void TbsSkinDriveComboBox::SetTextCase(TTextCase Value)
{
    FTextCase = Value;
    FillDriveList();
    const std::string drive = FDrive;
    FDrive.clear();
    SetDrive(drive);
}

void TbsSkinDriveComboBox::SetDrive(const std::string& NewDrive)
{
    if (ItemIndex() >= 0 && NewDrive == FDrive)
        return;
    FDrive = NewDrive;
    int index = -1;
    for (size_t i = 0; i < FMountPoints.size() && index < 0; ++i)
        if (FMountPoints[i] == NewDrive)
            index = int(i);
    if (index < 0)
        FDrive.clear();
    SetItemIndex(index);
    if (FDirList && !FDrive.empty())
        FDirList->SetDrive(FDrive);
    Change();
}

void TbsSkinDriveComboBox::DriveComboChange()
{
    const int i = ItemIndex();
    if (i >= 0 && i < int(FMountPoints.size()))
        SetDrive(FMountPoints[size_t(i)]);
}

void TbsSkinDriveComboBox::DrawDriveItem(TCanvas& C, int Index, int, int, TRect TxtRect, TOwnerDrawState)
{
    if (Index < 0 || Index >= Items().Count())
        return;
    const auto* glyph = dynamic_cast<const TBitmap*>(Items().GetObject(Index));
    int gw = 0;
    if (glyph && !glyph->Empty()) {
        C.Draw(TxtRect.Left, (TxtRect.Top + TxtRect.Bottom - glyph->Height()) / 2, *glyph);
        gw = glyph->Width();
    }
    C.Brush().SetStyle(bsClear);
    C.TextOut(TxtRect.Left + gw + 6, TxtRect.Top + RectHeight(TxtRect) / 2 - C.TextHeight("Wg") / 2,
              Items().Get(Index));
}
