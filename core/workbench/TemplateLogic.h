#pragma once

// The template builder: one copy of the template rows for every filler row, with up to
// three keys replaced by the filler rows of the same index.

#include "core/workbench/MemoRows.h"
#include "core/workbench/Progress.h"
#include "core/workbench/RunOutcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rs {

class TextWriter;

inline constexpr const char* kTemplateNoTemplate =
    "Right click in the \"Template\" box and paste your template data. This is the template data that will be replicated for every row found in your data filler box.";
inline constexpr const char* kTemplateNoFiller =
    "Right click in the \"Data Filler\" box and paste your rows. This is the data that will be used to replace the key field found everywhere in your template.  You must enter at least the first key and filler data fields. ";
inline constexpr const char* kTemplateNoKey =
    "You need to enter a key field. This is the key field found in your template, that will be matched and replaced with each row of data found in your \"Data Filler\" box.";
inline constexpr const char* kTemplateCountsDiffer =
    "Your number of rows in each filler box must be the same number.";
inline constexpr const char* kTemplateKeyFillerPair =
    "Key field must be entered if matching filler field entered. Either enter data in each or have both empty if not using.";

// What the dialog's boxes held when "Apply" was pressed. Keys are used exactly as typed.
struct TemplateSettings {
    MemoRows templateRows;  // Memo1
    std::string key1, key2, key3;
    MemoRows filler1, filler2, filler3;  // Memo33, Memo6, Memo7
};

// The message of the first check that fails, or nothing when the run may go on.
std::optional<std::string> ValidateTemplate(const TemplateSettings& s);

// Writes the template once for every row of filler 1, each row with the keys of the pairs
// that take part replaced in turn (key 1, then 2, then 3). Returns the lines written.
std::int64_t WriteTemplateCopies(const TemplateSettings& s, TextWriter& out);

// Checks the settings and, when they pass, writes the results file under the progress
// window (start text only). A file error propagates.
RunOutcome RunTemplate(const TemplateSettings& s, const std::string& resultsFile, Progress& progress);

}  // namespace rs
