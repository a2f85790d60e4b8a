// The tests' waits end within their bounds, naming what they waited for,
// when it never comes: a fault fails a test instead of hanging the program.
#include "support/waits.h"

#include "toolkit_fixture.h"

namespace tk_test {
namespace {

using tovrek_test::AdvanceUntil;
using tovrek_test::ClickUntil;
using tovrek_test::WaitUntilEnabled;

// The failure message says what was waited for.
::testing::AssertionResult Says(const ::testing::AssertionResult& r, const std::string& text) {
  const std::string m = r.message();
  if (m.find(text) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the message \"" << m << "\" does not say \"" << text << "\"";
}

class WaitTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  timer Later
    Interval = 1500
    OnTimer = LaterTimer
  end
  panel Panel1
    Bounds = 0, 0, 200, 100
    button BtnLater
      Bounds = 10, 10, 80, 25
      Enabled = false
    end
    button BtnNever
      Bounds = 10, 40, 80, 25
      Enabled = false
    end
    button BtnCount
      Bounds = 100, 10, 80, 25
      OnClick = Count
    end
  end
end
)",
                    {{"LaterTimer", tk::NotifyEvent([this] { form->Get<tk::Button>("BtnLater")->SetEnabled(true); })},
                     {"Count", tk::NotifyEvent([this] { ++clicks; })}});
  }
  TestForm* form = nullptr;
  int clicks = 0;
};

TEST_F(WaitTest, WaitingForAControlEndsWhenItIsEnabled) {
  const uint64_t start = clock.NowMs();
  EXPECT_TRUE(WaitUntilEnabled(clock, *form->Get<tk::Button>("BtnLater")));
  EXPECT_EQ(clock.NowMs() - start, 1500u) << "no longer than it took, in steps of 100 ms";
}

TEST_F(WaitTest, AControlThatNeverBecomesEnabledFailsTheWaitAtItsBound) {
  const uint64_t start = clock.NowMs();
  const ::testing::AssertionResult r = WaitUntilEnabled(clock, *form->Get<tk::Button>("BtnNever"), 5000);
  EXPECT_FALSE(r);
  EXPECT_TRUE(Says(r, "Main.BtnNever becoming enabled"));
  EXPECT_TRUE(Says(r, "5000 ms"));
  EXPECT_EQ(clock.NowMs() - start, 5000u) << "the bound is on the manual clock";

  // The default bound ends too.
  const ::testing::AssertionResult d = WaitUntilEnabled(clock, *form->Get<tk::Button>("BtnNever"));
  EXPECT_FALSE(d);
  EXPECT_EQ(clock.NowMs() - start, 5000u + tovrek_test::kWaitBoundMs);

  const ::testing::AssertionResult never = AdvanceUntil(clock, [] { return false; }, "the sun rising", 300, 100);
  EXPECT_FALSE(never);
  EXPECT_TRUE(Says(never, "the sun rising did not happen within 300 ms"));
}

TEST_F(WaitTest, ClickingUntilSomethingHoldsIsBoundedAndStopsAtAControlThatCannotBeClicked) {
  tk::Button& count = *form->Get<tk::Button>("BtnCount");
  EXPECT_TRUE(ClickUntil(count, [this] { return clicks == 3; }, "three clicks", 10));
  EXPECT_EQ(clicks, 3);

  clicks = 0;
  const ::testing::AssertionResult many = ClickUntil(count, [] { return false; }, "the end", 10);
  EXPECT_FALSE(many);
  EXPECT_EQ(clicks, 10);
  EXPECT_TRUE(Says(many, "Main.BtnCount was clicked 10 times without the end"));

  const ::testing::AssertionResult disabled =
      ClickUntil(*form->Get<tk::Button>("BtnNever"), [] { return false; }, "question 7", 1000000);
  EXPECT_FALSE(disabled);
  EXPECT_TRUE(Says(disabled, "Main.BtnNever cannot be clicked (Main.BtnNever is disabled) after 0 clicks"));

  form->Get<tk::Panel>("Panel1")->SetVisible(false);
  const ::testing::AssertionResult hidden = ClickUntil(count, [] { return false; }, "question 7", 1000000);
  EXPECT_FALSE(hidden);
  EXPECT_TRUE(Says(hidden, "Main.BtnCount cannot be clicked (Main.Panel1 is hidden)"));
}

}  // namespace
}  // namespace tk_test
