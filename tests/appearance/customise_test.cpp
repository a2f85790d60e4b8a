// The customisation window: opening, the lists' change handlers and the
// dark-colour rule, the mock-up's clicks and keys, Apply, "&Default" and
// "&Original".
#include <gtest/gtest.h>

#include "appearance_support.h"
#include "platform/atomic_file.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;
using tk::testing::UserKey;

class CustomiseTest : public AppearanceTest {};

TEST_F(CustomiseTest, OpensWithMakeDefaultUncheckedEveryTime) {
  Start();
  Customise([](tovrek::TForm7& f) {
    EXPECT_FALSE(f.CheckBox1->Checked());
    UserClick(*f.CheckBox1);
    EXPECT_TRUE(f.CheckBox1->Checked());
    UserClick(*f.BtnClose);
  });
  Customise([](tovrek::TForm7& f) {
    EXPECT_FALSE(f.CheckBox1->Checked()) << "each opening starts unchecked";
    UserClick(*f.BtnClose);
  });
}

// The background list: by name and by value, dark or light.
TEST_F(CustomiseTest, BackgroundRecoloursTitleBoxScoresAndTicksByTheDarkRule) {
  Start();
  struct Case {
    const char* name;
    tk::Color colour;
    bool dark;
  };
  const Case cases[] = {{"Navy", tk::clNavy, true},          {"Silver", tk::clSilver, false},
                        {"Black", tk::clBlack, true},        {"Green (light)", tk::clMoneyGreen, false},
                        {"Blue", tk::clBlue, true},          {"Blue (light)", tk::clSkyBlue, false},
                        {"Button Face", tk::clBtnFace, false}};
  Customise([&](tovrek::TForm7& f) {
    for (const Case& c : cases) {
      Pick(*f.CbxFormBackground, c.name);
      EXPECT_EQ(f.GetColor(), c.colour) << c.name;
      const tk::Color text = c.dark ? tk::clWhite : tk::clBlack;
      EXPECT_EQ(f.Label25->GetFont().FontColor, c.dark ? tk::clWhite : tk::clNavy) << c.name;
      EXPECT_EQ(f.CheckBox1->GetFont().FontColor, text) << c.name;
      EXPECT_EQ(f.LblCorrect->GetFont().FontColor, text) << c.name;
      EXPECT_EQ(f.LblIncorrect->GetFont().FontColor, text) << c.name;
      for (tk::Shape* s : {f.Shape1, f.Shape6, f.Shape11}) EXPECT_EQ(s->PenColor(), text) << c.name;
      EXPECT_EQ(f.Shape16->BrushColor(), tk::clRed) << "the gauge bands keep their colours";
      EXPECT_EQ(f.Label7->GetFont().FontColor, tk::clNavy) << "the statistics font has its own list";
    }
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(F1().GetColor(), tk::clBtnFace) << "nothing reaches the main window without Apply";
}

// Each list restyles exactly its own part of the mock-up.
TEST_F(CustomiseTest, EachListRestylesItsOwnMockupTarget) {
  Start();
  Customise([](tovrek::TForm7& f) {
    Pick(*f.CbxOptionPanel, "Red");
    EXPECT_EQ(f.OptionPanel->GetColor(), tk::clRed);
    Pick(*f.CbxOptionsFont, "Teal");
    EXPECT_EQ(f.LblSubject->GetFont().FontColor, tk::clTeal);
    EXPECT_EQ(f.LblTopic->GetFont().FontColor, tk::clTeal);
    Pick(*f.CbxTextBoxColour, "Yellow");
    EXPECT_EQ(f.MemoMedia->GetColor(), tk::clYellow);
    Pick(*f.CbxTextBoxFont, "Maroon");
    EXPECT_EQ(f.MemoMedia->GetFont().FontColor, tk::clMaroon);
    Pick(*f.CbxTovrekFont, "Purple");
    EXPECT_EQ(f.PnlQuestion->GetFont().FontColor, tk::clPurple);
    EXPECT_EQ(f.PnlAnswer->GetFont().FontColor, tk::clPurple);
    Pick(*f.CbxTovrekPanels, "Aqua");
    EXPECT_EQ(f.PnlQuestion->GetColor(), tk::clAqua);
    Pick(*f.CbxPictureBorder, "Olive");
    EXPECT_EQ(f.PnlPicture->GetColor(), tk::clOlive);
    Pick(*f.CbxQuestionSize, "14");
    EXPECT_EQ(f.MemoQuestion->GetFont().Size(), 14);
    EXPECT_EQ(f.MemoQuestion->LineCount(), 10) << "the box keeps its lines";
    Pick(*f.CbxQuestionFont, "Black");
    Pick(*f.CbxQuestionBox, "Black");
    EXPECT_EQ(f.MemoQuestion->GetColor(), tk::clBlack) << "black on black is accepted";
    Pick(*f.CbxAnswerSize, "8");
    EXPECT_EQ(f.MemoAnswer->GetFont().Size(), 8);
    Pick(*f.CbxAnswerFont, "Lime");
    EXPECT_EQ(f.MemoAnswer->GetFont().FontColor, tk::clLime);
    Pick(*f.CbxAnswerBox, "White");
    EXPECT_EQ(f.MemoAnswer->GetColor(), tk::clWhite);
    Pick(*f.CbxStatisticsFont, "Red");
    EXPECT_EQ(f.Label7->GetFont().FontColor, tk::clRed);
    EXPECT_EQ(f.Label8->GetFont().FontColor, tk::clRed);
    UserKey(f.App(), tk::vk::Escape);
  });
}

// Each caption stands between its own list, on its row, and the list to
// its left (or the panel's edge), overlapping neither, in the font it is
// drawn with.
TEST_F(CustomiseTest, EveryListCaptionStandsClearBetweenItsListAndTheOneToItsLeft) {
  Start();
  int captions = 0;
  for (tk::Panel* panel : {F7().Panel3, F7().Panel2}) {
    std::vector<tk::DropDownList*> lists;
    for (tk::Control* c : panel->Children())
      if (auto* d = dynamic_cast<tk::DropDownList*>(c)) lists.push_back(d);
    for (tk::Control* c : panel->Children()) {
      auto* label = dynamic_cast<tk::Label*>(c);
      if (label == nullptr) continue;
      SCOPED_TRACE(label->Caption());
      ++captions;
      const int left = label->Left();
      const int right = left + std::max(label->Width(), tk::testing::TextWidth(label->GetFont(), label->Caption()));
      // Its list: the nearest to its right on its row; and the one before.
      tk::DropDownList* own = nullptr;
      int before = 0;
      for (tk::DropDownList* d : lists) {
        if (std::abs(d->Top() - label->Top()) > 6) continue;
        if (d->Left() >= left && (own == nullptr || d->Left() < own->Left())) own = d;
        if (d->Left() < left) before = std::max(before, d->Left() + d->Width());
      }
      ASSERT_NE(own, nullptr) << "no list on the caption's row";
      EXPECT_LT(right, own->Left()) << "runs into " << own->Name() << " (ends at " << right << ")";
      EXPECT_GT(left, before) << "starts inside the list to its left, which ends at " << before;
      EXPECT_LT(label->Top() + label->Height(), own->Top() + own->Height() + 2) << "on the list's row";
    }
  }
  EXPECT_EQ(captions, 18);
}

// The mock-up's option panel stands out by a bevel two pixels wide.
TEST_F(CustomiseTest, OptionPanelBevelIsTwoPixelsWide) {
  Start();
  tovrek::TForm7& f = F7();
  Customise([](tovrek::TForm7& w) {
    Pick(*w.CbxOptionPanel, "Yellow");
    UserClick(*w.BtnClose);
  });
  const tk::Panel& p = *f.OptionPanel;
  const auto r = tk::testing::Render(f);
  const uint32_t light = 0xFFFFFF, shadow = 0xA0A0A0, yellow = 0xFFFF00;
  const int x0 = p.Left(), x1 = p.Left() + p.Width() - 1, y0 = p.Top(), y1 = p.Top() + p.Height() - 1;
  const int midY = p.Top() + 30, midX = p.Left() + 100;  // clear of the labels and the subject list
  EXPECT_EQ(std::vector<uint32_t>({r.At(x0, midY), r.At(x0 + 1, midY), r.At(x0 + 2, midY)}),
            std::vector<uint32_t>({light, light, yellow}));
  EXPECT_EQ(std::vector<uint32_t>({r.At(midX, y0), r.At(midX, y0 + 1), r.At(midX, y0 + 2)}),
            std::vector<uint32_t>({light, light, yellow}));
  EXPECT_EQ(std::vector<uint32_t>({r.At(x1, midY), r.At(x1 - 1, midY), r.At(x1 - 2, midY)}),
            std::vector<uint32_t>({shadow, shadow, yellow}));
  EXPECT_EQ(std::vector<uint32_t>({r.At(midX, y1), r.At(midX, y1 - 1), r.At(midX, y1 - 2)}),
            std::vector<uint32_t>({shadow, shadow, yellow}));
}

TEST_F(CustomiseTest, TextBoxSizeRefillsTheSampleAtItsFirstLine) {
  Start();
  Customise([](tovrek::TForm7& f) {
    ASSERT_EQ(f.MemoMedia->LineCount(), 5);
    EXPECT_EQ(f.MemoMedia->Line(0).size(), 19u);
    EXPECT_EQ(f.MemoMedia->Line(1), "");
    EXPECT_EQ(f.MemoMedia->Line(2).size(), 13u);
    EXPECT_EQ(f.MemoMedia->Line(4).size(), 218u);
    f.MemoMedia->AddLine("extra");
    Pick(*f.CbxTextBoxFontSize, "18");
    EXPECT_EQ(f.MemoMedia->LineCount(), 5) << "the sample is written again";
    EXPECT_EQ(f.MemoMedia->TopLine(), 0);
    EXPECT_EQ(f.MemoMedia->GetFont().Size(), 18);
    UserClick(*f.BtnClose);
  });
}

TEST_F(CustomiseTest, MediaClickTogglesAlignmentAndMediaAlignTextAndFocusesApply) {
  Start();
  Customise([this](tovrek::TForm7& f) {
    const bool wasLeft = f.MemoMedia->GetAlignment() == tk::Alignment::Left;
    UserClick(*f.MemoMedia);
    EXPECT_EQ(U().MediaAlignText, wasLeft ? "center" : "left");
    EXPECT_TRUE(f.BtnApply->Focused());
    UserClick(*f.MemoMedia);
    EXPECT_EQ(U().MediaAlignText, wasLeft ? "left" : "center");
    UserClick(*f.MemoQuestion);
    EXPECT_TRUE(f.BtnApply->Focused());
    UserClick(*f.BtnClose);
  });
}

TEST_F(CustomiseTest, BackspaceInEveryListChangesNothing) {
  Start();
  Customise([](tovrek::TForm7& f) {
    for (int line = 1; line <= 18; ++line) {
      tk::DropDownList& list = *f.ListOfLine(line);
      char key = 8;
      ASSERT_TRUE(list.OnKeyPress) << list.Name();
      list.OnKeyPress(key);
      EXPECT_EQ(key, 0) << list.Name();
      char other = 'a';
      list.OnKeyPress(other);
      EXPECT_EQ(other, 'a');
    }
    UserClick(*f.BtnClose);
  });
}

// Apply copies the mock-up onto the main window and sets the shared state.
TEST_F(CustomiseTest, ApplyCopiesEveryTargetAndLeavesTheFileWithoutMakeDefault) {
  Start();
  const std::string before = Config();
  Customise([](tovrek::TForm7& f) {
    Pick(*f.CbxFormBackground, "Teal");
    Pick(*f.CbxOptionPanel, "Red");
    Pick(*f.CbxOptionsFont, "White");
    Pick(*f.CbxTextBoxFontSize, "8");
    Pick(*f.CbxTextBoxColour, "Yellow");
    Pick(*f.CbxTextBoxFont, "Navy");
    Pick(*f.CbxTovrekFont, "Maroon");
    Pick(*f.CbxTovrekPanels, "Silver");
    Pick(*f.CbxPictureAspect, "Stretched");
    Pick(*f.CbxPictureBorder, "Olive");
    Pick(*f.CbxQuestionSize, "14");
    Pick(*f.CbxAnswerSize, "18");
    Pick(*f.CbxAnswerBox, "Aqua");
    Pick(*f.CbxStatisticsFont, "Red");
    UserClick(*f.BtnApply);
  });
  tovrek::TForm1& m = F1();
  EXPECT_EQ(m.GetColor(), tk::clTeal);
  for (tk::Label* l : {m.LblCorrect, m.LblIncorrect, m.LblAttempted, m.LblPercentage})
    EXPECT_EQ(l->GetFont().FontColor, tk::clWhite);
  EXPECT_EQ(m.Shape11->PenColor(), tk::clWhite);
  EXPECT_EQ(m.Panel1->GetColor(), tk::clRed);
  EXPECT_EQ(m.CheckBox1->GetColor(), tk::clRed);
  for (tk::Control* c : std::initializer_list<tk::Control*>{m.Label6, m.LblTopic, m.Label3, m.Label4, m.CheckBox1})
    EXPECT_EQ(c->GetFont().FontColor, tk::clWhite) << c->Name();
  EXPECT_EQ(m.MemoMedia->GetFont().Size(), 8);
  EXPECT_EQ(m.MemoMedia->GetColor(), tk::clYellow);
  EXPECT_EQ(m.MemoMedia->GetFont().FontColor, tk::clNavy);
  EXPECT_EQ(m.PnlQuestion->GetFont().FontColor, tk::clMaroon);
  EXPECT_EQ(m.PnlAnswer->GetColor(), tk::clSilver);
  EXPECT_TRUE(m.Image1->Stretch());
  EXPECT_FALSE(m.Image1->Proportional());
  EXPECT_EQ(m.PnlPicture->GetColor(), tk::clOlive);
  EXPECT_EQ(m.MemoQuestion->GetFont().Size(), 14);
  EXPECT_EQ(m.MemoAnswer->GetFont().Size(), 18);
  EXPECT_EQ(m.MemoAnswer->GetColor(), tk::clAqua);
  for (tk::Label* l : {m.Label7, m.Label8, m.Label9, m.Label10, m.LblSchool})
    EXPECT_EQ(l->GetFont().FontColor, tk::clRed) << l->Name();
  EXPECT_EQ(U().FormatDefaults[1], "8");
  EXPECT_EQ(U().FormatDefaults[3], "left") << "the default file's \"Left\"";
  EXPECT_EQ(U().FormatDefaults[4], "14");
  EXPECT_EQ(U().FormatDefaults[7], "18");
  EXPECT_EQ(U().FormatDefaults[10], "stretched");
  EXPECT_EQ(U().PictureAspectText, "Stretched");
  EXPECT_EQ(U().DefaultPictureName, "default.jpg");
  EXPECT_EQ(m.MemoMedia->GetAlignment(), tk::Alignment::Left);
  EXPECT_EQ(Config(), before) << "without \"&Make Default\" the file is unchanged";
}

TEST_F(CustomiseTest, ApplyWithMakeDefaultStoresTheListsAndMediaAlignText) {
  Start();
  Customise([this](tovrek::TForm7& f) {
    Pick(*f.CbxFormBackground, "Yellow");
    f.CbxOptionsFont->SetItemIndex(-1);
    UserClick(*f.BtnOriginal);
    Pick(*f.CbxFormBackground, "Yellow");
    U().MediaAlignText = "center";  // as the last question shown left it
    UserClick(*f.CheckBox1);
    UserClick(*f.BtnApply);
  });
  EXPECT_EQ(F1().LblCorrect->GetFont().FontColor, tk::clBlack);
  knowledge::SettingsLines expected = knowledge::DefaultSettingsLines();
  expected[0] = "Yellow";
  expected[9] = "Stretched";
  expected[18] = "center";
  EXPECT_EQ(Config(), knowledge::SettingsBytes(expected));
}

TEST_F(CustomiseTest, SavingWithAListWithoutSelectionWritesAnEmptyLine) {
  Start();
  Customise([](tovrek::TForm7& f) {
    f.CbxQuestionFont->SetItemIndex(-1);
    UserClick(*f.CheckBox1);
    UserClick(*f.BtnApply);
  });
  knowledge::SettingsLines expected = knowledge::DefaultSettingsLines();
  expected[12] = "";
  EXPECT_EQ(Config(), knowledge::SettingsBytes(expected));
}

// A picture that cannot be shown: one report, nothing applied, the window
// stays open and the name is not taken.
TEST_F(CustomiseTest, ApplyChecksThePictureFirst) {
  Start();
  const tk::Color before = F1().GetColor();
  Customise([this, before](tovrek::TForm7& f) {
    Pick(*f.CbxFormBackground, "Navy");
    for (const char* name : {"", "gone.jpg", "broken.jpg"}) {
      if (std::string(name) == "broken.jpg") WriteFile("setup/pictures/broken.jpg", "not a picture");
      if (*name == '\0') f.CbxPictureDefault->SetItemIndex(-1);
      else f.CbxPictureDefault->SetItemIndex(f.CbxPictureDefault->AddItem(name));
      UserClick(*f.BtnApply);
      EXPECT_EQ(TakeErrorReports().size(), 1u) << name;
      EXPECT_TRUE(f.Visible()) << "the window stays open";
      EXPECT_EQ(F1().GetColor(), before) << name;
      EXPECT_EQ(U().DefaultPictureName, "default.jpg") << name;
    }
    UserClick(*f.BtnClose);
  });
}

// A save that fails part-way: one report, the old file byte for byte, and
// the window still open, as after any failed step of Apply.
TEST_F(CustomiseTest, FailedSaveLeavesTheOldFileAndTheWindowOpen) {
  Start();
  const std::string before = Config();
  Customise([this, &before](tovrek::TForm7& f) {
    Pick(*f.CbxFormBackground, "Navy");
    UserClick(*f.CheckBox1);
    plat::FailAtomicWritesAfterForTests(40);
    UserClick(*f.BtnApply);
    plat::FailAtomicWritesAfterForTests(std::nullopt);
    const std::vector<std::string> reports = TakeErrorReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("setup\\config.ini"), std::string::npos) << reports[0];
    EXPECT_EQ(Config(), before);
    EXPECT_TRUE(f.Visible());
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(F1().GetColor(), tk::clNavy) << "the look was applied before the save";
}

TEST_F(CustomiseTest, DefaultReadsTheFileIntoTheMockupOnly) {
  Start();
  knowledge::SettingsLines lines = knowledge::DefaultSettingsLines();
  lines[0] = "Navy";
  lines[2] = "Button Face";  // not on a 19-name list
  lines[8] = "elsewhere.jpg";
  lines[9] = "stretched";
  lines[18] = "center";
  WriteFile("setup/config.ini", knowledge::SettingsBytes(lines));
  Customise([this](tovrek::TForm7& f) {
    const tk::Color subject = f.LblSubject->GetFont().FontColor;
    UserClick(*f.BtnDefault);
    EXPECT_EQ(f.GetColor(), tk::clNavy);
    EXPECT_EQ(f.Label25->GetFont().FontColor, tk::clWhite);
    EXPECT_EQ(f.CheckBox1->GetFont().FontColor, tk::clWhite);
    EXPECT_EQ(f.LblCorrect->GetFont().FontColor, tk::clWhite);
    EXPECT_EQ(f.Shape4->PenColor(), tk::clWhite);
    EXPECT_EQ(f.CbxOptionsFont->ItemIndex(), -1);
    EXPECT_EQ(f.LblSubject->GetFont().FontColor, subject);
    EXPECT_EQ(f.CbxPictureAspect->Text(), "Stretched");
    EXPECT_TRUE(f.Image1->Stretch());
    EXPECT_EQ(f.MemoMedia->GetAlignment(), tk::Alignment::Center);
    EXPECT_EQ(U().DefaultPictureName, "default.jpg") << "the main window's name waits for Apply";
    EXPECT_EQ(U().MediaAlignText, "Left");
    UserClick(*f.BtnOriginal);
    EXPECT_EQ(f.GetColor(), tk::clBtnFace);
    EXPECT_EQ(f.Label25->GetFont().FontColor, tk::clNavy);
    EXPECT_EQ(f.LblCorrect->GetFont().FontColor, tk::clBlack);
    EXPECT_EQ(f.Shape4->PenColor(), tk::clBlack);
    EXPECT_EQ(f.CbxPictureDefault->Text(), "default.jpg");
    EXPECT_EQ(f.CbxPictureAspect->Text(), "Stretched");
    EXPECT_EQ(f.CbxOptionsFont->Text(), "Black");
    EXPECT_EQ(f.MemoMedia->GetAlignment(), tk::Alignment::Left);
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(F1().GetColor(), tk::clBtnFace);
}

TEST_F(CustomiseTest, OriginalAppliesEveryRowEvenWithoutItsPicture) {
  Start();
  std::filesystem::remove("setup/pictures/default.jpg");
  Customise([this](tovrek::TForm7& f) {
    EXPECT_EQ(TakeErrorReports().size(), 1u) << "the opening misses the picture too";
    Pick(*f.CbxFormBackground, "Black");
    Pick(*f.CbxStatisticsFont, "Red");
    UserClick(*f.BtnOriginal);
    EXPECT_EQ(TakeErrorReports().size(), 1u);
    EXPECT_EQ(f.GetColor(), tk::clBtnFace);
    EXPECT_EQ(f.Label7->GetFont().FontColor, tk::clNavy) << "rows after the picture are applied too";
    EXPECT_EQ(f.Shape1->PenColor(), tk::clBlack);
    UserClick(*f.BtnClose);
  });
}

TEST_F(CustomiseTest, EscapeClosesLikeCloseAndRevertsNothing) {
  Start();
  Customise([](tovrek::TForm7& f) {
    Pick(*f.CbxFormBackground, "Navy");
    UserKey(f.App(), tk::vk::Escape, {true, false, false});
  });
  EXPECT_EQ(F1().GetColor(), tk::clBtnFace);
  Customise([](tovrek::TForm7& f) {
    EXPECT_EQ(f.GetColor(), tk::clNavy) << "the mock-up keeps what was chosen";
    UserClick(*f.BtnClose);
  });
}

}  // namespace
}  // namespace tovrek_test
