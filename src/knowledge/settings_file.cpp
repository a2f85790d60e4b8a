#include "knowledge/settings_file.h"

#include "knowledge/colour_table.h"
#include "platform/atomic_file.h"
#include "platform/text8.h"
#include "platform/text_file.h"

namespace knowledge {

namespace {

constexpr std::array<SettingsRow, kSettingsLineCount> kRows{{
    {1, "CbxFormBackground", ListKind::Colours20, "Button Face"},
    {2, "CbxOptionPanel", ListKind::Colours20, "Button Face"},
    {3, "CbxOptionsFont", ListKind::Colours19, "Black"},
    {4, "CbxTextBoxFontSize", ListKind::Size, "10"},
    {5, "CbxTextBoxColour", ListKind::Colours19, "Green (light)"},
    {6, "CbxTextBoxFont", ListKind::Colours19, "Black"},
    {7, "CbxTovrekFont", ListKind::Colours19, "Green"},
    {8, "CbxTovrekPanels", ListKind::Colours20, "Button Face"},
    {9, "CbxPictureDefault", ListKind::Picture, "default.jpg"},
    {10, "CbxPictureAspect", ListKind::Aspect, "Normal"},
    {11, "CbxPictureBorder", ListKind::Colours20, "Green"},
    {12, "CbxQuestionSize", ListKind::Size, "12"},
    {13, "CbxQuestionFont", ListKind::Colours19, "Black"},
    {14, "CbxQuestionBox", ListKind::Colours19, "Cream"},
    {15, "CbxAnswerSize", ListKind::Size, "12"},
    {16, "CbxAnswerFont", ListKind::Colours19, "Black"},
    {17, "CbxAnswerBox", ListKind::Colours19, "Cream"},
    {18, "CbxStatisticsFont", ListKind::Colours19, "Navy"},
    {19, "", ListKind::Alignment, "Left"},
}};

constexpr std::array<int, 5> kSizes{8, 10, 12, 14, 18};
constexpr std::array<std::string_view, 5> kSizeNames{"8", "10", "12", "14", "18"};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

}  // namespace

const std::array<SettingsRow, kSettingsLineCount>& SettingsRows() { return kRows; }

const SettingsRow& RowOfLine(int line) { return kRows.at(static_cast<size_t>(line - 1)); }

SettingsLines DefaultSettingsLines() {
  SettingsLines lines;
  for (size_t i = 0; i < kRows.size(); ++i) lines[i] = std::string(kRows[i].Default);
  return lines;
}

std::vector<std::string_view> ItemsOf(ListKind kind) {
  switch (kind) {
    case ListKind::Colours20:
      return {ColourNames20().begin(), ColourNames20().end()};
    case ListKind::Colours19:
      return {ColourNames19().begin(), ColourNames19().end()};
    case ListKind::Size:
      return {kSizeNames.begin(), kSizeNames.end()};
    case ListKind::Aspect:
      return {"Normal", "Stretched"};
    case ListKind::Picture:
    case ListKind::Alignment:
      break;
  }
  return {};
}

int MatchItem(const std::vector<std::string_view>& items, std::string_view text) {
  for (size_t i = 0; i < items.size(); ++i)
    if (SameIgnoringCase(items[i], text)) return static_cast<int>(i);
  return -1;
}

std::optional<int> SizeAt(int position) {
  if (position < 0 || position >= static_cast<int>(kSizes.size())) return std::nullopt;
  return kSizes[static_cast<size_t>(position)];
}

std::optional<int> SizeFromText(std::string_view text) {
  for (size_t i = 0; i < kSizeNames.size(); ++i)
    if (kSizeNames[i] == text) return kSizes[i];
  return std::nullopt;
}

std::optional<uint32_t> ColourFromExactName(ListKind kind, std::string_view text) {
  const std::vector<std::string_view> names = ItemsOf(kind);
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] != text) continue;
    return kind == ListKind::Colours20 ? ColourAt20(static_cast<int>(i)) : ColourAt19(static_cast<int>(i));
  }
  return std::nullopt;
}

bool IsStretchedText(std::string_view aspect) { return SameIgnoringCase(aspect, "STRETCHED"); }
bool IsLeftText(std::string_view alignment) { return SameIgnoringCase(alignment, "LEFT"); }

std::string SettingsBytes(const SettingsLines& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

SettingsLines ReadSettingsFile(plat::TextFile& file, const std::string& path) {
  SettingsLines lines;
  file.Assign(path);
  file.Reset();
  for (std::string& line : lines) file.ReadLn(line);
  file.Close();
  return lines;
}

void SaveSettingsFile(const std::string& path, const SettingsLines& lines) {
  plat::WriteFileAtomically(path, SettingsBytes(lines));
}

bool IsBareFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == '\\' || c == '/') return false;
  }
  return true;
}

bool IsPictureFileName(std::string_view name) {
  if (!IsBareFileName(name) || name.size() < 3) return false;
  const std::string_view tail = name.substr(name.size() - 3);
  return SameIgnoringCase(tail, "JPG") || SameIgnoringCase(tail, "BMP");
}

std::string Line9PictureName(const std::string& line) {
  return IsBareFileName(line) ? line : std::string(kDefaultPictureName);
}

}  // namespace knowledge

namespace knowledge {

LineValue LookUpLine(int line, std::string_view text) {
  const SettingsRow& row = RowOfLine(line);
  LineValue v;
  v.Index = MatchItem(ItemsOf(row.Kind), text);
  if (row.Kind == ListKind::Colours20) v.Colour = ColourAt20(v.Index);
  if (row.Kind == ListKind::Colours19) v.Colour = ColourAt19(v.Index);
  if (row.Kind == ListKind::Size) v.Size = SizeAt(v.Index);
  return v;
}

}  // namespace knowledge
