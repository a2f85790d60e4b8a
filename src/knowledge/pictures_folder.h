// The pictures folder "setup\pictures": what may be added to it, how a
// picture is copied in and how one is deleted.
#pragma once

#include <optional>
#include <string>

namespace knowledge {

// The file name of a native path chosen in the file dialog, when it is a
// name the folder may hold (IsPictureFileName); nullopt otherwise.
std::optional<std::string> PictureNameOfPath(const std::string& nativePath);

// The bytes of a picture to add: a regular file (a pipe or device is not
// opened for long enough to block) that decodes as its kind says. Raises
// plat::PictureError with a message for the learner otherwise.
std::string ReadPictureToAdd(const std::string& nativePath);

// True when both name the same file (device and inode), whatever the
// spelling; the second is a program path.
bool IsSameFile(const std::string& nativePath, const std::string& programPath);

// The native path of `name` in a program folder, the name itself kept
// byte for byte (not resolved ignoring case).
std::string ExactPathIn(const std::string& programFolder, const std::string& name);

// Deletes exactly that name in the folder; false when it could not.
bool DeleteExactly(const std::string& programFolder, const std::string& name);

}  // namespace knowledge
