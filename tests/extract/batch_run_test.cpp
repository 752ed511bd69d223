#include "extract/batch_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/current_directory.h"
#include "support/failure_of.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

class BatchRunTest : public ::testing::Test {
 protected:
  BatchRunTest() {
    data.Write("2.txt", "x\ty\r\n1\t5\r\n2\t9\r\n3\t-4\r\n");
    data.Write("10.txt", "x\ty\r\n1.50\t 7 \r\n2.5\t7\r\n9\t1\r\n");
    data.Write("3.TXT", "x\ty\r\n8\t8\r\n");
    data.Write("样品.txt", "x\ty\r\n2\t\xb7\xe5");
  }

  void Catalogue(std::vector<std::string> names) {
    lister.names[data.str() + "/*.txt"] = std::move(names);
    BuildCatalogue(catalogue, data.str(), lister);
  }
  BatchRequest Request(std::string start, std::string end, bool peak = true) {
    return {data.str(), catalogue, "1", start, end, peak, (out.path() / "1-3").string()};
  }
  std::optional<std::string> Summary() const { return out.Read("1-3.txt"); }
  Failure RunFailure(const BatchRequest& request) {
    return FailureOf([&] { RunBatch(request, rows); });
  }

  TempFolder data, out;
  FakeLister lister;
  torvane::Catalogue catalogue;
  RowTable rows;
};

TEST_F(BatchRunTest, SummaryHoldsOneLinePerFileInCatalogueOrder) {
  out.Write("1-3.txt", std::string(1000, 'z'));  // replaced in full
  Catalogue({"10.txt", "3.TXT", "样品.txt", "2.txt"});
  RunBatch(Request("1", "3"), rows);
  const std::string sample = "\xd1\xf9\xc6\xb7\t2\t\xb7\xe5\r\n";  // 样品 in code page 936
  EXPECT_EQ(Summary(), sample + "2\t2\t9\r\n3\t\r\n10\t2.5\t7\r\n")
      << "an empty range gives an empty result; no extra line";
  RunBatch(Request("1", "3", false), rows);
  EXPECT_EQ(Summary(), sample + "2\t3\t-4\r\n3\t\r\n10\t2.5\t7\r\n");
}

TEST_F(BatchRunTest, NoCatalogueWritesAnEmptySummaryWithoutNeedingTheRange) {
  Catalogue({});
  RunBatch(Request("", "?"), rows);
  EXPECT_EQ(Summary(), "");
}

TEST_F(BatchRunTest, AnEmptyNameWritesDotTxtInTheCurrentDirectory) {
  Catalogue({"2.txt"});
  CurrentDirectory here(out.path());
  BatchRequest request = Request("1", "3");
  request.summary_name = "";
  RunBatch(request, rows);
  EXPECT_EQ(out.Read(".txt"), "2\t2\t9\r\n");
}

TEST_F(BatchRunTest, AFailedRunLeavesTheSummaryAsItWas) {
  const std::string old = "old summary\r\n";
  out.Write("1-3.txt", old);
  data.Write("4.txt", "only a heading");
  Catalogue({"2.txt", "10.txt", "4.txt"});

  Failure not_a_number = RunFailure(Request("1", "3x"));
  EXPECT_EQ(not_a_number.kind(), FailureKind::TypeMismatch);
  EXPECT_NE(not_a_number.detail().find("3x"), std::string::npos);

  BatchRequest short_file = Request("1", "3");
  short_file.heading_text = "2";
  Failure too_short = RunFailure(short_file);
  EXPECT_EQ(too_short.kind(), FailureKind::InputPastEndOfFile);
  EXPECT_EQ(too_short.file(), "4.txt");
  EXPECT_EQ(too_short.line(), 2);

  BatchRequest bad_name = Request("1", "3");
  bad_name.summary_name = (out.path() / "no such folder" / "x").string();
  EXPECT_EQ(RunFailure(bad_name).kind(), FailureKind::OpenFailed);

  std::filesystem::remove(data.path() / "10.txt");
  EXPECT_EQ(RunFailure(Request("1", "3")).kind(), FailureKind::FileNotFound);

  EXPECT_EQ(Summary(), old);
  EXPECT_EQ(out.Entries(), 1) << "no temporary file is left behind";
}

TEST_F(BatchRunTest, MoreThan200FilesAreRefusedBeforeAnyIsRead) {
  std::vector<std::string> names;
  for (int i = 1; i <= 201; ++i) names.push_back("missing" + std::to_string(i) + ".txt");
  Catalogue(names);
  Failure failure = RunFailure(Request("1", "3"));
  EXPECT_EQ(failure.kind(), FailureKind::TooManyDataFiles);
  EXPECT_NE(DescribeFailure(failure).find("200"), std::string::npos);
  EXPECT_FALSE(Summary());
}

}  // namespace
}  // namespace torvane
