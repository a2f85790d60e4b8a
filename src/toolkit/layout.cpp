#include "toolkit/layout.h"

#include <QFile>

#include <cctype>
#include <sstream>

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/shell_action.h"
#include "toolkit/timer.h"

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

Color LayoutValue::AsColor() const {
  if (kind == Kind::Number) return static_cast<Color>(number);
  Color c = 0;
  if ((kind == Kind::Identifier || kind == Kind::String) && ColorFromName(text, c)) return c;
  throw LayoutError(Where(*this) + "unknown colour '" + text + "'");
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

Font FontFromLayout(const LayoutValue& v, const Font& base) {
  Font f = base;
  for (const auto& item : v.AsList()) {
    if (item.kind == LayoutValue::Kind::String) {
      f.Name = item.text;
    } else if (item.kind == LayoutValue::Kind::Number) {
      f.Height = item.AsInt();
    } else if (item.text == "Bold") {
      f.Bold = true;
    } else if (item.text == "Italic") {
      f.Italic = true;
    } else if (item.text == "Underline") {
      f.Underline = true;
    } else if (item.text == "Regular") {
      f.Bold = f.Italic = f.Underline = false;
    } else {
      f.FontColor = item.AsColor();
    }
  }
  return f;
}

// --- Building a form from its layout ------------------------------------------

namespace {

void ApplyProperties(Component& target, const LayoutNode& n, const std::map<std::string, Handler>& handlers,
                     const std::string& source);

Control* CreateControl(Form& form, Control* parent, const LayoutNode& n) {
  const std::string& k = n.kind;
  if (k == "label") return form.Create<Label>(parent, n.name);
  if (k == "button") return form.Create<Button>(parent, n.name);
  if (k == "glyphbutton") return form.Create<GlyphButton>(parent, n.name);
  if (k == "dropdown") return form.Create<DropDownList>(parent, n.name);
  if (k == "checkbox") return form.Create<CheckBox>(parent, n.name);
  if (k == "memo") return form.Create<Memo>(parent, n.name);
  if (k == "panel") return form.Create<Panel>(parent, n.name);
  if (k == "image") return form.Create<Image>(parent, n.name);
  if (k == "shape") return form.Create<Shape>(parent, n.name);
  if (k == "bevel") return form.Create<Bevel>(parent, n.name);
  if (k == "gauge") return form.Create<Gauge>(parent, n.name);
  if (k == "radiogroup") return form.Create<RadioGroup>(parent, n.name);
  if (k == "listbox") return form.Create<ListBox>(parent, n.name);
  if (k == "edit") return form.Create<Edit>(parent, n.name);
  return nullptr;
}

void Apply(Form& form, Component& target, const LayoutNode& n, const std::map<std::string, Handler>& handlers,
           const std::string& source) {
  struct Loading {
    Component& c;
    explicit Loading(Component& comp) : c(comp) { c.SetLoading(true); }
    ~Loading() { c.SetLoading(false); }
  };
  {
    Loading loading(target);
    ApplyProperties(target, n, handlers, source);
  }
  target.Loaded();
  for (const auto& child : n.children) {
    Component* c = nullptr;
    try {
      if (child.kind == "timer") c = form.CreateComponent<Timer>(child.name);
      else if (child.kind == "shellaction") c = form.CreateComponent<ShellOpenAction>(child.name);
      else c = CreateControl(form, dynamic_cast<Control*>(&target), child);
    } catch (const LayoutError& e) {
      Fail(source, child.line, e.what());  // two components of one name
    }
    if (c == nullptr) Fail(source, child.line, "unknown kind " + child.kind);
    Apply(form, *c, child, handlers, source);
  }
}

void ApplyProperties(Component& target, const LayoutNode& n, const std::map<std::string, Handler>& handlers,
                     const std::string& source) {
  for (const auto& [name, value] : n.properties) {
    try {
      if (name.rfind("On", 0) == 0) {
        const std::string& handlerName = value.AsIdentifier();
        auto it = handlers.find(handlerName);
        if (it == handlers.end()) Fail(source, value.line, n.name + "." + name + ": the unit has no handler " + handlerName);
        if (!target.BindEvent(name, it->second))
          Fail(source, value.line, n.name + "." + name + ": no such event, or " + handlerName + " has the wrong shape");
        continue;
      }
      if (!target.SetProperty(name, value)) Fail(source, value.line, n.name + ": unknown property " + name);
    } catch (const LayoutError& e) {
      const std::string what = e.what();
      if (what.rfind(source, 0) == 0) throw;
      Fail(source, value.line, n.name + "." + name + ": " + what);
    }
  }
}

}  // namespace

void Form::LoadLayoutText(const std::string& text, const std::map<std::string, Handler>& handlers,
                          const std::string& sourceName) {
  const LayoutNode root = ParseLayout(text, sourceName);
  if (root.kind != "form") Fail(sourceName, root.line, "a layout starts with 'form Name'");
  if (root.name != name_) Fail(sourceName, root.line, "layout of " + root.name + " loaded into " + name_);
  Apply(*this, *this, root, handlers, sourceName);
}

void Form::LoadLayout(const std::string& resource, const std::map<std::string, Handler>& handlers) {
  QFile f(QStringLiteral(":/") + QString::fromStdString(resource));
  if (!f.open(QIODevice::ReadOnly)) throw LayoutError("no stored layout " + resource);
  const QByteArray bytes = f.readAll();
  LoadLayoutText(bytes.toStdString(), handlers, resource);
}

}  // namespace tk
