#include <QFile>
#include <QImage>
#include <QImageReader>

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

QImage FromRgb(const plat::RgbImage& rgb) {
  QImage img(rgb.pixels.data(), rgb.width, rgb.height, rgb.width * 3, QImage::Format_RGB888);
  return img.copy();  // own the pixels
}

}  // namespace

QImage LoadResourceImage(const std::string& resource) {
  QFile f(QStringLiteral(":/") + QString::fromStdString(resource));
  if (!f.open(QIODevice::ReadOnly)) return QImage();
  const QByteArray bytes = f.readAll();
  const std::string ext = UpperExtension(resource);
  if (ext == ".JPG" || ext == ".JPEG") {
    return FromRgb(plat::DecodeJpegBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
  }
  return QImage::fromData(bytes);
}

QImage LoadImageFile(const std::string& path) {
  const std::string ext = UpperExtension(path);
  if (ext == ".JPG" || ext == ".JPEG") return FromRgb(plat::DecodeJpegFile(path));
  if (ext == ".BMP") {
    if (!plat::FileExists(path)) throw plat::PictureError("Cannot open picture file " + path);
    QImageReader reader(QString::fromStdString(plat::NativePath(path)), "bmp");
    QImage img = reader.read();
    if (img.isNull()) throw plat::PictureError("Bitmap image is not valid: " + path);
    return img;
  }
  throw plat::PictureError("Unknown picture file extension (" + ext + "): " + path);
}

}  // namespace tk
