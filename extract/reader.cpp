#include "extract/reader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "runtime/cp936.h"
#include "runtime/failure.h"
#include "runtime/input_file.h"
#include "runtime/number_scan.h"

namespace torvane {
namespace {

constexpr long kMostRows = 32767;

// Whether `b` belongs to a row's X text: "!" to "z", except ";" where that splits rows too.
inline bool IsTextByte(unsigned char b, bool semicolon_splits) {
  return b - 33u <= 122u - 33u && !(semicolon_splits && b == ';');
}

inline bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// The first CR or LF of [p, end), or end.
inline const char* FindLineEnd(const char* p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    // Eight bytes at a time: a word without a byte below 14 holds neither CR nor LF. The lowest
    // flagged byte is always a true one.
    constexpr uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
    while (end - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      uint64_t below = (word - 14 * kOnes) & ~word & kHighs;
      if (below == 0) {
        p += 8;
        continue;
      }
      p += std::countr_zero(below) / 8;
      if (IsLineEnd(*p)) return p;
      ++p;
    }
  }
  while (p < end && !IsLineEnd(*p)) ++p;
  return p;
}

// One data file being read: a window [pos, end) of the buffer that slides over the file.
class Reader {
 public:
  Reader(InputFile& file, ReadBuffer& buffer, const std::string& display_name,
         RowVisitor* visitor = nullptr)
      : file_(file), base_(buffer.data()), display_name_(display_name), visitor_(visitor) {}

  FileResult Read(long headings, RangeSearch* search, NumberStyle style) {
    if (Refill() && end_ - pos_ >= 3 && std::memcmp(pos_, "\xEF\xBB\xBF", 3) == 0) pos_ += 3;
    SkipHeadings(headings);
    ReadRows(search, style);
    KeepChosen();
    return std::move(result_);
  }

 private:
  // Keeps the unread bytes and reads more behind them; false at the end of the file.
  bool Refill() {
    if (eof_) return false;
    KeepChosen();
    std::size_t kept = static_cast<std::size_t>(end_ - pos_);
    if (pos_ != base_) std::memmove(base_, pos_, kept);
    pos_ = base_;
    end_ = base_ + kept;
    std::size_t n = file_.Read(base_ + kept, ReadBuffer::kCapacity - kept);
    if (n == 0) {
      eof_ = true;
      return false;
    }
    end_ += n;
    return true;
  }

  // The chosen row's texts still point into the buffer; copies them before it moves.
  void KeepChosen() {
    if (!chosen_in_buffer_) return;
    result_.row.x.assign(chosen_x_, chosen_x_size_);
    result_.row.y.assign(chosen_y_, chosen_y_size_);
    chosen_in_buffer_ = false;
  }

  Failure LineFailure(FailureKind kind, std::string message) const {
    return Failure(kind, std::move(message), display_name_, line_ + 1);
  }

  // Passes over `headings` lines without holding any of them.
  void SkipHeadings(long headings) {
    for (long h = 0; h < headings; ++h) {
      if (pos_ == end_ && !Refill()) {
        throw LineFailure(FailureKind::InputPastEndOfFile, "文件只有 " + std::to_string(line_) +
                                                               " 行，不够忽略前 " +
                                                               std::to_string(headings) + " 行");
      }
      for (;;) {
        pos_ = FindLineEnd(pos_, end_);
        if (pos_ < end_ || !Refill()) break;
      }
      if (pos_ < end_) {
        if (*pos_++ == '\r' && (pos_ < end_ || Refill()) && *pos_ == '\n') ++pos_;
      }
      ++line_;
    }
  }

  void ReadRows(RangeSearch* search, NumberStyle style) {
    const bool semicolon_splits = style.decimal_comma;
    while (pos_ < end_ || Refill()) {
      if (result_.rows == kMostRows) {
        throw LineFailure(FailureKind::Overflow, "数据行超过 32767 行");
      }
      // Scan the line from its start: the X number, the delimiter, then the line end. A line
      // that runs past the bytes read so far is scanned again once more are read.
      const char *delimiter, *y, *line_end, *next;
      double x, y_value = 0.0;
      bool in_range, wanted;
      for (;;) {
        const char* p = number::ReadNumber<number::Blanks::kNone>(pos_, end_, style, x);
        while (p < end_ && IsTextByte(static_cast<unsigned char>(*p), semicolon_splits)) ++p;
        delimiter = p < end_ && !IsLineEnd(*p) ? p : nullptr;
        in_range = wanted = false;
        if (delimiter) {
          // A double-byte delimiter; past the bytes read, the line is scanned again anyway.
          y = delimiter + 1;
          if (IsLeadByte(*delimiter) && y < end_ && IsTrailByte(*y)) ++y;
          // The Y value is formed only in range, in the same pass that finds the line's end: a
          // Y text holds no line feed, so passing over spaces and tabs reads it as a whole.
          in_range = search && search->InRange(x);
          wanted = visitor_ && visitor_->Wants(x);
          p = in_range || wanted
                  ? number::ReadNumber<number::Blanks::kSpaceTab>(y, end_, style, y_value)
                  : y;
          p = FindLineEnd(p, end_);
        }
        line_end = p;
        if (p < end_ && !(*p == '\r' && p + 1 == end_ && !eof_)) {
          next = p + 1 + (*p == '\r' && p + 1 < end_ && p[1] == '\n');
          break;
        }
        if (eof_ && p == end_) {
          next = end_;
          break;
        }
        // The line so far, less a CR at the end of the bytes read, which may yet end it.
        if (static_cast<std::size_t>(p - pos_) > ReadBuffer::kLongestLine) {
          throw LineFailure(FailureKind::Overflow, "一行超过 32767 个字符");
        }
        Refill();  // at the end of the file, the next scan takes the rest as the line
      }
      if (static_cast<std::size_t>(line_end - pos_) > 32767 &&
          CharLength({pos_, static_cast<std::size_t>(line_end - pos_)}) > 32767) {
        throw LineFailure(FailureKind::Overflow, "一行超过 32767 个字符");
      }
      ++result_.rows;
      ++line_;
      if (delimiter) {
        ++result_.rows_with_texts;
        result_.x_low = std::min(result_.x_low, x);
        result_.x_high = std::max(result_.x_high, x);
        if (wanted) visitor_->Visit(x, y_value, line_);
        if (in_range && search->Takes(y_value)) {
          search->Keep(y_value);
          result_.found = true;
          result_.row.x_value = x;
          result_.row.y_value = y_value;
          result_.row.line = line_;
          chosen_x_ = pos_;
          chosen_x_size_ = static_cast<std::size_t>(delimiter - pos_);
          chosen_y_ = y;
          chosen_y_size_ = static_cast<std::size_t>(line_end - y);
          chosen_in_buffer_ = true;
        }
      }
      pos_ = next;
    }
  }

  InputFile& file_;
  char* const base_;
  const std::string& display_name_;
  RowVisitor* const visitor_;
  const char* pos_ = base_;
  const char* end_ = base_;
  bool eof_ = false;
  long line_ = 0;  // lines passed so far
  FileResult result_;
  const char* chosen_x_ = nullptr;
  const char* chosen_y_ = nullptr;
  std::size_t chosen_x_size_ = 0, chosen_y_size_ = 0;
  bool chosen_in_buffer_ = false;
};

}  // namespace

ReadBuffer::ReadBuffer() : data_(new char[kCapacity]) {}

namespace {

FileResult Read(const std::string& path, const std::string& display_name,
                std::string_view heading_text, RowVisitor* visitor, RangeSearch* search,
                NumberStyle style, ReadBuffer& buffer) {
  InputFile file(path, display_name);
  long headings;
  try {
    headings = RoundToInt16(LenientValue(heading_text));
  } catch (const Failure&) {
    throw Failure(FailureKind::Overflow,
                  "忽略的行数“" + std::string(heading_text) + "”超出范围（最多 32767）");
  }
  return Reader(file, buffer, display_name, visitor).Read(headings, search, style);
}

}  // namespace

FileResult ReadDataFile(const std::string& path, const std::string& display_name,
                        std::string_view heading_text, RangeSearch* search, NumberStyle style,
                        ReadBuffer& buffer) {
  return Read(path, display_name, heading_text, nullptr, search, style, buffer);
}

FileResult VisitDataFile(const std::string& path, const std::string& display_name,
                         std::string_view heading_text, RowVisitor& visitor, RangeSearch* search,
                         NumberStyle style, ReadBuffer& buffer) {
  return Read(path, display_name, heading_text, &visitor, search, style, buffer);
}

}  // namespace torvane
