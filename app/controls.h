#pragma once

#include <string>

namespace torvane {

/// The window's text boxes the logic reads or writes.
enum class TextBox { Text1, Text2, Text3, Text4, Text5 };

/// The control values of the program's window, as the logic sees them. Texts are UTF-8.
class Controls {
 public:
  virtual ~Controls() = default;
  virtual std::string Text(TextBox box) const = 0;
  /// Replaces a text box's text; the program's own changes raise no Change event.
  virtual void SetText(TextBox box, const std::string& text) = 0;
  virtual void SetLabel8Caption(const std::string& caption) = 0;
  /// Whether "取峰值" is selected; otherwise "取谷值" is (the two form one group).
  virtual bool Option1Selected() const = 0;
};

}  // namespace torvane
