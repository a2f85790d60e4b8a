// The pictures folder: the listing at each opening, the preview and its
// aspect, adding through the file dialog (new, replace, use, cancel) and
// deleting with the confirmation window.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "appearance_support.h"
#include "platform/jpeg.h"
#include "support/hostile_pictures.h"

namespace tovrek_test {
namespace {

namespace fs = std::filesystem;
using tk::testing::AnswerOpenDialog;
using tk::testing::UserClick;
using tk::testing::UserKey;
using tk::testing::UserRightClick;

class PicturesTest : public AppearanceTest {
 protected:
  // Ins in the picture list, as the learner types it.
  void PressInList(tovrek::TForm7& f, uint16_t key) {
    f.CbxPictureDefault->SetFocus();
    UserKey(App(), key);
  }
};

TEST_F(PicturesTest, ListsPictureNamesOnlyAndSelectsTheDefault) {
  for (const char* name : {"beach.JPG", "map.Bmp", "photo.jpeg", "photo.png", "notes.txt", "bad\nname.jpg"})
    WriteFile(std::string("setup/pictures/") + name, "x");
  MakeDirs("setup/pictures/old.jpg");
  Start();
  Customise([](tovrek::TForm7& f) {
    std::vector<std::string> items = f.CbxPictureDefault->Items();
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::string>{"beach.JPG", "default.jpg", "map.Bmp", "old.jpg"}));
    EXPECT_EQ(f.CbxPictureDefault->Text(), "default.jpg");
    EXPECT_EQ(f.CbxPictureAspect->Text(), "Normal");
    EXPECT_TRUE(f.Image1->HasPicture());
    UserClick(*f.BtnClose);
  });
}

// The default picture changed behind the program's back between two
// openings: the opening reports it, shows no picture at all, and leaves
// the selection and the aspect as they were.
TEST_F(PicturesTest, OpeningWhenTheDefaultPictureCannotBeShownReportsItAndShowsNone) {
  struct Case {
    const char* name;
    void (*spoil)(const std::string& path);
  } const cases[] = {
      {"deleted", [](const std::string& path) { fs::remove(path); }},
      {"no picture", [](const std::string& path) { WriteFile(path, "not a picture"); }},
      {"a folder", [](const std::string& path) { fs::remove(path), fs::create_directory(path); }},
      {"a pipe", [](const std::string& path) { fs::remove(path), MakeFifo(path); }},
  };
  fs::create_directories("setup/pictures");
  knowledge::SettingsLines lines = knowledge::DefaultSettingsLines();
  lines[8] = "sea.jpg";
  lines[9] = "Stretched";
  WriteFile("setup/config.ini", knowledge::SettingsBytes(lines));
  fs::copy_file("default.jpg", "setup/pictures/sea.jpg");
  Start();
  ASSERT_EQ(U().DefaultPictureName, "sea.jpg");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all("setup/pictures/sea.jpg");
    fs::copy_file("default.jpg", "setup/pictures/sea.jpg");
    Customise([](tovrek::TForm7& f) {
      EXPECT_TRUE(f.Image1->HasPicture());
      EXPECT_EQ(f.CbxPictureDefault->Text(), "sea.jpg");
      EXPECT_EQ(f.CbxPictureAspect->Text(), "Stretched");
      UserClick(*f.Image1);  // the aspect to "Normal", in the window only
      UserClick(*f.BtnClose);
    });
    c.spoil("setup/pictures/sea.jpg");
    Customise([this](tovrek::TForm7& f) {
      const std::vector<std::string> reports = TakeErrorReports();
      EXPECT_EQ(reports.size(), 1u);
      for (const std::string& r : reports) EXPECT_NE(r.find("sea.jpg"), std::string::npos) << r;
      EXPECT_FALSE(f.Image1->HasPicture()) << "the picture of the last opening is not kept";
      EXPECT_GE(f.CbxPictureDefault->IndexOf("default.jpg"), 0) << "the folder was listed first";
      EXPECT_EQ(f.CbxPictureDefault->ItemIndex(), -1) << "no step after the picture's";
      EXPECT_EQ(f.CbxPictureAspect->Text(), "Normal");
      // Chosen in the list, where it is still listed: the same.
      Pick(*f.CbxPictureDefault, "default.jpg");
      EXPECT_TRUE(f.Image1->HasPicture());
      if (f.CbxPictureDefault->IndexOf("sea.jpg") >= 0) {
        Pick(*f.CbxPictureDefault, "sea.jpg");
        EXPECT_EQ(TakeErrorReports().size(), 1u);
        EXPECT_FALSE(f.Image1->HasPicture()) << "not default.jpg under the name sea.jpg";
      }
      UserClick(*f.BtnClose);
    });
  }
}

TEST_F(PicturesTest, PreviewClickTogglesTheAspectAndTheList) {
  Start();
  Customise([](tovrek::TForm7& f) {
    UserClick(*f.Image1);
    EXPECT_TRUE(f.Image1->Stretch());
    EXPECT_EQ(f.CbxPictureAspect->Text(), "Stretched");
    UserClick(*f.Image1);
    EXPECT_TRUE(f.Image1->Proportional());
    EXPECT_EQ(f.CbxPictureAspect->Text(), "Normal");
    UserClick(*f.BtnClose);
  });
}

TEST_F(PicturesTest, AddingANewPictureCopiesItAndAppendsItLast) {
  Start();
  const std::string source = PictureAt("elsewhere/sea.JPG");
  ::chmod(source.c_str(), 0400);
  const fs::path before = fs::current_path();
  AnswerOpenDialog([&](tk::OpenDialog& d) -> std::optional<std::string> {
    EXPECT_EQ(d.Title, "Add a New Picture");
    EXPECT_EQ(d.Filter, "All Image Files (*.jpg;*.bmp)|*.jpg;*.bmp|JPEG Image Files (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp");
    return source;
  });
  AnswerOpenDialog(std::nullopt);
  Customise([&](tovrek::TForm7& f) {
    PressInList(f, tk::vk::Insert);
    EXPECT_EQ(f.CbxPictureDefault->Items().back(), "sea.JPG");
    EXPECT_EQ(f.CbxPictureDefault->Text(), "sea.JPG");
    UserRightClick(*f.Image1);  // cancelled: nothing happens
    EXPECT_EQ(f.CbxPictureDefault->ItemCount(), 2);
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(ReadBytes("setup/pictures/sea.JPG"), ReadBytes("default.jpg"));
  struct stat st {};
  ASSERT_EQ(::stat("setup/pictures/sea.JPG", &st), 0);
  EXPECT_NE(st.st_mode & 0200, 0u) << "ordinary permissions, not the source's";
  EXPECT_EQ(fs::current_path(), before);
}

// The dialog as the learner meets it: the layout's own texts in its list
// of file types, and pictures listed whatever the case of their names.
TEST_F(PicturesTest, TheFileDialogShowsTheFilterTextsAsWritten) {
  Start();
  AnswerOpenDialog([](tk::OpenDialog& d) -> std::optional<std::string> {
    const tk::testing::OpenDialogView view =
        tk::testing::ViewOf(d, {"beach.JPG", "map.Bmp", "photo.jpeg", "notes.txt", "sea.jpg"});
    EXPECT_EQ(view.filters, (std::vector<std::string>{"All Image Files (*.jpg;*.bmp)", "JPEG Image Files (*.jpg)",
                                                       "Bitmaps (*.bmp)"}));
    EXPECT_EQ(view.listed, (std::vector<std::string>{"beach.JPG", "map.Bmp", "sea.jpg"}));
    return std::nullopt;
  });
  Customise([&](tovrek::TForm7& f) {
    PressInList(f, tk::vk::Insert);
    UserClick(*f.BtnClose);
  });
}

// What the dialog may hand back that must not reach the folder.
TEST_F(PicturesTest, RefusesNamesFifosAndFilesThatAreNotPictures) {
  Start();
  MakeFifo("elsewhere/pipe.jpg");
  WriteFile("elsewhere/text.jpg", "not a picture");
  PictureAt("elsewhere/odd\rname.jpg");
  const std::vector<std::string> chosen = {fs::absolute("elsewhere/pipe.jpg").string(),
                                           fs::absolute("elsewhere/text.jpg").string(),
                                           fs::absolute("elsewhere/odd\rname.jpg").string(),
                                           fs::absolute("elsewhere/photo.png").string()};
  for (const std::string& path : chosen) AnswerOpenDialog(path);
  Customise([&](tovrek::TForm7& f) {
    for (size_t i = 0; i < chosen.size(); ++i) {
      UserRightClick(*f.CbxPictureDefault);
      EXPECT_EQ(TakeErrorReports().size(), 1u) << chosen[i];
    }
    EXPECT_EQ(f.CbxPictureDefault->Items(), std::vector<std::string>{"default.jpg"});
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(std::distance(fs::directory_iterator("setup/pictures"), {}), 1);
}

struct ClashCase {
  const char* button;
  bool replaced;
  bool selected;
};
class PictureClashTest : public PicturesTest, public ::testing::WithParamInterface<ClashCase> {};

TEST_P(PictureClashTest, ANameTakenAsksWhatToDo) {
  WriteFile("setup/pictures/sea.jpg", "old bytes");
  Start();
  const std::string source = PictureAt("elsewhere/sea.jpg");
  AnswerOpenDialog(source);
  Customise([&](tovrek::TForm7& f) {
    Answer("Form15", [&](tk::Form& w) {
      auto& f15 = static_cast<tovrek::TForm15&>(w);
      EXPECT_EQ(f15.Panel1->Caption(), "sea.jpg");
      EXPECT_TRUE(f15.Image1->HasPicture()) << "the new picture is shown";
      if (std::string(GetParam().button) == "Esc") UserKey(App(), tk::vk::Escape);
      else UserClick(w, GetParam().button);
    });
    PressInList(f, tk::vk::Insert);
    EXPECT_EQ(f.CbxPictureDefault->Text() == "sea.jpg", GetParam().selected);
    EXPECT_EQ(f.CbxPictureDefault->ItemCount(), 2) << "no entry is added";
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(ReadBytes("setup/pictures/sea.jpg"), GetParam().replaced ? ReadBytes("default.jpg") : "old bytes");
  EXPECT_EQ(std::distance(fs::directory_iterator("setup/pictures"), {}), 2) << "no temporary left";
}

INSTANTIATE_TEST_SUITE_P(Answers, PictureClashTest,
                         ::testing::Values(ClashCase{"BtnReplace", true, true}, ClashCase{"BtnUseExisting", false, true},
                                           ClashCase{"BtnCancel", false, false}, ClashCase{"Esc", false, false}));

TEST_F(PicturesTest, ReplacingAPictureWithItsOwnFolderCopyKeepsIt) {
  Start();
  const std::string own = fs::absolute("setup/./pictures/default.jpg").string();
  AnswerOpenDialog(own);
  Customise([&](tovrek::TForm7& f) {
    AnswerByClicking("Form15", "BtnReplace");
    UserRightClick(*f.Image1);
    EXPECT_EQ(f.CbxPictureDefault->Text(), "default.jpg");
    EXPECT_TRUE(f.Image1->HasPicture());
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(ReadBytes("setup/pictures/default.jpg"), ReadBytes("default.jpg"));
}

TEST_F(PicturesTest, ReplacingThroughASymlinkReplacesTheLinkNotItsTarget) {
  Start();
  WriteFile("keep.jpg", "keep");
  MakeLink("../../keep.jpg", "setup/pictures/sea.jpg");
  AnswerOpenDialog(PictureAt("elsewhere/sea.jpg"));
  Customise([&](tovrek::TForm7& f) {
    AnswerByClicking("Form15", "BtnReplace");
    UserRightClick(*f.Image1);
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(ReadBytes("keep.jpg"), "keep");
  EXPECT_FALSE(fs::is_symlink("setup/pictures/sea.jpg"));
}

// A leftover link in the folder, at the picture's own name or at any name a
// writer might take for its temporary file, is never written through: a
// link at the name is replaced by the picture, the others stay as they are.
struct LeftoverCase {
  const char* name;
  const char* linkAtTheName;  // relative to setup/pictures
  bool clash;                 // the link's target exists, so the name is taken
};
void PrintTo(const LeftoverCase& c, std::ostream* os) { *os << c.name; }
class LeftoverLinkTest : public PicturesTest, public ::testing::WithParamInterface<LeftoverCase> {};

TEST_P(LeftoverLinkTest, IsNeverWrittenThrough) {
  Start();
  WriteFile("outside/keep.jpg", "keep");
  MakeLink(GetParam().linkAtTheName, "setup/pictures/sea.jpg");
  const std::vector<std::string> temporaryNames = {"sea.jpg.tmp", ".sea.jpg.tmp", "sea.jpg~", "sea.tmp",
                                                   ".tovrek-save-0123456789", ".tovrek-save-tmp"};
  for (size_t i = 0; i < temporaryNames.size(); ++i)
    MakeLink(i % 2 == 0 ? "../../outside/keep.jpg" : "../../outside/t" + std::to_string(i),
             "setup/pictures/" + temporaryNames[i]);
  const std::string source = PictureAt("elsewhere/sea.jpg");
  AnswerOpenDialog(source);
  Customise([&](tovrek::TForm7& f) {
    if (GetParam().clash) AnswerByClicking("Form15", "BtnReplace");
    UserRightClick(*f.CbxPictureDefault);
    EXPECT_EQ(f.CbxPictureDefault->Text(), "sea.jpg");
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(ReadBytes("outside/keep.jpg"), "keep");
  EXPECT_EQ(std::distance(fs::directory_iterator("outside"), {}), 1) << "nothing made outside";
  EXPECT_FALSE(fs::is_symlink("setup/pictures/sea.jpg"));
  EXPECT_EQ(ReadBytes("setup/pictures/sea.jpg"), ReadBytes(source));
  for (const std::string& name : temporaryNames) EXPECT_TRUE(fs::is_symlink("setup/pictures/" + name)) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Links, LeftoverLinkTest,
    ::testing::Values(LeftoverCase{"DanglingLinkOutside", "../../outside/new.jpg", false},
                      LeftoverCase{"LinkToAFileOutside", "../../outside/keep.jpg", true}),
    [](const ::testing::TestParamInfo<LeftoverCase>& i) { return std::string(i.param.name); });

// Line 9's picture serves the main window and the preview from one decode,
// at the scale the larger of the two areas needs.
TEST_F(PicturesTest, TheDefaultPictureIsDecodedOnceForTheMainWindowAndThePreview) {
  MakeDirs("setup/pictures");
  ASSERT_TRUE(WritePhotoJpeg("setup/pictures/sea.jpg", 1600, 800));
  knowledge::SettingsLines lines = knowledge::DefaultSettingsLines();
  lines[8] = "sea.jpg";
  WriteFile("setup/config.ini", knowledge::SettingsBytes(lines));
  const uint64_t before = plat::JpegFileDecodesForTests();
  Start();
  EXPECT_EQ(plat::JpegFileDecodesForTests() - before, 1u);
  for (tk::Image* image : std::initializer_list<tk::Image*>{F1().Image1, F7().Image1}) {
    EXPECT_EQ(image->PictureWidth(), 1600);
    EXPECT_EQ(image->DecodedWidth(), 600) << "3/8 covers the main window's 440 x 260";
  }
}

// Two files, compared a block at a time.
bool SameBytes(const std::string& a, const std::string& b) {
  std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
  std::vector<char> bx(1 << 20), by(1 << 20);
  while (x && y) {
    x.read(bx.data(), static_cast<std::streamsize>(bx.size()));
    y.read(by.data(), static_cast<std::streamsize>(by.size()));
    if (x.gcount() != y.gcount() || !std::equal(bx.begin(), bx.begin() + x.gcount(), by.begin())) return false;
  }
  return x.eof() && y.eof();
}

// The file is checked and copied a block at a time: a picture followed by
// 200 MB costs the program a few blocks of memory.
TEST_F(PicturesTest, A200MegabytePictureIsCheckedAndCopiedInBlocks) {
  Start();
  const std::string source = PictureAt("elsewhere/big.jpg");
  fs::resize_file(source, std::uintmax_t{200} << 20);
  AnswerOpenDialog(source);
  Customise([&](tovrek::TForm7& f) {
    HangGuard guard(10, HangGuard::kDefaultFileBytes, size_t{8} << 20);
    UserRightClick(*f.CbxPictureDefault);
    EXPECT_EQ(f.CbxPictureDefault->Text(), "big.jpg");
    EXPECT_TRUE(f.Image1->HasPicture());
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(fs::file_size("setup/pictures/big.jpg"), std::uintmax_t{200} << 20);
  EXPECT_TRUE(SameBytes(source, "setup/pictures/big.jpg"));
}

// A bitmap is decoded whole, so its header's size is held against the bound
// before it is added.
TEST_F(PicturesTest, BitmapsAreAddedWithinTheBoundOnly) {
  Bytes trap = SolidBmp(2, 2, 0, 0, 255);
  for (int i = 0; i < 4; ++i) trap[18 + i] = trap[22 + i] = static_cast<uint8_t>(5000 >> (8 * i));
  WritePictureFile("elsewhere/trap.bmp", trap);
  WritePictureFile("elsewhere/map.bmp", SolidBmp(300, 200, 0, 0, 255));
  WriteFile("elsewhere/text.bmp", "BM but no bitmap at all");
  Start();
  for (const char* name : {"trap.bmp", "map.bmp", "text.bmp"})
    AnswerOpenDialog(fs::absolute("elsewhere/" + std::string(name)).string());
  Customise([&](tovrek::TForm7& f) {
    UserRightClick(*f.CbxPictureDefault);
    std::vector<std::string> reports = TakeErrorReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("the picture is too large"), std::string::npos) << reports[0];
    UserRightClick(*f.CbxPictureDefault);
    EXPECT_EQ(f.CbxPictureDefault->Text(), "map.bmp");
    EXPECT_EQ(f.Image1->PictureWidth(), 300);
    UserRightClick(*f.CbxPictureDefault);
    reports = TakeErrorReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("it is not a picture"), std::string::npos) << reports[0];
    UserClick(*f.BtnClose);
  });
  EXPECT_FALSE(fs::exists("setup/pictures/trap.bmp"));
  EXPECT_TRUE(SameBytes("elsewhere/map.bmp", "setup/pictures/map.bmp"));
}

class HostilePictureAddTest : public PicturesTest, public ::testing::WithParamInterface<HostilePicture> {};

TEST_P(HostilePictureAddTest, AddedToThePicturesFolder) {
  Start();
  GetParam().make("elsewhere/big.jpg");
  AnswerOpenDialog(fs::absolute("elsewhere/big.jpg").string());
  const bool shown = GetParam().shownWidth != 0;
  Customise([&](tovrek::TForm7& f) {
    HangGuard guard(3, HangGuard::kDefaultFileBytes, size_t{16} << 20);
    UserRightClick(*f.CbxPictureDefault);
    if (shown) {
      EXPECT_EQ(f.CbxPictureDefault->Text(), "big.jpg");
      EXPECT_EQ(f.Image1->PictureWidth(), GetParam().shownWidth);
      EXPECT_EQ(f.Image1->DecodedWidth(), GetParam().shownWidth / 8);
    } else {
      const std::vector<std::string> reports = TakeErrorReports();
      ASSERT_EQ(reports.size(), 1u);
      EXPECT_NE(reports[0].find("too large"), std::string::npos) << reports[0];
      EXPECT_EQ(f.CbxPictureDefault->Items(), std::vector<std::string>{"default.jpg"});
    }
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(fs::exists("setup/pictures/big.jpg"), shown);
}

INSTANTIATE_TEST_SUITE_P(Pictures, HostilePictureAddTest, ::testing::ValuesIn(kHostilePictures), HostilePictureName);

TEST_F(PicturesTest, DeletingTheDefaultPictureRewritesLine9Only) {
  std::filesystem::create_directories("setup/pictures");
  std::filesystem::copy_file("default.jpg", "setup/pictures/sea.jpg");
  knowledge::SettingsLines lines = knowledge::DefaultSettingsLines();
  lines[0] = "Teal";
  lines[8] = "sea.jpg";
  WriteFile("setup/config.ini", knowledge::SettingsBytes(lines));
  Start();
  ASSERT_EQ(U().DefaultPictureName, "sea.jpg");
  Customise([&](tovrek::TForm7& f) {
    EXPECT_EQ(f.CbxPictureDefault->Text(), "sea.jpg");
    Answer("Form11", [](tk::Form& w) {
      EXPECT_EQ(static_cast<tovrek::TForm11&>(w).Panel1->Caption(), "sea.jpg");
      UserClick(w, "BtnOk");
    });
    PressInList(f, tk::vk::Delete);
    EXPECT_EQ(f.CbxPictureDefault->Items(), std::vector<std::string>{"default.jpg"});
    EXPECT_EQ(f.CbxPictureDefault->Text(), "default.jpg");
    UserClick(*f.BtnClose);
  });
  EXPECT_FALSE(fs::exists("setup/pictures/sea.jpg"));
  lines[8] = "default.jpg";
  EXPECT_EQ(Config(), knowledge::SettingsBytes(lines));
  EXPECT_EQ(U().DefaultPictureName, "default.jpg");
}

// Another picture: only that exact name goes, the file stays as it was.
TEST_F(PicturesTest, DeletingAnotherPictureDeletesExactlyThatName) {
  std::filesystem::create_directories("setup/pictures");
  std::filesystem::copy_file("default.jpg", "setup/pictures/sea.jpg");
  std::filesystem::copy_file("default.jpg", "setup/pictures/Sea.JPG");
  Start();
  const std::string config = Config();
  Customise([&](tovrek::TForm7& f) {
    // The folder search lists one of the two spellings; the other as an
    // entry of its own, as an add made before the folder changed leaves it.
    EXPECT_EQ(f.CbxPictureDefault->IndexOf("sea.jpg"), f.CbxPictureDefault->IndexOf("Sea.JPG"));
    f.CbxPictureDefault->SetItemIndex(f.CbxPictureDefault->AddItem("sea.jpg"));
    AnswerByClicking("Form11", "BtnOk");
    PressInList(f, tk::vk::Delete);
    EXPECT_EQ(f.CbxPictureDefault->Text(), "default.jpg");
    UserClick(*f.BtnClose);
  });
  EXPECT_FALSE(fs::exists("setup/pictures/sea.jpg"));
  EXPECT_TRUE(fs::exists("setup/pictures/Sea.JPG")) << "a name equal only ignoring case stays";
  EXPECT_EQ(Config(), config);
}

// A list entry that names a path, as no listing makes but a changed list
// could hold: Delete touches nothing in or outside the folder.
TEST_F(PicturesTest, DeletingANameThatHoldsAPathDeletesNothing) {
  struct Case {
    const char* name;
    bool confirms;  // Del brings the confirmation up
  } const cases[] = {{"../x.jpg", true}, {"a/b.jpg", true}, {".", true}, {"", false}};
  fs::create_directories("setup/pictures/a");
  WriteFile("setup/x.jpg", "outside");
  fs::copy_file("default.jpg", "setup/pictures/a/b.jpg");
  Start();
  const std::string config = Config();
  std::vector<std::string> modals = {"Form7"};
  Customise([&](tovrek::TForm7& f) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string("\"") + c.name + "\"");
      f.CbxPictureDefault->SetItemIndex(f.CbxPictureDefault->AddItem(c.name));
      if (c.confirms) {
        AnswerByClicking("Form11", "BtnOk");
        modals.push_back("Form11");
      }
      PressInList(f, tk::vk::Delete);
      EXPECT_EQ(Modals(), modals);
      EXPECT_EQ(ReadBytes("setup/x.jpg"), "outside");
      EXPECT_TRUE(fs::is_regular_file("setup/pictures/a/b.jpg"));
      EXPECT_TRUE(fs::is_regular_file("setup/pictures/default.jpg"));
      EXPECT_EQ(std::distance(fs::directory_iterator("setup/pictures"), {}), 2) << "default.jpg and a";
    }
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(Config(), config);
  EXPECT_EQ(U().DefaultPictureName, "default.jpg");
}

TEST_F(PicturesTest, DelDoesNothingOnDefaultOrWithoutSelectionAndCancelKeepsTheFile) {
  std::filesystem::create_directories("setup/pictures");
  std::filesystem::copy_file("default.jpg", "setup/pictures/sea.jpg");
  Start();
  Customise([&](tovrek::TForm7& f) {
    PressInList(f, tk::vk::Delete);  // default.jpg selected
    f.CbxPictureDefault->SetItemIndex(-1);
    PressInList(f, tk::vk::Delete);
    f.CbxPictureDefault->SetItemIndex(f.CbxPictureDefault->IndexOf("sea.jpg"));
    AnswerByClicking("Form11", "BtnCancel");
    PressInList(f, tk::vk::Delete);
    EXPECT_EQ(f.CbxPictureDefault->ItemCount(), 2);
    UserClick(*f.BtnClose);
  });
  EXPECT_TRUE(fs::exists("setup/pictures/sea.jpg"));
  EXPECT_EQ(Modals(), (std::vector<std::string>{"Form7", "Form11"}));
}

TEST_F(PicturesTest, SchoolVariantCannotAddOrDeleteOrMakeDefault) {
  UseSchoolVariant();
  WriteFile(SharePath("tovrek$") + "/setup/pictures/sea.jpg", ReadBytes("default.jpg"));
  WriteFile(SharePath("tovrek$") + "/setup/pictures/default.jpg", ReadBytes("default.jpg"));
  WriteFile(SharePath("tovrek$") + "/setup/config.ini", knowledge::SettingsBytes(knowledge::DefaultSettingsLines()));
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  Start();
  Customise([&](tovrek::TForm7& f) {
    EXPECT_FALSE(f.CheckBox1->Enabled());
    EXPECT_GE(f.CbxPictureDefault->IndexOf("sea.jpg"), 0) << "the server's folder is listed";
    f.CbxPictureDefault->SetItemIndex(f.CbxPictureDefault->IndexOf("sea.jpg"));
    PressInList(f, tk::vk::Delete);
    PressInList(f, tk::vk::Insert);
    UserRightClick(*f.Image1);
    UserClick(*f.BtnClose);
  });
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form7"});
}

}  // namespace
}  // namespace tovrek_test
