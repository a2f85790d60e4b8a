// The settings file "setup\config.ini": 19 bare lines, one look of the main
// window. Its rows, default content, reading contract and the one writer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {
class TextFile;
}

namespace knowledge {

constexpr int kSettingsLineCount = 19;
// Line n is element n - 1.
using SettingsLines = std::array<std::string, kSettingsLineCount>;

inline constexpr const char* kSettingsPath = "setup\\config.ini";
inline constexpr const char* kPicturesFolder = "setup\\pictures\\";
inline constexpr const char* kDefaultPictureName = "default.jpg";

enum class ListKind { Colours20, Colours19, Size, Aspect, Picture, Alignment };

struct SettingsRow {
  int Line;                 // 1 to 19
  std::string_view List;    // the customisation window's list; empty for line 19
  ListKind Kind;
  std::string_view Default; // the default file's value
};

// The 19 rows in file order.
const std::array<SettingsRow, kSettingsLineCount>& SettingsRows();
const SettingsRow& RowOfLine(int line);
SettingsLines DefaultSettingsLines();

// The items a list of that kind offers (none for the picture list and the
// alignment line).
std::vector<std::string_view> ItemsOf(ListKind kind);
// The first item equal to the text, compared whole, ignoring the case of
// a..z, without trimming; -1 when none.
int MatchItem(const std::vector<std::string_view>& items, std::string_view text);
// 8, 10, 12, 14 or 18 by position in a size list.
std::optional<int> SizeAt(int position);
// A size list's text as the change handlers read it: exactly one of the
// five sizes, else nothing.
std::optional<int> SizeFromText(std::string_view text);
// A colour list's text compared exactly with its own names.
std::optional<uint32_t> ColourFromExactName(ListKind kind, std::string_view text);

// "STRETCHED" ignoring case; "LEFT" ignoring case.
bool IsStretchedText(std::string_view aspect);
bool IsLeftText(std::string_view alignment);

// The bytes of a whole file: every line ended by CR LF, the last included.
std::string SettingsBytes(const SettingsLines& lines);

// Reads 19 lines through the program's text file; lines missing at the end
// read as empty. A failed step raises plat::InOutError.
SettingsLines ReadSettingsFile(plat::TextFile& file, const std::string& path);

// Saved with plat::WriteFileAtomically: a failure leaves the old file.
void SaveSettingsFile(const std::string& path, const SettingsLines& lines);

// A bare file name: not empty, not "." or "..", no control byte, no "\" or
// "/". Anything else never names a file of the pictures folder.
bool IsBareFileName(std::string_view name);
// A folder entry offered as a picture: a bare name whose last three
// characters, upper-cased, are "JPG" or "BMP".
bool IsPictureFileName(std::string_view name);
// The name line 9 stands for: itself when bare, else "default.jpg".
std::string Line9PictureName(const std::string& line);

}  // namespace knowledge

namespace knowledge {

// What one line of the file selects in its list and what it stands for:
// the item's position (-1: none) and, on a colour or size row, its value.
struct LineValue {
  int Index = -1;
  std::optional<uint32_t> Colour;
  std::optional<int> Size;
};
LineValue LookUpLine(int line, std::string_view text);

}  // namespace knowledge
