// Internal helpers shared by the platform sources; not part of the API.
#pragma once

#include <string>
#include <vector>

namespace plat::detail {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoreCase(const std::string& a, const std::string& b);

// Names in a folder, without "." and "..". False when it cannot be read.
bool ListDirectory(const std::string& nativeDir, std::vector<std::string>& names);

// How a folder's names look to the program, which knows only Windows names:
// a name holding '\' is left out (the program would read it as a path), and
// of names equal ignoring case only the first in byte order is kept, the one
// NativePath resolves every spelling of that name to. Sorted in byte order.
std::vector<std::string> ProgramNames(std::vector<std::string> names);

// The folder part of a native path ("." for a bare name).
std::string ParentOf(const std::string& nativePath);

// Windows error code for a failed open of nativePath: 2 when only the file
// is missing, 3 when its folder is, 5 for permission problems.
int WindowsErrorFromErrno(int err, const std::string& nativePath);

// Opens nativePath for reading only if it is a regular file, without ever
// blocking (a named pipe would wait for a writer, a device never ends).
// Returns the descriptor in blocking mode, or -1 with *windowsError set:
// as WindowsErrorFromErrno, and 5 (access denied) for anything not a
// regular file.
int OpenRegularForReading(const std::string& nativePath, int* windowsError);

// Clears O_NONBLOCK on an open descriptor; false when it cannot.
bool MakeBlocking(int fd);

}  // namespace plat::detail
