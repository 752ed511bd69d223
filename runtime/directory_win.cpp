#include <windows.h>

#include "runtime/directory.h"
#include "runtime/wide_win.h"

namespace torvane {
namespace {

// The system matches the name pattern against short 8.3 names too ("*.txt" against "DATA~1.TXT"
// of "data.txt1"); the listing rule matches it again against the real name.
class WindowsFolderReader : public FolderReader {
 public:
  ~WindowsFolderReader() override {
    if (search_ != INVALID_HANDLE_VALUE) ::FindClose(search_);
  }

  long Open(const std::string& folder, const std::string& name_pattern) override {
    folder_ = folder;
    search_ = ::FindFirstFileExW(WidePath(folder + name_pattern).c_str(), FindExInfoBasic, &found_,
                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search_ != INVALID_HANDLE_VALUE) return 0;
    DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return static_cast<long>(error);
    // No name matches; that is an answer only when the folder is there.
    DWORD attributes = ::GetFileAttributesW(WidePath(folder.empty() ? "." : folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return static_cast<long>(::GetLastError());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_DIRECTORY;
    empty_ = true;
    return 0;
  }

  long Next(std::string& name, bool& end) override {
    end = empty_;
    if (end) return 0;
    if (!first_ && !::FindNextFileW(search_, &found_)) {
      DWORD error = ::GetLastError();
      end = true;
      return error == ERROR_NO_MORE_FILES ? 0 : static_cast<long>(error);
    }
    first_ = false;
    name = Narrow(found_.cFileName);
    return 0;
  }

  bool IsFile() override {
    constexpr DWORD kLeftOut =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (found_.dwFileAttributes & kLeftOut) return false;
    if (!(found_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
    // A link or other reparse point counts as what it leads to, and one leading nowhere fails.
    HANDLE target = ::CreateFileW(WidePath(folder_ + Narrow(found_.cFileName)).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    bool file = ::GetFileInformationByHandle(target, &info) &&
                !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    ::CloseHandle(target);
    return file;
  }

 private:
  std::string folder_;
  HANDLE search_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW found_{};
  bool first_ = true, empty_ = false;
};

}  // namespace

std::unique_ptr<FolderReader> SystemFolderReader() {
  return std::make_unique<WindowsFolderReader>();
}

}  // namespace torvane
