// The shell's "open" operation: start a program or hand a document or a
// link to the desktop, without waiting.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace plat {

constexpr int kShellOk = 42;  // any code above 32 means success
constexpr int kShellFileNotFound = 2;
constexpr int kShellPathNotFound = 3;
constexpr int kShellAccessDenied = 5;
constexpr int kShellOutOfMemory = 8;
constexpr int kShellBadFormat = 11;
constexpr int kShellNoAssociation = 31;

struct ShellResult {
  int code;             // > 32 on success
  std::string message;  // the system's text for a failure
};

// `file` is looked for in `directory` (empty: the current folder) unless it
// is absolute or a link ("http://...", "mailto: x"). An executable file is
// started directly with `directory` as its folder; anything else goes to
// xdg-open.
ShellResult ShellOpen(const std::string& file, const std::string& directory);

// Runs argv detached (no zombie is left), in cwd. 0 or an errno.
using ShellLauncher = std::function<int(const std::vector<std::string>& argv, const std::string& cwd)>;
int LaunchDetached(const std::vector<std::string>& argv, const std::string& cwd);

// Tests see what would run instead of running it; an empty function
// restores LaunchDetached.
void SetShellLauncherForTests(ShellLauncher launcher);

std::string ShellErrorText(int code);

}  // namespace plat
