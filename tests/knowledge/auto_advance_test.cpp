#include "knowledge/auto_advance.h"

#include <gtest/gtest.h>

namespace {

TEST(AutoAdvance, EachItemGivesItsIntervalAndCaptions) {
    const struct {
        int index;
        uint32_t ms;
        const char* wide;
        const char* narrow;
    } cases[] = {{0, 1000, "Automatic  Advance  =  1 sec", "1 sec"},
                 {4, 5000, "Automatic  Advance  =  5 sec", "5 sec"},
                 {9, 10000, "Automatic  Advance  =  10 sec", "10 sec"},
                 {10, 12000, "Automatic  Advance  =  12 sec", "12 sec"},
                 {13, 30000, "Automatic  Advance  =  30 sec", "30 sec"}};
    for (const auto& c : cases) {
        EXPECT_EQ(knowledge::AdvanceIntervalMs(c.index), c.ms) << c.index;
        EXPECT_EQ(knowledge::AdvanceCaption(c.index, "Learning"), c.wide);
        EXPECT_EQ(knowledge::AdvanceCaption(c.index, "Test"), c.wide);
        EXPECT_EQ(knowledge::AdvanceCaption(c.index, "Practice"), c.narrow);
        EXPECT_EQ(knowledge::AdvanceCaption(c.index, ""), c.narrow) << "any other mode is the narrow button";
    }
    EXPECT_EQ(knowledge::kAdvanceItems[knowledge::kDefaultAdvanceItem], std::string("5"));
}

TEST(AutoAdvance, NoItemChosenGivesNothing) {
    for (int index : {-1, 14, 100}) {
        EXPECT_EQ(knowledge::AdvanceIntervalMs(index), 0u) << index;
        EXPECT_EQ(knowledge::AdvanceCaption(index, "Learning"), "");
    }
}

TEST(AutoAdvance, GroupCaptionNamesTheMode) {
    EXPECT_EQ(knowledge::AdvanceGroupCaption("Learning"), "SECONDS: LEARNING");
    EXPECT_EQ(knowledge::AdvanceGroupCaption("Practice"), "SECONDS: PRACTICE");
    EXPECT_EQ(knowledge::AdvanceGroupCaption("Test"), "SECONDS: TEST");
    EXPECT_EQ(knowledge::AdvanceGroupCaption(""), "SECONDS: TEST");
}

}  // namespace
