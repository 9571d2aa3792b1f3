#include "platform/core/IniFile.h"

#include <algorithm>
#include <cerrno>

#include "platform/core/Path.h"
#include "platform/core/Stream.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"

namespace {

// A line break inside a name or value would split it into lines of its own
// on the next read (and could forge keys); it is stored as a blank instead.
std::string OneLine(const std::string& s) {
    std::string r = s;
    std::replace_if(r.begin(), r.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return r;
}

std::string ReadWholeFile(const std::string& fileName) {
    if (!FileExists(fileName))
        return {};
    try {
        TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
        std::string data(static_cast<size_t>(file.Size()), '\0');
        data.resize(static_cast<size_t>(file.Read(data.data(), static_cast<int64_t>(data.size()))));
        return data;
    } catch (const EStreamError&) {
        return {};  // an unreadable file reads as empty: every default holds
    }
}

void WriteWholeFile(const std::string& fileName, const std::string& text) {
    try {
        TFileStream file(fileName, fmCreate);
        file.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    } catch (const EStreamError& e) {
        throw EIniFileException("Unable to write to " + fileName + ": " + e.Message());
    }
}

std::string Unquote(const std::string& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

// ---- TCustomIniFile ------------------------------------------------------------

int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) {
    return StrToIntDef(ReadString(section, ident, ""), def);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const std::string& section, const std::string& ident, double def) {
    return StrToFloatDef(ReadString(section, ident, ""), def);
}

void TCustomIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
    WriteString(section, ident, FloatToStr(value));
}

bool TCustomIniFile::SectionExists(const std::string& section) {
    TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& ident) {
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(ident) >= 0;
}

// ---- TIniData ------------------------------------------------------------------

namespace {

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

}  // namespace

void TIniData::Parse(std::string_view text) {
    Clear();
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    TSection* current = nullptr;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = TrimView(text.substr(start, end - start));
        // One line break: LF, CR LF or a lone CR.
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            current = &AddSection(std::string(TrimView(line.substr(1, line.size() - 2))));
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos)
            continue;
        const std::string_view name = TrimView(line.substr(0, eq));
        if (name.empty())
            continue;
        // The first of repeated keys holds, as a reader would find it first.
        if (current->KeyIndex.emplace(LowerCase(std::string(name)), current->Keys.size()).second)
            current->Keys.push_back({std::string(name), std::string(TrimView(line.substr(eq + 1)))});
    }
}

std::string TIniData::Text() const {
    std::string out;
    for (size_t i = 0; i < FSections.size(); ++i) {
        if (i > 0)
            out += '\n';
        out += "[" + FSections[i].Name + "]\n";
        for (const auto& key : FSections[i].Keys)
            out += key.Name + "=" + key.Value + "\n";
    }
    return out;
}

TIniData::TSection* TIniData::FindSection(const std::string& section) {
    const auto it = FSectionIndex.find(LowerCase(section));
    return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

TIniData::TSection& TIniData::AddSection(const std::string& name) {
    // A repeated section header continues the first one.
    const auto [it, added] = FSectionIndex.emplace(LowerCase(name), FSections.size());
    if (added)
        FSections.push_back({name, {}, {}});
    return FSections[it->second];
}

TIniData::TKey* TIniData::FindKey(TSection& s, const std::string& ident) {
    const auto it = s.KeyIndex.find(LowerCase(ident));
    return it == s.KeyIndex.end() ? nullptr : &s.Keys[it->second];
}

const TIniData::TKey* TIniData::Find(const std::string& section, const std::string& ident) const {
    auto* self = const_cast<TIniData*>(this);
    TSection* s = self->FindSection(section);
    return s ? self->FindKey(*s, ident) : nullptr;
}

void TIniData::IndexSections() {
    FSectionIndex.clear();
    for (size_t i = 0; i < FSections.size(); ++i)
        FSectionIndex.emplace(LowerCase(FSections[i].Name), i);
}

void TIniData::Write(const std::string& section, const std::string& ident, const std::string& value) {
    TSection& s = AddSection(OneLine(Trim(section)));
    const std::string name = OneLine(Trim(ident));
    if (TKey* k = FindKey(s, name)) {
        k->Value = OneLine(value);
        return;
    }
    s.KeyIndex.emplace(LowerCase(name), s.Keys.size());
    s.Keys.push_back({name, OneLine(value)});
}

void TIniData::EraseSection(const std::string& section) {
    if (std::erase_if(FSections, [&](const TSection& s) { return SameText(s.Name, section); }))
        IndexSections();
}

void TIniData::DeleteKey(const std::string& section, const std::string& ident) {
    TSection* s = FindSection(section);
    if (!s || !std::erase_if(s->Keys, [&](const TKey& k) { return SameText(k.Name, ident); }))
        return;
    s->KeyIndex.clear();
    for (size_t i = 0; i < s->Keys.size(); ++i)
        s->KeyIndex.emplace(LowerCase(s->Keys[i].Name), i);
}

namespace {

void FillSection(TIniData& data, const std::string& section, TStrings& out, bool values) {
    out.BeginUpdate();
    out.Clear();
    if (const TIniData::TSection* s = data.FindSection(section))
        for (const auto& k : s->Keys)
            out.Add(values ? k.Name + "=" + k.Value : k.Name);
    out.EndUpdate();
}

void FillSections(const TIniData& data, TStrings& out) {
    out.BeginUpdate();
    out.Clear();
    for (const auto& s : data.Sections())
        out.Add(s.Name);
    out.EndUpdate();
}

}  // namespace

// ---- TMemIniFile -----------------------------------------------------------------

TMemIniFile::TMemIniFile(const std::string& fileName) : TCustomIniFile(fileName) {
    if (!fileName.empty())
        FData.Parse(ReadWholeFile(fileName));
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
    const TIniData::TKey* key = FData.Find(section, ident);
    return key ? key->Value : def;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    FData.Write(section, ident, value);
}

void TMemIniFile::ReadSection(const std::string& section, TStrings& keys) {
    FillSection(FData, section, keys, false);
}

void TMemIniFile::ReadSections(TStrings& sections) {
    FillSections(FData, sections);
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings& lines) {
    FillSection(FData, section, lines, true);
}

void TMemIniFile::EraseSection(const std::string& section) {
    FData.EraseSection(section);
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    FData.DeleteKey(section, ident);
}

void TMemIniFile::UpdateFile() {
    if (!FFileName.empty())
        WriteWholeFile(FFileName, FData.Text());
}

void TMemIniFile::GetStrings(TStrings& lines) const {
    lines.SetText(FData.Text());
}

void TMemIniFile::SetStrings(const TStrings& lines) {
    FData.Parse(lines.Text());
}

void TMemIniFile::Rename(const std::string& fileName, bool reload) {
    FFileName = fileName;
    if (reload)
        FData.Parse(fileName.empty() ? std::string() : ReadWholeFile(fileName));
}

// ---- TIniFile ---------------------------------------------------------------------

TIniData TIniFile::Load() const {
    TIniData data;
    data.Parse(ReadWholeFile(FFileName));
    return data;
}

void TIniFile::Save(const TIniData& data) const {
    WriteWholeFile(FFileName, data.Text());
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
    const TIniData data = Load();
    const TIniData::TKey* key = data.Find(section, ident);
    return key ? Unquote(key->Value) : def;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    TIniData data = Load();
    data.Write(section, ident, value);
    Save(data);
}

void TIniFile::ReadSection(const std::string& section, TStrings& keys) {
    TIniData data = Load();
    FillSection(data, section, keys, false);
}

void TIniFile::ReadSections(TStrings& sections) {
    FillSections(Load(), sections);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& lines) {
    TIniData data = Load();
    FillSection(data, section, lines, true);
}

void TIniFile::EraseSection(const std::string& section) {
    TIniData data = Load();
    if (!data.FindSection(section))
        return;
    data.EraseSection(section);
    Save(data);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    TIniData data = Load();
    if (!data.Find(section, ident))
        return;
    data.DeleteKey(section, ident);
    Save(data);
}
