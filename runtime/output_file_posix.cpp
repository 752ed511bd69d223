#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "runtime/failure.h"
#include "runtime/output_file.h"

namespace torvane {
namespace {

// The folder part of `path`, with its trailing separator; empty for a bare name.
std::string FolderOf(const std::string& path) {
  std::size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The file that writing to `path` would reach: symbolic links followed, each relative target
// taken from the link's own folder. A chain that does not end within 40 links fails as ELOOP.
std::string FollowLinks(std::string path, const std::string& display_name) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(static_cast<std::size_t>(info.st_size) + 256, '\0');
    ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) {
      throw Failure(FailureKind::OpenFailed, "无法写入文件：" + SystemErrorText(errno),
                    display_name);
    }
    target.resize(static_cast<std::size_t>(n));
    path = target.starts_with('/') ? target : FolderOf(path) + target;
  }
  throw Failure(FailureKind::OpenFailed, "无法写入文件：" + SystemErrorText(ELOOP), display_name);
}

// Creates a temporary file in `folder` that did not exist before, readable and writable as a
// new file is under the process's umask. Returns its descriptor and sets `name`.
int CreateTemporary(const std::string& folder, std::string& name) {
  static std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + ".torvane-" + std::to_string(random() % 1'000'000'000'000ULL) + ".tmp";
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Best effort: the new content is already in place, and some file systems cannot sync a
  // folder.
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

void ReplaceFileContents(const std::string& path, std::string_view bytes,
                         const std::string& display_name) {
  const std::string target = FollowLinks(path, display_name);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    throw Failure(FailureKind::OpenFailed, "无法写入文件：同名的文件夹已经存在", display_name);
  }
  if (exists && !S_ISREG(existing.st_mode)) {
    throw Failure(FailureKind::OpenFailed, "无法写入文件：同名的项目不是普通文件", display_name);
  }

  const std::string folder = FolderOf(target);
  std::string temp;
  int fd = CreateTemporary(folder, temp);
  if (fd < 0) {
    throw Failure(FailureKind::OpenFailed, "无法写入文件：" + SystemErrorText(errno), display_name);
  }
  auto abandon = [&](int error) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    return Failure(FailureKind::WriteFailed, "无法写入文件：" + SystemErrorText(error),
                   display_name);
  };
  if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) throw abandon(errno);

  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw abandon(errno);
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) throw abandon(errno);
  int closed = ::close(fd);
  fd = -1;
  if (closed != 0) throw abandon(errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) throw abandon(errno);
  SyncFolder(folder);
}

}  // namespace torvane
