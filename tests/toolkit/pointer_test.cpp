// The pointer coming over a control and leaving it, and a hidden window
// shown again without an activation.
#include "toolkit_fixture.h"

namespace {

using tk_test::Handlers;
using tk_test::TestForm;
using tk_test::ToolkitTest;

class PointerTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  ClientSize = 300, 200
  label Link
    Bounds = 10, 10
    Caption = "a link"
    OnMouseEnter = Enter
    OnMouseLeave = Leave
  end
  label Plain
    Bounds = 10, 40
    Caption = "plain"
  end
end
)",
                    Handlers{{"Enter", Log(log, "enter")}, {"Leave", Log(log, "leave")}});
    link = form->Get<tk::Label>("Link");
    plain = form->Get<tk::Label>("Plain");
  }
  TestForm* form = nullptr;
  tk::Label* link = nullptr;
  tk::Label* plain = nullptr;
  std::vector<std::string> log;
};

TEST_F(PointerTest, EnterAndLeaveRunTheirHandlersInTurn) {
  tk::testing::UserPointerEnter(*link);
  tk::testing::UserPointerLeave(*link);
  tk::testing::UserPointerEnter(*link);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave", "enter"}));
  // A control without the handlers is passed over quietly.
  tk::testing::UserPointerEnter(*plain);
  tk::testing::UserPointerLeave(*plain);
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(PointerTest, ADisabledControlTakesNoPointerEvents) {
  link->SetEnabled(false);
  tk::testing::UserPointerEnter(*link);
  EXPECT_TRUE(log.empty());
}

TEST_F(PointerTest, AControlWithoutACursorShowsTheWindowsCursor) {
  form->SetCursor(tk::Cursor::HandPoint);
  EXPECT_EQ(tk::testing::ShownCursor(*link), tk::Cursor::Default);
  EXPECT_EQ(tk::testing::PointerShape(*link), tk::Cursor::HandPoint);
  form->SetCursor(tk::Cursor::Default);
  EXPECT_EQ(tk::testing::PointerShape(*link), tk::Cursor::Default);
  // Its own cursor wins over the window's.
  form->SetCursor(tk::Cursor::HourGlass);
  link->SetCursor(tk::Cursor::HandPoint);
  EXPECT_EQ(tk::testing::PointerShape(*link), tk::Cursor::HandPoint);
}

class ShowInactiveTest : public ToolkitTest {};

TEST_F(ShowInactiveTest, AHiddenWindowComesBackWithoutItsActivation) {
  int mainActivations = 0;
  TestForm* main = ShowMain(R"(form Main
  OnActivate = Activate
end
)",
                            Handlers{{"Activate", tk::NotifyEvent([&] { ++mainActivations; })}});
  ASSERT_EQ(mainActivations, 1);
  TestForm* other = MakeForm("Other", R"(form Other
  OnActivate = Hide
end
)",
                             Handlers{{"Hide", tk::NotifyEvent([&] { main->Hide(); })}});
  app.QueueModalScript("Other", [&](tk::Form& f) {
    EXPECT_FALSE(main->Visible());
    main->ShowInactive();
    EXPECT_TRUE(main->Visible());
    EXPECT_EQ(app.ActiveForm(), &f);
    f.Close();
  });
  other->ShowModal();
  EXPECT_TRUE(main->Visible());
  EXPECT_EQ(app.ActiveForm(), main);
  EXPECT_EQ(mainActivations, 1);
  // Show on a hidden window activates it, as before.
  main->Hide();
  main->Show();
  EXPECT_EQ(mainActivations, 2);
}

}  // namespace
