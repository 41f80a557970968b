// What the Windows side of the seams shares: text as Windows' own calls take it (UTF-16)
// and as the rest of the program holds it (UTF-8), and Windows' error codes told as the
// error numbers the messages say. For the *_windows.cpp files only.
#pragma once

#include <string>
#include <string_view>

namespace varnolix::payroll::system {

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

// The errno value that says what the Windows error `code` says, as near as one does.
int ErrnoOf(unsigned long code);

// Sets errno from the calling thread's last Windows error; returns false, for `return`.
bool FailedWithLastError();

}  // namespace varnolix::payroll::system
