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

  /// Every element below this one (this one included) named `wanted`, in document order.
  void Collect(const std::string& wanted, std::vector<const XmlElement*>& found) const {
    if (name == wanted) found.push_back(this);
    for (const auto& child : children) child->Collect(wanted, found);
  }
  std::vector<const XmlElement*> All(const std::string& wanted) const {
    std::vector<const XmlElement*> found;
    Collect(wanted, found);
    return found;
  }
};

/// A strict parser of the XML that the picture's writers produce: an optional declaration and
/// document type, then one element; quoted attributes, the five predefined references and
/// numeric ones. Raises std::runtime_error, saying where, on anything not well-formed: a
/// mismatched or unclosed tag, a bare "<" or "&", an attribute twice, a character XML does not
/// allow, or bytes that are not UTF-8.
class XmlParser {
 public:
  static std::unique_ptr<XmlElement> Parse(const std::string& text) {
    XmlParser parser(text);
    return parser.Document();
  }

 private:
  explicit XmlParser(const std::string& text) : s_(text) { CheckCharacters(); }

  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error(what + " at byte " + std::to_string(pos_) + ": " +
                             s_.substr(pos_, 40));
  }

  void CheckCharacters() const {
    for (std::size_t i = 0; i < s_.size();) {
      const auto b = static_cast<unsigned char>(s_[i]);
      std::size_t n = b < 0x80             ? 1
                      : (b & 0xE0) == 0xC0 ? 2
                      : (b & 0xF0) == 0xE0 ? 3
                      : (b & 0xF8) == 0xF0 ? 4
                                           : 0;
      if (n == 0 || i + n > s_.size() || b == 0xC0 || b == 0xC1 || b > 0xF4) {
        throw std::runtime_error("not UTF-8 at byte " + std::to_string(i));
      }
      for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s_[i + k]) & 0xC0) != 0x80) {
          throw std::runtime_error("not UTF-8 at byte " + std::to_string(i));
        }
      }
      if (n == 1 && b < 0x20 && b != '\t' && b != '\n' && b != '\r') {
        throw std::runtime_error("control character at byte " + std::to_string(i));
      }
      i += n;
    }
  }

  bool At(const char* what) const { return s_.compare(pos_, std::strlen(what), what) == 0; }
  void SkipBlanks() {
    while (pos_ < s_.size() && std::strchr(" \t\r\n", s_[pos_])) ++pos_;
  }
  void SkipPast(const char* what) {
    const std::size_t end = s_.find(what, pos_);
    if (end == std::string::npos) Fail(std::string("no ") + what);
    pos_ = end + std::strlen(what);
  }

  std::unique_ptr<XmlElement> Document() {
    SkipBlanks();
    if (At("<?xml")) SkipPast("?>");
    SkipBlanks();
    if (At("<!DOCTYPE")) SkipPast(">");
    SkipBlanks();
    auto root = Element();
    SkipBlanks();
    if (pos_ != s_.size()) Fail("content after the root element");
    return root;
  }

  std::string Name() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() &&
           (std::isalnum(static_cast<unsigned char>(s_[pos_])) || std::strchr(":-_.", s_[pos_]))) {
      ++pos_;
    }
    if (pos_ == start) Fail("a name expected");
    return s_.substr(start, pos_ - start);
  }

  // Character data up to `stop`, references resolved.
  std::string Characters(char stop) {
    std::string out;
    while (pos_ < s_.size() && s_[pos_] != stop) {
      const char c = s_[pos_];
      if (c == '<') Fail("a bare <");
      if (c != '&') {
        out += c;
        ++pos_;
        continue;
      }
      const std::size_t end = s_.find(';', pos_);
      if (end == std::string::npos || end - pos_ > 10) Fail("a bare &");
      const std::string ref = s_.substr(pos_ + 1, end - pos_ - 1);
      static const std::map<std::string, std::string> kNamed{
          {"lt", "<"}, {"gt", ">"}, {"amp", "&"}, {"quot", "\""}, {"apos", "'"}};
      if (auto named = kNamed.find(ref); named != kNamed.end()) {
        out += named->second;
      } else if (ref.size() > 1 && ref[0] == '#') {
        const long code =
            ref[1] == 'x' ? std::stol(ref.substr(2), nullptr, 16) : std::stol(ref.substr(1));
        if (code < 0x20 && code != 9 && code != 10 && code != 13) Fail("a forbidden reference");
        if (code >= 0x80) Fail("a reference above ASCII (not expected here)");
        out += static_cast<char>(code);
      } else {
        Fail("an unknown reference");
      }
      pos_ = end + 1;
    }
    return out;
  }

  std::unique_ptr<XmlElement> Element() {
    if (!At("<")) Fail("< expected");
    ++pos_;
    auto element = std::make_unique<XmlElement>();
    element->name = Name();
    for (;;) {
      SkipBlanks();
      if (At("/>")) {
        pos_ += 2;
        return element;
      }
      if (At(">")) {
        ++pos_;
        break;
      }
      const std::string attribute = Name();
      SkipBlanks();
      if (!At("=")) Fail("= expected");
      ++pos_;
      SkipBlanks();
      const char quote = pos_ < s_.size() ? s_[pos_] : 0;
      if (quote != '"' && quote != '\'') Fail("a quote expected");
      ++pos_;
      std::string value = Characters(quote);
      if (pos_ >= s_.size()) Fail("an unclosed attribute");
      ++pos_;
      if (!element->attributes.emplace(attribute, value).second) Fail("an attribute twice");
    }
    for (;;) {
      element->text += Characters('<');
      if (pos_ >= s_.size()) Fail("an unclosed <" + element->name + ">");
      if (At("</")) {
        pos_ += 2;
        if (Name() != element->name) Fail("a mismatched end tag for <" + element->name + ">");
        SkipBlanks();
        if (!At(">")) Fail("> expected");
        ++pos_;
        return element;
      }
      if (At("<!--")) {
        SkipPast("-->");
        continue;
      }
      element->children.push_back(Element());
    }
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

}  // namespace torvane::testing
