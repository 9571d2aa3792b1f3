#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/Object.h"

class TStrings;

// An ini file that cannot be written.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// Sections of name=value lines. Section and key names ignore ASCII case; a
// missing key is absent, so the caller's default comes back; sections and keys
// keep the order of their first write. Reading skips a UTF-8 byte-order mark,
// accepts LF, CR LF and CR, trims blanks around names and values and ignores
// empty lines and lines starting with ";".
class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

    const std::string& FileName() const { return FFileName; }

    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& def) = 0;
    virtual void WriteString(const std::string& section, const std::string& ident, const std::string& value) = 0;
    // Decimal, "$" or "0x" hexadecimal; the default on anything else.
    int ReadInteger(const std::string& section, const std::string& ident, int def);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    // A number other than 0 is true; anything else that is not a number gives the default.
    bool ReadBool(const std::string& section, const std::string& ident, bool def);
    void WriteBool(const std::string& section, const std::string& ident, bool value);  // "1" / "0"
    double ReadFloat(const std::string& section, const std::string& ident, double def);
    void WriteFloat(const std::string& section, const std::string& ident, double value);

    // A section exists when it holds at least one key.
    bool SectionExists(const std::string& section);
    bool ValueExists(const std::string& section, const std::string& ident);
    virtual void ReadSection(const std::string& section, TStrings& keys) = 0;        // the key names
    virtual void ReadSections(TStrings& sections) = 0;
    virtual void ReadSectionValues(const std::string& section, TStrings& lines) = 0; // "key=value" lines
    virtual void EraseSection(const std::string& section) = 0;
    virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
    virtual void UpdateFile() = 0;

protected:
    std::string FFileName;
};

// The parsed contents of an ini text, shared by both kinds of ini file.
class TIniData {
public:
    struct TKey {
        std::string Name, Value;
    };
    struct TSection {
        std::string Name;
        std::vector<TKey> Keys;
        // Position in Keys by lower-case name, so that a text of a million keys parses in linear time.
        std::unordered_map<std::string, size_t> KeyIndex;
    };

    // Reads the text in place: large texts (skins inflate to megabytes) are not copied line by line.
    void Parse(std::string_view text);
    std::string Text() const;
    void Clear() {
        FSections.clear();
        FSectionIndex.clear();
    }

    const TKey* Find(const std::string& section, const std::string& ident) const;
    TSection* FindSection(const std::string& section);
    const std::vector<TSection>& Sections() const { return FSections; }
    void Write(const std::string& section, const std::string& ident, const std::string& value);
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);

private:
    TSection& AddSection(const std::string& name);
    TKey* FindKey(TSection& s, const std::string& ident);
    void IndexSections();
    std::vector<TSection> FSections;
    std::unordered_map<std::string, size_t> FSectionIndex;   // position in FSections by lower-case name
};

// An ini file kept in memory: read once when created, written back by
// UpdateFile (and never when the file name is empty).
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const std::string& fileName = {});

    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) override;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
    void ReadSection(const std::string& section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(const std::string& section, TStrings& lines) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    // Writes the whole contents, unknown sections included; EIniFileException on failure.
    void UpdateFile() override;

    // The contents as ini text lines, and replacing them from such lines.
    void GetStrings(TStrings& lines) const;
    void SetStrings(const TStrings& lines);
    void SetText(std::string_view text) { FData.Parse(text); }
    std::string Text() const { return FData.Text(); }
    void Clear() { FData.Clear(); }
    // Points the object at another file, reading it when asked.
    void Rename(const std::string& fileName, bool reload);

private:
    TIniData FData;
};

// An ini file read and written through on every call, so that each call sees
// the file as it is now; the first write creates the file. Values enclosed in
// matching quotes are read without them.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const std::string& fileName) : TCustomIniFile(fileName) {}

    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) override;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
    void ReadSection(const std::string& section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(const std::string& section, TStrings& lines) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    void UpdateFile() override {}

private:
    TIniData Load() const;
    void Save(const TIniData& data) const;
};
