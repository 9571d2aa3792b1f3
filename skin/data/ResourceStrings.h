#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Component.h"
#include "platform/core/Strings.h"

class TbsSkinData;

// The skin layer's table of user-visible texts by key ("MSG_BTN_OK", ...), so
// that an application can translate the layer by replacing the lines. A new
// table holds the English defaults.
class TbsResourceStrData : public TComponent {
public:
    explicit TbsResourceStrData(TComponent* AOwner);

    // Lines "KEY=text". Setting replaces every line by a copy of the given ones.
    TStrings* ResStrings() const { return FResStrs.get(); }
    void SetResStrings(const TStrings& Value);

    // The character set skinned windows give their fonts while they show texts
    // from this table. Stored only: fonts are not chosen by character set here.
    uint8_t CharSet() const { return FCharSet; }
    void SetCharSet(uint8_t Value) { FCharSet = Value; }

    // The text after the first "=" of the first line whose key matches ResName
    // without regard to case; empty when no line does.
    std::string GetResStr(const std::string& ResName) const;

private:
    std::unique_ptr<TStringList> FResStrs;
    uint8_t FCharSet = 1;   // DEFAULT_CHARSET
};

// The built-in English text of a key: the default line of a new table; empty
// for a key the layer does not know.
std::string BuiltInResStr(const std::string& Key);

// The text every skinned control and dialog shows for Key: the text of the
// container's table when the container and its table are set and the text is
// not empty, else the built-in English text.
std::string SkinResStr(const TbsSkinData* SkinData, const std::string& Key);

struct TbsResStrDefault {
    const char* Key;
    const char* Text;
};
// The default lines of a new table, in their order.
const std::vector<TbsResStrDefault>& ResStrDefaults();
