#include "toolkit/testing.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include "platform/clock.h"
#include "toolkit/qt_private.h"

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
  if (f->ActiveControl() != nullptr && f->ActiveControl()->Widget() != nullptr) return f->ActiveControl()->Widget();
  return f->Widget();
}

}  // namespace

void UseManualClock(Application& app, plat::ManualClock& clock) {
  app.SetScripted(true);
  plat::SetClock(&clock);
  clock.SetAdvanceListener([&app](uint64_t now) { app.FireDueTimers(now); });
}

void ReleaseClock() { plat::SetClock(nullptr); }

void UserClick(Control& c) {
  if (!Reachable(c)) return;
  QWidget* w = MouseTarget(c);
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

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

void UserKey(Application& app, uint16_t key, ShiftState shift) {
  QWidget* target = KeyTarget(app);
  if (target == nullptr) return;
  Qt::KeyboardModifiers m;
  if (shift.Shift) m |= Qt::ShiftModifier;
  if (shift.Ctrl) m |= Qt::ControlModifier;
  if (shift.Alt) m |= Qt::AltModifier;
  const int qtKey = QtKeyOf(key);
  QString text;
  if (key >= 'A' && key <= 'Z' && !shift.Ctrl && !shift.Alt) text = QChar(shift.Shift ? key : key + 32);
  else if (key >= '0' && key <= '9' && !shift.Ctrl && !shift.Alt) text = QChar(key);
  else if (key == vk::Escape) text = QChar(27);
  else if (key == vk::Return) text = QChar(13);
  else if (key == vk::Back) text = QChar(8);
  else if (key == vk::Space) text = QChar(' ');
  QKeyEvent press(QEvent::KeyPress, qtKey, m, text);
  QKeyEvent release(QEvent::KeyRelease, qtKey, m, text);
  QApplication::sendEvent(target, &press);
  if (QWidget* again = KeyTarget(app)) QApplication::sendEvent(again, &release);
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

void UserCloseWindow(Form& f) {
  QCloseEvent e;
  QApplication::sendEvent(f.Widget(), &e);
}

bool SaveScreenshot(Form& f, const std::string& pngPath) {
  f.Repaint();
  return f.Widget()->grab().save(QString::fromStdString(pngPath), "PNG");
}

uint32_t PixelAt(Form& f, int x, int y) {
  f.Repaint();
  const QImage img = f.Widget()->grab().toImage();
  return img.pixel(x, y) & 0xFFFFFF;
}

std::string DisplayedText(Control& c) {
  if (auto* l = dynamic_cast<Label*>(&c)) return FromQ(StripAccelerator(ToQ(l->Caption())));
  if (auto* b = dynamic_cast<Button*>(&c)) return FromQ(StripAccelerator(ToQ(b->Caption())));
  if (auto* k = dynamic_cast<CheckBox*>(&c)) return FromQ(StripAccelerator(ToQ(k->Caption())));
  if (auto* p = dynamic_cast<Panel*>(&c)) return FromQ(StripAccelerator(ToQ(p->Caption())));
  return "";
}

}  // namespace tk::testing
