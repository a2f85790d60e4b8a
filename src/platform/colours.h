// The program's colours, one set for every layer. Values are $00BBGGRR,
// red in the low byte, as the windows take them; a value whose high byte is
// $FF is a system colour number, which the toolkit resolves.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace plat {

namespace colours {

constexpr uint32_t SystemColor(int index) { return 0xFF000000u | static_cast<uint32_t>(index); }

inline constexpr uint32_t clBlack = 0x000000;
inline constexpr uint32_t clMaroon = 0x000080;
inline constexpr uint32_t clGreen = 0x008000;
inline constexpr uint32_t clOlive = 0x008080;
inline constexpr uint32_t clNavy = 0x800000;
inline constexpr uint32_t clPurple = 0x800080;
inline constexpr uint32_t clTeal = 0x808000;
inline constexpr uint32_t clGray = 0x808080;
inline constexpr uint32_t clSilver = 0xC0C0C0;
inline constexpr uint32_t clRed = 0x0000FF;
inline constexpr uint32_t clLime = 0x00FF00;
inline constexpr uint32_t clYellow = 0x00FFFF;
inline constexpr uint32_t clBlue = 0xFF0000;
inline constexpr uint32_t clFuchsia = 0xFF00FF;
inline constexpr uint32_t clAqua = 0xFFFF00;
inline constexpr uint32_t clWhite = 0xFFFFFF;
inline constexpr uint32_t clMoneyGreen = 0xC0DCC0;  // "Green (light)"
inline constexpr uint32_t clSkyBlue = 0xF0CAA6;     // "Blue (light)"

inline constexpr uint32_t clWindow = SystemColor(5);
inline constexpr uint32_t clWindowText = SystemColor(8);
inline constexpr uint32_t clHighlight = SystemColor(13);
inline constexpr uint32_t clHighlightText = SystemColor(14);
inline constexpr uint32_t clBtnFace = SystemColor(15);  // "Button Face"
inline constexpr uint32_t clBtnShadow = SystemColor(16);
inline constexpr uint32_t clGrayText = SystemColor(17);
inline constexpr uint32_t clBtnText = SystemColor(18);
inline constexpr uint32_t clBtnHighlight = SystemColor(20);
inline constexpr uint32_t clInfoText = SystemColor(23);
inline constexpr uint32_t clInfoBk = SystemColor(24);  // "Cream"

}  // namespace colours

struct NamedColour {
  std::string_view Name;
  uint32_t Value;
};

// The colour names the learner chooses from, in the order the lists offer
// them.
inline constexpr std::array<NamedColour, 20> kColourTable{{
    {"Aqua", colours::clAqua},
    {"Black", colours::clBlack},
    {"Blue", colours::clBlue},
    {"Blue (light)", colours::clSkyBlue},
    {"Button Face", colours::clBtnFace},
    {"Cream", colours::clInfoBk},
    {"Fuchsia", colours::clFuchsia},
    {"Gray", colours::clGray},
    {"Green", colours::clGreen},
    {"Green (light)", colours::clMoneyGreen},
    {"Lime", colours::clLime},
    {"Maroon", colours::clMaroon},
    {"Navy", colours::clNavy},
    {"Olive", colours::clOlive},
    {"Purple", colours::clPurple},
    {"Red", colours::clRed},
    {"Silver", colours::clSilver},
    {"Teal", colours::clTeal},
    {"White", colours::clWhite},
    {"Yellow", colours::clYellow},
}};

}  // namespace plat
