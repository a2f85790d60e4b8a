// What a learner's clicks, picks and keys do, next to the same from code.
#include "toolkit_fixture.h"

namespace {

using tk::ShiftState;
using tk_test::Handlers;
using tk_test::TestForm;
using tk_test::ToolkitTest;

// --- Clicks -------------------------------------------------------------------------

class ClickTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  ClientSize = 300, 200
  panel Panel1
    Bounds = 0, 0, 300, 100
    button BtnInner
      Bounds = 10, 10, 80, 25
      OnClick = Count
    end
  end
  button BtnGo
    Bounds = 10, 120, 80, 25
    OnClick = Count
  end
  checkbox Chk
    Bounds = 100, 120, 80, 17
    Caption = "Check"
    OnClick = Count
  end
  label Lbl
    Bounds = 200, 120
    Caption = "Label"
    OnClick = Count
  end
end
)",
                    {{"Count", tk::NotifyEvent([this] { ++clicks; })}});
  }
  TestForm* form = nullptr;
  int clicks = 0;
};

TEST_F(ClickTest, ClickFromCodeRunsTheHandlerWhateverTheState) {
  struct Case {
    const char* name;
    bool enabled, visible;
  };
  for (const Case& c : {Case{"enabled", true, true}, Case{"disabled", false, true}, Case{"hidden", true, false},
                        Case{"disabled and hidden", false, false}}) {
    SCOPED_TRACE(c.name);
    for (const char* name : {"BtnGo", "Chk", "Lbl"}) {
      auto* ctl = form->Get<tk::Control>(name);
      ctl->SetEnabled(c.enabled);
      ctl->SetVisible(c.visible);
      clicks = 0;
      ctl->Click();
      EXPECT_EQ(clicks, 1) << name;
    }
  }
}

TEST_F(ClickTest, UserClickRunsOnlyWhatALearnerCouldReach) {
  struct Case {
    const char* name;
    const char* control;
    void (*prepare)(TestForm&);
    int expected;
  };
  const Case cases[] = {
      {"enabled button", "BtnGo", [](TestForm&) {}, 1},
      {"disabled button", "BtnGo", [](TestForm& f) { f.Get<tk::Button>("BtnGo")->SetEnabled(false); }, 0},
      {"hidden button", "BtnGo", [](TestForm& f) { f.Get<tk::Button>("BtnGo")->SetVisible(false); }, 0},
      {"button in a hidden panel", "BtnInner", [](TestForm& f) { f.Get<tk::Panel>("Panel1")->SetVisible(false); }, 0},
      {"button in a disabled panel", "BtnInner", [](TestForm& f) { f.Get<tk::Panel>("Panel1")->SetEnabled(false); },
       0},
      {"enabled label", "Lbl", [](TestForm&) {}, 1},
      {"disabled label", "Lbl", [](TestForm& f) { f.Get<tk::Label>("Lbl")->SetEnabled(false); }, 0},
      {"enabled check box", "Chk", [](TestForm&) {}, 1},
      {"disabled check box", "Chk", [](TestForm& f) { f.Get<tk::CheckBox>("Chk")->SetEnabled(false); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (tk::Component* comp : form->Components())
      if (auto* ctl = dynamic_cast<tk::Control*>(comp)) {
        ctl->SetEnabled(true);
        ctl->SetVisible(true);
      }
    c.prepare(*form);
    clicks = 0;
    tk::testing::UserClick(*form->Get<tk::Control>(c.control));
    EXPECT_EQ(clicks, c.expected);
  }
}

// --- Drop-down lists ------------------------------------------------------------------

class DropDownTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  dropdown Cbx
    Bounds = 10, 10, 150, 21
    OnClick = CbxClick
    OnChange = CbxChange
  end
end
)",
                    {{"CbxClick", Log(events, "click")}, {"CbxChange", Log(events, "change")}});
    list = form->Get<tk::DropDownList>("Cbx");
  }
  TestForm* form = nullptr;
  tk::DropDownList* list = nullptr;
  std::vector<std::string> events;
};

TEST_F(DropDownTest, ItemsAddDeleteAndClear) {
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->Text(), "");
  EXPECT_EQ(list->AddItem("Learning"), 0);
  EXPECT_EQ(list->AddItem("Practice"), 1);
  EXPECT_EQ(list->AddItem("Test"), 2);
  list->SetItemIndex(2);
  EXPECT_EQ(list->Text(), "Test");
  list->DeleteItem(0);
  EXPECT_EQ(list->Items(), (std::vector<std::string>{"Practice", "Test"}));
  EXPECT_EQ(list->ItemIndex(), 1) << "the selection follows its item";
  EXPECT_EQ(list->Text(), "Test");
  list->DeleteItem(1);
  EXPECT_EQ(list->ItemIndex(), -1) << "deleting the selected item leaves no selection";
  EXPECT_EQ(list->Text(), "");
  EXPECT_THROW(list->DeleteItem(5), std::out_of_range);
  list->SetItemIndex(0);
  list->ClearItems();
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->Text(), "");
  list->SetItemIndex(3);
  EXPECT_EQ(list->ItemIndex(), -1) << "out of range selects nothing";
  EXPECT_TRUE(events.empty()) << "nothing from code runs a handler";
}

TEST_F(DropDownTest, IndexOfComparesWholeItemsIgnoringOnlyLetterCase) {
  list->SetItems({"Regular", "Random", "caf\xE9", "Random "});
  struct Case {
    const char* value;
    int index;
  };
  const Case cases[] = {
      {"Regular", 0}, {"REGULAR", 0}, {"regular", 0}, {"Random", 1},   {"Random ", 3}, {"Rand", -1},
      {"Regular ", -1}, {"", -1},    {"CAF\xE9", 2},   {"caf\xC9", -1},  // only a..z fold
  };
  for (const Case& c : cases) EXPECT_EQ(list->IndexOf(c.value), c.index) << '"' << c.value << '"';
}

TEST_F(DropDownTest, SortedListsKeepAlphabeticalOrderIgnoringCase) {
  list->SetItems({"pear", "Apple", "banana"});
  list->SetItemIndex(0);
  list->SetSorted(true);
  EXPECT_EQ(list->Items(), (std::vector<std::string>{"Apple", "banana", "pear"}));
  EXPECT_EQ(list->Text(), "pear") << "the selection survives sorting";
  EXPECT_EQ(list->AddItem("Cherry"), 2);
  EXPECT_EQ(list->AddItem("aardvark"), 0);
  EXPECT_EQ(list->Items(), (std::vector<std::string>{"aardvark", "Apple", "banana", "Cherry", "pear"}));
  EXPECT_EQ(list->Text(), "pear");
}

// The program's collation: a to z upper-cased, then bytes as unsigned; so
// '_' and '[' sort after the capitals and accented bytes after everything.
TEST_F(DropDownTest, SortedListsUseTheProgramsCollation) {
  struct Case {
    std::vector<std::string> added;
    std::vector<std::string> sorted;
  };
  const Case cases[] = {
      {{"a_b", "ab", "AC"}, {"ab", "AC", "a_b"}},
      {{"[x", "Zeta", "zebra"}, {"zebra", "Zeta", "[x"}},
      {{"caf\xE9", "cafe", "CAFF", "caf"}, {"caf", "cafe", "CAFF", "caf\xE9"}},
      {{"ab", "AB", "Ab"}, {"ab", "AB", "Ab"}},  // equal ones keep their order
      {{"b", "", "A"}, {"", "A", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.added.front());
    list->SetSorted(false);
    list->ClearItems();
    list->SetSorted(true);
    for (const std::string& item : c.added) list->AddItem(item);
    EXPECT_EQ(list->Items(), c.sorted) << "added one by one";
    list->SetSorted(false);
    list->SetItems(c.added);
    list->SetSorted(true);
    EXPECT_EQ(list->Items(), c.sorted) << "sorted afterwards";
  }
}

TEST_F(DropDownTest, UserPickRunsClickThenChangeAndCodeRunsNothing) {
  list->SetItems({"Learning", "Practice", "Test"});
  list->SetItemIndex(1);
  EXPECT_TRUE(events.empty());
  tk::testing::UserPick(*list, 2);
  EXPECT_EQ(list->Text(), "Test");
  EXPECT_EQ(events, (std::vector<std::string>{"click", "change"}));

  events.clear();
  list->SetEnabled(false);
  tk::testing::UserPick(*list, 0);
  EXPECT_EQ(list->Text(), "Test") << "a disabled list ignores the learner";
  EXPECT_TRUE(events.empty());
}

TEST_F(DropDownTest, KeyPressHandlerThatZeroesTheCharacterSwallowsIt) {
  list->SetItems({"Apple", "Banana", "Cherry"});
  list->SetItemIndex(0);
  ASSERT_TRUE(list->SetFocus());
  std::string seen;
  list->OnKeyPress = [&](char& ch) {
    seen += ch;
    if (ch == 'b') ch = 0;
  };
  tk::testing::UserType(app, "b");
  EXPECT_EQ(seen, "b");
  EXPECT_EQ(list->Text(), "Apple") << "the swallowed key did not search the list";
  EXPECT_TRUE(events.empty());
  tk::testing::UserType(app, "c");
  EXPECT_EQ(seen, "bc");
  EXPECT_EQ(list->Text(), "Cherry") << "other keys reach the list";
  EXPECT_EQ(events, (std::vector<std::string>{"click", "change"}));
}

// --- Check boxes ----------------------------------------------------------------------

TEST_F(ToolkitTest, CheckBoxRunsOnClickOnEveryChangeOfState) {
  int clicks = 0;
  TestForm* f = ShowMain("form Main\n  checkbox Chk\n    Bounds = 10, 10, 100, 17\n    Caption = \"Swop\"\n"
                         "    OnClick = ChkClick\n  end\nend\n",
                         {{"ChkClick", tk::NotifyEvent([&] { ++clicks; })}});
  auto* chk = f->Get<tk::CheckBox>("Chk");
  struct Step {
    bool user;
    bool set;  // from code: the state set
    bool checked;
    int clicks;
  };
  const Step steps[] = {
      {false, false, false, 0},  // unchanged: nothing
      {false, true, true, 1},   {false, true, true, 1},  // set twice: one click
      {false, false, false, 2}, {true, false, true, 3},  // the learner toggles
      {true, false, false, 4},
  };
  for (const Step& s : steps) {
    if (s.user) tk::testing::UserClick(*chk);
    else chk->SetChecked(s.set);
    EXPECT_EQ(chk->Checked(), s.checked);
    EXPECT_EQ(clicks, s.clicks);
  }
  chk->SetEnabled(false);
  tk::testing::UserClick(*chk);
  EXPECT_FALSE(chk->Checked());
  EXPECT_EQ(clicks, 4);
}

// A click anywhere in a check box's bounds toggles it, also past the end of
// a short caption (the test click lands in the middle of the bounds).
TEST_F(ToolkitTest, CheckBoxTogglesOnAClickAnywhereInItsBounds) {
  struct Case {
    const char* caption;
    int width;
  };
  const Case cases[] = {{" Eliminator", 200}, {"Swop", 400}, {"", 120}, {"A caption longer than its box", 60}};
  std::string layout = "form Main\n";
  for (size_t i = 0; i < std::size(cases); ++i)
    layout += "  checkbox Chk" + std::to_string(i) + "\n    Bounds = 10, " + std::to_string(10 + 25 * i) + ", " +
              std::to_string(cases[i].width) + ", 17\n    OnClick = ChkClick\n  end\n";
  int clicks = 0;
  TestForm* f = ShowMain(layout + "end\n", {{"ChkClick", tk::NotifyEvent([&] { ++clicks; })}});
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(std::string("\"") + cases[i].caption + "\" in " + std::to_string(cases[i].width));
    auto* chk = f->Get<tk::CheckBox>("Chk" + std::to_string(i));
    chk->SetCaption(cases[i].caption);
    clicks = 0;
    tk::testing::UserClick(*chk);
    EXPECT_TRUE(chk->Checked());
    tk::testing::UserClick(*chk);
    EXPECT_FALSE(chk->Checked());
    EXPECT_EQ(clicks, 2);
  }
}

// --- Focus ------------------------------------------------------------------------------

class FocusTest : public ToolkitTest {
 public:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  ClientSize = 300, 200
  button BtnA
    Bounds = 10, 10, 80, 25
  end
  button BtnB
    Bounds = 10, 40, 80, 25
  end
  panel Panel1
    Bounds = 100, 0, 200, 100
    button BtnInPanel
      Bounds = 10, 10, 80, 25
    end
  end
end
)");
    a = form->Get<tk::Button>("BtnA");
    b = form->Get<tk::Button>("BtnB");
    inPanel = form->Get<tk::Button>("BtnInPanel");
  }
  TestForm* form = nullptr;
  tk::Button *a = nullptr, *b = nullptr, *inPanel = nullptr;
};

TEST_F(FocusTest, SetFocusMovesTheActiveControl) {
  EXPECT_EQ(form->ActiveControl(), a) << "the first tab stop has the focus on activation";
  EXPECT_TRUE(b->SetFocus());
  EXPECT_EQ(form->ActiveControl(), b);
  EXPECT_TRUE(b->Focused());
  EXPECT_FALSE(a->Focused());
  EXPECT_EQ(tk::testing::WidgetFocus(*form), b);
}

TEST_F(FocusTest, ControlsThatCannotTakeTheFocusRefuseIt) {
  struct Case {
    const char* name;
    tk::Control* (*pick)(FocusTest&);
  };
  const Case cases[] = {
      {"disabled", [](FocusTest& t) -> tk::Control* { t.b->SetEnabled(false); return t.b; }},
      {"hidden", [](FocusTest& t) -> tk::Control* { t.b->SetVisible(false); return t.b; }},
      {"in a hidden panel", [](FocusTest& t) -> tk::Control* { t.form->Get<tk::Panel>("Panel1")->SetVisible(false); return t.inPanel; }},
      {"in a disabled panel", [](FocusTest& t) -> tk::Control* { t.form->Get<tk::Panel>("Panel1")->SetEnabled(false); return t.inPanel; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (tk::Control* ctl : {static_cast<tk::Control*>(b), static_cast<tk::Control*>(inPanel),
                             static_cast<tk::Control*>(form->Get<tk::Panel>("Panel1"))}) {
      ctl->SetEnabled(true);
      ctl->SetVisible(true);
    }
    ASSERT_TRUE(a->SetFocus());
    tk::Control* target = c.pick(*this);
    EXPECT_FALSE(target->CanFocus());
    EXPECT_FALSE(target->SetFocus());
    EXPECT_EQ(form->ActiveControl(), a) << "the focus stays where it was";
    EXPECT_FALSE(target->Focused());
  }
}

TEST_F(FocusTest, HidingTheFocusedControlGivesUpTheFocus) {
  ASSERT_TRUE(b->SetFocus());
  b->SetVisible(false);
  EXPECT_FALSE(b->Focused());
  EXPECT_NE(form->ActiveControl(), b);
}

TEST_F(FocusTest, FocusSetUnderAModalWindowTakesEffectWhenItCloses) {
  TestForm* dialog = MakeForm("Dialog", "form Dialog\n  button BtnOk\n    Bounds = 0, 0, 80, 25\n  end\nend\n");
  ASSERT_TRUE(a->SetFocus());
  app.QueueModalScript([&](tk::Form& f) {
    EXPECT_TRUE(b->SetFocus()) << "allowed on a form that is not active";
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_EQ(f.ActiveControl(), dialog->Get<tk::Button>("BtnOk")) << "the modal window keeps its own focus";
    f.Close();
  });
  dialog->ShowModal();
  app.ProcessMessages();  // let the window system settle its activation
  EXPECT_EQ(app.ActiveForm(), form);
  EXPECT_EQ(form->ActiveControl(), b);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(tk::testing::WidgetFocus(*form), b);
}

// --- Keys -------------------------------------------------------------------------------

class KeyTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  KeyPreview = true
  button BtnStart
    Bounds = 10, 10, 80, 25
    Caption = "&Start"
    OnClick = BtnStartClick
  end
  edit Edt
    Bounds = 10, 40, 120, 21
  end
end
)",
                    {{"BtnStartClick", Log(log, "start clicked")}});
    button = form->Get<tk::Button>("BtnStart");
    edit = form->Get<tk::Edit>("Edt");
  }
  TestForm* form = nullptr;
  tk::Button* button = nullptr;
  tk::Edit* edit = nullptr;
  std::vector<std::string> log;
};

TEST_F(KeyTest, TheFormPreviewsKeysAndCanSwallowThem) {
  ASSERT_TRUE(button->SetFocus());
  form->OnKeyDown = [&](uint16_t& key, ShiftState) {
    log.push_back("form " + std::to_string(key));
    if (key == tk::vk::Escape) key = 0;
  };
  button->OnKeyDown = [&](uint16_t& key, ShiftState) { log.push_back("button " + std::to_string(key)); };
  tk::testing::UserKey(app, tk::vk::F1);
  tk::testing::UserKey(app, tk::vk::Escape);
  tk::testing::UserKey(app, tk::vk::F1);
  EXPECT_EQ(log, (std::vector<std::string>{"form 112", "button 112", "form 27", "form 112", "button 112"}));

  log.clear();
  form->SetKeyPreview(false);
  tk::testing::UserKey(app, tk::vk::Escape);
  EXPECT_EQ(log, (std::vector<std::string>{"button 27"})) << "without key preview the form sees nothing";
}

TEST_F(KeyTest, AKeyThatOpensAModalWindowIsHandledOnce) {
  TestForm* dialog = MakeForm("Dialog", "form Dialog\n  KeyPreview = true\n  button BtnOk\n  end\nend\n");
  dialog->OnKeyDown = [&](uint16_t& key, ShiftState) {
    if (key == tk::vk::Escape) dialog->Close();
  };
  int escapes = 0;
  form->OnKeyDown = [&](uint16_t& key, ShiftState) {
    if (key != tk::vk::Escape) return;
    ++escapes;
    app.QueueModalScript([](tk::Form& f) { tk::testing::UserKey(f.App(), tk::vk::Escape); });
    dialog->ShowModal();
  };
  // The button ignores Esc, so Qt offers the key to its parents too.
  ASSERT_TRUE(button->SetFocus());
  tk::testing::UserKey(app, tk::vk::Escape);
  EXPECT_EQ(escapes, 1);
  EXPECT_EQ(app.ModalLog(), (std::vector<std::string>{"Dialog"}));
  tk::testing::UserKey(app, tk::vk::Escape);
  EXPECT_EQ(escapes, 2);
}

struct KeyCase {
  const char* name;
  uint16_t key;
  ShiftState shift;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyMapping : public KeyTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyMapping, HandlersSeeTheKeyCodeAndShiftState) {
  ASSERT_TRUE(button->SetFocus());
  std::vector<std::pair<uint16_t, ShiftState>> seen;
  button->OnKeyDown = [&](uint16_t& key, ShiftState shift) { seen.emplace_back(key, shift); };
  // Twice: a key pressed again must arrive again. An arrow moves the focus
  // on from a button, so the focus is put back first.
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(button->SetFocus());
    tk::testing::UserKey(app, GetParam().key, GetParam().shift);
  }
  ASSERT_EQ(seen.size(), 2u);
  for (const auto& [key, shift] : seen) {
    EXPECT_EQ(key, GetParam().key);
    EXPECT_EQ(shift, GetParam().shift);
  }
}

constexpr ShiftState kNone{};
constexpr ShiftState kCtrl{false, true, false};
constexpr ShiftState kShift{true, false, false};
constexpr ShiftState kAlt{false, false, true};
constexpr ShiftState kCtrlShift{true, true, false};

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyMapping,
    ::testing::Values(KeyCase{"Esc", 27, kNone}, KeyCase{"PageUp", 33, kNone}, KeyCase{"PageDown", 34, kNone},
                      KeyCase{"End", 35, kNone}, KeyCase{"Home", 36, kNone}, KeyCase{"Ins", 45, kNone},
                      KeyCase{"Del", 46, kNone}, KeyCase{"F1", 112, kNone}, KeyCase{"F4", 115, kAlt},
                      KeyCase{"CtrlHome", 36, kCtrl}, KeyCase{"CtrlEnd", 35, kCtrl},
                      KeyCase{"CtrlPageUp", 33, kCtrl}, KeyCase{"CtrlShiftPageDown", 34, kCtrlShift},
                      KeyCase{"ShiftEsc", 27, kShift}, KeyCase{"LetterA", 'A', kNone},
                      KeyCase{"ShiftZ", 'Z', kShift}, KeyCase{"CtrlC", 'C', kCtrl}, KeyCase{"Digit7", '7', kNone},
                      KeyCase{"Left", 37, kNone}, KeyCase{"Down", 40, kNone}, KeyCase{"Return", 13, kNone},
                      KeyCase{"Back", 8, kNone}),
    [](const ::testing::TestParamInfo<KeyCase>& i) { return std::string(i.param.name); });

TEST_F(KeyTest, KeyPressHandlersGetTheTypedCharacters) {
  ASSERT_TRUE(edit->SetFocus());
  std::string seen;
  edit->OnKeyPress = [&](char& ch) { seen += ch; };
  tk::testing::UserType(app, "aB1 aa");
  EXPECT_EQ(seen, "aB1 aa");
  EXPECT_EQ(edit->Text(), "aB1 aa");

  seen.clear();
  tk::testing::UserKey(app, tk::vk::Back);
  tk::testing::UserKey(app, tk::vk::Escape);
  EXPECT_EQ(seen, std::string("\x08\x1b"));
}

TEST_F(KeyTest, KeyPressFilterCanDropOrReplaceCharacters) {
  ASSERT_TRUE(edit->SetFocus());
  int changes = 0;
  edit->OnChange = [&] { ++changes; };
  edit->OnKeyPress = [](char& ch) {
    if (ch >= '0' && ch <= '9') ch = 0;  // no digits
    else if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
  };
  tk::testing::UserType(app, "a1b2");
  EXPECT_EQ(edit->Text(), "AB");
  EXPECT_EQ(changes, 2);
}

// --- Captions and accelerators ----------------------------------------------------------

TEST_F(ToolkitTest, CaptionsShowWithoutTheirAcceleratorMarks) {
  TestForm* f = ShowMain(R"(form Main
  button Btn
  end
  label Lbl
  end
  checkbox Chk
  end
  panel Pnl
  end
end
)");
  struct Case {
    const char* caption;
    const char* shown;
  };
  const Case cases[] = {
      {"&Start", "Start"},         {"Swop Q && A", "Swop Q & A"}, {"Au&tomatic  Advance", "Automatic  Advance"},
      {"No accelerator", "No accelerator"}, {"&&&Both", "&Both"},    {"Trailing&", "Trailing&"},
      {"", ""},
  };
  for (const char* name : {"Btn", "Lbl", "Chk", "Pnl"}) {
    auto* ctl = f->Get<tk::Control>(name);
    for (const Case& c : cases) {
      if (auto* b = dynamic_cast<tk::Button*>(ctl)) b->SetCaption(c.caption);
      if (auto* l = dynamic_cast<tk::Label*>(ctl)) l->SetCaption(c.caption);
      if (auto* k = dynamic_cast<tk::CheckBox*>(ctl)) k->SetCaption(c.caption);
      if (auto* p = dynamic_cast<tk::Panel*>(ctl)) p->SetCaption(c.caption);
      EXPECT_EQ(tk::testing::DisplayedText(*ctl), c.shown) << name << " " << c.caption;
    }
  }
  auto* b = f->Get<tk::Button>("Btn");
  b->SetCaption("&Reset");
  EXPECT_EQ(b->Caption(), "&Reset") << "the caption is kept exactly as set";
}

TEST_F(KeyTest, AltAndTheAcceleratorLetterClicksTheButton) {
  ASSERT_TRUE(edit->SetFocus());
  tk::testing::UserKey(app, 'S', kAlt);
  EXPECT_EQ(log, (std::vector<std::string>{"start clicked"}));
  tk::testing::UserKey(app, 'T', kAlt);
  EXPECT_EQ(log.size(), 1u) << "no button has T";
  button->SetEnabled(false);
  tk::testing::UserKey(app, 'S', kAlt);
  EXPECT_EQ(log.size(), 1u) << "a disabled button ignores its accelerator";
  button->SetEnabled(true);
  button->SetCaption("Swop Q && A");
  tk::testing::UserKey(app, 'A', kAlt);
  EXPECT_EQ(log.size(), 1u) << "&& makes no accelerator";
}

// --- A radio group from the keyboard -----------------------------------------------------

class RadioKeyTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain(R"(form Main
  ClientSize = 300, 220
  button BtnBefore
    Bounds = 10, 10, 80, 25
  end
  radiogroup Rg
    Bounds = 10, 40, 200, 100
    Caption = "Interval"
    Columns = 2
    Items = "1", "2", "3", "4"
    ItemIndex = 1
    OnClick = RgClick
  end
  button BtnAfter
    Bounds = 10, 150, 80, 25
  end
end
)",
                    {{"RgClick", tk::NotifyEvent([this] { clicks.push_back(rg->ItemIndex()); })}});
    rg = form->Get<tk::RadioGroup>("Rg");
    before = form->Get<tk::Button>("BtnBefore");
    after = form->Get<tk::Button>("BtnAfter");
  }
  void Key(uint16_t key, ShiftState shift = {}) { tk::testing::UserKey(app, key, shift); }
  int FocusedItem() { return tk::testing::FocusedItem(*rg); }

  TestForm* form = nullptr;
  tk::RadioGroup* rg = nullptr;
  tk::Button *before = nullptr, *after = nullptr;
  std::vector<int> clicks;  // the index each OnClick saw
};

TEST_F(RadioKeyTest, TabEntersOnTheCheckedItemAndLeavesToTheNextControl) {
  ASSERT_TRUE(before->Focused());
  Key(tk::vk::Tab);
  EXPECT_TRUE(rg->Focused());
  EXPECT_EQ(FocusedItem(), 1) << "the checked item, not the frame or the first item";
  Key(tk::vk::Tab);
  EXPECT_TRUE(after->Focused()) << "the other items are no tab stops";
  Key(tk::vk::Tab, {.Shift = true});
  EXPECT_EQ(FocusedItem(), 1) << "Shift+Tab comes back to the checked item";
  Key(tk::vk::Tab, {.Shift = true});
  EXPECT_TRUE(before->Focused());

  rg->SetItemIndex(3);
  Key(tk::vk::Tab);
  EXPECT_EQ(FocusedItem(), 3) << "the stop follows a selection made from code";
  EXPECT_EQ(clicks, (std::vector<int>{3})) << "Tab itself selects nothing";

  rg->SetItemIndex(-1);
  after->SetFocus();
  Key(tk::vk::Tab, {.Shift = true});
  EXPECT_EQ(FocusedItem(), 0) << "with nothing checked, the first item";
  EXPECT_EQ(rg->ItemIndex(), -1);

  rg->SetEnabled(false);
  before->SetFocus();
  Key(tk::vk::Tab);
  EXPECT_TRUE(after->Focused()) << "a disabled group is passed over";
}

TEST_F(RadioKeyTest, ArrowsMoveTheSelectionThroughTheItemsAndWrapRound) {
  struct Step {
    uint16_t key;
    int index;
  } const steps[] = {{tk::vk::Right, 2}, {tk::vk::Down, 3}, {tk::vk::Down, 0}, {tk::vk::Left, 3},
                     {tk::vk::Up, 2},    {tk::vk::Up, 1},   {tk::vk::Up, 0},   {tk::vk::Up, 3}};
  before->SetFocus();
  Key(tk::vk::Tab);
  ASSERT_EQ(FocusedItem(), 1);
  std::vector<int> expected;
  for (const Step& s : steps) {
    SCOPED_TRACE("key " + std::to_string(s.key) + " to " + std::to_string(s.index));
    Key(s.key);
    expected.push_back(s.index);
    EXPECT_EQ(rg->ItemIndex(), s.index);
    EXPECT_EQ(FocusedItem(), s.index) << "the focus moves with the selection";
    EXPECT_EQ(clicks, expected) << "one click per key, after the selection moved";
  }
  Key(tk::vk::Tab);
  EXPECT_TRUE(after->Focused());
  Key(tk::vk::Tab, {.Shift = true});
  EXPECT_EQ(FocusedItem(), 3) << "the group is entered on the item the keys chose";
}

TEST_F(RadioKeyTest, OtherKeysInTheGroupChangeNothing) {
  before->SetFocus();
  Key(tk::vk::Tab);
  for (uint16_t key : {tk::vk::Escape, tk::vk::Home, tk::vk::End, tk::vk::Prior, uint16_t{'X'}}) {
    SCOPED_TRACE(key);
    Key(key);
    EXPECT_EQ(rg->ItemIndex(), 1);
    EXPECT_EQ(FocusedItem(), 1);
  }
  Key(tk::vk::Right, {.Ctrl = true});
  EXPECT_EQ(rg->ItemIndex(), 1) << "Ctrl+arrow is no step";
  EXPECT_TRUE(clicks.empty());
}

TEST_F(RadioKeyTest, ItemsSetWhileShownKeepTheGroupsPlaceInTheTabOrder) {
  rg->SetItems({"a", "b", "c"});
  before->SetFocus();
  Key(tk::vk::Tab);
  EXPECT_EQ(FocusedItem(), 1);
  Key(tk::vk::Right);
  EXPECT_EQ(FocusedItem(), 2);
  Key(tk::vk::Tab);
  EXPECT_TRUE(after->Focused());
}

TEST_F(RadioKeyTest, ArrowsInADisabledGroupDoNothing) {
  before->SetFocus();
  Key(tk::vk::Tab);
  ASSERT_EQ(FocusedItem(), 1);
  rg->SetEnabled(false);
  Key(tk::vk::Right);
  EXPECT_EQ(rg->ItemIndex(), 1);
  EXPECT_TRUE(clicks.empty());
}

}  // namespace
