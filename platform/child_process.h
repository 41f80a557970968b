// Programs the program starts. They are started directly, never through a shell, in a
// session of their own with no terminal of this program's (their standard streams are
// /dev/null), so that they run on by themselves; nobody is left waiting for one, and
// each is reaped once it ends.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace varnolix {

// Starts arguments[0], looked up on PATH, with the arguments as given. Returns 0 and
// the child's process id, or the errno value that says why it could not start.
int StartProgram(const std::vector<std::string>& arguments, pid_t* pid);

// Waits at most `limit` for the child to end, keeping the program's windows painted
// meanwhile (input waits until the call returns). Returns its exit status (128 plus
// the signal that killed it); nothing when it still runs, and then it is reaped later.
std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds limit);

// Reaps the child whenever it ends, without waiting for it.
void ReapWhenDone(pid_t pid);

}  // namespace varnolix
