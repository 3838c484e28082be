// Process: posix_spawnp with a pipe on the child's stdin.
#include "platform/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern char** environ;

namespace {
// A child that stops reading must show up as a failed write, not end us.
void IgnoreBrokenPipes() {
  static bool done = false;
  if (!done) signal(SIGPIPE, SIG_IGN);
  done = true;
}

int WaitFor(int pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

void CloseInput(TChildProcess& child) {
  if (child.Input >= 0) close(child.Input);
  child.Input = -1;
}
}  // namespace

bool StartChild(TChildProcess& child, const std::vector<std::string>& args, std::string& error) {
  child = TChildProcess{};
  if (args.empty()) {
    error = "no program given";
    return false;
  }
  IgnoreBrokenPipes();
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    error = std::strerror(errno);
    return false;
  }
  // Larger than a frame's worth of the default 64 KiB: fewer waits on the
  // child (best effort; the system may cap it).
  fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // Own process group; default SIGPIPE and an empty signal mask in the child.
  sigset_t defaults, none;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  close(fds[0]);
  if (rc != 0) {
    close(fds[1]);
    error = rc == ENOENT ? args[0] + " not found" : args[0] + ": " + std::strerror(rc);
    return false;
  }
  child.Pid = pid;
  child.Input = fds[1];
  return true;
}

bool WriteToChild(TChildProcess& child, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    if (child.Input < 0) return false;
    const ssize_t n = write(child.Input, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

int FinishChild(TChildProcess& child) {
  CloseInput(child);
  if (child.Pid < 0) return -1;
  const int status = WaitFor(child.Pid);
  child.Pid = -1;
  return status;
}

void EndChildNow(const TChildProcess& child) {
  if (child.Pid >= 0) kill(child.Pid, SIGKILL);
}

void KillChild(TChildProcess& child) {
  CloseInput(child);
  if (child.Pid < 0) return;
  kill(child.Pid, SIGKILL);
  WaitFor(child.Pid);
  child.Pid = -1;
}

bool ProgramInPath(const std::string& name) {
  auto executable = [](const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
  };
  if (name.find('/') != std::string::npos) return executable(name);
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t pos = 0;
  while (pos <= dirs.size()) {
    std::size_t colon = dirs.find(':', pos);
    if (colon == std::string::npos) colon = dirs.size();
    const std::string dir = dirs.substr(pos, colon - pos);
    if (executable((dir.empty() ? "." : dir) + "/" + name)) return true;
    pos = colon + 1;
  }
  return false;
}

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

int TerminalColumns() {
  winsize ws{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
  return 80;
}

void SetEnvironment(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}

bool EnvironmentSwitch(const char* name) {
  const char* value = std::getenv(name);
  return value && *value && std::string_view(value) != "0";
}
