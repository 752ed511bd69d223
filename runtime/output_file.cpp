#include "runtime/output_file.h"

#include <chrono>
#include <random>
#include <thread>

#include "runtime/failure.h"
#include "runtime/output_file_platform.h"
#include "runtime/paths.h"

namespace torvane {

namespace output_platform {

std::string FolderOf(const std::string& path) {
  std::size_t cut = path.find_last_of(kPathSeparators);
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace output_platform

namespace {

using namespace output_platform;

// How long a summary held open by another program is waited for: antivirus scanners and
// indexers hold a new file for moments.
constexpr auto kHeldOpenPatience = std::chrono::seconds(1);
constexpr auto kHeldOpenPause = std::chrono::milliseconds(50);

Failure CannotWrite(FailureKind kind, long error, const std::string& display_name) {
  return Failure(kind, "无法写入文件：" + SystemErrorText(error), display_name);
}

// Creates a file in `folder` under a name not taken before; sets `name`. 0 or the system's error.
long CreateTemporary(const std::string& folder, std::string& name, Handle& handle) {
  static std::mt19937_64 random{std::random_device{}()};
  long error = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + ".torvane-" + std::to_string(random() % 1'000'000'000'000ULL) + ".tmp";
    error = CreateExclusive(name, handle);
    if (!AlreadyExists(error)) return error;
  }
  return error;
}

// Replace, tried again while another program holds the destination open, up to the patience.
long ReplaceWhenFree(const std::string& temporary, const Destination& destination) {
  const auto give_up = std::chrono::steady_clock::now() + kHeldOpenPatience;
  for (;;) {
    long error = Replace(temporary, destination);
    if (!HeldOpen(error) || std::chrono::steady_clock::now() >= give_up) return error;
    std::this_thread::sleep_for(kHeldOpenPause);
  }
}

}  // namespace

void ReplaceFileContents(const std::string& path, std::string_view bytes,
                         const std::string& display_name) {
  Destination destination;
  if (long error = Inspect(path, destination)) {
    throw CannotWrite(FailureKind::OpenFailed, error, display_name);
  }
  switch (destination.kind) {
    case Destination::Kind::Folder:
      throw Failure(FailureKind::OpenFailed, "无法写入文件：同名的文件夹已经存在", display_name);
    case Destination::Kind::Other:
      throw Failure(FailureKind::OpenFailed, "无法写入文件：同名的项目不是普通文件", display_name);
    case Destination::Kind::Missing:
    case Destination::Kind::File:
      break;
  }
  if (destination.read_only) {
    throw Failure(FailureKind::WriteFailed, "无法写入文件：文件是只读的", display_name);
  }

  const std::string folder = FolderOf(destination.path);
  std::string temporary;
  Handle handle = 0;
  if (long error = CreateTemporary(folder, temporary, handle)) {
    throw CannotWrite(FailureKind::OpenFailed, error, display_name);
  }
  bool open = true;
  // Every step from here on leaves the destination as it was when it fails.
  auto abandon = [&](long error) {
    if (open) Close(handle);
    Remove(temporary);
    if (HeldOpen(error)) {
      return Failure(FailureKind::WriteFailed,
                     "汇总文件正被其他程序打开（例如 Excel 或 WPS），请关闭它后再按“执行”",
                     display_name);
    }
    return CannotWrite(FailureKind::WriteFailed, error, display_name);
  };
  if (long error = TakeOver(handle, destination)) throw abandon(error);
  if (long error = Write(handle, bytes)) throw abandon(error);
  if (long error = Flush(handle)) throw abandon(error);
  open = false;
  if (long error = Close(handle)) throw abandon(error);
  if (long error = ReplaceWhenFree(temporary, destination)) throw abandon(error);
  SyncFolder(folder);
}

}  // namespace torvane
