#include "extract/batch_run.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "extract/search.h"
#include "runtime/cp936.h"
#include "runtime/directory.h"

namespace torvane {
namespace {

double RangeEnd(const std::string& text, const char* which) {
  if (text.find_first_not_of(" \t") == std::string::npos) {
    throw Failure(FailureKind::TypeMismatch, std::string("横坐标范围的") + which + "为空");
  }
  try {
    return StrictValue(text);
  } catch (const Failure& failure) {
    throw Failure(failure.kind(), std::string("横坐标范围的") + which + "“" + text + "”不是数字");
  }
}

std::string PathOf(const BatchRequest& request, std::size_t i) {
  return request.folder_path + kPathSeparator + request.names[i];
}

}  // namespace

std::vector<FileOutcome> CollectResults(const BatchRequest& request, const RunOptions& options) {
  const std::size_t count = request.names.size();
  std::vector<FileOutcome> outcomes(count);
  for (std::size_t i = 0; i < count; ++i) outcomes[i].name = request.names[i];
  if (count == 0) return outcomes;

  double X_start = 0.0, X_end = 0.0;
  try {
    X_end = RangeEnd(request.end_text, "终点");
    X_start = RangeEnd(request.start_text, "起点");
  } catch (const Failure&) {
    if (!options.keep_going) {
      // The window converts the range once the first file is read, so that file's own failure
      // comes first.
      ReadBuffer buffer;
      ReadDataFile(PathOf(request, 0), request.names[0], request.heading_text, nullptr,
                   request.style, buffer);
    }
    throw;
  }

  // Files are claimed in run order. Without keep_going, once a file fails no later one is
  // started, and every earlier one is finished, so the earliest failure is the one raised.
  std::atomic<std::size_t> next{0}, stop_at{count}, done{0};
  std::vector<std::exception_ptr> unexpected(count);
  auto work = [&](bool report) {
    ReadBuffer buffer;
    for (std::size_t i; (i = next++) < std::min(count, stop_at.load());) {
      RangeSearch search = request.peak ? FindMax(X_start, X_end) : FindMin(X_start, X_end);
      try {
        outcomes[i].result = ReadDataFile(PathOf(request, i), request.names[i],
                                          request.heading_text, &search, request.style, buffer);
      } catch (const Failure& failure) {
        outcomes[i].failure = failure;
      } catch (...) {
        unexpected[i] = std::current_exception();
      }
      if ((outcomes[i].failure && !options.keep_going) || unexpected[i]) {
        for (std::size_t stop = stop_at; i < stop && !stop_at.compare_exchange_weak(stop, i);) {
        }
      }
      ++done;
      if (report && options.progress) options.progress(done);
    }
  };
  std::vector<std::jthread> helpers;
  const int jobs =
      std::clamp<int>(options.jobs, 1, static_cast<int>(std::min<std::size_t>(count, 256)));
  for (int j = 1; j < jobs; ++j) helpers.emplace_back(work, false);
  work(true);
  helpers.clear();

  for (std::size_t i = 0; i < count; ++i) {
    if (unexpected[i]) std::rethrow_exception(unexpected[i]);
    if (outcomes[i].failure && !options.keep_going) throw *outcomes[i].failure;
  }
  return outcomes;
}

std::string BaseName(const std::string& name, TextEncoding encoding) {
  std::string base = name.substr(0, name.size() < 4 ? 0 : name.size() - 4);
  for (char& c : base) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  }
  return encoding == TextEncoding::Cp936 ? Utf8ToCp936(base) : base;
}

std::string TextIn(const std::string& cp936, TextEncoding encoding) {
  return encoding == TextEncoding::Cp936 ? cp936 : Cp936ToUtf8(cp936);
}

std::string TabSeparatedSummary(const std::vector<FileOutcome>& outcomes, TextEncoding encoding) {
  std::string summary;
  for (const FileOutcome& outcome : outcomes) {
    if (outcome.failure) continue;
    summary += BaseName(outcome.name, encoding);
    summary += '\t';
    if (outcome.result.found) {
      summary += TextIn(outcome.result.row.x, encoding);
      summary += '\t';
      summary += TextIn(outcome.result.row.y, encoding);
    }
    summary += "\r\n";
  }
  return summary;
}

long SummaryLines(const std::vector<FileOutcome>& outcomes) {
  return static_cast<long>(std::count_if(outcomes.begin(), outcomes.end(),
                                         [](const FileOutcome& o) { return !o.failure; }));
}

}  // namespace torvane
