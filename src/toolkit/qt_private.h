// Internal to the toolkit: the Qt side of the controls.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <string>

#include "toolkit/control.h"
#include "toolkit/types.h"

namespace tk {

class DropDownList;
class CheckBox;
class RadioGroup;
class ListBox;
class Edit;

QColor ToQColor(Color c);
QFont ToQFont(const Font& f);
// 8-bit program text to Qt (UTF-8 when valid, else Windows-1252) and back.
QString ToQ(const std::string& s);
std::string FromQ(const QString& s);
// "&Start" -> "Start" with the accelerator index, "&&" -> "&".
QString StripAccelerator(const QString& caption, int* accelIndex = nullptr);

// The control a widget belongs to, if any.
Control* ControlOf(const QObject* o);
void RegisterWidget(QWidget* w, Control* c);
void UnregisterWidget(QWidget* w);

// A picture as the screen holds it: the pixels, which may be a scaled-down
// decode, and the picture's own size, by which it is laid out.
class Picture {
 public:
  QImage image;
  int width = 0, height = 0;
};

// Loads a stored picture of the program ("pictures/splash.jpg").
QImage LoadResourceImage(const std::string& resource);
// Loads a picture file by its extension, decoded no larger than it needs
// to be to cover `cover` (device pixels; 0 x 0: the whole picture), in a
// format the painter draws as it stands. Throws plat::PictureError.
Picture LoadImageFile(const std::string& path, int coverWidth, int coverHeight);

// The key code a handler sees for a Qt key, 0 when it has none.
uint16_t VirtualKeyOf(int qtKey);
ShiftState ShiftOf(Qt::KeyboardModifiers m);

struct ControlAccess {
  static void UserPicked(DropDownList& d, int index);
  static void UserToggled(CheckBox& c, bool checked);
  static void UserRadio(RadioGroup& r, int index);
  // An arrow key in the group: step is +1 or -1.
  static void UserRadioStep(RadioGroup& r, int step);
  static void UserListPick(ListBox& l, int index);
  static void UserEdited(Edit& e, const std::string& text);
};

}  // namespace tk
