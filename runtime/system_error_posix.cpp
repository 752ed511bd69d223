#include <cerrno>
#include <cstring>

#include "runtime/failure.h"

namespace torvane {

std::string SystemErrorText(long error) {
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
    case ENXIO:
      return "不是普通文件";
    case ELOOP:
      return "符号链接太多或成环";
    default:
      return "系统错误 " + std::to_string(error) + "（" + std::strerror(static_cast<int>(error)) +
             "）";
  }
}

}  // namespace torvane
