// The stop window: shown when the program must not run; the main window
// goes dead and every way out ends the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "main/Tovrek_Unit8.h"
#include "platform/atomic_file.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

namespace fs = std::filesystem;
using tk::testing::UserClick;
using tk::testing::UserCloseWindow;
using tk::testing::UserKey;
using tovrek::TForm8;

const std::vector<std::string> kExplanation = {
    "",
    "PROBLEM",
    "You do not have write access to the current disk or folder. ",
    "",
    "REASON",
    "The most likely reason for this error message is that you are trying to run ",
    "the program on the distribution CD-Rom, or on a disk / folder ",
    "to which you do not have write access.",
    "",
    "SOLUTION",
    "Copy the Tovrek folder and all its contents to a suitable folder on your hard",
    "drive (create a new folder, and call it 'Tovrek'), then try ",
    "running the program again.",
    "",
};

class StopWindowTest : public ProgramTest {
 protected:
  TForm8& W() { return *P().Form8; }

  void TearDown() override {
    plat::FailAtomicWritesAfterForTests(std::nullopt);
    ProgramTest::TearDown();
  }
  // Nothing can be written in the working folder. Only the local variant
  // tests write access.
  void StartWithoutWriteAccess() {
    UseLocalVariant();
    plat::FailAtomicWritesAfterForTests(0);
    Start();
    plat::FailAtomicWritesAfterForTests(std::nullopt);
  }
};

TEST_F(StopWindowTest, NoWriteAccessExplainsTheDiskProblemAtDesignSize) {
  Answer("Form8", [this](tk::Form&) {
    EXPECT_EQ(W().ClientWidth(), 560);
    EXPECT_EQ(W().ClientHeight(), 359);
    EXPECT_EQ(W().Panel1->Caption(), "Disk Access Problem");
    EXPECT_EQ(W().Panel1->Left(), 152);
    EXPECT_EQ(W().Panel1->Top(), 13);
    EXPECT_TRUE(W().Memo1->Visible());
    EXPECT_EQ(W().Memo1->Lines(), kExplanation);
    EXPECT_EQ(W().Button1->Left(), 224);
    EXPECT_EQ(W().Button1->Top(), 312);
    EXPECT_TRUE(W().Button1->Focused());
    UserClick(*W().Button1);
  });
  StartWithoutWriteAccess();
  EXPECT_TRUE(U().NoWriteAccess);
  EXPECT_TRUE(App().Terminated());
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form8"});
  // Activation stops before it makes anything.
  EXPECT_FALSE(fs::exists("setup"));
  EXPECT_FALSE(fs::exists("subjects"));
  // Nor does the write test leave anything behind.
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(".")) names.push_back(e.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"default.jpg"});
}

struct StopExit {
  const char* name;
  void (*leave)(TForm8&);
};

const StopExit kStopExits[] = {
    {"Ok", [](TForm8& w) { UserClick(*w.Button1); }},
    {"Esc", [](TForm8& w) { UserKey(w.App(), tk::vk::Escape); }},
    {"TitleBarClose", [](TForm8& w) { UserCloseWindow(w); }},
};

void PrintTo(const StopExit& c, std::ostream* os) { *os << c.name; }

class StopExitTest : public StopWindowTest, public ::testing::WithParamInterface<StopExit> {};

TEST_P(StopExitTest, EveryWayOutEndsTheProgram) {
  Answer("Form8", [this](tk::Form&) { GetParam().leave(W()); });
  StartWithoutWriteAccess();
  EXPECT_TRUE(App().Terminated());
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form8"});
}

INSTANTIATE_TEST_SUITE_P(Exits, StopExitTest, ::testing::ValuesIn(kStopExits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StopWindowTest, ClickInTheExplanationOnlyMovesTheFocusToOk) {
  Answer("Form8", [this](tk::Form&) {
    // The window is on screen and active before the learner clicks.
    App().ProcessMessages();
    UserClick(*W().Memo1);
    EXPECT_TRUE(W().Button1->Focused());
    EXPECT_EQ(tk::testing::WidgetFocus(W()), W().Button1);
    EXPECT_FALSE(App().Terminated());
    EXPECT_FALSE(W().CloseRequested());
    // Ok still works from there.
    UserKey(App(), tk::vk::Return);
  });
  StartWithoutWriteAccess();
  EXPECT_TRUE(App().Terminated());
}

TEST_F(StopWindowTest, NoWriteAccessLeavesTheMainWindowDead) {
  Answer("Form8", [this](tk::Form&) { UserClick(*W().Button1); });
  StartWithoutWriteAccess();
  tovrek::TForm1& f = F1();
  for (tk::DropDownList* list : {f.CbxSubject, f.CbxTopic, f.CbxSequence, f.CbxMode}) {
    EXPECT_EQ(list->ItemCount(), 0) << list->Name();
    EXPECT_EQ(list->GetColor(), tk::clRed) << list->Name();
  }
  for (tk::Control* c : std::initializer_list<tk::Control*>{f.BtnStartStop, f.BtnAbout, f.BtnEdit, f.BtnSetup,
                                                            f.BtnClose, f.BtnClock, f.BtnBrowser, f.BtnRefresh,
                                                            f.Label3, f.Label4, f.Label6, f.LblTopic})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_EQ(f.LblTopic->Caption(), "Topic");
  EXPECT_FALSE(f.CheckBox1->Checked());
  EXPECT_EQ(f.PnlQuestion->GetFont().FontColor, tk::clSilver);
  EXPECT_EQ(f.PnlAnswer->GetFont().FontColor, tk::clSilver);
}

// Shown while the folder is writable, it is the compact "not available" box.
TEST_F(StopWindowTest, WithWriteAccessShowsTheCompactBoxAndLeavesTheListsEnabled) {
  WriteTopic("Maths", "Sums", SimpleTopic(5));
  Start();
  ASSERT_TRUE(Modals().empty());
  tovrek::TForm1& f = F1();
  f.CheckBox1->SetEnabled(true);
  f.CheckBox1->SetChecked(true);
  Answer("Form8", [this](tk::Form&) {
    EXPECT_EQ(W().Panel1->Caption(), "Tovrek is not available");
    EXPECT_EQ(W().Panel1->Left(), 32);
    EXPECT_EQ(W().Panel1->Top(), 16);
    EXPECT_EQ(W().Panel1->Width(), 257);
    EXPECT_EQ(W().Button1->Left(), 104);
    EXPECT_EQ(W().Button1->Top(), 64);
    EXPECT_FALSE(W().Memo1->Visible());
    EXPECT_TRUE(W().Button1->Focused());
    UserKey(App(), tk::vk::Escape);
  });
  W().ShowModal();
  EXPECT_TRUE(App().Terminated());
  // Dead, but unlike the problem window's dead state the lists and the
  // check box keep their enabling.
  for (tk::DropDownList* list : {f.CbxSubject, f.CbxTopic, f.CbxSequence, f.CbxMode}) {
    EXPECT_EQ(list->ItemCount(), 0) << list->Name();
    EXPECT_EQ(list->GetColor(), tk::clRed) << list->Name();
    EXPECT_TRUE(list->Enabled()) << list->Name();
  }
  EXPECT_FALSE(f.CheckBox1->Checked());
  EXPECT_TRUE(f.CheckBox1->Enabled());
  EXPECT_FALSE(f.BtnStartStop->Enabled());
  EXPECT_FALSE(f.BtnClose->Enabled());
  EXPECT_EQ(f.LblTopic->Caption(), "Topic");
  EXPECT_FALSE(f.LblTopic->Enabled());
  EXPECT_EQ(f.PnlAnswer->GetFont().FontColor, tk::clSilver);
}

}  // namespace
}  // namespace tovrek_test
