// Timers and modal loops on the real clock and the real message loop: the
// manual clock and the scripts stand in for them everywhere else, so these
// few tests check that the stand-ins tell the truth. They wait for real
// time, but only for 1 ms timers; a watchdog ends a stuck loop.
#include "toolkit_fixture.h"

namespace {

using tk_test::TestForm;

constexpr uint32_t kWatchdogMs = 3000;

class RealLoopTest : public ::testing::Test {
 protected:
  void SetUp() override { plat::SetClock(nullptr); }

  // Handles events until done() holds or the deadline passes.
  void LoopUntil(const std::function<bool()>& done) {
    const uint64_t deadline = plat::GetClock().NowMs() + kWatchdogMs;
    while (!done() && plat::GetClock().NowMs() < deadline) app.ProcessMessages();
  }

  TestForm* MakeMain() {
    main = app.CreateForm<TestForm>(app, "Main", R"(form Main
  timer Opener
    Interval = 1
    OnTimer = OpenerTimer
  end
  timer Poll
    Interval = 1
    OnTimer = PollTimer
  end
end
)",
                                    tk_test::Handlers{{"OpenerTimer", tk::NotifyEvent([this] { Opener(); })},
                                                      {"PollTimer", tk::NotifyEvent([this] { Poll(); })}});
    dialog = app.CreateForm<TestForm>(app, "Dialog", "form Dialog\n  OnClose = DialogClose\nend\n",
                                      tk_test::Handlers{{"DialogClose", tk::NotifyEvent([this] { ++dialogCloses; })}});
    opener = main->Get<tk::Timer>("Opener");
    return main;
  }

  void Opener() {
    ++depth;
    maxDepth = std::max(maxDepth, depth);
    ++openerRuns;
    if (openerRuns == 1) {
      if (throwFirst) {
        --depth;
        throw std::runtime_error("shown while the poll goes on");
      }
      dialog->ShowModal();
    }
    --depth;
  }
  void Poll() {
    ++pollTicks;
    if (!opener->Running()) return;
    if (++ticksWhileUp == 3 && onThirdTick) onThirdTick();
  }

  tk::Application app;
  TestForm* main = nullptr;
  TestForm* dialog = nullptr;
  tk::Timer* opener = nullptr;
  bool throwFirst = false;
  int depth = 0, maxDepth = 0, openerRuns = 0, pollTicks = 0, ticksWhileUp = 0, dialogCloses = 0;
  std::function<void()> onThirdTick;
};

TEST_F(RealLoopTest, ATimerTicksOnTheRealClock) {
  MakeMain();
  opener->SetEnabled(false);
  app.ShowMainForm();
  LoopUntil([&] { return pollTicks >= 3; });
  EXPECT_GE(pollTicks, 3);
}

TEST_F(RealLoopTest, OtherTimersTickWhileATimersModalWindowIsUp) {
  MakeMain();
  onThirdTick = [&] { dialog->Close(); };
  tk::testing::Watchdog watchdog(kWatchdogMs, [&] { dialog->Close(); });
  app.ShowMainForm();
  LoopUntil([&] { return openerRuns >= 2; });
  EXPECT_FALSE(watchdog.Fired()) << "the poll stopped while the dialog was up";
  EXPECT_GE(ticksWhileUp, 3);
  EXPECT_EQ(maxDepth, 1) << "the opener's handler was entered again";
  EXPECT_EQ(dialogCloses, 1);
  EXPECT_GE(openerRuns, 2) << "the opener goes on after its handler returned";
}

TEST_F(RealLoopTest, TerminateInsideAModalLoopEndsTheProgram) {
  MakeMain();
  onThirdTick = [&] { app.Terminate(); };
  tk::testing::Watchdog watchdog(kWatchdogMs, [&] { app.Terminate(); });
  app.Run();  // returns once terminated
  EXPECT_FALSE(watchdog.Fired());
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(ticksWhileUp, 3);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(dialogCloses, 0) << "a terminated program leaves without the close handler";
  EXPECT_EQ(openerRuns, 1);
}

// The first tick's handler fails, so the error report is up while the
// poll ticks; then the learner answers it, or the program ends under it.
TEST_F(RealLoopTest, TimersGoOnUnderTheErrorReport) {
  MakeMain();
  throwFirst = true;
  bool answered = false;
  onThirdTick = [&] { answered = tk::testing::UserAnswerMessageBox(tk::vk::Return); };
  tk::testing::Watchdog watchdog(kWatchdogMs, [&] { tk::testing::UserAnswerMessageBox(tk::vk::Return); });
  app.ShowMainForm();
  LoopUntil([&] { return openerRuns >= 2; });
  EXPECT_FALSE(watchdog.Fired()) << "the poll stopped under the error report";
  EXPECT_EQ(ticksWhileUp, 3);
  EXPECT_TRUE(answered);
  EXPECT_EQ(maxDepth, 1);
  EXPECT_TRUE(app.ErrorReports().empty()) << "a message box, not the script log";
}

TEST_F(RealLoopTest, TerminateTakesTheErrorReportDown) {
  MakeMain();
  throwFirst = true;
  onThirdTick = [&] { app.Terminate(); };
  tk::testing::Watchdog watchdog(kWatchdogMs, [&] {
    tk::testing::UserAnswerMessageBox(tk::vk::Return);
    app.Terminate();
  });
  app.Run();
  EXPECT_FALSE(watchdog.Fired()) << "the report outlived the program";
  EXPECT_EQ(ticksWhileUp, 3);
  EXPECT_EQ(openerRuns, 1);
}

}  // namespace
