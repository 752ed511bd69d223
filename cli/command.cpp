#include "cli/command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <thread>

#include "cli/formats.h"
#include "catalogue/catalogue.h"
#include "extract/batch_run.h"
#include "extract/notes.h"
#include "picture/chart.h"
#include "picture/report.h"
#include "runtime/directory.h"
#include "runtime/failure.h"
#include "runtime/output_file.h"
#include "runtime/paths.h"

namespace torvane::batch {
namespace {

constexpr const char* kHelp =
    R"(torvane-batch：在文件夹的每个 .txt 数据文件中，找出横坐标在范围内（含两端）的各行中
纵坐标最大（峰值）或最小（谷值）的一行，每个文件写一行汇总。只用下列前六项时，汇总文件与
窗口程序写的逐字节相同（代码页 936、制表符分隔、CR LF、按文件名的数值排序）。

用法：torvane-batch 文件夹 --from 起点 --to 终点 [选项]

  --from A           横坐标范围的起点（必填）
  --to B             横坐标范围的终点（必填）
  --heading N        每个文件开头要忽略的行数（默认 0）
  --peak             取峰值（默认）
  --valley           取谷值
  -o, --output 文件  汇总文件；"-" 为标准输出。默认是当前目录下的“起点-终点.txt”，
                     --format csv 时为 .csv，json 时为 .json
  --format 格式      tsv（默认，与窗口程序相同）、csv（首行 file,x,y）或 json
  --encoding 编码    汇总的编码：cp936（默认）或 utf-8；json 总是 utf-8
  --decimal-comma    数据以逗号作小数点（178,23），分号也分隔两列
  --keep-going       出错的文件报告后跳过，其余照常写入
  --report 文件      另写一份 HTML 报告（输入、汇总、提示和每个文件的图表），可离线打开
  -j, --jobs N       同时读取的文件数（默认：处理器核数）
  -q, --quiet        不显示警告和进度
  -h, --help         显示本帮助
  --version          显示版本

错误和警告写到标准错误。退出状态：0 完成；1 失败，什么也没写（已有的汇总文件保持原样）；
2 完成，但有出错的文件被跳过（--keep-going）；64 命令行有误。

torvane-batch: in every .txt data file of FOLDER, finds the row with the largest (peak) or
smallest (valley) Y among the rows whose X lies in the range, both ends included, and writes one
summary line per file. With only the first six options below, the summary is byte for byte the
one the window writes (code page 936, tab-separated, CR LF, files in numeric order of names).

Usage: torvane-batch FOLDER --from A --to B [options]

  --from A           start of the X range (required)
  --to B             end of the X range (required)
  --heading N        heading lines to skip at the top of every file (default 0)
  --peak             the largest Y (default)
  --valley           the smallest Y
  -o, --output FILE  the summary file; "-" is standard output. Default: "A-B.txt" in the
                     current directory, .csv with --format csv, .json with --format json
  --format FORMAT    tsv (default, as the window writes), csv (header file,x,y) or json
  --encoding NAME    the summary's encoding: cp936 (default) or utf-8; json is always utf-8
  --decimal-comma    numbers are written with a decimal comma (178,23); ";" also splits a row
  --keep-going       report a file that fails, leave it out and write the others
  --report FILE      also write an HTML report (inputs, summary, notes, a chart per file)
  -j, --jobs N       files read at the same time (default: the number of cores)
  -q, --quiet        no warnings, no progress
  -h, --help         this help
  --version          the version

Errors and warnings go to standard error. Exit status: 0 done; 1 failed, nothing written (an
existing summary file is kept as it was); 2 done, with files that failed left out
(--keep-going); 64 the command line is wrong.
)";

/// What the command line asks for.
struct Settings {
  std::string folder, from, to, heading = "0", output, report;
  bool valley = false, decimal_comma = false, keep_going = false, quiet = false;
  std::string format = "tsv", encoding = "cp936";
  int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
};

/// Where and what: a path, the line number, then the text.
std::string Place(const std::string& where, long line, const std::string& what) {
  std::string text = where.empty() ? std::string() : where + ": ";
  if (line > 0) text += "第 " + std::to_string(line) + " 行：";
  return text + what;
}

std::string Message(const std::string& where, long line, const std::string& what) {
  return "torvane-batch: " + Place(where, line, what) + "\n";
}

std::string Warning(const std::string& where, long line, const std::string& what) {
  return "torvane-batch: 警告：" + Place(where, line, what) + "\n";
}

/// Messages are best effort: a standard error that cannot be written has no one to tell.
void Tell(Output& err, const std::string& text) noexcept {
  try {
    err.Say(text);
  } catch (...) {
  }
}

/// Reads `args` into `settings`. Returns the exit status when the command ends here: after help,
/// the version or a usage error.
std::optional<int> Parse(std::vector<std::string> args, Settings& settings, Output& out,
                         Output& err) {
  CLI::App app("", "torvane-batch");
  app.allow_windows_style_options(false);
  app.set_help_flag("-h,--help");
  app.set_version_flag("--version", "torvane-batch " TORVANE_VERSION);
  app.add_option("folder", settings.folder)->required();
  app.add_option("--from", settings.from)->required();
  app.add_option("--to", settings.to)->required();
  app.add_option("--heading", settings.heading);
  CLI::Option* peak = app.add_flag("--peak");
  app.add_flag("--valley", settings.valley)->excludes(peak);
  app.add_option("-o,--output", settings.output);
  app.add_option("--format", settings.format)->check(CLI::IsMember({"tsv", "csv", "json"}));
  CLI::Option* encoding =
      app.add_option("--encoding", settings.encoding)->check(CLI::IsMember({"cp936", "utf-8"}));
  app.add_flag("--decimal-comma", settings.decimal_comma);
  app.add_flag("--keep-going", settings.keep_going);
  app.add_option("-j,--jobs", settings.jobs)->check(CLI::Range(1, 256));
  app.add_flag("-q,--quiet", settings.quiet);
  app.add_option("--report", settings.report);

  std::string problem;
  try {
    std::reverse(args.begin(), args.end());  // CLI11 takes them last first
    app.parse(std::move(args));
    if (settings.format == "json" && encoding->count() > 0 && settings.encoding != "utf-8") {
      problem = "--format json 总是写 UTF-8，不能与 --encoding " + settings.encoding + " 同用";
    }
    if (settings.report == "-") problem = "--report 不能写到标准输出（“-”），标准输出留给汇总";
  } catch (const CLI::CallForHelp&) {
    out.Say(kHelp);
    return kDone;
  } catch (const CLI::CallForVersion& version) {
    out.Say(version.what() + std::string("\n"));
    return kDone;
  } catch (const CLI::ParseError& error) {
    problem = std::string("命令行有误：") + error.what();
  }
  if (problem.empty()) return std::nullopt;
  Tell(err, Message("", 0, problem) +
                "用法：torvane-batch 文件夹 --from A --to B [选项]，详见 torvane-batch --help\n");
  return kUsage;
}

/// A line on a terminal saying how many files are read: drawn once the run has lasted `after`,
/// at most ten times a second, and erased when the object goes away.
class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;
  ProgressLine(Output& err, std::size_t total, bool shown, std::chrono::milliseconds after)
      : err_(err), total_(total), shown_(shown), start_(Clock::now() + after) {}
  ~ProgressLine() {
    if (columns_ > 0) Tell(err_, "\r" + std::string(columns_, ' ') + "\r");
  }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Update(std::size_t done) {
    const Clock::time_point now = Clock::now();
    if (!shown_ || now < start_ ||
        (columns_ > 0 && now < drawn_ + std::chrono::milliseconds(100))) {
      return;
    }
    drawn_ = now;
    const std::string counts = std::to_string(done) + "/" + std::to_string(total_);
    columns_ = std::max(columns_, counts.size() + 12);  // "已读 " and " 个文件" take 12 columns
    Tell(err_, "\r已读 " + counts + " 个文件");
  }

 private:
  Output& err_;
  std::size_t total_;
  bool shown_;
  Clock::time_point start_, drawn_;
  std::size_t columns_ = 0;
};

bool IsFolder(const std::string& utf8) {
  std::error_code error;
  return std::filesystem::is_directory(std::u8string(utf8.begin(), utf8.end()), error);
}

int Run(const Settings& settings, Output& out, Output& err,
        std::chrono::milliseconds progress_after) {
  if (!IsFolder(settings.folder)) {
    throw Failure(FailureKind::FileNotFound, "找不到这个文件夹", settings.folder);
  }
  auto path_of = [&](const std::string& name) {
    return name.empty() ? name : settings.folder + kPathSeparator + name;
  };
  BatchRequest request;
  request.folder_path = settings.folder;
  FileSystemLister lister;
  request.names = DataFileNames(settings.folder, lister);
  request.heading_text = settings.heading;
  request.start_text = settings.from;
  request.end_text = settings.to;
  request.peak = !settings.valley;
  request.style.decimal_comma = settings.decimal_comma;
  if (request.names.empty() && !settings.quiet) {
    Tell(err, Warning(settings.folder, 0, "文件夹中没有 .txt 文件，汇总是空的"));
  }

  RunOptions options;
  options.jobs = settings.jobs;
  options.keep_going = settings.keep_going;
  std::vector<FileOutcome> outcomes;
  try {
    ProgressLine progress(err, request.names.size(), err.IsTerminal() && !settings.quiet,
                          progress_after);
    options.progress = [&](std::size_t done) { progress.Update(done); };
    outcomes = CollectResults(request, options);
  } catch (const Failure& failure) {
    throw Failure(failure.kind(), failure.message(), path_of(failure.file()), failure.line());
  }

  long left_out = 0;
  for (const FileOutcome& outcome : outcomes) {
    if (const std::optional<Failure>& failure = outcome.failure) {
      ++left_out;
      Tell(err, Message(path_of(outcome.name), failure->line(), failure->message()));
    } else if (!settings.quiet) {
      for (const Note& note : NotesOn(outcome.name, outcome.result, request.style)) {
        Tell(err, Warning(path_of(outcome.name), note.line, note.text));
      }
    }
  }

  const TextEncoding encoding =
      settings.encoding == "utf-8" ? TextEncoding::Utf8 : TextEncoding::Cp936;
  std::string summary, extension;
  if (settings.format == "csv") {
    summary = CsvSummary(outcomes, encoding);
    extension = ".csv";
  } else if (settings.format == "json") {
    summary = JsonSummary(outcomes, request.style);
    extension = ".json";
  } else {
    summary = TabSeparatedSummary(outcomes, encoding);
    extension = ".txt";
  }
  // As the window names it: the range ends as typed, joined by "-".
  const std::string output =
      settings.output.empty() ? settings.from + "-" + settings.to + extension : settings.output;
  // The report goes first: a summary that cannot be written is the run's last failure.
  if (!settings.report.empty()) {
    picture::ChartOptions chart;
    chart.jobs = settings.jobs;
    const picture::Scene scene = picture::BuildScene(request, outcomes, chart);
    ReplaceFileContents(settings.report, picture::HtmlReport(request, outcomes, scene),
                        settings.report);
  }
  if (output == "-") {
    out.Write(summary);
  } else {
    ReplaceFileContents(output, summary, output);
  }
  if (left_out == 0) return kDone;
  Tell(err, Message("", 0, std::to_string(left_out) + " 个文件出错，未列入汇总"));
  return kLeftOut;
}

}  // namespace

int RunBatchCommand(std::vector<std::string> args, Output& out, Output& err,
                    std::chrono::milliseconds progress_after) {
  std::string problem;
  try {
    Settings settings;
    if (std::optional<int> status = Parse(std::move(args), settings, out, err)) return *status;
    return Run(settings, out, err, progress_after);
  } catch (const Failure& failure) {
    problem = Message(failure.file(), failure.line(), failure.message());
  } catch (const std::bad_alloc&) {
    problem = Message("", 0, "内存不足");
  } catch (const std::exception& error) {
    problem = Message("", 0, std::string("意外的错误：") + error.what());
  }
  Tell(err, problem);
  return kFailed;
}

}  // namespace torvane::batch
