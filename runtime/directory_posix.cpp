#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

#include "runtime/directory.h"

namespace torvane {
namespace {

class PosixFolderReader : public FolderReader {
 public:
  ~PosixFolderReader() override {
    if (dir_) ::closedir(dir_);
  }

  long Open(const std::string& folder, const std::string&) override {
    folder_ = folder;
    dir_ = ::opendir(folder.empty() ? "." : folder.c_str());
    return dir_ ? 0 : errno;
  }

  long Next(std::string& name, bool& end) override {
    errno = 0;
    const dirent* entry = ::readdir(dir_);
    end = !entry;
    if (!entry) return errno;
    name_ = name = entry->d_name;
    return 0;
  }

  bool IsFile() override {
    // stat follows links: a link counts as what it leads to, and one leading nowhere fails.
    struct stat info {};
    return ::stat((folder_ + name_).c_str(), &info) == 0 && S_ISREG(info.st_mode);
  }

 private:
  std::string folder_, name_;
  DIR* dir_ = nullptr;
};

}  // namespace

std::unique_ptr<FolderReader> SystemFolderReader() {
  return std::make_unique<PosixFolderReader>();
}

}  // namespace torvane
