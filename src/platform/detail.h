// Internal helpers shared by the platform sources; not part of the API.
#pragma once

#include <string>
#include <vector>

namespace plat::detail {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoreCase(const std::string& a, const std::string& b);
// <0, 0, >0 like strcmp, comparing ASCII letters without regard to case.
int CompareIgnoreCase(const std::string& a, const std::string& b);

// Names in a folder, without "." and "..". False when it cannot be read.
bool ListDirectory(const std::string& nativeDir, std::vector<std::string>& names);

// The folder part of a native path ("." for a bare name).
std::string ParentOf(const std::string& nativePath);

// Windows error code for a failed open of nativePath: 2 when only the file
// is missing, 3 when its folder is, 5 for permission problems.
int WindowsErrorFromErrno(int err, const std::string& nativePath);

}  // namespace plat::detail
