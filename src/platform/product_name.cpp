#include "platform/product_name.h"

#include "platform/detail.h"

namespace plat {

namespace {

// Starts with "WINDOWS 10", which the program's check accepts.
constexpr const char* kLinuxProductName = "Windows 10 (Linux)";

struct Names {
  bool overridden = false;
  std::optional<std::string> nt;
  std::optional<std::string> win9x;
};

Names& TestNames() {
  static Names names;
  return names;
}

// Registry keys ignore case; the leading backslash is optional.
bool SameKey(std::string key, const std::string& wanted) {
  while (!key.empty() && key.front() == '\\') key.erase(key.begin());
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return detail::EqualsIgnoreCase(key, wanted);
}

}  // namespace

std::string ReadProductName(const std::string& registryKey) {
  const Names& names = TestNames();
  if (SameKey(registryKey, "software\\microsoft\\windows nt\\currentversion"))
    return names.overridden ? names.nt.value_or("") : kLinuxProductName;
  if (SameKey(registryKey, "software\\microsoft\\windows\\currentversion"))
    return names.overridden ? names.win9x.value_or("") : "";
  return "";
}

void SetProductNameForTests(std::optional<std::string> ntName, std::optional<std::string> win9xName) {
  TestNames() = Names{true, std::move(ntName), std::move(win9xName)};
}

void ResetProductNameForTests() { TestNames() = Names{}; }

}  // namespace plat
