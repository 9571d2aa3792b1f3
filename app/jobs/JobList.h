#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/jobs/JobColumns.h"
#include "app/presets/PresetJobRow.h"

// One row of the job list: the texts of its 25 columns, the job it shows and
// the slot that holds the job's records. A row keeps its job through moves and
// removals of other rows, so it always converts with its own records.
class TJobRow : public TPresetJobRow {
public:
    TJobRow(int AJobId, int ASlot) : FJobId(AJobId), FSlot(ASlot) {}

    int JobId() const { return FJobId; }
    int Slot() const { return FSlot; }

    // Column 0 is the caption; texts of columns outside 0 to 24 are empty and not kept.
    std::string SubItem(int AColumn) const override;
    void SetSubItem(int AColumn, const std::string& AText) override;
    const std::string& Caption() const { return FColumns[JobColumnInputFile]; }

private:
    int FJobId;
    int FSlot;
    std::array<std::string, JobColumnCount> FColumns;
};

// The rows in list order, with at most one selected. Rows are held by pointer,
// so a row handed out (to the preset cascade) stays valid until it is deleted.
class TJobList {
public:
    int Count() const { return static_cast<int>(FRows.size()); }
    TJobRow& Row(int AIndex) const { return *FRows.at(AIndex); }
    // The row index of a job, -1 when no row shows it.
    int IndexOfJob(int AJobId) const;

    TJobRow& Add(int AJobId, int ASlot);
    void Delete(int AIndex);
    void Exchange(int AIndex1, int AIndex2);
    void Clear();

    int Selected() const { return FSelected; }
    // -1 or an index outside the list selects nothing.
    void SetSelected(int AIndex) { FSelected = AIndex >= 0 && AIndex < Count() ? AIndex : -1; }
    TJobRow* SelectedRow() const { return FSelected >= 0 ? FRows[FSelected].get() : nullptr; }

private:
    std::vector<std::unique_ptr<TJobRow>> FRows;
    int FSelected = -1;
};
