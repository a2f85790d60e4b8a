// The About window's texts, written for this program.
#pragma once

#include <string>
#include <vector>

namespace tovrek {

// 13 lines; the empty one is a single blank, as the memo is made with it.
extern const std::vector<std::string> kIntroduction;
// 128 lines, newest block first.
extern const std::vector<std::string> kVersionHistory;
// 84 lines, for show only.
extern const std::vector<std::string> kSourceListing;

}  // namespace tovrek
