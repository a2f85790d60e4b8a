// A question on display: format codes, pictures, media texts and the
// messages of the picture area.
#include "main/run_support.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;

class DisplayRunTest : public RunTest {
 protected:
  // Two records: the first with the media and format lines given, the
  // second plain unless told.
  void StartWithMedia(const std::string& media, const std::string& format = "FONT",
                      const std::string& secondMedia = "") {
    Prepare(TopicText({{"1", media, format, {"q1"}, {"a1"}}, {"2", secondMedia, "FONT", {"q2"}, {"a2"}}}));
    ClickStart();
  }
  std::string PictureCaption() { return F1().PnlPicture->Caption(); }
};

TEST_F(DisplayRunTest, FormatCodeSetsTheBoxesAndSwopExchangesTheirStyles) {
  for (bool swop : {false, true}) {
    SCOPED_TRACE(swop);
    if (!swop) {
      Prepare(TopicText({{"1", "", "BBBDCAABBB", {"q"}, {"a"}}, {"2", "", "FONT", {"q"}, {"a"}}}));
    } else {
      UserClick(*F1().ChkSwopQA);
    }
    ClickStart();
    tovrek::TForm1& f = F1();
    EXPECT_EQ(f.MemoMedia->GetFont().Size(), 10);
    EXPECT_EQ(f.MemoMedia->GetFont().Name, "Lucida Console");
    EXPECT_EQ(U().MediaAlignText, "center");
    EXPECT_EQ(U().PictureAspectText, "stretched");
    tk::Memo& question = swop ? *f.MemoAnswer : *f.MemoQuestion;
    tk::Memo& answer = swop ? *f.MemoQuestion : *f.MemoAnswer;
    EXPECT_EQ(question.GetFont().Size(), 14);
    EXPECT_EQ(question.GetFont().Name, "SPIonic");
    EXPECT_EQ(question.GetAlignment(), tk::Alignment::Left);
    EXPECT_EQ(answer.GetFont().Size(), 8);
    EXPECT_EQ(answer.GetFont().Name, "Lucida Console");
    EXPECT_EQ(answer.GetAlignment(), tk::Alignment::Center);
    EXPECT_EQ(f.LblTopic->Caption(), "TOPIC  ...  2  QUESTIONS *");

    // No valid code: the defaults, Arial and left-aligned in all boxes; an
    // empty size slot takes its box's default size.
    ClickNext();
    EXPECT_EQ(f.MemoQuestion->GetFont().Name, "Arial");
    EXPECT_EQ(f.MemoQuestion->GetFont().Size(), 12);
    EXPECT_EQ(f.MemoAnswer->GetAlignment(), tk::Alignment::Left);
    EXPECT_EQ(f.MemoMedia->GetFont().Size(), 10);
    EXPECT_EQ(U().PictureAspectText, "normal");
    ClickStart();
  }
}

// A first start writes no look of its own to the boxes: a question without
// a format code takes the default file's sizes (media text 10, question and
// answer 12) and shows its picture as it is, in either variant.
class FirstStartDefaultsTest : public DisplayRunTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FirstStartDefaultsTest, AQuestionWithoutACodeTakesTheDefaultSizes) {
  if (GetParam()) UseSchoolVariant();
  else UseLocalVariant();
  PutMediaFile("notes.txt", CrLfLines({"a note"}));
  PutPicture("map.jpg");
  Prepare(TopicText({{"1", "notes.txt", "FONT", {"q1"}, {"a1"}}, {"2", "map.jpg", "FONT", {"q2"}, {"a2"}}}));
  ASSERT_EQ(std::filesystem::exists("setup/config.ini"), !School()) << "the default file, written locally only";
  ClickStart();
  tovrek::TForm1& f = F1();
  ASSERT_TRUE(f.MemoMedia->Visible());
  EXPECT_EQ(f.MemoMedia->GetFont().Size(), 10);
  EXPECT_EQ(f.MemoQuestion->GetFont().Size(), 12);
  EXPECT_EQ(f.MemoAnswer->GetFont().Size(), 12);
  ClickNext();
  ASSERT_TRUE(f.Image1->Visible());
  EXPECT_FALSE(f.Image1->Stretch());
  EXPECT_EQ(U().PictureAspectText, "normal");
  EXPECT_EQ(f.MemoQuestion->GetFont().Size(), 12);
  EXPECT_EQ(f.MemoAnswer->GetFont().Size(), 12);
}

INSTANTIATE_TEST_SUITE_P(Variants, FirstStartDefaultsTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "School" : "Local"); });

TEST_F(DisplayRunTest, APictureIsShownAndKeptWhileTheMediaLineStaysTheSame) {
  PutPicture("map.jpg");
  StartWithMedia("map.jpg", "FONT", "map.jpg");
  tovrek::TForm1& f = F1();
  EXPECT_TRUE(f.Image1->Visible());
  EXPECT_TRUE(f.Image1->HasPicture());
  EXPECT_FALSE(f.MemoMedia->Visible());
  EXPECT_EQ(PictureCaption(), "");
  EXPECT_TRUE(f.Image1->Proportional());
  UserClick(*f.Image1);
  EXPECT_TRUE(f.Image1->Stretch());
  ClickNext();
  EXPECT_TRUE(f.Image1->Stretch()) << "the same media line does not reload";
  tk::testing::UserRightClick(*f.Image1);
  EXPECT_TRUE(f.Image1->Proportional());
  EXPECT_FALSE(f.Image1->Stretch());
}

TEST_F(DisplayRunTest, AMissingPictureIsListedAtStartAndNamedInThePictureArea) {
  ExpectProblem();
  StartWithMedia("map.jpg");
  EXPECT_EQ(problems_, std::vector<std::string>{"Media files not found / invalid  ---->"});
  EXPECT_EQ(mediaList_, std::vector<std::string>{"Q1: map.jpg"});
  EXPECT_EQ(StartCaption(), "&Stop") << "the run starts as usual";
  EXPECT_EQ(PictureCaption(), "< MAP.JPG >  not found");
  EXPECT_FALSE(F1().Image1->Visible());
  EXPECT_EQ(F1().PnlPicture->GetFont().Size(), 18);
  EXPECT_EQ(F1().PnlPicture->GetFont().FontColor, tk::clWhite) << "the picture panel is Green, a dark colour";
  EXPECT_EQ(Number(), "1  of  2");
}

struct MessageCase {
  const char* name;
  std::string media;
  std::string caption;
  int size;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class MediaMessageTest : public DisplayRunTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(MediaMessageTest, NamesTheMediaLineInTextSizedByItsLength) {
  const MessageCase& c = GetParam();
  ExpectProblem();
  StartWithMedia(c.media);
  EXPECT_EQ(mediaList_, std::vector<std::string>{"Q1: " + c.media});
  EXPECT_EQ(PictureCaption(), c.caption);
  EXPECT_EQ(F1().PnlPicture->GetFont().Size(), c.size);
  EXPECT_FALSE(F1().Image1->Visible());
  EXPECT_FALSE(F1().MemoMedia->Visible());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MediaMessageTest,
    ::testing::Values(MessageCase{"OtherExtension", "picture.gif", "< PICTURE.GIF >  invalid", 18},
                      MessageCase{"Length18", std::string(14, 'a') + ".jpg", "< " + std::string(14, 'A') + ".JPG >  not found", 18},
                      MessageCase{"Length19", std::string(15, 'a') + ".jpg", "< " + std::string(15, 'A') + ".JPG >  not found", 16},
                      MessageCase{"Length50", std::string(46, 'b') + ".txt", "< " + std::string(46, 'B') + ".TXT >  not found", 10},
                      MessageCase{"Length51", std::string(47, 'b') + ".txt", "< " + std::string(47, 'B') + ".TXT >  not found", 8},
                      // Names that leave the media folder are never looked up.
                      MessageCase{"UpFolder", "..\\default.jpg", "< ..\\DEFAULT.JPG >  invalid", 18},
                      MessageCase{"Absolute", "\\setup\\pictures\\default.jpg", "< \\SETUP\\PICTURES\\DEFAULT.JPG >  invalid", 14}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplayRunTest, AnEmptyMediaLinePassesTheCheckButShowsTheInvalidMessage) {
  StartWithMedia("");
  EXPECT_EQ(PictureCaption(), "<  >  invalid");
}

TEST_F(DisplayRunTest, MediaInAnyCaseShowsTheDefaultPicture) {
  StartWithMedia("Media");
  EXPECT_EQ(PictureCaption(), "");
  EXPECT_TRUE(F1().Image1->Visible());
  EXPECT_TRUE(F1().Image1->Proportional()) << "the configured aspect, not the question's";
}

TEST_F(DisplayRunTest, AMediaTextFillsTheTextBoxAndAClickSwitchesItsAlignment) {
  PutMediaFile("notes.txt", CrLfLines({"first", "", "third"}));
  ExpectProblem();  // gone.txt is listed
  StartWithMedia("notes.txt", "aaaaaaaaaa", "gone.txt");
  tovrek::TForm1& f = F1();
  ASSERT_TRUE(f.MemoMedia->Visible());
  EXPECT_EQ(f.MemoMedia->Lines(), (std::vector<std::string>{"first", "", "third"}));
  EXPECT_EQ(f.MemoMedia->GetAlignment(), tk::Alignment::Left);
  EXPECT_EQ(f.MemoMedia->GetFont().Size(), 8);
  EXPECT_EQ(f.MemoMedia->GetFont().Name, "Arial");
  EXPECT_FALSE(f.Image1->Visible());
  UserClick(*f.MemoMedia);
  EXPECT_EQ(f.MemoMedia->GetAlignment(), tk::Alignment::Center);
  EXPECT_EQ(Focused(), "BtnNext");
  EXPECT_EQ(U().MediaAlignText, "left") << "the decoded alignment is kept for the next text";
  ClickNext();
  EXPECT_FALSE(f.MemoMedia->Visible());
  EXPECT_EQ(PictureCaption(), "< GONE.TXT >  not found");
}

TEST_F(DisplayRunTest, AnUndecodablePictureShowsItsMessageAndTheQuestionStillShows) {
  PutMediaFile("broken.jpg", "this is no JPEG");
  StartWithMedia("broken.jpg");
  EXPECT_EQ(PictureCaption(), "< BROKEN.JPG >  invalid");
  EXPECT_FALSE(F1().Image1->Visible());
  EXPECT_EQ(Number(), "1  of  2");
  EXPECT_EQ(QuestionLines(), std::vector<std::string>{"q1"});
  EXPECT_TRUE(TakeErrorReports().empty()) << "no error report for a damaged picture";
}

TEST_F(DisplayRunTest, StopBringsTheDefaultPictureBack) {
  ExpectProblem();
  StartWithMedia("missing.bmp");
  ClickStart();
  EXPECT_EQ(PictureCaption(), "");
  EXPECT_TRUE(F1().Image1->Visible());
  EXPECT_FALSE(F1().MemoMedia->Visible());
}

}  // namespace
}  // namespace tovrek_test
