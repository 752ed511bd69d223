#include "cli/command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <new>
#include <optional>
#include <sstream>
#include <thread>

#include "catalogue/catalogue.h"
#include "extract/batch_run.h"
#include "extract/notes.h"
#include "extract/summary.h"
#include "picture/chart.h"
#include "picture/report.h"
#include "runtime/directory.h"
#include "runtime/failure.h"
#include "runtime/numeric.h"
#include "runtime/output_file.h"
#include "runtime/path_kind.h"
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
  --heading N        每个文件开头要忽略的行数，0 到 32767 的整数（默认 0）
  --peak             取峰值（默认）
  --valley           取谷值
  -o, --output 文件  汇总文件；"-" 为标准输出。默认是当前目录下的“起点-终点.txt”，
                     --format csv 时为 .csv，json 时为 .json
  --format 格式      tsv（默认，与窗口程序相同）、csv（首行 file,x,y）或 json
  --encoding 编码    汇总的编码：cp936（即 GBK，默认）或 utf-8；json 总是 utf-8
  --decimal-comma    数据以逗号作小数点（178,23），分号也分隔两列
  --keep-going       出错的文件报告后跳过，其余照常写入
  --report 文件      另写一份 HTML 报告（输入、汇总、提示和每个文件的图表），可离线打开
  -j, --jobs N       同时读取的文件数，1 到 256（默认：处理器核数）
  -q, --quiet        不显示警告和进度
  -h, --help         显示本帮助
  --version          显示版本

横坐标范围的起点不能大于终点。命令行有误时不读任何文件，什么也不写。
错误和警告写到标准错误。退出状态：0 完成；1 失败，什么也没写（已有的汇总文件保持原样）；
2 完成，但有出错的文件被跳过（--keep-going）；64 命令行有误。

torvane-batch: in every .txt data file of FOLDER, finds the row with the largest (peak) or
smallest (valley) Y among the rows whose X lies in the range, both ends included, and writes one
summary line per file. With only the first six options below, the summary is byte for byte the
one the window writes (code page 936, tab-separated, CR LF, files in numeric order of names).

Usage: torvane-batch FOLDER --from A --to B [options]

  --from A           start of the X range (required)
  --to B             end of the X range (required)
  --heading N        heading lines to skip at the top of every file, 0 to 32767 (default 0)
  --peak             the largest Y (default)
  --valley           the smallest Y
  -o, --output FILE  the summary file; "-" is standard output. Default: "A-B.txt" in the
                     current directory, .csv with --format csv, .json with --format json
  --format FORMAT    tsv (default, as the window writes), csv (header file,x,y) or json
  --encoding NAME    the summary's encoding: cp936 (also gbk; default) or utf-8; json is
                     always utf-8
  --decimal-comma    numbers are written with a decimal comma (178,23); ";" also splits a row
  --keep-going       report a file that fails, leave it out and write the others
  --report FILE      also write an HTML report (inputs, summary, notes, a chart per file)
  -j, --jobs N       files read at the same time, 1 to 256 (default: the number of cores)
  -q, --quiet        no warnings, no progress
  -h, --help         this help
  --version          the version

The range may not begin above its end. A wrong command line reads no file and writes nothing.
Errors and warnings go to standard error. Exit status: 0 done; 1 failed, nothing written (an
existing summary file is kept as it was); 2 done, with files that failed left out
(--keep-going); 64 the command line is wrong.
)";

/// What the command line asks for: the texts as given, until Check has vetted them.
struct Settings {
  std::string folder, from, to, heading = "0", output, report, format = "tsv", encoding = "cp936",
                                jobs;
  bool valley = false, decimal_comma = false, keep_going = false, quiet = false;
  int job_count = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
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

/// The long options, which a near miss is matched against.
constexpr const char* kLongOptions[] = {
    "--from",   "--to",     "--heading",  "--peak",          "--valley",
    "--output", "--format", "--encoding", "--decimal-comma", "--keep-going",
    "--jobs",   "--quiet",  "--help",     "--version"};

/// The fewest edits (insert, delete or replace a character, swap two neighbours) that turn `a`
/// into `b`.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

/// An argument that looks like an option but is none, with the long option it most likely
/// misspells: one edit away for a short name, two for a longer one.
std::string UnknownOption(const std::string& arg) {
  const std::string text = "不认识的选项 " + arg;
  if (!arg.starts_with("--")) return text;
  const std::string name = arg.substr(0, arg.find('='));
  std::size_t fewest = name.size() <= 6 ? 2 : 3;
  const char* nearest = nullptr;
  for (const char* option : kLongOptions) {
    if (std::size_t distance = EditDistance(name, option); distance < fewest) {
      fewest = distance;
      nearest = option;
    }
  }
  return nearest ? text + "。您是不是要输入 " + nearest + "？" : text;
}

/// CLI11's failure said in Chinese, as CLI11's failure-message hook: one line per problem. The
/// arguments it did not expect: the unknown options by name, or without one the extra folders;
/// an option whose value is missing or which is given twice.
std::string Translate(const CLI::App* app, const CLI::Error& error) {
  std::vector<std::string> lines;
  if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
    std::string extras;
    for (const std::string& arg : app->remaining()) {
      const bool option = arg.size() > 1 && arg[0] == '-' && arg[1] != '.' &&
                          !std::isdigit(static_cast<unsigned char>(arg[1]));
      if (option) {
        lines.push_back(UnknownOption(arg));
      } else {
        extras += " " + arg;
      }
    }
    // An unknown option's value takes the folder's place, shifting the folder to the extras.
    if (lines.empty()) lines.push_back("多余的参数" + extras + "（只能给一个文件夹）");
  } else {
    const std::string what = error.what();
    for (const CLI::Option* option : app->get_options()) {
      const std::string name = option->get_name();
      if (what.starts_with(name + ":") || what.starts_with(name + " ")) {
        lines.push_back(name + (option->count() > 1 ? " 只能给一次" : " 后面缺少值"));
        break;
      }
    }
    if (lines.empty()) lines.push_back("无法理解这些参数");
  }
  std::string text;
  for (const std::string& line : lines) text += Message("", 0, "命令行有误：" + line);
  return text;
}

/// `text` as a whole number from `low` to `high`, written in digits only.
std::optional<int> WholeNumber(const std::string& text, int low, int high) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const std::size_t first = std::min(text.find_first_not_of('0'), text.size() - 1);
  if (text.size() - first > 9) return std::nullopt;
  const int value = std::stoi(text.substr(first));
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

/// A range end by the window's grammar; the line saying what is wrong with it otherwise.
std::optional<double> RangeEnd(const std::string& option, const std::string& text,
                               const char* which, std::vector<std::string>& problems) {
  if (text.find_first_not_of(" \t") == std::string::npos) {
    problems.push_back(option + "：横坐标范围的" + which + "为空");
    return std::nullopt;
  }
  try {
    return StrictValue(text);
  } catch (const Failure&) {
    problems.push_back(option + "：横坐标范围的" + which + "“" + text + "”不是数字");
    return std::nullopt;
  }
}

/// Vets the values of `settings`, before any file is read, and settles the format, the encoding
/// and the number of jobs. Returns what is wrong, one line each.
std::vector<std::string> Check(Settings& settings, bool encoding_given) {
  std::vector<std::string> problems;
  if (!WholeNumber(settings.heading, 0, 32767)) {
    problems.push_back("--heading：忽略的行数“" + settings.heading + "”不是 0 到 32767 的整数");
  }
  std::optional<double> from = RangeEnd("--from", settings.from, "起点", problems);
  std::optional<double> to = RangeEnd("--to", settings.to, "终点", problems);
  if (from && to && *from > *to) {
    problems.push_back("--from " + settings.from + " --to " + settings.to +
                       "：横坐标范围的起点大于终点");
  }
  if (!settings.jobs.empty()) {
    if (std::optional<int> jobs = WholeNumber(settings.jobs, 1, 256)) {
      settings.job_count = *jobs;
    } else {
      problems.push_back("--jobs：同时读取的文件数“" + settings.jobs + "”不是 1 到 256 的整数");
    }
  }
  const std::string format = Lower(settings.format);
  if (format == "tsv" || format == "csv" || format == "json") {
    settings.format = format;
  } else {
    problems.push_back("--format：不认识的格式“" + settings.format + "”，可选 tsv、csv 或 json");
  }
  const std::string encoding = Lower(settings.encoding);
  if (encoding == "cp936" || encoding == "gbk") {
    settings.encoding = "cp936";
  } else if (encoding == "utf-8" || encoding == "utf8") {
    settings.encoding = "utf-8";
  } else {
    problems.push_back("--encoding：不认识的编码“" + settings.encoding +
                       "”，可选 cp936（即 GBK）或 utf-8");
  }
  if (settings.format == "json" && encoding_given && settings.encoding != "utf-8") {
    problems.push_back("--format json 总是写 UTF-8，不能与 --encoding " + encoding + " 同用");
  }
  return problems;
}

/// Reads `args` into `settings`. Returns the exit status when the command ends here: after help,
/// the version or a usage error, which is told before any file is read.
std::optional<int> Parse(std::vector<std::string> args, Settings& settings, Output& out,
                         Output& err) {
  CLI::App app("", "torvane-batch");
  app.allow_windows_style_options(false);
  app.failure_message(Translate);
  app.set_help_flag("-h,--help");
  app.set_version_flag("--version", "torvane-batch " TORVANE_VERSION);
  CLI::Option* folder = app.add_option("folder", settings.folder);
  CLI::Option* from = app.add_option("--from", settings.from);
  CLI::Option* to = app.add_option("--to", settings.to);
  app.add_option("--heading", settings.heading);
  CLI::Option* peak = app.add_flag("--peak");
  app.add_flag("--valley", settings.valley);
  app.add_option("-o,--output", settings.output);
  app.add_option("--format", settings.format);
  CLI::Option* encoding = app.add_option("--encoding", settings.encoding);
  app.add_flag("--decimal-comma", settings.decimal_comma);
  app.add_flag("--keep-going", settings.keep_going);
  app.add_option("-j,--jobs", settings.jobs);
  app.add_flag("-q,--quiet", settings.quiet);
  app.add_option("--report", settings.report);

  std::string problems;
  try {
    std::reverse(args.begin(), args.end());  // CLI11 takes them last first
    app.parse(std::move(args));
    // Checked here rather than by CLI11, which would check them before naming unknown options.
    std::vector<std::string> missing;
    if (folder->count() == 0) missing.push_back("缺少数据文件夹");
    if (from->count() == 0) missing.push_back("缺少 --from（横坐标范围的起点）");
    if (to->count() == 0) missing.push_back("缺少 --to（横坐标范围的终点）");
    if (peak->count() > 0 && settings.valley) missing.push_back("--peak 与 --valley 只能选一个");
    for (const std::string& line : missing) problems += Message("", 0, "命令行有误：" + line);
    if (missing.empty()) {
      for (const std::string& line : Check(settings, encoding->count() > 0)) {
        problems += Message("", 0, line);
      }
    }
    if (settings.report == "-") {
      problems += Message("", 0, "命令行有误：--report 不能写到标准输出（“-”），标准输出留给汇总");
    }
  } catch (const CLI::CallForHelp&) {
    out.Say(kHelp);
    return kDone;
  } catch (const CLI::CallForVersion& version) {
    out.Say(version.what() + std::string("\n"));
    return kDone;
  } catch (const CLI::ParseError& error) {
    std::ostringstream unused, said;
    app.exit(error, unused, said);
    problems = said.str();
  }
  if (problems.empty()) return std::nullopt;
  Tell(err,
       problems + "用法：torvane-batch 文件夹 --from A --to B [选项]，详见 torvane-batch --help\n");
  return kUsage;
}

/// A line on a terminal saying how many files are read: drawn once the run has lasted `after`,
/// at most ten times a second but always for the last file, and erased when the object goes
/// away.
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
    const bool soon = columns_ > 0 && now < drawn_ + std::chrono::milliseconds(100);
    if (!shown_ || now < start_ || (columns_ > 0 && done == done_) || (soon && done < total_)) {
      return;
    }
    drawn_ = now;
    done_ = done;
    const std::string counts = std::to_string(done) + "/" + std::to_string(total_);
    columns_ = std::max(columns_, counts.size() + 12);  // "已读 " and " 个文件" take 12 columns
    Tell(err_, "\r已读 " + counts + " 个文件");
  }

 private:
  Output& err_;
  std::size_t total_;
  bool shown_;
  Clock::time_point start_, drawn_;
  std::size_t done_ = 0;  // the count drawn last
  std::size_t columns_ = 0;
};

int Run(const Settings& settings, Output& out, Output& err,
        std::chrono::milliseconds progress_after) {
  switch (KindOfPath(settings.folder)) {
    case PathKind::Missing:
      throw Failure(FailureKind::FileNotFound, "找不到这个文件夹", settings.folder);
    case PathKind::NotFolder:
      throw Failure(FailureKind::OpenFailed, "不是文件夹", settings.folder);
    case PathKind::Folder:
    case PathKind::Unknown:  // the listing says why it cannot be read
      break;
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

  const SummaryFormat format = settings.format == "csv"    ? SummaryFormat::Csv
                               : settings.format == "json" ? SummaryFormat::Json
                                                           : SummaryFormat::TabSeparated;
  // As the window names it: the range ends as typed, joined by "-".
  const std::string output = settings.output.empty()
                                 ? settings.from + "-" + settings.to + SummaryExtension(format)
                                 : settings.output;
  if (output != "-") request.summary_path = output;

  RunOptions options;
  options.jobs = settings.job_count;
  options.keep_going = settings.keep_going;
  BatchRun run;
  try {
    ProgressLine progress(err, request.names.size(), err.IsTerminal() && !settings.quiet,
                          progress_after);
    options.progress = [&](std::size_t done) { progress.Update(done); };
    run = RunBatch(request, options);
    progress.Update(run.outcomes.size());  // with several jobs, another thread may finish last
  } catch (const Failure& failure) {
    throw Failure(failure.kind(), failure.message(), path_of(failure.file()), failure.line());
  }

  if (!settings.quiet) {
    for (const Note& note : run.notes) Tell(err, Warning("", 0, note.text));
  }
  long left_out = 0;
  for (const FileOutcome& outcome : run.outcomes) {
    if (const std::optional<Failure>& failure = outcome.failure) {
      ++left_out;
      Tell(err, Message(path_of(outcome.name), failure->line(), failure->message()));
    } else if (!settings.quiet) {
      for (const Note& note : outcome.notes) {
        Tell(err, Warning(path_of(outcome.name), note.line, note.text));
      }
    }
  }

  const TextEncoding encoding =
      settings.encoding == "utf-8" ? TextEncoding::Utf8 : TextEncoding::Cp936;
  // The report goes first: a summary that cannot be written is the run's last failure.
  if (!settings.report.empty()) {
    picture::ChartOptions chart;
    chart.jobs = settings.job_count;
    const picture::Scene scene = picture::BuildScene(request, run.outcomes, chart);
    ReplaceFileContents(settings.report, picture::HtmlReport(request, run.outcomes, scene),
                        settings.report);
  }
  const std::string summary = SummaryText(run.outcomes, format, encoding);
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
