#include "platform/jpeg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

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

}  // namespace
