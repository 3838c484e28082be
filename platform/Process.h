// Process: child programs fed through a pipe, and the few things a command-
// line tool asks of its own process (environment, terminal).
// Mechanism: POSIX posix_spawnp, pipes, waitpid, isatty, setenv.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct TChildProcess {
  int Pid = -1;
  int Input = -1;  // write end of the child's stdin
};

// Starts args[0] (looked up in PATH) with its stdin reading from a pipe the
// caller writes to; stdout and stderr are shared with this program. The child
// runs in its own process group, so a Ctrl-C at the terminal reaches only
// this program, which then decides what happens to the child. False, with a
// reason in `error`, when it could not be started.
bool StartChild(TChildProcess& child, const std::vector<std::string>& args, std::string& error);
// Writes all of `data`. False once the child has stopped reading (it ended or
// closed its input): never a SIGPIPE that would end this program.
bool WriteToChild(TChildProcess& child, const void* data, std::size_t size);
// Closes the child's input and waits for it. Its exit status, or 128 + the
// signal that ended it.
int FinishChild(TChildProcess& child);
// Ends the child at once and waits for it.
void KillChild(TChildProcess& child);
// Ends the child at once without waiting or closing its input, so that a
// write blocked in another thread returns; KillChild cleans up after it.
void EndChildNow(const TChildProcess& child);

// True when an executable of that name is in PATH (or at that path).
bool ProgramInPath(const std::string& name);

bool StderrIsTerminal();
// Width of the terminal on stderr; 80 when it can't be told.
int TerminalColumns();

void SetEnvironment(const std::string& name, const std::string& value);
// A switch in the environment: set to anything but nothing or "0".
bool EnvironmentSwitch(const char* name);
