// The demo knowledge base the program ships with: every topic runs through
// in Learning, and each question shows its own media.
#include <filesystem>

#include "main/run_support.h"

namespace tovrek_test {
namespace {

namespace fs = std::filesystem;

class DemoRunTest : public RunTest {
 protected:
  void CopyDemo() {
    const fs::path demo = fs::path(TOVREK_SOURCE_DIR) / "demo";
    MakeDirs(SubjectsPath());
    fs::copy(demo / "subjects", SubjectsPath(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    MakeDirs(MediaPath());
    fs::copy(demo / "mediafiles", MediaPath(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
};

TEST_F(DemoRunTest, EveryTopicRunsThroughWithItsMedia) {
  CopyDemo();
  Start();
  tovrek::TForm1& f = F1();
  int topics = 0;
  for (int s = 0; s < f.CbxSubject->ItemCount(); ++s) {
    tk::testing::UserPick(*f.CbxSubject, s);
    for (int t = 0; t < f.CbxTopic->ItemCount(); ++t) {
      SCOPED_TRACE(f.CbxSubject->Text() + " / " + f.CbxTopic->Item(t));
      tk::testing::UserPick(*f.CbxTopic, t);
      ClickStart();
      ASSERT_EQ(StartCaption(), "&Stop");
      const int n = U().Scan.NumberOfQuestions;
      EXPECT_GE(n, 2);
      for (int q = 1; q <= n; ++q) {
        EXPECT_EQ(f.PnlPicture->Caption().find(">  "), std::string::npos) << "question " << q << ": "
                                                                          << f.PnlPicture->Caption();
        EXPECT_TRUE(f.Image1->Visible() || f.MemoMedia->Visible());
        EXPECT_FALSE(f.MemoQuestion->Lines().empty());
        if (q < n) ClickNext();
      }
      ClickStart();
      ++topics;
    }
  }
  EXPECT_EQ(topics, 8);
}

}  // namespace
}  // namespace tovrek_test
