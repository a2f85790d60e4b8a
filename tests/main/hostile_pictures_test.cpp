// Pictures no camera makes for a learner, as the default picture and as a
// question's picture: a header of a few bytes claiming a huge size, and a
// 24-megapixel photograph. Each must come up within the guard's time and
// raise the program's memory by little more than what is shown.
#include <gtest/gtest.h>

#include <string>

#include "appearance/Tovrek_Unit7.h"
#include "knowledge/settings_file.h"
#include "main/run_support.h"
#include "support/hostile_pictures.h"

namespace tovrek_test {
namespace {

// A few megabytes above what is shown (the largest, 1250 x 1250 pixels,
// takes 6 MB); one decode of the photograph at full size would take 96.
constexpr size_t kMaxRise = size_t{16} << 20;

class HostilePictureTest : public RunTest, public ::testing::WithParamInterface<HostilePicture> {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    UseLocalVariant();
  }
  bool Shown() const { return GetParam().shownWidth != 0; }
};

TEST_P(HostilePictureTest, AsTheDefaultPicture) {
  GetParam().make("default.jpg");
  WriteFile("setup/config.ini", knowledge::SettingsBytes(knowledge::DefaultSettingsLines()));
  MakeDirs("setup/pictures");
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  CreateProgram();
  HangGuard guard(3, HangGuard::kDefaultFileBytes, kMaxRise);
  App().ShowMainForm();
  EXPECT_TRUE(TakeErrorReports().empty());
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  for (tk::Image* image : std::initializer_list<tk::Image*>{F1().Image1, P().Form7->Image1}) {
    SCOPED_TRACE(image == F1().Image1 ? "main window" : "preview");
    if (Shown()) {
      EXPECT_EQ(image->PictureWidth(), GetParam().shownWidth);
      EXPECT_EQ(image->DecodedWidth(), GetParam().shownWidth / 8);
    } else {
      EXPECT_NE(image->PictureWidth(), 60000) << "the design's picture stays";
    }
  }
}

TEST_P(HostilePictureTest, AsAQuestionsPicture) {
  GetParam().make(MediaPath() + "/big.jpg");
  Prepare(TopicText({{"1", "big.jpg", "FONT", {"q1"}, {"a1"}}, {"2", "", "FONT", {"q2"}, {"a2"}}}));
  HangGuard guard(3, HangGuard::kDefaultFileBytes, kMaxRise);
  ClickStart();
  tovrek::TForm1& f = F1();
  if (Shown()) {
    EXPECT_EQ(f.PnlPicture->Caption(), "");
    EXPECT_TRUE(f.Image1->Visible());
    EXPECT_EQ(f.Image1->PictureWidth(), GetParam().shownWidth);
    EXPECT_EQ(f.Image1->DecodedWidth(), GetParam().shownWidth / 8);
  } else {
    EXPECT_EQ(f.PnlPicture->Caption(), "< BIG.JPG >  invalid");
    EXPECT_FALSE(f.Image1->Visible());
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, HostilePictureTest, ::testing::ValuesIn(kHostilePictures), HostilePictureName);

}  // namespace
}  // namespace tovrek_test
