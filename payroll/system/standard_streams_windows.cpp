// The C library opens the standard streams in text mode, which would write every LF as
// CRLF and read CRLF as LF: a clerk's file would not come back as it went in.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "payroll/byte_stream.h"
#include "payroll/system/standard_streams.h"
#include "payroll/system/windows_support.h"

namespace varnolix::payroll::system {
namespace {

int Binary(FILE* stream) {
  const int fd = _fileno(stream);
  if (fd >= 0) _setmode(fd, _O_BINARY);
  return fd;
}

// A console takes UTF-16: UTF-8 bytes written to it would be read in its own code page.
bool WriteToConsole(HANDLE console, std::string_view text) {
  const std::wstring wide = Utf16(text);
  for (std::size_t done = 0; done < wide.size();) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 1 << 14));
    if (!WriteConsoleW(console, wide.data() + done, size, &written, nullptr) || written == 0) {
      return FailedWithLastError();
    }
    done += written;
  }
  return true;
}

}  // namespace

int StandardInput() {
  static const int fd = Binary(stdin);
  return fd;
}

int StandardOutput() {
  static const int fd = Binary(stdout);
  return fd;
}

bool WriteStandardError(std::string_view text) {
  const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    return WriteToConsole(handle, text);
  }
  static const int fd = Binary(stderr);
  return FdSink(fd).Write(text);
}

}  // namespace varnolix::payroll::system
