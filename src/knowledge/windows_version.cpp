#include "knowledge/windows_version.h"

#include <array>
#include <string_view>

#include "platform/text8.h"

namespace knowledge {

namespace {

struct NameRule {
    std::string_view text;
    bool wholeName;  // false: the name's first text.size() characters
};

// In the order they are tried. The older names must match whole, so an
// edition behind them is refused; the newer ones carry editions and match
// by their start.
constexpr std::array<NameRule, 8> kNtRules{{
    {"MICROSOFT WINDOWS XP", true},
    {"MICROSOFT WINDOWS 2000", true},
    {"MICROSOFT WINDOWS SERVER 2000", true},
    {"WINDOWS VISTA", false},
    {"WINDOWS 7", false},
    {"WINDOWS 8", false},
    {"WINDOWS 10", false},
    {"MICROSOFT WINDOWS SERVER 2003", true},
}};

bool Holds(const NameRule& rule, const std::string& upperName) {
    if (rule.wholeName) {
        return upperName == rule.text;
    }
    return std::string_view(upperName).substr(0, rule.text.size()) == rule.text;
}

}  // namespace

VersionVerdict CheckVersionNames(const std::string& ntProductName,
                                 const std::function<std::string()>& readWin9xName) {
    VersionVerdict verdict;
    const std::string upper = plat::UpperCase(ntProductName);
    for (const NameRule& rule : kNtRules) {
        if (Holds(rule, upper)) {
            verdict.WindowsNTFamily = true;
            return verdict;
        }
    }
    // Only a system without an NT name is asked for a 9x name.
    if (upper.empty() && readWin9xName) {
        verdict.Windows98 = plat::UpperCase(readWin9xName()) == "MICROSOFT WINDOWS 98";
    }
    return verdict;
}

}  // namespace knowledge
