#include "toolkit/testing.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTest>
#include <QTimer>

#include "platform/clock.h"
#include "toolkit/qt_private.h"
#include "toolkit/widgets.h"

namespace tk::testing {

namespace {

bool Reachable(const Control& c) {
  for (const Control* p = &c; p != nullptr; p = p->Parent()) {
    if (!p->Enabled()) return false;
    if (!p->Visible()) return false;
  }
  return true;
}

QWidget* MouseTarget(Control& c) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(c.Widget())) return area->viewport();
  return c.Widget();
}

QWidget* KeyTarget(Application& app) {
  Form* f = app.ActiveForm();
  if (f == nullptr) return nullptr;
  if (f->ActiveControl() != nullptr && f->ActiveControl()->Widget() != nullptr) {
    QWidget* w = f->ActiveControl()->Widget();
    // A part of the control may hold the focus (a radio group's item).
    QWidget* focus = f->Widget()->focusWidget();
    return focus != nullptr && w->isAncestorOf(focus) ? focus : w;
  }
  return f->Widget();
}

}  // namespace

void UseManualClock(Application& app, plat::ManualClock& clock) {
  app.SetScripted(true);
  plat::SetClock(&clock);
  // The loop's turn after the ticks runs what their handlers posted.
  clock.SetAdvanceListener([&app](uint64_t now) {
    app.FireDueTimers(now);
    app.RunPosted();
  });
}

void ReleaseClock() { plat::SetClock(nullptr); }

Control& ControlNamed(Form& f, const std::string& name) {
  auto* c = dynamic_cast<Control*>(f.FindComponent(name));
  if (c == nullptr) throw ScriptError("the window " + f.Name() + " has no control " + name);
  return *c;
}

void UserClick(Control& c) {
  if (!Reachable(c)) return;
  QWidget* w = MouseTarget(c);
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

void UserClick(Form& f, const std::string& name) { UserClick(ControlNamed(f, name)); }

void UserRightClick(Control& c) {
  if (!Reachable(c)) return;
  QWidget* w = MouseTarget(c);
  QContextMenuEvent e(QContextMenuEvent::Mouse, w->rect().center(), w->mapToGlobal(w->rect().center()));
  QApplication::sendEvent(w, &e);
}

void UserMouseMove(Control& c, int x, int y) {
  if (!Reachable(c)) return;
  QTest::mouseMove(MouseTarget(c), QPoint(x, y));
}

void UserPointerEnter(Control& c) {
  if (!Reachable(c)) return;
  QWidget* w = MouseTarget(c);
  const QPointF inside = QPointF(w->rect().center());
  QEnterEvent e(inside, inside, w->mapToGlobal(inside));
  QApplication::sendEvent(w, &e);
}

void UserPointerLeave(Control& c) {
  if (!Reachable(c)) return;
  QEvent e(QEvent::Leave);
  QApplication::sendEvent(MouseTarget(c), &e);
}

namespace {

// The Qt key a keyboard sends for a key code: kept apart from the toolkit's
// own table, so a wrong entry there shows up as a wrong code in a handler.
int QtKeyForTest(uint16_t code) {
  if (code >= 'A' && code <= 'Z') return Qt::Key_A + (code - 'A');
  if (code >= '0' && code <= '9') return Qt::Key_0 + (code - '0');
  if (code >= 112 && code <= 123) return Qt::Key_F1 + (code - 112);
  switch (code) {
    case 8: return Qt::Key_Backspace;
    case 9: return Qt::Key_Tab;
    case 13: return Qt::Key_Return;
    case 16: return Qt::Key_Shift;
    case 17: return Qt::Key_Control;
    case 18: return Qt::Key_Alt;
    case 27: return Qt::Key_Escape;
    case 32: return Qt::Key_Space;
    case 33: return Qt::Key_PageUp;
    case 34: return Qt::Key_PageDown;
    case 35: return Qt::Key_End;
    case 36: return Qt::Key_Home;
    case 37: return Qt::Key_Left;
    case 38: return Qt::Key_Up;
    case 39: return Qt::Key_Right;
    case 40: return Qt::Key_Down;
    case 45: return Qt::Key_Insert;
    case 46: return Qt::Key_Delete;
    default: return Qt::Key_unknown;
  }
}

// The text a keyboard sends with a key, as the desktop does: control
// characters for Ctrl+letter, nothing with Alt.
QString TextForKey(uint16_t key, ShiftState shift) {
  if (shift.Alt) return QString();
  if (key >= 'A' && key <= 'Z') {
    if (shift.Ctrl) return QString(QChar(key - 'A' + 1));
    return QString(QChar(shift.Shift ? key : key + 32));
  }
  if (shift.Ctrl) return QString();
  if (key >= '0' && key <= '9') return QString(QChar(key));
  switch (key) {
    case vk::Escape: return QString(QChar(27));
    case vk::Return: return QString(QChar(13));
    case vk::Back: return QString(QChar(8));
    case vk::Tab: return QString(QChar(9));
    case vk::Space: return QStringLiteral(" ");
    default: return QString();
  }
}

quint64 NextStamp() {
  static quint64 stamp = 1;
  return stamp++;
}

}  // namespace

void UserKey(Application& app, uint16_t key, ShiftState shift) {
  QWidget* target = KeyTarget(app);
  if (target == nullptr) return;
  // Keys are typed into the active window, and the focus moves they make
  // must reach the toolkit as the window system reports them. Headless, the
  // window system activates a window only when its queue is handled.
  if (QApplication::activeWindow() != target->window()) QApplication::setActiveWindow(target->window());
  Qt::KeyboardModifiers m;
  if (shift.Shift) m |= Qt::ShiftModifier;
  if (shift.Ctrl) m |= Qt::ControlModifier;
  if (shift.Alt) m |= Qt::AltModifier;
  const int qtKey = QtKeyForTest(key);
  const QString text = TextForKey(key, shift);
  QKeyEvent press(QEvent::KeyPress, qtKey, m, text);
  press.setTimestamp(NextStamp());
  QApplication::sendEvent(target, &press);
  if (QWidget* again = KeyTarget(app)) {
    QKeyEvent release(QEvent::KeyRelease, qtKey, m, text);
    release.setTimestamp(NextStamp());
    QApplication::sendEvent(again, &release);
  }
}

void UserType(Application& app, const std::string& text) {
  for (char ch : text) {
    QWidget* target = KeyTarget(app);
    if (target == nullptr) return;
    QTest::keyClick(target, ch);
  }
}

void UserPick(DropDownList& list, int index) {
  if (!Reachable(list)) return;
  ControlAccess::UserPicked(list, index);
}

void UserPick(ListBox& list, int index) {
  if (!Reachable(list)) return;
  // Through the widget, as a click on the row would go.
  static_cast<QListWidget*>(list.Widget())->setCurrentRow(index);
}

void UserPick(RadioGroup& group, int index) {
  if (!Reachable(group)) return;
  const auto buttons = group.Widget()->findChildren<QRadioButton*>();
  if (index < 0 || index >= buttons.size()) return;
  // The buttons get their places when the group's layout runs; click the
  // indicator at the left, where a learner aims.
  if (QLayout* l = group.Widget()->layout()) l->activate();
  QRadioButton* b = buttons[index];
  QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(6, b->height() / 2));
}

int FocusedItem(RadioGroup& group) {
  QWidget* focus = group.OwnerForm()->Widget()->focusWidget();
  auto* b = qobject_cast<QRadioButton*>(focus);
  if (b == nullptr || b->parentWidget() != group.Widget()) return -1;
  return group.Widget()->findChildren<QRadioButton*>().indexOf(b);
}

bool UserAnswerMessageBox(uint16_t key) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) return false;
  QWidget* target = box->focusWidget() != nullptr ? box->focusWidget() : box;
  QTest::keyClick(target, static_cast<Qt::Key>(QtKeyForTest(key)));
  return true;
}

bool ShownMessageBox(std::string& title, std::string& text) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) return false;
  title = box->windowTitle().toStdString();
  text = box->text().toStdString();
  return true;
}

void UserCloseWindow(Form& f) {
  QCloseEvent e;
  QApplication::sendEvent(f.Widget(), &e);
}

bool SaveScreenshot(Form& f, const std::string& pngPath) {
  f.Repaint();
  return f.Widget()->grab().save(QString::fromStdString(pngPath), "PNG");
}

Rendering Render(Form& f) {
  f.Repaint();
  const QImage img = f.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  Rendering r;
  r.width = img.width();
  r.height = img.height();
  r.rgb.reserve(static_cast<size_t>(r.width) * r.height);
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) r.rgb.push_back(img.pixel(x, y) & 0xFFFFFF);
  return r;
}

uint32_t PixelAt(Form& f, int x, int y) {
  f.Repaint();
  const QImage img = f.Widget()->grab().toImage();
  return img.pixel(x, y) & 0xFFFFFF;
}

std::string DisplayedText(Control& c) {
  QString shown;
  if (auto* label = qobject_cast<QLabel*>(c.Widget()); label != nullptr && label->textFormat() == Qt::PlainText) {
    shown = label->text();
  } else if (label != nullptr) {
    // What the rich text lays out, with its non-breaking blanks as blanks.
    QTextDocument doc;
    doc.setHtml(label->text());
    shown = doc.toPlainText().replace(QChar(0xA0), QLatin1Char(' '));
  } else if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c.Widget())) {
    shown = a->text(QAccessible::Name);
  }
  return FromQ(shown);
}

}  // namespace tk::testing

namespace tk::testing {

std::string ResolvedFontFamily(const Font& f) { return FromQ(QFontInfo(ToQFont(f)).family()); }

int TextWidth(const Font& f, const std::string& text) { return QFontMetrics(ToQFont(f)).horizontalAdvance(ToQ(text)); }

uint32_t ShownTextColor(Control& c) {
  const bool button = qobject_cast<QPushButton*>(c.Widget()) != nullptr;
  const QColor q = c.Widget()->palette().color(QPalette::Active, button ? QPalette::ButtonText : QPalette::WindowText);
  return static_cast<uint32_t>(q.rgb()) & 0xFFFFFFu;
}

std::string ShownHint(Control& c) { return FromQ(c.Widget()->toolTip()); }

Cursor ShownCursor(Control& c) {
  if (!c.Widget()->testAttribute(Qt::WA_SetCursor)) return Cursor::Default;
  switch (c.Widget()->cursor().shape()) {
    case Qt::PointingHandCursor: return Cursor::HandPoint;
    case Qt::WaitCursor: return Cursor::HourGlass;
    default: return Cursor::Default;
  }
}

Cursor PointerShape(Control& c) {
  for (QWidget* w = c.Widget(); w != nullptr; w = w->parentWidget()) {
    if (!w->testAttribute(Qt::WA_SetCursor)) continue;
    switch (w->cursor().shape()) {
      case Qt::PointingHandCursor: return Cursor::HandPoint;
      case Qt::WaitCursor: return Cursor::HourGlass;
      default: return Cursor::Default;
    }
  }
  return Cursor::Default;
}

Control* WidgetFocus(Form& f) {
  QWidget* w = f.Widget()->focusWidget();
  return w == nullptr ? nullptr : ControlOf(w);
}

int ShownTopLine(Memo& m) {
  m.Sync();
  auto* w = static_cast<MemoWidget*>(m.Widget());
  QTextBlock b = w->FirstShownBlock();
  // A line partly scrolled off the top does not count as shown.
  if (w->verticalScrollBar()->value() > b.firstLineNumber() && b.next().isValid()) b = b.next();
  return b.blockNumber();
}

WindowLook LookOf(Form& f) {
  const Qt::WindowFlags flags = f.Widget()->windowFlags();
  WindowLook look;
  look.frameless = flags.testFlag(Qt::FramelessWindowHint);
  look.stayOnTop = flags.testFlag(Qt::WindowStaysOnTopHint);
  look.closeButton = !look.frameless && flags.testFlag(Qt::WindowCloseButtonHint);
  look.minimizeButton = !look.frameless && flags.testFlag(Qt::WindowMinimizeButtonHint);
  look.maximizeButton = !look.frameless && flags.testFlag(Qt::WindowMaximizeButtonHint);
  look.resizable = f.Widget()->minimumSize() != f.Widget()->maximumSize();
  return look;
}

void Post(std::function<void()> f) { QTimer::singleShot(0, qApp, std::move(f)); }

struct Watchdog::Impl {
  QTimer timer;
};

Watchdog::Watchdog(uint32_t ms, std::function<void()> f)
    : impl_(std::make_unique<Impl>()), fired_(std::make_shared<bool>(false)) {
  impl_->timer.setSingleShot(true);
  QObject::connect(&impl_->timer, &QTimer::timeout, [fired = fired_, f = std::move(f)] {
    *fired = true;
    f();
  });
  impl_->timer.start(static_cast<int>(ms));
}

Watchdog::~Watchdog() = default;

}  // namespace tk::testing
