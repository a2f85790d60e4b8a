// Pictures: loading by extension, failures that keep the old picture, and
// where a picture is drawn in each display mode.
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/jpeg.h"
#include "support/jpeg_maker.h"
#include "toolkit_fixture.h"

namespace {

using tk_test::NearRgb;
using tk_test::TestForm;
using tk_test::ToolkitTest;

using tovrek_test::Bytes;
using tovrek_test::Compress;
using tovrek_test::SolidBmp;
using tovrek_test::SolidJpeg;

class ImageTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    previous_ = std::filesystem::current_path();
    char pattern[] = "/tmp/tovrek-toolkit-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    std::filesystem::current_path(folder_);
    form = ShowMain(R"(form Main
  ClientSize = 220, 120
  Color = White
  image Image1
    Bounds = 10, 10, 100, 50
  end
end
)");
    image = form->Get<tk::Image>("Image1");
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
    ToolkitTest::TearDown();
  }
  static void Write(const std::string& name, const Bytes& bytes) {
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  struct Rect {
    int x, y, w, h;
    bool operator==(const Rect&) const = default;
  };
  Rect Drawn() const {
    Rect r{};
    image->DrawRect(r.x, r.y, r.w, r.h);
    return r;
  }

  TestForm* form = nullptr;
  tk::Image* image = nullptr;

 private:
  std::filesystem::path previous_, folder_;
};


TEST_F(ImageTest, LoadsPicturesByTheirExtension) {
  struct Case {
    const char* file;
    Bytes bytes;
    int w, h;
  };
  const Case cases[] = {
      {"photo.JPG", SolidJpeg(40, 30, 255, 0, 0), 40, 30},
      {"photo2.jpg", SolidJpeg(16, 8, 0, 0, 255), 16, 8},
      {"photo3.Jpeg", SolidJpeg(9, 9, 0, 255, 0), 9, 9},
      {"glyph.BMP", SolidBmp(7, 5, 0, 128, 0), 7, 5},
      {"glyph2.bmp", SolidBmp(3, 3, 255, 255, 0), 3, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Write(c.file, c.bytes);
    image->LoadFromFile(c.file);
    EXPECT_TRUE(image->HasPicture());
    EXPECT_EQ(image->PictureWidth(), c.w);
    EXPECT_EQ(image->PictureHeight(), c.h);
  }
}

// Names come from folder listings as 8-bit bytes, which need not be UTF-8.
TEST_F(ImageTest, PicturesWhoseNamesAreNotUtf8Load) {
  struct Case {
    const char* file;
    Bytes bytes;
    int w;
  };
  const Case cases[] = {
      {"Bild\xE4.bmp", SolidBmp(6, 4, 0, 0, 255), 6},
      {"caf\xE9\x80.BMP", SolidBmp(5, 4, 0, 0, 255), 5},
      {"Bild\xE4.jpg", SolidJpeg(8, 4, 0, 0, 255), 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Write(c.file, c.bytes);
    image->ClearPicture();
    EXPECT_NO_THROW(image->LoadFromFile(c.file));
    EXPECT_EQ(image->PictureWidth(), c.w);
  }
}

TEST_F(ImageTest, ABadPictureThrowsAndKeepsTheOldOne) {
  Write("good.jpg", SolidJpeg(40, 30, 255, 0, 0));
  image->LoadFromFile("good.jpg");
  Write("broken.jpg", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
  Write("broken.bmp", Bytes{'B', 'M', 1, 2, 3});
  Write("picture.png", SolidJpeg(4, 4, 0, 0, 0));
  Write("noext", SolidJpeg(4, 4, 0, 0, 0));
  for (const char* bad : {"missing.jpg", "missing.bmp", "broken.jpg", "broken.bmp", "picture.png", "noext"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(image->LoadFromFile(bad), plat::PictureError);
    EXPECT_TRUE(image->HasPicture());
    EXPECT_EQ(image->PictureWidth(), 40) << "the old picture stays";
  }
  EXPECT_TRUE(NearRgb(tk::testing::PixelAt(*form, 30, 20), 0xFF0000, 40)) << "and is still shown";
}

TEST_F(ImageTest, DrawRectForEachDisplayMode) {
  // The area is 100 x 50.
  struct Case {
    const char* name;
    int pw, ph;
    bool stretch, proportional, center;
    Rect drawn;
  };
  const Case cases[] = {
      {"small, plain", 40, 20, false, false, false, {0, 0, 40, 20}},
      {"small, centred", 40, 20, false, false, true, {30, 15, 40, 20}},
      {"small, proportional: own size", 40, 20, false, true, false, {0, 0, 40, 20}},
      {"small, proportional, centred", 40, 20, false, true, true, {30, 15, 40, 20}},
      {"small, stretched: fills", 40, 20, true, false, false, {0, 0, 100, 50}},
      {"small, stretched proportionally", 40, 10, true, true, true, {0, 12, 100, 25}},
      {"wide and large, proportional", 400, 100, false, true, false, {0, 0, 100, 25}},
      {"wide and large, proportional, centred", 400, 100, false, true, true, {0, 12, 100, 25}},
      {"tall and large, proportional, centred", 60, 300, false, true, true, {45, 0, 10, 50}},
      {"large, plain: cut off", 400, 100, false, false, false, {0, 0, 400, 100}},
      {"large, centred: cut off evenly", 300, 150, false, false, true, {-100, -50, 300, 150}},
      {"large, stretched", 400, 100, true, false, false, {0, 0, 100, 50}},
      {"square, larger, proportional", 200, 200, false, true, true, {25, 0, 50, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "p" + to_string(...).
    std::string file = "p";
    file += std::to_string(c.pw);
    file += "x";
    file += std::to_string(c.ph);
    file += ".bmp";
    Write(file, SolidBmp(c.pw, c.ph, 255, 0, 0));
    image->LoadFromFile(file);
    image->SetStretch(c.stretch);
    image->SetProportional(c.proportional);
    image->SetCenter(c.center);
    const Rect r = Drawn();
    EXPECT_EQ(r.x, c.drawn.x);
    EXPECT_EQ(r.y, c.drawn.y);
    EXPECT_EQ(r.w, c.drawn.w);
    EXPECT_EQ(r.h, c.drawn.h);
  }
}

TEST_F(ImageTest, ThePictureRendersWhereDrawRectSays) {
  Write("red.jpg", SolidJpeg(20, 10, 255, 0, 0));
  image->LoadFromFile("red.jpg");
  // Image1 is at 10, 10 and 100 x 50 on a white form.
  auto r = tk::testing::Render(*form);
  EXPECT_TRUE(NearRgb(r.At(15, 15), 0xFF0000, 40)) << std::hex << r.At(15, 15);
  EXPECT_EQ(r.At(105, 55), 0xFFFFFFu) << "own size: the rest of the area is empty";
  image->SetStretch(true);
  r = tk::testing::Render(*form);
  EXPECT_TRUE(NearRgb(r.At(105, 55), 0xFF0000, 40)) << "stretched: it fills the area";
  EXPECT_EQ(r.At(115, 30), 0xFFFFFFu) << "and nothing beyond";
  image->ClearPicture();
  EXPECT_FALSE(image->HasPicture());
  EXPECT_EQ(tk::testing::PixelAt(*form, 15, 15), 0xFFFFFFu);
}

// Red on the left half, blue on the right.
Bytes RedBlueJpeg(int width, int height) {
  Bytes samples;
  samples.reserve(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      samples.insert(samples.end(), {static_cast<uint8_t>(x < width / 2 ? 255 : 0), 0,
                                     static_cast<uint8_t>(x < width / 2 ? 0 : 255)});
  return Compress(width, height, JCS_RGB, 3, samples);
}

// A picture larger than the area is decoded no larger than needed to cover
// it, yet laid out by its own size, and drawn where and as before.
TEST_F(ImageTest, ALargePictureIsDecodedToCoverItsAreaAndLaidOutByItsOwnSize) {
  Write("wide.jpg", RedBlueJpeg(1600, 800));
  struct Case {
    const char* mode;
    bool stretch, proportional;
    int decodedWidth, decodedHeight;
    Rect drawn;
  } const cases[] = {
      {"proportional", false, true, 200, 100, {0, 0, 100, 50}},
      {"stretched", true, false, 200, 100, {0, 0, 100, 50}},
      {"own size: every pixel", false, false, 1600, 800, {0, 0, 1600, 800}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    image->SetStretch(c.stretch);
    image->SetProportional(c.proportional);
    image->LoadFromFile("wide.jpg");
    EXPECT_EQ(image->PictureWidth(), 1600);
    EXPECT_EQ(image->PictureHeight(), 800);
    EXPECT_EQ(image->DecodedWidth(), c.decodedWidth);
    EXPECT_EQ(image->DecodedHeight(), c.decodedHeight);
    EXPECT_EQ(Drawn(), c.drawn);
  }
  image->SetProportional(true);
  image->LoadFromFile("wide.jpg");
  // Image1 is at 10, 10 and 100 x 50 on a white form.
  const auto r = tk::testing::Render(*form);
  EXPECT_TRUE(NearRgb(r.At(20, 35), 0xFF0000, 40)) << std::hex << r.At(20, 35);
  EXPECT_TRUE(NearRgb(r.At(100, 35), 0x0000FF, 40)) << std::hex << r.At(100, 35);
  EXPECT_EQ(r.At(115, 35), 0xFFFFFFu);

  // Smaller than the area one way: nothing to gain, the whole picture.
  Write("band.jpg", RedBlueJpeg(400, 40));
  image->LoadFromFile("band.jpg");
  EXPECT_EQ(image->DecodedWidth(), 400);
}

// One decode for several controls, covering the largest of their areas.
TEST_F(ImageTest, ASharedPictureIsDecodedOnceForEveryControl) {
  auto* large = form->Create<tk::Image>(nullptr, "Large");
  large->SetBounds(0, 0, 200, 120);
  large->SetStretch(true);
  image->SetProportional(true);
  Write("wide.jpg", RedBlueJpeg(1600, 800));
  const uint64_t before = plat::JpegFileDecodesForTests();
  const tk::SharedPicture picture = tk::SharedPicture::Load("wide.jpg", {image, large});
  image->SetPicture(picture);
  large->SetPicture(picture);
  EXPECT_EQ(plat::JpegFileDecodesForTests() - before, 1u);
  for (tk::Image* i : {image, large}) {
    EXPECT_EQ(i->PictureWidth(), 1600);
    EXPECT_EQ(i->DecodedWidth(), 400) << "2/8 covers 200 x 120";
    EXPECT_EQ(i->DecodedHeight(), 200);
  }
  EXPECT_THROW(tk::SharedPicture::Load("missing.jpg", {image}), plat::PictureError);
}

// A bitmap has no scaled decoding: its header is held against the bound
// before anything is decoded, and a large one is kept scaled down.
TEST_F(ImageTest, BitmapsAreBoundedByTheirHeaderAndKeptSmall) {
  Write("good.jpg", SolidJpeg(40, 30, 255, 0, 0));
  image->SetProportional(true);
  image->LoadFromFile("good.jpg");
  Bytes trap = SolidBmp(2, 2, 0, 0, 255);
  for (int i = 0; i < 4; ++i) {
    trap[18 + i] = static_cast<uint8_t>(30000 >> (8 * i));
    trap[22 + i] = static_cast<uint8_t>(30000 >> (8 * i));
  }
  Write("trap.bmp", trap);
  EXPECT_THROW(image->LoadFromFile("trap.bmp"), plat::PictureTooLargeError);
  EXPECT_EQ(image->PictureWidth(), 40) << "the old picture stays";

  Write("large.bmp", SolidBmp(800, 400, 0, 0, 255));
  image->LoadFromFile("large.bmp");
  EXPECT_EQ(image->PictureWidth(), 800);
  EXPECT_EQ(image->DecodedWidth(), 100);
  EXPECT_EQ(image->DecodedHeight(), 50);
  EXPECT_EQ(Drawn(), (Rect{0, 0, 100, 50}));
  EXPECT_TRUE(NearRgb(tk::testing::PixelAt(*form, 60, 35), 0x0000FF, 8));
}

TEST_F(ToolkitTest, StoredPicturesLoadFromTheProgramsResources) {
  TestForm* f = MakeForm("Main", R"(form Main
  image Image1
    Bounds = 4, 4, 440, 260
    Center = true
    Proportional = true
    Picture = "pictures/main_default.jpg"
  end
end
)");
  auto* img = f->Get<tk::Image>("Image1");
  EXPECT_TRUE(img->HasPicture());
  EXPECT_GT(img->PictureWidth(), 0);
  EXPECT_THROW(MakeForm("Other", "form Other\n  image I\n    Picture = \"pictures/none.jpg\"\n  end\nend\n"),
               tk::LayoutError);
}

}  // namespace
