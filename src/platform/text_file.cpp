#include "platform/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/detail.h"
#include "platform/paths.h"

namespace plat {

std::string InOutErrorText(int code) {
  switch (code) {
    case kIoFileNotFound: return "File not found";
    case kIoPathNotFound: return "Path not found";
    case kIoTooManyOpenFiles: return "Too many open files";
    case kIoAccessDenied: return "Access denied";
    case kIoDiskReadError: return "Disk read error";
    case kIoDiskWriteError: return "Disk write error";
    case kIoFileNotAssigned: return "File not assigned";
    case kIoFileNotOpen: return "File not open";
    case kIoNotOpenForInput: return "File not open for input";
    case kIoNotOpenForOutput: return "File not open for output";
    default: return "Unknown error";
  }
}

InOutError::InOutError(int code, const std::string& fileName)
    : std::runtime_error("I/O error " + std::to_string(code) + ": " + InOutErrorText(code) + ": " + fileName),
      code_(code),
      fileName_(fileName) {}

TextFile::~TextFile() { CloseSilently(); }

void TextFile::Fail(int code) const { throw InOutError(code, name_); }

void TextFile::CloseSilently() noexcept {
  // Output never closed is not put in place: the old file stays.
  output_.reset();
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  mode_ = Mode::Closed;
  // Give the memory back: clear() would keep it reserved.
  std::vector<char>().swap(in_);
  std::vector<char>().swap(out_);
  pos_ = end_ = 0;
}

void TextFile::Flush() {
  try {
    output_->Write(std::string_view(out_.data(), out_.size()));
    out_.clear();
  } catch (...) {
    // Nothing more can go to a new version that failed.
    CloseSilently();
    throw;
  }
}

void TextFile::Assign(const std::string& name) {
  if (mode_ != Mode::Closed) Close();
  name_ = name;
  assigned_ = true;
}

void TextFile::Reset() {
  if (!assigned_) Fail(kIoFileNotAssigned);
  if (mode_ != Mode::Closed) Close();
  int error = 0;
  const int fd = detail::OpenRegularForReading(NativePath(name_), &error);
  if (fd < 0) Fail(error);
  fd_ = fd;
  in_.assign(kBlockSize, '\0');
  pos_ = end_ = 0;
  mode_ = Mode::Input;
}

bool TextFile::Fill() {
  if (pos_ < end_) return true;
  for (;;) {
    const ssize_t n = read(fd_, in_.data(), in_.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(kIoDiskReadError);
    }
    pos_ = 0;
    end_ = static_cast<size_t>(n);
    nextCr_ = nextLf_ = kNotSearched;
    return n > 0;
  }
}

void TextFile::Rewrite() {
  if (!assigned_) Fail(kIoFileNotAssigned);
  if (mode_ != Mode::Closed) Close();
  // What stands at the name itself, not what a link there points to.
  struct stat st {};
  if (lstat(NativePath(name_).c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    // A pipe or a device is never replaced by a file.
    if (!S_ISREG(st.st_mode)) Fail(kIoAccessDenied);
    // A read-only file refuses writing on Windows even to an administrator.
    if ((st.st_mode & S_IWUSR) == 0) Fail(kIoAccessDenied);
  }
  output_ = std::make_unique<AtomicFile>(name_);
  out_.clear();
  mode_ = Mode::Output;
}

size_t TextFile::LineEnd() {
  // Most lines are short: their first bytes are looked at one by one.
  const size_t near = std::min(end_, pos_ + 32);
  for (size_t i = pos_; i < near; ++i)
    if (in_[i] == '\r' || in_[i] == '\n') return i;
  if (near == end_) return end_;
  const auto next = [this, near](size_t& found, char c) {
    // A mark found earlier at or after pos_ is still the first one there.
    if (found == kNotSearched || found < near) {
      const void* at = std::memchr(in_.data() + near, c, end_ - near);
      found = at == nullptr ? end_ : static_cast<size_t>(static_cast<const char*>(at) - in_.data());
    }
    return found;
  };
  return std::min(next(nextCr_, '\r'), next(nextLf_, '\n'));
}

void TextFile::ReadLn(std::string& line) {
  if (mode_ == Mode::Closed) Fail(kIoFileNotOpen);
  if (mode_ != Mode::Input) Fail(kIoNotOpenForInput);
  line.clear();
  while (Fill()) {
    const size_t stop = LineEnd();
    const size_t room = kMaxLineLength - line.size();
    line.append(in_.data() + pos_, std::min(stop - pos_, room));
    pos_ = stop;
    if (stop == end_) continue;  // the line goes on in the next block
    const bool cr = in_[pos_] == '\r';
    ++pos_;
    if (cr && Fill() && in_[pos_] == '\n') ++pos_;
    return;
  }
}

void TextFile::WriteLn(const std::string& line) {
  if (mode_ == Mode::Closed) Fail(kIoFileNotOpen);
  if (mode_ != Mode::Output) Fail(kIoNotOpenForOutput);
  out_.insert(out_.end(), line.begin(), line.end());
  out_.push_back('\r');
  out_.push_back('\n');
  if (out_.size() >= kBlockSize) Flush();
}

bool TextFile::Eof() {
  if (mode_ == Mode::Closed) Fail(kIoFileNotOpen);
  if (mode_ != Mode::Input) Fail(kIoNotOpenForInput);
  return !Fill();
}

void TextFile::Close() {
  if (mode_ == Mode::Closed) Fail(kIoFileNotOpen);
  if (mode_ == Mode::Output) {
    Flush();
    try {
      output_->Commit();
    } catch (...) {
      CloseSilently();
      throw;
    }
  }
  CloseSilently();
}

}  // namespace plat
