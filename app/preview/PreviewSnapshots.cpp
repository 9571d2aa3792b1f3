// The snapshot half of the preview panel: the shown picture saved as a
// numbered file in the snapshot folder, and the folder and picture type kept
// in the settings file's section "SnapShot", read on every use.
#include <algorithm>

#include "app/preview/PreviewPanel.h"
#include "platform/core/IniFile.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Picture.h"
#include "platform/ui/controls/Menus.h"

namespace {

const char* const SnapshotSection = "SnapShot";
const char* const PictureTypes[] = {"BMP", "JPG", "GIF", "PNG"};

// A value that is missing, empty or "Error" counts as absent.
bool ReadSetting(TIniFile& AIni, const char* AKey, std::string& AValue) {
    AValue = AIni.ReadString(SnapshotSection, AKey, "Error");
    return !AValue.empty() && AValue != "Error";
}

std::string BaseName(const std::string& AFileName) {
    const std::string name = ExtractFileName(AFileName);
    return name.substr(0, name.size() - ExtractFileExt(name).size());
}

}  // namespace

std::string TPreviewPanel::DefaultSnapshotFolder() {
    return HomeFolder() + "Zarvo视频软件/快照";
}

std::string TPreviewPanel::NextSnapshotName(const std::string& AFolder, const std::string& ABaseName,
                                            const std::string& AExtension) {
    const std::string stem = IncludeTrailingPathDelimiter(AFolder) + ABaseName + "_";
    for (int n = 1;; ++n) {
        std::string name = stem + std::to_string(n) + AExtension;
        if (!FileExists(name) && !DirectoryExists(name))
            return name;
    }
}

std::string TPreviewPanel::SnapshotFolder() {
    TIniFile ini(FHost.SettingsFileName());
    std::string folder;
    if (ReadSetting(ini, "Dir", folder)) {
        if (!DirectoryExists(folder))
            ForceDirectories(folder);
        return folder;
    }
    folder = DefaultSnapshotFolder();
    if (!DirectoryExists(folder))
        ForceDirectories(folder);
    ini.WriteString(SnapshotSection, "Dir", folder);
    return folder;
}

std::string TPreviewPanel::PictureType() {
    TIniFile ini(FHost.SettingsFileName());
    std::string type;
    if (ReadSetting(ini, "Picture", type) && std::find(std::begin(PictureTypes), std::end(PictureTypes), type) !=
                                                  std::end(PictureTypes)) {
        TickPictureType(type);
        return type;
    }
    ini.WriteString(SnapshotSection, "Picture", "BMP");
    TickPictureType("BMP");
    return "BMP";
}

void TPreviewPanel::TickPictureType(const std::string& AType) {
    const std::pair<TMenuItem*, const char*> items[] = {
        {FControls.BMP1, "BMP"}, {FControls.JPG1, "JPG"}, {FControls.GIF1, "GIF"}, {FControls.PNG1, "PNG"}};
    for (const auto& [item, type] : items)
        if (item)
            item->SetChecked(AType == type);
}

void TPreviewPanel::PictureTypeClick(const std::string& AType) {
    TIniFile ini(FHost.SettingsFileName());
    ini.WriteString(SnapshotSection, "Picture", AType);
    TickPictureType(AType);
}

void TPreviewPanel::bsSkinButton23Click() {
    PictureType();
}

void TPreviewPanel::bsSkinButton22Click() {
    const TBitmap frame = *FPlayer->CurrentFrame();  // the player keeps its own
    const std::string folder = SnapshotFolder();
    const std::string type = PictureType();
    if (frame.Width() == 0)
        return;
    const std::string name = NextSnapshotName(folder, BaseName(FMovieFileName), "." + LowerCase(type));
    try {
        if (type == "BMP") {
            frame.SaveToFile(name);
        } else {
            TPicture picture;
            picture.SetGraphic(&frame);
            picture.SaveToFile(name);  // converted to the kind the extension names
        }
    } catch (const std::exception& e) {
        FHost.ShowWarning(e.what(), FHost.ApplicationTitle());
    }
}

void TPreviewPanel::MenuItem1Click() {
    FHost.OpenFolder(SnapshotFolder());
}

void TPreviewPanel::MenuItem2Click() {
    TIniFile ini(FHost.SettingsFileName());
    std::string folder;
    if (!ReadSetting(ini, "Dir", folder))
        folder = DefaultSnapshotFolder();
    // Only a confirmed choice of an existing folder is written.
    if (FHost.SelectFolder("选择输出目录", folder) && DirectoryExists(folder))
        ini.WriteString(SnapshotSection, "Dir", folder);
}

void TPreviewPanel::btnCaptureClick() {
    const TBitmap frame = *FPlayer->CurrentFrame();
    std::string name;
    if (frame.Width() == 0 || !FHost.SavePictureFileName(name))
        return;
    try {
        if (LowerCase(ExtractFileExt(name)) == ".bmp") {
            frame.SaveToFile(name);
        } else {
            std::unique_ptr<TGraphic> jpeg = TPicture::CreateGraphicFor(".jpg");
            jpeg->Assign(frame);
            jpeg->SaveToFile(name);
        }
    } catch (const std::exception& e) {
        FHost.ShowWarning(e.what(), FHost.ApplicationTitle());
    }
}
