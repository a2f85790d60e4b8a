#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "support/temp_folder.h"

namespace {

using namespace std::string_literals;
using plat::InOutError;
using plat::TextFile;

class TextFileTest : public tovrek_test::TempFolderTest {
 protected:
  // Reads as the program does: a line, then the end test.
  static std::vector<std::string> ReadAll(const std::string& name) {
    TextFile file;
    file.Assign(name);
    file.Reset();
    std::vector<std::string> lines;
    std::string line;
    do {
      file.ReadLn(line);
      lines.push_back(line);
    } while (!file.Eof());
    file.Close();
    return lines;
  }

  static int ErrorCode(const std::function<void()>& step, std::string* name = nullptr) {
    try {
      step();
    } catch (const InOutError& e) {
      if (name) *name = e.FileName();
      return e.Code();
    }
    return 0;
  }
};

TEST_F(TextFileTest, LineEnds) {
  using V = std::vector<std::string>;
  const auto L = [](size_t n, char c) { return std::string(n, c); };
  struct Case {
    const char* label;
    std::string bytes;
    V lines;
  } const cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"lone CR", "a\rb\r", {"a", "b"}},
      {"empty line", "a\r\n\r\nb", {"a", "", "b"}},
      {"LF then CR is two ends", "a\n\rb", {"a", "", "b"}},
      {"CR CR", "a\r\rb\r\n", {"a", "", "b"}},
      {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"empty file", "", {""}},
      {"only a line end", "\r\n", {""}},
      {"blanks kept", "  x \r\n", {"  x "}},
      {"8-bit bytes unchanged", std::string("\xE9t\xE9\0z\x1A\r\n", 8), {std::string("\xE9t\xE9\0z\x1A", 6)}},
      {"longer lines, mixed ends", L(40, 'a') + "\r" + L(50, 'b') + "\r" + L(60, 'c') + "\n" + L(35, 'd') + "\r\n\ne",
       {L(40, 'a'), L(50, 'b'), L(60, 'c'), L(35, 'd'), "", "e"}},
      {"short and long lines", "a\n" + L(70, 'b') + "\rc\r\n" + L(33, 'd') + "\n", {"a", L(70, 'b'), "c", L(33, 'd')}},
  };
  for (const Case& c : cases) {
    WriteBytes("t.txt", c.bytes);
    EXPECT_EQ(ReadAll("t.txt"), c.lines) << c.label;
  }
}

// Line ends where the file is read in blocks: a CR LF split between two
// blocks is one line end, a line may span several blocks and is kept up
// to the longest line, and the line after it is read whole.
TEST_F(TextFileTest, LinesAcrossBlocks) {
  using V = std::vector<std::string>;
  const size_t block = TextFile::kBlockSize;
  const auto cut = [](const std::string& s) { return s.substr(0, TextFile::kMaxLineLength); };
  const std::string fill(block - 1, 'x');
  const std::string longLine(3 * block + 7, 'y');
  // Short lines up to a last one whose CR is the block's last byte.
  std::string shortLines;
  V shortLinesRead;
  while (shortLines.size() < block - 10) {
    shortLines += "line\r\n";
    shortLinesRead.push_back("line");
  }
  const std::string last(block - 1 - shortLines.size(), 'z');
  shortLines += last;
  shortLinesRead.push_back(last);
  V shortLinesThenB = shortLinesRead, shortLinesThenEmptyB = shortLinesRead;
  shortLinesThenB.push_back("b");
  shortLinesThenEmptyB.insert(shortLinesThenEmptyB.end(), {"", "b"});
  struct Case {
    const char* label;
    std::string bytes;
    V lines;
  } const cases[] = {
      {"CR ends a block, LF starts the next", fill + "\r\nb", {cut(fill), "b"}},
      {"CR ends a block, CR starts the next", fill + "\r\rb", {cut(fill), "", "b"}},
      {"LF ends a block", fill + "\n\nb", {cut(fill), "", "b"}},
      {"CR is the file's last byte at a block end", fill + "\r", {cut(fill)}},
      {"short lines, CR ends a block, LF starts the next", shortLines + "\r\nb", shortLinesThenB},
      {"short lines, CR ends a block, CR starts the next", shortLines + "\r\rb", shortLinesThenEmptyB},
      {"short lines, LF ends a block", shortLines + "\n\nb", shortLinesThenEmptyB},
      {"a line of exactly one block", fill + "x\r\nb", {cut(fill), "b"}},
      {"a line over several blocks", "a\r\n" + longLine + "\r\nb\r\n", {"a", cut(longLine), "b"}},
      {"no line end after a long line", longLine, {cut(longLine)}},
  };
  for (const Case& c : cases) {
    WriteBytes("t.txt", c.bytes);
    EXPECT_EQ(ReadAll("t.txt"), c.lines) << c.label;
  }
}

// A line is kept up to the longest line; what lies beyond is read past to
// the line end and dropped, so it is one line however long.
TEST_F(TextFileTest, LongLinesAreCutAtTheLongestLine) {
  using V = std::vector<std::string>;
  const size_t max = TextFile::kMaxLineLength;
  const std::string atLimit(max, 'a');
  const std::string overLimit = std::string(max, 'b') + "c";
  struct Case {
    const char* label;
    std::string bytes;
    V lines;
  } const cases[] = {
      {"exactly the longest line", atLimit + "\r\n[[qend\r\n", {atLimit, "[[qend"}},
      {"one character over", overLimit + "\r\n[[qend\r\n", {overLimit.substr(0, max), "[[qend"}},
      {"one over, LF", overLimit + "\n[A\n", {overLimit.substr(0, max), "[A"}},
      {"one over, lone CR", overLimit + "\r[A\r", {overLimit.substr(0, max), "[A"}},
      {"one over, no line end", overLimit, {overLimit.substr(0, max)}},
      {"a marker past the limit is not a line", std::string(max, 'd') + "\0[[qend"s + "\r\n", {std::string(max, 'd')}},
  };
  for (const Case& c : cases) {
    WriteBytes("t.txt", c.bytes);
    EXPECT_EQ(ReadAll("t.txt"), c.lines) << c.label;
  }
}

// A file without a line end is one line: however big, reading it costs a
// block and the kept line.
TEST_F(TextFileTest, AFileWithoutLineEndsIsOneLineReadInBoundedMemory) {
  WriteBytes("flat.txt", "");
  std::filesystem::resize_file("flat.txt", 64u << 20);  // sparse: 64 MB of zero bytes
  TextFile file;
  file.Assign("flat.txt");
  file.Reset();
  std::string line;
  file.ReadLn(line);
  EXPECT_EQ(line, std::string(TextFile::kMaxLineLength, '\0'));
  EXPECT_LE(line.capacity(), 2 * TextFile::kMaxLineLength);
  EXPECT_LE(file.BufferCapacity(), TextFile::kBlockSize);
  EXPECT_TRUE(file.Eof());
  file.ReadLn(line);
  EXPECT_EQ(line, "");
  file.Close();
}

// A big file costs one block, not its size, and closing gives it back.
TEST_F(TextFileTest, ReadsInBlocksAndGivesTheMemoryBack) {
  std::string bytes;
  const std::string line = "[Q a line of a big topic, about forty bytes";
  while (bytes.size() < 8u << 20) bytes += line + "\r\n";
  WriteBytes("big.txt", bytes);

  TextFile file;
  EXPECT_EQ(file.BufferCapacity(), 0u);
  file.Assign("big.txt");
  file.Reset();
  size_t lines = 0, peak = 0;
  std::string read;
  do {
    file.ReadLn(read);
    ASSERT_EQ(read, line) << "line " << lines;
    ++lines;
    peak = std::max(peak, file.BufferCapacity());
  } while (!file.Eof());
  EXPECT_EQ(lines, bytes.size() / (line.size() + 2));
  EXPECT_LE(peak, 2 * TextFile::kBlockSize);
  file.Close();
  EXPECT_EQ(file.BufferCapacity(), 0u);

  // Writing holds at most a block and a line, and gives it back too.
  file.Assign("out.txt");
  file.Rewrite();
  peak = 0;
  for (int i = 0; i < 20000; ++i) {
    file.WriteLn(line);
    peak = std::max(peak, file.BufferCapacity());
  }
  EXPECT_LE(peak, 2 * TextFile::kBlockSize + line.size());
  file.Close();
  EXPECT_EQ(file.BufferCapacity(), 0u);
  EXPECT_EQ(std::filesystem::file_size("out.txt"), 20000u * (line.size() + 2));
}

// Only a regular file opens for reading. A pipe would block the open until
// someone writes to it; a device such as /dev/zero never ends. Both fail
// at once with the error of a file that cannot be read.
TEST_F(TextFileTest, OnlyRegularFilesOpenForReading) {
  tovrek_test::HangGuard guard;
  WriteBytes("real.txt", "[Q1\r\n");
  MakeDirs("folder");
  MakeFifo("pipe.txt");
  MakeLink("/dev/zero", "zero.txt");
  MakeLink("pipe.txt", "to-pipe.txt");
  MakeLink("folder", "to-folder.txt");
  MakeLink("real.txt", "to-real.txt");
  MakeLink("gone.txt", "dangling.txt");
  struct Case {
    const char* name;
    int code;  // 0: opens
  } const cases[] = {
      {"pipe.txt", plat::kIoAccessDenied},      {"zero.txt", plat::kIoAccessDenied},
      {"to-pipe.txt", plat::kIoAccessDenied},   {"to-folder.txt", plat::kIoAccessDenied},
      {"dangling.txt", plat::kIoFileNotFound},  {"to-real.txt", 0},
      {"/dev/null", plat::kIoAccessDenied},
  };
  for (const Case& c : cases) {
    TextFile file;
    file.Assign(c.name);
    EXPECT_EQ(ErrorCode([&] { file.Reset(); }), c.code) << c.name;
    EXPECT_EQ(file.IsOpen(), c.code == 0) << c.name;
    if (c.code != 0) {
      EXPECT_EQ(file.BufferCapacity(), 0u) << c.name;
    }
  }
}

// A pipe or a device at the name is refused: nothing waits for a reader,
// and nothing replaces it.
TEST_F(TextFileTest, RewriteOfAPipeWithoutAReaderFails) {
  tovrek_test::HangGuard guard;
  MakeFifo("config.ini");
  for (const char* name : {"config.ini", "/dev/null"}) {
    TextFile file;
    file.Assign(name);
    EXPECT_EQ(ErrorCode([&] { file.Rewrite(); }), plat::kIoAccessDenied) << name;
    EXPECT_FALSE(file.IsOpen()) << name;
  }
  struct stat st {};
  ASSERT_EQ(lstat("config.ini", &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(TextFileTest, ReadingPastTheEndGivesEmptyLines) {
  WriteBytes("config.ini", "Navy\r\nBlack\r\n");
  TextFile file;
  file.Assign("config.ini");
  file.Reset();
  std::string line;
  file.ReadLn(line);
  file.ReadLn(line);
  EXPECT_EQ(line, "Black");
  EXPECT_TRUE(file.Eof());
  for (int i = 0; i < 3; ++i) {
    line = "stale";
    file.ReadLn(line);
    EXPECT_EQ(line, "");
    EXPECT_TRUE(file.Eof());
  }
  file.Close();
}

TEST_F(TextFileTest, WritesCrLfAndReplacesTheFile) {
  WriteBytes("out.txt", "a much longer old content that must go\r\n");
  TextFile file;
  file.Assign("OUT.TXT");
  file.Rewrite();
  file.WriteLn("Button Face");
  file.WriteLn("");
  file.WriteLn("caf\xE9");
  file.Close();
  EXPECT_EQ(ReadBytes("out.txt"), "Button Face\r\n\r\ncaf\xE9\r\n");
  EXPECT_EQ(file.Name(), "OUT.TXT");
}

TEST_F(TextFileTest, LargeFileRoundTrip) {
  MakeDirs("subjects/maths");
  std::vector<std::string> written;
  TextFile file;
  file.Assign("Subjects\\Maths\\big.txt");
  file.Rewrite();
  for (int i = 0; i < 10000; ++i) {
    written.push_back("[Q" + std::to_string(i) + " a question line of moderate length");
    file.WriteLn(written.back());
  }
  file.Close();
  EXPECT_EQ(ReadAll("subjects\\MATHS\\BIG.TXT"), written);
}

TEST_F(TextFileTest, ResetOfAnOpenFileStartsAgain) {
  TextFile file;
  file.Assign("x.txt");
  file.Rewrite();
  file.WriteLn("first");
  file.Reset();  // closes the output first, so the line is there
  std::string line;
  file.ReadLn(line);
  EXPECT_EQ(line, "first");
  file.Reset();
  file.ReadLn(line);
  EXPECT_EQ(line, "first");
  file.Close();
}

TEST_F(TextFileTest, OpenErrorsCarryCodeAndName) {
  MakeDirs("subjects/maths");
  WriteBytes("locked.ini", "keep");
  MakeReadOnly("locked.ini");
  struct Case {
    const char* label;
    const char* name;
    bool write;
    int code;
  } const cases[] = {
      {"missing file", "subjects\\Maths\\x.txt", false, plat::kIoFileNotFound},
      {"missing folder", "subjects\\Physics\\x.txt", false, plat::kIoPathNotFound},
      {"missing folder, writing", "setup\\config.ini", true, plat::kIoPathNotFound},
      {"a folder", "subjects\\maths", false, plat::kIoAccessDenied},
      {"a folder, writing", "subjects\\maths", true, plat::kIoAccessDenied},
      {"read-only file", "locked.ini", true, plat::kIoAccessDenied},
  };
  for (const Case& c : cases) {
    TextFile file;
    file.Assign(c.name);
    std::string name;
    EXPECT_EQ(ErrorCode([&] { c.write ? file.Rewrite() : file.Reset(); }, &name), c.code) << c.label;
    EXPECT_EQ(name, c.name) << c.label;
    EXPECT_FALSE(file.IsOpen()) << c.label;
  }
  EXPECT_EQ(ReadBytes("locked.ini"), "keep");
}

TEST_F(TextFileTest, MessageReadsLikeTheRuntimes) {
  TextFile file;
  file.Assign("subjects\\Maths\\x.txt");
  try {
    file.Reset();
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "I/O error 3: Path not found: subjects\\Maths\\x.txt");
  }
  MakeDirs("subjects/maths");
  try {
    file.Reset();
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "I/O error 2: File not found: subjects\\Maths\\x.txt");
  }
}

TEST_F(TextFileTest, StepsOutOfOrder) {
  WriteBytes("in.txt", "line\r\n");
  std::string line;
  struct Case {
    const char* label;
    const char* open;  // "", "reset" or "rewrite" before the step
    std::function<void(TextFile&)> step;
    int code;
  } const cases[] = {
      {"read, not open", "", [&](TextFile& f) { f.ReadLn(line); }, plat::kIoFileNotOpen},
      {"write, not open", "", [](TextFile& f) { f.WriteLn("x"); }, plat::kIoFileNotOpen},
      {"end test, not open", "", [](TextFile& f) { f.Eof(); }, plat::kIoFileNotOpen},
      {"close, not open", "", [](TextFile& f) { f.Close(); }, plat::kIoFileNotOpen},
      {"read while writing", "rewrite", [&](TextFile& f) { f.ReadLn(line); }, plat::kIoNotOpenForInput},
      {"end test while writing", "rewrite", [](TextFile& f) { f.Eof(); }, plat::kIoNotOpenForInput},
      {"write while reading", "reset", [](TextFile& f) { f.WriteLn("x"); }, plat::kIoNotOpenForOutput},
      {"close twice", "reset", [](TextFile& f) { f.Close(); f.Close(); }, plat::kIoFileNotOpen},
  };
  for (const Case& c : cases) {
    TextFile file;
    const std::string name = std::string(c.open) == "rewrite" ? "out.txt" : "in.txt";
    file.Assign(name);
    if (std::string(c.open) == "reset") file.Reset();
    if (std::string(c.open) == "rewrite") file.Rewrite();
    std::string errorName;
    EXPECT_EQ(ErrorCode([&] { c.step(file); }, &errorName), c.code) << c.label;
    EXPECT_EQ(errorName, name) << c.label;
  }
  EXPECT_EQ(ReadBytes("in.txt"), "line\r\n");
}

TEST_F(TextFileTest, NotAssigned) {
  TextFile file;
  EXPECT_EQ(ErrorCode([&] { file.Reset(); }), plat::kIoFileNotAssigned);
  EXPECT_EQ(ErrorCode([&] { file.Rewrite(); }), plat::kIoFileNotAssigned);
}

// A write that fails, at Close or part way, leaves the old file whole and
// no new one half written beside it; the file is closed.
TEST_F(TextFileTest, WriteErrorOnAFullDisk) {
  WriteBytes("config.ini", "old");
  plat::FailAtomicWritesAfterForTests(0);
  TextFile file;
  file.Assign("config.ini");
  file.Rewrite();
  file.WriteLn("settings");
  std::string name;
  EXPECT_EQ(ErrorCode([&] { file.Close(); }, &name), plat::kIoDiskWriteError);
  plat::FailAtomicWritesAfterForTests(std::nullopt);
  EXPECT_EQ(name, "config.ini");
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadBytes("config.ini"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
}

TEST_F(TextFileTest, WriteErrorWhileWritingMuchToAFullDisk) {
  WriteBytes("config.ini", "old");
  plat::FailAtomicWritesAfterForTests(100000);
  TextFile file;
  file.Assign("config.ini");
  file.Rewrite();
  const std::string line(1000, 'x');
  EXPECT_EQ(ErrorCode([&] {
              for (int i = 0; i < 1000; ++i) file.WriteLn(line);
            }),
            plat::kIoDiskWriteError);
  plat::FailAtomicWritesAfterForTests(std::nullopt);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ErrorCode([&] { file.WriteLn(line); }), plat::kIoFileNotOpen);
  EXPECT_EQ(ReadBytes("config.ini"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
}

// A file never closed is not put in place.
TEST_F(TextFileTest, AFileNotClosedLeavesTheOldOne) {
  WriteBytes("config.ini", "old");
  {
    TextFile file;
    file.Assign("config.ini");
    file.Rewrite();
    file.WriteLn("half");
  }
  EXPECT_EQ(ReadBytes("config.ini"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
}

// A leftover link at the file's name, or a folder on the way that is a
// link, never carries a write out of the working folder.
TEST_F(TextFileTest, RewriteNeverWritesThroughALink) {
  WriteBytes("outside.txt", "keep");
  MakeDirs("elsewhere");
  MakeDirs("work/setup");
  MakeLink("../../outside.txt", "work/setup/config.ini");
  MakeLink("../../missing.txt", "work/setup/dangling.ini");
  MakeLink("../elsewhere", "work/linked");
  std::filesystem::current_path("work");
  for (const char* name : {"setup\\config.ini", "setup\\dangling.ini"}) {
    TextFile file;
    file.Assign(name);
    file.Rewrite();
    file.WriteLn("new");
    file.Close();
    EXPECT_EQ(ReadAll(name), std::vector<std::string>{"new"}) << name;
  }
  EXPECT_FALSE(std::filesystem::is_symlink("setup/config.ini"));
  EXPECT_FALSE(std::filesystem::is_symlink("setup/dangling.ini"));
  EXPECT_EQ(ReadBytes("../outside.txt"), "keep");
  EXPECT_FALSE(std::filesystem::exists("../missing.txt"));

  TextFile file;
  file.Assign("linked\\config.ini");
  EXPECT_EQ(ErrorCode([&] { file.Rewrite(); }), plat::kIoAccessDenied);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(std::filesystem::is_empty("../elsewhere"));
}

TEST_F(TextFileTest, NoPermissionToRead) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  WriteBytes("secret.txt", "x");
  std::filesystem::permissions("secret.txt", std::filesystem::perms::none);
  TextFile file;
  file.Assign("secret.txt");
  EXPECT_EQ(ErrorCode([&] { file.Reset(); }), plat::kIoAccessDenied);
}

}  // namespace
