#pragma once

#include <functional>
#include <string>

namespace knowledge {

struct VersionVerdict {
    bool WindowsNTFamily = false;
    bool Windows98 = false;
};

// Judges the system's product names. `ntProductName` is the NT-family
// product name (empty when there is none); `readWin9xName` is called only
// when that name is empty, to fetch the 9x product name. Neither flag set
// means the system is not supported.
VersionVerdict CheckVersionNames(const std::string& ntProductName,
                                 const std::function<std::string()>& readWin9xName);

}  // namespace knowledge
