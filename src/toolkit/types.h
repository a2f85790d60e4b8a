// Plain value types of the window toolkit: colours, fonts, keys, shift state.
// Qt-free, so every layer above can use them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/colours.h"

namespace tk {

// $00BBGGRR; a value whose high byte is $FF is a system colour number.
using Color = uint32_t;

// The colour constants (clRed, clBtnFace, ...) are the program's one set.
using namespace plat::colours;

// The RGB a colour is drawn with, as 0xRRGGBB; system colours come from one
// fixed palette so the program looks the same on every desktop theme.
uint32_t ColorToRgb(Color c);

// Colour by name: the names the program shows ("Green (light)", "Cream",
// "Button Face", ...) and identifiers such as clBtnFace. False if unknown.
bool ColorFromName(const std::string& name, Color& out);

enum class FontStyle : unsigned { None = 0, Bold = 1, Italic = 2, Underline = 4 };

struct Font {
  std::string Name = "MS Sans Serif";
  int Height = 11;  // character height in pixels
  Color FontColor = clWindowText;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;

  // Size in points at the 96 pixels per inch the layouts were made for.
  int Size() const;
  void SetSize(int points);
  bool operator==(const Font&) const = default;
};

// Shift state of a key or mouse event.
struct ShiftState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  bool operator==(const ShiftState&) const = default;
};

// Virtual-key codes the handlers compare against.
namespace vk {
constexpr uint16_t Back = 8;
constexpr uint16_t Tab = 9;
constexpr uint16_t Return = 13;
constexpr uint16_t Shift = 16;
constexpr uint16_t Control = 17;
constexpr uint16_t Menu = 18;  // Alt
constexpr uint16_t Escape = 27;
constexpr uint16_t Space = 32;
constexpr uint16_t Prior = 33;  // Page Up
constexpr uint16_t Next = 34;   // Page Down
constexpr uint16_t End = 35;
constexpr uint16_t Home = 36;
constexpr uint16_t Left = 37;
constexpr uint16_t Up = 38;
constexpr uint16_t Right = 39;
constexpr uint16_t Down = 40;
constexpr uint16_t Insert = 45;
constexpr uint16_t Delete = 46;
constexpr uint16_t F1 = 112;
constexpr uint16_t F4 = 115;
constexpr uint16_t F12 = 123;
// Letters and digits are their upper-case ASCII codes ('A' = 65, '0' = 48).
}  // namespace vk

enum class Alignment { Left, Right, Center };
enum class Cursor { Default, HandPoint, HourGlass };
enum class ScrollBars { None, Vertical, Horizontal, Both };
enum class BevelKind { None, Lowered, Raised };
enum class BorderStyle { None, Single, Sizeable, Dialog };

}  // namespace tk
