#include "platform/text_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/detail.h"
#include "platform/paths.h"

namespace plat {

namespace {

constexpr size_t kOutputBuffer = 1 << 16;

}  // namespace

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
  if (mode_ == Mode::Output) Flush();
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  mode_ = Mode::Closed;
  data_.clear();
  out_.clear();
  pos_ = 0;
}

bool TextFile::Flush() {
  size_t done = 0;
  while (done < out_.size()) {
    const ssize_t n = write(fd_, out_.data() + done, out_.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      out_.clear();
      return false;
    }
    done += static_cast<size_t>(n);
  }
  out_.clear();
  return true;
}

void TextFile::Assign(const std::string& name) {
  if (mode_ != Mode::Closed) Close();
  name_ = name;
  assigned_ = true;
}

void TextFile::Reset() {
  if (!assigned_) Fail(kIoFileNotAssigned);
  if (mode_ != Mode::Closed) Close();
  const std::string native = NativePath(name_);
  struct stat st {};
  if (stat(native.c_str(), &st) != 0) Fail(detail::WindowsErrorFromErrno(errno, native));
  if (S_ISDIR(st.st_mode)) Fail(kIoAccessDenied);
  const int fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail(detail::WindowsErrorFromErrno(errno, native));

  std::string data;
  if (S_ISREG(st.st_mode) && st.st_size > 0) data.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      Fail(kIoDiskReadError);
    }
    if (n == 0) break;
    data.append(buffer, static_cast<size_t>(n));
  }
  close(fd);  // everything is in memory; nothing holds the file open
  data_ = std::move(data);
  pos_ = 0;
  mode_ = Mode::Input;
}

void TextFile::Rewrite() {
  if (!assigned_) Fail(kIoFileNotAssigned);
  if (mode_ != Mode::Closed) Close();
  const std::string native = NativePath(name_);
  struct stat st {};
  if (stat(native.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) Fail(kIoAccessDenied);
    // A read-only file refuses writing on Windows even to an administrator.
    if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) Fail(kIoAccessDenied);
  }
  const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) Fail(detail::WindowsErrorFromErrno(errno, native));
  fd_ = fd;
  out_.clear();
  mode_ = Mode::Output;
}

void TextFile::ReadLn(std::string& line) {
  if (mode_ == Mode::Closed) Fail(kIoFileNotOpen);
  if (mode_ != Mode::Input) Fail(kIoNotOpenForInput);
  size_t end = pos_;
  while (end < data_.size() && data_[end] != '\r' && data_[end] != '\n') ++end;
  line.assign(data_, pos_, end - pos_);
  pos_ = end;
  if (pos_ < data_.size()) {
    const bool cr = data_[pos_] == '\r';
    ++pos_;
    if (cr && pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  }
}

void TextFile::WriteLn(const std::string& line) {
  if (mode_ == Mode::Closed) Fail(kIoFileNotOpen);
  if (mode_ != Mode::Output) Fail(kIoNotOpenForOutput);
  out_ += line;
  out_ += "\r\n";
  if (out_.size() >= kOutputBuffer && !Flush()) Fail(kIoDiskWriteError);
}

bool TextFile::Eof() {
  if (mode_ == Mode::Closed) Fail(kIoFileNotOpen);
  if (mode_ != Mode::Input) Fail(kIoNotOpenForInput);
  return pos_ >= data_.size();
}

void TextFile::Close() {
  if (mode_ == Mode::Closed) Fail(kIoFileNotOpen);
  bool ok = true;
  if (mode_ == Mode::Output) {
    ok = Flush();
    if (close(fd_) != 0) ok = false;
    fd_ = -1;
  }
  CloseSilently();
  if (!ok) Fail(kIoDiskWriteError);
}

}  // namespace plat
