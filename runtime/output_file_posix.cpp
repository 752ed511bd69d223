#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/output_file_platform.h"

namespace torvane::output_platform {

long Inspect(const std::string& path, Destination& destination) {
  // A chain that does not end within 40 links fails as ELOOP.
  destination.path = path;
  for (int hops = 0;; ++hops) {
    struct stat info {};
    if (::lstat(destination.path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    if (hops == 40) return ELOOP;
    std::string target(static_cast<std::size_t>(info.st_size) + 256, '\0');
    ssize_t n = ::readlink(destination.path.c_str(), target.data(), target.size());
    if (n < 0) return errno;
    target.resize(static_cast<std::size_t>(n));
    destination.path = target.starts_with('/') ? target : FolderOf(destination.path) + target;
  }
  struct stat existing {};
  if (::stat(destination.path.c_str(), &existing) != 0) {
    destination.kind = Destination::Kind::Missing;
  } else if (S_ISDIR(existing.st_mode)) {
    destination.kind = Destination::Kind::Folder;
  } else if (!S_ISREG(existing.st_mode)) {
    destination.kind = Destination::Kind::Other;
  } else {
    destination.kind = Destination::Kind::File;
    destination.mode = existing.st_mode & 07777;
  }
  return 0;
}

long CreateExclusive(const std::string& path, Handle& handle) {
  // Readable and writable as a new file is under the process's umask.
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return errno;
  handle = fd;
  return 0;
}

bool AlreadyExists(long error) {
  return error == EEXIST;
}

long TakeOver(Handle handle, const Destination& destination) {
  if (destination.kind != Destination::Kind::File) return 0;
  return ::fchmod(static_cast<int>(handle), static_cast<mode_t>(destination.mode)) == 0 ? 0 : errno;
}

long Write(Handle handle, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(static_cast<int>(handle), data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return 0;
}

long Flush(Handle handle) {
  return ::fsync(static_cast<int>(handle)) == 0 ? 0 : errno;
}

long Close(Handle handle) {
  return ::close(static_cast<int>(handle)) == 0 ? 0 : errno;
}

long Replace(const std::string& temporary, const Destination& destination) {
  return ::rename(temporary.c_str(), destination.path.c_str()) == 0 ? 0 : errno;
}

bool HeldOpen(long) {
  return false;  // an open file never stops a rename over it
}

void Remove(const std::string& path) {
  ::unlink(path.c_str());
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Some file systems cannot sync a folder; the new content is in place already.
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace torvane::output_platform
