#pragma once

// Benchmark commands register themselves by name; rowsmith_bench <command> <args...> runs one.

#include "core/workbench/RunOutcome.h"

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace rs::bench {

using Command = std::function<int(const std::vector<std::string>& args)>;

std::map<std::string, Command>& Commands();

struct Register {
    Register(const std::string& name, Command c) { Commands()[name] = std::move(c); }
};

// Prints the outcome's messages; 0 when the run wrote something to open, 1 when it stopped at a check.
inline int Report(const RunOutcome& out) {
    for (const std::string& m : out.messages) std::fprintf(stderr, "%s\n", m.c_str());
    for (const std::string& m : out.messagesAfter) std::fprintf(stderr, "%s\n", m.c_str());
    return out.open == RunOutcome::Open::Nothing && !out.messages.empty() ? 1 : 0;
}

}  // namespace rs::bench
