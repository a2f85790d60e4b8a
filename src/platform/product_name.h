// The Windows product name the version check reads from the registry.
#pragma once

#include <optional>
#include <string>

namespace plat {

// For "\software\microsoft\windows nt\currentversion" a name the version
// check accepts; "" for "\software\microsoft\windows\currentversion" and
// any other key (a missing value reads as empty, as in the registry).
std::string ReadProductName(const std::string& registryKey);

// Replaces both values until the reset; nullopt stands for a missing value.
void SetProductNameForTests(std::optional<std::string> ntName, std::optional<std::string> win9xName);
void ResetProductNameForTests();

}  // namespace plat
