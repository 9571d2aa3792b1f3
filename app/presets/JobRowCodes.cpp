#include "app/presets/JobRowCodes.h"

#include <algorithm>

#include "platform/core/Exception.h"

namespace {

bool IsCode(const std::string& code, size_t length)
{
    return code.size() == length && std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string TwoDigits(int index)
{
    if (index < 0 || index > 99)
        throw EConvertError("An option index of " + std::to_string(index) + " does not fit the option code");
    return std::string(1, char('0' + index / 10)) + char('0' + index % 10);
}

} // namespace

int OptionValueColumn(TOptionKind kind)
{
    return 16 + OptionSlot(kind);
}

std::string SelectionCode(int categoryItem, int formatItem)
{
    return std::to_string(100 * (categoryItem + 1) + formatItem);
}

std::optional<TSelection> ParseSelectionCode(const std::string& code)
{
    if (code.empty() || code.size() > 6 || !IsCode(code, code.size()))
        return std::nullopt;
    int value = std::stoi(code);
    if (value < 100)
        return std::nullopt;
    return TSelection{value / 100 - 1, value % 100};
}

int OptionCodePair(TOptionKind kind)
{
    for (int pair = 0; pair < OptionKindCount; ++pair)
        if (OptionCodeOrder[pair] == kind)
            return pair;
    return 0;
}

std::string OptionCode(const std::array<int, OptionKindCount>& indexesByKind)
{
    std::string code;
    for (TOptionKind kind : OptionCodeOrder)
        code += TwoDigits(indexesByKind[OptionSlot(kind)]);
    return code;
}

std::optional<std::array<int, OptionKindCount>> ParseOptionCode(const std::string& code)
{
    if (!IsCode(code, 2 * OptionKindCount))
        return std::nullopt;
    std::array<int, OptionKindCount> indexes{};
    for (int pair = 0; pair < OptionKindCount; ++pair)
        indexes[OptionSlot(OptionCodeOrder[pair])] = (code[2 * pair] - '0') * 10 + (code[2 * pair + 1] - '0');
    return indexes;
}

std::string SpliceOptionCode(const std::string& code, TOptionKind kind, int index)
{
    std::string result = IsCode(code, 2 * OptionKindCount) ? code : std::string(2 * OptionKindCount, '0');
    result.replace(2 * OptionCodePair(kind), 2, TwoDigits(index));
    return result;
}
