#include "skin/data/SkinIni.h"
#include <array>
#include <cstdint>
#include <vector>
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"
#include "skin/data/SkinText.h"

namespace {

// Splits at every comma and keeps only the digits of each field.
std::vector<std::string> DigitFields(const std::string& S, size_t Wanted) {
    std::vector<std::string> fields(1);
    for (char c : S) {
        if (c == ',') {
            if (fields.size() == Wanted)
                break;
            fields.emplace_back();
        } else if (c >= '0' && c <= '9') {
            fields.back() += c;
        }
    }
    fields.resize(Wanted);
    return fields;
}

// Converts one filtered field; an empty or oversized field is the platform's conversion error.
int FieldToInt(const std::string& Field) {
    return StrToInt(Field);
}

template <typename E, size_t N>
E ReadKeyword(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident,
              const std::array<const char*, N>& Words, E Missing, E Fallback) {
    if (!Ini.ValueExists(Section, Ident))
        return Missing;
    const std::string value = Ini.ReadString(Section, Ident, "");
    for (size_t i = 0; i < N; ++i)
        if (value == Words[i])
            return static_cast<E>(i);
    return Fallback;
}

template <typename E, size_t N>
void WriteKeyword(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident,
                  const std::array<const char*, N>& Words, E Value) {
    const auto i = static_cast<size_t>(Value);
    Ini.WriteString(Section, Ident, i < N ? Words[i] : Words[0]);
}

constexpr std::array<const char*, 3> kAlignmentWords = {"taleftjustify", "tarightjustify", "tacenter"};
constexpr std::array<const char*, 3> kStretchWords = {"stfull", "sthorz", "stvert"};
constexpr std::array<const char*, 7> kMorphWords = {"mkdefault", "mkgradient", "mkleftgradient",
                                                   "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<const char*, 6> kInActiveWords = {"iebrightness", "iedarkness", "iegrayscale",
                                                      "ienoise", "iesplitblur", "ieinvert"};
constexpr std::array<const char*, 7> kCommandWords = {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu",
                                                     "cmdefault", "cmrollup", "cmminimizetotray"};

struct TStyleWord {
    const char* Word;
    TFontStyles Style;
};
constexpr std::array<TStyleWord, 4> kStyleWords = {{
    {"fsbold", fsBold},
    {"fsitalic", fsItalic},
    {"fsunderline", fsUnderline},
    {"fsstrikeout", fsStrikeOut},
}};

}  // namespace

TRect StrToRect(const std::string& S) {
    const auto f = DigitFields(S, 4);
    return Rect(FieldToInt(f[0]), FieldToInt(f[1]), FieldToInt(f[2]), FieldToInt(f[3]));
}

TPoint StrToPoint(const std::string& S) {
    const auto f = DigitFields(S, 2);
    return Point(FieldToInt(f[0]), FieldToInt(f[1]));
}

std::string RectToStr(const TRect& R) {
    return IntToStr(R.Left) + "," + IntToStr(R.Top) + "," + IntToStr(R.Right) + "," + IntToStr(R.Bottom);
}

std::string PointToStr(const TPoint& P) {
    return IntToStr(P.X) + "," + IntToStr(P.Y);
}

int ReadSkinInteger(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, int Default) {
    return StrToIntDef(Ini.ReadString(Section, Ident, ""), Default);
}

void WriteSkinInteger(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, int Value) {
    Ini.WriteString(Section, Ident, IntToStr(Value));
}

TColor ReadColor(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TColor Default) {
    return static_cast<TColor>(ReadSkinInteger(Ini, Section, Ident, static_cast<int32_t>(Default)));
}

void WriteColor(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TColor Value) {
    WriteSkinInteger(Ini, Section, Ident, static_cast<int32_t>(Value));
}

TRect ReadRect(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    return StrToRect(Ini.ReadString(Section, Ident, "0,0,0,0"));
}

void WriteRect(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, const TRect& Value) {
    Ini.WriteString(Section, Ident, RectToStr(Value));
}

TPoint ReadPoint(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    return StrToPoint(Ini.ReadString(Section, Ident, "0,0"));
}

void WritePoint(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, const TPoint& Value) {
    Ini.WriteString(Section, Ident, PointToStr(Value));
}

bool ReadBoolean(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    return ReadSkinInteger(Ini, Section, Ident, 0) == 1;
}

void WriteBoolean(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, bool Value) {
    Ini.WriteString(Section, Ident, Value ? "1" : "0");
}

TFontStyles ReadFontStyles(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    const std::string value = Ini.ReadString(Section, Ident, "");
    TFontStyles styles = 0;
    for (const auto& w : kStyleWords)
        if (value.find(w.Word) != std::string::npos)
            styles |= w.Style;
    return styles;
}

void WriteFontStyles(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TFontStyles Value) {
    std::string text;
    for (const auto& w : kStyleWords)
        if (Value & w.Style)
            text += (text.empty() ? "" : ",") + std::string(w.Word);
    Ini.WriteString(Section, Ident, text);
}

TAlignment ReadAlignment(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    return ReadKeyword(Ini, Section, Ident, kAlignmentWords, taCenter, taRightJustify);
}

void WriteAlignment(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TAlignment Value) {
    WriteKeyword(Ini, Section, Ident, kAlignmentWords, Value);
}

TbsStretchType ReadStretchType(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    return ReadKeyword(Ini, Section, Ident, kStretchWords, bsstFull, bsstHorz);
}

void WriteStretchType(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TbsStretchType Value) {
    WriteKeyword(Ini, Section, Ident, kStretchWords, Value);
}

TbsMorphKind ReadMorphKind(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    return ReadKeyword(Ini, Section, Ident, kMorphWords, mkDefault, mkDefault);
}

void WriteMorphKind(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TbsMorphKind Value) {
    WriteKeyword(Ini, Section, Ident, kMorphWords, Value);
}

TbsInActiveEffect ReadInActiveEffect(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    return ReadKeyword(Ini, Section, Ident, kInActiveWords, ieBrightness, ieGrayScale);
}

void WriteInActiveEffect(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident,
                         TbsInActiveEffect Value) {
    WriteKeyword(Ini, Section, Ident, kInActiveWords, Value);
}

TbsStdCommand ReadCommand(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident) {
    return ReadKeyword(Ini, Section, Ident, kCommandWords, cmDefault, cmMinimizeToTray);
}

void WriteCommand(TCustomIniFile& Ini, const std::string& Section, const std::string& Ident, TbsStdCommand Value) {
    WriteKeyword(Ini, Section, Ident, kCommandWords, Value);
}

int ReadListCount(TCustomIniFile& Ini, const std::string& Section, const std::string& CountIdent) {
    const int count = ReadSkinInteger(Ini, Section, CountIdent, 0);
    if (count <= 0)
        return 0;
    TStringList keys;
    Ini.ReadSection(Section, keys);
    if (count > keys.Count())
        throw EConvertError(Format("Invalid count %d in section %s: it has only %d keys", count,
                                   Section.c_str(), keys.Count()));
    return count;
}

void ReadStrings(TCustomIniFile& Ini, const std::string& Section, const std::string& Name, TStrings& List) {
    const int count = ReadListCount(Ini, Section, Name + "count");
    for (int i = 0; i < count; ++i)
        List.Add(Ini.ReadString(Section, IntToStr(i), ""));
}

void WriteStrings(TCustomIniFile& Ini, const std::string& Section, const std::string& Name, const TStrings& List) {
    WriteSkinInteger(Ini, Section, Name + "count", List.Count());
    for (int i = 0; i < List.Count(); ++i)
        Ini.WriteString(Section, IntToStr(i), List[i]);
}

bool IsSkinIni(TCustomIniFile& Ini) {
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!Ini.SectionExists(section))
            return false;
    return true;
}

TbsSkinEntry SplitSkinEntry(const std::string& Value) {
    const auto colon = Value.find(':');
    if (colon == std::string::npos)
        return {};
    return {Value.substr(0, colon), Value.substr(colon + 1)};
}

std::unique_ptr<TMemIniFile> SkinIniFromText(std::string_view Text) {
    auto ini = std::make_unique<TMemIniFile>();
    std::string converted;
    ini->SetText(SkinTextAsUtf8(Text, converted));
    return ini;
}

std::unique_ptr<TMemIniFile> LoadSkinIniFile(const std::string& FileName) {
    if (!FileExists(FileName))
        return std::make_unique<TMemIniFile>();
    TMemoryStream file;
    file.LoadFromFile(FileName);
    return SkinIniFromText(std::string_view(reinterpret_cast<const char*>(file.Memory()), file.Size()));
}

std::string SkinIniToText(TCustomIniFile& Ini) {
    TStringList sections, values, lines;
    Ini.ReadSections(sections);
    for (int s = 0; s < sections.Count(); ++s) {
        lines.Add("[" + sections[s] + "]");
        values.Clear();
        Ini.ReadSectionValues(sections[s], values);
        lines.AddStrings(values);
        lines.Add("");
    }
    return SkinLinesToText(lines);
}

void SaveSkinIniFile(TCustomIniFile& Ini, const std::string& FileName) {
    const std::string text = SkinIniToText(Ini);
    TFileStream file(FileName, fmCreate);
    file.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}
