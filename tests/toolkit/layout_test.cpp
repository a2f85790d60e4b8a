// Stored layouts: the text format, building a form, binding handlers by
// name, and the mistakes a layout can hold.
#include "toolkit/shell_action.h"
#include "toolkit_fixture.h"

namespace {

using tk_test::Handlers;
using tk_test::TestForm;
using tk_test::ToolkitTest;

TEST(LayoutParse, ValuesOfEveryShape) {
  const tk::LayoutNode root = tk::ParseLayout(R"(form Form10
  # a comment
  Caption = "Say ""hi"", then go"
  ClientSize = 528, 239
  Color = $00FFFF
  Offset = -12
  Position = ScreenCenter
  KeyPreview = true
  Lines = [
    "one"

    # skipped
    "two, three"
  ]
  panel Panel1
    Bounds = 36, 24, 457, 49
  end
end
)",
                                                 "test.layout");
  EXPECT_EQ(root.kind, "form");
  EXPECT_EQ(root.name, "Form10");
  ASSERT_EQ(root.properties.size(), 7u);
  auto prop = [&](size_t i) -> const tk::LayoutValue& { return root.properties[i].second; };
  EXPECT_EQ(prop(0).AsString(), "Say \"hi\", then go");
  EXPECT_EQ(prop(0).line, 3);
  ASSERT_EQ(prop(1).AsList().size(), 2u);
  EXPECT_EQ(prop(1).AsList()[1].AsInt(), 239);
  EXPECT_EQ(prop(2).AsColor(), tk::clYellow);
  EXPECT_EQ(prop(3).AsInt(), -12);
  EXPECT_EQ(prop(4).AsIdentifier(), "ScreenCenter");
  EXPECT_TRUE(prop(5).AsBool());
  EXPECT_EQ(prop(6).AsStrings(), (std::vector<std::string>{"one", "two, three"}));
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].kind, "panel");
  EXPECT_EQ(root.children[0].line, 15);
  EXPECT_THROW(prop(0).AsInt(), tk::LayoutError);
  EXPECT_THROW(prop(3).AsBool(), tk::LayoutError);
  EXPECT_THROW(prop(4).AsString(), tk::LayoutError);
}

TEST(LayoutParse, FontsFromLayoutValues) {
  const tk::LayoutNode root = tk::ParseLayout(
      "form F\n  A = \"Tahoma\", 19, Bold, White\n  B = 13\n  C = Italic, Underline, Navy\nend\n", "f");
  tk::Font base;
  const tk::Font a = tk::FontFromLayout(root.properties[0].second, base);
  EXPECT_EQ(a.Name, "Tahoma");
  EXPECT_EQ(a.Height, 19);
  EXPECT_TRUE(a.Bold);
  EXPECT_EQ(a.FontColor, tk::clWhite);
  const tk::Font b = tk::FontFromLayout(root.properties[1].second, a);
  EXPECT_EQ(b.Name, "Tahoma") << "only what is named changes";
  EXPECT_EQ(b.Height, 13);
  EXPECT_TRUE(b.Bold);
  const tk::Font c = tk::FontFromLayout(root.properties[2].second, base);
  EXPECT_TRUE(c.Italic);
  EXPECT_TRUE(c.Underline);
  EXPECT_EQ(c.FontColor, tk::clNavy);
}

class LayoutTest : public ToolkitTest {};

TEST_F(LayoutTest, BuildsTheFormAndBindsHandlersByName) {
  int okClicks = 0, activations = 0;
  std::string keys;
  TestForm* f = ShowMain(R"(form Form10
  Caption = "Tovrek"
  ClientSize = 528, 239
  BorderStyle = Single
  BorderIcons = SystemMenu
  Position = ScreenCenter
  Color = Yellow
  OnActivate = FormActivate
  panel Panel1
    Bounds = 36, 24, 457, 49
    Caption = "Tovrek Encountered a Problem"
    Font = "Tahoma", 19, Bold, White
    Color = Red
    label Inner
      Bounds = 2, 2
      Caption = "x"
    end
  end
  listbox ListBox
    Bounds = 360, 102, 133, 91
    Color = Cream
    TabStop = false
  end
  button BtnOk
    Bounds = 208, 192, 113, 33
    Caption = "&Ok"
    Font = "Tahoma", 16
    OnClick = BtnOkClick
    OnKeyDown = BtnOkKeyDown
  end
  timer Timer1
    Enabled = false
    Interval = 15000
  end
  shellaction FileRun2
    FileName = "index.htm"
    Directory = "Browser"
  end
end
)",
                         {{"BtnOkClick", tk::NotifyEvent([&] { ++okClicks; })},
                          {"FormActivate", tk::NotifyEvent([&] { ++activations; })},
                          {"BtnOkKeyDown", tk::KeyEvent([&](uint16_t& key, tk::ShiftState) { keys += std::to_string(key); })}},
                         "Form10");
  EXPECT_EQ(f->Caption(), "Tovrek");
  EXPECT_EQ(f->ClientWidth(), 528);
  EXPECT_EQ(f->GetColor(), tk::clYellow);
  EXPECT_EQ(f->GetBorderStyle(), tk::BorderStyle::Single);
  EXPECT_EQ(f->BorderIcons(), static_cast<unsigned>(tk::BorderIcon::SystemMenu));
  EXPECT_TRUE(f->CenteredOnShow());
  EXPECT_EQ(activations, 1);

  tk::Panel* panel = nullptr;
  f->Bind(panel, "Panel1");
  EXPECT_EQ(panel->Left(), 36);
  EXPECT_EQ(panel->Width(), 457);
  EXPECT_EQ(panel->Caption(), "Tovrek Encountered a Problem");
  EXPECT_EQ(panel->GetFont().Name, "Tahoma");
  EXPECT_EQ(panel->GetFont().Height, 19);
  EXPECT_TRUE(panel->GetFont().Bold);
  EXPECT_EQ(panel->GetFont().FontColor, tk::clWhite);
  EXPECT_EQ(panel->GetColor(), tk::clRed);
  auto* inner = f->Get<tk::Label>("Inner");
  EXPECT_EQ(inner->Parent(), panel);
  EXPECT_EQ(inner->GetFont().Name, "Tahoma") << "a child starts with its parent's font";
  EXPECT_EQ(f->Get<tk::ListBox>("ListBox")->GetColor(), tk::clInfoBk);

  auto* ok = f->Get<tk::Button>("BtnOk");
  EXPECT_EQ(ok->Caption(), "&Ok");
  EXPECT_EQ(ok->Parent(), f);
  EXPECT_EQ(f->ActiveControl(), ok) << "the list box is no tab stop";
  ok->Click();
  EXPECT_EQ(okClicks, 1);
  tk::testing::UserKey(app, tk::vk::Escape);
  EXPECT_EQ(keys, "27");

  auto* t = f->Get<tk::Timer>("Timer1");
  EXPECT_FALSE(t->Enabled());
  EXPECT_EQ(t->Interval(), 15000u);
  auto* run = f->Get<tk::ShellOpenAction>("FileRun2");
  EXPECT_EQ(run->FileName, "index.htm");
  EXPECT_EQ(run->Directory, "Browser");

  std::vector<std::string> names;
  for (tk::Component* c : f->Components()) names.push_back(c->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Panel1", "Inner", "ListBox", "BtnOk", "Timer1", "FileRun2"}))
      << "in creation order";
}

TEST_F(LayoutTest, BindFindsAComponentByNameAndKind) {
  TestForm* f = MakeForm("Main", "form Main\n  button BtnOk\n  end\n  memo Memo1\n  end\nend\n");
  tk::Button* b = nullptr;
  f->Bind(b, "BtnOk");
  EXPECT_EQ(b->Name(), "BtnOk");
  EXPECT_EQ(b->KindName(), "button");
  tk::Control* any = nullptr;
  f->Bind(any, "Memo1");
  EXPECT_EQ(any->KindName(), "memo");
  tk::Memo* wrongKind = nullptr;
  EXPECT_THROW(f->Bind(wrongKind, "BtnOk"), tk::LayoutError);
  tk::Button* missing = nullptr;
  EXPECT_THROW(f->Bind(missing, "BtnCancel"), tk::LayoutError);
  EXPECT_EQ(f->FindComponent("btnok"), nullptr) << "names are exact";
}

struct BadLayout {
  const char* name;
  const char* text;
  int line;
  const char* says;
};

void PrintTo(const BadLayout& b, std::ostream* os) { *os << b.name; }

class LayoutMistakes : public ToolkitTest, public ::testing::WithParamInterface<BadLayout> {};

TEST_P(LayoutMistakes, AreReportedWithTheirLine) {
  const BadLayout& bad = GetParam();
  Handlers h{{"BtnOkClick", tk::NotifyEvent([] {})},
             {"BtnOkKeyDown", tk::KeyEvent([](uint16_t&, tk::ShiftState) {})}};
  try {
    MakeForm("Main", bad.text, h);
    FAIL() << "no LayoutError";
  } catch (const tk::LayoutError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("Main.layout:" + std::to_string(bad.line) + ":"), std::string::npos) << what;
    EXPECT_NE(what.find(bad.says), std::string::npos) << what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutMistakes,
    ::testing::Values(
        BadLayout{"UnknownKind", "form Main\n  button B\n  end\n  slider S\n  end\nend\n", 4, "unknown kind slider"},
        BadLayout{"UnknownProperty", "form Main\n  button B\n    Colour = Red\n  end\nend\n", 3, "Colour"},
        BadLayout{"UnknownFormProperty", "form Main\n  Wibble = 1\nend\n", 2, "Wibble"},
        BadLayout{"UnknownHandler", "form Main\n  button B\n    OnClick = BtnGoClick\n  end\nend\n", 3,
                  "BtnGoClick"},
        BadLayout{"WrongHandlerShape", "form Main\n  button B\n    OnClick = BtnOkKeyDown\n  end\nend\n", 3,
                  "wrong shape"},
        BadLayout{"UnknownEvent", "form Main\n  button B\n    OnChange = BtnOkClick\n  end\nend\n", 3, "OnChange"},
        BadLayout{"UnterminatedString", "form Main\n  Caption = \"Tovrek\nend\n", 2, "unterminated string"},
        BadLayout{"MissingEnd", "form Main\n  button B\n    Caption = \"x\"\nend\n", 2, "no 'end'"},
        BadLayout{"MissingFormEnd", "form Main\n  Caption = \"x\"\n", 1, "no 'end'"},
        BadLayout{"TwoComponentsOneName", "form Main\n  button B\n  end\n  label B\n  end\nend\n", 4, "two components"},
        BadLayout{"WrongValue", "form Main\n  button B\n    Enabled = maybe\n  end\nend\n", 3, "true or false"},
        BadLayout{"UnknownColour", "form Main\n  Color = Mauve\nend\n", 2, "Mauve"},
        BadLayout{"BoundsOfThree", "form Main\n  panel P\n    Bounds = 1, 2, 3\n  end\nend\n", 3, "Bounds"},
        BadLayout{"UnclosedList", "form Main\n  memo M\n    Lines = [\n      \"a\"\n", 3, "no ']'"},
        BadLayout{"OtherForm", "form Form2\nend\n", 1, "Form2"},
        BadLayout{"TextAfterEnd", "form Main\nend\nbutton B\n", 3, "after"}),
    [](const ::testing::TestParamInfo<BadLayout>& i) { return std::string(i.param.name); });

TEST_F(LayoutTest, StoredLayoutsLoadFromResourcesAndAMissingOneIsAnError) {
  TestForm* f = MakeForm("Main");
  EXPECT_THROW(f->LoadLayout("layouts/NoSuchUnit.layout", {}), tk::LayoutError);
}

}  // namespace
