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

// What the caller lets the shell do with a file that is not a link. Only
// a program the caller names itself (the editor) may be started; anything
// else is a document, whatever its mode says: on FAT, NTFS and SMB mounts
// every file shows as executable, and a page may hold a script.
enum class ShellTarget { Document, Program };

// `file` is looked for in `directory` (empty: the current folder) unless it
// is absolute or a link ("http://...", "mailto: x"; a drive such as "C:" is
// no link). A link and a document go to xdg-open. A program is started
// directly with `directory` as its folder, and only if it is an executable
// file; one that is not fails with "Access is denied.", as does a document
// named ".exe", which is never handed to the opener. Only argv is built,
// never a shell command line, and the program and its folder are absolute
// paths.
//
// xdg-open says only on exit whether it found a handler: it is watched, and
// CollectFailedOpeners reports the ones that failed.
ShellResult ShellOpen(const std::string& file, const std::string& directory, ShellTarget target);

// The watched openers that have ended with failure since the last call,
// each with the shell's code and text; never blocks. Openers that ended
// well are dropped.
std::vector<ShellResult> CollectFailedOpeners();
// Some opener is still being watched.
bool OpenersPending();
// The shell code for an xdg-open exit status (2: file not found, anything
// else: no application).
int ShellCodeForOpenerExit(int status);

// Where `program` is found along `searchPath` (a PATH value): the first
// executable regular file of that name in an absolute folder of the list,
// or "" when there is none. Empty and relative entries are skipped: they
// would name a folder of the knowledge base, not one of the system.
std::string FindInSearchPath(const std::string& program, const std::string& searchPath);

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
