// JPEG pictures decoded with libjpeg, to RGB or to the screen's 32-bit
// pixels, read from a file in blocks. The bounds of picture_size.h hold for
// every decode: a picture that breaks one is refused before any pixel
// buffer is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/picture_size.h"

namespace plat {

class ByteSource;

struct RgbImage {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // RGB, 3 bytes per pixel, rows top to bottom
};

// A missing, unreadable or undecodable picture; the message names the file.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture file whose reading failed part way.
class PictureReadError : public PictureError {
 public:
  using PictureError::PictureError;
};

// A picture larger than the bounds allow.
class PictureTooLargeError : public PictureError {
 public:
  using PictureError::PictureError;
};

// At full size.
RgbImage DecodeJpegFile(const std::string& path);  // a program path
RgbImage DecodeJpegBytes(const uint8_t* data, size_t size);

// Where a picture for the screen is decoded to: 32-bit pixels, each
// 0xFFRRGGBB in the machine's byte order, in rows the caller owns (a
// window image's own), so the picture is never copied after decoding.
class Rgb32Target {
 public:
  virtual ~Rgb32Target() = default;
  // Called once, when the decoded size is known: the first row, rows
  // `stride` bytes apart; nullptr when there is no memory for them.
  virtual uint32_t* Allocate(int width, int height, size_t& stride) = 0;
};

// Decodes at the smallest of libjpeg's scales (1/8, 2/8 ... 8/8) whose
// result still covers `cover` in both directions: the whole picture when it
// is no larger, or when `cover` is 0 x 0. Returns the picture's own size.
PictureSize DecodeJpegFile(const std::string& path, Rgb32Target& target, PictureSize cover = {});
PictureSize DecodeJpegBytes(const uint8_t* data, size_t size, Rgb32Target& target, PictureSize cover = {});

// Reads a picture from `source` to its end, decoding it at the smallest
// scale into a single row: throws PictureError naming `name` unless it
// decodes whole and within the bounds. `source` is left where the decoder
// stopped, at or after the picture's end.
void CheckJpeg(ByteSource& source, const std::string& name);

// Tests: how many picture files have been decoded so far.
uint64_t JpegFileDecodesForTests();

}  // namespace plat
