#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

#include "platform/detail.h"

#ifndef TOVREK_SCHOOL_MOUNT
#define TOVREK_SCHOOL_MOUNT "/mnt/tovrek-school"
#endif

namespace plat {

namespace detail {

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool ListDirectory(const std::string& nativeDir, std::vector<std::string>& names) {
  names.clear();
  DIR* dir = opendir(nativeDir.empty() ? "." : nativeDir.c_str());
  if (!dir) return false;
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    names.emplace_back(entry->d_name);
  }
  closedir(dir);
  return true;
}

std::vector<std::string> ProgramNames(std::vector<std::string> names) {
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const std::string& n) { return n.find('\\') != std::string::npos; }),
              names.end());
  // In byte order the first of each set of case twins comes first; keep it
  // and drop the rest of its set.
  std::sort(names.begin(), names.end());
  std::vector<std::string> kept;
  std::unordered_set<std::string> seen;  // lower-cased kept names
  for (std::string& name : names) {
    std::string key = name;
    for (char& c : key) c = AsciiLower(c);
    if (seen.insert(std::move(key)).second) kept.push_back(std::move(name));
  }
  return kept;
}

std::string ParentOf(const std::string& nativePath) {
  std::string path = nativePath;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

int WindowsErrorFromErrno(int err, const std::string& nativePath) {
  switch (err) {
    case ENOENT: {
      struct stat st {};
      const std::string parent = ParentOf(nativePath);
      return (stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) ? 2 : 3;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    default:
      return 5;
  }
}

bool MakeBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

int OpenRegularForReading(const std::string& nativePath, int* windowsError) {
  constexpr int kAccessDenied = 5;
  // stat first, so that a device is not even opened; fstat after the open
  // catches an entry swapped in between.
  struct stat st {};
  if (stat(nativePath.c_str(), &st) != 0) {
    *windowsError = WindowsErrorFromErrno(errno, nativePath);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    *windowsError = kAccessDenied;
    return -1;
  }
  const int fd = open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *windowsError = WindowsErrorFromErrno(errno, nativePath);
    return -1;
  }
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !MakeBlocking(fd)) {
    close(fd);
    *windowsError = kAccessDenied;
    return -1;
  }
  return fd;
}

}  // namespace detail

namespace {

std::optional<std::string>& MountOverride() {
  static std::optional<std::string> mount;
  return mount;
}

bool EntryExists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

std::string Join(const std::string& base, const std::string& name) {
  if (base.empty()) return name;
  if (base.back() == '/') return base + name;
  return base + "/" + name;
}

// A folder's names by their lower-case spelling: of the entries equal
// ignoring case, the first in byte order.
using FolderIndex = std::unordered_map<std::string, std::string>;

std::optional<FolderIndex> IndexFolder(const std::string& dir) {
  std::vector<std::string> names;
  if (!detail::ListDirectory(dir, names)) return std::nullopt;
  FolderIndex index;
  for (std::string& name : names) {
    std::string key = name;
    for (char& c : key) c = detail::AsciiLower(c);
    auto [it, added] = index.try_emplace(std::move(key), name);
    if (!added && name < it->second) it->second = std::move(name);
  }
  return index;
}

struct ListingCache {
  int depth = 0;
  std::unordered_map<std::string, std::optional<FolderIndex>> folders;
};

ListingCache& Cache() {
  static ListingCache cache;
  return cache;
}

// The entry of `dir` that `name` reaches: of the entries equal to it
// ignoring case, the first in byte order, even when one of them is spelt
// exactly as asked. So "subjects" and "Subjects" reach one folder however
// the program spells it, and it is the one the folder's listing shows.
std::optional<std::string> FindIgnoringCase(const std::string& dir, const std::string& name) {
  std::string key = name;
  for (char& c : key) c = detail::AsciiLower(c);
  const auto find = [&](const std::optional<FolderIndex>& index) -> std::optional<std::string> {
    if (!index) return std::nullopt;
    auto it = index->find(key);
    if (it == index->end()) return std::nullopt;
    return it->second;
  };
  ListingCache& cache = Cache();
  if (cache.depth == 0) return find(IndexFolder(dir));
  auto it = cache.folders.find(dir);
  if (it == cache.folders.end()) it = cache.folders.emplace(dir, IndexFolder(dir)).first;
  return find(it->second);
}

}  // namespace

FolderListingScope::FolderListingScope() { ++Cache().depth; }

FolderListingScope::~FolderListingScope() {
  if (--Cache().depth == 0) Cache().folders.clear();
}

std::string SchoolMount() {
  if (MountOverride()) return *MountOverride();
  return TOVREK_SCHOOL_MOUNT;
}

void SetSchoolMountForTests(std::optional<std::string> mount) { MountOverride() = std::move(mount); }

std::string NativePath(const std::string& programPath) {
  std::string path = programPath;
  std::replace(path.begin(), path.end(), '\\', '/');

  std::string root;  // already native: "", "/" or the school mount
  size_t start = 0;
  if (path.size() >= 2 && path[0] == '/' && path[1] == '/') {
    root = SchoolMount();
    const size_t serverEnd = path.find('/', 2);
    start = serverEnd == std::string::npos ? path.size() : serverEnd;
  } else if (!path.empty() && path[0] == '/') {
    root.assign(1, '/');  // not = "/": GCC 12 warns wrongly (-Wrestrict)
  }
  const bool trailingSlash = path.size() > start && path.back() == '/';

  std::string result = root;
  bool lookUp = true;  // false once a component is missing: nothing below it exists
  size_t pos = start;
  while (pos < path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    std::string component = path.substr(pos, end - pos);
    pos = end + 1;
    if (component.empty()) continue;  // "a\\b" names "a\b", as on Windows

    if (lookUp && component != "." && component != "..") {
      const std::string dir = result.empty() ? "." : result;
      if (auto found = FindIgnoringCase(dir, component))
        component = *found;
      else if (!EntryExists(Join(result, component)))  // an unreadable folder may still hold it
        lookUp = false;
    }
    result = Join(result, component);
  }
  if (trailingSlash && !result.empty() && result.back() != '/') result += '/';
  return result;
}

}  // namespace plat
