#pragma once

#include <optional>
#include <string>

namespace torvane {

/// How a message box looks besides its text and title.
enum class MessageIcon { None, Error };

/// The platform's modal message box with an OK button. Texts are UTF-8.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  /// Shows the box and returns when the user has closed it.
  virtual void Show(const std::string& prompt, const std::string& title, MessageIcon icon) = 0;
  /// Shows the box, without an icon, with one more button beside OK captioned `extra` ("&" before
  /// its access key). OK stays the default button: Enter and Escape press it. Returns when the
  /// user has closed the box: whether `extra` closed it.
  virtual bool ShowWithButton(const std::string& prompt, const std::string& title,
                              const std::string& extra) = 0;
};

/// The platform's modal folder browser, owned by the program's window.
class FolderBrowser {
 public:
  virtual ~FolderBrowser() = default;
  /// Shows the browser with `title`, opened at `start` where that folder exists, and returns the
  /// chosen folder's path (UTF-8), or nothing when the user cancelled or chose an item without a
  /// file-system path.
  virtual std::optional<std::string> Browse(const std::string& title, const std::string& start) = 0;
};

/// Where the program itself lives.
class ProgramLocation {
 public:
  virtual ~ProgramLocation() = default;
  /// The folder holding the program's executable file, as the platform reports it (UTF-8).
  virtual std::string ProgramFolder() = 0;
};

}  // namespace torvane
