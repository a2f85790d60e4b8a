// File-system calls with the meaning the program expects from Windows.
// Every path is a program path and goes through NativePath.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace plat {

bool DirectoryExists(const std::string& path);
// True only for something that is not a folder.
bool FileExists(const std::string& path);
// One level; false when it fails or the folder already exists.
bool CreateDir(const std::string& path);
// Empty folders only.
bool RemoveDir(const std::string& path);
// True only for a regular file (or a link to one): not a folder, a pipe or a
// device, which nothing in the program may open for reading.
bool IsRegularFile(const std::string& path);
// The whole of a regular file. False, leaving `bytes` empty, for anything
// else (a pipe or device is refused without being read) and on a failed
// read; `opened` then tells whether the file could be opened at all.
bool ReadWholeFile(const std::string& path, std::string& bytes, bool* opened = nullptr);
// Bytes read in blocks, from a file or anything that stands for one.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` bytes into `buffer`: how many, 0 at the end, -1 when the
  // read fails.
  virtual long Read(uint8_t* buffer, size_t size) = 0;
};

// A regular file open for reading, read in blocks so that a file of any
// size costs no more memory than a block. Anything else (a pipe, a device,
// a folder) is refused without being opened for long enough to block.
class FileReader : public ByteSource {
 public:
  // nullptr when the file cannot be opened or is not a regular file;
  // `notRegular` then tells the second from the first.
  static std::unique_ptr<FileReader> Open(const std::string& path, bool* notRegular = nullptr);
  // The same for a path as the system spells it (a file dialog's answer).
  static std::unique_ptr<FileReader> OpenNative(const std::string& nativePath, bool* notRegular = nullptr);
  ~FileReader() override;
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  long Read(uint8_t* buffer, size_t size) override;
  // Back to the first byte; false when the file cannot be rewound.
  bool Rewind();
  // True when `nativePath` names this very file (device and inode),
  // whatever its spelling.
  bool IsFileAt(const std::string& nativePath) const;
  // For a reader that needs the descriptor itself; it stays ours.
  int Descriptor() const { return fd_; }

 private:
  explicit FileReader(int fd) : fd_(fd) {}
  int fd_;
};

// Removes the entry at a path as the system spells it, not resolved
// ignoring case: a link itself, never its target. False when it cannot.
bool DeleteNativeEntry(const std::string& nativePath);

// Copies regular files only, onto nothing, a regular file or a link, which
// is replaced and never written through. The copy is made by AtomicFile
// and appears whole or not at all; with failIfExists nothing already at
// the target's name, a link included, is replaced.
bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists);
// Write access to a folder (a program path; empty: the working folder): a
// file can be made and written there. The probe takes a fresh name and is
// removed again, so nothing already in the folder, under any name, is
// followed or changed.
bool CanWriteIn(const std::string& folder);
// Fails on a read-only file, as Windows does; SetArchiveOnly first.
bool DeleteFileAt(const std::string& path);
// Clears read-only: the owner may write the file again.
bool SetArchiveOnly(const std::string& path);

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

// Windows error codes the search returns.
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorPathNotFound = 3;
constexpr int kErrorInvalidHandle = 6;
constexpr int kErrorNoMoreFiles = 18;

class DirectorySearch;

struct SearchRec {
  std::string Name;
  int Attr = 0;
  int64_t Size = 0;
  std::shared_ptr<DirectorySearch> Handle;  // open search; reset by FindClose
};

// The mask is the last component of pathMask ("subjects\*."). Plain files
// always match; folders need faDirectory, dot-names faHidden. "." and ".."
// come first, then the rest in CompareText order. A name holding '\' is
// never listed, and of names equal ignoring case only the one NativePath
// reaches (the first in byte order). 0 on success.
int FindFirst(const std::string& pathMask, int attr, SearchRec& rec);
int FindNext(SearchRec& rec);
void FindClose(SearchRec& rec);

// Windows wildcard matching of one name, ignoring case ("*." finds names
// without a dot, "*.*" every name).
bool MatchesMask(const std::string& name, const std::string& mask);

}  // namespace plat
