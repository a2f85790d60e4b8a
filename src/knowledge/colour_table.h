#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace knowledge {

// Colours are $00BBGGRR values; a high byte of $FF marks a system colour
// number, which the toolkit resolves.
inline constexpr uint32_t kAqua = 0xFFFF00;
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kBlueLight = 0xF0CAA6;
inline constexpr uint32_t kButtonFace = 0xFF00000F;  // system colour 15
inline constexpr uint32_t kCream = 0xFF000018;       // system colour 24
inline constexpr uint32_t kFuchsia = 0xFF00FF;
inline constexpr uint32_t kGray = 0x808080;
inline constexpr uint32_t kGreen = 0x008000;
inline constexpr uint32_t kGreenLight = 0xC0DCC0;
inline constexpr uint32_t kLime = 0x00FF00;
inline constexpr uint32_t kMaroon = 0x000080;
inline constexpr uint32_t kNavy = 0x800000;
inline constexpr uint32_t kOlive = 0x008080;
inline constexpr uint32_t kPurple = 0x800080;
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kSilver = 0xC0C0C0;
inline constexpr uint32_t kTeal = 0x808000;
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kYellow = 0x00FFFF;

struct NamedColour {
    std::string_view Name;
    uint32_t Value;
};

// Every colour setting is chosen by one of these names, in list order.
inline constexpr std::array<NamedColour, 20> kColourTable{{
    {"Aqua", kAqua},
    {"Black", kBlack},
    {"Blue", kBlue},
    {"Blue (light)", kBlueLight},
    {"Button Face", kButtonFace},
    {"Cream", kCream},
    {"Fuchsia", kFuchsia},
    {"Gray", kGray},
    {"Green", kGreen},
    {"Green (light)", kGreenLight},
    {"Lime", kLime},
    {"Maroon", kMaroon},
    {"Navy", kNavy},
    {"Olive", kOlive},
    {"Purple", kPurple},
    {"Red", kRed},
    {"Silver", kSilver},
    {"Teal", kTeal},
    {"White", kWhite},
    {"Yellow", kYellow},
}};

// Items of the background lists (all 20 names) and of the text and box
// lists (the same less "Button Face").
const std::array<std::string_view, 20>& ColourNames20();
const std::array<std::string_view, 19>& ColourNames19();

// The colour of a list item by its position in its own list; no selection
// (-1) or a position outside the list gives nothing. From position 4 on the
// two lists disagree.
std::optional<uint32_t> ColourAt20(int position);
std::optional<uint32_t> ColourAt19(int position);

// Text and tick marks on a dark colour are drawn white. Decided on the
// value, so system colours are never dark.
bool IsDarkColour(uint32_t value);

}  // namespace knowledge
