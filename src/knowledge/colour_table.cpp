#include "knowledge/colour_table.h"

#include <algorithm>

namespace knowledge {

namespace {

constexpr std::array<std::string_view, 20> MakeNames20() {
    std::array<std::string_view, 20> names{};
    for (std::size_t i = 0; i < kColourTable.size(); ++i) {
        names[i] = kColourTable[i].Name;
    }
    return names;
}

constexpr std::array<std::string_view, 19> MakeNames19() {
    std::array<std::string_view, 19> names{};
    std::size_t n = 0;
    for (const NamedColour& c : kColourTable) {
        if (c.Value != clBtnFace) {
            names[n++] = c.Name;
        }
    }
    return names;
}

constexpr std::array<std::string_view, 20> kNames20 = MakeNames20();
constexpr std::array<std::string_view, 19> kNames19 = MakeNames19();

constexpr std::array<uint32_t, 9> kDarkColours{clBlue, clBlack, clGray,   clGreen, clMaroon,
                                               clNavy, clOlive, clPurple, clTeal};

}  // namespace

const std::array<std::string_view, 20>& ColourNames20() { return kNames20; }

const std::array<std::string_view, 19>& ColourNames19() { return kNames19; }

std::optional<uint32_t> ColourAt20(int position) {
    if (position < 0 || position >= static_cast<int>(kColourTable.size())) {
        return std::nullopt;
    }
    return kColourTable[static_cast<std::size_t>(position)].Value;
}

std::optional<uint32_t> ColourAt19(int position) {
    if (position < 0 || position >= static_cast<int>(kNames19.size())) {
        return std::nullopt;
    }
    // The 19-name list skips "Button Face", the fifth entry of the table.
    const std::size_t index = static_cast<std::size_t>(position) + (position >= 4 ? 1 : 0);
    return kColourTable[index].Value;
}

bool IsDarkColour(uint32_t value) {
    return std::find(kDarkColours.begin(), kDarkColours.end(), value) != kDarkColours.end();
}

}  // namespace knowledge
