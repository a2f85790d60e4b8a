// What the picture area shows for a question's media line.
//
// The window's DisplayMediaFileIfApplicable takes MediaKindOf the row's
// media line: a picture or a text file is looked up in the media folder
// (only when MediaNameStaysInFolder), "MEDIA" shows the default picture,
// anything else the invalid message. A message is MediaMessageCaption in
// the picture panel at MediaMessageFontSize points. A text is shown as
// ReadMediaText gives it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace plat {
class TextFile;
}

namespace knowledge {

// The most lines of a media text the text box shows: many screens of the
// picture area, and few enough to lay out within a frame.
inline constexpr std::size_t kMaxMediaTextLines = 500;

enum class MediaKind { Picture, Text, DefaultPicture, Invalid };

// By the last four characters upper-cased (all of a shorter line): ".JPG"
// and ".BMP" a picture, ".TXT" a text; "MEDIA" in any case the default
// picture; everything else, the empty line too, invalid.
MediaKind MediaKindOf(const std::string& mediaLine);

// A name inside the media folder: not absolute (no leading "\" or "/",
// no drive letter) and no ".." component. Lines that leave the folder are
// treated as invalid wherever they are checked.
bool MediaNameStaysInFolder(const std::string& mediaLine);

inline constexpr const char* kMediaNotFound = "not found";
inline constexpr const char* kMediaInvalid = "invalid";

// "< MAP.JPG >  not found": one blank inside each bracket, two after.
std::string MediaMessageCaption(const std::string& mediaLine, const char* verdict);

// The lines of the media text `path`, read through `file` up to
// kMaxMediaTextLines; the rest of the file is not read. An empty file has
// no lines. Throws whatever the file throws, with the file closed.
std::vector<std::string> ReadMediaText(plat::TextFile& file, const std::string& path);

// Longer lines get smaller text: 8 points from 51 characters, 10 from 39,
// 12 from 32, 14 from 22, 16 from 19, else 18.
int MediaMessageFontSize(std::size_t length);

}  // namespace knowledge
