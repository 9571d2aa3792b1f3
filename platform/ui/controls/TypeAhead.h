#pragma once
#include <cstdint>
#include <string>

// What a list, combo, list view or tree view collects from typed characters
// to jump to an item: the characters typed within a pause of each other.
class TTypeAhead {
public:
    explicit TTypeAhead(uint32_t pauseMs = 1000) : FPause(pauseMs) {}
    // Adds a typed character at the tick count now; answers the prefix so far.
    std::string Add(char32_t ch, uint32_t now);
    // Whether this is the first character of a new search.
    bool Fresh() const { return FText.size() == 1; }
    // Forgets what was typed, so the next character starts a new search.
    void Reset() { FText.clear(); }
    // Whether text begins with prefix, ignoring the case of Latin letters.
    static bool Matches(const std::string& text, const std::string& prefix);

private:
    uint32_t FPause;
    std::u32string FText;
    uint32_t FTime = 0;
};
