#pragma once

// What a form's run needs around it: fresh doubles and shared state, a temporary work folder
// that holds the results file, the progress window, and the rows the main window loaded.

#include "tests/support/Doubles.h"

namespace rs::test {

struct WorkScope {
    explicit WorkScope(const Lines& input = {});
    // Makes rows the loaded input, their count the divisor of the percentages.
    void load(const Lines& rows);
    Lines results() const;  // the lines of the results file
    bool resultsWritten() const;

    DoublesScope doubles;
    TempDir dir;
};

}  // namespace rs::test
