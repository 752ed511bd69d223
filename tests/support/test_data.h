#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/fakes.h"

namespace torvane::testing {

/// The example spectra of tests/data/ (TORVANE_TEST_DATA), as an absolute path: ask for it
/// before a test changes the current directory.
inline std::filesystem::path ExampleSpectra() {
  return std::filesystem::absolute(PathOf(TORVANE_TEST_DATA)) / "polystyrene";
}

/// Their committed summary for 990 ~ 1010, peak, no heading line.
inline std::string ExampleSummary() {
  std::ifstream in(ExampleSpectra().parent_path() / "990-1010.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace torvane::testing
