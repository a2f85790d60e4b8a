#include "knowledge/pictures_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "knowledge/settings_file.h"
#include "platform/jpeg.h"
#include "platform/paths.h"
#include "platform/text8.h"

namespace knowledge {

std::optional<std::string> PictureNameOfPath(const std::string& nativePath) {
  const size_t slash = nativePath.rfind('/');
  std::string name = slash == std::string::npos ? nativePath : nativePath.substr(slash + 1);
  if (!IsPictureFileName(name)) return std::nullopt;
  return name;
}

std::string ReadPictureToAdd(const std::string& nativePath) {
  const std::string refused = "The file " + nativePath + " cannot be added: ";
  // Non-blocking, so a pipe cannot hold the window while it is checked.
  const int fd = open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw plat::PictureError(refused + "it cannot be opened.");
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    throw plat::PictureError(refused + "it is not an ordinary file.");
  }
  std::string bytes;
  char block[1 << 16];
  for (;;) {
    const ssize_t n = read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      throw plat::PictureError(refused + "it cannot be read.");
    }
    if (n == 0) break;
    bytes.append(block, static_cast<size_t>(n));
  }
  close(fd);
  const std::string kind = plat::UpperCase(nativePath.substr(nativePath.size() >= 3 ? nativePath.size() - 3 : 0));
  bool decodes = false;
  if (kind == "JPG") {
    try {
      plat::DecodeJpegBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      decodes = true;
    } catch (const plat::PictureError&) {
    }
  } else if (kind == "BMP") {
    decodes = bytes.size() >= 26 && bytes[0] == 'B' && bytes[1] == 'M';
  }
  if (!decodes) throw plat::PictureError(refused + "it is not a picture.");
  return bytes;
}

bool IsSameFile(const std::string& nativePath, const std::string& programPath) {
  struct stat a {}, b {};
  if (stat(nativePath.c_str(), &a) != 0 || stat(plat::NativePath(programPath).c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string ExactPathIn(const std::string& programFolder, const std::string& name) {
  std::string folder = plat::NativePath(programFolder);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + name;
}

bool DeleteExactly(const std::string& programFolder, const std::string& name) {
  if (!IsBareFileName(name)) return false;
  return unlink(ExactPathIn(programFolder, name).c_str()) == 0;
}

}  // namespace knowledge
