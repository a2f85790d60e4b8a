// How forms and controls look: colours, fonts, rendering, sizes, hints.
#include "toolkit_fixture.h"

namespace {

using tk_test::NearRgb;
using tk_test::TestForm;
using tk_test::ToolkitTest;

// --- Colours and fonts ------------------------------------------------------------------

TEST(Colors, ValuesAreBgrAndSystemColorsUseAFixedPalette) {
  struct Case {
    tk::Color color;
    uint32_t rgb;
  };
  const Case cases[] = {
      {tk::clRed, 0xFF0000},        {tk::clBlue, 0x0000FF},      {tk::clNavy, 0x000080},
      {tk::clYellow, 0xFFFF00},     {tk::clMoneyGreen, 0xC0DCC0}, {0x00123456, 0x563412},
      {tk::clBtnFace, 0xF0F0F0},    {tk::SystemColor(15), 0xF0F0F0}, {tk::clInfoBk, 0xFFFFE1},
      {tk::SystemColor(24), 0xFFFFE1}, {tk::clWindow, 0xFFFFFF},  {tk::clWindowText, 0x000000},
      {tk::clBtnShadow, 0xA0A0A0},  {tk::clGrayText, 0x6D6D6D},  {tk::clBtnHighlight, 0xFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(tk::ColorToRgb(c.color), c.rgb) << std::hex << c.color;
}

TEST(Colors, NamesTheWindowsAreDesignedWith) {
  struct Case {
    const char* name;
    tk::Color color;
  };
  const Case cases[] = {
      {"Green (light)", tk::clMoneyGreen}, {"Blue (light)", tk::clSkyBlue}, {"Cream", tk::clInfoBk},
      {"Button Face", tk::clBtnFace},      {"Yellow", tk::clYellow},         {"Red", tk::clRed},
      {"Navy", tk::clNavy},                {"Gray", tk::clGray},             {"Silver", tk::clSilver},
      {"clBtnFace", tk::clBtnFace},        {"clInfoBk", tk::clInfoBk},       {"clWindowText", tk::clWindowText},
  };
  for (const Case& c : cases) {
    tk::Color out = 0xDEAD;
    EXPECT_TRUE(tk::ColorFromName(c.name, out)) << c.name;
    EXPECT_EQ(out, c.color) << c.name;
  }
  for (const char* unknown : {"green (light)", "Grey", "", "Light Green"}) {
    tk::Color out = 0x1234;
    EXPECT_FALSE(tk::ColorFromName(unknown, out)) << unknown;
    EXPECT_EQ(out, 0x1234u) << "left alone when unknown";
  }
}

TEST(Fonts, HeightInPixelsAndSizeInPointsAt96Dpi) {
  struct Case {
    int height;
    int size;
  };
  const Case cases[] = {{11, 8}, {13, 10}, {16, 12}, {19, 14}, {37, 28}, {15, 11}};
  for (const Case& c : cases) {
    tk::Font f;
    f.Height = c.height;
    EXPECT_EQ(f.Size(), c.size) << c.height << " px";
  }
  tk::Font f;
  f.SetSize(8);
  EXPECT_EQ(f.Height, 11);
  f.SetSize(12);
  EXPECT_EQ(f.Height, 16);
  EXPECT_EQ(tk::Font{}.Name, "MS Sans Serif");
  EXPECT_EQ(tk::Font{}.Height, 11);
}

// --- Rendering --------------------------------------------------------------------------

class RenderTest : public ToolkitTest {
 protected:
  // Counts pixels of a region near a colour.
  static int CountNear(const tk::testing::Rendering& r, int x0, int y0, int w, int h, uint32_t rgb, int tol = 40) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x)
        if (NearRgb(r.At(x, y), rgb, tol)) ++n;
    return n;
  }
  static int Darkest(const tk::testing::Rendering& r, int x0, int y0, int w, int h) {
    int best = 3 * 255;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) {
        const uint32_t p = r.At(x, y);
        best = std::min(best, static_cast<int>((p >> 16) + ((p >> 8) & 0xFF) + (p & 0xFF)));
      }
    return best;
  }
};

TEST_F(RenderTest, FormAndPanelColoursRender) {
  TestForm* f = ShowMain(R"(form Main
  ClientSize = 200, 120
  Color = Yellow
  panel PnlRed
    Bounds = 10, 10, 80, 40
    Color = clRed
  end
  panel PnlCream
    Bounds = 100, 10, 80, 40
    Color = "Cream"
    BevelOuter = None
  end
end
)");
  const auto r = tk::testing::Render(*f);
  ASSERT_EQ(r.width, 200);
  ASSERT_EQ(r.height, 120);
  EXPECT_EQ(r.At(150, 100), 0xFFFF00u) << "form colour";
  EXPECT_EQ(r.At(50, 30), 0xFF0000u) << "a panel coloured clRed renders red";
  EXPECT_EQ(tk::testing::PixelAt(*f, 50, 30), 0xFF0000u);
  EXPECT_EQ(r.At(140, 30), 0xFFFFE1u);
  f->Get<tk::Panel>("PnlRed")->SetColor(tk::clMoneyGreen);
  EXPECT_EQ(tk::testing::PixelAt(*f, 50, 30), 0xC0DCC0u) << "a new colour shows";
}

// A list's colour is the colour given, all over its text area: no shading
// that turns "Red" pink and "Yellow" pale.
TEST_F(RenderTest, DropDownListsShowTheirColourFlat) {
  TestForm* f = ShowMain(R"(form Main
  ClientSize = 360, 80
  Color = White
  button BtnFirst
    Bounds = 10, 50, 75, 25
  end
  dropdown CbxRed
    Bounds = 10, 10, 105, 21
    Color = "Red"
    Items = "Aqua", "Red"
  end
  dropdown CbxYellow
    Bounds = 125, 10, 105, 21
    Color = "Yellow"
  end
  dropdown CbxCream
    Bounds = 240, 10, 105, 21
    Color = "Cream"
    Font = "Tahoma", 11
    FontColor = White
    ItemIndex = 0
    Items = "Button Face"
  end
end
)");
  struct Case {
    const char* list;
    uint32_t rgb;
  };
  const Case cases[] = {{"CbxRed", 0xFF0000}, {"CbxYellow", 0xFFFF00}, {"CbxCream", 0xFFFFE1}};
  auto* cream = f->Get<tk::DropDownList>("CbxCream");
  cream->SetItemIndex(0);  // text over the colour
  const auto r = tk::testing::Render(*f);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    auto* list = f->Get<tk::DropDownList>(c.list);
    ASSERT_FALSE(list->Focused());
    // The text area: inside the frame, left of the button.
    const int x0 = list->Left() + 3, x1 = list->Left() + list->Width() - 20;
    const int y0 = list->Top() + 3, y1 = list->Top() + list->Height() - 3;
    int off = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (r.At(x, y) != c.rgb && list->Text().empty()) ++off;
    EXPECT_EQ(off, 0) << "pixels of the empty text area not exactly the colour";
    EXPECT_EQ(r.At(x0, (y0 + y1) / 2), c.rgb);
    EXPECT_EQ(r.At(x1 - 1, y0), c.rgb);
  }
  // With a selection the text is drawn in the font colour on the same flat colour.
  const int y = cream->Top() + cream->Height() / 2;
  EXPECT_GT(CountNear(r, cream->Left() + 3, cream->Top() + 3, 80, cream->Height() - 6, 0xFFFFFF, 60), 10)
      << "white text";
  EXPECT_EQ(r.At(cream->Left() + cream->Width() - 22, y), 0xFFFFE1u);
}

TEST_F(RenderTest, PanelBevelsAndBorder) {
  TestForm* f = ShowMain(R"(form Main
  ClientSize = 200, 60
  Color = Yellow
  panel PnlRaised
    Bounds = 0, 0, 40, 40
  end
  panel PnlLowered
    Bounds = 50, 0, 40, 40
    BevelOuter = Lowered
  end
  panel PnlNone
    Bounds = 100, 0, 40, 40
    BevelOuter = None
  end
  panel PnlSingle
    Bounds = 150, 0, 40, 40
    BevelOuter = None
    BorderStyle = Single
  end
end
)");
  const auto r = tk::testing::Render(*f);
  const uint32_t face = 0xF0F0F0, light = 0xFFFFFF, shadow = 0xA0A0A0;
  EXPECT_EQ(r.At(0, 0), light) << "raised: light top-left";
  EXPECT_EQ(r.At(39, 39), shadow) << "raised: shadow bottom-right";
  EXPECT_EQ(r.At(20, 20), face);
  EXPECT_EQ(r.At(50, 0), shadow) << "lowered: shadow top-left";
  EXPECT_EQ(r.At(89, 39), light) << "lowered: light bottom-right";
  EXPECT_EQ(r.At(100, 0), face) << "no bevel";
  EXPECT_EQ(r.At(139, 39), face);
  EXPECT_NE(r.At(150, 0), face) << "a single border draws a line";
  EXPECT_EQ(r.At(151, 1), face);
}

TEST_F(RenderTest, PanelBevelWidthDrawsEachBevelThatManyPixelsWide) {
  TestForm* f = ShowMain(R"(form Main
  ClientSize = 200, 60
  Color = Yellow
  panel PnlOne
    Bounds = 0, 0, 40, 40
  end
  panel PnlTwo
    Bounds = 50, 0, 40, 40
    BevelWidth = 2
  end
  panel PnlBoth
    Bounds = 100, 0, 40, 40
    BevelOuter = Lowered
    BevelInner = Raised
    BevelWidth = 2
  end
end
)");
  EXPECT_EQ(f->Get<tk::Panel>("PnlOne")->BevelWidth(), 1) << "one pixel unless the layout says otherwise";
  const auto r = tk::testing::Render(*f);
  const uint32_t face = 0xF0F0F0, light = 0xFFFFFF, shadow = 0xA0A0A0;
  // Along the middle of each edge, from the outside in.
  const auto left = [&](int x0, int n) {
    std::vector<uint32_t> v;
    for (int i = 0; i < n; ++i) v.push_back(r.At(x0 + i, 20));
    return v;
  };
  const auto right = [&](int x1, int n) {
    std::vector<uint32_t> v;
    for (int i = 0; i < n; ++i) v.push_back(r.At(x1 - i, 20));
    return v;
  };
  EXPECT_EQ(left(0, 2), (std::vector<uint32_t>{light, face}));
  EXPECT_EQ(right(39, 2), (std::vector<uint32_t>{shadow, face}));
  EXPECT_EQ(left(50, 3), (std::vector<uint32_t>{light, light, face}));
  EXPECT_EQ(right(89, 3), (std::vector<uint32_t>{shadow, shadow, face}));
  EXPECT_EQ(r.At(70, 1), light) << "the top edge too";
  EXPECT_EQ(r.At(70, 38), shadow) << "and the bottom";
  EXPECT_EQ(left(100, 5), (std::vector<uint32_t>{shadow, shadow, light, light, face})) << "outer, then inner";
  EXPECT_EQ(right(139, 5), (std::vector<uint32_t>{light, light, shadow, shadow, face}));
}

TEST_F(RenderTest, PanelCaptionIsCentredInItsFontColour) {
  TestForm* f = ShowMain(R"(form Main
  ClientSize = 300, 80
  panel PnlQuestion
    Bounds = 0, 0, 300, 80
    Color = White
    BevelOuter = None
    Caption = "&TOVREK"
    Font = "Tahoma", 37, Bold, Green
  end
end
)");
  const auto r = tk::testing::Render(*f);
  EXPECT_GT(CountNear(r, 100, 20, 100, 40, 0x008000), 50) << "green text in the middle";
  EXPECT_EQ(CountNear(r, 0, 0, 40, 80, 0x008000), 0) << "nothing at the left edge";
  EXPECT_EQ(tk::testing::DisplayedText(*f->Get<tk::Panel>("PnlQuestion")), "TOVREK");
}

TEST_F(RenderTest, ShapesDrawTheirPenAroundTheirBrush) {
  TestForm* f = ShowMain(R"(form Main
  ClientSize = 100, 40
  Color = White
  shape Tick
    Bounds = 10, 5, 1, 8
    PenColor = Red
  end
  shape Box
    Bounds = 40, 5, 20, 20
    PenColor = Navy
    BrushColor = Yellow
  end
end
)");
  const auto r = tk::testing::Render(*f);
  for (int y = 5; y < 13; ++y) EXPECT_EQ(r.At(10, y), 0xFF0000u) << "a 1-pixel-wide shape is a line, y " << y;
  EXPECT_EQ(r.At(11, 8), 0xFFFFFFu);
  EXPECT_EQ(r.At(10, 13), 0xFFFFFFu);
  EXPECT_EQ(r.At(40, 5), 0x000080u);
  EXPECT_EQ(r.At(59, 24), 0x000080u);
  EXPECT_EQ(r.At(50, 15), 0xFFFF00u);
}

TEST_F(RenderTest, GaugeFillsItsProgressInForeColourOverBackColour) {
  TestForm* f = ShowMain(R"(form Main
  ClientSize = 120, 20
  gauge Gauge1
    Bounds = 0, 0, 102, 10
    ForeColor = Navy
    BackColor = White
  end
end
)");
  auto* g = f->Get<tk::Gauge>("Gauge1");
  struct Case {
    int set, progress;
  };
  for (const Case& c : {Case{0, 0}, Case{50, 50}, Case{25, 25}, Case{100, 100}, Case{150, 100}, Case{-5, 0}}) {
    SCOPED_TRACE(c.set);
    g->SetProgress(c.set);
    EXPECT_EQ(g->Progress(), c.progress);
    const auto r = tk::testing::Render(*f);
    // The bar inside a 1-pixel frame is 100 pixels wide: one per percent.
    int navy = 0, white = 0;
    for (int x = 1; x <= 100; ++x) {
      if (r.At(x, 5) == 0x000080u) ++navy;
      if (r.At(x, 5) == 0xFFFFFFu) ++white;
    }
    EXPECT_EQ(navy, c.progress);
    EXPECT_EQ(white, 100 - c.progress);
    if (c.progress > 0) {
      EXPECT_EQ(r.At(1, 5), 0x000080u) << "filled from the left";
    }
  }
}

// --- Labels -------------------------------------------------------------------------------

class LabelTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    form = ShowMain(R"(form Main
  ClientSize = 300, 150
  Color = White
  label LblLeft
    Bounds = 10, 10
    Caption = "0"
    Font = "Tahoma", 15
  end
  label LblRight
    Bounds = 200, 10, 60, 18
    Alignment = Right
    Caption = "0 %"
    Font = "Tahoma", 15
  end
  label LblWrap
    Bounds = 10, 60, 60, 13
    WordWrap = true
    Caption = "School Version of the program"
    Font = "Tahoma", 13
  end
  label LblBig
    Bounds = 150, 100
    Caption = "HELLO"
    Font = "Tahoma", 24, Bold, Black
  end
end
)");
  }
  TestForm* form = nullptr;
};

TEST_F(LabelTest, AutoSizeFitsTheCaption) {
  auto* l = form->Get<tk::Label>("LblLeft");
  const int narrow = l->Width();
  EXPECT_GT(narrow, 0);
  EXPECT_GT(l->Height(), 10);
  l->SetCaption("100");
  EXPECT_GT(l->Width(), narrow);
  EXPECT_EQ(l->Left(), 10) << "a left-justified label keeps its left edge";
  l->SetCaption("&&");
  const int amp = l->Width();
  l->SetCaption("&");
  EXPECT_EQ(l->Width(), amp) << "sized by what it shows";
}

TEST_F(LabelTest, RightJustifiedAutoSizeLabelKeepsItsRightEdge) {
  auto* l = form->Get<tk::Label>("LblRight");
  const int right = l->Left() + l->Width();
  for (const char* caption : {"100 %", "7 %", "66 %", ""}) {
    l->SetCaption(caption);
    EXPECT_EQ(l->Left() + l->Width(), right) << '"' << caption << '"';
  }
  EXPECT_EQ(right, 260) << "the design's right edge";
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsDown) {
  auto* l = form->Get<tk::Label>("LblWrap");
  EXPECT_EQ(l->Width(), 60);
  EXPECT_GT(l->Height(), 2 * 13) << "several lines";
}

TEST_F(LabelTest, DisabledLabelsAreGreyed) {
  auto* l = form->Get<tk::Label>("LblBig");
  auto r = tk::testing::Render(*form);
  EXPECT_LT(Darkest(r, l->Left(), l->Top(), l->Width(), l->Height()), 60) << "black text";
  l->SetEnabled(false);
  r = tk::testing::Render(*form);
  const int darkest = Darkest(r, l->Left(), l->Top(), l->Width(), l->Height());
  EXPECT_GT(darkest, 3 * 0x60) << "no black left";
  EXPECT_LT(darkest, 3 * 0xC0) << "but visible grey text";
}

// --- Other controls -----------------------------------------------------------------------

TEST_F(ToolkitTest, RadioGroupRunsOnClickWhenTheSelectionChanges) {
  int clicks = 0;
  TestForm* f = ShowMain(R"(form Main
  radiogroup Rg
    Bounds = 0, 0, 150, 100
    Caption = "Aspect"
    Items = [
      "Stretch"
      "Proportional"
    ]
    ItemIndex = 0
    OnClick = RgClick
  end
end
)",
                         {{"RgClick", tk::NotifyEvent([&] { ++clicks; })}});
  auto* rg = f->Get<tk::RadioGroup>("Rg");
  EXPECT_EQ(rg->ItemIndex(), 0);
  EXPECT_EQ(clicks, 0) << "the design state runs nothing";
  rg->SetItemIndex(1);
  EXPECT_EQ(clicks, 1);
  rg->SetItemIndex(1);
  EXPECT_EQ(clicks, 1) << "no change, no click";
  tk::testing::UserPick(*rg, 0);
  EXPECT_EQ(rg->ItemIndex(), 0);
  EXPECT_EQ(clicks, 2);
  rg->SetEnabled(false);
  tk::testing::UserPick(*rg, 1);
  EXPECT_EQ(rg->ItemIndex(), 0);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ToolkitTest, ListBoxItemsAndPicks) {
  int clicks = 0;
  TestForm* f = ShowMain(R"(form Main
  listbox Lst
    Bounds = 0, 0, 133, 91
    Color = Cream
    TabStop = false
    OnClick = LstClick
  end
end
)",
                         {{"LstClick", tk::NotifyEvent([&] { ++clicks; })}});
  auto* lst = f->Get<tk::ListBox>("Lst");
  EXPECT_EQ(lst->AddItem("Q1: pic.jpg"), 0);
  EXPECT_EQ(lst->AddItem("Q7: text.txt"), 1);
  EXPECT_EQ(lst->ItemCount(), 2);
  lst->SetItemIndex(1);
  EXPECT_EQ(lst->ItemIndex(), 1);
  EXPECT_EQ(clicks, 0) << "from code: no handler";
  tk::testing::UserPick(*lst, 0);
  EXPECT_EQ(lst->ItemIndex(), 0);
  EXPECT_EQ(clicks, 1);
  lst->ClearItems();
  EXPECT_EQ(lst->ItemCount(), 0);
  EXPECT_EQ(lst->ItemIndex(), -1);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(lst->TabStop());
}

TEST_F(ToolkitTest, EditRunsOnChangeOnEveryChange) {
  int changes = 0;
  TestForm* f = ShowMain("form Main\n  edit Edt\n    Bounds = 0, 0, 100, 21\n    Text = \"design\"\n"
                         "    OnChange = EdtChange\n  end\nend\n",
                         {{"EdtChange", tk::NotifyEvent([&] { ++changes; })}});
  auto* e = f->Get<tk::Edit>("Edt");
  EXPECT_EQ(e->Text(), "design");
  EXPECT_EQ(changes, 0);
  e->SetText("word");
  EXPECT_EQ(changes, 1) << "from code too";
  e->SetText("word");
  EXPECT_EQ(changes, 1) << "the same text is no change";
  e->SetText("");
  ASSERT_TRUE(e->SetFocus());
  tk::testing::UserType(app, "abc");
  EXPECT_EQ(e->Text(), "abc");
  EXPECT_EQ(changes, 5);
  e->SetMaxLength(4);
  tk::testing::UserType(app, "def");
  EXPECT_EQ(e->Text(), "abcd");
}

// White captions are asked of the shut-down window's plain buttons; the
// desktop's buttons draw them black all the same, glyph buttons do not.
TEST_F(ToolkitTest, PlainButtonsKeepTheButtonTextColourGlyphButtonsTakeTheFont) {
  TestForm* f = ShowMain(R"(form Main
  button Plain
    Font = "Tahoma", 16, White
  end
  glyphbutton Glyph
    Font = "Tahoma", 16, White
  end
  label Text
    Font = "Tahoma", 16, White
  end
end
)");
  auto* plain = f->Get<tk::Button>("Plain");
  EXPECT_EQ(tk::testing::ShownTextColor(*plain), 0x000000u);
  plain->SetFontColor(tk::clRed);
  EXPECT_EQ(tk::testing::ShownTextColor(*plain), 0x000000u);
  EXPECT_EQ(plain->GetFont().FontColor, tk::clRed) << "the font keeps what was set";
  EXPECT_EQ(tk::testing::ShownTextColor(*f->Get<tk::GlyphButton>("Glyph")), 0xFFFFFFu);
  EXPECT_EQ(tk::testing::ShownTextColor(*f->Get<tk::Label>("Text")), 0xFFFFFFu);
}

TEST_F(ToolkitTest, HintsShowOnlyWhenShowHintIsOn) {
  TestForm* f = ShowMain(R"(form Main
  image Image1
    Bounds = 0, 0, 50, 50
    Hint = "Click to stretch"
  end
  button Btn
  end
end
)");
  auto* img = f->Get<tk::Image>("Image1");
  EXPECT_TRUE(img->ShowHint()) << "a design hint is shown";
  EXPECT_EQ(tk::testing::ShownHint(*img), "Click to stretch");
  img->SetShowHint(false);
  EXPECT_EQ(tk::testing::ShownHint(*img), "");
  EXPECT_EQ(img->Hint(), "Click to stretch");
  auto* b = f->Get<tk::Button>("Btn");
  b->SetHint("Press");
  EXPECT_EQ(tk::testing::ShownHint(*b), "");
  b->SetShowHint(true);
  EXPECT_EQ(tk::testing::ShownHint(*b), "Press");
  b->SetHint("Again");
  EXPECT_EQ(tk::testing::ShownHint(*b), "Again");
}

TEST_F(ToolkitTest, CursorsFollowTheControl) {
  TestForm* f = ShowMain("form Main\n  panel Pnl\n    Cursor = HandPoint\n  end\nend\n");
  auto* p = f->Get<tk::Panel>("Pnl");
  EXPECT_EQ(tk::testing::ShownCursor(*p), tk::Cursor::HandPoint);
  for (tk::Cursor c : {tk::Cursor::HourGlass, tk::Cursor::Default, tk::Cursor::HandPoint}) {
    p->SetCursor(c);
    EXPECT_EQ(p->GetCursor(), c);
    EXPECT_EQ(tk::testing::ShownCursor(*p), c);
  }
}

// --- Forms ------------------------------------------------------------------------------------

TEST_F(ToolkitTest, FormSizesWithAndWithoutFrame) {
  TestForm* f = MakeForm("Main", R"(form Main
  Caption = "Tovrek"
  ClientSize = 528, 239
  BorderStyle = Single
  BorderIcons = SystemMenu
end
)");
  EXPECT_EQ(f->Caption(), "Tovrek");
  EXPECT_EQ(f->ClientWidth(), 528);
  EXPECT_EQ(f->ClientHeight(), 239);
  EXPECT_GT(f->OuterWidth(), f->ClientWidth());
  EXPECT_GT(f->OuterHeight() - f->ClientHeight(), f->OuterWidth() - f->ClientWidth()) << "a title bar";
  f->SetOuterSize(327, 140);
  EXPECT_EQ(f->OuterWidth(), 327);
  EXPECT_EQ(f->OuterHeight(), 140);
  f->SetBorderStyle(tk::BorderStyle::None);
  EXPECT_EQ(f->OuterWidth(), f->ClientWidth()) << "no frame";
  EXPECT_EQ(f->OuterHeight(), f->ClientHeight());
  const auto r = tk::testing::Render(*f);
  EXPECT_EQ(r.width, f->ClientWidth());
}

TEST_F(ToolkitTest, CenterOnScreenCentresTheOuterWindow) {
  TestForm* a = MakeForm("A", "form A\n  ClientSize = 300, 200\nend\n");
  TestForm* b = MakeForm("B", "form B\n  ClientSize = 100, 100\n  Position = ScreenCenter\nend\n");
  a->CenterOnScreen();
  b->Show();  // centred as it shows
  EXPECT_EQ(2 * (b->Left() - a->Left()), a->OuterWidth() - b->OuterWidth());
  EXPECT_EQ(2 * (b->Top() - a->Top()), a->OuterHeight() - b->OuterHeight());
  EXPECT_GE(a->Left(), 0);
  EXPECT_GE(a->Top(), 0);
}

TEST_F(ToolkitTest, BorderStyleIconsAndStayOnTopReachTheWindow) {
  TestForm* f = MakeForm("Main", R"(form Main
  ClientSize = 120, 80
  BorderStyle = Single
  BorderIcons = SystemMenu, Minimize
end
)");
  auto look = tk::testing::LookOf(*f);
  EXPECT_FALSE(look.frameless);
  EXPECT_TRUE(look.closeButton);
  EXPECT_TRUE(look.minimizeButton);
  EXPECT_FALSE(look.maximizeButton);
  EXPECT_FALSE(look.resizable) << "a single border is fixed";
  EXPECT_FALSE(look.stayOnTop);

  f->SetBorderStyle(tk::BorderStyle::Sizeable);
  EXPECT_TRUE(tk::testing::LookOf(*f).resizable);
  f->SetBorderStyle(tk::BorderStyle::None);
  f->SetStayOnTop(true);
  f->Show();
  look = tk::testing::LookOf(*f);
  EXPECT_TRUE(look.frameless);
  EXPECT_TRUE(look.stayOnTop);
  EXPECT_TRUE(f->Visible()) << "changing the flags keeps a shown window shown";
  EXPECT_EQ(tk::testing::Render(*f).width, 120);
}

}  // namespace

namespace {

// The layouts name Tahoma and MS Sans Serif; without them the captions must
// still fit the sizes the windows were designed with.
TEST(Fonts, DesignFontsResolveToFacesOfTheirWidth) {
  tk::Font liberation;
  liberation.Name = "Liberation Sans";
  if (tk::testing::ResolvedFontFamily(liberation) != "Liberation Sans") GTEST_SKIP() << "Liberation Sans is not installed";
  for (const char* name : {"Tahoma", "MS Sans Serif"}) {
    tk::Font f;
    f.Name = name;
    const std::string resolved = tk::testing::ResolvedFontFamily(f);
    if (resolved == name) continue;  // the real face is installed
    EXPECT_EQ(resolved, "Liberation Sans") << name;
  }
  // The main window's school label is 54 pixels wide, word-wrapped, bold 15.
  tk::Font school;
  school.Name = "Tahoma";
  school.Height = 15;
  school.Bold = true;
  EXPECT_LE(tk::testing::TextWidth(school, "Version"), 54);
  // The problem window's title panel: 457 wide, bold 19.
  tk::Font title = school;
  title.Height = 19;
  EXPECT_LE(tk::testing::TextWidth(title, "Tovrek Encountered a Problem"), 457 - 4);
}

}  // namespace
