// Internal to the toolkit: the Qt widget classes behind the controls.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/qt_private.h"

namespace tk {

// Mouse handling shared by every widget kind: a left click runs OnClick,
// a right click OnContextPopup, motion OnMouseMove; all through the
// application's dispatcher so errors reach the error report.
void DispatchClick(Control& c);
void DispatchContextPopup(Control& c);
void DispatchMouseMove(Control& c, QMouseEvent* e);
// The pointer coming over a control (enter) or leaving it.
void DispatchPointer(Control& c, bool enter);

template <class Base>
class Clickable : public Base {
 public:
  Clickable(Control* owner, QWidget* parent) : Base(parent), owner_(owner) { this->setMouseTracking(true); }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) pressed_ = true;
    Base::mousePressEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    const bool click = pressed_ && e->button() == Qt::LeftButton && this->rect().contains(e->position().toPoint());
    pressed_ = false;
    Base::mouseReleaseEvent(e);
    if (click) DispatchClick(*owner_);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    DispatchMouseMove(*owner_, e);
  }
  void contextMenuEvent(QContextMenuEvent*) override { DispatchContextPopup(*owner_); }
  void enterEvent(QEnterEvent* e) override {
    Base::enterEvent(e);
    DispatchPointer(*owner_, true);
  }
  void leaveEvent(QEvent* e) override {
    Base::leaveEvent(e);
    DispatchPointer(*owner_, false);
  }

  Control* owner_;
  bool pressed_ = false;
};

class LabelWidget : public Clickable<QLabel> {
 public:
  using Clickable<QLabel>::Clickable;
};

class ButtonWidget : public QPushButton {
 public:
  ButtonWidget(Control* owner, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void contextMenuEvent(QContextMenuEvent*) override { DispatchContextPopup(*owner_); }
  void mouseMoveEvent(QMouseEvent* e) override {
    QPushButton::mouseMoveEvent(e);
    DispatchMouseMove(*owner_, e);
  }

 private:
  Control* owner_;
};

class PanelWidget : public Clickable<QWidget> {
 public:
  PanelWidget(Panel* owner, QWidget* parent) : Clickable<QWidget>(owner, parent), panel_(owner) {
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Panel* panel_;
};

class ImageWidget : public Clickable<QWidget> {
 public:
  ImageWidget(Image* owner, QWidget* parent) : Clickable<QWidget>(owner, parent), image_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Image* image_;
};

class ShapeWidget : public Clickable<QWidget> {
 public:
  ShapeWidget(Shape* owner, QWidget* parent) : Clickable<QWidget>(owner, parent), shape_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Shape* shape_;
};

class BevelWidget : public QWidget {
 public:
  BevelWidget(Bevel* owner, QWidget* parent) : QWidget(parent), bevel_(owner) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Bevel* bevel_;
};

class GaugeWidget : public Clickable<QWidget> {
 public:
  GaugeWidget(Gauge* owner, QWidget* parent) : Clickable<QWidget>(owner, parent), gauge_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Gauge* gauge_;
};

// A plain-text view lays out only the lines it shows, so a memo of many
// or long lines fills and paints in the time of a screenful.
class MemoWidget : public QPlainTextEdit {
 public:
  MemoWidget(Control* owner, QWidget* parent);
  // The first line in view, whole or in part.
  QTextBlock FirstShownBlock() const { return firstVisibleBlock(); }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent*) override { DispatchContextPopup(*owner_); }

 private:
  Control* owner_;
  bool pressed_ = false;
};

}  // namespace tk
