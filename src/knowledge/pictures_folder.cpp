#include "knowledge/pictures_folder.h"

#include <exception>
#include <string_view>

#include "knowledge/settings_file.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "platform/jpeg.h"
#include "platform/paths.h"
#include "platform/picture_size.h"
#include "platform/text8.h"

namespace knowledge {

namespace {

constexpr size_t kBlockBytes = size_t{64} << 10;

// Hands every block read on to the copy as well. A failed write ends the
// reading (no exception may cross the decoder) and is raised afterwards.
class CopyingSource : public plat::ByteSource {
 public:
  CopyingSource(plat::ByteSource& in, plat::AtomicFile& out) : in_(in), out_(out) {}
  long Read(uint8_t* buffer, size_t size) override {
    if (writeError_) return -1;
    const long n = in_.Read(buffer, size);
    if (n <= 0) return n;
    try {
      out_.Write(std::string_view(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n)));
    } catch (...) {
      writeError_ = std::current_exception();
      return -1;
    }
    return n;
  }
  void RaiseWriteError() const {
    if (writeError_) std::rethrow_exception(writeError_);
  }

 private:
  plat::ByteSource& in_;
  plat::AtomicFile& out_;
  std::exception_ptr writeError_;
};

}  // namespace

std::optional<std::string> PictureNameOfPath(const std::string& nativePath) {
  const size_t slash = nativePath.rfind('/');
  std::string name = slash == std::string::npos ? nativePath : nativePath.substr(slash + 1);
  if (!IsPictureFileName(name)) return std::nullopt;
  return name;
}

PictureToAdd::PictureToAdd(const std::string& nativePath)
    : nativePath_(nativePath), refused_("The file " + nativePath + " cannot be added: ") {
  bool notRegular = false;
  file_ = plat::FileReader::OpenNative(nativePath, &notRegular);
  if (!file_)
    throw plat::PictureError(refused_ + (notRegular ? "it is not an ordinary file." : "it cannot be opened."));
  Check(*file_);
}

PictureToAdd::~PictureToAdd() = default;

void PictureToAdd::Check(plat::ByteSource& in) const {
  const std::string kind = plat::UpperCase(nativePath_.substr(nativePath_.size() >= 3 ? nativePath_.size() - 3 : 0));
  if (kind == "JPG") {
    try {
      plat::CheckJpeg(in, nativePath_);
      return;
    } catch (const plat::PictureTooLargeError&) {
      throw plat::PictureError(refused_ + "the picture is too large.");
    } catch (const plat::PictureReadError&) {
      throw plat::PictureError(refused_ + "it cannot be read.");
    } catch (const plat::PictureError&) {
    }
  } else if (kind == "BMP") {
    uint8_t head[plat::kBitmapHeadBytes];
    size_t got = 0;
    while (got < sizeof head) {
      const long n = in.Read(head + got, sizeof head - got);
      if (n < 0) throw plat::PictureError(refused_ + "it cannot be read.");
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    if (const std::optional<plat::PictureSize> size = plat::BitmapSize(head, got)) {
      if (static_cast<uint64_t>(size->width) * static_cast<uint64_t>(size->height) > plat::kMaxBitmapPixels)
        throw plat::PictureError(refused_ + "the picture is too large.");
      return;
    }
  }
  throw plat::PictureError(refused_ + "it is not a picture.");
}

bool PictureToAdd::IsFileAt(const std::string& programPath) const {
  return file_->IsFileAt(plat::NativePath(programPath));
}

void PictureToAdd::CopyTo(const std::string& destination) {
  if (!file_->Rewind()) throw plat::PictureError(refused_ + "it cannot be read.");
  plat::AtomicFile out(destination);
  CopyingSource copying(*file_, out);
  try {
    Check(copying);
  } catch (const plat::PictureError&) {
    copying.RaiseWriteError();
    throw;
  }
  // The rest, past the picture's end.
  std::unique_ptr<uint8_t[]> block(new uint8_t[kBlockBytes]);
  for (;;) {
    const long n = copying.Read(block.get(), kBlockBytes);
    copying.RaiseWriteError();
    if (n < 0) throw plat::PictureError(refused_ + "it cannot be read.");
    if (n == 0) break;
  }
  out.Commit();
}

std::string ExactPathIn(const std::string& programFolder, const std::string& name) {
  std::string folder = plat::NativePath(programFolder);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + name;
}

bool DeleteExactly(const std::string& programFolder, const std::string& name) {
  if (!IsBareFileName(name)) return false;
  return plat::DeleteNativeEntry(ExactPathIn(programFolder, name));
}

}  // namespace knowledge
