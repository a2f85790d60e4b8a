// The Editor and Browser buttons and the start page: what the shell is
// asked to start (seen through the launcher hook, nothing really starts),
// what is reported, and the page written at activation.
#include "platform/shell.h"
#include "main/run_support.h"
#include "quotations/Tovrek_Unit4.h"

#include <fstream>
#include <sstream>

namespace tovrek_test {
namespace {

using tk::testing::UserClick;

struct Launch {
  std::vector<std::string> argv;
  std::string cwd;
};

class EditorBrowserTest : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    plat::SetShellLauncherForTests([this](const std::vector<std::string>& argv, const std::string& cwd) {
      launches_.push_back({argv, cwd});
      return 0;
    });
  }
  void TearDown() override {
    plat::SetShellLauncherForTests(nullptr);
    RunTest::TearDown();
  }
  std::string Root() { return std::filesystem::current_path().string(); }
  std::string PageBytes() {
    std::ifstream in("browser/index.htm", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<Launch> launches_;
};

TEST_F(EditorBrowserTest, MissingEditorIsReportedAndNothingStarts) {
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  Start();
  ExpectProblem();
  UserClick(*F1().BtnEdit);
  ASSERT_EQ(problems_.size(), 1u);
  EXPECT_EQ(problems_[0], "The executable file < Edit.exe > cannot be found.");
  EXPECT_EQ(P().Form10->LblSeverity->Caption(), "Copy Edit.exe to the same folder as Tovrek.exe.");
  EXPECT_EQ(U().Flags.EditorMissing, 0);
  EXPECT_TRUE(launches_.empty());
}

TEST_F(EditorBrowserTest, EditorStartsDirectlyInTheWorkingFolderEachTime) {
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  WriteFile("Edit.EXE", "#!/bin/sh\n");
  std::filesystem::permissions("Edit.EXE", std::filesystem::perms::owner_all);
  Start();
  UserClick(*F1().BtnEdit);
  UserClick(*F1().BtnEdit);
  ASSERT_EQ(launches_.size(), 2u);
  EXPECT_EQ(launches_[0].argv, std::vector<std::string>{Root() + "/Edit.EXE"});
  EXPECT_EQ(launches_[0].cwd, Root());
}

TEST_F(EditorBrowserTest, EditorThatCannotRunIsAnErrorNotADocument) {
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  WriteFile("edit.exe", "not a program");
  Start();
  UserClick(*F1().BtnEdit);
  const std::vector<std::string> reports = TakeErrorReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("Access is denied."), std::string::npos) << reports[0];
  EXPECT_TRUE(launches_.empty());
}

TEST_F(EditorBrowserTest, StartPageWrittenByteForByteAndOpened) {
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  Start();
  const std::string page = PageBytes();
  ASSERT_FALSE(page.empty());
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < page.size()) {
    const size_t end = page.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "a line without CR LF";
    lines.push_back(page.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[0], "<html>");
  EXPECT_EQ(lines[3], "<p><b><font color=\"blue\" face=\"Arial\" size=\"5\">");
  EXPECT_EQ(lines[5], "</font></b></p>");
  EXPECT_EQ(lines[9], "Use any HTML editor to replace the default content with your own, ");
  EXPECT_EQ(lines[10], "extending it with additional HTML files, sub-folders, hyperlinks, etc. ");
  EXPECT_EQ(lines[13], "under the sub-folder 'Browser'.<br /><br />");
  EXPECT_NE(lines[14].find("<a href=\"http://"), std::string::npos);
  EXPECT_NE(lines[18].find("<a href=\"mailto:"), std::string::npos);
  EXPECT_EQ(lines[19].substr(0, 6), "<br />");
  EXPECT_EQ(lines[21], "</body>");
  EXPECT_EQ(lines[22], "</html>");
  for (const std::string& line : lines)
    for (unsigned char c : line) EXPECT_LT(c, 0x80) << line;
  EXPECT_FALSE(std::filesystem::exists("browser/index.htm.tmp"));

  UserClick(*F1().BtnBrowser);
  ASSERT_EQ(launches_.size(), 1u);
  EXPECT_EQ(launches_[0].argv, (std::vector<std::string>{"xdg-open", Root() + "/browser/index.htm"}));

  // Gone and activated again: written anew, the same bytes; an edited
  // page is left alone.
  std::filesystem::remove("browser/index.htm");
  F1().FormActivate();
  EXPECT_EQ(PageBytes(), page);
  WriteFile("browser/index.htm", "mine");
  F1().FormActivate();
  EXPECT_EQ(PageBytes(), "mine");
}

// One author and one web site: the start page names the address and the
// site that the About window's links open.
TEST_F(EditorBrowserTest, StartPageAndAboutLinksAgree) {
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  Start();
  std::string mail, web;
  Answer("Form4", [&](tk::Form&) {
    tovrek::TForm4& a = *P().Form4;
    UserClick(*a.Label5);
    mail = F1().FileRun1->FileName;
    UserClick(*a.Label6);
    web = F1().FileRun1->FileName;
    EXPECT_EQ("mailto: " + a.Label5->Caption(), mail);
    EXPECT_EQ("http://" + a.Label6->Caption(), web);
    UserClick(*a.BtnClose);
  });
  UserClick(*F1().BtnAbout);
  ASSERT_EQ(mail.rfind("mailto: ", 0), 0u) << mail;
  const std::string address = mail.substr(8);
  std::vector<std::string> lines;
  std::istringstream page(PageBytes());
  for (std::string line; std::getline(page, line);) lines.push_back(line.substr(0, line.size() - 1));  // less CR
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_NE(lines[14].find("<a href=\"" + web + "\">" + web + "</a>"), std::string::npos) << lines[14];
  EXPECT_NE(lines[18].find("<a href=\"mailto:" + address + "\">"), std::string::npos) << lines[18];
  EXPECT_EQ(lines[19], "<br />" + address + "</a>");
}

TEST_F(EditorBrowserTest, NoStartPageNoOpenNoReport) {
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  Start();
  std::filesystem::remove("browser/index.htm");
  UserClick(*F1().BtnBrowser);
  EXPECT_TRUE(launches_.empty());
  EXPECT_TRUE(Modals().empty());
}

// The page cannot be written: reported once, nothing written anywhere, and
// activation goes on.
struct PageBlock {
  const char* name;
  void (*make)(const OutsideFolder& outside);
};

const PageBlock kPageBlocks[] = {
    {"FolderAtThePagesName", [](const OutsideFolder&) { std::filesystem::create_directories("browser/index.htm"); }},
    // The "browser" folder is a link leading out of the working folder.
    {"BrowserFolderIsALinkOutside",
     [](const OutsideFolder& outside) { std::filesystem::create_directory_symlink(outside.Path(), "browser"); }},
};

void PrintTo(const PageBlock& c, std::ostream* os) { *os << c.name; }

class PageWriteFailure : public EditorBrowserTest, public ::testing::WithParamInterface<PageBlock> {};

TEST_P(PageWriteFailure, IsReportedOnceAndActivationGoesOn) {
  OutsideFolder outside;
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  GetParam().make(outside);
  Start();
  const std::vector<std::string> reports = TakeErrorReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("browser\\index.htm"), std::string::npos) << reports[0];
  EXPECT_FALSE(std::filesystem::is_regular_file("browser/index.htm"));
  EXPECT_TRUE(outside.Empty());
  // The rest of activation ran: the topic is ready to start.
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
}

INSTANTIATE_TEST_SUITE_P(Ways, PageWriteFailure, ::testing::ValuesIn(kPageBlocks),
                         [](const auto& info) { return std::string(info.param.name); });

// Links left in "browser" lead out of the working folder: one at the name
// the page was once written under first, one at the page's own name whose
// target does not exist. The page is written all the same, in its place,
// and neither link is written through.
TEST_F(EditorBrowserTest, LeftoverLinksAreNeverWrittenThrough) {
  OutsideFolder outside;
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  WriteFile(outside / "victim.txt", "keep");
  MakeLink(outside / "victim.txt", "browser/index.htm.tmp");
  MakeLink(outside / "missing.htm", "browser/index.htm");
  Start();
  EXPECT_EQ(ReadBytes(outside / "victim.txt"), "keep");
  EXPECT_FALSE(std::filesystem::exists(outside / "missing.htm"));
  EXPECT_FALSE(std::filesystem::is_symlink("browser/index.htm"));
  EXPECT_EQ(PageBytes().substr(0, 8), "<html>\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink("browser/index.htm.tmp")) << "not ours to remove";
}

// A page may hold a script, and on FAT, NTFS and SMB mounts every file is
// executable: the page still goes to the opener and is never started.
TEST_F(EditorBrowserTest, AnExecutableStartPageIsOpenedNeverRun) {
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  WriteFile("browser/index.htm", "#!/bin/sh\ntouch '" + Root() + "/ran'\n");
  std::filesystem::permissions("browser/index.htm", std::filesystem::perms::all);
  Start();
  UserClick(*F1().BtnBrowser);
  ASSERT_EQ(launches_.size(), 1u);
  EXPECT_EQ(launches_[0].argv, (std::vector<std::string>{"xdg-open", Root() + "/browser/index.htm"}));
  EXPECT_FALSE(std::filesystem::exists("ran"));
}

TEST_F(EditorBrowserTest, SchoolBrowserOpensTheSharesPage) {
  UseSchoolVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  WriteFile(SharePath("tovrek$") + "/browser/index.htm", "<html>");
  Start();
  EXPECT_FALSE(std::filesystem::exists("browser"));
  UserClick(*F1().BtnBrowser);
  ASSERT_EQ(launches_.size(), 1u);
  EXPECT_EQ(launches_[0].argv.back(), Root() + "/server/tovrek$/browser/index.htm");
}

}  // namespace
}  // namespace tovrek_test
