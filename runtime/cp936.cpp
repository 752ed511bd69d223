#include "runtime/cp936.h"

namespace torvane {

std::size_t CharLength(std::string_view bytes) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < bytes.size(); pos += CharWidth(bytes, pos)) ++count;
  return count;
}

int16_t KeyCodeOfUtf8(std::string_view utf8) {
  if (utf8.empty()) return 0;
  std::string bytes = Utf8ToCp936(utf8.substr(0, Utf8SequenceLength(utf8)));
  return CharCode(bytes, 0);
}

}  // namespace torvane
