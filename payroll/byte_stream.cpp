#include "payroll/byte_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace varnolix::payroll {
namespace {

// At most what one call takes everywhere: Windows' C library counts in an int.
unsigned OneCall(size_t size) { return static_cast<unsigned>(std::min<size_t>(size, INT_MAX)); }

}  // namespace

ssize_t FdSource::Read(char* data, size_t size) {
  while (true) {
    const ssize_t count = ::read(m_fd, data, OneCall(size));
    if (count >= 0 || errno != EINTR) return count;
  }
}

bool FdSink::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(m_fd, bytes.data(), OneCall(bytes.size()));
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

}  // namespace varnolix::payroll
