#include "toolkit/control.h"

#include <QFontDatabase>
#include <QHash>
#include <QToolTip>
#include <QWidget>

#include <cmath>
#include <map>
#include <tuple>

#include "platform/text8.h"
#include "toolkit/form.h"
#include "toolkit/layout.h"
#include "toolkit/qt_private.h"

namespace tk {

namespace {

struct ColorIdentifier {
  const char* name;
  Color value;
};

// Besides the program's own colour names, layouts may use the usual
// identifiers.
const ColorIdentifier kColorIdentifiers[] = {
    {"clAqua", clAqua},         {"clBlack", clBlack},
    {"clBlue", clBlue},         {"clSkyBlue", clSkyBlue},
    {"clBtnFace", clBtnFace},   {"clInfoBk", clInfoBk},
    {"clFuchsia", clFuchsia},   {"clGray", clGray},
    {"clGreen", clGreen},       {"clMoneyGreen", clMoneyGreen},
    {"clLime", clLime},         {"clMaroon", clMaroon},
    {"clNavy", clNavy},         {"clOlive", clOlive},
    {"clPurple", clPurple},     {"clRed", clRed},
    {"clSilver", clSilver},     {"clTeal", clTeal},
    {"clWhite", clWhite},       {"clYellow", clYellow},
    {"clWindow", clWindow},     {"clWindowText", clWindowText},
    {"clBtnText", clBtnText},   {"clGrayText", clGrayText},
    {"clBtnShadow", clBtnShadow}, {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText}, {"clInfoText", clInfoText},
    {"clBtnHighlight", clBtnHighlight},
};

QHash<const QObject*, Control*>& Registry() {
  static QHash<const QObject*, Control*> map;
  return map;
}

}  // namespace

uint32_t ColorToRgb(Color c) {
  if ((c & 0xFF000000u) == 0xFF000000u) {
    // A fixed palette for system colours, so the look does not depend on
    // the desktop theme.
    switch (c & 0xFFu) {
      case 5: return 0xFFFFFF;   // window
      case 8: return 0x000000;   // window text
      case 13: return 0x3399FF;  // highlight
      case 14: return 0xFFFFFF;  // highlight text
      case 15: return 0xF0F0F0;  // button face
      case 16: return 0xA0A0A0;  // button shadow
      case 17: return 0x6D6D6D;  // grey text
      case 18: return 0x000000;  // button text
      case 20: return 0xFFFFFF;  // button highlight
      case 23: return 0x000000;  // tooltip text
      case 24: return 0xFFFFE1;  // tooltip background ("Cream")
      default: return 0xF0F0F0;
    }
  }
  const uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return (r << 16) | (g << 8) | b;
}

bool ColorFromName(const std::string& name, Color& out) {
  for (const auto& n : plat::kColourTable) {
    if (name == n.Name) {
      out = n.Value;
      return true;
    }
  }
  for (const auto& n : kColorIdentifiers) {
    if (name == n.name) {
      out = n.value;
      return true;
    }
  }
  return false;
}

int Font::Size() const { return static_cast<int>(std::lround(Height * 72.0 / 96.0)); }
void Font::SetSize(int points) { Height = static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QColor ToQColor(Color c) {
  const uint32_t rgb = ColorToRgb(c);
  return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

namespace {

// The family a font name is drawn with: the name itself when installed,
// else its first installed substitute. Qt would search the substitutes
// again at every font set-up.
QString InstalledFamily(const std::string& name) {
  static std::map<std::string, QString> chosen;
  auto it = chosen.find(name);
  if (it != chosen.end()) return it->second;
  QString family = QString::fromStdString(name);
  if (!family.isEmpty() && !QFontDatabase::hasFamily(family)) {
    for (const QString& substitute : QFont::substitutes(family)) {
      if (QFontDatabase::hasFamily(substitute)) {
        family = substitute;
        break;
      }
    }
  }
  return chosen.emplace(name, family).first->second;
}

}  // namespace

QFont ToQFont(const Font& f) {
  // One QFont per name, height and style: copies share its resolved engine.
  using Key = std::tuple<std::string, int, bool, bool, bool>;
  static std::map<Key, QFont> fonts;
  Key key{f.Name, f.Height, f.Bold, f.Italic, f.Underline};
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  QFont q(InstalledFamily(f.Name));
  q.setPixelSize(f.Height > 0 ? f.Height : 11);
  q.setBold(f.Bold);
  q.setItalic(f.Italic);
  q.setUnderline(f.Underline);
  return fonts.emplace(std::move(key), q).first->second;
}

QString ToQ(const std::string& s) { return QString::fromUtf8(plat::DisplayText(s)); }
std::string FromQ(const QString& s) { return plat::TypedText(s.toStdString()); }

QString StripAccelerator(const QString& caption, int* accelIndex) {
  QString out;
  if (accelIndex != nullptr) *accelIndex = -1;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
      ++i;
      if (caption[i] != QLatin1Char('&') && accelIndex != nullptr && *accelIndex < 0)
        *accelIndex = static_cast<int>(out.size());
    }
    out += caption[i];
  }
  return out;
}

Control* ControlOf(const QObject* o) {
  auto& reg = Registry();
  while (o != nullptr) {
    auto it = reg.find(o);
    if (it != reg.end()) return it.value();
    // A window of Qt's own (the error report's message box) belongs to no
    // control, even with a form as its parent; a drop-down's open list does.
    if (o->isWidgetType()) {
      const auto* w = static_cast<const QWidget*>(o);
      if (w->isWindow() && w->windowType() != Qt::Popup) return nullptr;
    }
    o = o->parent();
  }
  return nullptr;
}
void RegisterWidget(QWidget* w, Control* c) { Registry().insert(w, c); }
void UnregisterWidget(QWidget* w) { Registry().remove(w); }

// ---------------------------------------------------------------------------

Component::Component(Form* form, std::string name, std::string kind)
    : form_(form), name_(std::move(name)), kind_(std::move(kind)) {}
Component::~Component() = default;
bool Component::SetProperty(const std::string&, const LayoutValue&) { return false; }
bool Component::BindEvent(const std::string&, const Handler&) { return false; }

Control::Control(Form* form, Control* parent, std::string name, std::string kind)
    : Component(form, std::move(name), std::move(kind)), parent_(parent) {
  if (parent_ != nullptr) {
    parent_->children_.push_back(this);
    font_ = parent_->font_;  // a child starts with its parent's font
  }
}

Control::~Control() {
  if (widget_ != nullptr) UnregisterWidget(widget_);
}

void Control::AttachWidget(QWidget* w) {
  widget_ = w;
  RegisterWidget(w, this);
  w->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
  ApplyFont();
  ApplyColor();
}

void Control::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (widget_ != nullptr) widget_->setGeometry(left, top, width, height);
}

void Control::SetVisible(bool v) {
  visible_ = v;
  if (widget_ != nullptr) widget_->setVisible(v);
  if (!v && form_ != nullptr && form_->ActiveControl() == this && form_ != this) {
    // A hidden control cannot keep the focus.
    form_->SetActiveControl(nullptr);
  }
}

void Control::SetEnabled(bool v) {
  enabled_ = v;
  if (widget_ != nullptr) widget_->setEnabled(v);
}

bool Control::CanFocus() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_) return false;
    if (!c->visible_ && c != form_) return false;
  }
  return true;
}

bool Control::SetFocus() {
  if (form_ == nullptr || !CanFocus()) return false;
  if (form_ == this) return true;
  form_->SetActiveControl(this);
  return true;
}

bool Control::Focused() const {
  if (form_ == nullptr || form_ == this) return false;
  return form_->ActiveControl() == this;
}

void Control::SetTabStop(bool v) {
  tabStop_ = v;
  if (widget_ != nullptr) widget_->setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
}

void Control::SetColor(Color c) {
  color_ = c;
  ApplyColor();
}

void Control::SetFont(const tk::Font& f) {
  font_ = f;
  ApplyFont();
}
void Control::SetFontColor(Color c) {
  tk::Font f = font_;
  f.FontColor = c;
  SetFont(f);
}
void Control::SetFontHeight(int pixels) {
  tk::Font f = font_;
  f.Height = pixels;
  SetFont(f);
}
void Control::SetFontSize(int points) {
  tk::Font f = font_;
  f.SetSize(points);
  SetFont(f);
}
void Control::SetFontName(const std::string& name) {
  tk::Font f = font_;
  f.Name = name;
  SetFont(f);
}
void Control::SetFontBold(bool bold) {
  tk::Font f = font_;
  f.Bold = bold;
  SetFont(f);
}

void Control::ApplyFont() {
  if (widget_ == nullptr) return;
  widget_->setFont(ToQFont(font_));
  QPalette p = widget_->palette();
  const QColor fc = ToQColor(font_.FontColor);
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::WindowText, fc);
    p.setColor(group, QPalette::Text, fc);
    p.setColor(group, QPalette::ButtonText, fc);
  }
  const QColor grey = ToQColor(clGrayText);
  p.setColor(QPalette::Disabled, QPalette::WindowText, grey);
  p.setColor(QPalette::Disabled, QPalette::Text, grey);
  p.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
  widget_->setPalette(p);
  widget_->update();
}

void Control::ApplyColor() {
  if (widget_ == nullptr) return;
  QPalette p = widget_->palette();
  const QColor bg = ToQColor(color_);
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Window, bg);
    p.setColor(group, QPalette::Base, bg);
    p.setColor(group, QPalette::Button, bg);
  }
  widget_->setPalette(p);
  widget_->update();
}

void Control::SetHint(const std::string& h) {
  hint_ = h;
  ApplyToolTip();
}
void Control::SetShowHint(bool v) {
  showHint_ = v;
  ApplyToolTip();
}
void Control::ApplyToolTip() {
  if (widget_ == nullptr) return;
  widget_->setToolTip(showHint_ ? ToQ(hint_) : QString());
}

void Control::SetCursor(Cursor c) {
  cursor_ = c;
  ApplyCursor();
}
void Control::ApplyCursor() {
  if (widget_ == nullptr) return;
  switch (cursor_) {
    case Cursor::Default: widget_->unsetCursor(); break;
    case Cursor::HandPoint: widget_->setCursor(Qt::PointingHandCursor); break;
    case Cursor::HourGlass: widget_->setCursor(Qt::WaitCursor); break;
  }
}

void Control::Click() {
  if (OnClick) OnClick();
}

bool Control::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Bounds") {
    auto l = v.AsList();
    if (l.size() == 4) {
      SetBounds(l[0].AsInt(), l[1].AsInt(), l[2].AsInt(), l[3].AsInt());
      return true;
    }
    if (l.size() == 2) {  // left, top: the size comes from the content
      SetBounds(l[0].AsInt(), l[1].AsInt(), width_, height_);
      return true;
    }
    throw LayoutError("line " + std::to_string(v.line) + ": Bounds takes 2 or 4 numbers");
  }
  if (name == "Left") return SetLeft(v.AsInt()), true;
  if (name == "Top") return SetTop(v.AsInt()), true;
  if (name == "Width") return SetWidth(v.AsInt()), true;
  if (name == "Height") return SetHeight(v.AsInt()), true;
  if (name == "Visible") return SetVisible(v.AsBool()), true;
  if (name == "Enabled") return SetEnabled(v.AsBool()), true;
  if (name == "TabStop") return SetTabStop(v.AsBool()), true;
  if (name == "Color") return SetColor(v.AsColor()), true;
  if (name == "Font") return SetFont(FontFromLayout(v, font_)), true;
  if (name == "FontColor") return SetFontColor(v.AsColor()), true;
  if (name == "Hint") {
    SetHint(v.AsString());
    SetShowHint(true);
    return true;
  }
  if (name == "ShowHint") return SetShowHint(v.AsBool()), true;
  if (name == "Cursor") {
    const std::string& c = v.AsIdentifier();
    if (c == "HandPoint") return SetCursor(Cursor::HandPoint), true;
    if (c == "Default") return SetCursor(Cursor::Default), true;
    return false;
  }
  return false;
}

bool Control::BindEvent(const std::string& event, const Handler& h) {
  if (event == "OnClick" && std::holds_alternative<NotifyEvent>(h))
    return OnClick = std::get<NotifyEvent>(h), true;
  if (event == "OnContextPopup" && std::holds_alternative<NotifyEvent>(h))
    return OnContextPopup = std::get<NotifyEvent>(h), true;
  if (event == "OnKeyDown" && std::holds_alternative<KeyEvent>(h))
    return OnKeyDown = std::get<KeyEvent>(h), true;
  if (event == "OnKeyPress" && std::holds_alternative<KeyPressEvent>(h))
    return OnKeyPress = std::get<KeyPressEvent>(h), true;
  if (event == "OnMouseMove" && std::holds_alternative<MouseMoveEvent>(h))
    return OnMouseMove = std::get<MouseMoveEvent>(h), true;
  if (event == "OnMouseEnter" && std::holds_alternative<NotifyEvent>(h))
    return OnMouseEnter = std::get<NotifyEvent>(h), true;
  if (event == "OnMouseLeave" && std::holds_alternative<NotifyEvent>(h))
    return OnMouseLeave = std::get<NotifyEvent>(h), true;
  return false;
}

}  // namespace tk
