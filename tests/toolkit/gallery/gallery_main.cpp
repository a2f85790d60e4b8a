// One form with a control of each kind, to look at the toolkit by eye.
//   toolkit_gallery                        shows it until it is closed
//   toolkit_gallery --screenshot out.png   saves a picture of it and exits
#include <cstdio>
#include <cstring>
#include <string>

#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/testing.h"
#include "toolkit/timer.h"

namespace {

const char* kGallery = R"layout(form Gallery
  Caption = "Toolkit gallery"
  ClientSize = 727, 420
  BorderStyle = Single
  BorderIcons = SystemMenu, Minimize
  Color = "Button Face"
  Font = "MS Sans Serif", 11
  panel PnlTitle
    Bounds = 11, 8, 457, 49
    Caption = "Tovrek Encountered a Problem"
    Font = "Tahoma", 19, Bold, White
    Color = Red
  end
  panel PnlPicture
    Bounds = 11, 64, 230, 140
    BevelOuter = None
    BorderStyle = Single
    Color = Green
    image Image1
      Bounds = 4, 4, 220, 130
      Center = true
      Proportional = true
      Picture = "pictures/main_default.jpg"
      Hint = "Click to stretch"
    end
  end
  panel PnlQuestion
    Bounds = 250, 64, 218, 60
    Caption = "TOVREK"
    Font = "Tahoma", 37, Bold, Green
  end
  panel PnlLowered
    Bounds = 250, 130, 218, 33
    BevelOuter = Lowered
    Caption = "__  of  __"
    Font = "Tahoma", 16, Gray
  end
  panel PnlTimer
    Bounds = 250, 170, 218, 34
    BevelOuter = Raised
    BevelInner = Lowered
    button BtnClock
      Bounds = 4, 4, 210, 25
      Caption = "Au&tomatic  Advance"
      Font = "Tahoma", 15
    end
  end
  label Label6
    Bounds = 11, 214
    Caption = "&SUBJECT"
    Font = "Tahoma", 13
  end
  label LblPercentage
    Bounds = 150, 214, 80, 18
    Alignment = Right
    Caption = "66 %"
    Font = "Tahoma", 15
  end
  label LblDisabled
    Bounds = 250, 214
    Caption = "Disabled label"
    Enabled = false
    Font = "Tahoma", 15
  end
  label Label7
    Bounds = 380, 214
    Caption = "Correct:"
    Font = "Tahoma", 15, Bold, Navy
  end
  label LblSchool
    Bounds = 11, 240, 60, 32
    Caption = "School Version"
    WordWrap = true
    Alignment = Center
    Font = "Tahoma", 15, Bold, Navy
  end
  dropdown CbxSubject
    Bounds = 90, 240, 211, 21
    Font = "Tahoma", 13
    Items = [
      "Geography"
      "History"
    ]
    ItemIndex = 0
  end
  checkbox ChkSwopQA
    Bounds = 320, 242, 140, 17
    Caption = "Swop Q && A"
    Font = "Tahoma", 15
    Checked = true
  end
  memo MemoQuestion
    Bounds = 11, 280, 230, 128
    ReadOnly = true
    ScrollBars = Vertical
    Color = Cream
    Font = "Tahoma", 16
    Lines = [
      "What is the capital of France?"
      "Paris."
    ]
  end
  edit EdtSearch
    Bounds = 250, 280, 218, 21
    Text = "word or phrase"
    Font = "Tahoma", 13
  end
  listbox ListBox
    Bounds = 250, 308, 133, 91
    Color = Cream
    Font = "Tahoma", 11
    Items = [
      "Q3: picture.jpg"
      "Q7: notes.txt"
    ]
  end
  shape Shape1
    Bounds = 390, 320, 1, 8
  end
  shape Shape2
    Bounds = 400, 320, 40, 30
    PenColor = Navy
    BrushColor = Yellow
  end
  bevel Bevel1
    Bounds = 390, 360, 78, 40
  end
  button BtnStartStop
    Bounds = 476, 8, 113, 48
    Caption = "&Start"
    Font = "Tahoma", 16, Bold
  end
  button BtnDisabled
    Bounds = 602, 8, 113, 48
    Caption = "&Next"
    Enabled = false
    Font = "Tahoma", 16, Bold
  end
  glyphbutton BtnClose
    Bounds = 476, 64, 113, 48
    Caption = "&Close"
    Font = "Tahoma", 16, Bold
  end
  glyphbutton BmbIncorrect
    Bounds = 602, 64, 113, 48
    Caption = " "
    Kind = abort
    Font = "MS Sans Serif", 16, Bold
  end
  gauge Gauge1
    Bounds = 476, 126, 239, 10
    BackColor = "Button Face"
    ForeColor = Navy
    Progress = 66
  end
  radiogroup RgAspect
    Bounds = 476, 146, 239, 80
    Caption = "Picture &aspect"
    Font = "Tahoma", 13
    Items = [
      "Stretch"
      "Proportional"
    ]
    ItemIndex = 1
  end
  panel PnlCream
    Bounds = 476, 236, 239, 40
    Color = Cream
    Caption = "MS Sans Serif 11: the quick brown fox"
    Font = "MS Sans Serif", 11
  end
  panel PnlLight
    Bounds = 476, 282, 239, 40
    Color = "Green (light)"
    Caption = "Tahoma 13: the quick brown fox"
    Font = "Tahoma", 13
  end
  timer Timer1
    Enabled = false
  end
end
)layout";

class Gallery : public tk::Form {
 public:
  explicit Gallery(tk::Application& app) : tk::Form(app, "Gallery") {
    LoadLayoutText(kGallery, {}, "gallery.layout");
    tk::GlyphButton* close = nullptr;
    Bind(close, "BtnClose");
    try {
      close->SetGlyphResource("pictures/glyph_close.bmp", 1);
    } catch (const tk::LayoutError&) {
      // Not every build carries that glyph; the button goes without.
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  tk::InitToolkit(argc, argv);
  std::string screenshot;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];

  tk::Application app;
  auto* form = app.CreateForm<Gallery>(app);
  if (screenshot.empty()) {
    app.Run();
    return 0;
  }
  app.ShowMainForm();
  app.ProcessMessages();
  if (!tk::testing::SaveScreenshot(*form, screenshot)) {
    std::fprintf(stderr, "cannot write %s\n", screenshot.c_str());
    return 1;
  }
  return 0;
}
