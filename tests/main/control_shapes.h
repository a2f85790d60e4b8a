// Control files that are there in some form but cannot be read, as a
// server's share may show them. All but the last fail for root too, which
// reads any file whatever its mode.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <ostream>

namespace tovrek_test {

struct UnreadableShape {
  const char* name;
  void (*make)(const std::filesystem::path& file);
  // Seen as a file by an existence test (a missing file is not reported).
  bool looksPresent;
  bool failsForRootToo;
};

inline void PrintTo(const UnreadableShape& s, std::ostream* os) { *os << s.name; }

inline const UnreadableShape kUnreadableShapes[] = {
    {"Pipe", [](const std::filesystem::path& f) { ::mkfifo(f.c_str(), 0644); }, true, true},
    {"LinkToPipe",
     [](const std::filesystem::path& f) {
       ::mkfifo((f.parent_path() / "pipe").c_str(), 0644);
       std::filesystem::create_symlink("pipe", f);
     },
     true, true},
    {"Directory", [](const std::filesystem::path& f) { std::filesystem::create_directory(f); }, false, true},
    {"LinkToNothing", [](const std::filesystem::path& f) { std::filesystem::create_symlink("nowhere.ini", f); },
     false, true},
    {"LinkToDirectory",
     [](const std::filesystem::path& f) {
       std::filesystem::create_directory(f.parent_path() / "elsewhere");
       std::filesystem::create_symlink("elsewhere", f);
     },
     false, true},
    {"NoPermission",
     [](const std::filesystem::path& f) {
       std::ofstream(f, std::ios::binary) << "RUN\r\n";
       std::filesystem::permissions(f, std::filesystem::perms::none);
     },
     true, false},
};

// Root reads a file it has no permission for.
inline bool ShapeFailsHere(const UnreadableShape& s) { return s.failsForRootToo || ::geteuid() != 0; }

}  // namespace tovrek_test
