#include "app/jobs/JobList.h"

#include <utility>

std::string TJobRow::SubItem(int AColumn) const {
    return AColumn >= 0 && AColumn < JobColumnCount ? FColumns[AColumn] : std::string();
}

void TJobRow::SetSubItem(int AColumn, const std::string& AText) {
    if (AColumn >= 0 && AColumn < JobColumnCount)
        FColumns[AColumn] = AText;
}

int TJobList::IndexOfJob(int AJobId) const {
    for (int i = 0; i < Count(); ++i)
        if (FRows[i]->JobId() == AJobId)
            return i;
    return -1;
}

TJobRow& TJobList::Add(int AJobId, int ASlot) {
    FRows.push_back(std::make_unique<TJobRow>(AJobId, ASlot));
    return *FRows.back();
}

void TJobList::Delete(int AIndex) {
    FRows.erase(FRows.begin() + AIndex);
    if (FSelected == AIndex)
        FSelected = -1;
    else if (FSelected > AIndex)
        --FSelected;
}

void TJobList::Exchange(int AIndex1, int AIndex2) {
    std::swap(FRows.at(AIndex1), FRows.at(AIndex2));
    if (FSelected == AIndex1)
        FSelected = AIndex2;
    else if (FSelected == AIndex2)
        FSelected = AIndex1;
}

void TJobList::Clear() {
    FRows.clear();
    FSelected = -1;
}
