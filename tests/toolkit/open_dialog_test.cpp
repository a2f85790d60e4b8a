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
            "All Image Files (*.[jJ][pP][gG] *.[bB][mM][pP]);;JPEG Image Files (*.[jJ][pP][gG])");
  EXPECT_EQ(tk::QtFilterOf("Any|*.*"), "Any (*.*)");
  EXPECT_EQ(tk::QtFilterOf(""), "");
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
