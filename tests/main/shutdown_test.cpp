// Shutting down: the confirmation opened by Esc or the Close button, and the
// two ways that end the program without it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "main/Tovrek_Unit12.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;
using tk::testing::UserCloseWindow;
using tk::testing::UserKey;
using tk::testing::UserRightClick;
using tovrek::TForm12;

// Activation would put "KNOWLEDGE SYSTEM" back; this shows it did not run.
constexpr const char* kMarker = "still the same window";

class ShutdownTest : public ProgramTest {
 protected:
  TForm12& W() { return *P().Form12; }

  void StartIdle() {
    WriteTopic("Maths", "Sums", SimpleTopic(5));
    Start();
    ASSERT_TRUE(Modals().empty());
    F1().PnlAnswer->SetCaption(kMarker);
  }
};

struct Opener {
  const char* name;
  void (*open)(tk::Application&, tovrek::TForm1&);
};

const Opener kOpeners[] = {
    {"EscOnTheMainWindow", [](tk::Application& app, tovrek::TForm1&) { UserKey(app, tk::vk::Escape); }},
    {"CloseButton", [](tk::Application&, tovrek::TForm1& f) { UserClick(*f.BtnClose); }},
};

struct Reply {
  const char* name;
  void (*reply)(TForm12&);
  bool terminates;
};

const Reply kReplies[] = {
    {"Ok", [](TForm12& w) { UserClick(*w.Button1); }, true},
    {"Enter", [](TForm12& w) { UserKey(w.App(), tk::vk::Return); }, true},
    {"Cancel", [](TForm12& w) { UserClick(*w.Button2); }, false},
    {"Esc", [](TForm12& w) { UserKey(w.App(), tk::vk::Escape); }, false},
    {"TitleBarClose", [](TForm12& w) { UserCloseWindow(w); }, false},
};

void PrintTo(const Opener& o, std::ostream* os) { *os << o.name; }
void PrintTo(const Reply& r, std::ostream* os) { *os << r.name; }

class ConfirmationTest : public ShutdownTest, public ::testing::WithParamInterface<std::tuple<Opener, Reply>> {};

TEST_P(ConfirmationTest, OkEndsTheProgramAndEveryOtherReplyGoesBack) {
  const Opener& opener = std::get<0>(GetParam());
  const Reply& reply = std::get<1>(GetParam());
  StartIdle();
  Answer("Form12", [&](tk::Form&) {
    EXPECT_TRUE(W().Button1->Focused()) << "Ok has the focus";
    EXPECT_EQ(W().Panel1->Caption(), "Tovrek will now shut down");
    reply.reply(W());
  });
  opener.open(App(), F1());
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form12"});
  EXPECT_EQ(App().Terminated(), reply.terminates);
  if (!reply.terminates) {
    EXPECT_FALSE(W().Visible());
    EXPECT_EQ(App().ActiveForm(), &F1());
    EXPECT_EQ(F1().PnlAnswer->Caption(), kMarker) << "the main window's activation ran again";
    EXPECT_TRUE(F1().BtnStartStop->Enabled());
  }
}

INSTANTIATE_TEST_SUITE_P(Replies, ConfirmationTest,
                         ::testing::Combine(::testing::ValuesIn(kOpeners), ::testing::ValuesIn(kReplies)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "Then" + std::get<1>(info.param).name;
                         });

TEST_F(ShutdownTest, AfterCancelTheConfirmationOpensAgainWithOkFocused) {
  StartIdle();
  Answer("Form12", [this](tk::Form&) {
    // The learner's click leaves the focus on Cancel.
    App().ProcessMessages();
    UserClick(*W().Button2);
  });
  UserKey(App(), tk::vk::Escape);
  ASSERT_FALSE(App().Terminated());
  Answer("Form12", [this](tk::Form&) {
    EXPECT_TRUE(W().Button1->Focused());
    UserKey(App(), tk::vk::Return);
  });
  UserKey(App(), tk::vk::Escape);
  EXPECT_EQ(Modals(), (std::vector<std::string>{"Form12", "Form12"}));
  EXPECT_TRUE(App().Terminated());
}

TEST_F(ShutdownTest, RightClickOnCloseEndsTheProgramWithoutAsking) {
  StartIdle();
  UserRightClick(*F1().BtnClose);
  EXPECT_TRUE(App().Terminated());
  EXPECT_TRUE(Modals().empty());
}

TEST_F(ShutdownTest, ClosingTheMainWindowEndsTheProgramWithoutAsking) {
  StartIdle();
  UserCloseWindow(F1());
  EXPECT_TRUE(App().Terminated());
  EXPECT_TRUE(Modals().empty());
}

}  // namespace
}  // namespace tovrek_test
