#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/fakes.h"

namespace torvane::testing {

/// The committed folder tests/data/ (TORVANE_TEST_DATA), made absolute on the first call:
/// call it before a test changes the current directory.
inline const std::filesystem::path& TestData() {
  static const std::filesystem::path folder = std::filesystem::absolute(PathOf(TORVANE_TEST_DATA));
  return folder;
}

/// The example spectra, a folder of tests/data/.
inline std::filesystem::path ExampleSpectra() {
  return TestData() / "polystyrene";
}

/// The summary of the example spectra for 990 ~ 1010, peak, no heading line, as committed.
inline std::string ExampleSummary() {
  std::ifstream in(TestData() / "990-1010.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace torvane::testing
