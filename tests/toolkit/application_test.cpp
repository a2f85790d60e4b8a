// Forms, activation, modal showing, termination and the error report.
#include <stdexcept>
#include <type_traits>

#include "toolkit_fixture.h"

namespace {

using tk_test::Handlers;
using tk_test::TestForm;
using tk_test::ToolkitTest;

// A dialog with an Ok button that closes it and an edit box.
const char* kDialog = R"(form Dialog
  Caption = "Dialog"
  ClientSize = 200, 100
  OnActivate = DialogActivate
  OnClose = DialogClose
  edit EdtName
    Bounds = 10, 10, 120, 21
  end
  button BtnOk
    Bounds = 10, 50, 75, 25
    Caption = "&Ok"
    OnClick = BtnOkClick
  end
end
)";

class ApplicationTest : public ToolkitTest {
 protected:
  TestForm* MakeDialog(const std::string& name = "Dialog") {
    std::string layout = kDialog;
    layout.replace(layout.find("Dialog"), 6, name);
    Handlers h{{"DialogActivate", tk::NotifyEvent([this] { ++activations; })},
               {"DialogClose", tk::NotifyEvent([this] { ++closes; })},
               {"BtnOkClick", tk::NotifyEvent([this] {
                  ++okClicks;
                  dialog->Close();
                })}};
    dialog = MakeForm(name, layout, h);
    return dialog;
  }
  TestForm* MakeMain() {
    main = MakeForm("Main", "form Main\n  OnActivate = MainActivate\nend\n",
                    {{"MainActivate", tk::NotifyEvent([this] { ++mainActivations; })}});
    return main;
  }

  TestForm* main = nullptr;
  TestForm* dialog = nullptr;
  int activations = 0, closes = 0, okClicks = 0, mainActivations = 0;
};

// --- Application: forms, main form, termination -------------------------------

TEST_F(ApplicationTest, FormsAreCreatedInOrderAndTheFirstProgramFormIsTheMainForm) {
  std::vector<std::string> created;
  auto make = [&](const std::string& name, bool side) {
    const std::string layout = "form " + name + "\n  OnCreate = FormCreate\nend\n";
    Handlers h{{"FormCreate", Log(created, name)}};
    return side ? app.CreateSideForm<TestForm>(app, name, layout, h) : app.CreateForm<TestForm>(app, name, layout, h);
  };
  TestForm* splash = make("Splash", true);
  EXPECT_EQ(app.MainForm(), nullptr) << "a side form is never the main form";
  TestForm* first = make("First", false);
  TestForm* second = make("Second", false);
  EXPECT_EQ(app.MainForm(), first);
  EXPECT_NE(app.MainForm(), splash);
  EXPECT_NE(app.MainForm(), second);
  EXPECT_EQ(created, (std::vector<std::string>{"Splash", "First", "Second"}));
}

TEST_F(ApplicationTest, ShowMainFormShowsAndActivatesTheMainForm) {
  MakeMain();
  MakeDialog();
  EXPECT_FALSE(main->Visible());
  app.ShowMainForm();
  EXPECT_TRUE(main->Visible());
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(app.ActiveForm(), main);
  EXPECT_EQ(mainActivations, 1);
}

TEST_F(ApplicationTest, TerminateEndsTheMessageLoop) {
  MakeMain();
  bool ran = false;
  tk::testing::Post([&] {
    ran = true;
    app.Terminate();
  });
  app.Run();  // returns only once terminated
  EXPECT_TRUE(ran);
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(mainActivations, 1);
}

struct CloseCase {
  const char* name;
  void (*close)(tk::Form&);
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class MainFormClose : public ToolkitTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(MainFormClose, ClosingTheMainFormRunsItsCloseHandlerAndTerminates) {
  int closeRuns = 0;
  auto* f = MakeForm("Main", "form Main\n  OnClose = MainClose\nend\n",
                     Handlers{{"MainClose", tk::NotifyEvent([&] { ++closeRuns; })}});
  app.ShowMainForm();
  GetParam().close(*f);
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(closeRuns, 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, MainFormClose,
                         ::testing::Values(CloseCase{"FromCode", [](tk::Form& f) { f.Close(); }},
                                           CloseCase{"TitleBar", [](tk::Form& f) { tk::testing::UserCloseWindow(f); }}),
                         [](const ::testing::TestParamInfo<CloseCase>& i) { return std::string(i.param.name); });

TEST_F(ApplicationTest, ClosingAnotherFormHidesItAndKeepsItsContents) {
  MakeMain();
  MakeDialog();
  app.ShowMainForm();
  dialog->Show();
  EXPECT_EQ(app.ActiveForm(), dialog);
  dialog->Get<tk::Edit>("EdtName")->SetText("kept");
  tk::testing::UserCloseWindow(*dialog);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(app.Terminated());
  EXPECT_EQ(closes, 1);
  dialog->Show();
  EXPECT_EQ(dialog->Get<tk::Edit>("EdtName")->Text(), "kept");
  EXPECT_EQ(activations, 2) << "each showing activates";
}

// --- Modal showing --------------------------------------------------------------

TEST_F(ApplicationTest, ModalScriptRunsOnTheShownActivatedFormAndFocusReturnsWithoutActivation) {
  MakeMain();
  MakeDialog();
  app.ShowMainForm();
  bool scriptRan = false;
  app.QueueModalScript([&](tk::Form& f) {
    scriptRan = true;
    EXPECT_EQ(&f, dialog);
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.IsModal());
    EXPECT_EQ(app.ActiveForm(), &f);
    EXPECT_EQ(activations, 1) << "activated before the script";
    dialog->Get<tk::Edit>("EdtName")->SetText("typed");
    tk::testing::UserClick(*dialog->Get<tk::Button>("BtnOk"));
  });
  dialog->ShowModal();
  EXPECT_TRUE(scriptRan);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(dialog->IsModal());
  EXPECT_EQ(app.ActiveForm(), main);
  EXPECT_EQ(mainActivations, 1) << "the form under a modal window is not activated again";
  EXPECT_EQ(dialog->Get<tk::Edit>("EdtName")->Text(), "typed");
  EXPECT_EQ(app.ModalLog(), (std::vector<std::string>{"Dialog"}));

  app.QueueModalScript([](tk::Form& f) { f.Close(); });
  dialog->ShowModal();
  EXPECT_EQ(activations, 2) << "activation runs at each showing";
  EXPECT_EQ(closes, 2);
  EXPECT_EQ(app.PendingModalScripts(), 0u);
}

// The message a script fault ends the test with.
std::string ScriptFault(const std::function<void()>& act) {
  try {
    act();
  } catch (const tk::ScriptError& e) {
    return e.what();
  }
  return "(no script fault)";
}

TEST_F(ApplicationTest, ScriptFaultsPassTheErrorReportAndNameTheWindowAndTheControl) {
  static_assert(std::is_base_of_v<std::runtime_error, tk::ScriptError>,
                "a test ending on a script fault shows its message");
  // A pick reaches the dispatcher without Qt's frames in between, which
  // an exception must not cross.
  TestForm* f = MakeForm("Main", "form Main\n  dropdown CbxOpen\n    Items = \"a\", \"b\"\n    OnChange = CbxOpenChange\n  end\n"
                                 "  timer Timer1\n    Interval = 100\n    OnTimer = Timer1Timer\n  end\nend\n",
                         {{"CbxOpenChange", tk::NotifyEvent([this] { dialog->ShowModal(); })},
                          {"Timer1Timer", tk::NotifyEvent([this] { dialog->ShowModal(); })}});
  f->Get<tk::Timer>("Timer1")->SetEnabled(false);
  MakeDialog();
  app.ShowMainForm();
  struct Case {
    const char* name;
    std::function<void()> act;
    const char* message;
  };
  const Case cases[] = {
      {"from the test", [&] { dialog->ShowModal(); },
       "no script answers the modal window Dialog (shown while Main was active)"},
      {"from a pick", [&] { tk::testing::UserPick(tk::testing::Named<tk::DropDownList>(*f, "CbxOpen"), 1); },
       "no script answers the modal window Dialog (shown from Main.CbxOpen's handler)"},
      {"from a timer",
       [&] {
         f->Get<tk::Timer>("Timer1")->SetEnabled(true);
         clock.Advance(100);
       },
       "no script answers the modal window Dialog (shown from Main.Timer1's handler)"},
      {"left open",
       [&] {
         app.QueueModalScript([](tk::Form&) {});
         tk::testing::UserPick(tk::testing::Named<tk::DropDownList>(*f, "CbxOpen"), 0);
       },
       "the script left the modal window Dialog open (shown from Main.CbxOpen's handler)"},
      {"another window",
       [&] {
         app.QueueModalScript("TForm12", [](tk::Form& d) { d.Close(); });
         tk::testing::UserPick(tk::testing::Named<tk::DropDownList>(*f, "CbxOpen"), 1);
       },
       "the modal window Dialog came up (shown from Main.CbxOpen's handler) where the script answers TForm12"},
      {"no such control", [&] { tk::testing::UserClick(*f, "BtnStart"); }, "the window Main has no control BtnStart"},
      {"another kind", [&] { tk::testing::Named<tk::Label>(*f, "CbxOpen"); },
       "the control Main.CbxOpen is a dropdown, not the kind the test asked for"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f->Get<tk::Timer>("Timer1")->SetEnabled(false);
    EXPECT_EQ(ScriptFault(c.act), c.message);
    EXPECT_FALSE(dialog->IsModal());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(app.ActiveForm(), f);
    EXPECT_TRUE(app.ErrorReports().empty()) << "a script fault is not the program's error";
    EXPECT_TRUE(app.PendingScripts().empty());
  }
  EXPECT_EQ(&tk::testing::Named<tk::DropDownList>(*f, "CbxOpen"), f->Get<tk::DropDownList>("CbxOpen"));
}

TEST_F(ApplicationTest, PendingScriptsAreListedForTheFixture) {
  MakeMain();
  MakeDialog();
  app.ShowMainForm();
  app.QueueModalScript("Dialog", [](tk::Form& d) { d.Close(); });
  app.QueueModalScript([](tk::Form& d) { d.Close(); });
  app.QueueModalScript("TForm12", [](tk::Form& d) { d.Close(); });
  EXPECT_EQ(app.PendingScripts(), (std::vector<std::string>{"Dialog", "any window", "TForm12"}));
  dialog->ShowModal();
  dialog->ShowModal();
  EXPECT_EQ(app.PendingScripts(), (std::vector<std::string>{"TForm12"})) << "left unused at the end of the test";
  EXPECT_EQ(app.PendingModalScripts(), 1u);
}

TEST_F(ApplicationTest, ModalCloseHandlerRunsOnceHoweverTheWindowCloses) {
  struct Case {
    const char* name;
    // What the close handler does besides counting.
    int closeAction;  // 0 nothing, 1 Close(), 2 clicks Ok from code
    // How the script closes the window.
    int scriptAction;  // 0 Close(), 1 user clicks Ok, 2 title-bar close
  };
  const Case cases[] = {
      {"plain close", 0, 0},
      {"user clicks Ok", 0, 1},
      {"title-bar close", 0, 2},
      {"close handler calls Close", 1, 0},
      {"close handler clicks Ok", 2, 1},
      {"close handler clicks Ok after title-bar close", 2, 2},
  };
  MakeMain();
  MakeDialog();
  app.ShowMainForm();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    closes = 0;
    okClicks = 0;
    dialog->OnClose = [&] {
      ++closes;
      ASSERT_LT(closes, 5) << "close recursion";
      if (c.closeAction == 1) dialog->Close();
      if (c.closeAction == 2) dialog->Get<tk::Button>("BtnOk")->Click();
    };
    app.QueueModalScript([&](tk::Form& f) {
      if (c.scriptAction == 0) f.Close();
      if (c.scriptAction == 1) tk::testing::UserClick(*dialog->Get<tk::Button>("BtnOk"));
      if (c.scriptAction == 2) tk::testing::UserCloseWindow(f);
    });
    dialog->ShowModal();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(app.ActiveForm(), main);
  }
}

TEST_F(ApplicationTest, TerminateInsideAModalWindowEndsItWithoutTheCloseHandler) {
  MakeMain();
  MakeDialog();
  app.ShowMainForm();
  app.QueueModalScript([&](tk::Form&) { app.Terminate(); });
  dialog->ShowModal();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(closes, 0);
  EXPECT_FALSE(dialog->IsModal());
}

TEST_F(ApplicationTest, NestedModalScriptsAnswerTheirOwnWindows) {
  MakeMain();
  MakeDialog();
  TestForm* inner = MakeForm("Inner", "form Inner\nend\n");
  app.ShowMainForm();
  std::vector<std::string> order;
  app.QueueModalScript([&](tk::Form& f) {
    order.push_back(f.Name());
    inner->ShowModal();
    EXPECT_EQ(app.ActiveForm(), dialog);
    f.Close();
  });
  app.QueueModalScript([&](tk::Form& f) {
    order.push_back(f.Name());
    EXPECT_EQ(app.ActiveForm(), inner);
    f.Close();
  });
  dialog->ShowModal();
  EXPECT_EQ(order, (std::vector<std::string>{"Dialog", "Inner"}));
  EXPECT_EQ(app.ActiveForm(), main);
}

// The real nested loops, not the scripted stand-in: each modal loop ends
// when its own window closes, whichever closes first.
TEST_F(ApplicationTest, RealModalLoopsEndWhenTheirWindowsClose) {
  MakeMain();
  MakeDialog();
  TestForm* inner = MakeForm("Inner", "form Inner\nend\n");
  app.ShowMainForm();
  app.SetScripted(false);
  bool outerStuck = false;
  dialog->OnActivate = [&] {
    if (inner->Visible()) return;
    tk::testing::Post([&] { inner->ShowModal(); });
  };
  inner->OnActivate = [&] {
    tk::testing::Post([&] {
      // The window below closes first, then the one on top.
      dialog->Close();
      inner->Close();
      tk::testing::Post([&] {
        // Runs in whatever loop is left: the outer one must be gone by now.
        if (dialog->IsModal()) {
          outerStuck = true;
          dialog->Close();
        }
      });
    });
  };
  dialog->ShowModal();
  app.ProcessMessages();
  EXPECT_FALSE(outerStuck) << "the outer modal loop missed its window's close";
  EXPECT_FALSE(dialog->IsModal());
  EXPECT_FALSE(inner->IsModal());
  EXPECT_EQ(app.ActiveForm(), main);
  app.SetScripted(true);
}

// --- The error report -------------------------------------------------------------

TEST_F(ApplicationTest, ErrorsEscapingDispatchedHandlersAreReportedAndTheProgramGoesOn) {
  int before = 0, after = 0, other = 0;
  TestForm* f = ShowMain(R"(form Main
  button BtnBad
    Bounds = 0, 0, 80, 25
    OnClick = BtnBadClick
  end
  button BtnGood
    Bounds = 0, 30, 80, 25
    OnClick = BtnGoodClick
  end
end
)",
                         {{"BtnBadClick", tk::NotifyEvent([&] {
                             ++before;
                             throw std::runtime_error("Cannot open file");
                             ++after;  // never reached
                           })},
                          {"BtnGoodClick", tk::NotifyEvent([&] { ++other; })}});
  tk::testing::UserClick(*f->Get<tk::Button>("BtnBad"));
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 0);
  EXPECT_EQ(app.ErrorReports(), (std::vector<std::string>{"Cannot open file"}));
  EXPECT_FALSE(app.Terminated());
  tk::testing::UserClick(*f->Get<tk::Button>("BtnGood"));
  EXPECT_EQ(other, 1) << "the program goes on";

  // The same from the other kinds of input.
  app.ClearErrorReports();
  f->OnKeyDown = [](uint16_t&, tk::ShiftState) { throw std::out_of_range("List index out of bounds (3)"); };
  f->SetKeyPreview(true);
  tk::testing::UserKey(app, 'X');
  EXPECT_EQ(app.ErrorReports(), (std::vector<std::string>{"List index out of bounds (3)"}));

  app.ClearErrorReports();
  app.Dispatch([] { throw std::logic_error("direct"); });
  EXPECT_EQ(app.ErrorReports(), (std::vector<std::string>{"direct"}));
}

// Outside scripted mode the report is a message box; keys typed at it are
// its own, not the form's under it.
TEST_F(ApplicationTest, TheErrorMessageBoxTakesItsKeysAwayFromTheForm) {
  int formKeys = 0;
  TestForm* f = ShowMain("form Main\n  KeyPreview = true\n  OnKeyDown = FormKeyDown\n"
                         "  button BtnBad\n    OnClick = BtnBadClick\n  end\nend\n",
                         {{"BtnBadClick", tk::NotifyEvent([] { throw std::runtime_error("shown in a box"); })},
                          {"FormKeyDown", tk::KeyEvent([&](uint16_t&, tk::ShiftState) { ++formKeys; })}});
  app.SetScripted(false);
  bool answered = false;
  tk::testing::Post([&] { answered = tk::testing::UserAnswerMessageBox(tk::vk::Escape); });
  tk::testing::UserClick(*f->Get<tk::Button>("BtnBad"));  // returns once the box is answered
  app.SetScripted(true);
  EXPECT_TRUE(answered);
  EXPECT_EQ(formKeys, 0) << "Esc on the message box reached the form's key preview";
  EXPECT_TRUE(app.ErrorReports().empty()) << "reported by the box, not the script log";
}

// The report's title is the program's name; its text is 8-bit program text
// (a file name in the system code page), shown as the controls show it.
TEST_F(ApplicationTest, TheErrorMessageBoxShowsTheProgramsNameAndDecodesItsText) {
  struct Case {
    const char* message;
    const char* shown;  // UTF-8
  };
  const Case cases[] = {
      {"Cannot open picture file mediafiles\\Bild\xE4.bmp", "Cannot open picture file mediafiles\\Bild\xC3\xA4.bmp"},
      {"Bitmap \x80 \x9D", "Bitmap \xE2\x82\xAC \xC2\x9D"},
      {"already UTF-8: \xC3\xA4", "already UTF-8: \xC3\xA4"},
  };
  std::string message;
  TestForm* f = ShowMain("form Main\n  button BtnBad\n    OnClick = BtnBadClick\n  end\nend\n",
                         {{"BtnBadClick", tk::NotifyEvent([&] { throw std::runtime_error(message); })}});
  app.SetScripted(false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    message = c.message;
    std::string title, text;
    bool shown = false;
    tk::testing::Post([&] {
      shown = tk::testing::ShownMessageBox(title, text);
      tk::testing::UserAnswerMessageBox(tk::vk::Return);
    });
    tk::testing::UserClick(*f->Get<tk::Button>("BtnBad"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(title, "Tovrek");
    EXPECT_EQ(text, c.shown);
  }
  app.SetScripted(true);
}

// A posted handler runs once the running handlers have returned to a
// loop, in the order posted and through the dispatcher; none runs after
// Terminate.
TEST_F(ApplicationTest, PostedHandlersRunInOrderAfterTheRunningOnes) {
  ShowMain();
  std::vector<std::string> order;
  app.Dispatch([&] {
    app.Post([&] { order.push_back("first"); });
    app.Post([&] {
      order.push_back("second");
      throw std::runtime_error("from a posted handler");
    });
    order.push_back("handler");
  });
  EXPECT_EQ(order, std::vector<std::string>{"handler"});
  app.ProcessMessages();
  EXPECT_EQ(order, (std::vector<std::string>{"handler", "first", "second"}));
  EXPECT_EQ(app.ErrorReports(), std::vector<std::string>{"from a posted handler"});
  app.ClearErrorReports();

  app.Post([&] { order.push_back("late"); });
  app.Terminate();
  app.ProcessMessages();
  EXPECT_EQ(order.size(), 3u);
  EXPECT_EQ(app.PendingPosts(), 0u);
}

TEST_F(ApplicationTest, AClickFromCodeLetsTheErrorReachTheCaller) {
  TestForm* f = ShowMain("form Main\n  button BtnBad\n    OnClick = BtnBadClick\n  end\nend\n",
                         {{"BtnBadClick", tk::NotifyEvent([] { throw std::runtime_error("from code"); })}});
  EXPECT_THROW(f->Get<tk::Button>("BtnBad")->Click(), std::runtime_error);
  EXPECT_TRUE(app.ErrorReports().empty());
}

TEST_F(ApplicationTest, ErrorsInTimerHandlersAreReportedAndTheTimerGoesOn) {
  int ticks = 0;
  ShowMain("form Main\n  timer Timer1\n    Interval = 100\n    OnTimer = Tick\n  end\nend\n",
           {{"Tick", tk::NotifyEvent([&] {
               ++ticks;
               throw std::runtime_error("tick failed");
             })}});
  clock.Advance(100);
  clock.Advance(150);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(app.ErrorReports().size(), 2u);
}

TEST_F(ApplicationTest, SleepGoesThroughThePlatformClockAndFiresNoTimer) {
  int ticks = 0;
  ShowMain("form Main\n  timer Timer1\n    Interval = 100\n    OnTimer = Tick\n  end\nend\n",
           {{"Tick", tk::NotifyEvent([&] { ++ticks; })}});
  tk::Sleep(200);
  tk::Sleep(300);
  EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{200, 300}));
  EXPECT_EQ(clock.NowMs(), 500u);
  EXPECT_EQ(ticks, 0) << "a sleeping user-interface thread handles no timers";
}

}  // namespace
