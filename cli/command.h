#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "cli/output.h"

namespace torvane::batch {

/// The command's exit statuses.
enum ExitStatus : int {
  kDone = 0,     ///< the summary is written (also for --help and --version)
  kFailed = 1,   ///< nothing written; an existing output file keeps its content
  kLeftOut = 2,  ///< written, with the files that failed left out (--keep-going)
  kUsage = 64,   ///< the command line is wrong; a one-line hint follows the message
};

/// Runs `torvane-batch` with the arguments `args` (UTF-8, without the program's name): reads the
/// data folder, writes the summary to its file or to `out` (`-o -`), help and the version to
/// `out`, and every message to `err` as "torvane-batch: ...". A progress line is drawn on `err`
/// when it is a terminal, once the run has lasted `progress_after`. Returns the exit status.
int RunBatchCommand(std::vector<std::string> args, Output& out, Output& err,
                    std::chrono::milliseconds progress_after = std::chrono::seconds(1));

}  // namespace torvane::batch
