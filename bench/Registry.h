#pragma once

// Benchmark commands register themselves by name; rowsmith_bench <command> <args...> runs one.

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

}  // namespace rs::bench
