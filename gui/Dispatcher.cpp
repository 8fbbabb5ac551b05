#include "gui/Dispatcher.h"

#include "core/platform/Dialogs.h"
#include "core/platform/Folders.h"
#include "core/workbench/AppState.h"
#include "core/workbench/LineOperations.h"
#include "core/workbench/LoadInput.h"
#include "core/workbench/OperationList.h"
#include "gui/filetools/UBulkSplit.h"
#include "gui/filetools/UCombineFile.h"
#include "gui/filetools/UManyFiles.h"
#include "gui/platform/DecimalSeparator.h"
#include "gui/platform/FormHelpers.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UDups.h"
#include "gui/workbench/UExtract.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/USecond.h"
#include "gui/workbench/UTemplate.h"
#include "gui/workbench/Uposition.h"

namespace rs {

namespace {

// One of the row-by-row operations on the current input file.
void RunMode(TFrmFirst& first, const char* mode) {
    AppState& state = appState();
    state.InputFileName = first.CurrentInput();
    RunGuarded([&first, &state, mode] {
        // The run checks what it reads: another window may paste at any moment, an input box's
        // included.
        Finish(RunLineOperation(mode, state.InputFileName, state.SearchText, state.ResultsFileName,
                                *FrmProgressWindow, state.counters, DecimalSeparator(), first.Pasted()));
    });
}

// Asks for the search text; false when the user gave none.
bool AskSearchText(const std::string& caption, const std::string& prompt) {
    std::string& text = appState().SearchText;
    text.clear();
    text = dialogs().inputBox(caption, prompt);
    return !text.empty();
}

// A fresh dialog each time, so it starts from its own settings; modal, freed afterwards.
template <class Form>
void RunFresh(TFrmFirst& first, Form*& variable) {
    variable = new Form(&first);
    variable->exec();
    delete variable;
    variable = nullptr;
}

}  // namespace

void Dispatch(TFrmFirst& first, const std::string& entry) {
    AppState& state = appState();
    const std::optional<Operation> op = OperationOf(entry);
    if (!op) return;
    switch (*op) {
        case Operation::RemoveEverywhere:
            state.InputFileName = first.CurrentInput();
            if (!AskSearchText("Remove characters", "Enter the character string you want removed:")) return;
            RunGuarded([&first, &state] {
                Finish(RemoveTextEverywhere(state.InputFileName, state.SearchText, state.ResultsFileName,
                                            *FrmProgressWindow, state.counters, first.Pasted()));
            });
            break;
        case Operation::RemoveOrDelete:
            FrmRemove->ClearOnlyIfContains();
            ShowModeless(FrmRemove);
            break;
        case Operation::TrimBoth:
            RunMode(first, "TRIM");
            break;
        case Operation::TrimLeft:
            RunMode(first, "LTRIM");
            break;
        case Operation::TrimRight:
            RunMode(first, "RTRIM");
            break;
        case Operation::Insert:
            ShowModeless(FrmInsert);
            break;
        case Operation::CaseLower:
            RunMode(first, "LOWER");
            break;
        case Operation::CaseUpper:
            RunMode(first, "UPPER");
            break;
        case Operation::ViewAll:
            RunGuarded([&first, &state] {
                WriteStatisticsReport(first.FileStatistics(), state.ResultsFileName,
                                      state.input.ListInput.source());
                Finish(RunOutcome::Publish(state.ResultsFileName));
            });
            break;
        case Operation::ViewNumber:
            RunMode(first, "COUNT");
            break;
        case Operation::Extract:
            FrmExtract->SelectByPositions();
            ShowModeless(FrmExtract);
            break;
        case Operation::RemoveRowsContaining:
            state.InputFileName = first.CurrentInput();
            if (!AskSearchText("Remove", "Remove all lines containing:")) return;
            RunGuarded([&state] {
                Finish(RemoveLinesContaining(state.input.ListInput, state.SearchText, state.ResultsFileName));
            });
            break;
        case Operation::ViewPosition:
            ShowModeless(FrmPosition);
            break;
        case Operation::Duplicates:
            ShowModeless(FrmDups);
            break;
        case Operation::Template:
            FrmTemplate->exec();
            break;
        case Operation::CountString:
            if (!AskSearchText("Count", "Count occurrances of the following word:")) {
                ShowMessage(
                    "No word was entered. If you enter a word, it will tell you the number of times the word was found in your input text.");
                return;
            }
            RunMode(first, "TALLY");
            break;
        case Operation::RemoveBlank:
            RunMode(first, "REMOVE-BLANK");
            break;
        case Operation::CountWords:
            RunMode(first, "WORDCOUNT");
            break;
        case Operation::Sum:
            RunMode(first, "SUM");
            break;
        case Operation::BulkInsert:
            FrmManyFiles->SetFolder(JoinPath(state.WorkFolder, ""));
            FrmManyFiles->exec();
            break;
        case Operation::BulkCombine:
            RunFresh(first, FrmCombineFile);
            break;
        case Operation::BulkSplit:
            RunFresh(first, FrmBulkSplit);
            break;
    }
}

void InstallDispatcher(TFrmFirst& first) {
    first.SetEntryRunner([&first](const std::string& entry) { Dispatch(first, entry); });
}

}  // namespace rs
