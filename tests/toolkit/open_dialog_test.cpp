// The file-open dialog as tests answer it, its filter for the desktop, and
// the right click on a drop-down list.
#include "toolkit/open_dialog.h"

#include "toolkit_fixture.h"

namespace tk_test {
namespace {

class OpenDialogTest : public ToolkitTest {
 protected:
  void TearDown() override {
    tk::testing::ClearOpenDialogAnswers();
    ToolkitTest::TearDown();
  }
};

TEST_F(OpenDialogTest, LayoutSetsTitleAndFilterAndScriptsAnswerPathOrCancel) {
  TestForm* f = ShowMain(R"(form Main
  opendialog OpenPictureDialog
    Title = "Add a New Picture"
    Filter = "Bitmaps (*.bmp)|*.bmp"
  end
end
)");
  auto* d = f->Get<tk::OpenDialog>("OpenPictureDialog");
  std::string seenTitle;
  tk::testing::AnswerOpenDialog([&](tk::OpenDialog& shown) -> std::optional<std::string> {
    seenTitle = shown.Title;
    return "/pictures/sea.jpg";
  });
  tk::testing::AnswerOpenDialog(std::nullopt);
  ASSERT_TRUE(d->Execute());
  EXPECT_EQ(seenTitle, "Add a New Picture");
  EXPECT_EQ(d->FileName, "/pictures/sea.jpg");
  EXPECT_FALSE(d->Execute()) << "Cancel";
  EXPECT_EQ(d->FileName, "/pictures/sea.jpg") << "Cancel keeps the last name";
  EXPECT_EQ(tk::testing::PendingOpenDialogAnswers(), 0u);
  EXPECT_THROW(d->Execute(), tk::ScriptError) << "a dialog nobody answers is a script fault";
}

TEST(OpenDialogFilter, PatternsMatchEitherCaseAndLabelsKeepTheirText) {
  EXPECT_EQ(tk::QtFilterOf("All Image Files (*.jpg;*.bmp)|*.jpg;*.bmp|JPEG Image Files (*.jpg)|*.jpg"),
            "All Image Files (*.jpg;*.bmp) (*.[jJ][pP][gG] *.[bB][mM][pP]);;JPEG Image Files (*.jpg) (*.[jJ][pP][gG])");
  EXPECT_EQ(tk::QtFilterOf("Any|*.*"), "Any (*.*)");
  EXPECT_EQ(tk::QtFilterOf(""), "");
}

// What the learner sees in the dialog's list of file types is each label
// of the filter as written, and the folder view shows names of the first
// filter's kinds in any case.
TEST_F(OpenDialogTest, TheDialogShowsTheLabelsAsWrittenAndListsNamesInAnyCase) {
  struct Case {
    const char* filter;
    std::vector<std::string> shown;
    std::vector<std::string> listed;
  } const cases[] = {
      {"All Image Files (*.jpg;*.bmp)|*.jpg;*.bmp|Bitmaps (*.bmp)|*.bmp",
       {"All Image Files (*.jpg;*.bmp)", "Bitmaps (*.bmp)"},
       {"sea.jpg", "SEA.JPG", "Map.Bmp"}},
      {"Bitmaps|*.BMP", {"Bitmaps"}, {"Map.Bmp"}},
      {"Odd (label) text|*.jpg", {"Odd (label) text"}, {"sea.jpg", "SEA.JPG"}},
  };
  const std::vector<std::string> names = {"sea.jpg", "SEA.JPG", "Map.Bmp", "photo.jpeg", "photo.png", "jpg", "x.jpg.txt"};
  TestForm* f = ShowMain("form Main\n  opendialog Dlg\n  end\nend\n");
  auto* d = f->Get<tk::OpenDialog>("Dlg");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    d->Filter = c.filter;
    const tk::testing::OpenDialogView view = tk::testing::ViewOf(*d, names);
    EXPECT_EQ(view.filters, c.shown);
    EXPECT_EQ(view.listed, c.listed);
  }
}

TEST_F(OpenDialogTest, RightClickOnADropDownListRunsItsPopupHandler) {
  int popups = 0;
  TestForm* f = ShowMain(R"(form Main
  dropdown List
    Bounds = 10, 10
    Items = "a", "b"
    OnContextPopup = Popup
  end
end
)",
                         {{"Popup", tk::NotifyEvent([&] { ++popups; })}});
  auto* list = f->Get<tk::DropDownList>("List");
  tk::testing::UserRightClick(*list);
  EXPECT_EQ(popups, 1);
  list->SetEnabled(false);
  tk::testing::UserRightClick(*list);
  EXPECT_EQ(popups, 1) << "a disabled list takes no click";
}

}  // namespace
}  // namespace tk_test
