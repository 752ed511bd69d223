// Runs the batch run over a folder the way a click on "执行" does, and reports its wall time,
// its CPU time and the process's peak memory.
//
//   torvane_bench FOLDER HEADINGS X_START X_END SUMMARY_NAME [FILES [JOBS]]
//
// FILES, when given and not 0, processes only the first FILES data files; JOBS reads that many
// at once (default 1). Prints "seconds=S cpu_seconds=C peak_rss_kib=K".

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "catalogue/catalogue.h"
#include "extract/batch_run.h"
#include "runtime/directory.h"
#include "runtime/failure.h"
#include "runtime/output_file.h"

int main(int argc, char** argv) {
  using namespace torvane;
  if (argc < 6 || argc > 8) {
    std::fprintf(stderr, "usage: %s FOLDER HEADINGS X_START X_END SUMMARY_NAME [FILES [JOBS]]\n",
                 argv[0]);
    return 2;
  }
  try {
    auto start = std::chrono::steady_clock::now();
    BatchRequest request;
    request.folder_path = argv[1];
    FileSystemLister lister;
    request.names = DataFileNames(request.folder_path, lister);
    if (argc >= 7 && std::atol(argv[6]) > 0) {
      request.names.resize(std::min<std::size_t>(request.names.size(), std::atol(argv[6])));
    }
    request.heading_text = argv[2];
    request.start_text = argv[3];
    request.end_text = argv[4];
    RunOptions options;
    if (argc == 8) options.jobs = std::atoi(argv[7]);
    std::vector<FileOutcome> outcomes = CollectResults(request, options);
    std::string summary = std::string(argv[5]) + ".txt";
    ReplaceFileContents(summary, TabSeparatedSummary(outcomes, TextEncoding::Cp936), summary);
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                 (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("seconds=%.4f cpu_seconds=%.4f peak_rss_kib=%ld\n", elapsed.count(), cpu,
                usage.ru_maxrss);
  } catch (const Failure& failure) {
    std::fprintf(stderr, "%s\n", DescribeFailure(failure).c_str());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
