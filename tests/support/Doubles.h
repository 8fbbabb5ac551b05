#pragma once

// Scripted stand-ins for the user's side of the platform layer, and file helpers.

#include "core/platform/Dialogs.h"
#include "core/platform/RowList.h"
#include "core/platform/Shell.h"
#include "core/workbench/AppState.h"
#include "core/workbench/RunOutcome.h"

#include <signal.h>

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace rs::test {

// Rows of text, as the suites write what they expect.
using Lines = std::vector<std::string>;

struct MessageRecord {
    std::string text;
    MsgKind kind;
    std::string caption;
};

// What the user saw, in order: "message:TEXT", "open:PATH" and "folder:PATH".
using EventLog = std::vector<std::string>;

class RecordingDialogs : public Dialogs {
public:
    void message(const std::string& text, MsgKind kind, const std::string& caption) override {
        messages.push_back({text, kind, caption});
        if (events) events->push_back("message:" + text);
    }
    std::string inputBox(const std::string& caption, const std::string& prompt) override {
        inputPrompts.push_back(caption + "|" + prompt);
        if (inputAnswers.empty()) return {};
        std::string a = inputAnswers.front();
        inputAnswers.pop_front();
        return a.substr(0, 255);
    }
    std::string chooseFile(const std::string& filter, const std::string& presetName) override {
        fileFilters.push_back(filter + "|" + presetName);
        if (fileAnswers.empty()) return {};
        std::string a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (auto& m : messages) t.push_back(m.text);
        return t;
    }

    std::vector<MessageRecord> messages;
    EventLog* events = nullptr;
    std::deque<std::string> inputAnswers;
    std::vector<std::string> inputPrompts;
    std::deque<std::string> fileAnswers;
    std::vector<std::string> fileFilters;
};

// Answers at once with the scripted result; a test answers again through lastDone, as an opener
// that fails late does.
class RecordingShell : public Shell {
public:
    void open(const std::string& target, bool maximised, ShellDone done) override {
        opened.push_back(target);
        openedMaximised.push_back(maximised);
        if (events) events->push_back("open:" + target);
        answer(std::move(done));
    }
    void openFolder(const std::string& folder, ShellDone done) override {
        folders.push_back(folder);
        if (events) events->push_back("folder:" + folder);
        answer(std::move(done));
    }
    void answer(ShellDone done) {
        lastDone = std::move(done);
        lastDone(result);
    }
    ShellResult result = ShellResult::Ok;
    ShellDone lastDone;
    std::vector<std::string> opened;
    std::vector<bool> openedMaximised;
    std::vector<std::string> folders;
    EventLog* events = nullptr;
};

// Installs fresh doubles, and a fresh shared state, for the lifetime of the object.
struct DoublesScope {
    DoublesScope();
    ~DoublesScope();
    RecordingDialogs dialogs;
    RecordingShell shell;
    AppState state;
    EventLog events;  // messages and shell calls in the order they came
};

// The one message of an outcome that shows a message and opens nothing; empty otherwise.
std::string OnlyMessage(const RunOutcome& outcome);
// True when the outcome hands file to the shell (after its messages).
bool Publishes(const RunOutcome& outcome, const std::string& file);

// A temporary folder removed with everything in it at the end of the scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The names in a folder, sorted.
Lines Entries(const std::string& folder);

// Makes every write to a file fail past `bytes`, as on a full disk, for the lifetime of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t old_ = 0;
    struct sigaction oldAction_ {};
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// The rows of a file as the text reader reads them, and the rows of a row list.
Lines ReaderRows(const std::string& path);
Lines ListRows(const RowList& list);
// A row list holding the given rows.
RowList RowListOf(const Lines& rows);
// The lines of a file written with CR LF ends; fails the test when an end is not CR LF.
std::vector<std::string> ReadCrlfLines(const std::string& path);
// The same for bytes already read; false when a line end is not CR LF.
bool SplitCrlfLines(const std::string& bytes, std::vector<std::string>& lines);

}  // namespace rs::test
