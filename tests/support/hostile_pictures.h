// Picture files far larger than any a learner means to show: a header of a
// few hundred bytes claiming a huge size, and a 24-megapixel photograph.
// The hostile-file tests put each where the program reads pictures.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "support/jpeg_maker.h"

namespace tovrek_test {

// A small picture whose frame header claims `width` x `height`.
inline Bytes PictureClaiming(unsigned width, unsigned height) {
  Bytes jpeg = SolidJpeg(16, 16, 200, 40, 40);
  size_t at = 2;
  while (at + 9 < jpeg.size() && !(jpeg[at + 1] >= 0xC0 && jpeg[at + 1] <= 0xC2))
    at += 2 + ((size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
  jpeg[at + 5] = static_cast<uint8_t>(height >> 8);
  jpeg[at + 6] = static_cast<uint8_t>(height);
  jpeg[at + 7] = static_cast<uint8_t>(width >> 8);
  jpeg[at + 8] = static_cast<uint8_t>(width);
  return jpeg;
}

inline void WritePictureFile(const std::string& path, const Bytes& bytes) {
  const std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

struct HostilePicture {
  const char* name;
  void (*make)(const std::string& path);
  // Its own width, when it is shown at all (decoded at 1/8 wherever it is
  // shown in this program); 0 when it is refused.
  int shownWidth;
};

inline void PrintTo(const HostilePicture& h, std::ostream* os) { *os << h.name; }

inline const HostilePicture kHostilePictures[] = {
    // 3.6 billion pixels claimed: refused before a pixel is allocated.
    {"ClaimsBeyondTheBound", [](const std::string& path) { WritePictureFile(path, PictureClaiming(60000, 60000)); }, 0},
    // 100 million claimed, a few hundred bytes of data: shown, mostly grey.
    {"ClaimsAHundredMegapixels",
     [](const std::string& path) { WritePictureFile(path, PictureClaiming(10000, 10000)); }, 10000},
    {"Photograph24Megapixels",
     [](const std::string& path) {
       const std::filesystem::path p(path);
       if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
       ASSERT_TRUE(WritePhotoJpeg(path, 6000, 4000)) << path;
     },
     6000},
};

inline std::string HostilePictureName(const ::testing::TestParamInfo<HostilePicture>& info) { return info.param.name; }

}  // namespace tovrek_test
