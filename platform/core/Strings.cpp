#include "platform/core/Strings.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"

// ---- TStrings -------------------------------------------------------------

void TStrings::Error(const char* message, int index) const {
    throw EListError(Format(message, index));
}

void TStrings::Put(int index, const std::string& s) {
    TObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, object);
    EndUpdate();
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::Add(const std::string& s) {
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Get(i);
        const size_t p = line.find(FNameValueSeparator);
        if (p != std::string::npos && p > 0 && CompareStrings(line.substr(0, p), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    const std::string s1 = Get(index1);
    TObject* o1 = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, s1);
    PutObject(index2, o1);
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    BeginUpdate();
    const std::string s = Get(curIndex);
    TObject* o = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, o);
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& strings) {
    BeginUpdate();
    for (int i = 0; i < strings.Count(); ++i)
        AddObject(strings.Get(i), strings.GetObject(i));
    EndUpdate();
}

void TStrings::Assign(const TPersistent* Source) {
    if (const auto* source = dynamic_cast<const TStrings*>(Source)) {
        if (source == this)
            return;
        BeginUpdate();
        Clear();
        FNameValueSeparator = source->FNameValueSeparator;
        FDelimiter = source->FDelimiter;
        FQuoteChar = source->FQuoteChar;
        FStrictDelimiter = source->FStrictDelimiter;
        AddStrings(*source);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

std::string TStrings::Names(int index) const {
    const std::string line = Get(index);
    const size_t p = line.find(FNameValueSeparator);
    return p == std::string::npos ? std::string() : line.substr(0, p);
}

std::string TStrings::Values(const std::string& name) const {
    const int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    if (i < 0)
        Add(name + FNameValueSeparator + value);
    else
        Put(i, name + FNameValueSeparator + value);
}

std::string TStrings::ValueFromIndex(int index) const {
    const std::string line = Get(index);
    const size_t p = line.find(FNameValueSeparator);
    return p == std::string::npos ? std::string() : line.substr(p + 1);
}

void TStrings::SetValueFromIndex(int index, const std::string& value) {
    if (value.empty()) {
        Delete(index);
        return;
    }
    Put(index, Names(index) + FNameValueSeparator + value);
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += '\n';
    }
    return out;
}

void TStrings::SetText(const std::string& text) {
    BeginUpdate();
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        Add(text.substr(start, end - start));
        if (end < text.size()) {
            // One line break: LF, CR LF or a lone CR.
            if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
                ++end;
            ++end;
        }
        start = end;
    }
    EndUpdate();
}

std::string TStrings::DelimitedText() const {
    if (Count() == 1 && Get(0).empty())
        return std::string(2, FQuoteChar);
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        bool quote = false;
        for (char c : s) {
            if (c == FQuoteChar || c == FDelimiter || (!FStrictDelimiter && static_cast<unsigned char>(c) <= ' ')) {
                quote = true;
                break;
            }
        }
        if (i > 0)
            out += FDelimiter;
        out += quote ? AnsiQuotedStr(s, FQuoteChar) : s;
    }
    return out;
}

void TStrings::SetDelimitedText(const std::string& text) {
    auto blank = [&](size_t k) { return k < text.size() && static_cast<unsigned char>(text[k]) <= ' ' && text[k] != '\0'; };
    BeginUpdate();
    Clear();
    size_t p = 0;
    if (!FStrictDelimiter)
        while (blank(p))
            ++p;
    while (p < text.size()) {
        std::string item;
        if (text[p] == FQuoteChar) {
            item = AnsiExtractQuotedStr(text, p, FQuoteChar);
        } else {
            const size_t from = p;
            while (p < text.size() && text[p] != FDelimiter && (FStrictDelimiter || !blank(p)))
                ++p;
            item = text.substr(from, p - from);
        }
        Add(item);
        if (!FStrictDelimiter)
            while (blank(p))
                ++p;
        if (p < text.size() && text[p] == FDelimiter) {
            if (p + 1 == text.size())
                Add("");
            ++p;
            if (!FStrictDelimiter)
                while (blank(p))
                    ++p;
        }
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    TStringList copy;
    copy.Assign(this);
    copy.SetDelimiter(',');
    copy.SetQuoteChar('"');
    copy.SetStrictDelimiter(false);
    return copy.DelimitedText();
}

void TStrings::SetCommaText(const std::string& text) {
    const char d = FDelimiter, q = FQuoteChar;
    const bool strict = FStrictDelimiter;
    FDelimiter = ',';
    FQuoteChar = '"';
    FStrictDelimiter = false;
    SetDelimitedText(text);
    FDelimiter = d;
    FQuoteChar = q;
    FStrictDelimiter = strict;
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
    return CompareText(a, b);
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TStrings::LoadFromStream(TStream& stream) {
    const int64_t size = stream.Size() - stream.Position();
    std::string data(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    data.resize(static_cast<size_t>(stream.Read(data.data(), static_cast<int64_t>(data.size()))));
    if (data.compare(0, 3, "\xEF\xBB\xBF") == 0)
        data.erase(0, 3);
    SetText(data);
}

void TStrings::SaveToStream(TStream& stream) const {
    const std::string text = Text();
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

// ---- TStringList ------------------------------------------------------------

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (auto& item : FList)
            delete item.O;
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        Error("List index out of bounds (%d)", index);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return FList[index].S;
}

void TStringList::Put(int index, const std::string& s) {
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    FList[index].S = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return FList[index].O;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    if (FOwnsObjects && FList[index].O != object)
        delete FList[index].O;
    FList[index].O = object;
    Changed();
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
    Changing();
    FList.insert(FList.begin() + index, TStringItem{s, object});
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        Error("List index out of bounds (%d)", index);
    InsertItem(index, s, object);
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    TObject* object = FList[index].O;
    FList.erase(FList.begin() + index);
    if (FOwnsObjects)
        delete object;
    Changed();
}

void TStringList::Clear() {
    if (FList.empty())
        return;
    Changing();
    std::vector<TStringItem> old;
    old.swap(FList);
    if (FOwnsObjects)
        for (auto& item : old)
            delete item.O;
    Changed();
}

int TStringList::Add(const std::string& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const std::string& s, TObject* object) {
    int index = Count();
    if (FSorted) {
        if (Find(s, index)) {
            if (FDuplicates == dupIgnore)
                return index;
            if (FDuplicates == dupError)
                throw EListError("String list does not allow duplicates");
        }
    }
    InsertItem(index, s, object);
    return index;
}

int TStringList::IndexOf(const std::string& s) const {
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FList[index1], FList[index2]);
    Changed();
}

bool TStringList::Find(const std::string& s, int& index) const {
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (CompareStrings(FList[mid].S, s) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < Count() && CompareStrings(FList[lo].S, s) == 0;
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) { return list->CompareStrings(list->FList[a].S, list->FList[b].S); });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (Count() < 2)
        return;
    Changing();
    // Sort a permutation so that the comparer sees indexes into the unchanged list.
    std::vector<int> order(FList.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int i : order)
        sorted.push_back(std::move(FList[i]));
    FList.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (value == FSorted)
        return;
    if (value)
        Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == FCaseSensitive)
        return;
    FCaseSensitive = value;
    if (FSorted)
        Sort();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
    return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}
