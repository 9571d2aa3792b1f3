#pragma once
#include <span>
#include <string>
#include <variant>
#include <vector>
#include "skin/data/SkinIni.h"

// Key tables: every description names each of its keys once, with the field it
// fills and its default. Reading, writing and the key report all walk the same
// table, so a key cannot be read under one spelling and written under another.
// The value form follows from the field's type: int is an integer, TColor a
// colour, bool a 0/1 flag, and each enumeration its keyword list.

// TFontStyles shares its type with TColor, so font-style keys are marked with
// FontStylesKey and read and written as styles instead of colours.
template <class T>
using TbsFieldPtr = std::variant<int T::*, TColor T::*, bool T::*, TRect T::*, TPoint T::*, std::string T::*,
                                 TAlignment T::*, TbsStretchType T::*, TbsMorphKind T::*, TbsInActiveEffect T::*,
                                 TbsStdCommand T::*>;

struct TbsFontStylesTag {};
inline constexpr TbsFontStylesTag FontStylesKey{};

template <class T>
struct TbsSkinKey {
    template <class F>
    constexpr TbsSkinKey(const char* AKey, F T::*AField) : Key(AKey), Field(AField) {}
    constexpr TbsSkinKey(const char* AKey, int T::*AField, int ADefault)
        : Key(AKey), Field(AField), IntDefault(ADefault) {}
    constexpr TbsSkinKey(const char* AKey, TColor T::*AField, TColor ADefault)
        : Key(AKey), Field(AField), IntDefault(static_cast<int>(ADefault)) {}
    constexpr TbsSkinKey(const char* AKey, std::string T::*AField, const char* ADefault)
        : Key(AKey), Field(AField), TextDefault(ADefault) {}
    constexpr TbsSkinKey(const char* AKey, TFontStyles T::*AField, TbsFontStylesTag)
        : Key(AKey), Field(AField), FontStyles(true) {}

    const char* Key;
    TbsFieldPtr<T> Field;
    int IntDefault = 0;             // integer and colour keys
    const char* TextDefault = "";   // text keys
    bool FontStyles = false;        // a TFontStyles field, not a colour
};

// One key of a description as the key report gives it: its name and whether
// the field still holds the value a missing key gives.
struct TbsKeyState {
    std::string Key;
    bool AtDefault = true;
};

namespace skinkeys {

inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, int& F, const auto& E) {
    F = ReadSkinInteger(Ini, S, K, E.IntDefault);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, TColor& F, const auto& E) {
    F = E.FontStyles ? ReadFontStyles(Ini, S, K) : ReadColor(Ini, S, K, static_cast<TColor>(E.IntDefault));
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, bool& F, const auto&) {
    F = ReadBoolean(Ini, S, K);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, TRect& F, const auto&) {
    F = ReadRect(Ini, S, K);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, TPoint& F, const auto&) {
    F = ReadPoint(Ini, S, K);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, std::string& F, const auto& E) {
    F = Ini.ReadString(S, K, E.TextDefault);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, TAlignment& F, const auto&) {
    F = ReadAlignment(Ini, S, K);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, TbsStretchType& F, const auto&) {
    F = ReadStretchType(Ini, S, K);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, TbsMorphKind& F, const auto&) {
    F = ReadMorphKind(Ini, S, K);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, TbsInActiveEffect& F, const auto&) {
    F = ReadInActiveEffect(Ini, S, K);
}
inline void Read(TCustomIniFile& Ini, const std::string& S, const char* K, TbsStdCommand& F, const auto&) {
    F = ReadCommand(Ini, S, K);
}

inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, int F, const auto&) {
    WriteSkinInteger(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, TColor F, const auto& E) {
    if (E.FontStyles)
        WriteFontStyles(Ini, S, K, F);
    else
        WriteColor(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, bool F, const auto&) {
    WriteBoolean(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, const TRect& F, const auto&) {
    WriteRect(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, const TPoint& F, const auto&) {
    WritePoint(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, const std::string& F, const auto&) {
    Ini.WriteString(S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, TAlignment F, const auto&) {
    WriteAlignment(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, TbsStretchType F, const auto&) {
    WriteStretchType(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, TbsMorphKind F, const auto&) {
    WriteMorphKind(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, TbsInActiveEffect F, const auto&) {
    WriteInActiveEffect(Ini, S, K, F);
}
inline void Write(TCustomIniFile& Ini, const std::string& S, const char* K, TbsStdCommand F, const auto&) {
    WriteCommand(Ini, S, K, F);
}

// The value a missing key gives, for the key report.
inline bool AtDefault(int F, const auto& E) { return F == E.IntDefault; }
inline bool AtDefault(TColor F, const auto& E) { return F == static_cast<TColor>(E.IntDefault); }
inline bool AtDefault(bool F, const auto&) { return !F; }
inline bool AtDefault(const TRect& F, const auto&) { return F.Left == 0 && F.Top == 0 && F.Right == 0 && F.Bottom == 0; }
inline bool AtDefault(const TPoint& F, const auto&) { return F.X == 0 && F.Y == 0; }
inline bool AtDefault(const std::string& F, const auto& E) { return F == E.TextDefault; }
inline bool AtDefault(TAlignment F, const auto&) { return F == taCenter; }
inline bool AtDefault(TbsStretchType F, const auto&) { return F == bsstFull; }
inline bool AtDefault(TbsMorphKind F, const auto&) { return F == mkDefault; }
inline bool AtDefault(TbsInActiveEffect F, const auto&) { return F == ieBrightness; }
inline bool AtDefault(TbsStdCommand F, const auto&) { return F == cmDefault; }

}  // namespace skinkeys

template <class T>
void ReadKeys(TCustomIniFile& Ini, const std::string& Section, T& Obj, std::span<const TbsSkinKey<T>> Keys) {
    for (const auto& e : Keys)
        std::visit([&](auto field) { skinkeys::Read(Ini, Section, e.Key, Obj.*field, e); }, e.Field);
}

template <class T>
void WriteKeys(TCustomIniFile& Ini, const std::string& Section, const T& Obj, std::span<const TbsSkinKey<T>> Keys) {
    for (const auto& e : Keys)
        std::visit([&](auto field) { skinkeys::Write(Ini, Section, e.Key, Obj.*field, e); }, e.Field);
}

template <class T>
void ReportKeys(const T& Obj, std::span<const TbsSkinKey<T>> Keys, std::vector<TbsKeyState>& Out) {
    for (const auto& e : Keys)
        std::visit([&](auto field) { Out.push_back({e.Key, skinkeys::AtDefault(Obj.*field, e)}); }, e.Field);
}

// Descriptions derive through this template: it reads, writes and reports the
// keys of the base first and then the class's own table (Self::OwnKeys()), and
// names the class's kind keyword (Self::Keyword).
template <class Self, class Base>
class TbsKeyed : public Base {
public:
    using Base::Base;

    void LoadFromFile(TCustomIniFile& IniFile) override {
        Base::LoadFromFile(IniFile);
        ReadKeys<Self>(IniFile, this->IDName, static_cast<Self&>(*this), Self::OwnKeys());
    }
    void SaveToFile(TCustomIniFile& IniFile) override {
        Base::SaveToFile(IniFile);
        WriteKeys<Self>(IniFile, this->IDName, static_cast<const Self&>(*this), Self::OwnKeys());
    }
    void ReportKeys(std::vector<TbsKeyState>& Out) const override {
        Base::ReportKeys(Out);
        ::ReportKeys<Self>(static_cast<const Self&>(*this), Self::OwnKeys(), Out);
    }
    const char* Kind() const override { return Self::Keyword; }
};
