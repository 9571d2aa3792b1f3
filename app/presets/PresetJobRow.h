#pragma once
#include <map>
#include <string>

// What the preset cascade needs of a job-list row: its sub-item columns by number
// (1 to 24; column 0 is the input path). The job list implements it later.
class TPresetJobRow {
public:
    virtual ~TPresetJobRow() = default;
    virtual std::string SubItem(int column) const = 0;
    virtual void SetSubItem(int column, const std::string& text) = 0;
};

// A row held in memory, for code and tests without a job list.
class TMemoryJobRow : public TPresetJobRow {
public:
    std::string SubItem(int column) const override
    {
        auto it = FColumns.find(column);
        return it == FColumns.end() ? std::string() : it->second;
    }
    void SetSubItem(int column, const std::string& text) override { FColumns[column] = text; }

private:
    std::map<int, std::string> FColumns;
};
