// Writing a file whole: the new contents go to a file of their own in the same folder,
// which takes the file's place only once complete, so that a failure or an interruption
// leaves the file as it was and nothing beside it. The operating system's part of
// payroll/output_file.h; each system has its own.
#pragma once

#include <string>

namespace varnolix::payroll::system {

// New contents on their way to a file. Only `fd` is the caller's, to write to.
struct Replacement {
  int fd = -1;
  std::string target;     // the file replaced, links followed; empty when `fd` is the file itself
  std::string temporary;  // the contents' own name meanwhile; empty while they have none
  int ticket = -1;        // that name's place among those an interruption removes
};

enum class Durability : unsigned char {
  kAsTheSystemWrites,  // in place at once; on the disk when the system gets round to it
  kOnDisk,             // on the disk before it takes the file's place, and in place on the disk
};

// Opens new contents for `path`; a device or a pipe is written straight. The contents get
// the permissions of the file they replace, or those of any new file. False with errno
// set; `refusingFolder` then names the folder when it is what would not take a new file
// (its permissions, a read-only disk), and is empty otherwise.
bool BeginReplacement(const std::string& path, Replacement& replacement, std::string& refusingFolder);

// Puts the contents in the file's place. Closes `fd` either way; false with errno set,
// and the file as it was.
bool FinishReplacement(Replacement& replacement, Durability durability);

// Closes and drops the contents: the file stays as it was. Harmless when nothing is open.
void AbandonReplacement(Replacement& replacement);

}  // namespace varnolix::payroll::system
