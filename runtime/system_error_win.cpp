#include <windows.h>

#include "runtime/failure.h"
#include "runtime/wide_win.h"

namespace torvane {
namespace {

// The system's own wording, without the line end it ends with; empty when it has none.
std::string SystemWording(DWORD error) {
  wchar_t* text = nullptr;
  DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (n == 0 || !text) return {};
  std::wstring wording(text, n);
  ::LocalFree(text);
  while (!wording.empty() && (wording.back() == L'\n' || wording.back() == L'\r' ||
                              wording.back() == L' ' || wording.back() == L'.')) {
    wording.pop_back();
  }
  return Narrow(wording);
}

}  // namespace

std::string SystemErrorText(long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "文件或文件夹不存在";
    case ERROR_ACCESS_DENIED:
      return "没有访问权限";
    case ERROR_WRITE_PROTECT:
      return "位于只读的磁盘上";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "磁盘空间不足";
    case ERROR_FILENAME_EXCED_RANGE:
      return "文件名或路径太长";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return "文件名或路径中有不允许的字符";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "文件正被其他程序占用";
    case ERROR_TOO_MANY_OPEN_FILES:
      return "打开的文件太多";
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE:
      return "读写设备出错";
    case ERROR_NOT_READY:
      return "设备未就绪";
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETNAME_DELETED:
      return "找不到网络路径或网络连接已断开";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return "文件已经存在";
    case ERROR_CANT_RESOLVE_FILENAME:
      return "符号链接太多或成环";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return "内存不足";
    default: {
      std::string wording = SystemWording(static_cast<DWORD>(error));
      std::string text = "系统错误 " + std::to_string(error);
      return wording.empty() ? text : text + "（" + wording + "）";
    }
  }
}

}  // namespace torvane
