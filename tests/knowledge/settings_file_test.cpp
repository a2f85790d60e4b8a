// The settings file: its rows and default bytes, the reading contract of
// its lists, the atomic writer and the names a picture may have.
#include "knowledge/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "knowledge/colour_table.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace tovrek_test {
namespace {

using namespace knowledge;

TEST(SettingsRowsTest, DefaultFileIsTheNineteenValuesInFileOrderWithCrLf) {
  const std::string bytes = SettingsBytes(DefaultSettingsLines());
  EXPECT_EQ(bytes,
            "Button Face\r\nButton Face\r\nBlack\r\n10\r\nGreen (light)\r\nBlack\r\nGreen\r\nButton Face\r\n"
            "default.jpg\r\nNormal\r\nGreen\r\n12\r\nBlack\r\nCream\r\n12\r\nBlack\r\nCream\r\nNavy\r\nLeft\r\n");
  EXPECT_EQ(bytes.size(), 155u);
  for (int line = 1; line <= kSettingsLineCount; ++line) EXPECT_EQ(RowOfLine(line).Line, line);
}

// Every default value is an item of its own list (the size and colour rows).
TEST(SettingsRowsTest, EveryDefaultValueIsAnItemOfItsList) {
  for (const SettingsRow& row : SettingsRows()) {
    if (row.Kind == ListKind::Picture || row.Kind == ListKind::Alignment) continue;
    EXPECT_GE(MatchItem(ItemsOf(row.Kind), row.Default), 0) << row.List;
  }
}

// Every name on each colour list, in three spellings, with its colour by
// position; padded or foreign names match nothing.
TEST(SettingsMatchTest, EveryNameOnBothColourListsMatchesWholeIgnoringCase) {
  for (ListKind kind : {ListKind::Colours20, ListKind::Colours19}) {
    const std::vector<std::string_view> items = ItemsOf(kind);
    ASSERT_EQ(items.size(), kind == ListKind::Colours20 ? 20u : 19u);
    for (size_t i = 0; i < items.size(); ++i) {
      std::string lower(items[i]), upper(items[i]);
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      for (const std::string& spelling : {std::string(items[i]), lower, upper})
        EXPECT_EQ(MatchItem(items, spelling), static_cast<int>(i)) << spelling;
      EXPECT_EQ(MatchItem(items, " " + std::string(items[i])), -1);
      EXPECT_EQ(MatchItem(items, std::string(items[i]) + " "), -1);
      const auto colour = kind == ListKind::Colours20 ? ColourAt20(static_cast<int>(i)) : ColourAt19(static_cast<int>(i));
      EXPECT_EQ(ColourFromExactName(kind, items[i]), colour);
      EXPECT_EQ(ColourFromExactName(kind, upper), upper == items[i] ? colour : std::nullopt) << upper;
    }
  }
  EXPECT_EQ(MatchItem(ItemsOf(ListKind::Colours19), "Button Face"), -1);
  EXPECT_EQ(MatchItem(ItemsOf(ListKind::Colours20), ""), -1);
  EXPECT_EQ(ColourFromExactName(ListKind::Colours19, "Cream"), clInfoBk);
}

TEST(SettingsMatchTest, SizesAndAspectAndAlignmentTexts) {
  const std::vector<std::string_view> sizes = ItemsOf(ListKind::Size);
  const int expected[] = {8, 10, 12, 14, 18};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(SizeAt(MatchItem(sizes, sizes[static_cast<size_t>(i)])), expected[i]);
    EXPECT_EQ(SizeFromText(sizes[static_cast<size_t>(i)]), expected[i]);
  }
  EXPECT_EQ(SizeAt(-1), std::nullopt);
  EXPECT_EQ(SizeAt(5), std::nullopt);
  for (const char* bad : {"", "9", " 10", "010", "10 "}) EXPECT_EQ(SizeFromText(bad), std::nullopt) << bad;
  EXPECT_TRUE(IsStretchedText("stretched"));
  EXPECT_FALSE(IsStretchedText("STRETCH"));
  EXPECT_TRUE(IsLeftText("lEfT"));
  EXPECT_FALSE(IsLeftText("left "));
  EXPECT_FALSE(IsLeftText(""));
}

class SettingsFileTest : public TempFolderTest {};

TEST_F(SettingsFileTest, ShortFileReadsTheMissingLinesAsEmpty) {
  struct Case {
    std::string bytes;
    std::vector<std::string> first;
  };
  const Case cases[] = {
      {"", {}},
      {"Navy\r\nRed\r\nBlack\r\n10\r\nTeal", {"Navy", "Red", "Black", "10", "Teal"}},
      {"a\nb\n", {"a", "b"}},
  };
  for (const Case& c : cases) {
    WriteFile("setup/config.ini", c.bytes);
    plat::TextFile file;
    const SettingsLines lines = ReadSettingsFile(file, "setup\\config.ini");
    for (size_t i = 0; i < lines.size(); ++i)
      EXPECT_EQ(lines[i], i < c.first.size() ? c.first[i] : "") << "line " << i + 1;
    EXPECT_FALSE(file.IsOpen());
  }
}

TEST_F(SettingsFileTest, SaveWritesTheLinesAsTheyAreAndReadsBack) {
  MakeDirs("setup");
  SettingsLines lines = DefaultSettingsLines();
  lines[2] = "";
  lines[8] = "caf\xE9.jpg";  // 8-bit, not converted
  SaveSettingsFile("setup\\config.ini", lines);
  EXPECT_EQ(ReadBytes("setup/config.ini"), SettingsBytes(lines));
  plat::TextFile file;
  EXPECT_EQ(ReadSettingsFile(file, "setup\\config.ini"), lines);
  struct stat st {};
  ASSERT_EQ(stat("setup/config.ini", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~umask(022)) << "ordinary permissions";
  umask(022);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("setup"), {}), 1) << "no temporary left";
}

TEST_F(SettingsFileTest, ExistingFileUnderAnotherSpellingIsReplacedNotShadowed) {
  WriteFile("setup/Config.INI", "old\r\n");
  SaveSettingsFile("setup\\config.ini", DefaultSettingsLines());
  EXPECT_EQ(ReadBytes("setup/Config.INI"), SettingsBytes(DefaultSettingsLines()));
  EXPECT_FALSE(std::filesystem::exists("setup/config.ini"));
}

TEST_F(SettingsFileTest, SymbolicLinkIsReplacedNeverWrittenThrough) {
  WriteFile("elsewhere.txt", "keep");
  MakeLink("../elsewhere.txt", "setup/config.ini");
  SaveSettingsFile("setup\\config.ini", DefaultSettingsLines());
  EXPECT_EQ(ReadBytes("elsewhere.txt"), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink("setup/config.ini"));
}

// A save that fails part-way leaves the old file byte for byte and no
// temporary, and reports the path.
TEST_F(SettingsFileTest, FailurePartWayLeavesTheOldFileIntact) {
  const std::string old = "Navy\r\nmine\r\n";
  WriteFile("setup/config.ini", old);
  for (size_t after : {size_t{0}, size_t{1}, size_t{80}, size_t{154}}) {
    plat::FailAtomicWritesAfterForTests(after);
    try {
      SaveSettingsFile("setup\\config.ini", DefaultSettingsLines());
      ADD_FAILURE() << "no error after " << after;
    } catch (const plat::InOutError& e) {
      EXPECT_EQ(e.Code(), plat::kIoDiskWriteError);
      EXPECT_EQ(e.FileName(), "setup\\config.ini");
    }
    plat::FailAtomicWritesAfterForTests(std::nullopt);
    EXPECT_EQ(ReadBytes("setup/config.ini"), old) << after;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("setup"), {}), 1);
  }
}

TEST_F(SettingsFileTest, MissingOrBlockedFolderIsAnInputOutputError) {
  WriteFile("setup", "a file where the folder should be");
  try {
    SaveSettingsFile("setup\\config.ini", DefaultSettingsLines());
    ADD_FAILURE() << "no error";
  } catch (const plat::InOutError& e) {
    EXPECT_EQ(e.Code(), plat::kIoPathNotFound);
  }
  EXPECT_EQ(ReadBytes("setup"), "a file where the folder should be");
}

TEST(PictureNameTest, OnlyBareNamesWithAPictureEnding) {
  struct Case {
    const char* name;
    bool bare, picture;
  };
  const Case cases[] = {
      {"beach.JPG", true, true},  {"map.Bmp", true, true},     {"old.jpg", true, true},
      {"photo.jpeg", true, false}, {"photo.png", true, false}, {"notes.txt", true, false},
      {"jpg", true, true},         {"", false, false},         {".", false, false},
      {"..", false, false},        {"a/b.jpg", false, false},  {"a\\b.jpg", false, false},
      {"/etc/x.jpg", false, false}, {"a\rb.jpg", false, false}, {"a\nb.jpg", false, false},
      {"a\tb.jpg", false, false},  {"a\x7F.jpg", false, false}, {"caf\xE9.jpg", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsBareFileName(c.name), c.bare) << c.name;
    EXPECT_EQ(IsPictureFileName(c.name), c.picture) << c.name;
  }
  EXPECT_EQ(Line9PictureName("sunset.jpg"), "sunset.jpg");
  for (const char* bad : {"..", "../x.jpg", "/tmp/x.jpg", "", "sub\\x.jpg"})
    EXPECT_EQ(Line9PictureName(bad), "default.jpg") << bad;
}

}  // namespace
}  // namespace tovrek_test
