// Windows-style program paths on a case-sensitive file system.
#pragma once

#include <optional>
#include <string>

namespace plat {

// Turns a path as the program writes it ("Subjects\Maths\x.txt", relative
// to the current folder, or "\\server\share\rest") into a native one.
// Backslashes become slashes. Each component names the entry equal to it
// ignoring ASCII case that comes first in byte order ("Subjects" before
// "subjects", "A.txt" before "a.TXT"), whichever spelling is asked for, so
// every spelling of a name reaches the one entry the folder search lists.
// A component that matches nothing is kept as written, and nothing below it
// is looked up.
std::string NativePath(const std::string& programPath);

// While one lives, NativePath reads each folder's listing once and keeps
// it, for a batch of look-ups over folders that do not change meanwhile (a
// topic's media check reads the media folder once, not once per question).
// Scopes nest; the listings are forgotten when the outermost one ends.
class FolderListingScope {
 public:
  FolderListingScope();
  ~FolderListingScope();
  FolderListingScope(const FolderListingScope&) = delete;
  FolderListingScope& operator=(const FolderListingScope&) = delete;
};

// Folder standing in for "\\server" (the server name is dropped).
std::string SchoolMount();
// Tests map UNC paths to a folder of their own; nullopt restores the build's.
void SetSchoolMountForTests(std::optional<std::string> mount);

}  // namespace plat
