// The intervals the automatic-advance window offers, and the captions the
// main window's clock button takes for them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "knowledge/run_order.h"

namespace knowledge {

// The window's items, in seconds, in their order.
inline constexpr std::array<const char*, 14> kAdvanceItems{"1", "2", "3",  "4",  "5",  "6",  "7",
                                                           "8", "9", "10", "12", "15", "20", "30"};
// Item "5", chosen when the window is made.
inline constexpr int kDefaultAdvanceItem = 4;

// The timer interval of an item, in milliseconds; 0 for an index outside
// the items.
uint32_t AdvanceIntervalMs(int itemIndex);

// "Automatic  Advance  =  5 sec" for Learning and Test, "5 sec" on the
// narrow button of Practice; empty for an index outside the items.
std::string AdvanceCaption(int itemIndex, const std::string& modeText);

// "SECONDS: LEARNING", "SECONDS: PRACTICE", or "SECONDS: TEST" for any
// other mode text.
std::string AdvanceGroupCaption(const std::string& modeText);

}  // namespace knowledge
