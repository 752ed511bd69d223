#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/fakes.h"

namespace torvane {
namespace {

using testing::FakeLister;

class BuildCatalogueTest : public ::testing::Test {
 protected:
  std::string Build(std::vector<std::string> names, const std::string& folder = "/data") {
    lister.names[folder + kPathSeparator + "*.txt"] = std::move(names);
    return BuildCatalogue(catalogue, folder, lister);
  }
  FakeLister lister;
  Catalogue catalogue;
};

TEST_F(BuildCatalogueTest, NumericOrderWithTiesInNtfsOrder) {
  EXPECT_EQ(Build({"10.txt", "9.txt", "a.txt", "B.TXT", "2.5.txt", "-1.txt", "0.txt"}), "7");
  EXPECT_EQ(catalogue.FileNames, (std::vector<std::string>{"-1.txt", "0.txt", "a.txt", "B.TXT",
                                                           "2.5.txt", "9.txt", "10.txt"}));
}

TEST_F(BuildCatalogueTest, NamesOfEqualValueComeInOneOrderHoweverTheyWereListed) {
  // NTFS compares upper-cased UTF-16 code units: "_" (0x5F) comes after the letters.
  const std::vector<std::string> expected{"A.txt", "a1.txt", "b.txt", "_x.txt",
                                          "ä.txt", "Ω.txt",  "Я.txt", "中.txt"};
  std::vector<std::string> names = expected;
  std::mt19937 random(7);
  for (int round = 0; round < 5; ++round) {
    std::shuffle(names.begin(), names.end(), random);
    Build(names);
    EXPECT_EQ(catalogue.FileNames, expected);
  }
}

TEST_F(BuildCatalogueTest, EveryNameIsKeptAndCountedBeyondSixteenBits) {
  std::vector<std::string> names;
  for (int i = 40000; i >= 1; --i) names.push_back(std::to_string(i) + ".txt");
  EXPECT_EQ(Build(names), "40000");
  EXPECT_EQ(catalogue.FileNames.back(), "40000.txt");
}

}  // namespace
}  // namespace torvane
