#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cmath>
#include <memory>

#include "platform/files.h"
#include "platform/jpeg.h"
#include "platform/picture_size.h"
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

// A bitmap has no scaled decoding: its header is checked against the
// bound first, and one much larger than the area is scaled down once
// loaded, so only a small copy is kept.
Picture LoadBitmap(const std::string& path, int coverWidth, int coverHeight) {
  // Read through the file's own descriptor: a name that is not UTF-8 has
  // no faithful QString.
  const std::unique_ptr<plat::FileReader> file = plat::FileReader::Open(path);
  if (!file) throw plat::PictureError("Cannot open picture file " + path);
  uint8_t head[plat::kBitmapHeadBytes];
  size_t got = 0;
  while (got < sizeof head) {
    const long n = file->Read(head + got, sizeof head - got);
    if (n < 0) throw plat::PictureError("Cannot read picture file " + path);
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  const std::optional<plat::PictureSize> size = plat::BitmapSize(head, got);
  if (!size) throw plat::PictureError("Bitmap image is not valid: " + path);
  if (static_cast<uint64_t>(size->width) * static_cast<uint64_t>(size->height) > plat::kMaxBitmapPixels)
    throw plat::PictureTooLargeError("Bitmap image is too large: " + path);
  QFile device;
  if (!file->Rewind() || !device.open(file->Descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
    throw plat::PictureError("Cannot read picture file " + path);
  QImageReader reader(&device, "BMP");
  reader.setAllocationLimit(static_cast<int>(plat::kMaxPictureBytes >> 20));
  QImage img = reader.read();
  if (img.isNull()) throw plat::PictureError("Bitmap image is not valid: " + path);
  Picture picture;
  picture.width = img.width();
  picture.height = img.height();
  if (coverWidth > 0 && coverHeight > 0 && img.width() >= 2 * coverWidth && img.height() >= 2 * coverHeight) {
    const double scale = std::max(static_cast<double>(coverWidth) / img.width(),
                                  static_cast<double>(coverHeight) / img.height());
    const int width = static_cast<int>(std::ceil(img.width() * scale));
    const int height = static_cast<int>(std::ceil(img.height() * scale));
    img = img.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  picture.image =
      img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  return picture;
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

Picture LoadImageFile(const std::string& path, int coverWidth, int coverHeight) {
  const std::string ext = UpperExtension(path);
  if (ext == ".JPG" || ext == ".JPEG") {
    ScreenImage target;
    const plat::PictureSize own = plat::DecodeJpegFile(path, target, {coverWidth, coverHeight});
    Picture picture;
    picture.image = std::move(target.image);
    picture.width = own.width;
    picture.height = own.height;
    return picture;
  }
  if (ext == ".BMP") return LoadBitmap(path, coverWidth, coverHeight);
  throw plat::PictureError("Unknown picture file extension (" + ext + "): " + path);
}

}  // namespace tk
