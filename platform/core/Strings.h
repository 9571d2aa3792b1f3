#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Object.h"

class TStream;

// An abstract list of text lines, each with an optional object pointer.
// Name=value lines: the name is the text before the first "=", matched without
// regard to ASCII case; assigning an empty value removes the line.
class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void InsertObject(int index, const std::string& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, TObject* object);
    virtual int IndexOf(const std::string& s) const;
    virtual int IndexOfName(const std::string& name) const;
    int IndexOfObject(const TObject* object) const;
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    void AddStrings(const TStrings& strings);
    void Assign(const TPersistent* Source) override;
    bool Equals(const TStrings& other) const;

    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    std::string operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    std::string Names(int index) const;
    std::string Values(const std::string& name) const;
    void SetValues(const std::string& name, const std::string& value);
    std::string ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const std::string& value);
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char c) { FNameValueSeparator = c; }

    // Lines joined with "\n" after each; setting splits at LF, CR LF or CR.
    virtual std::string Text() const;
    virtual void SetText(const std::string& text);
    // Items separated by Delimiter, quoted with QuoteChar when they hold a blank,
    // a quote or the delimiter; reading also splits at blanks unless StrictDelimiter.
    std::string DelimitedText() const;
    void SetDelimitedText(const std::string& text);
    std::string CommaText() const;
    void SetCommaText(const std::string& text);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char c) { FDelimiter = c; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char c) { FQuoteChar = c; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool v) { FStrictDelimiter = v; }

    // Several changes announced as one: OnChanging at the first BeginUpdate,
    // OnChange at the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Files are read as UTF-8 (a byte-order mark is skipped) and written as UTF-8.
    virtual void LoadFromFile(const std::string& fileName);
    virtual void SaveToFile(const std::string& fileName) const;
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;

protected:
    virtual void SetUpdateState(bool updating);
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    void Error(const char* message, int index) const;

private:
    int FUpdateCount = 0;
    char FNameValueSeparator = '=';
    char FDelimiter = ',';
    char FQuoteChar = '"';
    bool FStrictDelimiter = false;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

// The concrete string list: optional sorting (case-insensitive unless
// CaseSensitive), duplicate handling when sorted, change events.
class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FList.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void InsertObject(int index, const std::string& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;
    int AddObject(const std::string& s, TObject* object) override;
    int IndexOf(const std::string& s) const override;
    void Exchange(int index1, int index2) override;

    // Binary search of a sorted list: true with the first match's index, else
    // false with the index where s would be inserted.
    bool Find(const std::string& s, int& index) const;
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    // When set, the list deletes the objects of removed lines and on destruction.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool value) { FOwnsObjects = value; }

    std::function<void(TObject* Sender)> OnChange;
    std::function<void(TObject* Sender)> OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    int CompareStrings(const std::string& a, const std::string& b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TStringItem {
        std::string S;
        TObject* O = nullptr;
    };
    void CheckIndex(int index) const;
    void InsertItem(int index, const std::string& s, TObject* object);

    std::vector<TStringItem> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
};
