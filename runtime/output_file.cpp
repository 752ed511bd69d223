#include "runtime/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "runtime/directory.h"
#include "runtime/failure.h"

namespace torvane {

void ReplaceFileContents(const std::string& path, std::string_view bytes,
                         const std::string& display_name) {
  auto fail = [&](FailureKind kind, int error) {
    return Failure(kind, SystemErrorText(error), display_name);
  };
  struct stat existing {};
  bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    throw Failure(FailureKind::OpenFailed, "同名的文件夹已经存在", display_name);
  }

  std::size_t cut = path.find_last_of(kPathSeparator);
  std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
  std::string temp = folder + ".torvane-XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) throw fail(FailureKind::OpenFailed, errno);

  auto abandon = [&](FailureKind kind, int error) {
    ::close(fd);
    ::unlink(temp.c_str());
    return fail(kind, error);
  };
  mode_t mode = exists ? (existing.st_mode & 07777) : [] {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  if (::fchmod(fd, mode) != 0) throw abandon(FailureKind::WriteFailed, errno);

  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw abandon(FailureKind::WriteFailed, errno);
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) throw abandon(FailureKind::WriteFailed, errno);
  if (::close(fd) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    throw fail(FailureKind::WriteFailed, error);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    throw fail(FailureKind::OpenFailed, error);
  }
}

}  // namespace torvane
