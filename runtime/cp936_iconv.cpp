#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "runtime/cp936.h"

namespace torvane {
namespace {

// One iconv conversion. Each thread opens its own, once, and reuses it.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `input`; each sequence that cannot be converted is skipped by `skip(rest)` bytes
  // and replaced by `replacement`.
  template <typename Skip>
  std::string Run(std::string_view input, std::string_view replacement, bool* lossless, Skip skip) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(input.size() * 2 + 4);
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    if (lossless) *lossless = true;
    char buffer[4096];
    while (in_left > 0) {
      char* dst = buffer;
      std::size_t dst_left = sizeof buffer;
      std::size_t result = iconv(handle_, &in, &in_left, &dst, &dst_left);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (result != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: an unconvertible or truncated sequence.
      std::size_t n = skip(std::string_view(in, in_left));
      in += n;
      in_left -= n;
      out.append(replacement);
      if (lossless) *lossless = false;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string Utf8ToCp936(std::string_view utf8, bool* lossless) {
  thread_local Converter converter("CP936", "UTF-8");
  return converter.Run(utf8, "?", lossless, Utf8SequenceLength);
}

std::string Cp936ToUtf8(std::string_view bytes) {
  thread_local Converter converter("UTF-8", "CP936");
  return converter.Run(bytes, "\xEF\xBF\xBD", nullptr,
                       [](std::string_view rest) { return CharWidth(rest, 0); });
}

}  // namespace torvane
