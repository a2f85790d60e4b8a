#include "knowledge/colour_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ColourCase {
    const char* name;
    uint32_t value;  // $00BBGGRR, or $FF0000nn for a system colour
    bool dark;
};

// Written out independently of the table, in list order.
const ColourCase kExpected[] = {
    {"Aqua", 0xFFFF00, false},         {"Black", 0x000000, true},
    {"Blue", 0xFF0000, true},          {"Blue (light)", 0xF0CAA6, false},
    {"Button Face", 0xFF00000F, false}, {"Cream", 0xFF000018, false},
    {"Fuchsia", 0xFF00FF, false},      {"Gray", 0x808080, true},
    {"Green", 0x008000, true},         {"Green (light)", 0xC0DCC0, false},
    {"Lime", 0x00FF00, false},         {"Maroon", 0x000080, true},
    {"Navy", 0x800000, true},          {"Olive", 0x008080, true},
    {"Purple", 0x800080, true},        {"Red", 0x0000FF, false},
    {"Silver", 0xC0C0C0, false},       {"Teal", 0x808000, true},
    {"White", 0xFFFFFF, false},        {"Yellow", 0x00FFFF, false},
};

TEST(ColourTable, TwentyNameListMapsByPosition) {
    const auto& names = knowledge::ColourNames20();
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(kExpected[i].name);
        EXPECT_EQ(names[static_cast<std::size_t>(i)], kExpected[i].name);
        EXPECT_EQ(knowledge::ColourAt20(i), kExpected[i].value);
        EXPECT_EQ(knowledge::IsDarkColour(kExpected[i].value), kExpected[i].dark);
    }
}

TEST(ColourTable, NineteenNameListLacksButtonFace) {
    const auto& names = knowledge::ColourNames19();
    int position = 0;
    for (const ColourCase& c : kExpected) {
        if (std::string(c.name) == "Button Face") {
            continue;
        }
        SCOPED_TRACE(c.name);
        EXPECT_EQ(names[static_cast<std::size_t>(position)], c.name);
        EXPECT_EQ(knowledge::ColourAt19(position), c.value);
        ++position;
    }
    EXPECT_EQ(position, 19);
}

TEST(ColourTable, SamePositionDiffersBetweenTheLists) {
    EXPECT_EQ(knowledge::ColourAt20(4), knowledge::clBtnFace);
    EXPECT_EQ(knowledge::ColourAt19(4), knowledge::clInfoBk);
    EXPECT_EQ(knowledge::ColourAt20(19), knowledge::clYellow);
    EXPECT_EQ(knowledge::ColourAt19(18), knowledge::clYellow);
}

TEST(ColourTable, NoSelectionOrOutsideTheListMapsToNothing) {
    for (int position : {-1, -20, 20, 1000}) {
        SCOPED_TRACE(position);
        EXPECT_FALSE(knowledge::ColourAt20(position).has_value());
        EXPECT_FALSE(knowledge::ColourAt19(position).has_value());
    }
    EXPECT_FALSE(knowledge::ColourAt19(19).has_value());
}

// The test is on values: system colours, whatever they resolve to, and
// colours outside the table are not dark.
TEST(IsDarkColour, ValuesOutsideTheNineAreLight) {
    for (uint32_t value : {0xFF000000u, 0xFF000008u, 0xFF808080u, 0x01000000u, 0x000001u, 0x404040u,
                           0x7F7F7Fu}) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(knowledge::IsDarkColour(value));
    }
}

}  // namespace
