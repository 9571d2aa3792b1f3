#pragma once

// The namespace's own texts: names of the virtual folders and the type
// column. The user interface of the program is Chinese.
namespace ShellText {
inline constexpr const char* Desktop = "桌面";
inline constexpr const char* Home = "主文件夹";
inline constexpr const char* Computer = "计算机";

inline constexpr const char* SystemFolder = "系统文件夹";
inline constexpr const char* Folder = "文件夹";
inline constexpr const char* File = "文件";
inline constexpr const char* FileOfType = "%s 文件";   // with the upper-case extension
inline constexpr const char* LocalDisk = "本地磁盘";
inline constexpr const char* RemovableDisk = "可移动磁盘";
inline constexpr const char* OpticalDisc = "光盘";
inline constexpr const char* NetworkDrive = "网络驱动器";
inline constexpr const char* RamDisk = "内存盘";

// The property sheet.
inline constexpr const char* PropCaption = "%s 属性";
inline constexpr const char* PropName = "名称:";
inline constexpr const char* PropType = "类型:";
inline constexpr const char* PropLocation = "位置:";
inline constexpr const char* PropSize = "大小:";
inline constexpr const char* PropBytes = "%s (%s 字节)";
inline constexpr const char* PropModified = "修改时间:";
inline constexpr const char* PropOK = "确定";

// Errors.
inline constexpr const char* ErrorSettingPath = "Error setting path: \"%s\"";
inline constexpr const char* RenameFailed = "Rename to %s failed";
inline constexpr const char* DetailsFailed = "Unable to retrieve folder details for \"%s\". Error code $%x";
inline constexpr const char* MissingLoadColumnDetails = "%s: Missing call to LoadColumnDetails";
}  // namespace ShellText
