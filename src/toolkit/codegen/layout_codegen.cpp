// Build-time tool: turns a form's stored layout into a C++ base class with
// one field per named component and the binding of the handlers the layout
// names, so a control is named once in the layout and once where it is
// used. A handler the unit lacks, or one of the wrong shape, stops the build.
//
//   layout_codegen <input.layout> <output.h> <resource name>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "toolkit/layout.h"

namespace {

// Layout kind -> toolkit class.
const std::map<std::string, std::string>& ClassOfKind() {
  static const std::map<std::string, std::string> m = {
      {"label", "tk::Label"},           {"button", "tk::Button"},         {"glyphbutton", "tk::GlyphButton"},
      {"dropdown", "tk::DropDownList"}, {"checkbox", "tk::CheckBox"},     {"memo", "tk::Memo"},
      {"panel", "tk::Panel"},           {"image", "tk::Image"},           {"shape", "tk::Shape"},
      {"bevel", "tk::Bevel"},           {"gauge", "tk::Gauge"},           {"radiogroup", "tk::RadioGroup"},
      {"listbox", "tk::ListBox"},       {"edit", "tk::Edit"},             {"timer", "tk::Timer"},
      {"shellaction", "tk::ShellOpenAction"}, {"opendialog", "tk::OpenDialog"},
  };
  return m;
}

struct Field {
  std::string type;
  std::string name;
};

void Collect(const tk::LayoutNode& node, const std::string& source, std::vector<Field>& fields,
             std::set<std::string>& handlers) {
  for (const auto& [property, value] : node.properties)
    if (property.rfind("On", 0) == 0) handlers.insert(value.AsIdentifier());
  for (const tk::LayoutNode& child : node.children) {
    auto it = ClassOfKind().find(child.kind);
    if (it == ClassOfKind().end())
      throw tk::LayoutError(source + ":" + std::to_string(child.line) + ": unknown kind " + child.kind);
    fields.push_back({it->second, child.name});
    Collect(child, source, fields, handlers);
  }
}

std::string Generate(const tk::LayoutNode& root, const std::string& resource) {
  std::vector<Field> fields;
  std::set<std::string> handlers;
  Collect(root, resource, fields, handlers);
  const std::string design = "T" + root.name + "Design";

  std::ostringstream out;
  out << "// Made at build time from " << resource << " by layout_codegen: edit the layout, not this file.\n"
      << "#pragma once\n\n"
      << "#include \"toolkit/controls.h\"\n"
      << "#include \"toolkit/form.h\"\n"
      << "#include \"toolkit/open_dialog.h\"\n"
      << "#include \"toolkit/shell_action.h\"\n"
      << "#include \"toolkit/timer.h\"\n\n"
      << "namespace tovrek {\n\n"
      << "// The components of " << root.name << " as its layout names them. `Unit` is the\n"
      << "// window's own class, which holds the handlers the layout names.\n"
      << "template <class Unit>\n"
      << "class " << design << " : public tk::Form {\n"
      << " public:\n";
  for (const Field& f : fields) out << "  " << f.type << "* " << f.name << " = nullptr;\n";
  out << "\n protected:\n"
      << "  explicit " << design << "(tk::Application& app) : tk::Form(app, \"" << root.name << "\") {}\n\n"
      << "  // Lays the form out and binds every component and handler.\n"
      << "  void LoadDesign() {\n"
      << "    [[maybe_unused]] Unit* const unit = static_cast<Unit*>(this);\n"
      << "    LoadLayout(\"" << resource << "\", {\n";
  for (const std::string& h : handlers)
    out << "        {\"" << h << "\", tk::HandlerOf(unit, &Unit::" << h << ")},\n";
  out << "    });\n";
  for (const Field& f : fields) out << "    Bind(" << f.name << ", \"" << f.name << "\");\n";
  out << "  }\n};\n\n}  // namespace tovrek\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: layout_codegen <input.layout> <output.h> <resource name>\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw tk::LayoutError(std::string("cannot read ") + argv[1]);
    std::stringstream text;
    text << in.rdbuf();
    const tk::LayoutNode root = tk::ParseLayout(text.str(), argv[3]);
    if (root.kind != "form") throw tk::LayoutError(std::string(argv[3]) + ": a layout starts with 'form Name'");
    const std::string code = Generate(root, argv[3]);
    // Left alone when unchanged, so the units are not rebuilt for nothing.
    std::ifstream old(argv[2], std::ios::binary);
    std::stringstream previous;
    if (old) previous << old.rdbuf();
    if (!old || previous.str() != code) {
      std::ofstream out(argv[2], std::ios::binary);
      out << code;
      if (!out) throw tk::LayoutError(std::string("cannot write ") + argv[2]);
    }
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
