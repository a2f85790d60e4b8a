// The pictures folder "setup\pictures": what may be added to it, how a
// picture is copied in and how one is deleted.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace plat {
class ByteSource;
class FileReader;
}  // namespace plat

namespace knowledge {

// The file name of a native path chosen in the file dialog, when it is a
// name the folder may hold (IsPictureFileName); nullopt otherwise.
std::optional<std::string> PictureNameOfPath(const std::string& nativePath);

// A picture chosen to be added, open and checked: a regular file (a pipe
// or device is refused without being opened for long enough to block) that
// decodes as its kind says, within the picture bounds. It is read in
// blocks, never whole, so a file of any size costs a few blocks of memory.
class PictureToAdd {
 public:
  // Raises plat::PictureError with a message for the learner when the
  // file cannot be added.
  explicit PictureToAdd(const std::string& nativePath);
  ~PictureToAdd();
  PictureToAdd(const PictureToAdd&) = delete;
  PictureToAdd& operator=(const PictureToAdd&) = delete;

  // True when `programPath` names this very file, whatever the spelling.
  bool IsFileAt(const std::string& programPath) const;
  // Copies the whole file to `destination` (a program path) in blocks,
  // through a new file renamed into place (plat::AtomicFile), checking it
  // again on the way: what lands in the folder is what decodes, and the
  // destination changes only when all of it went well. Raises
  // plat::PictureError or plat::InOutError.
  void CopyTo(const std::string& destination);

 private:
  void Check(plat::ByteSource& in) const;

  std::string nativePath_;
  std::string refused_;
  std::unique_ptr<plat::FileReader> file_;
};

// The native path of `name` in a program folder, the name itself kept
// byte for byte (not resolved ignoring case).
std::string ExactPathIn(const std::string& programFolder, const std::string& name);

// Deletes exactly that name in the folder; false when it could not.
bool DeleteExactly(const std::string& programFolder, const std::string& name);

}  // namespace knowledge
