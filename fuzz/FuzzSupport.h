#pragma once

// What the fuzz targets share: a check that stops the run, a scratch folder, settings drawn
// from the input, and the lines of the files an operation wrote.

#include "core/platform/RowList.h"
#include "tests/support/Doubles.h"
#include "tests/support/Reference.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rs::fuzz {

// Prints what failed and aborts, so that libFuzzer keeps the input as a crash.
[[noreturn]] void Fail(const char* what, const char* file, int line);

#define FUZZ_CHECK(cond) ((cond) ? void(0) : ::rs::fuzz::Fail(#cond, __FILE__, __LINE__))

// A path in a folder of this process, removed when it exits.
std::string ScratchFile(const std::string& name);

// A text as an edit box or input box hands it over: valid UTF-8 without line breaks; with
// lines, as a multi-line box hands it over: its lines ended by LF.
std::string SettingText(FuzzedDataProvider& in, std::size_t maxBytes = 12, bool lines = false);

// A spin edit's value: mostly small, so that rows reach it, now and then up to 25000.
std::int32_t Position(FuzzedDataProvider& in);

// The lines of a file an operation wrote; fails when one does not end with CR LF.
std::vector<std::string> WrittenLines(const std::string& path);

RowList ToRowList(const std::vector<std::string>& rows);

std::vector<std::string> Sorted(std::vector<std::string> rows);

}  // namespace rs::fuzz
