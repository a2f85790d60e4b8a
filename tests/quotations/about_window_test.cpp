// The About window as a learner meets it: the introduction and the history
// in turn, Esc, the memos handing the focus back, the links and the cursor.
#include "platform/shell.h"
#include "quotations/Tovrek_Unit4.h"
#include "quotations/about_texts.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;
using tovrek::TForm4;

class AboutWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    plat::SetShellLauncherForTests([this](const std::vector<std::string>& argv, const std::string&) {
      launched.push_back(argv);
      return launcherErrno;
    });
    WriteTopic("Maths", "Sums", SimpleTopic(3));
    Start();
  }
  void TearDown() override {
    plat::SetShellLauncherForTests(nullptr);
    ProgramTest::TearDown();
  }

  // Clicks "&About" and runs `act` while the window is up.
  void WithAbout(std::function<void(TForm4&)> act) {
    Answer("Form4", [act](tk::Form& f) { act(static_cast<TForm4&>(f)); });
    UserClick(*F1().BtnAbout);
  }
  static std::string Focused(TForm4& a) { return a.ActiveControl() == nullptr ? "" : a.ActiveControl()->Name(); }
  static void ExpectIntroduction(TForm4& a) {
    EXPECT_EQ(a.LblAbout->Caption(), "ABOUT TOVREK");
    EXPECT_EQ(a.BtnVersion->Caption(), "&History");
    EXPECT_EQ(a.Memo1->Lines(), tovrek::kIntroduction);
    EXPECT_EQ(a.Memo1->GetFont().Size(), 10);
    EXPECT_EQ(a.Memo1->GetScrollBars(), tk::ScrollBars::None);
    EXPECT_TRUE(a.Memo1->Visible());
  }
  static void ExpectHistory(TForm4& a) {
    EXPECT_EQ(a.LblAbout->Caption(), "VERSION HISTORY");
    EXPECT_EQ(a.BtnVersion->Caption(), "&About");
    EXPECT_EQ(a.Memo1->Lines(), tovrek::kVersionHistory);
    EXPECT_EQ(a.Memo1->GetFont().Size(), 8);
    EXPECT_EQ(a.Memo1->GetScrollBars(), tk::ScrollBars::Vertical);
    EXPECT_TRUE(a.Memo1->Visible());
    EXPECT_EQ(tk::testing::ShownTopLine(*a.Memo1), 0);
  }

  std::vector<std::vector<std::string>> launched;
  int launcherErrno = 0;
};

TEST_F(AboutWindowTest, FirstShowingThenTheHistoryAndBackAndReopenedAsLeft) {
  WithAbout([&](TForm4& a) {
    EXPECT_TRUE(F1().Visible());
    ExpectIntroduction(a);
    EXPECT_EQ(Focused(a), "BtnClose");
    // Set by the main window's activation; right-justified at 623.
    EXPECT_EQ(a.LblBuildTovrek->Caption(), "TOVREK: Build 0021 [03 Jan 16]");
    EXPECT_EQ(a.LblBuildEdit->Caption(), "EDIT: Build 0013 [26 Oct 14]");
    for (tk::Label* l : {a.LblBuildTovrek, a.LblBuildEdit}) EXPECT_EQ(l->Left() + l->Width(), 623) << l->Name();
    EXPECT_EQ(a.Memo2->Lines(), tovrek::kSourceListing);
    EXPECT_EQ(a.Label5->Caption(), "author@example.org");
    EXPECT_EQ(a.Label6->Caption(), "tovrek.example.org");
    for (tk::Image* i : {a.Image4, a.Image5, a.Image6}) {
      EXPECT_TRUE(i->HasPicture()) << i->Name();
      EXPECT_EQ(i->PictureWidth(), 75);
      EXPECT_EQ(i->PictureHeight(), 75);
    }

    // Scrolled down on the history, the next toggle still starts at its top.
    UserClick(*a.BtnVersion);
    ExpectHistory(a);
    UserClick(*a.BtnVersion);
    ExpectIntroduction(a);
    UserClick(*a.BtnVersion);
    UserClick(*a.BtnClose);
  });
  // Nothing is reset between showings.
  WithAbout([&](TForm4& a) {
    ExpectHistory(a);
    UserClick(*a.BtnVersion);
    ExpectIntroduction(a);
    UserClick(*a.BtnClose);
  });
  EXPECT_EQ(App().ActiveForm(), &F1());
}

class AboutEscTest : public AboutWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(AboutEscTest, EscClosesFromEitherButtonAndAfterAClickInAMemo) {
  const std::string from = GetParam();
  bool closed = false;
  WithAbout([&](TForm4& a) {
    if (from == "Ok") a.BtnClose->SetFocus();
    if (from == "History") a.BtnVersion->SetFocus();
    if (from == "IntroductionMemo") UserClick(*a.Memo1);
    if (from == "SourceMemo") UserClick(*a.Memo2);
    if (from == "History") {
      EXPECT_EQ(Focused(a), "BtnVersion");
    } else {
      // A click in a memo hands the focus back to "&Ok".
      EXPECT_EQ(Focused(a), "BtnClose");
    }
    tk::testing::UserKey(App(), tk::vk::Escape, tk::ShiftState{false, from == "SourceMemo", false});
    closed = !a.Visible() || a.CloseRequested();
    if (!closed) a.Close();
  });
  EXPECT_TRUE(closed);
  EXPECT_TRUE(F1().Visible());
}

INSTANTIATE_TEST_SUITE_P(From, AboutEscTest, ::testing::Values("Ok", "History", "IntroductionMemo", "SourceMemo"));

TEST_F(AboutWindowTest, LinksGoThroughTheShellAndStayPurple) {
  WithAbout([&](TForm4& a) {
    EXPECT_EQ(a.Label5->GetFont().FontColor, tk::clBlue);
    UserClick(*a.Label5);
    EXPECT_EQ(F1().FileRun1->FileName, "mailto: author@example.org");
    EXPECT_EQ(a.Label5->GetFont().FontColor, tk::clPurple);
    EXPECT_EQ(a.Label6->GetFont().FontColor, tk::clBlue);
    UserClick(*a.Label6);
    EXPECT_EQ(F1().FileRun1->FileName, "http://tovrek.example.org");
    EXPECT_EQ(a.Label6->GetFont().FontColor, tk::clPurple);
    UserClick(*a.BtnClose);
  });
  ASSERT_EQ(launched.size(), 2u);
  EXPECT_EQ(launched[0], (std::vector<std::string>{"xdg-open", "mailto:author@example.org"}));
  EXPECT_EQ(launched[1], (std::vector<std::string>{"xdg-open", "http://tovrek.example.org"}));
  WithAbout([&](TForm4& a) {
    EXPECT_EQ(a.Label5->GetFont().FontColor, tk::clPurple);
    EXPECT_EQ(a.Label6->GetFont().FontColor, tk::clPurple);
    UserClick(*a.BtnClose);
  });
}

TEST_F(AboutWindowTest, ALinkTheShellCannotOpenIsReportedAndTheWindowStays) {
  launcherErrno = ENOENT;
  WithAbout([&](TForm4& a) {
    UserClick(*a.Label6);
    EXPECT_TRUE(a.Visible());
    EXPECT_EQ(a.Label6->GetFont().FontColor, tk::clPurple);
    UserClick(*a.BtnClose);
  });
  const std::vector<std::string> reports = TakeErrorReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("no application associated"), std::string::npos) << reports[0];
}

TEST_F(AboutWindowTest, TheWindowShowsTheHandWhileThePointerIsOverALink) {
  WithAbout([&](TForm4& a) {
    for (tk::Label* link : {a.Label5, a.Label6}) {
      tk::testing::UserPointerEnter(*link);
      EXPECT_EQ(a.GetCursor(), tk::Cursor::HandPoint) << link->Name();
      EXPECT_EQ(tk::testing::PointerShape(*link), tk::Cursor::HandPoint);
      // The label keeps the default cursor of its own.
      EXPECT_EQ(link->GetCursor(), tk::Cursor::Default);
      tk::testing::UserPointerLeave(*link);
      EXPECT_EQ(a.GetCursor(), tk::Cursor::Default);
      EXPECT_EQ(tk::testing::PointerShape(*link), tk::Cursor::Default);
    }
    UserClick(*a.BtnClose);
  });
}

// Every line of the introduction fits the memo's width unwrapped.
TEST_F(AboutWindowTest, TheIntroductionFitsTheMemoWithoutWrapping) {
  TForm4& a = *P().Form4;
  ASSERT_EQ(tovrek::kIntroduction.size(), 13u);
  EXPECT_EQ(tovrek::kVersionHistory.size(), 128u);
  EXPECT_EQ(tovrek::kSourceListing.size(), 84u);
  // The memo's frame and the text's margins on both sides.
  const int room = a.Memo1->Width() - 2 * 6;
  for (const std::string& line : tovrek::kIntroduction)
    EXPECT_LE(tk::testing::TextWidth(a.Memo1->GetFont(), line), room) << line;
  // The history's newest notes match the build labels.
  EXPECT_EQ(tovrek::kVersionHistory[1].rfind("TOVREK [Build 0021]: ", 0), 0u);
  bool editNoteSeen = false;
  for (const std::string& line : tovrek::kVersionHistory) {
    if (line.rfind("EDIT [Build ", 0) != 0) continue;
    EXPECT_EQ(line.rfind("EDIT [Build 0013]: ", 0), 0u) << "the newest editor note is " << line;
    editNoteSeen = true;
    break;
  }
  EXPECT_TRUE(editNoteSeen);
}

}  // namespace
}  // namespace tovrek_test
