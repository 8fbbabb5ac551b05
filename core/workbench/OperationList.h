#pragma once

// The entries of the main window's operation list.

#include <optional>
#include <string>
#include <vector>

namespace rs {

// The entries in the order they are added to the list (the list shows them sorted).
enum class Operation {
    RemoveEverywhere,
    RemoveOrDelete,
    TrimBoth,
    Insert,
    CaseLower,
    CaseUpper,
    ViewAll,
    ViewNumber,
    Extract,
    RemoveRowsContaining,
    ViewPosition,
    Duplicates,
    Template,
    CountString,
    RemoveBlank,
    TrimLeft,
    TrimRight,
    CountWords,
    BulkInsert,
    Sum,
    BulkCombine,
    BulkSplit,
};

// The texts of the 22 entries, indexed by Operation.
extern const std::vector<std::string> kOperationEntries;

// The operation of an entry's text; none for a text that is no entry.
std::optional<Operation> OperationOf(const std::string& entry);

// Every entry works on the current input except the template builder and the three bulk tools.
bool EntryNeedsInput(const std::string& entry);

}  // namespace rs
