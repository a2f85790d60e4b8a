// Every program path is relative to the current folder, so each test runs
// in a fresh folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tovrek_test {

// Writes `content` byte for byte to `relativePath` (forward slashes),
// creating the folders on the way.
inline void WriteFile(const std::filesystem::path& relativePath, const std::string& content) {
  if (relativePath.has_parent_path()) std::filesystem::create_directories(relativePath.parent_path());
  std::ofstream out(relativePath, std::ios::binary);
  out << content;
  ASSERT_TRUE(out.good()) << relativePath;
}

// Lines as the editor writes them: every line ended by CR LF.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Hostile entries: a named pipe nobody writes to, and a symbolic link
// (to "/dev/zero", a folder, a pipe...), creating the folders on the way.
inline void MakeFifo(const std::string& path) {
  const std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path;
}

inline void MakeLink(const std::string& target, const std::string& path) {
  const std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::filesystem::create_symlink(target, p);
}

// A folder outside the test's working folder, for links that lead out of
// it; removed with everything in it when the test ends.
class OutsideFolder {
 public:
  OutsideFolder() {
    char pattern[] = "/tmp/tovrek-outside-XXXXXX";
    if (mkdtemp(pattern)) path_ = pattern;
    EXPECT_FALSE(path_.empty());
  }
  ~OutsideFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  OutsideFolder(const OutsideFolder&) = delete;
  OutsideFolder& operator=(const OutsideFolder&) = delete;
  // `name` inside it (an absolute path).
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }
  bool Empty() const { return std::filesystem::is_empty(path_); }

 private:
  std::string path_;
};

// True in a build with AddressSanitizer, whose shadow memory and
// quarantine of freed blocks make resident memory no measure of the
// program's own, and which runs the program several times slower.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// A field of /proc/self/status ("VmRSS:", "VmHWM:", "VmSize:") in bytes.
inline size_t ProcessStatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return static_cast<size_t>(std::strtoull(line.c_str() + std::strlen(field), nullptr, 10)) << 10;
  return 0;
}

// Ends the test program should a step block or run away, so that a pipe
// opened by mistake, or /dev/zero read or copied, fails the run quickly
// instead of hanging it or filling the disk: SIGALRM after a few seconds,
// SIGXFSZ past a file size no test writes. It
// never waits: a passing test disarms it long before it could fire.
//
// Memory: the test fails when the resident memory rose more than
// maxMemoryGrowth above what it was when the guard was made (a program
// started in a test takes some 20 MB; the sanitizer build does not check),
// and the address space is capped well above that, so a runaway allocation
// fails at once instead of taking the machine's memory.
class HangGuard {
 public:
  static constexpr size_t kDefaultMemoryGrowth = size_t{64} << 20;
  static constexpr rlim_t kDefaultFileBytes = rlim_t{256} << 20;
  explicit HangGuard(unsigned seconds = 3, rlim_t maxFileBytes = kDefaultFileBytes,
                     size_t maxMemoryGrowth = kDefaultMemoryGrowth)
      : maxMemoryGrowth_(maxMemoryGrowth) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > maxFileBytes) limit.rlim_cur = maxFileBytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    if (!kAddressSanitizer) {
      // Counts the peak afresh from here.
      std::ofstream("/proc/self/clear_refs") << "5";
      residentAtStart_ = ProcessStatusBytes("VmRSS:");
      getrlimit(RLIMIT_AS, &previousAddressSpace_);
      rlimit space = previousAddressSpace_;
      const rlim_t cap = ProcessStatusBytes("VmSize:") + 4 * maxMemoryGrowth + (rlim_t{1} << 30);
      if (space.rlim_cur == RLIM_INFINITY || space.rlim_cur > cap) space.rlim_cur = cap;
      setrlimit(RLIMIT_AS, &space);
    }
    alarm(seconds);
  }
  ~HangGuard() {
    alarm(0);
    setrlimit(RLIMIT_FSIZE, &previous_);
    if (!kAddressSanitizer) {
      setrlimit(RLIMIT_AS, &previousAddressSpace_);
      const size_t peak = ProcessStatusBytes("VmHWM:");
      const size_t growth = peak > residentAtStart_ ? peak - residentAtStart_ : 0;
      EXPECT_LE(growth, maxMemoryGrowth_) << "resident memory rose by " << (growth >> 20) << " MB";
    }
  }
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;

 private:
  rlimit previous_{};
  rlimit previousAddressSpace_{};
  size_t maxMemoryGrowth_;
  size_t residentAtStart_ = 0;
};

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    char pattern[] = "/tmp/tovrek-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    std::filesystem::current_path(folder_);
  }

  void TearDown() override {
    std::filesystem::current_path(previous_);
    // Tests make files read-only; give write access back so all can go.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder_, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(folder_, ec);
  }

  const std::filesystem::path& Folder() const { return folder_; }

  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
  }

  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  static void MakeDirs(const std::string& path) { std::filesystem::create_directories(path); }

  static void MakeFifo(const std::string& path) { tovrek_test::MakeFifo(path); }
  static void MakeLink(const std::string& target, const std::string& path) { tovrek_test::MakeLink(target, path); }

  static void MakeReadOnly(const std::string& path) {
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

}  // namespace tovrek_test
