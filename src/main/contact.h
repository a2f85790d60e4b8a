// The author's mail address and the product's web site: one pair, named by
// the About window's links and by the browser start page. On reserved
// example domains, so no stranger is reached.
#pragma once

namespace tovrek {

inline constexpr const char* kAuthorMailAddress = "author@example.org";
inline constexpr const char* kWebHost = "tovrek.example.org";

}  // namespace tovrek
