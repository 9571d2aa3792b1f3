#pragma once
#include <string_view>
#include <vector>

#include "app/presets/OptionRows.h"

// The output settings dialog's option lists and option rows. The lists are named by the
// dialog's own scheme (DR frame size, DVB video bit rate, DFR frame rate, DAB audio bit
// rate, DSR sample rate, DAM aspect mode); those equal to a list of the preset catalogue
// take its entries. The rows of the categories the dialog shares with the main window are
// the catalogue's rows, their cells moved onto the dialog's lists.

// The fifty lists, kind by kind in fill order, by number within a kind.
const std::vector<TOptionList>& OutputOptionLists();

// The dialog's list of that name, or nullptr.
const TOptionList* FindOutputOptionList(std::string_view name);

// The catalogue list a dialog list takes its entries from; empty for the dialog's own.
std::string_view SharedOptionListName(const TOptionList& list);

// The 109 option rows in key order, titled with the dialog's format titles.
const std::vector<TOptionRow>& OutputOptionRows();

// The option row of a key, or nullptr: only the dialog's formats have one.
const TOptionRow* FindOutputOptionRow(int key);
