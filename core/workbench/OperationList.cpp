#include "core/workbench/OperationList.h"

#include <algorithm>

namespace rs {

const std::vector<std::string> kOperationEntries = {
    "REMOVE         - Remove strings from all locations",
    "REMOVE         - Remove strings or delete various rows",
    "TRIM BOTH      - Trim spaces from beginning and end of all rows",
    "INSERT         - Insert strings into rows",
    "CASE LOWERCASE - Change all to lower case",
    "CASE UPPERCASE - Change all to upper case",
    "VIEW ALL       - Gather statistics",
    "VIEW NUMBER    - View row number on each line",
    "EXTRACT        - Extract strings or rows ",
    "REMOVE         - Remove rows if a string you enter is found",
    "VIEW           - Byte position counter",
    "DUPLICATES     - Extract, consolidate, or eliminate duplicates",
    "TEMPLATE       - Builder - Replicate setup multiple times",
    "COUNT          - Count total occurrances of any string",
    "REMOVE         - Remove all blank rows",
    "TRIM LEFT      - Remove spaces from beginning of all rows",
    "TRIM RIGHT     - Remove spaces from the end of all rows",
    "COUNT          - Count total words",
    "BULK INSERT    - Bulk - Insert string(s) into many files at once",
    "SUM            - Sum numeric numbers (Whole and decimal breakdown)",
    "BULK COMBINE   - Bulk - Combine many files into 1 file",
    "BULK SPLIT     - Bulk - Split 1 file into many files",
};

std::optional<Operation> OperationOf(const std::string& entry) {
    auto it = std::find(kOperationEntries.begin(), kOperationEntries.end(), entry);
    if (it == kOperationEntries.end()) return std::nullopt;
    return static_cast<Operation>(it - kOperationEntries.begin());
}

bool EntryNeedsInput(const std::string& entry) {
    const std::optional<Operation> op = OperationOf(entry);
    return !op || (*op != Operation::Template && *op != Operation::BulkInsert &&
                   *op != Operation::BulkCombine && *op != Operation::BulkSplit);
}

}  // namespace rs
