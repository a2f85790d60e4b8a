#include <QFile>
#include <QImage>

#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "platform/jpeg.h"
#include "platform/paths.h"
#include "platform/text8.h"
#include "toolkit/qt_private.h"

namespace tk {

namespace {

std::string UpperExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t sep = path.find_last_of("\\/");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return "";
  return plat::UpperCase(path.substr(dot));
}

// Decodes into the rows of an image in the screen's format, which the
// painter draws without converting it first.
class ScreenImage : public plat::Rgb32Target {
 public:
  uint32_t* Allocate(int width, int height, size_t& stride) override {
    image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    stride = static_cast<size_t>(image.bytesPerLine());
    return reinterpret_cast<uint32_t*>(image.bits());
  }
  QImage image;
};

QImage DecodeJpeg(const QByteArray& bytes) {
  ScreenImage target;
  plat::DecodeJpegBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()), target);
  return target.image;
}

QImage DecodeJpeg(const std::string& path) {
  ScreenImage target;
  plat::DecodeJpegFile(path, target);
  return target.image;
}

}  // namespace

QImage LoadResourceImage(const std::string& resource) {
  QFile f(QStringLiteral(":/") + QString::fromStdString(resource));
  if (!f.open(QIODevice::ReadOnly)) return QImage();
  const QByteArray bytes = f.readAll();
  const std::string ext = UpperExtension(resource);
  if (ext == ".JPG" || ext == ".JPEG") {
    return DecodeJpeg(bytes);
  }
  return QImage::fromData(bytes);
}

QImage LoadImageFile(const std::string& path) {
  const std::string ext = UpperExtension(path);
  if (ext == ".JPG" || ext == ".JPEG") return DecodeJpeg(path);
  if (ext == ".BMP") {
    // Read from the name's own bytes, as the JPEG decoder does: a name that
    // is not UTF-8 has no faithful QString.
    if (!plat::IsRegularFile(path)) throw plat::PictureError("Cannot open picture file " + path);
    std::ifstream in(plat::NativePath(path), std::ios::binary);
    if (!in) throw plat::PictureError("Cannot open picture file " + path);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw plat::PictureError("Cannot read picture file " + path);
    QImage img = QImage::fromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), "BMP");
    if (img.isNull()) throw plat::PictureError("Bitmap image is not valid: " + path);
    return img;
  }
  throw plat::PictureError("Unknown picture file extension (" + ext + "): " + path);
}

}  // namespace tk
