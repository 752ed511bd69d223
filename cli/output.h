#pragma once

#include <string_view>

namespace torvane::batch {

/// One of the command's two streams: standard output or standard error, or a capture in tests.
class Output {
 public:
  virtual ~Output() = default;

  /// Writes `bytes` unchanged (a summary). WriteFailed when the stream refuses them.
  virtual void Write(std::string_view bytes) = 0;

  /// Writes UTF-8 text meant for a person: a console shows its characters whatever its code
  /// page; anywhere else it goes as UTF-8 bytes. WriteFailed as for Write.
  virtual void Say(std::string_view utf8) { Write(utf8); }

  /// Whether the stream is a terminal (a console), where a progress line may be drawn.
  virtual bool IsTerminal() const { return false; }
};

}  // namespace torvane::batch
