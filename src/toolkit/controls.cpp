#include "toolkit/controls.h"

#include <QBitmap>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/text8.h"
#include "toolkit/form.h"
#include "toolkit/layout.h"
#include "toolkit/widgets.h"

namespace tk {

namespace {

QWidget* ParentWidgetOf(Control* parent) { return parent == nullptr ? nullptr : parent->Widget(); }

Application& AppOf(Control& c) { return c.OwnerForm()->App(); }

// The program's collation, so sorted lists agree with folder listings.
bool SameIgnoringCase(const std::string& a, const std::string& b) { return plat::CompareText(a, b) == 0; }
bool LessIgnoringCase(const std::string& a, const std::string& b) { return plat::CompareText(a, b) < 0; }

// Rich text for a caption: the accelerator letter underlined, "&&" as "&".
QString CaptionHtml(const std::string& caption, bool wordWrap) {
  int accel = -1;
  const QString plain = StripAccelerator(ToQ(caption), &accel);
  QString html;
  for (int i = 0; i < plain.size(); ++i) {
    QString ch = QString(plain[i]).toHtmlEscaped();
    if (ch == QLatin1String(" ") && !wordWrap) ch = QStringLiteral("&nbsp;");
    if (i == accel) ch = QStringLiteral("<u>") + ch + QStringLiteral("</u>");
    html += ch;
  }
  return html;
}

void DrawFrame(QPainter& p, QRect r, QColor topLeft, QColor bottomRight) {
  p.setPen(topLeft);
  p.drawLine(r.left(), r.top(), r.right(), r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom());
  p.setPen(bottomRight);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

// A pick-only drop-down drawn as the desktop the program was made for draws
// it: the list's colour flat (the styles shade it into a gradient, so "Red"
// came out pink), a sunken frame and a button with the arrow.
class DropDownWidget : public QComboBox {
 public:
  DropDownWidget(Control* owner, QWidget* parent) : QComboBox(parent), owner_(owner) {}

 protected:
  void contextMenuEvent(QContextMenuEvent*) override { DispatchContextPopup(*owner_); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QRect r = rect();
    DrawFrame(p, r, ToQColor(clBtnShadow), ToQColor(clBtnHighlight));
    r.adjust(1, 1, -1, -1);
    DrawFrame(p, r, QColor(0x69, 0x69, 0x69), ToQColor(clBtnFace));
    r.adjust(1, 1, -1, -1);
    p.fillRect(r, palette().color(QPalette::Active, QPalette::Base));

    const int buttonWidth = std::min(17, r.width());
    const QRect button(r.right() - buttonWidth + 1, r.top(), buttonWidth, r.height());
    p.fillRect(button, ToQColor(clBtnFace));
    DrawFrame(p, button, ToQColor(clBtnHighlight), ToQColor(clBtnShadow));
    const QColor arrow = isEnabled() ? QColor(Qt::black) : ToQColor(clGrayText);
    const QPoint c = button.center();
    for (int i = 0; i < 4; ++i) p.fillRect(c.x() - 3 + i, c.y() - 1 + i, 7 - 2 * i, 1, arrow);

    QRect text(r.left() + 1, r.top() + 1, button.left() - r.left() - 2, r.height() - 2);
    QColor ink = isEnabled() ? palette().color(QPalette::Active, QPalette::Text) : ToQColor(clGrayText);
    if (hasFocus() && isEnabled() && currentIndex() >= 0) {
      p.fillRect(text, ToQColor(clHighlight));
      ink = ToQColor(clHighlightText);
    }
    p.setFont(font());
    p.setPen(ink);
    p.drawText(text.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, currentText());
  }

 private:
  Control* owner_;
};

// On the desktop the program was made for, a click anywhere in a check
// box's bounds toggles it; Qt's takes only the box and the caption's text.
class CheckBoxWidget : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace

void DispatchClick(Control& c) {
  if (!c.Enabled()) return;
  AppOf(c).Dispatch([&c] { c.Click(); }, &c);
}

void DispatchContextPopup(Control& c) {
  if (!c.Enabled() || !c.OnContextPopup) return;
  AppOf(c).Dispatch([&c] { c.OnContextPopup(); }, &c);
}

void DispatchMouseMove(Control& c, QMouseEvent* e) {
  if (!c.Enabled() || !c.OnMouseMove) return;
  const QPoint pt = e->position().toPoint();
  const ShiftState s = ShiftOf(e->modifiers());
  AppOf(c).Dispatch([&c, pt, s] { c.OnMouseMove(s, pt.x(), pt.y()); }, &c);
}

void DispatchPointer(Control& c, bool enter) {
  const NotifyEvent& handler = enter ? c.OnMouseEnter : c.OnMouseLeave;
  if (!c.Enabled() || !handler) return;
  AppOf(c).Dispatch([&handler] { handler(); }, &c);
}

// --- Label ------------------------------------------------------------------

Label::Label(Form* form, Control* parent, std::string name)
    : Control(form, parent, std::move(name), "label") {
  auto* w = new LabelWidget(this, ParentWidgetOf(parent));
  w->setAttribute(Qt::WA_TransparentForMouseEvents, false);
  AttachWidget(w);
  color_ = parent != nullptr ? parent->GetColor() : clBtnFace;
  tabStop_ = false;
  w->setFocusPolicy(Qt::NoFocus);
  Refresh();
}

void Label::SetCaption(const std::string& c) {
  caption_ = c;
  Refresh();
}
void Label::SetAutoSize(bool v) {
  autoSize_ = v;
  Refresh();
}
void Label::SetWordWrap(bool v) {
  wordWrap_ = v;
  Refresh();
}
void Label::SetAlignment(Alignment a) {
  alignment_ = a;
  Refresh();
}
void Label::SetTransparent(bool v) {
  transparent_ = v;
  Refresh();
}
void Label::SetColor(Color c) {
  transparent_ = false;
  Control::SetColor(c);
  Refresh();
}
void Label::SetFont(const tk::Font& f) {
  Control::SetFont(f);
  Refresh();
}

void Label::Refresh() {
  auto* w = static_cast<QLabel*>(widget_);
  w->setAutoFillBackground(!transparent_);
  w->setWordWrap(wordWrap_);
  Qt::Alignment a = Qt::AlignTop;
  a |= alignment_ == Alignment::Left ? Qt::AlignLeft
       : alignment_ == Alignment::Right ? Qt::AlignRight
                                        : Qt::AlignHCenter;
  w->setAlignment(a);
  // Rich text is laid out again at every paint, at twice the cost: only an
  // underlined accelerator, word wrap or white space that HTML would fold
  // need it.
  const bool rich = wordWrap_ || caption_.find_first_of("&\r\n\t") != std::string::npos;
  w->setTextFormat(rich ? Qt::RichText : Qt::PlainText);
  w->setText(rich ? CaptionHtml(caption_, wordWrap_) : ToQ(caption_));
  FitSize();
}

void Label::Loaded() { FitSize(); }

void Label::FitSize() {
  if (!autoSize_ || loading_) return;
  QFontMetrics fm(ToQFont(font_));
  const QString plain = StripAccelerator(ToQ(caption_));
  if (wordWrap_) {
    const int w = std::max(width_, 1);
    const QRect r = fm.boundingRect(QRect(0, 0, w, 10000), Qt::TextWordWrap, plain);
    SetBounds(left_, top_, width_, r.height());
    return;
  }
  const int w = fm.horizontalAdvance(plain);
  const int h = fm.height();
  // A right-justified label keeps its right edge.
  const int left = alignment_ == Alignment::Right && width_ > 0 ? left_ + width_ - w : left_;
  SetBounds(left, top_, w, h);
}

bool Label::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Caption") return SetCaption(v.AsString()), true;
  if (name == "AutoSize") return SetAutoSize(v.AsBool()), true;
  if (name == "WordWrap") return SetWordWrap(v.AsBool()), true;
  if (name == "Transparent") return SetTransparent(v.AsBool()), true;
  if (name == "Alignment") {
    const std::string& a = v.AsIdentifier();
    SetAlignment(a == "Right" ? Alignment::Right : a == "Center" ? Alignment::Center : Alignment::Left);
    return true;
  }
  if (Control::SetProperty(name, v)) {
    if (name == "Font" || name == "Bounds" || name == "Width") FitSize();
    return true;
  }
  return false;
}

// --- Button -----------------------------------------------------------------

ButtonWidget::ButtonWidget(Control* owner, QWidget* parent) : QPushButton(parent), owner_(owner) {
  setAutoDefault(false);
  setMouseTracking(true);
  connect(this, &QPushButton::clicked, this, [this] { DispatchClick(*owner_); });
}

void ButtonWidget::keyPressEvent(QKeyEvent* e) {
  // Enter on a focused button presses it, as on the desktop the program
  // was designed for.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier) {
    DispatchClick(*owner_);
    return;
  }
  QPushButton::keyPressEvent(e);
}

Button::Button(Form* form, Control* parent, std::string name) : Button(form, parent, std::move(name), "button") {}

Button::Button(Form* form, Control* parent, std::string name, std::string kind)
    : Control(form, parent, std::move(name), std::move(kind)) {
  AttachWidget(new ButtonWidget(this, ParentWidgetOf(parent)));
  ApplyFont();  // the base constructor could not reach this class's colour rule
}

void Button::ApplyFont() {
  Control::ApplyFont();
  if (widget_ == nullptr || kind_ != "button") return;
  QPalette p = widget_->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) p.setColor(group, QPalette::ButtonText, ToQColor(clBtnText));
  widget_->setPalette(p);
}

void Button::SetCaption(const std::string& c) {
  caption_ = c;
  auto* b = static_cast<QPushButton*>(widget_);
  b->setText(ToQ(c));
  // The key router handles Alt+letter; Qt's own mnemonic would click a
  // second time, late, from a timer.
  b->setShortcut(QKeySequence());
}

bool Button::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Caption") return SetCaption(v.AsString()), true;
  return Control::SetProperty(name, v);
}

// --- GlyphButton ------------------------------------------------------------

GlyphButton::GlyphButton(Form* form, Control* parent, std::string name)
    : Button(form, parent, std::move(name), "glyphbutton") {}

void GlyphButton::SetGlyphResource(const std::string& resource, int numGlyphs) {
  QImage img = LoadResourceImage(resource).convertToFormat(QImage::Format_ARGB32);
  if (img.isNull()) throw LayoutError(name_ + ": glyph " + resource + " not found");
  const QRgb transparent = img.pixel(0, img.height() - 1);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == transparent) img.setPixel(x, y, qRgba(0, 0, 0, 0));
  numGlyphs = std::max(1, numGlyphs);
  const int w = img.width() / numGlyphs;
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(img.copy(0, 0, w, img.height())), QIcon::Normal);
  if (numGlyphs >= 2) icon.addPixmap(QPixmap::fromImage(img.copy(w, 0, w, img.height())), QIcon::Disabled);
  auto* b = static_cast<QPushButton*>(widget_);
  b->setIcon(icon);
  b->setIconSize(QSize(w, img.height()));
  resource_ = resource;
  numGlyphs_ = numGlyphs;
  hasGlyph_ = true;
}

void GlyphButton::SetStockGlyph(const std::string& kind) {
  if (kind == "abort") return SetGlyphResource("pictures/glyph_abort.bmp", 2);
  throw LayoutError(name_ + ": no stock glyph " + kind);
}

bool GlyphButton::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Glyph") {
    auto l = v.AsList();
    SetGlyphResource(l.at(0).AsString(), l.size() > 1 ? l[1].AsInt() : 1);
    return true;
  }
  if (name == "Kind") return SetStockGlyph(v.AsIdentifier()), true;
  return Button::SetProperty(name, v);
}

// --- DropDownList -----------------------------------------------------------

DropDownList::DropDownList(Form* form, Control* parent, std::string name)
    : Control(form, parent, std::move(name), "dropdown") {
  auto* w = new DropDownWidget(this, ParentWidgetOf(parent));
  w->setEditable(false);
  w->setMaxVisibleItems(12);
  color_ = clWindow;
  AttachWidget(w);
  QObject::connect(w, &QComboBox::activated, w, [this](int index) {
    if (syncing_ == 0) ControlAccess::UserPicked(*this, index);
  });
  height_ = w->sizeHint().height();
}

const std::string& DropDownList::Item(int index) const { return items_.at(static_cast<size_t>(index)); }

int DropDownList::AddItem(const std::string& s) {
  size_t pos = items_.size();
  if (sorted_) {
    pos = static_cast<size_t>(std::upper_bound(items_.begin(), items_.end(), s, LessIgnoringCase) - items_.begin());
  }
  items_.insert(items_.begin() + static_cast<long>(pos), s);
  if (itemIndex_ >= static_cast<int>(pos)) ++itemIndex_;
  ++syncing_;
  static_cast<QComboBox*>(widget_)->insertItem(static_cast<int>(pos), ToQ(s));
  --syncing_;
  SyncWidget();
  return static_cast<int>(pos);
}

void DropDownList::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index) itemIndex_ = -1;
  else if (itemIndex_ > index) --itemIndex_;
  ++syncing_;
  static_cast<QComboBox*>(widget_)->removeItem(index);
  --syncing_;
  SyncWidget();
}

void DropDownList::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  ++syncing_;
  static_cast<QComboBox*>(widget_)->clear();
  --syncing_;
}

void DropDownList::SetItems(const std::vector<std::string>& items) {
  ClearItems();
  for (const auto& s : items) AddItem(s);
}

int DropDownList::IndexOf(const std::string& s) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (SameIgnoringCase(items_[i], s)) return static_cast<int>(i);
  return -1;
}

void DropDownList::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < ItemCount() ? index : -1;
  SyncWidget();
}

std::string DropDownList::Text() const { return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::string(); }

void DropDownList::SetSorted(bool v) {
  sorted_ = v;
  if (!v) return;
  const std::string selected = Text();
  const bool had = itemIndex_ >= 0;
  std::vector<std::string> items = items_;
  std::stable_sort(items.begin(), items.end(), LessIgnoringCase);
  ClearItems();
  for (const auto& s : items) AddItem(s);
  if (had) SetItemIndex(IndexOf(selected));
}

void DropDownList::SyncWidget() {
  ++syncing_;
  static_cast<QComboBox*>(widget_)->setCurrentIndex(itemIndex_);
  --syncing_;
}

void DropDownList::UserSelect(int index) {
  if (index < 0 || index >= ItemCount()) return;
  itemIndex_ = index;
  SyncWidget();
  if (OnClick) OnClick();
  if (OnChange) OnChange();
}

bool DropDownList::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Items") return SetItems(v.AsStrings()), true;
  if (name == "Sorted") return SetSorted(v.AsBool()), true;
  if (name == "ItemIndex") return SetItemIndex(v.AsInt()), true;
  if (name == "Width") {
    SetBounds(left_, top_, v.AsInt(), height_);
    return true;
  }
  return Control::SetProperty(name, v);
}

bool DropDownList::BindEvent(const std::string& event, const Handler& h) {
  if (event == "OnChange" && std::holds_alternative<NotifyEvent>(h)) return OnChange = std::get<NotifyEvent>(h), true;
  return Control::BindEvent(event, h);
}

// --- CheckBox ---------------------------------------------------------------

CheckBox::CheckBox(Form* form, Control* parent, std::string name) : Control(form, parent, std::move(name), "checkbox") {
  auto* w = new CheckBoxWidget(ParentWidgetOf(parent));
  color_ = parent != nullptr ? parent->GetColor() : clBtnFace;
  AttachWidget(w);
  w->setAutoFillBackground(true);
  QObject::connect(w, &QCheckBox::clicked, w, [this](bool checked) {
    if (syncing_ == 0) ControlAccess::UserToggled(*this, checked);
  });
}

void CheckBox::SetCaption(const std::string& c) {
  caption_ = c;
  auto* k = static_cast<QCheckBox*>(widget_);
  k->setText(ToQ(c));
  k->setShortcut(QKeySequence());
}

void CheckBox::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  ++syncing_;
  static_cast<QCheckBox*>(widget_)->setChecked(v);
  --syncing_;
  if (OnClick) OnClick();
}

bool CheckBox::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Caption") return SetCaption(v.AsString()), true;
  if (name == "Checked") {
    checked_ = v.AsBool();
    ++syncing_;
    static_cast<QCheckBox*>(widget_)->setChecked(checked_);
    --syncing_;
    return true;
  }
  return Control::SetProperty(name, v);
}

// --- Memo -------------------------------------------------------------------

MemoWidget::MemoWidget(Control* owner, QWidget* parent) : QPlainTextEdit(parent), owner_(owner) {
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}
void MemoWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = true;
  QPlainTextEdit::mousePressEvent(e);
}
void MemoWidget::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressed_ && e->button() == Qt::LeftButton;
  pressed_ = false;
  QPlainTextEdit::mouseReleaseEvent(e);
  if (click) DispatchClick(*owner_);
}
void MemoWidget::mouseMoveEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseMoveEvent(e);
  DispatchMouseMove(*owner_, e);
}

Memo::Memo(Form* form, Control* parent, std::string name)
    : Control(form, parent, std::move(name), "memo"), alive_(std::make_shared<bool>(true)) {
  color_ = clWindow;
  AttachWidget(new MemoWidget(this, ParentWidgetOf(parent)));
  SetScrollBars(scrollBars_);
  SetWordWrap(wordWrap_);
}

Memo::~Memo() { *alive_ = false; }

const std::string& Memo::Line(int index) const { return lines_.at(static_cast<size_t>(index)); }

void Memo::AddLine(const std::string& s) {
  lines_.push_back(s);
  Changed(LineCount() - 1);
}
void Memo::InsertLine(int index, const std::string& s) {
  index = std::clamp(index, 0, LineCount());
  lines_.insert(lines_.begin() + index, s);
  Changed(index);
}
void Memo::DeleteLine(int index) {
  if (index < 0 || index >= LineCount()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  lines_.erase(lines_.begin() + index);
  Changed(std::min(index, std::max(0, LineCount() - 1)));
}
void Memo::ClearLines() {
  lines_.clear();
  Changed(0);
}
void Memo::SetLines(const std::vector<std::string>& lines) {
  lines_ = lines;
  Changed(0);
}

// The caret follows the last change, and the view follows the caret: lines
// added at the end scroll the view down, a line put at the top brings it
// back to the first line.
void Memo::Changed(int caretLine) {
  caretLine_ = caretLine;
  // How many lines fit decides whether the view has to move at all.
  QFontMetrics fm(ToQFont(font_));
  const int visibleLines = std::max(1, (height_ - 6) / std::max(1, fm.lineSpacing()));
  if (caretLine_ < topLine_) topLine_ = caretLine_;
  else if (caretLine_ >= topLine_ + visibleLines) topLine_ = caretLine_ - visibleLines + 1;
  topLine_ = std::clamp(topLine_, 0, std::max(0, LineCount() - 1));
  dirty_ = true;
  if (syncQueued_) return;
  syncQueued_ = true;
  std::weak_ptr<bool> alive = alive_;
  QTimer::singleShot(0, widget_, [this, alive] {
    if (auto a = alive.lock(); a && *a) Sync();
  });
}

void Memo::Sync() {
  syncQueued_ = false;
  if (!dirty_) return;
  dirty_ = false;
  auto* w = static_cast<MemoWidget*>(widget_);
  QTextOption opt = w->document()->defaultTextOption();
  opt.setAlignment(alignment_ == Alignment::Center ? Qt::AlignHCenter : alignment_ == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft);
  w->document()->setDefaultTextOption(opt);
  QString text;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += ToQ(lines_[i]);
  }
  w->setPlainText(text);
  QTextBlock block = w->document()->findBlockByNumber(topLine_);
  if (block.isValid()) {
    w->setTextCursor(QTextCursor(block));
    // The view scrolls by lines; lines not yet laid out count as one.
    w->verticalScrollBar()->setValue(block.firstLineNumber());
  }
}

void Memo::SetReadOnly(bool v) {
  readOnly_ = v;
  static_cast<MemoWidget*>(widget_)->setReadOnly(v);
}
void Memo::SetScrollBars(ScrollBars s) {
  scrollBars_ = s;
  auto* w = static_cast<MemoWidget*>(widget_);
  const bool v = s == ScrollBars::Vertical || s == ScrollBars::Both;
  const bool h = s == ScrollBars::Horizontal || s == ScrollBars::Both;
  w->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  w->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}
void Memo::SetWordWrap(bool v) {
  wordWrap_ = v;
  static_cast<MemoWidget*>(widget_)->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}
void Memo::SetAlignment(Alignment a) {
  alignment_ = a;
  dirty_ = true;
  Sync();
}

bool Memo::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Lines") return SetLines(v.AsStrings()), true;
  if (name == "ReadOnly") return SetReadOnly(v.AsBool()), true;
  if (name == "WordWrap") return SetWordWrap(v.AsBool()), true;
  if (name == "ScrollBars") {
    const std::string& s = v.AsIdentifier();
    SetScrollBars(s == "Vertical" ? ScrollBars::Vertical : s == "Horizontal" ? ScrollBars::Horizontal : s == "Both" ? ScrollBars::Both : ScrollBars::None);
    return true;
  }
  if (name == "Alignment") {
    const std::string& a = v.AsIdentifier();
    SetAlignment(a == "Center" ? Alignment::Center : a == "Right" ? Alignment::Right : Alignment::Left);
    return true;
  }
  return Control::SetProperty(name, v);
}

// --- Panel ------------------------------------------------------------------

void PanelWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect();
  const QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
  if (panel_->GetBorderStyle() == BorderStyle::Single) {
    DrawFrame(p, r, QColor(0x64, 0x64, 0x64), QColor(0x64, 0x64, 0x64));
    r.adjust(1, 1, -1, -1);
  }
  for (const BevelKind bevel : {panel_->BevelOuter(), panel_->BevelInner()}) {
    if (bevel == BevelKind::None) continue;
    const bool raised = bevel == BevelKind::Raised;
    for (int i = 0; i < panel_->BevelWidth(); ++i) {
      DrawFrame(p, r, raised ? light : dark, raised ? dark : light);
      r.adjust(1, 1, -1, -1);
    }
  }
  if (!accessibleName().isEmpty()) {
    p.setFont(ToQFont(panel_->GetFont()));
    p.setPen(isEnabled() ? ToQColor(panel_->GetFont().FontColor) : ToQColor(clGrayText));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, accessibleName());
  }
}

Panel::Panel(Form* form, Control* parent, std::string name) : Control(form, parent, std::move(name), "panel") {
  // A panel has its own colour, button face, whatever it stands on.
  color_ = clBtnFace;
  AttachWidget(new PanelWidget(this, ParentWidgetOf(parent)));
  tabStop_ = false;
  widget_->setFocusPolicy(Qt::NoFocus);
}

void Panel::SetCaption(const std::string& c) {
  caption_ = c;
  // The text painted is the text a screen reader gets.
  widget_->setAccessibleName(StripAccelerator(ToQ(c)));
  widget_->update();
}
void Panel::SetBevelOuter(BevelKind b) {
  bevelOuter_ = b;
  widget_->update();
}
void Panel::SetBevelInner(BevelKind b) {
  bevelInner_ = b;
  widget_->update();
}
void Panel::SetBorderStyle(BorderStyle b) {
  borderStyle_ = b;
  widget_->update();
}
void Panel::SetBevelWidth(int w) {
  bevelWidth_ = std::max(1, w);
  widget_->update();
}

namespace {
BevelKind BevelFrom(const LayoutValue& v) {
  const std::string& s = v.AsIdentifier();
  if (s == "Raised") return BevelKind::Raised;
  if (s == "Lowered") return BevelKind::Lowered;
  if (s == "None") return BevelKind::None;
  throw LayoutError("line " + std::to_string(v.line) + ": bevel is None, Raised or Lowered");
}
}  // namespace

bool Panel::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Caption") return SetCaption(v.AsString()), true;
  if (name == "BevelOuter") return SetBevelOuter(BevelFrom(v)), true;
  if (name == "BevelInner") return SetBevelInner(BevelFrom(v)), true;
  if (name == "BevelWidth") return SetBevelWidth(v.AsInt()), true;
  if (name == "BorderStyle") {
    SetBorderStyle(v.AsIdentifier() == "Single" ? BorderStyle::Single : BorderStyle::None);
    return true;
  }
  return Control::SetProperty(name, v);
}

// --- Image ------------------------------------------------------------------

void ImageWidget::paintEvent(QPaintEvent*) {
  if (!image_->HasPicture()) return;
  int x, y, w, h;
  image_->DrawRect(x, y, w, h);
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRect(x, y, w, h), image_->picture_->image);
}

Image::Image(Form* form, Control* parent, std::string name)
    : Control(form, parent, std::move(name), "image"), picture_(std::make_unique<Picture>()) {
  AttachWidget(new ImageWidget(this, ParentWidgetOf(parent)));
  tabStop_ = false;
  widget_->setFocusPolicy(Qt::NoFocus);
}
Image::~Image() = default;

SharedPicture::SharedPicture() = default;
SharedPicture::~SharedPicture() = default;
SharedPicture::SharedPicture(const SharedPicture&) = default;
SharedPicture& SharedPicture::operator=(const SharedPicture&) = default;

SharedPicture SharedPicture::Load(const std::string& path, std::initializer_list<const Image*> shownIn) {
  int width = 0, height = 0;
  bool whole = shownIn.size() == 0;
  for (const Image* image : shownIn) {
    int w = 0, h = 0;
    image->CoverArea(w, h);
    if (w <= 0 || h <= 0) whole = true;
    width = std::max(width, w);
    height = std::max(height, h);
  }
  SharedPicture shared;
  shared.picture_ = std::make_shared<const Picture>(LoadImageFile(path, whole ? 0 : width, whole ? 0 : height));
  return shared;
}

void Image::CoverArea(int& width, int& height) const {
  width = height = 0;
  if (!stretch_ && !proportional_) return;
  const qreal ratio = widget_->devicePixelRatioF();
  width = static_cast<int>(std::ceil(std::max(width_, 1) * ratio));
  height = static_cast<int>(std::ceil(std::max(height_, 1) * ratio));
}

void Image::LoadFromFile(const std::string& path) { SetPicture(SharedPicture::Load(path, {this})); }

void Image::SetPicture(const SharedPicture& picture) {
  if (picture.picture_) *picture_ = *picture.picture_;
  else *picture_ = Picture();
  widget_->update();
}

void Image::LoadFromResource(const std::string& resource) {
  QImage img = LoadResourceImage(resource);
  if (img.isNull()) throw LayoutError(name_ + ": picture " + resource + " not found");
  picture_->image =
      img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  picture_->width = img.width();
  picture_->height = img.height();
  widget_->update();
}
void Image::ClearPicture() {
  *picture_ = Picture();
  widget_->update();
}
bool Image::HasPicture() const { return !picture_->image.isNull(); }
int Image::PictureWidth() const { return picture_->width; }
int Image::PictureHeight() const { return picture_->height; }
int Image::DecodedWidth() const { return picture_->image.width(); }
int Image::DecodedHeight() const { return picture_->image.height(); }

void Image::DrawRect(int& x, int& y, int& w, int& h) const {
  w = PictureWidth();
  h = PictureHeight();
  const int cw = width_, ch = height_;
  const bool tooBig = w > cw || h > ch;
  if (stretch_ || (proportional_ && tooBig)) {
    if (proportional_ && w > 0 && h > 0) {
      // Fit inside the area with the picture's proportions kept.
      const double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  x = center_ ? (cw - w) / 2 : 0;
  y = center_ ? (ch - h) / 2 : 0;
}

void Image::SetStretch(bool v) {
  stretch_ = v;
  widget_->update();
}
void Image::SetProportional(bool v) {
  proportional_ = v;
  widget_->update();
}
void Image::SetCenter(bool v) {
  center_ = v;
  widget_->update();
}

bool Image::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Picture") return LoadFromResource(v.AsString()), true;
  if (name == "Stretch") return SetStretch(v.AsBool()), true;
  if (name == "Proportional") return SetProportional(v.AsBool()), true;
  if (name == "Center") return SetCenter(v.AsBool()), true;
  return Control::SetProperty(name, v);
}

// --- Shape, Bevel, Gauge ----------------------------------------------------

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(shape_->BrushColor()));
  DrawFrame(p, rect(), ToQColor(shape_->PenColor()), ToQColor(shape_->PenColor()));
}

Shape::Shape(Form* form, Control* parent, std::string name) : Control(form, parent, std::move(name), "shape") {
  AttachWidget(new ShapeWidget(this, ParentWidgetOf(parent)));
  tabStop_ = false;
  widget_->setFocusPolicy(Qt::NoFocus);
}
void Shape::SetPenColor(Color c) {
  penColor_ = c;
  widget_->update();
}
void Shape::SetBrushColor(Color c) {
  brushColor_ = c;
  widget_->update();
}
bool Shape::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "PenColor") return SetPenColor(v.AsColor()), true;
  if (name == "BrushColor") return SetBrushColor(v.AsColor()), true;
  return Control::SetProperty(name, v);
}

void BevelWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
  QRect r = rect();
  DrawFrame(p, r, bevel_->Raised() ? light : dark, bevel_->Raised() ? dark : light);
  r.adjust(1, 1, -1, -1);
  DrawFrame(p, r, bevel_->Raised() ? light : dark, bevel_->Raised() ? dark : light);
}

Bevel::Bevel(Form* form, Control* parent, std::string name) : Control(form, parent, std::move(name), "bevel") {
  AttachWidget(new BevelWidget(this, ParentWidgetOf(parent)));
  tabStop_ = false;
  widget_->setFocusPolicy(Qt::NoFocus);
}
void Bevel::SetRaised(bool v) {
  raised_ = v;
  widget_->update();
}
bool Bevel::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Style") return SetRaised(v.AsIdentifier() == "Raised"), true;
  return Control::SetProperty(name, v);
}

void GaugeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect();
  DrawFrame(p, r, ToQColor(clBtnShadow), ToQColor(clBtnHighlight));
  r.adjust(1, 1, -1, -1);
  p.fillRect(r, ToQColor(gauge_->BackColor()));
  const int filled = r.width() * std::clamp(gauge_->Progress(), 0, 100) / 100;
  if (filled > 0) p.fillRect(QRect(r.left(), r.top(), filled, r.height()), ToQColor(gauge_->ForeColor()));
}

Gauge::Gauge(Form* form, Control* parent, std::string name) : Control(form, parent, std::move(name), "gauge") {
  AttachWidget(new GaugeWidget(this, ParentWidgetOf(parent)));
  tabStop_ = false;
  widget_->setFocusPolicy(Qt::NoFocus);
}
void Gauge::SetProgress(int v) {
  progress_ = std::clamp(v, 0, 100);
  widget_->update();
}
void Gauge::SetForeColor(Color c) {
  foreColor_ = c;
  widget_->update();
}
void Gauge::SetBackColor(Color c) {
  backColor_ = c;
  widget_->update();
}
bool Gauge::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Progress") return SetProgress(v.AsInt()), true;
  if (name == "ForeColor") return SetForeColor(v.AsColor()), true;
  if (name == "BackColor") return SetBackColor(v.AsColor()), true;
  return Control::SetProperty(name, v);
}

// --- RadioGroup -------------------------------------------------------------

namespace {

bool IsArrow(const QKeyEvent* e) {
  return e->key() == Qt::Key_Right || e->key() == Qt::Key_Down || e->key() == Qt::Key_Left || e->key() == Qt::Key_Up;
}

// +1 for Right and Down, -1 for Left and Up, 0 for any other key and for
// arrows with Ctrl or Alt.
int ArrowStep(const QKeyEvent* e) {
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  switch (e->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down: return 1;
    case Qt::Key_Left:
    case Qt::Key_Up: return -1;
    default: return 0;
  }
}

class RadioGroupWidget : public QGroupBox {
 public:
  RadioGroupWidget(RadioGroup* owner, QWidget* parent) : QGroupBox(parent), owner_(owner) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (const int step = ArrowStep(e)) {
      ControlAccess::UserRadioStep(*owner_, step);
      return;
    }
    QGroupBox::keyPressEvent(e);
  }

 private:
  RadioGroup* owner_;
};

// Qt's own arrow handling would move the focus without a click; the group
// moves the selection instead.
class RadioItemWidget : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (IsArrow(e)) {
      e->ignore();
      return;
    }
    QRadioButton::keyPressEvent(e);
  }
};

}  // namespace

RadioGroup::RadioGroup(Form* form, Control* parent, std::string name)
    : Control(form, parent, std::move(name), "radiogroup") {
  color_ = parent != nullptr ? parent->GetColor() : clBtnFace;
  auto* box = new RadioGroupWidget(this, ParentWidgetOf(parent));
  box->setAutoFillBackground(true);
  new QGridLayout(box);
  AttachWidget(box);
  SyncFocusStops();
}
RadioGroup::~RadioGroup() = default;

void RadioGroup::SetCaption(const std::string& c) {
  caption_ = c;
  static_cast<QGroupBox*>(widget_)->setTitle(ToQ(c));
}
void RadioGroup::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = -1;
  Rebuild();
}
void RadioGroup::SetColumns(int c) {
  columns_ = std::max(1, c);
  Rebuild();
}
void RadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  SyncChecks();
  if (OnClick) OnClick();
}

void RadioGroup::SyncChecks() {
  ++syncing_;
  for (auto* b : widget_->findChildren<QRadioButton*>()) {
    // An exclusive button refuses to be unchecked, and none may stay checked.
    b->setAutoExclusive(false);
    b->setChecked(b->property("item").toInt() == itemIndex_);
    b->setAutoExclusive(true);
  }
  --syncing_;
  SyncFocusStops();
}

void RadioGroup::SyncFocusStops() {
  const auto buttons = widget_->findChildren<QRadioButton*>();
  const int stop = itemIndex_ >= 0 ? itemIndex_ : 0;
  QWidget* proxy = nullptr;
  for (auto* b : buttons) {
    const bool isStop = b->property("item").toInt() == stop;
    b->setFocusPolicy(isStop && tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    if (isStop) proxy = b;
  }
  widget_->setFocusPolicy(Qt::NoFocus);
  widget_->setFocusProxy(proxy);
}

void RadioGroup::Rebuild() {
  auto* grid = static_cast<QGridLayout*>(widget_->layout());
  widget_->setFocusProxy(nullptr);
  for (auto* b : widget_->findChildren<QRadioButton*>()) delete b;
  const int n = static_cast<int>(items_.size());
  const int rows = (n + columns_ - 1) / columns_;
  // New items keep the group's place in the tab order, not the window's
  // end; Qt orders only widgets that take the focus.
  widget_->setFocusPolicy(Qt::StrongFocus);
  QWidget* previous = widget_;
  for (int i = 0; i < n; ++i) {
    auto* b = new RadioItemWidget(ToQ(items_[static_cast<size_t>(i)]), widget_);
    b->setProperty("item", i);
    b->setChecked(i == itemIndex_);
    grid->addWidget(b, rows == 0 ? 0 : i % rows, rows == 0 ? 0 : i / rows);
    b->show();  // at once, not when the layout next runs
    QObject::connect(b, &QRadioButton::clicked, b, [this, i] {
      if (syncing_ == 0) ControlAccess::UserRadio(*this, i);
    });
    QWidget::setTabOrder(previous, b);
    previous = b;
  }
  SyncFocusStops();
}

bool RadioGroup::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Caption") return SetCaption(v.AsString()), true;
  if (name == "Items") return SetItems(v.AsStrings()), true;
  if (name == "Columns") return SetColumns(v.AsInt()), true;
  if (name == "ItemIndex") {
    ++syncing_;
    itemIndex_ = v.AsInt();
    Rebuild();
    --syncing_;
    return true;
  }
  if (Control::SetProperty(name, v)) {
    if (name == "TabStop") SyncFocusStops();
    return true;
  }
  return false;
}

// --- ListBox ----------------------------------------------------------------

ListBox::ListBox(Form* form, Control* parent, std::string name) : Control(form, parent, std::move(name), "listbox") {
  color_ = clWindow;
  auto* w = new QListWidget(ParentWidgetOf(parent));
  AttachWidget(w);
  QObject::connect(w, &QListWidget::currentRowChanged, w, [this](int row) {
    if (syncing_ == 0) ControlAccess::UserListPick(*this, row);
  });
}
int ListBox::AddItem(const std::string& s) {
  items_.push_back(s);
  ++syncing_;
  static_cast<QListWidget*>(widget_)->addItem(ToQ(s));
  --syncing_;
  return ItemCount() - 1;
}
void ListBox::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  ++syncing_;
  static_cast<QListWidget*>(widget_)->clear();
  --syncing_;
}
void ListBox::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < ItemCount() ? index : -1;
  ++syncing_;
  static_cast<QListWidget*>(widget_)->setCurrentRow(itemIndex_);
  --syncing_;
}
bool ListBox::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Items") {
    ClearItems();
    for (const auto& s : v.AsStrings()) AddItem(s);
    return true;
  }
  return Control::SetProperty(name, v);
}

// --- Edit -------------------------------------------------------------------

Edit::Edit(Form* form, Control* parent, std::string name) : Control(form, parent, std::move(name), "edit") {
  color_ = clWindow;
  auto* w = new QLineEdit(ParentWidgetOf(parent));
  AttachWidget(w);
  QObject::connect(w, &QLineEdit::textEdited, w, [this](const QString& t) {
    if (syncing_ == 0) ControlAccess::UserEdited(*this, FromQ(t));
  });
}
void Edit::SetText(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  ++syncing_;
  static_cast<QLineEdit*>(widget_)->setText(ToQ(t));
  --syncing_;
  if (OnChange) OnChange();
}
void Edit::SelectAll() { static_cast<QLineEdit*>(widget_)->selectAll(); }
void Edit::SetMaxLength(int n) {
  maxLength_ = n;
  static_cast<QLineEdit*>(widget_)->setMaxLength(n > 0 ? n : 32767);
}
bool Edit::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Text") {
    text_ = v.AsString();
    ++syncing_;
    static_cast<QLineEdit*>(widget_)->setText(ToQ(text_));
    --syncing_;
    return true;
  }
  if (name == "MaxLength") return SetMaxLength(v.AsInt()), true;
  return Control::SetProperty(name, v);
}
bool Edit::BindEvent(const std::string& event, const Handler& h) {
  if (event == "OnChange" && std::holds_alternative<NotifyEvent>(h)) return OnChange = std::get<NotifyEvent>(h), true;
  return Control::BindEvent(event, h);
}

// --- What a learner's input does ---------------------------------------------

void ControlAccess::UserPicked(DropDownList& d, int index) {
  if (!d.Enabled()) return;
  AppOf(d).Dispatch([&d, index] { d.UserSelect(index); }, &d);
}
void ControlAccess::UserToggled(CheckBox& c, bool checked) {
  if (!c.Enabled()) return;
  c.checked_ = checked;
  ++c.syncing_;
  static_cast<QCheckBox*>(c.widget_)->setChecked(checked);
  --c.syncing_;
  AppOf(c).Dispatch([&c] { c.Click(); }, &c);
}
void ControlAccess::UserRadio(RadioGroup& r, int index) {
  if (!r.Enabled()) return;
  AppOf(r).Dispatch([&r, index] { r.SetItemIndex(index); }, &r);
}
void ControlAccess::UserRadioStep(RadioGroup& r, int step) {
  const int n = static_cast<int>(r.items_.size());
  if (!r.Enabled() || n == 0) return;
  const int from = r.itemIndex_ >= 0 ? r.itemIndex_ : (step > 0 ? n - 1 : 0);
  const int to = ((from + step) % n + n) % n;
  // The focus moves with the selection, before the click handler runs.
  for (auto* b : r.widget_->findChildren<QRadioButton*>())
    if (b->property("item").toInt() == to) b->setFocus(Qt::TabFocusReason);
  AppOf(r).Dispatch([&r, to] { r.SetItemIndex(to); }, &r);
}
void ControlAccess::UserListPick(ListBox& l, int index) {
  if (!l.Enabled()) return;
  l.itemIndex_ = index;
  AppOf(l).Dispatch([&l] { l.Click(); }, &l);
}
void ControlAccess::UserEdited(Edit& e, const std::string& text) {
  e.text_ = text;
  AppOf(e).Dispatch(
      [&e] {
        if (e.OnChange) e.OnChange();
      },
      &e);
}

}  // namespace tk
