// The one place where Qt's keys become the key codes handlers compare with.
#include <Qt>

#include "toolkit/qt_private.h"

namespace tk {

namespace {

struct KeyPair {
  int qt;
  uint16_t vk;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, vk::Back}, {Qt::Key_Tab, vk::Tab},       {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Return, vk::Return},  {Qt::Key_Enter, vk::Return},  {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Control}, {Qt::Key_Alt, vk::Menu},     {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Space, vk::Space},    {Qt::Key_PageUp, vk::Prior},  {Qt::Key_PageDown, vk::Next},
    {Qt::Key_End, vk::End},        {Qt::Key_Home, vk::Home},     {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},          {Qt::Key_Right, vk::Right},   {Qt::Key_Down, vk::Down},
    {Qt::Key_Insert, vk::Insert},  {Qt::Key_Delete, vk::Delete},
};

}  // namespace

uint16_t VirtualKeyOf(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<uint16_t>('A' + (qtKey - Qt::Key_A));
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<uint16_t>('0' + (qtKey - Qt::Key_0));
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<uint16_t>(vk::F1 + (qtKey - Qt::Key_F1));
  for (const auto& k : kKeys)
    if (k.qt == qtKey) return k.vk;
  return 0;
}

ShiftState ShiftOf(Qt::KeyboardModifiers m) {
  return ShiftState{m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)};
}

}  // namespace tk
