// Opening a file to read, and telling two names of one file apart from two files: the
// operating system's part of reading payroll files, kept apart so that each system
// has its own.
#pragma once

#include <string>

namespace varnolix::payroll::system {

struct InputFile {
  int fd = -1;          // open for reading; -1 when the file cannot be read
  std::string problem;  // why it cannot, in the words of the messages; empty when it can
};

// Opens `path` for reading. With `regularOnly`, anything but a regular file (a folder, a
// named pipe, a device, a socket) is refused at once and named, without blocking on it:
// the program reads whole files, and a pipe that never ends would freeze its window.
InputFile OpenInputFile(const std::string& path, bool regularOnly);

// Closes what OpenInputFile opened.
void CloseInputFile(int fd);

// Whether `a` and `b` name one existing file, through links or symbolic links.
bool SameFile(const std::string& a, const std::string& b);

// Whether `path` names the regular file open as `fd`, so that writing there would write
// over what is being read. A device or a pipe, read and written at once, is no such case.
bool SameRegularFile(int fd, const std::string& path);

}  // namespace varnolix::payroll::system
