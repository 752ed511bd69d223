#include "runtime/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "runtime/failure.h"

namespace torvane {
namespace {
constexpr std::size_t kChunk = 1 << 16;
}

InputFile::InputFile(const std::string& path, std::string display_name)
    : display_name_(std::move(display_name)), buffer_(kChunk) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    FailureKind kind = errno == ENOENT ? FailureKind::FileNotFound : FailureKind::OpenFailed;
    throw Failure(kind, SystemErrorText(errno), display_name_);
  }
  struct stat info {};
  if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd_);
    throw Failure(FailureKind::OpenFailed, "这是一个文件夹", display_name_);
  }
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool InputFile::Fill() {
  if (eof_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() - end_ < kChunk / 2) buffer_.resize(buffer_.size() * 2);
  for (;;) {
    ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      throw Failure(FailureKind::OpenFailed, SystemErrorText(errno), display_name_,
                    lines_read_ + 1);
    }
    eof_ = true;
    return false;
  }
}

bool InputFile::AtEnd() {
  return begin_ == end_ && !Fill();
}

std::string_view InputFile::ReadLine() {
  if (AtEnd()) {
    throw Failure(FailureKind::InputPastEndOfFile, "文件的行数不够", display_name_,
                  lines_read_ + 1);
  }
  std::size_t scanned = begin_;
  for (;;) {
    const char* data = buffer_.data();
    std::size_t i = scanned;
    while (i < end_ && data[i] != '\r' && data[i] != '\n') ++i;
    if (i < end_) {
      // A CR as the last byte read may be the first half of a CR LF.
      if (data[i] == '\r' && i + 1 == end_ && !eof_) {
        std::size_t offset = i - begin_;
        if (Fill()) {
          scanned = begin_ + offset;
          continue;
        }
        i = begin_ + offset;
        data = buffer_.data();
      }
      std::string_view line(data + begin_, i - begin_);
      std::size_t next = i + 1;
      if (data[i] == '\r' && next < end_ && data[next] == '\n') ++next;
      begin_ = next;
      ++lines_read_;
      return line;
    }
    std::size_t offset = i - begin_;
    if (!Fill()) {
      std::string_view line(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      ++lines_read_;
      return line;
    }
    scanned = begin_ + offset;
  }
}

}  // namespace torvane
