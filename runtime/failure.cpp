#include "runtime/failure.h"

namespace torvane {
namespace {

const char* KindText(FailureKind kind) {
  switch (kind) {
    case FailureKind::Overflow:
      return "数值超出范围（溢出）";
    case FailureKind::InvalidArgument:
      return "无效的输入";
    case FailureKind::TypeMismatch:
      return "不是有效的数字";
    case FailureKind::FileNotFound:
      return "找不到文件";
    case FailureKind::InputPastEndOfFile:
      return "读取超出文件末尾";
    case FailureKind::OpenFailed:
      return "无法打开文件";
    case FailureKind::ReadFailed:
      return "无法读取文件";
    case FailureKind::ListFailed:
      return "无法读取文件夹";
    case FailureKind::WriteFailed:
      return "无法写入文件";
    case FailureKind::TooManyDataFiles:
      return "数据文件太多";
  }
  return "未知错误";
}

}  // namespace

Failure::Failure(FailureKind kind, std::string message, std::string file, long line)
    : std::runtime_error(message.empty() ? KindText(kind) : message),
      kind_(kind),
      message_(message.empty() ? KindText(kind) : std::move(message)),
      file_(std::move(file)),
      line_(line) {}

std::string DescribeFailure(const Failure& failure) {
  std::string text = failure.message();
  if (!failure.file().empty()) {
    text += failure.kind() == FailureKind::ListFailed ? "\n文件夹：" : "\n文件：";
    text += failure.file();
  }
  if (failure.line() > 0) text += "\n行号：" + std::to_string(failure.line());
  return text;
}

}  // namespace torvane
