#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "platform/paths.h"
#include "platform/text_file.h"

namespace plat {
namespace {

std::optional<size_t> g_failAfter;

int IoCodeOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kIoPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP:
      return kIoAccessDenied;
    default:
      return kIoDiskWriteError;
  }
}

// Opens the folder that holds `native`, one component at a time without
// following links when the path is relative: a link standing for a folder
// of the working tree could lead anywhere. Absolute paths (the school
// share) are the administrator's and are opened as given. Sets `leaf`.
int OpenParentFolder(const std::string& native, std::string& leaf, int& error) {
  const size_t slash = native.rfind('/');
  leaf = slash == std::string::npos ? native : native.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? std::string() : native.substr(0, slash);
  if (leaf.empty() || leaf == "." || leaf == "..") {
    error = EISDIR;
    return -1;
  }
  if (!native.empty() && native.front() == '/') {
    const int fd = open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) error = errno;
    return fd;
  }
  int fd = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  size_t start = 0;
  while (fd >= 0 && start < folder.size()) {
    size_t end = folder.find('/', start);
    if (end == std::string::npos) end = folder.size();
    const std::string part = folder.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      close(fd);
      error = EACCES;
      return -1;
    }
    const int next = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0) {
      error = errno;
      struct stat st {};
      if (fstatat(fd, part.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode)) error = EACCES;
    }
    close(fd);
    fd = next;
  }
  if (fd < 0 && error == 0) error = errno;
  return fd;
}

std::string RandomSuffix() {
  static thread_local std::mt19937_64 generator{std::random_device{}()};
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix(10, 'x');
  for (char& c : suffix) c = kChars[generator() % (sizeof(kChars) - 1)];
  return suffix;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path) {
  int error = 0;
  dirFd_ = OpenParentFolder(NativePath(path), leaf_, error);
  if (dirFd_ < 0) Fail(error);
  // O_EXCL with O_NOFOLLOW: neither a leftover file nor a link planted under
  // the temporary name is ever opened.
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    tempLeaf_ = ".tovrek-save-" + RandomSuffix();
    fd_ = openat(dirFd_, tempLeaf_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    error = errno;
    tempLeaf_.clear();
    Fail(error);
  }
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!tempLeaf_.empty()) unlinkat(dirFd_, tempLeaf_.c_str(), 0);
  tempLeaf_.clear();
  if (dirFd_ >= 0) close(dirFd_);
  dirFd_ = -1;
}

void AtomicFile::Fail(int error) {
  Discard();
  throw InOutError(error == EIO || error == ENOSPC ? kIoDiskWriteError : IoCodeOf(error), path_);
}

void AtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) throw InOutError(kIoFileNotOpen, path_);
  size_t limit = bytes.size();
  bool injected = false;
  if (g_failAfter && written_ + limit > *g_failAfter) {
    limit = *g_failAfter > written_ ? *g_failAfter - written_ : 0;
    injected = true;
  }
  size_t done = 0;
  while (done < limit) {
    const ssize_t n = write(fd_, bytes.data() + done, limit - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    done += static_cast<size_t>(n);
  }
  written_ += done;
  if (injected) Fail(EIO);
}

void AtomicFile::MakeReadOnly() {
  if (fd_ < 0) throw InOutError(kIoFileNotOpen, path_);
  struct stat st {};
  if (fstat(fd_, &st) != 0 || fchmod(fd_, st.st_mode & 07555) != 0) Fail(errno);
}

void AtomicFile::CloseForCommit() {
  if (fd_ < 0) throw InOutError(kIoFileNotOpen, path_);
  if (fsync(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) Fail(errno);
}

void AtomicFile::Commit() {
  CloseForCommit();
  if (renameat(dirFd_, tempLeaf_.c_str(), dirFd_, leaf_.c_str()) != 0) Fail(errno);
  tempLeaf_.clear();
  Discard();
}

bool AtomicFile::CommitUnlessExists() {
  CloseForCommit();
  int result = renameat2(dirFd_, tempLeaf_.c_str(), dirFd_, leaf_.c_str(), RENAME_NOREPLACE);
  if (result != 0 && (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
    // A file system that cannot refuse in the rename itself: look first.
    struct stat st {};
    if (fstatat(dirFd_, leaf_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) errno = EEXIST;
    else result = renameat(dirFd_, tempLeaf_.c_str(), dirFd_, leaf_.c_str());
  }
  if (result != 0) {
    if (errno != EEXIST) Fail(errno);
    Discard();
    return false;
  }
  tempLeaf_.clear();
  Discard();
  return true;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFile file(path);
  file.Write(bytes);
  file.Commit();
}

void FailAtomicWritesAfterForTests(std::optional<size_t> bytes) { g_failAfter = bytes; }

}  // namespace plat
