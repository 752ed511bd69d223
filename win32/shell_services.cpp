#include "win32/shell_services.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "runtime/wide_win.h"

namespace torvane::win32 {

void Win32MessageBox::Show(const std::string& prompt, const std::string& title, MessageIcon icon) {
  UINT style = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : 0);
  ::MessageBoxW(owner_, Wide(prompt).c_str(), Wide(title).c_str(), style);
}

bool Win32MessageBox::ShowWithButton(const std::string& prompt, const std::string& title,
                                     const std::string& extra) {
  std::wstring wide_prompt = Wide(prompt), wide_title = Wide(title), wide_extra = Wide(extra);
  TASKDIALOG_BUTTON button{kExtraButtonId, wide_extra.c_str()};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = owner_;
  // Escape and the close box press OK, as in a message box with OK alone.
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.dwCommonButtons = TDCBF_OK_BUTTON;
  config.pszWindowTitle = wide_title.c_str();
  config.pszContent = wide_prompt.c_str();
  config.cButtons = 1;
  config.pButtons = &button;
  config.nDefaultButton = IDOK;
  int pressed = IDOK;
  if (FAILED(::TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
    Show(prompt, title, MessageIcon::None);
    return false;
  }
  return pressed == kExtraButtonId;
}

namespace {

// Opens the browser at the folder passed in `data` (a wide path) once it is ready.
int CALLBACK OnBrowserEvent(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) {
    ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
  }
  return 0;
}

// The file-system path of `item`, whatever its length; nothing for a virtual item.
std::optional<std::wstring> PathOf(PCIDLIST_ABSOLUTE item) {
  // The long-path form first; SHGetPathFromIDListW alone stops at MAX_PATH.
  std::optional<std::wstring> long_path = PathOfAnyLength([item](wchar_t* buffer, DWORD size) {
    return ::SHGetPathFromIDListEx(item, buffer, size, GPFIDL_DEFAULT) != FALSE;
  });
  if (long_path) return long_path;
  std::wstring path(MAX_PATH, L'\0');
  if (!::SHGetPathFromIDListW(item, path.data())) return std::nullopt;
  path.resize(wcslen(path.c_str()));
  return path;
}

}  // namespace

std::optional<std::wstring> PathOfAnyLength(const std::function<bool(wchar_t*, DWORD)>& get) {
  // The longest path the system has: 32767 characters and the terminator.
  constexpr std::size_t kLongest = 32768;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    if (get(path.data(), static_cast<DWORD>(path.size()))) {
      path.resize(wcslen(path.c_str()));
      return path;
    }
    if (path.size() == kLongest) return std::nullopt;
    path.resize(std::min(path.size() * 4, kLongest));
  }
}

std::optional<std::string> ShellFolderBrowser::Browse(const std::string& title,
                                                      const std::string& start) {
  std::wstring wide_title = Wide(title);
  std::wstring wide_start = Wide(start);
  wchar_t display_name[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner_;
  info.pszDisplayName = display_name;
  info.lpszTitle = wide_title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = OnBrowserEvent;
  info.lParam = wide_start.empty() ? 0 : reinterpret_cast<LPARAM>(wide_start.c_str());
  PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info);
  if (!item) return std::nullopt;
  std::optional<std::wstring> path = PathOf(item);
  ::CoTaskMemFree(item);
  if (!path || path->empty()) return std::nullopt;
  return Narrow(*path);
}

std::wstring FolderOfModulePath(const std::wstring& module_path) {
  std::size_t cut = module_path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return module_path;
  std::wstring folder = module_path.substr(0, cut);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

std::string ModuleLocation::ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: try again with more room
  }
  return Narrow(FolderOfModulePath(path));
}

}  // namespace torvane::win32
