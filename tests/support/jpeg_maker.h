// Test pictures: JPEGs made with libjpeg's compressor (the program itself
// only decompresses), and plain bitmaps.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
// After <cstdio>: libjpeg's header needs FILE and size_t.
#include <jpeglib.h>

namespace tovrek_test {

using Bytes = std::vector<uint8_t>;

// Compresses raw samples (components per pixel as the colour space needs).
inline Bytes Compress(int width, int height, J_COLOR_SPACE in, int components, const Bytes& samples,
               J_COLOR_SPACE stored = JCS_UNKNOWN, int quality = 95) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = in;
  jpeg_set_defaults(&info);
  if (stored != JCS_UNKNOWN) jpeg_set_colorspace(&info, stored);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * width * components);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(out, out + size);
  std::free(out);
  return bytes;
}

// A picture of one colour.
inline Bytes SolidJpeg(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  Bytes samples;
  for (int i = 0; i < width * height; ++i) samples.insert(samples.end(), {r, g, b});
  return Compress(width, height, JCS_RGB, 3, samples);
}

inline void PutLe(Bytes& b, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// An uncompressed 24-bit bitmap of one colour, rows bottom-up and padded to
// four bytes, as the desktop's painting programs write them.
inline Bytes SolidBmp(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t pixels = static_cast<uint32_t>(stride * height);
  Bytes out = {'B', 'M'};
  PutLe(out, 54 + pixels, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<uint32_t>(width), 4);
  PutLe(out, static_cast<uint32_t>(height), 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);  // no compression
  PutLe(out, pixels, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) out.insert(out.end(), {b, g, r});
    for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

// A photograph-like picture written straight to a file row by row, so a
// large one costs no memory to make: smooth shading with fine grain, which
// compresses about as a camera's picture does. Progressive when asked, as
// pictures saved for the web often are. False when the file cannot be made.
inline bool WritePhotoJpeg(const std::string& path, int width, int height, bool progressive = false,
                           int quality = 90) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  uint32_t state = 12345;
  while (info.next_scanline < info.image_height) {
    const unsigned y = info.next_scanline;
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      const unsigned grain = (state >> 24) & 15;
      row[3 * x] = static_cast<uint8_t>((x * 200u / width + grain) & 255);
      row[3 * x + 1] = static_cast<uint8_t>((y * 180u / height + grain) & 255);
      row[3 * x + 2] = static_cast<uint8_t>(((x + y) * 120u / (width + height) + 60 + grain) & 255);
    }
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&info, &pointer, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

}  // namespace tovrek_test
