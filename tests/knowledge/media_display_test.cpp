#include "knowledge/media_display.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using knowledge::MediaKind;

TEST(MediaDisplay, KindFollowsTheLastFourLettersInAnyCase) {
    const struct {
        const char* line;
        MediaKind kind;
    } cases[] = {
        {"map.jpg", MediaKind::Picture},    {"MAP.JPG", MediaKind::Picture},   {"x.Bmp", MediaKind::Picture},
        {"notes.txt", MediaKind::Text},     {".TXT", MediaKind::Text},         {"media", MediaKind::DefaultPicture},
        {"MeDiA", MediaKind::DefaultPicture}, {"", MediaKind::Invalid},        {"jpg", MediaKind::Invalid},
        {"picture.jpeg", MediaKind::Invalid}, {"picture.gif", MediaKind::Invalid}, {"media ", MediaKind::Invalid},
    };
    for (const auto& c : cases) EXPECT_EQ(knowledge::MediaKindOf(c.line), c.kind) << c.line;
}

TEST(MediaDisplay, OnlyNamesInsideTheFolderStayThere) {
    for (const char* inside : {"map.jpg", "sub\\map.jpg", "sub/map.jpg", "..map.jpg", "a..b\\c.txt", ""})
        EXPECT_TRUE(knowledge::MediaNameStaysInFolder(inside)) << inside;
    for (const char* outside : {"..\\map.jpg", "../map.jpg", "sub\\..\\..\\x.txt", "sub/..", "\\map.jpg",
                                "/etc/passwd.txt", "C:\\map.jpg", "c:map.jpg"})
        EXPECT_FALSE(knowledge::MediaNameStaysInFolder(outside)) << outside;
}

TEST(MediaDisplay, MessageNamesTheLineUpperCasedWithItsSpacing) {
    EXPECT_EQ(knowledge::MediaMessageCaption("map.jpg", knowledge::kMediaNotFound), "< MAP.JPG >  not found");
    EXPECT_EQ(knowledge::MediaMessageCaption("", knowledge::kMediaInvalid), "<  >  invalid");
    EXPECT_EQ(knowledge::MediaMessageCaption("\xe9t\xe9.gif", knowledge::kMediaInvalid), "< \xe9T\xe9.GIF >  invalid")
        << "only a to z change case";
}

TEST(MediaDisplay, MessageSizeShrinksAtEachBandEdge) {
    const struct {
        std::size_t length;
        int size;
    } cases[] = {{0, 18}, {18, 18}, {19, 16}, {21, 16}, {22, 14}, {31, 14}, {32, 12},
                 {38, 12}, {39, 10}, {50, 10}, {51, 8},   {5000, 8}};
    for (const auto& c : cases) EXPECT_EQ(knowledge::MediaMessageFontSize(c.length), c.size) << c.length;
}

}  // namespace
