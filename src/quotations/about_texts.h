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

// On reserved example domains, so no stranger is reached.
inline constexpr const char* kAuthorMailAddress = "author@example.org";
inline constexpr const char* kWebHost = "tovrek.example.org";

}  // namespace tovrek
