#include "runtime/failure.h"

#include <cerrno>
#include <cstring>

namespace torvane {
namespace {

const char* KindText(FailureKind kind) {
  switch (kind) {
    case FailureKind::InvalidArgument:
      return "无效的过程调用或参数";
    case FailureKind::Overflow:
      return "数值超出范围（溢出）";
    case FailureKind::SubscriptOutOfRange:
      return "下标越界";
    case FailureKind::TypeMismatch:
      return "类型不匹配：不是有效的数字";
    case FailureKind::FileNotFound:
      return "找不到文件";
    case FailureKind::FileAlreadyOpen:
      return "文件已经打开";
    case FailureKind::InputPastEndOfFile:
      return "读取超出文件末尾";
    case FailureKind::OpenFailed:
      return "无法打开文件";
    case FailureKind::WriteFailed:
      return "无法写入文件";
    case FailureKind::TooManyDataFiles:
      return "数据文件太多";
  }
  return "未知错误";
}

}  // namespace

Failure::Failure(FailureKind kind, std::string detail, std::string file, long line)
    : std::runtime_error(KindText(kind)),
      kind_(kind),
      detail_(std::move(detail)),
      file_(std::move(file)),
      line_(line) {}

std::string SystemErrorText(int error) {
  switch (error) {
    case ENOENT:
      return "文件或文件夹不存在";
    case ENOTDIR:
      return "路径中有一部分不是文件夹";
    case EACCES:
    case EPERM:
      return "没有访问权限";
    case EROFS:
      return "位于只读的磁盘上";
    case ENOSPC:
    case EDQUOT:
      return "磁盘空间不足";
    case ENAMETOOLONG:
      return "文件名或路径太长";
    case EISDIR:
      return "这是一个文件夹";
    case EIO:
      return "读写设备出错";
    case EMFILE:
    case ENFILE:
      return "打开的文件太多";
    case EBUSY:
    case ETXTBSY:
      return "文件正被占用";
    default:
      return std::string("系统错误 ") + std::to_string(error) + "（" + std::strerror(error) + "）";
  }
}

std::string DescribeFailure(const Failure& failure) {
  std::string text = KindText(failure.kind());
  if (!failure.detail().empty()) text += "：" + failure.detail();
  if (!failure.file().empty()) text += "\n文件：" + failure.file();
  if (failure.line() > 0) text += "\n行号：" + std::to_string(failure.line());
  return text;
}

}  // namespace torvane
