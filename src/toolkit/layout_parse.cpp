// The layout text format, without any window: the program's build reads
// it too, to make each form's control fields.
#include "toolkit/layout.h"

#include <cctype>
#include <sstream>

namespace tk {

namespace {

[[noreturn]] void Fail(const std::string& source, int line, const std::string& what) {
  throw LayoutError(source + ":" + std::to_string(line) + ": " + what);
}

class Parser {
 public:
  Parser(const std::string& text, std::string source) : source_(std::move(source)) {
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l)) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      lines_.push_back(l);
    }
  }

  LayoutNode ParseRoot() {
    SkipBlank();
    if (pos_ >= lines_.size()) Fail(source_, 0, "empty layout");
    LayoutNode root = ParseObject();
    SkipBlank();
    if (pos_ < lines_.size()) Fail(source_, LineNo(), "text after the form's end");
    return root;
  }

 private:
  int LineNo() const { return static_cast<int>(pos_) + 1; }

  static std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
  }

  void SkipBlank() {
    while (pos_ < lines_.size()) {
      const std::string t = Trim(lines_[pos_]);
      if (!t.empty() && t[0] != '#') return;
      ++pos_;
    }
  }

  static size_t Indent(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return i;
  }

  // Runs out of lines inside an object: the missing 'end' is most likely
  // that of the first object whose 'end' stood at another indentation.
  [[noreturn]] void FailNoEnd(const LayoutNode& node) {
    if (misplacedLine_ > 0) Fail(source_, misplacedLine_, "no 'end' for " + misplacedName_);
    Fail(source_, node.line, "no 'end' for " + node.name);
  }

  LayoutNode ParseObject() {
    const std::string head = Trim(lines_[pos_]);
    const size_t indent = Indent(lines_[pos_]);
    LayoutNode node;
    node.line = LineNo();
    const size_t sp = head.find(' ');
    if (sp == std::string::npos) Fail(source_, node.line, "expected 'kind Name'");
    node.kind = head.substr(0, sp);
    node.name = Trim(head.substr(sp + 1));
    ++pos_;
    for (;;) {
      SkipBlank();
      if (pos_ >= lines_.size()) FailNoEnd(node);
      const std::string t = Trim(lines_[pos_]);
      if (t == "end") {
        if (Indent(lines_[pos_]) != indent && misplacedLine_ == 0) {
          misplacedLine_ = node.line;
          misplacedName_ = node.name;
        }
        ++pos_;
        return node;
      }
      const size_t eq = t.find('=');
      if (eq == std::string::npos) {
        node.children.push_back(ParseObject());
        continue;
      }
      const std::string name = Trim(t.substr(0, eq));
      const std::string rest = Trim(t.substr(eq + 1));
      const int line = LineNo();
      ++pos_;
      if (rest == "[") {
        LayoutValue list;
        list.kind = LayoutValue::Kind::List;
        list.line = line;
        for (;;) {
          if (pos_ >= lines_.size()) Fail(source_, line, "no ']' for " + name);
          const std::string item = Trim(lines_[pos_]);
          const int itemLine = LineNo();
          ++pos_;
          if (item == "]") break;
          if (item.empty() || item[0] == '#') continue;
          list.items.push_back(ParseValue(item, itemLine));
        }
        node.properties.emplace_back(name, std::move(list));
      } else {
        node.properties.emplace_back(name, ParseValue(rest, line));
      }
    }
  }

  // One value or a comma-separated list of them.
  LayoutValue ParseValue(const std::string& text, int line) {
    std::vector<LayoutValue> parts;
    size_t i = 0;
    for (;;) {
      while (i < text.size() && text[i] == ' ') ++i;
      if (i >= text.size()) Fail(source_, line, "missing value");
      parts.push_back(ParseAtom(text, i, line));
      while (i < text.size() && text[i] == ' ') ++i;
      if (i >= text.size()) break;
      if (text[i] != ',') Fail(source_, line, "expected ',' in '" + text + "'");
      ++i;
    }
    if (parts.size() == 1) return parts[0];
    LayoutValue list;
    list.kind = LayoutValue::Kind::List;
    list.line = line;
    list.items = std::move(parts);
    return list;
  }

  LayoutValue ParseAtom(const std::string& t, size_t& i, int line) {
    LayoutValue v;
    v.line = line;
    if (t[i] == '"') {
      v.kind = LayoutValue::Kind::String;
      ++i;
      for (;;) {
        if (i >= t.size()) Fail(source_, line, "unterminated string");
        if (t[i] == '"') {
          if (i + 1 < t.size() && t[i + 1] == '"') {
            v.text += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        v.text += t[i++];
      }
      return v;
    }
    if (t[i] == '$' || t[i] == '-' || std::isdigit(static_cast<unsigned char>(t[i]))) {
      v.kind = LayoutValue::Kind::Number;
      const size_t start = i;
      if (t[i] == '$') {
        ++i;
        while (i < t.size() && std::isxdigit(static_cast<unsigned char>(t[i]))) ++i;
        v.number = std::stoll(t.substr(start + 1, i - start - 1), nullptr, 16);
      } else {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
        v.number = std::stoll(t.substr(start, i - start));
      }
      return v;
    }
    v.kind = LayoutValue::Kind::Identifier;
    while (i < t.size() && (std::isalnum(static_cast<unsigned char>(t[i])) || t[i] == '_')) v.text += t[i++];
    if (v.text.empty()) Fail(source_, line, std::string("unexpected '") + t[i] + "'");
    return v;
  }

  std::string source_;
  std::vector<std::string> lines_;
  size_t pos_ = 0;
  int misplacedLine_ = 0;
  std::string misplacedName_;
};

std::string Where(const LayoutValue& v) { return "line " + std::to_string(v.line) + ": "; }

}  // namespace

int LayoutValue::AsInt() const {
  if (kind != Kind::Number) throw LayoutError(Where(*this) + "expected a number");
  return static_cast<int>(number);
}

bool LayoutValue::AsBool() const {
  if (kind == Kind::Identifier && (text == "true" || text == "false")) return text == "true";
  throw LayoutError(Where(*this) + "expected true or false");
}

const std::string& LayoutValue::AsString() const {
  if (kind != Kind::String) throw LayoutError(Where(*this) + "expected a \"string\"");
  return text;
}

const std::string& LayoutValue::AsIdentifier() const {
  if (kind != Kind::Identifier) throw LayoutError(Where(*this) + "expected a word");
  return text;
}

std::vector<LayoutValue> LayoutValue::AsList() const {
  if (kind == Kind::List) return items;
  return {*this};
}

std::vector<std::string> LayoutValue::AsStrings() const {
  std::vector<std::string> out;
  for (const auto& i : AsList()) out.push_back(i.AsString());
  return out;
}

LayoutNode ParseLayout(const std::string& text, const std::string& sourceName) {
  return Parser(text, sourceName).ParseRoot();
}

}  // namespace tk
