#pragma once

// In-memory stand-ins for the window's controls and the platform's services.

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/result_view.h"
#include "app/services.h"
#include "runtime/directory.h"
#include "runtime/failure.h"

namespace torvane::testing {

struct FakeControls : Controls {
  std::map<TextBox, std::string> texts{{TextBox::Text2, "0"}};
  std::string label8 = "0";
  bool option1 = true;

  std::string Text(TextBox box) const override {
    auto found = texts.find(box);
    return found == texts.end() ? std::string() : found->second;
  }
  void SetText(TextBox box, const std::string& text) override { texts[box] = text; }
  void SetLabel8Caption(const std::string& caption) override { label8 = caption; }
  bool Option1Selected() const override { return option1; }
};

struct ShownMessage {
  std::string prompt, title;
  MessageIcon icon;
  std::string extra;  ///< the extra button's caption, if the box had one
};

/// Records each box; a box with an extra button is closed by it when `press_extra` says so.
struct FakeMessageBox : MessageBox {
  std::vector<ShownMessage> shown;
  bool press_extra = false;
  void Show(const std::string& prompt, const std::string& title, MessageIcon icon) override {
    shown.push_back({prompt, title, icon, {}});
  }
  bool ShowWithButton(const std::string& prompt, const std::string& title,
                      const std::string& extra) override {
    shown.push_back({prompt, title, MessageIcon::None, extra});
    return press_extra;
  }
};

/// Records each result window opened.
struct FakeResultWindows : ResultWindows {
  std::vector<ResultContent> opened;
  void Open(ResultContent content) override { opened.push_back(std::move(content)); }
};

/// Answers each browse with the next queued answer (nothing: a cancel).
struct FakeFolderBrowser : FolderBrowser {
  std::deque<std::optional<std::string>> answers;
  std::vector<std::string> titles;
  std::vector<std::string> starts;
  std::optional<std::string> Browse(const std::string& title, const std::string& start) override {
    titles.push_back(title);
    starts.push_back(start);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

/// Answers each save dialog with `answer` (nothing: a cancel); records the questions.
struct FakeSaveDialog : SaveDialog {
  std::optional<std::string> answer;
  std::vector<SaveQuestion> questions;
  std::optional<std::string> Ask(const SaveQuestion& question) override {
    questions.push_back(question);
    return answer;
  }
};

struct FakeLocation : ProgramLocation {
  std::string folder;
  std::string ProgramFolder() override { return folder; }
};

/// Lists fixed names per pattern, in the order given; records the patterns asked for. A pattern
/// of `unreadable` fails as a folder without read permission does.
struct FakeLister : DirectoryLister {
  std::map<std::string, std::vector<std::string>> names;
  std::set<std::string> unreadable;
  std::vector<std::string> patterns;
  std::vector<std::string> List(const std::string& pattern) override {
    patterns.push_back(pattern);
    if (unreadable.contains(pattern)) {
      throw Failure(FailureKind::ListFailed, "无法读取文件夹：没有访问权限",
                    pattern.substr(0, pattern.find_last_of(kPathSeparator)));
    }
    auto found = names.find(pattern);
    return found == names.end() ? std::vector<std::string>() : found->second;
  }
};

/// `utf8` as a path: the same bytes on POSIX, UTF-16 on Windows (where a plain std::string
/// would be read in the ANSI code page).
inline std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

/// A path as UTF-8.
inline std::string Utf8Of(const std::filesystem::path& path) {
  std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

/// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("torvane-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  /// The folder's path (UTF-8).
  std::string str() const { return Utf8Of(path_); }

  /// Writes `bytes` exactly to the file `name` of this folder; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / PathOf(name), std::ios::binary) << bytes;
    return Utf8Of(path_ / PathOf(name));
  }
  /// The bytes of the file `name`, or nothing when it does not exist.
  std::optional<std::string> Read(const std::string& name) const {
    std::ifstream in(path_ / PathOf(name), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  /// How many entries the folder holds.
  long Entries() const { return std::distance(std::filesystem::directory_iterator(path_), {}); }

 private:
  std::filesystem::path path_;
};

}  // namespace torvane::testing
