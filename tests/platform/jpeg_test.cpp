#include "platform/jpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/files.h"
#include "support/jpeg_maker.h"
#include "support/temp_folder.h"

namespace {

using tovrek_test::Bytes;
using tovrek_test::Compress;

// Left half one colour, right half another.
Bytes TwoHalves(int width, int height, const Bytes& left, const Bytes& right) {
  Bytes samples;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      samples.insert(samples.end(), (x < width / 2 ? left : right).begin(), (x < width / 2 ? left : right).end());
  return samples;
}

void ExpectPixelNear(const plat::RgbImage& image, int x, int y, int r, int g, int b, const char* label) {
  const size_t at = (static_cast<size_t>(y) * image.width + x) * 3;
  ASSERT_LT(at + 2, image.pixels.size()) << label;
  EXPECT_NEAR(image.pixels[at], r, 12) << label << " red at " << x << "," << y;
  EXPECT_NEAR(image.pixels[at + 1], g, 12) << label << " green at " << x << "," << y;
  EXPECT_NEAR(image.pixels[at + 2], b, 12) << label << " blue at " << x << "," << y;
}

TEST(JpegTest, DecodesRgb) {
  const Bytes jpeg = Compress(32, 16, JCS_RGB, 3, TwoHalves(32, 16, {255, 0, 0}, {0, 0, 255}));
  const plat::RgbImage image = plat::DecodeJpegBytes(jpeg.data(), jpeg.size());
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.height, 16);
  ASSERT_EQ(image.pixels.size(), 32u * 16u * 3u);
  ExpectPixelNear(image, 4, 8, 255, 0, 0, "rgb");
  ExpectPixelNear(image, 27, 8, 0, 0, 255, "rgb");
}

TEST(JpegTest, DecodesGrayscaleToRgb) {
  Bytes samples;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) samples.push_back(y < 8 ? 40 : 200);
  const Bytes jpeg = Compress(16, 16, JCS_GRAYSCALE, 1, samples);
  const plat::RgbImage image = plat::DecodeJpegBytes(jpeg.data(), jpeg.size());
  ASSERT_EQ(image.pixels.size(), 16u * 16u * 3u);
  ExpectPixelNear(image, 5, 2, 40, 40, 40, "gray");
  ExpectPixelNear(image, 5, 13, 200, 200, 200, "gray");
  for (size_t i = 0; i < image.pixels.size(); i += 3) {
    ASSERT_EQ(image.pixels[i], image.pixels[i + 1]);
    ASSERT_EQ(image.pixels[i], image.pixels[i + 2]);
  }
}

// libjpeg writes an Adobe marker for CMYK; such files hold the inks
// inverted (255 = no ink), as Adobe's programs write them.
TEST(JpegTest, DecodesCmykAndYcck) {
  const Bytes cyanInk = {0, 255, 255, 255};  // full cyan, no other ink
  const Bytes blackInk = {255, 255, 255, 0};
  for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
    const char* label = stored == JCS_CMYK ? "cmyk" : "ycck";
    const Bytes jpeg = Compress(32, 16, JCS_CMYK, 4, TwoHalves(32, 16, cyanInk, blackInk), stored, 100);
    const plat::RgbImage image = plat::DecodeJpegBytes(jpeg.data(), jpeg.size());
    ASSERT_EQ(image.pixels.size(), 32u * 16u * 3u) << label;
    ExpectPixelNear(image, 4, 8, 0, 255, 255, label);
    ExpectPixelNear(image, 27, 8, 0, 0, 0, label);
  }
}

class JpegFileTest : public tovrek_test::TempFolderTest {
 protected:
  static void WriteFile(const std::string& path, const Bytes& bytes) {
    WriteBytes(path, std::string(bytes.begin(), bytes.end()));
  }

  // Noise, so that the scan data are long and a cut falls inside them.
  static Bytes NoisyJpeg() {
    Bytes samples;
    uint32_t state = 1;
    for (int i = 0; i < 64 * 64 * 3; ++i) {
      state = state * 1103515245u + 12345u;
      samples.push_back(static_cast<uint8_t>(state >> 24));
    }
    return Compress(64, 64, JCS_RGB, 3, samples);
  }

  static std::string ErrorOf(const std::string& path) {
    try {
      plat::DecodeJpegFile(path);
    } catch (const plat::PictureError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(JpegFileTest, DecodesAFileByProgramPath) {
  MakeDirs("mediafiles");
  WriteFile("mediafiles/pic.jpg", NoisyJpeg());
  const plat::RgbImage image = plat::DecodeJpegFile("MediaFiles\\PIC.JPG");
  EXPECT_EQ(image.width, 64);
  EXPECT_EQ(image.height, 64);
}

TEST_F(JpegFileTest, BadFilesThrowNamingTheFile) {
  const Bytes good = NoisyJpeg();
  WriteFile("cut.jpg", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)));
  WriteFile("header.jpg", Bytes(good.begin(), good.begin() + 20));
  WriteBytes("text.jpg", "this is not a picture\r\n");
  WriteBytes("empty.jpg", "");
  for (const char* name : {"cut.jpg", "header.jpg", "text.jpg", "empty.jpg", "missing.jpg"}) {
    const std::string message = ErrorOf(name);
    EXPECT_NE(message.find(name), std::string::npos) << name << ": " << message;
  }
}

// Not a file one can read to its end: refused at once, never read.
TEST_F(JpegFileTest, PipesAndDevicesAreRefusedWithoutBlocking) {
  tovrek_test::HangGuard guard;
  MakeFifo("pipe.jpg");
  MakeLink("/dev/zero", "zero.jpg");
  MakeDirs("folder.jpg");
  for (const char* name : {"pipe.jpg", "zero.jpg", "folder.jpg"}) {
    const std::string message = ErrorOf(name);
    EXPECT_EQ(message, std::string("Cannot open the picture ") + name);
  }
}

// Rows for the screen's 32-bit pixels, each row padded so a decoder that
// ignores the stride shows; the padding must stay untouched.
class PaddedTarget : public plat::Rgb32Target {
 public:
  static constexpr uint32_t kPad = 0x12345678u;
  explicit PaddedTarget(bool refuse = false) : refuse_(refuse) {}
  uint32_t* Allocate(int width, int height, size_t& stride) override {
    ++calls;
    if (refuse_) return nullptr;
    this->width = width;
    this->height = height;
    words = static_cast<size_t>(width) + 3;
    pixels.assign(words * static_cast<size_t>(height), kPad);
    stride = words * 4;
    return pixels.data();
  }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * words + static_cast<size_t>(x)]; }
  int width = 0, height = 0, calls = 0;
  size_t words = 0;
  std::vector<uint32_t> pixels;

 private:
  bool refuse_;
};

// The screen form holds exactly the RGB form's values, as 0xFFRRGGBB.
TEST(JpegBytesTest, ScreenPixelsMatchTheRgbDecodeInEveryColourSpace) {
  Bytes noise;
  uint32_t state = 7;
  for (int i = 0; i < 24 * 20 * 4; ++i) {
    state = state * 1103515245u + 12345u;
    noise.push_back(static_cast<uint8_t>(state >> 24));
  }
  const struct {
    const char* label;
    Bytes jpeg;
  } cases[] = {
      {"rgb", Compress(24, 20, JCS_RGB, 3, Bytes(noise.begin(), noise.begin() + 24 * 20 * 3))},
      {"gray", Compress(24, 20, JCS_GRAYSCALE, 1, Bytes(noise.begin(), noise.begin() + 24 * 20))},
      {"cmyk", Compress(24, 20, JCS_CMYK, 4, noise, JCS_CMYK, 100)},
      {"ycck", Compress(24, 20, JCS_CMYK, 4, noise, JCS_YCCK, 100)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const plat::RgbImage rgb = plat::DecodeJpegBytes(c.jpeg.data(), c.jpeg.size());
    PaddedTarget target;
    plat::DecodeJpegBytes(c.jpeg.data(), c.jpeg.size(), target);
    ASSERT_EQ(target.calls, 1);
    ASSERT_EQ(target.width, rgb.width);
    ASSERT_EQ(target.height, rgb.height);
    for (int y = 0; y < rgb.height; ++y) {
      for (int x = 0; x < rgb.width; ++x) {
        const uint8_t* p = rgb.pixels.data() + (static_cast<size_t>(y) * rgb.width + x) * 3;
        const uint32_t want = 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
        ASSERT_EQ(target.At(x, y), want) << "at " << x << "," << y;
      }
      for (int x = rgb.width; x < rgb.width + 3; ++x) ASSERT_EQ(target.At(x, y), PaddedTarget::kPad) << "padding";
    }
  }
}

TEST(JpegBytesTest, ScreenDecodeErrorsThrow) {
  const Bytes jpeg = Compress(32, 16, JCS_RGB, 3, TwoHalves(32, 16, {255, 0, 0}, {0, 0, 255}));
  PaddedTarget refusing(true);
  EXPECT_THROW(plat::DecodeJpegBytes(jpeg.data(), jpeg.size(), refusing), plat::PictureError) << "no memory";
  PaddedTarget target;
  EXPECT_THROW(plat::DecodeJpegBytes(jpeg.data(), jpeg.size() / 2, target), plat::PictureError) << "cut short";
  const uint8_t garbage[] = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34};
  PaddedTarget untouched;
  EXPECT_THROW(plat::DecodeJpegBytes(garbage, sizeof garbage, untouched), plat::PictureError);
  EXPECT_EQ(untouched.calls, 0);
}

TEST(JpegBytesTest, GarbageThrows) {
  const uint8_t garbage[] = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34};
  EXPECT_THROW(plat::DecodeJpegBytes(garbage, sizeof garbage), plat::PictureError);
  EXPECT_THROW(plat::DecodeJpegBytes(nullptr, 0), plat::PictureError);
}

// --- Scaled decoding and the bounds ------------------------------------------

// The offset of the frame header's height (then the width), walking the
// markers up to the first scan.
size_t FrameSizeAt(const Bytes& jpeg) {
  size_t at = 2;
  while (at + 9 < jpeg.size() && jpeg[at] == 0xFF) {
    const uint8_t marker = jpeg[at + 1];
    if (marker >= 0xC0 && marker <= 0xC2) return at + 5;
    at += 2 + ((size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
  }
  ADD_FAILURE() << "no frame header";
  return 0;
}

// The same bytes, claiming another size: a trap of a few hundred bytes.
Bytes ClaimingSize(Bytes jpeg, unsigned width, unsigned height) {
  const size_t at = FrameSizeAt(jpeg);
  jpeg[at] = static_cast<uint8_t>(height >> 8);
  jpeg[at + 1] = static_cast<uint8_t>(height);
  jpeg[at + 2] = static_cast<uint8_t>(width >> 8);
  jpeg[at + 3] = static_cast<uint8_t>(width);
  return jpeg;
}

Bytes ProgressiveJpeg(int width, int height) {
  const std::string path = "/tmp/tovrek-progressive-" + std::to_string(getpid()) + ".jpg";
  EXPECT_TRUE(tovrek_test::WritePhotoJpeg(path, width, height, true));
  std::FILE* f = std::fopen(path.c_str(), "rb");
  Bytes bytes;
  for (int c; f != nullptr && (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<uint8_t>(c));
  if (f != nullptr) std::fclose(f);
  std::remove(path.c_str());
  return bytes;
}

bool NearWord(uint32_t word, uint32_t rgb) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((word >> shift) & 0xFF) - static_cast<int>((rgb >> shift) & 0xFF)) > 12) return false;
  return true;
}

// Each picture decodes at the smallest n/8 that covers the area asked for,
// and says its own size whatever the scale; a picture never grows.
TEST(JpegScaleTest, DecodesAtTheSmallestScaleThatCoversTheArea) {
  const Bytes jpeg = Compress(64, 48, JCS_RGB, 3, TwoHalves(64, 48, {255, 0, 0}, {0, 0, 255}));
  const struct {
    plat::PictureSize cover;
    int width, height;
  } cases[] = {
      {{0, 0}, 64, 48},    {{8, 6}, 8, 6},       {{1, 1}, 8, 6},    {{9, 6}, 16, 12},   {{40, 30}, 40, 30},
      {{41, 30}, 48, 36},  {{64, 48}, 64, 48},   {{65, 10}, 64, 48}, {{8, 100}, 64, 48}, {{500, 500}, 64, 48},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "cover " << c.cover.width << "x" << c.cover.height);
    PaddedTarget target;
    const plat::PictureSize own = plat::DecodeJpegBytes(jpeg.data(), jpeg.size(), target, c.cover);
    EXPECT_EQ(own, (plat::PictureSize{64, 48}));
    EXPECT_EQ(target.width, c.width);
    EXPECT_EQ(target.height, c.height);
    // Still the picture: red on the left, blue on the right.
    EXPECT_TRUE(NearWord(target.At(0, target.height / 2), 0xFF0000)) << std::hex << target.At(0, target.height / 2);
    EXPECT_TRUE(NearWord(target.At(target.width - 1, target.height / 2), 0x0000FF));
  }
}

// What a picture may claim is checked before a pixel is allocated: its own
// size, the pixels at the scale chosen, and libjpeg's memory for the
// coefficients of a progressive picture.
TEST(JpegScaleTest, PicturesBeyondTheBoundsAreRefusedBeforeAnyPixelIsAllocated) {
  const Bytes small = Compress(32, 16, JCS_RGB, 3, TwoHalves(32, 16, {255, 0, 0}, {0, 0, 255}));
  const Bytes progressive = ProgressiveJpeg(64, 64);
  const struct {
    const char* label;
    Bytes jpeg;
    plat::PictureSize cover;
  } cases[] = {
      {"60000 x 60000, any scale", ClaimingSize(small, 60000, 60000), {8, 8}},
      {"10001 x 10000, just over the pixel bound", ClaimingSize(small, 10001, 10000), {8, 8}},
      {"65000 x 1500 at full size: 390 MB of pixels", ClaimingSize(small, 65000, 1500), {0, 0}},
      {"progressive 9000 x 9000: 243 MB of coefficients", ClaimingSize(progressive, 9000, 9000), {8, 8}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    PaddedTarget target;
    EXPECT_THROW(plat::DecodeJpegBytes(c.jpeg.data(), c.jpeg.size(), target, c.cover), plat::PictureTooLargeError);
    EXPECT_EQ(target.calls, 0);
  }
  // Within the bounds such a claim is no more than a damaged picture: shown
  // as far as its data go, at the scale the area needs.
  for (const auto& [jpeg, width] : {std::pair{ClaimingSize(small, 10000, 10000), 10000},
                                    std::pair{ClaimingSize(progressive, 6000, 4000), 6000}}) {
    PaddedTarget target;
    try {
      plat::DecodeJpegBytes(jpeg.data(), jpeg.size(), target, {440, 260});
    } catch (const plat::PictureTooLargeError& e) {
      ADD_FAILURE() << e.what();
    } catch (const plat::PictureError&) {
    }
    EXPECT_EQ(target.width, width / 8) << "decoded at 1/8";
  }
}

// Every scan passes over the whole picture: a file that repeats one scan
// many times is refused once it passes the bound, however small it is.
TEST(JpegScaleTest, ManyScansAreRefused) {
  const Bytes progressive = ProgressiveJpeg(64, 64);
  size_t lastScan = 0;
  int scans = 0;
  for (size_t i = 0; i + 1 < progressive.size(); ++i)
    if (progressive[i] == 0xFF && progressive[i + 1] == 0xDA) lastScan = i, ++scans;
  const Bytes scan(progressive.begin() + static_cast<std::ptrdiff_t>(lastScan), progressive.end() - 2);
  const auto withScans = [&](int total) {
    Bytes jpeg(progressive.begin(), progressive.end() - 2);
    for (int i = scans; i < total; ++i) jpeg.insert(jpeg.end(), scan.begin(), scan.end());
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    return jpeg;
  };
  PaddedTarget atTheBound;
  const Bytes most = withScans(plat::kMaxJpegScans);
  EXPECT_NO_THROW(plat::DecodeJpegBytes(most.data(), most.size(), atTheBound, {64, 64}));
  PaddedTarget beyond;
  const Bytes tooMany = withScans(plat::kMaxJpegScans + 1);
  try {
    plat::DecodeJpegBytes(tooMany.data(), tooMany.size(), beyond, {64, 64});
    ADD_FAILURE() << "decoded";
  } catch (const plat::PictureError& e) {
    EXPECT_NE(std::string(e.what()).find("too many scans"), std::string::npos) << e.what();
  }
}

// Bytes served in small pieces, as a slow file gives them, or failing.
class PieceSource : public plat::ByteSource {
 public:
  PieceSource(Bytes bytes, size_t piece, size_t failAt = SIZE_MAX)
      : bytes_(std::move(bytes)), piece_(piece), failAt_(failAt) {}
  long Read(uint8_t* buffer, size_t size) override {
    largestAsk = std::max(largestAsk, size);
    if (at_ >= failAt_) return -1;
    const size_t n = std::min({size, piece_, bytes_.size() - at_});
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), n, buffer);
    at_ += n;
    return static_cast<long>(n);
  }
  size_t largestAsk = 0;

 private:
  Bytes bytes_;
  size_t piece_, failAt_, at_ = 0;
};

TEST(JpegCheckTest, ReadsInBlocksAndTellsAFailedReadFromABadPicture) {
  Bytes noise;
  uint32_t state = 3;
  for (int i = 0; i < 200 * 100 * 3; ++i)
    noise.push_back(static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 24));
  const Bytes jpeg = Compress(200, 100, JCS_RGB, 3, noise);
  PieceSource whole(jpeg, 7);
  EXPECT_NO_THROW(plat::CheckJpeg(whole, "whole.jpg"));
  EXPECT_LE(whole.largestAsk, size_t{64} << 10) << "a block at a time";

  PieceSource cut(Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2)), 4096);
  try {
    plat::CheckJpeg(cut, "cut.jpg");
    ADD_FAILURE() << "a cut picture passed";
  } catch (const plat::PictureReadError&) {
    ADD_FAILURE() << "a cut picture is no read error";
  } catch (const plat::PictureError& e) {
    EXPECT_NE(std::string(e.what()).find("cut.jpg"), std::string::npos);
  }
  PieceSource failing(jpeg, 4096, jpeg.size() / 2);
  EXPECT_THROW(plat::CheckJpeg(failing, "failing.jpg"), plat::PictureReadError);
  PieceSource trap(ClaimingSize(jpeg, 20000, 20000), 4096);
  EXPECT_THROW(plat::CheckJpeg(trap, "trap.jpg"), plat::PictureTooLargeError);
}

TEST(BitmapSizeTest, ReadsTheSizeFromEitherHeader) {
  const auto head = [](uint32_t infoSize, int64_t width, int64_t height, const char* magic = "BM") {
    Bytes b(26, 0);
    b[0] = static_cast<uint8_t>(magic[0]);
    b[1] = static_cast<uint8_t>(magic[1]);
    for (int i = 0; i < 4; ++i) b[14 + i] = static_cast<uint8_t>(infoSize >> (8 * i));
    const int bytes = infoSize == 12 ? 2 : 4;
    for (int i = 0; i < bytes; ++i) {
      b[18 + i] = static_cast<uint8_t>(static_cast<uint64_t>(width) >> (8 * i));
      b[18 + bytes + i] = static_cast<uint8_t>(static_cast<uint64_t>(height) >> (8 * i));
    }
    return b;
  };
  const struct {
    const char* label;
    Bytes bytes;
    std::optional<plat::PictureSize> size;
  } cases[] = {
      {"Windows header", head(40, 640, 480), plat::PictureSize{640, 480}},
      {"rows top-down", head(40, 640, -480), plat::PictureSize{640, 480}},
      {"newest header", head(124, 30000, 30000), plat::PictureSize{30000, 30000}},
      {"OS/2 header", head(12, 300, 200), plat::PictureSize{300, 200}},
      {"no width", head(40, 0, 480), std::nullopt},
      {"negative width", head(40, -5, 480), std::nullopt},
      {"unknown header", head(7, 640, 480), std::nullopt},
      {"not a bitmap", head(40, 640, 480, "PK"), std::nullopt},
      {"too short", Bytes{'B', 'M', 0, 0}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(plat::BitmapSize(c.bytes.data(), c.bytes.size()), c.size) << c.label;
}

}  // namespace
