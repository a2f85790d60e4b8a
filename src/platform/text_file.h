// The program's one text-file variable: 8-bit lines, CR LF on writing,
// every step checked as the Windows runtime checks it. Input is read in
// blocks as the lines are asked for, and a line is kept only up to
// kMaxLineLength, so any file costs one block and one line of memory,
// whatever its size or the length of its lines.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/atomic_file.h"

namespace plat {

// Runtime input/output error codes.
constexpr int kIoFileNotFound = 2;
constexpr int kIoPathNotFound = 3;
constexpr int kIoTooManyOpenFiles = 4;
constexpr int kIoAccessDenied = 5;
constexpr int kIoDiskReadError = 100;
constexpr int kIoDiskWriteError = 101;
constexpr int kIoFileNotAssigned = 102;
constexpr int kIoFileNotOpen = 103;
constexpr int kIoNotOpenForInput = 104;
constexpr int kIoNotOpenForOutput = 105;

// "I/O error 2: File not found: subjects\Maths\x.txt"
class InOutError : public std::runtime_error {
 public:
  InOutError(int code, const std::string& fileName);
  int Code() const noexcept { return code_; }
  const std::string& FileName() const noexcept { return fileName_; }

 private:
  int code_;
  std::string fileName_;
};

// "File not found" and so on; "Unknown error" for codes not listed above.
std::string InOutErrorText(int code);

class TextFile {
 public:
  TextFile() = default;
  ~TextFile();  // closes without reporting
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Binds a program path; an open file is closed first.
  void Assign(const std::string& name);
  // Opens for reading. Only a regular file opens; a folder, a pipe or a
  // device fails with kIoAccessDenied, without blocking.
  void Reset();
  // Opens a new version of the file for writing, made by AtomicFile: it
  // takes the old one's place at Close, and a file never closed leaves the
  // old one as it was. A folder, a pipe, a device or a read-only file at
  // the name fails with kIoAccessDenied; a link there is replaced, never
  // written through.
  void Rewrite();
  // Lines end at CR LF, LF or a lone CR; past the end, lines are empty.
  // A line longer than kMaxLineLength gives its first kMaxLineLength
  // characters; the rest up to its line end is read past and dropped, so
  // it is still one line. A failed read raises kIoDiskReadError.
  void ReadLn(std::string& line);
  // Writes the bytes and CR LF.
  void WriteLn(const std::string& line);
  // True when no byte is left to read.
  bool Eof();
  // Flushes and closes; the buffers are given back.
  void Close();

  const std::string& Name() const { return name_; }
  bool IsOpen() const { return mode_ != Mode::Closed; }

  // Bytes the file holds in its own buffers (reserved, not only used);
  // bounded by a block plus one line while open, 0 once closed.
  size_t BufferCapacity() const { return in_.capacity() + out_.capacity(); }
  static constexpr size_t kBlockSize = 1 << 16;
  // The longest line kept, in characters (bytes): a paragraph of some 350
  // words in a question or a media text, and short enough that the memos
  // lay out a screenful of such lines, blank or not, within two frames.
  static constexpr size_t kMaxLineLength = 2048;

 private:
  enum class Mode { Closed, Input, Output };

  void Fail(int code) const;
  void CloseSilently() noexcept;
  // Raises the write error, closing the file.
  void Flush();
  // False at the end of the file; raises kIoDiskReadError on failure.
  bool Fill();
  // Where the current line ends in the block: the first CR or LF at or
  // after pos_, or end_.
  size_t LineEnd();

  std::string name_;
  bool assigned_ = false;
  Mode mode_ = Mode::Closed;
  std::vector<char> in_;   // input: the current block, in_[pos_, end_) unread
  size_t pos_ = 0;
  size_t end_ = 0;
  // The next CR and LF in the block, found once each: a block of many
  // short lines is searched once, not once per line.
  static constexpr size_t kNotSearched = static_cast<size_t>(-1);
  size_t nextCr_ = kNotSearched;
  size_t nextLf_ = kNotSearched;
  std::vector<char> out_;  // output not yet written
  int fd_ = -1;
  std::unique_ptr<AtomicFile> output_;  // open for writing
};

}  // namespace plat
