#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "cli/command.h"
#include "runtime/failure.h"

namespace {

/// A standard stream reached through its file descriptor; bytes go out unchanged.
class StandardStream : public torvane::batch::Output {
 public:
  StandardStream(int fd, const char* name) : fd_(fd), name_(name) {}

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        throw torvane::Failure(torvane::FailureKind::WriteFailed,
                               "无法写入：" + torvane::SystemErrorText(errno), name_);
      }
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
  }
  bool IsTerminal() const override { return ::isatty(fd_) == 1; }

 private:
  int fd_;
  const char* name_;
};

}  // namespace

int main(int argc, char** argv) {
  StandardStream out(STDOUT_FILENO, "标准输出"), err(STDERR_FILENO, "标准错误");
  return torvane::batch::RunBatchCommand(std::vector<std::string>(argv + 1, argv + argc), out, err);
}
