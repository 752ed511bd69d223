// Runs the batch run over a folder the way a click on "执行" does, and reports its wall time and
// the process's peak memory.
//
//   torvane_bench FOLDER HEADINGS X_START X_END SUMMARY_NAME [FILES]
//
// FILES, when given, processes only the first FILES catalogued files. Prints
// "seconds=S peak_rss_kib=K".

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "catalogue/catalogue.h"
#include "extract/batch_run.h"
#include "runtime/directory.h"
#include "runtime/failure.h"

int main(int argc, char** argv) {
  using namespace torvane;
  if (argc != 6 && argc != 7) {
    std::fprintf(stderr, "usage: %s FOLDER HEADINGS X_START X_END SUMMARY_NAME [FILES]\n", argv[0]);
    return 2;
  }
  try {
    std::string folder = argv[1];
    Catalogue catalogue;
    FileSystemLister lister;
    BuildCatalogue(catalogue, folder, lister);
    if (argc == 7) {
      long files = std::atol(argv[6]);
      if (files < catalogue.FileCount.value()) catalogue.FileCount = Int16::From(files);
    }
    RowTable rows;
    auto start = std::chrono::steady_clock::now();
    RunBatch({folder, catalogue, argv[2], argv[3], argv[4], true, argv[5]}, rows);
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("seconds=%.4f peak_rss_kib=%ld\n", elapsed.count(), usage.ru_maxrss);
  } catch (const Failure& failure) {
    std::fprintf(stderr, "%s\n", DescribeFailure(failure).c_str());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
