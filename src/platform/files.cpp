#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/detail.h"
#include "platform/paths.h"
#include "platform/text8.h"
#include "platform/text_file.h"

namespace plat {

namespace {

bool StatPath(const std::string& native, struct stat& st) { return stat(native.c_str(), &st) == 0; }

// Windows' read-only attribute: the owner may not write, or we may not.
bool IsReadOnly(const std::string& native, const struct stat& st) {
  return (st.st_mode & S_IWUSR) == 0 || access(native.c_str(), W_OK) != 0;
}

}  // namespace

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return StatPath(NativePath(path), st) && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return StatPath(NativePath(path), st) && !S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path) { return mkdir(NativePath(path).c_str(), 0777) == 0; }

bool RemoveDir(const std::string& path) { return rmdir(NativePath(path).c_str()) == 0; }

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return StatPath(NativePath(path), st) && S_ISREG(st.st_mode);
}

bool ReadWholeFile(const std::string& path, std::string& bytes, bool* opened) {
  bytes.clear();
  const std::unique_ptr<FileReader> reader = FileReader::Open(path);
  if (opened) *opened = reader != nullptr;
  if (!reader) return false;
  struct stat st {};
  if (fstat(reader->Descriptor(), &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  uint8_t block[1 << 16];
  long n;
  while ((n = reader->Read(block, sizeof block)) > 0) bytes.append(reinterpret_cast<const char*>(block), static_cast<size_t>(n));
  if (n < 0) bytes.clear();
  return n == 0;
}

std::unique_ptr<FileReader> FileReader::Open(const std::string& path, bool* notRegular) {
  return OpenNative(NativePath(path), notRegular);
}

std::unique_ptr<FileReader> FileReader::OpenNative(const std::string& nativePath, bool* notRegular) {
  if (notRegular) *notRegular = false;
  int error = 0;
  const int fd = detail::OpenRegularForReading(nativePath, &error);
  if (fd >= 0) return std::unique_ptr<FileReader>(new FileReader(fd));
  struct stat st {};
  if (notRegular && StatPath(nativePath, st) && !S_ISREG(st.st_mode)) *notRegular = true;
  return nullptr;
}

FileReader::~FileReader() { close(fd_); }

long FileReader::Read(uint8_t* buffer, size_t size) {
  for (;;) {
    const ssize_t n = read(fd_, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) return -1;
  }
}

bool FileReader::Rewind() { return lseek(fd_, 0, SEEK_SET) == 0; }

bool FileReader::IsFileAt(const std::string& nativePath) const {
  struct stat mine {}, other {};
  if (fstat(fd_, &mine) != 0 || !StatPath(nativePath, other)) return false;
  return mine.st_dev == other.st_dev && mine.st_ino == other.st_ino;
}

bool DeleteNativeEntry(const std::string& nativePath) { return unlink(nativePath.c_str()) == 0; }

bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists) {
  const std::string to = NativePath(target);
  // Only a regular file is copied: a pipe would block the open, a device
  // such as /dev/zero would fill the disk.
  const std::unique_ptr<FileReader> in = FileReader::Open(source);
  struct stat srcStat {};
  if (!in || fstat(in->Descriptor(), &srcStat) != 0) return false;
  // What stands at the target's name is looked at, not what a link there
  // points to: the copy takes the link's place and never writes through it.
  struct stat dstStat {};
  if (lstat(to.c_str(), &dstStat) == 0) {
    bool refuse = failIfExists || (!S_ISREG(dstStat.st_mode) && !S_ISLNK(dstStat.st_mode));
    if (dstStat.st_dev == srcStat.st_dev && dstStat.st_ino == srcStat.st_ino) refuse = true;
    if (S_ISREG(dstStat.st_mode) && IsReadOnly(to, dstStat)) refuse = true;
    if (refuse) return false;
  }

  try {
    AtomicFile out(target);
    std::vector<uint8_t> buffer(1 << 16);
    long n;
    while ((n = in->Read(buffer.data(), buffer.size())) > 0)
      out.Write(std::string_view(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(n)));
    if (n < 0) return false;  // the uncommitted copy is removed with `out`
    // The copy keeps the source's read-only state, as on Windows.
    if ((srcStat.st_mode & S_IWUSR) == 0) out.MakeReadOnly();
    if (failIfExists) return out.CommitUnlessExists();
    out.Commit();
    return true;
  } catch (const InOutError&) {
    return false;
  }
}

bool CanWriteIn(const std::string& folder) {
  try {
    AtomicFile probe(folder.empty() ? std::string("disktest") : folder + "\\disktest");
    probe.Write("x");
    return true;  // never committed: the probe is removed with it
  } catch (const InOutError&) {
    return false;
  }
}

bool DeleteFileAt(const std::string& path) {
  const std::string native = NativePath(path);
  struct stat st {};
  if (lstat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (!S_ISLNK(st.st_mode) && IsReadOnly(native, st)) return false;
  return unlink(native.c_str()) == 0;
}

bool SetArchiveOnly(const std::string& path) {
  const std::string native = NativePath(path);
  struct stat st {};
  if (!StatPath(native, st)) return false;
  return chmod(native.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

// ---------------------------------------------------------------------------
// Wildcards as Windows reads them: '?' is a DOS '?' (matches nothing at a
// dot or the end), '*' before a dot stops at the name's last dot, and a dot
// before a wildcard or at the end also matches the end of the name.

namespace {

enum class Token { Literal, Star, DosStar, DosQm, DosDot };

struct MaskItem {
  Token token;
  char c;
};

std::vector<MaskItem> ParseMask(const std::string& mask) {
  std::vector<MaskItem> items;
  for (size_t i = 0; i < mask.size(); ++i) {
    const char c = mask[i];
    const char next = i + 1 < mask.size() ? mask[i + 1] : '\0';
    if (c == '?')
      items.push_back({Token::DosQm, c});
    else if (c == '*')
      items.push_back({next == '.' ? Token::DosStar : Token::Star, c});
    else if (c == '.' && (next == '?' || next == '*' || next == '\0'))
      items.push_back({Token::DosDot, c});
    else
      items.push_back({Token::Literal, detail::AsciiLower(c)});
  }
  return items;
}

}  // namespace

bool MatchesMask(const std::string& name, const std::string& mask) {
  const std::vector<MaskItem> items = ParseMask(mask);
  const size_t n = name.size();
  const size_t lastDot = name.rfind('.');
  // reach[j]: the items so far can consume exactly name[0, j).
  std::vector<char> reach(n + 1, 0), next(n + 1, 0);
  reach[0] = 1;
  for (const MaskItem& item : items) {
    std::fill(next.begin(), next.end(), 0);
    for (size_t j = 0; j <= n; ++j) {
      if (!reach[j]) continue;
      switch (item.token) {
        case Token::Literal:
          if (j < n && detail::AsciiLower(name[j]) == item.c) next[j + 1] = 1;
          break;
        case Token::Star:
          for (size_t k = j; k <= n; ++k) next[k] = 1;
          break;
        case Token::DosStar:
          next[j] = 1;
          for (size_t k = j; k < n && k != lastDot; ++k) next[k + 1] = 1;
          break;
        case Token::DosQm:
          if (j == n || name[j] == '.')
            next[j] = 1;
          else
            next[j + 1] = 1;
          break;
        case Token::DosDot:
          if (j == n)
            next[j] = 1;
          else if (name[j] == '.')
            next[j + 1] = 1;
          break;
      }
    }
    std::swap(reach, next);
  }
  return reach[n] != 0;
}

// ---------------------------------------------------------------------------

class DirectorySearch {
 public:
  std::vector<SearchRec> entries;
  size_t next = 0;
};

namespace {

bool IsHiddenName(const std::string& name) { return name.size() > 1 && name[0] == '.' && name != ".."; }

void Fill(SearchRec& rec, const SearchRec& entry) {
  rec.Name = entry.Name;
  rec.Attr = entry.Attr;
  rec.Size = entry.Size;
}

}  // namespace

int FindFirst(const std::string& pathMask, int attr, SearchRec& rec) {
  rec.Handle.reset();
  const size_t sep = pathMask.find_last_of("\\/");
  const std::string folder = sep == std::string::npos ? "" : pathMask.substr(0, sep + 1);
  const std::string mask = sep == std::string::npos ? pathMask : pathMask.substr(sep + 1);

  std::string dir = folder.empty() ? "." : NativePath(folder);
  struct stat dirStat {};
  if (!StatPath(dir, dirStat) || !S_ISDIR(dirStat.st_mode)) return kErrorPathNotFound;
  std::vector<std::string> names;
  if (!detail::ListDirectory(dir, names)) return kErrorPathNotFound;
  // Only the names the program can reach: one of each set of case twins,
  // none holding a backslash.
  names = detail::ProgramNames(std::move(names));
  if (mask.empty()) return kErrorFileNotFound;

  // Everything a folder offers: a plain file always passes; anything with an
  // attribute the caller did not allow is left out.
  const int excluded = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  auto search = std::make_shared<DirectorySearch>();
  bool anyMatched = false;
  auto consider = [&](const std::string& name, bool dotEntry) {
    if (!MatchesMask(name, mask)) return;
    anyMatched = true;
    SearchRec entry;
    entry.Name = name;
    if (dotEntry) {
      entry.Attr = faDirectory;
    } else {
      const std::string native = dir.back() == '/' ? dir + name : dir + "/" + name;
      struct stat st {};
      if (!StatPath(native, st) && lstat(native.c_str(), &st) != 0) return;  // vanished meanwhile
      if (S_ISDIR(st.st_mode)) entry.Attr |= faDirectory;
      else entry.Size = static_cast<int64_t>(st.st_size);
      if (IsReadOnly(native, st)) entry.Attr |= faReadOnly;
      if (IsHiddenName(name)) entry.Attr |= faHidden;
      if (entry.Attr == 0) entry.Attr = faArchive;
    }
    if ((entry.Attr & excluded) == 0) search->entries.push_back(std::move(entry));
  };

  consider(".", true);
  consider("..", true);
  const size_t dotEntries = search->entries.size();
  for (const std::string& name : names) consider(name, false);
  std::sort(search->entries.begin() + static_cast<std::ptrdiff_t>(dotEntries), search->entries.end(),
            [](const SearchRec& a, const SearchRec& b) {
              const int c = CompareText(a.Name, b.Name);
              return c != 0 ? c < 0 : a.Name < b.Name;
            });

  if (search->entries.empty()) return anyMatched ? kErrorNoMoreFiles : kErrorFileNotFound;
  rec.Handle = std::move(search);
  return FindNext(rec);
}

int FindNext(SearchRec& rec) {
  if (!rec.Handle) return kErrorInvalidHandle;
  DirectorySearch& search = *rec.Handle;
  if (search.next >= search.entries.size()) return kErrorNoMoreFiles;
  Fill(rec, search.entries[search.next++]);
  return 0;
}

void FindClose(SearchRec& rec) { rec.Handle.reset(); }

}  // namespace plat
