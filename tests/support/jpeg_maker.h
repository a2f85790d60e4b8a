// Test pictures made with libjpeg's compressor (the program itself only
// decompresses).
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
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

}  // namespace tovrek_test
