#include "toolkit/layout.h"

#include <QFile>

#include <cctype>
#include <sstream>

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/open_dialog.h"
#include "toolkit/shell_action.h"
#include "toolkit/timer.h"

namespace tk {

namespace {

[[noreturn]] void Fail(const std::string& source, int line, const std::string& what) {
  throw LayoutError(source + ":" + std::to_string(line) + ": " + what);
}

}  // namespace

Color LayoutValue::AsColor() const {
  if (kind == Kind::Number) return static_cast<Color>(number);
  Color c = 0;
  if ((kind == Kind::Identifier || kind == Kind::String) && ColorFromName(text, c)) return c;
  throw LayoutError("line " + std::to_string(line) + ": " + "unknown colour '" + text + "'");
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
      else if (child.kind == "opendialog") c = form.CreateComponent<OpenDialog>(child.name);
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
