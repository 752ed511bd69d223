#pragma once

#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace torvane::testing {

/// An element of a parsed XML document.
struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attributes;  ///< values with their references resolved
  std::string text;                               ///< the character data directly inside
  std::vector<std::unique_ptr<XmlElement>> children;

  /// Every element named `wanted` at or below this one, in document order.
  std::vector<const XmlElement*> All(const std::string& wanted) const {
    std::vector<const XmlElement*> found;
    if (name == wanted) found.push_back(this);
    for (const auto& child : children) {
      for (const XmlElement* e : child->All(wanted)) found.push_back(e);
    }
    return found;
  }
};

/// A strict parser of the XML the picture's writers produce: an optional declaration and
/// document type, then one element with quoted attributes, the five named references and "&#39;".
/// Raises std::runtime_error, saying where, on anything not well-formed: a mismatched or
/// unclosed tag, a bare "<" or "&", an attribute twice, a control character, or bytes that are
/// not UTF-8.
class XmlParser {
 public:
  static std::unique_ptr<XmlElement> Parse(const std::string& text) {
    XmlParser parser(text);
    parser.Skip("<?xml", "?>");
    parser.Skip("<!DOCTYPE", ">");
    auto root = parser.Element();
    parser.Blanks();
    if (parser.pos_ != text.size()) parser.Fail("content after the root element");
    return root;
  }

 private:
  explicit XmlParser(const std::string& text) : s_(text) {
    for (std::size_t i = 0; i < s_.size(); ++i) {
      const auto b = static_cast<unsigned char>(s_[i]);
      const std::size_t n = b < 0x80                ? 0
                            : b >= 0xC2 && b < 0xE0 ? 1
                            : b >= 0xE0 && b < 0xF0 ? 2
                            : b >= 0xF0 && b < 0xF5 ? 3
                                                    : 9;
      for (std::size_t k = 1; k <= n; ++k) {
        if (n == 9 || i + k >= s_.size() || (s_[i + k] & 0xC0) != 0x80) Fail("not UTF-8", i);
      }
      if (b < 0x20 && !std::strchr("\t\n\r", b)) Fail("a control character", i);
      i += n;
    }
  }

  [[noreturn]] void Fail(const std::string& what, std::size_t at = std::string::npos) const {
    at = at == std::string::npos ? pos_ : at;
    throw std::runtime_error(what + " at byte " + std::to_string(at) + ": " + s_.substr(at, 40));
  }
  bool At(const char* what) const { return s_.compare(pos_, std::strlen(what), what) == 0; }
  void Blanks() {
    while (pos_ < s_.size() && std::strchr(" \t\r\n", s_[pos_])) ++pos_;
  }
  void Expect(const char* what) {
    Blanks();
    if (!At(what)) Fail(std::string(what) + " expected");
    pos_ += std::strlen(what);
  }
  void Skip(const char* start, const char* end) {
    Blanks();
    if (At(start)) pos_ = s_.find(end, pos_) + std::strlen(end);
  }
  std::string Name() {
    Blanks();
    const std::size_t start = pos_;
    while (pos_ < s_.size() &&
           (std::isalnum(static_cast<unsigned char>(s_[pos_])) || std::strchr(":-_.", s_[pos_]))) {
      ++pos_;
    }
    if (pos_ == start) Fail("a name expected");
    return s_.substr(start, pos_ - start);
  }

  // Character data up to `stop` (not consumed), references resolved.
  std::string Characters(char stop) {
    static const std::map<std::string, std::string> kReferences{{"&lt;", "<"},   {"&gt;", ">"},
                                                                {"&amp;", "&"},  {"&quot;", "\""},
                                                                {"&apos;", "'"}, {"&#39;", "'"}};
    std::string out;
    while (pos_ < s_.size() && s_[pos_] != stop) {
      if (s_[pos_] == '<') Fail("a bare <");
      if (s_[pos_] != '&') {
        out += s_[pos_++];
        continue;
      }
      const std::size_t end = s_.find(';', pos_);
      const auto reference = kReferences.find(s_.substr(pos_, end + 1 - pos_));
      if (end == std::string::npos || reference == kReferences.end()) Fail("a bare &");
      out += reference->second;
      pos_ = end + 1;
    }
    if (pos_ == s_.size()) Fail(std::string("no ") + stop);
    return out;
  }

  std::unique_ptr<XmlElement> Element() {
    Expect("<");
    auto element = std::make_unique<XmlElement>();
    element->name = Name();
    for (Blanks(); !At(">"); Blanks()) {
      if (At("/>")) {
        pos_ += 2;
        return element;
      }
      const std::string attribute = Name();
      Expect("=");
      Blanks();
      const char quote = s_[pos_++];
      if (quote != '"' && quote != '\'') Fail("a quote expected");
      std::string value = Characters(quote);
      ++pos_;
      if (!element->attributes.emplace(attribute, value).second) Fail("an attribute twice");
    }
    ++pos_;
    for (;;) {
      element->text += Characters('<');
      if (!At("</")) {
        element->children.push_back(Element());
        continue;
      }
      pos_ += 2;
      if (Name() != element->name) Fail("a mismatched end tag for <" + element->name + ">");
      Expect(">");
      return element;
    }
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

}  // namespace torvane::testing
