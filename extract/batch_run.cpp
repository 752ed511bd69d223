#include "extract/batch_run.h"

#include "extract/reader.h"
#include "extract/search.h"
#include "runtime/cp936.h"
#include "runtime/directory.h"
#include "runtime/failure.h"
#include "runtime/numeric.h"
#include "runtime/output_file.h"

namespace torvane {
namespace {

double RangeEnd(const std::string& text, const char* which) {
  try {
    return StrictValue(text);
  } catch (const Failure& failure) {
    throw Failure(failure.kind(), std::string("横坐标范围的") + which + "“" + text + "”不是数字");
  }
}

// The catalogued name less its ".txt" (any case), in code page 936.
std::string BaseName(const std::string& name) {
  if (name.size() < 4) throw Failure(FailureKind::InvalidArgument, "文件名太短", name);
  return Utf8ToCp936(std::string_view(name).substr(0, name.size() - 4));
}

}  // namespace

std::string CollectReport(const BatchRequest& request, RowTable& rows) {
  const Catalogue& catalogue = request.catalogue;
  if (catalogue.FileCount.value() > Catalogue::kCapacity) {
    throw Failure(FailureKind::TooManyDataFiles, "文件夹中有 " +
                                                     std::to_string(catalogue.FileCount.value()) +
                                                     " 个文本文件，一次最多只能处理 " +
                                                     std::to_string(Catalogue::kCapacity) + " 个");
  }
  std::string report;
  for (long i = 1; i <= catalogue.FileCount.value(); ++i) {
    const std::string& name = catalogue.FileNames(i);
    ReadDataFile(request.folder_path + kPathSeparator + name, name, request.heading_text, rows);
    double X_end = RangeEnd(request.end_text, "终点");
    double X_start = RangeEnd(request.start_text, "起点");
    report += BaseName(name);
    report += '\t';
    report += request.peak ? FindMax(X_start, X_end, rows) : FindMin(X_start, X_end, rows);
    report += "\r\n";
  }
  return report;
}

void RunBatch(const BatchRequest& request, RowTable& rows) {
  std::string report = CollectReport(request, rows);
  std::string summary = request.summary_name + ".txt";
  ReplaceFileContents(summary, report, summary);
}

}  // namespace torvane
