#include "extract/batch_run.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <set>
#include <thread>

#include "extract/search.h"
#include "extract/summary.h"
#include "runtime/directory.h"
#include "runtime/input_file.h"
#include "runtime/paths.h"

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

std::string PathOf(const BatchRequest& request, const std::string& name) {
  return request.folder_path + kPathSeparator + name;
}

// Whether a result could be a summary's: every row holds a tab, so splits; a chosen row's Y text
// runs from at most the first tab to the line's end, past the second one.
bool CouldBeSummary(const FileOutcome& outcome) {
  const FileResult& result = outcome.result;
  if (outcome.failure || result.rows == 0 || result.rows_with_texts != result.rows) return false;
  return !result.found || result.row.y.find('\t') != std::string::npos;
}

// Whether the rows of the file at `path` past `headings` lines are at least one, each of
// exactly three tab-separated fields, and the first field of one of them is in `bases` more
// often than among `own` (the file's own base names). Stops at the first row that is not.
bool LooksLikeSummary(const std::string& path, const std::string& name, long headings,
                      const std::multiset<std::string>& bases, const std::set<std::string>& own) {
  InputFile file(path, name);
  std::vector<char> block(std::size_t{1} << 16);
  long line = 0;
  int tabs = 0;
  std::string first;
  bool named = false, after_cr = false, pending = false, start = true;
  auto end_row = [&] {
    ++line;
    pending = false;
    if (line <= headings) return true;
    if (tabs != 2) return false;
    named = named || bases.count(first) > own.count(first);
    tabs = 0;
    first.clear();
    return true;
  };
  for (std::size_t n; (n = file.Read(block.data(), block.size())) > 0;) {
    std::size_t i = 0;
    if (start && n >= 3 && std::memcmp(block.data(), "\xEF\xBB\xBF", 3) == 0) i = 3;
    start = false;
    for (; i < n; ++i) {
      const char c = block[i];
      if (after_cr && c == '\n') {
        after_cr = false;
        continue;
      }
      after_cr = c == '\r';
      if (c == '\r' || c == '\n') {
        if (!end_row()) return false;
      } else if (line >= headings) {
        pending = true;
        if (c == '\t' && ++tabs > 2) return false;
        if (tabs == 0 && first.size() < 4096) first += c;
      }
    }
  }
  if (pending && !end_row()) return false;
  return named;
}

// Ends each outcome read with the note on a look of an earlier summary, where it has one.
void NoteEarlierSummaries(const BatchRequest& request, std::vector<FileOutcome>& outcomes) {
  std::multiset<std::string> bases;
  auto bases_of = [](const std::string& name) {
    return std::set<std::string>{BaseName(name, TextEncoding::Cp936),
                                 BaseName(name, TextEncoding::Utf8)};
  };
  for (const std::string& name : request.names) {
    for (const std::string& base : bases_of(name)) bases.insert(base);
  }
  const long headings = RoundToInt16(LenientValue(request.heading_text));
  for (FileOutcome& outcome : outcomes) {
    if (!CouldBeSummary(outcome)) continue;
    try {
      if (!LooksLikeSummary(PathOf(request, outcome.name), outcome.name, headings, bases,
                            bases_of(outcome.name))) {
        continue;
      }
    } catch (const Failure&) {
      continue;  // only a hint: a file that cannot be read again gets none
    }
    outcome.notes.push_back(
        {outcome.name, 0, "像是以前写出的汇总文件，已照常读取；请把汇总文件移出数据文件夹"});
  }
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
    if (X_start > X_end) throw Failure(FailureKind::InvalidArgument, "横坐标范围的起点大于终点");
  } catch (const Failure&) {
    if (!options.keep_going) {
      // The window converts the range once the first file is read, so that file's own failure
      // comes first.
      ReadBuffer buffer;
      ReadDataFile(PathOf(request, request.names[0]), request.names[0], request.heading_text,
                   nullptr, request.style, buffer);
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
        outcomes[i].result = ReadDataFile(PathOf(request, request.names[i]), request.names[i],
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
  for (FileOutcome& outcome : outcomes) {
    if (!outcome.failure) outcome.notes = NotesOn(outcome.name, outcome.result, request.style);
  }
  NoteEarlierSummaries(request, outcomes);
  return outcomes;
}

BatchRun RunBatch(BatchRequest request, const RunOptions& options) {
  BatchRun run;
  const std::optional<FileIdentity> summary =
      request.summary_path.empty() ? std::nullopt : IdentityOf(request.summary_path);
  if (summary) {
    auto is_summary = [&](const std::string& name) {
      if (IdentityOf(PathOf(request, name)) != summary) return false;
      run.notes.push_back({"", 0, "未读取 " + name + "：它就是本次要写的汇总文件"});
      return true;
    };
    std::erase_if(request.names, is_summary);
  }
  run.outcomes = CollectResults(request, options);
  return run;
}

}  // namespace torvane
