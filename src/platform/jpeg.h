// JPEG pictures decoded to RGB with libjpeg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace plat {

struct RgbImage {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // RGB, 3 bytes per pixel, rows top to bottom
};

// A missing, unreadable or undecodable picture; the message names the file.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

RgbImage DecodeJpegFile(const std::string& path);  // a program path
RgbImage DecodeJpegBytes(const uint8_t* data, size_t size);

}  // namespace plat
