#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/colours.h"

namespace knowledge {

// The colour constants and the table of names are the platform's, shared
// with the toolkit: clRed, clMoneyGreen ("Green (light)"), clBtnFace
// ("Button Face"), ...
using namespace plat::colours;
using plat::kColourTable;
using plat::NamedColour;

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
