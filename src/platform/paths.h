// Windows-style program paths on a case-sensitive file system.
#pragma once

#include <optional>
#include <string>

namespace plat {

// Turns a path as the program writes it ("Subjects\Maths\x.txt", relative
// to the current folder, or "\\server\share\rest") into a native one.
// Backslashes become slashes; a component without an exact match is looked
// up ignoring ASCII case; components that do not exist are kept as written.
std::string NativePath(const std::string& programPath);

// Folder standing in for "\\server" (the server name is dropped).
std::string SchoolMount();
// Tests map UNC paths to a folder of their own; nullopt restores the build's.
void SetSchoolMountForTests(std::optional<std::string> mount);

}  // namespace plat
