#pragma once

#include <cstdint>
#include <string>

#include "app/controls.h"
#include "catalogue/catalogue.h"
#include "extract/row_table.h"
#include "runtime/directory.h"
#include "runtime/platform.h"

namespace torvane {

/// What Form1 reaches outside itself: its controls and the platform's services.
struct Form1Services {
  Controls& controls;
  MessageBox& message_box;
  FolderBrowser& folder_browser;
  ProgramLocation& location;
  DirectoryLister& lister;
};

/// The events Form1 handles, as the window toolkit raises them.
enum class Form1Event { Load, Command1Click, Command2Click, Text3Change, Text4Change };

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
  /// folder. Returns the chosen path, or
  /// the empty text on cancel or for an item without a file-system path. A path longer than
  /// kMaxFolderBytes in code page 936, or holding a character the code page lacks, raises
  /// InvalidArgument.
  std::string BrowseFolder(const std::string& title);
  static constexpr std::size_t kMaxFolderBytes = 254;

  // State.
  std::string FolderPath;  ///< the data folder, UTF-8, exactly as the platform gave it
  Catalogue catalogue;     ///< FileNames, FileCount, DirEntry
  RowTable rows;           ///< XData, YData of the data file read last

 private:
  template <typename Handler>
  void Dispatch(Handler&& handler);
  void DecimalFilter(TextBox box, int16_t& KeyAscii);
  void LinkSummaryName();

  Form1Services services_;
};

}  // namespace torvane
