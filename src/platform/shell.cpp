#include "platform/shell.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/detail.h"
#include "platform/paths.h"

namespace plat {

namespace {

ShellLauncher& TestLauncher() {
  static ShellLauncher launcher;
  return launcher;
}


// "http://host", "mailto: x": a scheme of two or more characters and a
// colon ("C:" is a drive, not a scheme).
bool IsLink(const std::string& file) {
  size_t i = 0;
  while (i < file.size() && (std::isalnum(static_cast<unsigned char>(file[i])) || file[i] == '+' ||
                             file[i] == '-' || file[i] == '.'))
    ++i;
  return i >= 2 && i < file.size() && file[i] == ':' && std::isalpha(static_cast<unsigned char>(file[0]));
}

// xdg-open takes no blank between the scheme and the rest ("mailto: x").
std::string NormaliseLink(const std::string& link) {
  const size_t colon = link.find(':');
  size_t rest = colon + 1;
  while (rest < link.size() && link[rest] == ' ') ++rest;
  return link.substr(0, colon + 1) + link.substr(rest);
}

std::string Absolute(const std::string& native) {
  if (!native.empty() && native[0] == '/') return native;
  char buffer[4096];
  if (!getcwd(buffer, sizeof buffer)) return native;
  if (native == ".") return buffer;
  return std::string(buffer) + "/" + native;
}

// The program argv[0] names, for an exec made after the child has changed
// its folder: so an absolute path, or "".
std::string FindProgram(const std::string& program) {
  if (program.find('/') != std::string::npos) return program[0] == '/' ? program : "";
  const char* env = std::getenv("PATH");
  return FindInSearchPath(program, env && *env ? env : "/usr/local/bin:/usr/bin:/bin");
}

bool IsExecutableFile(const std::string& native, const struct stat& st) {
  return S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0 &&
         access(native.c_str(), X_OK) == 0;
}

ShellResult Failure(int code, const std::string& message = "") {
  return {code, message.empty() ? ShellErrorText(code) : message};
}

ShellResult FromErrno(int err, bool direct) {
  switch (err) {
    case ENOENT: return Failure(direct ? kShellFileNotFound : kShellNoAssociation);
    case ENOTDIR: return Failure(kShellPathNotFound);
    case EACCES:
    case EPERM: return Failure(kShellAccessDenied);
    case ENOEXEC: return Failure(kShellBadFormat);
    case ENOMEM:
    case E2BIG:
    case EAGAIN: return Failure(kShellOutOfMemory);
    default: return Failure(direct ? kShellAccessDenied : kShellNoAssociation, std::strerror(err));
  }
}

OpenerExitProbe& TestOpenerExit() {
  static OpenerExitProbe probe;
  return probe;
}

// A started xdg-open: a child of ours (pid) or a test's stand-in (probe).
struct Opener {
  pid_t pid = -1;
  std::vector<std::string> argv;
};

std::vector<Opener>& Openers() {
  static std::vector<Opener> openers;
  return openers;
}

bool EndsWithExe(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".exe";
}

// Starts argv in a session of its own, with `cwd` as its folder; a failed
// chdir or exec comes back through a pipe that a successful exec closes.
// Detached, a middle child starts it and exits at once: reaping that child
// leaves the program orphaned to init, so no zombie stays behind. Watched,
// it is our own child, whose exit can be learned through `pid`. 0 or an
// errno.
int Launch(const std::vector<std::string>& argv, const std::string& cwd, bool detached, pid_t* pid) {
  if (argv.empty()) return EINVAL;
  // Everything the children need is prepared here: between fork and exec
  // only async-signal-safe calls are allowed.
  const std::string program = FindProgram(argv[0]);
  if (program.empty()) return ENOENT;
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const std::string folder = cwd.empty() ? "." : cwd;

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  const pid_t child = fork();
  if (child < 0) {
    const int err = errno;
    close(report[0]);
    close(report[1]);
    return err;
  }
  if (child == 0) {
    setsid();
    if (detached) {
      const pid_t grandchild = fork();
      if (grandchild != 0) {
        if (grandchild < 0) {
          const int err = errno;
          [[maybe_unused]] ssize_t n = write(report[1], &err, sizeof err);
        }
        _exit(0);
      }
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (chdir(folder.c_str()) == 0) execv(program.c_str(), args.data());
    const int err = errno;
    [[maybe_unused]] ssize_t n = write(report[1], &err, sizeof err);
    _exit(127);
  }

  close(report[1]);
  int err = 0;
  ssize_t got;
  do {
    got = read(report[0], &err, sizeof err);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  const bool started = got != static_cast<ssize_t>(sizeof err);
  // The middle child is gone by now, and a watched child that could not
  // start is reaped at once; only a started watched child is left to run.
  if (detached || !started) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (!started) return err;
  if (!detached) *pid = child;
  return 0;
}

}  // namespace

std::string ShellErrorText(int code) {
  switch (code) {
    case kShellFileNotFound: return "The system cannot find the file specified.";
    case kShellPathNotFound: return "The system cannot find the path specified.";
    case kShellAccessDenied: return "Access is denied.";
    case kShellOutOfMemory: return "Not enough memory resources are available to process this command.";
    case kShellBadFormat: return "An attempt was made to load a program with an incorrect format.";
    case kShellNoAssociation: return "There is no application associated with the given file name extension.";
    default: return code > 32 ? "" : "The operation failed.";
  }
}

void SetShellLauncherForTests(ShellLauncher launcher) {
  TestLauncher() = std::move(launcher);
  SetOpenerExitForTests(nullptr);
}

void SetOpenerExitForTests(OpenerExitProbe probe) {
  TestOpenerExit() = std::move(probe);
  // Stand-ins of an earlier test are forgotten; real children stay watched.
  auto& openers = Openers();
  openers.erase(std::remove_if(openers.begin(), openers.end(), [](const Opener& o) { return o.pid < 0; }),
                openers.end());
}

int ShellCodeForOpenerExit(int status) { return status == 2 ? kShellFileNotFound : kShellNoAssociation; }

std::vector<ShellResult> CollectFailedOpeners() {
  std::vector<ShellResult> failed;
  auto& openers = Openers();
  for (size_t i = 0; i < openers.size();) {
    std::optional<int> exit;
    if (openers[i].pid < 0) {
      const OpenerExitProbe& probe = TestOpenerExit();
      exit = probe ? probe(openers[i].argv) : std::optional<int>(0);
    } else {
      int status = 0;
      const pid_t r = waitpid(openers[i].pid, &status, WNOHANG);
      if (r == openers[i].pid) exit = WIFEXITED(status) ? WEXITSTATUS(status) : 4;
      else if (r < 0 && errno != EINTR) exit = 0;  // not ours to learn about any more
    }
    if (!exit) {
      ++i;
      continue;
    }
    if (*exit != 0) failed.push_back(Failure(ShellCodeForOpenerExit(*exit)));
    openers.erase(openers.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return failed;
}

bool OpenersPending() { return !Openers().empty(); }

std::string FindInSearchPath(const std::string& program, const std::string& searchPath) {
  size_t pos = 0;
  while (pos <= searchPath.size()) {
    size_t end = searchPath.find(':', pos);
    if (end == std::string::npos) end = searchPath.size();
    const std::string dir = searchPath.substr(pos, end - pos);
    pos = end + 1;
    if (dir.empty() || dir[0] != '/') continue;
    const std::string candidate = dir + "/" + program;
    struct stat st {};
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return "";
}

int LaunchDetached(const std::vector<std::string>& argv, const std::string& cwd) {
  return Launch(argv, cwd, /*detached=*/true, nullptr);
}

ShellResult ShellOpen(const std::string& file, const std::string& directory, ShellTarget target) {
  const std::string cwd = Absolute(directory.empty() ? std::string(".") : NativePath(directory));
  struct stat st {};
  if (stat(cwd.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Failure(kShellPathNotFound);

  const bool program = target == ShellTarget::Program;
  std::vector<std::string> argv;
  if (!program && IsLink(file)) {
    argv = {"xdg-open", NormaliseLink(file)};
  } else {
    if (file.empty()) return Failure(kShellFileNotFound);
    const bool absolute = file[0] == '/' || file[0] == '\\';
    const std::string path = Absolute(NativePath(absolute || directory.empty() ? file : directory + "\\" + file));
    if (stat(path.c_str(), &st) != 0) {
      const int err = errno;
      if (err == ENOENT || err == ENOTDIR) return Failure(detail::WindowsErrorFromErrno(err, path));
      return FromErrno(err, true);
    }
    // A program that cannot run is an error, and one named as a program is
    // never a document to hand on: the opener might find a way to run it.
    if (program ? !IsExecutableFile(path, st) : EndsWithExe(file)) return Failure(kShellAccessDenied);
    if (program)
      argv = {path};
    else
      argv = {"xdg-open", path};
  }

  const ShellLauncher& launcher = TestLauncher();
  int err = 0;
  if (program) {
    err = launcher ? launcher(argv, cwd) : LaunchDetached(argv, cwd);
  } else if (launcher) {
    err = launcher(argv, cwd);
    if (err == 0 && TestOpenerExit()) Openers().push_back({-1, argv});
  } else {
    pid_t pid = -1;
    err = Launch(argv, cwd, /*detached=*/false, &pid);
    if (err == 0) Openers().push_back({pid, argv});
  }
  if (err != 0) return FromErrno(err, program);
  return {kShellOk, ""};
}

}  // namespace plat
