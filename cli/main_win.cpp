#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/command.h"
#include "runtime/failure.h"
#include "runtime/library_search_win.h"
#include "runtime/utf16.h"

namespace {

/// A standard stream reached through its handle. Bytes go to the handle unchanged, with no text
/// mode in between, so CR LF stays CR LF; text for a person goes to a console as UTF-16.
class StandardStream : public torvane::batch::Output {
 public:
  StandardStream(DWORD which, const char* name) : handle_(::GetStdHandle(which)), name_(name) {
    DWORD mode = 0;
    console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE &&
               ::GetConsoleMode(handle_, &mode) != 0;
  }

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      DWORD written = 0;
      DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
      if (!::WriteFile(handle_, bytes.data(), size, &written, nullptr) || written == 0) Fail();
      bytes.remove_prefix(written);
    }
  }

  void Say(std::string_view utf8) override {
    if (!console_) return Write(utf8);
    std::u16string text = torvane::Utf8ToUtf16(utf8);
    std::u16string_view rest = text;
    while (!rest.empty()) {
      DWORD written = 0;
      DWORD size = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 8192));
      if (!::WriteConsoleW(handle_, rest.data(), size, &written, nullptr) || written == 0) Fail();
      rest.remove_prefix(written);
    }
  }

  bool IsTerminal() const override { return console_; }

 private:
  [[noreturn]] void Fail() const {
    throw torvane::Failure(torvane::FailureKind::WriteFailed,
                           "无法写入：" + torvane::SystemErrorText(::GetLastError()), name_);
  }

  HANDLE handle_;
  const char* name_;
  bool console_ = false;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  torvane::LoadLibrariesFromSystemFolderOnly();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.push_back(torvane::Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
  }
  StandardStream out(STD_OUTPUT_HANDLE, "标准输出"), err(STD_ERROR_HANDLE, "标准错误");
  return torvane::batch::RunBatchCommand(std::move(args), out, err);
}
