#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/failure.h"
#include "runtime/input_file.h"

namespace torvane {

InputFile::InputFile(const std::string& path, std::string display_name)
    : display_name_(std::move(display_name)) {
  // O_NONBLOCK: a named pipe put where a data file was must not stall the open.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    int error = errno;
    if (error == ENOENT) throw Failure(FailureKind::FileNotFound, "找不到文件", display_name_);
    throw Failure(FailureKind::OpenFailed, "无法打开文件：" + SystemErrorText(error),
                  display_name_);
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    bool folder = S_ISDIR(info.st_mode);
    ::close(fd);
    throw Failure(FailureKind::OpenFailed,
                  folder ? "无法打开文件：这是一个文件夹"
                         : "无法打开文件：不是普通文件（可能是管道、设备或套接字）",
                  display_name_);
  }
  handle_ = fd;
}

InputFile::~InputFile() {
  ::close(static_cast<int>(handle_));
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  for (;;) {
    ssize_t n = ::read(static_cast<int>(handle_), buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno == EINTR) continue;
    throw Failure(FailureKind::ReadFailed, "无法读取文件：" + SystemErrorText(errno),
                  display_name_);
  }
}

}  // namespace torvane
