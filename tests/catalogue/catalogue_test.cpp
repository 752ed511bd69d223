#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fakes.h"

namespace torvane {
namespace {

using testing::FakeLister;

std::vector<std::string> Stored(const Catalogue& catalogue) {
  std::vector<std::string> names;
  for (long i = 1; i <= catalogue.StoredCount(); ++i) names.push_back(catalogue.FileNames(i));
  return names;
}

class BuildCatalogueTest : public ::testing::Test {
 protected:
  std::string Build(std::vector<std::string> names, const std::string& folder = "/data") {
    lister.names[folder + "/*.txt"] = std::move(names);
    return BuildCatalogue(catalogue, folder, lister);
  }
  FakeLister lister;
  Catalogue catalogue;
};

TEST_F(BuildCatalogueTest, NumericOrderWithTiesInEnumerationOrder) {
  EXPECT_EQ(Build({"10.txt", "9.txt", "a.txt", "B.TXT", "2.5.txt", "-1.txt", "0.txt"}), "7");
  EXPECT_EQ(Stored(catalogue), (std::vector<std::string>{"-1.txt", "a.txt", "B.TXT", "0.txt",
                                                         "2.5.txt", "9.txt", "10.txt"}));
}

TEST_F(BuildCatalogueTest, SortIsStableForEveryTie) {
  // Many equal keys among others: a stable exchange sort keeps their enumeration order.
  std::vector<std::string> names;
  for (int i = 0; i < 60; ++i) {
    names.push_back(std::to_string(i % 4) + "_" + std::to_string(i) + ".txt");
  }
  Build(names);
  std::vector<std::string> expected = names;
  std::stable_sort(expected.begin(), expected.end(),
                   [](const std::string& a, const std::string& b) { return a[0] < b[0]; });
  EXPECT_EQ(Stored(catalogue), expected);
}

TEST_F(BuildCatalogueTest, RebuildAfterALargerCatalogueSeesOnlyTheNewCount) {
  Build({"3.txt", "2.txt", "1.txt"});
  EXPECT_EQ(Build({"7.txt"}), "1");
  EXPECT_EQ(Stored(catalogue), (std::vector<std::string>{"7.txt"}));
  EXPECT_EQ(catalogue.FileNames(2), "2.txt") << "older entries stay, unread";
  EXPECT_EQ(Build({}), "0");
  EXPECT_EQ(catalogue.StoredCount(), 0);
}

TEST_F(BuildCatalogueTest, AtMostTwoHundredStoredButAllCounted) {
  std::vector<std::string> names;
  for (int i = 201; i >= 1; --i) names.push_back(std::to_string(i) + ".txt");
  EXPECT_EQ(Build(names), "201");
  EXPECT_EQ(catalogue.FileCount.value(), 201);
  EXPECT_EQ(catalogue.StoredCount(), 200);
  EXPECT_EQ(catalogue.FileNames(1), "2.txt") << "the first 200 enumerated, sorted";
  EXPECT_EQ(catalogue.FileNames(200), "201.txt");
}

}  // namespace
}  // namespace torvane
