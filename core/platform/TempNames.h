#pragma once

// The hidden names ".rowsmith-<process>-<number>.tmp" that files being written have where they
// cannot be written without a name, and what removes them when the program ends before they are
// renamed into place: a signal that ends it (SIGTERM, SIGINT, SIGHUP, on whichever thread it
// lands) or exit(), as Qt calls when the display goes away. Only kill -9 or a crash leaves one.

#include <functional>
#include <string>

namespace rs {

class TempName {
public:
    TempName() = default;
    ~TempName() { forget(); }
    TempName(const TempName&) = delete;
    TempName& operator=(const TempName&) = delete;

    // Makes a fresh name in folder (empty, or ending with '/'): create(name) makes the file under
    // it and returns 0 or an errno (EEXIST tries another name). The name is known to the clean-up
    // before create runs, and create runs with the ending signals held off on this thread, so a
    // file made there is removed whenever the program ends early. create must not allocate or
    // lock: the clean-up, on another thread, waits for it, up to a second and a half (a create
    // that a stalled file system never answers cannot keep the program from ending). Returns 0
    // or the errno of the failure.
    int make(const std::string& folder, const std::function<int(const char* name)>& create);

    bool empty() const { return path_.empty(); }
    const std::string& path() const { return path_; }
    // Removes the file under the name, and forgets the name.
    void remove();
    // Forgets the name, which is no longer this file's (it has been renamed into place).
    void forget();

private:
    std::string path_;
    int slot_ = -1;
};

}  // namespace rs
