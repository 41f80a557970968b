// The process's standard streams as the tool uses them: bytes in and out exactly as they
// are (a system that would turn LF into CRLF on the way is told not to), and messages in
// UTF-8 that a console shows as the text they are.
#pragma once

#include <string_view>

namespace varnolix::payroll::system {

// Descriptors of standard input and output that pass every byte unchanged.
int StandardInput();
int StandardOutput();

// Writes `text`, UTF-8, to standard error: the bytes themselves, or, to a console, the
// text they spell. All of it, or false with errno set.
bool WriteStandardError(std::string_view text);

}  // namespace varnolix::payroll::system
