#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/services.h"

namespace torvane::win32 {

/// MessageBoxW with one OK button, owned by (and modal to) the window `owner` holds once it
/// exists. With an extra button, a task dialog (common controls 6) that looks like it: the
/// prompt, the extra button and OK.
class Win32MessageBox : public MessageBox {
 public:
  explicit Win32MessageBox(const HWND& owner) : owner_(owner) {}
  void Show(const std::string& prompt, const std::string& title, MessageIcon icon) override;
  bool ShowWithButton(const std::string& prompt, const std::string& title,
                      const std::string& extra) override;

  /// The control identifier of the extra button.
  static constexpr int kExtraButtonId = 100;

 private:
  const HWND& owner_;
};

/// The shell's folder browser (SHBrowseForFolderW), owned by the window `owner` holds, folders
/// with a file-system path only. COM must be initialised on the calling thread.
class ShellFolderBrowser : public FolderBrowser {
 public:
  explicit ShellFolderBrowser(const HWND& owner) : owner_(owner) {}
  std::optional<std::string> Browse(const std::string& title, const std::string& start) override;

 private:
  const HWND& owner_;
};

/// The text `get` writes into a buffer of the size it is given, with the buffer grown until
/// `get` succeeds or holds the longest path the system has (32767 characters and the
/// terminator); nothing when it never succeeds.
std::optional<std::wstring> PathOfAnyLength(const std::function<bool(wchar_t*, DWORD)>& get);

/// The folder of the running executable (GetModuleFileNameW, any length), without a trailing
/// separator except for a drive's root ("C:\").
class ModuleLocation : public ProgramLocation {
 public:
  std::string ProgramFolder() override;
};

/// The folder part of an executable's path as ModuleLocation gives it.
std::wstring FolderOfModulePath(const std::wstring& module_path);

}  // namespace torvane::win32
