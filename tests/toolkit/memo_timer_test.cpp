// Memos and timers.
#include "toolkit_fixture.h"

namespace {

using tk_test::TestForm;
using tk_test::ToolkitTest;

// --- Memo ---------------------------------------------------------------------------------

class MemoTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  ClientSize = 480, 300
  memo MemoQuestion
    Bounds = 10, 10, 454, 128
    ReadOnly = true
    ScrollBars = Vertical
    Color = Cream
    Font = "Tahoma", 16
  end
end
)");
    memo = form->Get<tk::Memo>("MemoQuestion");
  }
  TestForm* form = nullptr;
  tk::Memo* memo = nullptr;
};

TEST_F(MemoTest, LinesAreAddedInsertedAndDeleted) {
  EXPECT_EQ(memo->LineCount(), 0);
  memo->AddLine("second");
  memo->InsertLine(0, "first");
  memo->AddLine("third");
  memo->InsertLine(99, "last");  // past the end: appended
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"first", "second", "third", "last"}));
  EXPECT_EQ(memo->Line(1), "second");
  memo->DeleteLine(1);
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"first", "third", "last"}));
  EXPECT_THROW(memo->DeleteLine(3), std::out_of_range);
  EXPECT_THROW(memo->Line(3), std::out_of_range);
  memo->ClearLines();
  EXPECT_EQ(memo->LineCount(), 0);
  EXPECT_EQ(memo->TopLine(), 0);
}

TEST_F(MemoTest, ReadOnlyAndAlignment) {
  EXPECT_TRUE(memo->ReadOnly());
  memo->AddLine("fixed");
  memo->Sync();
  ASSERT_TRUE(memo->SetFocus());
  tk::testing::UserType(app, "xyz");
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"fixed"})) << "typing changes nothing";
  for (tk::Alignment a : {tk::Alignment::Center, tk::Alignment::Right, tk::Alignment::Left}) {
    memo->SetAlignment(a);
    EXPECT_EQ(memo->GetAlignment(), a);
  }
}

TEST_F(MemoTest, CentredLinesRenderInTheMiddle) {
  memo->SetColor(tk::clWhite);
  memo->SetFontColor(tk::clBlack);
  memo->AddLine("WWW");
  memo->SetAlignment(tk::Alignment::Center);
  auto r = tk::testing::Render(*form);
  auto inkAt = [&](int x0, int x1) {
    int n = 0;
    for (int y = 12; y < 40; ++y)
      for (int x = x0; x < x1; ++x)
        if ((r.At(x, y) & 0xFF) < 0x80) ++n;
    return n;
  };
  EXPECT_GT(inkAt(200, 280), 20) << "text in the middle";
  EXPECT_EQ(inkAt(14, 120), 0) << "none on the left";
  memo->SetAlignment(tk::Alignment::Left);
  r = tk::testing::Render(*form);
  EXPECT_GT(inkAt(14, 120), 20);
}

TEST_F(MemoTest, ALineInsertedAtTheTopAndDeletedAgainLeavesTheViewAtTheTop) {
  for (int i = 0; i < 60; ++i) memo->AddLine("line " + std::to_string(i));
  EXPECT_GT(memo->TopLine(), 0) << "the view followed the added lines down";
  EXPECT_GT(tk::testing::ShownTopLine(*memo), 0);
  memo->InsertLine(0, "top");
  EXPECT_EQ(memo->TopLine(), 0);
  EXPECT_EQ(tk::testing::ShownTopLine(*memo), 0);
  memo->DeleteLine(0);
  EXPECT_EQ(memo->TopLine(), 0);
  EXPECT_EQ(tk::testing::ShownTopLine(*memo), 0) << "the widget shows the first line too";
  EXPECT_EQ(memo->Line(0), "line 0");
}

TEST_F(MemoTest, AddingLinesOneByOneWhileShownScrollsToTheLast) {
  for (int i = 0; i < 40; ++i) {
    memo->AddLine("line " + std::to_string(i));
    app.ProcessMessages();  // the view catches up between lines
  }
  const int top = tk::testing::ShownTopLine(*memo);
  EXPECT_EQ(top, memo->TopLine());
  EXPECT_GT(top, 30);
}

// Long lines without a blank still wrap, so the whole of a line is there to
// read, and many of them show from the top like any text.
TEST_F(MemoTest, LinesWithoutBlanksWrapAndManyOfThemShowFromTheTop) {
  memo->SetColor(tk::clWhite);
  memo->SetFontColor(tk::clBlack);
  std::vector<std::string> lines(500, std::string(4096, 'W'));
  for (int i = 1; i < 10; ++i) lines[i] = "";  // below the first line only its own rest can show
  memo->SetLines(lines);
  memo->InsertLine(0, "check");
  memo->DeleteLine(0);
  EXPECT_EQ(tk::testing::ShownTopLine(*memo), 0);
  const auto r = tk::testing::Render(*form);
  // Ink on the first and on the last text row of the box: the first line
  // wrapped to fill it.
  auto inkInRow = [&](int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = 14; x < 420; ++x)
        if ((r.At(x, y) & 0xFF) < 0x80) ++n;
    return n;
  };
  EXPECT_GT(inkInRow(14, 34), 100);
  EXPECT_GT(inkInRow(110, 134), 100);
}

// --- Timer --------------------------------------------------------------------------------

class TimerTest : public ToolkitTest {
 public:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  timer Fast
    Interval = 300
    OnTimer = FastTick
  end
  timer Slow
    Interval = 500
    OnTimer = SlowTick
  end
  timer Off
    Enabled = false
    OnTimer = OffTick
  end
end
)",
                    {{"FastTick", tk::NotifyEvent([this] { log.push_back("fast@" + std::to_string(clock.NowMs())); })},
                     {"SlowTick", tk::NotifyEvent([this] { log.push_back("slow@" + std::to_string(clock.NowMs())); })},
                     {"OffTick", tk::NotifyEvent([this] { log.push_back("off"); })}});
    fast = form->Get<tk::Timer>("Fast");
    slow = form->Get<tk::Timer>("Slow");
    off = form->Get<tk::Timer>("Off");
  }
  TestForm* form = nullptr;
  tk::Timer *fast = nullptr, *slow = nullptr, *off = nullptr;
  std::vector<std::string> log;
};

TEST_F(TimerTest, DesignState) {
  EXPECT_TRUE(fast->Enabled());
  EXPECT_EQ(fast->Interval(), 300u);
  EXPECT_FALSE(off->Enabled());
  EXPECT_EQ(off->Interval(), 1000u) << "the default interval";
}

TEST_F(TimerTest, ALateStepFiresEachDueTimerOnceEarliestDueFirst) {
  clock.Advance(299);
  EXPECT_TRUE(log.empty());
  clock.Advance(1);
  EXPECT_EQ(log, (std::vector<std::string>{"fast@300"}));
  log.clear();
  clock.Advance(700);
  // Fast was due at 600 and 900, Slow at 500 and 1000: missed ticks do not
  // pile up, and the one due first goes first.
  EXPECT_EQ(log, (std::vector<std::string>{"slow@1000", "fast@1000"}));
  log.clear();
  clock.Advance(299);
  EXPECT_TRUE(log.empty()) << "the next ticks are a full interval after the late ones";
  clock.Advance(1);
  EXPECT_EQ(log, (std::vector<std::string>{"fast@1300"}));
}

// A handler slower than its interval, as the quotation window's typing
// timer (20 ms) with its 500 ms pause.
TEST_F(TimerTest, AHandlerSlowerThanItsIntervalTicksOnceAStepOnTheManualClock) {
  slow->SetEnabled(false);
  fast->SetInterval(20);
  std::vector<uint64_t> ticks;
  fast->OnTimer = [&] {
    ticks.push_back(clock.NowMs());
    if (ticks.size() == 1) tk::Sleep(500);
  };
  clock.Advance(20);
  EXPECT_EQ(ticks, (std::vector<uint64_t>{20})) << "the sleep fires nothing";
  EXPECT_EQ(clock.NowMs(), 520u);
  clock.Advance(19);
  EXPECT_EQ(ticks.size(), 1u) << "due a full interval after the handler returned, at 540";
  clock.Advance(1);
  EXPECT_EQ(ticks, (std::vector<uint64_t>{20, 540})) << "one tick, not the 26 intervals missed";
  clock.Advance(20);
  EXPECT_EQ(ticks, (std::vector<uint64_t>{20, 540, 560}));
}

TEST_F(TimerTest, TicksComeOneIntervalApartAcrossManySmallSteps) {
  for (int i = 0; i < 10; ++i) clock.Advance(100);
  EXPECT_EQ(log, (std::vector<std::string>{"fast@300", "slow@500", "fast@600", "fast@900", "slow@1000"}));
}

TEST_F(TimerTest, EnablingTimers) {
  struct Case {
    const char* name;
    void (*act)(TimerTest&);
    uint64_t firstTick;  // time of Fast's first tick after the action at 200
  };
  const Case cases[] = {
      {"enabling a running timer keeps its interval", [](TimerTest& t) { t.fast->SetEnabled(true); }, 300},
      {"a stopped timer starts a full interval", [](TimerTest& t) {
         t.fast->SetEnabled(false);
         t.fast->SetEnabled(true);
       }, 500},
      {"a new interval starts over", [](TimerTest& t) { t.fast->SetInterval(400); }, 600},
      {"the same interval starts over too", [](TimerTest& t) { t.fast->SetInterval(300); }, 500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    plat::ManualClock own;
    tk::testing::UseManualClock(app, own);
    // Fresh timers on this clock, through the same layout path.
    fast->SetEnabled(false);
    fast->SetInterval(300);
    fast->SetEnabled(true);
    slow->SetEnabled(false);
    own.Advance(200);
    c.act(*this);
    std::vector<uint64_t> ticks;
    fast->OnTimer = [&] { ticks.push_back(own.NowMs()); };
    for (int i = 0; i < 20; ++i) own.Advance(50);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front(), c.firstTick);
  }
  tk::testing::UseManualClock(app, clock);
}

TEST_F(TimerTest, DisabledTimersNeverFire) {
  slow->SetEnabled(false);
  fast->SetEnabled(false);
  clock.Advance(10000);
  EXPECT_TRUE(log.empty());
  off->SetInterval(100);
  clock.Advance(1000);
  EXPECT_TRUE(log.empty()) << "setting the interval does not enable";
}

TEST_F(TimerTest, AHandlerThatDisablesItsTimerStopsItAtOnce) {
  int ticks = 0;
  fast->OnTimer = [&] {
    ++ticks;
    fast->SetEnabled(false);
  };
  slow->SetEnabled(false);
  clock.Advance(3000);  // ten intervals due in one step
  EXPECT_EQ(ticks, 1);
  fast->SetEnabled(true);
  clock.Advance(299);
  EXPECT_EQ(ticks, 1);
  clock.Advance(1);
  EXPECT_EQ(ticks, 2);
}

TEST_F(TimerTest, AHandlerCanStartAnotherTimer) {
  fast->SetEnabled(false);
  slow->OnTimer = [&] {
    log.push_back("slow@" + std::to_string(clock.NowMs()));
    slow->SetEnabled(false);
    off->SetInterval(100);
    off->SetEnabled(true);
  };
  off->OnTimer = [&] {
    log.push_back("off@" + std::to_string(clock.NowMs()));
    off->SetEnabled(false);
  };
  clock.Advance(500);
  clock.Advance(99);
  EXPECT_EQ(log, (std::vector<std::string>{"slow@500"}));
  clock.Advance(1);
  EXPECT_EQ(log, (std::vector<std::string>{"slow@500", "off@600"}));
}

// The control-file poll must go on while a modal window is up, even one
// that another timer's handler opened; that handler is not entered again.
TEST_F(TimerTest, OtherTimersTickWhileAHandlerHasAModalWindowUp) {
  TestForm* dialog = MakeForm("Dialog");
  int slowRuns = 0;
  slow->OnTimer = [&] {
    ++slowRuns;
    dialog->ShowModal();
  };
  std::vector<uint64_t> fastTicks;
  fast->OnTimer = [&] { fastTicks.push_back(clock.NowMs()); };
  app.QueueModalScript("Dialog", [&](tk::Form& f) {
    for (int i = 0; i < 10; ++i) clock.Advance(100);  // 600 to 1500 with the dialog up
    f.Close();
  });
  clock.Advance(300);
  clock.Advance(200);
  EXPECT_EQ(slowRuns, 1) << "Slow was due again at 1000 and 1500 while its handler ran";
  EXPECT_EQ(fastTicks, (std::vector<uint64_t>{300, 600, 900, 1200, 1500}));
  EXPECT_TRUE(app.PendingScripts().empty());
  EXPECT_FALSE(slow->Running());
  EXPECT_EQ(slow->DueAt(), 2000u) << "a full interval after its handler returned";
}

// What a handler posts comes up once its tick has returned: the timer
// itself then goes on ticking while that window is up.
TEST_F(TimerTest, ATimerTicksOnUnderTheWindowItsHandlerPosted) {
  TestForm* dialog = MakeForm("Dialog");
  std::vector<uint64_t> slowTicks;
  slow->OnTimer = [&] {
    slowTicks.push_back(clock.NowMs());
    if (slowTicks.size() == 1) app.Post([&] { dialog->ShowModal(); }, slow);
  };
  app.QueueModalScript("Dialog", [&](tk::Form& f) {
    EXPECT_FALSE(slow->Running());
    for (int i = 0; i < 10; ++i) clock.Advance(100);  // 600 to 1500 with the dialog up
    f.Close();
  });
  clock.Advance(500);
  EXPECT_EQ(slowTicks, (std::vector<uint64_t>{500, 1000, 1500}));
  EXPECT_TRUE(app.PendingScripts().empty());
  EXPECT_EQ(app.PendingPosts(), 0u);
}

TEST_F(TimerTest, TimersStopWithTheProgram) {
  app.Terminate();
  clock.Advance(1000);
  EXPECT_TRUE(log.empty());
}

}  // namespace
