#include "knowledge/media_display.h"

#include "platform/text8.h"
#include "platform/text_file.h"

namespace knowledge {

MediaKind MediaKindOf(const std::string& mediaLine) {
    const std::string ext = plat::UpperCase(mediaLine.size() < 4 ? mediaLine : mediaLine.substr(mediaLine.size() - 4));
    if (ext == ".JPG" || ext == ".BMP") {
        return MediaKind::Picture;
    }
    if (ext == ".TXT") {
        return MediaKind::Text;
    }
    return plat::UpperCase(mediaLine) == "MEDIA" ? MediaKind::DefaultPicture : MediaKind::Invalid;
}

bool MediaNameStaysInFolder(const std::string& mediaLine) {
    if (mediaLine.empty()) {
        return true;
    }
    if (mediaLine.front() == '\\' || mediaLine.front() == '/' || mediaLine.find(':') != std::string::npos) {
        return false;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = mediaLine.find_first_of("\\/", start);
        const std::string part = mediaLine.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..") {
            return false;
        }
        if (end == std::string::npos) {
            return true;
        }
        start = end + 1;
    }
}

std::string MediaMessageCaption(const std::string& mediaLine, const char* verdict) {
    return "< " + plat::UpperCase(mediaLine) + " >  " + verdict;
}

int MediaMessageFontSize(std::size_t length) {
    if (length >= 51) return 8;
    if (length >= 39) return 10;
    if (length >= 32) return 12;
    if (length >= 22) return 14;
    if (length >= 19) return 16;
    return 18;
}

std::vector<std::string> ReadMediaText(plat::TextFile& file, const std::string& path) {
    std::vector<std::string> lines;
    file.Assign(path);
    try {
        file.Reset();
        while (lines.size() < kMaxMediaTextLines && !file.Eof()) {
            lines.emplace_back();
            file.ReadLn(lines.back());
        }
        file.Close();
    } catch (...) {
        if (file.IsOpen()) {
            file.Close();
        }
        throw;
    }
    return lines;
}

}  // namespace knowledge
