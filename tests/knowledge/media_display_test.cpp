#include "knowledge/media_display.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/temp_folder.h"

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

class MediaText : public tovrek_test::TempFolderTest {
protected:
    std::vector<std::string> Read(const std::string& path) { return knowledge::ReadMediaText(file, path); }
    plat::TextFile file;
};

// A media text gives its lines up to the limit; the rest of the file is
// never read, so a file of any size costs a screenful.
TEST_F(MediaText, GivesItsLinesUpToTheLimit) {
    const std::size_t max = knowledge::kMaxMediaTextLines;
    std::vector<std::string> lines;
    for (std::size_t i = 1; i <= max + 1; ++i) lines.push_back("line " + std::to_string(i));
    const std::vector<std::string> atLimit(lines.begin(), lines.end() - 1);

    tovrek_test::WriteFile("at.txt", tovrek_test::CrLfLines(atLimit));
    EXPECT_EQ(Read("at.txt"), atLimit);
    tovrek_test::WriteFile("over.txt", tovrek_test::CrLfLines(lines));
    EXPECT_EQ(Read("over.txt"), atLimit);
    EXPECT_FALSE(file.IsOpen());

    // The limit, then a terabyte without a line end: never read.
    std::filesystem::resize_file("at.txt", std::filesystem::file_size("at.txt") + (std::uintmax_t{1} << 40));
    {
        tovrek_test::HangGuard guard(1);
        EXPECT_EQ(Read("at.txt"), atLimit);
    }

    tovrek_test::WriteFile("empty.txt", "");
    EXPECT_TRUE(Read("empty.txt").empty());
    tovrek_test::WriteFile("no-end.txt", "one\r\ntwo");
    EXPECT_EQ(Read("no-end.txt"), (std::vector<std::string>{"one", "two"}));
}

TEST_F(MediaText, AFileThatCannotBeReadThrowsAndIsClosed) {
    std::filesystem::create_directory("folder.txt");
    EXPECT_THROW(Read("folder.txt"), plat::InOutError);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_THROW(Read("gone.txt"), plat::InOutError);
}

}  // namespace
