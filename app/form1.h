#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/controls.h"
#include "app/result_view.h"
#include "app/services.h"
#include "catalogue/catalogue.h"
#include "extract/batch_run.h"
#include "extract/notes.h"
#include "runtime/directory.h"
#include "runtime/failure.h"

namespace torvane {

/// What Form1 reaches outside itself: its controls and the platform's services.
struct Form1Services {
  Controls& controls;
  MessageBox& message_box;
  FolderBrowser& folder_browser;
  ProgramLocation& location;
  DirectoryLister& lister;
  ResultWindows& result_windows;
};

/// The events Form1 handles, as the window toolkit raises them.
enum class Form1Event { Load, Command1Click, Command2Click, Text3Change, Text4Change };

/// What the completion box says after a run that wrote `lines` lines to the summary file at
/// `summary_path`: "处理完毕", where the file is and how many lines it holds, then up to ten of
/// `notes` and how many more there are.
std::string CompletionText(const std::string& summary_path, long lines,
                           const std::vector<Note>& notes);

/// The program's one window: all of its state and its event handlers, free of any toolkit.
class Form1 {
 public:
  explicit Form1(Form1Services services);

  /// Runs the handler of `event`. A failure the handler does not trap is shown in one "错误"
  /// message box; the window stays usable.
  void Raise(Form1Event event);
  /// Runs the KeyPress handler of `box` on `key_code` (the typed character's code page 936
  /// code); a code set to 0 means the key is swallowed. Text boxes without a filter leave it.
  void RaiseKeyPress(TextBox box, int16_t& key_code);
  /// Whether `box` has a KeyPress handler.
  static bool HasKeyPress(TextBox box);
  /// Runs the KeyPress handler of `box` on the code of `character`, one UTF-8 character; true
  /// when the handler lets it in.
  bool KeyPasses(TextBox box, std::string_view character);
  /// Runs the KeyPress handler of `box` on each character of an input method's committed text
  /// `commit` (UTF-8), in order. Each character let in is handed to `type` at once, which types
  /// it into the box, so that the next one is filtered on the new text. Returns the characters
  /// let in.
  std::string RaiseCommit(TextBox box, std::string_view commit,
                          const std::function<void(std::string_view)>& type);

  // Event handlers.
  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Text2_KeyPress(int16_t& KeyAscii);
  void Text3_KeyPress(int16_t& KeyAscii);
  void Text4_KeyPress(int16_t& KeyAscii);
  void Text3_Change();
  void Text4_Change();

  /// Shows the folder browser titled `title` ("选择目录" when empty), opened at the current data
  /// folder. Returns the chosen path, whatever its length and characters, or the empty text on
  /// cancel or for an item without a file-system path.
  std::string BrowseFolder(const std::string& title);

  // State.
  std::string FolderPath;  ///< the data folder, UTF-8, exactly as the platform gave it
  Catalogue catalogue;     ///< FileNames

 private:
  template <typename Handler>
  void Dispatch(Handler&& handler);
  void DecimalFilter(TextBox box, int16_t& KeyAscii);
  void LinkSummaryName();
  void CatalogueFolder();

  Form1Services services_;
  /// Why FolderPath could not be listed when it was last catalogued; "执行" says it again.
  std::optional<Failure> listing_failure_;
};

}  // namespace torvane
