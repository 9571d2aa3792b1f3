#pragma once
#include <memory>
#include <string>
#include "platform/core/IniFile.h"
#include "platform/core/Strings.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "skin/data/SkinTypes.h"

// Value forms of skin ini files. Every reader and writer of a skin section goes
// through these routines, so a value is written exactly as it is read back.

// Rect and point values keep only the digits of each comma-separated field:
// skin coordinates are never negative, so "-5" reads as 5. An empty field
// (such as "1,2" read as a rect) raises EConvertError; fields beyond the
// fourth (rect) or second (point) are ignored.
TRect StrToRect(const std::string& S);
TPoint StrToPoint(const std::string& S);
std::string RectToStr(const TRect& R);
std::string PointToStr(const TPoint& P);

// Integers are decimal, or hexadecimal after "0x" or "$"; any other text gives Default.
int ReadSkinInteger(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, int Default);
void WriteSkinInteger(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, int Value);

// Colours are stored as their signed 32-bit value (clBtnFace is -16777201).
TColor ReadColor(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TColor Default);
void WriteColor(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TColor Value);

TRect ReadRect(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WriteRect(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, const TRect& Value);
TPoint ReadPoint(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WritePoint(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, const TPoint& Value);

// True only when the integer value is exactly 1 ("01" and "0x1" count, "true" does not).
bool ReadBoolean(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WriteBoolean(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, bool Value);

// Each of "fsbold", "fsitalic", "fsunderline", "fsstrikeout" found anywhere in
// the value (case-sensitive) adds its style.
TFontStyles ReadFontStyles(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WriteFontStyles(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TFontStyles Value);

// Keyword values: exact lower-case keywords. A missing key gives the default,
// any other text the fallback:
//   alignment      taCenter / taRightJustify     stretch type    bsstFull / bsstHorz
//   morph kind     mkDefault / mkDefault         inactive effect ieBrightness / ieGrayScale
//   command        cmDefault / cmMinimizeToTray
TAlignment ReadAlignment(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WriteAlignment(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TAlignment Value);
TbsStretchType ReadStretchType(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WriteStretchType(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident,
                      TbsStretchType Value);
TbsMorphKind ReadMorphKind(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WriteMorphKind(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TbsMorphKind Value);
TbsInActiveEffect ReadInActiveEffect(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WriteInActiveEffect(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident,
                         TbsInActiveEffect Value);
TbsStdCommand ReadCommand(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident);
void WriteCommand(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TbsStdCommand Value);

// A name list: key Name + "count", then keys "0" .. count-1 of the same section.
// A count larger than the section's number of keys is a broken file and raises
// EConvertError rather than reading millions of missing keys.
void ReadStrings(TCustomIniFile& Ini, const std::string& Section, const std::string& Name, TStrings& List);
void WriteStrings(TCustomIniFile& Ini, const std::string& Section, const std::string& Name, const TStrings& List);

// The count of a numbered list of keys (a name list or SKINOBJECTS/SKINCONTROLS),
// checked against the keys the section really has; negative counts read as 0.
int ReadListCount(TCustomIniFile& Ini, const std::string& Section, const std::string& CountIdent);

// A skin file has all five sections VERSION, PICTURES, FORMINFO, SKINOBJECTS, SKINCONTROLS.
bool IsSkinIni(TCustomIniFile& Ini);

// Splits a SKINOBJECTS/SKINCONTROLS entry "section:kind" at its first colon;
// a value without a colon gives an empty name and an empty kind.
struct TbsSkinEntry {
    std::string Name;
    std::string Kind;
};
TbsSkinEntry SplitSkinEntry(const std::string& Value);

// Skin ini texts in memory and on disk, in the encoding of SkinText.h. The
// text is parsed where it lies (UTF-16 is converted first).
std::unique_ptr<TMemIniFile> SkinIniFromText(std::string_view Text);
// The ini of a file; an empty ini when the file does not exist.
std::unique_ptr<TMemIniFile> LoadSkinIniFile(const std::string& FileName);
// Every section in order, each followed by an empty line, lines ended by CR LF.
std::string SkinIniToText(TCustomIniFile& Ini);
void SaveSkinIniFile(TCustomIniFile& Ini, const std::string& FileName);
