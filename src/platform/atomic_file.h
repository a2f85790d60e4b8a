// Writing a file so that no reader ever sees it half written, and no link
// or leftover file is ever written through.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// A new version of the file at `path` (a program path). The bytes go to a
// fresh, uniquely named file created exclusively beside the target, without
// following links; Commit flushes it and renames it over the target, so a
// failure at any step leaves the old file byte for byte. Below the working
// folder no folder on the way may be a link. New files get the ordinary
// permissions; a link standing at the target's name is replaced, never
// followed. Every failure raises plat::InOutError naming `path`.
class AtomicFile {
 public:
  explicit AtomicFile(const std::string& path);
  ~AtomicFile();  // an uncommitted file is removed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  void Write(std::string_view bytes);
  // The new file will refuse writing, as a file with Windows' read-only
  // attribute does.
  void MakeReadOnly();
  void Commit();
  // As Commit, but only when nothing stands at the target's name, not even
  // a link; false when something does, which is then left as it was.
  bool CommitUnlessExists();

 private:
  [[noreturn]] void Fail(int error);
  void Discard();
  void CloseForCommit();

  std::string path_;
  std::string leaf_;
  std::string tempLeaf_;
  int dirFd_ = -1;
  int fd_ = -1;
  size_t written_ = 0;
};

void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Tests: every atomic write fails with a disk write error once this many
// bytes of it are written; nullopt writes normally again.
void FailAtomicWritesAfterForTests(std::optional<size_t> bytes);

}  // namespace plat
