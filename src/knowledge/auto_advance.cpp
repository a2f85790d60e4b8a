#include "knowledge/auto_advance.h"

namespace knowledge {

namespace {

bool IsItem(int itemIndex) { return itemIndex >= 0 && itemIndex < static_cast<int>(kAdvanceItems.size()); }

}  // namespace

uint32_t AdvanceIntervalMs(int itemIndex) {
    if (!IsItem(itemIndex)) {
        return 0;
    }
    return static_cast<uint32_t>(std::stoul(kAdvanceItems[static_cast<std::size_t>(itemIndex)])) * 1000;
}

std::string AdvanceCaption(int itemIndex, const std::string& modeText) {
    if (!IsItem(itemIndex)) {
        return {};
    }
    const std::string seconds = std::string(kAdvanceItems[static_cast<std::size_t>(itemIndex)]) + " sec";
    if (modeText == "Learning" || modeText == "Test") {
        return "Automatic  Advance  =  " + seconds;
    }
    return seconds;
}

std::string AdvanceGroupCaption(const std::string& modeText) {
    if (modeText == "Learning") {
        return "SECONDS: LEARNING";
    }
    if (modeText == "Practice") {
        return "SECONDS: PRACTICE";
    }
    return "SECONDS: TEST";
}

}  // namespace knowledge
