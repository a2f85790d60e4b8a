// The shell's "open" operation: start a program or hand a document or a
// link to the desktop, without waiting.
#pragma once

#include <functional>
#include <optional>
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
// started directly with `directory` as its folder; a program (".exe") that
// is not one fails with "Access is denied."; anything else goes to
// xdg-open. Only argv is built, never a shell command line, and the program
// and its folder are absolute paths.
//
// xdg-open says only on exit whether it found a handler: it is watched, and
// CollectFailedOpeners reports the ones that failed.
ShellResult ShellOpen(const std::string& file, const std::string& directory);

// The watched openers that have ended with failure since the last call,
// each with the shell's code and text; never blocks. Openers that ended
// well are dropped.
std::vector<ShellResult> CollectFailedOpeners();
// Some opener is still being watched.
bool OpenersPending();
// The shell code for an xdg-open exit status (2: file not found, anything
// else: no application).
int ShellCodeForOpenerExit(int status);

// Runs argv detached (no zombie is left), in cwd. 0 or an errno.
using ShellLauncher = std::function<int(const std::vector<std::string>& argv, const std::string& cwd)>;
int LaunchDetached(const std::vector<std::string>& argv, const std::string& cwd);

// Tests see what would run instead of running it; an empty function
// restores LaunchDetached.
void SetShellLauncherForTests(ShellLauncher launcher);
// Tests: how an opener started through the test launcher ends, asked at
// each collection: its exit status, or nullopt while it still runs.
// Without one (or with an empty function) it ends well at once.
using OpenerExitProbe = std::function<std::optional<int>(const std::vector<std::string>& argv)>;
void SetOpenerExitForTests(OpenerExitProbe probe);

std::string ShellErrorText(int code);

}  // namespace plat
