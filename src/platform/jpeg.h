// JPEG pictures decoded with libjpeg, to RGB or to the screen's 32-bit pixels.
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

// Where a picture for the screen is decoded to: 32-bit pixels, each
// 0xFFRRGGBB in the machine's byte order, in rows the caller owns (a
// window image's own), so the picture is never copied after decoding.
class Rgb32Target {
 public:
  virtual ~Rgb32Target() = default;
  // Called once, when the size is known: the first row, rows `stride`
  // bytes apart; nullptr when there is no memory for them.
  virtual uint32_t* Allocate(int width, int height, size_t& stride) = 0;
};

void DecodeJpegFile(const std::string& path, Rgb32Target& target);
void DecodeJpegBytes(const uint8_t* data, size_t size, Rgb32Target& target);

}  // namespace plat
