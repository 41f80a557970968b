#include "payroll/byte_stream.h"

#include <cerrno>
#include <unistd.h>

namespace varnolix::payroll {

ssize_t FdSource::Read(char* data, size_t size) {
  while (true) {
    const ssize_t count = ::read(m_fd, data, size);
    if (count >= 0 || errno != EINTR) return count;
  }
}

bool FdSink::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(m_fd, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

}  // namespace varnolix::payroll
