// Temporary files that an interruption removes: Ctrl+C, a request to end or a closed
// terminal would otherwise leave a half-written file behind, unseen beside the file it
// was meant to replace. The process still ends as the interruption asks, and an
// interruption the process was told to ignore stays ignored.
#pragma once

#include <string>

namespace varnolix::payroll::system {

// Removes the file at `path`, should the process be interrupted before ForgetOnInterruption.
// Mark a name before the file is made and forget it once the file is gone or renamed,
// so that no moment is left uncovered. Returns a ticket for ForgetOnInterruption, or -1
// when the name cannot be kept (too long, or too many at once): the file is then still
// removed on every ordinary path, only not on an interruption.
int RemoveOnInterruption(const std::string& path);

// Leaves the file of `ticket` alone from now on. A ticket of -1 is ignored.
void ForgetOnInterruption(int ticket);

}  // namespace varnolix::payroll::system
