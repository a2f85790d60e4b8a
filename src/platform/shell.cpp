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

std::string FindInPath(const std::string& program) {
  if (program.find('/') != std::string::npos) return program;
  const char* env = std::getenv("PATH");
  const std::string path = env && *env ? env : "/usr/local/bin:/usr/bin:/bin";
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t end = path.find(':', pos);
    if (end == std::string::npos) end = path.size();
    const std::string dir = end > pos ? path.substr(pos, end - pos) : ".";
    const std::string candidate = dir + "/" + program;
    struct stat st {};
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
      return candidate;
    pos = end + 1;
  }
  return "";
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

// Starts argv as our own child in its own session, so its exit can be
// learned; the exec failure comes back through a pipe. 0 or an errno.
int LaunchWatched(const std::vector<std::string>& argv, const std::string& cwd, pid_t& pid) {
  const std::string program = FindInPath(argv[0]);
  if (program.empty()) return ENOENT;
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
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
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (chdir(cwd.c_str()) == 0) execv(program.c_str(), args.data());
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
  if (got == static_cast<ssize_t>(sizeof err)) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return err;
  }
  pid = child;
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

int LaunchDetached(const std::vector<std::string>& argv, const std::string& cwd) {
  if (argv.empty()) return EINVAL;
  // Everything the children need is prepared here: between fork and exec
  // only async-signal-safe calls are allowed.
  const std::string program = FindInPath(argv[0]);
  if (program.empty()) return ENOENT;
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const std::string folder = cwd.empty() ? "." : cwd;

  // The grandchild reports a failed chdir or exec through the pipe; a
  // successful exec closes it.
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
    const pid_t grandchild = fork();
    if (grandchild != 0) {
      if (grandchild < 0) {
        const int err = errno;
        [[maybe_unused]] ssize_t n = write(report[1], &err, sizeof err);
      }
      _exit(0);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    int err = 0;
    if (chdir(folder.c_str()) == 0) {
      execv(program.c_str(), args.data());
    }
    err = errno;
    [[maybe_unused]] ssize_t n = write(report[1], &err, sizeof err);
    _exit(127);
  }

  close(report[1]);
  // The middle child exits at once; reaping it leaves the program orphaned
  // to init, so no zombie stays behind.
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t got;
  do {
    got = read(report[0], &err, sizeof err);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  return got == static_cast<ssize_t>(sizeof err) ? err : 0;
}

ShellResult ShellOpen(const std::string& file, const std::string& directory) {
  const std::string cwd = Absolute(directory.empty() ? std::string(".") : NativePath(directory));
  struct stat st {};
  if (stat(cwd.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Failure(kShellPathNotFound);

  std::vector<std::string> argv;
  bool direct = false;
  if (IsLink(file)) {
    argv = {"xdg-open", NormaliseLink(file)};
  } else {
    if (file.empty()) return Failure(kShellFileNotFound);
    const bool absolute = file[0] == '/' || file[0] == '\\';
    const std::string target = Absolute(NativePath(absolute || directory.empty() ? file : directory + "\\" + file));
    if (stat(target.c_str(), &st) != 0) {
      const int err = errno;
      if (err == ENOENT || err == ENOTDIR) return Failure(detail::WindowsErrorFromErrno(err, target));
      return FromErrno(err, true);
    }
    direct = IsExecutableFile(target, st);
    // A program that cannot run is an error, never a document to hand on.
    if (!direct && EndsWithExe(file)) return Failure(kShellAccessDenied);
    if (direct)
      argv = {target};
    else
      argv = {"xdg-open", target};
  }

  const ShellLauncher& launcher = TestLauncher();
  int err = 0;
  if (direct) {
    err = launcher ? launcher(argv, cwd) : LaunchDetached(argv, cwd);
  } else if (launcher) {
    err = launcher(argv, cwd);
    if (err == 0 && TestOpenerExit()) Openers().push_back({-1, argv});
  } else {
    pid_t pid = -1;
    err = LaunchWatched(argv, cwd, pid);
    if (err == 0) Openers().push_back({pid, argv});
  }
  if (err != 0) return FromErrno(err, direct);
  return {kShellOk, ""};
}

}  // namespace plat
